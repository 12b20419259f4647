#include "calcwindow/frmcalculate.h"
#include "catalogueeditor/catalogueeditor.h"
#include "catalogueeditor/pointpaste.h"
#include "controls/messagebox.h"
#include "shell/mdiform1.h"
#include "shell/startup.h"
#include "store/names.h"
#include "tests/calcwindow/windowfixture.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <cmath>

using namespace tarnwick;
using namespace tarnwick::testing;

namespace {

// Types text as an input method commits it, so Chinese text arrives as
// typed text does.
void typeText(QLineEdit* box, const QString& text)
{
    box->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

// A head curve a little above the fixture's first pump, so the check at
// 50 m3/h against 20 m passes, with a straight power curve.
double headOf(double q)
{
    return 28.4 - 0.0025 * q * q;
}
double powerOf(double q)
{
    return 2.0 + 0.06 * q;
}

} // namespace

class TestCatalogueEditor : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pastedPumpIsSavedAndChecked();
    void negativePowerCannotBeSaved();
    void undoRestoresValuesAndClosingAsks();
    void pastedText_data();
    void pastedText();
    void companyTextsAreSaved();
    void schematicIsAssignedToTheType();
    void duplicateScalesByAffinity_data();
    void duplicateScalesByAffinity();
    void impellerCutIsGuarded_data();
    void impellerCutIsGuarded();
    void pasteReplacesOrAppends_data();
    void pasteReplacesOrAppends();
    void fallingFlowsNeedConfirmation_data();
    void fallingFlowsNeedConfirmation();
    void fieldsShowUnitsAndButtonsFit();
    void closingOffersToSave_data();
    void closingOffersToSave();
    void movesKeepEachPumpWhole_data();
    void movesKeepEachPumpWhole();

private:
    std::unique_ptr<CatalogueEditor> openEditor();
};

void TestCatalogueEditor::initTestCase()
{
    // The file dialogs remember their folders in the test's own settings.
    QStandardPaths::setTestModeEnabled(true);
}

void TestCatalogueEditor::init()
{
    QString error;
    QVERIFY2(setUpWindows(&error), qPrintable(error));
}

void TestCatalogueEditor::cleanup()
{
    tearDownWindows();
}

std::unique_ptr<CatalogueEditor> TestCatalogueEditor::openEditor()
{
    auto editor = std::make_unique<CatalogueEditor>();
    QString error;
    if (!editor->load(m_folder->folder(), &error))
        qFatal("%s", qPrintable(error));
    return editor;
}

void TestCatalogueEditor::pastedPumpIsSavedAndChecked()
{
    MDIForm1 form;
    QString error;
    QVERIFY2(form.load(m_folder->folder(), &error), qPrintable(error));
    form.OpenCheckMode();
    frmcalculate* calculation = form.calculationWindow();
    QVERIFY(calculation);
    auto* combo1 = childOf<QComboBox>(calculation, QStringLiteral("Combo1"));
    auto* grid = childOf<QTableView>(calculation, QStringLiteral("DataGrid1"));
    const int modelsBefore = combo1->count();
    const int gridRowsBefore = grid->model()->rowCount();

    // The menu "数据" stands before "窗口" and opens the window.
    QAction* item = form.findChild<QAction*>(QStringLiteral("catalogueMaintenance"));
    QVERIFY(item);
    item->trigger();
    CatalogueEditor* editor = form.catalogueEditor();
    QVERIFY(editor);

    QTest::mouseClick(childOf<QPushButton>(editor, QStringLiteral("新建")), Qt::LeftButton);
    QTest::keyClicks(childOf<QLineEdit>(editor, QStringLiteral("pumpField_水泵型号")), QStringLiteral("TW50-NEU"));
    typeText(childOf<QLineEdit>(editor, QStringLiteral("pumpField_水泵类型")), verticalType());
    QTest::keyClicks(childOf<QLineEdit>(editor, QStringLiteral("pumpField_转速")), QStringLiteral("2900"));

    // Seven points as a spreadsheet with decimal commas copies them.
    QString clip = QStringLiteral("流量\t扬程\t轴功率\r\n");
    for (int k = 0; k < 7; ++k) {
        const double q = 20.0 + 10.0 * k;
        clip += QStringLiteral("%1\t%2\t%3\r\n")
                    .arg(QString::number(q), QString::number(headOf(q)).replace(QLatin1Char('.'), QLatin1Char(',')),
                         QString::number(powerOf(q)).replace(QLatin1Char('.'), QLatin1Char(',')));
    }
    QApplication::clipboard()->setText(clip);
    QTest::mouseClick(childOf<QPushButton>(editor, QStringLiteral("粘贴点")), Qt::LeftButton);
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    auto* points = childOf<QTableWidget>(editor, QStringLiteral("pointsGrid"));
    QCOMPARE(points->rowCount(), 7);
    QCOMPARE(points->item(3, 1)->text().toDouble(), headOf(50.0));

    // Exact quadratic and straight curves: the cubic fits pass through every
    // point.
    const QString quality = childOf<QLabel>(editor, QStringLiteral("fitQuality"))->text();
    QVERIFY2(quality.contains(QStringLiteral("扬程：最大偏差 0.00 %（占最大扬程），R² = 1.0000")), qPrintable(quality));
    QVERIFY2(quality.contains(QStringLiteral("轴功率：最大偏差 0.00 %")), qPrintable(quality));
    // Nothing against the new pump; the fixture's own faulty pumps are
    // counted as stored so.
    const QString rules = childOf<QLabel>(editor, QStringLiteral("ruleMessages"))->text();
    QVERIFY2(!rules.contains(QStringLiteral("✗")) && !rules.contains(QStringLiteral("保存前须改正")),
             qPrintable(rules));

    QTest::mouseClick(childOf<QPushButton>(editor, QStringLiteral("保存")), Qt::LeftButton);
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    QVERIFY(!editor->hasPendingEdits());
    QCOMPARE(m_folder->rowCount(store::names::pumpTable()), modelsBefore + 1);

    // The calculation window read the catalogue again and checks the pump.
    QCOMPARE(combo1->count(), modelsBefore + 1);
    QCOMPARE(grid->model()->rowCount(), gridRowsBefore + 1);
    const int index = combo1->findText(QStringLiteral("TW50-NEU"));
    QCOMPARE(index, 1); // inserted after the first pump, where the editor stood
    combo1->setCurrentIndex(index);
    childOf<QLineEdit>(calculation, QStringLiteral("Text1_0"))->setText(QStringLiteral("20"));
    childOf<QLineEdit>(calculation, QStringLiteral("Text1_1"))->setText(QStringLiteral("50"));
    childOf<QLineEdit>(calculation, QStringLiteral("Text1_2"))->setText(QStringLiteral("0"));
    QWidget* check = childOf<QWidget>(calculation, QStringLiteral("校核"));
    QTest::mouseClick(check, Qt::LeftButton, {}, check->rect().center());
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    QCOMPARE(childOf<QLabel>(calculation, QStringLiteral("Label21_5"))->text(), QStringLiteral("TW50-NEU型水泵1台"));
}

