#pragma once

#include <QFrame>

class QPushButton;

// The default button "Готово" (OK result), its right edge 5 pixels from the frame's right
// edge whatever the frame's width.
class TOkBtnFrame : public QFrame
{
    Q_OBJECT
public:
    explicit TOkBtnFrame(QWidget *parent = nullptr);

    QPushButton *btnOk() const { return m_ok; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void okClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeButton();

    QPushButton *m_ok = nullptr;
};
