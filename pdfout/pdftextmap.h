#pragma once

#include <QByteArray>
#include <QFont>
#include <QList>

namespace tarnwick::pdfout {

// Qt names each glyph of an embedded font by the lowest character that maps
// to it. The CJK faces draw a Kangxi or supplementary radical and its
// ideograph with one glyph, so text copied or searched in the PDF would hold
// radicals: "⽔" for "水", "⻚" for "页". This rewrites those radicals in the
// PDF's character maps to the ideographs the fonts draw with the same glyph.
// The rewrite keeps every byte offset, so the file stays valid.
QByteArray withIdeographsForRadicals(QByteArray pdf, const QList<QFont>& fonts);

} // namespace tarnwick::pdfout
