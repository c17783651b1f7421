#pragma once

#include <QIcon>
#include <QList>
#include <QObject>

// The shared image list: 16 by 16 icons that actions, menus and tool bars refer to by
// index. Each icon comes from the desktop's icon theme when it has one for the role, and
// otherwise from a glyph drawn here or Qt's own standard icons, so every role always has
// an icon.
class TdmImages : public QObject
{
    Q_OBJECT
public:
    // The indexes of ImageListMain.
    enum Image {
        imgPost,
        imgCancel,
        imgInsert,
        imgDelete,
        imgEdit,
        imgProperty,
        imgRefresh,
        imgFirst,
        imgPrior,
        imgNext,
        imgLast,
        imgSearch,
        imgSelect,
        imgClose,
        imgPrint,
        imgPreview,
        imgPeriod,
        imgGroupPanel,
        imgCopy,
        imgCut,
        imgPaste,
        imgUndo,
        imgSelectAll,
        imgHelp,
        imgCalculator,
        imgFilter,
        imgOpen,
        imgSave,
        imgFolder,
        imgDocument,
        imgUsers,
        imgExit,
        imgCount
    };
    Q_ENUM(Image)

    explicit TdmImages(QObject *parent = nullptr);

    // The icons in index order.
    const QList<QIcon> &ImageListMain() const { return m_images; }
    QIcon icon(int index) const;

    // The navigator's glyphs by resource name: "DBNH_" (row) or "DBNV_" (column) followed by
    // the button's name in capitals (POST, CANCEL, ..., LAST). Unknown names give a null icon.
    static QIcon navigatorGlyph(const QString &resourceName);

    // The icon of one role, built on demand (the list above holds them once built).
    static QIcon build(Image image);

private:
    QList<QIcon> m_images;
};
