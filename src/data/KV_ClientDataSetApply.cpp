// TKV_ClientDataSet: the change log, applying it through the provider, undoing refused rows,
// and copying a row.

#include "KV_ClientDataSetPrivate.h"

#include "KV_Provider.h"
#include "KV_db.h"

#include <algorithm>

uint32_t KvClientDataSetPrivate::appendSlotFromBuffer()
{
    if (store.columns.empty()) {
        store.setEmptySlotCount(store.slotCount() + 1);
        return store.slotCount() - 1;
    }
    for (size_t c = 0; c < store.columns.size(); ++c)
        store.columns[c].appendValue(c < buffer.size() ? buffer[c] : QVariant());
    return store.slotCount() - 1;
}

int KvClientDataSetPrivate::changeOf(uint32_t rec) const
{
    for (size_t i = 0; i < changes.size(); ++i) {
        if (changes[i].rec == rec)
            return int(i);
    }
    return -1;
}

bool KvClientDataSetPrivate::slotValuesEqual(int column, uint32_t a, uint32_t b) const
{
    const KvColumn &col = store.columns[size_t(column)];
    const bool na = col.isNull(a);
    const bool nb = col.isNull(b);
    if (na || nb)
        return na == nb;
    switch (col.type()) {
    case KvFieldType::Integer:
    case KvFieldType::DateTime:
        return col.intAt(a) == col.intAt(b);
    case KvFieldType::Float:
        return col.floatAt(a) == col.floatAt(b);
    case KvFieldType::Date:
        return col.dayAt(a) == col.dayAt(b);
    case KvFieldType::Boolean:
        return col.boolAt(a) == col.boolAt(b);
    default: {
        uint32_t la = 0;
        uint32_t lb = 0;
        const char *pa = col.bytesAt(a, &la);
        const char *pb = col.bytesAt(b, &lb);
        return KvCompareBytes(pa, la, pb, lb) == 0;
    }
    }
}

void KvClientDataSetPrivate::revert(const KvChange &change)
{
    switch (change.kind) {
    case KvUpdateKind::Insert: {
        const auto it = std::find(defaultOrder.begin(), defaultOrder.end(), change.rec);
        if (it != defaultOrder.end())
            defaultOrder.erase(it);
        removeFromIndexes(change.rec);
        recSlot[change.rec] = NoSlot;
        break;
    }
    case KvUpdateKind::Modify:
        recSlot[change.rec] = change.origSlot;
        removeFromIndexes(change.rec);
        addToIndexes(change.rec);
        break;
    case KvUpdateKind::Delete:
        recSlot[change.rec] = change.origSlot;
        defaultOrder.insert(defaultOrder.begin() +
                                std::min<size_t>(change.defaultPos, defaultOrder.size()),
                            change.rec);
        addToIndexes(change.rec);
        break;
    }
    ++version;
}

int TKV_ClientDataSet::ChangeCount() const
{
    return int(d->changes.size());
}

bool TKV_ClientDataSet::IsRowChanged() const
{
    const uint32_t rec = d->currentRec();
    return rec == NewRec || (rec != NoRec && d->changeOf(rec) >= 0);
}

KvDeltaRow KvClientDataSetPrivate::makeDelta(const KvChange &change) const
{
    const KvClientDataSetPrivate &d = *this;
    KvDeltaRow row;
    row.kind = change.kind == KvUpdateKind::Insert   ? KvDeltaRow::Insert
               : change.kind == KvUpdateKind::Delete ? KvDeltaRow::Delete
                                                     : KvDeltaRow::Modify;
    const uint32_t current = change.kind == KvUpdateKind::Delete ? NoSlot : d.recSlot[change.rec];
    for (const KvField *field : std::as_const(d.fields)) {
        const int c = field->m_column;
        if (!field->isData() || c < 0 || size_t(c) >= d.store.columns.size())
            continue;
        const KvColumn &col = d.store.columns[size_t(c)];
        KvDeltaValue value;
        value.field = field;
        if (change.kind != KvUpdateKind::Insert)
            value.oldValue = col.valueAt(change.origSlot);
        if (change.kind != KvUpdateKind::Delete)
            value.newValue = col.valueAt(current);
        value.changed =
            change.kind != KvUpdateKind::Modify || !d.slotValuesEqual(c, change.origSlot, current);
        row.values.push_back(value);
    }
    return row;
}

