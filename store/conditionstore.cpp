#include "store/conditionstore.h"

#include "core/fluid.h"
#include "store/database.h"
#include "store/dbcopy.h"
#include "store/names.h"
#include "store/results.h"
#include "store/schema.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <cmath>

namespace tarnwick::store {

namespace conditionnames {

QStringList runColumns()
{
    return {QStringLiteral("计算标识"),     QStringLiteral("计算时间"),   QStringLiteral("选型方式"),
            QStringLiteral("介质"),         QStringLiteral("浓度"),       QStringLiteral("温度"),
            QStringLiteral("密度"),         QStringLiteral("运动粘度"),   QStringLiteral("汽化压力"),
            QStringLiteral("吸入口绝对压力"), QStringLiteral("汽蚀余量系数"), QStringLiteral("叶轮切削"),
            QStringLiteral("最大切削量"),   QStringLiteral("仅优先运行区"), QStringLiteral("实测静扬程"),
            QStringLiteral("实测阻力系数")};
}

QStringList pumpColumns()
{
    return {QStringLiteral("计算标识"),       QStringLiteral("序次"),           QStringLiteral("所选型号"),
            QStringLiteral("最高效率点流量"), QStringLiteral("最高效率点流量比"), QStringLiteral("优先运行区内"),
            QStringLiteral("粘度参数B"),      QStringLiteral("流量修正系数"),   QStringLiteral("扬程修正系数"),
            QStringLiteral("效率修正系数"),   QStringLiteral("有效汽蚀余量"),   QStringLiteral("必需汽蚀余量"),
            QStringLiteral("汽蚀余量满足"),   QStringLiteral("叶轮切削比"),     QStringLiteral("切削后叶轮外径"),
            QStringLiteral("切削后轴功率"),   QStringLiteral("切削后效率"),     QStringLiteral("切削受限")};
}

} // namespace conditionnames

namespace {

bool isText(const QString& column)
{
    static const QStringList texts = {QStringLiteral("计算标识"), QStringLiteral("计算时间"),
                                      QStringLiteral("选型方式"), QStringLiteral("介质"),
                                      QStringLiteral("所选型号")};
    return texts.contains(column);
}

QVariant number(double v)
{
    return std::isfinite(v) ? QVariant(v) : QVariant(QMetaType(QMetaType::Double));
}

QVariant optionalNumber(const std::optional<double>& v)
{
    return v ? number(*v) : QVariant(QMetaType(QMetaType::Double));
}

QVariant flag(bool on)
{
    return on ? 1 : 0;
}

bool insertRow(const QSqlDatabase& db, const QString& table, const QStringList& columns, const QVariantList& values,
               QString* error)
{
    QStringList quoted;
    QStringList marks;
    for (const QString& c : columns) {
        quoted << quotedName(c);
        marks << QStringLiteral("?");
    }
    QSqlQuery q(db);
    if (!q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(quotedName(table), quoted.join(QLatin1Char(',')), marks.join(QLatin1Char(','))))) {
        *error =
            databaseErrorText(QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(table), q.lastError());
        return false;
    }
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec()) {
        *error =
            databaseErrorText(QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(table), q.lastError());
        return false;
    }
    return true;
}

} // namespace

