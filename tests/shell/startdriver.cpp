// Linked with the program's own main() (app/main.cpp, unchanged), this drives
// a real start of the window program from outside the program's code: as soon
// as the application object exists it waits for the splash window, enters
// through its icon (or closes it, with TARNWICK_DRIVE=close), writes on
// standard output what it saw and closes the main window, which ends the
// program. Questions are answered with their last answer (exit); tst_mainstart
// runs it and reads what it wrote.

#include "controls/messagebox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

void report(const QString& line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QWidget* shownWindow(const QString& name)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible())
            return window;
    }
    return nullptr;
}

void enterOrClose()
{
    QWidget* splash = shownWindow(QStringLiteral("frmSplash"));
    if (!splash) {
        QTimer::singleShot(20, enterOrClose);
        return;
    }
    report(QStringLiteral("splash"));
    if (qEnvironmentVariable("TARNWICK_DRIVE") == QStringLiteral("close")) {
        splash->close();
        return;
    }
    QWidget* icon = splash->findChild<QWidget*>(QStringLiteral("Image1"));
    if (!icon) {
        report(QStringLiteral("no entry icon"));
        QCoreApplication::exit(4);
        return;
    }
    QTest::mouseClick(icon, Qt::LeftButton, {}, icon->rect().center());
    if (auto* main = qobject_cast<QMainWindow*>(shownWindow(QStringLiteral("MDIForm1")))) {
        report(QStringLiteral("main window: ") + main->windowTitle());
        report(QStringLiteral("database: ") + main->statusBar()->toolTip());
        QTimer::singleShot(0, main, &QWidget::close);
    }
}

void drive()
{
    tarnwick::setMessageBoxInterceptor({[](const QString& text) {
                                            report(QStringLiteral("message: ") + text);
                                            return false;
                                        },
                                        [](const QString& text, const QStringList& answers) {
                                            report(QStringLiteral("question: ") + text);
                                            return static_cast<int>(answers.size()) - 1;
                                        }});
    QTimer::singleShot(0, enterOrClose);
    // A start that hangs ends with a status of its own.
    QTimer::singleShot(60000, [] {
        report(QStringLiteral("timed out"));
        QCoreApplication::exit(5);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(drive)
