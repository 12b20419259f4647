#include "translations/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarnwick::i18n {

namespace {

Language installed = Language::Chinese;

} // namespace

QString languageSettingsKey()
{
    return QStringLiteral("language");
}

std::optional<Language> parseLanguage(const QString& name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("en") || n.startsWith(QLatin1String("en_")) || n.startsWith(QLatin1String("en-")) ||
        n == QLatin1String("english"))
        return Language::English;
    if (n == QLatin1String("zh") || n == QLatin1String("zh_cn") || n == QLatin1String("zh-cn") ||
        n.startsWith(QLatin1String("zh_cn.")) || n == QLatin1String("chinese"))
        return Language::Chinese;
    return std::nullopt;
}

QString languageName(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("zh_CN");
}

std::optional<QString> takeLanguageOption(QStringList& arguments)
{
    std::optional<QString> value;
    for (qsizetype i = 0; i < arguments.size();) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--"))
            break;
        if (a == QLatin1String("--lang")) {
            const bool hasValue = i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1String("--"));
            value = hasValue ? arguments.at(i + 1) : QString();
            arguments.remove(i, hasValue ? 2 : 1);
        } else if (a.startsWith(QLatin1String("--lang="))) {
            value = a.mid(7);
            arguments.remove(i);
        } else {
            ++i;
        }
    }
    return value;
}

Language chooseLanguage(const std::optional<QString>& option, const QString& settingsValue)
{
    for (const QString& name : {option.value_or(QString()), qEnvironmentVariable("TARNWICK_LANG"), settingsValue}) {
        if (const std::optional<Language> language = parseLanguage(name))
            return *language;
    }
    return Language::Chinese;
}

bool installLanguage(QCoreApplication& application, Language language)
{
    installed = Language::Chinese;
    if (language == Language::Chinese)
        return true;
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral(":/i18n/tarnwick_en.qm")) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    installed = language;
    return true;
}

bool startLanguage(QCoreApplication& application, QStringList& arguments, const QString& settingsValue, QString* error)
{
    const std::optional<QString> option = takeLanguageOption(arguments);
    const bool known = !option || parseLanguage(*option).has_value();
    installLanguage(application, chooseLanguage(known ? option : std::nullopt, settingsValue));
    if (!known && error)
        *error = QCoreApplication::translate("tarnwick::i18n", "选项 --lang 只能是 zh（中文）或 en（English）：%1")
                     .arg(*option);
    return known;
}

Language currentLanguage()
{
    return installed;
}

bool installQtChineseTranslations(QCoreApplication& application)
{
    // "qt_zh_CN" is Qt's catalogue of catalogues: it pulls in qtbase_zh_CN and
    // the other modules' texts that are installed beside it.
    auto* translator = new QTranslator(&application);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qt_zh_CN"), folder) &&
        !translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace tarnwick::i18n
