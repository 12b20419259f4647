// The catalogue window's editing model on its own: which edits make one undo
// step, that choosing a pump is no edit, which curves the save asks about,
// and that reading again drops the edits.
#include "catalogueeditor/catalogueeditmodel.h"
#include "store/names.h"
#include "tests/calcwindow/calcwindowfixture.h"

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <cmath>
#include <limits>

using namespace tarnwick;
using namespace tarnwick::testing;
namespace n = store::names;

class tst_catalogueeditmodel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void editsMakeUndoSteps_data();
    void editsMakeUndoSteps();
    void choosingAPumpIsNoEdit_data();
    void choosingAPumpIsNoEdit();
    void saveAsksOnlyAboutChangedCurves_data();
    void saveAsksOnlyAboutChangedCurves();
    void readingAgainDropsTheEdits();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<CatalogueEditModel> m_model;
};

void tst_catalogueeditmodel::init()
{
    QString error;
    m_folder = makeCalcWindowFolder(&error);
    QVERIFY2(m_folder, qPrintable(error));
    m_model = std::make_unique<CatalogueEditModel>();
    QVERIFY2(m_model->load(m_folder->folder(), &error), qPrintable(error));
    QVERIFY(m_model->state().pumps.size() >= 3);
    QVERIFY(m_model->state().pumps.at(0).points.size() >= 3);
}

void tst_catalogueeditmodel::cleanup()
{
    m_model.reset();
    m_folder.reset();
}

void tst_catalogueeditmodel::editsMakeUndoSteps_data()
{
    QTest::addColumn<QStringList>("mergeKeys"); // one edit of the first pump's model each
    QTest::addColumn<int>("steps");
    QTest::newRow("typing into one field") << QStringList{u"1:型号"_qs, u"1:型号"_qs, u"1:型号"_qs} << 1;
    QTest::newRow("two fields") << QStringList{u"1:型号"_qs, u"1:转速"_qs} << 2;
    QTest::newRow("back to the first field") << QStringList{u"a"_qs, u"b"_qs, u"a"_qs} << 3;
    QTest::newRow("edits without a key") << QStringList{QString(), QString()} << 2;
}

void tst_catalogueeditmodel::editsMakeUndoSteps()
{
    QFETCH(QStringList, mergeKeys);
    QFETCH(int, steps);
    const QList<store::EditablePump> stored = m_model->state().pumps;
    QList<bool> applyingSeen;
    connect(m_model.get(), &CatalogueEditModel::stateChanged, this,
            [&] { applyingSeen.append(m_model->isApplying()); });
    for (qsizetype i = 0; i < mergeKeys.size(); ++i) {
        m_model->edit(u"修改"_qs, mergeKeys.at(i),
                      [i](CatalogueEditorState& s) { s.pumps[0].setField(n::model(), u"M%1"_qs.arg(i)); });
    }
    QCOMPARE(m_model->undoStack()->count(), steps);
    const QString last = u"M%1"_qs.arg(mergeKeys.size() - 1);
    QCOMPARE(m_model->state().pumps.at(0).model(), last);
    QVERIFY(m_model->hasPendingEdits());
    // The views follow each change while it is applied, never after.
    QCOMPARE(applyingSeen, QList<bool>(mergeKeys.size(), true));
    QVERIFY(!m_model->isApplying());

    while (m_model->undoStack()->canUndo())
        m_model->undoStack()->undo();
    QCOMPARE(m_model->state().pumps, stored);
    QVERIFY(!m_model->hasPendingEdits());
    while (m_model->undoStack()->canRedo())
        m_model->undoStack()->redo();
    QCOMPARE(m_model->state().pumps.at(0).model(), last);
}

void tst_catalogueeditmodel::choosingAPumpIsNoEdit_data()
{
    QTest::addColumn<int>("index"); // -2: one past the last pump
    QTest::addColumn<int>("current");
    QTest::newRow("the next pump") << 1 << 1;
    QTest::newRow("none") << -1 << -1;
    QTest::newRow("the pump on display") << 0 << 0;
    QTest::newRow("past the last pump") << -2 << 0;
    QTest::newRow("below none") << -5 << 0;
}

