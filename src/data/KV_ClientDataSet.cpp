// TKV_ClientDataSet: settings, fields, navigation and editing. Fetching, orders, values and
// the change log live in the KV_ClientDataSet*.cpp files beside this one.

#include "KV_ClientDataSetPrivate.h"

#include "KV_LIB.h"
#include "KV_Provider.h"
#include "KV_db.h"

#include <algorithm>

TKV_ClientDataSet::TKV_ClientDataSet(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<KvClientDataSetPrivate>(this))
{
    d->inertField =
        std::make_unique<KvField>(this, QString(), KvFieldType::String, KvFieldKind::Data);
}

TKV_ClientDataSet::~TKV_ClientDataSet()
{
    if (d->masterConnection)
        disconnect(d->masterConnection);
    if (d->masterScrollConnection)
        disconnect(d->masterScrollConnection);
}

// ---- small helpers -------------------------------------------------------------------------

KvDataSetState KvClientDataSetPrivate::state() const
{
    if (calculating)
        return KvDataSetState::CalcFields;
    if (!active)
        return KvDataSetState::Inactive;
    if (inserting)
        return KvDataSetState::Insert;
    if (editing)
        return KvDataSetState::Edit;
    return KvDataSetState::Browse;
}

bool KvClientDataSetPrivate::fail(const QString &text, bool show)
{
    const QString name = q->objectName();
    lastError = name.isEmpty() ? text : name + QStringLiteral(": ") + text;
    if (show)
        ShowError(lastError);
    return false;
}

bool KvClientDataSetPrivate::runBefore(const TKV_ClientDataSet::Event &event)
{
    abortRequested = false;
    if (event)
        event(*q);
    const bool go = !abortRequested;
    abortRequested = false;
    return go;
}

void KvClientDataSetPrivate::runEvent(const TKV_ClientDataSet::Event &event)
{
    if (event)
        event(*q);
}

void KvClientDataSetPrivate::emitCurrent()
{
    if (controlsOn())
        Q_EMIT q->currentChanged(cur);
}

void KvClientDataSetPrivate::emitState()
{
    if (controlsOn())
        Q_EMIT q->stateChanged(state());
}

void KvClientDataSetPrivate::notifyDetails()
{
    if (controlsOn())
        Q_EMIT q->dataChanged();
    else
        pendingReset = true;
}

void KvClientDataSetPrivate::loadBuffer(uint32_t rec)
{
    buffer.assign(store.columns.size(), QVariant());
    if (rec < recSlot.size() && recSlot[rec] != NoSlot) {
        const uint32_t slot = recSlot[rec];
        for (size_t c = 0; c < store.columns.size(); ++c)
            buffer[c] = store.columns[c].valueAt(slot);
    }
    calcBuffer.assign(size_t(calcCount), QVariant());
    if (calcCount > 0 && rec != NoRec)
        calcBuffer = [&] {
            std::vector<QVariant> values;
            computeCalc(rec, values);
            return values;
        }();
}

bool KvClientDataSetPrivate::moveTo(int row, bool force)
{
    if (!active)
        return false;
    if (editing || inserting) {
        const int n = viewCount();
        const uint32_t target = n > 0 ? viewRec(std::clamp(row, 0, n - 1)) : NoRec;
        if (row == cur && !force)
            return true;
        if (!q->CheckBrowseMode())
            return false;
        const int pos = target == NoRec || target == NewRec ? -1 : viewPosOf(target);
        if (pos >= 0)
            row = pos;
    }
    const int n = viewCount();
    if (n == 0) {
        cur = -1;
        bof = eof = true;
        return false;
    }
    row = std::clamp(row, 0, n - 1);
    if (row == cur && !force)
        return true;
    if (!runBefore(q->BeforeScroll))
        return false;
    cur = row;
    bof = eof = false;
    emitCurrent(); // details follow through currentChanged
    runEvent(q->AfterScroll);
    return true;
}

// ---- binding and settings ----------------------------------------------------------------

TKV_DataSetProvider *TKV_ClientDataSet::DataProvider() const
{
    return d->dataProvider;
}

