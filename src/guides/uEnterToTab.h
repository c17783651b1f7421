#pragma once

#include <QObject>
#include <QWidgetList>

// Enter in the data fields of an editing panel moves the focus to the next control while the
// Enter-to-next-field setting (EnterToTab) is on. A drop-down box passes Enter on to its
// list while the list is open.
class TEnterToTab : public QObject
{
    Q_OBJECT
public:
    TEnterToTab(const QWidgetList &fields, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
