#pragma once

#include "core/expected.h"
#include "store/dbcopy.h"
#include "store/import/accessfile.h"

#include <QList>
#include <functional>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace tarnwick::import {

// What one table brought over.
struct ImportedTable
{
    QString name;
    qint64 rows = 0;
    int pictures = 0;     // OLE values unwrapped to image files
    int otherObjects = 0; // OLE values kept as they were
};

struct AccessImportSummary
{
    QString source;
    QString target;
    QString format;       // "Access 97（Jet 3）", ...
    QString textEncoding; // iconv name of the code page, or UCS-2LE
    QList<ImportedTable> tables;
    AccessReadNotes notes;
    bool pumpViewCreated = false;
    // What the catalogue rules find in the converted catalogue. The file is
    // converted all the same: it was the user's database, and the design and
    // check skip pumps they cannot use.
    QStringList catalogueFindings;

    qint64 rows() const;
    int pictures() const;
};

// Told as the copy goes on: the table being copied (1-based) of how many, its
// name and the rows copied from it so far.
using AccessImportProgress = std::function<void(int table, int tables, const QString& name, qint64 rows)>;

struct AccessImportOptions
{
    // Overrides the code page of a Jet 3 file ("936", "GBK"); empty: the file's own.
    QString textEncoding;
    // Refuse a file that lacks the program's tables and fields.
    bool requireProgramTables = true;
    AccessImportProgress progress;
};

// The SQLite column type an Access column is created with.
QString sqliteColumnType(const AccessColumn& column);

// Copies every user table of the Access file into the open SQLite database:
// each table with its columns in order and its rows in stored order, values
// mapped as AccessRow describes, OLE pictures unwrapped. Runs in one
// transaction; the program's tables are not checked.
Expected<AccessImportSummary, QString> copyAccessTables(AccessFile& file, QSqlDatabase target,
                                                        const AccessImportProgress& progress = {});
Expected<AccessImportSummary, QString> copyAccessFile(const QString& accessPath, QSqlDatabase target,
                                                      const QString& textEncoding = {});

// The program's tables and fields the database lacks, one line per table
// ("缺少表“流扬功”", "表“公司资料”缺少字段“公司图片”"); empty when it has them all.
QStringList missingProgramTables(const QSqlDatabase& db);

// The data-sheet view and the points index, made as on any database.
using store::createPumpView;

// Converts an Access file into a new database of the program at `target`:
// every table copied, the program's tables checked, the view recreated. The
// target appears complete or not at all, and an existing file is never
// replaced.
Expected<AccessImportSummary, QString> importAccessDatabase(const QString& source, const QString& target,
                                                            const AccessImportOptions& options = {});

// What was carried over, as the command-line tool prints it.
QString summaryText(const AccessImportSummary& summary);

} // namespace tarnwick::import
