// The calculation window on a 10 000-pump catalogue: opening it (the
// catalogue, the data sheet, the model list, the grid, shown and painted), a
// design run through its button, and a pick in the candidate list until the
// chart is painted; then opening it on 100 000 pumps in a process of its own,
// with that process's peak memory.
#include "bench/benchcommon.h"
#include "bench/benchtiming.h"
#include "bench/paintwait.h"
#include "bench/cataloguedatabase.h"
#include "calcwindow/frmcalculate.h"
#include "calcwindow/performancechart.h"
#include "controls/uimetrics.h"
#include "controls/xpcmdbutton.h"
#include "store/names.h"
#include "tests/support/generatedcatalogue.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using namespace tarnwick;

namespace {

struct Opening
{
    bench::Timing construct, load, configure, paint, total;
};

// Opens the window as the main window does on the design command, and waits
// until it is on screen.
std::unique_ptr<frmcalculate> openWindow(const QString& folder, Opening* opening)
{
    std::unique_ptr<frmcalculate> window;
    bool loaded = false;
    opening->total = bench::timeOnce([&] {
        opening->construct = bench::timeOnce([&] { window = std::make_unique<frmcalculate>(); });
        bench::PaintCounter painted(window.get());
        opening->load = bench::timeOnce([&] {
            QString error;
            loaded = window->load(folder, &error);
            if (!loaded)
                std::fprintf(stderr, "%s\n", qPrintable(error));
        });
        opening->configure = bench::timeOnce([&] { window->configureMode(CalculationMode::Design, QIcon()); });
        opening->paint = bench::timeOnce([&] {
            window->show();
            loaded = loaded && bench::waitForPaint(painted, 0);
        });
    });
    return loaded ? std::move(window) : nullptr;
}

void warmUp()
{
    // In the program the splash and the main window have been on screen
    // before the calculation window opens: fonts and style are loaded. A
    // painted label with the program's fonts stands in for them.
    QLabel warm(QStringLiteral("水泵选型 0123456789"));
    warm.setFont(programFont(QStringLiteral("宋体"), 9.75));
    warm.show();
    bench::PaintCounter painted(&warm);
    bench::waitForPaint(painted, 0);
}

// Child: opens the window once on the program folder and reports the time
// and its own peak memory.
int openOnly(const QString& folder, int pumps)
{
    warmUp();
    Opening opening;
    const std::unique_ptr<frmcalculate> window = openWindow(folder, &opening);
    if (!window)
        return bench::fail(QStringLiteral("the window did not open"));
    const double peakMb = static_cast<double>(bench::procStatusKb("VmHWM")) / 1024.0;
    std::printf("open on %d pumps: load %.0f ms, configure %.0f ms, show and paint %.0f ms; together %.0f ms "
                "(cpu %.0f ms); peak of the process %.0f MB\n",
                pumps, opening.load.wall * 1e3, opening.configure.wall * 1e3, opening.paint.wall * 1e3,
                opening.total.wall * 1e3, opening.total.cpu * 1e3, peakMb);
    bench::printTarget(QStringLiteral("window: open on %1 pumps (load, configure, show, painted)").arg(pumps).toStdString(),
                       opening.total.wall, pumps > 10000 ? 1.0 : 0.25, "s");
    bench::printStated(QStringLiteral("window: peak memory of a process that opened it on %1 pumps").arg(pumps).toStdString(),
                       peakMb, "MB");
    return EXIT_SUCCESS;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    QApplication::setFont(programFont(QStringLiteral("宋体"), 9));
    // --quick: 1 000 pumps. --screenshots <folder>: the window as opened and
    // after the last pick, as PNG files, to look at.
    bool quick = false;
    QString screenshots;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else if (std::strcmp(argv[i], "--screenshots") == 0 && i + 1 < argc)
            screenshots = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--open-only") == 0 && i + 2 < argc)
            return openOnly(QString::fromLocal8Bit(argv[i + 1]), std::atoi(argv[i + 2]));
    }
    const int pumps = quick ? 1000 : 10000;

    QTemporaryDir folder;
    if (!folder.isValid())
        return bench::fail(QStringLiteral("no temporary folder"));
    {
        const Catalogue catalogue = testing::generatedCatalogue(pumps, bench::kSeed);
        QString error;
        const QString path = folder.filePath(store::names::databaseFileName());
        if (!bench::writeCatalogueDatabase(catalogue, path, &error, QStringLiteral(TARNWICK_BENCH_DATA_DIR)))
            return bench::fail(error);
        std::printf("calculation window on %d pumps and %zu points, with the shipped schematics\n", pumps,
                    catalogue.points.size());
    }

    warmUp();

