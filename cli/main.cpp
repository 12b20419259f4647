#include "cli/commands.h"
#include "cli/reportcommand.h"

int main(int argc, char* argv[])
{
    const auto app = tarnwick::cli::createApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-cli"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return tarnwick::cli::runCommandLine(arguments);
}
