#include "store/cataloguereader.h"

#include "store/database.h"
#include "store/fieldcheck.h"
#include "store/names.h"
#include "store/preparedinsert.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace tarnwick::store {

namespace {

float numberOrNaN32(const QVariant& value)
{
    return static_cast<float>(numberOrNaN(value));
}

void takeSpeed(CataloguePump& p, double s)
{
    if (!std::isnan(s))
        p.speed = s;
}

// The catalogue's motor, where the table has the field and a rating.
void takeMotor(CataloguePump& p, double motor)
{
    if (std::isfinite(motor) && motor > 0.0)
        p.motorPower = motor;
}

constexpr CatalogueColumn<CataloguePump> kPumpColumns[] = {
    {names::key, true, [](CataloguePump& p, const QVariant& v) { p.key = numberOrNaN(v); },
     [](CataloguePump& p, double v) { p.key = v; }},
    {names::model, true, [](CataloguePump& p, const QVariant& v) { p.model = v.toString().toStdString(); }, nullptr,
     [](CataloguePump& p, std::string_view t) { p.model.assign(t); }},
    {names::pumpType, true, [](CataloguePump& p, const QVariant& v) { p.type = v.toString().toStdString(); }, nullptr,
     [](CataloguePump& p, std::string_view t) { p.type.assign(t); }},
    {names::speed, true, [](CataloguePump& p, const QVariant& v) { takeSpeed(p, numberOrNaN(v)); }, takeSpeed},
    {names::motorPower, false, [](CataloguePump& p, const QVariant& v) { takeMotor(p, numberOrNaN(v)); }, takeMotor},
};

// The data-sheet fields that the suction and impeller figures need, one per
// pump in the same stored order; a table without them leaves them empty.
std::optional<double> finiteOrNone(double v)
{
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

std::optional<double> finiteOrNone(const QVariant& value)
{
    return finiteOrNone(numberOrNaN(value));
}

constexpr CatalogueColumn<PumpSheetFields> kSheetColumns[] = {
    {names::flow, false, [](PumpSheetFields& f, const QVariant& v) { f.ratedFlow = finiteOrNone(v); },
     [](PumpSheetFields& f, double v) { f.ratedFlow = finiteOrNone(v); }},
    {names::head, false, [](PumpSheetFields& f, const QVariant& v) { f.ratedHead = finiteOrNone(v); },
     [](PumpSheetFields& f, double v) { f.ratedHead = finiteOrNone(v); }},
    {names::npshRequired, false, [](PumpSheetFields& f, const QVariant& v) { f.npshRequired = finiteOrNone(v); },
     [](PumpSheetFields& f, double v) { f.npshRequired = finiteOrNone(v); }},
    {names::impellerDiameter, false,
     [](PumpSheetFields& f, const QVariant& v) { f.impellerDiameter = finiteOrNone(v); },
     [](PumpSheetFields& f, double v) { f.impellerDiameter = finiteOrNone(v); }},
};

constexpr CatalogueColumn<CataloguePoint> kPointColumns[] = {
    {names::key, true, [](CataloguePoint& p, const QVariant& v) { p.key = numberOrNaN(v); },
     [](CataloguePoint& p, double v) { p.key = v; }},
    {names::flow, true, [](CataloguePoint& p, const QVariant& v) { p.flow = numberOrNaN32(v); },
     [](CataloguePoint& p, double v) { p.flow = static_cast<float>(v); }},
    {names::head, true, [](CataloguePoint& p, const QVariant& v) { p.head = numberOrNaN32(v); },
     [](CataloguePoint& p, double v) { p.head = static_cast<float>(v); }},
    {names::shaftPower, true, [](CataloguePoint& p, const QVariant& v) { p.power = numberOrNaN32(v); },
     [](CataloguePoint& p, double v) { p.power = static_cast<float>(v); }},
};

template <class Row>
QStringList requiredNames(std::span<const CatalogueColumn<Row>> columns)
{
    QStringList names;
    for (const auto& column : columns) {
        if (column.required)
            names.append(column.name());
    }
    return names;
}

QString readError(const QString& table, const QSqlError& error)
{
    return databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(table), error);
}

QString readError(const QString& table, const QSqlQuery& query)
{
    return readError(table, query.lastError());
}

// A field as the SQLite driver of QSqlQuery makes it: a blob as bytes, an
// integer as a 64-bit integer, a real as a double, empty as an empty text
// value, anything else as its text.
QVariant sqliteValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                          sqlite3_column_bytes(statement, column));
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default:
        return QString(static_cast<const QChar*>(sqlite3_column_text16(statement, column)),
                       sqlite3_column_bytes16(statement, column) / static_cast<int>(sizeof(QChar)));
    }
}

