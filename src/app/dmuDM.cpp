#include "dmuDM.h"

#include "AppVars.h"
#include "KV_ClientDataSet.h"
#include "KV_LIB.h"
#include "UdlFile.h"
#include "dmuMainCfg.h"
#include "dmuRDM.h"

#include <exception>

TDM *DM = nullptr;

TDM::TDM(TDMR *dmr, int kind, QObject *parent)
    : QObject(parent)
    , m_dmr(dmr)
    , m_kind(kind)
{
    SwitchKeyboardLayout(QStringLiteral("EN"));
    m_mainCfg = new TMainCfg(dmr, this);
    // The configuration row first: its close saves the working date; the lists follow.
    registerDataset(m_mainCfg->cdsMainCFG(), [cfg = m_mainCfg] { cfg->cdsMainCFG()->Close(); });
    for (TKV_ClientDataSet *list : m_mainCfg->lists())
        registerDataset(list, [list] { list->Close(); });
    DM = this;
}

TKV_ClientDataSet *TDM::cdsMainCFG() const
{
    return m_mainCfg->cdsMainCFG();
}

TDM::~TDM()
{
    closeDatasets();
    if (DM == this)
        DM = nullptr;
}

bool TDM::InitDM()
{
    m_currentUserId = -1;
    return true;
}

bool TDM::Login()
{
    bool result = false;
    bool busy = false;
    try {
        const QStringList dataBases = Udl::databaseNames(ConnectionsPath);
        Credentials credentials{LogonUserName, LogonPassword, LogonDataBase};
        if (m_credentialsDialog && m_credentialsDialog(credentials, dataBases)) {
            LogonUserName = credentials.userName;
            LogonPassword = credentials.password;
            LogonDataBase = credentials.dataBase;
            if (m_busy.begin)
                m_busy.begin(QStringLiteral("Устанавливается соединение с БД .."));
            busy = true;
            if (m_dmr) {
                m_dmr->DbLogON(LogonUserName, LogonPassword, LogonDataBase);
                result = m_dmr->Get_DatabaseConnectStatus();
            }
            m_currentUserId = result ? m_dmr->CurrentUserId() : -1;
        }
    } catch (const std::exception &e) {
        if (m_dmr)
            m_dmr->LogError(QString::fromLocal8Bit(e.what()));
        result = false;
    }
    if (busy && m_busy.end)
        m_busy.end();
    Q_EMIT connectionStateChanged();
    return result;
}

void TDM::LogOut()
{
    try {
        closeDatasets();
        if (m_kind == 1 && m_dmr)
            m_dmr->DbLogOut();
    } catch (const std::exception &e) {
        if (m_dmr)
            m_dmr->LogError(QString::fromLocal8Bit(e.what()));
    }
    m_currentUserId = -1;
    Q_EMIT connectionStateChanged();
}

bool TDM::IsDatabaseConnected() const
{
    if (m_kind == 0 || !m_dmr)
        return false;
    return m_dmr->Get_DatabaseConnectStatus();
}

bool TDM::ExecSql(const QString &text)
{
    return m_dmr && m_dmr->ExecSql(text);
}

bool TDM::CommitWork()
{
    return m_dmr && m_dmr->CommitWork();
}

QString TDM::GetLoginName() const
{
    return m_dmr ? m_dmr->GetLoginName() : QString();
}

void TDM::registerDataset(QObject *dataset, std::function<void()> close)
{
    m_datasets.append({dataset, std::move(close)});
}

void TDM::closeDatasets()
{
    // A copy: closing may register or drop datasets.
    const QList<Dataset> datasets = m_datasets;
    for (const Dataset &dataset : datasets) {
        if (dataset.object && dataset.close)
            dataset.close();
    }
    m_datasets.removeIf([](const Dataset &d) { return d.object.isNull(); });
}
