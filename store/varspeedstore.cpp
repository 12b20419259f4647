#include "store/varspeedstore.h"

#include "store/database.h"
#include "store/dbcopy.h"
#include "store/fieldcheck.h"
#include "store/names.h"
#include "store/preparedinsert.h"
#include "store/results.h"
#include "store/schema.h"

#include "core/fluid.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>
#include <optional>

namespace tarnwick::store {

namespace {

namespace field {
inline QString id()
{
    return QStringLiteral("序号");
}
inline QString run()
{
    return QStringLiteral("运行序号");
}
inline QString rank()
{
    return QStringLiteral("排名");
}
inline QString control()
{
    return QStringLiteral("控制方式");
}
inline QString dutyPumps()
{
    return QStringLiteral("工作泵台数");
}
inline QString standbyPumps()
{
    return QStringLiteral("备用泵台数");
}
inline QString motorRating()
{
    return QStringLiteral("电机功率");
}
inline QString designSpeed()
{
    return QStringLiteral("设计转速比");
}
inline QString energy()
{
    return QStringLiteral("年耗电量");
}
inline QString cost()
{
    return QStringLiteral("年电费");
}
inline QString weighted()
{
    return QStringLiteral("加权效率");
}
inline QString result()
{
    return QStringLiteral("结果序号");
}
inline QString point()
{
    return QStringLiteral("负荷序号");
}
inline QString flowShare()
{
    return QStringLiteral("流量比例");
}
inline QString timeShare()
{
    return QStringLiteral("时间比例");
}
inline QString running()
{
    return QStringLiteral("运行台数");
}
inline QString speedShare()
{
    return QStringLiteral("转速比");
}
inline QString bepRatio()
{
    return QStringLiteral("等效流量比");
}
inline QString pumpEta()
{
    return QStringLiteral("水泵效率");
}
inline QString shaftPower()
{
    return QStringLiteral("轴功率");
}
inline QString motorEta()
{
    return QStringLiteral("电机效率");
}
inline QString driveEta()
{
    return QStringLiteral("变频器效率");
}
inline QString inputPower()
{
    return QStringLiteral("输入功率");
}
inline QString wireToWater()
{
    return QStringLiteral("综合效率");
}
} // namespace field

} // namespace

namespace varspeednames {

QStringList conditionsColumns()
{
    return {QStringLiteral("运行序号"), QStringLiteral("介质"),           QStringLiteral("浓度"),
            QStringLiteral("温度"),     QStringLiteral("密度"),           QStringLiteral("运动粘度"),
            QStringLiteral("汽化压力"), QStringLiteral("吸入口绝对压力"), QStringLiteral("汽蚀余量系数")};
}

QStringList suctionColumns()
{
    return {QStringLiteral("结果序号"),     QStringLiteral("负荷序号"),     QStringLiteral("粘度参数B"),
            QStringLiteral("流量修正系数"), QStringLiteral("扬程修正系数"), QStringLiteral("效率修正系数"),
            QStringLiteral("有效汽蚀余量"), QStringLiteral("必需汽蚀余量"), QStringLiteral("汽蚀余量满足")};
}

} // namespace varspeednames

namespace {

QStringList resultColumns()
{
    return {names::calculationTime(), field::control(),     names::totalHead(),    names::designFlow(),
            names::staticHead(),      field::dutyPumps(),   field::standbyPumps(), names::selectedModel(),
            field::motorRating(),     field::designSpeed(), field::energy(),       field::cost(),
            field::weighted()};
}

QStringList pointColumns()
{
    return {field::point(),    field::flowShare(),  field::timeShare(),  names::designFlow(), names::head(),
            field::running(),  field::speedShare(), field::bepRatio(),   field::pumpEta(),    field::shaftPower(),
            field::motorEta(), field::driveEta(),   field::inputPower(), field::wireToWater()};
}

// `what` names the action ("读取“…”"); the text adds what to do and the driver's words.
QString databaseError(const QString& what, const QSqlQuery& query)
{
    return databaseErrorText(what, query.lastError());
}

VarSpeedFailure dbFailure(const QString& message)
{
    VarSpeedFailure f;
    f.kind = VarSpeedFailure::Kind::Database;
    f.databaseError = message;
    return f;
}

// One prepared insert into a table, run once per row.
class RowInserter
{
public:
    RowInserter(QSqlDatabase db, const QString& table, const QStringList& columns)
        : m_table(table), m_insert(db, insertSql(db, table, columns))
    {
    }

