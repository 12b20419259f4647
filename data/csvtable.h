#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarnwick::dataset {

// An RFC 4180 file: the header row, the data rows, and the line on which each
// data row starts (for messages).
struct CsvTable
{
    QStringList header;
    QList<QStringList> rows;
    QList<int> lines;
};

// Reads a UTF-8 CSV file (fields quoted with '"' where they hold a comma, a
// quote or a line break; LF or CR LF line ends).
std::optional<CsvTable> readCsvFile(const QString& path, QString* error);
std::optional<CsvTable> parseCsv(const QByteArray& bytes, QString* error);

// Reads `file` below `sourceDir` and checks that its header is `columns` and
// that every row has that many fields; messages name the file and the line.
std::optional<CsvTable> readCheckedCsv(const QString& sourceDir, const QString& file, const QStringList& columns,
                                       QString* error);

// "file 第 n 行：", the start of a message about one line of a source file.
QString csvLineText(const QString& file, int line);

} // namespace tarnwick::dataset
