// TKV_ClientDataSet: reading and writing values, lookup and calculated fields, totals.

#include "KV_ClientDataSetPrivate.h"

QVariant KvClientDataSetPrivate::dataValue(const KvField *field, uint32_t rec) const
{
    const int column = field->m_column;
    if (!active || column < 0 || size_t(column) >= store.columns.size())
        return {};
    if (rec == NewRec || (editing && rec == editRec))
        return size_t(column) < buffer.size() ? buffer[size_t(column)] : QVariant();
    if (rec >= recSlot.size() || recSlot[rec] == NoSlot)
        return {};
    return store.columns[size_t(column)].valueAt(recSlot[rec]);
}

QString KvClientDataSetPrivate::lookupKey(const QVariantList &values)
{
    QString key;
    for (const QVariant &v : values) {
        if (!key.isEmpty())
            key += QChar(0x1f);
        if (v.isNull() || !v.isValid()) {
            key += QChar(0x01);
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Short:
        case QMetaType::Long:
            key += QLatin1Char('n') + QString::number(v.toDouble(), 'g', 17);
            break;
        case QMetaType::QDate:
            key += QLatin1Char('d') + QString::number(v.toDate().toJulianDay());
            break;
        case QMetaType::Bool:
            key += v.toBool() ? QStringLiteral("b1") : QStringLiteral("b0");
            break;
        default:
            key += QLatin1Char('s') + v.toString();
            break;
        }
    }
    return key;
}

uint32_t KvClientDataSetPrivate::lookupRec(const QString &keyFields, const QVariantList &keys) const
{
    if (!active)
        return NoRec;
    KvLookupCache &cache = lookupCaches[keyFields.toUpper()];
    if (cache.version != version) {
        cache.recs.clear();
        QList<const KvField *> fieldsOfKey;
        for (const QString &name : keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const KvField *field = q->FindField(name.trimmed());
            if (!field)
                return NoRec;
            fieldsOfKey << field;
        }
        cache.recs.reserve(qsizetype(defaultOrder.size()));
        QVariantList values;
        for (uint32_t rec : defaultOrder) {
            values.clear();
            for (const KvField *field : std::as_const(fieldsOfKey))
                values << value(field, rec);
            const QString key = lookupKey(values);
            if (!cache.recs.contains(key))
                cache.recs.insert(key, rec);
        }
        cache.version = version;
    }
    return cache.recs.value(lookupKey(keys), NoRec);
}

QVariant KvClientDataSetPrivate::lookupValue(const KvField *field, uint32_t rec) const
{
    TKV_ClientDataSet *list = field->LookupDataSet;
    if (!list || !list->Active())
        return {};
    QVariantList keys;
    for (const QString &name : field->KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const KvField *keyField = q->FindField(name.trimmed());
        if (!keyField)
            return {};
        keys << value(keyField, rec);
    }
    const uint32_t found = list->d->lookupRec(field->LookupKeyFields, keys);
    if (found == NoRec)
        return {};
    const KvField *result = list->FindField(field->LookupResultField);
    return result ? list->d->value(result, found) : QVariant();
}

void KvClientDataSetPrivate::computeCalc(uint32_t rec, std::vector<QVariant> &out) const
{
    out.assign(size_t(calcCount), QVariant());
    if (!q->OnCalcFields)
        return;
    auto *self = const_cast<KvClientDataSetPrivate *>(this);
    const bool wasCalculating = self->calculating;
    const uint32_t savedRec = self->calcRec;
    std::vector<QVariant> *savedTarget = self->calcTarget;
    self->calculating = true;
    self->calcRec = rec;
    self->calcTarget = &out;
    q->OnCalcFields(*q);
    self->calculating = wasCalculating;
    self->calcRec = savedRec;
    self->calcTarget = savedTarget;
}

