#include "store/import/accessconversion.h"

#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace tarnwick::import {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString formatSuffix(const QString& accessFile)
{
    QFile file(accessFile);
    QByteArray header;
    if (file.open(QIODevice::ReadOnly))
        header = file.read(0x15);
    const int jetByte = header.size() > 0x14 ? static_cast<uchar>(header[0x14]) : 0;
    if (jetByte == 0)
        return QStringLiteral("access97");
    if (jetByte == 1)
        return QStringLiteral("access2000");
    return QStringLiteral("access2007");
}

// Temporary files of an import that was killed before it could clean up.
void removeLeftovers(const QString& target)
{
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    const QStringList leftovers =
        folder.entryList({info.fileName() + QStringLiteral(".??????.part")}, QDir::Files | QDir::Hidden);
    for (const QString& name : leftovers)
        QFile::remove(folder.filePath(name));
}

QString childFailure(const QProcess& process, const QString& errorOutput)
{
    if (process.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("转换程序异常终止，该 Access 文件可能已损坏。");
    const QString text = errorOutput.trimmed();
    return text.isEmpty() ? QStringLiteral("转换程序以状态 %1 结束。").arg(process.exitCode()) : text;
}

} // namespace

bool programFolderHoldsAccessFile(const QString& programFolder)
{
    return store::databaseFileKind(store::databasePath(programFolder)) == store::DatabaseFileKind::Access;
}

QString keptOriginalPath(const QString& accessFile)
{
    const QFileInfo info(accessFile);
    const QString base =
        info.absoluteDir().filePath(info.completeBaseName() + QLatin1Char('-') + formatSuffix(accessFile));
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString candidate = base + suffix;
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = base + QStringLiteral("-%1").arg(n) + suffix;
    return candidate;
}

AccessConversion convertProgramFolderDatabase(const QString& programFolder, const QString& cliPath, int timeoutMs)
{
    AccessConversion result;
    const QString database = store::databasePath(programFolder);
    if (store::databaseFileKind(database) != store::DatabaseFileKind::Access) {
        result.message = QStringLiteral("%1 不是 Access 数据库，无需转换。").arg(shown(database));
        return result;
    }

    result.outcome = AccessConversion::Outcome::Failed;
    const QString kept = keptOriginalPath(database);
    if (!QFile::rename(database, kept)) {
        result.message = QStringLiteral("无法将 %1 改名为 %2，没有转换。").arg(shown(database), shown(kept));
        return result;
    }

    QProcess process;
    process.setProgram(cliPath);
    process.setArguments({QStringLiteral("import-mdb"), kept, QStringLiteral("--db"), database});
    process.start();
    QString reason;
    if (!process.waitForStarted()) {
        reason = QStringLiteral("无法启动转换程序 %1。").arg(shown(cliPath));
    } else if (!process.waitForFinished(timeoutMs)) {
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
        reason = QStringLiteral("转换超时，已中止。");
    }
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    const QString errorOutput = QString::fromUtf8(process.readAllStandardError());
    result.details = output + errorOutput;

    if (reason.isEmpty() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 &&
        store::databaseFileKind(database) == store::DatabaseFileKind::SQLite) {
        result.outcome = AccessConversion::Outcome::Converted;
        result.keptOriginal = kept;
        result.message = QStringLiteral("已将 Access 数据库转换为本程序的数据库 %1。\n原 Access 文件保存为 %2。")
                             .arg(shown(database), shown(kept));
        return result;
    }

    if (reason.isEmpty())
        reason = childFailure(process, errorOutput);
    // Whatever the child left under the program's file name came from the
    // kept original, which is intact: it can go, and the original returns.
    removeLeftovers(database);
    if (QFileInfo::exists(database))
        QFile::remove(database);
    if (QFile::rename(kept, database)) {
        result.message =
            QStringLiteral("无法转换 Access 数据库 %1：\n%2\n原文件没有改动。").arg(shown(database), reason);
    } else {
        result.keptOriginal = kept;
        result.message = QStringLiteral("无法转换 Access 数据库 %1：\n%2\n原文件保存为 %3。")
                             .arg(shown(database), reason, shown(kept));
    }
    return result;
}

} // namespace tarnwick::import
