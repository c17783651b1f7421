#include "KV_DBGridEh.h"
#include "KV_DataSetModel.h"
#include "KV_FormPlacement.h"
#include "KV_MemDataSet.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QMainWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

namespace {

// Four wares in memory: name, quantity, price.
void fillWares(TKV_MemDataSet &wares)
{
    wares.AddField(QStringLiteral("NAME"), KvFieldType::String, 20);
    wares.AddField(QStringLiteral("QTY"), KvFieldType::Integer);
    wares.AddField(QStringLiteral("PRICE"), KvFieldType::Float);
    QVERIFY(wares.CreateDataSet());
    const struct
    {
        const char *name;
        int qty;
        double price;
    } rows[] = {{"b", 2, 1.5}, {"a", 3, 2.25}, {"c", 1, 10}, {"a", 1, 4}};
    for (const auto &r : rows) {
        QVERIFY(wares.Append());
        wares.FieldByName(QStringLiteral("NAME"))->setValue(QString::fromLatin1(r.name));
        wares.FieldByName(QStringLiteral("QTY"))->setValue(r.qty);
        wares.FieldByName(QStringLiteral("PRICE"))->setValue(r.price);
        QVERIFY(wares.Post());
    }
    wares.First();
}

QList<TColumnEh> wareColumns()
{
    TColumnEh name;
    name.FieldName = QStringLiteral("NAME");
    name.Title = QStringLiteral("Наименование");
    name.Footer = fvtCount;
    TColumnEh qty;
    qty.FieldName = QStringLiteral("QTY");
    qty.Title = QStringLiteral("Товар|Кол.");
    TColumnEh price;
    price.FieldName = QStringLiteral("PRICE");
    price.Title = QStringLiteral("Товар|Цена");
    price.Footer = fvtSum;
    price.FooterFormat = QStringLiteral("### ### ##0.00");
    return {name, qty, price};
}

// The rows as the grid shows them: "a3 a1 b2 c1".
QString shownRows(const TKV_DBGridEh &grid)
{
    QStringList rows;
    const QAbstractItemModel *m = grid.model();
    for (int r = 0; r < m->rowCount(); ++r)
        rows << m->index(r, 0).data().toString() + m->index(r, 1).data().toString();
    return rows.join(QLatin1Char(' '));
}

// Clicks a column title as the user does; "ctrl+QTY" holds Ctrl.
void clickTitle(TKV_DBGridEh &grid, const QString &click)
{
    const bool ctrl = click.startsWith(QLatin1String("ctrl+"));
    const int column = grid.columnOf(ctrl ? click.mid(5) : click);
    QHeaderView *title = grid.horizontalHeader();
    const QPoint at(title->sectionViewportPosition(column) + title->sectionSize(column) / 2,
                    title->height() - 4);
    QTest::mouseClick(title->viewport(), Qt::LeftButton,
                      ctrl ? Qt::ControlModifier : Qt::NoModifier, at);
}

} // namespace

class TestUiGrid : public QObject
{
    Q_OBJECT

private slots:
    void sortByMarkers_data();
    void sortByMarkers();
    void footersFollowEdits();
    void cancelNewRowKeepsRows_data();
    void cancelNewRowKeepsRows();
    void layoutSurvivesReopen();
};

void TestUiGrid::sortByMarkers_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("indexName");
    QTest::addColumn<QString>("rows");
    QTest::newRow("one column") << "NAME"
                                << "iNAME"
                                << "a? a? b2 c1";
    QTest::newRow("one column descending") << "NAME NAME"
                                           << "iNAMEDesc"
                                           << "c1 b2 a? a?";
    QTest::newRow("two columns") << "NAME ctrl+QTY ctrl+QTY"
                                 << "iNAME_QTYDesc"
                                 << "a3 a1 b2 c1";
    // Several markers sort in column order, whatever order they were set in.
    QTest::newRow("two columns in column order") << "QTY ctrl+NAME"
                                                 << "iNAME_QTY"
                                                 << "a1 a3 b2 c1";
}

