// Writes a generated catalogue into a new database file, for trying the
// program or a profiler on a large catalogue:
//   bench_mkcatalogue <file> <pumps> [seed]
// The file gets the program's schema, the pumps with their data sheets and
// points, and the shipped installation schematics. Put it into a program
// folder as "水泵数据库97.mdb" to open it with the program.
#include "bench/cataloguedatabase.h"
#include "tests/support/generatedcatalogue.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the schematics are rendered from SVG
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: bench_mkcatalogue <file> <pumps> [seed]\n");
        return 2;
    }
    const int pumps = std::atoi(argv[2]);
    const auto seed = static_cast<std::uint32_t>(argc == 4 ? std::strtoul(argv[3], nullptr, 10) : 20261207u);
    if (pumps < 1) {
        std::fprintf(stderr, "the number of pumps must be at least 1\n");
        return 2;
    }
    const tarnwick::Catalogue catalogue = tarnwick::testing::generatedCatalogue(pumps, seed);
    QString error;
    if (!tarnwick::bench::writeCatalogueDatabase(catalogue, QString::fromLocal8Bit(argv[1]), &error,
                                                 QStringLiteral(TARNWICK_BENCH_DATA_DIR))) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%d pumps, %zu points written to %s\n", pumps, catalogue.points.size(), argv[1]);
    return 0;
}
