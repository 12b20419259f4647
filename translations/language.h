#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;

// The language the programs speak. Chinese is the program's own and stays the
// default whatever the system's locale; English is a translation of every text
// shown, never of what is stored.
namespace tarnwick::i18n {

enum class Language { Chinese, English };

// The settings key of the language chosen in the windows.
QString languageSettingsKey();

// "zh" or "en" (also "zh_CN", "zh-CN", "chinese", "en_US", "english", any case);
// nothing for any other name.
std::optional<Language> parseLanguage(const QString& name);

// The name stored in the settings: "zh_CN" or "en".
QString languageName(Language language);

// Takes "--lang NAME" and "--lang=NAME" out of the arguments that precede "--"
// and gives the last name (empty when the option has none); nothing when the
// option is not there.
std::optional<QString> takeLanguageOption(QStringList& arguments);

// The option, else TARNWICK_LANG, else the language kept in the settings,
// else Chinese. Names that are no language are passed over.
Language chooseLanguage(const std::optional<QString>& option, const QString& settingsValue);

// Installs the program's translation for the language into the application;
// Chinese needs none. False when the English texts cannot be loaded.
bool installLanguage(QCoreApplication& application, Language language);

// Chooses the language for a program at its start (takeLanguageOption, then
// chooseLanguage) and installs it. A --lang that names no language is refused
// with the message in `error` (the language chosen without it is installed).
bool startLanguage(QCoreApplication& application, QStringList& arguments, const QString& settingsValue, QString* error);

// The language installed last (Chinese before any).
Language currentLanguage();

// Loads Qt's own Simplified Chinese texts (the buttons of message boxes, the
// file, print and preview dialogs, the standard context menus) into the
// application, whatever the system's language: every text the user sees is
// Chinese. False when the translation files are not installed; the program
// then runs with Qt's English texts.
bool installQtChineseTranslations(QCoreApplication& application);

} // namespace tarnwick::i18n
