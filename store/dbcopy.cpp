#include "store/dbcopy.h"

#include "store/database.h"
#include "store/names.h"
#include "store/schema.h"
#include "store/varspeedstore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tarnwick::store {

namespace {

// SQLite's rules for the type a declared column takes.
ColumnKind kindOfDeclaredType(const QString& declared)
{
    const QString type = declared.toUpper();
    if (type.contains(QLatin1String("INT")))
        return ColumnKind::Integer;
    if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("CLOB")) ||
        type.contains(QLatin1String("TEXT")))
        return ColumnKind::Text;
    if (type.isEmpty() || type.contains(QLatin1String("BLOB")))
        return ColumnKind::Blob;
    return ColumnKind::Real;
}

ColumnKind kindOfServerType(const QString& type)
{
    if (type == QLatin1String("bigint") || type == QLatin1String("integer") || type == QLatin1String("smallint"))
        return ColumnKind::Integer;
    if (type == QLatin1String("double precision") || type == QLatin1String("real") ||
        type == QLatin1String("numeric"))
        return ColumnKind::Real;
    if (type == QLatin1String("bytea"))
        return ColumnKind::Blob;
    return ColumnKind::Text;
}

QString typeName(ColumnKind kind, bool server)
{
    switch (kind) {
    case ColumnKind::Integer:
        return server ? QStringLiteral("bigint") : QStringLiteral("INTEGER");
    case ColumnKind::Real:
        return server ? QStringLiteral("double precision") : QStringLiteral("REAL");
    case ColumnKind::Text:
        return server ? QStringLiteral("text") : QStringLiteral("TEXT");
    case ColumnKind::Blob:
        return server ? QStringLiteral("bytea") : QStringLiteral("BLOB");
    }
    return QString();
}

bool isVarSpeedTable(const QString& table)
{
    return table == varspeednames::resultsTable() || table == varspeednames::pointsTable();
}

// The variable-speed tables number their rows with a key of their own, which
// the program makes as that engine makes such keys; their rows are copied
// with their keys.
bool makeTable(QSqlDatabase db, const TableInfo& table, QString* error)
{
    if (!isVarSpeedTable(table.name))
        return createTable(db, table, error);
    if (!ensureVarSpeedTables(db, error))
        return false;
    // A copy of a server's variable-speed tables into a file keeps the
    // engineer's name, which the file's own tables do not have.
    const auto made = readTableInfo(db);
    if (!made) {
        *error = made.error();
        return false;
    }
    QStringList have;
    for (const TableInfo& t : made.value()) {
        if (t.name == table.name) {
            for (const ColumnInfo& column : t.columns)
                have.append(column.name);
        }
    }
    QSqlQuery query(db);
    for (const ColumnInfo& column : table.columns) {
        if (have.contains(column.name))
            continue;
        const QString definition = column.name == userColumn()
                                       ? userColumnDefinition(isServer(db))
                                       : quotedName(column.name) + QLatin1Char(' ') + typeName(column.kind, isServer(db));
        if (!query.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(quotedName(table.name), definition))) {
            *error = databaseErrorText(
                QCoreApplication::translate("tarnwick::store", "为“%1”添加字段“%2”").arg(table.name, column.name),
                query.lastError());
            return false;
        }
    }
    return true;
}

