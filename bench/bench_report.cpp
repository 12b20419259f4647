// The result report over a large all-results table: how long it takes to
// open (re-read, bind, count the pages; then the report window shown and
// painted), to draw single pages and to page through the window, and what the
// exports of the whole table cost.
#include "bench/benchtiming.h"
#include "bench/paintwait.h"
#include "report/reportexport.h"
#include "report/resultreport.h"
#include "shell/reportwindow/datareport1.h"
#include "store/database.h"
#include "store/names.h"
#include "store/rowset.h"
#include "tests/support/testdatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

using namespace tarnwick;

namespace {

double milliseconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

template <typename F> double bestMilliseconds(int repeats, F&& f)
{
    return bench::timeBest(repeats, std::forward<F>(f)).wall * 1e3;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // --quick: 10 000 rows and no whole-table PDF, for a smoke run.
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int rows = quick ? 10000 : 100000;

    testing::TestProgramFolder folder;
    const QString table = store::names::allResultsTable();
    QElapsedTimer fill;
    fill.start();
    const bool filled =
        folder.isValid() &&
        folder.exec(QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < %2) "
                                   "INSERT INTO \"%1\" (%3) SELECT '2024/5/' || (1 + i % 28) || ' 10:20:' || (10 + i % 50), "
                                   "CASE i % 3 WHEN 0 THEN '校核' ELSE '设计' END, 10 + (i % 400) * 0.1, "
                                   "50 + (i % 700) * 0.5, 5.099999904632568, 'IS' || (50 + i % 150) || '-32-' || "
                                   "(125 + i % 9), 60 + i % 30, 20 + (i % 300) * 0.1, 45 + (i % 500) * 0.1, "
                                   "50 + i % 35 FROM k")
                        .arg(table)
                        .arg(rows)
                        .arg(QLatin1Char('"') + store::names::resultFields().join(QStringLiteral("\", \"")) +
                             QLatin1Char('"')));
    if (!filled) {
        std::fprintf(stderr, "cannot build the test database: %s\n", qPrintable(folder.error()));
        return 1;
    }
    std::printf("rows in \"%s\": %d (written in %.0f ms)\n", qPrintable(table), rows, milliseconds(fill));

    // Opening the report window: re-read the table, bind, count the pages.
    auto connection = store::Connection::open(folder.databasePath());
    if (!connection) {
        std::fprintf(stderr, "%s\n", qPrintable(connection.error()));
        return 1;
    }
    store::RowSet rowSet;
    QElapsedTimer timer;
    timer.start();
    if (!rowSet.open(connection.value(), table)) {
        std::fprintf(stderr, "%s\n", qPrintable(rowSet.lastError()));
        return 1;
    }
    const double reread = milliseconds(timer);
    timer.restart();
    auto bound = report::ResultTable::fromRows(rowSet);
    const double bind = milliseconds(timer);
    timer.restart();
    const report::ResultReport resultReport(std::move(bound).value());
    const int pages = resultReport.pageCount();
    const double count = milliseconds(timer);
    std::printf("open: re-read %.0f ms, bind %.0f ms, page count %.3f ms -> %d pages; together %.0f ms\n", reread, bind,
                count, pages, reread + bind + count);

    // A page as the window shows it: 100% on a 96 dpi screen.
    for (const auto& [name, page] : {std::pair{"first", 1}, std::pair{"middle", pages / 2}, std::pair{"last", pages}}) {
        const double layout = bestMilliseconds(5, [&] { (void)resultReport.layoutPage(page); });
        const double render = bestMilliseconds(5, [&] { (void)resultReport.renderPage(page, 96); });
        std::printf("page %d (%s): layout %.2f ms, drawn at 96 dpi %.2f ms\n", page, name, layout, render);
    }
    const double paging = bestMilliseconds(1, [&] {
        for (int page = 1; page <= 200; ++page)
            (void)resultReport.renderPage(page, 96);
    });
    std::printf("paging through 200 pages: %.2f ms a page\n", paging / 200);

    // The report window as the main window opens it: re-read, bind, shown,
    // its first page painted.
    DataReport1* window = nullptr;
    QString windowError;
    const bench::Timing opening = bench::timeOnce([&] {
        window = showResultReport(QStringLiteral("全部选型计算结果"), QIcon(), rowSet, &windowError);
        if (!window)
            return;
        auto* page = window->findChild<QWidget*>(QStringLiteral("reportPage"));
        if (!page)
            return;
        bench::PaintCounter painted(page);
        if (!bench::waitForPaint(painted, 0))
            window = nullptr;
    });
    if (!window) {
        std::fprintf(stderr, "the report window did not open: %s\n", qPrintable(windowError));
        return 1;
    }
    std::printf("report window: re-read, bind, shown and first page painted in %.0f ms (cpu %.0f ms), %d pages\n",
                opening.wall * 1e3, opening.cpu * 1e3, window->pageCount());

    // Paging through the window: next page, painted; then jumps to the last
    // page and back to the first.
    auto* page = window->findChild<QWidget*>(QStringLiteral("reportPage"));
    bench::PaintCounter pagePaints(page);
    std::vector<double> steps;
    auto step = [&](const std::function<void()>& move) {
        const int before = pagePaints.count();
        const bench::Timing t = bench::timeOnce([&] {
            move();
            bench::waitForPaint(pagePaints, before);
        });
        steps.push_back(t.wall);
    };
    for (int i = 0; i < 100; ++i)
        step([&] { window->showNextPage(); });
    step([&] { window->showLastPage(); });
    step([&] { window->showPreviousPage(); });
    step([&] { window->showFirstPage(); });
    std::sort(steps.begin(), steps.end());
    const double slowestStep = steps.back();
    std::printf("paging in the window, %zu steps (next x100, last, previous, first): median %.1f ms, slowest %.1f ms\n",
                steps.size(), steps[steps.size() / 2] * 1e3, slowestStep * 1e3);
    window->close();
    QCoreApplication::processEvents();

    QTemporaryDir out;
    for (const auto format : {report::ExportFormat::Csv, report::ExportFormat::Xlsx, report::ExportFormat::Pdf}) {
        if (quick && format == report::ExportFormat::Pdf)
            continue;
        const QString path = out.filePath(QStringLiteral("report.") + report::exportSuffix(format));
        QString error;
        timer.restart();
        if (!report::exportReport(resultReport, format, path, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("export %s: %.0f ms, %.1f MB\n", qPrintable(report::exportSuffix(format)), milliseconds(timer),
                    static_cast<double>(QFileInfo(path).size()) / 1e6);
    }

    std::printf("\n");
    bench::printTarget(
        QStringLiteral("report: %1 stored results open (re-read, bind, window painted)").arg(rows).toStdString(),
        opening.wall, 1.0, "s");
    // A page turn that takes longer than a tenth of a second is felt as a stall.
    bench::printTarget("report: slowest page turn in the window", slowestStep * 1e3, 100.0, "ms");
    return 0;
}
