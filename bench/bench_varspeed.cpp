// The variable-speed selection: its own cost per pump on generated catalogues
// with the default load profile and two duty pumps, and how it grows; then the
// window on 10 000 pumps, from opening to the first result painted.
#include "bench/benchcommon.h"
#include "bench/benchtiming.h"
#include "bench/cataloguedatabase.h"
#include "bench/paintwait.h"
#include "controls/uimetrics.h"
#include "core/varspeed.h"
#include "speedwindow/varspeedchart.h"
#include "speedwindow/varspeedwindow.h"
#include "store/names.h"
#include "tests/support/generatedcatalogue.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace tarnwick;

namespace {

VarSpeedTexts benchTexts()
{
    VarSpeedTexts texts; // default profile, 2 duty pumps, constant pressure
    texts.duty.flow = "200";
    texts.duty.resistance = "25";
    texts.duty.staticHead = "5";
    return texts;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const VarSpeedRequest request = readVarSpeedRequest(benchTexts()).value();

    std::printf("variable-speed selection, 200 m3/h against 25 + 5 m, 2+1 pumps, default profile\n");
    std::printf("%-8s %9s %12s %12s %11s\n", "pumps", "accepted", "wall (ms)", "cpu (ms)", "cpu/pump");
    bench::Timing at10k, at100k;
    for (int n : {10000, 100000}) {
        if (quick && n > 10000)
            break;
        const Catalogue catalogue = testing::generatedCatalogue(n, bench::kSeed);
        VarSpeedSelection selection;
        bench::Timing t =
            bench::timeBest(n >= 100000 ? 5 : 11, [&] { selection = runVarSpeedSelection(catalogue, request); });
        // A second round: a slow spell on the shared machine seldom lasts through both.
        const bench::Timing again =
            bench::timeBest(n >= 100000 ? 5 : 11, [&] { selection = runVarSpeedSelection(catalogue, request); });
        t.wall = std::min(t.wall, again.wall);
        t.cpu = std::min(t.cpu, again.cpu);
        std::printf("%-8d %9zu %12.2f %12.2f %8.3f us\n", n, selection.accepted.size(), t.wall * 1e3, t.cpu * 1e3,
                    t.cpu / n * 1e6);
        (n == 10000 ? at10k : at100k) = t;
    }
    std::printf("\n");
    bench::printTarget("variable speed: cpu per pump, 10 000 pumps", at10k.cpu / 10000 * 1e6, 10.0, "us");
    if (!quick) {
        bench::printTarget("variable speed: cpu per pump, 100 000 pumps", at100k.cpu / 100000 * 1e6, 10.0, "us");
        bench::printTarget("variable speed: cpu of the 100 000-pump run / the 10 000-pump run", at100k.cpu / at10k.cpu,
                           12.0, "x");
    }

    // The window: open on a database of 10 000 pumps, enter the duty, press
    // "选型", until the chart of the first pump is painted.
    QApplication app(argc, argv);
    QApplication::setFont(programFont(QStringLiteral("宋体"), 9));
    const int pumps = quick ? 1000 : 10000;
    QTemporaryDir folder;
    const QString path = folder.filePath(store::names::databaseFileName());
    {
        QString error;
        if (!bench::writeCatalogueDatabase(testing::generatedCatalogue(pumps, bench::kSeed), path, &error, QString())) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return EXIT_FAILURE;
        }
    }
    {
        // Fonts and style are loaded by the main window before this window opens.
        QLabel warm(QStringLiteral("水泵选型 0123456789"));
        warm.show();
        bench::PaintCounter painted(&warm);
        bench::waitForPaint(painted, 0);
    }
    std::unique_ptr<VarSpeedWindow> window;
    bool shown = false;
    const bench::Timing first = bench::timeOnce([&] {
        window = std::make_unique<VarSpeedWindow>();
        QString error;
        if (!window->load(path, &error))
            return;
        window->show();
        const char* values[3] = {"25", "200", "5"};
        for (int i = 0; i < 3; ++i)
            window->findChild<QLineEdit*>(QStringLiteral("dutyBox_%1").arg(i))->setText(QString::fromLatin1(values[i]));
        auto* chart = window->findChild<VarSpeedChart*>(QStringLiteral("varSpeedChart"));
        bench::PaintCounter painted(chart);
        const int before = painted.count();
        window->runSelection();
        shown = window->shownPump() && bench::waitForPaint(painted, before);
    });
    if (!shown) {
        std::fprintf(stderr, "the window showed no result\n");
        return EXIT_FAILURE;
    }
    std::printf("window on %d pumps: open, run and first chart painted %.0f ms (cpu %.0f ms), %zu accepted\n", pumps,
                first.wall * 1e3, first.cpu * 1e3, window->lastRun().run->selection.accepted.size());
    bench::printTarget("variable speed: window on " + std::to_string(pumps) + " pumps, open to first result painted",
                       first.wall, 0.5, "s");
    return EXIT_SUCCESS;
}
