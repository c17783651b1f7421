// The working period as the configuration's period types set it, and the two date dialogs
// the document windows share: the period dialog and the month dialog.

#include "AppVars.h"
#include "ScriptedPrompts.h"
#include "WorkPeriod.h"
#include "frmuSelectMonth.h"
#include "frmuSelectPeriod.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolBar>
#include <QtTest>

namespace {

QVariant none()
{
    return QVariant();
}

// Runs the period dialog on the dates, lets act drive it, and answers what SelectPeriod did.
struct PeriodRun
{
    bool result = false;
    QDate from;
    QDate to;
};

PeriodRun runPeriod(ScriptedPrompts &prompts, const QDate &from, const QDate &to,
                    const std::function<int(TfrmSelectPeriod *)> &act)
{
    prompts.onDialog([&](QDialog *dialog) {
        auto *period = qobject_cast<TfrmSelectPeriod *>(dialog);
        return period ? act(period) : int(QDialog::Rejected);
    });
    PeriodRun run{false, from, to};
    run.result = SelectPeriod(run.from, run.to);
    return run;
}

void trigger(QDialog *dialog, const char *action)
{
    auto *act = dialog->findChild<QAction *>(QString::fromLatin1(action));
    QVERIFY2(act, action);
    act->trigger();
}

int clickDone(QDialog *dialog)
{
    dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
    return dialog->result();
}

} // namespace

class TstAppConfigPeriod : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { m_prompts.reset(); }

    void workingPeriodRules_data();
    void workingPeriodRules();
    void periodDialogLayout();
    void monthSteps_data();
    void monthSteps();
    void currentMonthTodayAndWholePeriod();
    void doneWithStartAfterEndStaysOpen();
    void cancelledPeriodKeepsDatesAndFormats();
    void monthDialog();
    void monthDialogCancelledOrBeyondYears();

private:
    std::unique_ptr<ScriptedPrompts> m_prompts;
};

void TstAppConfigPeriod::init()
{
    InitAppVars(QCoreApplication::applicationDirPath());
    m_prompts = std::make_unique<ScriptedPrompts>();
}

void TstAppConfigPeriod::workingPeriodRules_data()
{
    QTest::addColumn<QVariant>("fromType");
    QTest::addColumn<QVariant>("toType");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("before"); // both dates before the rule
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");

    const QDate may(2026, 5, 17);
    const QDate earlier(2004, 1, 5);
    QTest::newRow("start type 2 in May: 1 April, end kept")
        << QVariant(2) << none() << may << earlier << QDate(2026, 4, 1) << earlier;
    QTest::newRow("end type 2 in May: 30 June, start kept")
        << none() << QVariant(2) << may << earlier << earlier << QDate(2026, 6, 30);
    QTest::newRow("type 3: the whole year")
        << QVariant(3) << QVariant(3) << may << earlier << QDate(2026, 1, 1) << QDate(2026, 12, 31);
    QTest::newRow("type 1 in a leap February")
        << QVariant(1) << QVariant(1) << QDate(2024, 2, 10) << earlier << QDate(2024, 2, 1)
        << QDate(2024, 2, 29);
    QTest::newRow("type 2 on the last day of a quarter")
        << QVariant(2) << QVariant(2) << QDate(2026, 3, 31) << earlier << QDate(2026, 1, 1)
        << QDate(2026, 3, 31);
    QTest::newRow("type 2 in December") << QVariant(2) << QVariant(2) << QDate(2026, 12, 1)
                                        << earlier << QDate(2026, 10, 1) << QDate(2026, 12, 31);
    QTest::newRow("type 0: today") << QVariant(0) << QVariant(0) << may << earlier << may << may;
    QTest::newRow("unknown types: today")
        << QVariant(7) << QVariant(-1) << may << earlier << may << may;
    QTest::newRow("types as the server's numbers")
        << QVariant(qint64(1)) << QVariant(3.0) << may << earlier << QDate(2026, 5, 1)
        << QDate(2026, 12, 31);
    QTest::newRow("empty types keep today") << none() << none() << may << may << may << may;
    QTest::newRow("empty types keep any date")
        << none() << none() << may << earlier << earlier << earlier;
}

void TstAppConfigPeriod::workingPeriodRules()
{
    QFETCH(QVariant, fromType);
    QFETCH(QVariant, toType);
    QFETCH(QDate, today);
    QFETCH(QDate, before);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QDate periodFrom = before;
    QDate periodTo = before;
    ApplyWorkingPeriod(fromType, toType, periodFrom, periodTo, today);
    QCOMPARE(periodFrom, from);
    QCOMPARE(periodTo, to);
}

