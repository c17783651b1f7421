#pragma once

#include "KV_ClientDataSet.h"

// An in-memory dataset of locally defined fields (the event list, one-row dialog records):
// a client dataset without provider whose posts are not logged as changes.
//
//   TKV_MemDataSet m; m.AddField("TEXT", KvFieldType::String); m.CreateDataSet();
class TKV_MemDataSet : public TKV_ClientDataSet
{
    Q_OBJECT
public:
    explicit TKV_MemDataSet(QObject *parent = nullptr)
        : TKV_ClientDataSet(parent)
    {
        setLogChanges(false);
    }
};
