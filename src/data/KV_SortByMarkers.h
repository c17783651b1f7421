#pragma once

#include <QList>
#include <QString>

class TKV_ClientDataSet;

// The sort marker a grid column shows in its title.
enum class KvSortMarker { None, Up, Down }; // Up: ascending, Down: descending

struct KvColumnMarker
{
    QString fieldName;
    KvSortMarker marker = KvSortMarker::None;
};

// The index name and fields sorting by markers builds: "i" + each marked field name + "_"
// (ascending) or "Desc_" (descending), the last character dropped, at most 30 characters.
struct KvMarkerIndex
{
    QString name;
    QString fields;
    QString descFields;
    bool cut = false; // the name was longer than 30 characters
};
KvMarkerIndex MarkerIndexFor(const QList<KvColumnMarker> &columns);

// Builds or selects the index matching the markers of a grid's columns (in column order)
// on an open client dataset, under the busy cursor; answers false when the dataset is not
// open (or missing) and true otherwise. A failed index shows "Can not create index <name>"
// and the previous order stays. No marked column: the order stays as it was.
bool SortGridByMarkers(TKV_ClientDataSet *dataSet, const QList<KvColumnMarker> &columns);
