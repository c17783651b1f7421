// The cached client dataset: states, master and detail, lookup and calculated fields,
// copying a row, display formats, statement templates, filters and totals.

#include "DataFixture.h"
#include "KV_ApplyAndReconcile.h"
#include "KV_DisplayFormat.h"
#include "KV_LIB.h"
#include "KV_MemDataSet.h"
#include "KV_ServerQueries.h"
#include "ScriptedPrompts.h"

#include <QtTest>

class TstClientDataSet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void browsingAndEditingStates();
    void refusedOperations_data();
    void refusedOperations();
    void masterDetail_data();
    void masterDetail();
    void lookupAndCalculatedFields();
    void appendCopyOfAWareCard();
    void displayFormats_data();
    void displayFormats();
    void commandTextWithSubstitutions();
    void filterAndTotals();
    void memoryDataSet();

private:
    std::unique_ptr<DataFixture> f;
};

void TstClientDataSet::initTestCase()
{
    f = std::make_unique<DataFixture>();
    QVERIFY2(f->isValid(), qPrintable(f->error()));
}

void TstClientDataSet::init()
{
    QVERIFY(f->resetRows());
}

void TstClientDataSet::browsingAndEditingStates()
{
    auto ds =
        f->clientDataSet(QStringLiteral("cdsUnit"),
                         f->provider(QStringLiteral("UnitStates"),
                                     QStringLiteral("select * from zolt.t_unit order by unit_id"),
                                     QStringLiteral("zolt.t_unit"), QStringLiteral("UNIT_ID")));
    QStringList events;
    ds->BeforePost = [&](TKV_ClientDataSet &) { events << QStringLiteral("BeforePost"); };
    ds->AfterPost = [&](TKV_ClientDataSet &) { events << QStringLiteral("AfterPost"); };
    ds->OnNewRecord = [&](TKV_ClientDataSet &d) {
        events << QStringLiteral("OnNewRecord");
        d.FieldByName(QStringLiteral("UNIT_ID"))->setValue(60);
    };
    QCOMPARE(ds->State(), KvDataSetState::Inactive);
    QVERIFY(ds->Open());
    QCOMPARE(ds->State(), KvDataSetState::Browse);

    // Walking the rows the usual way visits each once, in order.
    QList<qint64> ids;
    for (ds->First(); !ds->Eof(); ds->Next())
        ids << ds->FieldByName(QStringLiteral("unit_id"))->AsLargeInt();
    QCOMPARE(ids, (QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8}));

    // An untouched new row (defaults from OnNewRecord only) goes when the user moves on.
    QVERIFY(ds->Append());
    QCOMPARE(ds->State(), KvDataSetState::Insert);
    QCOMPARE(ds->FieldByName(QStringLiteral("UNIT_ID"))->AsInteger(), 60);
    QVERIFY(!ds->Modified());
    QVERIFY(ds->First());
    QCOMPARE(ds->State(), KvDataSetState::Browse);
    QVERIFY(!ds->Locate(QStringLiteral("UNIT_ID"), 60));
    QCOMPARE(ds->ChangeCount(), 0);

    // Edited values live in the edit buffer until posted; Cancel brings the old ones back.
    QVERIFY(ds->Edit());
    ds->FieldByName(QStringLiteral("SHORTNAME"))->setValue(QStringLiteral("шт."));
    QCOMPARE(ds->FieldByName(QStringLiteral("SHORTNAME"))->AsString(), QStringLiteral("шт."));
    ds->Cancel();
    QCOMPARE(ds->FieldByName(QStringLiteral("SHORTNAME"))->AsString(), QStringLiteral("шт"));

    // A modified row posts when the user moves to another row.
    QVERIFY(ds->Edit());
    ds->FieldByName(QStringLiteral("SHORTNAME"))->setValue(QStringLiteral("шт."));
    QVERIFY(ds->Next());
    QCOMPARE(events, (QStringList{"OnNewRecord", "BeforePost", "AfterPost"}));
    QCOMPARE(ds->ChangeCount(), 1);
    QVERIFY(ds->IsRowChanged() == false);
    ds->CancelUpdates();
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 1));
    QCOMPARE(ds->FieldByName(QStringLiteral("SHORTNAME"))->AsString(), QStringLiteral("шт"));

    // Insert puts the new row before the current one, and it stays there when posted.
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 3));
    QVERIFY(ds->Insert());
    ds->FieldByName(QStringLiteral("SHORTNAME"))->setValue(QStringLiteral("новая"));
    QVERIFY(ds->Post());
    QCOMPARE(ds->RecNo(), 3);
    QVERIFY(ds->Next());
    QCOMPARE(ds->FieldByName(QStringLiteral("UNIT_ID"))->AsInteger(), 3);

    // Bookmarks survive other rows coming and going.
    const KvBookmark mark = ds->Bookmark();
    QVERIFY(ds->First());
    QVERIFY(ds->Delete());
    QVERIFY(ds->GotoBookmark(mark));
    QCOMPARE(ds->FieldByName(QStringLiteral("UNIT_ID"))->AsInteger(), 3);
}

