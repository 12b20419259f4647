#include "store/rowset.h"

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

bool RowSet::fail(const QString& message)
{
    m_error = message;
    return false;
}

bool RowSet::open(std::shared_ptr<Connection> connection, const QString& tableOrView)
{
    m_connection = std::move(connection);
    m_source = tableOrView;
    return requery();
}

bool RowSet::requery()
{
    if (!m_connection)
        return fail(QStringLiteral("“%1”尚未打开。").arg(m_source));
    const QSqlDatabase db = m_connection->database();
    const auto order = storedOrderQuery(db, m_source);
    if (!order)
        return fail(order.error());
    m_hasRowKey = order->hasRowKey;

    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(order->sql))
        return fail(QStringLiteral("读取“%1”失败：%2").arg(m_source, query.lastError().text()));

    const QSqlRecord record = query.record();
    const int first = m_hasRowKey ? 1 : 0;
    QStringList fields;
    for (int i = first; i < record.count(); ++i)
        fields.append(record.fieldName(i));

    QList<QVariantList> rows;
    QList<QVariant> keys;
    while (query.next()) {
        QVariantList row;
        row.reserve(record.count() - first);
        for (int i = first; i < record.count(); ++i)
            row.append(query.value(i));
        rows.append(std::move(row));
        keys.append(m_hasRowKey ? query.value(0) : QVariant());
    }
    if (query.lastError().isValid())
        return fail(QStringLiteral("读取“%1”失败：%2").arg(m_source, query.lastError().text()));

    m_fields = std::move(fields);
    m_rows = std::move(rows);
    m_rowKeys = std::move(keys);
    m_deleted = QList<bool>(m_rows.size(), false);
    m_deletedCount = 0;
    m_position = m_rows.isEmpty() ? -1 : 0;
    m_error.clear();
    return true;
}

void RowSet::moveFirst()
{
    m_position = m_rows.isEmpty() ? -1 : 0;
}

void RowSet::moveNext()
{
    if (m_position >= 0 && m_position < m_rows.size())
        ++m_position;
}

void RowSet::moveLast()
{
    m_position = static_cast<int>(m_rows.size()) - 1;
}

void RowSet::setPosition(int position)
{
    m_position = (position >= 0 && position < m_rows.size()) ? position : static_cast<int>(m_rows.size());
}

bool RowSet::findForward(const QString& field, const QVariant& value)
{
    const int column = m_fields.indexOf(field);
    if (column < 0) {
        m_position = static_cast<int>(m_rows.size());
        return fail(QStringLiteral("“%1”中没有字段“%2”。").arg(m_source, field));
    }
    for (int row = std::max(m_position, 0); row < m_rows.size(); ++row) {
        if (!m_deleted.at(row) && fieldValuesEqual(m_rows.at(row).at(column), value)) {
            m_position = row;
            return true;
        }
    }
    m_position = static_cast<int>(m_rows.size());
    return false;
}

Expected<QVariant, QString> RowSet::field(const QString& name) const
{
    using Result = Expected<QVariant, QString>;
    const int column = m_fields.indexOf(name);
    if (column < 0)
        return Result::failure(QStringLiteral("“%1”中没有字段“%2”。").arg(m_source, name));
    if (eof())
        return Result::failure(QStringLiteral("读取“%1”的字段“%2”时已没有当前记录。").arg(m_source, name));
    if (m_deleted.at(m_position))
        return Result::failure(QStringLiteral("“%1”的当前记录已被删除。").arg(m_source));
    return m_rows.at(m_position).at(column);
}

bool RowSet::readRowByKey(const QVariant& key, QVariantList* row)
{
    QSqlQuery query(m_connection->database());
    query.prepare(selectByRowKeySql(m_source));
    query.addBindValue(key);
    if (!query.exec() || !query.next())
        return false;
    row->clear();
    for (const QString& name : m_fields)
        row->append(query.value(name));
    return true;
}

bool RowSet::append(const FieldValues& values)
{
    if (!m_connection)
        return fail(QStringLiteral("“%1”尚未打开。").arg(m_source));
    if (!m_hasRowKey)
        return fail(QStringLiteral("“%1”是查询，不能添加记录。").arg(m_source));
    QStringList columns;
    QStringList marks;
    for (const auto& [name, value] : values) {
        if (!m_fields.contains(name))
            return fail(QStringLiteral("“%1”中没有字段“%2”。").arg(m_source, name));
        columns.append(quotedName(name));
        marks.append(QStringLiteral("?"));
    }
    QSqlQuery query(m_connection->database());
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(quotedName(m_source), columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))))
        return fail(QStringLiteral("写入“%1”失败：%2").arg(m_source, query.lastError().text()));
    for (const auto& value : values)
        query.addBindValue(value.second);
    if (!query.exec())
        return fail(QStringLiteral("写入“%1”失败：%2").arg(m_source, query.lastError().text()));

    const QVariant key = query.lastInsertId();
    QVariantList row;
    if (!readRowByKey(key, &row)) {
        // The row is stored; show what was written.
        row = QVariantList(m_fields.size());
        for (const auto& [name, value] : values)
            row[m_fields.indexOf(name)] = value;
    }
    m_rows.append(std::move(row));
    m_rowKeys.append(key);
    m_deleted.append(false);
    m_position = static_cast<int>(m_rows.size()) - 1;
    m_error.clear();
    return true;
}

bool RowSet::deleteCurrent()
{
    if (eof())
        return fail(QStringLiteral("删除“%1”的记录时已没有当前记录。").arg(m_source));
    if (!m_hasRowKey)
        return fail(QStringLiteral("“%1”是查询，不能删除记录。").arg(m_source));
    if (m_deleted.at(m_position))
        return fail(QStringLiteral("“%1”的当前记录已被删除。").arg(m_source));
    QSqlQuery query(m_connection->database());
    query.prepare(deleteByRowKeySql(m_source));
    query.addBindValue(m_rowKeys.at(m_position));
    if (!query.exec())
        return fail(QStringLiteral("删除“%1”的记录失败：%2").arg(m_source, query.lastError().text()));
    m_deleted[m_position] = true;
    ++m_deletedCount;
    m_error.clear();
    return true;
}

} // namespace tarnwick::store
