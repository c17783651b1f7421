#pragma once

#include <QHash>
#include <QWidget>

class TKV_DBGridEh;

// The grid's footer row: under each column with a footer, the count of rows or the sum of
// the column's field in the column's format. Totals are worked out once after the rows
// change (from the dataset's aggregates) and kept; painting only draws the kept texts.
class TKV_GridFooter : public QWidget
{
    Q_OBJECT
public:
    explicit TKV_GridFooter(TKV_DBGridEh *grid);

    // Marks the totals out of date; they are worked out again when next needed.
    void invalidate();
    // The footer text of a grid column (empty without a footer).
    QString text(int column) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void recalc() const;
    void paintCell(QPainter &p, int column, const QRect &rect) const;

    TKV_DBGridEh *m_grid;
    mutable QHash<int, QString> m_texts;
    mutable bool m_dirty = true;
};
