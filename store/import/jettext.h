#pragma once

#include "store/import/accessfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tarnwick::import {

class LegacyDecoder;

// The code page of a Jet 3 file whose header names none, from its sort order.
QByteArray encodingForLanguage(int languageId);

// Jet 4 keeps text as UTF-16LE, optionally "compressed": after the marker FF FE
// a zero byte switches between one byte per character and two. A lone last
// byte becomes U+FFFD, counted in *invalid.
QString decodeJet4Text(QByteArrayView bytes, int* invalid);

// A text or memo value: Jet 3 text through the file's code page (`legacy`),
// Jet 4 text as above (`legacy` null). Characters that could not be decoded
// are counted in the notes.
QString decodeJetText(const LegacyDecoder* legacy, QByteArrayView bytes, AccessReadNotes* notes);

} // namespace tarnwick::import
