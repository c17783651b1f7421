#include "KvChildWindow.h"

#include "KvWindowRegistry.h"

#include <QCoreApplication>

KvChildWindow::KvChildWindow(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

QString KvChildWindow::windowClassName() const
{
    return m_className.isEmpty() ? QString::fromLatin1(metaObject()->className()) : m_className;
}

KvChildWindow::~KvChildWindow()
{
    // Posted, not sent: the frame around this window is still going away.
    if (QObject *host = KvWindowRegistry::host())
        QCoreApplication::postEvent(host, new KvMessageEvent(UM_REFRESH_MENU));
}

void KvChildWindow::setWindowClassName(const QString &className)
{
    m_className = className;
    setObjectName(className.startsWith(QLatin1Char('T')) ? className.mid(1) : className);
}

bool KvChildWindow::event(QEvent *event)
{
    if (event->type() == QEvent::Type(UM_CHILD_ACTIVATE)) {
        childActivate(static_cast<KvMessageEvent *>(event)->parameter);
        event->accept();
        return true;
    }
    return QWidget::event(event);
}
