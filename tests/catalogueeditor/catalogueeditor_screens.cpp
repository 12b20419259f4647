// Renders the catalogue maintenance window to PNG files, so it can be looked
// at: a pump chosen, a rule broken, a pasted pump with its chart, and the
// company page.
//
//   catalogueeditor_screens <output folder> [program folder with the database]
//
// The database is copied to a temporary folder first; without a program
// folder the window runs on the test database.

#include "catalogueeditor/catalogueeditor.h"
#include "controls/messagebox.h"
#include "shell/mdiform1.h"
#include "tests/calcwindow/calcwindowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

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

void press(QWidget* window, const QString& name)
{
    if (auto* button = window->findChild<QPushButton*>(name))
        button->click();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: catalogueeditor_screens <output folder> [program folder]\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);
    setMessageBoxInterceptor({[](const QString& text) {
        std::printf("message: %s\n", qPrintable(text));
        return true;
    }});

    std::unique_ptr<testing::TestProgramFolder> fixture;
    QTemporaryDir copy;
    QString folder;
    if (argc > 2) {
        const QString source = QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("水泵数据库97.mdb"));
        if (!QFile::copy(source, QDir(copy.path()).filePath(QStringLiteral("水泵数据库97.mdb")))) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
            return 1;
        }
        folder = copy.path();
    } else {
        QString error;
        fixture = testing::makeCalcWindowFolder(&error);
        if (!fixture) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        folder = fixture->folder();
    }

    MDIForm1 form;
    QString error;
    if (!form.load(folder, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    form.resize(1400, 1000);
    form.show();
    form.showCatalogueEditor();
    CatalogueEditor* editor = form.catalogueEditor();

    // A pump chosen through the filter.
    auto* filter = editor->findChild<QLineEdit*>(QStringLiteral("filterBox"));
    filter->setText(argc > 2 ? QStringLiteral("IS65") : QStringLiteral("TW50"));
    auto* list = editor->findChild<QListWidget*>(QStringLiteral("pumpList"));
    for (int i = 0; i < list->count(); ++i) {
        if (!list->item(i)->isHidden()) {
            list->setCurrentRow(i + 1 < list->count() && !list->item(i + 1)->isHidden() ? i + 1 : i);
            break;
        }
    }
    save(&form, output, QStringLiteral("1-pump-chosen"));

    // A rule broken: a negative shaft power.
    auto* points = editor->findChild<QTableWidget*>(QStringLiteral("pointsGrid"));
    if (points->rowCount() > 1)
        points->item(1, 2)->setText(QStringLiteral("-1"));
    points->setCurrentCell(3, 0); // so the marked cell shows its colour
    save(&form, output, QStringLiteral("2-rule-broken"));
    press(editor, QStringLiteral("撤销"));

    // A new pump from seven pasted points.
    filter->clear();
    press(editor, QStringLiteral("新建"));
    auto* model = editor->findChild<QLineEdit*>(QStringLiteral("pumpField_水泵型号"));
    model->setText(QStringLiteral("TW80-NEU"));
    Q_EMIT model->textEdited(model->text());
    QString clip = QStringLiteral("流量\t扬程\t轴功率\n");
    for (int k = 0; k < 7; ++k) {
        const double q = 20.0 + 10.0 * k;
        const double h = 32.0 + 0.04 * q - 0.003 * q * q + (k % 2 ? 0.4 : -0.4);
        clip += QStringLiteral("%1\t%2\t%3\n")
                    .arg(q)
                    .arg(QString::number(h, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')))
                    .arg(QString::number(2.5 + 0.07 * q, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')));
    }
    QApplication::clipboard()->setText(clip);
    press(editor, QStringLiteral("粘贴点"));
    save(&form, output, QStringLiteral("3-pasted-pump-chart"));

    editor->findChild<QTabWidget*>(QStringLiteral("editorPages"))->setCurrentIndex(1);
    save(&form, output, QStringLiteral("4-company-page"));
    setMessageBoxInterceptor({[](const QString&) { return true; }});
    return 0;
}
