// The main window's commands as an engineer finds them: the data sheet of
// what the window in front shows, from the menu; the print preview it
// opens; file dialogs that remember their folders; the model choosers that
// search any part of a model; the status bar naming the window in use; the
// background window explaining every toolbar button.

#include "calcwindow/frmcalculate.h"
#include "catalogueeditor/catalogueeditor.h"
#include "controls/filedialog.h"
#include "controls/messagebox.h"
#include "controls/modelchooser.h"
#include "infowindows/frmbackground.h"
#include "infowindows/picturebox.h"
#include "infowindows/textlabel.h"
#include "shell/mdiform1.h"
#include "shell/reportwindow/datareport1.h"
#include "speedwindow/varspeedwindow.h"
#include "tests/calcwindow/windowfixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace tarnwick;
using namespace tarnwick::testing;

namespace {

void clickCommand(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void saveShot(QWidget* widget, const QString& name)
{
    if (const QString shots = qEnvironmentVariable("TARNWICK_SCREENSHOTS"); !shots.isEmpty())
        widget->grab().save(QDir(shots).filePath(name + QStringLiteral(".png")));
}

} // namespace

class TestWindowCommands : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void dataSheetFromTheMenu_data();
    void dataSheetFromTheMenu();
    void previewOpensAtPageWidth();
    void fileDialogsStartInTheFolderLastUsed_data();
    void fileDialogsStartInTheFolderLastUsed();
    void modelChoosersSearchAnyPart_data();
    void modelChoosersSearchAnyPart();
    void statusBarNamesTheWindowInUse_data();
    void statusBarNamesTheWindowInUse();
    void backgroundExplainsEveryToolbarButton();

private:
    frmcalculate* calculation(bool check);
    void designAndPick(int row);
    void checkModel(const QString& typed);
    VarSpeedWindow* varSpeedWithSelection();
    // Shows the dialog of this kind of file and answers it with `file`;
    // returns the folder it started in.
    QString fileDialogFolder(const QString& kind, const QString& file);

    std::unique_ptr<MDIForm1> m_form;
    std::function<int(QDialog&)> m_modal;
    QTemporaryDir m_out;
};

void TestWindowCommands::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TarnwickTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_windowcommands"));
}

