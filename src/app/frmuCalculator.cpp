#include "frmuCalculator.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <cmath>

bool StartDesktopCalculator()
{
    const char *programs[] = {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"};
    for (const char *name : programs) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return true;
    }
    return false;
}

TfrmCalculator::TfrmCalculator(QWidget *parent)
    : QDialog(parent)
    , m_display(new QLineEdit(QStringLiteral("0"), this))
{
    setObjectName(QStringLiteral("frmCalculator"));
    setWindowTitle(QStringLiteral("Калькулятор"));
    m_display->setObjectName(QStringLiteral("edDisplay"));
    m_display->setReadOnly(true);
    m_display->setAlignment(Qt::AlignRight);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_display, 0, 0, 1, 4);
    const char *keys[5][4] = {{"C", "±", "/", "*"},
                              {"7", "8", "9", "-"},
                              {"4", "5", "6", "+"},
                              {"1", "2", "3", "="},
                              {"0", ".", "", ""}};
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QString key = QString::fromUtf8(keys[row][col]);
            if (key.isEmpty())
                continue;
            auto *button = new QPushButton(key, this);
            button->setAutoDefault(false);
            button->setFocusPolicy(Qt::NoFocus);
            connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
            grid->addWidget(button, row + 1, col);
        }
    }
}

double TfrmCalculator::value() const
{
    return m_display->text().toDouble();
}

void TfrmCalculator::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        press(QStringLiteral("="));
    else if (event->key() == Qt::Key_Escape)
        QDialog::keyPressEvent(event);
    else if (text == QLatin1String(","))
        press(QStringLiteral("."));
    else if (text.size() == 1 && QStringLiteral("0123456789.+-*/=cC").contains(text))
        press(text.toUpper());
    else
        QDialog::keyPressEvent(event);
}

void TfrmCalculator::press(const QString &key)
{
    if (key == QLatin1String("C")) {
        m_accumulator = 0;
        m_pending = QChar();
        display(0);
        m_startNew = true;
    } else if (key == QStringLiteral("±")) {
        display(-value());
    } else if (key == QLatin1String("=")) {
        equals();
    } else if (key.size() == 1 && QStringLiteral("+-*/").contains(key)) {
        operation(key[0]);
    } else {
        digit(key);
    }
}

void TfrmCalculator::digit(const QString &d)
{
    QString text = m_startNew ? QStringLiteral("0") : m_display->text();
    m_startNew = false;
    if (d == QLatin1String(".")) {
        if (!text.contains(QLatin1Char('.')))
            text += d;
    } else {
        text = text == QLatin1String("0") ? d : text + d;
    }
    m_display->setText(text);
}

void TfrmCalculator::operation(QChar op)
{
    if (!m_pending.isNull() && !m_startNew)
        equals();
    else
        m_accumulator = value();
    m_pending = op;
    m_startNew = true;
}

void TfrmCalculator::equals()
{
    const double operand = value();
    double result = operand;
    switch (m_pending.unicode()) {
    case '+':
        result = m_accumulator + operand;
        break;
    case '-':
        result = m_accumulator - operand;
        break;
    case '*':
        result = m_accumulator * operand;
        break;
    case '/':
        result = operand == 0 ? NAN : m_accumulator / operand;
        break;
    default:
        break;
    }
    m_pending = QChar();
    m_accumulator = result;
    display(result);
    m_startNew = true;
}

void TfrmCalculator::display(double value)
{
    m_display->setText(std::isfinite(value) ? QString::number(value, 'g', 15)
                                            : QStringLiteral("Ошибка"));
}
