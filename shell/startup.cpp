#include "shell/startup.h"

#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "infowindows/frmsplash.h"
#include "shell/mdiform1.h"
#include "store/database.h"
#include "store/import/accessconversion.h"

#include <QApplication>
#include <QGuiApplication>
#include <QDir>
#include <QScreen>

namespace tarnwick {

void applyProgramFont()
{
    QApplication::setFont(programFont(QStringLiteral("宋体"), 9));
}

std::unique_ptr<MDIForm1> openMainWindow(const QString& programFolder)
{
    auto window = std::make_unique<MDIForm1>();
    QString error;
    if (!window->load(programFolder, &error)) {
        showWarning(nullptr, error + QStringLiteral("\n\nTarnwick 无法启动。"));
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

bool offerAccessConversion(const QString& programFolder)
{
    if (!import::programFolderHoldsAccessFile(programFolder))
        return true;
    const QString path = QDir::toNativeSeparators(store::databasePath(programFolder));
    const QString question =
        QStringLiteral("程序目录中的数据库文件“%1”是 Access 格式，需要先转换为本程序的数据库才能使用。\n\n"
                       "转换时原文件将改名保留在同一目录中，不会丢失任何数据。现在转换吗？")
            .arg(path);
    if (!askYesNo(nullptr, question)) {
        showWarning(nullptr, QStringLiteral("数据库文件“%1”未转换。\n\nTarnwick 无法启动。").arg(path));
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString cli = programFolder + QStringLiteral("/tarnwick-cli");
    const import::AccessConversion result = import::convertProgramFolderDatabase(programFolder, cli);
    QApplication::restoreOverrideCursor();
    if (result.outcome == import::AccessConversion::Outcome::Failed) {
        showWarning(nullptr, result.message + QStringLiteral("\n\nTarnwick 无法启动。"));
        return false;
    }
    if (result.outcome == import::AccessConversion::Outcome::Converted)
        showInformation(nullptr, result.message);
    return true;
}

int runProgram()
{
    const QString folder = store::programFolder();
    std::unique_ptr<MDIForm1> mainWindow;
    bool failed = false;

    auto* splash = new frmSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(splash, &frmSplash::entered, splash, [&] {
        if (!offerAccessConversion(folder) || !(mainWindow = openMainWindow(folder))) {
            failed = true;
            QCoreApplication::exit(1);
        }
    });
    splash->show();
    const int status = QApplication::exec();
    return failed ? 1 : status;
}

} // namespace tarnwick
