// The check's note when the operating flow lies beyond the measured curve.

#include "coretesting.h"

#include "core/measuredrange.h"

#include <QTest>

using namespace tarnwick;

class TestMeasuredRange : public QObject
{
    Q_OBJECT

private slots:
    void operatingFlowNote_data();
    void operatingFlowNote();
};

void TestMeasuredRange::operatingFlowNote_data()
{
    QTest::addColumn<QList<float>>("flows");
    QTest::addColumn<double>("operatingFlow");
    QTest::addColumn<QString>("expected"); // empty: no note

    // Points in stored order need not be sorted by flow.
    const QList<float> flows = {25.0f, 37.5f, 12.1f, 60.0f, 67.5f};
    const QString range = QStringLiteral("（12.1～67.5 m3/h）");
    QTest::newRow("inside") << flows << 48.0 << QString();
    QTest::newRow("at the largest measured flow") << flows << 67.5 << QString();
    QTest::newRow("at the smallest measured flow") << flows << static_cast<double>(12.1f) << QString();
    QTest::newRow("beyond the largest") << flows << 71.26
                                        << QStringLiteral("注意：工作点流量 71.3 m3/h 超出该水泵的实测流量范围") +
                                               range + QStringLiteral("，该处性能为曲线外推值。");
    QTest::newRow("just beyond the largest") << flows << 67.51 << QStringLiteral("67.5");
    QTest::newRow("below the smallest") << flows << 8.0 << QStringLiteral("工作点流量 8 m3/h");
    QTest::newRow("no points") << QList<float>{} << 48.0 << QString();
}

void TestMeasuredRange::operatingFlowNote()
{
    QFETCH(QList<float>, flows);
    QFETCH(double, operatingFlow);
    QFETCH(QString, expected);
    CurvePoints points;
    for (float q : flows)
        points.add(q, 20.0f, 3.0f);
    const std::optional<std::string> note = tarnwick::operatingFlowNote(points, operatingFlow);
    if (expected.isEmpty()) {
        QVERIFY2(!note, note ? note->c_str() : "");
        return;
    }
    QVERIFY(note);
    QVERIFY2(coretesting::qs(*note).contains(expected), note->c_str());
}

QTEST_APPLESS_MAIN(TestMeasuredRange)
#include "tst_measuredrange.moc"
