#pragma once

#include <QDialog>

// The empty base of the guides and of several dialogs: a dialog-style window with the
// default font on the button-face colour. It adds no behaviour of its own.
class TfrmKvModal : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmKvModal(QWidget *parent = nullptr);
};