void TstClientDataSet::refusedOperations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("message");
    QTest::newRow("edit a read-only list") << "readonly-edit"
                                           << "cdsRO: Cannot modify a read-only dataset";
    QTest::newRow("write outside edit") << "browse-write"
                                        << "cdsRO: Dataset not in edit or insert mode";
    QTest::newRow("refresh with pending changes")
        << "refresh-pending"
        << "cdsRO: Must apply updates before refreshing data";
    QTest::newRow("unknown field") << "unknown-field"
                                   << "cdsRO: Field 'NO_SUCH' not found";
    QTest::newRow("value that does not convert")
        << "bad-value"
        << "cdsRO: 'двенадцать' is not a valid value for field 'factor'";
}

void TstClientDataSet::refusedOperations()
{
    QFETCH(QString, operation);
    QFETCH(QString, message);
    ScriptedPrompts prompts;
    auto ds =
        f->clientDataSet(QStringLiteral("cdsRO"),
                         f->provider(QStringLiteral("UnitRO") + operation,
                                     QStringLiteral("select * from zolt.t_unit"),
                                     QStringLiteral("zolt.t_unit"), QStringLiteral("UNIT_ID")));
    QVERIFY(ds->Open());
    bool done = true;
    if (operation == QLatin1String("readonly-edit")) {
        ds->setReadOnly(true);
        done = ds->Edit();
    } else if (operation == QLatin1String("browse-write")) {
        done = ds->FieldByName(QStringLiteral("NOTE"))->setValue(QStringLiteral("x"));
    } else if (operation == QLatin1String("refresh-pending")) {
        QVERIFY(ds->Delete());
        done = ds->Refresh();
    } else if (operation == QLatin1String("unknown-field")) {
        done = !ds->FieldByName(QStringLiteral("NO_SUCH"))->FieldName().isEmpty();
        ds->FieldByName(QStringLiteral("no_such")); // reported once only
    } else if (operation == QLatin1String("bad-value")) {
        QVERIFY(ds->Edit());
        done = ds->FieldByName(QStringLiteral("FACTOR"))->setValue(QStringLiteral("двенадцать"));
    }
    QVERIFY(!done);
    QCOMPARE(ds->LastError().toUpper(), message.toUpper());
    QCOMPARE(prompts.texts(Prompts::Kind::Error), QStringList{message});
}

void TstClientDataSet::masterDetail_data()
{
    QTest::addColumn<QString>("detailStatement");
    // per master row, through the statement's parameter named like the master field
    QTest::newRow("fetched per master row")
        << "select * from zolt.t_order_item where order_id = :ORDER_ID order by item_no";
    // all rows at once, the detail shows the master's range
    QTest::newRow("fetched once") << "select * from zolt.t_order_item order by item_no";
}

