// Importing a long catalogue through the command-line tool: its peak memory,
// which must not grow with the files, and its time. The files are generated:
// 125 000 pumps of 8 points each, one million points in all.

#include "bench/benchtiming.h"
#include "data/dataset.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

#include <sys/resource.h>

namespace {

bool writeCatalogue(const QString& pumpsPath, const QString& pointsPath, int pumps, int pointsEach)
{
    QFile pumpsFile(pumpsPath);
    QFile pointsFile(pointsPath);
    if (!pumpsFile.open(QIODevice::WriteOnly) || !pointsFile.open(QIODevice::WriteOnly))
        return false;
    pumpsFile.write("序号,水泵类型,水泵型号,转速,流量,扬程,轴功率,电动机功率,必需汽蚀余量,叶轮外径,重量,设备安装尺寸\n");
    pointsFile.write("序号,流量,扬程,轴功率\n");
    QByteArray pumpRows;
    QByteArray pointRows;
    for (int key = 1; key <= pumps; ++key) {
        const double best = 5.0 + (key % 997) * 0.5;
        pumpRows += QByteArray::number(key) + ",IS型,IS-" + QByteArray::number(key) + ",2900,,,,,,,,\"L=" +
                    QByteArray::number(key) + "\"\n";
        for (int k = 0; k < pointsEach; ++k) {
            const double x = 0.4 + 0.9 * k / (pointsEach - 1);
            pointRows += QByteArray::number(key) + ',' + QByteArray::number(best * x, 'g', 7) + ',' +
                         QByteArray::number(32.0 * (1.25 - 0.25 * x * x), 'g', 7) + ',' +
                         QByteArray::number(best * x * 32.0 / (367.2 * 0.7), 'g', 7) + '\n';
        }
        if (pointRows.size() > (1 << 20)) {
            pumpsFile.write(pumpRows);
            pointsFile.write(pointRows);
            pumpRows.clear();
            pointRows.clear();
        }
    }
    pumpsFile.write(pumpRows);
    pointsFile.write(pointRows);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int pumps = quick ? 12500 : 125000;
    const int pointsEach = 8;

    QTemporaryDir dir;
    const QString pumpsPath = dir.filePath(QStringLiteral("pumps.csv"));
    const QString pointsPath = dir.filePath(QStringLiteral("points.csv"));
    const QString database = dir.filePath(QStringLiteral("import.mdb"));
    QString error;
    if (!writeCatalogue(pumpsPath, pointsPath, pumps, pointsEach) ||
        !tarnwick::dataset::createDatabaseFile(database, &error)) {
        std::fprintf(stderr, "cannot prepare the files: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("import: %d pumps, %d points; files %.1f MB and %.1f MB\n", pumps, pumps * pointsEach,
                QFileInfo(pumpsPath).size() / 1e6, QFileInfo(pointsPath).size() / 1e6);

    QElapsedTimer clock;
    clock.start();
    QProcess tool;
    tool.start(QStringLiteral(TARNWICK_CLI_PATH), {QStringLiteral("import-catalogue"), pumpsPath, pointsPath,
                                                   QStringLiteral("--replace"), QStringLiteral("--db"), database});
    if (!tool.waitForFinished(-1) || tool.exitCode() != 0) {
        std::fprintf(stderr, "import failed: %s\n", tool.readAllStandardError().constData());
        return 1;
    }
    const double seconds = clock.elapsed() / 1000.0;
    struct rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const double peakMb = usage.ru_maxrss / 1024.0;
    std::printf("  %s", tool.readAllStandardOutput().constData());
    std::printf("  %.2f s, peak resident size of the tool %.1f MB\n", seconds, peakMb);
    tarnwick::bench::printTarget(
        (quick ? std::string("import: 100 000 points, peak memory of the tool")
               : std::string("import: 1 000 000 points, peak memory of the tool")),
        peakMb, 300.0, "MB");
    return 0;
}