bool ensureConditionTables(const QSqlDatabase& db, QString* error)
{
    // Two first runs on a server would both make the tables; the second
    // waits here, inside its transaction, until the first has committed them.
    if (isServer(db)) {
        QSqlQuery lock(db);
        if (!lock.exec(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('tarnwick condition tables'))"))) {
            *error = databaseErrorText(
                QCoreApplication::translate("tarnwick::store", "建立“%1”").arg(conditionnames::runTable()),
                lock.lastError());
            return false;
        }
    }
    const auto tables = readTableInfo(db);
    if (!tables) {
        *error = tables.error();
        return false;
    }
    QStringList present;
    for (const TableInfo& t : tables.value())
        present << t.name;
    const QString real = isServer(db) ? QStringLiteral(" double precision") : QStringLiteral(" REAL");
    QSqlQuery q(db);
    for (const auto& [table, columns] : {std::pair{conditionnames::runTable(), conditionnames::runColumns()},
                                         std::pair{conditionnames::pumpTable(), conditionnames::pumpColumns()}}) {
        // Tables that are there are left alone: on a server an engineer may
        // store results without the right to make tables.
        if (present.contains(table))
            continue;
        QStringList definitions;
        for (const QString& c : columns)
            definitions << quotedName(c) + (isText(c) ? QStringLiteral(" TEXT") : real);
        // On a server every table keeps its stored order in "rowid", as the
        // program's others do.
        // and, like every table of runs, the login that made each row.
        // A run keeps its exact moment beside its calculation time.
        if (table == conditionnames::runTable())
            definitions << instantColumnDefinition(isServer(db));
        if (isServer(db)) {
            definitions.prepend(QStringLiteral("rowid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
            definitions.append(userColumnDefinition(true));
        }
        if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                        .arg(quotedName(table), definitions.join(QStringLiteral(", "))))) {
            *error =
                databaseErrorText(QCoreApplication::translate("tarnwick::store", "建立“%1”").arg(table), q.lastError());
            return false;
        }
    }
    return true;
}

bool writeConditionRows(const QSqlDatabase& db, const std::string& method, const ServiceConditions& c,
                        const std::vector<std::pair<std::string, const PumpExtras*>>& pumps, QString* error,
                        const RunTime& time)
{
    if (!c.any() && !c.measured)
        return true;
    if (!ensureConditionTables(db, error))
        return false;
    // A key of its own joins a run's pumps to it, whoever writes at the same
    // moment.
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QVariant none(QMetaType(QMetaType::Double));
    const bool glycol = c.fluid && c.fluid->kind != FluidKind::Water;
    const RunTime when = time.text.isEmpty() ? runTimeNow() : time;
    bool withInstant = false;
    if (!ensureInstantColumn(db, conditionnames::runTable(), &withInstant, error))
        return false;
    QVariantList run = {
        id,
        when.text,
        QString::fromStdString(method),
        c.fluid ? QVariant(QString::fromUtf8(fluidKeyword(c.fluid->kind).data(),
                                             static_cast<qsizetype>(fluidKeyword(c.fluid->kind).size())))
                : QVariant(QMetaType(QMetaType::QString)),
        glycol ? number(c.fluid->concentration) : none,
        c.fluid ? number(c.fluid->temperature) : none,
        c.fluid ? number(c.properties.density) : none,
        c.fluid ? number(c.properties.kinematicViscosity) : none,
        c.fluid || c.suctionAbsolutePressure ? number(c.properties.vapourPressure) : none,
        optionalNumber(c.suctionAbsolutePressure),
        c.suctionAbsolutePressure ? number(c.npshMarginRatio) : none,
        flag(c.trim),
        c.trim ? number(c.maxTrimPercent) : none,
        flag(c.preferredRegionOnly),
        c.measured ? number(c.measured->staticHead) : none,
        c.measured ? number(c.measured->coefficient) : none,
    };
    QStringList runColumns = conditionnames::runColumns();
    if (withInstant) {
        runColumns << names::calculationInstant();
        run << when.instant;
    }
    if (!insertRow(db, conditionnames::runTable(), runColumns, run, error))
        return false;
    int rank = 0;
    for (const auto& [model, extras] : pumps) {
        ++rank;
        const PumpExtras& x = *extras;
        const bool viscosity = x.viscosity.has_value();
        const bool trimmed = x.trim && !x.trim->limited;
        const QVariantList row = {
            id,
            rank,
            QString::fromStdString(model),
            number(x.bestEfficiencyFlow),
            number(x.bestEfficiencyShare),
            flag(x.inPreferredRegion),
            viscosity ? number(x.viscosity->b) : none,
            viscosity ? number(x.viscosity->cq) : none,
            viscosity ? number(x.viscosity->ch) : none,
            viscosity ? number(x.viscosity->ceta) : none,
            x.npsh ? number(x.npsh->available) : none,
            x.npsh ? number(x.npsh->required) : none,
            x.npsh ? flag(x.npsh->ok) : QVariant(QMetaType(QMetaType::Double)),
            x.trim ? number(x.trim->ratio) : none,
            x.trim ? optionalNumber(x.trim->diameter) : none,
            trimmed ? number(x.trim->shaftPower) : none,
            trimmed ? number(x.trim->efficiency) : none,
            x.trim ? flag(x.trim->limited) : QVariant(QMetaType(QMetaType::Double)),
        };
        if (!insertRow(db, conditionnames::pumpTable(), conditionnames::pumpColumns(), row, error))
            return false;
    }
    return true;
}

