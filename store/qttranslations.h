#pragma once

class QCoreApplication;

namespace tarnwick::store {

// Loads Qt's own Simplified Chinese texts (the buttons of message boxes, the
// file, print and preview dialogs, the standard context menus) into the
// application, whatever the system's language: every text the user sees is
// Chinese. False when the translation files are not installed; the program
// then runs with Qt's English texts.
bool installQtChineseTranslations(QCoreApplication& application);

} // namespace tarnwick::store
