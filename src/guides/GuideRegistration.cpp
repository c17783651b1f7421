#include "GuideRegistration.h"

#include "GuidePickers.h"
#include "KvWindowRegistry.h"
#include "frmuGuide.h"
#include "frmuStorage_Place.h"

void registerGuides()
{
    KvWindowRegistry::registerChildWindow(
        QStringLiteral("TfrmStorage_Place"), []() -> KvChildWindow * {
            KvSession *session = GuideSession();
            return session ? new TfrmStorage_Place(*session) : nullptr;
        });
    // The main menu passes a null key (0 to organisations, banks and bank accounts), mode 0.
    const QVariant none;
    const QVariant zero = QVariant::fromValue(qint64(0));
    const struct
    {
        const char *action;
        QVariant (*pick)(const QVariant &, int);
        QVariant key;
    } commands[] = {{"actMeasureGuide", &PickMeasure, none},
                    {"actExpenseDescrGuide", &PickExpenseDescr, none},
                    {"actPercentDeductionGuide", &PickPercentDeduction, none},
                    {"actKindOfWorkGuide", &PickKindOfWork, none},
                    {"actWayOfWorkGuide", &PickWayOfWork, none},
                    {"actCommissionGuide", &PickCommission, none},
                    {"actPersonnelGuide", &PickPersonnel, none},
                    {"actCompanyGuide", &PickCompany, zero},
                    {"actBankGuide", &PickBank, zero},
                    {"actBankAccGuide", &PickBankAcc, zero}};
    for (const auto &c : commands) {
        KvWindowRegistry::registerCommand(QString::fromLatin1(c.action),
                                          [pick = c.pick, key = c.key] { pick(key, 0); });
    }
}
