#include "shell/mdiform1.h"
#include "shell/startup.h"
#include "store/database.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    tarnwick::applyProgramFont();

    const auto mainWindow = tarnwick::openMainWindow(tarnwick::store::programFolder());
    if (!mainWindow)
        return 1;
    return QApplication::exec();
}
