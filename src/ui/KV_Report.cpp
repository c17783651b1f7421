#include "KV_Report.h"

#include "KV_LIB.h"
#include "KV_ReportDataSource.h"

#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>

TKV_Report::TKV_Report() = default;
TKV_Report::~TKV_Report() = default;

bool TKV_Report::LoadFromFile(const QString &fileName)
{
    m_fileName = fileName;
    m_loaded = false;
    m_text.clear();
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly)) {
        fail({0, QStringLiteral("Файл: ") + fileName + QStringLiteral(" не найден"),
              KvReportError::File},
             true);
        return false;
    }
    m_text = QString::fromUtf8(file.readAll());
    m_loaded = true;
    m_error = {};
    return true;
}

bool TKV_Report::SaveToFile(const QString &fileName)
{
    const QString target = fileName.isEmpty() ? m_fileName : fileName;
    QFile file(target);
    if (target.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail({0, QStringLiteral("Не удалось записать файл: ") + target, KvReportError::File}, true);
        return false;
    }
    file.write(m_text.toUtf8());
    if (!file.flush()) {
        fail({0, QStringLiteral("Не удалось записать файл: ") + target, KvReportError::File}, true);
        return false;
    }
    m_fileName = target;
    m_loaded = true;
    return true;
}

void TKV_Report::setTemplateText(const QString &text)
{
    m_text = text;
    m_loaded = true;
}

void TKV_Report::addDataSet(const QString &name, KvReportDataSource *source, KvReportRange range)
{
    m_dataSets.append({name, source, range});
}

void TKV_Report::setVariable(const QString &name, const QString &value)
{
    m_variables.insert(name, value);
}

KvReportPageSetup TKV_Report::PageSetup() const
{
    return KvReportPageSetup::fromTemplate(m_text);
}

std::unique_ptr<KvReportDocument> TKV_Report::Prepare(bool showErrors)
{
    if (!m_loaded) {
        // The missing file was reported when loading.
        if (m_error.isNull())
            m_error = {0, QStringLiteral("Файл: ") + m_fileName + QStringLiteral(" не найден"),
                       KvReportError::File};
        return nullptr;
    }
    KvReportError error;
    const KvReportPageSetup setup = KvReportPageSetup::fromTemplate(m_text, &error);
    KvExpandedReport expanded;
    if (error.isNull()) {
        KvReportExpander expander(m_dataSets, m_variables, OnBeforePrint);
        expander.expand(m_text, &expanded, &error);
    }
    if (!error.isNull()) {
        fail(error, showErrors);
        return nullptr;
    }
    m_error = {};
    return std::make_unique<KvReportDocument>(expanded, setup.pageLayout());
}

bool TKV_Report::ExportToPdf(const QString &pdfFileName, bool showErrors)
{
    const std::unique_ptr<KvReportDocument> document = Prepare(showErrors);
    if (!document)
        return false;
    QPdfWriter writer(pdfFileName);
    writer.setCreator(QStringLiteral("Корвель"));
    writer.setTitle(QFileInfo(m_fileName).completeBaseName());
    if (!document->print(&writer)) {
        fail({0, QStringLiteral("Не удалось записать файл: ") + pdfFileName, KvReportError::File},
             showErrors);
        return false;
    }
    return true;
}

QString TKV_Report::LastErrorMessage() const
{
    if (m_error.isNull())
        return {};
    if (m_error.kind == KvReportError::File)
        return m_error.text;
    return QStringLiteral("Ошибка в шаблоне отчета ") + m_fileName + QStringLiteral("\n") +
           m_error.describe();
}

void TKV_Report::fail(const KvReportError &error, bool show)
{
    m_error = error;
    if (show)
        ShowError(LastErrorMessage());
}