    Opening first;
    std::unique_ptr<frmcalculate> window = openWindow(folder.path(), &first);
    if (!window)
        return bench::fail(QStringLiteral("the window did not open"));
    std::printf("open: construct %.0f ms, load %.0f ms, configure %.0f ms, show and paint %.0f ms; "
                "together %.0f ms (cpu %.0f ms)\n",
                first.construct.wall * 1e3, first.load.wall * 1e3, first.configure.wall * 1e3,
                first.paint.wall * 1e3, first.total.wall * 1e3, first.total.cpu * 1e3);
    if (!screenshots.isEmpty())
        window->grab().save(screenshots + QStringLiteral("/window-opened.png"));
    const auto* combo1 = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    const auto* grid = window->findChild<QTableView*>(QStringLiteral("DataGrid1"));
    std::printf("      Combo1 holds %d models, the grid %d rows\n", combo1 ? combo1->count() : -1,
                grid && grid->model() ? grid->model()->rowCount() : -1);

    // A design run through the window's button.
    const char* duty[3] = {"25", "100", "0"}; // resistance, flow, static head
    for (int i = 0; i < 3; ++i) {
        auto* box = window->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(i));
        if (!box)
            return bench::fail(QStringLiteral("no Text1 box"));
        box->setText(QString::fromLatin1(duty[i]));
    }
    auto* designButton = window->findChild<xpcmdbutton*>(QStringLiteral("设计"));
    auto* list1 = window->findChild<QListWidget*>(QStringLiteral("List1"));
    auto* chart = window->findChild<PerformanceChart*>(QStringLiteral("Picture1"));
    if (!designButton || !list1 || !chart)
        return bench::fail(QStringLiteral("the window lacks its controls"));
    const bench::Timing design = bench::timeOnce([&] {
        emit designButton->Click();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    });
    std::printf("design run from the button: %d entries in List1, %.0f ms (cpu %.0f ms)\n", list1->count(),
                design.wall * 1e3, design.cpu * 1e3);
    if (list1->count() < 2 || !list1->isEnabled())
        return bench::fail(QStringLiteral("the design run found too few pumps"));

    // Picks in List1, each until the chart has been painted.
    bench::PaintCounter chartPaints(chart);
    std::vector<double> picks;
    std::vector<double> pickCpu;
    const int entries = list1->count();
    const int pickCount = std::min(entries, 40);
    for (int i = 0; i < pickCount; ++i) {
        // Spread over the list, so the grid row and the schematic change.
        const int row = static_cast<int>(static_cast<long long>(i) * (entries - 1) / std::max(1, pickCount - 1));
        const int before = chartPaints.count();
        bool painted = false;
        const bench::Timing t = bench::timeOnce([&] {
            list1->setCurrentRow(row);
            painted = bench::waitForPaint(chartPaints, before);
        });
        if (!painted || chart->isBlank())
            return bench::fail(QStringLiteral("the chart was not drawn for entry %1").arg(row));
        picks.push_back(t.wall);
        pickCpu.push_back(t.cpu);
    }
    const double slowest = *std::max_element(picks.begin(), picks.end());
    if (!screenshots.isEmpty())
        window->grab().save(screenshots + QStringLiteral("/window-picked.png"));
    std::printf("List1 pick to painted chart, %zu picks: median %.1f ms, slowest %.1f ms (cpu median %.1f ms)\n",
                picks.size(), median(picks) * 1e3, slowest * 1e3, median(pickCpu) * 1e3);

    // Closing the window and opening it again loads everything afresh.
    window.reset();
    QCoreApplication::processEvents();
    Opening second;
    window = openWindow(folder.path(), &second);
    if (!window)
        return bench::fail(QStringLiteral("the window did not open again"));
    std::printf("open again: load %.0f ms, together %.0f ms\n", second.load.wall * 1e3, second.total.wall * 1e3);

    window.reset();

    // The large catalogue, opened by a process of its own so that its peak
    // memory is the window's alone.
    const int large = quick ? 10000 : 100000;
    QTemporaryDir largeFolder;
    {
        const Catalogue catalogue = testing::generatedCatalogue(large, bench::kSeed);
        QString error;
        if (!largeFolder.isValid() ||
            !bench::writeCatalogueDatabase(catalogue, largeFolder.filePath(store::names::databaseFileName()), &error,
                                           QStringLiteral(TARNWICK_BENCH_DATA_DIR)))
            return bench::fail(error);
    }
    const bool largeOpened = bench::runSelf({"--open-only", largeFolder.path().toStdString(), std::to_string(large)});

    std::printf("\n");
    bench::printTarget(QStringLiteral("window: open on %1 pumps (load, configure, show, painted)").arg(pumps).toStdString(),
                       first.total.wall, pumps > 1000 ? 0.25 : 0.5, "s");
    bench::printTarget("window: List1 pick to painted chart, slowest", slowest * 1e3, 50.0, "ms");
    return largeOpened ? EXIT_SUCCESS : EXIT_FAILURE;
}
