#include "controls/filedialog.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>

namespace tarnwick {

namespace {

class ChineseFileKinds : public QFileIconProvider
{
public:
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QStringLiteral("文件夹");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QStringLiteral("文件") : QStringLiteral("%1 文件").arg(suffix.toUpper());
    }
};

} // namespace

void prepareFileDialog(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // One provider serves every dialog; the dialogs do not own it.
    static ChineseFileKinds kinds;
    dialog.setIconProvider(&kinds);
}

} // namespace tarnwick
