#include "shell/varspeedcommands.h"

#include "controls/messagebox.h"
#include "core/numbers.h"
#include "report/varspeedreport.h"
#include "report/conditionreport.h"
#include "shell/conditionreports.h"
#include "shell/mdiform1.h"
#include "shell/reportwindow/datareport1.h"
#include "shell/shellicons.h"
#include "shell/shelltexts.h"
#include "speedwindow/varspeedwindow.h"
#include "store/database.h"
#include "store/databaselocation.h"
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
    DataReport1* window = showTableReport(caption, varSpeedIcon(), report::varSpeedResultTable(stored.value(), all));
    // The liquid and suction figures of the same runs, when they had any.
    QString error;
    auto suction = report::varSpeedSuctionTable(main->mainConnection()->database(), all, &error);
    if (!error.isEmpty())
        showWarning(main, error);
    offerConditionFigures(window, std::move(suction));
}

} // namespace

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
        auto* window = new VarSpeedWindow;
        QString error;
        if (!window->load(store::databasePath(main->databasePlace()), &error)) {
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