// Whether the bytes are UTF-8 as RFC 3629 defines it: no overlong forms, no
// surrogates, nothing above U+10FFFF. Such text comes back byte for byte
// through SQLite's UTF-16 and QString's UTF-8; anything else does not.
bool isValidUtf8(std::string_view text)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (n - i < length || s[i + 1] < low || s[i + 1] > high)
            return false;
        for (std::size_t k = 2; k < length; ++k) {
            if (s[i + k] < 0x80 || s[i + k] > 0xBF)
                return false;
        }
        i += length;
    }
    return true;
}

// One stored value into the row: a number or a valid text straight from
// SQLite where the column takes it so, anything else as the driver makes it.
template <class Row>
void takeSqliteValue(const CatalogueColumn<Row>& column, Row& row, sqlite3_stmt* statement, int i)
{
    const int type = sqlite3_column_type(statement, i);
    if (column.takeNumber && type == SQLITE_FLOAT) {
        column.takeNumber(row, sqlite3_column_double(statement, i));
        return;
    }
    if (column.takeNumber && type == SQLITE_INTEGER) {
        column.takeNumber(row, static_cast<double>(sqlite3_column_int64(statement, i)));
        return;
    }
    if (column.takeText && type == SQLITE_TEXT) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
        const std::string_view utf8(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(statement, i)));
        if (isValidUtf8(utf8)) {
            column.takeText(row, utf8);
            return;
        }
    }
    column.take(row, sqliteValue(statement, i));
}

QSqlError sqliteError(sqlite3* handle, int status)
{
    return QSqlError(QStringLiteral("Unable to fetch row"), QString::fromUtf8(sqlite3_errmsg(handle)),
                     QSqlError::StatementError, QString::number(status));
}

} // namespace

double numberOrNaN(const QVariant& value)
{
    if (value.isNull())
        return std::numeric_limits<double>::quiet_NaN();
    bool ok = false;
    const double number = value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok)
                                                                : value.toDouble(&ok);
    return ok ? number : std::numeric_limits<double>::quiet_NaN();
}

std::span<const CatalogueColumn<CataloguePump>> cataloguePumpColumns()
{
    return kPumpColumns;
}

std::span<const CatalogueColumn<CataloguePoint>> cataloguePointColumns()
{
    return kPointColumns;
}

std::span<const CatalogueColumn<PumpSheetFields>> catalogueSheetColumns()
{
    return kSheetColumns;
}

QStringList requiredPumpFields()
{
    return requiredNames(cataloguePumpColumns());
}

QStringList requiredPointFields()
{
    return requiredNames(cataloguePointColumns());
}

bool CatalogueReader::openTable(Table* table, const QString& name, QString* error)
{
    table->name = name;
    const auto order = storedOrderQuery(m_db, name);
    if (!order) {
        *error = order.error();
        return false;
    }
    // The fields, from the statement that would read the whole table.
    QSqlQuery query(m_db);
    if (!query.exec(order->sql + QStringLiteral(" LIMIT 0"))) {
        *error = readError(name, query);
        return false;
    }
    table->record = query.record();
    table->orderBy = order->hasRowKey ? storedOrderClause() : QString();
    return true;
}

bool CatalogueReader::open(QString* error)
{
    return openTable(&m_pumps, names::pumpTable(), error) && openTable(&m_points, names::pointTable(), error);
}

bool CatalogueReader::openInTurn(QString* error)
{
    if (!openTable(&m_pumps, names::pumpTable(), error))
        return false;
    *error = missingFieldsMessage(m_pumps.name, requiredPumpFields(), m_pumps.record);
    if (!error->isEmpty() || !openTable(&m_points, names::pointTable(), error))
        return false;
    *error = missingFieldsMessage(m_points.name, requiredPointFields(), m_points.record);
    return error->isEmpty();
}

QString CatalogueReader::missingFields() const
{
    QString message = missingFieldsMessage(m_pumps.name, requiredPumpFields(), m_pumps.record);
    if (message.isEmpty())
        message = missingFieldsMessage(m_points.name, requiredPointFields(), m_points.record);
    return message;
}

