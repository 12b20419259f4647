#include "controls/uimetrics.h"

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
    return candidates.isEmpty() ? QString() : candidates.constLast();
}

} // namespace

QFont programFont(const QString& name, double pointSize, bool bold)
{
    static const QString serif = installedFamily(
        {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("serif")});
    static const QString sans = installedFamily({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("sans-serif")});
    const bool sansName = name == QStringLiteral("黑体") || name == QStringLiteral("微软雅黑");
    QFont font(sansName ? sans : serif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace tarnwick
