#include "dmuMainCfg.h"

#include "AppVars.h"
#include "KV_ADODataSet.h"
#include "KV_ApplyAndReconcile.h"
#include "KV_ClientDataSet.h"
#include "KV_Provider.h"
#include "KV_ServerQueries.h"
#include "WorkPeriod.h"
#include "dmuDM.h"
#include "dmuRDM.h"

namespace {

const QString MainCfgSql = QStringLiteral(
    "select M.CFG_ID, M.USER_ID, M.WORK_DATE, M.BankAcc_Id, M.COMPANY_ID, M.CUSTOMERCOMP_ID, "
    "M.CONTRACTORCOMP_ID, M.KINDOFWORK_ID, M.WAYOFWORK_ID, M.TAX_PERCENT, M.CUR_ID, "
    "M.STORAGE_PLACE_ID, M.PERIODFROMTYPE, M.PERIODTOTYPE, M.MAINSUPPLIER_ID "
    "from ZOLT.Main_Cfg M where M.User_Id = :P_USER_ID");

const QString CompaniesSql = QStringLiteral("select * from ZOLT.COMPANY order by COMPANY_NAME");
const QString StoragePlacesSql =
    QStringLiteral("select STORAGEPLACE_ID, STORENAME from ZOLT.STORAGEPLACE order by STORENAME");
// A company whose director is gone (or no longer in force) has no row here.
const QString DirectorsSql =
    QStringLiteral("select C.Company_Id, P.Person_Id, P.PersName as Director_Name "
                   "from ZOLT.Company C left join ZOLT.Personnel P on C.Director_Id = P.Person_Id "
                   "where P.Valid_To > localtimestamp");
// concat() leaves out empty parts as the text operator of the first server did.
const QString BankAccountsSql = QStringLiteral(
    "select A.BankAcc_Id, A.Company_Id, concat('р/с ', A.BankAcc, ' в ', B.BANK_NAME, ' ', "
    "B.ADRESS_STREET, ' ', B.ADRESS_BOX, ' МФО ', B.BANK_CODE) as Acc_Descr "
    "from ZOLT.Bank B, ZOLT.BankAcc A where A.Bank_Id = B.Bank_Id");
const QString CompanyNamesSql =
    QStringLiteral("select COMPANY_ID, COMPANY_NAME from ZOLT.COMPANY order by COMPANY_NAME");
const QString KindsOfWorkSql =
    QStringLiteral("select KINDOFWORK_ID, DESCR from ZOLT.KINDOFWORK order by DESCR");
const QString WaysOfWorkSql =
    QStringLiteral("select WAYOFWORK_ID, DESCR from ZOLT.WAYOFWORK order by DESCR");

const QString StoragePlaceExistsSql =
    QStringLiteral("select count(1) as Q_REC from ZOLT.StoragePlace where StoragePlace_Id = ?");
// Only the rows whose storage place is gone: the others keep the place their user chose.
const QString MoveToLowestStoragePlaceSql = QStringLiteral(
    "update ZOLT.MAIN_CFG M set STORAGE_PLACE_ID = (select MIN(STORAGEPLACE_ID) from "
    "ZOLT.STORAGEPLACE) where not exists (select 1 from ZOLT.STORAGEPLACE S where "
    "S.STORAGEPLACE_ID = M.STORAGE_PLACE_ID)");

bool isEditing(const TKV_ClientDataSet &ds)
{
    return ds.State() == KvDataSetState::Edit || ds.State() == KvDataSetState::Insert;
}

void setField(TKV_ClientDataSet &ds, const char *name, const QVariant &value)
{
    if (KvField *field = ds.FindField(QString::fromLatin1(name)))
        field->setValue(value);
}

} // namespace

