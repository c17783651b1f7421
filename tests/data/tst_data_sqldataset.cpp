// The SQL dataset: substitutions, parameters, key fields, types and the busy cursor.

#include "DataFixture.h"
#include "KV_BusyCursor.h"
#include "KV_LIB.h"

#include <QGuiApplication>
#include <QtTest>

class TstSqlDataSet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void expandSubstitutions_data();
    void expandSubstitutions();
    void substitutionByName();
    void applySubstitutionsRunsTheLatestValues();
    void keyFields_data();
    void keyFields();
    void typesAndParameters();
    void failedOpenRestoresTheCursor_data();
    void failedOpenRestoresTheCursor();

private:
    std::unique_ptr<DataFixture> f;
};

void TstSqlDataSet::initTestCase()
{
    f = std::make_unique<DataFixture>();
    QVERIFY2(f->isValid(), qPrintable(f->error()));
}

void TstSqlDataSet::expandSubstitutions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items"); // name, value, name, value ...
    QTest::addColumn<QString>("expected");

    const QStringList none;
    const QStringList a5{QStringLiteral("A"), QStringLiteral("5")};
    QTest::newRow("no substitution character")
        << "select 1 from dual where a = 'x'" << a5 << "select 1 from dual where a = 'x'";
    QTest::newRow("comma after the name is consumed") << "x = &A, y = 1" << a5 << "x = 5 y = 1";
    QTest::newRow("blank before the bracket is consumed")
        << "in (&LIST )" << QStringList{"LIST", "1,2"} << "in (1,2)";
    QTest::newRow("name at the end consumes nothing")
        << "select * from t where 1=1&str1" << QStringList{"str1", " and ShortNotice is null"}
        << "select * from t where 1=1 and ShortNotice is null";
    QTest::newRow("names match in any case")
        << "where User_id = &user_id )" << QStringList{"USER_ID", "3"} << "where User_id = 3)";
    QTest::newRow("quoted name keeps its blank")
        << "a = &'MY NAME' and b" << QStringList{"MY NAME", "7"} << "a = 7and b";
    QTest::newRow("character inside a literal") << "where s = 'a&b'" << a5 << "where s = 'a&b'";
    QTest::newRow("character inside double quotes")
        << "select \"&A\" from t" << a5 << "select \"&A\" from t";
    QTest::newRow("doubled character") << "a && b" << a5 << "a & b";
    QTest::newRow("doubled character in quotes stays") << "'a && b'" << a5 << "'a && b'";
    QTest::newRow("unconfigured name drops with its terminator")
        << "x = &NOPE, y" << none << "x =  y";
    QTest::newRow("any quote toggles the quoted state") << "'it`s' &A)" << a5 << "'it`s' &A)";
    QTest::newRow("two names and a line break")
        << "&A;&B\r\nnext" << QStringList{"A", "1", "B", "2"} << "12\nnext";
    QTest::newRow("empty value") << "where 1=1 &A)" << QStringList{"A", ""} << "where 1=1 ";
    QTest::newRow("Cyrillic text around")
        << "где имя = 'Иван' и &A," << a5 << "где имя = 'Иван' и 5";
}

void TstSqlDataSet::expandSubstitutions()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QFETCH(QString, expected);
    TSqlSubstitutions substitutions;
    for (int i = 0; i + 1 < items.size(); i += 2)
        substitutions.Add(items[i], items[i + 1]);
    QCOMPARE(ExpandSubstitutions(text, QLatin1Char('&'), substitutions), expected);
}

void TstSqlDataSet::substitutionByName()
{
    TKV_ADODataSet ds(&f->session);
    ds.setObjectName(QStringLiteral("qryDeliveryAppLst_id"));
    ds.SqlSubstitutions().Add(QStringLiteral("str1"), QStringLiteral(" "));
    QVERIFY(ds.SubstitutionByName(QStringLiteral("STR1")));
    QCOMPARE(ds.SubstitutionByName(QStringLiteral("STR1"))->Value, QStringLiteral(" "));

    QString error;
    QVERIFY(!ds.SubstitutionByName(QStringLiteral("str2"), &error));
    QCOMPARE(error, QStringLiteral("qryDeliveryAppLst_id: str2 SqlSubstitution Not Found"));
    QCOMPARE(ds.LastError(), error);
}

