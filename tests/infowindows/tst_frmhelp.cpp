#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "infowindows/frmhelp.h"
#include "infowindows/infotexts.h"
#include "infowindows/picturebox.h"
#include "infowindows/readonlytextbox.h"
#include "resources/resources.h"
#include "tests/infowindows/testpictures.h"
#include "tests/support/layoutfigures.h"
#include "tests/support/testdatabase.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <utility>

using tarnwick::frmhelp;
using tarnwick::HelpPage;
using tarnwick::PictureBox;
using tarnwick::ReadOnlyTextBox;
using tarnwick::testing::pngLiteral;
using tarnwick::testing::TestProgramFolder;

Q_DECLARE_METATYPE(HelpPage)

namespace {

// A fixed text as its line table gives it: each line's count of leading
// blanks and its text, lines separated by CR LF.
QByteArray textFromLines(const QList<std::pair<int, QString>>& lines)
{
    QStringList joined;
    for (const auto& [blanks, text] : lines)
        joined.append(QString(blanks, QLatin1Char(' ')) + text);
    return joined.join(QStringLiteral("\r\n")).toUtf8();
}

QByteArray expectedHelpText()
{
    const QString none;
    return textFromLines({
        {0, none},
        {20, QStringLiteral("Tarnwick——帮助")},
        {0, none},
        {1, QStringLiteral("开发单位：")},
        {0, none},
        {5, tarnwick::infotext::organisation()},
        {0, none},
        {1, QStringLiteral("主要功能： ")},
        {0, none},
        {5, QStringLiteral("1 根据用户提供的参数，选择出满足客户要求的水泵，供")},
        {7, QStringLiteral("用户选择。")},
        {0, none},
        {5, QStringLiteral("2 将选型结果打印输出。")},
        {0, none},
        {1, QStringLiteral("各功能安钮介绍： ")},
        {0, none},
        {5, QStringLiteral("1 计算：根据用户提供的参数计算出满足其要求的水泵")},
        {0, none},
        {5, QStringLiteral("2 刷新：将当前窗口中的所有数据清除")},
        {0, none},
        {5, QStringLiteral("3 打印：将用户参数、计算结果、所选设备参数打印输出")},
        {0, none},
        {5, QStringLiteral("4 上一步：返回到上一窗口")},
        {0, none},
        {5, QStringLiteral("5 产品介绍：对本公司生产的各类型水泵进行介绍")},
        {0, none},
        {5, QStringLiteral("6 公司简介：对本公司的各方面进行介绍")},
        {0, none},
        {5, QStringLiteral("7 退出：退出Tarnwick软件")},
        {0, none},
        {5, QStringLiteral("8 帮助：在线提供各种帮助及其它有用信息")},
        {0, none},
    });
}

QByteArray expectedPrincipleText()
{
    const QString none;
    return textFromLines({
        {10, none},
        {20, QStringLiteral("Tarnwick原理")},
        {0, none},
        {0, none},
        {0, QStringLiteral("1.利用数据库中的数据拟和出水泵性能曲线，形式如公式(1)。")},
        {0, none},
        {4, QStringLiteral("H=a0+a1G+a2G2+a3G3               (1)")},
        {4, QStringLiteral("式中：H--扬程，m。G--流量，m3/h。")},
        {10, QStringLiteral("a0、a1、a2、a3--系数。")},
        {0, none},
        {0, QStringLiteral("2.利用用户输入的参数得到管路性能曲线，形式如公式(2)。")},
        {0, none},
        {4, QStringLiteral("H=sG2                           (2)")},
        {4, QStringLiteral("式中：H--扬程，m。G--流量，m3/h。")},
        {10, QStringLiteral("s--管路特性阻力系数。")},
        {0, none},
        {0, QStringLiteral("3.联合公式（1）和公式（2）求交点，得到水泵工作点。如果")},
        {0, QStringLiteral("工作点满足以下要求，则认为这个型号的水泵可选。")},
        {0, none},
        {4, QStringLiteral("①工作点参数能满足用户要求，且富余量在20％以内；")},
        {0, none},
        {4, QStringLiteral("②工作点处于水泵的高效区，即ηmax-15≤η≤ηmax。")},
        {4, QStringLiteral("其中：ηmax--水泵最高效率。η--水泵实际运行效率。")},
        {0, none},
    });
}

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestFrmHelp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pages_data();
    void pages();
    void fixedTexts_data();
    void fixedTexts();
    void mousePressLeavesNoCaret_data();
    void mousePressLeavesNoCaret();
    void companyAndProductsShowTheFirstRow();
    void emptyTableShowsEmptyBoxes();
    void unreadableDataShowsEmptyBoxes_data();
    void unreadableDataShowsEmptyBoxes();

private:
    template <typename T> T* child(const QWidget& window, const QString& name)
    {
        auto* widget = window.findChild<T*>(name);
        if (!widget)
            qWarning("no control %s", qPrintable(name));
        return widget;
    }

    QStringList warnings;
};

void TestFrmHelp::init()
{
    warnings.clear();
    tarnwick::setMessageBoxInterceptor({[this](const QString& text) {
        warnings.append(text);
        return true;
    }});
}