// What the administrator granted on the server's tables and views and their
// row-level security, as the statements that give it back to the tables a
// replacing copy makes anew. The owner's own rights come with ownership.
bool rightsStatements(QSqlDatabase db, const QStringList& relations, QStringList* statements, QString* error)
{
    if (relations.isEmpty())
        return true;
    QStringList marks;
    for (int i = 0; i < relations.size(); ++i)
        marks.append(QStringLiteral("?"));
    const QString in = marks.join(QStringLiteral(", "));
    const QString grants = QStringLiteral(
        "SELECT format('GRANT %s ON %I TO %s%s', a.privilege_type, c.relname, "
        "CASE WHEN a.grantee = 0 THEN 'PUBLIC' ELSE quote_ident(g.rolname) END, "
        "CASE WHEN a.is_grantable THEN ' WITH GRANT OPTION' ELSE '' END) "
        "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace CROSS JOIN LATERAL aclexplode(c.relacl) a "
        "LEFT JOIN pg_roles g ON g.oid = a.grantee "
        "WHERE n.nspname = current_schema() AND c.relname IN (%1) AND a.grantee <> c.relowner");
    const QString security = QStringLiteral(
        "SELECT format('ALTER TABLE %I ENABLE ROW LEVEL SECURITY', c.relname) FROM pg_class c "
        "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = current_schema() AND c.relname IN (%1) "
        "AND c.relrowsecurity UNION ALL "
        "SELECT format('ALTER TABLE %I FORCE ROW LEVEL SECURITY', c.relname) FROM pg_class c "
        "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = current_schema() AND c.relname IN (%1) "
        "AND c.relforcerowsecurity");
    const QString policies = QStringLiteral(
        "SELECT format('CREATE POLICY %I ON %I AS %s FOR %s TO %s%s%s', policyname, tablename, permissive, cmd, "
        "(SELECT string_agg(CASE WHEN r = 'public' THEN 'PUBLIC' ELSE quote_ident(r) END, ', ') FROM unnest(roles) r), "
        "CASE WHEN qual IS NULL THEN '' ELSE ' USING (' || qual || ')' END, "
        "CASE WHEN with_check IS NULL THEN '' ELSE ' WITH CHECK (' || with_check || ')' END) "
        "FROM pg_policies WHERE schemaname = current_schema() AND tablename IN (%1)");
    for (const QString& sql : {grants, security, policies}) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(sql.arg(in));
        const int times = sql == security ? 2 : 1;
        for (int t = 0; t < times; ++t) {
            for (const QString& relation : relations)
                query.addBindValue(relation);
        }
        if (!query.exec()) {
            *error =
                databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取表的权限"), query.lastError());
            return false;
        }
        while (query.next())
            statements->append(query.value(0).toString());
    }
    return true;
}

bool isResultTable(const QString& table)
{
    return table == names::allResultsTable() || table == names::latestResultsTable();
}

int columnIndex(const TableInfo& table, const QString& name)
{
    for (int c = 0; c < table.columns.size(); ++c) {
        if (table.columns[c].name == name)
            return c;
    }
    return -1;
}

QString columnList(const TableInfo& table)
{
    QStringList quoted;
    for (const ColumnInfo& column : table.columns)
        quoted.append(quotedName(column.name));
    return quoted.join(QStringLiteral(", "));
}

// A value as its column's kind, whatever the engine handed back.
QVariant asKind(const QVariant& value, ColumnKind kind)
{
    if (value.isNull())
        return QVariant();
    switch (kind) {
    case ColumnKind::Integer: {
        bool ok = false;
        const qlonglong integer = value.toLongLong(&ok);
        return ok ? QVariant(integer) : value;
    }
    case ColumnKind::Real: {
        bool ok = false;
        const double real = value.toDouble(&ok);
        return ok ? QVariant(real) : value;
    }
    case ColumnKind::Text:
        return value.toString();
    case ColumnKind::Blob:
        return value.toByteArray();
    }
    return value;
}

QStringList existingNames(const QSqlDatabase& db)
{
    QStringList names = viewNames(db);
    const auto tables = readTableInfo(db);
    if (tables) {
        for (const TableInfo& table : tables.value())
            names.append(table.name);
    }
    return names;
}

} // namespace

