#include "store/import/accessconversion.h"

#include "store/database.h"
#include "store/databaselocation.h"

#include <QCoreApplication>
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
        return QCoreApplication::translate("tarnwick::store", "转换程序异常终止，该 Access 文件可能已损坏。");
    const QString text = errorOutput.trimmed();
    return text.isEmpty()
               ? QCoreApplication::translate("tarnwick::store", "转换程序以状态 %1 结束。").arg(process.exitCode())
               : text;
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

AccessConversionRun::AccessConversionRun(const QString& programFolder, const QString& cliPath)
    : m_database(store::databasePath(programFolder)), m_cliPath(cliPath)
{
}

AccessConversionRun::~AccessConversionRun()
{
    if (m_state == State::Running)
        stop(QCoreApplication::translate("tarnwick::store", "转换已中止。"));
}

bool AccessConversionRun::start()
{
    if (store::databaseFileKind(m_database) != store::DatabaseFileKind::Access) {
        m_result.message =
            QCoreApplication::translate("tarnwick::store", "%1 不是 Access 数据库，无需转换。").arg(shown(m_database));
        m_state = State::Done;
        return false;
    }
    m_result.outcome = AccessConversion::Outcome::Failed;
    m_kept = keptOriginalPath(m_database);
    if (!QFile::rename(m_database, m_kept)) {
        m_result.message = QCoreApplication::translate("tarnwick::store", "无法将 %1 改名为 %2，没有转换。")
                               .arg(shown(m_database), shown(m_kept));
        m_state = State::Done;
        return false;
    }
    m_state = State::Running;
    // The child tells its progress as it would on a terminal; see progressText().
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TARNWICK_PROGRESS"), QStringLiteral("1"));
    m_process.setProcessEnvironment(environment);
    m_process.setProgram(m_cliPath);
    m_process.setArguments({QStringLiteral("import-mdb"), m_kept, QStringLiteral("--db"), m_database});
    m_process.start();
    if (!m_process.waitForStarted()) {
        finishWith(QCoreApplication::translate("tarnwick::store", "无法启动转换程序 %1。").arg(shown(m_cliPath)));
        return false;
    }
    return true;
}

QString AccessConversionRun::progressText()
{
    m_errorOutput += m_process.readAllStandardError();
    // Each progress line starts with a carriage return and an erase.
    const QString text = QString::fromUtf8(m_errorOutput);
    const qsizetype last = text.lastIndexOf(QStringLiteral("\r\x1b[K"));
    if (last < 0)
        return QString();
    const QString line = text.mid(last + 4);
    return line.contains(QLatin1Char('\n')) ? QString() : line;
}

const AccessConversion& AccessConversionRun::finish()
{
    if (m_state == State::Running)
        finishWith(QString());
    return m_result;
}

const AccessConversion& AccessConversionRun::stop(const QString& reason)
{
    if (m_state == State::Running) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
        finishWith(reason);
    }
    return m_result;
}

void AccessConversionRun::finishWith(const QString& stopReason)
{
    m_state = State::Done;
    m_errorOutput += m_process.readAllStandardError();
    const QString output = QString::fromUtf8(m_process.readAllStandardOutput());
    // What the child printed after its last progress line.
    QString errorOutput = QString::fromUtf8(m_errorOutput);
    const qsizetype progressEnd = errorOutput.lastIndexOf(QStringLiteral("\r\x1b[K"));
    if (progressEnd >= 0)
        errorOutput = errorOutput.mid(progressEnd + 4);
    m_result.details = output + errorOutput;

    QString reason = stopReason;
    if (reason.isEmpty() && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0 &&
        store::databaseFileKind(m_database) == store::DatabaseFileKind::SQLite) {
        m_result.outcome = AccessConversion::Outcome::Converted;
        m_result.keptOriginal = m_kept;
        m_result.message =
            QCoreApplication::translate("tarnwick::store",
                                        "已将 Access 数据库转换为本程序的数据库 %1。\n原 Access 文件保存为 %2。")
                .arg(shown(m_database), shown(m_kept));
        return;
    }

    if (reason.isEmpty())
        reason = childFailure(m_process, errorOutput);
    // Whatever the child left under the program's file name came from the
    // kept original, which is intact: it can go, and the original returns.
    removeLeftovers(m_database);
    if (QFileInfo::exists(m_database))
        QFile::remove(m_database);
    if (QFile::rename(m_kept, m_database)) {
        m_result.message =
            QCoreApplication::translate("tarnwick::store", "无法转换 Access 数据库 %1：\n%2\n原文件没有改动。")
                .arg(shown(m_database), reason);
    } else {
        m_result.keptOriginal = m_kept;
        m_result.message =
            QCoreApplication::translate("tarnwick::store", "无法转换 Access 数据库 %1：\n%2\n原文件保存为 %3。")
                .arg(shown(m_database), reason, shown(m_kept));
    }
}

AccessConversion convertProgramFolderDatabase(const QString& programFolder, const QString& cliPath, int timeoutMs)
{
    AccessConversionRun run(programFolder, cliPath);
    if (!run.start())
        return run.finish();
    if (!run.process().waitForFinished(timeoutMs))
        return run.stop(QCoreApplication::translate("tarnwick::store", "转换超时，已中止。"));
    return run.finish();
}

} // namespace tarnwick::import
