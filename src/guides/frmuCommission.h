#pragma once

#include "frmuGuide.h"

// The commissions guide: a commission's number and its three members, each chosen from the
// persons ("post name"); only commissions still in force are listed. Shown without sorting or
// searching, so the caller's commission stays current. Messages name a commission by its
// three members joined by ",".
class TfrmCommission : public TfrmGuide
{
    Q_OBJECT
public:
    explicit TfrmCommission(KvSession &session, QWidget *parent = nullptr);
};