void TestUiGrid::sortByMarkers()
{
    QFETCH(QString, clicks);
    QFETCH(QString, indexName);
    QFETCH(QString, rows);
    TKV_MemDataSet wares;
    fillWares(wares);
    TKV_DBGridEh grid;
    grid.setMultiSortMarking(true);
    grid.setColumns(wareColumns());
    grid.setDataSet(&wares);
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(shownRows(grid), QStringLiteral("b2 a3 c1 a1"));

    for (const QString &click : clicks.split(QLatin1Char(' ')))
        clickTitle(grid, click);

    QCOMPARE(wares.IndexName(), indexName);
    const QString shown = shownRows(grid);
    QCOMPARE(shown.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i)
        if (rows.at(i) != QLatin1Char('?'))
            QCOMPARE(shown.at(i), rows.at(i));
    // The grid's current row is still the dataset's.
    QCOMPARE(grid.currentIndex().row(), wares.currentRow());
}

void TestUiGrid::footersFollowEdits()
{
    TKV_MemDataSet wares;
    fillWares(wares);
    TKV_DBGridEh grid;
    grid.setColumns(wareColumns());
    grid.setDataSet(&wares);
    grid.setFooterVisible(true);
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.footerText(QStringLiteral("NAME")), QStringLiteral("4"));
    QCOMPARE(grid.footerText(QStringLiteral("PRICE")), QStringLiteral("17.75"));
    QCOMPARE(grid.footerText(QStringLiteral("QTY")), QString());

    // Typing a price into the grid edits the row; the post updates the sum.
    const QModelIndex cell = grid.model()->index(2, grid.columnOf(QStringLiteral("PRICE")));
    grid.setCurrentIndex(cell);
    QVERIFY(grid.model()->setData(cell, 1002.5));
    QCOMPARE(wares.State(), KvDataSetState::Edit);
    QVERIFY(wares.Post());
    QCOMPARE(grid.footerText(QStringLiteral("PRICE")), QStringLiteral("1 010.25"));

    QVERIFY(wares.Append());
    wares.FieldByName(QStringLiteral("NAME"))->setValue(QStringLiteral("d"));
    wares.FieldByName(QStringLiteral("PRICE"))->setValue(-0.2);
    QVERIFY(wares.Post());
    QCOMPARE(grid.footerText(QStringLiteral("NAME")), QStringLiteral("5"));
    QCOMPARE(grid.footerText(QStringLiteral("PRICE")), QStringLiteral("1 010.05"));

    wares.First();
    QVERIFY(wares.Delete());
    QCOMPARE(grid.footerText(QStringLiteral("NAME")), QStringLiteral("4"));
    QCOMPARE(grid.footerText(QStringLiteral("PRICE")), QStringLiteral("1 008.55"));
}

void TestUiGrid::cancelNewRowKeepsRows_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<int>("from");
    QTest::newRow("append after the last row") << true << 3;
    QTest::newRow("append from the first row") << true << 0;
    QTest::newRow("insert before the first row") << false << 0;
    QTest::newRow("insert before the second row") << false << 1;
}

// Cancel on a new row takes it back: the grid moving off the removed row must not post it.
void TestUiGrid::cancelNewRowKeepsRows()
{
    QFETCH(bool, append);
    QFETCH(int, from);
    TKV_MemDataSet wares;
    fillWares(wares);
    wares.setLogChanges(true);
    TKV_DBGridEh grid;
    grid.setColumns(wareColumns());
    grid.setDataSet(&wares);
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QVERIFY(wares.setCurrentRow(from));
    const QString before = shownRows(grid);
    const QString current = wares.FieldByName(QStringLiteral("NAME"))->AsString() +
                            wares.FieldByName(QStringLiteral("QTY"))->AsString();

    QVERIFY(append ? wares.Append() : wares.Insert());
    QCOMPARE(grid.model()->rowCount(), 5);
    wares.FieldByName(QStringLiteral("NAME"))->setValue(QStringLiteral("new"));
    wares.FieldByName(QStringLiteral("QTY"))->setValue(7);
    QList<KvDataSetState> states;
    connect(grid.model(), &QAbstractItemModel::rowsAboutToBeRemoved, &grid,
            [&] { states << wares.State(); });
    wares.Cancel();

    QCOMPARE(states, QList<KvDataSetState>{KvDataSetState::Browse});
    QCOMPARE(wares.State(), KvDataSetState::Browse);
    QCOMPARE(wares.RecordCount(), 4);
    QCOMPARE(wares.ChangeCount(), 0);
    QCOMPARE(grid.model()->rowCount(), 4);
    QCOMPARE(shownRows(grid), before);
    QCOMPARE(wares.FieldByName(QStringLiteral("NAME"))->AsString() +
                 wares.FieldByName(QStringLiteral("QTY"))->AsString(),
             current);
    QCOMPARE(grid.currentIndex().row(), from);
}

