#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace tarnwick {

// Window layouts are given in twips; 15 twips make one pixel at 96 dpi. The
// twip numbers stay in the code as given, converted here only.
constexpr int kTwipsPerPixel = 15;
constexpr int twips(int t)
{
    return (t >= 0 ? t + kTwipsPerPixel / 2 : t - kTwipsPerPixel / 2) / kTwipsPerPixel;
}
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
inline QPoint twipsPoint(int left, int top)
{
    return QPoint(twips(left), twips(top));
}
inline QSize twipsSize(int width, int height)
{
    return QSize(twips(width), twips(height));
}

// The program's fonts by their traditional names, mapped to installed CJK
// fonts: "宋体" (serif), "华文中宋" (serif, bold titles), "黑体" (sans).
QFont programFont(const QString& name, double pointSize, bool bold = false);

} // namespace tarnwick
