// Editors bound to fields: showing, writing through the dataset's states, the search box.

#include "DataFixture.h"
#include "KV_DBControls.h"
#include "ScriptedPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QtTest>

class TstDBControls : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void lineEdit_data();
    void lineEdit();
    void choiceEditors();
    void typedTextSurvivesOtherEditors();
    void locateByEdit_data();
    void locateByEdit();

private:
    std::unique_ptr<DataFixture> f;
    std::unique_ptr<TKV_ClientDataSet> cards;
    std::unique_ptr<TKV_ClientDataSet> wareTypes;
    int m_lists = 0;
};

void TstDBControls::initTestCase()
{
    f = std::make_unique<DataFixture>();
    QVERIFY2(f->isValid(), qPrintable(f->error()));
}

void TstDBControls::init()
{
    QVERIFY(f->resetRows());
    const QString n = QString::number(++m_lists);
    cards =
        f->clientDataSet(QStringLiteral("cdsWareCard"),
                         f->provider(QStringLiteral("Card") + n,
                                     QStringLiteral("select * from zolt.t_card order by card_id"),
                                     QStringLiteral("zolt.t_card"), QStringLiteral("CARD_ID")));
    wareTypes = f->clientDataSet(
        QStringLiteral("cdsWareType"),
        f->provider(QStringLiteral("WareType") + n,
                    QStringLiteral("select * from zolt.t_waretype order by waretypename")));
    QVERIFY(wareTypes->Open());
    QVERIFY(cards->Open());
}

void TstDBControls::lineEdit_data()
{
    QTest::addColumn<bool>("autoEdit");
    QTest::addColumn<bool>("written");
    QTest::newRow("automatic edit: typing edits the row") << true << true;
    QTest::newRow("no automatic edit: the box is read-only") << false << false;
}

void TstDBControls::lineEdit()
{
    QFETCH(bool, autoEdit);
    QFETCH(bool, written);
    cards->setAutoEdit(autoEdit);
    cards->FieldByName(QStringLiteral("PRICE"))->DisplayFormat = QStringLiteral("### ##0.00");
    QLineEdit rack;
    QLineEdit price;
    BindLineEdit(&rack, cards.get(), QStringLiteral("RACKCODE"));
    BindLineEdit(&price, cards.get(), QStringLiteral("PRICE"));
    QCOMPARE(rack.text(), QStringLiteral("A1"));
    QCOMPARE(price.text(), QStringLiteral("12.50"));
    QCOMPARE(rack.isReadOnly(), !autoEdit);
    QVERIFY(cards->Next());
    QCOMPARE(rack.text(), QStringLiteral("B2"));

    if (!written) {
        QVERIFY(cards->Edit()); // the window starts the edit; now the box can be typed into
        QVERIFY(!rack.isReadOnly());
        cards->Cancel();
        QVERIFY(rack.isReadOnly());
        return;
    }
    rack.setFocus();
    rack.selectAll();
    QTest::keyClicks(&rack, QStringLiteral("C3"));
    // the text reaches the row when the dataset posts (or the box is left)
    QVERIFY(cards->Post());
    QCOMPARE(cards->FieldByName(QStringLiteral("RACKCODE"))->AsString(), QStringLiteral("C3"));
    QCOMPARE(cards->ChangeCount(), 1);
    // while editing the box shows the plain value, and a typed number is read back
    QVERIFY(cards->Edit());
    QCOMPARE(price.text(), QStringLiteral("99.99"));
    price.selectAll();
    QTest::keyClicks(&price, QStringLiteral("1 234,5"));
    QTest::keyClick(&price, Qt::Key_Return);
    QCOMPARE(cards->FieldByName(QStringLiteral("PRICE"))->AsFloat(), 1234.5);
    QVERIFY(cards->Post());
    QCOMPARE(price.text(), QStringLiteral("1 234.50"));
}

void TstDBControls::choiceEditors()
{
    QComboBox tax;
    QComboBox wareType;
    QCheckBox zeroQuantity;
    QDateEdit date;
    date.setMinimumDate(QDate(1900, 1, 1));
    date.setSpecialValueText(QStringLiteral(" "));
    BindComboBox(&tax, cards.get(), QStringLiteral("TAXPERCENT"),
                 {{QStringLiteral("без НДС"), 0},
                  {QStringLiteral("10%"), 10},
                  {QStringLiteral("18%"), 18},
                  {QStringLiteral("20%"), 20}});
    BindLookupCombo(&wareType, cards.get(), QStringLiteral("WARETYPE_ID"), wareTypes.get(),
                    QStringLiteral("WARETYPE_ID"), QStringLiteral("WARETYPENAME"));
    BindCheckBox(&zeroQuantity, cards.get(), QStringLiteral("CURRENTQUANTITY"), 0, 1);
    BindDateEdit(&date, cards.get(), QStringLiteral("CARDDATE"));

    QCOMPARE(tax.currentText(), QStringLiteral("20%"));
    QCOMPARE(wareType.currentText(), QStringLiteral("Кабель РК-75"));
    QVERIFY(!zeroQuantity.isChecked());
    QCOMPARE(date.date(), QDate(2004, 1, 5));
    QVERIFY(cards->Locate(QStringLiteral("CARD_ID"), 3));
    QVERIFY(zeroQuantity.isChecked());

    // choosing writes the stored key
    tax.setCurrentIndex(2);
    Q_EMIT tax.activated(2);
    QCOMPARE(cards->State(), KvDataSetState::Edit);
    QCOMPARE(cards->FieldByName(QStringLiteral("TAXPERCENT"))->AsInteger(), 18);
    const int amplifier = wareType.findText(QStringLiteral("Усилитель"));
    wareType.setCurrentIndex(amplifier);
    Q_EMIT wareType.activated(amplifier);
    QCOMPARE(cards->FieldByName(QStringLiteral("WARETYPE_ID"))->AsInteger(), 11);
    date.setDate(date.minimumDate());
    QVERIFY(cards->FieldByName(QStringLiteral("CARDDATE"))->IsNull());
    zeroQuantity.click();
    QCOMPARE(cards->FieldByName(QStringLiteral("CURRENTQUANTITY"))->AsFloat(), 1.0);
    cards->Cancel();
    QCOMPARE(tax.currentText(), QStringLiteral("20%"));
    QCOMPARE(date.date(), QDate(2004, 3, 1));
}

