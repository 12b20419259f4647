#include "controls/messagebox.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

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
    QMessageBox::warning(parent, caption(), text, QMessageBox::Ok);
}

void showInformation(QWidget* parent, const QString& text)
{
    if (interceptor().handler) {
        interceptor().handler(text);
        return;
    }
    QMessageBox::information(parent, caption(), text, QMessageBox::Ok);
}

bool askYesNo(QWidget* parent, const QString& text)
{
    if (interceptor().handler)
        return interceptor().handler(text);
    return QMessageBox::question(parent, caption(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
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