TMainCfg::TMainCfg(TDMR *dmr, QObject *parent)
    : QObject(parent)
    , m_dmr(dmr)
{
    setObjectName(QStringLiteral("MainCfg"));
    QObject *serverModule = dmr ? static_cast<QObject *>(dmr) : this;
    auto *ods = new TKV_ADODataSet(session(), serverModule);
    ods->setObjectName(QStringLiteral("odsMainCfg"));
    ods->setCommandText(MainCfgSql);
    ods->setUniqueFields(QStringLiteral("CFG_ID"));
    auto *dsp = new TKV_DataSetProvider(ods, this);
    dsp->setObjectName(QStringLiteral("dspMainCFG"));
    dsp->setTableName(QStringLiteral("ZOLT.MAIN_CFG"));
    dsp->setAutoRefresh(true);
    m_cfg = new TKV_ClientDataSet(this);
    m_cfg->setObjectName(QStringLiteral("cdsMainCFG"));
    m_cfg->setDataProvider(dsp);

    m_company = makeList(QStringLiteral("cdsMainCFGCompany"), QStringLiteral("dspMainCfgCompany"),
                         CompaniesSql, QStringLiteral("COMPANY_ID"));
    m_company->DataProvider()->setAllowCommandText(true);
    m_storagePlace =
        makeList(QStringLiteral("cdsMainCFGStoragePlace"), QStringLiteral("dspMainCFGStoragePlace"),
                 StoragePlacesSql, QStringLiteral("STORAGEPLACE_ID"));
    m_director = makeList(QStringLiteral("cdsMainCfgCompanyDirector"),
                          QStringLiteral("dspMainCfgCompanyDirector"), DirectorsSql,
                          QStringLiteral("COMPANY_ID"));
    m_bankAcc = makeList(QStringLiteral("cdsMainCfgBankAcc"), QStringLiteral("dspMainCfgBankAcc"),
                         BankAccountsSql, QStringLiteral("BANKACC_ID"));
    m_supplier =
        makeList(QStringLiteral("cdsMainCfgSupplier"), QStringLiteral("dspMainCfgSupplier"),
                 CompanyNamesSql, QStringLiteral("COMPANY_ID"));
    m_customer =
        makeList(QStringLiteral("cdsMainCfgCustomer"), QStringLiteral("dspMainCfgCustomer"),
                 CompanyNamesSql, QStringLiteral("COMPANY_ID"));
    m_contractor =
        makeList(QStringLiteral("cdsMainCfgContractor"), QStringLiteral("dspMainCfgContractor"),
                 CompanyNamesSql, QStringLiteral("COMPANY_ID"));
    m_kindOfWork =
        makeList(QStringLiteral("cdsMainCfgKindOfWork"), QStringLiteral("dspMainCfgKindOfWork"),
                 KindsOfWorkSql, QStringLiteral("KINDOFWORK_ID"));
    m_wayOfWork =
        makeList(QStringLiteral("cdsMainCfgWayOfWork"), QStringLiteral("dspMainCfgWayOfWork"),
                 WaysOfWorkSql, QStringLiteral("WAYOFWORK_ID"));

    defineLookupFields();
    installHandlers();
}

TMainCfg::~TMainCfg() = default;

KvSession *TMainCfg::session() const
{
    return m_dmr ? &m_dmr->session() : nullptr;
}

int TMainCfg::currentUserId() const
{
    return m_dmr ? m_dmr->CurrentUserId() : -1;
}

bool TMainCfg::commitWork()
{
    return m_dmr && m_dmr->CommitWork();
}

TKV_ClientDataSet *TMainCfg::makeList(const QString &name, const QString &providerName,
                                      const QString &statement, const QString &keyField)
{
    QObject *serverModule = m_dmr ? static_cast<QObject *>(m_dmr.data()) : this;
    auto *rds = new TKV_ADODataSet(session(), serverModule);
    rds->setObjectName(QStringLiteral("rds") + providerName.mid(3));
    rds->setCommandText(statement);
    rds->setUniqueFields(keyField);
    auto *dsp = new TKV_DataSetProvider(rds, this);
    dsp->setObjectName(providerName);
    dsp->setReadOnly(true);
    auto *list = new TKV_ClientDataSet(this);
    list->setObjectName(name);
    list->setDataProvider(dsp);
    list->setReadOnly(true);
    list->AfterOpen = [this](TKV_ClientDataSet &) { commitWork(); };
    return list;
}

