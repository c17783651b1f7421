// The table model over a client dataset: order, current row, edits, display.

#include "DataFixture.h"
#include "KV_DataSetModel.h"
#include "KV_SortByMarkers.h"
#include "ScriptedPrompts.h"

#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QtTest>

class TstModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void rowsInIndexOrder();
    void currentRowInStep();
    void editsGoThroughTheStates_data();
    void editsGoThroughTheStates();
    void newRowsAppearAndGo();
    void displayFromFields();

private:
    QString cell(const TKV_DataSetModel &model, int row, const QString &field)
    {
        return model.data(model.index(row, model.columnOf(field))).toString();
    }

    std::unique_ptr<DataFixture> f;
    std::unique_ptr<TKV_ClientDataSet> ds;
    int m_lists = 0;
};

void TstModel::initTestCase()
{
    f = std::make_unique<DataFixture>();
    QVERIFY2(f->isValid(), qPrintable(f->error()));
}

void TstModel::init()
{
    QVERIFY(f->resetRows());
    ds = f->clientDataSet(QStringLiteral("cdsMaster"),
                          f->provider(QStringLiteral("Unit") + QString::number(++m_lists),
                                      QStringLiteral("select * from zolt.t_unit order by unit_id"),
                                      QStringLiteral("zolt.t_unit"), QStringLiteral("UNIT_ID")));
    QVERIFY(ds->Open());
}

void TstModel::rowsInIndexOrder()
{
    TKV_DataSetModel model(ds.get());
    QCOMPARE(model.rowCount(), 8);
    QCOMPARE(cell(model, 0, QStringLiteral("SHORTNAME")), QStringLiteral("шт"));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QVERIFY(SortGridByMarkers(ds.get(), {{QStringLiteral("SHORTNAME"), KvSortMarker::Down}}));
    QCOMPARE(resets.size(), 1);
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << cell(model, row, QStringLiteral("SHORTNAME"));
    QCOMPARE(shown, (QStringList{"шт", "КГС", "кг", "m", "abx", "ABCD", "abc", "Abc"}));
    ds->Close();
    QCOMPARE(model.rowCount(), 0);
}

void TstModel::currentRowInStep()
{
    TKV_DataSetModel model(ds.get());
    QItemSelectionModel selection(&model);
    model.bindSelectionModel(&selection);
    QCOMPARE(selection.currentIndex().row(), 0);

    // the view moves: the dataset follows
    selection.setCurrentIndex(model.index(4, 1), QItemSelectionModel::ClearAndSelect);
    QCOMPARE(ds->currentRow(), 4);
    QCOMPARE(ds->FieldByName(QStringLiteral("UNIT_ID"))->AsInteger(), 5);
    // the dataset moves: the view follows, keeping its column
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 2));
    QCOMPARE(selection.currentIndex().row(), 1);
    QCOMPARE(selection.currentIndex().column(), 1);
    // after a new order the view is on the same row
    QVERIFY(SortGridByMarkers(ds.get(), {{QStringLiteral("SHORTNAME"), KvSortMarker::Up}}));
    QCOMPARE(selection.currentIndex().row(), ds->currentRow());
    QCOMPARE(cell(model, selection.currentIndex().row(), QStringLiteral("UNIT_ID")),
             QStringLiteral("2"));
    QVERIFY(
        model.data(model.index(ds->currentRow(), 0), TKV_DataSetModel::IsCurrentRowRole).toBool());
}

void TstModel::editsGoThroughTheStates_data()
{
    QTest::addColumn<bool>("autoEdit");
    QTest::addColumn<bool>("readOnlyField");
    QTest::addColumn<bool>("editable");
    QTest::newRow("automatic edit") << true << false << true;
    QTest::newRow("no automatic edit") << false << false << false;
    QTest::newRow("read-only field") << true << true << false;
}

void TstModel::editsGoThroughTheStates()
{
    QFETCH(bool, autoEdit);
    QFETCH(bool, readOnlyField);
    QFETCH(bool, editable);
    ds->setAutoEdit(autoEdit);
    ds->FieldByName(QStringLiteral("NOTE"))->ReadOnly = readOnlyField;
    TKV_DataSetModel model(ds.get());
    const QModelIndex note = model.index(2, model.columnOf(QStringLiteral("NOTE")));
    QCOMPARE(bool(model.flags(note) & Qt::ItemIsEditable), editable);
    QCOMPARE(model.setData(note, QStringLiteral("правка")), editable);
    if (!editable) {
        QCOMPARE(ds->State(), KvDataSetState::Browse);
        if (!readOnlyField) {
            // once the dataset is put in edit state, the row can be typed into
            QVERIFY(ds->setCurrentRow(2));
            QVERIFY(ds->Edit());
            QVERIFY(model.flags(note) & Qt::ItemIsEditable);
            QVERIFY(model.setData(note, QStringLiteral("правка")));
            ds->Cancel();
        }
        return;
    }
    QCOMPARE(ds->State(), KvDataSetState::Edit);
    QCOMPARE(ds->currentRow(), 2);
    QCOMPARE(cell(model, 2, QStringLiteral("NOTE")), QStringLiteral("правка"));
    // moving to another row posts
    QVERIFY(model.setCurrentRow(0));
    QCOMPARE(ds->State(), KvDataSetState::Browse);
    QCOMPARE(ds->ChangeCount(), 1);
}

void TstModel::newRowsAppearAndGo()
{
    TKV_DataSetModel model(ds.get());
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QVERIFY(ds->Append());
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted.first().at(1).toInt(), 8);
    QCOMPARE(model.rowCount(), 9);
    ds->Cancel();
    QCOMPARE(removed.size(), 1);
    QCOMPARE(model.rowCount(), 8);
    QVERIFY(ds->Locate(QStringLiteral("UNIT_ID"), 3));
    QVERIFY(ds->Delete());
    QCOMPARE(removed.size(), 2);
    QCOMPARE(removed.last().at(1).toInt(), 2);
    QCOMPARE(cell(model, 2, QStringLiteral("UNIT_ID")), QStringLiteral("4"));
}

void TstModel::displayFromFields()
{
    KvField *factor = ds->FieldByName(QStringLiteral("FACTOR"));
    factor->DisplayFormat = QStringLiteral("### ### ##0.###");
    factor->DisplayLabel = QStringLiteral("Коэфф.");
    TKV_DataSetModel model(ds.get());
    model.setColumns({QStringLiteral("SHORTNAME"), QStringLiteral("FACTOR")});
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Коэфф."));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("shortname"));
    QCOMPARE(model.data(model.index(1, 1)).toString(), QStringLiteral("1 000"));
    QCOMPARE(model.data(model.index(2, 1)).toString(), QStringLiteral("9.807"));
    QCOMPARE(model.data(model.index(2, 1), Qt::EditRole).toDouble(), 9.807);
    QCOMPARE(model.data(model.index(1, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(model.data(model.index(1, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignLeft | Qt::AlignVCenter);
}

QTEST_MAIN(TstModel)
#include "tst_data_model.moc"
