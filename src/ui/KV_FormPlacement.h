#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

class QWidget;
class TKV_DBGridEh;

// The per-user store of window settings: a window's placement, the positions of its tool
// bars and panels, the column layout of its grids and small values such as the grouping
// panel's state. Everything lives in QSettings of organisation "Tervalon", application
// "korvel", under one group per window: most windows use "Settings/<window>"
// (SettingsKey()), a few document windows use the window name alone.
class TFormPlacement
{
public:
    explicit TFormPlacement(const QString &group);

    // "Settings/" + the window's name.
    static QString SettingsKey(const QString &windowName);
    QString group() const { return m_group; }

    // Position, size and state of a window (its MDI frame when it is an MDI child; the
    // tool bar layout too when it is a main window).
    void SavePlacement(const QWidget *window);
    // False when nothing was stored; the window is left as it is then.
    bool RestorePlacement(QWidget *window);

    // "<name>.Left" and "<name>.Top" of a tool bar or panel (name: the widget's object name
    // unless given).
    void SavePosition(const QWidget *widget, const QString &name = {});
    bool RestorePosition(QWidget *widget, const QString &name = {});

    // The column layout of a grid (order, widths, visibility, sort markers, grouping) under
    // the grid's object name.
    void SaveGridLayout(const TKV_DBGridEh *grid);
    bool RestoreGridLayout(TKV_DBGridEh *grid);

    void WriteValue(const QString &name, const QVariant &value);
    QVariant ReadValue(const QString &name, const QVariant &defaultValue = {}) const;

private:
    QString key(const QString &name) const { return m_group + QLatin1Char('/') + name; }

    QString m_group;
    mutable QSettings m_settings;
};
