#pragma once

#include "frmuGuide.h"

// The personnel guide: persons of every organisation with post and full name in three
// grammatical cases and the passport, edited in the grid (the organisation through a
// drop-down of organisations); sorted by post. A picker with the OK action. Deleting a person
// who is the responsible person of a storage place is refused.
class TfrmPersonnel : public TfrmGuide
{
    Q_OBJECT
public:
    explicit TfrmPersonnel(KvSession &session, QWidget *parent = nullptr);
};
