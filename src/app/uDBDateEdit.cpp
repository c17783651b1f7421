#include "uDBDateEdit.h"

#include "AppVars.h"

TDBDateEdit::TDBDateEdit(QWidget *parent)
    : QDateEdit(parent)
{
    setDisplayFormat(QtDateFormat(ShortDateFormat));
    setMinimumDate(NoDate());
    setMaximumDate(QDate(9999, 12, 31));
    setSpecialValueText(QStringLiteral(" "));
    setKeyboardTracking(false);
}

QValidator::State TDBDateEdit::validate(QString &input, int &pos) const
{
    const QValidator::State state = QDateEdit::validate(input, pos);
    if (state != QValidator::Acceptable || input == specialValueText())
        return state;
    const QDate date = dateTimeFromText(input).date();
    if (!date.isValid() || date <= minimumDate() || date > maximumDate())
        return QValidator::Intermediate;
    return state;
}
