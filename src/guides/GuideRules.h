#pragma once

#include "GuideTables.h"

class KvSession;
class QObject;
class TKV_ClientDataSet;
class TKV_DataSetProvider;

// The business rules of the reference books, without widgets: the data path of each table,
// the new-row rule, the reference checks before a delete and the width check before a post.

// The SQL dataset and provider of a guide table (its list statement, target table and key),
// both owned by owner; the provider's object name is the table's provider name.
TKV_DataSetProvider *CreateGuideProvider(KvSession &session, GuideTable table, QObject *owner);

// A read-only provider over a lookup list statement; keyField lets a refetch keep the row.
TKV_DataSetProvider *CreateListProvider(KvSession &session, const QString &name,
                                        const QString &statement, const QString &keyField,
                                        QObject *owner);

// Binds an editable guide list to its provider and gives it the rules every guide list
// follows: typing does not start an edit (AutoEdit off), new rows get their key and defaults,
// texts longer than their fields are refused before a post, each post is applied and
// committed at once, each delete is applied, committed and (unless refetchAfterDelete is
// false) refetched, refused rows are reported and undone, and a close applies what is pending.
void SetUpGuideList(TKV_ClientDataSet &list, TKV_DataSetProvider *provider, GuideTable table,
                    bool refetchAfterDelete = true);

// A read-only lookup list on a provider.
void SetUpLookupList(TKV_ClientDataSet &list, TKV_DataSetProvider *provider);

// The new-row rule of a guide table (for OnNewRecord). The key comes from the table's
// sequence; when the sequence answers null the error box "Ошибка поиска идентификатора
// записи" shows and the row stays without key and defaults; a server error abandons the row.
// Organisations take MAX(COMPANY_ID)+1 and their code is the key as text; a failed
// assignment shows "Ошибка инициализации данных записи в cdsCompany". False on failure.
bool InitNewGuideRow(TKV_ClientDataSet &list, GuideTable table);

// Runs the reference checks in order and answers the warning of the first that finds a
// reference to key: a double quote, the row's name and the check's text. Empty when no check
// finds one (a check whose statement fails finds none).
QString ReferenceWarning(KvSession &session, const QList<GuideReferenceCheck> &checks,
                         const QVariant &key, const QString &name);

// The refusal of a text longer than its field in the row being edited ("Текст поля
// «Наименование» длиннее 30 знаков"); empty when every text fits.
QString TextWidthError(const TKV_ClientDataSet &list);

// Whether two keys name the same row: both null, or the same whole number however they
// travel (integer, double, text).
bool SameGuideKey(const QVariant &a, const QVariant &b);
