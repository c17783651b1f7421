#pragma once

#include <QDialog>

// Ends the modal window that holds the widget with the given result, as a button with a
// modal result does; nothing happens when the widget is not inside a dialog.
inline void CloseWithResult(QWidget *widget, QDialog::DialogCode result)
{
    if (auto *dialog = qobject_cast<QDialog *>(widget->window()))
        dialog->done(result);
}
