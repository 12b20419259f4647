// Not a test: runs the window on a database and saves it as PNG files.
#include "controls/sheetproduction.h"
#include "report/resultreport.h"
#include "report/varspeedreport.h"
#include "shell/mdiform1.h"
#include "shell/varspeedcommands.h"
#include "speedwindow/varspeedwindow.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "speedwindow_screens <output folder> <database file>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    tarnwick::VarSpeedWindow window;
    QString error;
    if (!window.load(QString::fromLocal8Bit(argv[2]), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const char* values[3] = {"20", "100", "5"};
    for (int i = 0; i < 3; ++i)
        window.findChild<QLineEdit*>(QStringLiteral("dutyBox_%1").arg(i))->setText(QString::fromLatin1(values[i]));
    // First at the size the window opens with.
    window.show();
    window.runSelection();
    QApplication::processEvents();
    window.grab().save(out + QStringLiteral("/0-default-size.png"));
    window.resize(1280, 860);
    window.grab().save(out + QStringLiteral("/1-idle.png"));
    window.runSelection();
    QApplication::processEvents();
    window.grab().save(out + QStringLiteral("/2-ranking-chart-loads.png"));
    {
        // The accepted pumps' context menu, painted over the window where it opens.
        auto* table = window.findChild<QTableWidget*>(QStringLiteral("acceptedTable"));
        const QPoint at = table->visualItemRect(table->item(1, 0)).center();
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                QPixmap shot = window.grab();
                QPainter painter(&shot);
                painter.drawPixmap(window.mapFromGlobal(menu->mapToGlobal(QPoint(0, 0))), menu->grab());
                painter.end();
                shot.save(out + QStringLiteral("/2b-sheet-menu.png"));
                menu->close();
            }
        });
        emit table->customContextMenuRequested(at);
        tarnwick::SheetHeaderDialog header(&window, table->rowCount());
        header.grab().save(out + QStringLiteral("/2c-sheet-header.png"));
    }
    window.findChild<QTableWidget*>(QStringLiteral("acceptedTable"))->selectRow(3);
    QApplication::processEvents();
    window.grab().save(out + QStringLiteral("/3-fourth-pump.png"));
    window.findChild<QTabWidget*>(QStringLiteral("resultTabs"))->setCurrentIndex(1);
    QApplication::processEvents();
    window.grab().save(out + QStringLiteral("/4-rejected.png"));

    auto connection = tarnwick::store::Connection::open(QString::fromLocal8Bit(argv[2]));
    auto stored = tarnwick::store::readVarSpeedResults(connection.value()->database(), false);
    tarnwick::report::ResultReport report(tarnwick::report::varSpeedResultTable(stored.value(), false));
    report.renderPage(1, 96).save(out + QStringLiteral("/5-report.png"));

    // The main window with the window opened from its toolbar button.
    tarnwick::MDIForm1 main;
    if (!main.load(QFileInfo(QString::fromLocal8Bit(argv[2])).absolutePath(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    main.resize(1400, 1000);
    main.show();
    main.Toolbar1_ButtonClick(QStringLiteral("calculate3"));
    QApplication::processEvents();
    main.grab().save(out + QStringLiteral("/6-main-window.png"));
    return 0;
}
