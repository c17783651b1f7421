#include "frmuKvModal.h"

#include <QApplication>

TfrmKvModal::TfrmKvModal(QWidget *parent)
    : QDialog(parent)
{
    setFont(QApplication::font());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setAutoFillBackground(true);
}