void TstClientDataSet::masterDetail()
{
    QFETCH(QString, detailStatement);
    auto orders = f->clientDataSet(
        QStringLiteral("cdsOrder"),
        f->provider(QStringLiteral("Order") + QString::number(qHash(detailStatement)),
                    QStringLiteral("select * from zolt.t_order order by order_id"),
                    QStringLiteral("zolt.t_order"), QStringLiteral("ORDER_ID")));
    auto items = f->clientDataSet(
        QStringLiteral("cdsOrderItem"),
        f->provider(QStringLiteral("OrderItem") + QString::number(qHash(detailStatement)),
                    detailStatement, QStringLiteral("zolt.t_order_item"),
                    QStringLiteral("ITEM_ID")));
    items->setIndexFieldNames(QStringLiteral("ORDER_ID"));
    items->setMasterSource(orders.get());
    items->setMasterFields(QStringLiteral("ORDER_ID"));
    UseReconcileReport(*items);
    QVERIFY(orders->Open());
    QVERIFY2(items->Open(), qPrintable(items->LastError()));

    auto itemIds = [&] {
        QList<qint64> ids;
        for (int row = 0; row < items->RecordCount(); ++row)
            ids << items->FieldByName(QStringLiteral("ITEM_ID"))->valueAt(row).toLongLong();
        return ids;
    };
    QCOMPARE(itemIds(), (QList<qint64>{1000, 1001}));
    QVERIFY(orders->Next());
    QCOMPARE(itemIds(), QList<qint64>{1002});
    QVERIFY(orders->Next());
    QVERIFY(items->IsEmpty());

    // A new item belongs to the current order by itself.
    QVERIFY(items->Append());
    QCOMPARE(items->FieldByName(QStringLiteral("ORDER_ID"))->AsInteger(), 102);
    items->FieldByName(QStringLiteral("ITEM_ID"))->setValue(1003);
    items->FieldByName(QStringLiteral("ITEM_NO"))->setValue(1);
    QVERIFY(items->Post());
    ApplyAndCommit(*items);
    QCOMPARE(f->otherValue(QStringLiteral("select order_id from zolt.t_order_item "
                                          "where item_id = 1003"))
                 .toInt(),
             102);
    QCOMPARE(itemIds(), QList<qint64>{1003});
    QVERIFY(orders->First());
    QCOMPARE(itemIds(), (QList<qint64>{1000, 1001}));
    QCOMPARE(items->FieldByName(QStringLiteral("ITEM_ID"))->AsInteger(), 1000);

    // No master row, no detail rows.
    orders->Close();
    QVERIFY(items->Active());
    QVERIFY(items->IsEmpty());
}

void TstClientDataSet::lookupAndCalculatedFields()
{
    auto wareTypes = f->clientDataSet(
        QStringLiteral("cdsWareType"),
        f->provider(QStringLiteral("WareTypeList"),
                    QStringLiteral("select waretype_id, waretypename from zolt.t_waretype")));
    auto items = f->clientDataSet(
        QStringLiteral("cdsItem"),
        f->provider(QStringLiteral("ItemCalc"),
                    QStringLiteral("select * from zolt.t_order_item order by item_id"),
                    QStringLiteral("zolt.t_order_item"), QStringLiteral("ITEM_ID")));
    items->AddField(QStringLiteral("ITEM_ID"), KvFieldType::Integer);
    items->AddField(QStringLiteral("WARETYPE_ID"), KvFieldType::Integer);
    items->AddField(QStringLiteral("QUANTITY"), KvFieldType::Float);
    items->AddField(QStringLiteral("PRICE"), KvFieldType::Float);
    KvField *name = items->AddLookupField(
        QStringLiteral("L_WareName"), KvFieldType::String, QStringLiteral("WARETYPE_ID"),
        wareTypes.get(), QStringLiteral("WARETYPE_ID"), QStringLiteral("WARETYPENAME"), 60);
    KvField *sum = items->AddCalcField(QStringLiteral("C_SUM"), KvFieldType::Float);
    int calculations = 0;
    items->OnCalcFields = [&](TKV_ClientDataSet &ds) {
        ++calculations;
        KvField *quantity = ds.FieldByName(QStringLiteral("QUANTITY"));
        KvField *price = ds.FieldByName(QStringLiteral("PRICE"));
        if (quantity->IsNull() || price->IsNull())
            return;
        ds.FieldByName(QStringLiteral("C_SUM"))
            ->setValue(RoundHalfAway(2, quantity->AsFloat() * price->AsFloat()));
    };
    QVERIFY(wareTypes->Open());
    QVERIFY2(items->Open(), qPrintable(items->LastError()));

    QCOMPARE(name->AsString(), QStringLiteral("Кабель РК-75"));
    QCOMPARE(sum->AsFloat(), 20.01); // 2 x 10.005
    QCOMPARE(sum->valueAt(2).toDouble(), 2.0);
    // the undefined columns are there, hidden
    QVERIFY(!items->FieldByName(QStringLiteral("ORDER_ID"))->Visible);

    // Outside the dataset's own computation a calculated field cannot be written.
    {
        ScriptedPrompts prompts;
        QVERIFY(items->Edit());
        QVERIFY(!sum->setValue(1.0));
        QCOMPARE(prompts.texts(Prompts::Kind::Error),
                 QStringList{QStringLiteral("cdsItem: Field 'C_SUM' cannot be modified")});
    }
    // Editing recomputes at once; the lookup follows the key, and setting the lookup sets
    // the key.
    items->FieldByName(QStringLiteral("QUANTITY"))->setValue(4);
    QCOMPARE(sum->AsFloat(), 40.02);
    items->FieldByName(QStringLiteral("WARETYPE_ID"))->setValue(11);
    QCOMPARE(name->AsString(), QStringLiteral("Усилитель"));
    QVERIFY(name->setValue(QStringLiteral("Разветвитель")));
    QCOMPARE(items->FieldByName(QStringLiteral("WARETYPE_ID"))->AsInteger(), 12);
    QVERIFY(items->Post());
    QCOMPARE(sum->valueAt(0).toDouble(), 40.02);
    QCOMPARE(name->valueAt(0).toString(), QStringLiteral("Разветвитель"));

    // Values are computed once per row version, not at every read.
    const int before = calculations;
    for (int i = 0; i < 3; ++i)
        sum->valueAt(1);
    QVERIFY(calculations - before <= 1);
    // A row whose key has no match in the list shows nothing.
    QVERIFY(items->Edit());
    items->FieldByName(QStringLiteral("WARETYPE_ID"))->setValue(99);
    QVERIFY(name->IsNull());
    items->Cancel();
}

