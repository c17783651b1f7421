// Server helper queries: new keys, numbers and the reference check.

#include "DataFixture.h"
#include "KV_ServerQueries.h"
#include "ScriptedPrompts.h"

#include <QtTest>

class TstServerQueries : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void nextNumber_data();
    void nextNumber();
    void nextCheckedId_data();
    void nextCheckedId();
    void isReferenced_data();
    void isReferenced();
    void newRowKeys_data();
    void newRowKeys();

private:
    std::unique_ptr<DataFixture> f;
};

void TstServerQueries::initTestCase()
{
    f = std::make_unique<DataFixture>();
    QVERIFY2(f->isValid(), qPrintable(f->error()));
}

void TstServerQueries::init()
{
    QVERIFY(f->resetRows());
}

void TstServerQueries::nextNumber_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<qint64>("number");
    QTest::newRow("empty table") << "Doc_No"
                                 << "ZOLT.t_empty"
                                 << "" << QVariantList{} << 1LL;
    QTest::newRow("whole table") << "Card_No"
                                 << "ZOLT.t_card"
                                 << "" << QVariantList{} << 4LL;
    QTest::newRow("rows of one document") << "Item_No"
                                          << "ZOLT.t_order_item"
                                          << "where Order_Id = ?" << QVariantList{100} << 3LL;
    QTest::newRow("document without rows") << "Item_No"
                                           << "ZOLT.t_order_item"
                                           << "where Order_Id = ?" << QVariantList{102} << 1LL;
    QTest::newRow("failing statement") << "No_Such_Column"
                                       << "ZOLT.t_card"
                                       << "" << QVariantList{} << 0LL;
    QTest::newRow("not a plain name") << "Card_No) from x; --"
                                      << "ZOLT.t_card"
                                      << "" << QVariantList{} << 0LL;
}

void TstServerQueries::nextNumber()
{
    QFETCH(QString, column);
    QFETCH(QString, table);
    QFETCH(QString, condition);
    QFETCH(QVariantList, values);
    QFETCH(qint64, number);
    ScriptedPrompts prompts;
    QCOMPARE(NextNumber(f->session, column, table, condition, values), number);
    QVERIFY(prompts.shown().isEmpty()); // a failure is swallowed
}

void TstServerQueries::nextCheckedId_data()
{
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<int>("sequenceAt"); // setval of the sequence before the call
    QTest::addColumn<bool>("result");
    QTest::addColumn<qint64>("value");
    QTest::newRow("the sequence value is taken: MAX+1") << "t_card_id_seq" << 2 << true << 4LL;
    QTest::newRow("the sequence value is free") << "t_card_id_seq" << 10 << true << 11LL;
    QTest::newRow("no such sequence: MAX+1") << "no_such_seq" << 0 << false << 4LL;
}

void TstServerQueries::nextCheckedId()
{
    QFETCH(QString, sequence);
    QFETCH(int, sequenceAt);
    QFETCH(bool, result);
    QFETCH(qint64, value);
    if (sequenceAt > 0)
        QVERIFY(
            f->asOther(QStringLiteral("select setval('zolt.t_card_id_seq', %1)").arg(sequenceAt)));
    qint64 id = -1;
    QCOMPARE(NextCheckedId(f->session, sequence, QStringLiteral("Card_Id"), QString(),
                           QStringLiteral("ZOLT.t_card"), id),
             result);
    QCOMPARE(id, value);
}

void TstServerQueries::isReferenced_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("referenced");
    QTest::newRow("used by cards") << "WareType_Id" << QVariant(10) << true;
    QTest::newRow("not used") << "WareType_Id" << QVariant(12) << false;
    QTest::newRow("null") << "WareType_Id" << QVariant() << false;
    QTest::newRow("failing statement") << "No_Such_Column" << QVariant(10) << false;
}

void TstServerQueries::isReferenced()
{
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    QFETCH(bool, referenced);
    QCOMPARE(IsReferenced(f->session, column, QStringLiteral("t_card"), value), referenced);
}

void TstServerQueries::newRowKeys_data()
{
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<bool>("created");
    QTest::addColumn<QString>("shown");
    QTest::newRow("from the sequence") << "t_card_id_seq" << true << "";
    QTest::newRow("missing sequence: the new row is not created")
        << "no_such_seq" << false << "relation \"zolt.no_such_seq\" does not exist";
}

void TstServerQueries::newRowKeys()
{
    QFETCH(QString, sequence);
    QFETCH(bool, created);
    QFETCH(QString, shown);
    ScriptedPrompts prompts;
    auto cards = f->clientDataSet(
        QStringLiteral("cdsCard"),
        f->provider(QStringLiteral("Card") + sequence, QStringLiteral("select * from zolt.t_card"),
                    QStringLiteral("zolt.t_card"), QStringLiteral("CARD_ID")));
    cards->OnNewRecord = [&](TKV_ClientDataSet &ds) {
        AssignNextId(ds, QStringLiteral("CARD_ID"), sequence);
    };
    QVERIFY(cards->Open());
    QCOMPARE(cards->Append(), created);
    QCOMPARE(cards->State(), created ? KvDataSetState::Insert : KvDataSetState::Browse);
    if (created) {
        QCOMPARE(cards->FieldByName(QStringLiteral("CARD_ID"))->AsInteger(), 1);
        QVERIFY(prompts.shown().isEmpty());
    } else {
        QCOMPARE(prompts.texts(Prompts::Kind::Error).size(), 1);
        QVERIFY2(prompts.texts(Prompts::Kind::Error).first().contains(shown),
                 qPrintable(prompts.texts().join(QLatin1Char('|'))));
        QCOMPARE(cards->RecordCount(), 3);
    }
}

QTEST_MAIN(TstServerQueries)
#include "tst_data_serverqueries.moc"
