#include "KV_DBNavigator.h"

#include "KV_ClientDataSet.h"
#include "KV_Prompts.h"
#include "dmuImages.h"

#include <QKeyEvent>
#include <QLayout>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

constexpr int MinButtonWidth = 20;  // in a row
constexpr int MinButtonHeight = 18; // in a column
constexpr int RepeatDelayMs = 400;
constexpr int RepeatIntervalMs = 100;

const char *const GlyphNames[KVNavigateControlCount] = {"POST",  "CANCEL",   "INSERT",  "DELETE",
                                                        "EDIT",  "PROPERTY", "REFRESH", "FIRST",
                                                        "PRIOR", "NEXT",     "LAST"};

} // namespace

// ---- TKVNavigateControls ---------------------------------------------------------------------

TKVNavigateControls::TKVNavigateControls(std::initializer_list<TKVNavigateControl> controls)
{
    for (TKVNavigateControl c : controls)
        m_bits |= bit(c);
}

TKVNavigateControls TKVNavigateControls::all()
{
    TKVNavigateControls set;
    for (int i = 0; i < KVNavigateControlCount; ++i)
        set << TKVNavigateControl(i);
    return set;
}

TKVNavigateControls &TKVNavigateControls::operator<<(TKVNavigateControl control)
{
    m_bits |= bit(control);
    return *this;
}

TKVNavigateControls &TKVNavigateControls::remove(TKVNavigateControl control)
{
    m_bits &= ~bit(control);
    return *this;
}

// ---- TKV_NavControl --------------------------------------------------------------------------

TKV_NavControl::TKV_NavControl(TKVNavigateControl control, TKV_DBNavigator *navigator)
    : QToolButton(navigator)
    , m_navigator(navigator)
    , m_control(control)
{
    setObjectName(QStringLiteral("nb") + QString::fromLatin1(GlyphNames[control]).toLower());
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(16, 16));
    if (control == nbPrior || control == nbNext) {
        setAutoRepeat(true);
        setAutoRepeatDelay(RepeatDelayMs);
        setAutoRepeatInterval(RepeatIntervalMs);
    }
}

