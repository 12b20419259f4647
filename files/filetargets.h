#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QSaveFile;

// Output files are written beside their target and renamed over it. Renamed
// over the database in use, or over another output of the same command, the
// rename would silently destroy it; these checks refuse such a target first.
namespace tarnwick::files {

// Whether two paths name one file: the same file through a symbolic or hard
// link or another spelling, or, where a file does not exist yet, the same
// place once created. Looks at metadata only, never opens either file.
bool sameFile(const QString& a, const QString& b);

// A database file in use, and the files its engine keeps beside it while it
// writes, each named by the database file's name and a suffix.
struct DatabaseFiles
{
    QString path;
    QStringList sideSuffixes;
};

// A message naming the path when one of `outputs` is the database file (or
// one of the files beside it) or two outputs are the same file; nothing when
// all may be written. An empty database path checks the outputs only.
std::optional<QString> outputTargetConflict(const QStringList& outputs, const DatabaseFiles& database);

// A message when `path` cannot serve as a file to read from: missing, or not
// a regular file (a folder, a device such as /dev/zero, a pipe that would
// wait for a writer). Nothing when it can be read.
std::optional<QString> inputFileProblem(const QString& path);

// The one message for an output file that cannot be written: the file by
// its native path, and the system's words for why.
QString cannotWriteFile(const QString& path, const QString& reason);

// Finishes an output written through QSaveFile: the last buffered bytes
// written and checked, the file on the disk, then renamed over its target.
// False when any of it failed (a full disk, a quota): the temporary file is
// removed and an existing target stays as it was. QSaveFile's own commit
// does not notice a failure of that last flush, which would leave a
// truncated file in place of the old one.
// `reason` gets the system's words for the failure.
bool commitOutput(QSaveFile& file, QString* reason = nullptr);
// The first half of it, for outputs that are to replace their targets
// together: false, with the file discarded, when the bytes did not all
// reach the disk.
bool flushOutput(QSaveFile& file, QString* reason = nullptr);

} // namespace tarnwick::files