void TstClientDataSet::appendCopyOfAWareCard()
{
    auto cards = f->clientDataSet(
        QStringLiteral("cdsWareCard"),
        f->provider(QStringLiteral("WareCard"), QStringLiteral("select * from zolt.t_card"),
                    QStringLiteral("zolt.t_card"), QStringLiteral("CARD_ID")));
    const QDate workDate(2004, 6, 1);
    cards->OnNewRecord = [&](TKV_ClientDataSet &ds) {
        if (!AssignNextId(ds, QStringLiteral("CARD_ID"), QStringLiteral("t_card_id_seq")))
            return;
        ds.FieldByName(QStringLiteral("CARD_NO"))
            ->setValue(
                NextNumber(f->session, QStringLiteral("Card_No"), QStringLiteral("ZOLT.t_card")));
        ds.FieldByName(QStringLiteral("CARDDATE"))->setValue(workDate);
        ds.FieldByName(QStringLiteral("CURRENTQUANTITY"))->setValue(0);
        ds.FieldByName(QStringLiteral("TAXPERCENT"))->setValue(18);
    };
    cards->setExcludeCopyFields(QStringLiteral("Card_No;CardDate;CurrentQuantity;Card_Id"));
    QCOMPARE(cards->ExcludeCopyFields(),
             QStringLiteral("Card_Id;Card_No;CardDate;CurrentQuantity"));
    UseReconcileReport(*cards);
    QVERIFY(cards->Open());
    QVERIFY(f->asOther(QStringLiteral("select setval('zolt.t_card_id_seq', 40)")));

    QVERIFY(cards->Locate(QStringLiteral("CARD_ID"), 1));
    QVERIFY(cards->AppendCopy());
    auto value = [&](const char *field) {
        return cards->FieldByName(QLatin1String(field))->Value();
    };
    // what any new card gets
    QCOMPARE(value("CARD_ID").toInt(), 41);
    QCOMPARE(value("CARD_NO").toInt(), 4);
    QCOMPARE(value("CARDDATE").toDate(), workDate);
    QCOMPARE(value("CURRENTQUANTITY").toDouble(), 0.0);
    // everything else from the card copied, the defaults of OnNewRecord overwritten
    QCOMPARE(value("WARETYPE_ID").toInt(), 10);
    QCOMPARE(value("PRICE").toDouble(), 12.5);
    QCOMPARE(value("TAXPERCENT").toInt(), 20);
    QCOMPARE(value("STORAGEPLACE_ID").toInt(), 3);
    QCOMPARE(value("RACKCODE").toString(), QStringLiteral("A1"));
    QCOMPARE(value("NOTICE").toString(), QStringLiteral("первая"));
    QVERIFY(cards->Modified());
    QVERIFY(cards->Post());
    ApplyAndCommit(*cards);
    QCOMPARE(cards->ChangeCount(), 0);
    QCOMPARE(f->otherValue(QStringLiteral("select card_no || '/' || rackcode || '/' || price "
                                          "from zolt.t_card where card_id = 41"))
                 .toString(),
             QStringLiteral("4/A1/12.50"));
}

