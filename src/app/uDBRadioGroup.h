#pragma once

#include <QGroupBox>
#include <QList>
#include <QPair>
#include <QVariant>

class QButtonGroup;
class QRadioButton;
class TKV_ClientDataSet;

// A group of radio buttons bound to a field: each button stands for a stored value, the
// button of the field's value is checked (none for a value without button), and a click
// writes its value (starting an edit when the dataset allows).
class TDBRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    TDBRadioGroup(const QString &caption, const QList<QPair<QString, QVariant>> &items,
                  QWidget *parent = nullptr);

    void bind(TKV_ClientDataSet *dataSet, const QString &fieldName);
    QList<QRadioButton *> buttons() const;
    // The index of the checked button; -1 when none.
    int itemIndex() const;

private:
    QButtonGroup *m_group;
    QList<QVariant> m_values;
};
