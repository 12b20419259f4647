#include "controls/filedialog.h"

#include "controls/controlstexts.h"
#include "controls/messagebox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tarnwick {

namespace {

class ChineseFileKinds : public QFileIconProvider
{
public:
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return controlstext::folderKind();
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? controlstext::fileKind() : controlstext::suffixFileKind().arg(suffix.toUpper());
    }
};

QString settingsKey(const QString& kind)
{
    return QStringLiteral("folders/") + kind;
}

} // namespace

void prepareFileDialog(QFileDialog& dialog, const QString& kind)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // One provider serves every dialog; the dialogs do not own it.
    static ChineseFileKinds kinds;
    dialog.setIconProvider(&kinds);
    if (!kind.isEmpty())
        dialog.setDirectory(lastFolder(kind));
}

QString lastFolder(const QString& kind)
{
    const QString remembered = QSettings().value(settingsKey(kind)).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void rememberFolder(const QString& kind, const QString& filePath)
{
    if (kind.isEmpty() || filePath.isEmpty())
        return;
    QSettings().setValue(settingsKey(kind), QFileInfo(filePath).absolutePath());
}

QString chooseFile(QFileDialog& dialog, const QString& kind)
{
    if (execModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().constFirst();
    rememberFolder(kind, path);
    return path;
}

} // namespace tarnwick