int TKV_ClientDataSet::ApplyUpdates(int maxErrors)
{
    if (!d->active) {
        d->fail(QStringLiteral("Cannot perform this operation on a closed dataset"), true);
        return -1;
    }
    if (!CheckBrowseMode())
        return -1;
    if (d->changes.empty())
        return 0;
    TKV_DataSetProvider *p = d->provider();
    if (!p) {
        d->fail(QStringLiteral("Missing data provider or data packet"), true);
        return -1;
    }
    struct Refusal
    {
        size_t change;
        KvUpdateError error;
    };
    std::vector<Refusal> refusals;
    std::vector<bool> accepted(d->changes.size(), false);
    for (size_t i = 0; i < d->changes.size(); ++i) {
        if (maxErrors >= 0 && int(refusals.size()) > maxErrors)
            break;
        QString message;
        QString context;
        if (p->ApplyRow(d->makeDelta(d->changes[i]), &message, &context)) {
            accepted[i] = true;
            continue;
        }
        refusals.push_back(Refusal{i, KvUpdateError{message, context}});
        // Without a connection the rest cannot go either: they stay in the change log.
        if (p->connectionLost())
            break;
    }

    // Ask what becomes of each refused row, in order; undo in reverse order afterwards so
    // that deleted rows come back to their places.
    std::vector<bool> undo(d->changes.size(), false);
    bool aborted = false;
    for (const Refusal &refusal : refusals) {
        KvReconcileAction action = KvReconcileAction::Skip;
        if (!aborted && OnReconcileError)
            action = OnReconcileError(*this, refusal.error, d->changes[refusal.change].kind);
        if (action == KvReconcileAction::Abort)
            aborted = true;
        if (action == KvReconcileAction::Cancel || action == KvReconcileAction::Refresh)
            undo[refusal.change] = true;
    }
    const bool anyUndo = std::find(undo.begin(), undo.end(), true) != undo.end();
    const uint32_t rec = d->currentRec();
    const int oldPos = d->cur;
    if (anyUndo && d->controlsOn())
        Q_EMIT aboutToReset();
    for (size_t i = d->changes.size(); i-- > 0;) {
        if (undo[i])
            d->revert(d->changes[i]);
    }
    std::vector<KvChange> remaining;
    for (size_t i = 0; i < d->changes.size(); ++i) {
        if (!accepted[i] && !undo[i])
            remaining.push_back(d->changes[i]);
    }
    d->changes = std::move(remaining);
    if (anyUndo) {
        d->calcCache.clear();
        d->rebuildView();
        const int n = d->viewCount();
        const int pos = rec == NoRec ? -1 : d->viewPosOf(rec);
        d->cur = pos >= 0 ? pos : (n == 0 ? -1 : std::clamp(oldPos, 0, n - 1));
        d->bof = d->cur <= 0;
        d->eof = n == 0;
        if (d->controlsOn())
            Q_EMIT reset();
        else
            d->pendingReset = true;
        d->emitCurrent();
        d->notifyDetails();
    }
    return int(refusals.size());
}

void TKV_ClientDataSet::CancelUpdates()
{
    if (!d->active)
        return;
    if (d->editing || d->inserting)
        Cancel();
    if (d->changes.empty())
        return;
    const uint32_t rec = d->currentRec();
    if (d->controlsOn())
        Q_EMIT aboutToReset();
    for (size_t i = d->changes.size(); i-- > 0;)
        d->revert(d->changes[i]);
    d->changes.clear();
    d->calcCache.clear();
    d->rebuildView();
    const int n = d->viewCount();
    const int pos = rec == NoRec ? -1 : d->viewPosOf(rec);
    d->cur = pos >= 0 ? pos : (n == 0 ? -1 : 0);
    if (d->controlsOn())
        Q_EMIT reset();
    d->emitCurrent();
    d->notifyDetails();
}

bool TKV_ClientDataSet::AppendCopy()
{
    if (!d->active)
        return d->fail(QStringLiteral("Cannot perform this operation on a closed dataset"), true);
    if (!CheckBrowseMode())
        return false;
    QVariantList values;
    for (const KvField *field : std::as_const(d->fields))
        values << field->Value();
    if (!Append())
        return false;
    for (int i = 0; i < d->fields.size(); ++i) {
        KvField *field = d->fields[i];
        // Calculated and lookup fields are not copied (their key fields are); neither are
        // read-only ones.
        if (!field->isData() || field->ReadOnly ||
            d->excludeCopy.contains(field->FieldName(), Qt::CaseInsensitive))
            continue;
        field->setValue(values[i]);
    }
    return true;
}
