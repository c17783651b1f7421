#include "KV_ReportDocument.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

// Space between the header or footer and the body.
constexpr qreal kBandGap = 8;

// The device text is measured on: 96 dots per inch, so that layout does not depend on the
// screen of the machine that prints.
QPaintDevice *layoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(KvReportDocument::LayoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

// Sans-serif 10 pt unless the template says otherwise. Text that needs no complex shaping
// (Latin, Cyrillic) is laid out without it and without kerning: a fifth of the layout time
// of a long table.
QFont defaultFont()
{
    QFont font(QStringLiteral("Sans Serif"), 10);
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setKerning(false);
    return font;
}

std::unique_ptr<QTextDocument> newDocument(qreal width)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(layoutDevice());
    doc->setDefaultFont(defaultFont());
    doc->setDocumentMargin(0);
    doc->setUndoRedoEnabled(false);
    doc->setTextWidth(width);
    return doc;
}

} // namespace

KvReportDocument::KvReportDocument(const KvExpandedReport &report, const QPageLayout &layout)
    : m_report(report)
    , m_layout(layout)
{
    layOut();
}

KvReportDocument::~KvReportDocument() = default;

void KvReportDocument::setPageLayout(const QPageLayout &layout)
{
    if (layout.isEquivalentTo(m_layout) && m_body)
        return;
    m_layout = layout;
    layOut();
}

void KvReportDocument::setUpBand(Band &band, const QString &html)
{
    band = Band();
    if (html.trimmed().isEmpty())
        return;
    // Page marks show the widest number while the band is measured.
    band.doc = newDocument(m_width);
    band.doc->setHtml(html);
    for (const QString &mark : {KvExpandedReport::PageMark, KvExpandedReport::PageCountMark}) {
        for (QTextCursor c = band.doc->find(mark); !c.isNull(); c = band.doc->find(mark, c))
            band.marks.append({c.selectionStart(), 1, mark == KvExpandedReport::PageCountMark});
    }
    std::sort(band.marks.begin(), band.marks.end(),
              [](const Mark &a, const Mark &b) { return a.position < b.position; });
    showMarks(band, 9998, 9999);
    band.height = std::ceil(band.doc->size().height()) + kBandGap;
}

void KvReportDocument::showMarks(const Band &band, int page, int pageCount)
{
    int shift = 0;
    for (Mark &mark : band.marks) {
        const QString number = QString::number(mark.pageCount ? pageCount : page + 1);
        mark.position += shift;
        QTextCursor c(band.doc.get());
        c.setPosition(mark.position);
        c.setPosition(mark.position + mark.length, QTextCursor::KeepAnchor);
        if (c.selectedText() == number)
            continue;
        c.insertText(number);
        shift += int(number.size()) - mark.length;
        mark.length = int(number.size());
    }
}

void KvReportDocument::paintBand(QPainter *painter, const Band &band, int page) const
{
    if (!band.doc)
        return;
    showMarks(band, page, pageCount());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    context.clip = QRectF(0, 0, m_width, band.height);
    band.doc->documentLayout()->draw(painter, context);
}

void KvReportDocument::layOut()
{
    const QRectF area = m_layout.paintRect(QPageLayout::Point);
    m_width = area.width() * LayoutDpi / 72;
    m_height = area.height() * LayoutDpi / 72;

    setUpBand(m_header, m_report.header);
    setUpBand(m_footer, m_report.footer);
    m_bodyHeight = std::max<qreal>(m_height - m_header.height - m_footer.height, 48);

    // The page size is set before the text goes in, so that the body is laid out once.
    if (!m_body) {
        m_body = newDocument(m_width);
        m_body->setPageSize(QSizeF(m_width, m_bodyHeight));
        m_body->setHtml(m_report.body);
    } else {
        m_body->setPageSize(QSizeF(m_width, m_bodyHeight));
    }
}

int KvReportDocument::pageCount() const
{
    return std::max(1, m_body->pageCount());
}

void KvReportDocument::paintPage(
    QPainter *painter, int page, qreal deviceDpi,
    const QList<QAbstractTextDocumentLayout::Selection> &highlights) const
{
    painter->save();
    const qreal scale = deviceDpi / LayoutDpi;
    painter->scale(scale, scale);

    paintBand(painter, m_header, page);

    painter->save();
    painter->translate(0, m_header.height - page * m_bodyHeight);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    context.clip = QRectF(0, page * m_bodyHeight, m_width, m_bodyHeight);
    context.selections = highlights;
    painter->setClipRect(context.clip, Qt::IntersectClip);
    m_body->documentLayout()->draw(painter, context);
    painter->restore();

    if (m_footer.doc) {
        painter->translate(0, m_height - m_footer.height + kBandGap);
        paintBand(painter, m_footer, page);
    }
    painter->restore();
}

bool KvReportDocument::print(QPagedPaintDevice *device, int first, int last) const
{
    device->setPageLayout(m_layout);
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const int count = pageCount();
    first = std::clamp(first, 0, count - 1);
    last = last < 0 ? count - 1 : std::clamp(last, first, count - 1);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            device->newPage();
        paintPage(&painter, page, device->logicalDpiY());
    }
    return painter.end();
}

int KvReportDocument::pageOf(const QTextCursor &cursor) const
{
    const QTextBlock block = m_body->findBlock(cursor.selectionStart());
    if (!block.isValid())
        return 0;
    qreal y = m_body->documentLayout()->blockBoundingRect(block).top();
    if (const QTextLayout *layout = block.layout()) {
        const QTextLine line =
            layout->lineForTextPosition(cursor.selectionStart() - block.position());
        if (line.isValid())
            y += line.y();
    }
    return std::clamp(int(y / m_bodyHeight), 0, pageCount() - 1);
}