void TMainCfg::defineLookupFields()
{
    const struct
    {
        const char *name;
        KvFieldType type;
        int size;
        const char *keyField;
        TKV_ClientDataSet *list;
        const char *listKey;
        const char *result;
    } lookups[] = {
        {"L_Company_Name", KvFieldType::String, 50, "COMPANY_ID", m_company, "COMPANY_ID",
         "COMPANY_NAME"},
        {"L_Company_Okpo", KvFieldType::String, 10, "COMPANY_ID", m_company, "COMPANY_ID", "OKPO"},
        {"L_Company_Unn", KvFieldType::String, 10, "COMPANY_ID", m_company, "COMPANY_ID", "UNN"},
        {"L_Company_AdressStreet", KvFieldType::String, 80, "COMPANY_ID", m_company, "COMPANY_ID",
         "ADRESS_STREET"},
        {"L_Company_AdressBox", KvFieldType::String, 20, "COMPANY_ID", m_company, "COMPANY_ID",
         "ADRESS_BOX"},
        {"L_CompanyLicense", KvFieldType::String, 80, "COMPANY_ID", m_company, "COMPANY_ID",
         "LICENSE_NO"},
        {"L_StoreName", KvFieldType::String, 30, "STORAGE_PLACE_ID", m_storagePlace,
         "STORAGEPLACE_ID", "STORENAME"},
        {"L_Director_Id", KvFieldType::Integer, 0, "COMPANY_ID", m_director, "COMPANY_ID",
         "PERSON_ID"},
        {"L_Director_Name", KvFieldType::String, 30, "COMPANY_ID", m_director, "COMPANY_ID",
         "DIRECTOR_NAME"},
        {"L_BankAcc", KvFieldType::String, 264, "BANKACC_ID", m_bankAcc, "BANKACC_ID", "ACC_DESCR"},
    };
    for (const auto &l : lookups) {
        m_cfg->AddLookupField(QString::fromLatin1(l.name), l.type, QString::fromLatin1(l.keyField),
                              l.list, QString::fromLatin1(l.listKey), QString::fromLatin1(l.result),
                              l.size);
    }
}

void TMainCfg::installHandlers()
{
    m_cfg->BeforeOpen = [this](TKV_ClientDataSet &cfg) {
        cfg.Params().setValue(QStringLiteral("P_USER_ID"), currentUserId());
        // The lookup fields read these lists: documents print their values.
        if (session() && session()->isConnected())
            OpenLists(lookupLists());
    };
    m_cfg->AfterOpen = [this](TKV_ClientDataSet &cfg) {
        if (!cfg.IsEmpty()) {
            ApplyWorkingPeriod(cfg.FieldValue(QStringLiteral("PERIODFROMTYPE")),
                               cfg.FieldValue(QStringLiteral("PERIODTOTYPE")), PeriodFrom,
                               PeriodTo);
        }
        commitWork();
    };
    m_cfg->OnNewRecord = [this](TKV_ClientDataSet &cfg) { setNewRowDefaults(cfg); };
    m_cfg->AfterPost = [this](TKV_ClientDataSet &cfg) { applyAndCommit(cfg); };
    m_cfg->AfterDelete = [this](TKV_ClientDataSet &cfg) { applyAndCommit(cfg); };
    m_cfg->BeforeClose = [this](TKV_ClientDataSet &cfg) {
        if (isEditing(cfg))
            cfg.Post();
        applyAndCommit(cfg);
    };
    m_cfg->AfterClose = [this](TKV_ClientDataSet &) { CloseLists(lists()); };
    m_cfg->AfterRefresh = [this](TKV_ClientDataSet &) {
        if (m_company->Active())
            m_company->Refresh();
        else
            m_company->Open();
    };
    m_cfg->OnReconcileError = [this](TKV_ClientDataSet &cfg, const KvUpdateError &error,
                                     KvUpdateKind kind) {
        m_lastRefusal = error.Context.isEmpty() ? error.Message
                                                : error.Message + QLatin1Char(' ') + error.Context;
        return ReportReconcileError(cfg, kind, error);
    };
}

