#pragma once

#include <QDateEdit>

// The date editor of a field (bind it with BindDateEdit): shows "DD/MM/YYYY", writes the date
// when typing ends (Enter or leaving the editor), shows nothing while there is no value, and
// refuses a typed date outside its range (a year of "0320", say) by going back to the date it
// had, where a plain date editor would put its lowest date in, which would read as no date.
class TDBDateEdit : public QDateEdit
{
    Q_OBJECT
public:
    explicit TDBDateEdit(QWidget *parent = nullptr);

    // The lowest date the editor holds; it stands for "no value" and cannot be typed.
    static QDate NoDate() { return QDate(1899, 12, 30); }

protected:
    QValidator::State validate(QString &input, int &pos) const override;
};
