#pragma once

#include "core/selection.h"

#include <QString>

namespace tarnwick::bench {

// Writes a catalogue into a new database file with the program's schema:
// every pump into "水泵性能表" with a plausible data sheet (rated point,
// motor, NPSH, impeller, weight, installation dimensions) and every point
// into "流扬功", in catalogue order, in one transaction. With a source folder
// of the shipped database, the installation schematics of the pump types
// found there are added as well (that needs a QGuiApplication: they are
// rendered from SVG). Fails when `path` exists.
bool writeCatalogueDatabase(const Catalogue& catalogue, const QString& path, QString* error,
                            const QString& schematicSourceDir = QString());

} // namespace tarnwick::bench
