#include "frmuPasswordDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TfrmPasswordDlg::TfrmPasswordDlg(const QString &userName, const QString &password,
                                 const QString &dataBase, const QStringList &dataBases,
                                 QWidget *parent)
    : QDialog(parent)
    , edUserName(new QLineEdit(userName, this))
    , edUserPassword(new QLineEdit(password, this))
    , cbxDatabase(new QComboBox(this))
    , btnOk(new QPushButton(QStringLiteral("Готово"), this))
    , btnCancel(new QPushButton(QStringLiteral("Отмена"), this))
{
    setObjectName(QStringLiteral("frmPasswordDlg"));
    setWindowTitle(QStringLiteral("Соединение с БД .."));
    setModal(true);
    setProperty("helpContext", 4100);

    edUserName->setObjectName(QStringLiteral("edUserName"));
    edUserName->setToolTip(QStringLiteral("Введите имя пользователя для доступа к базе данных.\n"
                                          "Для доступа к демоверсии введите имя: DEMO"));
    edUserPassword->setObjectName(QStringLiteral("edUserPassword"));
    edUserPassword->setEchoMode(QLineEdit::Password);
    edUserPassword->setToolTip(QStringLiteral("Введите пароль для доступа к базе данных.\n"
                                              "Для доступа к демоверсии введите пароль: vyrt"));
    cbxDatabase->setObjectName(QStringLiteral("cbxDatabase"));
    cbxDatabase->setEditable(true);
    cbxDatabase->setInsertPolicy(QComboBox::NoInsert);
    cbxDatabase->addItems(dataBases);
    cbxDatabase->setEditText(dataBase);
    cbxDatabase->setToolTip(QStringLiteral("Выберите конфигурацию соединения с базой данных.\n"
                                           "Для доступа к демоверсии выберите: DEMO"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Пользователь:"), edUserName);
    form->addRow(QStringLiteral("Пароль:"), edUserPassword);
    form->addRow(QStringLiteral("База данных:"), cbxDatabase);

    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(btnOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnCancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // The password has the focus, unless there is no user name yet.
    (userName.isEmpty() ? static_cast<QWidget *>(edUserName) : edUserPassword)->setFocus();
}

QString TfrmPasswordDlg::userName() const
{
    return edUserName->text();
}

QString TfrmPasswordDlg::password() const
{
    return edUserPassword->text();
}

QString TfrmPasswordDlg::dataBase() const
{
    return cbxDatabase->currentText();
}

void TfrmPasswordDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the desktop, not over the main window.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
