// Orders and searches: sort indexes from grid title markers, Locate and LocateByText.

#include "DataFixture.h"
#include "KV_SortByMarkers.h"
#include "ScriptedPrompts.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<KvColumnMarker>)

namespace {

KvColumnMarker up(const char *field)
{
    return KvColumnMarker{QLatin1String(field), KvSortMarker::Up};
}

KvColumnMarker down(const char *field)
{
    return KvColumnMarker{QLatin1String(field), KvSortMarker::Down};
}

KvColumnMarker none(const char *field)
{
    return KvColumnMarker{QLatin1String(field), KvSortMarker::None};
}

} // namespace

class TstIndexes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void markerIndexNames_data();
    void markerIndexNames();
    void sortGridByMarkers();
    void longIndexNamesAreRebuilt();
    void locate_data();
    void locate();
    void locateByText_data();
    void locateByText();

private:
    std::unique_ptr<TKV_ClientDataSet> units();
    QStringList shortNames(TKV_ClientDataSet &ds);

    std::unique_ptr<DataFixture> f;
    TKV_DataSetProvider *m_units = nullptr;
};

void TstIndexes::initTestCase()
{
    f = std::make_unique<DataFixture>();
    QVERIFY2(f->isValid(), qPrintable(f->error()));
    QVERIFY(f->resetRows());
    m_units = f->provider(QStringLiteral("Unit"),
                          QStringLiteral("select * from zolt.t_unit order by unit_id"),
                          QStringLiteral("zolt.t_unit"), QStringLiteral("UNIT_ID"));
}

std::unique_ptr<TKV_ClientDataSet> TstIndexes::units()
{
    auto ds = f->clientDataSet(QStringLiteral("cdsMaster"), m_units);
    if (!ds->Open())
        qWarning("%s", qPrintable(ds->LastError()));
    return ds;
}

QStringList TstIndexes::shortNames(TKV_ClientDataSet &ds)
{
    QStringList names;
    for (int row = 0; row < ds.RecordCount(); ++row)
        names << ds.FieldByName(QStringLiteral("SHORTNAME"))->valueAt(row).toString();
    return names;
}

void TstIndexes::markerIndexNames_data()
{
    QTest::addColumn<QList<KvColumnMarker>>("columns");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("descFields");
    QTest::addColumn<bool>("cut");
    QTest::newRow("one column descending")
        << QList<KvColumnMarker>{none("SHORTNAME"), down("MEASURENAME")} << "iMEASURENAMEDesc"
        << "MEASURENAME"
        << "MEASURENAME" << false;
    QTest::newRow("ascending then descending, in column order")
        << QList<KvColumnMarker>{up("SHORTNAME"), down("MEASURENAME")}
        << "iSHORTNAME_MEASURENAMEDesc"
        << "SHORTNAME;MEASURENAME"
        << "MEASURENAME" << false;
    QTest::newRow("one column ascending") << QList<KvColumnMarker>{up("STORENAME")} << "iSTORENAME"
                                          << "STORENAME"
                                          << "" << false;
    QTest::newRow("a digit 1 stays in the names")
        << QList<KvColumnMarker>{up("PHONE1"), up("ADRESS_STREET1")} << "iPHONE1_ADRESS_STREET1"
        << "PHONE1;ADRESS_STREET1"
        << "" << false;
    QTest::newRow("longer than 30 characters is cut")
        << QList<KvColumnMarker>{up("COMPANY_CODE"), down("COMPANY_NAME"), up("UNN")}
        << "iCOMPANY_CODE_COMPANY_NAMEDesc"
        << "COMPANY_CODE;COMPANY_NAME;UNN"
        << "COMPANY_NAME" << true;
    QTest::newRow("nothing marked") << QList<KvColumnMarker>{none("A"), none("B")} << ""
                                    << ""
                                    << "" << false;
}

void TstIndexes::markerIndexNames()
{
    QFETCH(QList<KvColumnMarker>, columns);
    QFETCH(QString, name);
    QFETCH(QString, fields);
    QFETCH(QString, descFields);
    QFETCH(bool, cut);
    const KvMarkerIndex index = MarkerIndexFor(columns);
    QCOMPARE(index.name, name);
    QCOMPARE(index.fields, fields);
    QCOMPARE(index.descFields, descFields);
    QCOMPARE(index.cut, cut);
}

