#include "shell/varspeedcommands.h"

#include "controls/messagebox.h"
#include "core/numbers.h"
#include "report/resulttable.h"
#include "shell/conditionreports.h"
#include "shell/mdiform1.h"
#include "shell/reportwindow/datareport1.h"
#include "shell/shelltexts.h"
#include "speedwindow/frmvarspeed.h"
#include "speedwindow/varspeedchart.h"
#include "store/database.h"
#include "store/varspeedstore.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace tarnwick {

namespace {

const QString kSubWindowName = QStringLiteral("frmvarspeedSubWindow");

QMdiSubWindow* existingWindow(QMdiArea* area)
{
    for (QMdiSubWindow* window : area->subWindowList()) {
        if (window->objectName() == kSubWindowName)
            return window;
    }
    return nullptr;
}

// The report's columns: heading, unit, and width in twips; boxes are laid
// side by side from the grid's left edge and fill the grid's width.
struct ColumnSpec
{
    const char16_t* heading;
    const char16_t* unit;
    int width;
    int decimals; // -1: the stored text or number as it is
    double scale;
};
constexpr ColumnSpec kResultColumns[] = {
    {u"计算时间", u"", 1560, -1, 1},      {u"控制方式", u"", 760, -1, 1},     {u"系统阻力", u"(m)", 700, -1, 1},
    {u"流量", u"(m3/h)", 700, -1, 1},     {u"静扬程", u"(m)", 620, 2, 1},     {u"工作泵", u"(台)", 560, -1, 1},
    {u"备用泵", u"(台)", 560, -1, 1},     {u"所选型号", u"", 1500, -1, 1},    {u"电机", u"(kW)", 620, -1, 1},
    {u"设计转速比", u"(%)", 840, 1, 100}, {u"年耗电量", u"(kWh)", 980, 0, 1}, {u"年电费", u"(元)", 900, 0, 1},
    {u"加权效率", u"(%)", 0, 1, 100},
};

report::ResultTable resultTable(const store::StoredTable& stored, const QString& title)
{
    QList<report::ReportColumn> columns;
    int left = 10;
    const int count = static_cast<int>(std::size(kResultColumns));
    for (int c = 0; c < count; ++c) {
        const ColumnSpec& box = kResultColumns[c];
        // The last box takes what is left of the grid.
        const int width = c + 1 == count ? report::twip::kGridWidth - 10 - left : box.width;
        columns.append({QString::fromUtf16(box.heading), QString::fromUtf16(box.unit), stored.columns.value(c), left,
                        width, false});
        left += width + 20;
    }
    QList<QVariantList> rows;
    for (const QVariantList& storedRow : stored.rows) {
        QVariantList row;
        for (int c = 0; c < count; ++c) {
            const QVariant v = storedRow.value(c);
            const ColumnSpec& box = kResultColumns[c];
            if (box.decimals < 0 || v.isNull()) {
                row.append(v);
                continue;
            }
            const double p = std::pow(10.0, box.decimals);
            row.append(std::round(v.toDouble() * box.scale * p) / p);
        }
        rows.append(row);
    }
    return report::ResultTable::fromValues(stored.source, title, columns, rows, stored.databasePath);
}

} // namespace

report::ResultTable varSpeedResultTable(const store::StoredTable& stored, bool allRuns);

namespace {

void showVarSpeedReport(MDIForm1* main, bool all)
{
    // The report reads the file as it is now, through the main window's
    // connection: rows the variable-speed window wrote show at once.
    auto stored = store::readVarSpeedResults(main->mainConnection()->database(), all);
    if (!stored) {
        showWarning(main, stored.error());
        return;
    }
    const QString caption = all ? shelltext::allVarSpeedCaption() : shelltext::latestVarSpeedCaption();
    DataReport1* window = showTableReport(caption, varSpeedIcon(), varSpeedResultTable(stored.value(), all));
    QString error;
    auto suction = varSpeedSuctionTable(main->mainConnection()->database(), all, &error);
    if (!error.isEmpty())
        showWarning(main, error);
    offerConditionFigures(window, std::move(suction));
}

} // namespace

report::ResultTable varSpeedResultTable(const store::StoredTable& stored, bool allRuns)
{
    return resultTable(stored,
                       allRuns ? shelltext::allVarSpeedReportTitle() : shelltext::varSpeedReportTitle());
}

void showLatestVarSpeedResults(MDIForm1* main)
{
    showVarSpeedReport(main, false);
}

void showAllVarSpeedResults(MDIForm1* main)
{
    showVarSpeedReport(main, true);
}

void openVarSpeedWindow(MDIForm1* main)
{
    QMdiArea* area = main->mdiArea();
    QMdiSubWindow* subWindow = existingWindow(area);
    if (!subWindow) {
        auto* window = new frmvarspeed;
        QString error;
        if (!window->load(store::databasePath(main->programFolder()), &error)) {
            delete window;
            showWarning(main, error);
            return;
        }
        subWindow = area->addSubWindow(window);
        subWindow->setObjectName(kSubWindowName);
        subWindow->setAttribute(Qt::WA_DeleteOnClose);
        subWindow->setWindowIcon(varSpeedIcon());
        // At the top of the client area, centred across it, and no larger
        // than it.
        const QSize room = area->viewport()->size();
        subWindow->resize((window->size() + QSize(8, 30)).boundedTo(room));
        subWindow->move(std::max(0, (room.width() - subWindow->width()) / 2), 0);
    }
    if (subWindow->isMinimized())
        subWindow->showNormal();
    else
        subWindow->show();
    area->setActiveSubWindow(subWindow);
}

} // namespace tarnwick
