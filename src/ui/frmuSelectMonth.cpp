#include "frmuSelectMonth.h"

#include "KV_Prompts.h"
#include "uOkCancelBtnsFrame.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include <exception>

TfrmSelectMonth::TfrmSelectMonth(const QDate &date, QWidget *parent)
    : TfrmKvModal(parent)
{
    setObjectName(QStringLiteral("frmSelectMonth"));
    setWindowTitle(QStringLiteral("Выбор месяца"));
    const QDate shown = date.isValid() ? date : QDate::currentDate();

    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("cbxMonth"));
    m_month->addItems(MonthNames());
    m_month->setCurrentIndex(shown.month() - 1);
    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("seYear"));
    m_year->setRange(FirstYear, LastYear);
    m_year->setValue(shown.year());
    m_buttons = new TOkCancelBtnsFrame(this);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Месяц:"), m_month);
    form->addRow(QStringLiteral("Год:"), m_year);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_month->setFocus();
}

QDate TfrmSelectMonth::chosenDate() const
{
    return QDate(m_year->value(), m_month->currentIndex() + 1, 1);
}

QStringList TfrmSelectMonth::MonthNames()
{
    return {QStringLiteral("Январь"),  QStringLiteral("Февраль"), QStringLiteral("Март"),
            QStringLiteral("Апрель"),  QStringLiteral("Май"),     QStringLiteral("Июнь"),
            QStringLiteral("Июль"),    QStringLiteral("Август"),  QStringLiteral("Сентябрь"),
            QStringLiteral("Октябрь"), QStringLiteral("Ноябрь"),  QStringLiteral("Декабрь")};
}

bool SelectMonth(QDate &date, QWidget *caller)
{
    try {
        TfrmSelectMonth dialog(date, caller ? caller : QApplication::activeWindow());
        if (Prompts::current().execDialog(&dialog) != QDialog::Accepted)
            return false;
        const QDate chosen = dialog.chosenDate();
        if (!chosen.isValid())
            return false;
        date = chosen;
        return true;
    } catch (const std::exception &) {
        return false;
    }
}
