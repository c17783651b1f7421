#include "KV_ADODataSet.h"
#include "KV_ApplyAndReconcile.h"
#include "KV_DBNavigator.h"
#include "KV_LIB.h"
#include "KV_MemDataSet.h"
#include "KV_Provider.h"
#include "KV_db.h"
#include "ScriptedPrompts.h"
#include "TestDatabase.h"

#include <QTest>

namespace {

const char *const ButtonNames[KVNavigateControlCount] = {"post",  "cancel",   "insert",  "delete",
                                                         "edit",  "property", "refresh", "first",
                                                         "prior", "next",     "last"};

// The enabled buttons by name, in button order: "insert edit refresh".
QString enabledButtons(const TKV_DBNavigator &nav)
{
    QStringList names;
    for (int i = 0; i < KVNavigateControlCount; ++i)
        if (nav.isButtonEnabled(TKVNavigateControl(i)))
            names << QString::fromLatin1(ButtonNames[i]);
    return names.join(QLatin1Char(' '));
}

// A list of units held in memory: NAME only.
void fillUnits(TKV_MemDataSet &units, const QStringList &names)
{
    units.AddField(QStringLiteral("NAME"), KvFieldType::String, 20);
    QVERIFY(units.CreateDataSet());
    for (const QString &name : names) {
        QVERIFY(units.Append());
        units.FieldByName(QStringLiteral("NAME"))->setValue(name);
        QVERIFY(units.Post());
    }
    units.First();
}

QStringList unitNames(TKV_ClientDataSet &units, const QString &field = QStringLiteral("NAME"))
{
    QStringList names;
    for (int row = 0; row < units.RecordCount(); ++row)
        names << units.FindField(field)->valueAt(row).toString();
    return names;
}

} // namespace

class TestUiNavigator : public QObject
{
    Q_OBJECT

private slots:
    void enabling_data();
    void enabling();
    void deleteQuestion_data();
    void deleteQuestion();
    void ownDeleteWithoutConfirmation();
    void refreshWhileEditing();
};

void TestUiNavigator::enabling_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("enabled");
    const QString all =
        QStringLiteral("post cancel insert delete property refresh first prior next last");
    QTest::newRow("closed") << "closed"
                            << "";
    QTest::newRow("empty") << "empty"
                           << "insert edit refresh";
    QTest::newRow("first row") << "first"
                               << "insert delete edit property refresh next last";
    QTest::newRow("middle row") << "middle"
                                << "insert delete edit property refresh first prior next last";
    QTest::newRow("last row") << "last"
                              << "insert delete edit property refresh first prior";
    QTest::newRow("editing") << "edit" << all;
    QTest::newRow("inserting") << "insert" << all;
    QTest::newRow("after post") << "post"
                                << "insert delete edit property refresh first prior next last";
    QTest::newRow("after cancelled insert")
        << "cancel"
        << "insert delete edit property refresh first prior next last";
    QTest::newRow("read-only") << "readonly"
                               << "property refresh next last";
    QTest::newRow("navigator disabled") << "disabled"
                                        << "";
}

void TestUiNavigator::enabling()
{
    QFETCH(QString, situation);
    QFETCH(QString, enabled);

    TKV_MemDataSet units;
    TKV_DBNavigator nav;
    nav.setDataSource(&units);
    QCOMPARE(enabledButtons(nav), QString());

    // Every change below reaches the navigator through the dataset's signals alone.
    if (situation == QLatin1String("closed")) {
        fillUnits(units, {QStringLiteral("м"), QStringLiteral("кг")});
        units.Close();
    } else if (situation == QLatin1String("empty")) {
        fillUnits(units, {});
    } else {
        fillUnits(units, {QStringLiteral("м"), QStringLiteral("кг"), QStringLiteral("шт")});
        if (situation == QLatin1String("last")) {
            units.Last();
        } else if (situation != QLatin1String("first") && situation != QLatin1String("disabled")) {
            units.Next();
        }
        if (situation == QLatin1String("edit")) {
            QVERIFY(units.Edit());
        } else if (situation == QLatin1String("insert")) {
            QVERIFY(units.Insert());
        } else if (situation == QLatin1String("post")) {
            QVERIFY(units.Edit());
            units.FieldByName(QStringLiteral("NAME"))->setValue(QStringLiteral("г"));
            QVERIFY(units.Post());
        } else if (situation == QLatin1String("cancel")) {
            QVERIFY(units.Insert());
            units.Cancel();
        } else if (situation == QLatin1String("readonly")) {
            units.setReadOnly(true);
            units.First();
        } else if (situation == QLatin1String("disabled")) {
            nav.setEnabled(false);
        }
    }
    QCOMPARE(enabledButtons(nav), enabled);
}

void TestUiNavigator::deleteQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("OK deletes") << int(Prompts::Ok)
                                << QStringList{QStringLiteral("м"), QStringLiteral("шт")};
    QTest::newRow("Cancel keeps the row")
        << int(Prompts::Cancel)
        << QStringList{QStringLiteral("м"), QStringLiteral("кг"), QStringLiteral("шт")};
}