void TestFrmHelp::cleanup()
{
    tarnwick::setMessageBoxInterceptor({});
}

void TestFrmHelp::pages_data()
{
    QTest::addColumn<HelpPage>("page");
    QTest::addColumn<HelpPage>("before");
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("icon");

    QTest::newRow("contents") << HelpPage::Contents << HelpPage::Products << QStringLiteral("Text4") << 6240 << 5160
                              << QStringLiteral("帮助") << QStringLiteral("help-contents");
    QTest::newRow("principle") << HelpPage::Principle << HelpPage::Company << QStringLiteral("Text5") << 6240 << 5160
                               << QStringLiteral("选型原理") << QStringLiteral("help-principle");
    QTest::newRow("company after principle")
        << HelpPage::Company << HelpPage::Principle << QStringLiteral("Frame1") << 7545 << 8100
        << QStringLiteral("公司简介") << QStringLiteral("help-company");
    QTest::newRow("products captioned 产品介绍")
        << HelpPage::Products << HelpPage::Contents << QStringLiteral("Frame2") << 7545 << 8100
        << QStringLiteral("产品介绍") << QStringLiteral("help-products");
}

void TestFrmHelp::pages()
{
    QFETCH(HelpPage, page);
    QFETCH(HelpPage, before);
    QFETCH(QString, group);
    QFETCH(int, height);
    QFETCH(int, width);
    QFETCH(QString, caption);
    QFETCH(QString, icon);

    TestProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    frmhelp window(folder.folder());
    window.selectPage(before);
    window.selectPage(page);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (const QString& name :
         {QStringLiteral("Text4"), QStringLiteral("Text5"), QStringLiteral("Frame1"), QStringLiteral("Frame2")}) {
        QWidget* widget = child<QWidget>(window, name);
        QVERIFY(widget);
        QCOMPARE(widget->isVisible(), name == group);
    }
    QCOMPARE(frmhelp::pageSizeTwips(page), QSize(width, height));
    QCOMPARE(window.size(), tarnwick::twipsSize(width - tarnwick::testing::layout::help::kFrameWidth,
                                                height - tarnwick::testing::layout::help::kFrameHeight));
    QCOMPARE(window.windowTitle(), caption);
    QCOMPARE(iconImage(window.windowIcon()), iconImage(tarnwick::resources::icon(icon)));

    // The visible group lies within the window: nothing of the page is cut.
    QWidget* shown = child<QWidget>(window, group);
    const QRect visible = shown->geometry().intersected(window.rect());
    QVERIFY2(visible.width() == shown->width() && visible.bottom() == shown->geometry().bottom(),
             qPrintable(QStringLiteral("group %1 cut by the window").arg(group)));
    QVERIFY(warnings.isEmpty());
}

void TestFrmHelp::fixedTexts_data()
{
    QTest::addColumn<HelpPage>("page");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("help text") << HelpPage::Contents << QStringLiteral("Text4") << expectedHelpText();
    QTest::newRow("principle text") << HelpPage::Principle << QStringLiteral("Text5") << expectedPrincipleText();
}

void TestFrmHelp::fixedTexts()
{
    QFETCH(HelpPage, page);
    QFETCH(QString, box);
    QFETCH(QByteArray, expected);

    TestProgramFolder folder;
    frmhelp window(folder.folder());
    window.selectPage(page);
    auto* text = child<ReadOnlyTextBox>(window, box);
    QVERIFY(text);
    QCOMPARE(text->text().toUtf8(), expected);

    // What the box shows is that text line for line: one paragraph per line,
    // the final line end opening none.
    QStringList lines = QString::fromUtf8(expected).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(text->document()->blockCount(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(text->document()->findBlockByNumber(i).text(), lines.at(i));

    // No line of the fixed text is broken by the box's width, and the help
    // text shows without a scroll bar.
    text->resize(text->size()); // lay out at the box's own width
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next())
        QVERIFY2(block.layout()->lineCount() <= 1, qPrintable(block.text()));
    if (box == QStringLiteral("Text4"))
        QVERIFY(!text->verticalScrollBar()->isVisible());
}

void TestFrmHelp::mousePressLeavesNoCaret_data()
{
    QTest::addColumn<HelpPage>("page");
    QTest::addColumn<QString>("box");

    QTest::newRow("help text") << HelpPage::Contents << QStringLiteral("Text4");
    QTest::newRow("principle text") << HelpPage::Principle << QStringLiteral("Text5");
    QTest::newRow("company text") << HelpPage::Company << QStringLiteral("Text3");
    QTest::newRow("product text") << HelpPage::Products << QStringLiteral("Text2");
}

void TestFrmHelp::mousePressLeavesNoCaret()
{
    QFETCH(HelpPage, page);
    QFETCH(QString, box);

    TestProgramFolder folder;
    QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"公司资料\" (\"公司简介\", \"产品简介\") VALUES "
                                       "('公司的介绍文字', '产品的介绍文字')")));
    frmhelp window(folder.folder());
    window.selectPage(page);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    auto* text = child<ReadOnlyTextBox>(window, box);
    auto* focusBox = child<QLineEdit>(window, QStringLiteral("Text1"));
    QVERIFY(text && focusBox);
    QVERIFY(focusBox->geometry().right() < 0); // out of sight
    const QString before = text->toPlainText();
    focusBox->clearFocus();
    QVERIFY(!focusBox->hasFocus());

    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
    QVERIFY(focusBox->hasFocus());
    QVERIFY(!text->hasFocus());
    QCOMPARE(text->focusPolicy(), Qt::NoFocus);

    // A double click and a drag select nothing; typing changes nothing.
    QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
    QTest::mousePress(text->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(text->viewport(), QPoint(100, 40));
    QTest::mouseRelease(text->viewport(), Qt::LeftButton, {}, QPoint(100, 40));
    QVERIFY(!text->textCursor().hasSelection());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QCOMPARE(text->toPlainText(), before);
}

