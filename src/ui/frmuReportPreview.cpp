#include "frmuReportPreview.h"

#include "KV_LIB.h"
#include "KV_Prompts.h"
#include "KV_Report.h"
#include "KvWindowRegistry.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr qreal kZoomStep = 1.25;

QTextCharFormat highlight()
{
    QTextCharFormat format;
    format.setBackground(QColor(255, 200, 60));
    return format;
}

} // namespace

KvReportPreviewView::KvReportPreviewView(std::unique_ptr<KvReportDocument> document,
                                         QWidget *parent)
    : QWidget(parent)
    , m_document(std::move(document))
{
    m_printer.setPageLayout(m_document->pageLayout());
    m_printer.setColorMode(QPrinter::GrayScale);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bar = new QToolBar(this);
    layout->addWidget(bar);
    m_pages = new QPrintPreviewWidget(&m_printer, this);
    layout->addWidget(m_pages, 1);
    buildToolBar(bar);

    connect(m_pages, &QPrintPreviewWidget::paintRequested, this, &KvReportPreviewView::paintPages);
    connect(m_pages, &QPrintPreviewWidget::previewChanged, this,
            &KvReportPreviewView::updatePageLabel);
    m_pages->fitToWidth();
    m_pages->updatePreview();
}

KvReportPreviewView::~KvReportPreviewView() = default;

void KvReportPreviewView::buildToolBar(QWidget *widget)
{
    auto *bar = static_cast<QToolBar *>(widget);
    auto add = [this, bar](const QString &text, const QKeySequence &key, auto slot,
                           const QString &hint = {}) {
        QAction *action = bar->addAction(text, this, slot);
        action->setShortcut(key);
        if (!hint.isEmpty())
            action->setToolTip(hint);
        return action;
    };
    add(QStringLiteral("+"), QKeySequence::ZoomIn, &KvReportPreviewView::zoomIn,
        QStringLiteral("Увеличить"));
    add(QStringLiteral("−"), QKeySequence::ZoomOut, &KvReportPreviewView::zoomOut,
        QStringLiteral("Уменьшить"));
    add(QStringLiteral("По ширине"), QKeySequence(), &KvReportPreviewView::fitWidth);
    add(QStringLiteral("Целиком"), QKeySequence(), &KvReportPreviewView::fitPage,
        QStringLiteral("Страница целиком"));
    bar->addSeparator();
    add(QStringLiteral("<<"), QKeySequence(Qt::CTRL | Qt::Key_Home),
        [this] { m_pages->setCurrentPage(1); });
    add(QStringLiteral("<"), QKeySequence(Qt::Key_PageUp),
        [this] { m_pages->setCurrentPage(currentPage() - 1); });
    m_pageLabel = new QLabel(bar);
    bar->addWidget(m_pageLabel);
    add(QStringLiteral(">"), QKeySequence(Qt::Key_PageDown),
        [this] { m_pages->setCurrentPage(currentPage() + 1); });
    add(QStringLiteral(">>"), QKeySequence(Qt::CTRL | Qt::Key_End),
        [this] { m_pages->setCurrentPage(m_pages->pageCount()); });
    bar->addSeparator();
    add(QStringLiteral("Печать..."), QKeySequence::Print, [this] { printReport(); });
    add(
        QStringLiteral("Страница..."), QKeySequence(), [this] { pageSetup(); },
        QStringLiteral("Параметры страницы"));
    add(
        QStringLiteral("PDF..."), QKeySequence(), [this] { exportPdf(); },
        QStringLiteral("Экспорт в PDF"));
    bar->addSeparator();
    m_findText = new QLineEdit(bar);
    m_findText->setPlaceholderText(QStringLiteral("Найти"));
    m_findText->setClearButtonEnabled(true);
    m_findText->setMaximumWidth(200);
    bar->addWidget(m_findText);
    connect(m_findText, &QLineEdit::returnPressed, this, [this] {
        if (m_matches.isEmpty())
            find(m_findText->text());
        else
            findNext();
    });
    connect(m_findText, &QLineEdit::textChanged, this, [this] {
        if (!m_matches.isEmpty())
            find(QString());
    });
    add(QStringLiteral("Найти"), QKeySequence(), [this] { find(m_findText->text()); });
    auto *focusFind = new QAction(this);
    focusFind->setShortcut(QKeySequence::Find);
    addAction(focusFind);
    connect(focusFind, &QAction::triggered, this, [this] {
        m_findText->setFocus();
        m_findText->selectAll();
    });
    add(QStringLiteral("▼"), QKeySequence::FindNext, &KvReportPreviewView::findNext,
        QStringLiteral("Следующее"));
    add(QStringLiteral("▲"), QKeySequence::FindPrevious, &KvReportPreviewView::findPrevious,
        QStringLiteral("Предыдущее"));
    m_findLabel = new QLabel(bar);
    bar->addWidget(m_findLabel);
    bar->addSeparator();
    add(QStringLiteral("Закрыть"), QKeySequence(), [this] { emit closeRequested(); });
}

