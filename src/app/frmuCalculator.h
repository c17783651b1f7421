#pragma once

#include <QDialog>

class QLineEdit;

// The built-in calculator, shown when no desktop calculator can be started: four operations,
// sign change, clear; the value on the display is the result.
class TfrmCalculator : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCalculator(QWidget *parent = nullptr);

    double value() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void press(const QString &key);
    void digit(const QString &d);
    void operation(QChar op);
    void equals();
    void display(double value);

    QLineEdit *m_display;
    double m_accumulator = 0;
    QChar m_pending;
    bool m_startNew = true;
};

// Starts the first desktop calculator found (gnome-calculator, kcalc, galculator, mate-calc,
// xcalc); false when none could be started.
bool StartDesktopCalculator();
