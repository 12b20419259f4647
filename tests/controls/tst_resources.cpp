#include "resources/resources.h"

#include <QGuiApplication>
#include <QTest>

namespace res = tarnwick::resources;

// The pictures the windows ask for by name: each must exist, render at its
// drawn size and at the size a window stretches it to, and show something.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void everyPictureRenders_data();
    void everyPictureRenders();
    void unknownNameGivesNothing();
    void toolbarIconsAreSevenDifferentDrawings();
    void skinHasFiveDistinctOpaqueFaces();
    void cursorHotSpotIsOnTheFingertip();
};

static bool showsSomething(const QImage& image)
{
    int opaque = 0;
    QRgb first = image.pixel(0, 0);
    bool varied = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            opaque += qAlpha(p) > 0 ? 1 : 0;
            varied = varied || p != first;
        }
    }
    return opaque > image.width() * image.height() / 10 && varied;
}

void TestResources::everyPictureRenders_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("drawn"); // empty: any
    QTest::addColumn<QSize>("shown"); // a size a window shows it at
    const QSize icon(32, 32);
    const auto row = [](const char* name, QSize drawn, QSize shown) {
        QTest::newRow(name) << QString::fromLatin1(name) << drawn << shown;
    };
    row("splash", {}, {533, 400});
    row("splash-entry", icon, {33, 33});
    row("splash-entry-cursor", icon, icon);
    row("about", {87, 110}, {96, 125});
    row("background", {}, {801, 601});
    row("main-window", {}, {16, 16});
    row("toolbar-design", icon, icon);
    row("toolbar-check", icon, icon);
    row("toolbar-latest-results", icon, icon);
    row("toolbar-all-results", icon, icon);
    row("toolbar-principle", icon, icon);
    row("toolbar-company", icon, icon);
    row("toolbar-products", icon, icon);
    row("help-contents", icon, icon);
    row("help-principle", icon, icon);
    row("help-company", icon, icon);
    row("help-products", icon, icon);
    row("help-banner-company", {}, {533, 101});
    row("help-banner-products", {}, {533, 105});
    row("button-skin", {90, 21}, {90, 21});
}

void TestResources::everyPictureRenders()
{
    QFETCH(QString, name);
    QFETCH(QSize, drawn);
    QFETCH(QSize, shown);
    QVERIFY(res::contains(name));
    const QSize natural = res::naturalSize(name);
    QVERIFY(!natural.isEmpty());
    if (!drawn.isEmpty())
        QCOMPARE(natural, drawn);
    QCOMPARE(res::picture(name).size(), natural);
    const QPixmap atSize = res::picture(name, shown);
    QCOMPARE(atSize.size(), shown);
    QVERIFY(showsSomething(atSize.toImage()));
}

void TestResources::unknownNameGivesNothing()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no picture named")));
    QVERIFY(res::picture(QStringLiteral("toolbar-nothing"), QSize(32, 32)).isNull());
    QVERIFY(!res::contains(QStringLiteral("toolbar-nothing")));
}

void TestResources::toolbarIconsAreSevenDifferentDrawings()
{
    // The seven toolbar pictures are seven different drawings.
    QList<QImage> seen;
    for (const QString& name : res::toolbarIconNames()) {
        const QImage image = res::image(name, QSize(32, 32));
        QVERIFY2(!seen.contains(image), qPrintable(name));
        seen << image;
    }
    QCOMPARE(seen.size(), 7);
}

void TestResources::skinHasFiveDistinctOpaqueFaces()
{
    const QImage skin = res::image(res::kButtonSkin, QSize(90, 21));
    QList<QList<QRgb>> faces;
    for (int k = 0; k < res::kButtonFaceCount; ++k) {
        QList<QRgb> face;
        // Down the middle column and along the middle row: border, ring, fill.
        for (int y = 0; y < 21; ++y)
            face << skin.pixel(18 * k + 9, y);
        for (int x = 0; x < 18; ++x)
            face << skin.pixel(18 * k + x, 10);
        for (const QRgb p : face)
            QCOMPARE(qAlpha(p), 255);
        QVERIFY2(!faces.contains(face), qPrintable(QString::number(k)));
        faces << face;
    }
}

void TestResources::cursorHotSpotIsOnTheFingertip()
{
    const QCursor hand = res::cursor(QStringLiteral("splash-entry-cursor"));
    QCOMPARE(hand.pixmap().size(), QSize(32, 32));
    const QPoint hot = hand.hotSpot();
    const QImage image = hand.pixmap().toImage();
    // The hot spot touches the drawing and nothing is drawn above it.
    QVERIFY(qAlpha(image.pixel(hot + QPoint(0, 1))) > 128);
    for (int y = 0; y < hot.y(); ++y)
        QCOMPARE(qAlpha(image.pixel(hot.x(), y)), 0);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
