// A demonstration window of the grid (not a test): ware cards grouped by ware group, with
// two-level titles, sort markers, a footer sum, a pick list column, a column that stays in
// view, the navigator and the search panel. Run it and look; "--quit-after <ms>" closes it
// by itself (for screenshots).

#include "KV_DBGridEh.h"
#include "KV_DBNavigator.h"
#include "KV_MemDataSet.h"
#include "uSearchFrame.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

void fillCards(TKV_MemDataSet &cards)
{
    cards.AddField(QStringLiteral("CARD_NO"), KvFieldType::Integer);
    cards.AddField(QStringLiteral("L_WAREGROUP"), KvFieldType::String, 30);
    cards.AddField(QStringLiteral("L_WARETYPENAME"), KvFieldType::String, 61);
    cards.AddField(QStringLiteral("CURRENTQUANTITY"), KvFieldType::Float);
    cards.AddField(QStringLiteral("L_MEASURE"), KvFieldType::String, 10);
    cards.AddField(QStringLiteral("REGISTRATIONPRICE"), KvFieldType::Float)->DisplayFormat =
        QStringLiteral("### ### ##0.00");
    cards.AddField(QStringLiteral("CURRENT_SUM"), KvFieldType::Float)->DisplayFormat =
        QStringLiteral("### ### ### ### ##0.##");
    cards.AddField(QStringLiteral("TAXPERCENT"), KvFieldType::Integer);
    cards.CreateDataSet();
    const struct
    {
        const char *group;
        const char *name;
        double quantity;
        const char *measure;
        double price;
        int tax;
    } rows[] = {
        {"Материалы", "Кабель RG-6 белый", 1250, "м", 0.84, 20},
        {"Материалы", "Кабель RG-11 черный", 305, "м", 1.92, 20},
        {"Материалы", "Разъем F-6", 800, "шт", 0.07, 20},
        {"Материалы", "Стяжка 200 мм", 1500, "шт", 0.02, 10},
        {"Материалы", "Коробка распаечная", 42, "шт", 1.35, 18},
        {"Оборудование", "Усилитель домовой 862 МГц", 12, "шт", 148.5, 20},
        {"Оборудование", "Ответвитель 4 отв.", 64, "шт", 6.4, 20},
        {"Оборудование", "Делитель 2 вых.", 90, "шт", 3.15, 0},
        {"Оборудование", "Блок питания 60 В", 7, "шт", 95, 20},
    };
    int number = 101;
    for (const auto &r : rows) {
        cards.Append();
        cards.FieldByName(QStringLiteral("CARD_NO"))->setValue(number++);
        cards.FieldByName(QStringLiteral("L_WAREGROUP"))->setValue(QString::fromUtf8(r.group));
        cards.FieldByName(QStringLiteral("L_WARETYPENAME"))->setValue(QString::fromUtf8(r.name));
        cards.FieldByName(QStringLiteral("CURRENTQUANTITY"))->setValue(r.quantity);
        cards.FieldByName(QStringLiteral("L_MEASURE"))->setValue(QString::fromUtf8(r.measure));
        cards.FieldByName(QStringLiteral("REGISTRATIONPRICE"))->setValue(r.price);
        cards.FieldByName(QStringLiteral("CURRENT_SUM"))->setValue(r.quantity * r.price);
        cards.FieldByName(QStringLiteral("TAXPERCENT"))->setValue(r.tax);
        cards.Post();
    }
    cards.First();
}

TColumnEh column(const char *field, const char *title, int width)
{
    TColumnEh c;
    c.FieldName = QString::fromLatin1(field);
    c.Title = QString::fromUtf8(title);
    c.Width = width;
    return c;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TKV_MemDataSet cards;
    fillCards(cards);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Карточки товаров (демонстрация)"));
    auto *toolBar = window.addToolBar(QStringLiteral("Панель"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    auto *nav = new TKV_DBNavigator;
    nav->setDataSource(&cards);
    nav->setHints(TKV_DBNavigator::StandardHints());
    nav->setMinimumWidth(280);
    toolBar->addWidget(nav);

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    auto *search = new TSearchFrame;
    layout->addWidget(search);

    auto *grid = new TKV_DBGridEh;
    grid->setObjectName(QStringLiteral("dbgWareCard"));
    grid->setMultiSortMarking(true);
    TColumnEh no = column("CARD_NO", "Карт. №", 60);
    no.Footer = fvtCount;
    TColumnEh group = column("L_WAREGROUP", "Группа", 110);
    TColumnEh name = column("L_WARETYPENAME", "Наименование", 230);
    name.Marker = smUpEh;
    name.Hint = QStringLiteral("Наименование товара");
    TColumnEh quantity = column("CURRENTQUANTITY", "Количество|Кол-во", 80);
    TColumnEh measure = column("L_MEASURE", "Количество|Ед. изм.", 70);
    TColumnEh price = column("REGISTRATIONPRICE", "Стоимость|Цена", 90);
    TColumnEh sum = column("CURRENT_SUM", "Стоимость|Сумма", 100);
    sum.Footer = fvtSum;
    sum.FooterFormat = QStringLiteral("### ### ### ### ##0.##");
    sum.ReadOnly = true;
    TColumnEh tax = column("TAXPERCENT", "% НДС", 70);
    tax.PickList = QStringList{QStringLiteral("без НДС"), QStringLiteral("10%"),
                               QStringLiteral("18%"), QStringLiteral("20%")};
    tax.KeyList = QVariantList{0, 10, 18, 20};
    grid->setColumns({no, group, name, quantity, measure, price, sum, tax});
    grid->setDataSet(&cards);
    grid->setFooterVisible(true);
    grid->setFrozenCols(1);
    grid->setGroupPanelVisible(true);
    grid->setGroupFields({QStringLiteral("L_WAREGROUP")});
    grid->setColumnVisible(QStringLiteral("L_WAREGROUP"), false);
    grid->SortByMarkers();
    layout->addWidget(grid);
    search->setNextFocus(grid);
    QObject::connect(search, &TSearchFrame::searchTextChanged, &cards,
                     [&cards](const QString &text) { cards.LocateByText(text); });
    window.setCentralWidget(central);
    window.resize(900, 420);
    window.move(10, 10);
    window.show();
    cards.Next();
    cards.Next();

    const int quitAfter = app.arguments().indexOf(QStringLiteral("--quit-after"));
    if (quitAfter > 0 && quitAfter + 1 < app.arguments().size())
        QTimer::singleShot(app.arguments().at(quitAfter + 1).toInt(), &app, &QApplication::quit);
    return app.exec();
}
