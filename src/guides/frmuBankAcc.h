#pragma once

#include "frmuGuide.h"

class QComboBox;
class QToolButton;

// The bank-accounts guide: accounts still in force with their bank and organisation, sorted
// by bank, edited in a panel whose bank and organisation drop-downs have ellipsis buttons
// running the bank and organisation pickers; the buttons show only while the account is
// being edited. No search box: the grid searches as the user types and keeps its column
// layout. An account is deleted at once, without a question.
class TfrmBankAcc : public TfrmGuide
{
    Q_OBJECT
public:
    explicit TfrmBankAcc(KvSession &session, QWidget *parent = nullptr);

    void done(int result) override;

private:
    QWidget *createPanel();
    void updateButtons();
    // actGetBank and actGetCompany: while editing, run the picker on the account's key field,
    // refetch the list the drop-down shows and take the answer when it differs.
    void pickInto(const QString &keyField, TKV_ClientDataSet *shownList,
                  QVariant (*pick)(KvSession &, const QVariant &, int));

    TKV_ClientDataSet *m_banks = nullptr;
    TKV_ClientDataSet *m_companies = nullptr;
    QComboBox *m_bankBox = nullptr;
    QComboBox *m_companyBox = nullptr;
    QToolButton *m_bankButton = nullptr;
    QToolButton *m_companyButton = nullptr;
    QAction *m_getBank = nullptr;
    QAction *m_getCompany = nullptr;
};
