#include "GuideRules.h"

#include "AppVars.h"
#include "KV_ADODataSet.h"
#include "KV_ApplyAndReconcile.h"
#include "KV_ClientDataSet.h"
#include "KV_LIB.h"
#include "KV_Provider.h"
#include "KV_ServerQueries.h"
#include "KV_db.h"

#include <QDate>

namespace {

TKV_DataSetProvider *makeProvider(KvSession &session, const QString &name, const QString &statement,
                                  const QString &keyField, QObject *owner)
{
    auto *ods = new TKV_ADODataSet(&session, owner);
    QString base = name;
    if (base.startsWith(QLatin1String("dsp")))
        base = base.mid(3);
    ods->setObjectName(QStringLiteral("ods") + base);
    ods->setCommandText(statement);
    ods->setUniqueFields(keyField);
    auto *dsp = new TKV_DataSetProvider(ods, owner);
    dsp->setObjectName(name);
    return dsp;
}

QVariant defaultValue(const GuideDefault &d)
{
    // An empty date is the open end of validity, read now: the shell may have set it.
    if (d.value.typeId() == QMetaType::QDate && !d.value.toDate().isValid())
        return InfiniteDate;
    return d.value;
}

bool setDefaults(TKV_ClientDataSet &list, const GuideTableDef &def)
{
    bool ok = true;
    for (const GuideDefault &d : def.defaults) {
        KvField *field = list.FindField(d.field);
        ok = field && field->setValue(defaultValue(d)) && ok;
    }
    return ok;
}

bool initCompany(TKV_ClientDataSet &list, const GuideTableDef &def)
{
    KvSession *session = list.session();
    bool ok = session != nullptr;
    if (ok) {
        const qint64 key = NextNumber(*session, def.keyField, def.tableName);
        KvField *keyField = list.FindField(def.keyField);
        KvField *code = list.FindField(QStringLiteral("COMPANY_CODE"));
        ok = keyField && code && keyField->setValue(QVariant::fromValue(key)) &&
             setDefaults(list, def) && code->setValue(QString::number(key));
    }
    if (!ok)
        ShowError(QStringLiteral("Ошибка инициализации данных записи в %1").arg(list.objectName()));
    return ok;
}

} // namespace

TKV_DataSetProvider *CreateGuideProvider(KvSession &session, GuideTable table, QObject *owner)
{
    const GuideTableDef &def = guideTable(table);
    TKV_DataSetProvider *dsp =
        makeProvider(session, def.providerName, def.statement, def.keyField, owner);
    dsp->setTableName(def.tableName);
    dsp->setReadOnly(def.readOnly);
    return dsp;
}

TKV_DataSetProvider *CreateListProvider(KvSession &session, const QString &name,
                                        const QString &statement, const QString &keyField,
                                        QObject *owner)
{
    TKV_DataSetProvider *dsp = makeProvider(session, name, statement, keyField, owner);
    dsp->setReadOnly(true);
    return dsp;
}

void SetUpGuideList(TKV_ClientDataSet &list, TKV_DataSetProvider *provider, GuideTable table,
                    bool refetchAfterDelete)
{
    list.setDataProvider(provider);
    list.setAutoEdit(false);
    UseReconcileReport(list);
    list.OnNewRecord = [table](TKV_ClientDataSet &ds) { InitNewGuideRow(ds, table); };
    list.BeforePost = [](TKV_ClientDataSet &ds) {
        const QString error = TextWidthError(ds);
        if (!error.isEmpty()) {
            ShowError(error);
            ds.Abort();
        }
    };
    list.AfterPost = [](TKV_ClientDataSet &ds) { ApplyAndCommit(ds); };
    list.AfterDelete = [refetchAfterDelete](TKV_ClientDataSet &ds) {
        ApplyAndCommit(ds);
        if (refetchAfterDelete)
            ds.Refresh();
    };
    list.BeforeClose = [](TKV_ClientDataSet &ds) { ApplyAndCommit(ds); };
}

void SetUpLookupList(TKV_ClientDataSet &list, TKV_DataSetProvider *provider)
{
    list.setDataProvider(provider);
    list.setReadOnly(true);
}

bool InitNewGuideRow(TKV_ClientDataSet &list, GuideTable table)
{
    const GuideTableDef &def = guideTable(table);
    if (def.sequence.isEmpty())
        return initCompany(list, def);
    if (!AssignNextId(list, def.keyField, def.sequence))
        return false;
    return setDefaults(list, def);
}

QString ReferenceWarning(KvSession &session, const QList<GuideReferenceCheck> &checks,
                         const QVariant &key, const QString &name)
{
    for (const GuideReferenceCheck &check : checks) {
        if (IsReferenced(session, check.column, check.table, key))
            return QLatin1Char('"') + name + check.text;
    }
    return {};
}

QString TextWidthError(const TKV_ClientDataSet &list)
{
    for (const KvField *field : list.Fields()) {
        if (!field->isData() || field->DataType() != KvFieldType::String || field->Size <= 0)
            continue;
        if (field->AsString().size() > field->Size)
            return QStringLiteral("Текст поля «%1» длиннее %2 знаков")
                .arg(field->Label())
                .arg(field->Size);
    }
    return {};
}

bool SameGuideKey(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    bool okA = false;
    bool okB = false;
    const double x = a.toDouble(&okA);
    const double y = b.toDouble(&okB);
    return okA && okB && x == y;
}
