#pragma once

#include "store/import/accessfile.h"
#include "store/import/jetpages.h"

namespace tarnwick::import {

class LegacyDecoder;

// The column type of a Jet type byte.
AccessType accessTypeOf(int jetType);

// Bytes a fixed-size value occupies in a row; 0 for variable-size types.
int fixedSize(AccessType type);

// Decodes the fields libmdb cracked from the row on the current page into
// values (see AccessRow). Texts go through `legacy` (Jet 3) or as UTF-16
// (Jet 4, `legacy` null). On a fault *error names the field and what is wrong
// with it, to follow the row's place ("的字段“型号”不完整").
bool decodeRow(const JetPages& pages, const LegacyDecoder* legacy, const QList<AccessColumn>& columns,
               const MdbField* fields, AccessRow* values, AccessReadNotes* notes, QString* error);

} // namespace tarnwick::import
