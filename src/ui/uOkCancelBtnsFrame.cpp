#include "uOkCancelBtnsFrame.h"

#include "uModalResult.h"

#include <QPushButton>

TOkCancelBtnsFrame::TOkCancelBtnsFrame(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("OkCancelBtnsFrame"));
    m_ok = new QPushButton(QStringLiteral("Готово"), this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Отмена"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(m_ok, &QPushButton::clicked, this, [this] {
        Q_EMIT okClicked();
        CloseWithResult(this, QDialog::Accepted);
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        Q_EMIT cancelClicked();
        CloseWithResult(this, QDialog::Rejected);
    });
    setMinimumHeight(m_ok->sizeHint().height() + 8);
    placeButtons();
}

QSize TOkCancelBtnsFrame::sizeHint() const
{
    const int w = m_ok->sizeHint().width() + m_cancel->sizeHint().width() + 15;
    return {w, m_ok->sizeHint().height() + 8};
}

void TOkCancelBtnsFrame::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    placeButtons();
}

void TOkCancelBtnsFrame::placeButtons()
{
    const QSize okSize(qMax(75, m_ok->sizeHint().width()), m_ok->sizeHint().height());
    const QSize cancelSize(qMax(75, m_cancel->sizeHint().width()), m_cancel->sizeHint().height());
    const int top = (height() - cancelSize.height()) / 2;
    // Right edges: cancel at width - 5, OK at width - (10 + cancel width).
    const int cancelRight = width() - 5;
    const int okRight = width() - (10 + cancelSize.width());
    m_cancel->setGeometry(cancelRight - cancelSize.width(), top, cancelSize.width(),
                          cancelSize.height());
    m_ok->setGeometry(okRight - okSize.width(), top, okSize.width(), okSize.height());
}
