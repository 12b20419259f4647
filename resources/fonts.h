#pragma once

#include <QString>

namespace tarnwick {

// The installed font family for one of the program's traditional font names:
// "宋体" and "华文中宋" are serif faces, "黑体" and "微软雅黑" sans faces, each
// mapped to the CJK family that is installed (Noto Serif / Sans CJK SC), or
// to the generic family when none is.
QString fontFamilyFor(const QString& traditionalName);

} // namespace tarnwick
