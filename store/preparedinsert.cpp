#include "store/preparedinsert.h"

#include <QCoreApplication>
#include <QSqlDriver>

#include <sqlite3.h>

namespace tarnwick::store {

namespace {

// The driver's own description of a failure on its handle: its words, the
// handle's message and the result code.
QSqlError driverError(sqlite3* handle, const char* words, QSqlError::ErrorType type, int code)
{
    return QSqlError(QCoreApplication::translate("QSQLiteResult", words),
                     QString(reinterpret_cast<const QChar*>(sqlite3_errmsg16(handle))), type, QString::number(code));
}

// Null as the driver takes it: an empty value, or a text or bytes that are
// null.
bool isNullValue(const QVariant& value)
{
    if (value.isNull())
        return true;
    if (value.typeId() == QMetaType::QString)
        return static_cast<const QString*>(value.constData())->isNull();
    if (value.typeId() == QMetaType::QByteArray)
        return static_cast<const QByteArray*>(value.constData())->isNull();
    return false;
}

bool boundDirectly(const QVariant& value)
{
    if (isNullValue(value))
        return true;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Bool:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::QString:
        return true;
    default:
        return false;
    }
}

} // namespace

sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

PreparedInsert::PreparedInsert(QSqlDatabase db, const QString& sql) : m_db(db), m_sql(sql), m_handle(sqliteHandle(db))
{
    if (m_handle) {
        const int status = sqlite3_prepare16_v2(m_handle, sql.constData(),
                                                static_cast<int>((sql.size() + 1) * sizeof(QChar)), &m_statement, nullptr);
        if (status != SQLITE_OK) {
            m_error = driverError(m_handle, "Unable to execute statement", QSqlError::StatementError, status);
            sqlite3_finalize(m_statement);
            m_statement = nullptr;
        }
        m_prepared = m_statement != nullptr;
        return;
    }
    m_query.emplace(db);
    m_prepared = m_query->prepare(sql);
    if (!m_prepared)
        m_error = m_query->lastError();
}

PreparedInsert::~PreparedInsert()
{
    sqlite3_finalize(m_statement);
}

bool PreparedInsert::exec(const QVariantList& values)
{
    if (!m_prepared)
        return false;
    m_error = QSqlError();
    for (const QVariant& value : values) {
        if (!m_statement || !boundDirectly(value))
            return execThroughDriver(values);
    }
    return execDirect(values);
}

bool PreparedInsert::execDirect(const QVariantList& values)
{
    m_lastDirect = true;
    int status = sqlite3_reset(m_statement);
    if (status != SQLITE_OK) {
        m_error = driverError(m_handle, "Unable to reset statement", QSqlError::StatementError, status);
        return false;
    }
    if (sqlite3_bind_parameter_count(m_statement) != values.size()) {
        m_error = QSqlError(QCoreApplication::translate("QSQLiteResult", "Parameter count mismatch"), QString(),
                            QSqlError::StatementError);
        return false;
    }
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values.at(i);
        if (isNullValue(value)) {
            status = sqlite3_bind_null(m_statement, i + 1);
        } else {
            switch (value.typeId()) {
            case QMetaType::Int:
            case QMetaType::Bool:
                status = sqlite3_bind_int(m_statement, i + 1, value.toInt());
                break;
            case QMetaType::Double:
                status = sqlite3_bind_double(m_statement, i + 1, value.toDouble());
                break;
            case QMetaType::UInt:
            case QMetaType::LongLong:
                status = sqlite3_bind_int64(m_statement, i + 1, value.toLongLong());
                break;
            default: { // a text: the values are the caller's until the statement has run
                const QString* text = static_cast<const QString*>(value.constData());
                status = sqlite3_bind_text16(m_statement, i + 1, text->unicode(),
                                             static_cast<int>(text->size() * sizeof(QChar)), SQLITE_STATIC);
                break;
            }
            }
        }
        if (status != SQLITE_OK) {
            m_error = driverError(m_handle, "Unable to bind parameters", QSqlError::StatementError, status);
            sqlite3_clear_bindings(m_statement);
            return false;
        }
    }
    status = sqlite3_step(m_statement);
    if (status == SQLITE_DONE || status == SQLITE_ROW) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
        return true;
    }
    // SQLITE_ERROR and SQLITE_CONSTRAINT name the particular failure only
    // once the statement is reset.
    if (status == SQLITE_ERROR || status == SQLITE_CONSTRAINT)
        status = sqlite3_reset(m_statement);
    m_error = driverError(m_handle, "Unable to fetch row", QSqlError::ConnectionError, status);
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    return false;
}

bool PreparedInsert::execThroughDriver(const QVariantList& values)
{
    m_lastDirect = false;
    if (!m_query) {
        m_query.emplace(m_db);
        if (!m_query->prepare(m_sql)) {
            m_error = m_query->lastError();
            return false;
        }
    }
    for (int i = 0; i < values.size(); ++i)
        m_query->bindValue(i, values.at(i));
    if (m_query->exec())
        return true;
    m_error = m_query->lastError();
    return false;
}

qint64 PreparedInsert::insertedKey()
{
    if (m_lastDirect)
        return sqlite3_last_insert_rowid(m_handle);
    if (!m_query)
        return 0;
    if (m_handle)
        return m_query->lastInsertId().toLongLong();
    return m_query->next() ? m_query->value(0).toLongLong() : 0;
}

} // namespace tarnwick::store
