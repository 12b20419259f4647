#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "data/csvtable.h"
#include "data/svgpicture.h"
#include "store/schema.h"

#include <optional>

// Building the program's database file from the text sources in data/.
namespace tarnwick::dataset {

// The schema and its statements belong to the database layer.
using store::schemaText;
using store::splitSqlStatements;

// Creates a database file at `path` holding the schema and nothing else (an
// empty catalogue and empty result tables). Fails, leaving everything as it
// was, when `path` already exists or cannot be written. Needs only a
// QCoreApplication.
bool createDatabaseFile(const QString& path, QString* error);

// Creates the shipped database at `path` from the sources in `sourceDir`
// (catalogue/, schematics/, company/): the schema, every pump and point in
// file order, the installation schematics and the company row, pictures
// rendered from SVG to PNG. Everything is written into a temporary file next
// to `path` in one transaction and renamed into place at the end, so `path`
// either appears complete or not at all. An existing `path` is never
// overwritten: the users' stored results live there. Needs a QGuiApplication
// (the pictures are painted).
bool buildShippedDatabase(const QString& path, const QString& sourceDir, QString* error);

} // namespace tarnwick::dataset
