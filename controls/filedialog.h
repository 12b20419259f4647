#pragma once

#include <QString>

class QFileDialog;

namespace tarnwick {

// The kinds of files whose dialogs each remember their own folder.
namespace filekind {
inline QString dataSheet()
{
    return QStringLiteral("dataSheet");
}
inline QString reportExport()
{
    return QStringLiteral("reportExport");
}
inline QString picture()
{
    return QStringLiteral("picture");
}
} // namespace filekind

// Makes a file dialog the program's own: Qt's dialog rather than the
// desktop's (it reads Chinese with the program's translations and goes
// through the modal seam), with the kinds of entries named in Chinese where
// Qt's translations leave them English ("Folder"). With a kind it starts in
// the folder last used for that kind of file; a name selected afterwards
// without a folder is taken in it.
void prepareFileDialog(QFileDialog& dialog, const QString& kind = QString());

// The folder where the user last took or put a file of this kind; the
// documents folder before the first time, or when that folder is gone.
QString lastFolder(const QString& kind);
// Remembers the folder of `filePath` for the next dialog of this kind.
void rememberFolder(const QString& kind, const QString& filePath);

// Shows the dialog through the modal seam; when the user accepts, remembers
// the folder of the chosen file for its kind and returns the file, else
// returns nothing.
QString chooseFile(QFileDialog& dialog, const QString& kind);

} // namespace tarnwick
