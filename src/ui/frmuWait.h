#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QToolButton;
class TWaitAnimation;

// The busy window: one shared instance shown over long operations. It tells what is going
// on, shows progress, and lets the user ask the running loop to stop; the loop reads
// StopRequested() between its steps.
//
// The first window created becomes the shared one (the program creates it at start);
// the Wait:: functions below act on it and do nothing while there is none.
class TfrmWait : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmWait(QWidget *parent = nullptr);
    ~TfrmWait() override;

    // The shared busy window, or null.
    static TfrmWait *shared();

    static QString defaultCaption();
    static QString defaultMessage();
    static QString stopHint();

    // Shows the window and lets the screen repaint.
    void ShowWait();
    // Resets the window and hides it when visible.
    void HideWait();
    // Stop not requested, progress 0..100 step 1 at 0, default caption and message, empty
    // status, stop button disabled, animation off.
    void Reset();

    void SetCaption(const QString &text);
    void SetMessage(const QString &text);
    void SetStatusText(const QString &text);
    QString statusText() const;
    QString message() const;

    void SetProgressMin(int value);
    void SetProgressMax(int value);
    void SetProgressStep(int value);
    void SetProgressPosition(int value);
    void StepIt();
    int progressStep() const { return m_step; }
    QProgressBar *progressBar() const { return m_progress; }

    // The percent label shows value followed by " %"; with show false it shows nothing.
    void SetPercent(int value, bool show = true);
    QString percentText() const;

    void SetStopEnabled(bool enabled);
    bool stopEnabled() const;
    QToolButton *stopButton() const { return m_btnStop; }

    bool StopRequested() const { return m_stopRequested; }
    void SetStopRequested(bool requested) { m_stopRequested = requested; }

    // 0 hides the animation panel; 1 to 8 show it with the matching animation (find folder,
    // find file, find computer, copy files, copy file, recycle file, empty recycle bin,
    // delete file).
    void SetAnimation(int kind);
    int animation() const;

    // Status text "[" + (total - done) + "] ", followed by "Осталось ?" once done reaches
    // total.
    void ShowWaitTime(int done, int total);
    static QString waitTimeText(int done, int total);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void stopClicked();
    static void repaintScreen();

    QLabel *m_lblMessage = nullptr;
    TWaitAnimation *m_image = nullptr;
    QWidget *m_pnlAnimate = nullptr;
    TWaitAnimation *m_animate = nullptr;
    QLabel *m_lblPercent = nullptr;
    QToolButton *m_btnStop = nullptr;
    QLabel *m_status = nullptr;
    QProgressBar *m_progress = nullptr;
    int m_step = 1;
    bool m_stopRequested = false;
};

// The busy window's operations on the shared window; each does nothing (and answers
// false) when it does not exist.
namespace Wait {
void ShowWait();
void HideWait();
void Reset();
void SetCaption(const QString &text);
void SetMessage(const QString &text);
void SetStatusText(const QString &text);
void SetProgressMin(int value);
void SetProgressMax(int value);
void SetProgressStep(int value);
void SetProgressPosition(int value);
void StepIt();
void SetPercent(int value, bool show = true);
void SetStopEnabled(bool enabled);
bool StopRequested();
void SetStopRequested(bool requested);
void SetAnimation(int kind);
void ShowWaitTime(int done, int total);
} // namespace Wait