void TestCatalogueEditor::negativePowerCannotBeSaved()
{
    auto editor = openEditor();
    auto* points = childOf<QTableWidget>(editor.get(), QStringLiteral("pointsGrid"));
    QVERIFY(points->rowCount() >= 3);
    const QString before = points->item(1, 2)->text();
    points->item(1, 2)->setText(QStringLiteral("-1"));

    // Marked at once with the rule's reason.
    QCOMPARE(points->item(1, 2)->toolTip(), QStringLiteral("-1 应大于 0。"));
    const QString rule = QStringLiteral("水泵“TW50-20A”（序号 1）第 2 点，“轴功率”：-1 应大于 0。");
    QVERIFY(childOf<QLabel>(editor.get(), QStringLiteral("ruleMessages"))->text().contains(rule));

    QVERIFY(!editor->save());
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.constFirst().contains(rule), qPrintable(m_messages.constFirst()));
    QVERIFY(editor->hasPendingEdits());
    auto reread = std::make_unique<CatalogueEditor>();
    QString error;
    QVERIFY(reread->load(m_folder->folder(), &error));
    QCOMPARE(childOf<QTableWidget>(reread.get(), QStringLiteral("pointsGrid"))->item(1, 2)->text(), before);
}

void TestCatalogueEditor::undoRestoresValuesAndClosingAsks()
{
    auto editor = openEditor();
    editor->show();
    const CatalogueEditorState original = editor->state();
    auto* model = childOf<QLineEdit>(editor.get(), QStringLiteral("pumpField_水泵型号"));
    const QString modelBefore = model->text();
    QTest::keyClicks(model, QStringLiteral("-X"));
    auto* points = childOf<QTableWidget>(editor.get(), QStringLiteral("pointsGrid"));
    const QString headBefore = points->item(0, 1)->text();
    points->item(0, 1)->setText(QStringLiteral("99,5"));
    QCOMPARE(editor->state().pumps[0].points[0].head, 99.5);
    QTest::mouseClick(childOf<QPushButton>(editor.get(), QStringLiteral("删除")), Qt::LeftButton);
    QCOMPARE(editor->state().pumps.size(), original.pumps.size() - 1);

    auto* undo = childOf<QPushButton>(editor.get(), QStringLiteral("撤销"));
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(undo, Qt::LeftButton);
    QCOMPARE(editor->state().pumps, original.pumps);
    QCOMPARE(model->text(), modelBefore);
    QCOMPARE(points->item(0, 1)->text(), headBefore);
    QVERIFY(!editor->hasPendingEdits());

    // Pending edits: closing asks; No keeps the window and the edits.
    QTest::mouseClick(childOf<QPushButton>(editor.get(), QStringLiteral("重做")), Qt::LeftButton);
    QCOMPARE(model->text(), modelBefore + QStringLiteral("-X"));
    m_answer = false;
    QVERIFY(!editor->close());
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(editor->hasPendingEdits());

    // 放弃 drops them after asking.
    m_answer = true;
    QTest::mouseClick(childOf<QPushButton>(editor.get(), QStringLiteral("放弃")), Qt::LeftButton);
    QCOMPARE(m_messages.size(), 2);
    QCOMPARE(editor->state().pumps, original.pumps);
    QCOMPARE(model->text(), modelBefore);
    QVERIFY(!editor->hasPendingEdits());
    QVERIFY(editor->close());
    QCOMPARE(m_messages.size(), 2); // nothing pending: no question
}

