#pragma once

#include <QDialog>

class KvReportPreviewView;
class QLabel;
class QPlainTextEdit;
class QTimer;
class TKV_Report;

// The report designer: a modal window that edits a report's template with syntax
// highlighting, shows a live preview over the report's current data, reports a template
// fault with its line (the last good preview stays), and saves the template to its file.
class TfrmReportDesigner : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmReportDesigner(TKV_Report &report, QWidget *parent = nullptr);
    ~TfrmReportDesigner() override;

    // Opens the designer on the report, modal (a missing template starts empty, so that it
    // can be written and saved).
    static void Design(TKV_Report &report, QWidget *parent = nullptr);

    QPlainTextEdit *editor() const { return m_editor; }
    KvReportPreviewView *preview() const { return m_preview; }
    QString errorText() const;
    int errorLine() const { return m_errorLine; }

    // Expands the edited template and shows it, or shows its fault.
    void refreshPreview();
    bool save();
    bool isModified() const;

protected:
    void done(int result) override;

private:
    void showFault(int line, const QString &text);
    void goToErrorLine();
    void updateCaption();

    TKV_Report &m_report;
    QPlainTextEdit *m_editor = nullptr;
    KvReportPreviewView *m_preview = nullptr;
    QWidget *m_previewHolder = nullptr;
    QLabel *m_status = nullptr;
    QTimer *m_refreshTimer = nullptr;
    int m_errorLine = 0;
};
