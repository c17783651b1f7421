#pragma once

#include "KV_db.h"

#include <QString>

// A fresh database for one test program, cloned from the schema template of the test
// cluster that CTest starts (KORVEL_TEST_PGHOST). Dropped when the object goes.
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    bool isValid() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    static QString host();
    QString name() const { return m_name; }

    // Sign-in values for this database; the demonstration user by default.
    ConnectionParams params(const QString &user = QStringLiteral("DEMO"),
                            const QString &password = QStringLiteral("vyrt")) const;
    // Runs statements as the schema owner, outside any session under test (fixtures).
    bool execAsOwner(const QString &sql, QString *error = nullptr) const;
    // A value read as the schema owner.
    QVariant valueAsOwner(const QString &sql) const;
    // Writes a connection description file "<baseName>.udl" for this database into folder.
    QString writeUdl(const QString &folder, const QString &baseName) const;

private:
    QString m_name;
    QString m_error;
};
