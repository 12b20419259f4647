#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QWidget;

namespace tarnwick {

// Every message box of the program goes through here: the warning box with the
// program's caption and one OK button. Tests install an interceptor that sees
// the text instead of a modal box.
void showWarning(QWidget* parent, const QString& text);

// A notice with the information icon and one OK button.
void showInformation(QWidget* parent, const QString& text);

// A question with Yes and No; returns true for Yes.
bool askYesNo(QWidget* parent, const QString& text);

// A question with answers of its own, one button each in this order: the
// first is the default, the last leaves everything as it was (Escape and the
// title bar's close give it too). Returns the index of the answer.
int askChoice(QWidget* parent, const QString& text, const QStringList& answers);

struct MessageBoxInterceptor
{
    // Receives the text; for questions its return value is the answer.
    std::function<bool(const QString& text)> handler;
    // Receives a question of askChoice and returns the index of the answer.
    // Without it the handler answers: yes is the first answer, no the last.
    std::function<int(const QString& text, const QStringList& answers)> choose = {};
};
// Installs (or, with an empty handler, removes) the interceptor.
void setMessageBoxInterceptor(MessageBoxInterceptor interceptor);

// Every modal window of the program is shown through here. Tests install a
// handler that sees the dialog, already set up, instead of a blocking loop;
// it returns the dialog's result.
int execModal(QDialog& dialog);
void setModalInterceptor(std::function<int(QDialog& dialog)> handler);

// The system beep of dropped keys; counted so tests can see it.
void beep();
int beepCount();
void resetBeepCount();

} // namespace tarnwick
