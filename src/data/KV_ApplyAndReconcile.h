#pragma once

#include "KV_ClientDataSet.h"

// The apply-and-commit pattern of every editable list and the shared report of refused rows.

// When the dataset has pending changes: ApplyUpdates(-1), then the session's CommitWork.
// Used after each post and delete (then the list is refreshed) and before the list closes.
void ApplyAndCommit(TKV_ClientDataSet &dataSet);

// Shows and logs a refused row and answers Cancel (the row's change is undone):
// "ERROR: Ошибка обновления - <dataset> <kind>\r<message> <context>", kind "Изменение",
// "Добавление" or "Удаление"; written to the session's error log and shown in an error box.
KvReconcileAction ReportReconcileError(TKV_ClientDataSet &dataSet, KvUpdateKind kind,
                                       const KvUpdateError &error);

// Installs ReportReconcileError as the dataset's OnReconcileError (what every list does).
void UseReconcileReport(TKV_ClientDataSet &dataSet);