void TKV_NavControl::paintEvent(QPaintEvent *event)
{
    QToolButton::paintEvent(event);
    if (!m_navigator->hasFocus() || m_navigator->focusedButton() != m_control)
        return;
    QStylePainter p(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(3, 3, -3, -3);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

// ---- TKV_DBNavigator -------------------------------------------------------------------------

TKV_DBNavigator::TKV_DBNavigator(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("dbNav"));
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    for (int i = 0; i < KVNavigateControlCount; ++i) {
        auto *b = new TKV_NavControl(TKVNavigateControl(i), this);
        b->setAutoRaise(m_flat);
        connect(b, &QToolButton::clicked, this, [this, i] { BtnClick(TKVNavigateControl(i)); });
        m_buttons[i] = b;
    }
    applyGlyphs();
    applyHints();
    resize(145, 25);
    UpdateButtons();
}

TKV_DBNavigator::~TKV_DBNavigator()
{
    for (const auto &c : std::as_const(m_links))
        disconnect(c);
}

TKV_ClientDataSet *TKV_DBNavigator::DataSource() const
{
    return m_dataSet;
}

void TKV_DBNavigator::setDataSource(TKV_ClientDataSet *dataSet)
{
    for (const auto &c : std::as_const(m_links))
        disconnect(c);
    m_links.clear();
    m_dataSet = dataSet;
    if (dataSet) {
        auto update = [this] { UpdateButtons(); };
        m_links << connect(dataSet, &TKV_ClientDataSet::reset, this, update)
                << connect(dataSet, &TKV_ClientDataSet::currentChanged, this, update)
                << connect(dataSet, &TKV_ClientDataSet::stateChanged, this, update)
                << connect(dataSet, &TKV_ClientDataSet::rowInserted, this, update)
                << connect(dataSet, &TKV_ClientDataSet::rowRemoved, this, update)
                << connect(dataSet, &QObject::destroyed, this, update);
    }
    UpdateButtons();
}

void TKV_DBNavigator::setVisibleControls(const TKVNavigateControls &controls)
{
    m_visible = controls;
    if (!m_visible.contains(m_focused)) {
        for (int i = 0; i < KVNavigateControlCount; ++i) {
            if (m_visible.contains(TKVNavigateControl(i))) {
                m_focused = TKVNavigateControl(i);
                break;
            }
        }
    }
    updateGeometry();
    layoutButtons();
}

void TKV_DBNavigator::setKind(TKV_DBNavKind kind)
{
    if (m_kind == kind)
        return;
    m_kind = kind;
    applyGlyphs();
    updateGeometry();
    // Turn the bar: a row becomes a column of the same length and back.
    if (!parentWidget() || !parentWidget()->layout())
        resize(height(), width());
    layoutButtons();
}

void TKV_DBNavigator::setFlat(bool flat)
{
    m_flat = flat;
    for (auto *b : m_buttons)
        b->setAutoRaise(flat);
}

void TKV_DBNavigator::setHints(const QStringList &hints)
{
    m_hints = hints;
    applyHints();
}

QStringList TKV_DBNavigator::StandardHints()
{
    return {QStringLiteral("Подтвердить изменения"),
            QStringLiteral("Отменить изменения"),
            QStringLiteral("Добавить запись"),
            QStringLiteral("Удалить запись"),
            QStringLiteral("Корректировка"),
            QString(),
            QStringLiteral("Обновить данные"),
            QStringLiteral("Перейти на первую запись"),
            QStringLiteral("Перейти на предыдущую запись"),
            QStringLiteral("Перейти на следующую запись"),
            QStringLiteral("Перейти на последнюю запись")};
}

QString TKV_DBNavigator::DefaultHint(TKVNavigateControl control)
{
    static const char *const hints[KVNavigateControlCount] = {
        "Сохранить изменения", "Отменить изменения", "Вставить запись", "Удалить запись",
        "Изменить запись",     "Свойства",           "Обновить данные", "Первая запись",
        "Предыдущая запись",   "Следующая запись",   "Последняя запись"};
    return QString::fromUtf8(hints[control]);
}

QString TKV_DBNavigator::DeleteQuestion()
{
    return QStringLiteral("Delete record?");
}

void TKV_DBNavigator::applyHints()
{
    for (int i = 0; i < KVNavigateControlCount; ++i) {
        const QString given = i < m_hints.size() ? m_hints.at(i) : QString();
        m_buttons[i]->setToolTip(given.isEmpty() ? DefaultHint(TKVNavigateControl(i)) : given);
    }
}

void TKV_DBNavigator::applyGlyphs()
{
    const QString prefix =
        m_kind == dbnHorizontal ? QStringLiteral("DBNH_") : QStringLiteral("DBNV_");
    for (int i = 0; i < KVNavigateControlCount; ++i)
        m_buttons[i]->setIcon(
            TdmImages::navigatorGlyph(prefix + QString::fromLatin1(GlyphNames[i])));
}

bool TKV_DBNavigator::isButtonEnabled(TKVNavigateControl control) const
{
    return m_buttons[control]->isEnabled();
}

void TKV_DBNavigator::UpdateButtons()
{
    m_recomputing = true;
    std::array<bool, KVNavigateControlCount> on{};
    TKV_ClientDataSet *ds = m_dataSet;
    if (isEnabled() && ds && ds->Active()) {
        const KvDataSetState state = ds->State();
        const bool editing = state == KvDataSetState::Edit || state == KvDataSetState::Insert;
        const bool canModify = ds->CanModify();
        const int rows = ds->RecordCount();
        const int row = ds->currentRow();
        on[nbPost] = canModify && editing;
        on[nbCancel] = on[nbPost];
        on[nbInsert] = canModify;
        on[nbDelete] = canModify && rows > 0;
        on[nbEdit] = canModify && !editing;
        on[nbProperty] = rows > 0;
        on[nbRefresh] = true;
        on[nbFirst] = row > 0;
        on[nbPrior] = on[nbFirst];
        on[nbNext] = row >= 0 && row < rows - 1;
        on[nbLast] = on[nbNext];
    }
    for (int i = 0; i < KVNavigateControlCount; ++i)
        m_buttons[i]->setEnabled(on[i]);
    m_recomputing = false;
}

TKV_DBNavigator::ButtonEvent &TKV_DBNavigator::ownEvent(TKVNavigateControl control)
{
    switch (control) {
    case nbPost:
        return OnPostBtnClick;
    case nbCancel:
        return OnCancelBtnClick;
    case nbInsert:
        return OnInsertBtnClick;
    case nbDelete:
        return OnDeleteBtnClick;
    case nbEdit:
        return OnEditBtnClick;
    case nbProperty:
        return OnPropertyBtnClick;
    case nbRefresh:
        return OnRefreshBtnClick;
    case nbFirst:
        return OnFirstBtnClick;
    case nbPrior:
        return OnPriorBtnClick;
    case nbNext:
        return OnNextBtnClick;
    case nbLast:
        break;
    }
    return OnLastBtnClick;
}

void TKV_DBNavigator::BtnClick(TKVNavigateControl control)
{
    if (m_recomputing)
        return;
    // The dataset may go away in any of the handlers below.
    QPointer<TKV_DBNavigator> self(this);
    if (m_dataSet && m_dataSet->Active()) {
        if (BeforeAction)
            BeforeAction(this, control);
        if (!self)
            return;
        // Cancel on the delete question skips the action (the button's own event too);
        // OnClick is raised all the same.
        const bool confirmed =
            control != nbDelete || !m_confirmDelete ||
            Prompts::current().ask(DeleteQuestion(), Prompts::Ok | Prompts::Cancel,
                                   Prompts::Cancel) == Prompts::Ok;
        if (confirmed) {
            if (ButtonEvent &own = ownEvent(control))
                own(this);
            else
                runDefaultAction(control);
        }
        if (!self)
            return;
    }
    if (OnClick)
        OnClick(this, control);
}

void TKV_DBNavigator::runDefaultAction(TKVNavigateControl control)
{
    TKV_ClientDataSet *ds = m_dataSet;
    if (!ds)
        return;
    switch (control) {
    case nbPost:
        ds->Post();
        break;
    case nbCancel:
        ds->Cancel();
        break;
    case nbInsert:
        ds->Insert();
        break;
    case nbDelete:
        ds->Delete();
        break;
    case nbEdit:
        ds->Edit();
        break;
    case nbProperty:
        break;
    case nbRefresh:
        ds->Refresh();
        break;
    case nbFirst:
        ds->First();
        break;
    case nbPrior:
        ds->Prior();
        break;
    case nbNext:
        ds->Next();
        break;
    case nbLast:
        ds->Last();
        break;
    }
}

int TKV_DBNavigator::visibleCount() const
{
    int n = 0;
    for (int i = 0; i < KVNavigateControlCount; ++i)
        n += m_visible.contains(TKVNavigateControl(i)) ? 1 : 0;
    return n;
}

QSize TKV_DBNavigator::sizeHint() const
{
    const int n = qMax(1, visibleCount());
    return m_kind == dbnHorizontal ? QSize(n * 25, 25) : QSize(25, n * 22);
}

QSize TKV_DBNavigator::minimumSizeHint() const
{
    const int n = qMax(1, visibleCount());
    return m_kind == dbnHorizontal ? QSize(n * MinButtonWidth, MinButtonHeight)
                                   : QSize(MinButtonWidth, n * MinButtonHeight);
}

void TKV_DBNavigator::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutButtons();
}

