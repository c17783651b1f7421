#pragma once

#include "TestDatabase.h"
#include "dmuRDM.h"

#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>

#include <memory>

// A fresh test database and the program's server module signed in on it as DEMO, as the
// guides find it (DMR). Window settings go to the test-mode locations.
class GuideTestSession
{
public:
    GuideTestSession() { QStandardPaths::setTestModeEnabled(true); }

    // Opens the session; false (with the reason) when the database or sign-in failed.
    bool open(QString *error)
    {
        if (!db.isValid()) {
            *error = db.error();
            return false;
        }
        dmr = std::make_unique<TDMR>();
        return dmr->session().open(db.params(), error);
    }

    KvSession &session() { return dmr->session(); }

    // Fixture rows, written as the schema owner and committed; false (and a warning with
    // the reason) when the server refused them.
    bool exec(const QString &sql)
    {
        QString error;
        if (db.execAsOwner(sql, &error))
            return true;
        qWarning("%s\n%s", qPrintable(error), qPrintable(sql));
        return false;
    }
    QVariant value(const QString &sql) const { return db.valueAsOwner(sql); }

    TestDatabase db;
    std::unique_ptr<TDMR> dmr;
};
