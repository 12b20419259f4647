#include "controls/uimetrics.h"

#include "resources/fonts.h"

namespace tarnwick {

QFont programFont(const QString& name, double pointSize, bool bold)
{
    QFont font(fontFamilyFor(name));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace tarnwick
