#include "shell/startup.h"
#include "store/qttranslations.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

#ifndef TARNWICK_VERSION
#define TARNWICK_VERSION "0"
#endif

namespace {

// Answered before the application object exists: that needs a display.
bool answeredWithoutDisplay(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs("用法：tarnwick [--db 数据库文件或 postgresql://…]\n"
                       "启动水泵选型程序。数据库依次取 --db、环境变量 TARNWICK_DB、"
                       "设置文件 ~/.config/tarnwick/tarnwick.conf 中选定的数据库，否则为默认位置。\n"
                       "命令行工具：tarnwick-cli help\n",
                       stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("tarnwick " TARNWICK_VERSION "\n", stdout);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (answeredWithoutDisplay(argc, argv))
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 2;
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("tarnwick"));
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    // The desktop entry's name without ".desktop": the Wayland application id.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnwick.tarnwick"));
    tarnwick::store::installQtChineseTranslations(app);
    tarnwick::applyProgramFont();
    return tarnwick::runProgram();
}
