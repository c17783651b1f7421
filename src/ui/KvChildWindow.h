#pragma once

#include <QEvent>
#include <QPointer>
#include <QString>
#include <QWidget>

// The messages of the main window's protocol, as custom events with the numbers the system
// has always used (counted from the first user message).
enum KvMessage : int {
    UM_OPEN_CHILD = QEvent::User + 1,     // open or bring to front a window by class name
    UM_FOCUS_CHILD = QEvent::User + 2,    // like UM_OPEN_CHILD, then give it the focus
    UM_REFRESH_MENU = QEvent::User + 3,   // a child window opened or closed
    UM_CHILD_ACTIVATE = QEvent::User + 4, // to a child window, with its parameter
    UM_CLOSE_ALL = QEvent::User + 8,      // close every child window
    UM_BUSY_BEGIN = QEvent::User + 9,
    UM_BUSY_END = QEvent::User + 10,
    UM_ADD_DEBUG_INFO = QEvent::User + 11, // a line for the event monitor
};

// One message: a text (class name, debug line), an integer parameter and, for the open and
// focus messages, the resulting window filled in by the receiver.
class KvMessageEvent : public QEvent
{
public:
    KvMessageEvent(KvMessage message, const QString &text = {}, int parameter = 0)
        : QEvent(QEvent::Type(message))
        , text(text)
        , parameter(parameter)
    {}

    QString text;
    int parameter;
    QPointer<QWidget> result;
};

// Base of the windows that the main window opens as MDI children by class name.
//
// A child window frees itself when closed and then tells the main window to refresh its
// menu (UM_REFRESH_MENU). Its object name is its class name without the leading "T"; the
// window list relies on that.
class KvChildWindow : public QWidget
{
    Q_OBJECT
public:
    explicit KvChildWindow(QWidget *parent = nullptr);
    ~KvChildWindow() override;

    // The name the window is registered under ("TfrmStoreOrder"); set by the registry when
    // it creates the window, otherwise the C++ class name.
    QString windowClassName() const;
    void setWindowClassName(const QString &className);

protected:
    // UM_CHILD_ACTIVATE: 1 when opened from the main menu (editing allowed); other callers
    // give their own meaning (for example a key to position on).
    virtual void childActivate(int parameter) { Q_UNUSED(parameter); }
    bool event(QEvent *event) override;

private:
    QString m_className;
};
