#include "frmuBankAcc.h"

#include "GuidePickers.h"
#include "GuideRules.h"
#include "KV_ClientDataSet.h"
#include "KV_DBControls.h"
#include "KV_FormPlacement.h"
#include "frmuCompanyGuide.h"
#include "frmuSimpleGuides.h"
#include "uGuidePanel.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

TGuideWindow bankAccWindow()
{
    TGuideWindow w;
    w.name = QStringLiteral("frmBankAcc");
    w.caption = QStringLiteral("Справочник Банковские счета");
    w.size = QSize(760, 480);
    w.helpContext = 7097;
    return w;
}

TGuideView bankAccView()
{
    TGuideView v;
    v.table = GuideTable::BankAcc;
    v.listName = QStringLiteral("cdsBankAcc");
    v.columns = {GuideColumn(QStringLiteral("L_Bank"), QStringLiteral("Банк"), smUpEh),
                 GuideColumn(QStringLiteral("L_Company"), QStringLiteral("Организация")),
                 GuideColumn(QStringLiteral("BANKACC"), QStringLiteral("Расч. счет"))};
    v.gridReadOnly = true;
    v.searchBox = false;
    v.confirmDelete = false;
    return v;
}

bool editing(const TKV_ClientDataSet *list)
{
    const KvDataSetState state = list->State();
    return state == KvDataSetState::Edit || state == KvDataSetState::Insert;
}

QString gridKey()
{
    return TFormPlacement::SettingsKey(QStringLiteral("frmBankAcc"));
}

} // namespace

TfrmBankAcc::TfrmBankAcc(KvSession &session, QWidget *parent)
    : TfrmGuide(bankAccWindow(), bankAccView(), session, parent)
{
    m_banks = body()->addLookupList(QStringLiteral("cdsBankAccBank"), GuideLists::BankDescriptions,
                                    QStringLiteral("BANK_ID"));
    m_companies = body()->addLookupList(QStringLiteral("cdsBankAccCompany"),
                                        GuideLists::CompanyNames, QStringLiteral("COMPANY_ID"));
    list()->AddLookupField(QStringLiteral("L_Bank"), KvFieldType::String, QStringLiteral("BANK_ID"),
                           m_banks, QStringLiteral("BANK_ID"), QStringLiteral("BANK_DESCR"), 233);
    list()->AddLookupField(QStringLiteral("L_Company"), KvFieldType::String,
                           QStringLiteral("COMPANY_ID"), m_companies, QStringLiteral("COMPANY_ID"),
                           QStringLiteral("COMPANY_NAME"), 80);

    m_getBank = new QAction(QStringLiteral("..."), this);
    m_getBank->setObjectName(QStringLiteral("actGetBank"));
    m_getBank->setToolTip(QStringLiteral("Справочник банков"));
    connect(m_getBank, &QAction::triggered, this,
            [this] { pickInto(QStringLiteral("BANK_ID"), m_banks, &RunGuidePicker<TfrmBank>); });
    m_getCompany = new QAction(QStringLiteral("..."), this);
    m_getCompany->setObjectName(QStringLiteral("actGetCompany"));
    m_getCompany->setToolTip(QStringLiteral("Справочник организаций"));
    connect(m_getCompany, &QAction::triggered, this, [this] {
        pickInto(QStringLiteral("COMPANY_ID"), m_companies, &RunGuidePicker<TfrmCompanyGuide>);
    });
    body()->centralLayout()->addWidget(createPanel());
    connect(list(), &TKV_ClientDataSet::stateChanged, this, [this] { updateButtons(); });
    connect(list(), &TKV_ClientDataSet::reset, this, [this] { updateButtons(); });
    updateButtons();

    // The grid types ahead in the current column to find a row.
    body()->grid()->setFocusPolicy(Qt::StrongFocus);
    TFormPlacement placement(gridKey());
    placement.RestoreGridLayout(body()->grid());
}

QWidget *TfrmBankAcc::createPanel()
{
    auto *panel = new QGroupBox(body());
    panel->setObjectName(QStringLiteral("pnlBankAcc"));
    auto *form = new QFormLayout(panel);
    const auto pickerRow = [&](const QString &label, QComboBox *&box, QToolButton *&button,
                               const char *boxName, const char *buttonName, QAction *action,
                               const QString &keyField, TKV_ClientDataSet *shown,
                               const QString &shownKey, const QString &shownText) {
        box = new QComboBox(panel);
        box->setObjectName(QString::fromLatin1(boxName));
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        BindLookupCombo(box, list(), keyField, shown, shownKey, shownText);
        button = new QToolButton(panel);
        button->setObjectName(QString::fromLatin1(buttonName));
        button->setDefaultAction(action);
        auto *row = new QHBoxLayout;
        row->addWidget(box, 1);
        row->addWidget(button);
        form->addRow(label, row);
    };
    pickerRow(QStringLiteral("Банк"), m_bankBox, m_bankButton, "cbxBank", "btnGetBank", m_getBank,
              QStringLiteral("BANK_ID"), m_banks, QStringLiteral("BANK_ID"),
              QStringLiteral("BANK_DESCR"));
    pickerRow(QStringLiteral("Организация"), m_companyBox, m_companyButton, "cbxCompany",
              "btnGetCompany", m_getCompany, QStringLiteral("COMPANY_ID"), m_companies,
              QStringLiteral("COMPANY_ID"), QStringLiteral("COMPANY_NAME"));
    AddPanelEdit(form, QStringLiteral("Расч. счет"), list(), QStringLiteral("BANKACC"),
                 QStringLiteral("edtBankAcc"));
    return panel;
}

void TfrmBankAcc::updateButtons()
{
    const bool on = editing(list());
    m_getBank->setEnabled(on);
    m_getCompany->setEnabled(on);
    m_bankButton->setVisible(on && m_bankBox->isEnabled());
    m_companyButton->setVisible(on && m_companyBox->isEnabled());
}

void TfrmBankAcc::pickInto(const QString &keyField, TKV_ClientDataSet *shownList,
                           QVariant (*pick)(KvSession &, const QVariant &, int))
{
    if (!editing(list()))
        return;
    const QVariant current = list()->FieldValue(keyField);
    const QVariant answer = pick(body()->session(), current, 1);
    // What the picker added or changed is offered at once.
    shownList->Refresh();
    if (!answer.isNull() && !SameGuideKey(answer, current) && editing(list()))
        list()->FieldByName(keyField)->setValue(answer);
}

void TfrmBankAcc::done(int result)
{
    TFormPlacement placement(gridKey());
    placement.SaveGridLayout(body()->grid());
    TfrmGuide::done(result);
}

QVariant PickBankAcc(const QVariant &currentKey, int mode)
{
    return RunGuidePicker<TfrmBankAcc>(currentKey, mode);
}