void TstIndexes::sortGridByMarkers()
{
    ScriptedPrompts prompts;
    QVERIFY(!SortGridByMarkers(nullptr, {up("SHORTNAME")}));
    auto ds = units();
    ds->Close();
    QVERIFY(!SortGridByMarkers(ds.get(), {up("SHORTNAME")}));
    QVERIFY(ds->Open());

    // case-insensitive, "ё" with "е"
    QVERIFY(SortGridByMarkers(ds.get(), {up("SHORTNAME"), none("UNITNAME")}));
    QCOMPARE(ds->IndexName(), QStringLiteral("iSHORTNAME"));
    QCOMPARE(shortNames(*ds), (QStringList{"abc", "Abc", "ABCD", "abx", "m", "кг", "КГС", "шт"}));
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 7));
    QVERIFY(SortGridByMarkers(ds.get(), {down("SHORTNAME")}));
    QCOMPARE(shortNames(*ds), (QStringList{"шт", "КГС", "кг", "m", "abx", "ABCD", "abc", "Abc"}));
    // the current row stays current across orders
    QCOMPARE(ds->FieldByName(QStringLiteral("UNIT_ID"))->AsInteger(), 7);
    // choosing a sort again selects the index made before
    QVERIFY(SortGridByMarkers(ds.get(), {up("SHORTNAME")}));
    QCOMPARE(ds->IndexDefs().size(), 4); // DEFAULT_ORDER, CHANGEINDEX and the two sorts
    // a field with the digit 1 sorts like any other
    QVERIFY(SortGridByMarkers(ds.get(), {down("PHONE1")}));
    QCOMPARE(ds->IndexName(), QStringLiteral("iPHONE1Desc"));
    QCOMPARE(ds->FieldByName(QStringLiteral("PHONE1"))->valueAt(0).toString(),
             QStringLiteral("108"));
    // no marked column: the order stays
    QVERIFY(SortGridByMarkers(ds.get(), {none("PHONE1")}));
    QCOMPARE(ds->IndexName(), QStringLiteral("iPHONE1Desc"));
    // a field the list does not have
    QVERIFY(SortGridByMarkers(ds.get(), {up("NO_SUCH")}));
    QCOMPARE(prompts.texts(Prompts::Kind::Error),
             QStringList{QStringLiteral("Can not create index iNO_SUCH")});
    QCOMPARE(ds->IndexName(), QStringLiteral("iPHONE1Desc"));

    // A new row takes its place in the order when posted.
    QVERIFY(ds->Append());
    ds->FieldByName(QStringLiteral("UNIT_ID"))->setValue(9);
    ds->FieldByName(QStringLiteral("PHONE1"))->setValue(QStringLiteral("1045"));
    QVERIFY(ds->Post());
    QCOMPARE(ds->RecNo(), 5); // 108 107 106 105 1045 104 ...

    // Dropping the sorts keeps the built-in orders; closing drops them as well.
    ds->DeleteSortIndexes();
    QCOMPARE(ds->IndexName(), QString());
    QStringList names;
    for (const KvIndexDef &def : ds->IndexDefs())
        names << def.Name;
    QCOMPARE(names, (QStringList{"DEFAULT_ORDER", "CHANGEINDEX"}));
    QVERIFY(SortGridByMarkers(ds.get(), {up("SHORTNAME")}));
    ds->CancelUpdates();
    ds->Close();
    QCOMPARE(ds->IndexDefs().size(), 2);
}

void TstIndexes::longIndexNamesAreRebuilt()
{
    auto ds = units();
    const QList<KvColumnMarker> first{up("SHORTNAME"), up("UNITNAME"), up("PHONE1"),
                                      down("FACTOR")};
    const QList<KvColumnMarker> second{up("SHORTNAME"), up("UNITNAME"), up("PHONE1"), up("FACTOR")};
    QVERIFY(MarkerIndexFor(first).cut);
    QCOMPARE(MarkerIndexFor(first).name, MarkerIndexFor(second).name);

    QVERIFY(SortGridByMarkers(ds.get(), first));
    QCOMPARE(ds->IndexName(), QStringLiteral("iSHORTNAME_UNITNAME_PHONE1_FAC"));
    QCOMPARE(ds->FieldByName(QStringLiteral("SHORTNAME"))->valueAt(0).toString(),
             QStringLiteral("Abc")); // "abc another twelve" before "abc one"
    // Both sorts cut to the same name: choosing one rebuilds the index for it.
    QVERIFY(SortGridByMarkers(ds.get(), second));
    QCOMPARE(ds->IndexDefs().size(), 3);
    QCOMPARE(ds->IndexDefs().last().DescFields, QString());
    QVERIFY(SortGridByMarkers(ds.get(), first));
    QCOMPARE(ds->IndexDefs().last().DescFields, QStringLiteral("FACTOR"));
}

