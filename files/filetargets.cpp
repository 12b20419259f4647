#include "files/filetargets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include <sys/stat.h>

namespace tarnwick::files {

QString cannotWriteFile(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("tarnwick::files", "无法写入文件“%1”：%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

bool flushOutput(QSaveFile& file, QString* reason)
{
    bool written = file.flush() && file.error() == QFileDevice::NoError;
    QString why = file.errorString();
    if (written && ::fsync(file.handle()) != 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
        written = false;
    }
    if (written)
        return true;
    file.cancelWriting();
    file.commit();
    if (reason)
        *reason = why;
    return false;
}

bool commitOutput(QSaveFile& file, QString* reason)
{
    if (!flushOutput(file, reason))
        return false;
    if (file.commit())
        return true;
    if (reason)
        *reason = file.errorString();
    return false;
}

namespace {

// Where the path leads once its folder's links are resolved.
QString resolvedPlace(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        folder = info.absolutePath();
    return QDir::cleanPath(folder + QLatin1Char('/') + info.fileName());
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

bool sameFile(const QString& a, const QString& b)
{
    struct stat first {};
    struct stat second {};
    if (::stat(QFile::encodeName(a).constData(), &first) == 0 &&
        ::stat(QFile::encodeName(b).constData(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return resolvedPlace(a) == resolvedPlace(b);
}

std::optional<QString> outputTargetConflict(const QStringList& outputs, const DatabaseFiles& database)
{
    const QString& databasePath = database.path;
    for (int i = 0; i < outputs.size(); ++i) {
        if (!databasePath.isEmpty()) {
            if (sameFile(outputs[i], databasePath))
                return QCoreApplication::translate(
                           "tarnwick::files",
                           "输出文件 %1 就是正在使用的数据库文件，写入会毁掉数据库。请换一个文件名。")
                    .arg(shown(outputs[i]));
            const QString place = resolvedPlace(outputs[i]);
            const QString databasePlace = resolvedPlace(databasePath);
            for (const QString& suffix : database.sideSuffixes) {
                if (place == databasePlace + suffix)
                    return QCoreApplication::translate(
                               "tarnwick::files", "输出文件 %1 是数据库的日志文件，写入会毁掉数据库。请换一个文件名。")
                        .arg(shown(outputs[i]));
            }
        }
        for (int j = 0; j < i; ++j) {
            if (sameFile(outputs[i], outputs[j]))
                return QCoreApplication::translate(
                           "tarnwick::files",
                           "两个输出文件 %1 和 %2 是同一个文件，后写的会覆盖先写的。请为每个输出指定不同的文件名。")
                    .arg(shown(outputs[j]), shown(outputs[i]));
        }
    }
    return std::nullopt;
}

std::optional<QString> inputFileProblem(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QCoreApplication::translate("tarnwick::files", "找不到文件 %1。").arg(shown(path));
    if (!S_ISREG(status.st_mode))
        return QCoreApplication::translate("tarnwick::files",
                                           "%1 不是普通文件（而是文件夹、设备或管道），无法从中导入。")
            .arg(shown(path));
    return std::nullopt;
}

} // namespace tarnwick::files
