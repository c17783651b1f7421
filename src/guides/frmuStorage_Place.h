#pragma once

#include "KvChildWindow.h"

class KvSession;
class QComboBox;
class QLineEdit;
class TGuideBody;

// The storage places guide, a child window of the main window (no picker): storage places
// with their materially responsible person and note, edited in the grid or in the panel
// below it (name, responsible person, note). Opening with parameter 1 allows editing, any
// other parameter shows the list read-only; a second opening reloads the list. Inserting and
// editing put the focus in the name box; leaving the note box while editing asks whether to
// save and returns to the grid. A place used by store orders is not deleted.
class TfrmStorage_Place : public KvChildWindow
{
    Q_OBJECT
public:
    explicit TfrmStorage_Place(KvSession &session, QWidget *parent = nullptr);
    ~TfrmStorage_Place() override;

    TGuideBody *body() const { return m_body; }

protected:
    void childActivate(int parameter) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createPanel();
    void noticeLeft();
    void saveSettings();

    TGuideBody *m_body;
    QLineEdit *m_name = nullptr;
    QComboBox *m_person = nullptr;
    QLineEdit *m_notice = nullptr;
    bool m_placed = false;
    bool m_asking = false;
    bool m_closed = false;
};
