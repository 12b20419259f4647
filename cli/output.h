#pragma once

#include "core/selection.h"
#include "store/rowset.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace tarnwick::cli {

void printOut(const QString& text);
void printError(const QString& text);

// The stored rows of a result row set as JSON objects keyed by field name.
QJsonArray resultRowsJson(const store::RowSet& rows);
// The same as a readable table.
QString resultRowsTable(const store::RowSet& rows);

QJsonArray stringsJson(const QStringList& texts);

} // namespace tarnwick::cli
