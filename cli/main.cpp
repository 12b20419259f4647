#include "cli/commands.h"
#include "cli/reportcommand.h"
#include "store/qttranslations.h"

int main(int argc, char* argv[])
{
    const auto app = tarnwick::cli::createApplication(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("tarnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-cli"));
    tarnwick::store::installQtChineseTranslations(*app);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return tarnwick::cli::runCommandLine(arguments);
}
