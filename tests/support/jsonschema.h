#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

namespace tarnwick::testing {

// Checks a value against the part of JSON Schema the tool's schemas use:
// type (a name or a list of names), enum, properties, required and items.
// Returns one line per fault, naming where it lies ("$.pumps[0].model");
// empty when the value fits. A keyword outside that part is a fault of the
// schema, so a schema cannot promise more than is checked.
QStringList schemaFaults(const QJsonValue& value, const QJsonObject& schema, const QString& where = QStringLiteral("$"));

} // namespace tarnwick::testing
