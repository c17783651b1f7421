#include "uEnterToTab.h"

#include "AppVars.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

TEnterToTab::TEnterToTab(const QWidgetList &fields, QObject *parent)
    : QObject(parent)
{
    for (QWidget *field : fields)
        field->installEventFilter(this);
}

bool TEnterToTab::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !EnterToTab)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (auto *box = qobject_cast<QComboBox *>(watched); box && box->view()->isVisible())
        return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(watched, &tab);
    return true;
}
