// Renders every information window to PNG files for looking at:
//   infowindows_screens <output folder> [program folder]
// The program folder (default: this executable's folder) supplies the
// database for the company and product pages and the schematics.

#include "controls/uimetrics.h"
#include "infowindows/frmabout.h"
#include "infowindows/frmbackground.h"
#include "infowindows/frmhelp.h"
#include "infowindows/frmpicture.h"
#include "infowindows/frmsplash.h"
#include "store/database.h"
#include "store/databaselocation.h"
#include "store/names.h"
#include "store/rowset.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

using namespace tarnwick;

namespace {

void save(QWidget& window, const QDir& folder, const QString& name)
{
    window.show();
    QApplication::processEvents();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    window.grab().save(path);
    QTextStream(stdout) << path << "  " << window.width() << " x " << window.height() << '\n';
}

QStringList schematicTypes(const QString& programFolder)
{
    QStringList types;
    auto connection = store::Connection::open(store::databasePath(programFolder));
    store::RowSet rows;
    if (connection && rows.open(connection.value(), store::names::schematicTable())) {
        for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
            if (auto type = rows.field(store::names::pumpType()))
                types.append(type->toString());
        }
    }
    return types;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(programFont(QStringLiteral("宋体"), 9));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        QTextStream(stderr) << "usage: infowindows_screens <output folder> [program folder]\n";
        return 2;
    }
    const QDir output(arguments.at(1));
    QDir().mkpath(output.path());
    const QString programFolder = arguments.size() > 2 ? arguments.at(2) : store::programFolder();

    const std::pair<HelpPage, const char*> pages[] = {{HelpPage::Contents, "help-contents"},
                                                      {HelpPage::Principle, "help-principle"},
                                                      {HelpPage::Company, "help-company"},
                                                      {HelpPage::Products, "help-products"}};
    for (const auto& [page, name] : pages) {
        frmhelp window(programFolder);
        window.selectPage(page);
        save(window, output, QString::fromLatin1(name));
    }

    QStringList types = schematicTypes(programFolder);
    types.append(QStringLiteral("(no such type)"));
    int n = 0;
    for (const QString& type : std::as_const(types)) {
        frmpicture window(type, programFolder);
        save(window, output, QStringLiteral("schematic-%1").arg(++n));
    }

    frmSplash splash;
    save(splash, output, QStringLiteral("splash"));
    frmAbout about;
    save(about, output, QStringLiteral("about"));
    frmbackground background;
    save(background, output, QStringLiteral("background"));
    return 0;
}