Expected<QList<TableInfo>, QString> readTableInfo(const QSqlDatabase& db)
{
    using Result = Expected<QList<TableInfo>, QString>;
    QList<TableInfo> tables;
    QSqlQuery query(db);
    const bool server = isServer(db);
    const QString list = server ? QStringLiteral("SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                                 "WHERE n.nspname = current_schema() AND c.relkind = 'r' ORDER BY c.oid")
                                : fileTablesSql();
    QSqlError error;
    const bool listed = runReviving(QSqlDatabase(db), [&](QSqlError* e) {
        query = QSqlQuery(db);
        if (query.exec(list))
            return true;
        *e = query.lastError();
        return false;
    }, &error);
    if (!listed)
        return Result::failure(
            databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取数据库结构"), error));
    while (query.next())
        tables.append({query.value(0).toString(), {}});
    for (TableInfo& table : tables) {
        QSqlQuery columns(db);
        if (server) {
            columns.prepare(QStringLiteral("SELECT column_name, data_type, is_nullable FROM information_schema.columns "
                                           "WHERE table_schema = current_schema() AND table_name = ? ORDER BY ordinal_position"));
            columns.addBindValue(table.name);
        } else {
            columns.prepare(QStringLiteral("SELECT name, type, \"notnull\" FROM %1").arg(fileColumnsSource()));
            columns.addBindValue(table.name);
        }
        if (!columns.exec())
            return Result::failure(databaseErrorText(
                QCoreApplication::translate("tarnwick::store", "读取“%1”的结构").arg(table.name), columns.lastError()));
        while (columns.next()) {
            const QString name = columns.value(0).toString();
            // The engineer's name is copied with the rows: a copy into a
            // file keeps who made each one, and a copy back gives it back.
            if (server && name == QLatin1String("rowid"))
                continue;
            ColumnInfo column;
            column.name = name;
            column.kind = server ? kindOfServerType(columns.value(1).toString())
                                 : kindOfDeclaredType(columns.value(1).toString());
            column.notNull = server ? columns.value(2).toString() == QLatin1String("NO") : columns.value(2).toInt() != 0;
            table.columns.append(column);
        }
    }
    return tables;
}

QStringList viewNames(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    QStringList views;
    if (query.exec(isServer(db) ? QStringLiteral("SELECT table_name FROM information_schema.views WHERE table_schema = "
                                                 "current_schema()")
                                : fileViewsSql())) {
        while (query.next())
            views.append(query.value(0).toString());
    }
    return views;
}

bool createTable(QSqlDatabase db, const TableInfo& table, QString* error)
{
    const bool server = isServer(db);
    QStringList columns;
    if (server)
        columns.append(QStringLiteral("rowid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
    for (const ColumnInfo& column : table.columns) {
        if (column.name == userColumn() && isPerEngineerTable(table.name)) {
            if (!server)
                columns.append(userColumnDefinition(false));
            continue;
        }
        columns.append(quotedName(column.name) + QLatin1Char(' ') + typeName(column.kind, server) +
                       (column.notNull ? QStringLiteral(" NOT NULL") : QString()));
    }
    if (server && isPerEngineerTable(table.name))
        columns.append(userColumnDefinition(true));
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quotedName(table.name), columns.join(QStringLiteral(", ")))))
        return true;
    *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "建立表“%1”").arg(table.name),
                               query.lastError());
    return false;
}

bool createPumpView(QSqlDatabase db, QString* error)
{
    namespace n = names;
    QStringList fields;
    // On a server the view carries the stored order with it, to be read by.
    if (isServer(db))
        fields.append(QStringLiteral("rowid"));
    for (const QString& field : {n::pumpType(), n::model(), n::speed(), n::flow(), n::head(), n::shaftPower(),
                                 n::motorPower(), n::npshRequired(), n::impellerDiameter(), n::weight(),
                                 n::installationDimensions(), n::key()})
        fields.append(quotedName(field));
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("CREATE VIEW %1 AS SELECT %2 FROM %3%4")
                        .arg(quotedName(n::pumpView()), fields.join(QStringLiteral(", ")), quotedName(n::pumpTable()),
                             storedOrderClause()))) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "建立查询“%1”").arg(n::pumpView()),
                                   query.lastError());
        return false;
    }
    if (!query.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                        .arg(quotedName(n::pointTable() + QStringLiteral("_") + n::key()), quotedName(n::pointTable()),
                             quotedName(n::key())))) {
        *error = databaseErrorText(
            QCoreApplication::translate("tarnwick::store", "为“%1”建立索引").arg(n::pointTable()), query.lastError());
        return false;
    }
    return true;
}

bool copyStructure(const QSqlDatabase& source, QSqlDatabase target, QString* error)
{
    const auto tables = readTableInfo(source);
    if (!tables) {
        *error = tables.error();
        return false;
    }
    for (const TableInfo& table : tables.value()) {
        if (!makeTable(target, table, error))
            return false;
    }
    if (viewNames(source).contains(names::pumpView()))
        return createPumpView(target, error);
    return true;
}

