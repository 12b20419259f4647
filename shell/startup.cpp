#include "shell/startup.h"

#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "shell/mdiform1.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace tarnwick {

void applyProgramFont()
{
    QApplication::setFont(programFont(QStringLiteral("宋体"), 9));
}

std::unique_ptr<MDIForm1> openMainWindow(const QString& programFolder)
{
    auto window = std::make_unique<MDIForm1>();
    QString error;
    if (!window->load(programFolder, &error)) {
        showWarning(nullptr, error + QStringLiteral("\n\nTarnwick 无法启动。"));
        return nullptr;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window->move(area.topLeft());
        window->resize(area.width(), std::max(1, area.height() - twips(500)));
    }
    window->show();
    return window;
}

} // namespace tarnwick
