#include "dmuImages.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace {

enum class Glyph {
    None,
    Check,
    Cross,
    Plus,
    Minus,
    TriangleUp,
    Ellipsis,
    Refresh,
    First,
    Prior,
    Next,
    Last
};

// A navigator-style glyph drawn into a 16 by 16 (and 32 by 32) pixmap.
QPixmap paintGlyph(Glyph glyph, int side, const QColor &colour, bool enabled)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 16.0, side / 16.0);
    QPen pen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(colour);
    auto triangle = [&](qreal tipX, qreal baseX) {
        QPainterPath path;
        path.moveTo(tipX, 8);
        path.lineTo(baseX, 3.5);
        path.lineTo(baseX, 12.5);
        path.closeSubpath();
        p.drawPath(path);
    };
    switch (glyph) {
    case Glyph::None:
        break;
    case Glyph::Check:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(enabled ? QColor(0, 128, 0) : colour, 2.4, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.drawPolyline(QPolygonF({{3, 8.5}, {6.5, 12}, {13, 4}}));
        break;
    case Glyph::Cross:
        p.setPen(QPen(enabled ? QColor(176, 0, 0) : colour, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case Glyph::Plus:
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case Glyph::Minus:
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case Glyph::TriangleUp: {
        QPainterPath path;
        path.moveTo(8, 3.5);
        path.lineTo(13, 12);
        path.lineTo(3, 12);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case Glyph::Ellipsis:
        p.setPen(Qt::NoPen);
        for (qreal x : {4.0, 8.0, 12.0})
            p.drawEllipse(QPointF(x, 11), 1.3, 1.3);
        break;
    case Glyph::Refresh: {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 3, 10, 10), 30 * 16, 280 * 16);
        p.setBrush(colour);
        QPainterPath head;
        head.moveTo(14.5, 2.5);
        head.lineTo(14.5, 7.5);
        head.lineTo(9.5, 7.5);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.drawPath(head);
        break;
    }
    case Glyph::First:
        p.drawLine(QPointF(4, 3.5), QPointF(4, 12.5));
        triangle(5.5, 12.5);
        break;
    case Glyph::Prior:
        triangle(4, 11.5);
        break;
    case Glyph::Next:
        triangle(12, 4.5);
        break;
    case Glyph::Last:
        p.drawLine(QPointF(12, 3.5), QPointF(12, 12.5));
        triangle(10.5, 3.5);
        break;
    }
    return pixmap;
}

QIcon glyphIcon(Glyph glyph)
{
    const QPalette pal = QApplication::palette();
    QIcon icon;
    for (int side : {16, 32}) {
        icon.addPixmap(
            paintGlyph(glyph, side, pal.color(QPalette::Active, QPalette::ButtonText), true),
            QIcon::Normal);
        icon.addPixmap(
            paintGlyph(glyph, side, pal.color(QPalette::Disabled, QPalette::ButtonText), false),
            QIcon::Disabled);
    }
    return icon;
}

struct Role
{
    TdmImages::Image image;
    const char *themeName;
    Glyph glyph;
    QStyle::StandardPixmap standard;
};

// Theme name first; then the glyph drawn here; then Qt's standard icon.
const Role roles[] = {
    {TdmImages::imgPost, "document-save", Glyph::Check, QStyle::SP_DialogApplyButton},
    {TdmImages::imgCancel, "edit-undo", Glyph::Cross, QStyle::SP_DialogCancelButton},
    {TdmImages::imgInsert, "list-add", Glyph::Plus, QStyle::SP_FileIcon},
    {TdmImages::imgDelete, "list-remove", Glyph::Minus, QStyle::SP_TrashIcon},
    {TdmImages::imgEdit, "document-edit", Glyph::TriangleUp, QStyle::SP_FileDialogDetailedView},
    {TdmImages::imgProperty, "document-properties", Glyph::Ellipsis, QStyle::SP_FileDialogInfoView},
    {TdmImages::imgRefresh, "view-refresh", Glyph::Refresh, QStyle::SP_BrowserReload},
    {TdmImages::imgFirst, "go-first", Glyph::First, QStyle::SP_MediaSkipBackward},
    {TdmImages::imgPrior, "go-previous", Glyph::Prior, QStyle::SP_ArrowBack},
    {TdmImages::imgNext, "go-next", Glyph::Next, QStyle::SP_ArrowForward},
    {TdmImages::imgLast, "go-last", Glyph::Last, QStyle::SP_MediaSkipForward},
    {TdmImages::imgSearch, "edit-find", Glyph::None, QStyle::SP_FileDialogContentsView},
    {TdmImages::imgSelect, "dialog-ok", Glyph::None, QStyle::SP_DialogOkButton},
    {TdmImages::imgClose, "window-close", Glyph::None, QStyle::SP_DialogCloseButton},
    {TdmImages::imgPrint, "document-print", Glyph::None, QStyle::SP_FileIcon},
    {TdmImages::imgPreview, "document-print-preview", Glyph::None,
     QStyle::SP_FileDialogContentsView},
    {TdmImages::imgPeriod, "x-office-calendar", Glyph::None, QStyle::SP_FileDialogListView},
    {TdmImages::imgGroupPanel, "view-list-tree", Glyph::None, QStyle::SP_FileDialogListView},
    {TdmImages::imgCopy, "edit-copy", Glyph::None, QStyle::SP_FileLinkIcon},
    {TdmImages::imgCut, "edit-cut", Glyph::None, QStyle::SP_DialogDiscardButton},
    {TdmImages::imgPaste, "edit-paste", Glyph::None, QStyle::SP_DialogOpenButton},
    {TdmImages::imgUndo, "edit-undo", Glyph::None, QStyle::SP_ArrowLeft},
    {TdmImages::imgSelectAll, "edit-select-all", Glyph::None, QStyle::SP_DialogYesButton},
    {TdmImages::imgHelp, "help-contents", Glyph::None, QStyle::SP_DialogHelpButton},
    {TdmImages::imgCalculator, "accessories-calculator", Glyph::None, QStyle::SP_DesktopIcon},
    {TdmImages::imgFilter, "view-filter", Glyph::None, QStyle::SP_FileDialogListView},
    {TdmImages::imgOpen, "document-open", Glyph::None, QStyle::SP_DialogOpenButton},
    {TdmImages::imgSave, "document-save", Glyph::None, QStyle::SP_DialogSaveButton},
    {TdmImages::imgFolder, "folder", Glyph::None, QStyle::SP_DirIcon},
    {TdmImages::imgDocument, "text-x-generic", Glyph::None, QStyle::SP_FileIcon},
    {TdmImages::imgUsers, "system-users", Glyph::None, QStyle::SP_ComputerIcon},
    {TdmImages::imgExit, "application-exit", Glyph::None, QStyle::SP_TitleBarCloseButton},
};
static_assert(std::size(roles) == TdmImages::imgCount, "one role per image");

} // namespace