Expected<TableDigest, QString> tableDigest(const QSqlDatabase& db, const TableInfo& table, const QString& nameForNoUser)
{
    using Result = Expected<TableDigest, QString>;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral("SELECT %1 FROM %2%3").arg(columnList(table), quotedName(table.name), storedOrderClause())))
        return Result::failure(databaseErrorText(
            QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(table.name), query.lastError()));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    TableDigest digest;
    const int user = isPerEngineerTable(table.name) && !nameForNoUser.isEmpty() ? columnIndex(table, userColumn()) : -1;
    while (query.next()) {
        ++digest.rows;
        for (int c = 0; c < table.columns.size(); ++c) {
            QVariant value = asKind(query.value(c), table.columns[c].kind);
            if (c == user && (value.isNull() || value.toString().isEmpty()))
                value = nameForNoUser;
            QByteArray bytes;
            if (value.isNull())
                bytes = "N";
            else if (value.typeId() == QMetaType::LongLong)
                bytes = "I" + QByteArray::number(value.toLongLong());
            else if (value.typeId() == QMetaType::Double)
                bytes = "R" + QByteArray::number(value.toDouble(), 'g', 17);
            else if (value.typeId() == QMetaType::QByteArray)
                bytes = "B" + value.toByteArray().toHex();
            else
                bytes = "T" + value.toString().toUtf8();
            hash.addData(QByteArray(QByteArray::number(bytes.size()) + ':' + bytes));
        }
    }
    if (query.lastError().isValid())
        return Result::failure(databaseErrorText(
            QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(table.name), query.lastError()));
    digest.sum = hash.result();
    return digest;
}

bool copyRows(const QSqlDatabase& source, QSqlDatabase target, const TableInfo& table, const QString& copier,
              const std::function<void(const QString&, qint64)>& progress, qint64* rows, QString* error)
{
    *rows = 0;
    QSqlQuery read(source);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT %1 FROM %2%3")
                       .arg(columnList(table), quotedName(table.name), storedOrderClause()))) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(table.name),
                                   read.lastError());
        return false;
    }
    QStringList marks;
    for (int c = 0; c < table.columns.size(); ++c)
        marks.append(QStringLiteral("?"));
    QSqlQuery insert(target);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(quotedName(table.name), columnList(table), marks.join(QStringLiteral(", "))))) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(table.name),
                                   insert.lastError());
        return false;
    }
    const int user = isServer(target) && isPerEngineerTable(table.name) ? columnIndex(table, userColumn()) : -1;
    while (read.next()) {
        for (int c = 0; c < table.columns.size(); ++c) {
            QVariant value = asKind(read.value(c), table.columns[c].kind);
            // A row the file program made carries no name; on the server it
            // is the copier's.
            if (c == user && (value.isNull() || value.toString().isEmpty()))
                value = copier;
            insert.bindValue(c, value);
        }
        if (!insert.exec()) {
            *error = databaseErrorText(
                QCoreApplication::translate("tarnwick::store", "写入“%1”第 %2 行").arg(table.name).arg(*rows + 1),
                insert.lastError());
            return false;
        }
        ++*rows;
        if (progress && *rows % 1000 == 0)
            progress(table.name, *rows);
    }
    if (read.lastError().isValid()) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(table.name),
                                   read.lastError());
        return false;
    }
    return true;
}