QVariant KvClientDataSetPrivate::calcValue(const KvField *field, uint32_t rec) const
{
    const size_t column = size_t(field->m_column);
    if (column >= size_t(calcCount))
        return {};
    if (calculating && rec == calcRec && calcTarget)
        return (*calcTarget)[column];
    if (rec == NewRec || ((editing || inserting) && rec == editRec))
        return column < calcBuffer.size() ? calcBuffer[column] : QVariant();
    if (rec >= recSlot.size() || recSlot[rec] == NoSlot)
        return {};
    auto &cache = const_cast<KvClientDataSetPrivate *>(this)->calcCache;
    auto it = cache.find(recSlot[rec]);
    if (it == cache.end()) {
        std::vector<QVariant> values;
        computeCalc(rec, values);
        it = cache.emplace(recSlot[rec], std::move(values)).first;
    }
    return it->second[column];
}

void KvClientDataSetPrivate::recalcBuffer()
{
    if (calcCount == 0 || (!editing && !inserting))
        return;
    std::vector<QVariant> values;
    computeCalc(inserting ? NewRec : editRec, values);
    calcBuffer = std::move(values);
}

QVariant KvClientDataSetPrivate::value(const KvField *field, uint32_t rec) const
{
    if (rec == NoRec)
        return {};
    switch (field->FieldKind()) {
    case KvFieldKind::Lookup:
        return lookupValue(field, rec);
    case KvFieldKind::Calculated:
        return calcValue(field, rec);
    default:
        return dataValue(field, rec);
    }
}

void KvClientDataSetPrivate::connectLookups()
{
    for (const QMetaObject::Connection &c : lookupConnections)
        QObject::disconnect(c);
    lookupConnections.clear();
    QSet<TKV_ClientDataSet *> lists;
    for (const KvField *field : std::as_const(fields)) {
        if (field->FieldKind() == KvFieldKind::Lookup && field->LookupDataSet)
            lists.insert(field->LookupDataSet);
    }
    for (TKV_ClientDataSet *list : std::as_const(lists)) {
        // A list that goes away leaves its lookup fields empty.
        lookupConnections.push_back(QObject::connect(list, &QObject::destroyed, q, [this, list] {
            for (KvField *field : std::as_const(fields)) {
                if (field->LookupDataSet == list)
                    field->LookupDataSet = nullptr;
            }
            calcCache.clear();
        }));
        lookupConnections.push_back(
            QObject::connect(list, &TKV_ClientDataSet::dataChanged, q, [this] {
                calcCache.clear();
                if (controlsOn())
                    Q_EMIT q->rowChanged(-1);
            }));
    }
}

bool KvClientDataSetPrivate::setFieldValue(KvField *field, const QVariant &newValue)
{
    if (field == inertField.get())
        return false;
    if (field->FieldKind() == KvFieldKind::Calculated) {
        if (calculating && calcTarget) {
            (*calcTarget)[size_t(field->m_column)] = field->convert(newValue);
            return true;
        }
        return fail(QStringLiteral("Field '%1' cannot be modified").arg(field->FieldName()), true);
    }
    if (!active || (!editing && !inserting))
        return fail(QStringLiteral("Dataset not in edit or insert mode"), true);
    if (field->ReadOnly)
        return fail(QStringLiteral("Field '%1' cannot be modified").arg(field->FieldName()), true);

    if (field->FieldKind() == KvFieldKind::Lookup) {
        // The list's row showing this value gives the key fields their values.
        const QStringList keys = field->KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        QVariantList keyValues;
        if (!newValue.isNull() && field->LookupDataSet) {
            const QVariant found = field->LookupDataSet->Lookup(field->LookupResultField, newValue,
                                                                field->LookupKeyFields);
            keyValues = keys.size() == 1 ? QVariantList{found} : found.toList();
        }
        for (int i = 0; i < keys.size(); ++i) {
            KvField *keyField = q->FindField(keys[i].trimmed());
            if (keyField &&
                !setFieldValue(keyField, i < keyValues.size() ? keyValues[i] : QVariant()))
                return false;
        }
        return true;
    }

    bool ok = true;
    const QVariant converted = field->convert(newValue, &ok);
    if (!ok)
        return fail(QStringLiteral("'%1' is not a valid value for field '%2'")
                        .arg(newValue.toString(), field->FieldName()),
                    true);
    if (field->m_column < 0 || size_t(field->m_column) >= buffer.size())
        return false;
    buffer[size_t(field->m_column)] = converted;
    modified = true;
    recalcBuffer();
    if (controlsOn()) {
        Q_EMIT q->fieldChanged(field);
        Q_EMIT q->rowChanged(cur);
    }
    if (field->OnChange)
        field->OnChange(*field);
    return true;
}

