#include "frmuPersonnel.h"

#include "GuidePickers.h"
#include "KV_ClientDataSet.h"
#include "frmuSimpleGuides.h"

namespace {

TGuideWindow personnelWindow()
{
    TGuideWindow w;
    w.name = QStringLiteral("frmPersonnel");
    w.caption = QStringLiteral("Справочник персонала");
    w.size = QSize(900, 480);
    w.helpContext = 7040;
    w.selectName = QStringLiteral("actMrOk");
    w.selectText = QString(); // the tool bar shows the icon alone
    w.selectHint = QStringLiteral("Подтвердить выбор");
    w.moveToKey = false;
    return w;
}

TGuideView personnelView()
{
    TGuideView v;
    v.table = GuideTable::Personnel;
    v.columns = {
        GuideColumn(QStringLiteral("L_Company"), QStringLiteral("Организация")),
        GuideColumn(QStringLiteral("DUTYPOST"), QStringLiteral("Должность|Именительный"), smUpEh),
        GuideColumn(QStringLiteral("FDUTYPOST"), QStringLiteral("Должность|Родительный")),
        GuideColumn(QStringLiteral("DDUTYPOST"), QStringLiteral("Должность|Дательный")),
        GuideColumn(QStringLiteral("PERSNAME"), QStringLiteral("Ф. И. О.|Именительный")),
        GuideColumn(QStringLiteral("FPERSNAME"), QStringLiteral("Ф. И. О.|Родительный")),
        GuideColumn(QStringLiteral("DPERSNAME"), QStringLiteral("Ф. И. О.|Дательный")),
        GuideColumn(QStringLiteral("PASSPORTSER"), QStringLiteral("Паспорт|Серия")),
        GuideColumn(QStringLiteral("PASSPORTNO"), QStringLiteral("Паспорт|№")),
        GuideColumn(QStringLiteral("PASSPORTDATE"), QStringLiteral("Паспорт|Дата")),
        GuideColumn(QStringLiteral("PASSPMAKER"), QStringLiteral("Паспорт|Выдан"))};
    return v;
}

} // namespace

TfrmPersonnel::TfrmPersonnel(KvSession &session, QWidget *parent)
    : TfrmGuide(personnelWindow(), personnelView(), session, parent)
{
    TKV_ClientDataSet *companies =
        body()->addLookupList(QStringLiteral("cdsPersonnelCompany"),
                              GuideLists::CompanyNamesOrdered, QStringLiteral("COMPANY_ID"));
    list()->AddLookupField(QStringLiteral("L_Company"), KvFieldType::String,
                           QStringLiteral("COMPANY_ID"), companies, QStringLiteral("COMPANY_ID"),
                           QStringLiteral("COMPANY_NAME"), 80);
}

QVariant PickPersonnel(const QVariant &currentKey, int mode)
{
    return RunGuidePicker<TfrmPersonnel>(currentKey, mode);
}