    bool insert(const QVariantList& values, qint64* id, QString* error)
    {
        if (!m_insert.exec(values)) {
            *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(m_table),
                                       m_insert.lastError());
            return false;
        }
        if (id)
            *id = m_insert.insertedKey();
        return true;
    }

private:
    static QString insertSql(const QSqlDatabase& db, const QString& table, const QStringList& columns)
    {
        QStringList quoted;
        QStringList marks;
        for (const QString& c : columns) {
            quoted << quotedName(c);
            marks << QStringLiteral("?");
        }
        // A server hands a new result row's key back with the insert.
        const bool returning = isServer(db) && table == varspeednames::resultsTable();
        return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)%4")
            .arg(quotedName(table), quoted.join(QLatin1Char(',')), marks.join(QLatin1Char(',')),
                 returning ? QStringLiteral(" RETURNING %1").arg(quotedName(field::id())) : QString());
    }

    QString m_table;
    PreparedInsert m_insert;
};

QVariantList pointValues(int index, const VarSpeedPoint& p, const VarSpeedPump& pump)
{
    return {index,
            p.flowShare,
            p.timeShare,
            p.flow,
            p.head,
            p.running,
            p.speedShare,
            p.equivalentFlow / pump.curves.bestEfficiencyFlow,
            p.pumpEfficiency,
            p.shaftPower,
            p.motorEfficiency,
            p.driveEfficiency,
            p.inputPower,
            p.wireToWaterEfficiency};
}

QVariant number(double v)
{
    return std::isfinite(v) ? QVariant(v) : QVariant(QMetaType(QMetaType::Double));
}

// The liquid and suction of the run and of each stored point. The run's
// number and the result rows' keys join them to the stored result tables.
bool writeConditions(QSqlDatabase db, const VarSpeedRequest& req, const std::vector<const VarSpeedPump*>& pumps,
                     const std::vector<qint64>& ids, qint64 runNumber, QString* error)
{
    const ServiceConditions& c = req.conditions;
    if (!c.fluid && !c.suctionAbsolutePressure)
        return true;
    if (!ensureVarSpeedConditionTables(db, error))
        return false;
    const QVariant none(QMetaType(QMetaType::Double));
    const bool glycol = c.fluid && c.fluid->kind != FluidKind::Water;
    RowInserter run(db, varspeednames::conditionsTable(), varspeednames::conditionsColumns());
    const QVariantList values = {
        runNumber,
        c.fluid ? QVariant(QString::fromUtf8(fluidKeyword(c.fluid->kind).data(),
                                             static_cast<qsizetype>(fluidKeyword(c.fluid->kind).size())))
                : QVariant(QMetaType(QMetaType::QString)),
        glycol ? number(c.fluid->concentration) : none,
        c.fluid ? number(c.fluid->temperature) : none,
        number(req.density),
        c.fluid ? number(c.properties.kinematicViscosity) : none,
        number(c.properties.vapourPressure),
        c.suctionAbsolutePressure ? number(*c.suctionAbsolutePressure) : none,
        c.suctionAbsolutePressure ? number(c.npshMarginRatio) : none,
    };
    if (!run.insert(values, nullptr, error))
        return false;
    RowInserter points(db, varspeednames::suctionTable(), varspeednames::suctionColumns());
    for (std::size_t k = 0; k < pumps.size(); ++k) {
        const VarSpeedPump& pump = *pumps[k];
        const std::optional<ViscosityCorrection>& v = pump.curves.viscosity;
        for (int i = 0; i <= static_cast<int>(pump.points.size()); ++i) {
            const VarSpeedPoint& p = i == 0 ? pump.design : pump.points[static_cast<std::size_t>(i - 1)];
            const QVariantList row = {ids[k],
                                      i,
                                      v ? number(v->b) : none,
                                      v ? number(v->cq) : none,
                                      v ? number(v->ch) : none,
                                      v ? number(v->ceta) : none,
                                      p.npsh ? number(p.npsh->available) : none,
                                      p.npsh ? number(p.npsh->required) : none,
                                      p.npsh ? QVariant(p.npsh->ok ? 1 : 0) : none};
            if (!points.insert(row, nullptr, error))
                return false;
        }
    }
    return true;
}

