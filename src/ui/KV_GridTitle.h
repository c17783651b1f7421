#pragma once

#include <QHash>
#include <QHeaderView>

// Title sort markers of a grid column.
enum TSortMarkerEh { smNoneEh, smUpEh, smDownEh };

// The grid's title row: captions with two levels where a caption holds "|" (the upper part
// spans the neighbouring columns that share it), column hints, and sort markers on one or
// several columns at once. A click on a title sets its marker (up, then down, then up
// again) and clears the others; with multi-sort marking a Ctrl+click adds the column to the
// sort or turns its marker (up, down, none), keeping the others. Markers are kept in the
// order they were set; that order is shown beside the markers when more than one is set.
class TKV_GridTitle : public QHeaderView
{
    Q_OBJECT
public:
    explicit TKV_GridTitle(QWidget *parent = nullptr);

    void setCaption(int logicalIndex, const QString &caption);
    QString caption(int logicalIndex) const;
    void setHint(int logicalIndex, const QString &hint);
    QString hint(int logicalIndex) const;

    void setSortMarking(bool on) { m_sortMarking = on; }
    bool sortMarking() const { return m_sortMarking; }
    void setMultiSortMarking(bool on) { m_multiSort = on; }
    bool multiSortMarking() const { return m_multiSort; }

    TSortMarkerEh marker(int logicalIndex) const;
    // Sets one marker without touching the others; smNoneEh removes it. Emits
    // markersChanged() unless quiet.
    void setMarker(int logicalIndex, TSortMarkerEh marker, bool quiet = false);
    void clearMarkers(bool quiet = false);
    // The marked columns in the order their markers were set.
    QList<int> markedColumns() const { return m_markOrder; }

    // Whether any caption holds two levels; the title row is then two lines high.
    bool twoLevel() const { return m_source ? m_source->twoLevel() : m_twoLevel; }

    // Shows another title's captions, hints and markers (for columns that stay in view);
    // clicks on it mark the other title.
    void setMirrorOf(TKV_GridTitle *source);

    QSize sizeHint() const override;

    // The two parts of a caption: the upper (shared) part and the lower one; a caption
    // without "|" has only a lower part.
    static QPair<QString, QString> splitCaption(const QString &caption);

Q_SIGNALS:
    void markersChanged();

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    QRect upperBand(int logicalIndex, const QRect &sectionRect, const QString &upper) const;
    void titleClicked(int logicalIndex, Qt::KeyboardModifiers modifiers);
    void updateTwoLevel();
    int markRank(int logicalIndex) const;

    TKV_GridTitle *m_source = nullptr;
    QHash<int, QString> m_captions;
    QHash<int, QString> m_hints;
    QHash<int, TSortMarkerEh> m_markers;
    QList<int> m_markOrder;
    QPoint m_pressPos;
    int m_pressSection = -1;
    bool m_sortMarking = true;
    bool m_multiSort = false;
    bool m_twoLevel = false;
};
