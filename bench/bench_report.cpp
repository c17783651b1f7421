// The report layer's speed and memory: a stock book of 100 ware cards with 50 movement rows
// each (5,000 detail rows, about 150 pages) rendered to PDF, and the same rows as one flat
// table. Prints the time of each stage, the pages and the peak resident memory.
//
//   bench_report [output-folder]

#include "KV_Report.h"
#include "KV_ReportDocument.h"
#include "KV_ReportExpander.h"
#include "KV_ReportPageSetup.h"
#include "KV_ReportTable.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>

#include <cstdio>
#include <ctime>

namespace {

constexpr int kCards = 100;
constexpr int kRowsPerCard = 50;

const char *const kStockBook = R"(<html><head>
<meta name="page-size" content="A4">
<meta name="page-orientation" content="portrait">
<meta name="page-margins" content="10 10 12 15">
</head><body style="font-size: 8pt">
{{#PageHeader}}<table width="100%"><tr><td>{{#memo.Memo10}}Книга учета товаров{{/memo.Memo10}}</td>
<td align="right">{{Company}}</td></tr></table>{{/PageHeader}}
{{#PageFooter}}<p align="center">Страница {{Page}} из {{TotalPages}}</p>{{/PageFooter}}
{{#frdsMonthMovement}}
<p><b>{{CARD_NO}}. {{WAREFULLNAME}}</b>, цена {{REGISTRATIONPRICE}} {{WARECURRENCY}}</p>
<table border="1" cellspacing="0" cellpadding="2" width="100%">
<thead><tr><th width="10%">Дата</th><th width="30%">Документ</th><th width="12%">Операция</th>
<th width="8%">Приход</th><th width="10%">Сумма</th><th width="8%">Расход</th>
<th width="10%">Сумма</th><th width="12%">Остаток</th></tr></thead>
{{#frdsMonthMovementDetail}}
<tr><td>{{RECORDDATE}}</td><td>{{DOCDESCR}}</td><td>{{NOTICE}}</td><td align="right">{{IN_Q}}</td>
<td align="right">{{IN_SUM}}</td><td align="right">{{OUT_Q}}</td><td align="right">{{OUT_SUM}}</td>
<td align="right">{{AFTER_Q}}</td></tr>
{{/frdsMonthMovementDetail}}
</table>
<p align="right">Приход: {{sum.frdsMonthMovementDetail.IN_SUM}}, расход: {{sum.frdsMonthMovementDetail.OUT_SUM}}</p>
{{/frdsMonthMovement}}
</body></html>
)";

const char *const kFlatList = R"(<html><body style="font-size: 8pt">
{{#PageFooter}}<p align="center">Страница {{Page}} из {{TotalPages}}</p>{{/PageFooter}}
<table border="1" cellspacing="0" cellpadding="2" width="100%">
<thead><tr><th width="10%">Дата</th><th width="30%">Документ</th><th width="12%">Операция</th>
<th width="8%">Приход</th><th width="10%">Сумма</th><th width="8%">Расход</th>
<th width="10%">Сумма</th><th width="12%">Остаток</th></tr></thead>
{{#frdsMonthMovementDetail}}
<tr><td>{{RECORDDATE}}</td><td>{{DOCDESCR}}</td><td>{{NOTICE}}</td><td align="right">{{IN_Q}}</td>
<td align="right">{{IN_SUM}}</td><td align="right">{{OUT_Q}}</td><td align="right">{{OUT_SUM}}</td>
<td align="right">{{AFTER_Q}}</td></tr>
{{/frdsMonthMovementDetail}}
</table>
</body></html>
)";

long peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

double cpuMs()
{
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

struct Data
{
    KvReportTable cards;
    KvReportTable moves;
};

void fill(Data &data)
{
    data.cards.addField(QStringLiteral("WARECARD_ID"));
    data.cards.addField(QStringLiteral("CARD_NO"));
    data.cards.addField(QStringLiteral("WAREFULLNAME"));
    data.cards.addField(QStringLiteral("REGISTRATIONPRICE"), KvReportTable::number(2));
    data.cards.addField(QStringLiteral("WARECURRENCY"));
    Data *d = &data;
    d->moves.addField(QStringLiteral("WARECARD_ID"));
    d->moves.addField(QStringLiteral("RECORDDATE"), KvReportTable::shortDate());
    d->moves.addField(QStringLiteral("DOCDESCR"));
    d->moves.addField(QStringLiteral("NOTICE"));
    for (const char *name : {"IN_Q", "IN_SUM", "OUT_Q", "OUT_SUM", "AFTER_Q"})
        d->moves.addField(QString::fromLatin1(name), KvReportTable::number(2));
    d->moves.reserve(kCards * kRowsPerCard);
    for (int card = 1; card <= kCards; ++card) {
        const double price = 10.5 * card;
        data.cards.appendRow({card, card,
                              QStringLiteral("Кабель коаксиальный RG-%1 белый").arg(card), price,
                              QStringLiteral("руб.")});
        double rest = 0;
        for (int i = 0; i < kRowsPerCard; ++i) {
            const bool in = i % 3 != 2;
            const double q = in ? 100 + i : 40 + i;
            rest += in ? q : -q;
            d->moves.appendRow(
                {card, QDate(2004, 3, 1 + i % 28),
                 QStringLiteral("%1 № %2 от %3/03/2004")
                     .arg(in ? QStringLiteral("Приходный ордер") : QStringLiteral("Накладная"))
                     .arg(card * 100 + i)
                     .arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                 in ? QStringLiteral("Приход") : QStringLiteral("Расход"), in ? q : 0.0,
                 in ? q * price : 0.0, in ? 0.0 : q, in ? 0.0 : q * price, rest});
        }
    }
}

// Wall time and processor time of each stage, in milliseconds.
struct Stages
{
    double expand = 0, layout = 0, paint = 0;
    double expandCpu = 0, layoutCpu = 0, paintCpu = 0;
    int pages = 0;
};

Stages runStages(const QString &templateText, const QList<KvReportDataSet> &sets,
                 const QString &pdf)
{
    Stages s;
    QElapsedTimer t;
    t.start();
    double cpu = cpuMs();
    KvReportExpander expander(sets, {{QStringLiteral("Company"), QStringLiteral("ООО «Тервалон»")}},
                              [](const QString &memo, QString &text) {
                                  if (memo == QLatin1String("Memo10"))
                                      text =
                                          QStringLiteral("Книга учета товаров (за Март 2004 г.)");
                              });
    KvExpandedReport expanded;
    KvReportError error;
    if (!expander.expand(templateText, &expanded, &error)) {
        std::printf("template error: %s\n", qPrintable(error.describe()));
        return s;
    }
    s.expand = double(t.nsecsElapsed()) / 1e6;
    s.expandCpu = cpuMs() - cpu;
    t.restart();
    cpu = cpuMs();
    KvReportDocument document(expanded, KvReportPageSetup::fromTemplate(templateText).pageLayout());
    s.pages = document.pageCount();
    s.layout = double(t.nsecsElapsed()) / 1e6;
    s.layoutCpu = cpuMs() - cpu;
    t.restart();
    cpu = cpuMs();
    QPdfWriter writer(pdf);
    document.print(&writer);
    s.paint = double(t.nsecsElapsed()) / 1e6;
    s.paintCpu = cpuMs() - cpu;
    return s;
}

void report(const char *name, const QString &templateText, const QList<KvReportDataSet> &sets,
            const QString &folder)
{
    const QString pdf = folder + QStringLiteral("/bench_report_%1.pdf").arg(QLatin1String(name));
    const double cpu0 = cpuMs();
    const Stages s = runStages(templateText, sets, pdf);
    const double cpu = cpuMs() - cpu0;
    std::printf("%s: %d detail rows, %d pages, %lld KB PDF\n"
                "  expand %.0f ms (cpu %.0f), import+layout %.0f ms (cpu %.0f), "
                "paint PDF %.0f ms (cpu %.0f)\n"
                "  total %.0f ms, cpu %.0f ms (with freeing the document), peak RSS %ld KB\n",
                name, kCards * kRowsPerCard, s.pages, QFileInfo(pdf).size() / 1024, s.expand,
                s.expandCpu, s.layout, s.layoutCpu, s.paint, s.paintCpu,
                s.expand + s.layout + s.paint, cpu, peakKb());
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    std::printf("peak RSS at start %ld KB\n", peakKb());
    Data data;
    fill(data);
    std::printf("peak RSS with the data %ld KB\n", peakKb());

    data.moves.setMaster(&data.cards, QStringLiteral("WARECARD_ID"), QStringLiteral("WARECARD_ID"));
    report("stock book", QString::fromUtf8(kStockBook),
           {{QStringLiteral("frdsMonthMovement"), &data.cards},
            {QStringLiteral("frdsMonthMovementDetail"), &data.moves}},
           folder);

    // The whole report once more through the call a window makes.
    TKV_Report whole;
    whole.setTemplateText(QString::fromUtf8(kStockBook));
    whole.addDataSet(QStringLiteral("frdsMonthMovement"), &data.cards);
    whole.addDataSet(QStringLiteral("frdsMonthMovementDetail"), &data.moves);
    QElapsedTimer t;
    t.start();
    whole.ExportToPdf(folder + QStringLiteral("/bench_report_whole.pdf"), false);
    std::printf("ExportToPdf of the stock book: %lld ms, peak RSS %ld KB\n", t.elapsed(), peakKb());

    data.moves.setMaster(nullptr, {}, {});
    report("flat list", QString::fromUtf8(kFlatList),
           {{QStringLiteral("frdsMonthMovementDetail"), &data.moves}}, folder);
    return 0;
}
