#pragma once

#include <QDate>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class KvSession;
class TDMR;
class TKV_ClientDataSet;
class TKV_DataSetProvider;

// The working configuration of the signed-in user: the one MAIN_CFG row of the user in the
// cached dataset cdsMainCFG, its lookup fields and the nine lists the configuration reads.
// Owned by the client data module (DM); the server datasets belong to the server module.
//
// The row is opened after sign-in and held in edit state with today's working date; every
// post (and delete) is applied and committed at once, a close posts a pending edit first, and
// each open sets the working period (PeriodFrom, PeriodTo) from the row's period types.
class TMainCfg : public QObject
{
    Q_OBJECT
public:
    // dmr gives the connection and the user (CurrentUserId); the object is a child of parent.
    explicit TMainCfg(TDMR *dmr, QObject *parent = nullptr);
    ~TMainCfg() override;

    // The row of the user; documents read its fields and lookup fields.
    TKV_ClientDataSet *cdsMainCFG() const { return m_cfg; }
    // What windows bind to: the same dataset (this program binds controls to datasets).
    TKV_ClientDataSet *dsMainCFG() const { return m_cfg; }

    // The lists: companies (all columns), storage places, company directors, bank accounts,
    // suppliers, customers, contractors, kinds of work, ways of work.
    TKV_ClientDataSet *cdsMainCFGCompany() const { return m_company; }
    TKV_ClientDataSet *cdsMainCFGStoragePlace() const { return m_storagePlace; }
    TKV_ClientDataSet *cdsMainCfgCompanyDirector() const { return m_director; }
    TKV_ClientDataSet *cdsMainCfgBankAcc() const { return m_bankAcc; }
    TKV_ClientDataSet *cdsMainCfgSupplier() const { return m_supplier; }
    TKV_ClientDataSet *cdsMainCfgCustomer() const { return m_customer; }
    TKV_ClientDataSet *cdsMainCfgContractor() const { return m_contractor; }
    TKV_ClientDataSet *cdsMainCfgKindOfWork() const { return m_kindOfWork; }
    TKV_ClientDataSet *cdsMainCfgWayOfWork() const { return m_wayOfWork; }
    // All nine, in the order above.
    QList<TKV_ClientDataSet *> lists() const;
    // The six the configuration window opens: companies, contractors, customers, kinds of
    // work, ways of work, suppliers.
    QList<TKV_ClientDataSet *> windowLists() const;
    // The four the lookup fields read: companies, storage places, directors, bank accounts.
    QList<TKV_ClientDataSet *> lookupLists() const;

    // After sign-in: opens the row (a new, not yet saved row when the user has none), puts
    // it in edit state and sets the working date to today. False when the row cannot be
    // opened.
    bool OpenForSession(const QDate &today = QDate::currentDate());
    // Whether the open dataset holds a row already saved on the server (a row appended but
    // not yet posted does not count).
    bool HasSavedRow() const;
    // Closes the dataset (saving a pending edit) and opens it again; when the user has no
    // row, inserts one with the defaults, saves it at once and opens again.
    bool Reopen();
    // Posts an edited or inserted row and applies it. False when the post or the server
    // refused it (the row's change is then undone); *reason tells why.
    bool SaveRow(QString *reason = nullptr);
    // Opens the lists not yet open.
    void OpenLists(const QList<TKV_ClientDataSet *> &lists);
    void CloseLists(const QList<TKV_ClientDataSet *> &lists);

    // Before a store order is made for a storage place: when the place no longer exists,
    // every configuration row whose storage place is gone gets the lowest existing one.
    void EnsureStoragePlace(const QVariant &storagePlaceId);

    KvSession *session() const;

private:
    TKV_ClientDataSet *makeList(const QString &name, const QString &providerName,
                                const QString &statement, const QString &keyField);
    void defineLookupFields();
    void installHandlers();
    void setNewRowDefaults(TKV_ClientDataSet &cfg);
    void applyAndCommit(TKV_ClientDataSet &cfg);
    int currentUserId() const;
    bool commitWork();

    QPointer<TDMR> m_dmr;
    TKV_ClientDataSet *m_cfg = nullptr;
    TKV_ClientDataSet *m_company = nullptr;
    TKV_ClientDataSet *m_storagePlace = nullptr;
    TKV_ClientDataSet *m_director = nullptr;
    TKV_ClientDataSet *m_bankAcc = nullptr;
    TKV_ClientDataSet *m_supplier = nullptr;
    TKV_ClientDataSet *m_customer = nullptr;
    TKV_ClientDataSet *m_contractor = nullptr;
    TKV_ClientDataSet *m_kindOfWork = nullptr;
    TKV_ClientDataSet *m_wayOfWork = nullptr;
    // What the server said about the last refused change of the row; empty when none.
    QString m_lastRefusal;
};

// EnsureStoragePlace of the program's working configuration (DM); nothing without DM.
void EnsureStoragePlace(const QVariant &storagePlaceId);
