#include "uDBRadioGroup.h"

#include "KV_DBControls.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

class RadioGroupLink : public KvFieldLink
{
public:
    RadioGroupLink(QButtonGroup *group, const QList<QVariant> &values, QWidget *editor,
                   TKV_ClientDataSet *dataSet, const QString &fieldName)
        : KvFieldLink(editor, dataSet, fieldName)
        , m_group(group)
        , m_values(values)
    {
        connect(group, &QButtonGroup::idClicked, this, [this](int id) {
            if (!showing() && id >= 0 && id < m_values.size())
                writeValue(m_values[id]);
        });
        refresh();
    }

protected:
    void showValue(const QVariant &value) override
    {
        KvField *f = field();
        int found = -1;
        for (int i = 0; f && !value.isNull() && i < m_values.size(); ++i) {
            if (f->convert(m_values[i]) == value) {
                found = i;
                break;
            }
        }
        // Exclusive groups cannot show "none" without this.
        m_group->setExclusive(false);
        for (QAbstractButton *button : m_group->buttons())
            button->setChecked(m_group->id(button) == found);
        m_group->setExclusive(true);
    }

private:
    QButtonGroup *m_group;
    QList<QVariant> m_values;
};

} // namespace

TDBRadioGroup::TDBRadioGroup(const QString &caption, const QList<QPair<QString, QVariant>> &items,
                             QWidget *parent)
    : QGroupBox(caption, parent)
    , m_group(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    int id = 0;
    for (const auto &[text, value] : items) {
        auto *button = new QRadioButton(text, this);
        button->setObjectName(QStringLiteral("rb%1").arg(id));
        m_group->addButton(button, id++);
        m_values << value;
        layout->addWidget(button);
    }
    layout->addStretch();
}

void TDBRadioGroup::bind(TKV_ClientDataSet *dataSet, const QString &fieldName)
{
    new RadioGroupLink(m_group, m_values, this, dataSet, fieldName);
}

QList<QRadioButton *> TDBRadioGroup::buttons() const
{
    QList<QRadioButton *> result;
    for (QAbstractButton *button : m_group->buttons())
        result << static_cast<QRadioButton *>(button);
    return result;
}

int TDBRadioGroup::itemIndex() const
{
    return m_group->checkedId();
}
