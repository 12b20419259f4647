#pragma once

class QApplication;
class QWidget;

namespace tarnwick {

// The windows are laid out for their Chinese texts, in boxes of fixed size. A
// translated text is often longer: these fit it into its box by drawing it in
// a smaller face, down to kSmallestFittedPoints; a text that still does not
// fit shows whole in its tool tip. Only labels on one line, buttons and the
// program's command buttons are fitted; a text that fits is left as it is.
inline constexpr double kSmallestFittedPoints = 6.0;

// Fits every widget's text as the widget is shown, for the rest of the run.
void fitTextsWhenShown(QApplication& application);

// Fits the texts of `root` and of every widget in it now.
void fitTexts(QWidget* root);

} // namespace tarnwick
