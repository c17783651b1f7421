#include "frmuWait.h"

#include "uWaitAnimation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
TfrmWait *g_shared = nullptr;
} // namespace

TfrmWait::TfrmWait(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmWait"));
    // Input to other windows waits while this one is up; its own stop button stays live.
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(360);

    m_image = new TWaitAnimation(this);
    m_image->setObjectName(QStringLiteral("imgAnimate"));
    m_image->setFixedSize(40, 40);

    m_lblMessage = new QLabel(this);
    m_lblMessage->setObjectName(QStringLiteral("lblMessage"));
    m_lblMessage->setAlignment(Qt::AlignCenter);
    m_lblMessage->setWordWrap(true);

    m_lblPercent = new QLabel(this);
    m_lblPercent->setObjectName(QStringLiteral("lblPercent"));
    m_lblPercent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblPercent->setMinimumWidth(48);

    m_btnStop = new QToolButton(this);
    m_btnStop->setObjectName(QStringLiteral("btnStop"));
    m_btnStop->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
    m_btnStop->setToolTip(stopHint());
    m_btnStop->setAutoRaise(true);
    connect(m_btnStop, &QToolButton::clicked, this, &TfrmWait::stopClicked);

    m_pnlAnimate = new QWidget(this);
    m_pnlAnimate->setObjectName(QStringLiteral("pnlAnimate"));
    m_animate = new TWaitAnimation(m_pnlAnimate);
    m_animate->setFixedSize(64, 64);
    auto *animateLayout = new QHBoxLayout(m_pnlAnimate);
    animateLayout->setContentsMargins(0, 0, 0, 0);
    animateLayout->addStretch();
    animateLayout->addWidget(m_animate);
    animateLayout->addStretch();

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("pbProgress"));
    m_progress->setTextVisible(false);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("stbStatus"));
    m_status->setFrameShape(QFrame::Panel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setMinimumHeight(m_status->fontMetrics().height() + 6);

    auto *top = new QHBoxLayout;
    top->addWidget(m_image, 0, Qt::AlignTop);
    top->addWidget(m_lblMessage, 1);
    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_lblPercent);
    progressRow->addWidget(m_btnStop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pnlAnimate);
    layout->addLayout(progressRow);
    layout->addWidget(m_status);

    Reset();
    if (!g_shared)
        g_shared = this;
}

TfrmWait::~TfrmWait()
{
    if (g_shared == this)
        g_shared = nullptr;
}

TfrmWait *TfrmWait::shared()
{
    return g_shared;
}

QString TfrmWait::defaultCaption()
{
    return QStringLiteral("Система занята ..");
}

QString TfrmWait::defaultMessage()
{
    return QStringLiteral("Подождите, идет обработка данных");
}

QString TfrmWait::stopHint()
{
    return QStringLiteral("Остановить процесс");
}

void TfrmWait::repaintScreen()
{
    // Let pending paints (and a click on the stop button) through.
    QCoreApplication::processEvents();
}

void TfrmWait::ShowWait()
{
    show();
    raise();
    repaintScreen();
}

void TfrmWait::HideWait()
{
    Reset();
    if (isVisible())
        hide();
}

void TfrmWait::Reset()
{
    m_stopRequested = false;
    m_progress->setRange(0, 100);
    m_step = 1;
    m_progress->setValue(0);
    setWindowTitle(defaultCaption());
    m_status->clear();
    m_lblMessage->setText(defaultMessage());
    m_btnStop->setEnabled(false);
    SetAnimation(0);
}

void TfrmWait::SetCaption(const QString &text)
{
    setWindowTitle(text);
    repaintScreen();
}

void TfrmWait::SetMessage(const QString &text)
{
    m_lblMessage->setText(text);
    repaintScreen();
}

void TfrmWait::SetStatusText(const QString &text)
{
    m_status->setText(text);
    repaintScreen();
}

QString TfrmWait::statusText() const
{
    return m_status->text();
}

QString TfrmWait::message() const
{
    return m_lblMessage->text();
}

void TfrmWait::SetProgressMin(int value)
{
    m_progress->setMinimum(value);
    repaintScreen();
}

void TfrmWait::SetProgressMax(int value)
{
    m_progress->setMaximum(value);
    repaintScreen();
}

void TfrmWait::SetProgressStep(int value)
{
    m_step = value;
    repaintScreen();
}

