#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class TDMR;
class TKV_ClientDataSet;
class TMainCfg;

// The client data module: sign-in, sign-out and the connection status the main window
// calls, each a thin step over the server data module, and the shared cached datasets
// that several windows use (closed at sign-out).
//
// The module has no windows of its own: the sign-in dialog and the busy feedback are handed
// in by the program (and by tests).
class TDM : public QObject
{
    Q_OBJECT
public:
    // What the sign-in dialog edits.
    struct Credentials
    {
        QString userName;
        QString password;
        QString dataBase;
    };
    // Shows the sign-in dialog with the values and the database names offered; false when it
    // is cancelled, otherwise the values as typed.
    using CredentialsDialog = std::function<bool(Credentials &, const QStringList &dataBases)>;
    // Busy feedback around the connection: begin with the text for the busy window, end.
    struct BusyFeedback
    {
        std::function<void(const QString &text)> begin;
        std::function<void()> end;
    };

    // kind 1: the session runs over dmr (the default); 0 (start parameter remoteserver):
    // the session reports itself as never connected.
    explicit TDM(TDMR *dmr, int kind = 1, QObject *parent = nullptr);
    ~TDM() override;

    int GetKindDM() const { return m_kind; }
    void SetKindDM(int kind) { m_kind = kind; }

    bool InitDM();
    // Asks for the credentials, connects and identifies the user; true when connected.
    // Failures are in the event log.
    bool Login();
    // Closes the shared datasets, then the connection.
    void LogOut();
    bool IsDatabaseConnected() const;

    bool ExecSql(const QString &text);
    bool CommitWork();
    QString GetLoginName() const;
    int CurrentUserId() const { return m_currentUserId; }

    // The working configuration of the signed-in user (its row, lookups and lists).
    TMainCfg &MainCfg() const { return *m_mainCfg; }
    TKV_ClientDataSet *cdsMainCFG() const;
    TKV_ClientDataSet *dsMainCFG() const { return cdsMainCFG(); }

    void setCredentialsDialog(CredentialsDialog dialog) { m_credentialsDialog = std::move(dialog); }
    void setBusyFeedback(BusyFeedback busy) { m_busy = std::move(busy); }

    // A shared dataset and how to close it (its own close saves pending edits first). The
    // entry goes when the dataset object is destroyed.
    void registerDataset(QObject *dataset, std::function<void()> close);
    // Closes every registered dataset, in the order of registration.
    void closeDatasets();

Q_SIGNALS:
    // After every sign-in and sign-out, successful or not.
    void connectionStateChanged();

private:
    struct Dataset
    {
        QPointer<QObject> object;
        std::function<void()> close;
    };

    QPointer<TDMR> m_dmr;
    int m_kind = 1;
    int m_currentUserId = -1;
    CredentialsDialog m_credentialsDialog;
    BusyFeedback m_busy;
    QList<Dataset> m_datasets;
    TMainCfg *m_mainCfg = nullptr;
};

// The program's client data module; null while none exists.
extern TDM *DM;
