#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Ran
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Ran run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(), int timeoutMs = 300000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Ran ran;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return ran;
    }
    ran.out = process.readAllStandardOutput();
    ran.err = process.readAllStandardError();
    if (process.exitStatus() == QProcess::NormalExit)
        ran.exitCode = process.exitCode();
    return ran;
}

// Every file under the root with its content's digest.
QMap<QString, QByteArray> tree(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(path, file.open(QIODevice::ReadOnly)
                               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                               : QByteArray());
    }
    return files;
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void unpackedToolUsesTheUsersCopy();
    void dependsOnWhatQtLoadsAtRunTime();
    void lintianFindsNoErrors();

private:
    QTemporaryDir m_dir;
    QString m_deb;
    QString m_root;
};

void TestPackage::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dpkg-deb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("dpkg-shlibdeps")).isEmpty())
        QSKIP("dpkg-deb and dpkg-shlibdeps are needed to build the package");
    QVERIFY(m_dir.isValid());
    // The package is made from the programs this build already holds.
    const QString output = m_dir.filePath(QStringLiteral("package"));
    const Ran cpack = run(QStringLiteral(TARNWICK_CPACK),
                          {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                           QStringLiteral(TARNWICK_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), output});
    QVERIFY2(cpack.exitCode == 0, QByteArray(cpack.out + cpack.err).constData());
    const QStringList debs = QDir(output).entryList({QStringLiteral("tarnwick_*.deb")}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    m_deb = output + QLatin1Char('/') + debs.first();
    m_root = m_dir.filePath(QStringLiteral("root"));
    const Ran unpack = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_deb, m_root});
    QVERIFY2(unpack.exitCode == 0, unpack.err.constData());
}

void TestPackage::unpackedToolUsesTheUsersCopy()
{
    const QString tool = m_root + QStringLiteral("/usr/bin/tarnwick-cli");
    const QString shipped = m_root + QStringLiteral("/usr/share/tarnwick/水泵数据库97.mdb");
    QVERIFY(QFile::exists(tool));
    QVERIFY(QFile::exists(shipped));
    for (const QString& file :
         {QStringLiteral("/usr/bin/tarnwick"), QStringLiteral("/usr/share/applications/org.tarnwick.tarnwick.desktop"),
          QStringLiteral("/usr/share/icons/hicolor/scalable/apps/tarnwick.svg"),
          QStringLiteral("/usr/share/icons/hicolor/48x48/apps/tarnwick.png"),
          QStringLiteral("/usr/share/metainfo/org.tarnwick.tarnwick.metainfo.xml"),
          QStringLiteral("/usr/share/man/man1/tarnwick-cli.1.gz"), QStringLiteral("/usr/share/man/man1/tarnwick.1.gz"),
          QStringLiteral("/usr/share/man/zh_CN/man1/tarnwick-cli.1.gz"),
          QStringLiteral("/usr/share/man/zh_CN/man1/tarnwick.1.gz"),
          QStringLiteral("/usr/share/bash-completion/completions/tarnwick-cli"),
          QStringLiteral("/usr/share/zsh/vendor-completions/_tarnwick-cli")})
        QVERIFY2(QFile::exists(m_root + file), qPrintable(file));
    const auto before = tree(m_root);
    // The shipped file is in rollback-journal mode (header bytes 18 and 19
    // are 1): a file in write-ahead-log mode cannot be read from a folder
    // no one may write.
    QFile shippedFile(shipped);
    QVERIFY(shippedFile.open(QIODevice::ReadOnly));
    QCOMPARE(shippedFile.read(20).mid(18, 2), QByteArray("\x01\x01", 2));
    shippedFile.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString home = m_dir.filePath(QStringLiteral("home"));
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("TARNWICK_DB"));
    const Ran design =
        run(tool,
            {QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("100"), QStringLiteral("--resistance"),
             QStringLiteral("30"), QStringLiteral("--static-head"), QStringLiteral("0"), QStringLiteral("--json")},
            env, 60000);
    QVERIFY2(design.exitCode == 0, design.err.constData());
    const QJsonObject json = QJsonDocument::fromJson(design.out).object();
    QCOMPARE(json.value(QStringLiteral("status")).toString(), QStringLiteral("ok"));
    const int rows = int(json.value(QStringLiteral("rows")).toArray().size());
    QVERIFY(rows > 0);

    // The rows went into the user's copy; the unpacked tree is as unpacked.
    const QString copy = home + QStringLiteral("/.local/share/tarnwick/水泵数据库97.mdb");
    QVERIFY(QFile::exists(copy));
    QCOMPARE(tree(m_root), before);
    const Ran results = run(
        tool,
        {QStringLiteral("results"), QStringLiteral("--all"), QStringLiteral("--json"), QStringLiteral("--db"), copy},
        env, 60000);
    QCOMPARE(results.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(results.out).object().value(QStringLiteral("rows")).toArray().size(), rows);
    const Ran version = run(tool, {QStringLiteral("--version")}, env, 60000);
    QVERIFY2(QString::fromUtf8(version.out).contains(copy), version.out.constData());
}

void TestPackage::dependsOnWhatQtLoadsAtRunTime()
{
    const Ran depends = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), m_deb, QStringLiteral("Depends")});
    QCOMPARE(depends.exitCode, 0);
    // The SQLite driver and the platform plug-ins are loaded, not linked.
    for (const char* package : {"libqt6sql6-sqlite", "qt6-qpa-plugins", "libqt6widgets6", "libqt6svg6"})
        QVERIFY2(depends.out.contains(package), depends.out.constData());
}

void TestPackage::lintianFindsNoErrors()
{
    // The test set-up installs lintian (scripts/install-deps); a machine
    // built by hand may lack it.
    if (QStandardPaths::findExecutable(QStringLiteral("lintian")).isEmpty())
        QSKIP("lintian is not installed (scripts/install-deps installs it)");
    const Ran lintian = run(QStringLiteral("lintian"), {QStringLiteral("-I"), QStringLiteral("--pedantic"),
                                                        QStringLiteral("--fail-on"), QStringLiteral("error"), m_deb});
    QVERIFY2(lintian.exitCode == 0, QByteArray(lintian.out + lintian.err).constData());
    // The programs resolve and protect their relocations at start, are position-independent, fortified and
    // guard their stacks; the manual pages format cleanly.
    for (const char* tag : {"hardening-", "groff-message", "manpage-has-errors-from-man", "bad-whatis-entry"})
        QVERIFY2(!lintian.out.contains(tag), lintian.out.constData());
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
