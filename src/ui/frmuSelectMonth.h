#pragma once

#include "frmuKvModal.h"

#include <QDate>
#include <QStringList>

class QComboBox;
class QSpinBox;
class TOkCancelBtnsFrame;

// The month dialog ("Выбор месяца"): a list of the twelve month names, a year from 1990 to
// 2200, and the buttons "Готово" and "Отмена".
class TfrmSelectMonth : public TfrmKvModal
{
    Q_OBJECT
public:
    static constexpr int FirstYear = 1990;
    static constexpr int LastYear = 2200;

    explicit TfrmSelectMonth(const QDate &date, QWidget *parent = nullptr);

    // The first day of the chosen month and year.
    QDate chosenDate() const;

    QComboBox *cbxMonth() const { return m_month; }
    QSpinBox *seYear() const { return m_year; }

    // "Январь" ... "Декабрь".
    static QStringList MonthNames();

private:
    QComboBox *m_month = nullptr;
    QSpinBox *m_year = nullptr;
    TOkCancelBtnsFrame *m_buttons = nullptr;
};

// Shows the month dialog over the caller (the active window by default), set from the date.
// Confirmed: the date becomes the first day of the chosen month and the answer is true.
// Cancelled or failed: false, and the date stays.
bool SelectMonth(QDate &date, QWidget *caller = nullptr);
