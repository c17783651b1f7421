#pragma once

#include <QStringList>
#include <QWidget>

class QHBoxLayout;
class QLabel;

// The grouping panel over a grid's titles: one button per grouping column, outermost
// first; pressing a button ends the grouping by that column. Columns are added from the
// title's context menu ("Группировать по колонке").
class TKV_GroupPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TKV_GroupPanel(QWidget *parent = nullptr);

    // The captions of the grouping columns with their field names.
    void setGroups(const QStringList &fieldNames, const QStringList &captions);

    QSize sizeHint() const override;

Q_SIGNALS:
    void ungroupRequested(const QString &fieldName);

private:
    QHBoxLayout *m_layout = nullptr;
    QLabel *m_hint = nullptr;
    QList<QWidget *> m_buttons;
};

// Draws the group rows of a grid view across the whole width of its viewport, over the
// visible rows only: the background, and from x on the expand mark and (withCaption) the
// caption.
class QTableView;
class QPaintEvent;
void PaintGroupRows(QTableView *view, QPaintEvent *event, int x, bool withCaption);
