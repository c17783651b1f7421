#pragma once

#include <QTableView>

class TKV_DBGridEh;

// The columns of a grid that stay in view when it scrolls sideways: a second view over the
// same rows laid over the grid's left edge, showing only those columns, with the grid's
// titles, delegates, selection and vertical position.
class TKV_FrozenView : public QTableView
{
    Q_OBJECT
public:
    explicit TKV_FrozenView(TKV_DBGridEh *grid);

    // Shows the grid's first count columns (in the grid's column order) and no others.
    void syncColumns(int count);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    TKV_DBGridEh *m_grid;
};