Expected<QList<CopiedTable>, QString> copyDatabase(const QSqlDatabase& source, QSqlDatabase target,
                                                   const CopyOptions& options)
{
    using Result = Expected<QList<CopiedTable>, QString>;
    const ReadSnapshot snapshot(source);
    if (!snapshot.isValid())
        return Result::failure(snapshot.error());
    const auto tables = readTableInfo(source);
    if (!tables)
        return Result::failure(tables.error());
    if (tables->isEmpty())
        return Result::failure(QCoreApplication::translate("tarnwick::store", "源数据库中没有表，没有可复制的内容。"));
    const bool sourceHasView = viewNames(source).contains(names::pumpView());

    QStringList clashes;
    const QStringList existing = existingNames(target);
    for (const TableInfo& table : tables.value()) {
        if (existing.contains(table.name))
            clashes.append(QStringLiteral("“%1”").arg(table.name));
    }
    if (existing.contains(names::pumpView()))
        clashes.append(QStringLiteral("“%1”").arg(names::pumpView()));
    if (!clashes.isEmpty() && !options.replace)
        return Result::failure(
            QCoreApplication::translate("tarnwick::store",
                                        "目标数据库中已有%1，没有复制任何数据。要替换它们，请加 --replace。")
                .arg(clashes.join(QStringLiteral("、"))));

    // Who copies onto a server: the name of the rows that came without one.
    QString copier;
    if (isServer(target)) {
        QSqlQuery who(target);
        if (!who.exec(QStringLiteral("SELECT current_user")) || !who.next())
            return Result::failure(
                databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取数据库用户"), who.lastError()));
        copier = who.value(0).toString();
    }

    QList<CopiedTable> copied;
    QString error;
    const bool written = inTransaction(
        target,
        [&] {
            if (!lockCatalogue(target, &error))
                return false;
            // Rights granted on the tables and the view being replaced go
            // back onto the new ones.
            QStringList rights;
            if (isServer(target)) {
                QStringList replaced;
                for (const TableInfo& table : tables.value()) {
                    if (existing.contains(table.name))
                        replaced.append(table.name);
                }
                if (existing.contains(names::pumpView()))
                    replaced.append(names::pumpView());
                if (!rightsStatements(target, replaced, &rights, &error))
                    return false;
            }
            QSqlQuery drop(target);
            if (existing.contains(names::pumpView()) &&
                !drop.exec(QStringLiteral("DROP VIEW %1").arg(quotedName(names::pumpView())))) {
                error = databaseErrorText(
                    QCoreApplication::translate("tarnwick::store", "删除查询“%1”").arg(names::pumpView()),
                    drop.lastError());
                return false;
            }
            // Last made first, so that no table is dropped while another
            // still refers to it.
            for (auto table = tables->crbegin(); table != tables->crend(); ++table) {
                if (existing.contains(table->name) &&
                    !drop.exec(QStringLiteral("DROP TABLE IF EXISTS %1%2")
                                   .arg(quotedName(table->name), isServer(target) ? QStringLiteral(" CASCADE") : QString()))) {
                    error =
                        databaseErrorText(QCoreApplication::translate("tarnwick::store", "删除表“%1”").arg(table->name),
                                          drop.lastError());
                    return false;
                }
            }
            for (const TableInfo& table : tables.value()) {
                if (!makeTable(target, table, &error))
                    return false;
                CopiedTable done{table.name, 0};
                if (!options.withoutRows.contains(table.name) &&
                    !copyRows(source, target, table, copier, options.progress, &done.rows, &error))
                    return false;
                copied.append(done);
            }
            if (isServer(target)) {
                // Keys copied as they were: the server's next key follows the last.
                QSqlQuery key(target);
                for (const TableInfo& table : tables.value()) {
                    if (table.name != varspeednames::resultsTable())
                        continue;
                    const QString sequence = QStringLiteral("pg_get_serial_sequence('%1', '序号')")
                                                 .arg(quotedName(table.name).replace(QLatin1Char('\''), QStringLiteral("''")));
                    if (!key.exec(QStringLiteral("SELECT setval(%1, coalesce((SELECT max(\"序号\") FROM %2), 0) + 1, false)")
                                      .arg(sequence, quotedName(table.name)))) {
                        error = databaseErrorText(
                            QCoreApplication::translate("tarnwick::store", "设定“%1”的序号").arg(table.name),
                            key.lastError());
                        return false;
                    }
                }
            }
            if (!restartRunNumbers(target, &error))
                return false;
            if (sourceHasView && !createPumpView(target, &error))
                return false;
            QSqlQuery grant(target);
            for (const QString& statement : std::as_const(rights)) {
                if (!grant.exec(statement)) {
                    error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "恢复表的权限"),
                                              grant.lastError());
                    return false;
                }
            }
            return true;
        },
        &error);
    if (!written)
        return Result::failure(
            error.isEmpty() ? QCoreApplication::translate("tarnwick::store", "复制没有完成，目标数据库没有改动。")
                            : error);

    // Whatever the engines did with the values, the copy must read back as
    // the source: every table by its count and digest.
    for (const TableInfo& table : tables.value()) {
        if (options.withoutRows.contains(table.name))
            continue;
        const auto from = tableDigest(source, table, copier);
        const auto to = tableDigest(target, table, copier);
        if (!from)
            return Result::failure(from.error());
        if (!to)
            return Result::failure(to.error());
        if (from->rows != to->rows || from->sum != to->sum)
            return Result::failure(
                QCoreApplication::translate("tarnwick::store",
                                            "复制后核对失败：“%1”在源数据库中有 %2 行，在目标数据库中有 %3 行%4。")
                    .arg(table.name)
                    .arg(from->rows)
                    .arg(to->rows)
                    .arg(from->rows == to->rows ? QCoreApplication::translate("tarnwick::store", "，但内容不同")
                                                : QString()));
    }
    return copied;
}

} // namespace tarnwick::store
