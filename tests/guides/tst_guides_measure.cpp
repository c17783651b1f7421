// The units-of-measure guide driven headless against the server: the pattern every guide
// follows (adding and editing in the grid, the search box, deleting with the reference check,
// the picker's answer, the save question on close, a refused post, sort markers).

#include "GuideDriver.h"
#include "GuidePickers.h"
#include "GuideTestSession.h"
#include "frmuSimpleGuides.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include <memory>

namespace {
const QString Name = QStringLiteral("MEASURENAME");

// Whether the texts come in this order in the list (other rows may lie between).
bool inOrder(const QStringList &list, const QStringList &texts)
{
    int last = -1;
    for (const QString &t : texts) {
        const int at = list.indexOf(t);
        if (at <= last)
            return false;
        last = at;
    }
    return true;
}

bool locate(TfrmGuide &w, const QString &name)
{
    return w.list()->Locate(Name, name);
}

} // namespace

class TstGuidesMeasure : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void addedAndEditedInTheGrid();
    void searchBox_data();
    void searchBox();
    void deleteRefusedWhileAWareTypeUsesTheUnit();
    void deleteAsksAndDeletesAFreeUnit();
    void pickerAnswer_data();
    void pickerAnswer();
    void mainMenuModeCannotChoose();
    void closeAnsweredNoDiscardsNewRow();
    void refusedPostReportedAndUndone();
    void cellEditorTakesNoMoreThanTheField();
    void sortMarkersAndFreshStart();

private:
    GuideTestSession m_s;
    std::unique_ptr<ScriptedPrompts> m_prompts;
};

void TstGuidesMeasure::initTestCase()
{
    QString error;
    QVERIFY2(m_s.open(&error), qPrintable(error));
    QVERIFY(m_s.exec(QStringLiteral(
        "insert into zolt.measure (measure_id, recalcfactor, shortname, measurename) values "
        "(101, 1, 'шт', 'Штука'), (102, 1, 'кг', 'Килограмм'), (103, 1, 'м', 'Метр'),"
        "(104, 1000, 'т', 'Тонна')")));
}

void TstGuidesMeasure::init()
{
    m_prompts.reset();
    m_prompts = std::make_unique<ScriptedPrompts>();
}

void TstGuidesMeasure::addedAndEditedInTheGrid()
{
    QVariant key;
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        act(w, "actInsertRecord")->trigger();
        QCOMPARE(w.list()->State(), KvDataSetState::Insert);
        QVERIFY(setCell(w, QStringLiteral("SHORTNAME"), QStringLiteral("л")));
        QVERIFY(setCell(w, Name, QStringLiteral("Литр")));
        pressNav(w, nbPost);
        key = w.list()->FieldValue(QStringLiteral("MEASURE_ID"));

        // Typing into a row that is not being edited changes nothing.
        QVERIFY(!setCell(w, Name, QStringLiteral("Литр?")));
        act(w, "actEditRecord")->trigger();
        QVERIFY(setCell(w, Name, QStringLiteral("Литр (дм3)")));
        pressNav(w, nbPost);
        QCOMPARE(w.list()->State(), KvDataSetState::Browse);
        act(w, "actClose")->trigger();
    });
    QCOMPARE(PickMeasure(QVariant(), 0), QVariant());
    QVERIFY(!key.isNull());
    QCOMPARE(
        m_s.value(QStringLiteral("select concat(shortname, '|', measurename, '|', "
                                 "recalcfactor::float8) from zolt.measure where measure_id = %1")
                      .arg(key.toLongLong()))
            .toString(),
        QStringLiteral("л|Литр (дм3)|1"));
    QVERIFY(m_prompts->texts().isEmpty());
}

void TstGuidesMeasure::searchBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::addColumn<bool>("red");
    QTest::newRow("beginning of a name")
        << QStringLiteral("шт") << QStringLiteral("Штука") << false;
    QTest::newRow("any letter case")
        << QStringLiteral("КИЛ") << QStringLiteral("Килограмм") << false;
    QTest::newRow("no such name") << QStringLiteral("zz") << QStringLiteral("Метр") << true;
}