bool writeRun(QSqlDatabase db, const VarSpeedRequest& req, const std::vector<const VarSpeedPump*>& pumps,
              qint64* runNumber, QString* error)
{
    if (!ensureVarSpeedTables(db, error))
        return false;
    // On a server the run number comes from its own sequence, so that runs
    // stored at once never share one; a file's write transaction holds the
    // whole file, so the next number after the highest is free.
    QSqlQuery q(db);
    const QString next = isServer(db)
                             ? QStringLiteral("SELECT nextval('%1')").arg(quotedName(runNumberSequence()))
                             : QStringLiteral("SELECT coalesce(max(%1), 0) + 1 FROM %2")
                                   .arg(quotedName(field::run()), quotedName(varspeednames::resultsTable()));
    if (!q.exec(next) || !q.next()) {
        *error = databaseError(
            QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(varspeednames::resultsTable()), q);
        return false;
    }
    *runNumber = q.value(0).toLongLong();
    bool withInstant = false;
    if (!ensureInstantColumn(db, varspeednames::resultsTable(), &withInstant, error))
        return false;
    const RunTime time = runTimeNow();
    RowInserter results(db, varspeednames::resultsTable(),
                        QStringList{field::run(), field::rank()} + resultColumns() +
                            (withInstant ? QStringList{names::calculationInstant()} : QStringList{}));
    RowInserter points(db, varspeednames::pointsTable(), QStringList{field::result()} + pointColumns());
    int rank = 0;
    std::vector<qint64> ids;
    for (const VarSpeedPump* pump : pumps) {
        ++rank;
        QVariantList values = {*runNumber,
                               rank,
                               time.text,
                                     QString::fromUtf8(controlModeName(req.control)),
                                     req.duty.resistance,
                                     req.duty.flow,
                                     static_cast<double>(req.duty.staticHead),
                                     req.dutyPumps,
                                     req.standbyPumps,
                                     QString::fromStdString(pump->curves.model),
                                     pump->motorRating,
                                     pump->design.speedShare,
                                     pump->annualEnergy,
                                     pump->annualCost,
                                     pump->weightedEfficiency};
        if (withInstant)
            values << time.instant;
        qint64 id = 0;
        if (!results.insert(values, &id, error))
            return false;
        ids.push_back(id);
        for (int i = 0; i <= static_cast<int>(pump->points.size()); ++i) {
            const VarSpeedPoint& p = i == 0 ? pump->design : pump->points[static_cast<std::size_t>(i - 1)];
            if (!points.insert(QVariantList{id} + pointValues(i, p, *pump), nullptr, error))
                return false;
        }
    }
    return writeConditions(db, req, pumps, ids, *runNumber, error);
}

VarSpeedFailure messageFailure(const VarSpeedStop& stop)
{
    VarSpeedFailure f;
    f.stop = stop;
    return f;
}

