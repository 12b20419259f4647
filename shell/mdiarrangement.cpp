#include "shell/mdiarrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <cmath>

namespace tarnwick {

namespace {

QList<QMdiSubWindow*> windowsToTile(QMdiArea* area)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isHidden() || window->isMinimized())
            continue;
        windows.append(window);
    }
    return windows;
}

// Splits `total` pixels into `parts` whole pieces; the last takes the rest.
int pieceStart(int total, int parts, int index)
{
    return static_cast<int>(static_cast<long long>(total) * index / parts);
}

void tile(QMdiArea* area, bool horizontal)
{
    if (!area)
        return;
    const QList<QMdiSubWindow*> windows = windowsToTile(area);
    const QList<QRect> rects = tileRects(area->viewport()->size(), static_cast<int>(windows.size()), horizontal);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows.at(i);
        if (window->isMaximized())
            window->showNormal();
        // A child of fixed size keeps it and only moves to its tile.
        QSize limit = window->maximumSize();
        if (const QWidget* content = window->widget())
            limit = limit.boundedTo(content->maximumSize() + (window->size() - content->size()));
        window->setGeometry(QRect(rects.at(i).topLeft(), rects.at(i).size().boundedTo(limit)));
    }
}

} // namespace

QList<QRect> tileRects(const QSize& size, int count, bool horizontal)
{
    QList<QRect> rects;
    if (count <= 0 || size.isEmpty())
        return rects;
    // Up to three windows get one strip each; more go into a grid of about
    // square shape, the later lines taking one window more.
    const int lines = count <= 3 ? 1 : static_cast<int>(std::floor(std::sqrt(static_cast<double>(count))));
    const int base = count / lines;
    const int extra = count % lines;
    const int lineExtent = horizontal ? size.width() : size.height();
    const int stripExtent = horizontal ? size.height() : size.width();
    for (int line = 0; line < lines; ++line) {
        const int inLine = base + (line >= lines - extra ? 1 : 0);
        const int l0 = pieceStart(lineExtent, lines, line);
        const int l1 = pieceStart(lineExtent, lines, line + 1);
        for (int k = 0; k < inLine; ++k) {
            const int s0 = pieceStart(stripExtent, inLine, k);
            const int s1 = pieceStart(stripExtent, inLine, k + 1);
            if (horizontal)
                rects.append(QRect(l0, s0, l1 - l0, s1 - s0));
            else
                rects.append(QRect(s0, l0, s1 - s0, l1 - l0));
        }
    }
    return rects;
}

void tileHorizontally(QMdiArea* area)
{
    tile(area, true);
}

void tileVertically(QMdiArea* area)
{
    tile(area, false);
}

void arrangeIcons(QMdiArea* area)
{
    if (!area)
        return;
    const QSize size = area->viewport()->size();
    int x = 0;
    int bottom = size.height();
    int rowHeight = 0;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isHidden() || !window->isMinimized())
            continue;
        const QSize icon = window->size();
        if (x > 0 && x + icon.width() > size.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        window->move(x, bottom - icon.height());
        x += icon.width();
        rowHeight = std::max(rowHeight, icon.height());
    }
}

} // namespace tarnwick
