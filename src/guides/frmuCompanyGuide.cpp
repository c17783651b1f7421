#include "frmuCompanyGuide.h"

#include "GuidePickers.h"
#include "KV_ClientDataSet.h"
#include "KV_DBControls.h"
#include "KV_DBNavigator.h"
#include "KV_LIB.h"
#include "frmuSimpleGuides.h"
#include "uEnterToTab.h"
#include "uGuidePanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

TGuideWindow companyWindow()
{
    TGuideWindow w;
    w.name = QStringLiteral("frmCompanyGuide");
    w.caption = QStringLiteral("\"Организации\" (справочник)");
    w.size = QSize(760, 560);
    w.helpContext = 7000;
    w.selectName = QStringLiteral("actMrOk");
    w.selectText = QStringLiteral("Ok");
    w.selectHint = QStringLiteral("Подтвердить выбор");
    w.closeName = QStringLiteral("actMrCancel");
    w.closeText = QStringLiteral("Отмена и выход");
    w.closeHint = QStringLiteral("Отмена и выход");
    w.russianOnShow = false; // the name box switches the layout when it is entered
    w.moveToKey = false;
    w.searchOnShow = false;
    return w;
}

TGuideView companyView()
{
    TGuideView v;
    v.table = GuideTable::Company;
    v.listName = QStringLiteral("cdsCompany");
    v.columns = {
        GuideColumn(QStringLiteral("COMPANY_CODE"), QStringLiteral("Код")),
        GuideColumn(QStringLiteral("COMPANY_NAME"), QStringLiteral("Наименование"), smUpEh)};
    v.multiSort = true;
    v.gridReadOnly = true;
    v.refetchAfterDelete = false;
    return v;
}

void relabel(QAction *action, const QString &name, const QString &text, const QString &hint)
{
    action->setObjectName(name);
    action->setText(text);
    action->setToolTip(hint);
    action->setStatusTip(hint);
}

} // namespace

TfrmCompanyGuide::TfrmCompanyGuide(KvSession &session, QWidget *parent)
    : TfrmGuide(companyWindow(), companyView(), session, parent)
{
    TKV_ClientDataSet *directors =
        body()->addLookupList(QStringLiteral("cdsCompanyDirector"), GuideLists::CompanyDirectors,
                              QStringLiteral("PERSON_ID"));
    directors->setMasterSource(list());
    directors->setMasterFields(QStringLiteral("COMPANY_ID"));
    list()->AddLookupField(QStringLiteral("L_CompanyDirector"), KvFieldType::String,
                           QStringLiteral("DIRECTOR_ID"), directors, QStringLiteral("PERSON_ID"),
                           QStringLiteral("PERSNAME"), 30);

    relabel(body()->action(QStringLiteral("actInsertRecord")), QStringLiteral("actNewCompany"),
            QStringLiteral("Добавить организацию"), QStringLiteral("Добавить новую организацию"));
    relabel(body()->action(QStringLiteral("actDeleteRecord")), QStringLiteral("actDeleteCompany"),
            QStringLiteral("Удалить запись"), QStringLiteral("Удалить запись об организации"));
    body()->navigator()->setVisibleControls({nbInsert, nbDelete, nbRefresh});

    body()->centralLayout()->addWidget(createPanel());
    const auto focusName = [this] { m_name->setFocus(); };
    body()->beforeInsert = focusName;
    body()->afterInsert = [] {};
    body()->beforeEdit = focusName;
    body()->afterEdit = [] {};
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now == m_name)
            SwitchKeyboardLayout(QStringLiteral("RU"));
    });
}

QWidget *TfrmCompanyGuide::createPanel()
{
    auto *panel = new QGroupBox(QStringLiteral("Свойства"), body());
    panel->setObjectName(QStringLiteral("pnlCompany"));
    auto *left = new QFormLayout;
    auto *right = new QFormLayout;
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    auto *outer = new QVBoxLayout(panel);
    outer->addLayout(columns);

    TKV_ClientDataSet *companies = list();
    const auto edit = [companies](QFormLayout *form, const char *label, const char *field,
                                  const char *name, const char *hint = "") {
        return AddPanelEdit(form, QString::fromUtf8(label), companies, QString::fromLatin1(field),
                            QString::fromLatin1(name), QString::fromUtf8(hint));
    };
    QWidgetList fields;
    m_name = edit(left, "Наименование", "COMPANY_NAME", "edtCompanyName");
    fields << m_name << edit(left, "Улица", "ADRESS_STREET", "edtStreet", "Улица")
           << edit(left, "Дом, квартира", "ADRESS_BOX", "edtBox", "Дом, квартира")
           << edit(left, "УНН", "UNN", "edtUNN", "Учетный номер в налоговой инспекции")
           << edit(left, "ОКПО", "OKPO", "edtOKPO", "Код ОКПО")
           << edit(left, "Лицензия", "LICENSE_NO", "edtLicense",
                   "Лицензия (№ и дата выдачи, кем выдана)")
           << edit(right, "Контакты", "CONTACT_INFO", "edtContact")
           << edit(right, "Телефон", "PHONE", "edtPhone")
           << edit(right, "Код", "COMPANY_CODE", "edtCompanyCode");

    auto *director = new QComboBox(panel);
    director->setObjectName(QStringLiteral("cbxDirector"));
    BindLookupCombo(director, companies, QStringLiteral("DIRECTOR_ID"),
                    body()->lookupLists().constFirst(), QStringLiteral("PERSON_ID"),
                    QStringLiteral("PERSNAME"));
    right->addRow(QStringLiteral("Директор"), director);
    auto *resident = new QCheckBox(QStringLiteral("Резидент "), panel);
    resident->setObjectName(QStringLiteral("chkResident"));
    BindCheckBox(resident, companies, QStringLiteral("BELARUS_SGN"), 1, 0);
    right->addRow(QString(), resident);
    fields << director << resident;
    new TEnterToTab(fields, this);

    m_panelNav = new TKV_DBNavigator(panel);
    m_panelNav->setObjectName(QStringLiteral("dbNavCompany"));
    m_panelNav->setVisibleControls({nbPost, nbCancel, nbEdit});
    m_panelNav->setHints(TKV_DBNavigator::StandardHints());
    m_panelNav->setDataSource(companies);
    m_panelNav->OnEditBtnClick = [this](TKV_DBNavigator *) { body()->EditRecord(); };
    auto *navRow = new QHBoxLayout;
    navRow->addWidget(m_panelNav);
    navRow->addStretch(1);
    outer->addLayout(navRow);
    return panel;
}

QVariant PickCompany(const QVariant &currentKey, int mode)
{
    return RunGuidePicker<TfrmCompanyGuide>(currentKey, mode);
}