void KvReportPreviewView::setDocument(std::unique_ptr<KvReportDocument> document)
{
    const int page = currentPage();
    m_document = std::move(document);
    m_matches.clear();
    m_current = -1;
    m_findLabel->clear();
    m_printer.setPageLayout(m_document->pageLayout());
    refresh();
    m_pages->setCurrentPage(std::min(page, m_document->pageCount()));
}

int KvReportPreviewView::currentPage() const
{
    return m_pages->currentPage();
}

void KvReportPreviewView::paintPages(QPrinter *printer)
{
    QList<QAbstractTextDocumentLayout::Selection> selections;
    for (const QTextCursor &match : std::as_const(m_matches))
        selections.append({match, highlight()});
    QPainter painter(printer);
    const int count = m_document->pageCount();
    for (int page = 0; page < count; ++page) {
        if (page > 0)
            printer->newPage();
        m_document->paintPage(&painter, page, printer->logicalDpiY(), selections);
    }
}

void KvReportPreviewView::refresh()
{
    m_pages->updatePreview();
    updatePageLabel();
}

void KvReportPreviewView::updatePageLabel()
{
    m_pageLabel->setText(
        QStringLiteral(" Страница %1 из %2 ").arg(currentPage()).arg(m_pages->pageCount()));
}

void KvReportPreviewView::zoomIn()
{
    m_pages->zoomIn(kZoomStep);
}

void KvReportPreviewView::zoomOut()
{
    m_pages->zoomOut(kZoomStep);
}

void KvReportPreviewView::fitWidth()
{
    m_pages->fitToWidth();
}

void KvReportPreviewView::fitPage()
{
    m_pages->fitInView();
}

bool KvReportPreviewView::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_document->pageLayout());
    printer.setFromTo(1, m_document->pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, m_document->pageCount());
    if (Prompts::current().execDialog(&dialog) != QDialog::Accepted)
        return false;
    if (!printer.pageLayout().isEquivalentTo(m_document->pageLayout())) {
        m_document->setPageLayout(printer.pageLayout());
        m_printer.setPageLayout(printer.pageLayout());
        refresh();
    }
    int first = 0;
    int last = -1;
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage() - 1;
        last = printer.toPage() - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = currentPage() - 1;
    }
    if (!m_document->print(&printer, first, last)) {
        ShowError(QStringLiteral("Не удалось напечатать отчет"));
        return false;
    }
    return true;
}

bool KvReportPreviewView::pageSetup()
{
    QPageSetupDialog dialog(&m_printer, this);
    if (Prompts::current().execDialog(&dialog) != QDialog::Accepted)
        return false;
    m_document->setPageLayout(m_printer.pageLayout());
    refresh();
    return true;
}