Expected<ConditionFigures, QString> readConditionFigures(const QSqlDatabase& db, bool allRuns)
{
    using Result = Expected<ConditionFigures, QString>;
    ConditionFigures figures;
    const QStringList runColumns = {QStringLiteral("计算时间"), QStringLiteral("选型方式"),
                                    QStringLiteral("介质"),     QStringLiteral("浓度"),
                                    QStringLiteral("温度"),     QStringLiteral("吸入口绝对压力")};
    const QStringList pumpColumns = {QStringLiteral("所选型号"),      QStringLiteral("最高效率点流量比"),
                                     QStringLiteral("粘度参数B"),     QStringLiteral("有效汽蚀余量"),
                                     QStringLiteral("必需汽蚀余量"),  QStringLiteral("叶轮切削比"),
                                     QStringLiteral("切削后叶轮外径")};
    figures.columns = runColumns + pumpColumns;
    const auto tables = readTableInfo(db);
    if (!tables)
        return Result::failure(tables.error());
    int present = 0;
    for (const TableInfo& t : tables.value())
        present += t.name == conditionnames::runTable() || t.name == conditionnames::pumpTable() ? 1 : 0;
    if (present < 2)
        return figures;
    QStringList quoted;
    for (const QString& c : runColumns)
        quoted << QStringLiteral("r.") + quotedName(c);
    for (const QString& c : pumpColumns)
        quoted << QStringLiteral("p.") + quotedName(c);
    const QString id = quotedName(QStringLiteral("计算标识"));
    QString sql = QStringLiteral("SELECT %1 FROM %2 p JOIN %3 r ON r.%4 = p.%4")
                      .arg(quoted.join(QLatin1Char(',')), quotedName(conditionnames::pumpTable()),
                           quotedName(conditionnames::runTable()), id);
    // The latest run is the one whose rows "水泵选型结果1" holds: the same
    // calculation time and method (and on a server the same engineer). Of
    // two such runs within one second only the last counts, so that the
    // figures of two runs are never shown as one.
    if (!allRuns) {
        const QString latest = quotedName(names::latestResultsTable());
        const QString time = quotedName(names::calculationTime());
        const QString method = quotedName(names::method());
        const QString own =
            isServer(db) ? QStringLiteral(" AND l.%1 = current_user").arg(quotedName(userColumn())) : QString();
        sql += QStringLiteral(" WHERE r.%1 = (SELECT l.%1 FROM %2 l WHERE l.%3 = (SELECT max(%3) FROM %4) "
                              "AND l.%5 = (SELECT max(%5) FROM %4)%6%7 DESC LIMIT 1)")
                   .arg(id, quotedName(conditionnames::runTable()), time, latest, method, own,
                        storedOrderClause(QStringLiteral("l")));
    }
    sql += storedOrderClause(QStringLiteral("r")) + QStringLiteral(", p.%1").arg(quotedName(QStringLiteral("序次")));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        return Result::failure(
            databaseErrorText(QStringLiteral("读取“%1”").arg(conditionnames::pumpTable()), q.lastError()));
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < figures.columns.size(); ++i)
            row << q.value(i);
        figures.rows << row;
    }
    if (q.lastError().isValid())
        return Result::failure(
            databaseErrorText(QStringLiteral("读取“%1”").arg(conditionnames::pumpTable()), q.lastError()));
    return figures;
}

} // namespace tarnwick::store