void TstAppConfigPeriod::periodDialogLayout()
{
    TfrmSelectPeriod dialog(QDate(2026, 5, 1), QDate(2026, 5, 31));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Период отбора ..."));
    QStringList actions;
    for (QAction *act : dialog.findChild<QToolBar *>()->actions())
        actions << act->text() + QLatin1Char('|') + act->toolTip();
    QCOMPARE(actions, (QStringList{"Предыдущий месяц|Предыдущий месяц",
                                   "Текущий месяц|Текущий месяц", "Следующий месяц|Следующий месяц",
                                   "Текущая дата|Текущая дата", "|За весь период"}));
    QStringList labels;
    for (QLabel *label : dialog.findChildren<QLabel *>())
        labels << label->text() + QLatin1Char('>') + label->buddy()->objectName();
    QCOMPARE(labels, (QStringList{"С:>dePeriodFrom", "По:>dePeriodTo"}));
    QCOMPARE(dialog.dePeriodFrom()->date(), QDate(2026, 5, 1));
    QCOMPARE(dialog.dePeriodTo()->date(), QDate(2026, 5, 31));
    auto *done = dialog.findChild<QPushButton *>(QStringLiteral("btnOk"));
    QCOMPARE(done->text(), QStringLiteral("Готово"));
    QVERIFY(done->isDefault());
    // A fixed border: the dialog keeps its size.
    dialog.show();
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
}

void TstAppConfigPeriod::monthSteps_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::newRow("previous from 15 March of a leap year")
        << QByteArray("actPrevMonth") << QDate(2024, 3, 15) << QDate(2024, 2, 1)
        << QDate(2024, 2, 29);
    QTest::newRow("previous from 15 March") << QByteArray("actPrevMonth") << QDate(2023, 3, 15)
                                            << QDate(2023, 2, 1) << QDate(2023, 2, 28);
    QTest::newRow("previous from January") << QByteArray("actPrevMonth") << QDate(2026, 1, 31)
                                           << QDate(2025, 12, 1) << QDate(2025, 12, 31);
    QTest::newRow("next from 31 January") << QByteArray("actNextMonth") << QDate(2026, 1, 31)
                                          << QDate(2026, 2, 1) << QDate(2026, 2, 28);
    QTest::newRow("next from December") << QByteArray("actNextMonth") << QDate(2026, 12, 1)
                                        << QDate(2027, 1, 1) << QDate(2027, 1, 31);
}

void TstAppConfigPeriod::monthSteps()
{
    QFETCH(QByteArray, action);
    QFETCH(QDate, end);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    // The step counts from the end date; the start plays no part.
    const PeriodRun run =
        runPeriod(*m_prompts, QDate(2001, 7, 7), end, [&](TfrmSelectPeriod *dialog) {
            trigger(dialog, action.constData());
            return clickDone(dialog);
        });
    QVERIFY(run.result);
    QCOMPARE(run.from, from);
    QCOMPARE(run.to, to);
}

void TstAppConfigPeriod::currentMonthTodayAndWholePeriod()
{
    const QDate today = QDate::currentDate();
    QDate month, monthEnd, day1, day2, all, allEnd;
    runPeriod(*m_prompts, QDate(2001, 7, 7), QDate(2001, 8, 8), [&](TfrmSelectPeriod *dialog) {
        trigger(dialog, "actCurMonth");
        month = dialog->periodFrom();
        monthEnd = dialog->periodTo();
        trigger(dialog, "actCurDate");
        day1 = dialog->periodFrom();
        day2 = dialog->periodTo();
        trigger(dialog, "actAllPeriod");
        all = dialog->periodFrom();
        allEnd = dialog->periodTo();
        return clickDone(dialog);
    });
    QCOMPARE(month, QDate(today.year(), today.month(), 1));
    QCOMPARE(monthEnd, QDate(today.year(), today.month(), today.daysInMonth()));
    QCOMPARE(day1, today);
    QCOMPARE(day2, today);
    QCOMPARE(all, QDate(1899, 12, 30));
    QCOMPARE(allEnd, QDate(4712, 12, 31));
}

