// The Access import on damaged files.
//
// Each input is written as an Access file into a private folder and converted
// by the same routine `tarnwick-cli import-mdb` runs, in this process, with
// the program's tables not required (so that any file whose tables can be read
// goes all the way to the renamed target). Inputs are cut to whole pages of the
// size their header names, as any real file is; shorter ones go in as they are.
// Besides crashes and sanitizer reports: the folder holds nothing but the input
// (and the target of a successful conversion) afterwards, no database
// connection stays registered and no file stays open.
//
// With FUZZ_ACCESS_DESCRIBE set in the environment the outcome of each input
// is printed.

#include "store/import/accessimport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace tarnwick::import;

namespace {

// The application object lives until the process ends: destroying it after
// Qt's own statics are gone crashes.
QCoreApplication* application = nullptr;
std::string folderPath;
QStringList startupFiles;

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "fuzz_access: %s\n", what.toLocal8Bit().constData());
    std::abort();
}

// The files this process holds open. Pipes and other descriptors without a
// path are not counted: the sanitizers' symbolizer keeps pipes open once it
// has been started.
QStringList openFiles()
{
    QStringList open;
    DIR* dir = ::opendir("/proc/self/fd");
    if (!dir)
        return open;
    while (const dirent* entry = ::readdir(dir)) {
        char target[4096];
        const std::string link = std::string("/proc/self/fd/") + entry->d_name;
        const ssize_t n = ::readlink(link.c_str(), target, sizeof(target) - 1);
        if (n <= 0 || target[0] != '/')
            continue;
        const QString path = QString::fromLocal8Bit(target, n);
        if (!path.startsWith(QStringLiteral("/proc/")) && path != QStringLiteral("/dev/null"))
            open.append(path);
    }
    ::closedir(dir);
    return open;
}

// Jet 3 files are made of 2048-byte pages, later ones of 4096-byte pages.
qsizetype wholePages(const std::uint8_t* data, std::size_t size)
{
    const qsizetype page = (size > 0x14 && data[0x14] == 0) ? 2048 : 4096;
    const auto n = static_cast<qsizetype>(size);
    return n >= 2 * page ? n - n % page : n;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    application = new QCoreApplication(*argc, *argv);
    // A memory file system keeps the final flush of each conversion cheap.
    // scripts/fuzz names a folder that it removes afterwards, so that what a
    // crashed run leaves behind goes too.
    QString base = qEnvironmentVariable("FUZZ_ACCESS_FOLDER");
    if (base.isEmpty())
        base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    QTemporaryDir folder(base + QStringLiteral("/tarnwick-fuzz-access-XXXXXX"));
    if (!folder.isValid())
        fail(QStringLiteral("no temporary folder"));
    folder.setAutoRemove(false);
    folderPath = QFile::encodeName(folder.path()).toStdString();
    // Removed without Qt, which may be gone by the time the process ends.
    std::atexit([] { std::filesystem::remove_all(folderPath); });
    // Output sent to a file, say, is open before any input is read.
    startupFiles = openFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QDir dir(QFile::decodeName(folderPath.c_str()));
    const QString input = dir.filePath(QStringLiteral("input.mdb"));
    const QString target = dir.filePath(QStringLiteral("converted.sqlite"));
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fail(QStringLiteral("cannot write the input"));
        file.write(reinterpret_cast<const char*>(data), wholePages(data, size));
    }

    AccessImportOptions options;
    options.requireProgramTables = false;
    const auto summary = importAccessDatabase(input, target, options);
    if (std::getenv("FUZZ_ACCESS_DESCRIBE"))
        std::fprintf(stderr, "%s\n", (summary ? summaryText(summary.value()) : summary.error()).toLocal8Bit().constData());
    if (summary) {
        (void)summaryText(summary.value());
        if (!QFile::exists(target))
            fail(QStringLiteral("conversion reported success without a target"));
    } else {
        if (summary.error().isEmpty())
            fail(QStringLiteral("failure without a message"));
        if (QFile::exists(target))
            fail(QStringLiteral("failed conversion left a target: ") + summary.error());
    }
    QFile::remove(target);

    const QStringList left = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (left != QStringList{QStringLiteral("input.mdb")})
        fail(QStringLiteral("files left behind: ") + left.join(QStringLiteral(", ")));
    if (!QSqlDatabase::connectionNames().isEmpty())
        fail(QStringLiteral("database connection left open: ") + QSqlDatabase::connectionNames().join(QStringLiteral(", ")));
    QStringList files = openFiles();
    for (const QString& file : std::as_const(startupFiles))
        files.removeOne(file);
    if (!files.isEmpty())
        fail(QStringLiteral("files left open: ") + files.join(QStringLiteral(", ")));
    return 0;
}