void TestUiNavigator::deleteQuestion()
{
    QFETCH(int, answer);
    QFETCH(QStringList, left);
    ScriptedPrompts prompts;
    prompts.answer(Prompts::Answer(answer));
    TKV_MemDataSet units;
    fillUnits(units, {QStringLiteral("м"), QStringLiteral("кг"), QStringLiteral("шт")});
    units.Next();
    TKV_DBNavigator nav;
    nav.setDataSource(&units);
    QStringList raised;
    nav.BeforeAction = [&](TKV_DBNavigator *, TKVNavigateControl b) {
        raised << QStringLiteral("before %1").arg(int(b));
    };
    nav.OnClick = [&](TKV_DBNavigator *, TKVNavigateControl b) {
        raised << QStringLiteral("click %1").arg(int(b));
    };

    QTest::mouseClick(nav.button(nbDelete), Qt::LeftButton);
    QCOMPARE(prompts.texts(), QStringList{QStringLiteral("Delete record?")});
    QCOMPARE(unitNames(units), left);
    QCOMPARE(raised, (QStringList{QStringLiteral("before %1").arg(int(nbDelete)),
                                  QStringLiteral("click %1").arg(int(nbDelete))}));
}

void TestUiNavigator::ownDeleteWithoutConfirmation()
{
    // The guides' setting: the window's own delete with its own question.
    ScriptedPrompts prompts;
    prompts.answer(Prompts::Yes);
    TKV_MemDataSet units;
    fillUnits(units, {QStringLiteral("м"), QStringLiteral("кг")});
    units.Last();
    TKV_DBNavigator nav;
    nav.setDataSource(&units);
    nav.setConfirmDelete(false);
    nav.setHints(TKV_DBNavigator::StandardHints());
    nav.OnDeleteBtnClick = [&](TKV_DBNavigator *sender) {
        QCOMPARE(sender, &nav);
        const QString name = units.FieldByName(QStringLiteral("NAME"))->AsString();
        if (ConfirmDelete(QStringLiteral("RU"), name))
            units.Delete();
    };

    QTest::mouseClick(nav.button(nbDelete), Qt::LeftButton);
    QCOMPARE(prompts.texts(), QStringList{QStringLiteral("Удалять запись? кг")});
    QCOMPARE(unitNames(units), QStringList{QStringLiteral("м")});
    QCOMPARE(nav.button(nbDelete)->toolTip(), QStringLiteral("Удалить запись"));
}

void TestUiNavigator::refreshWhileEditing()
{
    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QString error;
    QVERIFY2(db.execAsOwner(
                 QStringLiteral("create table zolt.nav_unit (unit_id integer primary key, "
                                "shortname varchar(10));"
                                "insert into zolt.nav_unit values (1, 'м'), (2, 'кг');"
                                "grant select, insert, update, delete on zolt.nav_unit to ddl"),
                 &error),
             qPrintable(error));
    KvSession session;
    QVERIFY2(session.open(db.params(), &error), qPrintable(error));
    TKV_ADODataSet ods(&session);
    ods.setCommandText(
        QStringLiteral("select UNIT_ID, SHORTNAME from ZOLT.NAV_UNIT order by UNIT_ID"));
    ods.setUniqueFields(QStringLiteral("UNIT_ID"));
    TKV_DataSetProvider dsp(&ods);
    dsp.setTableName(QStringLiteral("ZOLT.NAV_UNIT"));
    TKV_ClientDataSet cds;
    cds.setObjectName(QStringLiteral("cdsMaster"));
    cds.setDataProvider(&dsp);
    UseReconcileReport(cds);
    cds.AfterPost = [](TKV_ClientDataSet &ds) { ApplyAndCommit(ds); };
    QVERIFY2(cds.Open(), qPrintable(cds.LastError()));

    TKV_DBNavigator nav;
    nav.setDataSource(&cds);
    cds.Last();
    QVERIFY(cds.Edit());
    cds.FieldByName(QStringLiteral("SHORTNAME"))->setValue(QStringLiteral("г"));
    // Meanwhile another user adds a unit.
    QVERIFY(db.execAsOwner(QStringLiteral("insert into zolt.nav_unit values (3, 'шт')")));
    QVERIFY(nav.isButtonEnabled(nbRefresh));

    QTest::mouseClick(nav.button(nbRefresh), Qt::LeftButton);
    // The edit was posted (and applied by the list) before the refetch, which brought the
    // other user's row.
    QCOMPARE(cds.State(), KvDataSetState::Browse);
    QCOMPARE(db.valueAsOwner(QStringLiteral("select shortname from zolt.nav_unit where "
                                            "unit_id = 2"))
                 .toString(),
             QStringLiteral("г"));
    QCOMPARE(unitNames(cds, QStringLiteral("SHORTNAME")).join(QLatin1Char(' ')),
             QStringLiteral("м г шт"));
    QVERIFY(nav.isButtonEnabled(nbEdit));
    QVERIFY(!nav.isButtonEnabled(nbPost));
}

QTEST_MAIN(TestUiNavigator)
#include "tst_ui_navigator.moc"
