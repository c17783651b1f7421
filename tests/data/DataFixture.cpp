#include "DataFixture.h"

namespace {

const char *const Tables = R"SQL(
CREATE TABLE zolt.t_unit (
    unit_id integer PRIMARY KEY,
    shortname varchar(10),
    unitname varchar(30),
    factor numeric(18,3),
    phone1 varchar(20),
    note varchar(60)
);
CREATE TABLE zolt.t_waretype (
    waretype_id integer PRIMARY KEY,
    waretypename varchar(60),
    weight numeric(18,3)
);
CREATE TABLE zolt.t_card (
    card_id integer PRIMARY KEY,
    waretype_id integer,
    card_no integer,
    carddate date,
    price numeric(18,2),
    taxpercent integer,
    currentquantity numeric(18,2),
    storageplace_id integer,
    rackcode varchar(20),
    notice varchar(60)
);
CREATE SEQUENCE zolt.t_card_id_seq;
CREATE TABLE zolt.t_order (
    order_id integer PRIMARY KEY,
    order_no integer,
    orderdate date
);
CREATE TABLE zolt.t_order_item (
    item_id integer PRIMARY KEY,
    order_id integer,
    item_no integer,
    waretype_id integer,
    quantity numeric(18,3),
    price numeric(18,3)
);
CREATE TABLE zolt.t_empty (
    empty_id integer PRIMARY KEY,
    doc_no integer
)
)SQL";

const char *const Rows = R"SQL(
DELETE FROM zolt.t_unit;
DELETE FROM zolt.t_waretype;
DELETE FROM zolt.t_card;
DELETE FROM zolt.t_order;
DELETE FROM zolt.t_order_item;
DELETE FROM zolt.t_empty;
INSERT INTO zolt.t_unit VALUES
    (1, 'шт', 'штука', 1, '101', 'основная'),
    (2, 'кг', 'килограмм', 1000, '102', NULL),
    (3, 'КГС', 'кг-сила', 9.807, '103', NULL),
    (4, 'm', 'метр', 1, '104', NULL),
    (5, 'abc', 'abc one', 7, '105', NULL),
    (6, 'ABCD', 'abc twelve', 12, '106', NULL),
    (7, 'abx', 'abx twelve', 12, '107', NULL),
    (8, 'Abc', 'abc another twelve', 12, '108', NULL);
INSERT INTO zolt.t_waretype VALUES
    (10, 'Кабель РК-75', 0.25), (11, 'Усилитель', 1.5), (12, 'Разветвитель', 0.1);
INSERT INTO zolt.t_card VALUES
    (1, 10, 1, '2004-01-05', 12.50, 20, 100, 3, 'A1', 'первая'),
    (2, 11, 2, '2004-02-01', 99.99, 18, 4, 3, 'B2', NULL),
    (3, 10, 3, '2004-03-01', 13.00, 20, 0, 4, NULL, NULL);
SELECT setval('zolt.t_card_id_seq', 1, false);
INSERT INTO zolt.t_order VALUES (100, 1, '2004-01-10'), (101, 2, '2004-01-11'), (102, 3, '2004-01-12');
INSERT INTO zolt.t_order_item VALUES
    (1000, 100, 1, 10, 2, 10.005),
    (1001, 100, 2, 11, 1.5, 3),
    (1002, 101, 1, 12, 4, 0.5)
)SQL";

} // namespace

DataFixture::DataFixture()
{
    if (!db.isValid()) {
        m_error = db.error();
        return;
    }
    QString error;
    if (!db.execAsOwner(QString::fromUtf8(Tables), &error)) {
        m_error = error;
        return;
    }
    if (!session.open(db.params(), &error))
        m_error = error;
}

bool DataFixture::resetRows()
{
    session.Rollback();
    return db.execAsOwner(QString::fromUtf8(Rows));
}

TKV_DataSetProvider *DataFixture::provider(const QString &name, const QString &statement,
                                           const QString &table, const QString &keyFields)
{
    auto *sql = new TKV_ADODataSet(&session, &serverModule);
    sql->setObjectName(QStringLiteral("ods") + name);
    sql->setCommandText(statement);
    sql->setUniqueFields(keyFields);
    auto *provider = new TKV_DataSetProvider(sql, &serverModule);
    provider->setObjectName(QStringLiteral("dsp") + name);
    provider->setTableName(table);
    provider->setReadOnly(table.isEmpty());
    return provider;
}

std::unique_ptr<TKV_ClientDataSet> DataFixture::clientDataSet(const QString &name,
                                                              TKV_DataSetProvider *provider)
{
    auto dataSet = std::make_unique<TKV_ClientDataSet>();
    dataSet->setObjectName(name);
    dataSet->setDataProvider(provider);
    return dataSet;
}
