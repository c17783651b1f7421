#pragma once

#include "KV_ReportExpander.h"

#include <QAbstractTextDocumentLayout>
#include <QList>
#include <QPageLayout>

#include <memory>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

// A report laid out on pages. The body is one text document that its layout cuts into
// pages (tables break between rows and repeat their <thead> rows); each page draws its own
// slice of it, with the page header above and the page footer below, their page marks
// filled in. Nothing is copied per page.
//
// Layout works in units of 1/96 inch (a CSS pixel), whatever the device; painting scales to
// the device's resolution.
class KvReportDocument
{
public:
    static constexpr qreal LayoutDpi = 96;

    KvReportDocument(const KvExpandedReport &report, const QPageLayout &layout);
    ~KvReportDocument();
    KvReportDocument(const KvReportDocument &) = delete;
    KvReportDocument &operator=(const KvReportDocument &) = delete;

    // Lays the body out again for other paper or margins.
    void setPageLayout(const QPageLayout &layout);
    QPageLayout pageLayout() const { return m_layout; }
    int pageCount() const;
    QTextDocument *body() const { return m_body.get(); }

    // Paints one page (0-based) with the painter's origin at the top-left corner of the
    // printable area, for a device of the given resolution; highlights are stretches of the
    // body painted with their own format (found text).
    void paintPage(QPainter *painter, int page, qreal deviceDpi,
                   const QList<QAbstractTextDocumentLayout::Selection> &highlights = {}) const;
    // Paints pages first..last (0-based, inclusive; -1: the last page) on a PDF writer or a
    // printer, after giving it the report's page layout. False when it cannot be painted on.
    bool print(QPagedPaintDevice *device, int first = 0, int last = -1) const;

    // The page (0-based) that shows the body position.
    int pageOf(const QTextCursor &cursor) const;

private:
    // A page header or footer: laid out once, its page marks rewritten for each page.
    struct Mark
    {
        int position = 0;
        int length = 0;
        bool pageCount = false; // the number of pages, else the page number
    };
    struct Band
    {
        std::unique_ptr<QTextDocument> doc;
        mutable QList<Mark> marks; // in text order, with the length of what they show now
        qreal height = 0;          // with the gap to the body
    };
    void layOut();
    void setUpBand(Band &band, const QString &html);
    void paintBand(QPainter *painter, const Band &band, int page) const;
    static void showMarks(const Band &band, int page, int pageCount);

    KvExpandedReport m_report;
    QPageLayout m_layout;
    std::unique_ptr<QTextDocument> m_body;
    qreal m_width = 0;      // printable width
    qreal m_height = 0;     // printable height
    qreal m_bodyHeight = 0; // body slice of a page
    Band m_header;
    Band m_footer;
};