void tst_catalogueeditmodel::choosingAPumpIsNoEdit()
{
    QFETCH(int, index);
    QFETCH(int, current);
    QCOMPARE(m_model->state().current, 0);
    QSignalSpy chosen(m_model.get(), &CatalogueEditModel::currentChanged);
    QSignalSpy changed(m_model.get(), &CatalogueEditModel::stateChanged);
    m_model->selectPump(index == -2 ? static_cast<int>(m_model->state().pumps.size()) : index);
    QCOMPARE(m_model->state().current, current);
    QCOMPARE(m_model->currentPump() ? m_model->currentPump()->key : -1,
             current >= 0 ? m_model->state().pumps.at(current).key : -1);
    QCOMPARE(chosen.count(), current != 0 ? 1 : 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_model->undoStack()->count(), 0);
    QVERIFY(!m_model->hasPendingEdits());
}

void tst_catalogueeditmodel::saveAsksOnlyAboutChangedCurves_data()
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    // Flows of the first pump's first three points, as factors of its own
    // second flow; NaN leaves the point as it is.
    QTest::addColumn<QList<double>>("flows");
    QTest::addColumn<bool>("renamed");
    QTest::addColumn<QStringList>("lines"); // what each line asked about holds
    QTest::newRow("model renamed, curve untouched") << QList<double>{nan, nan, nan} << true << QStringList{};
    QTest::newRow("rising flows changed") << QList<double>{0.5, 1.0, 1.5} << false << QStringList{};
    QTest::newRow("third flow equal to the second")
        << QList<double>{nan, 1.0, 1.0} << false << QStringList{u"第 3 点"_qs};
    QTest::newRow("second and third fall")
        << QList<double>{2.0, 1.0, 0.5} << true << QStringList{u"第 2 点"_qs, u"第 3 点"_qs};
}

void tst_catalogueeditmodel::saveAsksOnlyAboutChangedCurves()
{
    QFETCH(QList<double>, flows);
    QFETCH(bool, renamed);
    QFETCH(QStringList, lines);
    // The stored catalogue as read is asked about as little as the model
    // is told to change: a curve stored with falling flows stays unasked.
    QVERIFY(m_model->fallingFlows().isEmpty());
    const double second = m_model->state().pumps.at(0).points.at(1).flow;
    QVERIFY(second > 0.0);
    m_model->edit(u"修改"_qs, QString(), [&](CatalogueEditorState& s) {
        for (int k = 0; k < flows.size(); ++k)
            if (!std::isnan(flows.at(k)))
                s.pumps[0].points[k].flow = flows.at(k) * second;
        if (renamed)
            s.pumps[0].setField(n::model(), u"TW50-NEU"_qs);
    });
    const QStringList asked = m_model->fallingFlows();
    QCOMPARE(asked.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QVERIFY2(asked.at(i).contains(lines.at(i)), qPrintable(asked.at(i)));
        QVERIFY2(asked.at(i).contains(renamed ? u"TW50-NEU"_qs : m_model->state().pumps.at(0).model()),
                 qPrintable(asked.at(i)));
    }
}

void tst_catalogueeditmodel::readingAgainDropsTheEdits()
{
    const QList<store::EditablePump> stored = m_model->state().pumps;
    m_model->edit(u"删除"_qs, QString(), [](CatalogueEditorState& s) { s.pumps.removeAt(0); });
    m_model->selectPump(static_cast<int>(m_model->state().pumps.size()) - 1);
    const int last = m_model->state().current;
    QVERIFY(m_model->hasPendingEdits());

    QString error;
    QVERIFY2(m_model->reload(last, &error), qPrintable(error));
    QCOMPARE(m_model->state().pumps, stored);
    QCOMPARE(m_model->state().current, last); // one more pump again: the same place
    QCOMPARE(m_model->undoStack()->count(), 0);
    QVERIFY(!m_model->hasPendingEdits());
    // A place past the end shows the last pump.
    QVERIFY(m_model->reload(1000, &error));
    QCOMPARE(m_model->state().current, static_cast<int>(stored.size()) - 1);
}

QTEST_MAIN(tst_catalogueeditmodel)
#include "tst_catalogueeditmodel.moc"
