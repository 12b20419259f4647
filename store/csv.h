#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tarnwick::store {

struct CsvRecord
{
    QStringList fields;
    int line = 0; // the line the record starts on, from 1
};

// Parses RFC 4180 text: fields separated by commas, records by CR LF or LF; a
// field in double quotes may hold commas, doubled quotes and line breaks. An
// unquoted empty field comes back as a null QString, a quoted one ("") as an
// empty one, so a reader can tell "no value" from "empty text". Blank lines
// are skipped.
bool parseCsv(const QString& text, QList<CsvRecord>* records, QString* error);

// One field, quoted when it holds a comma, a quote, a line break or leading or
// trailing blanks, or when it is empty but not null.
QString csvField(const QString& value);
// One record with its CR LF.
QString csvRecord(const QStringList& fields);

} // namespace tarnwick::store
