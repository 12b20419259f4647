#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "infowindows/frmpicture.h"
#include "infowindows/picturebox.h"
#include "tests/infowindows/testpictures.h"
#include "tests/support/testdatabase.h"

#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using tarnwick::fitSchematicWindow;
using tarnwick::frmpicture;
using tarnwick::PictureBox;
using tarnwick::SchematicWindowFit;
using tarnwick::testing::pngLiteral;
using tarnwick::testing::TestProgramFolder;

class TestFrmPicture : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fit_data();
    void fit();
    void window_data();
    void window();
    void firstRowOfTheTypeIsShown();
    void missingDatabaseLeavesTheWindowEmpty();

private:
    QStringList warnings;
};

void TestFrmPicture::init()
{
    warnings.clear();
    tarnwick::setMessageBoxInterceptor({[this](const QString& text) {
        warnings.append(text);
        return true;
    }});
}

void TestFrmPicture::cleanup()
{
    tarnwick::setMessageBoxInterceptor({});
}

void TestFrmPicture::fit_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<bool>("scaled");
    QTest::addColumn<float>("boxWidth");
    QTest::addColumn<float>("boxHeight");
    QTest::addColumn<float>("windowWidth");
    QTest::addColumn<float>("windowHeight");

    // The last box size is 4000 x 3000 in every row.
    QTest::newRow("5000x3000 enlarged by 2")
        << 5000.0f << 3000.0f << true << 10000.0f << 6000.0f << 10080.0f << 6120.0f;
    QTest::newRow("3000x6000 to the box height")
        << 3000.0f << 6000.0f << true << 3750.0f << 7500.0f << 3830.0f << 7620.0f;
    QTest::newRow("box size stays") << 10000.0f << 7500.0f << true << 10000.0f << 7500.0f << 10080.0f << 7620.0f;
    QTest::newRow("larger than the box shrinks")
        << 40000.0f << 10000.0f << true << 10000.0f << 2500.0f << 10080.0f << 2620.0f;
    QTest::newRow("no picture keeps the last size")
        << 0.0f << 0.0f << false << 4000.0f << 3000.0f << 4080.0f << 3120.0f;
    QTest::newRow("no width keeps the last size")
        << 0.0f << 6000.0f << false << 4000.0f << 3000.0f << 4080.0f << 3120.0f;
    QTest::newRow("no height keeps the last size")
        << 6000.0f << 0.0f << false << 4000.0f << 3000.0f << 4080.0f << 3120.0f;
}

void TestFrmPicture::fit()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(bool, scaled);
    QFETCH(float, boxWidth);
    QFETCH(float, boxHeight);
    QFETCH(float, windowWidth);
    QFETCH(float, windowHeight);

    const SchematicWindowFit fit = fitSchematicWindow(width, height, 4000.0f, 3000.0f);
    QCOMPARE(fit.scaled, scaled);
    QCOMPARE(fit.boxWidth, boxWidth);
    QCOMPARE(fit.boxHeight, boxHeight);
    QCOMPARE(fit.windowWidth, windowWidth);
    QCOMPARE(fit.windowHeight, windowHeight);
    QVERIFY(std::isfinite(fit.boxWidth) && std::isfinite(fit.boxHeight));
}

void TestFrmPicture::window_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QSize>("box");    // pixels
    QTest::addColumn<QSize>("window"); // pixels

    // The stored pictures: "IS" 200 x 120 pixels (3000 x 1800 twips), "S"
    // 200 x 400 pixels (3000 x 6000 twips).
    QTest::newRow("wide picture fills the width") << QStringLiteral("IS") << QSize(667, 400) << QSize(672, 408);
    QTest::newRow("tall picture fills the height") << QStringLiteral("S") << QSize(250, 500) << QSize(255, 508);
    QTest::newRow("type compared exactly") << QStringLiteral("is") << QSize(667, 500) << QSize(672, 508);
    QTest::newRow("unknown type keeps the box") << QStringLiteral("ISG") << QSize(667, 500) << QSize(672, 508);
}

void TestFrmPicture::window()
{
    QFETCH(QString, type);
    QFETCH(QSize, box);
    QFETCH(QSize, window);

    TestProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"设备安装示意图\" VALUES ('IS', %1), ('S', %2)")
                            .arg(pngLiteral(QSize(200, 120), Qt::red), pngLiteral(QSize(200, 400), Qt::blue))));

    frmpicture schematic(type, folder.folder());
    schematic.show();
    QVERIFY(QTest::qWaitForWindowExposed(&schematic));
    QVERIFY(warnings.isEmpty());
    QCOMPARE(schematic.windowTitle(), QStringLiteral("水泵示意图"));

    auto* picture = schematic.findChild<PictureBox*>(QStringLiteral("OLE1"));
    QVERIFY(picture);
    QCOMPARE(picture->geometry(), QRect(QPoint(0, 0), box));
    QCOMPARE(schematic.size(), window);
    const bool known = type == QStringLiteral("IS") || type == QStringLiteral("S");
    QCOMPARE(picture->hasPicture(), known);
    QCOMPARE(picture->pictureRect(), known ? picture->rect() : QRect());

    // Centred on the screen.
    const QRect screen = schematic.screen()->geometry();
    QVERIFY(qAbs(schematic.frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(schematic.frameGeometry().center().y() - screen.center().y()) <= 1);

    // The layout runs again when the focus box gets the focus back, and
    // finds the same.
    auto* focusBox = schematic.findChild<QLineEdit*>(QStringLiteral("Text1"));
    QVERIFY(focusBox && focusBox->geometry().right() < 0);
    schematic.move(0, 0);
    focusBox->clearFocus();
    focusBox->setFocus();
    QCOMPARE(picture->geometry(), QRect(QPoint(0, 0), box));
    QCOMPARE(schematic.size(), window);
    QVERIFY(qAbs(schematic.frameGeometry().center().x() - screen.center().x()) <= 1);
}

void TestFrmPicture::firstRowOfTheTypeIsShown()
{
    TestProgramFolder folder;
    QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"设备安装示意图\" VALUES ('S', %1), ('IS', %2), ('IS', %3)")
                            .arg(pngLiteral(QSize(50, 50), Qt::black), pngLiteral(QSize(100, 75), Qt::green),
                                 pngLiteral(QSize(10, 75), Qt::red))));
    frmpicture schematic(QStringLiteral("IS"), folder.folder());
    const auto* picture = schematic.findChild<PictureBox*>(QStringLiteral("OLE1"));
    QCOMPARE(picture->picture().size(), QSize(100, 75));
    QCOMPARE(picture->picture().pixelColor(0, 0), QColor(Qt::green));
    QCOMPARE(schematic.boxWidthTwips(), 10000.0f);
    QCOMPARE(schematic.boxHeightTwips(), 7500.0f);
}

void TestFrmPicture::missingDatabaseLeavesTheWindowEmpty()
{
    QTemporaryDir empty;
    frmpicture schematic(QStringLiteral("IS"), empty.path());
    QCOMPARE(warnings.size(), 1);
    QVERIFY(warnings.first().contains(QStringLiteral("水泵数据库97.mdb")));
    const auto* picture = schematic.findChild<PictureBox*>(QStringLiteral("OLE1"));
    QVERIFY(!picture->hasPicture());
    QCOMPARE(schematic.size(), tarnwick::twipsSize(10080, 7620));
}

QTEST_MAIN(TestFrmPicture)
#include "tst_frmpicture.moc"
