// Applying change logs: the statements the provider sends, refused rows and their report.

#include "DataFixture.h"
#include "KV_ApplyAndReconcile.h"
#include "ScriptedPrompts.h"

#include <QtTest>

class TstApply : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void statements_data();
    void statements();
    void updateWritesOnlyChangedColumns();
    void deleteAddressesTheKeyOnly();
    void duplicateKeyInsertIsReportedAndRemoved();
    void refusedByAnotherUser_data();
    void refusedByAnotherUser();
    void acceptedRowsStayWhenOthersAreRefused();
    void lostConnectionKeepsUnsentChanges();

private:
    std::unique_ptr<TKV_ClientDataSet> units(const QString &statement = {});
    QString serverText(const QString &sql) { return f->otherValue(sql).toString(); }

    std::unique_ptr<DataFixture> f;
    TKV_DataSetProvider *m_units = nullptr;
    TKV_DataSetProvider *m_unitsJoined = nullptr;
};

void TstApply::initTestCase()
{
    f = std::make_unique<DataFixture>();
    QVERIFY2(f->isValid(), qPrintable(f->error()));
    m_units = f->provider(QStringLiteral("Unit"), QStringLiteral("select * from zolt.t_unit"),
                          QStringLiteral("ZOLT.T_UNIT"), QStringLiteral(" UNIT_ID "));
    // A list joined to another table and computing a column: only the target's own
    // columns are written.
    m_unitsJoined = f->provider(
        QStringLiteral("UnitJoined"),
        QStringLiteral("select u.unit_id, u.shortname, u.unitname, u.factor * 2 as ro_double, "
                       "w.waretypename from zolt.t_unit u left join zolt.t_waretype w "
                       "on w.waretype_id = u.unit_id + 9 order by u.unit_id"),
        QStringLiteral("ZOLT.t_unit"), QStringLiteral("UNIT_ID"));
}

void TstApply::init()
{
    QVERIFY(f->resetRows());
}

std::unique_ptr<TKV_ClientDataSet> TstApply::units(const QString &statement)
{
    auto ds = f->clientDataSet(QStringLiteral("cdsMaster"),
                               statement == QLatin1String("joined") ? m_unitsJoined : m_units);
    UseReconcileReport(*ds);
    if (!ds->Open())
        qWarning("%s", qPrintable(ds->LastError()));
    return ds;
}

void TstApply::statements_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("values");
    QTest::newRow("update: changed column, key only")
        << "plain" << int(KvDeltaRow::Modify)
        << "update ZOLT.T_UNIT set \"unitname\" = ? where \"unit_id\" = ?"
        << QVariantList{QStringLiteral("штуки"), 1LL};
    QTest::newRow("delete: key only")
        << "plain" << int(KvDeltaRow::Delete) << "delete from ZOLT.T_UNIT where \"unit_id\" = ?"
        << QVariantList{1LL};
    QTest::newRow("insert: the row's columns that have values")
        << "plain" << int(KvDeltaRow::Insert)
        << "insert into ZOLT.T_UNIT (\"unit_id\", \"shortname\", \"unitname\", \"factor\", "
           "\"phone1\", \"note\") values (?, ?, ?, ?, ?, ?)"
        << QVariantList{1LL, QStringLiteral("шт"),  QStringLiteral("штуки"),
                        1.0, QStringLiteral("101"), QStringLiteral("основная")};
    QTest::newRow("update of a joined list: computed and joined columns stay out")
        << "joined" << int(KvDeltaRow::Modify)
        << "update ZOLT.t_unit set \"unitname\" = ? where \"unit_id\" = ?"
        << QVariantList{QStringLiteral("штуки"), 1LL};
    QTest::newRow("insert of a joined list")
        << "joined" << int(KvDeltaRow::Insert)
        << "insert into ZOLT.t_unit (\"unit_id\", \"shortname\", \"unitname\") values (?, ?, ?)"
        << QVariantList{1LL, QStringLiteral("шт"), QStringLiteral("штуки")};
}

void TstApply::statements()
{
    QFETCH(QString, list);
    QFETCH(int, kind);
    QFETCH(QString, sql);
    QFETCH(QVariantList, values);
    auto ds = units(list);
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 1));
    // The row as the provider sees it: the unit with its name changed.
    KvDeltaRow row;
    row.kind = KvDeltaRow::Kind(kind);
    for (KvField *field : ds->Fields()) {
        if (!field->isData())
            continue;
        KvDeltaValue value;
        value.field = field;
        value.oldValue = field->Value();
        value.newValue = field->Value();
        if (field->FieldName() == QLatin1String("unitname")) {
            value.newValue = QStringLiteral("штуки");
            value.changed = true;
        }
        if (field->FieldName() == QLatin1String("ro_double"))
            value.changed = true; // computed: never written, changed or not
        row.values.push_back(value);
    }
    KvApplyStatement statement;
    QString error;
    TKV_DataSetProvider *provider = list == QLatin1String("joined") ? m_unitsJoined : m_units;
    QVERIFY2(provider->BuildStatement(row, statement, &error), qPrintable(error));
    QCOMPARE(statement.sql, sql);
    QCOMPARE(statement.values, values);
    QCOMPARE(statement.mustTouchRow, kind != KvDeltaRow::Insert);
}