// Text typed into a box but not yet written stays while other editors write their fields.
void TstDBControls::typedTextSurvivesOtherEditors()
{
    cards->setAutoEdit(true);
    QLineEdit rack;
    QLineEdit notice;
    QComboBox tax;
    QCheckBox zeroQuantity;
    BindLineEdit(&rack, cards.get(), QStringLiteral("RACKCODE"));
    BindLineEdit(&notice, cards.get(), QStringLiteral("NOTICE"));
    BindComboBox(&tax, cards.get(), QStringLiteral("TAXPERCENT"),
                 {{QStringLiteral("без НДС"), 0},
                  {QStringLiteral("10%"), 10},
                  {QStringLiteral("18%"), 18},
                  {QStringLiteral("20%"), 20}});
    BindCheckBox(&zeroQuantity, cards.get(), QStringLiteral("CURRENTQUANTITY"), 0, 1);
    QCOMPARE(rack.text(), QStringLiteral("A1"));

    rack.selectAll();
    QTest::keyClicks(&rack, QStringLiteral("Z9"));
    QCOMPARE(cards->State(), KvDataSetState::Edit);
    QCOMPARE(cards->FieldByName(QStringLiteral("RACKCODE"))->AsString(), QStringLiteral("A1"));

    tax.setCurrentIndex(2);
    Q_EMIT tax.activated(2);
    QCOMPARE(cards->FieldByName(QStringLiteral("TAXPERCENT"))->AsInteger(), 18);
    QCOMPARE(rack.text(), QStringLiteral("Z9"));
    zeroQuantity.click();
    QCOMPARE(rack.text(), QStringLiteral("Z9"));
    notice.selectAll();
    QTest::keyClicks(&notice, QStringLiteral("second"));
    QTest::keyClick(&notice, Qt::Key_Return);
    QCOMPARE(cards->FieldByName(QStringLiteral("NOTICE"))->AsString(), QStringLiteral("second"));
    QCOMPARE(rack.text(), QStringLiteral("Z9"));
    QCOMPARE(tax.currentText(), QStringLiteral("18%"));

    // a value set from code shows in its own editor
    cards->FieldByName(QStringLiteral("TAXPERCENT"))->setValue(10);
    QCOMPARE(tax.currentText(), QStringLiteral("10%"));
    QCOMPARE(rack.text(), QStringLiteral("Z9"));

    // the post takes the typed text; cancel brings every editor back to the row
    QVERIFY(cards->Post());
    QCOMPARE(cards->FieldByName(QStringLiteral("RACKCODE"))->AsString(), QStringLiteral("Z9"));
    QCOMPARE(cards->FieldByName(QStringLiteral("TAXPERCENT"))->AsInteger(), 10);
    rack.selectAll();
    QTest::keyClicks(&rack, QStringLiteral("Q1"));
    tax.setCurrentIndex(3);
    Q_EMIT tax.activated(3);
    cards->Cancel();
    QCOMPARE(rack.text(), QStringLiteral("Z9"));
    QCOMPARE(tax.currentText(), QStringLiteral("10%"));
}

void TstDBControls::locateByEdit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::newRow("found") << "разв" << true;
    QTest::newRow("not found") << "zz" << false;
}

void TstDBControls::locateByEdit()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    wareTypes->setIndexFieldNames(QStringLiteral("WARETYPENAME"));
    QLineEdit search;
    search.setText(text);
    QCOMPARE(LocateByEdit(wareTypes.get(), &search), found);
    QCOMPARE(search.palette().color(QPalette::Text),
             found ? QApplication::palette(&search).color(QPalette::WindowText) : QColor(Qt::red));
    QCOMPARE(wareTypes->FieldByName(QStringLiteral("WARETYPE_ID"))->AsInteger(), found ? 12 : 10);
}

QTEST_MAIN(TstDBControls)
#include "tst_data_dbcontrols.moc"
