#pragma once

#include "KV_ReportDataSource.h"

#include <QPointer>

class TKV_ClientDataSet;

// A client dataset as a report dataset: every field (lookup and calculated fields included)
// by name, its display text in the field's display format and its raw value, the rows in
// the dataset's current order. A detail dataset follows its master as it always does (bound
// controls are not disabled while the report moves the current row: that would cut the
// master-detail links too).
class KvReportClientDataSource final : public KvReportDataSource
{
public:
    explicit KvReportClientDataSource(TKV_ClientDataSet *dataSet);

    int fieldCount() const override;
    QString fieldName(int field) const override;
    int fieldIndex(const QString &name) const override;
    int rowCount() const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    QVariant value(int row, int field) const override;
    QString displayText(int row, int field) const override;
    QString formatValue(int field, const QVariant &value) const override;

private:
    QPointer<TKV_ClientDataSet> m_dataSet;
};
