#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// The sign-in dialog: user name, password and the database (a connection description) to
// use. The values are returned exactly as typed.
class TfrmPasswordDlg : public QDialog
{
    Q_OBJECT
public:
    TfrmPasswordDlg(const QString &userName, const QString &password, const QString &dataBase,
                    const QStringList &dataBases, QWidget *parent = nullptr);

    QString userName() const;
    QString password() const;
    QString dataBase() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *edUserName;
    QLineEdit *edUserPassword;
    QComboBox *cbxDatabase;
    QPushButton *btnOk;
    QPushButton *btnCancel;
};
