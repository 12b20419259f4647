#include "files/csv.h"

#include <QCoreApplication>

namespace tarnwick::files {

CsvParser::CsvParser(Sink sink) : m_sink(std::move(sink)) {}

bool CsvParser::fail(QString* error, const QString& message)
{
    m_failed = true;
    if (error)
        *error = message;
    return false;
}

bool CsvParser::endField()
{
    m_record.fields.append(m_field);
    m_field = QString();
    m_state = State::FieldStart;
    return true;
}

bool CsvParser::endRecord()
{
    endField();
    const bool blank = m_record.fields.size() == 1 && m_record.fields.first().isNull();
    CsvRecord record = std::move(m_record);
    m_record = CsvRecord();
    m_recordOpen = false;
    ++m_line;
    if (blank)
        return true;
    return m_sink(std::move(record));
}

bool CsvParser::feed(QStringView chunk, QString* error)
{
    return consume(chunk, false, error);
}

bool CsvParser::finish(QString* error)
{
    if (!consume(QStringView(), true, error))
        return false;
    if (m_state == State::Quoted)
        return fail(error,
                    QCoreApplication::translate("tarnwick::files", "第 %1 行：引号开始的字段直到文件结尾都没有结束。")
                        .arg(m_quoteLine));
    if (m_recordOpen) {
        const int line = m_line;
        if (!endRecord())
            return fail(error, QString());
        m_line = line;
    }
    return true;
}

bool CsvParser::consume(QStringView chunk, bool last, QString* error)
{
    if (m_failed)
        return false;
    // A quote or a carriage return at the end of a piece is decided by the
    // character after it, so it waits for the next piece.
    QString joined;
    QStringView text = chunk;
    if (!m_held.isNull()) {
        joined = QString(m_held) + chunk;
        text = joined;
        m_held = QChar();
    }
    qsizetype end = text.size();
    if (!last && end > 0 && (text[end - 1] == QLatin1Char('"') || text[end - 1] == QLatin1Char('\r'))) {
        m_held = text[end - 1];
        --end;
    }
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < end; ++i) {
        const QChar c = text[i];
        const bool crlf = c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n');
        const bool lineEnd = c == QLatin1Char('\n') || crlf;
        // A record ends at LF or CR LF; the CR LF is taken whole.
        auto endLine = [&] {
            if (crlf)
                ++i;
            return endRecord();
        };
        if (!m_recordOpen) {
            m_recordOpen = true;
            m_record.line = m_line;
        }
        switch (m_state) {
        case State::FieldStart:
            if (c == QLatin1Char('"')) {
                m_field = QStringLiteral("");
                m_quoteLine = m_line;
                m_state = State::Quoted;
            } else if (c == QLatin1Char(',')) {
                endField();
            } else if (lineEnd) {
                if (!endLine())
                    return fail(error, QString());
            } else {
                m_field = QString(c);
                m_state = State::Unquoted;
            }
            break;
        case State::Unquoted:
            if (c == QLatin1Char('"'))
                return fail(error, QCoreApplication::translate(
                                       "tarnwick::files", "第 %1 行：字段中间有引号；含引号的字段须整个用引号括起，"
                                                          "其中的引号写两遍。")
                                       .arg(m_line));
            if (c == QLatin1Char(',')) {
                endField();
            } else if (lineEnd) {
                if (!endLine())
                    return fail(error, QString());
            } else {
                m_field += c;
            }
            break;
        case State::Quoted:
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    m_field += QLatin1Char('"');
                    ++i;
                } else {
                    m_state = State::AfterQuote;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++m_line;
                m_field += c;
            }
            break;
        case State::AfterQuote:
            if (c == QLatin1Char(',')) {
                endField();
            } else if (lineEnd) {
                if (!endLine())
                    return fail(error, QString());
            } else {
                return fail(error,
                            QCoreApplication::translate("tarnwick::files", "第 %1 行：引号结束后、逗号之前还有字符。")
                                .arg(m_line));
            }
            break;
        }
    }
    return true;
}

bool parseCsv(const QString& text, QList<CsvRecord>* records, QString* error)
{
    records->clear();
    CsvParser parser([records](CsvRecord&& record) {
        records->append(std::move(record));
        return true;
    });
    return parser.feed(text, error) && parser.finish(error);
}

QString csvField(const QString& value)
{
    if (value.isNull())
        return QString();
    const bool needsQuotes = value.isEmpty() || value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                             value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
                             value.front().isSpace() || value.back().isSpace();
    if (!needsQuotes)
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvRecord(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted.append(csvField(field));
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace tarnwick::files
