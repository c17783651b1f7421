#include "frmuSelectPeriod.h"

#include "AppVars.h"
#include "KV_LIB.h"
#include "KV_Prompts.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Keeps the three date settings and puts them back when it goes.
class DateFormatGuard
{
public:
    DateFormatGuard()
        : m_short(ShortDateFormat)
        , m_long(LongDateFormat)
        , m_separator(DateSeparator)
    {
        ShortDateFormat = QStringLiteral("DD/MM/YYYY");
        LongDateFormat = QStringLiteral("DD/MM/YYYY");
        DateSeparator = QLatin1Char('/');
    }
    ~DateFormatGuard()
    {
        ShortDateFormat = m_short;
        LongDateFormat = m_long;
        DateSeparator = m_separator;
    }
    DateFormatGuard(const DateFormatGuard &) = delete;
    DateFormatGuard &operator=(const DateFormatGuard &) = delete;

private:
    QString m_short;
    QString m_long;
    QChar m_separator;
};

// The whole period has no caption: an infinity sign stands for it.
QIcon infinityIcon(const QFont &font, const QColor &color)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont big = font;
    big.setPixelSize(20);
    big.setBold(true);
    painter.setFont(big);
    painter.setPen(color);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("∞"));
    return QIcon(pixmap);
}

QDateEdit *makeDateEdit(const QString &name, const QDate &date, QWidget *parent)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QtDateFormat(ShortDateFormat));
    edit->setMinimumDate(TfrmSelectPeriod::ZeroDate());
    edit->setDate(date.isValid() ? date : QDate::currentDate());
    return edit;
}

} // namespace

TfrmSelectPeriod::TfrmSelectPeriod(const QDate &periodFrom, const QDate &periodTo, QWidget *parent)
    : TfrmKvModal(parent)
{
    setObjectName(QStringLiteral("frmSelectPeriod"));
    setWindowTitle(QStringLiteral("Период отбора ..."));

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("tlbPeriod"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addToolAction(QStringLiteral("actPrevMonth"), QStringLiteral("Предыдущий месяц"), {},
                  &TfrmSelectPeriod::PrevMonth)
        ->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    addToolAction(QStringLiteral("actCurMonth"), QStringLiteral("Текущий месяц"), {},
                  &TfrmSelectPeriod::CurMonth);
    addToolAction(QStringLiteral("actNextMonth"), QStringLiteral("Следующий месяц"), {},
                  &TfrmSelectPeriod::NextMonth)
        ->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    addToolAction(QStringLiteral("actCurDate"), QStringLiteral("Текущая дата"), {},
                  &TfrmSelectPeriod::CurDate);
    addToolAction(QStringLiteral("actAllPeriod"), {}, QStringLiteral("За весь период"),
                  &TfrmSelectPeriod::AllPeriod)
        ->setIcon(infinityIcon(font(), palette().color(QPalette::ButtonText)));

    m_from = makeDateEdit(QStringLiteral("dePeriodFrom"), periodFrom, this);
    m_to = makeDateEdit(QStringLiteral("dePeriodTo"), periodTo, this);
    m_done = new QPushButton(QStringLiteral("Готово"), this);
    m_done->setObjectName(QStringLiteral("btnOk"));
    m_done->setDefault(true);
    connect(m_done, &QPushButton::clicked, this, &TfrmSelectPeriod::Done);

    auto *dates = new QHBoxLayout;
    auto *fromLabel = new QLabel(QStringLiteral("С:"), this);
    fromLabel->setBuddy(m_from);
    auto *toLabel = new QLabel(QStringLiteral("По:"), this);
    toLabel->setBuddy(m_to);
    dates->addWidget(fromLabel);
    dates->addWidget(m_from, 1);
    dates->addSpacing(12);
    dates->addWidget(toLabel);
    dates->addWidget(m_to, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_done);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_toolBar);
    layout->addLayout(dates);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a fixed border
}

QAction *TfrmSelectPeriod::addToolAction(const QString &name, const QString &caption,
                                         const QString &hint, void (TfrmSelectPeriod::*slot)())
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? caption : hint);
    connect(action, &QAction::triggered, this, slot);
    m_toolBar->addAction(action);
    return action;
}

QDate TfrmSelectPeriod::periodFrom() const
{
    return m_from->date();
}

QDate TfrmSelectPeriod::periodTo() const
{
    return m_to->date();
}

void TfrmSelectPeriod::setPeriod(const QDate &from, const QDate &to)
{
    m_from->setDate(from);
    m_to->setDate(to);
}

void TfrmSelectPeriod::stepMonth(int step)
{
    const QDate start = FirstDayOfMonth(m_to->date()).addMonths(step);
    setPeriod(start, LastDayOfMonth(start));
}

void TfrmSelectPeriod::PrevMonth()
{
    stepMonth(-1);
}

void TfrmSelectPeriod::CurMonth()
{
    setPeriod(FirstDayOfCurrentMonth(), LastDayOfCurrentMonth());
}

void TfrmSelectPeriod::NextMonth()
{
    stepMonth(1);
}

void TfrmSelectPeriod::CurDate()
{
    setPeriod(QDate::currentDate(), QDate::currentDate());
}

void TfrmSelectPeriod::AllPeriod()
{
    setPeriod(ZeroDate(), InfiniteDate.isValid() ? InfiniteDate : QDate(4712, 12, 31));
}

void TfrmSelectPeriod::Done()
{
    if (m_from->date() > m_to->date()) {
        m_from->setDate(m_to->date());
        m_from->setFocus();
        return;
    }
    accept();
}

bool SelectPeriod(QDate &periodFrom, QDate &periodTo, QWidget *caller)
{
    const DateFormatGuard formats;
    TfrmSelectPeriod dialog(periodFrom, periodTo, caller ? caller : QApplication::activeWindow());
    if (Prompts::current().execDialog(&dialog) != QDialog::Accepted)
        return false;
    periodFrom = dialog.periodFrom();
    periodTo = dialog.periodTo();
    return true;
}
