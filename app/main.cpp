#include "shell/startup.h"
#include "store/qttranslations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    tarnwick::store::installQtChineseTranslations(app);
    tarnwick::applyProgramFont();
    return tarnwick::runProgram();
}
