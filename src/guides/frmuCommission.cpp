#include "frmuCommission.h"

#include "GuidePickers.h"
#include "KV_ClientDataSet.h"
#include "frmuSimpleGuides.h"

namespace {

TGuideWindow commissionWindow()
{
    TGuideWindow w;
    w.name = QStringLiteral("frmCommission");
    w.caption = QStringLiteral("Справочник комиссий на списание ТМЦ");
    w.helpContext = 7070;
    w.sortOnShow = false;
    w.searchOnShow = false;
    return w;
}

TGuideView commissionView()
{
    TGuideView v;
    v.table = GuideTable::Commission;
    TColumnEh number = GuideColumn(QStringLiteral("COMMISSION_ID"), QStringLiteral("№"));
    number.ReadOnly = true;
    v.columns = {number,
                 GuideColumn(QStringLiteral("L_Person1"), QStringLiteral("Члены комиссии|1")),
                 GuideColumn(QStringLiteral("L_Person2"), QStringLiteral("Члены комиссии|2")),
                 GuideColumn(QStringLiteral("L_Person3"), QStringLiteral("Члены комиссии|3"))};
    return v;
}

} // namespace

TfrmCommission::TfrmCommission(KvSession &session, QWidget *parent)
    : TfrmGuide(commissionWindow(), commissionView(), session, parent)
{
    TKV_ClientDataSet *persons = body()->addLookupList(
        QStringLiteral("cdsCommissionPerson"), GuideLists::PersonInfo, QStringLiteral("PERSON_ID"));
    for (int i = 1; i <= 3; ++i) {
        list()->AddLookupField(QStringLiteral("L_Person%1").arg(i), KvFieldType::String,
                               QStringLiteral("PERSON%1_ID").arg(i), persons,
                               QStringLiteral("PERSON_ID"), QStringLiteral("PERSONINFO"), 52);
    }
    body()->rowName = [this] {
        QStringList members;
        for (int i = 1; i <= 3; ++i)
            members << list()->FieldValue(QStringLiteral("L_Person%1").arg(i)).toString();
        return members.join(QLatin1Char(','));
    };
}

QVariant PickCommission(const QVariant &currentKey, int mode)
{
    return RunGuidePicker<TfrmCommission>(currentKey, mode);
}