void TstGuidesMeasure::searchBox()
{
    QFETCH(QString, typed);
    QFETCH(QString, found);
    QFETCH(bool, red);
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        QLineEdit *box = w.body()->searchBox();
        QCOMPARE(box->objectName(), QStringLiteral("edtSearch"));
        QVERIFY(locate(w, QStringLiteral("Метр")));
        typeText(box, typed);
        QCOMPARE(current(w, Name), found);
        QCOMPARE(box->palette().color(QPalette::Text) == QColor(Qt::red), red);
        // Enter hands the focus to the grid.
        w.activateWindow();
        box->setFocus();
        if (QTest::qWaitForWindowActive(&w) && box->hasFocus()) {
            QTest::keyClick(box, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), w.body()->grid());
        }
        act(w, "actClose")->trigger();
    });
    PickMeasure(QVariant(), 0);
}

void TstGuidesMeasure::deleteRefusedWhileAWareTypeUsesTheUnit()
{
    QVERIFY(m_s.exec(QStringLiteral("insert into zolt.waretype (waretype_id, measure_id, "
                                    "waretypename) values (501, 103, 'Провод')")));
    m_prompts->defaultAnswer = Prompts::Yes; // a question would delete
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        QVERIFY(locate(w, QStringLiteral("Метр")));
        act(w, "actDeleteRecord")->trigger();
        QVERIFY(locate(w, QStringLiteral("Метр")));
        act(w, "actClose")->trigger();
    });
    PickMeasure(QVariant(), 0);
    QCOMPARE(m_prompts->shown().size(), 1);
    QCOMPARE(m_prompts->shown().first().kind, Prompts::Kind::Warning);
    QCOMPARE(m_prompts->shown().first().text,
             QStringLiteral("\"Метр\" удалить нельзя, т.к. есть ссылка из номенклатурного "
                            "справочника"));
    QCOMPARE(
        m_s.value(QStringLiteral("select measurename from zolt.measure where measure_id = 103"))
            .toString(),
        QStringLiteral("Метр"));
}

void TstGuidesMeasure::deleteAsksAndDeletesAFreeUnit()
{
    m_prompts->answer(Prompts::Yes);
    QStringList left;
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        QVERIFY(locate(w, QStringLiteral("Тонна")));
        pressNav(w, nbDelete);
        left = values(w.list(), Name);
        act(w, "actClose")->trigger();
    });
    PickMeasure(QVariant(), 0);
    QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Удалять запись? Тонна")});
    QVERIFY(!left.contains(QStringLiteral("Тонна")));
    QVERIFY(left.contains(QStringLiteral("Метр")));
    QVERIFY(!m_s.value(QStringLiteral("select measure_id from zolt.measure where measure_id = 104"))
                 .isValid());
}

void TstGuidesMeasure::pickerAnswer_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("chosen");
    QTest::newRow("Выбор") << QStringLiteral("select") << true;
    QTest::newRow("double click") << QStringLiteral("double click") << true;
    QTest::newRow("Закрыть") << QStringLiteral("close") << false;
    QTest::newRow("close box") << QStringLiteral("close box") << false;
}

void TstGuidesMeasure::pickerAnswer()
{
    QFETCH(QString, how);
    QFETCH(bool, chosen);
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        // The caller's unit is current when the window shows.
        QCOMPARE(current(w, Name), QStringLiteral("Штука"));
        QVERIFY(act(w, "actSelectItem")->isEnabled());
        QVERIFY(locate(w, QStringLiteral("Метр")));
        TKV_DBGridEh *grid = w.body()->grid();
        if (how == QLatin1String("select")) {
            act(w, "actSelectItem")->trigger();
        } else if (how == QLatin1String("double click")) {
            doubleClick(grid, cell(w, Name));
        } else if (how == QLatin1String("close")) {
            act(w, "actClose")->trigger();
        } else {
            w.close();
        }
        QVERIFY(!w.isVisible());
    });
    const QVariant answer = PickMeasure(QVariant::fromValue(qint64(101)), 1);
    QCOMPARE(answer.toLongLong(), chosen ? 103 : 101);
}

