#include "shell/startup.h"

#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "infowindows/frmsplash.h"
#include "shell/mdiform1.h"
#include "shell/shelltexts.h"
#include "store/database.h"
#include "store/import/accessconversion.h"
#include "store/names.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace tarnwick {

namespace {

constexpr int kAccessConversionTimeoutMs = 10 * 60 * 1000;

} // namespace

void applyProgramFont()
{
    QApplication::setFont(programFont(shelltext::programFontFamily(), 9));
}

std::unique_ptr<MDIForm1> openMainWindow(const QString& programFolder)
{
    auto window = std::make_unique<MDIForm1>();
    QString error;
    if (!window->load(programFolder, &error)) {
        showWarning(nullptr, error + shelltext::cannotStart());
        return nullptr;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window->move(area.topLeft());
        window->resize(area.width(), std::max(1, area.height() - twips(500)));
    }
    window->show();
    return window;
}

import::AccessConversion convertWithProgress(const QString& databaseFolder, const QString& cliPath)
{
    import::AccessConversionRun run(databaseFolder, cliPath);
    if (!run.start())
        return run.finish();

    // The conversion runs in a child process; this loop keeps every window
    // painting and answering while it works.
    QProgressDialog dialog(shelltext::converting(), shelltext::cancel(), 0, 0);
    dialog.setObjectName(QStringLiteral("AccessConversionProgress"));
    dialog.setWindowTitle(shelltext::caption());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QEventLoop loop;
    enum class Ending { Finished, Cancelled, TimedOut } ending = Ending::Finished;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&run.process(), &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
        ending = Ending::Cancelled;
        loop.quit();
    });
    QObject::connect(&timeout, &QTimer::timeout, &loop, [&] {
        ending = Ending::TimedOut;
        loop.quit();
    });
    QObject::connect(&run.process(), &QProcess::readyReadStandardError, &dialog, [&] {
        const QString text = run.progressText();
        if (!text.isEmpty())
            dialog.setLabelText(text);
    });
    timeout.start(kAccessConversionTimeoutMs);
    dialog.show();
    if (run.process().state() != QProcess::NotRunning)
        loop.exec();
    dialog.hide();
    switch (ending) {
    case Ending::Cancelled:
        return run.stop(shelltext::conversionCancelled());
    case Ending::TimedOut:
        return run.stop(shelltext::conversionTimedOut());
    case Ending::Finished:
        break;
    }
    return run.finish();
    } // namespace tarnwick

bool offerAccessConversion(const QString& programFolder)
{
    if (!import::programFolderHoldsAccessFile(programFolder))
        return true;
    const QString path = QDir::toNativeSeparators(store::databasePath(programFolder));
    const QString question =
shelltext::offerConversion().arg(path);
    if (!askYesNo(nullptr, question)) {
        showWarning(nullptr, shelltext::notConverted().arg(path) + shelltext::cannotStart());
        return false;
    }
    // The tool is the one installed beside this program, wherever the database is.
    const QString cli = store::programFolder() + QStringLiteral("/tarnwick-cli");
    const import::AccessConversion result = convertWithProgress(programFolder, cli);
    if (result.outcome == import::AccessConversion::Outcome::Failed) {
        showWarning(nullptr, result.message + shelltext::cannotStart());
        return false;
    }
    if (result.outcome == import::AccessConversion::Outcome::Converted)
        showInformation(nullptr, result.message);
    return true;
}

store::DatabaseLocation startupDatabase(const QStringList& arguments)
{
    QString given;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--db") && i + 1 < arguments.size())
            given = arguments[++i];
        else if (arguments[i].startsWith(QStringLiteral("--db=")))
            given = arguments[i].mid(5);
    }
    // Then the environment, then the user's choice in the settings.
    return store::locateDatabase(given);
}

std::unique_ptr<MDIForm1> startOn(const store::DatabaseLocation& location)
{
    if (store::isServerLocation(location.path)) {
        // A shared database on a server: every window opens it instead of
        // the program folder's file.
        store::useServerDatabase(location.path);
        auto window = openMainWindow(store::programFolder());
        if (window)
            window->statusBar()->setToolTip(store::describeDatabase(location));
        return window;
    }
    // The windows open the database by its folder and the program's file name.
    const QFileInfo file(location.path);
    if (file.fileName() != store::names::databaseFileName()) {
        showWarning(nullptr, shelltext::wrongDatabaseName().arg(store::names::databaseFileName(),
                                                                  QDir::toNativeSeparators(location.path)) +
                                 shelltext::cannotStart());
        return nullptr;
    }
    QString error;
    if (!store::preparePerUserDatabase(location, &error)) {
        showWarning(nullptr, error + shelltext::cannotStart());
        return nullptr;
    }
    const QString folder = file.absolutePath();
    if (!offerAccessConversion(folder))
        return nullptr;
    auto window = openMainWindow(folder);
    if (window)
        window->statusBar()->setToolTip(store::describeDatabase(location));
    return window;
}

int runProgram()
{
    const store::DatabaseLocation location = startupDatabase(QCoreApplication::arguments());
    std::unique_ptr<MDIForm1> mainWindow;
    bool failed = false;

    auto* splash = new frmSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(splash, &frmSplash::entered, splash, [&] {
        if (!(mainWindow = startOn(location))) {
            failed = true;
            QCoreApplication::exit(1);
        }
    });
    splash->show();
    const int status = QApplication::exec();
    return failed ? 1 : status;
}

} // namespace tarnwick
