#include "KV_LIB.h"
#include "KV_MemDataSet.h"
#include "KV_Report.h"
#include "KV_ReportClientDataSource.h"
#include "KV_ReportTable.h"
#include "ScriptedPrompts.h"

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Reports rendered to PDF and read back as text with pdftotext, as a reader of the printed
// page would see them.
class TestReportRender : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void printsOrderWithItemsTotalsMemoAndPageNumber();
    void printsDetailRowsUnderTheirOwnMasterRow_data();
    void printsDetailRowsUnderTheirOwnMasterRow();
    void reportsMissingAndBrokenTemplates_data();
    void reportsMissingAndBrokenTemplates();

private:
    QString writeTemplate(const QString &name, const QString &text);
    static QString pdfText(const QString &pdfFile);

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const char *const kStoreOrder = R"(<html><head>
<meta name="page-size" content="A4">
<meta name="page-margins" content="15 10 15 20">
</head><body>
{{#PageFooter}}<p align="center">Страница {{Page}} из {{TotalPages}}</p>{{/PageFooter}}
{{#frDBDataSetStoreOrder}}
<h2>Приходный ордер № {{STOREORDER_NO}} от {{ORDERDATE}}</h2>
<p>Поставщик: {{L_Supplier}}</p>
<p>Склад: {{L_StoreName}}</p>
{{/frDBDataSetStoreOrder}}
<table border="1" cellspacing="0" cellpadding="3" width="100%">
<thead><tr><th width="6%">№</th><th width="46%">Наименование</th><th width="14%">Кол-во</th>
<th width="16%">Цена</th><th width="18%">Сумма</th></tr></thead>
{{#frDBDataSetStoreOrderItem}}
<tr><td>{{Line}}</td><td>{{L_WareName}}</td><td align="right">{{QUANTITY}}</td>
<td align="right">{{PURCHASEPRICE}}</td><td align="right">{{C_ItemSum}}</td></tr>
{{/frDBDataSetStoreOrderItem}}
</table>
<p align="right">Итого: {{sum.frDBDataSetStoreOrderItem.C_ItemSum}}</p>
<p>{{#memo.Memo10}}Сумма прописью{{/memo.Memo10}}</p>
<p>Принял: {{Storekeeper}}</p>
</body></html>
)";

const char *const kMonthMovement = R"(<html><body>
{{#frdsMonthMovement}}
<h3>Карточка {{CARD_NO}}: {{WAREFULLNAME}}</h3>
<table border="1" cellspacing="0" width="100%">
<thead><tr><th>Операция</th><th>Документ</th><th>Количество</th></tr></thead>
{{#frdsMonthMovementDetail}}
<tr><td>{{NOTICE}}</td><td>{{DOCDESCR}}</td><td align="right">{{IN_Q}}</td></tr>
{{/frdsMonthMovementDetail}}
</table>
{{/frdsMonthMovement}}
</body></html>
)";

} // namespace

void TestReportRender::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestReportRender::writeTemplate(const QString &name, const QString &text)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
    return path;
}

QString TestReportRender::pdfText(const QString &pdfFile)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdfFile, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

namespace {

void append(TKV_ClientDataSet &ds, const QStringList &fields, const QVariantList &values)
{
    QVERIFY(ds.Append());
    for (int i = 0; i < fields.size(); ++i)
        QVERIFY2(ds.FieldByName(fields.at(i))->setValue(values.at(i)), qPrintable(fields.at(i)));
    QVERIFY2(ds.Post(), qPrintable(ds.LastError()));
}

} // namespace

// Client datasets as the store-order window has them: two orders, the second current; the
// items a detail of the orders, the ware name a lookup field, the item sum a calculated one.
// The order prints alone (current row), only its three items, numbers in the fields' display
// formats, the total, the memo as the before-print hook wrote it, the variable and the page
// number.
void TestReportRender::printsOrderWithItemsTotalsMemoAndPageNumber()
{
    TKV_MemDataSet wareTypes;
    wareTypes.AddField(QStringLiteral("WARETYPE_ID"), KvFieldType::Integer);
    wareTypes.AddField(QStringLiteral("WARETYPENAME"), KvFieldType::String, 60);
    QVERIFY(wareTypes.CreateDataSet());
    const QStringList wareFields = {QStringLiteral("WARETYPE_ID"), QStringLiteral("WARETYPENAME")};
    append(wareTypes, wareFields, {1, QStringLiteral("Кабель RG-6")});
    append(wareTypes, wareFields, {2, QStringLiteral("Усилитель")});
    append(wareTypes, wareFields, {3, QStringLiteral("Разъем F")});
    append(wareTypes, wareFields, {4, QStringLiteral("Товар другого ордера")});

    TKV_MemDataSet orders;
    orders.AddField(QStringLiteral("STOREORDER_ID"), KvFieldType::Integer);
    orders.AddField(QStringLiteral("STOREORDER_NO"), KvFieldType::Integer);
    orders.AddField(QStringLiteral("ORDERDATE"), KvFieldType::Date);
    orders.AddField(QStringLiteral("L_Supplier"), KvFieldType::String, 60);
    orders.AddField(QStringLiteral("L_StoreName"), KvFieldType::String, 60);
    QVERIFY(orders.CreateDataSet());
    const QStringList orderFields = {QStringLiteral("STOREORDER_ID"),
                                     QStringLiteral("STOREORDER_NO"), QStringLiteral("ORDERDATE"),
                                     QStringLiteral("L_Supplier"), QStringLiteral("L_StoreName")};
    append(orders, orderFields,
           {7, 16, QDate(2004, 3, 1), QStringLiteral("ООО «Прежний»"), QStringLiteral("Склад 2")});
    append(orders, orderFields,
           {8, 17, QDate(2004, 3, 5), QStringLiteral("ООО «Тервалон»"),
            QStringLiteral("Центральный склад")});

    TKV_MemDataSet items;
    items.AddField(QStringLiteral("STOREORDER_ID"), KvFieldType::Integer);
    items.AddField(QStringLiteral("WARETYPE_ID"), KvFieldType::Integer);
    items.AddField(QStringLiteral("QUANTITY"), KvFieldType::Float)->DisplayFormat =
        QStringLiteral("0.000");
    items.AddField(QStringLiteral("PURCHASEPRICE"), KvFieldType::Float)->DisplayFormat =
        QStringLiteral("### ### ##0.00");
    items.AddLookupField(QStringLiteral("L_WareName"), KvFieldType::String,
                         QStringLiteral("WARETYPE_ID"), &wareTypes, QStringLiteral("WARETYPE_ID"),
                         QStringLiteral("WARETYPENAME"), 60);
    items.AddCalcField(QStringLiteral("C_ItemSum"), KvFieldType::Float)->DisplayFormat =
        QStringLiteral("### ### ##0.00");
    items.OnCalcFields = [](TKV_ClientDataSet &ds) {
        const double quantity = ds.FieldByName(QStringLiteral("QUANTITY"))->AsFloat();
        const double price = ds.FieldByName(QStringLiteral("PURCHASEPRICE"))->AsFloat();
        ds.FieldByName(QStringLiteral("C_ItemSum"))->setValue(RoundHalfAway(2, quantity * price));
    };
    QVERIFY(items.CreateDataSet());
    const QStringList itemFields = {QStringLiteral("STOREORDER_ID"), QStringLiteral("WARETYPE_ID"),
                                    QStringLiteral("QUANTITY"), QStringLiteral("PURCHASEPRICE")};
    append(items, itemFields, {7, 4, 1, 99.0});
    append(items, itemFields, {8, 1, 10, 1234.5});
    append(items, itemFields, {8, 2, 2, 250.0});
    append(items, itemFields, {8, 3, 100, 3.15});
    items.setIndexFieldNames(QStringLiteral("STOREORDER_ID"));
    items.setMasterSource(&orders);
    items.setMasterFields(QStringLiteral("STOREORDER_ID"));
    QVERIFY(orders.setCurrentRow(1));
    QCOMPARE(items.RecordCount(), 3);

    TKV_Report report;
    QVERIFY(report.LoadFromFile(
        writeTemplate(QStringLiteral("StoreOrder.frf"), QString::fromUtf8(kStoreOrder))));
    report.addDataSet(QStringLiteral("frDBDataSetStoreOrder"), &orders, KvReportRange::CurrentRow);
    report.addDataSet(QStringLiteral("frDBDataSetStoreOrderItem"), &items);
    report.setVariable(QStringLiteral("Storekeeper"), QStringLiteral("Иванов И.И."));
    QStringList memos;
    report.OnBeforePrint = [&memos](const QString &memo, QString &text) {
        memos << memo + QLatin1Char('=') + text;
        if (memo == QLatin1String("Memo10"))
            text = SumInWords(QStringLiteral("13160"), 1, QStringLiteral("рубль"),
                              QStringLiteral("рублей"), QStringLiteral("рубля"));
    };

    ScriptedPrompts prompts;
    const QString pdf = m_dir->filePath(QStringLiteral("order.pdf"));
    QVERIFY2(report.ExportToPdf(pdf), qPrintable(report.LastErrorMessage()));
    QCOMPARE(prompts.texts(), QStringList());
    QCOMPARE(memos, QStringList{QStringLiteral("Memo10=Сумма прописью")});
    QCOMPARE(orders.currentRow(), 1);
    QCOMPARE(items.RecordCount(), 3);
    if (!qEnvironmentVariableIsEmpty("KORVEL_REPORT_SAMPLES"))
        QFile::copy(pdf, qEnvironmentVariable("KORVEL_REPORT_SAMPLES") + "/order.pdf");

    const QString text = pdfText(pdf);
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
    const QStringList expected = {
        QStringLiteral("Приходный ордер № 17 от 05/03/2004"),
        QStringLiteral("Поставщик: ООО «Тервалон»"),
        QStringLiteral("Склад: Центральный склад"),
        QStringLiteral("Итого: 13 160.00"),
        QStringLiteral("Тринадцать тысяч сто шестьдесят рублей"),
        QStringLiteral("Принял: Иванов И.И."),
        QStringLiteral("Страница 1 из 1"),
    };
    for (const QString &line : expected)
        QVERIFY2(text.contains(line), qPrintable(line + QStringLiteral("\n---\n") + text));
    const QStringList rows = {
        QStringLiteral("1\\s+Кабель RG-6\\s+10\\.000\\s+1 234\\.50\\s+12 345\\.00"),
        QStringLiteral("2\\s+Усилитель\\s+2\\.000\\s+250\\.00\\s+500\\.00"),
        QStringLiteral("3\\s+Разъем F\\s+100\\.000\\s+3\\.15\\s+315\\.00"),
    };
    for (const QString &row : rows) {
        const QRegularExpression re(QStringLiteral("(?m)^\\s*") + row + QStringLiteral("\\s*$"));
        QVERIFY2(re.match(text).hasMatch(), qPrintable(row + QStringLiteral("\n---\n") + text));
    }
    for (const QString &absent : {QStringLiteral("Товар другого ордера"), QStringLiteral("№ 16"),
                                  QStringLiteral("Сумма прописью")})
        QVERIFY2(!text.contains(absent), qPrintable(absent));
}

void TestReportRender::printsDetailRowsUnderTheirOwnMasterRow_data()
{
    QTest::addColumn<bool>("clientDataSets");
    QTest::newRow("client datasets") << true;
    QTest::newRow("report tables") << false;
}

// Two cards with their movements, as client datasets (the detail linked by MasterSource) or
// as the report's own tables: each card's section shows only its own rows.
void TestReportRender::printsDetailRowsUnderTheirOwnMasterRow()
{
    QFETCH(bool, clientDataSets);
    const QList<QVariantList> cardRows = {{101, 1, QStringLiteral("Кабель RG-11")},
                                          {102, 2, QStringLiteral("Усилитель Terra")}};
    const QList<QVariantList> moveRows = {
        {102, QStringLiteral("Приход"), QStringLiteral("Ордер 5"), 4},
        {101, QStringLiteral("Приход"), QStringLiteral("Ордер 1"), 300},
        {102, QStringLiteral("Расход"), QStringLiteral("Накладная 9"), 0},
        {101, QStringLiteral("Расход"), QStringLiteral("Накладная 2"), 0},
        {102, QStringLiteral("Приход"), QStringLiteral("Ордер 6"), 1}};
    const QStringList cardFields = {QStringLiteral("WARECARD_ID"), QStringLiteral("CARD_NO"),
                                    QStringLiteral("WAREFULLNAME")};
    const QStringList moveFields = {QStringLiteral("WARECARD_ID"), QStringLiteral("NOTICE"),
                                    QStringLiteral("DOCDESCR"), QStringLiteral("IN_Q")};

    KvReportTable cards;
    KvReportTable moves;
    TKV_MemDataSet cdsCards;
    TKV_MemDataSet cdsMoves;
    std::unique_ptr<KvReportDataSource> cardSource;
    std::unique_ptr<KvReportDataSource> moveSource;
    if (clientDataSets) {
        cdsCards.AddField(cardFields[0], KvFieldType::Integer);
        cdsCards.AddField(cardFields[1], KvFieldType::Integer);
        cdsCards.AddField(cardFields[2], KvFieldType::String, 62);
        QVERIFY(cdsCards.CreateDataSet());
        for (const QVariantList &row : cardRows)
            append(cdsCards, cardFields, row);
        cdsMoves.AddField(moveFields[0], KvFieldType::Integer);
        cdsMoves.AddField(moveFields[1], KvFieldType::String, 12);
        cdsMoves.AddField(moveFields[2], KvFieldType::String, 201);
        cdsMoves.AddField(moveFields[3], KvFieldType::Float)->DisplayFormat =
            QStringLiteral("0.00");
        QVERIFY(cdsMoves.CreateDataSet());
        for (const QVariantList &row : moveRows)
            append(cdsMoves, moveFields, row);
        cdsMoves.setIndexFieldNames(QStringLiteral("WARECARD_ID"));
        cdsMoves.setMasterSource(&cdsCards);
        cdsMoves.setMasterFields(QStringLiteral("WARECARD_ID"));
        QVERIFY(cdsCards.First());
        cardSource = std::make_unique<KvReportClientDataSource>(&cdsCards);
        moveSource = std::make_unique<KvReportClientDataSource>(&cdsMoves);
    } else {
        for (const QString &name : cardFields)
            cards.addField(name);
        for (const QVariantList &row : cardRows)
            cards.appendRow(row);
        for (const QString &name : moveFields)
            moves.addField(name, name == QLatin1String("IN_Q") ? KvReportTable::number(2)
                                                               : KvReportTable::Formatter());
        for (const QVariantList &row : moveRows)
            moves.appendRow(row);
        moves.setMaster(&cards, QStringLiteral("WARECARD_ID"), QStringLiteral("WARECARD_ID"));
    }
    KvReportDataSource *master = clientDataSets ? cardSource.get() : &cards;
    KvReportDataSource *detail = clientDataSets ? moveSource.get() : &moves;

    TKV_Report report;
    QVERIFY(report.LoadFromFile(
        writeTemplate(QStringLiteral("MonthMovement.frf"), QString::fromUtf8(kMonthMovement))));
    report.addDataSet(QStringLiteral("frdsMonthMovement"), master);
    report.addDataSet(QStringLiteral("frdsMonthMovementDetail"), detail);
    ScriptedPrompts prompts;
    const QString pdf = m_dir->filePath(QStringLiteral("movement.pdf"));
    QVERIFY2(report.ExportToPdf(pdf), qPrintable(report.LastErrorMessage()));

    const QString text = pdfText(pdf);
    const qsizetype first = text.indexOf(QStringLiteral("Карточка 1: Кабель RG-11"));
    const qsizetype second = text.indexOf(QStringLiteral("Карточка 2: Усилитель Terra"));
    QVERIFY2(first >= 0 && second > first, qPrintable(text));
    const QString firstPart = text.mid(first, second - first);
    const QString secondPart = text.mid(second);
    auto docs = [](const QString &part) {
        QStringList found;
        static const QRegularExpression doc(QStringLiteral("(Ордер|Накладная) \\d+"));
        for (auto it = doc.globalMatch(part); it.hasNext();)
            found << it.next().captured();
        return found;
    };
    QCOMPARE(docs(firstPart),
             (QStringList{QStringLiteral("Ордер 1"), QStringLiteral("Накладная 2")}));
    QCOMPARE(docs(secondPart),
             (QStringList{QStringLiteral("Ордер 5"), QStringLiteral("Накладная 9"),
                          QStringLiteral("Ордер 6")}));
    QVERIFY2(
        firstPart.contains(QRegularExpression(QStringLiteral("Приход\\s+Ордер 1\\s+300\\.00"))),
        qPrintable(firstPart));
    QCOMPARE(master->currentRow(), 0);
}

void TestReportRender::reportsMissingAndBrokenTemplates_data()
{
    QTest::addColumn<QString>("text");  // null: no file at all
    QTest::addColumn<QString>("fault"); // the message after the file's name; empty: missing

    QTest::newRow("missing file") << QString() << QString();
    QTest::newRow("unclosed section")
        << QStringLiteral("<html><body>\n<h2>Ордер</h2>\n<table>\n{{#frDBDataSetStoreOrderItem}}\n"
                          "<tr><td>{{L_WareName}}</td></tr>\n</table>\n</body></html>\n")
        << QStringLiteral("строка 4: секция \"frDBDataSetStoreOrderItem\" не закрыта");
    QTest::newRow("section closed but never opened")
        << QStringLiteral("<p>{{#frDBDataSetStoreOrder}}{{STOREORDER_NO}}\n"
                          "{{/frDBDataSetStoreOrder}}</p>\n<p>{{/Memo10}}</p>\n")
        << QStringLiteral("строка 3: секция \"Memo10\" закрывается, но не была открыта");
    QTest::newRow("unclosed tag") << QStringLiteral("<p>Ордер</p>\n\n<p>{{STOREORDER_NO</p>\n")
                                  << QStringLiteral("строка 3: тег не закрыт (нет \"}}\")");
    QTest::newRow("dataset used as a value")
        << QStringLiteral("<p>Ордер</p>\n<p>{{frDBDataSetStoreOrder}}</p>\n")
        << QStringLiteral("строка 2: \"frDBDataSetStoreOrder\" выводится секцией "
                          "{{#frDBDataSetStoreOrder}}...{{/frDBDataSetStoreOrder}}");
    QTest::newRow("unknown paper")
        << QStringLiteral(
               "<html><head>\n<meta name=\"page-size\" content=\"A9\">\n</head></html>\n")
        << QStringLiteral("строка 2: неизвестный размер страницы \"A9\"");
}

// The user sees one error box: the missing file by its exact message, a broken template with
// the line of the fault. No PDF is written, and the report can be fixed and printed again.
void TestReportRender::reportsMissingAndBrokenTemplates()
{
    QFETCH(QString, text);
    QFETCH(QString, fault);

    const QString path = m_dir->filePath(QStringLiteral("StoreOrder.frf"));
    if (!text.isNull())
        writeTemplate(QStringLiteral("StoreOrder.frf"), text);
    KvReportTable orders;
    orders.addField(QStringLiteral("STOREORDER_NO"));
    orders.appendRow({17});

    ScriptedPrompts prompts;
    TKV_Report report;
    const bool loaded = report.LoadFromFile(path);
    QCOMPARE(loaded, !text.isNull());
    report.addDataSet(QStringLiteral("frDBDataSetStoreOrder"), &orders, KvReportRange::CurrentRow);
    const QString pdf = m_dir->filePath(QStringLiteral("out.pdf"));
    QVERIFY(!report.ExportToPdf(pdf));
    QVERIFY(!QFile::exists(pdf));

    const QString message =
        fault.isEmpty()
            ? QStringLiteral("Файл: ") + path + QStringLiteral(" не найден")
            : QStringLiteral("Ошибка в шаблоне отчета ") + path + QStringLiteral("\n") + fault;
    QCOMPARE(prompts.texts(Prompts::Kind::Error), QStringList{message});

    report.setTemplateText(
        QStringLiteral("<p>Ордер № {{frDBDataSetStoreOrder.STOREORDER_NO}}</p>"));
    QVERIFY(report.ExportToPdf(pdf));
    QVERIFY(pdfText(pdf).contains(QStringLiteral("Ордер № 17")));
}

QTEST_MAIN(TestReportRender)
#include "tst_report_render.moc"