template <class Row>
bool CatalogueReader::readTable(const Table& table, std::span<const CatalogueColumn<Row>> columns,
                                std::vector<Row>* rows, QString* error) const
{
    // Only the columns the table has; an optional one it lacks keeps the
    // row's default.
    QStringList quoted;
    std::vector<const CatalogueColumn<Row>*> read;
    for (const auto& column : columns) {
        if (table.record.indexOf(column.name()) < 0)
            continue;
        quoted.append(quotedName(column.name()));
        read.push_back(&column);
    }
    const QString from = quotedName(table.name);
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(from)) || !query.next()) {
        *error = readError(table.name, query);
        return false;
    }
    rows->clear();
    rows->reserve(static_cast<std::size_t>(std::max<qlonglong>(query.value(0).toLongLong(), 0)));
    query.finish();

    const QString select = QStringLiteral("SELECT %1 FROM %2%3").arg(quoted.join(QLatin1Char(',')), from, table.orderBy);
    const int count = static_cast<int>(read.size());
    auto takeRow = [&](auto&& value) {
        Row& row = rows->emplace_back();
        for (int i = 0; i < count; ++i)
            read[static_cast<std::size_t>(i)]->take(row, value(i));
    };
    if (isServer(m_db))
        return readThroughCursor(table.name, select,
                                 [&](const QSqlQuery& q) { takeRow([&](int i) { return q.value(i); }); }, error);
    if (sqlite3* handle = sqliteHandle(m_db)) {
        // The rows straight from SQLite on the connection's own handle, in
        // its read snapshot: the same values without the per-value cost of
        // the row and result objects around them.
        const QByteArray sql = select.toUtf8();
        sqlite3_stmt* statement = nullptr;
        int status = sqlite3_prepare_v2(handle, sql.constData(), static_cast<int>(sql.size()), &statement, nullptr);
        if (status == SQLITE_OK) {
            while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
                Row& row = rows->emplace_back();
                for (int i = 0; i < count; ++i)
                    takeSqliteValue(*read[static_cast<std::size_t>(i)], row, statement, i);
            }
        }
        if (status != SQLITE_DONE)
            *error = readError(table.name, sqliteError(handle, status));
        sqlite3_finalize(statement);
        return status == SQLITE_DONE;
    }

    if (!query.exec(select)) {
        *error = readError(table.name, query);
        return false;
    }
    while (query.next())
        takeRow([&](int i) { return query.value(i); });
    if (query.lastError().isValid()) {
        *error = readError(table.name, query);
        return false;
    }
    return true;
}

bool CatalogueReader::readThroughCursor(const QString& table, const QString& select,
                                        const std::function<void(const QSqlQuery&)>& take, QString* error) const
{
    // A server sends a forward-only statement's rows one result a row; a
    // cursor read in batches takes one result a batch, and never holds the
    // whole table. It lives in the caller's read snapshot.
    constexpr int kBatch = 20000;
    const QString cursor = QStringLiteral("tarnwick_catalogue");
    QSqlQuery statement(m_db);
    if (!statement.exec(QStringLiteral("DECLARE %1 NO SCROLL CURSOR FOR %2").arg(cursor, select))) {
        *error = readError(table, statement);
        return false;
    }
    QSqlQuery batch(m_db);
    for (;;) {
        if (!batch.exec(QStringLiteral("FETCH %1 FROM %2").arg(kBatch).arg(cursor))) {
            *error = readError(table, batch);
            return false;
        }
        int fetched = 0;
        for (; batch.next(); ++fetched)
            take(batch);
        if (fetched < kBatch)
            break;
    }
    batch.finish();
    if (!statement.exec(QStringLiteral("CLOSE %1").arg(cursor))) {
        *error = readError(table, statement);
        return false;
    }
    return true;
}

Expected<Catalogue, QString> CatalogueReader::read() const
{
    using Result = Expected<Catalogue, QString>;
    Catalogue catalogue;
    QString error;
    if (!readTable(m_pumps, cataloguePumpColumns(), &catalogue.pumps, &error) ||
        !readTable(m_points, cataloguePointColumns(), &catalogue.points, &error))
        return Result::failure(error);
    // The data-sheet fields the suction and impeller figures need, from the
    // same snapshot; a table without any of them leaves every pump without.
    const auto sheetColumns = catalogueSheetColumns();
    const bool anySheetField = std::any_of(sheetColumns.begin(), sheetColumns.end(), [&](const auto& column) {
        return m_pumps.record.indexOf(column.name()) >= 0;
    });
    if (anySheetField && !readTable(m_pumps, sheetColumns, &catalogue.sheetFields, &error))
        return Result::failure(error);
    return catalogue;
}

Expected<Catalogue, QString> readCatalogueSnapshot(const QSqlDatabase& db)
{
    using Result = Expected<Catalogue, QString>;
    // Pumps and points from one state of the database.
    std::optional<ReadSnapshot> snapshot(std::in_place, db);
    if (!snapshot->isValid())
        return Result::failure(snapshot->error());
    CatalogueReader reader(db);
    QString error;
    if (!reader.openInTurn(&error))
        return Result::failure(error);
    auto catalogue = reader.read();
    snapshot.reset();
    return catalogue;
}

} // namespace tarnwick::store
