#pragma once

#include "frmuKvModal.h"
#include "uGuideBody.h"

#include <QSize>
#include <QVariant>

class KvSession;

// How a modal guide window presents itself and what it does when shown.
struct TGuideWindow
{
    QString name;    // "frmMeasure": the object name and the settings key
    QString caption; // "Справочник единиц измерения"
    int helpContext = 0;
    QSize size = QSize(640, 420); // the first time, before a placement is kept
    // The choosing and closing actions: "Выбор" and "Закрыть" in most guides; the
    // organisations and personnel guides use their OK/cancel pair instead.
    QString selectName = QStringLiteral("actSelectItem");
    QString selectText = QStringLiteral("Выбор");
    QString selectHint = QStringLiteral("Выбор элемента справочника");
    QString closeName = QStringLiteral("actClose");
    QString closeText = QStringLiteral("Закрыть");
    QString closeHint = QStringLiteral("Закрыть справочник");
    // Showing: switch the keyboard to Russian, sort by the markers, move to the caller's
    // row, and run the search step (focus the search box and search its text).
    bool russianOnShow = true;
    bool sortOnShow = true;
    bool moveToKey = true;
    bool searchOnShow = true;
};

// The program's session for the guides; null when there is none.
KvSession *GuideSession();

// A modal guide: a body (TGuideBody) in a dialog window with the choosing and closing
// actions. Pick() is the entry of every picker: the window keeps the key handed in, lets the
// user choose while the mode is not 0 (the select action and a double click store the row's
// key and close with the OK result) and answers the stored key after OK, the key handed in
// otherwise. Closing asks about a pending edit first ("Данные изменены, записать?") and
// closes the lists; Esc does not close the window (Ctrl+W, the close action and the window's
// close box do). Placement and tool bar positions are kept per window.
class TfrmGuide : public TfrmKvModal
{
    Q_OBJECT
public:
    TfrmGuide(const TGuideWindow &window, const TGuideView &view, KvSession &session,
              QWidget *parent = nullptr);
    ~TfrmGuide() override;

    TGuideBody *body() const { return m_body; }
    TKV_ClientDataSet *list() const { return m_body->list(); }
    QAction *selectAction() const { return m_select; }
    QAction *closeAction() const { return m_close; }
    QVariant key() const { return m_key; }
    int mode() const { return m_mode; }

    // Opens the lists, shows the window modally (through the prompts) and answers the key.
    QVariant Pick(const QVariant &currentKey, int mode);

    void done(int result) override;

protected:
    // The showing steps, after the lists opened and before the window shows.
    virtual void PrepareShow();
    void keyPressEvent(QKeyEvent *event) override;

private:
    void SelectItem();

    TGuideWindow m_window;
    TGuideBody *m_body;
    QAction *m_select = nullptr;
    QAction *m_close = nullptr;
    QVariant m_key;
    int m_mode = 0;
    bool m_closed = false;
};

// The entry of a picker over a guide window class W: created on the session, shown modally,
// freed; answers the chosen key or currentKey.
template <class W>
QVariant RunGuidePicker(KvSession &session, const QVariant &currentKey, int mode)
{
    W window(session);
    return window.Pick(currentKey, mode);
}

// The same on the program's session; currentKey when there is none.
template <class W>
QVariant RunGuidePicker(const QVariant &currentKey, int mode)
{
    KvSession *session = GuideSession();
    return session ? RunGuidePicker<W>(*session, currentKey, mode) : currentKey;
}