void TKV_DBNavigator::layoutButtons()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    const int n = visibleCount();
    const bool row = m_kind == dbnHorizontal;
    const int length = row ? width() : height();
    const int minimum = row ? MinButtonWidth : MinButtonHeight;
    const int share = n > 0 ? qMax(minimum, length / n) : 0;
    // A navigator placed freely (not by a layout) shrinks or grows to its buttons' total;
    // one placed by a layout keeps its length and spreads the pixels left over, one each,
    // over the first buttons.
    const bool aligned =
        parentWidget() && parentWidget()->layout() && parentWidget()->layout()->indexOf(this) >= 0;
    int spare = 0;
    if (n > 0 && !aligned) {
        const QSize total = row ? QSize(n * share, height()) : QSize(width(), n * share);
        if (total != size())
            resize(total);
    } else if (n > 0) {
        spare = qMax(0, length - n * share);
    }
    int pos = 0;
    for (int i = 0; i < KVNavigateControlCount; ++i) {
        TKV_NavControl *b = m_buttons[i];
        if (!m_visible.contains(TKVNavigateControl(i))) {
            // Out of sight, past the visible area.
            b->setGeometry(row ? QRect(width() + 10, 0, share, height())
                               : QRect(0, height() + 10, width(), share));
            b->hide();
            continue;
        }
        int size = share;
        if (spare > 0) {
            ++size;
            --spare;
        }
        b->setGeometry(row ? QRect(pos, 0, size, height()) : QRect(0, pos, width(), size));
        b->show();
        pos += size;
    }
    m_layingOut = false;
}

void TKV_DBNavigator::moveFocusMark(int direction)
{
    int i = m_focused;
    for (int step = 0; step < KVNavigateControlCount; ++step) {
        i += direction;
        if (i < 0 || i >= KVNavigateControlCount)
            return;
        if (m_visible.contains(TKVNavigateControl(i))) {
            m_buttons[m_focused]->update();
            m_focused = TKVNavigateControl(i);
            m_buttons[m_focused]->update();
            return;
        }
    }
}

void TKV_DBNavigator::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        moveFocusMark(-1);
        break;
    case Qt::Key_Right:
        moveFocusMark(1);
        break;
    case Qt::Key_Space:
        if (m_buttons[m_focused]->isEnabled())
            BtnClick(m_focused);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TKV_DBNavigator::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    m_buttons[m_focused]->update();
}

void TKV_DBNavigator::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_buttons[m_focused]->update();
}

void TKV_DBNavigator::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateButtons();
}
