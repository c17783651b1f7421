#pragma once

#include "KV_ADODataSet.h"
#include "KV_ClientDataSet.h"
#include "KV_Provider.h"
#include "KV_db.h"
#include "TestDatabase.h"

#include <QObject>

#include <memory>

// What the data tests stand on: a fresh database with a few tables shaped like the
// system's (units of measure, ware cards, orders with items, ware types), a session signed
// in as the demonstration user, and a server module (owner of SQL datasets and providers).
class DataFixture
{
public:
    DataFixture();

    bool isValid() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    // Puts the tables back to their initial rows (each test starts from them).
    bool resetRows();

    // An SQL dataset with a provider named name over statement, writing to table with the
    // key fields; both owned by the server module.
    TKV_DataSetProvider *provider(const QString &name, const QString &statement,
                                  const QString &table = {}, const QString &keyFields = {});
    // A client dataset named name bound to the provider.
    std::unique_ptr<TKV_ClientDataSet> clientDataSet(const QString &name,
                                                     TKV_DataSetProvider *provider);

    // Runs statements as the schema owner on another connection (another user).
    bool asOther(const QString &sql) { return db.execAsOwner(sql); }
    QVariant otherValue(const QString &sql) { return db.valueAsOwner(sql); }

    TestDatabase db;
    KvSession session;
    QObject serverModule;

private:
    QString m_error;
};
