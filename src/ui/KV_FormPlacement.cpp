#include "KV_FormPlacement.h"

#include "KV_DBGridEh.h"

#include <QLayout>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QWidget>

namespace {

// The widget whose frame the user moves: the MDI frame of a child window.
QWidget *frameOf(QWidget *window)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        return sub;
    return window;
}

const QWidget *frameOf(const QWidget *window)
{
    return frameOf(const_cast<QWidget *>(window));
}

bool managedByLayout(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(widget) >= 0;
}

} // namespace

TFormPlacement::TFormPlacement(const QString &group)
    : m_group(group)
    , m_settings(QSettings::UserScope, QStringLiteral("Tervalon"), QStringLiteral("korvel"))
{}

QString TFormPlacement::SettingsKey(const QString &windowName)
{
    return QStringLiteral("Settings/") + windowName;
}

void TFormPlacement::SavePlacement(const QWidget *window)
{
    const QWidget *frame = frameOf(window);
    const Qt::WindowStates state = frame->windowState();
    // The normal geometry, so that a maximised window comes back maximised over its old
    // normal place.
    const QRect normal = frame->isWindow() && (state & (Qt::WindowMaximized | Qt::WindowMinimized))
                             ? frame->normalGeometry()
                             : frame->geometry();
    m_settings.setValue(key(QStringLiteral("Left")), normal.x());
    m_settings.setValue(key(QStringLiteral("Top")), normal.y());
    m_settings.setValue(key(QStringLiteral("Width")), normal.width());
    m_settings.setValue(key(QStringLiteral("Height")), normal.height());
    m_settings.setValue(key(QStringLiteral("State")), state & Qt::WindowMaximized   ? 2
                                                      : state & Qt::WindowMinimized ? 1
                                                                                    : 0);
    if (auto *main = qobject_cast<const QMainWindow *>(window))
        m_settings.setValue(key(QStringLiteral("ToolBars")), main->saveState());
}

bool TFormPlacement::RestorePlacement(QWidget *window)
{
    if (!m_settings.contains(key(QStringLiteral("Width"))))
        return false;
    QWidget *frame = frameOf(window);
    const QRect rect(m_settings.value(key(QStringLiteral("Left"))).toInt(),
                     m_settings.value(key(QStringLiteral("Top"))).toInt(),
                     m_settings.value(key(QStringLiteral("Width"))).toInt(),
                     m_settings.value(key(QStringLiteral("Height"))).toInt());
    if (rect.width() > 0 && rect.height() > 0)
        frame->setGeometry(rect);
    switch (m_settings.value(key(QStringLiteral("State"))).toInt()) {
    case 2:
        frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
        break;
    case 1:
        frame->setWindowState(frame->windowState() | Qt::WindowMinimized);
        break;
    default:
        break;
    }
    if (auto *main = qobject_cast<QMainWindow *>(window)) {
        const QByteArray state = m_settings.value(key(QStringLiteral("ToolBars"))).toByteArray();
        if (!state.isEmpty())
            main->restoreState(state);
    }
    return true;
}

void TFormPlacement::SavePosition(const QWidget *widget, const QString &name)
{
    const QString n = name.isEmpty() ? widget->objectName() : name;
    m_settings.setValue(key(n + QStringLiteral(".Left")), widget->x());
    m_settings.setValue(key(n + QStringLiteral(".Top")), widget->y());
}

bool TFormPlacement::RestorePosition(QWidget *widget, const QString &name)
{
    const QString n = name.isEmpty() ? widget->objectName() : name;
    const QString left = key(n + QStringLiteral(".Left"));
    const QString top = key(n + QStringLiteral(".Top"));
    if (!m_settings.contains(left) || !m_settings.contains(top))
        return false;
    // A widget in a layout goes where its layout puts it; the values are kept all the same.
    if (!managedByLayout(widget))
        widget->move(m_settings.value(left).toInt(), m_settings.value(top).toInt());
    return true;
}

void TFormPlacement::SaveGridLayout(const TKV_DBGridEh *grid)
{
    m_settings.setValue(key(grid->objectName() + QStringLiteral("/Columns")),
                        grid->columnsLayout());
}

bool TFormPlacement::RestoreGridLayout(TKV_DBGridEh *grid)
{
    const QString k = key(grid->objectName() + QStringLiteral("/Columns"));
    if (!m_settings.contains(k))
        return false;
    return grid->restoreColumnsLayout(m_settings.value(k).toStringList());
}

void TFormPlacement::WriteValue(const QString &name, const QVariant &value)
{
    m_settings.setValue(key(name), value);
}

QVariant TFormPlacement::ReadValue(const QString &name, const QVariant &defaultValue) const
{
    return m_settings.value(key(name), defaultValue);
}
