#include "shell/mdiarrangement.h"

#include <QTest>

using namespace tarnwick;

class TestMdiArrangement : public QObject
{
    Q_OBJECT

private slots:
    void tilesCoverAreaWithoutOverlap_data();
    void tilesCoverAreaWithoutOverlap();
    void stripsRunTheRightWay();
    void nothingToTile();
};

void TestMdiArrangement::tilesCoverAreaWithoutOverlap_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("horizontal");
    for (bool horizontal : {true, false}) {
        const char* way = horizontal ? "horizontal" : "vertical";
        for (int count : {1, 2, 3, 4, 5, 7, 10})
            QTest::addRow("%s, %d in 800x533", way, count) << QSize(800, 533) << count << horizontal;
        QTest::addRow("%s, 3 in odd 101x7", way) << QSize(101, 7) << 3 << horizontal;
    }
}

void TestMdiArrangement::tilesCoverAreaWithoutOverlap()
{
    QFETCH(QSize, size);
    QFETCH(int, count);
    QFETCH(bool, horizontal);
    const QList<QRect> rects = tileRects(size, count, horizontal);
    QCOMPARE(rects.size(), count);
    long long covered = 0;
    for (int i = 0; i < rects.size(); ++i) {
        QVERIFY(!rects.at(i).isEmpty());
        QVERIFY(QRect(QPoint(0, 0), size).contains(rects.at(i)));
        covered += static_cast<long long>(rects.at(i).width()) * rects.at(i).height();
        for (int j = i + 1; j < rects.size(); ++j)
            QVERIFY2(!rects.at(i).intersects(rects.at(j)), qPrintable(QStringLiteral("%1 and %2").arg(i).arg(j)));
    }
    QCOMPARE(covered, static_cast<long long>(size.width()) * size.height());
}

void TestMdiArrangement::stripsRunTheRightWay()
{
    // Up to three: horizontal tiles span the width, vertical ones the height.
    const QList<QRect> horizontal = tileRects(QSize(900, 600), 3, true);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(horizontal.at(i), QRect(0, 200 * i, 900, 200));
    const QList<QRect> vertical = tileRects(QSize(900, 600), 3, false);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(vertical.at(i), QRect(300 * i, 0, 300, 600));
    // Four make a 2 x 2 grid either way.
    const QList<QRect> grid = tileRects(QSize(900, 600), 4, true);
    QCOMPARE(grid, (QList<QRect>{QRect(0, 0, 450, 300), QRect(0, 300, 450, 300), QRect(450, 0, 450, 300),
                                 QRect(450, 300, 450, 300)}));
}

void TestMdiArrangement::nothingToTile()
{
    QVERIFY(tileRects(QSize(800, 600), 0, true).isEmpty());
    QVERIFY(tileRects(QSize(0, 600), 2, false).isEmpty());
    tileHorizontally(nullptr);
    tileVertically(nullptr);
    arrangeIcons(nullptr);
}

QTEST_MAIN(TestMdiArrangement)
#include "tst_mdiarrangement.moc"
