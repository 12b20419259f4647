#include "cli/varspeedresults.h"

#include "cli/arguments.h"
#include "cli/output.h"
#include "core/numbers.h"
#include "store/results.h"

#include <QJsonObject>

#include <cmath>

namespace tarnwick::cli {

namespace {

QJsonValue valueJson(const QVariant& v)
{
    if (v.isNull())
        return QJsonValue::Null;
    if (store::isNumericValue(v))
        return std::isfinite(v.toDouble()) ? QJsonValue(v.toDouble()) : QJsonValue(QJsonValue::Null);
    return v.toString();
}

} // namespace

bool readVarSpeedRows(const QHash<QString, QString>& values, bool all, store::StoredTable* stored)
{
    auto connection = store::Connection::open(databaseFile(values), store::Connection::Access::ReadOnly);
    if (!connection) {
        printError(connection.error() + QLatin1Char('\n'));
        return false;
    }
    auto read = store::readVarSpeedResults(connection.value()->database(), all);
    if (!read) {
        printError(read.error() + QLatin1Char('\n'));
        return false;
    }
    *stored = std::move(read).value();
    return true;
}

QJsonArray varSpeedRowsJson(const store::StoredTable& stored)
{
    // The stored field and its English key; the speed and the efficiency are
    // stored as fractions already.
    static const std::pair<const char16_t*, const char*> kKeys[] = {
        {u"控制方式", "control"},      {u"总扬程", "totalHead"},     {u"流量", "flow"},
        {u"系统静扬程", "staticHead"}, {u"工作泵台数", "dutyPumps"}, {u"备用泵台数", "standbyPumps"},
        {u"所选型号", "model"},        {u"电机功率", "motorRating"}, {u"设计转速比", "designSpeed"},
        {u"年耗电量", "annualEnergy"}, {u"年电费", "annualCost"},    {u"加权效率", "weightedEfficiency"},
    };
    QJsonArray array;
    for (qsizetype r = 0; r < stored.rows.size(); ++r) {
        const QVariantList& row = stored.rows[r];
        QJsonObject object;
        for (qsizetype c = 0; c < stored.columns.size(); ++c)
            object.insert(stored.columns[c], valueJson(row.value(c)));
        for (const auto& [field, key] : kKeys)
            object.insert(QLatin1String(key), object.value(QString::fromUtf16(field)));
        object.insert(QStringLiteral("time"),
                      storedTimeJson(stored.instants.value(r), object.value(QStringLiteral("计算时间")).toString()));
        array.append(object);
    }
    return array;
}

QString reportTableText(const report::ResultTable& table)
{
    QList<QStringList> lines;
    QStringList headings;
    for (const report::ReportColumn& column : table.columns())
        headings.append(column.heading + column.unit);
    lines.append(headings);
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < table.fieldCount(); ++c) {
            const QVariant& v = table.value(row, c);
            if (v.isNull() || (store::isNumericValue(v) && !std::isfinite(v.toDouble())))
                cells.append(QString());
            else if (store::isNumericValue(v))
                cells.append(QString::fromStdString(numberText(v.toDouble())));
            else
                cells.append(v.toString());
        }
        lines.append(cells);
    }
    return alignedColumns(lines);
}

} // namespace tarnwick::cli
