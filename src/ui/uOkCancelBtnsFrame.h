#pragma once

#include <QFrame>

class QPushButton;

// The buttons "Готово" (OK result) and "Отмена" (cancel result) at the frame's right edge:
// the cancel button ends 5 pixels from the edge and the OK button 10 pixels plus the
// cancel button's width from it, whatever the frame's width.
class TOkCancelBtnsFrame : public QFrame
{
    Q_OBJECT
public:
    explicit TOkCancelBtnsFrame(QWidget *parent = nullptr);

    QPushButton *btnOk() const { return m_ok; }
    QPushButton *btnCancel() const { return m_cancel; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void okClicked();
    void cancelClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeButtons();

    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