void TstApply::updateWritesOnlyChangedColumns()
{
    ScriptedPrompts prompts;
    auto ds = units();
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 1));
    QVERIFY(ds->Edit());
    QVERIFY(ds->FieldByName(QStringLiteral("UNITNAME"))->setValue(QStringLiteral("штуки")));
    QVERIFY(ds->Post());
    // Meanwhile another user changes another column of the same row.
    QVERIFY(f->asOther(QStringLiteral("update zolt.t_unit set note = 'чужая', factor = 5 "
                                      "where unit_id = 1")));
    ApplyAndCommit(*ds);
    QCOMPARE(ds->ChangeCount(), 0);
    QVERIFY(prompts.shown().isEmpty());
    QCOMPARE(serverText(QStringLiteral("select unitname from zolt.t_unit where unit_id = 1")),
             QStringLiteral("штуки"));
    QCOMPARE(serverText(QStringLiteral("select note from zolt.t_unit where unit_id = 1")),
             QStringLiteral("чужая"));
    QCOMPARE(f->otherValue(QStringLiteral("select factor from zolt.t_unit where unit_id = 1"))
                 .toDouble(),
             5.0);
}

void TstApply::deleteAddressesTheKeyOnly()
{
    ScriptedPrompts prompts;
    auto ds = units();
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 2));
    QVERIFY(f->asOther(QStringLiteral("update zolt.t_unit set unitname = 'переименован' "
                                      "where unit_id = 2")));
    QVERIFY(ds->Delete());
    ApplyAndCommit(*ds);
    QVERIFY(prompts.shown().isEmpty());
    QCOMPARE(
        f->otherValue(QStringLiteral("select count(*) from zolt.t_unit where unit_id = 2")).toInt(),
        0);
    QVERIFY(!ds->Locate(QStringLiteral("UNIT_ID"), 2));
}

void TstApply::duplicateKeyInsertIsReportedAndRemoved()
{
    ScriptedPrompts prompts;
    auto ds = units();
    QVERIFY(ds->Append());
    ds->FieldByName(QStringLiteral("UNIT_ID"))->setValue(1);
    ds->FieldByName(QStringLiteral("SHORTNAME"))->setValue(QStringLiteral("дубль"));
    QVERIFY(ds->Post());
    QVERIFY(ds->Locate(QStringLiteral("SHORTNAME"), QStringLiteral("дубль")));
    ApplyAndCommit(*ds);

    QCOMPARE(prompts.texts(Prompts::Kind::Error).size(), 1);
    const QString shown = prompts.texts(Prompts::Kind::Error).first();
    const QString heading = QStringLiteral("ERROR: Ошибка обновления - cdsMaster Добавление\r");
    QVERIFY2(shown.startsWith(heading), qPrintable(shown));
    QVERIFY2(shown.mid(heading.size()).startsWith(QStringLiteral("duplicate key value")),
             qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("(unit_id)=(1)")), qPrintable(shown));
    // the event log holds it too, through LogError
    QCOMPARE(f->session.eventLog().lines().first(), QStringLiteral("ERROR: ") + shown);
    // the inserted row is gone from the list; the unit that holds the key is untouched
    QVERIFY(!ds->Locate(QStringLiteral("SHORTNAME"), QStringLiteral("дубль")));
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 1));
    QCOMPARE(ds->FieldByName(QStringLiteral("SHORTNAME"))->AsString(), QStringLiteral("шт"));
    QCOMPARE(ds->ChangeCount(), 0);
    QCOMPARE(ds->State(), KvDataSetState::Browse);
}

void TstApply::refusedByAnotherUser_data()
{
    QTest::addColumn<bool>("deleting");
    QTest::addColumn<QString>("word");
    QTest::newRow("delete") << true << "Удаление";
    QTest::newRow("modify") << false << "Изменение";
}

