// TKV_ClientDataSet: the rows shown (order, detail range, filter), indexes and searching.

#include "KV_ClientDataSetPrivate.h"

#include "KV_LIB.h"

#include <QRegularExpression>

#include <algorithm>

// ---- the rows shown ------------------------------------------------------------------------

const std::vector<uint32_t> &KvClientDataSetPrivate::baseOrder() const
{
    if (currentIndex == -2)
        return fieldNamesIndex.order;
    if (currentIndex >= 0)
        return indexes[size_t(currentIndex)].order;
    return defaultOrder;
}

int KvClientDataSetPrivate::baseCount() const
{
    return int(viewFiltered ? filteredView.size() : baseOrder().size());
}

uint32_t KvClientDataSetPrivate::baseAt(int pos) const
{
    return viewFiltered ? filteredView[size_t(pos)] : baseOrder()[size_t(pos)];
}

int KvClientDataSetPrivate::viewCount() const
{
    return baseCount() + (inserting || droppedRowPos >= 0 ? 1 : 0);
}

uint32_t KvClientDataSetPrivate::viewRec(int pos) const
{
    const int newPos = inserting ? insertPos : droppedRowPos;
    if (newPos >= 0) {
        if (pos == newPos)
            return NewRec;
        if (pos > newPos)
            --pos;
    }
    if (pos < 0 || pos >= baseCount())
        return NoRec;
    return baseAt(pos);
}

uint32_t KvClientDataSetPrivate::currentRec() const
{
    if (calcRec != NoRec)
        return calcRec;
    if (!active || cur < 0)
        return NoRec;
    return viewRec(cur);
}

int KvClientDataSetPrivate::viewPosOf(uint32_t rec) const
{
    if (rec == NewRec)
        return inserting ? insertPos : droppedRowPos;
    const std::vector<uint32_t> &base = viewFiltered ? filteredView : baseOrder();
    const auto it = std::find(base.begin(), base.end(), rec);
    if (it == base.end())
        return -1;
    int pos = int(it - base.begin());
    const int newPos = inserting ? insertPos : droppedRowPos;
    if (newPos >= 0 && pos >= newPos)
        ++pos;
    return pos;
}

bool KvClientDataSetPrivate::passesRange(uint32_t rec) const
{
    if (!master)
        return true;
    if (rangeKeys.empty())
        return false;
    const QStringList links = detailLinkFields();
    for (size_t i = 0; i < rangeKeys.size() && int(i) < links.size(); ++i) {
        const KvField *field = q->FindField(links[int(i)]);
        if (!field || lookupKey({value(field, rec)}) != rangeKeys[i])
            return false;
    }
    return true;
}

void KvClientDataSetPrivate::rebuildView()
{
    const bool filtering = filtered && (!filterTerms.empty() || q->OnFilterRecord);
    viewFiltered = master || filtering;
    filteredView.clear();
    if (!viewFiltered)
        return;
    rangeKeys.clear();
    QVariantList key;
    if (master && masterKey(key)) {
        for (const QVariant &v : std::as_const(key))
            rangeKeys.push_back(lookupKey({v}));
    }
    for (uint32_t rec : baseOrder()) {
        if (passesRange(rec) && (!filtering || passesFilter(rec)))
            filteredView.push_back(rec);
    }
}

// ---- indexes ---------------------------------------------------------------------------------

