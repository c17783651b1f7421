#include "uSearchFrame.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

TSearchFrame::TSearchFrame(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("pnlSearch"));
    m_button = new QPushButton(QStringLiteral("Поиск"), this);
    m_button->setObjectName(QStringLiteral("btnSearch"));
    m_button->setFocusPolicy(Qt::NoFocus);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edtSearch"));
    m_edit->installEventFilter(this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_button);
    layout->addWidget(m_edit, 1);
    connect(m_edit, &QLineEdit::textChanged, this, &TSearchFrame::searchTextChanged);
    connect(m_button, &QPushButton::clicked, this, [this] {
        m_edit->setFocus();
        Q_EMIT searchClicked();
    });
    paintBox(false);
}

void TSearchFrame::paintBox(bool focused)
{
    QPalette pal = m_edit->palette();
    const QPalette app = QApplication::palette(m_edit);
    pal.setColor(QPalette::Base, focused ? app.color(QPalette::Base) : app.color(QPalette::Button));
    m_edit->setPalette(pal);
}

bool TSearchFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit) {
        switch (event->type()) {
        case QEvent::FocusIn:
            paintBox(true);
            break;
        case QEvent::FocusOut:
            paintBox(false);
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (m_next && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down)) {
                m_next->setFocus(Qt::TabFocusReason);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}
