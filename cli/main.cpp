#include "cli/commands.h"
#include "cli/reportcommand.h"
#include "store/databaselocation.h"
#include "translations/language.h"

#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char* argv[])
{
    // --lang is taken out before the command is looked at, so that
    // "--lang en report ..." starts as "report ..." does.
    std::vector<char*> kept(argv, argv + argc);
    QStringList languageArguments;
    for (auto it = kept.begin() + 1; it != kept.end();) {
        if (std::strcmp(*it, "--") == 0)
            break;
        const bool separate = std::strcmp(*it, "--lang") == 0;
        if (!separate && std::strncmp(*it, "--lang=", 7) != 0) {
            ++it;
            continue;
        }
        languageArguments.append(QString::fromLocal8Bit(*it));
        it = kept.erase(it);
        if (separate && it != kept.end() && std::strncmp(*it, "--", 2) != 0) {
            languageArguments.append(QString::fromLocal8Bit(*it));
            it = kept.erase(it);
        }
    }
    int keptCount = static_cast<int>(kept.size());
    kept.push_back(nullptr);
    const auto app = tarnwick::cli::createApplication(keptCount, kept.data());
    QCoreApplication::setOrganizationName(QStringLiteral("tarnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-cli"));
    QString languageError;
    const QString settingsLanguage =
        tarnwick::store::userSettings().value(tarnwick::i18n::languageSettingsKey()).toString();
    if (!tarnwick::i18n::startLanguage(*app, languageArguments, settingsLanguage, &languageError)) {
        std::fprintf(stderr, "%s\n", languageError.toUtf8().constData());
        return 2;
    }
    // Qt's own texts in the program's language.
    if (tarnwick::i18n::currentLanguage() == tarnwick::i18n::Language::Chinese)
        tarnwick::i18n::installQtChineseTranslations(*app);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return tarnwick::cli::runCommandLine(arguments);
}
