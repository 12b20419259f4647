#pragma once

#include "store/import/jetpages.h"

#include <QByteArray>
#include <QString>

namespace tarnwick::import {

// The 12-byte reference in a row that points at a memo or OLE value.
inline constexpr int kLongValueHeader = 12;

// A memo or OLE value: kept in the row itself, in one row of a long-value
// page, or in a chain of such rows. `field` is the reference of `size` bytes
// in the row. Reading swaps pages through libmdb's second buffer; the row's
// own page stays where it is. Every piece is checked against the file, its
// page and the length the reference states; a chain may not loop.
bool readLongValue(const JetPages& pages, const unsigned char* field, int size, QByteArray* value, QString* error);

} // namespace tarnwick::import
