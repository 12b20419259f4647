// Renders the calculation window in its main states to PNG files, so the
// layout can be looked at: idle, candidates listed, pump shown (curves and
// schematic page), and check mode with a passed check.
//
//   calcwindow_screens <output folder> [program folder with the database]
//                      [model resistance flow static-head]
//
// With a model and a duty it also checks that model ("7-check-model").
// Without a program folder the window runs on the test database.

#include "calcwindow/frmcalculate.h"
#include "controls/messagebox.h"
#include "tests/calcwindow/calcwindowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaObject>
#include <QTextStream>
#include <QToolButton>

#include <cstdio>

using namespace tarnwick;

namespace {

void save(QWidget* window, const QString& folder, const QString& name)
{
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void press(QWidget* window, const QString& button)
{
    QWidget* widget = window->findChild<QWidget*>(button);
    QMetaObject::invokeMethod(widget, "Click");
}

void enterDuty(QWidget* window, const QString& resistance, const QString& flow, const QString& staticHead)
{
    window->findChild<QLineEdit*>(QStringLiteral("Text1_0"))->setText(resistance);
    window->findChild<QLineEdit*>(QStringLiteral("Text1_1"))->setText(flow);
    window->findChild<QLineEdit*>(QStringLiteral("Text1_2"))->setText(staticHead);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: calcwindow_screens <output folder> [program folder]\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);

    std::unique_ptr<testing::TestProgramFolder> fixture;
    QString programFolder;
    QString error;
    if (argc > 2) {
        programFolder = QString::fromLocal8Bit(argv[2]);
    } else {
        fixture = testing::makeCalcWindowFolder(&error);
        if (!fixture) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        programFolder = fixture->folder();
    }
    setMessageBoxInterceptor({[](const QString& text) {
        std::printf("message: %s\n", qPrintable(text));
        return true;
    }});

    frmcalculate window;
    if (!window.load(programFolder, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    window.configureMode(CalculationMode::Design, QIcon());
    window.show();
    save(&window, output, QStringLiteral("1-idle"));

    enterDuty(&window, QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    press(&window, QStringLiteral("设计"));
    save(&window, output, QStringLiteral("2-candidates"));

    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    if (list->isEnabled() && list->count() > 0)
        list->setCurrentRow(0);
    save(&window, output, QStringLiteral("3-pump-curves"));

    QMetaObject::invokeMethod(window.findChild<QWidget*>(QStringLiteral("Command5")), "clicked");
    save(&window, output, QStringLiteral("4-pump-schematic"));

    // The check takes the first design candidate's model.
    QString model;
    if (list->isEnabled() && list->count() > 0)
        model = list->item(0)->text().section(QStringLiteral("型 "), 0, 0);
    window.configureMode(CalculationMode::Check, QIcon());
    save(&window, output, QStringLiteral("5-check-idle"));
    enterDuty(&window, QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    auto* combo1 = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    const int index = combo1->findText(model);
    if (index >= 0)
        combo1->setCurrentIndex(index);
    press(&window, QStringLiteral("校核"));
    save(&window, output, QStringLiteral("6-check-passed"));

    if (argc > 6) {
        QString note;
        QObject::connect(&window, &frmcalculate::statusNote, &window, [&note](const QString& text) { note = text; });
        enterDuty(&window, QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[5]),
                  QString::fromLocal8Bit(argv[6]));
        combo1->setCurrentIndex(combo1->findText(QString::fromLocal8Bit(argv[3])));
        press(&window, QStringLiteral("校核"));
        if (!note.isEmpty())
            std::printf("note: %s\n", qPrintable(note));
        save(&window, output, QStringLiteral("7-check-model"));
    }
    // The group "介质与吸入条件" opened: 40 % ethylene glycol at 4 °C, 30 kPa
    // at the inlet, the impeller cut to the duty.
    window.configureMode(CalculationMode::Design, QIcon());
    enterDuty(&window, QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    auto* toggle = window.findChild<QToolButton*>(QStringLiteral("ConditionsToggle"));
    toggle->setChecked(true);
    window.findChild<QComboBox*>(QStringLiteral("FluidChooser"))->setCurrentIndex(2);
    window.findChild<QLineEdit*>(QStringLiteral("ConcentrationBox"))->setText(QStringLiteral("40"));
    window.findChild<QLineEdit*>(QStringLiteral("TemperatureBox"))->setText(QStringLiteral("4"));
    window.findChild<QLineEdit*>(QStringLiteral("SuctionPressureBox"))->setText(QStringLiteral("0.03"));
    window.findChild<QComboBox*>(QStringLiteral("SuctionUnitChooser"))->setCurrentText(QStringLiteral("MPa"));
    window.findChild<QCheckBox*>(QStringLiteral("TrimBox"))->setChecked(true);
    save(&window, output, QStringLiteral("8-conditions-open"));
    press(&window, QStringLiteral("设计"));
    if (list->isEnabled() && list->count() > 0)
        list->setCurrentRow(0);
    toggle->setChecked(false);
    save(&window, output, QStringLiteral("9-conditions-design"));
    return 0;
}
