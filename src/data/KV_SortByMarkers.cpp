#include "KV_SortByMarkers.h"

#include "KV_BusyCursor.h"
#include "KV_ClientDataSet.h"
#include "KV_LIB.h"

namespace {
constexpr int MaxIndexName = 30;
}

// The original routine also removed the first character "1" from the index name and both
// field lists. That turns a field such as PHONE1 into PHONE and makes the index fail, and
// serves nothing else; it is left out.
KvMarkerIndex MarkerIndexFor(const QList<KvColumnMarker> &columns)
{
    KvMarkerIndex index;
    for (const KvColumnMarker &column : columns) {
        if (column.marker == KvSortMarker::Up) {
            index.fields += column.fieldName + QLatin1Char(';');
            index.name += column.fieldName + QLatin1Char('_');
        } else if (column.marker == KvSortMarker::Down) {
            index.fields += column.fieldName + QLatin1Char(';');
            index.descFields += column.fieldName + QLatin1Char(';');
            index.name += column.fieldName + QStringLiteral("Desc_");
        }
    }
    if (!index.name.isEmpty()) {
        index.name.chop(1);
        index.name.prepend(QLatin1Char('i'));
    }
    if (index.fields.endsWith(QLatin1Char(';')))
        index.fields.chop(1);
    if (index.descFields.endsWith(QLatin1Char(';')))
        index.descFields.chop(1);
    if (index.name.size() > MaxIndexName) {
        index.name.truncate(MaxIndexName);
        index.cut = true;
    }
    return index;
}

bool SortGridByMarkers(TKV_ClientDataSet *dataSet, const QList<KvColumnMarker> &columns)
{
    KvBusyCursor busy;
    if (!dataSet || !dataSet->Active())
        return false;
    const KvMarkerIndex index = MarkerIndexFor(columns);
    if (index.name.isEmpty())
        return true;
    for (const KvIndexDef &def : dataSet->IndexDefs()) {
        if (def.Name.compare(index.name, Qt::CaseInsensitive) != 0)
            continue;
        if (!index.cut) {
            dataSet->setIndexName(def.Name);
            return true;
        }
        // A cut name may stand for another sort: build it again.
        dataSet->setIndexName(QString());
        dataSet->DeleteIndex(def.Name);
        break;
    }
    if (!dataSet->AddIndex(index.name, index.fields, ixCaseInsensitive, index.descFields)) {
        ShowError(QStringLiteral("Can not create index ") + index.name);
        return true;
    }
    dataSet->setIndexName(index.name);
    return true;
}
