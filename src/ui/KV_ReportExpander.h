#pragma once

#include "KV_ReportError.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

class KvReportDataSource;

// Which rows of a dataset a report prints.
enum class KvReportRange {
    AllRows,   // every row the dataset shows
    CurrentRow // the current row alone (the document being printed)
};

// A dataset under the name the template gives it ("frDBDataSetStoreOrder").
struct KvReportDataSet
{
    QString name;
    KvReportDataSource *source = nullptr;
    KvReportRange range = KvReportRange::AllRows;
};

// Called before a named memo prints: text arrives as the memo's content as the template
// rendered it (HTML); a changed text is printed instead, as plain text.
using KvBeforePrintHook = std::function<void(const QString &memoName, QString &text)>;

// A template expanded over its data: the body and the page header and footer, all HTML.
// The header and footer still hold the page marks that each page fills in.
struct KvExpandedReport
{
    QString body;
    QString header;
    QString footer;

    // Marks in header and footer for the page number and the number of pages.
    static const QString PageMark;
    static const QString PageCountMark;
};

// Expands a template's Mustache sections over report datasets, variables and named memos
// (the names a template may use are described in doc/reports.md).
class KvReportExpander
{
public:
    KvReportExpander(QList<KvReportDataSet> dataSets, QHash<QString, QString> variables,
                     KvBeforePrintHook beforePrint);

    // False, with the fault and its line, when the template cannot be expanded. Every
    // dataset's current row is the same afterwards as before.
    bool expand(const QString &templateText, KvExpandedReport *result, KvReportError *error);

private:
    QList<KvReportDataSet> m_dataSets;
    QHash<QString, QString> m_variables; // lower-case names
    KvBeforePrintHook m_beforePrint;
};