void TestWindowCommands::init()
{
    QString error;
    QVERIFY2(setUpWindows(&error), qPrintable(error));
    m_modal = nullptr;
    setModalInterceptor([this](QDialog& dialog) { return m_modal ? m_modal(dialog) : int(QDialog::Rejected); });
    m_form = std::make_unique<MDIForm1>();
    QVERIFY2(m_form->load(m_folder->folder(), &error), qPrintable(error));
    m_form->resize(1280, 960);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestWindowCommands::cleanup()
{
    closeResultReport();
    m_form.reset();
    tearDownWindows();
}

frmcalculate* TestWindowCommands::calculation(bool check)
{
    childOf<QAction>(m_form.get(), check ? QStringLiteral("calculate2") : QStringLiteral("calculate1"))->trigger();
    return m_form->calculationWindow();
}

void TestWindowCommands::designAndPick(int row)
{
    frmcalculate* window = calculation(false);
    childOf<QLineEdit>(window, QStringLiteral("Text1_0"))->setText(QStringLiteral("20"));
    childOf<QLineEdit>(window, QStringLiteral("Text1_1"))->setText(QStringLiteral("50"));
    childOf<QLineEdit>(window, QStringLiteral("Text1_2"))->setText(QStringLiteral("0"));
    clickCommand(childOf<QWidget>(window, QStringLiteral("设计")));
    auto* list = childOf<QListWidget>(window, QStringLiteral("List1"));
    QVERIFY(list->count() > row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void TestWindowCommands::checkModel(const QString& typed)
{
    frmcalculate* window = calculation(true);
    childOf<QLineEdit>(window, QStringLiteral("Text1_0"))->setText(QStringLiteral("20"));
    childOf<QLineEdit>(window, QStringLiteral("Text1_1"))->setText(QStringLiteral("50"));
    childOf<QLineEdit>(window, QStringLiteral("Text1_2"))->setText(QStringLiteral("0"));
    auto* chooser = childOf<ModelChooser>(window, QStringLiteral("Combo1"));
    chooser->setFocus();
    chooser->lineEdit()->selectAll();
    QTest::keyClicks(chooser, typed);
    QTest::keyClick(chooser, Qt::Key_Return);
    clickCommand(childOf<QWidget>(window, QStringLiteral("校核")));
}

VarSpeedWindow* TestWindowCommands::varSpeedWithSelection()
{
    childOf<QAction>(m_form.get(), QStringLiteral("calculate3"))->trigger();
    auto* sub = childOf<QMdiSubWindow>(m_form.get(), QStringLiteral("frmvarspeedSubWindow"));
    auto* window = qobject_cast<VarSpeedWindow*>(sub->widget());
    childOf<QLineEdit>(window, QStringLiteral("dutyBox_0"))->setText(QStringLiteral("20"));
    childOf<QLineEdit>(window, QStringLiteral("dutyBox_1"))->setText(QStringLiteral("50"));
    childOf<QLineEdit>(window, QStringLiteral("dutyBox_2"))->setText(QStringLiteral("0"));
    childOf<QLineEdit>(window, QStringLiteral("dutyPumpsBox"))->setText(QStringLiteral("1"));
    childOf<QLineEdit>(window, QStringLiteral("standbyPumpsBox"))->setText(QStringLiteral("0"));
    window->runSelection();
    return window;
}

void TestWindowCommands::dataSheetFromTheMenu_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("model"); // whose sheet is offered; empty: none, a note instead
    QTest::newRow("second candidate of a design") << QStringLiteral("design") << QStringLiteral("?candidate");
    QTest::newRow("checked pump, chosen by typing part of it") << QStringLiteral("check") << QStringLiteral("TW50-21E");
    QTest::newRow("variable-speed set in front") << QStringLiteral("varspeed") << QStringLiteral("?set");
    QTest::newRow("nothing shown yet") << QStringLiteral("nothing") << QString();
}

void TestWindowCommands::dataSheetFromTheMenu()
{
    QFETCH(QString, shown);
    QFETCH(QString, model);
    if (shown == QStringLiteral("design")) {
        designAndPick(1);
        // The entry's model, as the operating figures name it.
        model = childOf<QLabel>(m_form->calculationWindow(), QStringLiteral("Label21_5"))
                    ->text()
                    .section(QChar(u'型'), 0, 0);
    } else if (shown == QStringLiteral("check")) {
        checkModel(QStringLiteral("21e"));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    } else if (shown == QStringLiteral("varspeed")) {
        VarSpeedWindow* window = varSpeedWithSelection();
        QVERIFY2(window->shownPump(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        model = QString::fromStdString(window->shownPump()->curves.model);
    }
    QStringList dialogs;
    QString offered;
    const QString pdf = m_out.filePath(QStringLiteral("sheet-%1.pdf").arg(shown));
    m_modal = [&](QDialog& dialog) -> int {
        dialogs << dialog.objectName();
        if (dialog.objectName() == QStringLiteral("frmsheetheader")) {
            childOf<QPushButton>(&dialog, QStringLiteral("pdf"))->click();
            return dialog.result();
        }
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files)
            return int(QDialog::Rejected);
        offered = QFileInfo(files->selectedFiles().value(0)).fileName();
        files->selectFile(pdf);
        return int(QDialog::Accepted);
    };
    childOf<QAction>(m_form.get(), QStringLiteral("dataSheet"))->trigger();

    if (model.isEmpty()) {
        QVERIFY(dialogs.isEmpty());
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.constFirst().startsWith(QStringLiteral("没有可生成选型资料单的水泵")),
                 qPrintable(m_messages.constFirst()));
        return;
    }
    QCOMPARE(dialogs, (QStringList{QStringLiteral("frmsheetheader"), QStringLiteral("sheetFileDialog")}));
    QCOMPARE(offered, model + QStringLiteral(".pdf"));
    QVERIFY(QFileInfo(pdf).size() > 1000);
    // The status bar says where it went, as the report window does.
    QCOMPARE(m_form->statusBar()->currentMessage(),
             QStringLiteral("已写入选型资料单 1 页：") + QDir::toNativeSeparators(pdf));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    saveShot(m_form.get(), QStringLiteral("datasheet-written-") + shown);
}

void TestWindowCommands::previewOpensAtPageWidth()
{
    designAndPick(0);
    QSize size;
    QPrintPreviewWidget::ZoomMode mode = QPrintPreviewWidget::CustomZoom;
    qreal zoom = 0;
    m_modal = [&](QDialog& dialog) -> int {
        if (dialog.objectName() == QStringLiteral("frmsheetheader")) {
            childOf<QPushButton>(&dialog, QStringLiteral("preview"))->click();
            return dialog.result();
        }
        if (dialog.objectName() != QStringLiteral("sheetPreview"))
            return int(QDialog::Rejected);
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            return int(QDialog::Rejected);
        QApplication::processEvents();
        auto* view = dialog.findChild<QPrintPreviewWidget*>();
        size = dialog.size();
        mode = view->zoomMode();
        zoom = view->zoomFactor();
        saveShot(&dialog, QStringLiteral("datasheet-preview"));
        dialog.hide();
        return int(QDialog::Rejected);
    };
    childOf<QAction>(m_form.get(), QStringLiteral("dataSheet"))->trigger();
    const QRect room = m_form->screen()->availableGeometry();
    QVERIFY2(size.height() >= room.height() * 8 / 10,
             qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
    QVERIFY(size.width() >= std::min(room.width() * 8 / 10, 700));
    QVERIFY(size.width() <= room.width() && size.height() <= room.height());
    QCOMPARE(mode, QPrintPreviewWidget::FitToWidth);
    // A page across the window reads at more than half its printed size.
    QVERIFY2(zoom > 0.6, qPrintable(QString::number(zoom)));
}

void TestWindowCommands::fileDialogsStartInTheFolderLastUsed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("otherKind");
    QTest::newRow("data sheet, then a picture") << filekind::dataSheet() << filekind::picture();
    QTest::newRow("catalogue picture, then a report export") << filekind::picture() << filekind::reportExport();
    QTest::newRow("report export, then a data sheet") << filekind::reportExport() << filekind::dataSheet();
}

QString TestWindowCommands::fileDialogFolder(const QString& kind, const QString& file)
{
    QString started;
    m_modal = [&](QDialog& dialog) -> int {
        if (dialog.objectName() == QStringLiteral("frmsheetheader")) {
            childOf<QPushButton>(&dialog, QStringLiteral("pdf"))->click();
            return dialog.result();
        }
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files)
            return int(QDialog::Rejected);
        started = files->directory().absolutePath();
        files->selectFile(file);
        return int(QDialog::Accepted);
    };
    if (kind == filekind::dataSheet()) {
        if (!m_form->calculationWindow())
            designAndPick(0);
        childOf<QAction>(m_form.get(), QStringLiteral("dataSheet"))->trigger();
    } else if (kind == filekind::picture()) {
        childOf<QAction>(m_form.get(), QStringLiteral("catalogueMaintenance"))->trigger();
        m_form->catalogueEditor()->findChild<QPushButton*>(QStringLiteral("示意图"))->click();
    } else {
        childOf<QAction>(m_form.get(), QStringLiteral("result2"))->trigger();
        DataReport1* report = openResultReport();
        if (!report)
            return QString();
        const QList<QAction*> exports = report->findChildren<QAction*>(QStringLiteral("export"));
        if (exports.isEmpty())
            return QString();
        exports.constFirst()->trigger();
    }
    m_modal = nullptr;
    return started;
}

void TestWindowCommands::fileDialogsStartInTheFolderLastUsed()
{
    QFETCH(QString, kind);
    QFETCH(QString, otherKind);
    QTemporaryDir first;
    QTemporaryDir second;
    const QString suffix = kind == filekind::picture() ? QStringLiteral(".png") : QStringLiteral(".pdf");
    if (kind == filekind::picture()) {
        QFile png(first.filePath(QStringLiteral("a.png")));
        QVERIFY(png.open(QIODevice::WriteOnly));
        png.write(testPng(40, 30, Qt::blue));
    }
    const QString before = lastFolder(otherKind);
    fileDialogFolder(kind, first.filePath(QStringLiteral("a") + suffix));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    // The next dialog of the kind starts where the last file went or came
    // from; a dialog of another kind keeps its own folder.
    QCOMPARE(fileDialogFolder(kind, QString()), QFileInfo(first.path()).absoluteFilePath());
    QCOMPARE(fileDialogFolder(otherKind, QString()), before);
    QVERIFY(before != QFileInfo(first.path()).absoluteFilePath());
}

void TestWindowCommands::modelChoosersSearchAnyPart_data()
{
    QTest::addColumn<QString>("window"); // check or varspeed
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pickFirst"); // the first entry of the search list, else Enter in the box
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("chosen"); // empty: the model chosen before stays
    const QStringList tw50 = {QStringLiteral("TW50-20A"), QStringLiteral("TW50-21E"), QStringLiteral("TW50-LOW")};
    for (const QString& window : {QStringLiteral("check"), QStringLiteral("varspeed")}) {
        const QByteArray in = window.toUtf8();
        QTest::addRow("%s: middle of a model", in.constData())
            << window << QStringLiteral("64") << false << QStringList{QStringLiteral("TW80-64D")}
            << QStringLiteral("TW80-64D");
        QTest::addRow("%s: any case", in.constData())
            << window << QStringLiteral("low") << false << QStringList{QStringLiteral("TW50-LOW")}
            << QStringLiteral("TW50-LOW");
        QTest::addRow("%s: several found, first picked from the list", in.constData())
            << window << QStringLiteral("tw50") << true << tw50 << QStringLiteral("TW50-20A");
        QTest::addRow("%s: several found, Enter chooses none", in.constData())
            << window << QStringLiteral("tw50") << false << tw50 << QString();
        QTest::addRow("%s: nothing found", in.constData())
            << window << QStringLiteral("xyz") << false << QStringList() << QString();
    }
}

void TestWindowCommands::modelChoosersSearchAnyPart()
{
    QFETCH(QString, window);
    QFETCH(QString, typed);
    QFETCH(bool, pickFirst);
    QFETCH(QStringList, listed);
    QFETCH(QString, chosen);
    QWidget* host = nullptr;
    ModelChooser* chooser = nullptr;
    if (window == QStringLiteral("check")) {
        host = calculation(true);
        chooser = childOf<ModelChooser>(host, QStringLiteral("Combo1"));
    } else {
        childOf<QAction>(m_form.get(), QStringLiteral("calculate3"))->trigger();
        host = childOf<QMdiSubWindow>(m_form.get(), QStringLiteral("frmvarspeedSubWindow"))->widget();
        chooser = childOf<ModelChooser>(host, QStringLiteral("modelCombo"));
    }
    QVERIFY(chooser->count() >= 9);
    chooser->setCurrentIndex(chooser->findText(QStringLiteral("TW32-10C")));
    const QString before = chooser->chosenModel();

    chooser->setFocus();
    chooser->lineEdit()->selectAll();
    QTest::keyClicks(chooser, typed);
    QCompleter* search = chooser->completer();
    QStringList found;
    for (int row = 0; row < search->completionModel()->rowCount(); ++row)
        found << search->completionModel()->index(row, 0).data().toString();
    QCOMPARE(found, listed);
    if (!listed.isEmpty()) {
        QVERIFY(search->popup()->isVisible());
        saveShot(host->window(), QStringLiteral("modelsearch-%1-%2").arg(window, typed));
    }
    if (pickFirst) {
        QTest::keyClick(search->popup(), Qt::Key_Down);
        QTest::keyClick(search->popup(), Qt::Key_Return);
    } else {
        QTest::keyClick(chooser, Qt::Key_Return);
    }
    const QString expected = chosen.isEmpty() ? before : chosen;
    QCOMPARE(chooser->chosenModel(), expected);
    QCOMPARE(chooser->currentText(), expected);

    // What the window then runs on is the model shown.
    if (window == QStringLiteral("check")) {
        childOf<QLineEdit>(host, QStringLiteral("Text1_0"))->setText(QStringLiteral("20"));
        childOf<QLineEdit>(host, QStringLiteral("Text1_1"))->setText(QStringLiteral("50"));
        childOf<QLineEdit>(host, QStringLiteral("Text1_2"))->setText(QStringLiteral("0"));
        m_messages.clear();
        clickCommand(childOf<QWidget>(host, QStringLiteral("校核")));
        const QString shown = childOf<QLabel>(host, QStringLiteral("Label21_5"))->text();
        QVERIFY2(shown.startsWith(expected) || m_messages.size() == 1,
                 qPrintable(shown + m_messages.join(QLatin1Char('\n'))));
    } else {
        childOf<QLineEdit>(host, QStringLiteral("dutyBox_0"))->setText(QStringLiteral("20"));
        childOf<QLineEdit>(host, QStringLiteral("dutyBox_1"))->setText(QStringLiteral("50"));
        childOf<QLineEdit>(host, QStringLiteral("dutyBox_2"))->setText(QStringLiteral("0"));
        clickCommand(childOf<QWidget>(host, QStringLiteral("评价")));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        auto* frm = qobject_cast<VarSpeedWindow*>(host);
        QVERIFY(frm->lastRun().run && frm->lastRun().run->single);
        const auto& single = *frm->lastRun().run->single;
        QCOMPARE(QString::fromStdString(single ? single.value().curves.model : single.error().model), expected);
    }
}

void TestWindowCommands::statusBarNamesTheWindowInUse_data()
{
    // Commands, or "activate:" and a child window's object name.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("variable-speed selection")
        << QStringList{QStringLiteral("calculate3")} << QStringLiteral("变速节能选型");
    QTest::newRow("catalogue") << QStringList{QStringLiteral("catalogueMaintenance")} << QStringLiteral("水泵目录维护");
    QTest::newRow("check, then the variable-speed window, then back to the check")
        << QStringList{QStringLiteral("calculate2"), QStringLiteral("calculate3"),
                       QStringLiteral("activate:frmcalculateSubWindow")}
        << QStringLiteral("校核计算");
    QTest::newRow("catalogue, then the variable-speed window again")
        << QStringList{QStringLiteral("calculate3"), QStringLiteral("catalogueMaintenance"),
                       QStringLiteral("activate:frmvarspeedSubWindow")}
        << QStringLiteral("变速节能选型");
    QTest::newRow("a result view, then the same window's command again")
        << QStringList{QStringLiteral("calculate3"), QStringLiteral("result1"), QStringLiteral("calculate3")}
        << QStringLiteral("变速节能选型");
    QTest::newRow("the background window leaves the panel")
        << QStringList{QStringLiteral("calculate1"), QStringLiteral("activate:frmbackgroundWindow")}
        << QStringLiteral("设计计算");
}

void TestWindowCommands::statusBarNamesTheWindowInUse()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    for (const QString& step : steps) {
        if (step.startsWith(QStringLiteral("activate:")))
            m_form->mdiArea()->setActiveSubWindow(childOf<QMdiSubWindow>(m_form.get(), step.mid(9)));
        else
            childOf<QAction>(m_form.get(), step)->trigger();
    }
    QCOMPARE(m_form->statusText(), expected);
    QCOMPARE(childOf<QLabel>(m_form.get(), QStringLiteral("Panel1"))->text(), expected);
    saveShot(m_form.get(), QStringLiteral("statusbar-") + QString::fromUtf8(QTest::currentDataTag()).left(20));
}

