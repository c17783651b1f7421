#pragma once

#include "frmuGuide.h"

class QLineEdit;
class TKV_DBNavigator;

// The organisations guide: a read-only list with several sort markers at once (name
// ascending at first) over a properties panel where the current organisation is edited
// (name, address, tax and statistics numbers, licence, contact, telephone, code, director
// chosen among the organisation's own personnel, resident check box) with the panel's own
// navigator. A picker with "Ok" and "Отмена и выход". A new organisation takes MAX+1 as its
// key and the key as its code. Deleting asks, with no reference check, and does not refetch.
class TfrmCompanyGuide : public TfrmGuide
{
    Q_OBJECT
public:
    explicit TfrmCompanyGuide(KvSession &session, QWidget *parent = nullptr);

    QLineEdit *nameBox() const { return m_name; }

private:
    QWidget *createPanel();

    QLineEdit *m_name = nullptr;
    TKV_DBNavigator *m_panelNav = nullptr;
};
