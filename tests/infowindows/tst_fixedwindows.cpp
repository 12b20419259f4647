#include "controls/uimetrics.h"
#include "controls/xpcmdbutton.h"
#include "infowindows/frmabout.h"
#include "infowindows/frmbackground.h"
#include "infowindows/frmsplash.h"
#include "infowindows/infotexts.h"
#include "infowindows/picturebox.h"
#include "infowindows/textlabel.h"
#include "resources/resources.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using tarnwick::frmAbout;
using tarnwick::frmbackground;
using tarnwick::frmSplash;
using tarnwick::PictureBox;
using tarnwick::TextLabel;

namespace {

// Labels that overlap on purpose: the embossed title and its light copy.
bool overlapAllowed(const QWidget* a, const QWidget* b)
{
    return a->objectName().startsWith(QStringLiteral("lblProductName_")) &&
           b->objectName().startsWith(QStringLiteral("lblProductName_"));
}

// Every label shows all of its text within the window, and no label covers
// another label or an icon.
void checkLabelsFit(const QWidget& window, const QStringList& icons)
{
    const QList<TextLabel*> labels = window.findChildren<TextLabel*>();
    QVERIFY(!labels.isEmpty());
    for (const TextLabel* label : labels) {
        QVERIFY2(label->textHeight() <= label->height(), qPrintable(label->objectName() + QStringLiteral(" too low")));
        if (!label->wordWrap())
            QVERIFY2(label->textWidth() <= label->width(),
                     qPrintable(label->objectName() + QStringLiteral(" too narrow")));
        QVERIFY2(window.rect().contains(label->geometry()), qPrintable(label->objectName()));
        for (const TextLabel* other : labels) {
            if (other != label && !overlapAllowed(label, other))
                QVERIFY2(!label->geometry().intersects(other->geometry()),
                         qPrintable(label->objectName() + QStringLiteral(" over ") + other->objectName()));
        }
        for (const QString& icon : icons) {
            const QWidget* picture = window.findChild<QWidget*>(icon);
            QVERIFY(picture);
            QVERIFY2(!label->geometry().intersects(picture->geometry()),
                     qPrintable(label->objectName() + QStringLiteral(" over ") + icon));
        }
    }
}

} // namespace

class TestFixedWindows : public QObject
{
    Q_OBJECT

private slots:
    void splashClickTargets_data();
    void splashClickTargets();
    void splashEntryNeedsPressAndReleaseOnTheIcon();
    void splashEndsOrEntersTheProgram_data();
    void splashEndsOrEntersTheProgram();
    void splashLayout();
    void aboutTexts();
    void aboutOkCloses();
    void backgroundLegend_data();
    void backgroundLegend();
    void backgroundLayout();
};

void TestFixedWindows::splashClickTargets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("enters");

    QTest::newRow("entry icon") << QStringLiteral("Image1") << true;
    QTest::newRow("picture") << QStringLiteral("imgLogo") << false;
    QTest::newRow("title") << QStringLiteral("lblProductName_0") << false;
    QTest::newRow("点击进入") << QStringLiteral("Label1") << false;
    QTest::newRow("notice") << QStringLiteral("lblNotice") << false;
}

void TestFixedWindows::splashClickTargets()
{
    QFETCH(QString, target);
    QFETCH(bool, enters);

    frmSplash splash;
    QWidget mainWindow; // what the shell shows on entering
    QSignalSpy entered(&splash, &frmSplash::entered);
    connect(&splash, &frmSplash::entered, &mainWindow, [&mainWindow] { mainWindow.show(); });
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));

    // Click where the user sees the control; the control on top there gets it.
    const QWidget* control = splash.findChild<QWidget*>(target);
    QVERIFY(control);
    const QPoint point = control->geometry().center();
    if (target == QStringLiteral("imgLogo"))
        QVERIFY(splash.childAt(point) == control);
    QWidget* hit = splash.childAt(point);
    QVERIFY(hit);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&splash, point));

    QCOMPARE(entered.size(), enters ? 1 : 0);
    QCOMPARE(splash.isVisible(), !enters);
    QCOMPARE(mainWindow.isVisible(), enters);
}