void TstClientDataSet::displayFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    const QString money = QStringLiteral("### ### ### ### ##0.##");
    QTest::newRow("thousands with blanks") << money << 1234567.5 << "1 234 567.5";
    QTest::newRow("zero") << money << 0.0 << "0";
    QTest::newRow("negative, rounded half away") << money << -1234.565 << "-1 234.57";
    QTest::newRow("small") << money << 0.004 << "0";
    QTest::newRow("three decimals")
        << QStringLiteral("### ### ### ### ##0.###") << 2.0005 << "2.001";
    QTest::newRow("fixed decimals") << QStringLiteral("0.00") << 2.345 << "2.35";
    QTest::newRow("comma grouping") << QStringLiteral("#,##0.000") << 1234.5 << "1 234.500";
    QTest::newRow("negative section") << QStringLiteral("0.##;(0.##);нет") << -3.5 << "(3.5)";
    QTest::newRow("zero section") << QStringLiteral("0.##;(0.##);нет") << 0.0 << "нет";
    QTest::newRow("carry into a new digit") << QStringLiteral("# ##0.0") << 999.96 << "1 000.0";
    QTest::newRow("no format") << QString() << 1e6 + 0.25 << "1000000.25";
    // "0" after the point is always printed, "#" only when the digit is not a trailing zero.
    QTest::newRow("optional decimals kept") << money << 1234.5 << "1 234.5";
    QTest::newRow("optional decimals dropped") << money << 1010.0 << "1 010";
    const QString fixed = QStringLiteral("### ### ##0.00");
    QTest::newRow("required decimals, whole") << fixed << 1010.0 << "1 010.00";
    QTest::newRow("required decimals, short")
        << QStringLiteral("### ##0.00") << 1010.0 << "1 010.00";
    QTest::newRow("required decimals, zero") << QStringLiteral("### ##0.00") << 0.0 << "0.00";
    QTest::newRow("required decimals, negative")
        << QStringLiteral("### ##0.00") << -1234.5 << "-1 234.50";
    QTest::newRow("required decimals, round whole") << fixed << 100.0 << "100.00";
    QTest::newRow("required and optional decimals")
        << QStringLiteral("#,##0.0#") << 1000.0 << "1 000.0";
}

void TstClientDataSet::displayFormats()
{
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatFloat(format, value), text);
}

void TstClientDataSet::commandTextWithSubstitutions()
{
    ScriptedPrompts prompts;
    TKV_DataSetProvider *open =
        f->provider(QStringLiteral("UnitOpen"), QStringLiteral("select * from zolt.t_unit"),
                    QStringLiteral("zolt.t_unit"), QStringLiteral("UNIT_ID"));
    open->setAllowCommandText(true);
    auto ds = f->clientDataSet(QStringLiteral("cdsUnits"), open);
    ds->setCommandText(QStringLiteral("select * from zolt.t_unit &where_str  order by unit_id"));
    ds->SqlSubstitutions().Add(QStringLiteral("where_str"), QStringLiteral(" where factor = 12"));
    QVERIFY2(ds->Open(), qPrintable(ds->LastError()));
    QCOMPARE(ds->RecordCount(), 3);
    QCOMPARE(ds->RealCommandText(),
             QStringLiteral("select * from zolt.t_unit  where factor = 12 order by unit_id"));
    // each fetch expands anew
    ds->SubstitutionByName(QStringLiteral("WHERE_STR"))->Value = QString();
    QVERIFY(ds->Refresh());
    QCOMPARE(ds->RecordCount(), 8);
    QCOMPARE(ds->CommandText(),
             QStringLiteral("select * from zolt.t_unit &where_str  order by unit_id"));
    // an empty template: the provider's own statement
    ds->Close();
    ds->setCommandText(QString());
    QVERIFY(ds->Open());
    QCOMPARE(ds->RecordCount(), 8);
    QVERIFY(prompts.shown().isEmpty());

    // A command: substitutions expanded, parameters bound, in the unit of work.
    auto command = f->clientDataSet(QStringLiteral("cdsCommand"), open);
    command->setCommandText(
        QStringLiteral("update zolt.t_unit set note = :NOTE where unit_id = &ID"));
    command->SqlSubstitutions().Add(QStringLiteral("ID"), QStringLiteral("4"));
    command->Params().setValue(QStringLiteral("NOTE"), QStringLiteral("it's ok"));
    QVERIFY2(command->Execute(), qPrintable(command->LastError()));
    QVERIFY(f->session.CommitWork());
    QCOMPARE(
        f->otherValue(QStringLiteral("select note from zolt.t_unit where unit_id = 4")).toString(),
        QStringLiteral("it's ok"));

    // A provider that does not accept statement text refuses a template.
    auto closed = f->clientDataSet(
        QStringLiteral("cdsClosed"),
        f->provider(QStringLiteral("UnitClosed"), QStringLiteral("select * from zolt.t_unit")));
    closed->setCommandText(QStringLiteral("select 1"));
    QVERIFY(!closed->Open());
    QCOMPARE(prompts.texts(Prompts::Kind::Error),
             QStringList{QStringLiteral("cdsClosed: dspUnitClosed: CommandText changes are not "
                                        "allowed")});
    QVERIFY(!closed->SubstitutionByName(QStringLiteral("nope")));
    QCOMPARE(prompts.texts(Prompts::Kind::Error).last(),
             QStringLiteral("cdsClosed: nope SqlSubstitution Not Found"));
}

