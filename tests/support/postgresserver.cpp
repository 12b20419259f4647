#include "tests/support/postgresserver.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarnwick::testing {

namespace {

// The highest installed version's programs.
QString serverBinaries()
{
    QDir root(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(), [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& version : versions) {
        const QString bin = root.filePath(version + QStringLiteral("/bin"));
        if (QFileInfo::exists(bin + QStringLiteral("/initdb")) && QFileInfo::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return {};
}

int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

} // namespace

PostgresServer::PostgresServer()
{
    m_bin = serverBinaries();
    if (m_bin.isEmpty()) {
        m_error = QStringLiteral("the PostgreSQL server is not installed (scripts/install-deps installs it)");
        return;
    }
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    if (::geteuid() == 0) {
        // initdb refuses to run as root.
        const passwd* user = ::getpwnam("postgres");
        if (!user || ::chown(QFile::encodeName(m_dir.path()).constData(), user->pw_uid, user->pw_gid) != 0) {
            m_error = QStringLiteral("no user \"postgres\" to run the server as");
            return;
        }
    }
    m_port = freePort();
    QString output;
    const QString data = m_dir.filePath(QStringLiteral("data"));
    if (!runAsServerUser(m_bin + QStringLiteral("/initdb"),
                         {QStringLiteral("-D"), data, QStringLiteral("-U"), QStringLiteral("postgres"),
                          QStringLiteral("--auth-local=trust"), QStringLiteral("--auth-host=scram-sha-256"),
                          QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8")},
                         &output)) {
        m_error = QStringLiteral("initdb failed: ") + output;
        return;
    }
    start();
}

bool PostgresServer::start()
{
    if (m_started)
        return true;
    QString output;
    const QString options = QStringLiteral("-k %1 -c listen_addresses=127.0.0.1 -p %2 -F -c max_connections=60")
                                .arg(m_dir.path())
                                .arg(m_port);
    if (!runAsServerUser(m_bin + QStringLiteral("/pg_ctl"),
                         {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-l"),
                          m_dir.filePath(QStringLiteral("log")), QStringLiteral("-w"), QStringLiteral("-o"), options,
                          QStringLiteral("start")},
                         &output)) {
        QFile log(m_dir.filePath(QStringLiteral("log")));
        log.open(QIODevice::ReadOnly);
        m_error = QStringLiteral("the server did not start: ") + output + QString::fromUtf8(log.readAll());
        return false;
    }
    m_error.clear();
    m_started = true;
    return true;
}

PostgresServer::~PostgresServer()
{
    stopNow();
}

bool PostgresServer::runAsServerUser(const QString& program, const QStringList& arguments, QString* output) const
{
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (::geteuid() == 0)
        process.start(QStringLiteral("setpriv"), QStringList{QStringLiteral("--reuid=postgres"),
                                                             QStringLiteral("--regid=postgres"),
                                                             QStringLiteral("--init-groups"), QStringLiteral("--"), program} +
                                                     arguments);
    else
        process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PostgresServer::stopNow()
{
    if (!m_started)
        return true;
    m_started = false;
    QString output;
    return runAsServerUser(m_bin + QStringLiteral("/pg_ctl"),
                           {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-m"),
                            QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")},
                           &output);
}

QString PostgresServer::socketUri(const QString& database, const QString& user) const
{
    return QStringLiteral("postgresql://%1@/%2?host=%3&port=%4").arg(user, database, m_dir.path()).arg(m_port);
}

QString PostgresServer::tcpUri(const QString& database, const QString& user) const
{
    return QStringLiteral("postgresql://%1@127.0.0.1:%2/%3").arg(user).arg(m_port).arg(database);
}

bool PostgresServer::exec(const QString& database, const QString& sql, QString* error) const
{
    const QString name = QStringLiteral("test-pg-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(m_dir.path());
        db.setPort(m_port);
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(database);
        if (!db.open()) {
            *error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            ok = query.exec(sql);
            if (!ok)
                *error = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool PostgresServer::createDatabase(const QString& name, QString* error) const
{
    return exec(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE \"%1\"").arg(name), error);
}

} // namespace tarnwick::testing
