#include "controls/messagebox.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace tarnwick {

namespace {

MessageBoxInterceptor& interceptor()
{
    static MessageBoxInterceptor instance;
    return instance;
}

std::function<int(QDialog&)>& modalInterceptor()
{
    static std::function<int(QDialog&)> handler;
    return handler;
}

int& beeps()
{
    static int count = 0;
    return count;
}

QString caption()
{
    return QStringLiteral("Tarnwick");
}

// The box is shown through execModal, so a test can look at it (its buttons
// read Qt's Chinese texts) without a blocking loop.
QMessageBox::StandardButton runBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption(), text, buttons, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(execModal(box));
}

} // namespace

void setMessageBoxInterceptor(MessageBoxInterceptor value)
{
    interceptor() = std::move(value);
}

void showWarning(QWidget* parent, const QString& text)
{
    if (interceptor().handler) {
        interceptor().handler(text);
        return;
    }
    runBox(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void showInformation(QWidget* parent, const QString& text)
{
    if (interceptor().handler) {
        interceptor().handler(text);
        return;
    }
    runBox(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool askYesNo(QWidget* parent, const QString& text)
{
    if (interceptor().handler)
        return interceptor().handler(text);
    return runBox(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

int askChoice(QWidget* parent, const QString& text, const QStringList& answers)
{
    const int last = static_cast<int>(answers.size()) - 1;
    if (interceptor().choose)
        return std::clamp(interceptor().choose(text, answers), 0, std::max(0, last));
    if (interceptor().handler)
        return interceptor().handler(text) ? 0 : std::max(0, last);
    QMessageBox box(QMessageBox::Question, caption(), text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    QList<QAbstractButton*> buttons;
    for (int i = 0; i <= last; ++i) {
        const QMessageBox::ButtonRole role = i == 0      ? QMessageBox::AcceptRole
                                             : i == last ? QMessageBox::RejectRole
                                                         : QMessageBox::ActionRole;
        QPushButton* button = box.addButton(answers.at(i), role);
        button->setObjectName(QStringLiteral("answer%1").arg(i));
        buttons.append(button);
    }
    if (!buttons.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.constFirst()));
        box.setEscapeButton(buttons.constLast());
    }
    execModal(box);
    const auto chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? std::max(0, last) : static_cast<int>(chosen);
}

int execModal(QDialog& dialog)
{
    if (modalInterceptor())
        return modalInterceptor()(dialog);
    return dialog.exec();
}

void setModalInterceptor(std::function<int(QDialog&)> handler)
{
    modalInterceptor() = std::move(handler);
}

void beep()
{
    ++beeps();
    QApplication::beep();
}

int beepCount()
{
    return beeps();
}

void resetBeepCount()
{
    beeps() = 0;
}

} // namespace tarnwick
