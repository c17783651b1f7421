#pragma once

#include "KV_ReportDocument.h"
#include "KvChildWindow.h"

#include <QDialog>
#include <QPrinter>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPrintPreviewWidget;
class TKV_Report;

// How a Part shows a report's preview.
enum class KvPreviewMode {
    MdiChild, // a non-modal child window of the main window
    Modal     // a modal window
};

// The pages of a prepared report with zoom, page moves, print (the system print dialog),
// page setup, find (matches highlighted, moving between them) and export to PDF.
class KvReportPreviewView : public QWidget
{
    Q_OBJECT
public:
    explicit KvReportPreviewView(std::unique_ptr<KvReportDocument> document,
                                 QWidget *parent = nullptr);
    ~KvReportPreviewView() override;

    KvReportDocument *document() const { return m_document.get(); }
    // Shows another document (the designer's live preview), keeping page and zoom.
    void setDocument(std::unique_ptr<KvReportDocument> document);
    QPrintPreviewWidget *pages() const { return m_pages; }
    int currentPage() const; // 1-based

    void zoomIn();
    void zoomOut();
    void fitWidth();
    void fitPage();
    // The system print dialog, then the chosen pages on the chosen printer.
    bool printReport();
    // The page setup dialog; the report is laid out again for what the user chose.
    bool pageSetup();
    // Writes the report to a PDF file; asks for the file when none is given.
    bool exportPdf(const QString &fileName = {});

    // Highlights every match of the text (any case) and moves to the first; the number of
    // matches.
    int find(const QString &text);
    void findNext();
    void findPrevious();
    int matchCount() const { return int(m_matches.size()); }
    int currentMatch() const { return m_current; } // 0-based; -1 without matches

Q_SIGNALS:
    void closeRequested();

private:
    void buildToolBar(QWidget *bar);
    void paintPages(QPrinter *printer);
    void refresh();
    void showMatch();
    void updatePageLabel();

    std::unique_ptr<KvReportDocument> m_document;
    QPrinter m_printer; // the preview's printer: its page layout is the report's
    QPrintPreviewWidget *m_pages = nullptr;
    QLineEdit *m_findText = nullptr;
    QLabel *m_findLabel = nullptr;
    QLabel *m_pageLabel = nullptr;
    QList<QTextCursor> m_matches;
    int m_current = -1;
};

// The preview as a child window of the main window; closing it frees it.
class TfrmReportPreview : public KvChildWindow
{
    Q_OBJECT
public:
    TfrmReportPreview(std::unique_ptr<KvReportDocument> document, const QString &title,
                      QWidget *parent = nullptr);
    KvReportPreviewView *view() const { return m_view; }

    // Prepares the report and shows its preview as the Part asks: a child window of the
    // main window (or a window of its own without one), or a modal window. False when the
    // report cannot be prepared (the user has seen why).
    static bool ShowReport(TKV_Report &report, KvPreviewMode mode, QWidget *parent = nullptr);
    // The caption of a report's preview.
    static QString captionFor(const TKV_Report &report);

private:
    KvReportPreviewView *m_view;
};

// The preview as a modal window.
class TfrmReportPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    TfrmReportPreviewDialog(std::unique_ptr<KvReportDocument> document, const QString &title,
                            QWidget *parent = nullptr);
    KvReportPreviewView *view() const { return m_view; }

private:
    KvReportPreviewView *m_view;
};