namespace {

int compareVariants(const QVariant &a, const QVariant &b, bool caseInsensitive)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString().compare(b.toString(),
                                    caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    const QPartialOrdering order = QVariant::compare(a, b);
    if (order == QPartialOrdering::Less)
        return -1;
    if (order == QPartialOrdering::Greater)
        return 1;
    return 0;
}

template <typename T>
int sign(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareSlots(const KvColumn &column, uint32_t a, uint32_t b, bool caseInsensitive)
{
    const bool na = column.isNull(a);
    const bool nb = column.isNull(b);
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    switch (column.type()) {
    case KvFieldType::Integer:
    case KvFieldType::DateTime:
        return sign(column.intAt(a), column.intAt(b));
    case KvFieldType::Float:
        return sign(column.floatAt(a), column.floatAt(b));
    case KvFieldType::Date:
        return sign(column.dayAt(a), column.dayAt(b));
    case KvFieldType::Boolean:
        return sign(column.boolAt(a), column.boolAt(b));
    default: {
        uint32_t la = 0;
        uint32_t lb = 0;
        const char *pa = caseInsensitive ? column.foldedAt(a, &la) : column.bytesAt(a, &la);
        const char *pb = caseInsensitive ? column.foldedAt(b, &lb) : column.bytesAt(b, &lb);
        return KvCompareBytes(pa, la, pb, lb);
    }
    }
}

bool listHas(const QString &list, const QString &name)
{
    for (const QString &item : list.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (item.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool isBuiltIn(const QString &name)
{
    return name.compare(QLatin1String("DEFAULT_ORDER"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("CHANGEINDEX"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("PRIMARY_KEY"), Qt::CaseInsensitive) == 0;
}

} // namespace

int KvClientDataSetPrivate::compareRecs(const KvIndex &index, uint32_t a, uint32_t b) const
{
    for (const KvKeyPart &part : index.parts) {
        int c;
        if (part.field->isData() && part.field->m_column >= 0) {
            c = compareSlots(store.columns[size_t(part.field->m_column)], recSlot[a], recSlot[b],
                             part.caseInsensitive);
        } else {
            c = compareVariants(value(part.field, a), value(part.field, b), part.caseInsensitive);
        }
        if (c != 0)
            return part.descending ? -c : c;
    }
    return 0;
}

namespace {

// Sorts records by one stored column: the keys are taken out of the column once (a number,
// or the first eight bytes of the text with a pointer to the rest), nulls go first, ties
// keep the default order.
template <typename Key, typename Less>
void sortByKeys(std::vector<Key> &keys, std::vector<uint32_t> &order, bool descending, Less less)
{
    if (descending)
        std::stable_sort(keys.begin(), keys.end(),
                         [&](const Key &a, const Key &b) { return less(b, a); });
    else
        std::stable_sort(keys.begin(), keys.end(), less);
    const size_t nulls = order.size() - keys.size(); // the null records come first
    for (size_t i = 0; i < keys.size(); ++i)
        order[nulls + i] = keys[i].rec;
}

struct NumberKey
{
    double value;
    uint32_t rec;
};

struct IntKey
{
    int64_t value;
    uint32_t rec;
};

struct TextKey
{
    uint64_t prefix;
    const char *rest;
    uint32_t length;
    uint32_t rec;
};

bool textLess(const TextKey &a, const TextKey &b)
{
    if (a.prefix != b.prefix)
        return a.prefix < b.prefix;
    if (a.length <= 8 || b.length <= 8)
        return a.length < b.length;
    const uint32_t common = std::min(a.length, b.length) - 8;
    const int c = std::memcmp(a.rest, b.rest, common);
    return c != 0 ? c < 0 : a.length < b.length;
}

void sortOneColumn(const KvColumn &column, const std::vector<uint32_t> &recSlot,
                   const KvKeyPart &part, std::vector<uint32_t> &order)
{
    std::vector<uint32_t> nulls;
    std::vector<uint32_t> values;
    values.reserve(order.size());
    for (uint32_t rec : order)
        (column.isNull(recSlot[rec]) ? nulls : values).push_back(rec);
    // Nulls sort below every value: first in ascending order, last in descending.
    auto finish = [&](auto &keys, auto less) {
        std::vector<uint32_t> tmp(order.size());
        std::copy(nulls.begin(), nulls.end(), tmp.begin());
        sortByKeys(keys, tmp, part.descending, less);
        if (part.descending) {
            // values first, then the nulls
            std::vector<uint32_t> result;
            result.reserve(order.size());
            result.insert(result.end(), tmp.begin() + qsizetype(nulls.size()), tmp.end());
            result.insert(result.end(), nulls.begin(), nulls.end());
            order = std::move(result);
        } else {
            order = std::move(tmp);
        }
    };
    switch (column.type()) {
    case KvFieldType::Integer:
    case KvFieldType::DateTime:
    case KvFieldType::Date:
    case KvFieldType::Boolean: {
        std::vector<IntKey> keys;
        keys.reserve(values.size());
        for (uint32_t rec : values) {
            const uint32_t slot = recSlot[rec];
            const int64_t v = column.type() == KvFieldType::Date      ? column.dayAt(slot)
                              : column.type() == KvFieldType::Boolean ? column.boolAt(slot)
                                                                      : column.intAt(slot);
            keys.push_back(IntKey{v, rec});
        }
        finish(keys, [](const IntKey &a, const IntKey &b) { return a.value < b.value; });
        break;
    }
    case KvFieldType::Float: {
        std::vector<NumberKey> keys;
        keys.reserve(values.size());
        for (uint32_t rec : values)
            keys.push_back(NumberKey{column.floatAt(recSlot[rec]), rec});
        finish(keys, [](const NumberKey &a, const NumberKey &b) { return a.value < b.value; });
        break;
    }
    default: {
        std::vector<TextKey> keys;
        keys.reserve(values.size());
        for (uint32_t rec : values) {
            uint32_t length = 0;
            const char *p = part.caseInsensitive ? column.foldedAt(recSlot[rec], &length)
                                                 : column.bytesAt(recSlot[rec], &length);
            uint64_t prefix = 0;
            for (uint32_t i = 0; i < 8; ++i)
                prefix = (prefix << 8) | (i < length ? uint8_t(p[i]) : 0u);
            keys.push_back(TextKey{prefix, p + std::min<uint32_t>(length, 8), length, rec});
        }
        finish(keys, textLess);
        break;
    }
    }
}

} // namespace

void KvClientDataSetPrivate::sortIndex(KvIndex &index) const
{
    index.order = defaultOrder;
    if (index.parts.empty())
        return;
    if (index.parts.size() == 1 && index.parts[0].field->isData() &&
        index.parts[0].field->m_column >= 0) {
        sortOneColumn(store.columns[size_t(index.parts[0].field->m_column)], recSlot,
                      index.parts[0], index.order);
        return;
    }
    std::stable_sort(index.order.begin(), index.order.end(),
                     [&](uint32_t a, uint32_t b) { return compareRecs(index, a, b) < 0; });
}

bool KvClientDataSetPrivate::buildParts(KvIndex &index, QString *error)
{
    index.parts.clear();
    for (const QString &raw : index.def.Fields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed();
        KvField *field = q->FindField(name);
        if (!field) {
            if (error)
                *error = QStringLiteral("Field '%1' not found").arg(name);
            index.parts.clear();
            return false;
        }
        KvKeyPart part;
        part.field = field;
        part.descending = (index.def.Options & ixDescending) || listHas(index.def.DescFields, name);
        part.caseInsensitive =
            (index.def.Options & ixCaseInsensitive) || listHas(index.def.CaseInsFields, name);
        index.parts.push_back(part);
    }
    return true;
}

void KvClientDataSetPrivate::rebuildAllIndexes()
{
    for (KvIndex &index : indexes) {
        if (buildParts(index, nullptr))
            sortIndex(index);
        else
            index.order = defaultOrder;
    }
    currentIndex = -1;
    if (!indexFieldNames.isEmpty()) {
        fieldNamesIndex.def.Fields = indexFieldNames;
        if (buildParts(fieldNamesIndex, nullptr)) {
            sortIndex(fieldNamesIndex);
            currentIndex = -2;
        }
    } else if (!indexName.isEmpty()) {
        for (size_t i = 0; i < indexes.size(); ++i) {
            if (indexes[i].def.Name.compare(indexName, Qt::CaseInsensitive) == 0)
                currentIndex = int(i);
        }
    }
}

KvIndex *KvClientDataSetPrivate::currentIndexPtr()
{
    if (currentIndex == -2)
        return &fieldNamesIndex;
    if (currentIndex >= 0)
        return &indexes[size_t(currentIndex)];
    return nullptr;
}

const KvIndex *KvClientDataSetPrivate::currentIndexPtr() const
{
    return const_cast<KvClientDataSetPrivate *>(this)->currentIndexPtr();
}

void KvClientDataSetPrivate::addToIndexes(uint32_t rec)
{
    auto add = [&](KvIndex &index) {
        if (index.parts.empty()) {
            index.order.push_back(rec);
            return;
        }
        const auto it =
            std::upper_bound(index.order.begin(), index.order.end(), rec,
                             [&](uint32_t a, uint32_t b) { return compareRecs(index, a, b) < 0; });
        index.order.insert(it, rec);
    };
    for (KvIndex &index : indexes)
        add(index);
    if (currentIndex == -2)
        add(fieldNamesIndex);
}

void KvClientDataSetPrivate::removeFromIndexes(uint32_t rec)
{
    auto remove = [&](KvIndex &index) {
        const auto it = std::find(index.order.begin(), index.order.end(), rec);
        if (it != index.order.end())
            index.order.erase(it);
    };
    for (KvIndex &index : indexes)
        remove(index);
    if (currentIndex == -2)
        remove(fieldNamesIndex);
}

namespace {

// Switches the order and keeps the current row.
template <typename Change>
void changeOrder(TKV_ClientDataSet *q, KvClientDataSetPrivate *d, Change change)
{
    if (!d->active) {
        change();
        return;
    }
    const uint32_t rec = d->currentRec();
    if (d->controlsOn())
        Q_EMIT q->aboutToReset();
    change();
    d->rebuildView();
    const int pos = rec == NoRec ? -1 : d->viewPosOf(rec);
    const int n = d->viewCount();
    d->cur = pos >= 0 ? pos : (n > 0 ? 0 : -1);
    if (d->controlsOn())
        Q_EMIT q->reset();
    d->emitCurrent();
}

} // namespace

QString TKV_ClientDataSet::IndexFieldNames() const
{
    return d->indexFieldNames;
}

void TKV_ClientDataSet::setIndexFieldNames(const QString &fields)
{
    if (d->active && !CheckBrowseMode())
        return;
    changeOrder(this, d.get(), [&] {
        d->indexFieldNames = fields.trimmed();
        d->indexName.clear();
        d->currentIndex = -1;
        if (d->indexFieldNames.isEmpty() || !d->active)
            return;
        d->fieldNamesIndex = KvIndex();
        d->fieldNamesIndex.def.Fields = d->indexFieldNames;
        QString error;
        if (!d->buildParts(d->fieldNamesIndex, &error)) {
            d->fail(error, true);
            return;
        }
        d->sortIndex(d->fieldNamesIndex);
        d->currentIndex = -2;
    });
}

QString TKV_ClientDataSet::IndexName() const
{
    return d->indexName;
}

bool TKV_ClientDataSet::setIndexName(const QString &name)
{
    if (d->active && !CheckBrowseMode())
        return false;
    int found = -1;
    if (!name.isEmpty() && !isBuiltIn(name)) {
        for (size_t i = 0; i < d->indexes.size(); ++i) {
            if (d->indexes[i].def.Name.compare(name, Qt::CaseInsensitive) == 0)
                found = int(i);
        }
        if (found < 0 && d->active)
            return d->fail(QStringLiteral("Index '%1' not found").arg(name), true);
    }
    changeOrder(this, d.get(), [&] {
        d->indexName = isBuiltIn(name) ? QString() : name;
        d->indexFieldNames.clear();
        d->currentIndex = found;
    });
    return true;
}

QList<KvIndexDef> TKV_ClientDataSet::IndexDefs() const
{
    QList<KvIndexDef> defs;
    KvIndexDef order;
    order.Name = QStringLiteral("DEFAULT_ORDER");
    order.BuiltIn = true;
    KvIndexDef changes;
    changes.Name = QStringLiteral("CHANGEINDEX");
    changes.BuiltIn = true;
    defs << order << changes;
    for (const KvIndex &index : d->indexes)
        defs << index.def;
    return defs;
}

bool TKV_ClientDataSet::AddIndex(const QString &name, const QString &fields, int options,
                                 const QString &descFields, const QString &caseInsFields)
{
    if (name.trimmed().isEmpty())
        return d->fail(QStringLiteral("Index name missing"), false);
    if (isBuiltIn(name))
        return d->fail(QStringLiteral("Duplicate index name '%1'").arg(name), false);
    for (const KvIndex &index : d->indexes) {
        if (index.def.Name.compare(name, Qt::CaseInsensitive) == 0)
            return d->fail(QStringLiteral("Duplicate index name '%1'").arg(name), false);
    }
    KvIndex index;
    index.def.Name = name;
    index.def.Fields = fields;
    index.def.DescFields = descFields;
    index.def.CaseInsFields = caseInsFields;
    index.def.Options = options;
    QString error;
    if (!d->buildParts(index, &error) || index.parts.empty())
        return d->fail(error.isEmpty() ? QStringLiteral("Index fields missing") : error, false);
    for (const KvKeyPart &part : index.parts) {
        if (part.field->FieldKind() == KvFieldKind::Calculated)
            return d->fail(QStringLiteral("Field '%1' cannot be used in an index")
                               .arg(part.field->FieldName()),
                           false);
    }
    if (d->active)
        d->sortIndex(index);
    d->indexes.push_back(std::move(index));
    return true;
}

bool TKV_ClientDataSet::DeleteIndex(const QString &name)
{
    if (isBuiltIn(name))
        return d->fail(QStringLiteral("Cannot delete index '%1'").arg(name), false);
    for (size_t i = 0; i < d->indexes.size(); ++i) {
        if (d->indexes[i].def.Name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const int position = int(i);
        if (d->currentIndex == position) {
            changeOrder(this, d.get(), [&] {
                d->indexName.clear();
                d->currentIndex = -1;
                d->indexes.erase(d->indexes.begin() + position);
            });
        } else {
            d->indexes.erase(d->indexes.begin() + position);
            if (d->currentIndex > position)
                --d->currentIndex;
        }
        return true;
    }
    return d->fail(QStringLiteral("Index '%1' not found").arg(name), false);
}

void TKV_ClientDataSet::DeleteSortIndexes()
{
    if (!d->active)
        return;
    const QList<KvIndexDef> defs = IndexDefs();
    for (const KvIndexDef &def : defs) {
        if (isBuiltIn(def.Name))
            continue;
        if (d->indexName.compare(def.Name, Qt::CaseInsensitive) == 0)
            setIndexName(QString());
        DeleteIndex(def.Name);
    }
}

QStringList TKV_ClientDataSet::currentIndexFields() const
{
    QString fields = d->indexFieldNames;
    if (fields.isEmpty() && !d->indexName.isEmpty()) {
        for (const KvIndex &index : d->indexes) {
            if (index.def.Name.compare(d->indexName, Qt::CaseInsensitive) == 0)
                fields = index.def.Fields;
        }
    }
    QStringList names;
    for (const QString &name : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        names << name.trimmed();
    return names;
}

// ---- searching -----------------------------------------------------------------------------

bool KvClientDataSetPrivate::prepareMatchers(const QString &keyFields, const QVariant &values,
                                             int options, std::vector<KvMatcher> &matchers,
                                             QString *error) const
{
    matchers.clear();
    QStringList names;
    for (const QString &name : keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        names << name.trimmed();
    QVariantList list;
    if (names.size() == 1)
        list << (values.typeId() == QMetaType::QVariantList && values.toList().size() == 1
                     ? values.toList().first()
                     : values);
    else
        list = values.toList();
    if (names.isEmpty() || list.size() != names.size()) {
        if (error)
            *error = QStringLiteral("Key fields and values do not match");
        return false;
    }
    for (int i = 0; i < names.size(); ++i) {
        KvMatcher m;
        m.field = q->FindField(names[i]);
        if (!m.field) {
            if (error)
                *error = QStringLiteral("Field '%1' not found").arg(names[i]);
            return false;
        }
        const bool text = m.field->DataType() == KvFieldType::String;
        m.partial = text && (options & loPartialKey);
        m.caseInsensitive = text && (options & loCaseInsensitive);
        const QVariant &v = list[i];
        if (v.isNull() || !v.isValid()) {
            m.null = true;
            matchers.push_back(std::move(m));
            continue;
        }
        bool ok = true;
        const QVariant converted = text ? QVariant(v.toString()) : m.field->convert(v, &ok);
        if (!ok || converted.isNull()) {
            if (error)
                *error = QStringLiteral("'%1' is not a valid value for field '%2'")
                             .arg(v.toString(), m.field->FieldName());
            return false;
        }
        m.value = converted;
        switch (m.field->DataType()) {
        case KvFieldType::Integer:
            m.i = converted.toLongLong();
            break;
        case KvFieldType::DateTime:
            m.i = KvColumn::microsFromDateTime(converted.toDateTime());
            break;
        case KvFieldType::Float:
            m.f = converted.toDouble();
            break;
        case KvFieldType::Date:
            m.day = int32_t(converted.toDate().toJulianDay());
            break;
        case KvFieldType::Boolean:
            m.b = converted.toBool();
            break;
        case KvFieldType::Blob: {
            const QByteArray bytes = converted.toByteArray();
            m.bytes.assign(bytes.begin(), bytes.end());
            break;
        }
        default: {
            const QByteArray bytes = converted.toString().toUtf8();
            if (m.caseInsensitive)
                KvFoldUtf8(bytes.constData(), uint32_t(bytes.size()), m.bytes);
            else
                m.bytes.assign(bytes.begin(), bytes.end());
            break;
        }
        }
        matchers.push_back(std::move(m));
    }
    return true;
}

int KvClientDataSetPrivate::compareMatcher(const KvMatcher &m, uint32_t rec) const
{
    const KvField *field = m.field;
    if (!field->isData() || field->m_column < 0 || rec >= recSlot.size()) {
        const QVariant v = value(field, rec);
        if (m.null || v.isNull())
            return m.null == v.isNull() ? 0 : (v.isNull() ? -1 : 1);
        if (m.partial) {
            const QString s = v.toString();
            const QString key = m.value.toString();
            const Qt::CaseSensitivity cs =
                m.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
            if (s.startsWith(key, cs))
                return 0;
            return s.compare(key, cs);
        }
        return compareVariants(v, m.value, m.caseInsensitive);
    }
    const KvColumn &column = store.columns[size_t(field->m_column)];
    const uint32_t slot = recSlot[rec];
    const bool null = column.isNull(slot);
    if (m.null || null)
        return m.null == null ? 0 : (null ? -1 : 1);
    switch (column.type()) {
    case KvFieldType::Integer:
    case KvFieldType::DateTime:
        return sign(column.intAt(slot), m.i);
    case KvFieldType::Float:
        return sign(column.floatAt(slot), m.f);
    case KvFieldType::Date:
        return sign(column.dayAt(slot), m.day);
    case KvFieldType::Boolean:
        return sign(column.boolAt(slot), m.b);
    default: {
        uint32_t length = 0;
        const char *bytes =
            m.caseInsensitive ? column.foldedAt(slot, &length) : column.bytesAt(slot, &length);
        const uint32_t keyLength = uint32_t(m.bytes.size());
        if (m.partial && length >= keyLength && std::memcmp(bytes, m.bytes.data(), keyLength) == 0)
            return 0;
        return KvCompareBytes(bytes, length, m.bytes.data(), keyLength);
    }
    }
}

bool KvClientDataSetPrivate::matches(const KvMatcher &m, uint32_t rec) const
{
    return compareMatcher(m, rec) == 0;
}

int KvClientDataSetPrivate::findFirst(std::vector<KvMatcher> &matchers, int options) const
{
    Q_UNUSED(options)
    const int n = baseCount();
    auto all = [&](uint32_t rec) {
        for (const KvMatcher &m : matchers) {
            if (!matches(m, rec))
                return false;
        }
        return true;
    };
    // The leading fields of the current index that the search names: a binary search.
    if (const KvIndex *index = currentIndexPtr()) {
        std::vector<std::pair<const KvMatcher *, bool>> used; // matcher, descending
        for (const KvKeyPart &part : index->parts) {
            const KvMatcher *found = nullptr;
            for (const KvMatcher &m : matchers) {
                if (m.field == part.field)
                    found = &m;
            }
            if (!found || !part.field->isData())
                break;
            if (part.field->DataType() == KvFieldType::String &&
                found->caseInsensitive != part.caseInsensitive)
                break;
            used.emplace_back(found, part.descending);
            if (found->partial)
                break;
        }
        if (!used.empty()) {
            auto key = [&](uint32_t rec) {
                for (const auto &[m, descending] : used) {
                    const int c = compareMatcher(*m, rec);
                    if (c != 0)
                        return descending ? -c : c;
                }
                return 0;
            };
            int lo = 0;
            int hi = n;
            while (lo < hi) {
                const int mid = lo + (hi - lo) / 2;
                if (key(baseAt(mid)) < 0)
                    lo = mid + 1;
                else
                    hi = mid;
            }
            for (int pos = lo; pos < n; ++pos) {
                const uint32_t rec = baseAt(pos);
                if (key(rec) != 0)
                    break;
                if (all(rec))
                    return pos;
            }
            return -1;
        }
    }
    for (int pos = 0; pos < n; ++pos) {
        if (all(baseAt(pos)))
            return pos;
    }
    return -1;
}

bool TKV_ClientDataSet::Locate(const QString &keyFields, const QVariant &values, int options)
{
    if (!d->active || !CheckBrowseMode())
        return false;
    std::vector<KvMatcher> matchers;
    QString error;
    if (!d->prepareMatchers(keyFields, values, options, matchers, &error))
        return d->fail(error, false);
    const int pos = d->findFirst(matchers, options);
    if (pos < 0)
        return false;
    d->moveTo(pos, false);
    return d->cur == pos;
}

QVariant TKV_ClientDataSet::Lookup(const QString &keyFields, const QVariant &values,
                                   const QString &resultFields)
{
    if (!d->active)
        return {};
    std::vector<KvMatcher> matchers;
    if (!d->prepareMatchers(keyFields, values, 0, matchers, nullptr))
        return {};
    const bool wasInserting = d->inserting;
    d->inserting = false; // search the stored rows only
    const int pos = d->findFirst(matchers, 0);
    d->inserting = wasInserting;
    if (pos < 0)
        return {};
    const uint32_t rec = d->baseAt(pos);
    QVariantList results;
    for (const QString &name : resultFields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const KvField *field = FindField(name.trimmed());
        results << (field ? d->value(field, rec) : QVariant());
    }
    return results.size() == 1 ? results.first() : QVariant(results);
}

bool TKV_ClientDataSet::LocateByText(const QString &text)
{
    if (!d->active)
        return false;
    const QStringList fields = currentIndexFields();
    if (fields.isEmpty())
        return false;
    // Only the fields the text gives values for take part: "кг" on a list sorted by name
    // and then by a number looks for the name alone (an absent number would otherwise
    // have to equal 0). A value given empty ("abc;") still counts as empty.
    const QStringList parts = text.split(QLatin1Char(';'));
    const int used = int(std::min(fields.size(), parts.size()));
    QVariantList values;
    for (int i = 0; i < used; ++i) {
        const QString &part = parts[i];
        const KvField *field = FindField(fields[i]);
        if (!field)
            return false;
        QVariant value = part;
        bool ok = false;
        switch (field->DataType()) {
        case KvFieldType::Integer: {
            const qlonglong v = part.trimmed().isEmpty() ? 0 : part.trimmed().toLongLong(&ok);
            if (ok || part.trimmed().isEmpty())
                value = v;
            break;
        }
        case KvFieldType::Float: {
            QString t = part.trimmed();
            t.replace(QLatin1Char(','), QLatin1Char('.'));
            const double v = t.isEmpty() ? 0.0 : t.toDouble(&ok);
            if (ok || t.isEmpty())
                value = v;
            break;
        }
        case KvFieldType::Date:
        case KvFieldType::DateTime: {
            const QDate date = ParseShortDate(part);
            if (date.isValid())
                value = date;
            break;
        }
        default:
            break;
        }
        values << value;
    }
    return Locate(fields.mid(0, used).join(QLatin1Char(';')),
                  values.size() == 1 ? values.first() : values, loCaseInsensitive | loPartialKey);
}

// ---- filter ------------------------------------------------------------------------------------

bool KvClientDataSetPrivate::compileFilter(QString *error)
{
    filterTerms.clear();
    const QString text = filterText.trimmed();
    if (text.isEmpty())
        return true;
    static const QRegularExpression joiner(QStringLiteral("\\s+(and|or)\\s+"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression term(
        QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_]*)\\s*(<>|<=|>=|=|<|>)\\s*(.*?)\\s*$"));
    qsizetype start = 0;
    auto it = joiner.globalMatch(text);
    QStringList pieces;
    QList<bool> ors;
    while (it.hasNext()) {
        const auto m = it.next();
        pieces << text.mid(start, m.capturedStart() - start);
        ors << (m.captured(1).compare(QLatin1String("or"), Qt::CaseInsensitive) == 0);
        start = m.capturedEnd();
    }
    pieces << text.mid(start);
    for (int i = 0; i < pieces.size(); ++i) {
        const auto m = term.match(pieces[i]);
        if (!m.hasMatch()) {
            if (error)
                *error = QStringLiteral("Invalid filter: %1").arg(filterText);
            filterTerms.clear();
            return false;
        }
        KvFilterTerm t;
        t.field = m.captured(1);
        t.op = m.captured(2);
        const QString literal = m.captured(3);
        if (literal.size() >= 2 && literal.startsWith(QLatin1Char('\'')) &&
            literal.endsWith(QLatin1Char('\''))) {
            t.value = literal.mid(1, literal.size() - 2)
                          .replace(QStringLiteral("''"), QStringLiteral("'"));
        } else if (literal.compare(QLatin1String("null"), Qt::CaseInsensitive) != 0) {
            bool ok = false;
            const double number = literal.toDouble(&ok);
            if (!ok) {
                if (error)
                    *error = QStringLiteral("Invalid filter: %1").arg(filterText);
                filterTerms.clear();
                return false;
            }
            t.value = number;
        }
        t.orWithNext = i < ors.size() && ors[i];
        filterTerms.push_back(t);
    }
    return true;
}

bool KvClientDataSetPrivate::passesFilter(uint32_t rec) const
{
    auto test = [&](const KvFilterTerm &t) {
        const KvField *field = q->FindField(t.field);
        if (!field)
            return false;
        const QVariant v = value(field, rec);
        if (t.value.isNull())
            return t.op == QLatin1String("=") ? v.isNull() : !v.isNull();
        if (v.isNull())
            return false;
        const int c = compareVariants(v, t.value, false);
        if (t.op == QLatin1String("="))
            return c == 0;
        if (t.op == QLatin1String("<>"))
            return c != 0;
        if (t.op == QLatin1String("<"))
            return c < 0;
        if (t.op == QLatin1String(">"))
            return c > 0;
        if (t.op == QLatin1String("<="))
            return c <= 0;
        return c >= 0;
    };
    bool result = false;
    bool group = true;
    for (const KvFilterTerm &t : filterTerms) {
        group = group && test(t);
        if (t.orWithNext) {
            result = result || group;
            group = true;
        }
    }
    if (!filterTerms.empty())
        result = result || group;
    else
        result = true;
    if (result && q->OnFilterRecord) {
        auto *self = const_cast<KvClientDataSetPrivate *>(this);
        const uint32_t saved = self->calcRec;
        self->calcRec = rec;
        result = q->OnFilterRecord(*q);
        self->calcRec = saved;
    }
    return result;
}

QString TKV_ClientDataSet::Filter() const
{
    return d->filterText;
}

void TKV_ClientDataSet::setFilter(const QString &filter)
{
    d->filterText = filter;
    QString error;
    if (!d->compileFilter(&error))
        d->fail(error, true);
    if (d->active && d->filtered)
        changeOrder(this, d.get(), [] {});
}

bool TKV_ClientDataSet::Filtered() const
{
    return d->filtered;
}

void TKV_ClientDataSet::setFiltered(bool on)
{
    if (d->filtered == on)
        return;
    if (d->active && !CheckBrowseMode())
        return;
    changeOrder(this, d.get(), [&] { d->filtered = on; });
}
