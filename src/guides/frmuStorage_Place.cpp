#include "frmuStorage_Place.h"

#include "KV_ClientDataSet.h"
#include "KV_DBControls.h"
#include "KV_FormPlacement.h"
#include "KV_LIB.h"
#include "frmuSimpleGuides.h"
#include "uEnterToTab.h"
#include "uGuideBody.h"
#include "uGuidePanel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QString WindowName = QStringLiteral("frmStorage_Place");

TGuideView storageView()
{
    TGuideView v;
    v.table = GuideTable::StoragePlace;
    v.columns = {GuideColumn(QStringLiteral("STORENAME"), QStringLiteral("Наименование"), smUpEh),
                 GuideColumn(QStringLiteral("L_MatRespPerson"), QStringLiteral("Мат. Отв. лицо")),
                 GuideColumn(QStringLiteral("NOTICE"), QStringLiteral("Примечание"))};
    return v;
}

} // namespace

TfrmStorage_Place::TfrmStorage_Place(KvSession &session, QWidget *parent)
    : KvChildWindow(parent)
    , m_body(new TGuideBody(storageView(), session, this))
{
    setObjectName(WindowName);
    setWindowTitle(QStringLiteral("Справочник мест хранения"));
    setProperty("helpContext", 7050);
    TKV_ClientDataSet *persons =
        m_body->addLookupList(QStringLiteral("cdsStoragePerson"), GuideLists::ResponsiblePersons,
                              QStringLiteral("PERSON_ID"));
    m_body->list()->AddLookupField(QStringLiteral("L_MatRespPerson"), KvFieldType::String,
                                   QStringLiteral("MATRESPPERSON_ID"), persons,
                                   QStringLiteral("PERSON_ID"), QStringLiteral("DESCR"), 52);
    m_body->centralLayout()->addWidget(createPanel());
    m_body->afterInsert = [this] { m_name->setFocus(); };
    m_body->afterEdit = [this] { m_name->setFocus(); };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    resize(560, 420);
    TFormPlacement placement(TFormPlacement::SettingsKey(WindowName));
    m_body->RestoreSettings(placement);
}

TfrmStorage_Place::~TfrmStorage_Place()
{
    if (!m_closed)
        m_body->CloseData();
}

QWidget *TfrmStorage_Place::createPanel()
{
    auto *panel = new QGroupBox(m_body);
    panel->setObjectName(QStringLiteral("pnlStoragePlace"));
    auto *form = new QFormLayout(panel);
    TKV_ClientDataSet *places = m_body->list();
    m_name = AddPanelEdit(form, QStringLiteral("Наименование"), places, QStringLiteral("STORENAME"),
                          QStringLiteral("edtStoreName"));
    m_person = new QComboBox(panel);
    m_person->setObjectName(QStringLiteral("cbxMatRespPerson"));
    BindLookupCombo(m_person, places, QStringLiteral("MATRESPPERSON_ID"),
                    m_body->lookupLists().constFirst(), QStringLiteral("PERSON_ID"),
                    QStringLiteral("DESCR"));
    form->addRow(QStringLiteral("Мат. Отв. лицо"), m_person);
    m_notice = AddPanelEdit(form, QStringLiteral("Примечание"), places, QStringLiteral("NOTICE"),
                            QStringLiteral("edtNotice"));
    // Connected after the binding: the note is written before the question.
    connect(m_notice, &QLineEdit::editingFinished, this, [this] { noticeLeft(); });
    new TEnterToTab({m_name, m_person, m_notice}, this);
    return panel;
}

void TfrmStorage_Place::noticeLeft()
{
    TKV_ClientDataSet *places = m_body->list();
    const KvDataSetState state = places->State();
    if (m_asking || (state != KvDataSetState::Edit && state != KvDataSetState::Insert))
        return;
    m_asking = true;
    if (ConfirmSaveChanges())
        places->Post();
    else
        places->Cancel();
    m_body->grid()->setFocus();
    m_asking = false;
}

void TfrmStorage_Place::childActivate(int parameter)
{
    if (!m_placed) {
        TFormPlacement placement(TFormPlacement::SettingsKey(WindowName));
        placement.RestorePlacement(this);
        m_placed = true;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_body->ConfirmClose()) {
        m_body->CloseData();
        m_body->list()->setReadOnly(parameter != 1);
        m_body->OpenData();
        m_body->SortByMarkers();
    }
    QGuiApplication::restoreOverrideCursor();
}

void TfrmStorage_Place::saveSettings()
{
    TFormPlacement placement(TFormPlacement::SettingsKey(WindowName));
    placement.SavePlacement(this);
    m_body->SaveSettings(placement);
}

void TfrmStorage_Place::closeEvent(QCloseEvent *event)
{
    m_asking = true; // the close asks itself
    const bool canClose = m_body->ConfirmClose();
    m_asking = false;
    if (!canClose) {
        event->ignore();
        return;
    }
    m_body->CloseData();
    m_closed = true;
    saveSettings();
    KvChildWindow::closeEvent(event);
}
