#include "store/import/newdatabasefile.h"

#include "store/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QUuid>

#include <array>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick::import {

namespace {

// The temporary file a fatal signal must remove. Only async-signal-safe calls
// (unlink, sigaction, raise) happen in the handler, on a path prepared before.
char pendingPath[4096];
constexpr std::array kFatalSignals = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGINT, SIGTERM, SIGHUP};
struct sigaction previousActions[kFatalSignals.size()];
bool cleanupInstalled = false;

void removePendingFile(int signal)
{
    if (pendingPath[0] != '\0')
        unlink(pendingPath);
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i) {
        if (kFatalSignals[i] == signal)
            sigaction(signal, &previousActions[i], nullptr);
    }
    raise(signal);
}

void installCleanup(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    if (cleanupInstalled || encoded.size() >= static_cast<qsizetype>(sizeof(pendingPath)))
        return;
    std::memcpy(pendingPath, encoded.constData(), static_cast<std::size_t>(encoded.size()) + 1);
    struct sigaction action = {};
    action.sa_handler = removePendingFile;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i)
        sigaction(kFatalSignals[i], &action, &previousActions[i]);
    cleanupInstalled = true;
}

void removeCleanup()
{
    if (!cleanupInstalled)
        return;
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i)
        sigaction(kFatalSignals[i], &previousActions[i], nullptr);
    pendingPath[0] = '\0';
    cleanupInstalled = false;
}

// Temporary files of earlier runs for the same target that no running
// program holds any more (a run that was killed cannot remove its own).
void removeLeftovers(const QFileInfo& target)
{
    const QDir folder = target.absoluteDir();
    const QRegularExpression pattern(QStringLiteral("^%1\\.[A-Za-z0-9]{6}\\.part$")
                                         .arg(QRegularExpression::escape(target.fileName())));
    for (const QString& name : folder.entryList({target.fileName() + QStringLiteral(".*.part")}, QDir::Files | QDir::Hidden)) {
        if (!pattern.match(name).hasMatch())
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

mode_t userUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

bool syncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

NewDatabaseFile::NewDatabaseFile(QString target) : m_target(std::move(target)) {}

NewDatabaseFile::~NewDatabaseFile()
{
    if (!m_committed)
        discard();
}

bool NewDatabaseFile::open(QString* error)
{
    const QFileInfo target(m_target);
    const QString shownTarget = QDir::toNativeSeparators(m_target);
    if (target.exists() || target.isSymLink()) {
        *error = QCoreApplication::translate("tarnwick::store", "目标文件 %1 已存在，不会覆盖它。").arg(shownTarget);
        return false;
    }
    if (!target.absoluteDir().exists()) {
        *error = QCoreApplication::translate("tarnwick::store", "目标文件夹 %1 不存在。")
                     .arg(QDir::toNativeSeparators(target.absolutePath()));
        return false;
    }
    removeLeftovers(target);
    QTemporaryFile file(target.absoluteFilePath() + QStringLiteral(".XXXXXX.part"));
    file.setAutoRemove(false);
    if (!file.open()) {
        *error = QCoreApplication::translate("tarnwick::store", "无法在 %1 中创建文件：%2")
                     .arg(QDir::toNativeSeparators(target.absolutePath()), file.errorString());
        return false;
    }
    m_temporary = file.fileName();
    // A temporary file is made for the owner alone; the database is to be
    // like any other new file of the user.
    ::fchmod(file.handle(), 0666 & ~userUmask());
    file.close();
    installCleanup(m_temporary);
    // Held as long as the file is being written, so that another run's
    // clean-up leaves it alone. Taken before SQLite opens the file and let go
    // only after it has closed it: closing a descriptor of an open database
    // would drop SQLite's own locks.
    m_lock = ::open(QFile::encodeName(m_temporary).constData(), O_RDONLY | O_CLOEXEC);
    if (m_lock >= 0)
        ::flock(m_lock, LOCK_EX | LOCK_NB);

    m_connection = QStringLiteral("tarnwick-import-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_temporary);
    if (!db.open()) {
        *error = QCoreApplication::translate("tarnwick::store", "无法创建数据库文件：%1").arg(db.lastError().text());
        return false;
    }
    // Nothing of this file survives a failure, so it needs no journal on
    // disk and no syncing until the end.
    store::setScratchFileWriting(db);
    return true;
}

QSqlDatabase NewDatabaseFile::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool NewDatabaseFile::commit(QString* error)
{
    {
        QSqlDatabase db = database();
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
    if (!syncFile(m_temporary)) {
        *error = QCoreApplication::translate("tarnwick::store", "无法将数据库文件写入磁盘。");
        discard();
        return false;
    }
    // QFile::rename never replaces an existing file.
    if (!QFile::rename(m_temporary, m_target)) {
        *error = QFileInfo::exists(m_target)
                     ? QCoreApplication::translate("tarnwick::store", "目标文件 %1 已存在，不会覆盖它。")
                           .arg(QDir::toNativeSeparators(m_target))
                     : QCoreApplication::translate("tarnwick::store", "无法将数据库文件改名为 %1。")
                           .arg(QDir::toNativeSeparators(m_target));
        discard();
        return false;
    }
    syncFile(QFileInfo(m_target).absolutePath());
    m_committed = true;
    removeCleanup();
    releaseLock();
    return true;
}

void NewDatabaseFile::discard()
{
    if (!m_connection.isEmpty()) {
        {
            QSqlDatabase db = database();
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
        m_connection.clear();
    }
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
    removeCleanup();
    releaseLock();
}

void NewDatabaseFile::releaseLock()
{
    if (m_lock >= 0)
        ::close(m_lock);
    m_lock = -1;
}

} // namespace tarnwick::import