QVariant TKV_ClientDataSet::valueAt(const KvField *field, int row) const
{
    if (!field || !d->active || row < 0 || row >= d->viewCount())
        return {};
    return d->value(field, d->viewRec(row));
}

size_t TKV_ClientDataSet::memoryBytes() const
{
    size_t total = d->store.memoryBytes();
    total += d->recSlot.capacity() * sizeof(uint32_t);
    total += d->defaultOrder.capacity() * sizeof(uint32_t);
    total += d->filteredView.capacity() * sizeof(uint32_t);
    for (const KvIndex &index : d->indexes)
        total += index.order.capacity() * sizeof(uint32_t);
    total += d->fieldNamesIndex.order.capacity() * sizeof(uint32_t);
    return total;
}

// ---- totals ----------------------------------------------------------------------------------

QList<KvAggregate> &TKV_ClientDataSet::Aggregates()
{
    return d->aggregates;
}

bool TKV_ClientDataSet::AggregatesActive() const
{
    return d->aggregatesActive;
}

void TKV_ClientDataSet::setAggregatesActive(bool on)
{
    d->aggregatesActive = on;
}

QVariant TKV_ClientDataSet::AggregateValue(const QString &name) const
{
    if (!d->aggregatesActive)
        return {};
    for (const KvAggregate &aggregate : d->aggregates) {
        if (aggregate.Name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const QString expression = aggregate.Expression.trimmed();
        const qsizetype open = expression.indexOf(QLatin1Char('('));
        const qsizetype close = expression.lastIndexOf(QLatin1Char(')'));
        if (open <= 0 || close < open)
            return {};
        return Aggregate(expression.left(open).trimmed(),
                         expression.mid(open + 1, close - open - 1).trimmed());
    }
    return {};
}

QVariant TKV_ClientDataSet::Aggregate(const QString &function, const QString &fieldName) const
{
    if (!d->active)
        return {};
    const QString fn = function.toUpper();
    const int n = d->viewCount();
    if (fn == QLatin1String("COUNT") && (fieldName == QLatin1String("*") || fieldName.isEmpty()))
        return n;
    const KvField *field = FindField(fieldName);
    if (!field)
        return {};
    double sum = 0;
    qlonglong count = 0;
    QVariant best;
    for (int row = 0; row < n; ++row) {
        const QVariant v = d->value(field, d->viewRec(row));
        if (v.isNull())
            continue;
        ++count;
        if (fn == QLatin1String("SUM") || fn == QLatin1String("AVG")) {
            sum += v.toDouble();
        } else if (fn == QLatin1String("MIN") || fn == QLatin1String("MAX")) {
            if (best.isNull()) {
                best = v;
            } else {
                const QPartialOrdering order = QVariant::compare(v, best);
                if ((fn == QLatin1String("MIN") && order == QPartialOrdering::Less) ||
                    (fn == QLatin1String("MAX") && order == QPartialOrdering::Greater))
                    best = v;
            }
        }
    }
    if (fn == QLatin1String("COUNT"))
        return count;
    if (fn == QLatin1String("SUM"))
        return sum;
    if (fn == QLatin1String("AVG"))
        return count ? QVariant(sum / double(count)) : QVariant();
    return best;
}
