#include "uOkBtnPanelFrame.h"

#include "uModalResult.h"

#include <QPushButton>

TOkBtnFrame::TOkBtnFrame(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("OkBtnFrame"));
    m_ok = new QPushButton(QStringLiteral("Готово"), this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        Q_EMIT okClicked();
        CloseWithResult(this, QDialog::Accepted);
    });
    setMinimumHeight(m_ok->sizeHint().height() + 8);
    placeButton();
}

QSize TOkBtnFrame::sizeHint() const
{
    return {m_ok->sizeHint().width() + 10, m_ok->sizeHint().height() + 8};
}

void TOkBtnFrame::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    placeButton();
}

void TOkBtnFrame::placeButton()
{
    const QSize size(qMax(75, m_ok->sizeHint().width()), m_ok->sizeHint().height());
    m_ok->setGeometry(width() - 5 - size.width(), (height() - size.height()) / 2, size.width(),
                      size.height());
}
