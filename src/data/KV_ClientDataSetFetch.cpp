// TKV_ClientDataSet: open, close, refresh, memory datasets and the master-detail link.

#include "KV_ClientDataSetPrivate.h"

#include "KV_ADODataSet.h"
#include "KV_BusyCursor.h"
#include "KV_Provider.h"

#include <algorithm>
#include <numeric>

TKV_DataSetProvider *KvClientDataSetPrivate::provider() const
{
    if (dataProvider)
        return dataProvider;
    return TKV_DataSetProvider::find(providerName, q->parent());
}

bool KvClientDataSetPrivate::masterKey(QVariantList &values) const
{
    values.clear();
    if (!master || !master->Active() || master->RecordCount() == 0)
        return false;
    for (const QString &name : masterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const KvField *field = master->FindField(name.trimmed());
        if (!field)
            return false;
        values << field->Value();
    }
    return !values.isEmpty();
}

QStringList KvClientDataSetPrivate::detailLinkFields() const
{
    const QStringList masters = masterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QStringList links = indexFieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (links.size() < masters.size())
        links = masters;
    QStringList result;
    for (int i = 0; i < masters.size(); ++i)
        result << links[i].trimmed();
    return result;
}

bool KvClientDataSetPrivate::detailByParams() const
{
    if (!master)
        return false;
    TKV_DataSetProvider *p = provider();
    QString statement = ExpandSubstitutions(commandText, substituteChar, substitutions);
    if (statement.trimmed().isEmpty() && p && p->DataSet())
        statement = p->DataSet()->StatementInForce();
    const QStringList names = ParseNamedParameters(statement).names;
    for (const QString &name : masterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (names.contains(name.trimmed(), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool KvClientDataSetPrivate::fetchInto(KvColumnStore &rows, QString *error)
{
    TKV_DataSetProvider *p = provider();
    if (!p) {
        *error = QStringLiteral("Missing data provider or data packet");
        return false;
    }
    if (master) {
        QVariantList values;
        masterKey(values);
        const QStringList names = masterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (int i = 0; i < names.size(); ++i)
            params.setValue(names[i].trimmed(), i < values.size() ? values[i] : QVariant());
    }
    size_t bytes = 0;
    const bool ok = p->Fetch(q->RealCommandText(), params, rows, error, &bytes);
    serverBytes += bytes;
    return ok;
}

bool KvClientDataSetPrivate::bindFields(QString *error)
{
    bool persistentData = false;
    for (const KvField *field : std::as_const(fields))
        persistentData = persistentData || (field->isData() && field->m_persistent);
    for (KvField *field : std::as_const(fields)) {
        if (field->isData())
            field->m_column = -1;
    }
    QList<KvField *> made;
    for (size_t c = 0; c < store.columns.size(); ++c) {
        const KvColumnInfo &info = store.infos[c];
        KvField *field = q->FindField(info.name);
        if (field && !field->isData()) {
            *error = QStringLiteral("Field '%1' is not a data field").arg(field->FieldName());
            return false;
        }
        if (!field) {
            auto owned = std::make_unique<KvField>(q, info.name, info.type, KvFieldKind::Data);
            owned->Visible = !persistentData;
            owned->Size = info.size;
            field = owned.get();
            ownedFields.push_back(std::move(owned));
            made << field;
        }
        if (field->m_type == KvFieldType::Unknown)
            field->m_type = info.type;
        if (field->m_type != info.type) {
            // The program asked for another type: keep the values in that one.
            KvColumn converted(field->m_type);
            const KvColumn &old = store.columns[c];
            converted.reserve(old.size());
            for (uint32_t slot = 0; slot < old.size(); ++slot)
                converted.appendValue(old.valueAt(slot));
            store.columns[c] = std::move(converted);
            store.infos[c].type = field->m_type;
        }
        if (field->Size == 0)
            field->Size = info.size;
        field->m_column = int(c);
        field->m_originTable = info.tableOid;
        field->m_originColumn = info.tableColumn;
    }
    for (const KvField *field : std::as_const(fields)) {
        if (field->isData() && field->m_persistent && field->m_column < 0) {
            *error = QStringLiteral("Field '%1' not found").arg(field->FieldName());
            return false;
        }
    }
    if (!made.isEmpty()) {
        // Fields made from the server's columns come first when the program defined no data
        // field; hidden extras go last otherwise.
        if (!persistentData) {
            QList<KvField *> ordered;
            for (KvField *field : std::as_const(fields)) {
                if (field->isData())
                    ordered << field;
            }
            ordered << made;
            for (KvField *field : std::as_const(fields)) {
                if (!field->isData())
                    ordered << field;
            }
            fields = ordered;
        } else {
            fields << made;
        }
        for (int i = 0; i < fields.size(); ++i)
            fields[i]->m_index = i;
    }
    return true;
}

void KvClientDataSetPrivate::resetRows(uint32_t count)
{
    recSlot.resize(count);
    std::iota(recSlot.begin(), recSlot.end(), 0u);
    defaultOrder = recSlot;
    changes.clear();
    calcCache.clear();
    editing = inserting = false;
    editRec = NoRec;
    buffer.clear();
    ++version;
    rebuildAllIndexes();
    rebuildView();
}

bool TKV_ClientDataSet::Open()
{
    if (d->active)
        return true;
    if (d->memory ||
        (!d->provider() && d->providerName.isEmpty() && !d->fields.isEmpty() && !d->dataProvider))
        return CreateDataSet();
    if (!d->runBefore(BeforeOpen))
        return false;
    KvBusyCursor busy(d->waitCursor);
    KvColumnStore rows;
    QString error;
    d->serverBytes = 0;
    if (!d->fetchInto(rows, &error))
        return d->fail(error, true);
    if (d->controlsOn())
        Q_EMIT aboutToReset();
    d->store = std::move(rows);
    if (!d->bindFields(&error)) {
        d->store.clear();
        if (d->controlsOn())
            Q_EMIT reset();
        return d->fail(error, true);
    }
    TKV_DataSetProvider *p = d->provider();
    d->providerReadOnly = p && p->ReadOnly();
    d->connectLookups();
    d->active = true;
    d->resetRows(d->store.slotCount());
    QVariantList key;
    d->fetchedMasterKeys.clear();
    d->lastMasterKey.clear();
    if (d->masterKey(key)) {
        d->lastMasterKey = KvClientDataSetPrivate::lookupKey(key);
        if (d->detailByParams())
            d->fetchedMasterKeys.insert(d->lastMasterKey);
    }
    d->rebuildView();
    d->cur = d->viewCount() > 0 ? 0 : -1;
    d->bof = true;
    d->eof = d->cur < 0;
    if (d->controlsOn())
        Q_EMIT reset();
    d->emitState();
    d->emitCurrent();
    d->runEvent(AfterOpen);
    d->runEvent(AfterScroll);
    d->notifyDetails();
    return true;
}

void TKV_ClientDataSet::Close()
{
    if (!d->active)
        return;
    if (!d->runBefore(BeforeClose))
        return;
    DeleteSortIndexes();
    if (d->controlsOn())
        Q_EMIT aboutToReset();
    d->editing = d->inserting = false;
    d->editRec = NoRec;
    d->buffer.clear();
    d->store.clear();
    d->recSlot.clear();
    d->defaultOrder.clear();
    for (KvIndex &index : d->indexes)
        index.order.clear();
    d->fieldNamesIndex.order.clear();
    d->filteredView.clear();
    d->changes.clear();
    d->calcCache.clear();
    d->fetchedMasterKeys.clear();
    d->lastMasterKey.clear();
    d->active = false;
    d->memory = false;
    d->cur = -1;
    d->bof = d->eof = true;
    ++d->version;
    if (d->controlsOn())
        Q_EMIT reset();
    d->emitState();
    d->emitCurrent();
    d->runEvent(AfterClose);
    d->notifyDetails();
}

bool TKV_ClientDataSet::Refresh()
{
    if (!d->active)
        return d->fail(QStringLiteral("Cannot perform this operation on a closed dataset"), true);
    if (!CheckBrowseMode())
        return false;
    if (!d->changes.empty())
        return d->fail(QStringLiteral("Must apply updates before refreshing data"), true);
    if (d->memory)
        return true;
    if (!d->runBefore(BeforeRefresh))
        return false;
    KvBusyCursor busy(d->waitCursor);

    // Come back to the same row when its key is still there.
    QString keyFields;
    if (TKV_DataSetProvider *p = d->provider(); p && p->DataSet())
        keyFields = p->DataSet()->PSGetKeyFields();
    QVariantList keyValues;
    for (const QString &name : keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const KvField *field = FindField(name.trimmed());
        keyValues << (field ? field->Value() : QVariant());
    }
    const int oldPos = d->cur;

    KvColumnStore rows;
    QString error;
    d->serverBytes = 0;
    if (!d->fetchInto(rows, &error))
        return d->fail(error, true);
    if (d->controlsOn())
        Q_EMIT aboutToReset();
    d->store = std::move(rows);
    if (!d->bindFields(&error)) {
        d->store.clear();
        d->resetRows(0);
        if (d->controlsOn())
            Q_EMIT reset();
        return d->fail(error, true);
    }
    d->resetRows(d->store.slotCount());
    d->fetchedMasterKeys.clear();
    QVariantList key;
    if (d->masterKey(key) && d->detailByParams())
        d->fetchedMasterKeys.insert(KvClientDataSetPrivate::lookupKey(key));
    const int n = d->viewCount();
    d->cur = n == 0 ? -1 : std::min(std::max(oldPos, 0), n - 1);
    const bool keyKnown =
        !keyValues.isEmpty() && std::none_of(keyValues.begin(), keyValues.end(),
                                             [](const QVariant &v) { return v.isNull(); });
    if (keyKnown && n > 0) {
        std::vector<KvMatcher> matchers;
        const QVariant values = keyValues.size() == 1 ? keyValues.first() : QVariant(keyValues);
        if (d->prepareMatchers(keyFields, values, 0, matchers, nullptr)) {
            const int pos = d->findFirst(matchers, 0);
            if (pos >= 0)
                d->cur = pos;
        }
    }
    d->bof = d->cur <= 0;
    d->eof = n == 0;
    if (d->controlsOn())
        Q_EMIT reset();
    d->emitState();
    d->emitCurrent();
    d->runEvent(AfterRefresh);
    d->runEvent(AfterScroll);
    d->notifyDetails();
    return true;
}

bool TKV_ClientDataSet::CreateDataSet()
{
    if (d->active)
        Close();
    if (d->controlsOn())
        Q_EMIT aboutToReset();
    d->store.clear();
    for (KvField *field : std::as_const(d->fields)) {
        if (!field->isData())
            continue;
        KvColumnInfo info;
        info.name = field->FieldName();
        info.type =
            field->DataType() == KvFieldType::Unknown ? KvFieldType::String : field->DataType();
        info.size = field->Size;
        field->m_type = info.type;
        field->m_column = int(d->store.columns.size());
        d->store.addColumn(info);
    }
    d->memory = true;
    d->providerReadOnly = false;
    d->connectLookups();
    d->active = true;
    d->resetRows(0);
    d->cur = -1;
    d->bof = d->eof = true;
    if (d->controlsOn())
        Q_EMIT reset();
    d->emitState();
    d->emitCurrent();
    d->runEvent(AfterOpen);
    return true;
}

void TKV_ClientDataSet::EmptyDataSet()
{
    if (!d->active)
        return;
    if (d->controlsOn())
        Q_EMIT aboutToReset();
    for (KvColumn &column : d->store.columns)
        column.truncate(0);
    d->store.setEmptySlotCount(0);
    d->resetRows(0);
    d->cur = -1;
    d->bof = d->eof = true;
    if (d->controlsOn())
        Q_EMIT reset();
    d->emitState();
    d->emitCurrent();
    d->notifyDetails();
}

bool TKV_ClientDataSet::Execute()
{
    ApplySubstitutions();
    TKV_DataSetProvider *p = d->provider();
    if (!p)
        return d->fail(QStringLiteral("Missing data provider or data packet"), true);
    QString error;
    if (!p->Execute(d->realCommandText, d->params, &error))
        return d->fail(error, true);
    return true;
}

// ---- master and detail ---------------------------------------------------------------------

TKV_ClientDataSet *TKV_ClientDataSet::MasterSource() const
{
    return d->master;
}

void TKV_ClientDataSet::setMasterSource(TKV_ClientDataSet *master)
{
    if (d->masterConnection)
        disconnect(d->masterConnection);
    if (d->masterScrollConnection)
        disconnect(d->masterScrollConnection);
    d->master = master;
    if (master) {
        d->masterConnection =
            connect(master, &TKV_ClientDataSet::dataChanged, this, [this] { d->masterChanged(); });
        d->masterScrollConnection = connect(master, &TKV_ClientDataSet::currentChanged, this,
                                            [this] { d->masterChanged(); });
    }
    if (d->active)
        d->masterChanged();
}

QString TKV_ClientDataSet::MasterFields() const
{
    return d->masterFields;
}

void TKV_ClientDataSet::setMasterFields(const QString &fields)
{
    d->masterFields = fields;
    if (d->active)
        d->masterChanged();
}

void KvClientDataSetPrivate::masterChanged()
{
    if (!active)
        return;
    QVariantList key;
    const bool has = masterKey(key);
    const QString keyText = has ? lookupKey(key) : QString();
    if (keyText == lastMasterKey && has == !lastMasterKey.isEmpty())
        return;
    if (!q->CheckBrowseMode())
        return;
    lastMasterKey = keyText;
    if (controlsOn())
        Q_EMIT q->aboutToReset();
    if (has && detailByParams() && !fetchedMasterKeys.contains(keyText)) {
        KvColumnStore more;
        QString error;
        if (fetchInto(more, &error) && more.columns.size() == store.columns.size()) {
            const uint32_t first = store.slotCount();
            for (size_t c = 0; c < store.columns.size(); ++c) {
                KvColumn &column = store.columns[c];
                const KvColumn &source = more.columns[c];
                for (uint32_t slot = 0; slot < source.size(); ++slot) {
                    if (source.type() == column.type())
                        column.appendFrom(source, slot);
                    else
                        column.appendValue(source.valueAt(slot));
                }
            }
            for (uint32_t slot = first; slot < store.slotCount(); ++slot) {
                const uint32_t rec = uint32_t(recSlot.size());
                recSlot.push_back(slot);
                defaultOrder.push_back(rec);
                addToIndexes(rec);
            }
            fetchedMasterKeys.insert(keyText);
            ++version;
        } else {
            fail(error, true);
        }
    }
    rebuildView();
    const int n = viewCount();
    cur = n > 0 ? 0 : -1;
    bof = true;
    eof = n == 0;
    if (controlsOn())
        Q_EMIT q->reset();
    emitCurrent();
    runEvent(q->AfterScroll);
    notifyDetails();
}
