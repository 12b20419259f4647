#include "store/csv.h"

namespace tarnwick::store {

bool parseCsv(const QString& text, QList<CsvRecord>* records, QString* error)
{
    records->clear();
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    while (i < n) {
        CsvRecord record;
        record.line = line;
        bool endOfRecord = false;
        while (!endOfRecord) {
            QString field;
            if (i < n && text[i] == QLatin1Char('"')) {
                const int quoteLine = line;
                field = QStringLiteral("");
                ++i;
                while (true) {
                    if (i >= n) {
                        *error = QStringLiteral("第 %1 行：引号开始的字段直到文件结尾都没有结束。").arg(quoteLine);
                        return false;
                    }
                    const QChar c = text[i];
                    if (c == QLatin1Char('"')) {
                        if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                            field += QLatin1Char('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (c == QLatin1Char('\n'))
                        ++line;
                    field += c;
                    ++i;
                }
                if (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\n') &&
                    !(text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))) {
                    *error = QStringLiteral("第 %1 行：引号结束后、逗号之前还有字符。").arg(line);
                    return false;
                }
            } else {
                const qsizetype start = i;
                while (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\n') &&
                       !(text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))) {
                    if (text[i] == QLatin1Char('"')) {
                        *error = QStringLiteral("第 %1 行：字段中间有引号；含引号的字段须整个用引号括起，"
                                                "其中的引号写两遍。")
                                     .arg(line);
                        return false;
                    }
                    ++i;
                }
                if (i > start)
                    field = text.sliced(start, i - start);
            }
            record.fields.append(field);
            if (i >= n) {
                endOfRecord = true;
            } else if (text[i] == QLatin1Char(',')) {
                ++i;
            } else {
                i += text[i] == QLatin1Char('\r') ? 2 : 1;
                ++line;
                endOfRecord = true;
            }
        }
        const bool blank = record.fields.size() == 1 && record.fields.first().isNull();
        if (!blank)
            records->append(record);
    }
    return true;
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

} // namespace tarnwick::store
