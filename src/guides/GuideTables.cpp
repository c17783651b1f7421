#include "GuideTables.h"

#include <QDate>

namespace {

// The text after the row's name when a reference forbids the delete.
QString refusal(const char *from)
{
    return QStringLiteral("\" удалить нельзя, т.к. есть ссылка из ") + QString::fromUtf8(from);
}

QList<GuideTableDef> makeTables()
{
    const QVariant none = QVariant::fromValue(qint64(0));
    QList<GuideTableDef> t;
    t.append({GuideTable::Company,
              QStringLiteral("dspCompany"),
              QStringLiteral("ZOLT.COMPANY"),
              QStringLiteral("select * from ZOLT.COMPANY where COMPANY_ID<>0"),
              QStringLiteral("COMPANY_ID"),
              {},
              QStringLiteral("COMPANY_NAME"),
              {{QStringLiteral("BELARUS_SGN"), QVariant::fromValue(qint64(1))},
               {QStringLiteral("DIRECTOR_ID"), none},
               {QStringLiteral("BUH_ID"), none},
               {QStringLiteral("VALID_TO"), openValidity()}},
              {}});
    t.append({GuideTable::Bank,
              QStringLiteral("dspBank"),
              QStringLiteral("ZOLT.Bank"),
              QStringLiteral("select BANK_ID, BANKCODETYPE_ID, LOCATION_ID, BANK_CODE, BANK_NAME, "
                             "ADRESS_STREET, ADRESS_BOX, NOTICE, VALID_TO from ZOLT.BANK"),
              QStringLiteral("BANK_ID"),
              QStringLiteral("Bank_Id_Seq"),
              QStringLiteral("BANK_NAME"),
              {{QStringLiteral("BANKCODETYPE_ID"), none},
               {QStringLiteral("LOCATION_ID"), none},
               {QStringLiteral("VALID_TO"), openValidity()}},
              {}});
    t.append({GuideTable::BankAcc,
              QStringLiteral("dspBankAcc"),
              QStringLiteral("ZOLT.BankAcc"),
              QStringLiteral("select COMPANY_ID, BANK_ID, BANKACC_ID, BANKACCTYPE_ID, BANKACC, "
                             "VALID_TO from ZOLT.BANKACC where VALID_TO > localtimestamp"),
              QStringLiteral("BANKACC_ID"),
              QStringLiteral("BankAcc_ID_Seq"),
              QStringLiteral("BANKACC"),
              {{QStringLiteral("COMPANY_ID"), none},
               {QStringLiteral("BANK_ID"), none},
               {QStringLiteral("BANKACCTYPE_ID"), none},
               {QStringLiteral("VALID_TO"), openValidity()}},
              {}});
    t.append({GuideTable::Measure,
              QStringLiteral("dspMeasure"),
              QStringLiteral("ZOLT.MEASURE"),
              QStringLiteral("select MEASURE_ID, RECALCFACTOR, SHORTNAME, MEASURENAME, BASECODE "
                             "from ZOLT.MEASURE"),
              QStringLiteral("MEASURE_ID"),
              QStringLiteral("Measure_ID_SEQ"),
              QStringLiteral("MEASURENAME"),
              {{QStringLiteral("RECALCFACTOR"), 1.0}},
              {{QStringLiteral("Measure_id"), QStringLiteral("WareType"),
                refusal("номенклатурного справочника")},
               {QStringLiteral("Measure_id"), QStringLiteral("InvoiceItem"),
                refusal("накладных расхода")},
               {QStringLiteral("Measure_id"), QStringLiteral("RequiredPart"),
                refusal("состава изделий")}}});
    t.append({GuideTable::Personnel,
              QStringLiteral("dspPersonnel"),
              QStringLiteral("ZOLT.PERSONNEL"),
              QStringLiteral("select PERSON_ID, COMPANY_ID, PERSNAME, FPERSNAME, DPERSNAME, "
                             "DUTYPOST, FDUTYPOST, DDUTYPOST, PASSPORTSER, PASSPORTNO, "
                             "PASSPMAKER, PASSPORTDATE from ZOLT.PERSONNEL where PERSON_ID<>0"),
              QStringLiteral("PERSON_ID"),
              QStringLiteral("Person_Id_Seq"),
              QStringLiteral("PERSNAME"),
              {{QStringLiteral("COMPANY_ID"), none}},
              {{QStringLiteral("MatRespPerson_id"), QStringLiteral("StoragePlace"),
                refusal("справочника мест хранения")}}});
    t.append({GuideTable::Commission,
              QStringLiteral("dspCommission"),
              QStringLiteral("ZOLT.Commission"),
              QStringLiteral("select COMMISSION_ID, PERSON1_ID, PERSON2_ID, PERSON3_ID, VALID_TO "
                             "from ZOLT.COMMISSION where COMMISSION_ID<>0 and "
                             "VALID_TO > localtimestamp"),
              QStringLiteral("COMMISSION_ID"),
              QStringLiteral("Commission_Id_Seq"),
              {},
              {{QStringLiteral("PERSON1_ID"), none},
               {QStringLiteral("PERSON2_ID"), none},
               {QStringLiteral("PERSON3_ID"), none},
               {QStringLiteral("VALID_TO"), openValidity()}},
              {{QStringLiteral("Commission_id"), QStringLiteral("ConstrObjInvoice"),
                refusal("накладных расхода")}}});
    t.append({GuideTable::KindOfWork,
              QStringLiteral("dspKindOfWork"),
              QStringLiteral("ZOLT.KindOfWork"),
              QStringLiteral("select KINDOFWORK_ID, DESCR from ZOLT.KINDOFWORK "
                             "where KINDOFWORK_ID<>0 order by DESCR"),
              QStringLiteral("KINDOFWORK_ID"),
              QStringLiteral("KindOfWork_Id_Seq"),
              QStringLiteral("DESCR"),
              {},
              {}});
    t.append({GuideTable::WayOfWork,
              QStringLiteral("dspWayOfWork"),
              QStringLiteral("ZOLT.WayOfWork"),
              QStringLiteral("select WAYOFWORK_ID, DESCR from ZOLT.WAYOFWORK "
                             "where WAYOFWORK_ID<>0 order by DESCR"),
              QStringLiteral("WAYOFWORK_ID"),
              QStringLiteral("WayOfWork_ID_SEQ"),
              QStringLiteral("DESCR"),
              {},
              {}});
    t.append({GuideTable::ExpenseDescr,
              QStringLiteral("dspExpenseDescr"),
              QStringLiteral("ZOLT.ExpenseDescr"),
              QStringLiteral("select EXPENSEDESCR_ID, DESCR from ZOLT.EXPENSEDESCR "
                             "where EXPENSEDESCR_ID<>0"),
              QStringLiteral("EXPENSEDESCR_ID"),
              QStringLiteral("ExpenseDescr_Id_Seq"),
              QStringLiteral("DESCR"),
              {},
              {{QStringLiteral("ExpenseDescr_id"), QStringLiteral("ExpenseLst"),
                refusal("актов выполненных работ")}}});
    t.append({GuideTable::PercentDeduction,
              QStringLiteral("dspPercentDeduction"),
              QStringLiteral("ZOLT.PercentDeduction"),
              QStringLiteral("select PERCENTDEDUCTION_ID, DESCR, MAINPERCENT "
                             "from ZOLT.PERCENTDEDUCTION where PERCENTDEDUCTION_ID<>0"),
              QStringLiteral("PERCENTDEDUCTION_ID"),
              QStringLiteral("PercentDeduction_ID_SEQ"),
              QStringLiteral("DESCR"),
              {{QStringLiteral("MAINPERCENT"), 0.0}},
              {}});
    t.append({GuideTable::StoragePlace,
              QStringLiteral("dspStorage_Place"),
              QStringLiteral("ZOLT.StoragePlace"),
              QStringLiteral("select StoragePlace_Id, MatRespPerson_Id, StoreName, Notice "
                             "from ZOLT.StoragePlace"),
              QStringLiteral("STORAGEPLACE_ID"),
              QStringLiteral("Storage_Place_Id_Seq"),
              QStringLiteral("STORENAME"),
              {{QStringLiteral("MATRESPPERSON_ID"), none}},
              {{QStringLiteral("StoragePlace_id"), QStringLiteral("StoreOrder"),
                refusal("приходных ордеров")}}});
    GuideTableDef currencies{GuideTable::CurDescr,
                             QStringLiteral("dspCurDescr"),
                             QStringLiteral("ZOLT.CURDESCR"),
                             QStringLiteral("select CUR_ID, SHORT_NAME from ZOLT.CURDESCR "
                                            "order by SHORT_NAME"),
                             QStringLiteral("CUR_ID"),
                             {},
                             QStringLiteral("SHORT_NAME"),
                             {},
                             {}};
    currencies.readOnly = true;
    t.append(currencies);
    return t;
}

} // namespace

