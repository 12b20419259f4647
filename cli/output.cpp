#include "cli/output.h"

#include "cli/commands.h"
#include "core/numbers.h"
#include "report/reportdefinition.h"
#include "store/names.h"
#include "store/results.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonValue>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tarnwick::cli {

namespace {

// A script that asked for JSON gets its errors as JSON too; the first error
// printed is the one that stopped the command.
bool jsonErrors = false;
QString errorMessage;
QString messageStatus;
bool jsonPrinted = false;
// Set when a write to standard output failed (a full disk behind a
// redirection, a closed pipe): the command must not end as a success.
bool outputLost = false;

// A figure as the report shows it; the JSON output keeps the full number.
QString cellText(const QVariant& v, bool stored32Bit)
{
    if (v.isNull())
        return QString();
    if (store::isNumericValue(v)) {
        // A figure that is not finite can only come from a damaged file; it
        // shows empty, as in the JSON output.
        const double x = v.toDouble();
        return std::isfinite(x) ? QString::fromStdString(displayNumberText(x, stored32Bit)) : QString();
    }
    return v.toString();
}

// The fields that the result tables hold as 32-bit numbers, as the report knows them.
bool heldIn32Bits(const QString& field)
{
    for (const report::ReportColumn& column : report::reportColumns()) {
        if (column.field == field)
            return column.stored32Bit;
    }
    return false;
}

// Display width: CJK characters take two columns in a terminal.
int displayWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x1100 ? 2 : 1;
    return width;
}

QString padded(const QString& text, int width)
{
    return text + QString(std::max(0, width - displayWidth(text)), QLatin1Char(' '));
}

} // namespace

QString isoTimeText(const QDateTime& when, bool milliseconds)
{
    // With its offset written out, the time means the same wherever it is
    // read; shown in this computer's time zone.
    const QDateTime local = when.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(milliseconds ? Qt::ISODateWithMs : Qt::ISODate);
}

QJsonValue storedTimeJson(const QVariant& instant, const QString& calculationTime)
{
    // The run's exact moment, to the millisecond; a row stored without one
    // has its calculation time's text read back, to the second.
    const QDateTime exact =
        instant.isNull() ? QDateTime() : QDateTime::fromString(instant.toString(), Qt::ISODateWithMs);
    if (exact.isValid())
        return isoTimeText(exact, true);
    const QDateTime when = store::parseCalculationTime(calculationTime);
    return when.isValid() ? QJsonValue(isoTimeText(when)) : QJsonValue(QJsonValue::Null);
}

namespace {

// The stored fields under names a script can address without quoting;
// efficiencies as fractions, as everywhere in the English keys.
void addEnglishKeys(QJsonObject* object, const QVariant& instant)
{
    namespace names = store::names;
    const std::pair<QString, const char*> plain[] = {
        {names::method(), "method"},
        {names::totalHead(), "totalHead"},
        {names::designFlow(), "flow"},
        {names::staticHead(), "staticHead"},
        {names::selectedModel(), "model"},
        {names::operatingHead(), "operatingHead"},
        {names::operatingFlow(), "operatingFlow"},
    };
    for (const auto& [field, key] : plain)
        object->insert(QLatin1String(key), object->value(field));
    for (const auto& [field, key] : {std::pair{names::bestEfficiency(), "bestEfficiency"},
                                     std::pair{names::operatingEfficiency(), "operatingEfficiency"}}) {
        const QJsonValue v = object->value(field);
        object->insert(QLatin1String(key), v.isDouble() ? fractionJson(v.toDouble()) : QJsonValue(QJsonValue::Null));
    }
    object->insert(QStringLiteral("time"), storedTimeJson(instant, object->value(names::calculationTime()).toString()));
}

} // namespace

void printOut(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    if (std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) != static_cast<size_t>(bytes.size()) ||
        std::fflush(stdout) != 0)
        outputLost = true;
}

bool closeStandardOutput()
{
    // The last bytes may only fail on the close, as with a file on a full disk.
    const bool written = !outputLost && std::fflush(stdout) == 0 && !std::ferror(stdout);
    const bool closed = std::fclose(stdout) == 0;
    if (written && closed)
        return true;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    const QByteArray text =
        QCoreApplication::translate("tarnwick::cli", "无法写入标准输出（%1），输出不完整。\n").arg(reason).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
    std::fflush(stderr);
    return false;
}