void TestCatalogueEditor::pastedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QList<double>>>("rows"); // empty when refused
    QTest::addColumn<QString>("message");
    QTest::newRow("header, decimal commas, CR LF")
        << QStringLiteral("流量\t扬程\t轴功率\r\n10\t20,5\t1,25\r\n20\t19\t1,5\r\n")
        << QList<QList<double>>{{10, 20.5, 1.25}, {20, 19, 1.5}} << QString();
    QTest::newRow("no header, points, blank lines, a trailing tab")
        << QStringLiteral("\n 12.5\t30\t2.1\t\n\n13\t29.5\t2.2")
        << QList<QList<double>>{{12.5, 30, 2.1}, {13, 29.5, 2.2}} << QString();
    QTest::newRow("one column") << QStringLiteral("3,5\n4") << QList<QList<double>>{{3.5}, {4}} << QString();
    QTest::newRow("text below the header") << QStringLiteral("Q\tH\tN\n10\t20\t1\n合计\t\t\n") << QList<QList<double>>{}
                                           << QStringLiteral("剪贴板第 3 行不全是数值");
    QTest::newRow("four columns") << QStringLiteral("1\t2\t3\t4") << QList<QList<double>>{}
                                  << QStringLiteral("剪贴板第 1 行有 4 列");
    QTest::newRow("ragged rows") << QStringLiteral("1\t2\t3\n1\t2") << QList<QList<double>>{}
                                 << QStringLiteral("与前面各行的 3 列不同");
    QTest::newRow("thousands separators are no decimal comma")
        << QStringLiteral("1.234,5\t2\t3") << QList<QList<double>>{} << QStringLiteral("没有可以粘贴");
    QTest::newRow("nothing") << QStringLiteral(" \n") << QList<QList<double>>{} << QStringLiteral("没有可以粘贴");
}

void TestCatalogueEditor::pastedText()
{
    QFETCH(QString, text);
    QFETCH(QList<QList<double>>, rows);
    QFETCH(QString, message);
    const auto parsed = parsePastedRows(text);
    QCOMPARE(parsed.ok(), message.isEmpty());
    if (parsed.ok())
        QCOMPARE(parsed.value(), rows);
    else
        QVERIFY2(parsed.error().contains(message), qPrintable(parsed.error()));
}

void TestCatalogueEditor::companyTextsAreSaved()
{
    auto editor = openEditor();
    auto* text = childOf<QPlainTextEdit>(editor.get(), QStringLiteral("productText"));
    text->setPlainText(QStringLiteral("本设计室常用水泵"));
    QCOMPARE(editor->state().company.productText, QStringLiteral("本设计室常用水泵"));
    QVERIFY(editor->save());
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));

    auto again = openEditor();
    QCOMPARE(childOf<QPlainTextEdit>(again.get(), QStringLiteral("productText"))->toPlainText(),
             QStringLiteral("本设计室常用水泵"));
    QCOMPARE(again->state().pumps, editor->state().pumps);
}

