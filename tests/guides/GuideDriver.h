#pragma once

#include "KV_ClientDataSet.h"
#include "KV_DBNavigator.h"
#include "ScriptedPrompts.h"
#include "frmuGuide.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <functional>

// Driving guide windows as a user would, through their actions, navigator and grid.

// The next modal window the program shows is shown (headless) and handed to drive as W;
// its result goes back to the program.
template <class W>
void onGuide(ScriptedPrompts &prompts, std::function<void(W &)> drive)
{
    prompts.onDialog([drive](QDialog *dialog) {
        auto *window = qobject_cast<W *>(dialog);
        if (!window) {
            qWarning("unexpected modal window %s", dialog->metaObject()->className());
            return int(QDialog::Rejected);
        }
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog))
            qWarning("the window was not shown");
        drive(*window);
        return dialog->result();
    });
}

// Types text (any letters, Cyrillic too) into a widget, one key press per character.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(widget, &release);
    }
}

// Leaves a box as Tab or a click elsewhere would: what was typed is written to its field.
inline void leave(QLineEdit *edit)
{
    Q_EMIT edit->editingFinished();
}

inline QAction *act(QWidget &window, const char *name)
{
    return window.findChild<QAction *>(QString::fromLatin1(name));
}

// The grid cell of a field on the current row.
inline QModelIndex cell(TfrmGuide &w, const QString &field)
{
    TKV_DBGridEh *grid = w.body()->grid();
    return grid->model()->index(grid->currentIndex().row(), grid->columnOf(field));
}

// Types a value into a cell as the grid's editor would write it.
inline bool setCell(TfrmGuide &w, const QString &field, const QVariant &value)
{
    return w.body()->grid()->model()->setData(cell(w, field), value);
}

// A double click on a cell: the press and release of the first click, then the second.
inline void doubleClick(TKV_DBGridEh *grid, const QModelIndex &index)
{
    const QPoint at = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

inline void pressNav(TfrmGuide &w, TKVNavigateControl button)
{
    QTest::mouseClick(w.body()->navigator()->button(button), Qt::LeftButton);
}

// The field's values in the list's current order.
inline QStringList values(TKV_ClientDataSet *list, const QString &field)
{
    QStringList result;
    const KvField *f = list->FindField(field);
    for (int row = 0; f && row < list->RecordCount(); ++row)
        result << f->displayTextAt(row);
    return result;
}

inline QString current(TfrmGuide &w, const QString &field)
{
    return w.list()->FieldByName(field)->AsString();
}