void TestFrmHelp::companyAndProductsShowTheFirstRow()
{
    TestProgramFolder folder;
    QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"公司资料\" VALUES ('第一行公司\r\n第二段', %1, '第一行产品', %2)")
                            .arg(pngLiteral(QSize(72, 20), Qt::red), pngLiteral(QSize(30, 48), Qt::blue))));
    QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"公司资料\" VALUES ('另一家', %1, '另一种', %2)")
                            .arg(pngLiteral(QSize(10, 10), Qt::green), pngLiteral(QSize(10, 10), Qt::green))));

    frmhelp window(folder.folder());
    QVERIFY(warnings.isEmpty());
    QCOMPARE(child<ReadOnlyTextBox>(window, QStringLiteral("Text3"))->text(), QStringLiteral("第一行公司\r\n第二段"));
    QCOMPARE(child<ReadOnlyTextBox>(window, QStringLiteral("Text2"))->text(), QStringLiteral("第一行产品"));

    const auto* companyPicture = child<PictureBox>(window, QStringLiteral("OLE2"));
    const auto* productPicture = child<PictureBox>(window, QStringLiteral("OLE1"));
    QCOMPARE(companyPicture->picture().size(), QSize(72, 20));
    QCOMPARE(companyPicture->picture().pixelColor(5, 5), QColor(Qt::red));
    QCOMPARE(productPicture->picture().size(), QSize(30, 48));
    QCOMPARE(productPicture->picture().pixelColor(5, 5), QColor(Qt::blue));

    // The banners are there on both pages.
    QVERIFY(child<PictureBox>(window, QStringLiteral("Image1"))->hasPicture());
    QVERIFY(child<PictureBox>(window, QStringLiteral("Image3"))->hasPicture());

    // A picture keeps its proportions inside its box.
    const QRect shown = productPicture->pictureRect();
    QVERIFY(productPicture->rect().contains(shown));
    QVERIFY(qAbs(shown.width() * 48 - shown.height() * 30) <= 48);
}

void TestFrmHelp::emptyTableShowsEmptyBoxes()
{
    TestProgramFolder folder;
    frmhelp window(folder.folder());
    window.selectPage(HelpPage::Company);
    QVERIFY(warnings.isEmpty());
    QVERIFY(child<ReadOnlyTextBox>(window, QStringLiteral("Text3"))->text().isEmpty());
    QVERIFY(child<ReadOnlyTextBox>(window, QStringLiteral("Text2"))->text().isEmpty());
    QVERIFY(!child<PictureBox>(window, QStringLiteral("OLE2"))->hasPicture());
    QVERIFY(!child<PictureBox>(window, QStringLiteral("OLE1"))->hasPicture());
    QVERIFY(child<PictureBox>(window, QStringLiteral("Image1"))->hasPicture());
}

void TestFrmHelp::unreadableDataShowsEmptyBoxes_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("named");

    QTest::newRow("no database") << QString() << QStringLiteral("水泵数据库97.mdb");
    QTest::newRow("no table") << QStringLiteral("DROP TABLE \"公司资料\"") << QStringLiteral("公司资料");
    QTest::newRow("no picture field") << QStringLiteral("ALTER TABLE \"公司资料\" DROP COLUMN \"产品图片\"")
                                      << QStringLiteral("产品图片");
}

void TestFrmHelp::unreadableDataShowsEmptyBoxes()
{
    QFETCH(QString, damage);
    QFETCH(QString, named);

    TestProgramFolder folder;
    QTemporaryDir emptyFolder;
    QString programFolder = emptyFolder.path();
    if (!damage.isEmpty()) {
        programFolder = folder.folder();
        QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"公司资料\" VALUES ('公司', NULL, '产品', %1)")
                                .arg(pngLiteral(QSize(4, 4), Qt::red))));
        QVERIFY(folder.exec(damage));
    }

    frmhelp window(programFolder);
    window.selectPage(HelpPage::Products);
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.first().contains(named), qPrintable(warnings.first()));
    QVERIFY(!child<PictureBox>(window, QStringLiteral("OLE1"))->hasPicture());
    QCOMPARE(window.windowTitle(), QStringLiteral("产品介绍"));
}

QTEST_MAIN(TestFrmHelp)
#include "tst_frmhelp.moc"