bool KvReportPreviewView::exportPdf(const QString &fileName)
{
    QString target = fileName;
    if (target.isEmpty()) {
        QFileDialog dialog(this, QStringLiteral("Экспорт в PDF"), QString(),
                           QStringLiteral("Документ PDF (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        const QString report = window()->windowTitle().section(QLatin1String(" - "), -1);
        dialog.selectFile(QFileInfo(report).completeBaseName() + QStringLiteral(".pdf"));
        if (Prompts::current().execDialog(&dialog) != QDialog::Accepted ||
            dialog.selectedFiles().isEmpty())
            return false;
        target = dialog.selectedFiles().constFirst();
    }
    QPdfWriter writer(target);
    writer.setCreator(QStringLiteral("Корвель"));
    if (!m_document->print(&writer)) {
        ShowError(QStringLiteral("Не удалось записать файл: ") + target);
        return false;
    }
    return true;
}

// The pages are painted again only when the highlighted matches change; moving between
// matches only turns pages.
int KvReportPreviewView::find(const QString &text)
{
    const bool hadMatches = !m_matches.isEmpty();
    m_matches.clear();
    m_current = -1;
    QTextDocument *body = m_document->body();
    if (!text.isEmpty()) {
        for (QTextCursor c = body->find(text); !c.isNull(); c = body->find(text, c))
            m_matches.append(c);
    }
    if (hadMatches || !m_matches.isEmpty())
        refresh();
    m_findLabel->setText(text.isEmpty() || !m_matches.isEmpty() ? QString()
                                                                : QStringLiteral(" Не найдено "));
    if (!m_matches.isEmpty()) {
        m_current = 0;
        showMatch();
    }
    return int(m_matches.size());
}

void KvReportPreviewView::findNext()
{
    if (m_matches.isEmpty())
        return;
    m_current = (m_current + 1) % int(m_matches.size());
    showMatch();
}

void KvReportPreviewView::findPrevious()
{
    if (m_matches.isEmpty())
        return;
    m_current = (m_current - 1 + int(m_matches.size())) % int(m_matches.size());
    showMatch();
}

void KvReportPreviewView::showMatch()
{
    if (m_current < 0)
        return;
    m_findLabel->setText(QStringLiteral(" %1 из %2 ").arg(m_current + 1).arg(m_matches.size()));
    m_pages->setCurrentPage(m_document->pageOf(m_matches.at(m_current)) + 1);
    updatePageLabel();
}

// ---- the windows ---------------------------------------------------------------------------

TfrmReportPreview::TfrmReportPreview(std::unique_ptr<KvReportDocument> document,
                                     const QString &title, QWidget *parent)
    : KvChildWindow(parent)
    , m_view(new KvReportPreviewView(std::move(document), this))
{
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &KvReportPreviewView::closeRequested, this, [this] {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
            sub->close();
        else
            close();
    });
    resize(800, 900);
}

QString TfrmReportPreview::captionFor(const TKV_Report &report)
{
    return QStringLiteral("Предварительный просмотр - ") + QFileInfo(report.FileName()).fileName();
}

bool TfrmReportPreview::ShowReport(TKV_Report &report, KvPreviewMode mode, QWidget *parent)
{
    std::unique_ptr<KvReportDocument> document = report.Prepare();
    if (!document)
        return false;
    if (mode == KvPreviewMode::Modal) {
        TfrmReportPreviewDialog dialog(std::move(document), captionFor(report), parent);
        Prompts::current().execDialog(&dialog);
        return true;
    }
    auto *window = new TfrmReportPreview(std::move(document), captionFor(report));
    window->setWindowClassName(QStringLiteral("TfrmReportPreview"));
    auto *host = qobject_cast<QWidget *>(KvWindowRegistry::host());
    QMdiArea *area = host ? host->findChild<QMdiArea *>() : nullptr;
    if (area) {
        QMdiSubWindow *sub = area->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->showMaximized();
        KvRefreshMenu();
    } else {
        window->show();
    }
    return true;
}

TfrmReportPreviewDialog::TfrmReportPreviewDialog(std::unique_ptr<KvReportDocument> document,
                                                 const QString &title, QWidget *parent)
    : QDialog(parent)
    , m_view(new KvReportPreviewView(std::move(document), this))
{
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &KvReportPreviewView::closeRequested, this, &QDialog::accept);
    resize(800, 900);
}
