#include "controls/textfit.h"
#include "shell/startup.h"
#include "store/databaselocation.h"
#include "translations/language.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

#ifndef TARNWICK_VERSION
#define TARNWICK_VERSION "0"
#endif

namespace {

enum class Answer { None, Help, Version };

// Answered before the application object exists: that needs a display.
Answer answerWithoutDisplay(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return Answer::Help;
        if (std::strcmp(argv[i], "--version") == 0)
            return Answer::Version;
    }
    return Answer::None;
}

QString settingsLanguage()
{
    return tarnwick::store::userSettings().value(tarnwick::i18n::languageSettingsKey()).toString();
}

int printHelp(int argc, char* argv[])
{
    QCoreApplication core(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    tarnwick::i18n::startLanguage(core, arguments, settingsLanguage(), nullptr);
    const QString help = QCoreApplication::translate(
        "tarnwick::app", "用法：tarnwick [--db 数据库文件或 postgresql://…] [--lang zh|en]\n"
                         "启动水泵选型程序。数据库依次取 --db、环境变量 TARNWICK_DB、"
                         "设置文件 ~/.config/tarnwick/tarnwick.conf 中选定的数据库，否则为默认位置。\n"
                         "语言依次取 --lang、环境变量 TARNWICK_LANG、窗口中“语言/Language”菜单的选择，否则为中文。\n"
                         "命令行工具：tarnwick-cli help\n");
    std::fputs(help.toUtf8().constData(), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 2;
}

} // namespace

int main(int argc, char* argv[])
{
    switch (answerWithoutDisplay(argc, argv)) {
    case Answer::Help:
        return printHelp(argc, argv);
    case Answer::Version:
        std::fputs("tarnwick " TARNWICK_VERSION "\n", stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 2;
    case Answer::None:
        break;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("tarnwick"));
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    // The desktop entry's name without ".desktop": the Wayland application id.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnwick.tarnwick"));
    QStringList arguments = QCoreApplication::arguments();
    QString languageError;
    tarnwick::i18n::startLanguage(app, arguments, settingsLanguage(), &languageError);
    if (!languageError.isEmpty())
        std::fprintf(stderr, "%s\n", languageError.toUtf8().constData());
    // Qt's own texts (message box buttons, file and print dialogs) in the program's language.
    if (tarnwick::i18n::currentLanguage() == tarnwick::i18n::Language::Chinese)
        tarnwick::i18n::installQtChineseTranslations(app);
    else
        tarnwick::fitTextsWhenShown(app);
    tarnwick::applyProgramFont();
    return tarnwick::runProgram();
}
