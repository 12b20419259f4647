#pragma once

#include "tests/support/testdatabase.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <memory>

namespace tarnwick::testing {

// The pumps of the calculation window tests, for the duty 50 m3/h against
// 20 m with no static head (system curve H = 0.008 Q^2):
//   TW50-20A  H = 28 - 0.0025 Q^2, accepted by the design, passes the check;
//   TW65-22B  H = 30 - 0.003 Q^2, accepted by the design;
//   TW50-21E  like A with a little more head, accepted; its type has no schematic;
//   TW80-64D  meets the system curve at about 64 m: the check's head message;
//   TW50-LOW  A's head curve with a steep power curve: the efficiency message;
//   TW-ONEQ   every point at one flow: no head fit, the flow message;
//   TW-NOPTS  no points at all;
//   TW-FLAT   two points on H = -5 + 4 Q: with the duty 1 m3/h against 1 m the
//             iteration steps exactly onto a zero slope, the pressure message;
//   TW32-10C  a small pump the design never considers.
QList<TestPump> calcWindowPumps();

// Pump types and their schematic picture sizes in pixels.
inline QString verticalType()
{
    return QStringLiteral("立式管道泵");
} // 166 x 205 px = 2490 x 3075 twips
inline QString horizontalType()
{
    return QStringLiteral("卧式离心泵");
} // 664 x 615 px = 9960 x 9225 twips
inline QString noSchematicType()
{
    return QStringLiteral("无示意图泵");
}

// A PNG of the size with a frame and a diagonal, so it shows as a picture.
QByteArray testPng(int width, int height, const QColor& color);

// How many pixels of the image have the colour (alpha ignored).
int countColour(const QImage& image, const QColor& color);

// The database of these tests in a temporary program folder: the pumps,
// their data sheet figures and dimension texts, and the schematics.
std::unique_ptr<TestProgramFolder> makeCalcWindowFolder(QString* error);

} // namespace tarnwick::testing
