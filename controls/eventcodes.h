#pragma once

#include <Qt>

class QKeyEvent;

// The codes the program's controls hand to their containers with key and
// mouse events: the classic desktop virtual-key codes, and bit masks for the
// mouse buttons and the Shift, Ctrl and Alt keys.
namespace tarnwick::eventcodes {

// Mouse buttons: 1 left, 2 right, 4 middle; other buttons count as none.
int buttonCode(Qt::MouseButtons buttons);

// Shift 1, Ctrl 2, Alt 4.
int shiftCode(Qt::KeyboardModifiers modifiers);

// The virtual-key code of the key that went down or up: letters 65..90,
// digits 48..57, keypad digits 96..105, F1 112, Return 13, Escape 27, arrows
// 37..40, and so on. Keys without such a code give 0.
int keyCode(const QKeyEvent& event);

} // namespace tarnwick::eventcodes
