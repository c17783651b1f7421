// The bank-accounts guide driven headless: the bank and organisation ellipsis buttons exist
// only while an account is edited, a bank added inside the bank picker is offered at once,
// deleting an account never asks.

#include "GuideDriver.h"
#include "GuidePickers.h"
#include "GuideTestSession.h"
#include "frmuBankAcc.h"
#include "frmuSimpleGuides.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

QToolButton *button(QWidget &w, const char *name)
{
    return w.findChild<QToolButton *>(QString::fromLatin1(name));
}

} // namespace

class TstGuidesBankAcc : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void ellipsisButtonsOnlyWhileEditing();
    void bankAddedInThePickerIsOfferedAtOnce();
    void deleteNeverAsks();

private:
    GuideTestSession m_s;
    std::unique_ptr<ScriptedPrompts> m_prompts;
};

void TstGuidesBankAcc::initTestCase()
{
    QString error;
    QVERIFY2(m_s.open(&error), qPrintable(error));
    QVERIFY(m_s.exec(QStringLiteral(
        "insert into zolt.company (company_id, company_code, company_name) values "
        "(11, '11', 'Альфа');"
        "insert into zolt.bank (bank_id, bank_code, bank_name, adress_street, adress_box, "
        "valid_to) values (21, '153', 'Первый банк', 'Ленина', '1', date '4712-12-31');"
        "insert into zolt.bankacc (bankacc_id, company_id, bank_id, bankacctype_id, bankacc, "
        "valid_to) values (31, 11, 21, 0, '3012000001', date '4712-12-31'),"
        "(32, 11, 21, 0, '3012000002', date '4712-12-31')")));
}

void TstGuidesBankAcc::init()
{
    m_prompts.reset();
    m_prompts = std::make_unique<ScriptedPrompts>();
}

void TstGuidesBankAcc::ellipsisButtonsOnlyWhileEditing()
{
    onGuide<TfrmBankAcc>(*m_prompts, [&](TfrmBankAcc &w) {
        QVERIFY(!w.body()->searchBox());
        QCOMPARE(current(w, QStringLiteral("L_Bank")), QStringLiteral("Первый банк 153 Ленина 1"));
        QVERIFY(button(w, "btnGetBank")->isHidden());
        QVERIFY(button(w, "btnGetCompany")->isHidden());
        // Choosing while browsing does nothing: no picker opens.
        act(w, "actGetBank")->trigger();
        act(w, "actGetCompany")->trigger();
        QCOMPARE(m_prompts->dialogsRun, 1);

        act(w, "actEditRecord")->trigger();
        QVERIFY(!button(w, "btnGetBank")->isHidden());
        QVERIFY(!button(w, "btnGetCompany")->isHidden());
        pressNav(w, nbCancel);
        QVERIFY(button(w, "btnGetBank")->isHidden());
        act(w, "actClose")->trigger();
    });
    QCOMPARE(PickBankAcc(0, 0).toInt(), 0);
}

void TstGuidesBankAcc::bankAddedInThePickerIsOfferedAtOnce()
{
    QVariant newBank;
    onGuide<TfrmBankAcc>(*m_prompts, [&](TfrmBankAcc &w) {
        act(w, "actInsertRecord")->trigger();
        QVERIFY(!button(w, "btnGetBank")->isHidden());
        onGuide<TfrmBank>(*m_prompts, [&](TfrmBank &banks) {
            QVERIFY(act(banks, "actSelectItem")->isEnabled());
            act(banks, "actInsertRecord")->trigger();
            QVERIFY(setCell(banks, QStringLiteral("BANK_CODE"), QStringLiteral("777")));
            QVERIFY(setCell(banks, QStringLiteral("BANK_NAME"), QStringLiteral("Новый банк")));
            pressNav(banks, nbPost);
            newBank = banks.list()->FieldValue(QStringLiteral("BANK_ID"));
            act(banks, "actSelectItem")->trigger();
        });
        QTest::mouseClick(button(w, "btnGetBank"), Qt::LeftButton);
        QVERIFY(!newBank.isNull());
        QCOMPARE(w.list()->FieldValue(QStringLiteral("BANK_ID")).toLongLong(),
                 newBank.toLongLong());
        auto *banks = w.findChild<QComboBox *>(QStringLiteral("cbxBank"));
        QCOMPARE(banks->currentText(), QStringLiteral("Новый банк 777  "));
        typeText(w.findChild<QLineEdit *>(QStringLiteral("edtBankAcc")),
                 QStringLiteral("3012000003"));
        pressNav(w, nbPost);
        act(w, "actClose")->trigger();
    });
    PickBankAcc(0, 0);
    QCOMPARE(m_s.value(QStringLiteral("select bank_id from zolt.bankacc where bankacc = "
                                      "'3012000003'"))
                 .toLongLong(),
             newBank.toLongLong());
    QVERIFY(m_prompts->texts().isEmpty());
}

void TstGuidesBankAcc::deleteNeverAsks()
{
    onGuide<TfrmBankAcc>(*m_prompts, [&](TfrmBankAcc &w) {
        QVERIFY(w.list()->Locate(QStringLiteral("BANKACC_ID"), 32));
        act(w, "actDeleteRecord")->trigger();
        QVERIFY(
            !values(w.list(), QStringLiteral("BANKACC")).contains(QStringLiteral("3012000002")));
        act(w, "actClose")->trigger();
    });
    PickBankAcc(0, 0);
    QVERIFY(m_prompts->texts().isEmpty());
    QVERIFY(!m_s.value(QStringLiteral("select bankacc_id from zolt.bankacc where bankacc_id = 32"))
                 .isValid());
}

QTEST_MAIN(TstGuidesBankAcc)
#include "tst_guides_bankacc.moc"
