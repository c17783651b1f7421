#include "KV_ReportExpander.h"

#include "KV_LIB.h"
#include "KV_ReportDataSource.h"

#include <QDateTime>
#include <QRegularExpression>

#include <kainjow/mustache.hpp>

#include <deque>
#include <map>
#include <memory>
#include <vector>

namespace km = kainjow::mustache;

const QString KvExpandedReport::PageMark = QString(QChar(0xE000));
const QString KvExpandedReport::PageCountMark = QString(QChar(0xE001));

namespace {

const QLatin1String kPageHeader("pageheader");
const QLatin1String kPageFooter("pagefooter");

std::string utf8(const QString &s)
{
    const QByteArray bytes = s.toUtf8();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

QString fromUtf8(const std::string &s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

int lineAt(const std::string &text, size_t position)
{
    position = std::min(position, text.size());
    int line = 1;
    for (size_t i = 0; i < position; ++i) {
        if (text[i] == '\n')
            ++line;
    }
    return line;
}

// The parser's fault ("Unclosed section \"x\" at 120") in the users' words, with its line.
KvReportError parseError(const std::string &message, const std::string &text)
{
    static const QRegularExpression re(QStringLiteral("^(.*) at (\\d+)$"));
    const QRegularExpressionMatch m = re.match(fromUtf8(message));
    KvReportError error;
    if (!m.hasMatch()) {
        error.text = fromUtf8(message);
        return error;
    }
    const QString what = m.captured(1);
    error.line = lineAt(text, size_t(m.captured(2).toULongLong()));
    static const QRegularExpression named(QStringLiteral("^(Unclosed|Unopened) section \"(.*)\"$"));
    const QRegularExpressionMatch n = named.match(what);
    if (n.hasMatch() && n.captured(1) == QLatin1String("Unclosed"))
        error.text = QStringLiteral("секция \"%1\" не закрыта").arg(n.captured(2));
    else if (n.hasMatch())
        error.text =
            QStringLiteral("секция \"%1\" закрывается, но не была открыта").arg(n.captured(2));
    else if (what.startsWith(QLatin1String("Unclosed tag")))
        error.text = QStringLiteral("тег не закрыт (нет \"}}\")");
    else if (what.startsWith(QLatin1String("Invalid set delimiter")))
        error.text = QStringLiteral("неверная смена разделителей");
    else
        error.text = what;
    return error;
}

QString plainToHtml(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br/>"));
}

// A dataset while the report expands: its definition and its fields by lower-case name.
struct DataSetState
{
    const KvReportDataSet *def = nullptr;
    QHash<QString, int> fields;
    bool indexed = false;

    int field(const QString &lowerName)
    {
        if (!indexed) {
            for (int i = 0, n = def->source->fieldCount(); i < n; ++i)
                fields.insert(def->source->fieldName(i).toLower(), i);
            indexed = true;
        }
        return fields.value(lowerName, -1);
    }
    // The rows the report prints: [first, first + count).
    int first() const
    {
        return def->range == KvReportRange::CurrentRow ? def->source->currentRow() : 0;
    }
    int count() const
    {
        if (def->range == KvReportRange::CurrentRow)
            return def->source->currentRow() < 0 ? 0 : 1;
        return def->source->rowCount();
    }
};

// One expansion: the context the Mustache renderer looks names up in. Frames are the
// sections being printed, innermost last: a row of a dataset, or a section over a plain
// value. Values looked up while a row prints live until the next row.
class Expansion final : public km::basic_context<std::string>
{
public:
    Expansion(const QList<KvReportDataSet> &dataSets, const QHash<QString, QString> &variables,
              const KvBeforePrintHook &beforePrint);

    bool run(const std::string &text, KvExpandedReport *result, KvReportError *error);

    void push(const km::data *data) override
    {
        auto frame = std::make_unique<Frame>();
        frame->data = data;
        m_frames.push_back(std::move(frame));
    }
    void pop() override { m_frames.pop_back(); }
    const km::data *get(const std::string &name) const override;
    const km::data *get_partial(const std::string &) const override { return nullptr; }

private:
    struct Frame
    {
        const km::data *data = nullptr;  // a section over a plain value
        DataSetState *dataSet = nullptr; // a row of a dataset
        int row = -1;
        int line = 0;
        std::deque<km::data> values; // rows and the root keep their looked-up values
    };

    const km::data *keep(km::data value) const;
    const km::data *text(const QString &s) const;
    const km::data *fieldValue(DataSetState &ds, int row, int field, bool raw) const;
    const km::data *dotted(const QString &name) const;
    const km::data *lambda(const std::string &key, km::lambda2 function) const;
    const km::data *dataSetSection(DataSetState &ds) const;

    std::string renderRows(DataSetState &ds, const std::string &text);
    std::string renderMemo(const QString &name, const std::string &text);
    std::string renderNested(const std::string &text);
    void fail(const QString &text);
    KvReportError misusedName(const std::string &text) const;
    void restoreRows(const std::vector<int> &saved);

    std::vector<std::unique_ptr<Frame>> m_frames;
    std::vector<std::unique_ptr<DataSetState>> m_dataSets;
    QHash<QString, DataSetState *> m_dataSetByName;
    const QHash<QString, QString> &m_variables;
    const KvBeforePrintHook &m_beforePrint;
    mutable std::map<std::string, km::data> m_lambdas;
    std::string m_headerText;
    std::string m_footerText;
    bool m_hasHeader = false;
    bool m_hasFooter = false;
    bool m_pageBand = false; // expanding the page header or footer
    QString m_error;
};

Expansion::Expansion(const QList<KvReportDataSet> &dataSets,
                     const QHash<QString, QString> &variables, const KvBeforePrintHook &beforePrint)
    : m_variables(variables)
    , m_beforePrint(beforePrint)
{
    for (const KvReportDataSet &def : dataSets) {
        if (!def.source)
            continue;
        auto state = std::make_unique<DataSetState>();
        state->def = &def;
        m_dataSetByName.insert(def.name.toLower(), state.get());
        m_dataSets.push_back(std::move(state));
    }
    m_frames.push_back(std::make_unique<Frame>()); // the root
}

const km::data *Expansion::keep(km::data value) const
{
    // The innermost row (or the root) keeps the value while it prints.
    for (auto it = m_frames.rbegin(); it != m_frames.rend(); ++it) {
        if (!(*it)->data) {
            (*it)->values.push_back(std::move(value));
            return &(*it)->values.back();
        }
    }
    Q_UNREACHABLE();
}

// Empty texts are false, so that {{#FIELD}}...{{/FIELD}} prints only for a value.
const km::data *Expansion::text(const QString &s) const
{
    return s.isEmpty() ? keep(km::data(false)) : keep(km::data(utf8(s)));
}

const km::data *Expansion::fieldValue(DataSetState &ds, int row, int field, bool raw) const
{
    if (row < 0)
        return keep(km::data(false));
    KvReportDataSource *source = ds.def->source;
    return text(raw ? KvReportRawText(source->value(row, field)) : source->displayText(row, field));
}

const km::data *Expansion::lambda(const std::string &key, km::lambda2 function) const
{
    auto it = m_lambdas.find(key);
    if (it == m_lambdas.end())
        it = m_lambdas.emplace(key, km::data(function)).first;
    return &it->second;
}

const km::data *Expansion::dataSetSection(DataSetState &ds) const
{
    if (ds.count() == 0)
        return keep(km::data(false)); // {{^name}} prints for no rows
    auto *self = const_cast<Expansion *>(this);
    return lambda("ds:" + utf8(ds.def->name.toLower()),
                  [self, &ds](const std::string &text, const km::renderer &) {
                      return self->renderRows(ds, text);
                  });
}

const km::data *Expansion::get(const std::string &name) const
{
    if (name == ".") {
        const Frame &inner = *m_frames.back();
        return inner.data;
    }
    const QString lower = fromUtf8(name).toLower();

    for (auto it = m_frames.rbegin(); it != m_frames.rend(); ++it) {
        Frame &frame = **it;
        if (frame.data) {
            if (frame.data->is_object()) {
                if (const km::data *v = frame.data->get(name))
                    return v;
            }
            continue;
        }
        if (!frame.dataSet)
            continue;
        int field = frame.dataSet->field(lower);
        if (field >= 0)
            return fieldValue(*frame.dataSet, frame.row, field, false);
        if (lower.endsWith(QLatin1String(".raw"))) {
            field = frame.dataSet->field(lower.chopped(4));
            if (field >= 0)
                return fieldValue(*frame.dataSet, frame.row, field, true);
        }
        if (lower == QLatin1String("line"))
            return text(QString::number(frame.line));
    }

    if (lower.contains(QLatin1Char('.')))
        return dotted(fromUtf8(name));

    auto *self = const_cast<Expansion *>(this);
    if (lower == kPageHeader || lower == kPageFooter) {
        const bool header = lower == kPageHeader;
        return lambda(utf8(lower), [self, header](const std::string &text, const km::renderer &) {
            bool &has = header ? self->m_hasHeader : self->m_hasFooter;
            if (!has && !self->m_pageBand) {
                (header ? self->m_headerText : self->m_footerText) = text;
                has = true;
            }
            return std::string();
        });
    }
    if (lower == QLatin1String("page"))
        return m_pageBand ? text(KvExpandedReport::PageMark) : nullptr;
    if (lower == QLatin1String("totalpages"))
        return m_pageBand ? text(KvExpandedReport::PageCountMark) : nullptr;

    const auto variable = m_variables.constFind(lower);
    if (variable != m_variables.constEnd())
        return text(*variable);
    if (lower == QLatin1String("date"))
        return text(FormatShortDate(QDate::currentDate()));
    if (lower == QLatin1String("time"))
        return text(QTime::currentTime().toString(QStringLiteral("hh:mm")));

    if (DataSetState *ds = m_dataSetByName.value(lower))
        return dataSetSection(*ds);
    return nullptr;
}

// memo.NAME, sum.DATASET.FIELD, count.DATASET, DATASET.FIELD, DATASET.FIELD.raw
const km::data *Expansion::dotted(const QString &name) const
{
    const QStringList parts = name.toLower().split(QLatin1Char('.'));
    auto *self = const_cast<Expansion *>(this);
    if (parts.size() == 2 && parts[0] == QLatin1String("memo")) {
        const QString memo = name.section(QLatin1Char('.'), 1); // as the template writes it
        return lambda("memo:" + utf8(parts[1]),
                      [self, memo](const std::string &text, const km::renderer &) {
                          return self->renderMemo(memo, text);
                      });
    }
    if (parts.size() == 3 && parts[0] == QLatin1String("sum")) {
        DataSetState *ds = m_dataSetByName.value(parts[1]);
        const int field = ds ? ds->field(parts[2]) : -1;
        if (field < 0)
            return nullptr;
        double sum = 0;
        for (int row = ds->first(), end = row + ds->count(); row < end; ++row)
            sum += ds->def->source->value(row, field).toDouble();
        return text(ds->def->source->formatValue(field, sum));
    }
    if (parts.size() == 2 && parts[0] == QLatin1String("count")) {
        if (DataSetState *ds = m_dataSetByName.value(parts[1]))
            return keep(km::data(utf8(QString::number(ds->count()))));
        return nullptr;
    }
    DataSetState *ds = m_dataSetByName.value(parts[0]);
    if (!ds || parts.size() > 3 || (parts.size() == 3 && parts[2] != QLatin1String("raw")))
        return nullptr;
    const int field = ds->field(parts[1]);
    if (field < 0)
        return nullptr;
    return fieldValue(*ds, ds->def->source->currentRow(), field, parts.size() == 3);
}

std::string Expansion::renderRows(DataSetState &ds, const std::string &text)
{
    if (!m_error.isEmpty())
        return {};
    km::mustache section(text);
    if (!section.is_valid()) {
        fail(fromUtf8(section.error_message()));
        return {};
    }
    KvReportDataSource *source = ds.def->source;
    const int first = ds.first();
    const int count = ds.count();
    std::string out;
    m_frames.push_back(std::make_unique<Frame>());
    Frame &frame = *m_frames.back();
    frame.dataSet = &ds;
    for (int i = 0; i < count && m_error.isEmpty(); ++i) {
        frame.row = first + i;
        frame.line = i + 1;
        frame.values.clear();
        if (source->currentRow() != frame.row)
            source->setCurrentRow(frame.row);
        out += section.render(*this);
        if (!section.is_valid())
            fail(fromUtf8(section.error_message()));
    }
    m_frames.pop_back();
    return out;
}

std::string Expansion::renderNested(const std::string &text)
{
    km::mustache part(text);
    std::string out = part.is_valid() ? part.render(*this) : std::string();
    if (!part.is_valid())
        fail(fromUtf8(part.error_message()));
    return out;
}

std::string Expansion::renderMemo(const QString &name, const std::string &text)
{
    if (!m_error.isEmpty())
        return {};
    std::string rendered = renderNested(text);
    if (!m_beforePrint)
        return rendered;
    const QString before = fromUtf8(rendered);
    QString after = before;
    m_beforePrint(name, after);
    return after == before ? rendered : utf8(plainToHtml(after));
}

void Expansion::fail(const QString &text)
{
    if (m_error.isEmpty())
        m_error = text.isEmpty() ? QStringLiteral("ошибка шаблона") : text;
}

// A dataset, memo or page band written as a value ({{name}}) where a section belongs.
KvReportError Expansion::misusedName(const std::string &text) const
{
    static const QRegularExpression tag(
        QStringLiteral("\\{\\{\\{?\\s*([^#^/!>=&{}\\s][^}]*?)\\s*\\}"));
    const QString q = fromUtf8(text);
    auto it = tag.globalMatch(q);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1).toLower();
        const bool band = name == kPageHeader || name == kPageFooter;
        const bool memo = name.startsWith(QLatin1String("memo.")) && name.count('.') == 1;
        if (!band && !memo && !m_dataSetByName.contains(name))
            continue;
        KvReportError error;
        error.line = int(q.left(m.capturedStart()).count(QLatin1Char('\n'))) + 1;
        error.text =
            QStringLiteral("\"%1\" выводится секцией {{#%1}}...{{/%1}}").arg(m.captured(1));
        return error;
    }
    return {};
}

void Expansion::restoreRows(const std::vector<int> &saved)
{
    for (size_t i = 0; i < m_dataSets.size(); ++i) {
        KvReportDataSource *source = m_dataSets[i]->def->source;
        if (saved[i] >= 0 && source->currentRow() != saved[i])
            source->setCurrentRow(saved[i]);
    }
}

bool Expansion::run(const std::string &text, KvExpandedReport *result, KvReportError *error)
{
    km::mustache body(text);
    if (!body.is_valid()) {
        *error = parseError(body.error_message(), text);
        return false;
    }
    *error = misusedName(text);
    if (!error->isNull())
        return false;

    std::vector<int> saved;
    for (const auto &ds : m_dataSets) {
        saved.push_back(ds->def->source->currentRow());
        ds->def->source->beginReport();
    }
    std::string html = body.render(*this);
    if (!body.is_valid())
        fail(fromUtf8(body.error_message()));
    restoreRows(saved);

    // The bands print on every page with the rows current as the report began.
    m_pageBand = true;
    std::string header = m_hasHeader && m_error.isEmpty() ? renderNested(m_headerText) : "";
    std::string footer = m_hasFooter && m_error.isEmpty() ? renderNested(m_footerText) : "";
    m_pageBand = false;
    restoreRows(saved);
    for (const auto &ds : m_dataSets)
        ds->def->source->endReport();

    if (!m_error.isEmpty()) {
        error->line = 0;
        error->text = m_error;
        return false;
    }
    result->body = fromUtf8(html);
    result->header = fromUtf8(header);
    result->footer = fromUtf8(footer);
    return true;
}

} // namespace

KvReportExpander::KvReportExpander(QList<KvReportDataSet> dataSets,
                                   QHash<QString, QString> variables, KvBeforePrintHook beforePrint)
    : m_dataSets(std::move(dataSets))
    , m_beforePrint(std::move(beforePrint))
{
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        m_variables.insert(it.key().toLower(), it.value());
}

bool KvReportExpander::expand(const QString &templateText, KvExpandedReport *result,
                              KvReportError *error)
{
    Expansion expansion(m_dataSets, m_variables, m_beforePrint);
    return expansion.run(utf8(templateText), result, error);
}
