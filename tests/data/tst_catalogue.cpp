// The demonstration catalogue: reproducible from its generator, shaped as the
// program reads it, and broad enough that typical heating and cooling duties
// find pumps in a design selection.

#include "cataloguefiles.h"

#include "core/selection.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <array>

namespace {

const QString kSourceDir = QString::fromUtf8(TARNWICK_DATA_SOURCE_DIR);

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

constexpr std::array<double, 25> kMotorSizes = {0.55, 0.75, 1.1, 1.5, 2.2, 3,  4,   5.5, 7.5, 11,  15,  18.5, 22,
                                                30,   37,   45,  55,  75,  90, 110, 132, 160, 185, 200, 250};

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void regenerationIsByteIdentical();
    void headersAreTheFieldNames();
    void catalogueHasThreeTypesAtBothSpeeds();
    void modelTextsAreUnique();
    void pointsAreOneRunPerPumpInIncreasingFlow();
    void ratedPointIsACurvePoint();
    void motorCoversTheCurve();
    void installationTextMatchesTheDrawing_data();
    void installationTextMatchesTheDrawing();
    void designSelectionCoversTheDutyGrid();

private:
    CatalogueFiles m_files;
    QHash<QString, QList<int>> m_rowsOfKey; // points rows per pump key
};

void TestCatalogue::initTestCase()
{
    QString error;
    const auto files = loadCatalogueFiles(QDir(kSourceDir).filePath(QStringLiteral("catalogue")), &error);
    QVERIFY2(files, qPrintable(error));
    m_files = *files;
    for (qsizetype i = 0; i < m_files.points.rows.size(); ++i)
        m_rowsOfKey[m_files.points.rows[i].value(0)] << static_cast<int>(i);
}

void TestCatalogue::regenerationIsByteIdentical()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess generator;
    generator.start(QString::fromUtf8(TARNWICK_CATALOGUE_GEN), {QStringLiteral("--out-dir"), dir.path()});
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QVERIFY2(generator.exitCode() == 0, generator.readAllStandardError().constData());

    for (const QString& name : {QStringLiteral("pumps.csv"), QStringLiteral("points.csv")}) {
        const QByteArray committed = fileBytes(QDir(kSourceDir).filePath(QStringLiteral("catalogue/") + name));
        const QByteArray regenerated = fileBytes(dir.filePath(name));
        QVERIFY2(!committed.isEmpty(), qPrintable(name));
        QVERIFY2(committed == regenerated,
                 qPrintable(name + QStringLiteral(" differs from the generator's output; run the target "
                                                  "tarnwick-regenerate-catalogue and commit the result")));
    }
}

void TestCatalogue::headersAreTheFieldNames()
{
    QCOMPARE(m_files.pumps.header.join(QLatin1Char(',')),
             QStringLiteral(
                 "序号,水泵类型,水泵型号,转速,流量,扬程,轴功率,电动机功率,必需汽蚀余量,叶轮外径,重量,设备安装尺寸"));
    QCOMPARE(m_files.points.header.join(QLatin1Char(',')), QStringLiteral("序号,流量,扬程,轴功率"));
    for (const QStringList& row : m_files.pumps.rows)
        QCOMPARE(row.size(), 12);
    for (const QStringList& row : m_files.points.rows)
        QCOMPARE(row.size(), 4);
}

void TestCatalogue::catalogueHasThreeTypesAtBothSpeeds()
{
    QVERIFY2(m_files.pumps.rows.size() >= 100, qPrintable(QString::number(m_files.pumps.rows.size())));
    QHash<QString, QSet<QString>> speedsOfType;
    for (const QStringList& row : m_files.pumps.rows)
        speedsOfType[row[1]].insert(row[3]);
    QVERIFY(speedsOfType.size() >= 3);
    for (auto it = speedsOfType.cbegin(); it != speedsOfType.cend(); ++it)
        QVERIFY2(it.value() == QSet<QString>({QStringLiteral("2900"), QStringLiteral("1450")}), qPrintable(it.key()));
}

void TestCatalogue::modelTextsAreUnique()
{
    // The program finds a pump's data-sheet row and its check by the model text.
    QSet<QString> models;
    QSet<QString> keys;
    for (const QStringList& row : m_files.pumps.rows) {
        QVERIFY2(!models.contains(row[2]), qPrintable(row[2]));
        QVERIFY2(!keys.contains(row[0]), qPrintable(row[0]));
        models.insert(row[2]);
        keys.insert(row[0]);
        // Four-pole units are told apart from the same size at 2900 r/min by "/4".
        QCOMPARE(row[2].endsWith(QStringLiteral("/4")), row[3] == QStringLiteral("1450"));
    }
}

void TestCatalogue::pointsAreOneRunPerPumpInIncreasingFlow()
{
    QSet<QString> finished;
    QString current;
    double lastFlow = 0.0;
    for (const QStringList& row : m_files.points.rows) {
        const double flow = row[1].toDouble();
        if (row[0] != current) {
            QVERIFY2(!finished.contains(row[0]), qPrintable(QStringLiteral("second run of ") + row[0]));
            finished.insert(current);
            current = row[0];
        } else {
            QVERIFY2(flow > lastFlow, qPrintable(QStringLiteral("flows of ") + row[0]));
        }
        lastFlow = flow;
    }
    for (const QStringList& pump : m_files.pumps.rows) {
        const qsizetype n = m_rowsOfKey.value(pump[0]).size();
        QVERIFY2(n >= 5 && n <= 7, qPrintable(pump[2]));
    }
    QCOMPARE(m_rowsOfKey.size(), m_files.pumps.rows.size()); // no points without a pump
}

