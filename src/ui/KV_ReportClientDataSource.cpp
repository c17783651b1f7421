#include "KV_ReportClientDataSource.h"

#include "KV_ClientDataSet.h"
#include "KV_Field.h"
#include "KV_Report.h"

KvReportClientDataSource::KvReportClientDataSource(TKV_ClientDataSet *dataSet)
    : m_dataSet(dataSet)
{}

int KvReportClientDataSource::fieldCount() const
{
    return m_dataSet ? m_dataSet->FieldCount() : 0;
}

QString KvReportClientDataSource::fieldName(int field) const
{
    return m_dataSet->Fields().at(field)->FieldName();
}

int KvReportClientDataSource::fieldIndex(const QString &name) const
{
    const KvField *field = m_dataSet ? m_dataSet->FindField(name) : nullptr;
    return field ? field->Index() : -1;
}

int KvReportClientDataSource::rowCount() const
{
    return m_dataSet && m_dataSet->Active() ? m_dataSet->RecordCount() : 0;
}

int KvReportClientDataSource::currentRow() const
{
    return m_dataSet && m_dataSet->Active() ? m_dataSet->currentRow() : -1;
}

void KvReportClientDataSource::setCurrentRow(int row)
{
    if (m_dataSet)
        m_dataSet->setCurrentRow(row);
}

// The current row is read through the field, so that a row being edited prints as edited.
QVariant KvReportClientDataSource::value(int row, int field) const
{
    const KvField *f = m_dataSet->Fields().at(field);
    return row == m_dataSet->currentRow() ? f->Value() : f->valueAt(row);
}

QString KvReportClientDataSource::displayText(int row, int field) const
{
    const KvField *f = m_dataSet->Fields().at(field);
    return row == m_dataSet->currentRow() ? f->DisplayText() : f->displayTextAt(row);
}

QString KvReportClientDataSource::formatValue(int field, const QVariant &value) const
{
    return m_dataSet->Fields().at(field)->formatValue(value);
}

// Here rather than in KV_Report.cpp: only programs that print client datasets link them.
void TKV_Report::addDataSet(const QString &name, TKV_ClientDataSet *dataSet, KvReportRange range)
{
    m_adapters.push_back(std::make_unique<KvReportClientDataSource>(dataSet));
    addDataSet(name, m_adapters.back().get(), range);
}