void TestUiGrid::layoutSurvivesReopen()
{
    QTemporaryDir settingsDir;
    QVERIFY(settingsDir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    TKV_MemDataSet wares;
    fillWares(wares);
    const QString key = TFormPlacement::SettingsKey(QStringLiteral("frmWareList"));

    // The window as a list window builds it, with what it restores when shown and saves
    // when closed.
    struct Window
    {
        QMainWindow main;
        QToolBar *toolBar = nullptr;
        TKV_DBGridEh *grid = nullptr;
    };
    auto open = [&](TKV_MemDataSet &ds) {
        auto *w = new Window;
        w->toolBar = w->main.addToolBar(QStringLiteral("Панель"));
        w->toolBar->setObjectName(QStringLiteral("ToolBar1"));
        w->toolBar->addAction(QStringLiteral("Закрыть"));
        w->grid = new TKV_DBGridEh(&w->main);
        w->grid->setObjectName(QStringLiteral("dbgWares"));
        w->grid->setColumns(wareColumns());
        w->grid->setDataSet(&ds);
        w->main.setCentralWidget(w->grid);
        TFormPlacement placement(key);
        placement.RestorePlacement(&w->main);
        placement.RestoreGridLayout(w->grid);
        w->grid->SortByMarkers();
        w->main.show();
        return w;
    };
    auto close = [&](Window *w) {
        TFormPlacement placement(key);
        placement.SavePlacement(&w->main);
        placement.SavePosition(w->toolBar);
        placement.SaveGridLayout(w->grid);
        delete w;
    };

    Window *first = open(wares);
    QVERIFY(QTest::qWaitForWindowExposed(&first->main));
    first->main.setGeometry(40, 50, 700, 420);
    first->grid->setColumnWidth(QStringLiteral("NAME"), 210);
    first->grid->horizontalHeader()->moveSection(2, 0); // price first
    first->grid->setColumnVisible(QStringLiteral("QTY"), false);
    first->grid->setSortMarker(QStringLiteral("NAME"), smDownEh);
    first->grid->setGroupFields({QStringLiteral("NAME")});
    first->grid->setGroupPanelVisible(true);
    const QStringList layout = first->grid->columnsLayout();
    const QRect geometry = first->main.geometry();
    close(first);
    QVERIFY(QFileInfo::exists(settingsDir.path() + QStringLiteral("/Tervalon/korvel.conf")));

    Window *second = open(wares);
    QVERIFY(QTest::qWaitForWindowExposed(&second->main));
    QCOMPARE(second->main.geometry(), geometry);
    QCOMPARE(second->grid->columnsLayout(), layout);
    QCOMPARE(second->grid->columnWidth(QStringLiteral("NAME")), 210);
    QCOMPARE(second->grid->horizontalHeader()->visualIndex(
                 second->grid->columnOf(QStringLiteral("PRICE"))),
             0);
    QVERIFY(second->grid->GroupPanelVisible());
    QCOMPARE(second->grid->GroupFields(), QStringList{QStringLiteral("NAME")});
    // The restored markers sort the list again: grouped by name, names descending.
    QCOMPARE(wares.IndexName(), QStringLiteral("iNAMEDesc"));
    TFormPlacement placement(key);
    QVERIFY(placement.ReadValue(QStringLiteral("ToolBar1.Left")).isValid());
    QVERIFY(placement.ReadValue(QStringLiteral("ToolBar1.Top")).isValid());
    delete second;
}

QTEST_MAIN(TestUiGrid)
#include "tst_ui_grid.moc"