void TfrmWait::SetProgressPosition(int value)
{
    m_progress->setValue(qBound(m_progress->minimum(), value, m_progress->maximum()));
    repaintScreen();
}

void TfrmWait::StepIt()
{
    // Like a progress bar of the old desktop: past the end it starts again from the minimum.
    int next = m_progress->value() + m_step;
    if (next > m_progress->maximum())
        next = m_progress->minimum() + (next - m_progress->maximum());
    m_progress->setValue(qBound(m_progress->minimum(), next, m_progress->maximum()));
    repaintScreen();
}

void TfrmWait::SetPercent(int value, bool show)
{
    m_lblPercent->setText(show ? QString::number(value) + QStringLiteral(" %") : QString());
    repaintScreen();
}

QString TfrmWait::percentText() const
{
    return m_lblPercent->text();
}

void TfrmWait::SetStopEnabled(bool enabled)
{
    m_btnStop->setEnabled(enabled);
}

bool TfrmWait::stopEnabled() const
{
    return m_btnStop->isEnabled();
}

void TfrmWait::SetAnimation(int kind)
{
    if (kind < 0 || kind > 8)
        return;
    m_animate->setKind(kind);
    m_pnlAnimate->setVisible(kind != 0);
}

int TfrmWait::animation() const
{
    return m_animate->kind();
}

QString TfrmWait::waitTimeText(int done, int total)
{
    QString text = QLatin1Char('[') + QString::number(total - done) + QStringLiteral("] ");
    if (done >= total)
        text += QStringLiteral("Осталось ?");
    return text;
}

void TfrmWait::ShowWaitTime(int done, int total)
{
    SetStatusText(waitTimeText(done, total));
}

void TfrmWait::stopClicked()
{
    m_stopRequested = true;
    repaintScreen();
    hide();
}

void TfrmWait::showEvent(QShowEvent *event)
{
    m_image->start();
    QDialog::showEvent(event);
}

void TfrmWait::hideEvent(QHideEvent *event)
{
    m_image->stop();
    QDialog::hideEvent(event);
}

void TfrmWait::closeEvent(QCloseEvent *event)
{
    // Only the operation that showed the window hides it.
    event->ignore();
}

void TfrmWait::reject()
{
    // Escape does not close the busy window either.
}

namespace Wait {

void ShowWait()
{
    if (auto *w = TfrmWait::shared())
        w->ShowWait();
}

void HideWait()
{
    if (auto *w = TfrmWait::shared())
        w->HideWait();
}

void Reset()
{
    if (auto *w = TfrmWait::shared())
        w->Reset();
}

void SetCaption(const QString &text)
{
    if (auto *w = TfrmWait::shared())
        w->SetCaption(text);
}

void SetMessage(const QString &text)
{
    if (auto *w = TfrmWait::shared())
        w->SetMessage(text);
}

void SetStatusText(const QString &text)
{
    if (auto *w = TfrmWait::shared())
        w->SetStatusText(text);
}

void SetProgressMin(int value)
{
    if (auto *w = TfrmWait::shared())
        w->SetProgressMin(value);
}

void SetProgressMax(int value)
{
    if (auto *w = TfrmWait::shared())
        w->SetProgressMax(value);
}

void SetProgressStep(int value)
{
    if (auto *w = TfrmWait::shared())
        w->SetProgressStep(value);
}

void SetProgressPosition(int value)
{
    if (auto *w = TfrmWait::shared())
        w->SetProgressPosition(value);
}

void StepIt()
{
    if (auto *w = TfrmWait::shared())
        w->StepIt();
}

void SetPercent(int value, bool show)
{
    if (auto *w = TfrmWait::shared())
        w->SetPercent(value, show);
}

void SetStopEnabled(bool enabled)
{
    if (auto *w = TfrmWait::shared())
        w->SetStopEnabled(enabled);
}

bool StopRequested()
{
    auto *w = TfrmWait::shared();
    return w && w->StopRequested();
}

void SetStopRequested(bool requested)
{
    if (auto *w = TfrmWait::shared())
        w->SetStopRequested(requested);
}

void SetAnimation(int kind)
{
    if (auto *w = TfrmWait::shared())
        w->SetAnimation(kind);
}

void ShowWaitTime(int done, int total)
{
    if (auto *w = TfrmWait::shared())
        w->ShowWaitTime(done, total);
}

} // namespace Wait