// With `withInstant`, the statement's last column is the run's moment.
Expected<StoredTable, QString> readStored(const QSqlDatabase& db, const QString& sql, const QString& source,
                                          bool withInstant = false)
{
    using Result = Expected<StoredTable, QString>;
    StoredTable table;
    table.source = source;
    table.databasePath = databaseFilePath(db);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        return Result::failure(
            databaseError(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(source), q));
    const QSqlRecord record = q.record();
    const int fields = record.count() - (withInstant ? 1 : 0);
    for (int i = 0; i < fields; ++i)
        table.columns << record.fieldName(i);
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < fields; ++i)
            row << q.value(i);
        table.rows << row;
        if (withInstant)
            table.instants << q.value(fields);
    }
    // A read that stops at a damaged page is an error, not the table's end.
    if (q.lastError().isValid())
        return Result::failure(
            databaseError(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(source), q));
    return table;
}

// The latest run: on a server the engineer's own latest, for everyone's runs
// share the table there.
QString latestRunFilter(const QSqlDatabase& db, const QString& alias)
{
    const QString table = quotedName(varspeednames::resultsTable());
    const QString run = quotedName(field::run());
    if (!isServer(db))
        return QStringLiteral(" WHERE %1%2 = (SELECT max(%2) FROM %3)").arg(alias, run, table);
    const QString user = quotedName(userColumn());
    return QStringLiteral(" WHERE %1%2 = current_user AND %1%3 = (SELECT max(%3) FROM %4 WHERE %2 = current_user)")
        .arg(alias, user, run, table);
}

bool tableExists(const QSqlDatabase& db, const QString& name, QString* error)
{
    const auto tables = readTableInfo(db);
    if (!tables) {
        *error = tables.error();
        return false;
    }
    for (const TableInfo& table : tables.value()) {
        if (table.name == name)
            return true;
    }
    return false;
}

// Makes a table (or the run sequence) as the engine's schema has it.
bool createFromSchema(const QSqlDatabase& db, const QString& name, QString* error)
{
    const QString statement = varSpeedSchemaStatement(name, isServer(db));
    if (statement.isEmpty()) {
        *error = QCoreApplication::translate("tarnwick::store", "程序中缺少数据库结构。");
        return false;
    }
    QSqlQuery q(db);
    if (q.exec(statement))
        return true;
    *error = databaseError(QCoreApplication::translate("tarnwick::store", "建立“%1”").arg(name), q);
    return false;
}

} // namespace

bool ensureVarSpeedTables(const QSqlDatabase& db, QString* error)
{
    // Two first runs on a server would both make the tables, and the second
    // would fail on the first's half-made type; it waits here, inside its
    // transaction, until the first has committed them.
    if (isServer(db)) {
        QSqlQuery lock(db);
        if (!lock.exec(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('tarnwick variable-speed tables'))"))) {
            *error = databaseError(
                QCoreApplication::translate("tarnwick::store", "建立“%1”").arg(varspeednames::resultsTable()), lock);
            return false;
        }
    }
    // Tables that are there are left alone: on a server an engineer may
    // store results without the right to make tables.
    const bool haveResults = tableExists(db, varspeednames::resultsTable(), error);
    if (!error->isEmpty())
        return false;
    const bool havePoints = tableExists(db, varspeednames::pointsTable(), error);
    if (!error->isEmpty())
        return false;
    if (haveResults && havePoints) {
        // Tables made on a server by an earlier version lack the engineer's
        // name and the run numbering; only the owner can add them.
        if (!isServer(db) || serverSchemaIsCurrent(db, error))
            return error->isEmpty();
        if (error->isEmpty())
            *error = QCoreApplication::translate(
                         "tarnwick::store", "服务器上的“%1”“%2”是旧版本建立的，缺少字段“%3”或运行序号。"
                                            "请数据库管理员运行 tarnwick-cli init-db 数据库地址 --roles 更新数据库。")
                         .arg(varspeednames::resultsTable(), varspeednames::pointsTable(), userColumn());
        return false;
    }
    QStringList made = {varspeednames::resultsTable(), varspeednames::pointsTable()};
    if (isServer(db))
        made << runNumberSequence();
    for (const QString& name : std::as_const(made)) {
        if (!createFromSchema(db, name, error))
            return false;
    }
    return true;
}

