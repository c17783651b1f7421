#include "KV_Report.h"
#include "KV_ReportTable.h"
#include "KvWindowRegistry.h"
#include "ScriptedPrompts.h"
#include "frmuReportDesigner.h"
#include "frmuReportPreview.h"

#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTest>

// The preview and the designer stay usable with what the user does to them: find, page
// moves, export, a broken template while editing; and they go away when closed.
class TestReportWindows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void previewIsAnMdiChildThatFindsAndIsFreedOnClose();
    void modalPreviewRunsThroughThePrompts();
    void designerShowsTheFaultLineAndKeepsWorking();

private:
    void prepare(TKV_Report &report, const QString &text);

    std::unique_ptr<QTemporaryDir> m_dir;
    KvReportTable m_rows;
};

namespace {

const char *const kList = R"(<html><body>
{{#PageFooter}}<p>Страница {{Page}} из {{TotalPages}}</p>{{/PageFooter}}
<table border="1" cellspacing="0" width="100%">
<thead><tr><th>№</th><th>Наименование</th></tr></thead>
{{#frdsList}}<tr><td>{{Line}}</td><td>{{NAME}}</td></tr>
{{/frdsList}}</table>
</body></html>
)";

} // namespace

void TestReportWindows::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_rows = KvReportTable();
    m_rows.addField(QStringLiteral("NAME"));
    for (int i = 1; i <= 150; ++i)
        m_rows.appendRow({QStringLiteral("Строка %1").arg(i, 3, 10, QLatin1Char('0'))});
}

void TestReportWindows::prepare(TKV_Report &report, const QString &text)
{
    const QString path = m_dir->filePath(QStringLiteral("List.frf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();
    QVERIFY(report.LoadFromFile(path));
    report.addDataSet(QStringLiteral("frdsList"), &m_rows);
}

void TestReportWindows::previewIsAnMdiChildThatFindsAndIsFreedOnClose()
{
    QMainWindow main;
    auto *area = new QMdiArea(&main);
    main.setCentralWidget(area);
    KvWindowRegistry::setHost(&main);
    main.show();

    ScriptedPrompts prompts;
    TKV_Report report;
    prepare(report, QString::fromUtf8(kList));
    QVERIFY(TfrmReportPreview::ShowReport(report, KvPreviewMode::MdiChild));
    QCOMPARE(area->subWindowList().size(), 1);
    QPointer<TfrmReportPreview> preview =
        qobject_cast<TfrmReportPreview *>(area->subWindowList().constFirst()->widget());
    QVERIFY(preview);
    QCOMPARE(preview->windowTitle(), QStringLiteral("Предварительный просмотр - List.frf"));
    KvReportPreviewView *view = preview->view();
    const int pages = view->document()->pageCount();
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    QCOMPARE(view->pages()->pageCount(), pages);

    // A match on the last page is highlighted and shown; "Строка 01" matches ten rows, and
    // moving past the last goes back to the first.
    QCOMPARE(view->find(QStringLiteral("строка 150")), 1);
    QCOMPARE(view->currentPage(), pages);
    QCOMPARE(view->find(QStringLiteral("Строка 01")), 10);
    QCOMPARE(view->currentPage(), 1);
    for (int i = 0; i < 10; ++i)
        view->findNext();
    QCOMPARE(view->currentMatch(), 0);
    view->findPrevious();
    QCOMPARE(view->currentMatch(), 9);
    QCOMPARE(view->find(QStringLiteral("нет такого")), 0);

    const QString pdf = m_dir->filePath(QStringLiteral("list.pdf"));
    QVERIFY(view->exportPdf(pdf));
    QVERIFY(QFile(pdf).size() > 0);
    QCOMPARE(prompts.texts(), QStringList());

    area->subWindowList().constFirst()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(preview.isNull());
    QCOMPARE(area->subWindowList().size(), 0);
    KvWindowRegistry::setHost(nullptr);
}

void TestReportWindows::modalPreviewRunsThroughThePrompts()
{
    ScriptedPrompts prompts;
    int pages = 0;
    prompts.onDialog([&pages](QDialog *dialog) {
        auto *preview = qobject_cast<TfrmReportPreviewDialog *>(dialog);
        pages = preview ? preview->view()->document()->pageCount() : -1;
        return int(QDialog::Accepted);
    });
    TKV_Report report;
    prepare(report, QString::fromUtf8(kList));
    QVERIFY(TfrmReportPreview::ShowReport(report, KvPreviewMode::Modal));
    QCOMPARE(prompts.dialogsRun, 1);
    QVERIFY(pages >= 3);
}

// An unclosed section while editing: the fault and its line in the status, the line marked,
// the last good preview kept, no message box; fixed, the preview follows and the template
// saves to its file.
void TestReportWindows::designerShowsTheFaultLineAndKeepsWorking()
{
    ScriptedPrompts prompts;
    TKV_Report report;
    prepare(report, QString::fromUtf8(kList));
    TfrmReportDesigner designer(report);
    QVERIFY(designer.preview());
    const int pages = designer.preview()->document()->pageCount();
    QVERIFY(designer.errorText().isEmpty());

    QString broken = QString::fromUtf8(kList);
    broken.replace(QStringLiteral("{{/frdsList}}"), QString());
    designer.editor()->selectAll();
    designer.editor()->insertPlainText(broken);
    designer.refreshPreview();
    QCOMPARE(designer.errorLine(), 5);
    QCOMPARE(designer.errorText(), QStringLiteral("строка 5: секция \"frdsList\" не закрыта"));
    QCOMPARE(designer.editor()->extraSelections().size(), 1);
    QCOMPARE(designer.editor()->extraSelections().constFirst().cursor.blockNumber(), 4);
    QCOMPARE(designer.preview()->document()->pageCount(), pages);
    QCOMPARE(prompts.texts(), QStringList());

    const QString fixed = QStringLiteral("<p>Всего строк: {{count.frdsList}}</p>");
    designer.editor()->selectAll();
    designer.editor()->insertPlainText(fixed);
    designer.refreshPreview();
    QVERIFY(designer.errorText().isEmpty());
    QCOMPARE(designer.preview()->document()->pageCount(), 1);
    QVERIFY(designer.preview()->document()->body()->toPlainText().contains(
        QStringLiteral("Всего строк: 150")));

    QVERIFY(designer.isModified());
    QVERIFY(designer.save());
    QFile file(report.FileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), fixed);
    designer.reject();
    QCOMPARE(prompts.texts(), QStringList());
}

QTEST_MAIN(TestReportWindows)
#include "tst_report_windows.moc"
