#include "data/csvtable.h"

#include "files/csv.h"

#include <QDir>
#include <QFile>

namespace tarnwick::dataset {

namespace {

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

} // namespace

QString csvLineText(const QString& file, int line)
{
    return file + QStringLiteral(" 第 ") + QString::number(line) + QStringLiteral(" 行：");
}

std::optional<CsvTable> readCheckedCsv(const QString& sourceDir, const QString& file, const QStringList& columns,
                                       QString* error)
{
    QString message;
    std::optional<CsvTable> table = readCsvFile(QDir(sourceDir).filePath(file), &message);
    if (!table) {
        setError(error, file + QStringLiteral(": ") + message);
        return std::nullopt;
    }
    if (table->header != columns) {
        setError(error, file + QStringLiteral(": the header must be ") + columns.join(QLatin1Char(',')));
        return std::nullopt;
    }
    for (qsizetype i = 0; i < table->rows.size(); ++i) {
        if (table->rows[i].size() != columns.size()) {
            setError(error,
                     csvLineText(file, table->lines[i]) +
                         QStringLiteral("expected %1 fields, found %2").arg(columns.size()).arg(table->rows[i].size()));
            return std::nullopt;
        }
    }
    return table;
}

std::optional<CsvTable> readCsvFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    return parseCsv(file.readAll(), error);
}

std::optional<CsvTable> parseCsv(const QByteArray& bytes, QString* error)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1); // a byte-order mark is not part of the first name
    QList<files::CsvRecord> records;
    QString message;
    if (!files::parseCsv(text, &records, &message)) {
        setError(error, message);
        return std::nullopt;
    }
    if (records.isEmpty()) {
        setError(error, QStringLiteral("the file is empty"));
        return std::nullopt;
    }
    CsvTable table;
    table.header = records.first().fields;
    for (qsizetype r = 1; r < records.size(); ++r) {
        table.rows << records[r].fields;
        table.lines << records[r].line;
    }
    return table;
}

} // namespace tarnwick::dataset