TdmImages::TdmImages(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("dmImages"));
    m_images.reserve(imgCount);
    for (int i = 0; i < imgCount; ++i)
        m_images.append(build(Image(i)));
}

QIcon TdmImages::icon(int index) const
{
    return index >= 0 && index < m_images.size() ? m_images.at(index) : QIcon();
}

QIcon TdmImages::build(Image image)
{
    const Role &role = roles[image];
    const QString themeName = QString::fromLatin1(role.themeName);
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    if (role.glyph != Glyph::None)
        return glyphIcon(role.glyph);
    return QApplication::style()->standardIcon(role.standard);
}

QIcon TdmImages::navigatorGlyph(const QString &resourceName)
{
    static const struct
    {
        const char *name;
        Image image;
    } buttons[] = {{"POST", imgPost},       {"CANCEL", imgCancel}, {"INSERT", imgInsert},
                   {"DELETE", imgDelete},   {"EDIT", imgEdit},     {"PROPERTY", imgProperty},
                   {"REFRESH", imgRefresh}, {"FIRST", imgFirst},   {"PRIOR", imgPrior},
                   {"NEXT", imgNext},       {"LAST", imgLast}};
    if (!resourceName.startsWith(QLatin1String("DBNH_")) &&
        !resourceName.startsWith(QLatin1String("DBNV_")))
        return {};
    const bool vertical = resourceName.startsWith(QLatin1String("DBNV_"));
    const QString button = resourceName.mid(5);
    for (const auto &b : buttons) {
        if (button != QLatin1String(b.name))
            continue;
        // In a column the moving glyphs point up and down.
        if (vertical && (b.image == imgFirst || b.image == imgPrior || b.image == imgNext ||
                         b.image == imgLast)) {
            const QIcon row = build(b.image);
            QIcon turned;
            for (int side : {16, 32}) {
                for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
                    QPixmap pm = row.pixmap(side, side, mode);
                    QTransform t;
                    t.rotate(90);
                    turned.addPixmap(pm.transformed(t), mode);
                }
            }
            return turned;
        }
        return build(b.image);
    }
    return {};
}
