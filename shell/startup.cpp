#include "shell/startup.h"

#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "infowindows/frmsplash.h"
#include "shell/databasedialog.h"
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
#include <QLineEdit>
#include <QProgressDialog>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace tarnwick {

namespace {

constexpr int kAccessConversionTimeoutMs = 10 * 60 * 1000;

// The main window loaded on the database at `place` (a folder or a server's
// address), sized to the screen and shown; null with the reason when the
// database cannot be used.
std::unique_ptr<MDIForm1> loadMainWindow(const QString& place, QString* error)
{
    auto window = std::make_unique<MDIForm1>();
    if (!window->load(place, error))
        return nullptr;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window->move(area.topLeft());
        window->resize(area.width(), std::max(1, area.height() - twips(500)));
    }
    window->show();
    return window;
}

// One try at starting on a database: the window, or why the database cannot
// be used. Neither when the user himself ended the start (he declined the
// Access conversion, or it failed), and was told so.
struct StartAttempt
{
    std::unique_ptr<MDIForm1> window;
    QString failure;
};

StartAttempt attemptStart(const store::DatabaseLocation& location)
{
    StartAttempt attempt;
    if (store::isServerLocation(location.path)) {
        // A shared database on a server: the main window passes its address
        // to every window it opens.
        attempt.window = loadMainWindow(location.path, &attempt.failure);
        if (attempt.window)
            attempt.window->statusBar()->setToolTip(store::describeDatabase(location));
        return attempt;
    }
    // The windows open the database by its folder and the program's file name.
    const QFileInfo file(location.path);
    if (file.fileName() != store::names::databaseFileName()) {
        attempt.failure = shelltext::wrongDatabaseName().arg(store::names::databaseFileName(),
                                                              QDir::toNativeSeparators(location.path));
        return attempt;
    }
    if (!store::preparePerUserDatabase(location, &attempt.failure))
        return attempt;
    const QString folder = file.absolutePath();
    if (!offerAccessConversion(folder))
        return attempt;
    attempt.window = loadMainWindow(folder, &attempt.failure);
    if (attempt.window)
        attempt.window->statusBar()->setToolTip(store::describeDatabase(location));
    return attempt;
}

bool sameDatabase(const QString& a, const QString& b)
{
    if (store::isServerLocation(a) || store::isServerLocation(b))
        return a == b;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

void applyProgramFont()
{
    QApplication::setFont(programFont(shelltext::programFontFamily(), 9));
}

std::unique_ptr<MDIForm1> openMainWindow(const QString& place)
{
    QString error;
    auto window = loadMainWindow(place, &error);
    if (!window)
        showWarning(nullptr, error + shelltext::cannotStart());
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
}

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
    // A database that cannot be opened is no dead end: the user tries again
    // (a server that was still starting), chooses another, or works on the
    // local file for this run.
    store::DatabaseLocation current = location;
    for (;;) {
        StartAttempt attempt = attemptStart(current);
        if (attempt.window || attempt.failure.isEmpty())
            return std::move(attempt.window);
        const store::DatabaseLocation local = store::usualDatabaseLocation();
        const bool offerLocal = !sameDatabase(local.path, current.path);
        QStringList answers = {shelltext::retryAnswer(), shelltext::chooseDatabaseAnswer()};
        if (offerLocal)
            answers.append(shelltext::localDatabaseAnswer());
        answers.append(shelltext::exitAnswer());
        const QString question =
            offerLocal ? shelltext::databaseUnusable().arg(attempt.failure, QDir::toNativeSeparators(local.path))
                       : shelltext::databaseUnusableNoLocal().arg(attempt.failure);
        const QString answer = answers.at(askChoice(nullptr, question, answers));
        if (answer == shelltext::chooseDatabaseAnswer()) {
            DatabaseDialog dialog(store::describeDatabase(current), nullptr, true);
            dialog.findChild<QLineEdit*>(QStringLiteral("location"))
                ->setText(store::isServerLocation(current.path) ? current.path
                                                                : QDir::toNativeSeparators(current.path));
            if (execModal(dialog) == QDialog::Accepted)
                current = store::locateDatabase(store::settingsDatabase());
        } else if (answer == shelltext::localDatabaseAnswer()) {
            current = local;
        } else if (answer == shelltext::exitAnswer()) {
            return nullptr;
        }
    }
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
