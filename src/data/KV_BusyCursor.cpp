#include "KV_BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

KvBusyCursor::KvBusyCursor(Qt::CursorShape shape)
{
    if (shape == Qt::ArrowCursor || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    if (currentShape() == shape)
        return;
    QGuiApplication::setOverrideCursor(QCursor(shape));
    m_shown = true;
}

KvBusyCursor::~KvBusyCursor()
{
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}

Qt::CursorShape KvBusyCursor::currentShape()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return Qt::ArrowCursor;
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::ArrowCursor;
}
