#include "store/fieldcheck.h"

#include "store/rowset.h"

#include <QCoreApplication>
#include <QSqlRecord>

#include <functional>

namespace tarnwick::store {

namespace {

QString message(const QString& table, const QStringList& required, const std::function<bool(const QString&)>& has)
{
    QStringList missing;
    for (const QString& field : required) {
        if (!has(field))
            missing.append(QStringLiteral("“%1”").arg(field));
    }
    if (missing.isEmpty())
        return {};
    return QCoreApplication::translate("tarnwick::store", "数据库的“%1”中缺少字段%2。")
        .arg(table, missing.join(QStringLiteral("、")));
}

} // namespace

QString missingFieldsMessage(const QString& table, const QStringList& required, const QSqlRecord& record)
{
    return message(table, required, [&record](const QString& field) { return record.indexOf(field) >= 0; });
}

QString missingFieldsMessage(const RowSet& rows, const QStringList& required)
{
    return message(rows.source(), required, [&rows](const QString& field) { return rows.fieldIndex(field) >= 0; });
}

} // namespace tarnwick::store
