#include "frmuSplash.h"

#include <QCoreApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {

QPixmap splashPicture()
{
    QPixmap picture(440, 240);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, picture.height());
    gradient.setColorAt(0, QColor(0x2f, 0x4f, 0x7f));
    gradient.setColorAt(1, QColor(0x10, 0x20, 0x3a));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setPointSize(32);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(picture.rect().adjusted(0, 0, 0, -40), Qt::AlignCenter,
                     QStringLiteral("Корвель"));
    QFont note = painter.font();
    note.setPointSize(10);
    note.setBold(false);
    painter.setFont(note);
    painter.drawText(picture.rect().adjusted(0, 0, 0, -20), Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("Склад, объекты строительства, работы"));
    return picture;
}

} // namespace

TfrmSplash::TfrmSplash()
    : QSplashScreen(splashPicture())
{
    setObjectName(QStringLiteral("frmSplash"));
    setCursor(Qt::WaitCursor);
}
