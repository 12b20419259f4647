#pragma once

#include <QRect>
#include <QString>

#include <functional>

class QWidget;

namespace tarnwick {

// The window's push buttons, made in this one place. `caption` empty shows
// the button's own name, as the program's buttons always have.
QWidget* makeCommandButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry,
                           std::function<void()> onClick);

} // namespace tarnwick