void TstIndexes::locate_data()
{
    QTest::addColumn<QString>("order"); // IndexFieldNames, or "i" + marker sort
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QVariant>("values");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("unitId"); // 0: not found
    const int ci = loCaseInsensitive;
    const int partial = loPartialKey;
    const QString ciSort = QStringLiteral("iSHORTNAME");
    QTest::newRow("exact on the index") << ciSort << "SHORTNAME" << QVariant("кг") << ci << 2;
    QTest::newRow("partial, any case, first in order")
        << ciSort << "SHORTNAME" << QVariant("AB") << (ci | partial) << 5;
    QTest::newRow("partial, no match")
        << ciSort << "SHORTNAME" << QVariant("zz") << (ci | partial) << 0;
    QTest::newRow("case-sensitive search on a case-insensitive index")
        << ciSort << "SHORTNAME" << QVariant("Abc") << 0 << 8;
    QTest::newRow("case-sensitive index, search without case")
        << "SHORTNAME"
        << "SHORTNAME" << QVariant("abcd") << ci << 6;
    QTest::newRow("two fields on the index")
        << "FACTOR;UNIT_ID"
        << "UNIT_ID;FACTOR" << QVariant(QVariantList{7, "12"}) << 0 << 7;
    QTest::newRow("number equal, not partial") << "FACTOR"
                                               << "FACTOR" << QVariant(9.807) << partial << 3;
    QTest::newRow("no index") << ""
                              << "UNITNAME" << QVariant("метр") << 0 << 4;
    QTest::newRow("null value") << ""
                                << "NOTE;UNIT_ID" << QVariant(QVariantList{QVariant(), 2}) << 0
                                << 2;
    QTest::newRow("value that does not convert") << ""
                                                 << "FACTOR" << QVariant("много") << 0 << 0;
}

void TstIndexes::locate()
{
    QFETCH(QString, order);
    QFETCH(QString, fields);
    QFETCH(QVariant, values);
    QFETCH(int, options);
    QFETCH(int, unitId);
    auto ds = units();
    if (order.startsWith(QLatin1Char('i')))
        SortGridByMarkers(ds.get(), {up("SHORTNAME")});
    else
        ds->setIndexFieldNames(order);
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 1));
    QCOMPARE(ds->Locate(fields, values, options), unitId != 0);
    QCOMPARE(ds->FieldByName(QStringLiteral("UNIT_ID"))->AsInteger(), unitId ? unitId : 1);
}

void TstIndexes::locateByText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("unitId"); // 0: nothing found, the current row stays
    // "abc" (7) does not hold 12; "Abc" (12) comes before "ABCD" (12) in the order
    QTest::newRow("text and number") << "abc;12" << 8;
    QTest::newRow("text and an empty number") << "abc;" << 0;
    QTest::newRow("text prefix in any case") << "ABX" << 7;
    QTest::newRow("Cyrillic in any case") << "кг" << 2;
    QTest::newRow("capital Cyrillic") << "КГС" << 3;
    QTest::newRow("number only with empty text") << ";9.807" << 3;
    QTest::newRow("empty text: first row") << "" << 5;
    QTest::newRow("no match") << "zz" << 0;
    QTest::newRow("number that does not convert") << "abc;двенадцать" << 0;
}

void TstIndexes::locateByText()
{
    QFETCH(QString, text);
    QFETCH(int, unitId);
    auto ds = units();
    QVERIFY(SortGridByMarkers(ds.get(), {up("SHORTNAME"), none("UNITNAME"), up("FACTOR")}));
    QCOMPARE(ds->IndexName(), QStringLiteral("iSHORTNAME_FACTOR"));
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 1));
    QCOMPARE(ds->LocateByText(text), unitId != 0);
    QCOMPARE(ds->FieldByName(QStringLiteral("UNIT_ID"))->AsInteger(), unitId ? unitId : 1);
    ds->Close();
    QVERIFY(!ds->LocateByText(text));
}

QTEST_MAIN(TstIndexes)
#include "tst_data_indexes.moc"
