#pragma once

#include "KV_ReportDocument.h"
#include "KV_ReportError.h"
#include "KV_ReportExpander.h"
#include "KV_ReportPageSetup.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class KvReportDataSource;
class TKV_ClientDataSet;

// A report: a template file from ReportFormsPath, the datasets it prints under the names the
// template uses, report variables and the before-print hook for named memos.
//
//   TKV_Report report;
//   if (report.LoadFromFile(ReportFormsPath + "StoreOrder.frf")) {
//       report.addDataSet("frDBDataSetStoreOrder", &cdsStoreOrder, KvReportRange::CurrentRow);
//       report.addDataSet("frDBDataSetStoreOrderItem", &cdsStoreOrderItem);
//       TfrmReportPreview::ShowReport(report, KvPreviewMode::MdiChild);
//   }
//
// Faults are shown to the user through the prompts (ShowError) and kept in LastError().
class TKV_Report
{
public:
    TKV_Report();
    ~TKV_Report();
    TKV_Report(const TKV_Report &) = delete;
    TKV_Report &operator=(const TKV_Report &) = delete;

    // Reads a template (UTF-8). A missing file shows "Файл: " + path + " не найден" and
    // leaves the report without a template.
    bool LoadFromFile(const QString &fileName);
    // Writes the template text to its file (or another); false when it cannot be written.
    bool SaveToFile(const QString &fileName = {});
    QString FileName() const { return m_fileName; }
    bool IsLoaded() const { return m_loaded; }
    QString TemplateText() const { return m_text; }
    void setTemplateText(const QString &text);

    // Datasets are not owned and must outlive the report and its preparation.
    void addDataSet(const QString &name, KvReportDataSource *source,
                    KvReportRange range = KvReportRange::AllRows);
    void addDataSet(const QString &name, TKV_ClientDataSet *dataSet,
                    KvReportRange range = KvReportRange::AllRows);
    void setVariable(const QString &name, const QString &value);
    KvBeforePrintHook OnBeforePrint;

    // The page setup the template asks for.
    KvReportPageSetup PageSetup() const;

    // Expands the template over the datasets and lays it out on pages; null when there is
    // no template or it is broken (shown to the user when showErrors is set).
    std::unique_ptr<KvReportDocument> Prepare(bool showErrors = true);
    // Renders the report straight to a PDF file, without a window.
    bool ExportToPdf(const QString &pdfFileName, bool showErrors = true);

    KvReportError LastError() const { return m_error; }
    // The message for the last fault, as the user sees it.
    QString LastErrorMessage() const;

private:
    void fail(const KvReportError &error, bool show);

    QString m_fileName;
    QString m_text;
    bool m_loaded = false;
    QList<KvReportDataSet> m_dataSets;
    std::vector<std::unique_ptr<KvReportDataSource>> m_adapters;
    QHash<QString, QString> m_variables;
    KvReportError m_error;
};