void TestCatalogueEditor::schematicIsAssignedToTheType()
{
    QTemporaryDir dir;
    const QString picturePath = dir.filePath(QStringLiteral("schematic.png"));
    const QString notPicturePath = dir.filePath(QStringLiteral("notes.png"));
    for (const auto& [path, bytes] :
         {std::pair{picturePath, testPng(40, 30, Qt::blue)}, std::pair{notPicturePath, QByteArray("no picture")}}) {
        QSaveFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        QVERIFY(file.commit());
    }
    auto editor = openEditor();
    QString chosen;
    setModalInterceptor([&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files)
            return int(QDialog::Rejected);
        files->selectFile(chosen);
        return int(QDialog::Accepted);
    });
    auto* assign = childOf<QPushButton>(editor.get(), QStringLiteral("示意图"));

    // A file that is no picture is refused and changes nothing.
    chosen = notPicturePath;
    QTest::mouseClick(assign, Qt::LeftButton);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.constFirst().contains(QStringLiteral("不是可以显示的图片")),
             qPrintable(m_messages.constFirst()));
    QVERIFY(!editor->hasPendingEdits());

    chosen = picturePath;
    QTest::mouseClick(assign, Qt::LeftButton);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(!childOf<QLabel>(editor.get(), QStringLiteral("schematicPreview"))->pixmap().isNull());
    QVERIFY(editor->save());

    // The pump's type now shows this picture, as the first row of its type.
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("schematic-read"));
    db.setDatabaseName(m_folder->databasePath());
    QVERIFY(db.open());
    {
        QSqlQuery query(db);
        query.prepare(
            QStringLiteral("SELECT \"设备安装示意图\" FROM \"设备安装示意图\" WHERE \"水泵类型\" = ? ORDER BY rowid"));
        query.addBindValue(verticalType());
        QVERIFY(query.exec());
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toByteArray(), testPng(40, 30, Qt::blue));
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("schematic-read"));
}

void TestCatalogueEditor::duplicateScalesByAffinity_data()
{
    QTest::addColumn<int>("scaling"); // 0 none, 1 impeller diameter, 2 speed
    QTest::addColumn<QString>("newValue");
    QTest::addColumn<double>("ratio");
    QTest::newRow("copied as it is") << 0 << QString() << 1.0;
    QTest::newRow("trimmed impeller 174 -> 156,6 mm") << 1 << QStringLiteral("156,6") << 0.9;
    QTest::newRow("slower speed 2900 -> 1450") << 2 << QStringLiteral("1450") << 0.5;
}

