#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QMdiArea;

namespace tarnwick {

// The multiple-document arrangements beyond Qt's own cascade. Tiling takes the
// shown, non-minimised children; maximised ones are restored first.

// Places the children one above the other, each across the whole width (from
// four children on, in columns of such strips).
void tileHorizontally(QMdiArea* area);
// Places the children side by side, each over the whole height (from four
// children on, in rows).
void tileVertically(QMdiArea* area);
// Lines up the minimised children along the bottom edge, left to right, in as
// many rows as they need.
void arrangeIcons(QMdiArea* area);

// The tiles for `count` windows in an area of `size`: one above the other
// (horizontal) or side by side. The tiles cover the area without overlap.
QList<QRect> tileRects(const QSize& size, int count, bool horizontal);

} // namespace tarnwick