void TestFixedWindows::splashEntryNeedsPressAndReleaseOnTheIcon()
{
    frmSplash splash;
    QSignalSpy entered(&splash, &frmSplash::entered);
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    auto* icon = splash.findChild<PictureBox*>(QStringLiteral("Image1"));
    QVERIFY(icon);
    QVERIFY(icon->hasPicture());
    QCOMPARE(icon->size(), QSize(33, 33));
    QCOMPARE(icon->cursor().shape(), Qt::BitmapCursor);

    QTest::mousePress(icon, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(60, 10)); // let go beside it
    QTest::mouseClick(icon, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(entered.size(), 0);
    QVERIFY(splash.isVisible());
}

void TestFixedWindows::splashEndsOrEntersTheProgram_data()
{
    QTest::addColumn<bool>("clickEntry");
    QTest::addColumn<bool>("keepsRunning");

    QTest::newRow("closed without entering ends the program") << false << false;
    QTest::newRow("entering keeps the program running") << true << true;
}

void TestFixedWindows::splashEndsOrEntersTheProgram()
{
    QFETCH(bool, clickEntry);
    QFETCH(bool, keepsRunning);

    // The splash as the program runs it: the application's own event loop,
    // which ends when the last window closes.
    frmSplash splash;
    QWidget mainWindow;
    QSignalSpy entered(&splash, &frmSplash::entered);
    bool splashShownAtLoad = false;
    connect(&splash, &frmSplash::entered, &mainWindow, [&] {
        splashShownAtLoad = splash.isVisible();
        mainWindow.show();
    });
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));

    constexpr int kStillRunning = 99;
    QTimer::singleShot(0, &splash, [&splash, clickEntry] {
        if (clickEntry)
            QTest::mouseClick(splash.findChild<QWidget*>(QStringLiteral("Image1")), Qt::LeftButton, {}, QPoint(5, 5));
        else
            splash.close();
    });
    QTimer::singleShot(1000, qApp, [] { QCoreApplication::exit(kStillRunning); });
    const int result = QApplication::exec();

    QCOMPARE(result == kStillRunning, keepsRunning);
    QCOMPARE(entered.size(), clickEntry ? 1 : 0);
    QVERIFY(!splash.isVisible());
    QCOMPARE(mainWindow.isVisible(), clickEntry);
    // The splash closes before the main window loads.
    QVERIFY(!splashShownAtLoad);
}

void TestFixedWindows::splashLayout()
{
    frmSplash splash;
    const auto* title = splash.findChild<TextLabel*>(QStringLiteral("lblProductName_0"));
    const auto* shadow = splash.findChild<TextLabel*>(QStringLiteral("lblProductName_1"));
    QVERIFY(title && shadow);
    QCOMPARE(title->text(), QStringLiteral("Tarnwick软件"));
    QCOMPARE(shadow->text(), title->text());
    // The title lies over its light copy.
    QVERIFY(splash.children().indexOf(const_cast<TextLabel*>(title)) >
            splash.children().indexOf(const_cast<TextLabel*>(shadow)));
    QCOMPARE(splash.findChild<TextLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("点击进入"));
    QCOMPARE(splash.findChild<TextLabel*>(QStringLiteral("lblNotice"))->text(), tarnwick::infotext::splashNotice());
    checkLabelsFit(splash, {QStringLiteral("Image1")});
    // No caption: no title bar, and no text the platform could show instead.
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(splash.windowTitle().trimmed().isEmpty());
    QVERIFY(!splash.windowTitle().isEmpty());
}

void TestFixedWindows::aboutTexts()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("关于Tarnwick软件"));
    const auto text = [&about](const char* name) {
        const auto* label = about.findChild<TextLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing>");
    };
    QCOMPARE(text("lblTitle"), QStringLiteral("Tarnwick软件"));
    QCOMPARE(text("lblVersion"), QStringLiteral("版本1.0.0"));
    QCOMPARE(text("Label1"), QStringLiteral("开发单位：") + tarnwick::infotext::organisation());
    QCOMPARE(text("lblDescription"), QStringLiteral("本软件用于帮助用户选择合适的水泵，给用户的设计计算带来方便。"));
    QCOMPARE(text("lblDisclaimer"), tarnwick::infotext::legalWarning());
    QVERIFY(about.findChild<PictureBox*>(QStringLiteral("Image1"))->hasPicture());
    checkLabelsFit(about, {QStringLiteral("Image1"), QStringLiteral("确定")});
    // The legal warning lies below the separator.
    QVERIFY(about.findChild<QWidget*>(QStringLiteral("lblDisclaimer"))->y() >
            about.findChild<QWidget*>(QStringLiteral("Line1_0"))->y());
}