bool ensureVarSpeedConditionTables(const QSqlDatabase& db, QString* error)
{
    // Two first runs on a server would both make the tables; the second
    // waits here, inside its transaction, until the first has committed them.
    QSqlQuery q(db);
    if (isServer(db) &&
        !q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('tarnwick variable-speed condition tables'))"))) {
        *error = databaseError(
            QCoreApplication::translate("tarnwick::store", "建立“%1”").arg(varspeednames::conditionsTable()), q);
        return false;
    }
    // Tables that are there are left alone: on a server an engineer may
    // store results without the right to make tables, and even "IF NOT
    // EXISTS" asks for that right.
    for (const QString& table : {varspeednames::conditionsTable(), varspeednames::suctionTable()}) {
        const bool present = tableExists(db, table, error);
        if (!error->isEmpty())
            return false;
        if (!present && !createFromSchema(db, table, error))
            return false;
    }
    return true;
}

Expected<VarSpeedRun, VarSpeedFailure> runVarSpeed(Connection& connection, const VarSpeedTexts& texts,
                                                   const std::optional<std::string>& model,
                                                   const VarSpeedProgress& progress, RejectedList list)
{
    using Result = Expected<VarSpeedRun, VarSpeedFailure>;
    if (auto request = readVarSpeedRequest(texts); !request)
        return Result::failure(messageFailure(request.error()));
    auto catalogue = readCatalogueSnapshot(connection.database());
    if (!catalogue)
        return Result::failure(dbFailure(catalogue.error()));
    return runVarSpeedOn(connection, catalogue.value(), texts, model, progress, list);
}

Expected<VarSpeedRun, VarSpeedFailure> runVarSpeedOn(Connection& connection, const Catalogue& catalogue,
                                                     const VarSpeedTexts& texts,
                                                     const std::optional<std::string>& model,
                                                     const VarSpeedProgress& progress, RejectedList list)
{
    using Result = Expected<VarSpeedRun, VarSpeedFailure>;
    auto request = readVarSpeedRequest(texts);
    if (!request)
        return Result::failure(messageFailure(request.error()));

    VarSpeedRun run;
    std::vector<const VarSpeedPump*> stored;
    if (model) {
        auto single = evaluateVarSpeedModel(catalogue, request.value(), *model);
        if (!single)
            return Result::failure(messageFailure(single.error()));
        run.selection.request = request.value();
        run.single = std::move(single).value();
        if (*run.single)
            stored.push_back(&run.single->value());
    } else {
        run.selection = runVarSpeedSelection(catalogue, request.value(), progress, list);
        if (run.selection.cancelled) {
            VarSpeedFailure cancelled;
            cancelled.kind = VarSpeedFailure::Kind::Cancelled;
            return Result::failure(cancelled);
        }
        for (const VarSpeedPump& pump : run.selection.accepted)
            stored.push_back(&pump);
    }
    if (stored.empty())
        return run;

    QString error;
    qint64 number = 0;
    if (!inTransaction(
            connection.database(),
            [&] { return writeRun(connection.database(), request.value(), stored, &number, &error); }, &error))
        return Result::failure(
            dbFailure(QCoreApplication::translate("tarnwick::store", "保存变速选型结果失败：%1").arg(error)));
    run.runNumber = number;
    return run;
}

