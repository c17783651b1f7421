#include "frmuReportDesigner.h"

#include "KV_LIB.h"
#include "KV_Prompts.h"
#include "KV_Report.h"
#include "KV_ReportHighlighter.h"
#include "frmuReportPreview.h"

#include <QAction>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
constexpr int kRefreshDelayMs = 600;
}

TfrmReportDesigner::TfrmReportDesigner(TKV_Report &report, QWidget *parent)
    : QDialog(parent)
    , m_report(report)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *bar = new QToolBar(this);
    layout->addWidget(bar);
    QAction *saveAction = bar->addAction(QStringLiteral("Сохранить"), this, [this] { save(); });
    saveAction->setShortcut(QKeySequence::Save);
    QAction *refreshAction =
        bar->addAction(QStringLiteral("Обновить просмотр"), this, [this] { refreshPreview(); });
    refreshAction->setShortcut(QKeySequence(Qt::Key_F5));
    bar->addAction(QStringLiteral("К строке ошибки"), this, [this] { goToErrorLine(); });
    bar->addSeparator();
    bar->addAction(QStringLiteral("Закрыть"), this, [this] { reject(); });

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(splitter, 1);
    m_editor = new QPlainTextEdit(splitter);
    m_editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    new KvReportHighlighter(m_editor->document());
    m_previewHolder = new QWidget(splitter);
    auto *holderLayout = new QVBoxLayout(m_previewHolder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({700, 700});

    m_status = new QLabel(this);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status);

    m_editor->setPlainText(report.TemplateText());
    m_editor->document()->setModified(false);
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(kRefreshDelayMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &TfrmReportDesigner::refreshPreview);
    connect(m_editor, &QPlainTextEdit::textChanged, m_refreshTimer, qOverload<>(&QTimer::start));
    connect(m_editor->document(), &QTextDocument::modificationChanged, this,
            &TfrmReportDesigner::updateCaption);

    updateCaption();
    resize(1400, 900);
    refreshPreview();
}

TfrmReportDesigner::~TfrmReportDesigner() = default;

void TfrmReportDesigner::Design(TKV_Report &report, QWidget *parent)
{
    TfrmReportDesigner designer(report, parent);
    Prompts::current().execDialog(&designer);
}

void TfrmReportDesigner::updateCaption()
{
    setWindowTitle(QStringLiteral("Дизайнер отчета - ") +
                   QFileInfo(m_report.FileName()).fileName() +
                   (isModified() ? QStringLiteral(" *") : QString()));
}

bool TfrmReportDesigner::isModified() const
{
    return m_editor->document()->isModified();
}

QString TfrmReportDesigner::errorText() const
{
    return m_status->property("fault").toBool() ? m_status->text() : QString();
}

void TfrmReportDesigner::refreshPreview()
{
    m_refreshTimer->stop();
    m_report.setTemplateText(m_editor->toPlainText());
    std::unique_ptr<KvReportDocument> document = m_report.Prepare(false);
    if (!document) {
        const KvReportError error = m_report.LastError();
        showFault(error.line, error.describe());
        return;
    }
    showFault(0, QString());
    m_status->setText(QStringLiteral("Страниц: %1").arg(document->pageCount()));
    if (m_preview) {
        m_preview->setDocument(std::move(document));
    } else {
        m_preview = new KvReportPreviewView(std::move(document), m_previewHolder);
        m_previewHolder->layout()->addWidget(m_preview);
        connect(m_preview, &KvReportPreviewView::closeRequested, this, &QDialog::reject);
    }
}

void TfrmReportDesigner::showFault(int line, const QString &text)
{
    m_errorLine = text.isEmpty() ? 0 : line;
    m_status->setProperty("fault", !text.isEmpty());
    m_status->setStyleSheet(text.isEmpty() ? QString() : QStringLiteral("color: #c00000"));
    m_status->setText(text);

    QList<QTextEdit::ExtraSelection> marks;
    if (m_errorLine > 0) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(m_editor->document()->findBlockByNumber(m_errorLine - 1));
        mark.format.setBackground(QColor(255, 220, 220));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks.append(mark);
    }
    m_editor->setExtraSelections(marks);
}

void TfrmReportDesigner::goToErrorLine()
{
    if (m_errorLine <= 0)
        return;
    const QTextBlock block = m_editor->document()->findBlockByNumber(m_errorLine - 1);
    QTextCursor cursor(block);
    m_editor->setTextCursor(cursor);
    m_editor->centerCursor();
    m_editor->setFocus();
}

bool TfrmReportDesigner::save()
{
    m_report.setTemplateText(m_editor->toPlainText());
    if (!m_report.SaveToFile())
        return false;
    m_editor->document()->setModified(false);
    return true;
}

void TfrmReportDesigner::done(int result)
{
    if (isModified() && ConfirmSaveChanges() && !save())
        return; // the user stays to save elsewhere or give up the changes
    QDialog::done(result);
}