QVariant openValidity()
{
    return QVariant(QDate());
}

const QList<GuideTableDef> &allGuideTables()
{
    static const QList<GuideTableDef> tables = makeTables();
    return tables;
}

const GuideTableDef &guideTable(GuideTable table)
{
    for (const GuideTableDef &def : allGuideTables()) {
        if (def.table == table)
            return def;
    }
    Q_UNREACHABLE();
}

namespace GuideLists {

const QString CompaniesByName = QStringLiteral("select * from ZOLT.COMPANY order by COMPANY_NAME");
const QString CompanyNames = QStringLiteral("select COMPANY_ID, COMPANY_NAME from ZOLT.COMPANY");
const QString CompanyNamesOrdered =
    QStringLiteral("select COMPANY_ID, COMPANY_NAME from ZOLT.Company order by COMPANY_NAME");
const QString CompanyDirectors =
    QStringLiteral("select PERSON_ID, COMPANY_ID, PERSNAME, PHONE1 from ZOLT.Personnel "
                   "where COMPANY_ID = :COMPANY_ID");
// Texts are joined with concat(): a missing part must not blank the whole description.
const QString BankDescriptions = QStringLiteral(
    "select BANK_ID, concat(BANK_NAME, ' ', BANK_CODE, ' ', ADRESS_STREET, ' ', ADRESS_BOX) "
    "as BANK_DESCR from ZOLT.BANK");
const QString PersonInfo =
    QStringLiteral("select PERSON_ID, concat(DUTYPOST, ' ', PERSNAME) as PersonInfo "
                   "from ZOLT.PERSONNEL order by DUTYPOST, PERSNAME");
const QString ResponsiblePersons =
    QStringLiteral("select PERSON_ID, PERSNAME, DUTYPOST, concat(DUTYPOST, ': ', PERSNAME) "
                   "as DESCR from ZOLT.PERSONNEL order by DUTYPOST");

} // namespace GuideLists