void TestWindowCommands::backgroundExplainsEveryToolbarButton()
{
    auto* background = m_form->findChild<frmbackground*>();
    QVERIFY(background);
    auto* toolbar = childOf<QToolBar>(m_form.get(), QStringLiteral("Toolbar1"));
    const QList<QToolButton*> buttons = toolbar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
    QStringList keys;
    for (QToolButton* button : buttons)
        if (!button->objectName().isEmpty() && button->isVisible())
            keys << button->objectName();
    QCOMPARE(keys.size(), 8);
    // One icon and one text per button; the eighth is the variable-speed
    // selection, with the button's own picture.
    for (int i = 0; i < keys.size(); ++i)
        QVERIFY2(background->findChild<PictureBox*>(QStringLiteral("Image2_%1").arg(i)), qPrintable(keys.at(i)));
    auto* icon = childOf<PictureBox>(background, QStringLiteral("Image2_7"));
    auto* text = childOf<TextLabel>(background, QStringLiteral("Label1_8"));
    QVERIFY(text->text().startsWith(QStringLiteral("变速节能选型：")));
    QVERIFY(icon->hasPicture());
    const QImage shown = icon->picture();
    const QImage button =
        toolbar->findChild<QToolButton*>(QStringLiteral("calculate3"))->icon().pixmap(icon->size()).toImage();
    QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32), button.convertToFormat(QImage::Format_ARGB32));
    QVERIFY(text->x() > icon->geometry().right());
    QVERIFY(text->y() < icon->geometry().bottom());
    // Inside the window, clear of the other texts.
    QVERIFY(background->rect().contains(text->geometry()));
    for (TextLabel* other : background->findChildren<TextLabel*>())
        if (other != text)
            QVERIFY2(!other->geometry().intersects(text->geometry()), qPrintable(other->objectName()));
    saveShot(background, QStringLiteral("background-legend"));
}

QTEST_MAIN(TestWindowCommands)
#include "tst_windowcommands.moc"