void TstClientDataSet::filterAndTotals()
{
    auto ds =
        f->clientDataSet(QStringLiteral("cdsUnitTotals"),
                         f->provider(QStringLiteral("UnitTotals"),
                                     QStringLiteral("select * from zolt.t_unit order by unit_id")));
    ds->Aggregates() << KvAggregate{QStringLiteral("TOTAL"), QStringLiteral("SUM(FACTOR)")}
                     << KvAggregate{QStringLiteral("ROWS"), QStringLiteral("COUNT(*)")};
    ds->setAggregatesActive(true);
    QVERIFY(ds->Open());
    QCOMPARE(ds->AggregateValue(QStringLiteral("total")).toDouble(), 1054.807);
    ds->setFilter(QStringLiteral("FACTOR = 12 or SHORTNAME = 'шт'"));
    ds->setFiltered(true);
    QCOMPARE(ds->AggregateValue(QStringLiteral("ROWS")).toInt(), 4);
    QCOMPARE(ds->Aggregate(QStringLiteral("MAX"), QStringLiteral("UNIT_ID")).toInt(), 8);
    ds->setFilter(QStringLiteral("FACTOR <> 12 and NOTE = null"));
    QCOMPARE(ds->Aggregate(QStringLiteral("SUM"), QStringLiteral("UNIT_ID")).toInt(),
             2 + 3 + 4 + 5);
    ds->setFiltered(false);
    QCOMPARE(ds->AggregateValue(QStringLiteral("ROWS")).toInt(), 8);
}

void TstClientDataSet::memoryDataSet()
{
    TKV_MemDataSet events;
    events.AddField(QStringLiteral("EVENT_TIME"), KvFieldType::DateTime);
    events.AddField(QStringLiteral("TEXT"), KvFieldType::String, 255);
    QVERIFY(events.CreateDataSet());
    QVERIFY(events.Insert());
    events.FieldByName(QStringLiteral("TEXT"))->setValue(QStringLiteral("первое"));
    QVERIFY(events.Post());
    QVERIFY(events.Insert());
    events.FieldByName(QStringLiteral("TEXT"))->setValue(QStringLiteral("второе"));
    QVERIFY(events.Post());
    QCOMPARE(events.ChangeCount(), 0);
    QCOMPARE(events.FieldByName(QStringLiteral("TEXT"))->valueAt(0).toString(),
             QStringLiteral("второе"));
    events.setIndexFieldNames(QStringLiteral("TEXT"));
    QCOMPARE(events.FieldByName(QStringLiteral("TEXT"))->valueAt(0).toString(),
             QStringLiteral("второе"));
    QVERIFY(events.Locate(QStringLiteral("TEXT"), QStringLiteral("ПЕР"),
                          loCaseInsensitive | loPartialKey));
    QCOMPARE(events.RecNo(), 2);
    events.EmptyDataSet();
    QVERIFY(events.IsEmpty());
}

QTEST_MAIN(TstClientDataSet)
#include "tst_data_clientdataset.moc"
