#pragma once

#include <QByteArray>
#include <QString>

namespace tarnwick::dataset {

// The natural-size rendering of an SVG file on white, as PNG bytes; empty on
// failure. Needs a QGuiApplication.
QByteArray renderSvgToPng(const QString& svgPath, QString* error);

} // namespace tarnwick::dataset
