#include "store/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarnwick::store {

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

} // namespace tarnwick::store
