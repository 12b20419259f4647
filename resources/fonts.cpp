#include "resources/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tarnwick {

namespace {

QString installedFamily(const QStringList& candidates)
{
    const QStringList families = QFontDatabase::families();
    for (const QString& candidate : candidates) {
        if (families.contains(candidate))
            return candidate;
    }
    return candidates.constLast();
}

} // namespace

QString fontFamilyFor(const QString& traditionalName)
{
    static const QString serif = installedFamily(
        {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("serif")});
    static const QString sans = installedFamily({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("sans-serif")});
    const bool sansName = traditionalName == QStringLiteral("黑体") || traditionalName == QStringLiteral("微软雅黑");
    return sansName ? sans : serif;
}

} // namespace tarnwick