void TKV_ClientDataSet::setDataProvider(TKV_DataSetProvider *provider)
{
    d->dataProvider = provider; // QPointer: a destroyed provider leaves the dataset without one
}

QString TKV_ClientDataSet::ProviderName() const
{
    return d->providerName;
}

void TKV_ClientDataSet::setProviderName(const QString &name)
{
    d->providerName = name;
}

TKV_DataSetProvider *TKV_ClientDataSet::provider() const
{
    return d->provider();
}

KvSession *TKV_ClientDataSet::session() const
{
    TKV_DataSetProvider *p = d->provider();
    return p ? p->session() : nullptr;
}

KvParams &TKV_ClientDataSet::Params()
{
    return d->params;
}

QString TKV_ClientDataSet::CommandText() const
{
    return d->commandText;
}

void TKV_ClientDataSet::setCommandText(const QString &text)
{
    d->commandText = text;
    d->realCommandText = text;
}

QString TKV_ClientDataSet::RealCommandText()
{
    ApplySubstitutions();
    return d->realCommandText;
}

void TKV_ClientDataSet::ApplySubstitutions()
{
    d->realCommandText = ExpandSubstitutions(d->commandText, d->substituteChar, d->substitutions);
}

QChar TKV_ClientDataSet::SubstituteChar() const
{
    return d->substituteChar;
}

void TKV_ClientDataSet::setSubstituteChar(QChar c)
{
    d->substituteChar = c;
}

TSqlSubstitutions &TKV_ClientDataSet::SqlSubstitutions()
{
    return d->substitutions;
}

TSqlSubstitution *TKV_ClientDataSet::SubstitutionByName(const QString &name)
{
    d->substitutions.setOwnerName(objectName());
    QString error;
    TSqlSubstitution *item = d->substitutions.SubstitutionByName(name, &error);
    if (!item) {
        d->lastError = error;
        ShowError(error);
    }
    return item;
}

bool TKV_ClientDataSet::SqlSubstitutionsCheck() const
{
    return d->substitutionsCheck;
}

void TKV_ClientDataSet::setSqlSubstitutionsCheck(bool on)
{
    d->substitutionsCheck = on;
}

bool TKV_ClientDataSet::ReadOnly() const
{
    return d->readOnly;
}

void TKV_ClientDataSet::setReadOnly(bool on)
{
    d->readOnly = on;
    d->emitState();
}

bool TKV_ClientDataSet::AutoEdit() const
{
    return d->autoEdit;
}

void TKV_ClientDataSet::setAutoEdit(bool on)
{
    d->autoEdit = on;
}

bool TKV_ClientDataSet::LogChanges() const
{
    return d->logChanges;
}

void TKV_ClientDataSet::setLogChanges(bool on)
{
    d->logChanges = on;
}

Qt::CursorShape TKV_ClientDataSet::WaitCursor() const
{
    return d->waitCursor;
}

void TKV_ClientDataSet::setWaitCursor(Qt::CursorShape shape)
{
    d->waitCursor = shape;
}

QString TKV_ClientDataSet::ExcludeCopyFields() const
{
    return d->excludeCopy.join(QLatin1Char(';'));
}