void TstAppConfigPeriod::doneWithStartAfterEndStaysOpen()
{
    bool stayedOpen = false;
    QDate startAfterFirstClick;
    bool focusOnStart = false;
    const PeriodRun run =
        runPeriod(*m_prompts, QDate(2026, 5, 10), QDate(2026, 5, 1), [&](TfrmSelectPeriod *dialog) {
            dialog->show();
            stayedOpen = QTest::qWaitForWindowExposed(dialog);
            dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->setFocus();
            clickDone(dialog);
            stayedOpen = dialog->isVisible() && dialog->result() != QDialog::Accepted;
            startAfterFirstClick = dialog->periodFrom();
            focusOnStart = dialog->dePeriodFrom()->hasFocus();
            return clickDone(dialog); // now start equals end: confirmed
        });
    QVERIFY(stayedOpen);
    QCOMPARE(startAfterFirstClick, QDate(2026, 5, 1));
    QVERIFY(focusOnStart);
    QVERIFY(run.result);
    QCOMPARE(run.from, QDate(2026, 5, 1));
    QCOMPARE(run.to, QDate(2026, 5, 1));
}

void TstAppConfigPeriod::cancelledPeriodKeepsDatesAndFormats()
{
    ShortDateFormat = QStringLiteral("YYYY-MM-DD");
    LongDateFormat = QStringLiteral("YYYY.MM.DD");
    DateSeparator = QLatin1Char('-');
    QString shownFormat;
    QString shortInDialog;
    const PeriodRun run = runPeriod(
        *m_prompts, QDate(2026, 5, 10), QDate(2026, 5, 20), [&](TfrmSelectPeriod *dialog) {
            shownFormat = dialog->dePeriodFrom()->displayFormat();
            shortInDialog = ShortDateFormat + LongDateFormat + DateSeparator;
            trigger(dialog, "actAllPeriod");
            return int(QDialog::Rejected);
        });
    QVERIFY(!run.result);
    QCOMPARE(run.from, QDate(2026, 5, 10));
    QCOMPARE(run.to, QDate(2026, 5, 20));
    QCOMPARE(shownFormat, QStringLiteral("dd/MM/yyyy"));
    QCOMPARE(shortInDialog, QStringLiteral("DD/MM/YYYYDD/MM/YYYY/"));
    QCOMPARE(ShortDateFormat, QStringLiteral("YYYY-MM-DD"));
    QCOMPARE(LongDateFormat, QStringLiteral("YYYY.MM.DD"));
    QCOMPARE(DateSeparator, QLatin1Char('-'));
}

void TstAppConfigPeriod::monthDialog()
{
    QStringList months;
    int shownMonth = -1;
    int shownYear = 0;
    int minYear = 0;
    int maxYear = 0;
    QString title;
    m_prompts->onDialog([&](QDialog *dialog) {
        title = dialog->windowTitle();
        auto *month = dialog->findChild<QComboBox *>(QStringLiteral("cbxMonth"));
        auto *year = dialog->findChild<QSpinBox *>(QStringLiteral("seYear"));
        for (int i = 0; i < month->count(); ++i)
            months << month->itemText(i);
        shownMonth = month->currentIndex();
        shownYear = year->value();
        minYear = year->minimum();
        maxYear = year->maximum();
        month->setCurrentIndex(1);
        year->setValue(2024);
        dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
        return dialog->result();
    });
    QDate date(2026, 5, 17);
    QVERIFY(SelectMonth(date));
    QCOMPARE(title, QStringLiteral("Выбор месяца"));
    QCOMPARE(months, (QStringList{"Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль",
                                  "Август", "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"}));
    QCOMPARE(shownMonth, 4);
    QCOMPARE(shownYear, 2026);
    QCOMPARE(minYear, 1990);
    QCOMPARE(maxYear, 2200);
    QCOMPARE(date, QDate(2024, 2, 1));
}

void TstAppConfigPeriod::monthDialogCancelledOrBeyondYears()
{
    // "Отмена" keeps the date.
    m_prompts->onDialog([](QDialog *dialog) {
        dialog->findChild<QComboBox *>(QStringLiteral("cbxMonth"))->setCurrentIndex(0);
        dialog->findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
        return dialog->result();
    });
    QDate date(2026, 5, 17);
    QVERIFY(!SelectMonth(date));
    QCOMPARE(date, QDate(2026, 5, 17));

    // A year outside the editor's range is shown at its nearest end; the day becomes the 1st.
    m_prompts->onDialog([](QDialog *dialog) {
        dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
        return dialog->result();
    });
    QDate old(1970, 3, 9);
    QVERIFY(SelectMonth(old));
    QCOMPARE(old, QDate(1990, 3, 1));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TstAppConfigPeriod test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app_config_period.moc"
