#pragma once

#include <QRect>
#include <QString>

#include <functional>

class QWidget;

namespace tarnwick {

// The windows' push buttons, made in this one place so that they share one
// look and font. `caption` empty shows the button's own name.
QWidget* makeCommandButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry,
                           std::function<void()> onClick);

} // namespace tarnwick