Expected<StoredTable, QString> readVarSpeedResults(const QSqlDatabase& db, bool allRuns)
{
    QString error;
    const bool exists = tableExists(db, varspeednames::resultsTable(), &error);
    if (!error.isEmpty())
        return Expected<StoredTable, QString>::failure(error);
    if (!exists)
        return StoredTable{varspeednames::resultsTable(), resultColumns(), {}, databaseFilePath(db), {}};
    bool withInstant = false;
    if (!hasColumn(db, varspeednames::resultsTable(), names::calculationInstant(), &withInstant, &error))
        return Expected<StoredTable, QString>::failure(error);
    QStringList quoted;
    for (const QString& c : resultColumns())
        quoted << quotedName(c);
    if (withInstant)
        quoted << quotedName(names::calculationInstant());
    const QString table = quotedName(varspeednames::resultsTable());
    const QString run = quotedName(field::run());
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(quoted.join(QLatin1Char(',')), table);
    if (!allRuns)
        sql += latestRunFilter(db, QString());
    sql += QStringLiteral(" ORDER BY %1, %2").arg(run, quotedName(field::rank()));
    return readStored(db, sql, varspeednames::resultsTable(), withInstant);
}

Expected<StoredTable, QString> readVarSpeedPoints(const QSqlDatabase& db, bool allRuns)
{
    QString error;
    const bool exists = tableExists(db, varspeednames::pointsTable(), &error);
    if (!error.isEmpty())
        return Expected<StoredTable, QString>::failure(error);
    const QStringList columns = QStringList{names::selectedModel()} + pointColumns();
    if (!exists)
        return StoredTable{varspeednames::pointsTable(), columns, {}, databaseFilePath(db), {}};
    QStringList quoted = {QStringLiteral("r.") + quotedName(names::selectedModel())};
    for (const QString& c : pointColumns())
        quoted << QStringLiteral("p.") + quotedName(c);
    const QString results = quotedName(varspeednames::resultsTable());
    const QString run = quotedName(field::run());
    QString sql = QStringLiteral("SELECT %1 FROM %2 p JOIN %3 r ON p.%4 = r.%5")
                      .arg(quoted.join(QLatin1Char(',')), quotedName(varspeednames::pointsTable()), results,
                           quotedName(field::result()), quotedName(field::id()));
    if (!allRuns)
        sql += latestRunFilter(db, QStringLiteral("r."));
    sql += QStringLiteral(" ORDER BY r.%1, r.%2, p.%3").arg(run, quotedName(field::rank()), quotedName(field::point()));
    return readStored(db, sql, varspeednames::pointsTable());
}

Expected<StoredTable, QString> readVarSpeedSuction(const QSqlDatabase& db, bool allRuns)
{
    QString error;
    const bool exists = tableExists(db, varspeednames::suctionTable(), &error) &&
                        tableExists(db, varspeednames::conditionsTable(), &error);
    if (!error.isEmpty())
        return Expected<StoredTable, QString>::failure(error);
    QStringList runColumns = varspeednames::conditionsColumns().mid(1);
    QStringList pointColumns = varspeednames::suctionColumns().mid(1);
    const QStringList columns = QStringList{names::selectedModel()} + runColumns + pointColumns;
    if (!exists)
        return StoredTable{varspeednames::suctionTable(), columns, {}, databaseFilePath(db), {}};
    QStringList quoted = {QStringLiteral("r.") + quotedName(names::selectedModel())};
    for (const QString& c : runColumns)
        quoted << QStringLiteral("c.") + quotedName(c);
    for (const QString& c : pointColumns)
        quoted << QStringLiteral("s.") + quotedName(c);
    const QString run = quotedName(field::run());
    QString sql = QStringLiteral("SELECT %1 FROM %2 s JOIN %3 r ON s.%4 = r.%5 JOIN %6 c ON c.%7 = r.%7")
                      .arg(quoted.join(QLatin1Char(',')), quotedName(varspeednames::suctionTable()),
                           quotedName(varspeednames::resultsTable()), quotedName(field::result()),
                           quotedName(field::id()), quotedName(varspeednames::conditionsTable()), run);
    if (!allRuns)
        sql += latestRunFilter(db, QStringLiteral("r."));
    sql += QStringLiteral(" ORDER BY r.%1, r.%2, s.%3").arg(run, quotedName(field::rank()), quotedName(field::point()));
    return readStored(db, sql, varspeednames::suctionTable());
}

} // namespace tarnwick::store
