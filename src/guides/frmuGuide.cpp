#include "frmuGuide.h"

#include "KV_ClientDataSet.h"
#include "KV_FormPlacement.h"
#include "KV_LIB.h"
#include "KV_Prompts.h"
#include "dmuImages.h"
#include "dmuRDM.h"

#include <QAction>
#include <QKeyEvent>
#include <QToolBar>
#include <QVBoxLayout>

KvSession *GuideSession()
{
    return DMR ? &DMR->session() : nullptr;
}

TfrmGuide::TfrmGuide(const TGuideWindow &window, const TGuideView &view, KvSession &session,
                     QWidget *parent)
    : TfrmKvModal(parent)
    , m_window(window)
    , m_body(new TGuideBody(view, session, this))
{
    setObjectName(window.name);
    setWindowTitle(window.caption);
    setProperty("helpContext", window.helpContext);
    setSizeGripEnabled(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);

    m_select = new QAction(TdmImages::build(TdmImages::imgSelect), window.selectText, this);
    m_select->setObjectName(window.selectName);
    m_select->setToolTip(window.selectHint);
    m_select->setEnabled(false);
    connect(m_select, &QAction::triggered, this, [this] { SelectItem(); });
    m_body->addWindowAction(m_select);
    m_body->toolBar()->addSeparator();
    m_close = new QAction(TdmImages::build(TdmImages::imgClose), window.closeText, this);
    m_close->setObjectName(window.closeName);
    m_close->setToolTip(window.closeHint);
    m_close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    connect(m_close, &QAction::triggered, this, [this] { reject(); });
    m_body->addWindowAction(m_close);
    m_body->toolBar()->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(m_body, &TGuideBody::rowActivated, this, [this] {
        if (m_select->isEnabled())
            m_select->trigger();
    });

    TFormPlacement placement(TFormPlacement::SettingsKey(window.name));
    if (!placement.RestorePlacement(this))
        resize(window.size);
    m_body->RestoreSettings(placement);
}

TfrmGuide::~TfrmGuide()
{
    if (!m_closed)
        m_body->CloseData();
}

QVariant TfrmGuide::Pick(const QVariant &currentKey, int mode)
{
    m_key = currentKey;
    m_mode = mode;
    m_select->setEnabled(mode != 0);
    m_closed = false;
    if (!m_body->OpenData()) {
        m_body->CloseData();
        return currentKey;
    }
    PrepareShow();
    const int result = Prompts::current().execDialog(this);
    if (!m_closed) {
        // Ended without passing through done(): nothing pending may survive the window.
        m_body->list()->Cancel();
        m_body->CloseData();
        m_closed = true;
    }
    return result == QDialog::Accepted && !m_key.isNull() ? m_key : currentKey;
}

void TfrmGuide::PrepareShow()
{
    if (m_window.russianOnShow)
        SwitchKeyboardLayout(QStringLiteral("RU"));
    if (m_window.sortOnShow)
        m_body->SortByMarkers();
    // The caller's row stays current: the search step runs only when there is none to keep
    // (the empty search box would otherwise move to the first row again).
    const bool positioned = m_window.moveToKey && m_body->LocateKey(m_key);
    if (m_window.searchOnShow && !positioned)
        m_body->RunSearch();
    else
        m_body->FocusSearch();
}

void TfrmGuide::SelectItem()
{
    if (!m_select->isEnabled() || !m_body->ConfirmClose())
        return;
    TKV_ClientDataSet *list = m_body->list();
    if (!list->Active() || list->IsEmpty())
        return;
    m_key = list->FieldValue(m_body->table().keyField);
    done(QDialog::Accepted);
}

void TfrmGuide::done(int result)
{
    if (!m_closed) {
        if (!m_body->ConfirmClose())
            return;
        m_body->CloseData();
        TFormPlacement placement(TFormPlacement::SettingsKey(m_window.name));
        placement.SavePlacement(this);
        m_body->SaveSettings(placement);
        m_closed = true;
    }
    TfrmKvModal::done(result);
}

void TfrmGuide::keyPressEvent(QKeyEvent *event)
{
    // Esc cancels a cell being edited; it never closes the guide.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    TfrmKvModal::keyPressEvent(event);
}