void printError(const QString& text)
{
    if (errorMessage.isEmpty())
        errorMessage = text.trimmed();
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void printUsageError(const QString& message, const QString& command)
{
    if (errorMessage.isEmpty())
        errorMessage = message.trimmed();
    const QString help =
        command.isEmpty() ? QStringLiteral("tarnwick-cli help") : QStringLiteral("tarnwick-cli help ") + command;
    printError(message.trimmed() + QCoreApplication::translate("tarnwick::cli", "\n用法见 “%1”。\n").arg(help));
}

void setJsonErrors(bool on)
{
    jsonErrors = on;
    jsonPrinted = false;
    errorMessage.clear();
    messageStatus.clear();
}

QString statusOk()
{
    return QStringLiteral("ok");
}
QString statusRejected()
{
    return QStringLiteral("rejected");
}
QString statusNoneFound()
{
    return QStringLiteral("none-found");
}
QString statusError()
{
    return QStringLiteral("error");
}

bool jsonRequested()
{
    return jsonErrors;
}

void printJsonResult(const QString& status, QJsonObject object)
{
    object.insert(QStringLiteral("status"), status);
    if (!object.contains(QStringLiteral("message")))
        object.insert(QStringLiteral("message"), QJsonValue::Null);
    jsonPrinted = true;
    printOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

void printMessage(const QString& text, const QString& status)
{
    if (messageStatus.isEmpty())
        messageStatus = status;
    printError(text.endsWith(QLatin1Char('\n')) ? text : text + QLatin1Char('\n'));
}

void finishWithStatus(int status)
{
    // A command that printed its own object has said everything.
    if (!jsonErrors || jsonPrinted)
        return;
    QString name = statusOk();
    if (status == kUsageOrDatabase)
        name = statusError();
    else if (status == kProgramMessage)
        name = messageStatus.isEmpty() ? statusRejected() : messageStatus;
    printJsonResult(name, QJsonObject{{QStringLiteral("message"), errorMessage.isEmpty() ? QJsonValue(QJsonValue::Null)
                                                                                         : QJsonValue(errorMessage)}});
}

QJsonArray resultRowsJson(const store::RowSet& rows)
{
    QJsonArray array;
    const QStringList fields = store::names::resultFields();
    for (int row = 0; row < rows.snapshotSize(); ++row) {
        if (rows.isDeleted(row))
            continue;
        QJsonObject object;
        for (const QString& field : fields) {
            const int column = rows.fieldIndex(field);
            const QVariant v = column >= 0 ? rows.valueAt(row, column) : QVariant();
            if (v.isNull())
                object.insert(field, QJsonValue::Null);
            else if (store::isNumericValue(v))
                object.insert(field,
                              std::isfinite(v.toDouble()) ? QJsonValue(v.toDouble()) : QJsonValue(QJsonValue::Null));
            else
                object.insert(field, v.toString());
        }
        addEnglishKeys(&object, rows.instantAt(row));
        array.append(object);
    }
    return array;
}

QString resultRowsTable(const store::RowSet& rows)
{
    const QStringList fields = store::names::resultFields();
    QList<QStringList> lines;
    lines.append(fields);
    for (int row = 0; row < rows.snapshotSize(); ++row) {
        if (rows.isDeleted(row))
            continue;
        QStringList cells;
        for (const QString& field : fields) {
            const int column = rows.fieldIndex(field);
            cells.append(column >= 0 ? cellText(rows.valueAt(row, column), heldIn32Bits(field)) : QString());
        }
        lines.append(cells);
    }
    return alignedColumns(lines);
}

QString alignedColumns(const QList<QStringList>& lines)
{
    QList<int> widths;
    for (const QStringList& line : lines) {
        for (int i = 0; i < line.size(); ++i) {
            if (widths.size() <= i)
                widths.append(0);
            widths[i] = std::max(widths[i], displayWidth(line[i]));
        }
    }
    QString out;
    for (const QStringList& line : lines) {
        QString text;
        for (int i = 0; i < line.size(); ++i)
            text += padded(line[i], widths[i]) + (i + 1 < line.size() ? QStringLiteral("  ") : QString());
        out += text.trimmed() + QLatin1Char('\n');
    }
    return out;
}

OutputTarget::OutputTarget(const QString& argument, const QString& fileName)
{
    if (!namesStandardOutput(argument)) {
        m_path = argument;
        return;
    }
    QTemporaryDir folder;
    if (!folder.isValid())
        return;
    folder.setAutoRemove(false);
    m_folder = folder.path();
    m_path = QDir(m_folder).filePath(fileName);
}

OutputTarget::~OutputTarget()
{
    if (!m_folder.isEmpty())
        QDir(m_folder).removeRecursively();
}

bool OutputTarget::finish(QString* error)
{
    if (!toStandardOutput())
        return true;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error =
            QCoreApplication::translate("tarnwick::cli", "无法读取临时文件 %1：%2").arg(m_path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) !=
            static_cast<size_t>(bytes.size()) ||
        std::fflush(stdout) != 0)
        outputLost = true;
    return true;
}

QJsonValue fractionJson(double percent)
{
    return std::isfinite(percent) ? QJsonValue(percent / 100.0) : QJsonValue(QJsonValue::Null);
}

QJsonArray stringsJson(const QStringList& texts)
{
    QJsonArray array;
    for (const QString& t : texts)
        array.append(t);
    return array;
}

} // namespace tarnwick::cli
