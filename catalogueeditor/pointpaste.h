#pragma once

#include "core/expected.h"

#include <QList>
#include <QString>

#include <optional>

namespace tarnwick {

// Reads a number as people type or paste it: a decimal point or a decimal
// comma, spaces around it. Nothing when the text is no number.
std::optional<double> parseDecimal(const QString& text);

// Rows of numbers as a spreadsheet copies them: cells separated by tabs,
// rows by line ends, an optional header row first, every row with the same
// number of cells (1 to 3). Empty lines are skipped. A row that is not
// numbers gives a message naming it, and no rows at all.
Expected<QList<QList<double>>, QString> parsePastedRows(const QString& text);

} // namespace tarnwick