void TstGuidesMeasure::mainMenuModeCannotChoose()
{
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        QVERIFY(!act(w, "actSelectItem")->isEnabled());
        TKV_DBGridEh *grid = w.body()->grid();
        QVERIFY(locate(w, QStringLiteral("Метр")));
        doubleClick(grid, cell(w, Name));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QCOMPARE(w.list()->State(), KvDataSetState::Browse);
        act(w, "actClose")->trigger();
    });
    QCOMPARE(PickMeasure(QVariant(), 0), QVariant());
}

void TstGuidesMeasure::closeAnsweredNoDiscardsNewRow()
{
    m_prompts->answer(Prompts::No);
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        act(w, "actInsertRecord")->trigger();
        QVERIFY(setCell(w, Name, QStringLiteral("Временная")));
        act(w, "actClose")->trigger();
        QVERIFY(!w.isVisible());
    });
    PickMeasure(QVariant(), 0);
    QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Данные изменены, записать?")});
    QVERIFY(!m_s.value(QStringLiteral("select measure_id from zolt.measure where "
                                      "measurename = 'Временная'"))
                 .isValid());
}

void TstGuidesMeasure::refusedPostReportedAndUndone()
{
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        act(w, "actInsertRecord")->trigger();
        // The key of another unit: the server refuses the row.
        w.list()->FieldByName(QStringLiteral("MEASURE_ID"))->setValue(101);
        QVERIFY(setCell(w, Name, QStringLiteral("Дубль")));
        pressNav(w, nbPost);
        QCOMPARE(w.list()->State(), KvDataSetState::Browse);
        QVERIFY(!values(w.list(), Name).contains(QStringLiteral("Дубль")));
        QVERIFY(w.isVisible());
        // The guide goes on working.
        QVERIFY(locate(w, QStringLiteral("Штука")));
        act(w, "actClose")->trigger();
    });
    PickMeasure(QVariant(), 0);
    const QStringList errors = m_prompts->texts(Prompts::Kind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith(
                 QStringLiteral("ERROR: Ошибка обновления - cdsMaster Добавление\r")),
             qPrintable(errors.first()));
    QCOMPARE(
        m_s.value(QStringLiteral("select measurename from zolt.measure where measure_id = 101"))
            .toString(),
        QStringLiteral("Штука"));
}

void TstGuidesMeasure::cellEditorTakesNoMoreThanTheField()
{
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        QVERIFY(locate(w, QStringLiteral("Метр")));
        act(w, "actEditRecord")->trigger();
        TKV_DBGridEh *grid = w.body()->grid();
        const QModelIndex index = cell(w, Name);
        grid->setCurrentIndex(index);
        grid->edit(index);
        auto *editor = grid->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QCOMPARE(editor->maxLength(), 30);
        typeText(editor, QString(40, QLatin1Char('x')));
        QCOMPARE(editor->text().size(), 30);
        pressNav(w, nbCancel);
        act(w, "actClose")->trigger();
    });
    PickMeasure(QVariant(), 0);
    QVERIFY(m_prompts->texts().isEmpty());
}

void TstGuidesMeasure::sortMarkersAndFreshStart()
{
    const QStringList byName = {QStringLiteral("Килограмм"), QStringLiteral("Метр"),
                                QStringLiteral("Штука")};
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        TKV_DBGridEh *grid = w.body()->grid();
        QVERIFY(inOrder(values(w.list(), Name), byName));
        grid->clearSortMarkers();
        grid->setSortMarker(QStringLiteral("SHORTNAME"), smDownEh);
        QVERIFY(inOrder(values(w.list(), QStringLiteral("SHORTNAME")),
                        {QStringLiteral("шт"), QStringLiteral("м"), QStringLiteral("кг")}));
        act(w, "actClose")->trigger();
    });
    PickMeasure(QVariant(), 0);
    onGuide<TfrmMeasure>(*m_prompts, [&](TfrmMeasure &w) {
        TKV_DBGridEh *grid = w.body()->grid();
        QCOMPARE(grid->sortMarker(Name), smUpEh);
        QCOMPARE(grid->sortMarker(QStringLiteral("SHORTNAME")), smNoneEh);
        QVERIFY(inOrder(values(w.list(), Name), byName));
        act(w, "actClose")->trigger();
    });
    PickMeasure(QVariant(), 0);
}

QTEST_MAIN(TstGuidesMeasure)
#include "tst_guides_measure.moc"
