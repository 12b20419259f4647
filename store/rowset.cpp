#include "store/rowset.h"

#include "store/names.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tarnwick::store {

bool isNumericValue(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool fieldValuesEqual(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return false;
    if (isNumericValue(a) && isNumericValue(b))
        return a.toDouble() == b.toDouble();
    if (isNumericValue(a) != isNumericValue(b)) {
        // A number against a text: equal when the text reads as that number.
        bool ok = false;
        const double x = isNumericValue(a) ? b.toString().toDouble(&ok) : a.toString().toDouble(&ok);
        return ok && x == (isNumericValue(a) ? a.toDouble() : b.toDouble());
    }
    return a.toString() == b.toString();
}

bool RowSet::fail(const QString& message) const
{
    m_error = message;
    return false;
}

bool RowSet::open(std::shared_ptr<Connection> connection, const QString& tableOrView, ReadRows reading)
{
    m_connection = std::move(connection);
    m_source = tableOrView;
    m_reading = reading;
    return requery();
}

bool RowSet::requery()
{
    if (!m_connection)
        return fail(QCoreApplication::translate("tarnwick::store", "“%1”尚未打开。").arg(m_source));
    const QSqlDatabase db = m_connection->database();
    const auto order = storedOrderQuery(db, m_source);
    if (!order)
        return fail(order.error());

    // The field names, from the statement that reads the rows.
    QSqlQuery query(db);
    if (!query.exec(order->sql + QStringLiteral(" LIMIT 0")))
        return fail(databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(m_source),
                                      query.lastError()));
    const QSqlRecord record = query.record();
    QStringList fields;
    for (int i = order->hasRowKey ? 1 : 0; i < record.count() - (order->hasInstant ? 1 : 0); ++i)
        fields.append(record.fieldName(i));

    m_hasRowKey = order->hasRowKey;
    m_writable = order->writable;
    m_hasInstant = order->hasInstant;
    m_sql = order->sql;
    m_fields = std::move(fields);
    m_snapshot = Snapshot();
    m_snapshot.rows = ColumnarTable(static_cast<int>(m_fields.size()));
    m_rowsRead = false;
    m_readFailed = false;
    m_standOn = QVariant();
    m_error.clear();
    return m_reading == ReadRows::OnDemand || readRows();
}

bool RowSet::ensureRows() const
{
    snapshot();
    return m_rowsRead && !m_readFailed;
}

bool RowSet::readRows() const
{
    m_rowsRead = true;
    m_readFailed = true; // until the last row is in
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    if (!query.exec(m_sql))
        return fail(databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(m_source),
                                      query.lastError()));
    const int first = m_hasRowKey ? 1 : 0;
    const int count = query.record().count() - (m_hasInstant ? 1 : 0);
    if (count - first != m_fields.size())
        return fail(QCoreApplication::translate("tarnwick::store", "读取“%1”失败：表的结构已改变。").arg(m_source));

    Snapshot snapshot;
    snapshot.rows = ColumnarTable(count - first);
    while (query.next()) {
        for (int i = first; i < count; ++i)
            snapshot.rows.set(i - first, query.value(i));
        snapshot.rows.endRow();
        snapshot.keys.set(0, m_hasRowKey ? query.value(0) : QVariant());
        snapshot.keys.endRow();
        snapshot.instants.set(0, m_hasInstant ? query.value(count) : QVariant());
        snapshot.instants.endRow();
    }
    if (query.lastError().isValid())
        return fail(databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(m_source),
                                      query.lastError()));
    snapshot.deleted.assign(static_cast<std::size_t>(snapshot.rows.size()), false);
    snapshot.position = snapshot.rows.isEmpty() ? -1 : 0;
    if (m_standOn.isValid()) {
        const int at = snapshot.keys.indexOf(0, m_standOn);
        if (at >= 0)
            snapshot.position = at;
        m_standOn = QVariant();
    }
    m_snapshot = std::move(snapshot);
    m_readFailed = false;
    return true;
}

const RowSet::Snapshot& RowSet::snapshot() const
{
    if (!m_rowsRead && m_connection)
        readRows();
    return m_snapshot;
}

RowSet::Snapshot& RowSet::snapshot()
{
    std::as_const(*this).snapshot();
    return m_snapshot;
}

void RowSet::moveFirst()
{
    Snapshot& s = snapshot();
    s.position = s.rows.isEmpty() ? -1 : 0;
}

void RowSet::moveNext()
{
    Snapshot& s = snapshot();
    if (s.position >= 0 && s.position < s.rows.size())
        ++s.position;
}

void RowSet::moveLast()
{
    Snapshot& s = snapshot();
    s.position = s.rows.size() - 1;
}

void RowSet::setPosition(int position)
{
    Snapshot& s = snapshot();
    s.position = (position >= 0 && position < s.rows.size()) ? position : s.rows.size();
}