void TKV_ClientDataSet::setExcludeCopyFields(const QString &names)
{
    QStringList list;
    for (const QString &name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = name.trimmed();
        if (!trimmed.isEmpty() && !list.contains(trimmed, Qt::CaseInsensitive))
            list << trimmed;
    }
    std::sort(list.begin(), list.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    d->excludeCopy = list;
}

// ---- fields ----------------------------------------------------------------------------------

KvField *KvClientDataSetPrivate::adopt(std::unique_ptr<KvField> field)
{
    KvField *raw = field.get();
    raw->m_index = int(fields.size());
    fields.append(raw);
    ownedFields.push_back(std::move(field));
    return raw;
}

KvField *TKV_ClientDataSet::AddField(const QString &name, KvFieldType type, int size)
{
    if (KvField *existing = FindField(name))
        return existing;
    auto field = std::make_unique<KvField>(this, name, type, KvFieldKind::Data);
    field->Size = size;
    field->m_persistent = true;
    return d->adopt(std::move(field));
}

KvField *TKV_ClientDataSet::AddLookupField(const QString &name, KvFieldType type,
                                           const QString &keyFields,
                                           TKV_ClientDataSet *lookupDataSet,
                                           const QString &lookupKeyFields,
                                           const QString &lookupResultField, int size)
{
    auto field = std::make_unique<KvField>(this, name, type, KvFieldKind::Lookup);
    field->Size = size;
    field->KeyFields = keyFields;
    field->LookupDataSet = lookupDataSet;
    field->LookupKeyFields = lookupKeyFields;
    field->LookupResultField = lookupResultField;
    return d->adopt(std::move(field));
}

KvField *TKV_ClientDataSet::AddCalcField(const QString &name, KvFieldType type, int size)
{
    auto field = std::make_unique<KvField>(this, name, type, KvFieldKind::Calculated);
    field->Size = size;
    field->m_column = d->calcCount++;
    return d->adopt(std::move(field));
}

const QList<KvField *> &TKV_ClientDataSet::Fields() const
{
    return d->fields;
}

int TKV_ClientDataSet::FieldCount() const
{
    return int(d->fields.size());
}

KvField *TKV_ClientDataSet::FindField(const QString &name) const
{
    for (KvField *field : d->fields) {
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field;
    }
    return nullptr;
}

KvField *TKV_ClientDataSet::FieldByName(const QString &name)
{
    if (KvField *field = FindField(name))
        return field;
    const QString key = name.toUpper();
    if (!d->reportedMissing.contains(key)) {
        d->reportedMissing.insert(key);
        d->fail(QStringLiteral("Field '%1' not found").arg(name), true);
    } else {
        d->lastError = objectName() + QStringLiteral(": Field '%1' not found").arg(name);
    }
    return d->inertField.get();
}

QVariant TKV_ClientDataSet::FieldValue(const QString &name) const
{
    const KvField *field = FindField(name);
    return field ? field->Value() : QVariant();
}

KvDataSetState TKV_ClientDataSet::State() const
{
    return d->state();
}

bool TKV_ClientDataSet::Active() const
{
    return d->active;
}

void TKV_ClientDataSet::setActive(bool on)
{
    if (on)
        Open();
    else
        Close();
}

// ---- navigation ------------------------------------------------------------------------------

bool TKV_ClientDataSet::First()
{
    const bool moved = d->moveTo(0);
    d->bof = true;
    d->eof = d->viewCount() == 0;
    return moved;
}

bool TKV_ClientDataSet::Last()
{
    const bool moved = d->moveTo(d->viewCount() - 1);
    d->eof = true;
    d->bof = d->viewCount() == 0;
    return moved;
}

bool TKV_ClientDataSet::Next()
{
    if (!d->active)
        return false;
    if (d->cur >= d->viewCount() - 1) {
        if (!CheckBrowseMode())
            return false;
        d->eof = true;
        return false;
    }
    return d->moveTo(d->cur + 1);
}

bool TKV_ClientDataSet::Prior()
{
    if (!d->active)
        return false;
    if (d->cur <= 0) {
        if (!CheckBrowseMode())
            return false;
        d->bof = true;
        return false;
    }
    return d->moveTo(d->cur - 1);
}

bool TKV_ClientDataSet::MoveBy(int distance)
{
    if (!d->active || distance == 0)
        return false;
    const int target = d->cur + distance;
    const bool moved = d->moveTo(target);
    if (target >= d->viewCount())
        d->eof = true;
    if (target < 0)
        d->bof = true;
    return moved;
}

bool TKV_ClientDataSet::Eof() const
{
    return !d->active || d->eof || d->viewCount() == 0;
}

bool TKV_ClientDataSet::Bof() const
{
    return !d->active || d->bof || d->viewCount() == 0;
}

int TKV_ClientDataSet::RecordCount() const
{
    return d->active ? d->viewCount() : 0;
}

int TKV_ClientDataSet::RecNo() const
{
    return d->active && d->cur >= 0 ? d->cur + 1 : 0;
}

bool TKV_ClientDataSet::setRecNo(int recNo)
{
    return d->moveTo(recNo - 1);
}

int TKV_ClientDataSet::currentRow() const
{
    return d->active ? d->cur : -1;
}

bool TKV_ClientDataSet::setCurrentRow(int row)
{
    if (row < 0 || row >= RecordCount())
        return false;
    return d->moveTo(row);
}

KvBookmark TKV_ClientDataSet::Bookmark() const
{
    const uint32_t rec = d->active && d->cur >= 0 ? d->viewRec(d->cur) : NoRec;
    return rec == NoRec || rec == NewRec ? -1 : KvBookmark(rec);
}

bool TKV_ClientDataSet::BookmarkValid(KvBookmark bookmark) const
{
    return bookmark >= 0 && size_t(bookmark) < d->recSlot.size() &&
           d->recSlot[size_t(bookmark)] != NoSlot;
}

bool TKV_ClientDataSet::GotoBookmark(KvBookmark bookmark)
{
    if (!BookmarkValid(bookmark))
        return d->fail(QStringLiteral("Record not found"), false);
    const int pos = d->viewPosOf(uint32_t(bookmark));
    if (pos < 0)
        return d->fail(QStringLiteral("Record not found"), false);
    return d->moveTo(pos);
}

// ---- editing -------------------------------------------------------------------------------

bool TKV_ClientDataSet::CanModify() const
{
    return d->active && !d->readOnly && !d->providerReadOnly;
}

bool TKV_ClientDataSet::Edit()
{
    if (!d->active)
        return d->fail(QStringLiteral("Cannot perform this operation on a closed dataset"), true);
    if (d->editing || d->inserting)
        return true;
    if (!CanModify())
        return d->fail(QStringLiteral("Cannot modify a read-only dataset"), true);
    if (d->viewCount() == 0)
        return Insert();
    if (!d->runBefore(BeforeEdit))
        return false;
    d->editRec = d->viewRec(d->cur);
    d->loadBuffer(d->editRec);
    d->editing = true;
    d->modified = false;
    d->emitState();
    if (d->controlsOn())
        Q_EMIT rowChanged(d->cur);
    d->runEvent(AfterEdit);
    return true;
}

void KvClientDataSetPrivate::startNewRow(int viewPos, uint32_t defaultPos)
{
    if (controlsOn())
        Q_EMIT q->aboutToInsertRow(viewPos);
    inserting = true;
    insertPos = viewPos;
    insertDefaultPos = defaultPos;
    cur = viewPos;
    bof = eof = false;
    buffer.assign(store.columns.size(), QVariant());
    calcBuffer.assign(size_t(calcCount), QVariant());
    modified = false;
    if (controlsOn())
        Q_EMIT q->rowInserted(viewPos);
}

bool KvClientDataSetPrivate::beginNewRow(bool append)
{
    KvClientDataSetPrivate *d = this;
    if (!d->active)
        return d->fail(QStringLiteral("Cannot perform this operation on a closed dataset"), true);
    if (!q->CanModify())
        return d->fail(QStringLiteral("Cannot modify a read-only dataset"), true);
    if (!q->CheckBrowseMode())
        return false;
    if (!d->runBefore(q->BeforeInsert))
        return false;
    d->recBeforeInsert = d->cur >= 0 ? d->viewRec(d->cur) : NoRec;
    int pos = d->baseCount();
    uint32_t defaultPos = uint32_t(d->defaultOrder.size());
    if (!append && d->cur >= 0) {
        pos = d->cur;
        const auto it =
            std::find(d->defaultOrder.begin(), d->defaultOrder.end(), d->recBeforeInsert);
        defaultPos = uint32_t(it - d->defaultOrder.begin());
    }
    d->startNewRow(pos, defaultPos);

    // A detail row belongs to the master's current row.
    QVariantList masterValues;
    if (d->master && d->masterKey(masterValues)) {
        const QStringList links = d->detailLinkFields();
        for (int i = 0; i < links.size() && i < masterValues.size(); ++i) {
            if (KvField *field = q->FindField(links[i]); field && field->isData())
                d->buffer[size_t(field->m_column)] = field->convert(masterValues[i]);
        }
    }
    d->abortRequested = false;
    d->runEvent(q->OnNewRecord);
    if (d->abortRequested) {
        d->abortRequested = false;
        q->Cancel();
        return false;
    }
    d->modified = false;
    d->recalcBuffer();
    d->emitState();
    d->emitCurrent();
    d->runEvent(q->AfterInsert);
    d->runEvent(q->AfterScroll);
    return true;
}

bool TKV_ClientDataSet::Append()
{
    return d->beginNewRow(true);
}

bool TKV_ClientDataSet::Insert()
{
    return d->beginNewRow(false);
}

bool TKV_ClientDataSet::Post()
{
    if (!d->editing && !d->inserting)
        return true;
    Q_EMIT updateRecord();
    if (!d->runBefore(BeforePost))
        return false;
    for (KvField *field : std::as_const(d->fields)) {
        if (field->Required && field->isData() && field->m_column >= 0 &&
            d->buffer[size_t(field->m_column)].isNull())
            return d->fail(QStringLiteral("Field '%1' must have a value").arg(field->Label()),
                           true);
    }
    const bool ordered = d->currentIndex != -1 || d->viewFiltered;
    const bool wasInserting = d->inserting;
    const int oldPos = d->cur;
    if (ordered && d->controlsOn())
        Q_EMIT aboutToReset();

    const uint32_t slot = d->appendSlotFromBuffer();
    uint32_t rec;
    if (wasInserting) {
        rec = uint32_t(d->recSlot.size());
        d->recSlot.push_back(slot);
        d->defaultOrder.insert(d->defaultOrder.begin() +
                                   std::min<size_t>(d->insertDefaultPos, d->defaultOrder.size()),
                               rec);
        if (d->logChanges)
            d->changes.push_back(KvChange{KvUpdateKind::Insert, rec, NoSlot, 0});
        d->inserting = false;
        d->addToIndexes(rec);
    } else {
        rec = d->editRec;
        const uint32_t old = d->recSlot[rec];
        d->recSlot[rec] = slot;
        if (d->logChanges && d->changeOf(rec) < 0)
            d->changes.push_back(KvChange{KvUpdateKind::Modify, rec, old, 0});
        d->editing = false;
        d->removeFromIndexes(rec);
        d->addToIndexes(rec);
    }
    d->editRec = NoRec;
    d->modified = false;
    ++d->version;
    if (d->viewFiltered)
        d->rebuildView();
    const int pos = d->viewPosOf(rec);
    const int n = d->viewCount();
    d->cur = pos >= 0 ? pos : (n == 0 ? -1 : std::min(oldPos, n - 1));
    if (d->controlsOn()) {
        if (ordered)
            Q_EMIT reset();
        else
            Q_EMIT rowChanged(d->cur);
    } else {
        d->pendingReset = true;
    }
    d->emitState();
    d->emitCurrent();
    d->runEvent(AfterPost);
    d->notifyDetails();
    return true;
}

void TKV_ClientDataSet::Cancel()
{
    if (!d->editing && !d->inserting)
        return;
    if (!d->runBefore(BeforeCancel))
        return;
    if (d->inserting) {
        // The new row is dropped before anything is told: listeners of the removal (a grid
        // moving its current row away) see a browse-state dataset, so no move can post it.
        // Until the removal is announced the dropped row keeps its place in the row numbers.
        const int pos = d->insertPos;
        d->inserting = false;
        d->buffer.clear();
        d->calcBuffer.clear();
        d->modified = false;
        const int n = d->baseCount();
        const int back = d->recBeforeInsert == NoRec ? -1 : d->viewPosOf(d->recBeforeInsert);
        const int dest = n == 0 ? -1 : (back >= 0 ? back : std::min(pos, n - 1));
        d->cur = dest;
        if (d->controlsOn()) {
            d->droppedRowPos = pos;
            d->cur = dest >= pos ? dest + 1 : dest;
            Q_EMIT aboutToRemoveRow(pos);
            d->droppedRowPos = -1;
            d->cur = dest;
            Q_EMIT rowRemoved(pos);
        }
    } else {
        d->editing = false;
        d->editRec = NoRec;
        d->buffer.clear();
        if (d->controlsOn())
            Q_EMIT rowChanged(d->cur);
    }
    d->modified = false;
    d->emitState();
    d->emitCurrent();
    d->runEvent(AfterCancel);
}

bool TKV_ClientDataSet::Delete()
{
    if (!d->active)
        return d->fail(QStringLiteral("Cannot perform this operation on a closed dataset"), true);
    if (d->inserting) {
        Cancel();
        return true;
    }
    if (d->viewCount() == 0)
        return d->fail(QStringLiteral("Cannot perform this operation on an empty dataset"), true);
    if (!CanModify())
        return d->fail(QStringLiteral("Cannot modify a read-only dataset"), true);
    if (!d->runBefore(BeforeDelete))
        return false;
    if (d->editing) {
        d->editing = false;
        d->editRec = NoRec;
        d->emitState();
    }
    const int pos = d->cur;
    const uint32_t rec = d->viewRec(pos);
    const auto it = std::find(d->defaultOrder.begin(), d->defaultOrder.end(), rec);
    const uint32_t defaultPos = uint32_t(it - d->defaultOrder.begin());

    if (d->controlsOn())
        Q_EMIT aboutToRemoveRow(pos);
    if (d->logChanges) {
        const int index = d->changeOf(rec);
        if (index >= 0 && d->changes[size_t(index)].kind == KvUpdateKind::Insert) {
            d->changes.erase(d->changes.begin() + index);
        } else if (index >= 0) {
            d->changes[size_t(index)].kind = KvUpdateKind::Delete;
            d->changes[size_t(index)].defaultPos = defaultPos;
        } else {
            d->changes.push_back(KvChange{KvUpdateKind::Delete, rec, d->recSlot[rec], defaultPos});
        }
    }
    if (it != d->defaultOrder.end())
        d->defaultOrder.erase(it);
    d->removeFromIndexes(rec);
    if (d->viewFiltered) {
        const auto f = std::find(d->filteredView.begin(), d->filteredView.end(), rec);
        if (f != d->filteredView.end())
            d->filteredView.erase(f);
    }
    d->recSlot[rec] = NoSlot;
    ++d->version;
    if (d->controlsOn())
        Q_EMIT rowRemoved(pos);
    const int n = d->viewCount();
    d->cur = n == 0 ? -1 : std::min(pos, n - 1);
    d->bof = d->cur <= 0;
    d->eof = n == 0;
    d->emitCurrent();
    d->runEvent(AfterDelete);
    d->runEvent(AfterScroll);
    d->notifyDetails();
    return true;
}

bool TKV_ClientDataSet::Modified() const
{
    return (d->editing || d->inserting) && d->modified;
}

bool TKV_ClientDataSet::CheckBrowseMode()
{
    if (!d->editing && !d->inserting)
        return true;
    Q_EMIT updateRecord();
    if (d->modified)
        return Post();
    Cancel();
    return !d->editing && !d->inserting;
}

// ---- bound controls, abort, errors ---------------------------------------------------------

void TKV_ClientDataSet::DisableControls()
{
    ++d->disableCount;
    d->pendingReset = true;
}

void TKV_ClientDataSet::EnableControls()
{
    if (d->disableCount == 0)
        return;
    if (--d->disableCount > 0)
        return;
    if (d->pendingReset) {
        d->pendingReset = false;
        Q_EMIT aboutToReset();
        Q_EMIT reset();
        Q_EMIT dataChanged();
    }
    Q_EMIT stateChanged(d->state());
    Q_EMIT currentChanged(d->cur);
}

bool TKV_ClientDataSet::ControlsDisabled() const
{
    return d->disableCount > 0;
}

void TKV_ClientDataSet::Abort()
{
    d->abortRequested = true;
}

QString TKV_ClientDataSet::LastError() const
{
    return d->lastError;
}
