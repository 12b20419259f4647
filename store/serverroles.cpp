#include "store/serverroles.h"

#include "store/conditionstore.h"
#include "store/database.h"
#include "store/names.h"
#include "store/schema.h"
#include "store/varspeedstore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace tarnwick::store {

namespace {

QString list(const QStringList& tables)
{
    QStringList quoted;
    for (const QString& table : tables)
        quoted.append(quotedName(table));
    return quoted.join(QStringLiteral(", "));
}

QStringList statements()
{
    const QString engineer = quotedName(engineerRole());
    const QString maintainer = quotedName(maintainerRole());
    const QString user = quotedName(userColumn());
    const QStringList catalogue = {names::pumpTable(), names::pointTable(), names::schematicTable(),
                                   names::companyTable()};
    const QStringList results = perEngineerTables();
    QStringList sql;
    // Roles belong to the whole server: another database of the office may
    // have made them already.
    sql << QStringLiteral("DO $$BEGIN "
                          "IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = '%1') THEN CREATE ROLE %3 NOLOGIN; END IF; "
                          "IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = '%2') THEN CREATE ROLE %4 NOLOGIN; END IF; "
                          "END$$")
               .arg(engineerRole(), maintainerRole(), engineer, maintainer);
    sql << QStringLiteral("GRANT %1 TO %2").arg(engineer, maintainer);

    // Rights given before (by hand or by an earlier version) are taken back
    // first, so that the roles hold exactly these.
    sql << QStringLiteral("REVOKE ALL ON %1, %2 FROM %3, %4")
               .arg(list(catalogue + results), quotedName(names::pumpView()), engineer, maintainer);
    sql << QStringLiteral("GRANT SELECT ON %1, %2 TO %3").arg(list(catalogue), quotedName(names::pumpView()), engineer);
    sql << QStringLiteral("GRANT SELECT, INSERT ON %1 TO %2").arg(list(results), engineer);
    sql << QStringLiteral("GRANT DELETE ON %1 TO %2").arg(quotedName(names::latestResultsTable()), engineer);
    sql << QStringLiteral("GRANT USAGE ON SEQUENCE %1 TO %2").arg(quotedName(runNumberSequence()), engineer);
    sql << QStringLiteral("GRANT INSERT, UPDATE, DELETE ON %1 TO %2").arg(list(catalogue), maintainer);

    // Row-level security: whatever rights a role is given, a row goes in
    // only in its own name, and only the own latest results can go.
    for (const QString& table : results) {
        const QString t = quotedName(table);
        sql << QStringLiteral("ALTER TABLE %1 ENABLE ROW LEVEL SECURITY").arg(t);
        for (const char* policy : {"tarnwick_read", "tarnwick_insert", "tarnwick_delete"})
            sql << QStringLiteral("DROP POLICY IF EXISTS %1 ON %2").arg(QLatin1String(policy), t);
        const bool latest = table == names::latestResultsTable();
        sql << QStringLiteral("CREATE POLICY tarnwick_read ON %1 FOR SELECT USING (%2)")
                   .arg(t, latest ? QStringLiteral("%1 = current_user").arg(user) : QStringLiteral("true"));
        QString check = QStringLiteral("%1 = current_user").arg(user);
        // A load point belongs to a result row of the same engineer.
        if (table == varspeednames::pointsTable() || table == varspeednames::suctionTable())
            check += QStringLiteral(" AND EXISTS (SELECT 1 FROM %1 r WHERE r.%2 = %3 AND r.%4 = current_user)")
                         .arg(quotedName(varspeednames::resultsTable()), quotedName(QStringLiteral("序号")),
                              quotedName(QStringLiteral("结果序号")), user);
        // So does a pump's liquid, suction and impeller figures to its run.
        if (table == conditionnames::pumpTable())
            check += QStringLiteral(" AND EXISTS (SELECT 1 FROM %1 r WHERE r.%2 = %3.%2 AND r.%4 = current_user)")
                         .arg(quotedName(conditionnames::runTable()), quotedName(QStringLiteral("计算标识")), t, user);
        // And a variable-speed run's liquid and suction to that run.
        if (table == varspeednames::conditionsTable())
            check += QStringLiteral(" AND EXISTS (SELECT 1 FROM %1 r WHERE r.%2 = %3.%2 AND r.%4 = current_user)")
                         .arg(quotedName(varspeednames::resultsTable()), quotedName(QStringLiteral("运行序号")), t, user);
        sql << QStringLiteral("CREATE POLICY tarnwick_insert ON %1 FOR INSERT WITH CHECK (%2)").arg(t, check);
        if (latest)
            sql << QStringLiteral("CREATE POLICY tarnwick_delete ON %1 FOR DELETE USING (%2 = current_user)").arg(t, user);
    }
    return sql;
}

} // namespace

bool setUpServerRoles(QSqlDatabase db, QString* error)
{
    if (!isServer(db)) {
        *error = QStringLiteral("角色和权限只能在 PostgreSQL 服务器上设定。");
        return false;
    }
    // The variable-speed tables and the run numbering must be there to be
    // granted.
    if (!upgradeServerSchema(db, error) || !ensureVarSpeedTables(db, error) || !ensureConditionTables(db, error) ||
        !ensureVarSpeedConditionTables(db, error))
        return false;
    QSqlQuery query(db);
    for (const QString& statement : statements()) {
        if (!query.exec(statement)) {
            *error = databaseErrorText(QStringLiteral("设定角色和权限"), query.lastError());
            return false;
        }
    }
    return true;
}

} // namespace tarnwick::store
