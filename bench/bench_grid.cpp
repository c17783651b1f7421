// Benchmark (not a test): scrolling a grid of 100,000 ware-card rows from top to bottom,
// one screen at a time, with a footer sum shown. Prints the time per screen.

#include "KV_DBGridEh.h"
#include "KV_GridFooter.h"
#include "KV_MemDataSet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int Rows = 100000;

    TKV_MemDataSet cards;
    cards.AddField(QStringLiteral("CARD_NO"), KvFieldType::Integer);
    cards.AddField(QStringLiteral("WARETYPENAME"), KvFieldType::String, 61);
    cards.AddField(QStringLiteral("CURRENTQUANTITY"), KvFieldType::Float);
    cards.AddField(QStringLiteral("REGISTRATIONPRICE"), KvFieldType::Float)->DisplayFormat =
        QStringLiteral("### ### ##0.00");
    cards.AddField(QStringLiteral("CURRENT_SUM"), KvFieldType::Float)->DisplayFormat =
        QStringLiteral("### ### ### ### ##0.##");
    cards.AddField(QStringLiteral("CARDDATE"), KvFieldType::Date);
    cards.CreateDataSet();
    QElapsedTimer fill;
    fill.start();
    for (int i = 0; i < Rows; ++i) {
        const double quantity = (i % 97) + 1;
        const double price = 0.5 + (i % 1000) / 8.0;
        cards.Append();
        cards.FieldByName(QStringLiteral("CARD_NO"))->setValue(i + 1);
        cards.FieldByName(QStringLiteral("WARETYPENAME"))
            ->setValue(QStringLiteral("Кабель RG-%1 тип %2").arg(i % 13).arg(i));
        cards.FieldByName(QStringLiteral("CURRENTQUANTITY"))->setValue(quantity);
        cards.FieldByName(QStringLiteral("REGISTRATIONPRICE"))->setValue(price);
        cards.FieldByName(QStringLiteral("CURRENT_SUM"))->setValue(quantity * price);
        cards.FieldByName(QStringLiteral("CARDDATE"))->setValue(QDate(2007, 1, 1).addDays(i % 700));
        cards.Post();
    }
    cards.First();
    const qint64 fillMs = fill.elapsed();

    TKV_DBGridEh grid;
    auto column = [](const char *field, const char *title, TFooterValueType footer = fvtNon) {
        TColumnEh c;
        c.FieldName = QString::fromLatin1(field);
        c.Title = QString::fromUtf8(title);
        c.Footer = footer;
        return c;
    };
    grid.setColumns({column("CARD_NO", "Карт. №", fvtCount), column("WARETYPENAME", "Наименование"),
                     column("CURRENTQUANTITY", "Количество|Кол-во"),
                     column("REGISTRATIONPRICE", "Стоимость|Цена"),
                     column("CURRENT_SUM", "Стоимость|Сумма", fvtSum), column("CARDDATE", "Дата")});
    grid.setDataSet(&cards);
    grid.setFooterVisible(true);
    grid.setFrozenCols(1);
    grid.resize(1000, 700);
    grid.show();
    QApplication::processEvents();

    QScrollBar *bar = grid.verticalScrollBar();
    int screens = 0;
    QElapsedTimer timer;
    timer.start();
    bar->setValue(0);
    grid.viewport()->repaint();
    // The first and the last hundred screens cost the same: nothing grows with the rows
    // above or below.
    qint64 firstHundredNs = 0;
    qint64 lastStartNs = 0;
    const int lastScreens = 100;
    const int allScreens = bar->maximum() / qMax(1, bar->pageStep());
    while (bar->value() < bar->maximum()) {
        if (screens == allScreens - lastScreens)
            lastStartNs = timer.nsecsElapsed();
        bar->setValue(bar->value() + bar->pageStep());
        grid.viewport()->repaint();
        grid.footer()->repaint();
        ++screens;
        if (screens == 100)
            firstHundredNs = timer.nsecsElapsed();
    }
    const qint64 ns = timer.nsecsElapsed();
    const qint64 lastHundredNs = ns - lastStartNs;

    std::printf("grid scroll: %d rows, %d screens of %d rows, %.3f ms per screen (first 100 "
                "screens %.3f ms, last 100 %.3f ms per screen; %.0f ms in all; filling the "
                "rows %lld ms); footer sum %s\n",
                Rows, screens, bar->pageStep(), ns / 1e6 / qMax(1, screens),
                firstHundredNs / 1e6 / 100, lastHundredNs / 1e6 / lastScreens, ns / 1e6,
                static_cast<long long>(fillMs),
                qPrintable(grid.footerText(QStringLiteral("CURRENT_SUM"))));
    return 0;
}
