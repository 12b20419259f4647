#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tarnwick {

// Every message box of the program goes through here: the warning box with the
// program's caption and one OK button. Tests install an interceptor that sees
// the text instead of a modal box.
void showWarning(QWidget* parent, const QString& text);

// A question with Yes and No; returns true for Yes.
bool askYesNo(QWidget* parent, const QString& text);

struct MessageBoxInterceptor
{
    // Receives the text; for questions its return value is the answer.
    std::function<bool(const QString& text)> handler;
};
// Installs (or, with an empty handler, removes) the interceptor.
void setMessageBoxInterceptor(MessageBoxInterceptor interceptor);

// The system beep of dropped keys; counted so tests can see it.
void beep();
int beepCount();
void resetBeepCount();

} // namespace tarnwick