void TstSqlDataSet::applySubstitutionsRunsTheLatestValues()
{
    TKV_ADODataSet ds(&f->session);
    const QString text = QStringLiteral(
        "select count(*) as q from generate_series(1, 10) g where g <= &N  and &p_date  "
        "= date '2003-01-01'");
    ds.setCommandText(text);
    ds.SqlSubstitutions().Add(QStringLiteral("N"));
    ds.SqlSubstitutions().Add(QStringLiteral("p_date"), OracleDateLiteral(QDate(2003, 1, 1)));

    ds.SubstitutionByName(QStringLiteral("N"))->Value = QStringLiteral("3");
    ds.ApplySubstitutions();
    QVERIFY2(ds.Open(), qPrintable(ds.LastError()));
    QCOMPARE(ds.FieldValue(QStringLiteral("Q")).toInt(), 3);
    ds.Close();

    ds.SubstitutionByName(QStringLiteral("N"))->Value = QStringLiteral("7");
    ds.ApplySubstitutions();
    QVERIFY2(ds.Open(), qPrintable(ds.LastError()));
    QCOMPARE(ds.FieldValue(QStringLiteral("q")).toInt(), 7);
    QCOMPARE(ds.CommandText(), text);
}

void TstSqlDataSet::keyFields_data()
{
    QTest::addColumn<QString>("uniqueFields");
    QTest::addColumn<QString>("keys");
    QTest::newRow("blanks around") << "  MEASURE_ID "
                                   << "MEASURE_ID";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("only blanks") << "   "
                                 << "";
    QTest::newRow("two fields") << "A_ID;B_ID"
                                << "A_ID;B_ID";
}

void TstSqlDataSet::keyFields()
{
    QFETCH(QString, uniqueFields);
    QFETCH(QString, keys);
    TKV_ADODataSet ds(&f->session);
    ds.setUniqueFields(uniqueFields);
    QCOMPARE(ds.PSGetKeyFields(), keys);
}

void TstSqlDataSet::typesAndParameters()
{
    TKV_ADODataSet ds(&f->session);
    ds.setCommandText(QStringLiteral(
        "select :P_ID::int as id, 12.5::numeric(18,2) as price, date '2004-02-29' as d, "
        "true as flag, ':NOT_A_PARAM' as lit, :p_id + 1 as next_id, :NAME as name, "
        "null::numeric as nothing"));
    ds.Parameters().setValue(QStringLiteral("p_id"), 41);
    ds.Parameters().setValue(QStringLiteral("NAME"), QStringLiteral("Иванов 'И.'"));
    QVERIFY2(ds.Open(), qPrintable(ds.LastError()));
    QCOMPARE(ds.FieldValue(QStringLiteral("ID")).typeId(), int(QMetaType::LongLong));
    QCOMPARE(ds.FieldValue(QStringLiteral("ID")).toLongLong(), 41);
    QCOMPARE(ds.FieldValue(QStringLiteral("NEXT_ID")).toLongLong(), 42);
    // numbers with decimals arrive as double
    QCOMPARE(ds.FieldValue(QStringLiteral("PRICE")).typeId(), int(QMetaType::Double));
    QCOMPARE(ds.FieldValue(QStringLiteral("PRICE")).toDouble(), 12.5);
    QCOMPARE(ds.FieldValue(QStringLiteral("D")).toDate(), QDate(2004, 2, 29));
    QCOMPARE(ds.FieldValue(QStringLiteral("FLAG")).toBool(), true);
    QCOMPARE(ds.FieldValue(QStringLiteral("LIT")).toString(), QStringLiteral(":NOT_A_PARAM"));
    QCOMPARE(ds.FieldValue(QStringLiteral("NAME")).toString(), QStringLiteral("Иванов 'И.'"));
    QVERIFY(ds.FieldValue(QStringLiteral("NOTHING")).isNull());
    QVERIFY(!ds.FieldValue(QStringLiteral("MISSING")).isValid());
}

void TstSqlDataSet::failedOpenRestoresTheCursor_data()
{
    QTest::addColumn<int>("before"); // the override cursor shown before the open, -1: none
    QTest::newRow("no cursor") << -1;
    QTest::newRow("pointing hand") << int(Qt::PointingHandCursor);
}

void TstSqlDataSet::failedOpenRestoresTheCursor()
{
    QFETCH(int, before);
    QVERIFY(qobject_cast<QGuiApplication *>(QCoreApplication::instance()));
    if (before >= 0)
        QGuiApplication::setOverrideCursor(QCursor(Qt::CursorShape(before)));
    TKV_ADODataSet ds(&f->session);
    ds.setCommandText(QStringLiteral("select * from zolt.no_such_table"));
    QVERIFY(!ds.Open());
    QVERIFY(ds.LastError().contains(QStringLiteral("no_such_table")));
    QCOMPARE(KvBusyCursor::currentShape(), before >= 0 ? Qt::CursorShape(before) : Qt::ArrowCursor);
    if (before >= 0)
        QGuiApplication::restoreOverrideCursor();
    QVERIFY(!QGuiApplication::overrideCursor());
}

QTEST_MAIN(TstSqlDataSet)
#include "tst_data_sqldataset.moc"
