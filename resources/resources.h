#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// The program's pictures by name. Each is an SVG drawing in the resource file,
// rendered at the size the window shows it, so stretched pictures stay sharp.
//
// Names:
//   "splash", "splash-entry", "splash-entry-cursor", "about", "background",
//   "main-window",
//   "toolbar-design", "toolbar-check", "toolbar-latest-results",
//   "toolbar-all-results", "toolbar-principle", "toolbar-company",
//   "toolbar-products",
//   "help-contents", "help-principle", "help-company", "help-products",
//   "help-banner-company", "help-banner-products",
//   "button-skin".
namespace tarnwick::resources {

// The picture rendered to exactly `size` (times the pixel ratio), or at its
// drawn size when `size` is empty. Unknown names give a null pixmap.
QPixmap picture(const QString& name, QSize size = QSize(), qreal devicePixelRatio = 1.0);
QImage image(const QString& name, QSize size = QSize());

// An icon holding the picture at the usual icon sizes, for window icons,
// toolbar buttons and legends.
QIcon icon(const QString& name);

// A 32 x 32 mouse cursor from a picture, with the hot spot its drawing
// intends ("splash-entry-cursor": the tip of the index finger).
QCursor cursor(const QString& name);

// The size the picture was drawn at (the toolbar icons 32 x 32, the button
// skin 90 x 21, ...); empty for unknown names.
QSize naturalSize(const QString& name);

bool contains(const QString& name);
QStringList names();

// The seven toolbar icons in the order of the toolbar buttons (design, check,
// latest results, all results, principle, company, products).
QStringList toolbarIconNames();
// The help window's icons in page order: contents, principle, company, products.
QStringList helpIconNames();

// The button skin: one strip of five 18 x 21 faces, in the order normal,
// pressed, disabled, hover, alternative rest.
inline const QString kButtonSkin = QStringLiteral("button-skin");
constexpr int kButtonFaceCount = 5;
constexpr QSize kButtonFaceSize(18, 21);

} // namespace tarnwick::resources
