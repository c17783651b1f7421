#include "frmuSimpleGuides.h"

#include "GuidePickers.h"

namespace {

const QString Name = QStringLiteral("Наименование");

TGuideWindow guideWindow(const char *name, const char *caption, int helpContext)
{
    TGuideWindow w;
    w.name = QString::fromLatin1(name);
    w.caption = QString::fromUtf8(caption);
    w.helpContext = helpContext;
    return w;
}

TGuideView guideView(GuideTable table, const QList<TColumnEh> &columns)
{
    TGuideView v;
    v.table = table;
    v.columns = columns;
    return v;
}

// The guides listed by one description column, sorted ascending.
TGuideView describedBy(GuideTable table)
{
    return guideView(table, {GuideColumn(QStringLiteral("DESCR"), Name, smUpEh)});
}

} // namespace

TColumnEh GuideColumn(const QString &field, const QString &title, TSortMarkerEh marker)
{
    TColumnEh column;
    column.FieldName = field;
    column.Title = title;
    column.Marker = marker;
    return column;
}

TfrmMeasure::TfrmMeasure(KvSession &session, QWidget *parent)
    : TfrmGuide(
          guideWindow("frmMeasure", "Справочник единиц измерения", 7030),
          guideView(GuideTable::Measure,
                    {GuideColumn(QStringLiteral("SHORTNAME"), QStringLiteral("Кр. Наименование")),
                     GuideColumn(QStringLiteral("MEASURENAME"), Name, smUpEh)}),
          session, parent)
{}

TfrmExpenseDescr::TfrmExpenseDescr(KvSession &session, QWidget *parent)
    : TfrmGuide(guideWindow("frmExpenseDescr", "Справочник статей затрат", 7080),
                describedBy(GuideTable::ExpenseDescr), session, parent)
{}

TfrmPercentDeduction::TfrmPercentDeduction(KvSession &session, QWidget *parent)
    : TfrmGuide(
          guideWindow("frmPercentDeduction", "Справочник процентных отчислений", 7085),
          guideView(GuideTable::PercentDeduction,
                    {GuideColumn(QStringLiteral("DESCR"), Name, smUpEh),
                     GuideColumn(QStringLiteral("MAINPERCENT"), QStringLiteral("% отчисл."))}),
          session, parent)
{}

TfrmKindOfWork::TfrmKindOfWork(KvSession &session, QWidget *parent)
    : TfrmGuide(guideWindow("frmKindOfWork", "Справочник видов работ", 7095),
                describedBy(GuideTable::KindOfWork), session, parent)
{}

TfrmWayOfWork::TfrmWayOfWork(KvSession &session, QWidget *parent)
    : TfrmGuide(guideWindow("frmWayOfWork", "Справочник способов работ", 7090),
                describedBy(GuideTable::WayOfWork), session, parent)
{}

TfrmBank::TfrmBank(KvSession &session, QWidget *parent)
    : TfrmGuide(
          guideWindow("frmBank", "Справочник банков", 7096),
          guideView(GuideTable::Bank,
                    {GuideColumn(QStringLiteral("BANK_CODE"), QStringLiteral("Код")),
                     GuideColumn(QStringLiteral("BANK_NAME"), Name),
                     GuideColumn(QStringLiteral("ADRESS_STREET"), QStringLiteral("Адрес|Улица")),
                     GuideColumn(QStringLiteral("ADRESS_BOX"), QStringLiteral("Адрес|Дом")),
                     GuideColumn(QStringLiteral("NOTICE"), QStringLiteral("Примечание"))}),
          session, parent)
{}

QVariant PickMeasure(const QVariant &currentKey, int mode)
{
    return RunGuidePicker<TfrmMeasure>(currentKey, mode);
}

QVariant PickExpenseDescr(const QVariant &currentKey, int mode)
{
    return RunGuidePicker<TfrmExpenseDescr>(currentKey, mode);
}

QVariant PickPercentDeduction(const QVariant &currentKey, int mode)
{
    return RunGuidePicker<TfrmPercentDeduction>(currentKey, mode);
}

QVariant PickKindOfWork(const QVariant &currentKey, int mode)
{
    return RunGuidePicker<TfrmKindOfWork>(currentKey, mode);
}

QVariant PickWayOfWork(const QVariant &currentKey, int mode)
{
    return RunGuidePicker<TfrmWayOfWork>(currentKey, mode);
}

QVariant PickBank(const QVariant &currentKey, int mode)
{
    return RunGuidePicker<TfrmBank>(currentKey, mode);
}
