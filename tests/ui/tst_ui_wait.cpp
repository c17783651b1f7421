#include "frmuWait.h"

#include <QTest>
#include <QToolButton>

// The busy window: its stop button and flag, and the wait-time texts.
class TestUiWait : public QObject
{
    Q_OBJECT

private slots:
    void stopButtonHidesAndSetsFlag();
    void waitTime_data();
    void waitTime();
};

void TestUiWait::stopButtonHidesAndSetsFlag()
{
    TfrmWait wait;
    QCOMPARE(TfrmWait::shared(), &wait);
    Wait::ShowWait();
    QVERIFY(wait.isVisible());
    QVERIFY(!wait.stopEnabled());
    QCOMPARE(wait.stopButton()->toolTip(), QStringLiteral("Остановить процесс"));

    Wait::SetStopEnabled(true);
    // A long loop: steps until the stop button is pressed in the middle of it.
    int steps = 0;
    for (; steps < 50 && !Wait::StopRequested(); ++steps) {
        Wait::StepIt();
        if (steps == 7)
            QTest::mouseClick(wait.stopButton(), Qt::LeftButton);
    }
    QCOMPARE(steps, 8);
    QVERIFY(Wait::StopRequested());
    QVERIFY(!wait.isVisible());

    // The flag can also be cleared and set directly.
    Wait::SetStopRequested(false);
    QVERIFY(!Wait::StopRequested());
    Wait::SetStopRequested(true);
    QVERIFY(Wait::StopRequested());
}

void TestUiWait::waitTime_data()
{
    QTest::addColumn<int>("done");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("status");
    QTest::newRow("three of ten") << 3 << 10 << QStringLiteral("[7] ");
    QTest::newRow("all done") << 10 << 10 << QStringLiteral("[0] Осталось ?");
    QTest::newRow("past the end") << 12 << 10 << QStringLiteral("[-2] Осталось ?");
    QTest::newRow("nothing done") << 0 << 1 << QStringLiteral("[1] ");
}

void TestUiWait::waitTime()
{
    QFETCH(int, done);
    QFETCH(int, total);
    QFETCH(QString, status);
    TfrmWait wait;
    Wait::ShowWaitTime(done, total);
    QCOMPARE(wait.statusText(), status);
}

QTEST_MAIN(TestUiWait)
#include "tst_ui_wait.moc"