void TstApply::refusedByAnotherUser()
{
    QFETCH(bool, deleting);
    QFETCH(QString, word);
    ScriptedPrompts prompts;
    auto ds = units();
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 3));
    // another user deletes the unit and commits
    QVERIFY(f->asOther(QStringLiteral("delete from zolt.t_unit where unit_id = 3")));
    if (deleting) {
        QVERIFY(ds->Delete());
        QVERIFY(!ds->Locate(QStringLiteral("UNIT_ID"), 3));
    } else {
        QVERIFY(ds->Edit());
        ds->FieldByName(QStringLiteral("UNITNAME"))->setValue(QStringLiteral("новое"));
        QVERIFY(ds->Post());
    }
    ApplyAndCommit(*ds);
    QCOMPARE(prompts.texts(Prompts::Kind::Error),
             QStringList{QStringLiteral("ERROR: Ошибка обновления - cdsMaster %1\r"
                                        "Record changed by another user ")
                             .arg(word)});
    // the row is shown again, with its old values, until the list is refreshed
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 3));
    QCOMPARE(ds->FieldByName(QStringLiteral("UNITNAME"))->AsString(), QStringLiteral("кг-сила"));
    QCOMPARE(ds->ChangeCount(), 0);
    QVERIFY(ds->Refresh());
    QVERIFY(!ds->Locate(QStringLiteral("UNIT_ID"), 3));
}

void TstApply::acceptedRowsStayWhenOthersAreRefused()
{
    ScriptedPrompts prompts;
    auto ds = units();
    // three changes in one change log: a good insert, a duplicate insert, a good edit
    QVERIFY(ds->Append());
    ds->FieldByName(QStringLiteral("UNIT_ID"))->setValue(50);
    ds->FieldByName(QStringLiteral("SHORTNAME"))->setValue(QStringLiteral("л"));
    QVERIFY(ds->Append()); // posts the first
    ds->FieldByName(QStringLiteral("UNIT_ID"))->setValue(2);
    ds->FieldByName(QStringLiteral("SHORTNAME"))->setValue(QStringLiteral("дубль"));
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 4)); // posts the second
    QVERIFY(ds->Edit());
    ds->FieldByName(QStringLiteral("NOTE"))->setValue(QStringLiteral("изменена"));
    QVERIFY(ds->Post());
    QCOMPARE(ds->ChangeCount(), 3);

    QCOMPARE(ds->ApplyUpdates(-1), 1);
    QVERIFY(f->session.CommitWork());
    QCOMPARE(prompts.texts(Prompts::Kind::Error).size(), 1);
    QCOMPARE(ds->ChangeCount(), 0);
    QCOMPARE(serverText(QStringLiteral("select shortname from zolt.t_unit where unit_id = 50")),
             QStringLiteral("л"));
    QCOMPARE(serverText(QStringLiteral("select note from zolt.t_unit where unit_id = 4")),
             QStringLiteral("изменена"));
    QCOMPARE(serverText(QStringLiteral("select shortname from zolt.t_unit where unit_id = 2")),
             QStringLiteral("кг"));
    QVERIFY(!ds->Locate(QStringLiteral("SHORTNAME"), QStringLiteral("дубль")));
}

void TstApply::lostConnectionKeepsUnsentChanges()
{
    ScriptedPrompts prompts;
    KvSession session;
    QVERIFY(session.open(f->db.params()));
    auto *provider =
        new TKV_DataSetProvider(new TKV_ADODataSet(&session, &f->serverModule), &f->serverModule);
    provider->DataSet()->setCommandText(QStringLiteral("select * from zolt.t_unit"));
    provider->DataSet()->setUniqueFields(QStringLiteral("UNIT_ID"));
    provider->setTableName(QStringLiteral("zolt.t_unit"));
    auto ds = f->clientDataSet(QStringLiteral("cdsMaster"), provider);
    UseReconcileReport(*ds);
    QVERIFY(ds->Open());
    for (int id : {1, 2}) {
        QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), id));
        QVERIFY(ds->Edit());
        ds->FieldByName(QStringLiteral("NOTE"))->setValue(QStringLiteral("потеряно"));
        QVERIFY(ds->Post());
    }
    // the server ends the connection
    session.selectValue(QStringLiteral("select pg_terminate_backend(pg_backend_pid())"));

    QCOMPARE(ds->ApplyUpdates(-1), 1);
    // one report, for the row that was sent; the other change was not sent and is kept
    QCOMPARE(prompts.texts(Prompts::Kind::Error).size(), 1);
    QVERIFY(prompts.texts(Prompts::Kind::Error)
                .first()
                .startsWith(QStringLiteral("ERROR: Ошибка обновления - cdsMaster Изменение\r")));
    QCOMPARE(ds->ChangeCount(), 1);
    delete provider;
}

QTEST_MAIN(TstApply)
#include "tst_data_apply.moc"
