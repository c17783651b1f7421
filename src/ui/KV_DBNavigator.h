#pragma once

#include <QPointer>
#include <QStringList>
#include <QToolButton>
#include <QWidget>

#include <array>
#include <functional>
#include <initializer_list>

class TKV_ClientDataSet;
class TKV_DBNavigator;

// The navigator's buttons, in their order on the bar.
enum TKVNavigateControl {
    nbPost,
    nbCancel,
    nbInsert,
    nbDelete,
    nbEdit,
    nbProperty,
    nbRefresh,
    nbFirst,
    nbPrior,
    nbNext,
    nbLast
};
constexpr int KVNavigateControlCount = nbLast + 1;

// A set of navigator buttons.
class TKVNavigateControls
{
public:
    constexpr TKVNavigateControls() = default;
    TKVNavigateControls(std::initializer_list<TKVNavigateControl> controls);
    static TKVNavigateControls all();

    bool contains(TKVNavigateControl control) const { return m_bits & bit(control); }
    TKVNavigateControls &operator<<(TKVNavigateControl control);
    TKVNavigateControls &remove(TKVNavigateControl control);
    bool operator==(const TKVNavigateControls &other) const = default;

private:
    static constexpr unsigned bit(TKVNavigateControl control) { return 1u << control; }
    unsigned m_bits = 0;
};

enum TKV_DBNavKind { dbnHorizontal, dbnVertical };

// One button of the navigator; it draws the focus mark when the navigator has the focus and
// this button is the marked one.
class TKV_NavControl : public QToolButton
{
    Q_OBJECT
public:
    TKV_NavControl(TKVNavigateControl control, TKV_DBNavigator *navigator);
    TKVNavigateControl control() const { return m_control; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TKV_DBNavigator *m_navigator;
    TKVNavigateControl m_control;
};

// The data navigator bar: eleven buttons acting on a client dataset (post, cancel, insert,
// delete, edit, property, refresh, first, prior, next, last), enabled by the dataset's
// state and recomputed whenever it opens, closes, moves or changes state.
//
// A press raises BeforeAction, then the button's own event when set (it replaces the
// default action) or the default action, then OnClick. With ConfirmDelete on, the delete
// button first asks "Delete record?" (OK, Cancel) through the prompts, before the button's
// own event as well; Cancel skips the action. Prior and next repeat while held down. With the
// focus, the left and right arrows move the focus mark and the space bar presses the marked button.
class TKV_DBNavigator : public QWidget
{
    Q_OBJECT
public:
    using ButtonEvent = std::function<void(TKV_DBNavigator *sender)>;
    using ActionEvent = std::function<void(TKV_DBNavigator *sender, TKVNavigateControl button)>;

    explicit TKV_DBNavigator(QWidget *parent = nullptr);
    ~TKV_DBNavigator() override;

    // The dataset the buttons act on (the link drops when the dataset is destroyed).
    TKV_ClientDataSet *DataSource() const;
    void setDataSource(TKV_ClientDataSet *dataSet);

    TKVNavigateControls VisibleControls() const { return m_visible; }
    void setVisibleControls(const TKVNavigateControls &controls);
    TKV_DBNavKind Kind() const { return m_kind; }
    void setKind(TKV_DBNavKind kind);
    bool Flat() const { return m_flat; }
    void setFlat(bool flat);
    // Hint texts in button order; an empty entry keeps the button's own hint.
    QStringList Hints() const { return m_hints; }
    void setHints(const QStringList &hints);
    bool ConfirmDelete() const { return m_confirmDelete; }
    void setConfirmDelete(bool on) { m_confirmDelete = on; }

    // The hints every window of the system gives its navigators ("Подтвердить изменения",
    // ...; the property button keeps its own).
    static QStringList StandardHints();
    // The button's own hint (used when Hints has no text for it).
    static QString DefaultHint(TKVNavigateControl control);
    // The platform's question before the default delete.
    static QString DeleteQuestion();

    TKV_NavControl *button(TKVNavigateControl control) const { return m_buttons[control]; }
    bool isButtonEnabled(TKVNavigateControl control) const;
    // The button that has the focus mark.
    TKVNavigateControl focusedButton() const { return m_focused; }

    // Presses a button as a click does (ignored while the state is being recomputed).
    void BtnClick(TKVNavigateControl control);
    // Recomputes which buttons are enabled.
    void UpdateButtons();

    // Raised before and after any button's action.
    ActionEvent BeforeAction;
    ActionEvent OnClick;
    // Each, when set, replaces its button's default action.
    ButtonEvent OnPostBtnClick, OnCancelBtnClick, OnInsertBtnClick, OnDeleteBtnClick,
        OnEditBtnClick, OnPropertyBtnClick, OnRefreshBtnClick, OnFirstBtnClick, OnPriorBtnClick,
        OnNextBtnClick, OnLastBtnClick;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    ButtonEvent &ownEvent(TKVNavigateControl control);
    void runDefaultAction(TKVNavigateControl control);
    void layoutButtons();
    void applyHints();
    void applyGlyphs();
    int visibleCount() const;
    void moveFocusMark(int direction);

    QPointer<TKV_ClientDataSet> m_dataSet;
    QList<QMetaObject::Connection> m_links;
    std::array<TKV_NavControl *, KVNavigateControlCount> m_buttons{};
    TKVNavigateControls m_visible = TKVNavigateControls::all();
    TKV_DBNavKind m_kind = dbnHorizontal;
    QStringList m_hints;
    TKVNavigateControl m_focused = nbPost;
    bool m_flat = true;
    bool m_confirmDelete = true;
    bool m_recomputing = false;
    bool m_layingOut = false;
};