void TestFixedWindows::aboutOkCloses()
{
    QWidget owner;
    owner.show();
    auto* about = new frmAbout(&owner);
    about->setAttribute(Qt::WA_DeleteOnClose);
    QSignalSpy finished(about, &QDialog::finished);
    about->open();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QVERIFY(about->isModal());

    auto* ok = about->findChild<tarnwick::xpcmdbutton*>(QStringLiteral("确定"));
    QVERIFY(ok);
    QCOMPARE(ok->caption(), QStringLiteral("确定"));
    QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
    QTRY_VERIFY(owner.findChildren<frmAbout*>().isEmpty());
}

void TestFixedWindows::backgroundLegend_data()
{
    QTest::addColumn<int>("image");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("label");
    QTest::addColumn<QString>("text");

    QTest::newRow("design") << 0 << QStringLiteral("toolbar-design") << 1
                            << QStringLiteral("设计计算：用户输入已知参数，由软件计算出满足用户要求的水泵");
    QTest::newRow("check")
        << 1 << QStringLiteral("toolbar-check") << 2
        << QStringLiteral("校核计算：用户输入已知参数和拟选择的水泵，由软件来验证用户选择的水泵是否满足满足用户的要求");
    QTest::newRow("latest results") << 2 << QStringLiteral("toolbar-latest-results") << 3
                                    << QStringLiteral("显示最近一次选型计算的结果，还可打印或导出计算结果");
    QTest::newRow("all results") << 3 << QStringLiteral("toolbar-all-results") << 4
                                 << QStringLiteral("显示所有选型计算的结果，还可打印或导出计算结果");
    QTest::newRow("principle") << 4 << QStringLiteral("toolbar-principle") << 5 << QStringLiteral("Tarnwick的原理");
    QTest::newRow("company") << 5 << QStringLiteral("toolbar-company") << 6 << QStringLiteral("公司简介");
    QTest::newRow("products") << 6 << QStringLiteral("toolbar-products") << 7 << QStringLiteral("产品简介");
}

void TestFixedWindows::backgroundLegend()
{
    QFETCH(int, image);
    QFETCH(QString, icon);
    QFETCH(int, label);
    QFETCH(QString, text);

    frmbackground background;
    const auto* picture = background.findChild<PictureBox*>(QStringLiteral("Image2_%1").arg(image));
    const auto* legend = background.findChild<TextLabel*>(QStringLiteral("Label1_%1").arg(label));
    QVERIFY(picture && legend);
    QCOMPARE(legend->text(), text);
    QCOMPARE(picture->size(), QSize(33, 33));
    QCOMPARE(picture->picture(), tarnwick::resources::image(icon, QSize(33, 33)));
    // The text stands to the right of its icon, on the same row.
    QVERIFY(legend->x() > picture->geometry().right());
    QVERIFY(legend->y() < picture->geometry().bottom());
}

void TestFixedWindows::backgroundLayout()
{
    frmbackground background;
    QCOMPARE(background.windowTitle(), QStringLiteral("背景"));
    const auto* title = background.findChild<TextLabel*>(QStringLiteral("Label1_0"));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("Tarnwick软件快捷键说明"));
    QVERIFY(background.findChild<PictureBox*>(QStringLiteral("Image1"))->hasPicture());
    QStringList icons;
    for (int i = 0; i < 7; ++i)
        icons.append(QStringLiteral("Image2_%1").arg(i));
    checkLabelsFit(background, icons);
    // Each text keeps the width of its box (twips), whatever its length.
    const int widths[] = {1920, 1920, 1860, 1860, 1800, 720, 720};
    for (int label = 1; label <= 7; ++label)
        QCOMPARE(background.findChild<TextLabel*>(QStringLiteral("Label1_%1").arg(label))->width(),
                 tarnwick::twipsRect(0, 0, widths[label - 1], 1).width());
}

QTEST_MAIN(TestFixedWindows)
#include "tst_fixedwindows.moc"
