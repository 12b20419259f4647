#include "store/results.h"

#include "store/names.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlDatabase>

namespace tarnwick::store {

namespace {

// The system's time format with its seconds, without a time zone.
QString timeFormatWithSeconds(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    QString cleaned;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        cleaned.append(c);
    }
    cleaned = cleaned.trimmed();
    if (!cleaned.contains(QLatin1Char('s')))
        cleaned = QStringLiteral("HH:mm:ss");
    return cleaned;
}

} // namespace

QString calculationTimeText(const QDateTime& when)
{
    const QLocale locale = QLocale::system();
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), timeFormatWithSeconds(locale));
}

namespace {

QDateTime parsedIn(const QLocale& locale, const QString& text)
{
    const QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    QDateTime when = locale.toDateTime(text, dateFormat + QLatin1Char(' ') + timeFormatWithSeconds(locale));
    // A two-digit year reads as 19xx; the program stores no rows from then.
    if (when.isValid() && !dateFormat.contains(QStringLiteral("yyyy")) && when.date().year() < 1970)
        when = when.addYears(100);
    return when;
}

} // namespace

QDateTime parseCalculationTime(const QString& text)
{
    QDateTime when = parsedIn(QLocale::system(), text);
    // Rows written under another locale still read when they are ISO-like.
    if (!when.isValid())
        when = QDateTime::fromString(text, Qt::ISODate);
    // Or when they were written in one of the locales the program is run
    // in: its users' Chinese, the English of build machines and the C locale
    // of services. Their short formats differ in order or separators, so a
    // text reads in at most one of them.
    for (const QLocale& locale :
         {QLocale(QLocale::Chinese, QLocale::China), QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
          QLocale(QLocale::English, QLocale::UnitedKingdom)}) {
        if (when.isValid())
            break;
        when = parsedIn(locale, text);
    }
    return when;
}

QString calculationInstantText(const QDateTime& when)
{
    return when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz'Z'"));
}

RunTime runTime(const QDateTime& when)
{
    return {calculationTimeText(when), calculationInstantText(when)};
}

RunTime runTimeNow()
{
    return runTime(QDateTime::currentDateTime());
}

bool deleteAllRows(RowSet& rows, QString* error)
{
    if (!rows.requery()) {
        if (error)
            *error = rows.lastError();
        return false;
    }
    if (rows.eof())
        return true;
    rows.moveLast();
    const int n = rows.recordCount();
    rows.moveFirst();
    for (int i = 0; i < n; ++i) {
        if (!rows.deleteCurrent()) {
            if (error)
                *error = rows.lastError();
            return false;
        }
        rows.moveNext();
    }
    return true;
}

bool clearCurrentResults(RowSet& latestRows, QString* error)
{
    auto failed = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (!latestRows.requery())
        return failed(latestRows.lastError());
    if (latestRows.eof())
        return true;

    // The rows are counted and deleted inside the transaction, which holds
    // the write lock: rows another program wrote meanwhile go as well.
    QString deleteError;
    QString transactionError;
    auto work = [&] {
        return lockLatestResults(latestRows.connectionDatabase(), &deleteError) && deleteAllRows(latestRows, &deleteError);
    };
    if (!inTransaction(latestRows.connectionDatabase(), work, &transactionError)) {
        const QString message = deleteError.isEmpty() ? transactionError : deleteError;
        latestRows.requery();
        return failed(QCoreApplication::translate("tarnwick::store", "清空“%1”失败：%2")
                          .arg(names::latestResultsTable(), message));
    }
    if (!latestRows.requery())
        return failed(latestRows.lastError());
    return true;
}

ResultInserter::ResultInserter(const RowSet& rows, bool withInstant)
    : m_table(rows.source()), m_withInstant(withInstant)
{
    QStringList columns;
    QStringList marks;
    QStringList fields = names::resultFields();
    if (withInstant)
        fields.append(names::calculationInstant());
    for (const QString& field : std::as_const(fields)) {
        columns.append(quotedName(field));
        marks.append(QStringLiteral("?"));
    }
    m_insert = std::make_unique<PreparedInsert>(
        rows.connectionDatabase(), QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(quotedName(m_table), columns.join(QStringLiteral(", ")),
                                            marks.join(QStringLiteral(", "))));
}

ResultInserter::~ResultInserter() = default;

bool ResultInserter::insert(const SelectionResult& result, const RunTime& time, QString* error)
{
    // The values and their types as a single row is stored.
    QVariantList values = {time.text,
                           QString::fromStdString(result.method),
                           result.resistance,
                           result.flow,
                           static_cast<double>(result.staticHead),
                           QString::fromStdString(result.model),
                           static_cast<double>(result.bestEfficiency),
                           result.operatingHead,
                           result.operatingFlow,
                           result.operatingEfficiency};
    if (m_withInstant)
        values.append(time.instant);
    if (m_insert->exec(values))
        return true;
    if (error)
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(m_table),
                                   m_insert->lastError());
    return false;
}

bool appendResult(RowSet& rows, const SelectionResult& result, QString* error)
{
    const RunTime time = runTimeNow();
    RowSet::FieldValues values = {
        {names::calculationTime(), time.text},
        {names::method(), QString::fromStdString(result.method)},
        {names::totalHead(), result.resistance},
        {names::designFlow(), result.flow},
        {names::staticHead(), static_cast<double>(result.staticHead)},
        {names::selectedModel(), QString::fromStdString(result.model)},
        {names::bestEfficiency(), static_cast<double>(result.bestEfficiency)},
        {names::operatingHead(), result.operatingHead},
        {names::operatingFlow(), result.operatingFlow},
        {names::operatingEfficiency(), result.operatingEfficiency},
    };
    if (rows.hasInstant())
        values.append({names::calculationInstant(), time.instant});
    if (!rows.append(values)) {
        if (error)
            *error = rows.lastError();
        return false;
    }
    return true;
}

} // namespace tarnwick::store
