#include "cli/commands.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-cli"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return tarnwick::cli::runCommandLine(arguments);
}