void TestCatalogueEditor::duplicateScalesByAffinity()
{
    QFETCH(int, scaling);
    QFETCH(QString, newValue);
    QFETCH(double, ratio);
    auto editor = openEditor();
    const store::EditablePump original = editor->state().pumps[0];
    setModalInterceptor([&](QDialog& dialog) {
        childOf<QLineEdit>(&dialog, QStringLiteral("duplicateModel"))->setText(QStringLiteral("TW50-20A-T"));
        childOf<QComboBox>(&dialog, QStringLiteral("duplicateScaling"))->setCurrentIndex(scaling);
        childOf<QLineEdit>(&dialog, QStringLiteral("duplicateValue"))->setText(newValue);
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(childOf<QPushButton>(editor.get(), QStringLiteral("复制")), Qt::LeftButton);
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    const store::EditablePump& copy = editor->state().pumps[1];
    QCOMPARE(editor->state().current, 1);
    QCOMPARE(copy.model(), QStringLiteral("TW50-20A-T"));
    QVERIFY(copy.key != original.key);
    QCOMPARE(copy.points.size(), original.points.size());
    // Affinity laws: Q ~ r, H ~ r^2, N ~ r^3.
    for (qsizetype k = 0; k < copy.points.size(); ++k) {
        const auto& o = original.points[k];
        const auto& c = copy.points[k];
        QVERIFY(std::fabs(c.flow - o.flow * ratio) < 1e-9 * o.flow);
        QVERIFY(std::fabs(c.head - o.head * std::pow(ratio, 2)) < 1e-9 * o.head);
        QVERIFY(std::fabs(c.power - o.power * std::pow(ratio, 3)) < 1e-9 * o.power);
    }
    // The efficiency of corresponding points is unchanged.
    const auto& o = original.points[2];
    const auto& c = copy.points[2];
    QVERIFY(std::fabs(c.flow * c.head / c.power - o.flow * o.head / o.power) < 1e-9 * (o.flow * o.head / o.power));
    QVERIFY(editor->undoStack()->canUndo());
}

void TestCatalogueEditor::impellerCutIsGuarded_data()
{
    // The first pump's impeller is 174 mm and its NPSHr is set to 2.5 m here.
    QTest::addColumn<QString>("newValue");
    QTest::addColumn<bool>("answer");     // to a question
    QTest::addColumn<QString>("message"); // a piece of the one box; empty: none
    QTest::addColumn<bool>("copied");
    QTest::newRow("enlarged 174 -> 180 mm is refused")
        << QStringLiteral("180") << true << QStringLiteral("大于原水泵的 174 mm") << false;
    QTest::newRow("cut of 20 %, answered no")
        << QStringLiteral("139,2") << false << QStringLiteral("切削量 20.0 %，超过 15 %") << false;
    QTest::newRow("cut of 20 %, answered yes")
        << QStringLiteral("139,2") << true << QStringLiteral("切削量 20.0 %，超过 15 %") << true;
    QTest::newRow("cut of 10 % copies without a question") << QStringLiteral("156,6") << true << QString() << true;
    QTest::newRow("the same diameter, nothing cut") << QStringLiteral("174") << true << QString() << true;
}

void TestCatalogueEditor::impellerCutIsGuarded()
{
    QFETCH(QString, newValue);
    QFETCH(bool, answer);
    QFETCH(QString, message);
    QFETCH(bool, copied);
    auto editor = openEditor();
    const QString npshName = QStringLiteral("pumpField_") + store::names::npshRequired();
    auto* npsh = childOf<QLineEdit>(editor.get(), npshName);
    npsh->clear();
    QTest::keyClicks(npsh, QStringLiteral("2.5"));
    QCOMPARE(editor->state().pumps[0].field(store::names::npshRequired()).toDouble(), 2.5);
    const qsizetype before = editor->state().pumps.size();
    m_answer = answer;
    setModalInterceptor([&](QDialog& dialog) {
        childOf<QComboBox>(&dialog, QStringLiteral("duplicateScaling"))->setCurrentIndex(1);
        childOf<QLineEdit>(&dialog, QStringLiteral("duplicateValue"))->setText(newValue);
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(childOf<QPushButton>(editor.get(), QStringLiteral("复制")), Qt::LeftButton);
    if (message.isEmpty()) {
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    } else {
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.constFirst().contains(message), qPrintable(m_messages.constFirst()));
    }
    QCOMPARE(editor->state().pumps.size(), before + (copied ? 1 : 0));
    if (!copied)
        return;
    // The copy keeps the original's NPSHr; the form says that the maker's
    // figure is wanted after a cut, until one is typed.
    const bool cut = newValue != QStringLiteral("174");
    const QString note = QStringLiteral("必需汽蚀余量仍是原水泵（叶轮外径 174 mm）的数值");
    QCOMPARE(editor->state().current, 1);
    QCOMPARE(editor->state().pumps[1].field(store::names::npshRequired()).toDouble(), 2.5);
    QCOMPARE(npsh->toolTip().contains(note), cut);
    QCOMPARE(childOf<QLabel>(editor.get(), QStringLiteral("ruleMessages"))->text().contains(note), cut);
    if (!cut)
        return;
    npsh->clear();
    QTest::keyClicks(npsh, QStringLiteral("2.1"));
    QVERIFY(!npsh->toolTip().contains(note));
    editor->undoStack()->undo();
    QVERIFY(npsh->toolTip().contains(note));
}

void TestCatalogueEditor::pasteReplacesOrAppends_data()
{
    // The first pump has five points at 20, 35, 50, 65 and 80 m3/h.
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QPoint>("currentCell"); // row, column
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QList<double>>("flows");
    QTest::addColumn<QList<double>>("heads");
    QTest::addColumn<QString>("message"); // a piece of the one question or warning; empty: none
    QString seven = QStringLiteral("流量\t扬程\t轴功率\n");
    for (int k = 1; k <= 7; ++k)
        seven += QStringLiteral("%1\t%2\t%3\n").arg(10 * k).arg(30 - k).arg(1 + k);
    const QList<double> sevenFlows = {10, 20, 30, 40, 50, 60, 70};
    const QList<double> sevenHeads = {29, 28, 27, 26, 25, 24, 23};
    const QList<double> fiveFlows = {20, 35, 50, 65, 80};
    const QList<double> fiveHeads = {27, 24.9375, 21.75, 17.4375, 12};
    QTest::newRow("seven rows with row 5 current replace all five points")
        << QStringLiteral("粘贴点") << seven << QPoint(4, 0) << true << sevenFlows << sevenHeads
        << QStringLiteral("用剪贴板中的 7 个点替换水泵“TW50-20A”现有的 5 个性能点吗？");
    QTest::newRow("replacement declined") << QStringLiteral("粘贴点") << seven << QPoint(4, 0) << false << fiveFlows
                                          << fiveHeads << QStringLiteral("替换");
    QTest::newRow("a head column replaces the curve's heads, as many points as rows")
        << QStringLiteral("粘贴点") << QStringLiteral("26\n24\n21") << QPoint(3, 1) << true << QList<double>{20, 35, 50}
        << QList<double>{26, 24, 21} << QStringLiteral("3 个点替换");
    QTest::newRow("append adds after the last point")
        << QStringLiteral("追加粘贴") << QStringLiteral("90\t8\t7,4\n100\t3\t8") << QPoint(1, 0) << true
        << QList<double>{20, 35, 50, 65, 80, 90, 100} << QList<double>{27, 24.9375, 21.75, 17.4375, 12, 8, 3}
        << QString();
    QTest::newRow("append needs whole points")
        << QStringLiteral("追加粘贴") << QStringLiteral("90\t8") << QPoint(0, 0) << true << fiveFlows << fiveHeads
        << QStringLiteral("追加粘贴需要流量、扬程、轴功率三列数值");
}

void TestCatalogueEditor::pasteReplacesOrAppends()
{
    QFETCH(QString, button);
    QFETCH(QString, clip);
    QFETCH(QPoint, currentCell);
    QFETCH(bool, answer);
    QFETCH(QList<double>, flows);
    QFETCH(QList<double>, heads);
    QFETCH(QString, message);
    auto editor = openEditor();
    const QList<store::EditablePoint> before = editor->state().pumps[0].points;
    auto* points = childOf<QTableWidget>(editor.get(), QStringLiteral("pointsGrid"));
    points->setCurrentCell(currentCell.x(), currentCell.y());
    QApplication::clipboard()->setText(clip);
    m_answer = answer;
    QTest::mouseClick(childOf<QPushButton>(editor.get(), button), Qt::LeftButton);

    QCOMPARE(m_messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(m_messages.constFirst().contains(message), qPrintable(m_messages.constFirst()));
    QList<double> shownFlows;
    QList<double> shownHeads;
    for (int r = 0; r < points->rowCount(); ++r) {
        shownFlows.append(points->item(r, 0)->text().toDouble());
        shownHeads.append(points->item(r, 1)->text().toDouble());
    }
    QCOMPARE(shownFlows, flows);
    QCOMPARE(shownHeads, heads);
    // Whatever was pasted is one step that undo takes back whole.
    if (editor->hasPendingEdits()) {
        QTest::mouseClick(childOf<QPushButton>(editor.get(), QStringLiteral("撤销")), Qt::LeftButton);
        QCOMPARE(editor->state().pumps[0].points, before);
    }
}

void TestCatalogueEditor::fallingFlowsNeedConfirmation_data()
{
    QTest::addColumn<QString>("flow"); // typed over the third point's 50 m3/h
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("saved");
    QTest::newRow("falling flow, save declined") << QStringLiteral("30") << false << false;
    QTest::newRow("falling flow, save confirmed") << QStringLiteral("30") << true << true;
    QTest::newRow("repeated flow, save declined") << QStringLiteral("35") << false << false;
    QTest::newRow("rising flow saves without a question") << QStringLiteral("45") << false << true;
}

void TestCatalogueEditor::fallingFlowsNeedConfirmation()
{
    QFETCH(QString, flow);
    QFETCH(bool, answer);
    QFETCH(bool, saved);
    auto editor = openEditor();
    auto* points = childOf<QTableWidget>(editor.get(), QStringLiteral("pointsGrid"));
    points->item(2, 0)->setText(flow);
    const bool falling = flow.toDouble() <= 35.0;

    // The mark says the flow has to rise and that the save will ask; it no
    // longer reads as accepted.
    const QString rules = childOf<QLabel>(editor.get(), QStringLiteral("ruleMessages"))->text();
    QVERIFY2(!rules.contains(QStringLiteral("已接受")), qPrintable(rules));
    QCOMPARE(rules.contains(QStringLiteral("流量应逐点增大，保存时须确认")), falling);
    if (falling)
        QVERIFY2(points->item(2, 0)->toolTip().contains(QStringLiteral("%1 不大于前一点的 35").arg(flow)),
                 qPrintable(points->item(2, 0)->toolTip()));

    m_answer = answer;
    QTest::mouseClick(childOf<QPushButton>(editor.get(), QStringLiteral("保存")), Qt::LeftButton);
    QCOMPARE(m_messages.size(), falling ? 1 : 0);
    if (falling)
        QVERIFY2(m_messages.constFirst().contains(QStringLiteral("水泵“TW50-20A”第 3 点：%1 不大于 35").arg(flow)),
                 qPrintable(m_messages.constFirst()));
    QCOMPARE(editor->hasPendingEdits(), !saved);
    auto reread = openEditor();
    QCOMPARE(reread->state().pumps[0].points[2].flow, saved ? flow.toDouble() : 50.0);
}

void TestCatalogueEditor::fieldsShowUnitsAndButtonsFit()
{
    // In the main window on a screen of 1366 x 768 less a title bar, in the
    // program's font, as the menu opens it.
    const QFont font = QApplication::font();
    applyProgramFont();
    const auto restoreFont = qScopeGuard([&] { QApplication::setFont(font); });
    MDIForm1 form;
    QString error;
    QVERIFY2(form.load(m_folder->folder(), &error), qPrintable(error));
    form.resize(1366, 768 - 33 - 24);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.findChild<QAction*>(QStringLiteral("catalogueMaintenance"))->trigger();
    CatalogueEditor* editor = form.catalogueEditor();
    QVERIFY(editor);
    QApplication::processEvents();
    if (const QString shots = qEnvironmentVariable("TARNWICK_SCREENSHOTS"); !shots.isEmpty())
        QVERIFY(form.grab().save(shots + QStringLiteral("/catalogueeditor-default-size.png")));

    const QList<std::pair<QString, QString>> units = {{store::names::speed(), QStringLiteral("r/min")},
                                                      {store::names::flow(), QStringLiteral("m³/h")},
                                                      {store::names::head(), QStringLiteral("m")},
                                                      {store::names::shaftPower(), QStringLiteral("kW")},
                                                      {store::names::motorPower(), QStringLiteral("kW")},
                                                      {store::names::npshRequired(), QStringLiteral("m")},
                                                      {store::names::impellerDiameter(), QStringLiteral("mm")},
                                                      {store::names::weight(), QStringLiteral("kg")}};
    for (const auto& [field, unit] : units) {
        auto* label = childOf<QLabel>(editor, QStringLiteral("unit_") + field);
        QCOMPARE(label->text(), unit);
        auto* box = childOf<QLineEdit>(editor, QStringLiteral("pumpField_") + field);
        // Beside its box, on the same line.
        QVERIFY(label->isVisible());
        const QRect labelRect(label->mapTo(editor, QPoint(0, 0)), label->size());
        const QRect boxRect(box->mapTo(editor, QPoint(0, 0)), box->size());
        QVERIFY2(std::abs(labelRect.center().y() - boxRect.center().y()) <= 2, qPrintable(field));
        QVERIFY2(labelRect.left() >= boxRect.right(), qPrintable(field));
    }

    // The window opens whole within the main window's client area.
    auto* sub = childOf<QMdiSubWindow>(&form, QStringLiteral("CatalogueEditorSubWindow"));
    const QRect room = form.mdiArea()->viewport()->rect();
    QVERIFY2(room.contains(sub->geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                            .arg(sub->x())
                                                            .arg(sub->y())
                                                            .arg(sub->width())
                                                            .arg(sub->height())
                                                            .arg(room.width())
                                                            .arg(room.height())));

    // Every command can be reached without scrolling: the page needs no
    // scroll bar at the size the window opens at, and no button is cut.
    auto* pages = childOf<QTabWidget>(editor, QStringLiteral("editorPages"));
    auto* scroll = qobject_cast<QScrollArea*>(pages->currentWidget());
    QVERIFY(scroll);
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    const QRect visible = scroll->viewport()->rect();
    for (const QString& name :
         {QStringLiteral("新建"), QStringLiteral("上移"), QStringLiteral("下移"), QStringLiteral("添加点"),
          QStringLiteral("删除点"), QStringLiteral("粘贴点"), QStringLiteral("追加粘贴")}) {
        auto* button = childOf<QPushButton>(editor, name);
        const QRect shown(button->mapTo(scroll->viewport(), QPoint(0, 0)), button->size());
        QVERIFY2(visible.contains(shown), qPrintable(name));
        // Not squeezed below its own height either.
        QVERIFY2(button->height() >= button->sizeHint().height(), qPrintable(name));
    }
    auto* grid = childOf<QTableWidget>(editor, QStringLiteral("pointsGrid"));
    QVERIFY2(grid->viewport()->height() >= 5 * grid->verticalHeader()->defaultSectionSize(),
             "the points table shows at least five points");
}

void TestCatalogueEditor::closingOffersToSave_data()
{
    QTest::addColumn<bool>("exitProgram"); // else the window's own close
    QTest::addColumn<int>("answer");       // 0 保存, 1 不保存, 2 取消
    QTest::addColumn<bool>("goes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("close, save") << false << 0 << true << true;
    QTest::newRow("close, don't save") << false << 1 << true << false;
    QTest::newRow("close, cancel") << false << 2 << false << false;
    QTest::newRow("exit, save") << true << 0 << true << true;
    QTest::newRow("exit, don't save") << true << 1 << true << false;
    QTest::newRow("exit, cancel") << true << 2 << false << false;
}

void TestCatalogueEditor::closingOffersToSave()
{
    QFETCH(bool, exitProgram);
    QFETCH(int, answer);
    QFETCH(bool, goes);
    QFETCH(bool, saved);
    QStringList asked;
    QStringList answers;
    setMessageBoxInterceptor({[this](const QString& text) {
                                  m_messages.append(text);
                                  return true;
                              },
                              [&](const QString& text, const QStringList& offered) {
                                  asked.append(text);
                                  answers = offered;
                                  return answer;
                              }});
    MDIForm1 form;
    QString error;
    QVERIFY2(form.load(m_folder->folder(), &error), qPrintable(error));
    form.show();
    form.findChild<QAction*>(QStringLiteral("catalogueMaintenance"))->trigger();
    QPointer<CatalogueEditor> editor = form.catalogueEditor();
    QVERIFY(editor);
    auto* model = childOf<QLineEdit>(editor, QStringLiteral("pumpField_水泵型号"));
    QTest::keyClicks(model, QStringLiteral("-X"));
    QVERIFY(editor->hasPendingEdits());

    int status = -1;
    if (exitProgram) {
        // 退出 ends the program's loop, unless the question keeps it going.
        QTimer::singleShot(0, form.findChild<QAction*>(QStringLiteral("exit")), &QAction::trigger);
        QTimer guard; // ends with the row, so it cannot end the next row's loop
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        guard.start(300);
        status = QApplication::exec();
        QCOMPARE(status, goes ? 0 : 99);
    } else {
        QMdiSubWindow* window = form.findChild<QMdiSubWindow*>(QStringLiteral("CatalogueEditorSubWindow"));
        QCOMPARE(window->close(), goes);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(editor.isNull(), goes);
    }
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.constFirst(), exitProgram ? QStringLiteral("水泵目录有未保存的修改。退出前保存这些修改吗？")
                                             : QStringLiteral("水泵目录有未保存的修改。关闭窗口前保存这些修改吗？"));
    QCOMPARE(answers, (QStringList{QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")}));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    if (!goes)
        QVERIFY(editor && editor->hasPendingEdits());
    auto reread = openEditor();
    QCOMPARE(reread->state().pumps[0].model(), saved ? QStringLiteral("TW50-20A-X") : QStringLiteral("TW50-20A"));
}

void TestCatalogueEditor::movesKeepEachPumpWhole_data()
{
    QTest::addColumn<int>("start");           // the list row chosen first; -1: the last
    QTest::addColumn<QStringList>("buttons"); // clicked in turn
    QTest::addColumn<QString>("finish");      // 保存, 放弃, 放弃 declined, or nothing
    QTest::addColumn<QList<int>>("order");    // the first pumps' places before, in the order shown after
    QTest::addColumn<int>("current");         // the list row chosen afterwards; -1: the last; -2: any
    QTest::addColumn<bool>("pending");
    const QString up = QStringLiteral("上移");
    const QString down = QStringLiteral("下移");
    QTest::newRow("first down, saved") << 0 << QStringList{down} << QStringLiteral("保存") << QList<int>{1, 0} << 1
                                       << false;
    QTest::newRow("third up twice, saved")
        << 2 << QStringList{up, up} << QStringLiteral("保存") << QList<int>{2, 0, 1} << 0 << false;
    QTest::newRow("first up: nothing moves") << 0 << QStringList{up} << QString() << QList<int>{} << 0 << false;
    QTest::newRow("last down: nothing moves") << -1 << QStringList{down} << QString() << QList<int>{} << -1 << false;
    QTest::newRow("moved twice, then discarded")
        << 0 << QStringList{down, down} << QStringLiteral("放弃") << QList<int>{} << -2 << false;
    QTest::newRow("discard declined keeps the move")
        << 0 << QStringList{down} << QStringLiteral("放弃 declined") << QList<int>{1, 0} << 1 << true;
}

// Moving a pump in the list moves it with its fields and points; a save
// stores the new order, a discard brings back the stored one.
void TestCatalogueEditor::movesKeepEachPumpWhole()
{
    QFETCH(int, start);
    QFETCH(QStringList, buttons);
    QFETCH(QString, finish);
    QFETCH(QList<int>, order);
    QFETCH(int, current);
    QFETCH(bool, pending);
    auto editor = openEditor();
    editor->show();
    const QList<store::EditablePump> original = editor->state().pumps;
    QVERIFY(original.size() >= 3);
    auto* list = childOf<QListWidget>(editor.get(), QStringLiteral("pumpList"));
    QCOMPARE(list->count(), original.size());
    const int last = static_cast<int>(original.size()) - 1;
    list->setCurrentRow(start < 0 ? last : start);

    for (const QString& button : buttons)
        QTest::mouseClick(childOf<QPushButton>(editor.get(), button), Qt::LeftButton);
    if (finish == QStringLiteral("放弃 declined"))
        m_answer = false;
    if (!finish.isEmpty())
        QTest::mouseClick(childOf<QPushButton>(editor.get(), finish.section(QLatin1Char(' '), 0, 0)), Qt::LeftButton);

    QList<store::EditablePump> expected = original;
    for (int i = 0; i < order.size(); ++i)
        expected[i] = original[order[i]];
    QCOMPARE(editor->state().pumps, expected);
    for (int row = 0; row < list->count(); ++row)
        QVERIFY2(list->item(row)->text().contains(expected[row].model()), qPrintable(list->item(row)->text()));
    if (current != -2)
        QCOMPARE(list->currentRow(), current == -1 ? last : current);
    QCOMPARE(childOf<QLineEdit>(editor.get(), QStringLiteral("pumpField_水泵型号"))->text(),
             expected[list->currentRow()].model());
    QCOMPARE(editor->hasPendingEdits(), pending);

    // What the database holds: the new order only after a save.
    const bool saved = finish == QStringLiteral("保存");
    auto reread = openEditor();
    QCOMPARE(reread->state().pumps, saved ? expected : original);
}

QTEST_MAIN(TestCatalogueEditor)
#include "tst_catalogueeditor.moc"