void TMainCfg::setNewRowDefaults(TKV_ClientDataSet &cfg)
{
    const qint64 id = session() ? NextNumber(*session(), QStringLiteral("CFG_ID"),
                                             QStringLiteral("ZOLT.MAIN_CFG"))
                                : 0;
    setField(cfg, "CFG_ID", QVariant::fromValue(id));
    setField(cfg, "USER_ID", currentUserId());
    setField(cfg, "WORK_DATE", QDate::currentDate());
    setField(cfg, "BANKACC_ID", 0);
    setField(cfg, "COMPANY_ID", 0);
    setField(cfg, "STORAGE_PLACE_ID", 0);
}

void TMainCfg::applyAndCommit(TKV_ClientDataSet &cfg)
{
    if (cfg.ChangeCount() <= 0)
        return;
    m_lastRefusal.clear();
    ApplyAndCommit(cfg);
}

QList<TKV_ClientDataSet *> TMainCfg::lists() const
{
    return {m_company,  m_storagePlace, m_director,   m_bankAcc,  m_supplier,
            m_customer, m_contractor,   m_kindOfWork, m_wayOfWork};
}

QList<TKV_ClientDataSet *> TMainCfg::windowLists() const
{
    return {m_company, m_contractor, m_customer, m_kindOfWork, m_wayOfWork, m_supplier};
}

QList<TKV_ClientDataSet *> TMainCfg::lookupLists() const
{
    return {m_company, m_storagePlace, m_director, m_bankAcc};
}

void TMainCfg::OpenLists(const QList<TKV_ClientDataSet *> &lists)
{
    for (TKV_ClientDataSet *list : lists) {
        if (!list->Active())
            list->Open();
    }
}

void TMainCfg::CloseLists(const QList<TKV_ClientDataSet *> &lists)
{
    for (TKV_ClientDataSet *list : lists)
        list->Close();
}

bool TMainCfg::OpenForSession(const QDate &today)
{
    if (!m_cfg->Open())
        return false;
    if (m_cfg->IsEmpty() && !m_cfg->Append())
        return false;
    if (!isEditing(*m_cfg) && !m_cfg->Edit())
        return false;
    KvField *workDate = m_cfg->FindField(QStringLiteral("WORK_DATE"));
    return workDate && workDate->setValue(today);
}

bool TMainCfg::HasSavedRow() const
{
    if (!m_cfg->Active())
        return false;
    const int unsaved = m_cfg->State() == KvDataSetState::Insert ? 1 : 0;
    return m_cfg->RecordCount() - unsaved >= 1;
}

bool TMainCfg::Reopen()
{
    m_cfg->Close();
    if (!m_cfg->Open())
        return false;
    if (!m_cfg->IsEmpty())
        return true;
    if (m_cfg->Append())
        m_cfg->Post(); // applied and committed by the post
    commitWork();
    m_cfg->Close();
    return m_cfg->Open();
}

bool TMainCfg::SaveRow(QString *reason)
{
    if (!m_cfg->Active() || !isEditing(*m_cfg))
        return true;
    m_lastRefusal.clear();
    bool saved = m_cfg->Post();
    QString why;
    if (!saved) {
        why = m_cfg->LastError();
    } else if (!m_lastRefusal.isEmpty()) {
        saved = false;
        why = m_lastRefusal;
    } else if (m_cfg->ChangeCount() > 0) {
        saved = false;
        why = m_cfg->LastError();
    }
    if (!saved && reason)
        *reason = why;
    return saved;
}

void TMainCfg::EnsureStoragePlace(const QVariant &storagePlaceId)
{
    KvSession *s = session();
    if (!s)
        return;
    bool ok = false;
    QString error;
    const QVariant count = s->selectValue(StoragePlaceExistsSql, {storagePlaceId}, &ok, &error);
    if (!ok) {
        s->LogError(error);
        return;
    }
    if (count.toLongLong() > 0)
        return;
    // A failure has been reported by ExecSql; the caller goes on with what there is.
    s->ExecSql(MoveToLowestStoragePlaceSql);
    commitWork();
}

void EnsureStoragePlace(const QVariant &storagePlaceId)
{
    if (DM)
        DM->MainCfg().EnsureStoragePlace(storagePlaceId);
}