void TestCatalogue::ratedPointIsACurvePoint()
{
    for (const QStringList& pump : m_files.pumps.rows) {
        bool found = false;
        for (int i : m_rowsOfKey.value(pump[0])) {
            const QStringList& point = m_files.points.rows[i];
            found = found || (point[1] == pump[4] && point[2] == pump[5] && point[3] == pump[6]);
        }
        QVERIFY2(found, qPrintable(pump[2]));
    }
}

void TestCatalogue::motorCoversTheCurve()
{
    for (const QStringList& pump : m_files.pumps.rows) {
        const double motor = pump[7].toDouble();
        QVERIFY2(std::find(kMotorSizes.begin(), kMotorSizes.end(), motor) != kMotorSizes.end(), qPrintable(pump[2]));
        double maxPower = 0.0;
        for (int i : m_rowsOfKey.value(pump[0]))
            maxPower = std::max(maxPower, m_files.points.rows[i][3].toDouble());
        QVERIFY2(motor >= 1.1 * maxPower, qPrintable(pump[2]));
    }
}

void TestCatalogue::installationTextMatchesTheDrawing_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("drawing");
    QTest::addColumn<QStringList>("letters");
    QTest::newRow("end-suction") << QStringLiteral("IS型单级单吸离心泵") << QStringLiteral("is.svg")
                                 << QStringList{QStringLiteral("L"), QStringLiteral("L1"), QStringLiteral("B"),
                                                QStringLiteral("H"), QStringLiteral("h")};
    QTest::newRow("in-line") << QStringLiteral("ISG型立式管道离心泵") << QStringLiteral("isg.svg")
                             << QStringList{QStringLiteral("L"), QStringLiteral("H"), QStringLiteral("H1"),
                                            QStringLiteral("B")};
    QTest::newRow("double-suction") << QStringLiteral("S型单级双吸中开离心泵") << QStringLiteral("s.svg")
                                    << QStringList{QStringLiteral("L"), QStringLiteral("L1"), QStringLiteral("A"),
                                                   QStringLiteral("B"), QStringLiteral("H"),  QStringLiteral("h")};
}

void TestCatalogue::installationTextMatchesTheDrawing()
{
    QFETCH(QString, type);
    QFETCH(QString, drawing);
    QFETCH(QStringList, letters);

    // The index assigns the drawing to the type, and the drawing carries each letter.
    QString error;
    const auto index =
        tarnwick::dataset::readCsvFile(QDir(kSourceDir).filePath(QStringLiteral("schematics/index.csv")), &error);
    QVERIFY2(index, qPrintable(error));
    bool indexed = false;
    for (const QStringList& row : index->rows)
        indexed = indexed || (row.value(0) == type && row.value(1) == drawing);
    QVERIFY(indexed);
    const QString svg =
        QString::fromUtf8(fileBytes(QDir(kSourceDir).filePath(QStringLiteral("schematics/") + drawing)));
    for (const QString& letter : letters)
        QVERIFY2(svg.contains(QLatin1Char('>') + letter + QStringLiteral("</text>")), qPrintable(letter));

    // Every pump of the type lists exactly these dimensions, in whole millimetres.
    const QRegularExpression dimension(QStringLiteral("^([A-Za-z][0-9]?)=([0-9]+)$"));
    int pumps = 0;
    for (const QStringList& pump : m_files.pumps.rows) {
        if (pump[1] != type)
            continue;
        ++pumps;
        QStringList found;
        for (const QString& line : pump[11].split(QLatin1Char('\n'))) {
            const auto match = dimension.match(line);
            if (match.hasMatch()) {
                found << match.captured(1);
                QVERIFY2(match.captured(2).toInt() > 0, qPrintable(pump[2]));
            }
        }
        QVERIFY2(found == letters, qPrintable(pump[2] + QStringLiteral(": ") + found.join(QLatin1Char(' '))));
    }
    QVERIFY(pumps > 0);
}

void TestCatalogue::designSelectionCoversTheDutyGrid()
{
    // Heating and cooling circuits: 30 to 400 m3/h against 15 to 32 m, no
    // static head (a closed circuit). Every duty must find at least one pump.
    QStringList misses;
    int duties = 0;
    std::size_t fewest = SIZE_MAX;
    QString fewestAt;
    for (int resistance = 15; resistance <= 32; ++resistance) {
        for (int flow = 30; flow <= 400; flow += 10) {
            tarnwick::DutyTexts texts;
            texts.resistance = std::to_string(resistance);
            texts.flow = std::to_string(flow);
            texts.staticHead = std::to_string(0);
            const auto selection = tarnwick::runDesignSelection(m_files.catalogue, texts);
            QVERIFY2(selection, selection ? "" : selection.error().message.c_str());
            ++duties;
            const std::size_t found = selection->candidates.size();
            if (found == 0)
                misses << QStringLiteral("%1 m3/h at %2 m").arg(flow).arg(resistance);
            if (found < fewest) {
                fewest = found;
                fewestAt = QStringLiteral("%1 m3/h at %2 m").arg(flow).arg(resistance);
            }
        }
    }
    qInfo("%d of %d duties find a pump; fewest candidates %zu (%s)", duties - static_cast<int>(misses.size()), duties,
          fewest, qPrintable(fewestAt));
    QVERIFY2(misses.isEmpty(), qPrintable(QStringLiteral("no pump for ") + misses.join(QStringLiteral(", "))));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