bool RowSet::findForward(const QString& field, const QVariant& value)
{
    Snapshot& s = snapshot();
    const int column = m_fields.indexOf(field);
    if (column < 0) {
        s.position = s.rows.size();
        return fail(QCoreApplication::translate("tarnwick::store", "“%1”中没有字段“%2”。").arg(m_source, field));
    }
    for (int row = std::max(s.position, 0); row < s.rows.size(); ++row) {
        if (!s.deleted[static_cast<std::size_t>(row)] && fieldValuesEqual(s.rows.value(row, column), value)) {
            s.position = row;
            return true;
        }
    }
    s.position = s.rows.size();
    return false;
}

Expected<QVariant, QString> RowSet::field(const QString& name) const
{
    using Result = Expected<QVariant, QString>;
    const int column = m_fields.indexOf(name);
    if (column < 0)
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "“%1”中没有字段“%2”。").arg(m_source, name));
    if (eof())
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "读取“%1”的字段“%2”时已没有当前记录。").arg(m_source, name));
    const Snapshot& s = snapshot();
    if (s.deleted[static_cast<std::size_t>(s.position)])
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "“%1”的当前记录已被删除。").arg(m_source));
    return s.rows.value(s.position, column);
}

bool RowSet::readRowByKey(const QVariant& key, QVariantList* row, QVariant* instant)
{
    QSqlQuery query(m_connection->database());
    query.prepare(selectByRowKeySql(m_source));
    query.addBindValue(key);
    if (!query.exec() || !query.next())
        return false;
    row->clear();
    for (const QString& name : m_fields)
        row->append(query.value(name));
    *instant = m_hasInstant ? query.value(names::calculationInstant()) : QVariant();
    return true;
}

bool RowSet::append(const FieldValues& values)
{
    if (!m_connection)
        return fail(QCoreApplication::translate("tarnwick::store", "“%1”尚未打开。").arg(m_source));
    if (!m_writable)
        return fail(QCoreApplication::translate("tarnwick::store", "“%1”是查询，不能添加记录。").arg(m_source));
    QStringList columns;
    QStringList marks;
    for (const auto& [name, value] : values) {
        if (!m_fields.contains(name) && !(m_hasInstant && name == names::calculationInstant()))
            return fail(QCoreApplication::translate("tarnwick::store", "“%1”中没有字段“%2”。").arg(m_source, name));
        columns.append(quotedName(name));
        marks.append(QStringLiteral("?"));
    }
    QSqlQuery query(m_connection->database());
    // A server hands the new row's key back with the insert.
    const bool server = isServer(m_connection->database());
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)%4")
                           .arg(quotedName(m_source), columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")),
                                server ? QStringLiteral(" RETURNING rowid") : QString())))
        return fail(databaseErrorText(QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(m_source),
                                      query.lastError()));
    for (const auto& value : values)
        query.addBindValue(value.second);
    if (!query.exec())
        return fail(databaseErrorText(QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(m_source),
                                      query.lastError()));

    const QVariant key = server ? (query.next() ? query.value(0) : QVariant()) : query.lastInsertId();
    m_error.clear();
    if (!m_rowsRead) {
        // The row is read with the others, and the set stands on it then.
        m_standOn = key;
        return true;
    }
    QVariantList row;
    QVariant instant;
    if (!readRowByKey(key, &row, &instant)) {
        // The row is stored; show what was written.
        row = QVariantList(m_fields.size());
        for (const auto& [name, value] : values) {
            if (name == names::calculationInstant())
                instant = value;
            else
                row[m_fields.indexOf(name)] = value;
        }
    }
    m_snapshot.rows.appendRow(row);
    m_snapshot.keys.appendRow({key});
    m_snapshot.instants.appendRow({instant});
    m_snapshot.deleted.push_back(false);
    m_snapshot.position = m_snapshot.rows.size() - 1;
    return true;
}

bool RowSet::deleteCurrent()
{
    if (eof())
        return fail(QCoreApplication::translate("tarnwick::store", "删除“%1”的记录时已没有当前记录。").arg(m_source));
    if (!m_writable)
        return fail(QCoreApplication::translate("tarnwick::store", "“%1”是查询，不能删除记录。").arg(m_source));
    Snapshot& s = snapshot();
    const auto at = static_cast<std::size_t>(s.position);
    if (s.deleted[at])
        return fail(QCoreApplication::translate("tarnwick::store", "“%1”的当前记录已被删除。").arg(m_source));
    QSqlQuery query(m_connection->database());
    query.prepare(deleteByRowKeySql(m_source));
    query.addBindValue(s.keys.value(s.position, 0));
    if (!query.exec())
        return fail(databaseErrorText(QCoreApplication::translate("tarnwick::store", "删除“%1”的记录").arg(m_source),
                                      query.lastError()));
    s.deleted[at] = true;
    ++s.deletedCount;
    m_error.clear();
    return true;
}

} // namespace tarnwick::store
