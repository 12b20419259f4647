#include "catalogueeditor/pointpaste.h"

#include "catalogueeditor/editortexts.h"

#include <QStringList>

#include <cmath>

namespace tarnwick {

std::optional<double> parseDecimal(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    // A comma is the decimal separator only when there is no point.
    if (t.contains(QLatin1Char(',')) && !t.contains(QLatin1Char('.')) && t.count(QLatin1Char(',')) == 1)
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = t.toDouble(&ok);
    // "inf" and "nan" read as numbers but are none a catalogue can hold.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Expected<QList<QList<double>>, QString> parsePastedRows(const QString& text)
{
    using Result = Expected<QList<QList<double>>, QString>;
    QList<QList<double>> rows;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = normalised.split(QLatin1Char('\n'));
    bool firstLine = true;
    qsizetype width = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        QStringList cells = line.split(QLatin1Char('\t'));
        while (cells.size() > 1 && cells.constLast().trimmed().isEmpty())
            cells.removeLast();
        QList<double> values;
        bool numbers = true;
        for (const QString& cell : std::as_const(cells)) {
            const std::optional<double> value = parseDecimal(cell);
            if (!value) {
                numbers = false;
                break;
            }
            values.append(*value);
        }
        if (!numbers && firstLine) {
            firstLine = false; // a header row
            continue;
        }
        firstLine = false;
        if (!numbers)
            return Result::failure(editortext::pasteNotNumbers().arg(i + 1).arg(line.simplified()));
        if (values.size() > 3)
            return Result::failure(editortext::pasteTooManyColumns().arg(i + 1).arg(values.size()));
        if (width >= 0 && values.size() != width)
            return Result::failure(editortext::pasteUnevenColumns().arg(i + 1).arg(values.size()).arg(width));
        width = values.size();
        rows.append(values);
    }
    if (rows.isEmpty())
        return Result::failure(editortext::pasteNothing());
    return rows;
}

} // namespace tarnwick
