#include "KV_ApplyAndReconcile.h"

#include "KV_LIB.h"
#include "KV_db.h"

void ApplyAndCommit(TKV_ClientDataSet &dataSet)
{
    if (dataSet.ChangeCount() <= 0)
        return;
    dataSet.ApplyUpdates(-1);
    if (KvSession *session = dataSet.session())
        session->CommitWork();
}

KvReconcileAction ReportReconcileError(TKV_ClientDataSet &dataSet, KvUpdateKind kind,
                                       const KvUpdateError &error)
{
    const QString heading = QStringLiteral("Ошибка обновления - %1").arg(dataSet.objectName());
    QString word;
    switch (kind) {
    case KvUpdateKind::Modify:
        word = QStringLiteral("Изменение");
        break;
    case KvUpdateKind::Insert:
        word = QStringLiteral("Добавление");
        break;
    case KvUpdateKind::Delete:
        word = QStringLiteral("Удаление");
        break;
    }
    const QString message =
        QStringLiteral("ERROR: %1 %2\r%3 %4").arg(heading, word, error.Message, error.Context);
    if (KvSession *session = dataSet.session())
        session->LogError(message);
    ShowError(message);
    return KvReconcileAction::Cancel;
}

void UseReconcileReport(TKV_ClientDataSet &dataSet)
{
    dataSet.OnReconcileError = [](TKV_ClientDataSet &ds, const KvUpdateError &error,
                                  KvUpdateKind kind) {
        return ReportReconcileError(ds, kind, error);
    };
}
