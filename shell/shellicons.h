#pragma once

#include <QIcon>

namespace tarnwick {

// Image n (1 to 7) of the main window's image list `ImageList1`: the toolbar
// button at position n, and for 1 to 4 also the window icon of the design and
// check modes and of the two result reports. Other numbers give a null icon.
QIcon imageListIcon(int index);

// The main window's own icon.
QIcon mainWindowIcon();

// The icon of the variable-speed window, of its toolbar button and of its
// result report: head curves at three speeds under a control line, drawn
// rather than stored.
QIcon varSpeedIcon();

} // namespace tarnwick
