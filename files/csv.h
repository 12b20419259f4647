#pragma once

#include <QList>
#include <QStringView>
#include <QString>
#include <QStringList>

#include <functional>

namespace tarnwick::files {

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

// The same parser fed piece by piece, for files too long to hold: each record
// goes to the sink as soon as it is complete (a sink that returns false stops
// the parse, with an empty error). Pieces may split a record anywhere.
class CsvParser
{
public:
    using Sink = std::function<bool(CsvRecord&&)>;
    explicit CsvParser(Sink sink);
    bool feed(QStringView text, QString* error);
    // The end of the text: the last record, or the error of an open quote.
    bool finish(QString* error);

private:
    enum class State { FieldStart, Unquoted, Quoted, AfterQuote };
    bool consume(QStringView text, bool last, QString* error);
    bool endField();
    bool endRecord();
    bool fail(QString* error, const QString& message);

    Sink m_sink;
    State m_state = State::FieldStart;
    QString m_field;
    CsvRecord m_record;
    QChar m_held;
    int m_line = 1;
    int m_quoteLine = 0;
    bool m_recordOpen = false;
    bool m_failed = false;
};

// One field, quoted when it holds a comma, a quote, a line break or leading or
// trailing blanks, or when it is empty but not null.
QString csvField(const QString& value);
// One record with its CR LF.
QString csvRecord(const QStringList& fields);

} // namespace tarnwick::files
