#pragma once

#include "frmuKvModal.h"

#include <QDate>

class QAction;
class QDateEdit;
class QPushButton;
class QToolBar;

// The period dialog of the document lists ("Период отбора ..."): the dates "С:" and "По:",
// the tool bar actions "Предыдущий месяц", "Текущий месяц", "Следующий месяц", "Текущая дата"
// and the whole period (an icon with the hint "За весь период"), and the button "Готово",
// which keeps the dialog open with the start set to the end when the start is after the end.
class TfrmSelectPeriod : public TfrmKvModal
{
    Q_OBJECT
public:
    TfrmSelectPeriod(const QDate &periodFrom, const QDate &periodTo, QWidget *parent = nullptr);

    QDate periodFrom() const;
    QDate periodTo() const;

    QDateEdit *dePeriodFrom() const { return m_from; }
    QDateEdit *dePeriodTo() const { return m_to; }

    // The tool bar's actions.
    void PrevMonth();
    void CurMonth();
    void NextMonth();
    void CurDate();
    void AllPeriod();
    // "Готово".
    void Done();

    // The start of the whole period: the zero date of the first platform's date type.
    static QDate ZeroDate() { return QDate(1899, 12, 30); }

private:
    QAction *addToolAction(const QString &name, const QString &caption, const QString &hint,
                           void (TfrmSelectPeriod::*slot)());
    // Start := the first day of the month step months after the end's month; end := the last
    // day of the start's month.
    void stepMonth(int step);
    void setPeriod(const QDate &from, const QDate &to);

    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QPushButton *m_done = nullptr;
    QToolBar *m_toolBar = nullptr;
};

// Shows the period dialog over the caller (the active window by default) with the two dates.
// Confirmed: both dates become the dialog's and the answer is true; otherwise false and the
// dates stay. The date formats are "DD/MM/YYYY" with "/" while the dialog is shown.
bool SelectPeriod(QDate &periodFrom, QDate &periodTo, QWidget *caller = nullptr);
