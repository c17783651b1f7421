#pragma once

#include <QFrame>

class QLineEdit;
class QPushButton;

// The search panel of the lists: the button "Поиск" and the search box edtSearch. The box
// takes the window colour while it has the focus and the button-face colour otherwise.
// Enter or the down arrow in the box hands the focus to the list set by setNextFocus().
class TSearchFrame : public QFrame
{
    Q_OBJECT
public:
    explicit TSearchFrame(QWidget *parent = nullptr);

    QLineEdit *edtSearch() const { return m_edit; }
    QPushButton *btnSearch() const { return m_button; }
    void setNextFocus(QWidget *widget) { m_next = widget; }

Q_SIGNALS:
    void searchTextChanged(const QString &text);
    void searchClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paintBox(bool focused);

    QPushButton *m_button = nullptr;
    QLineEdit *m_edit = nullptr;
    QWidget *m_next = nullptr;
};
