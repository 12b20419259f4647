#include "store/catalogueupdate.h"

#include "store/database.h"
#include "store/dbcopy.h"
#include "store/names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>

#include <algorithm>

namespace tarnwick::store {

namespace {

const QString kSource = QStringLiteral("catalogue_source");

QStringList catalogueTables()
{
    return {names::pumpTable(), names::pointTable(), names::schematicTable(), names::companyTable()};
}

QStringList columns(QSqlDatabase db, const QString& schema, const QString& table)
{
    QSqlQuery query(db);
    QStringList list;
    query.prepare(QStringLiteral("SELECT name FROM %1").arg(fileColumnsSource(schema)));
    query.addBindValue(table);
    if (!query.exec())
        return list;
    while (query.next())
        list.append(query.value(0).toString());
    return list;
}

int rowCount(QSqlDatabase db, const QString& table)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM main.%1").arg(quotedName(table))) || !query.next())
        return 0;
    return query.value(0).toInt();
}

bool copyTable(QSqlDatabase db, const QString& table, QString* error)
{
    const QStringList target = columns(db, QStringLiteral("main"), table);
    const QStringList source = columns(db, kSource, table);
    // Every field of ours must come from the new catalogue; fields the new
    // file has beyond ours are left behind.
    QStringList quoted;
    for (const QString& column : target) {
        if (!source.contains(column)) {
            *error =
                QCoreApplication::translate("tarnwick::store", "新的数据库的“%1”中缺少字段“%2”。").arg(table, column);
            return false;
        }
        quoted.append(quotedName(column));
    }
    const QString list = quoted.join(QStringLiteral(", "));
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("DELETE FROM main.%1").arg(quotedName(table))) ||
        !query.exec(
            QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM %3.%1").arg(quotedName(table), list, kSource))) {
        *error =
            QCoreApplication::translate("tarnwick::store", "无法更新“%1”：%2").arg(table, query.lastError().text());
        return false;
    }
    return true;
}

// A server cannot attach a file: the new catalogue is read through a
// connection of its own, in one snapshot, and written in one server
// transaction that keeps other catalogue writers out.
Expected<CatalogueUpdate, QString> replaceServerCatalogue(QSqlDatabase db, const QString& source)
{
    using Result = Expected<CatalogueUpdate, QString>;
    const QString server = QStringLiteral("“%1”").arg(db.databaseName());
    const auto from = Connection::open(source, Connection::Access::ReadOnly);
    if (!from)
        return Result::failure(from.error());
    const QSqlDatabase sourceDb = from.value()->database();
    const ReadSnapshot snapshot(sourceDb);
    if (!snapshot.isValid())
        return Result::failure(snapshot.error());
    const auto sourceTables = readTableInfo(sourceDb);
    if (!sourceTables)
        return Result::failure(sourceTables.error());
    auto tableIn = [](const QList<TableInfo>& tables, const QString& name) -> const TableInfo* {
        for (const TableInfo& table : tables) {
            if (table.name == name)
                return &table;
        }
        return nullptr;
    };
    for (const QString& table : catalogueTables()) {
        if (!tableIn(sourceTables.value(), table))
            return Result::failure(
                QCoreApplication::translate("tarnwick::store", "数据库文件 %1 中没有“%2”，目录没有更新。")
                    .arg(QDir::toNativeSeparators(source), table));
    }
    CatalogueUpdate update;
    QString error;
    const bool written = inTransaction(
        db,
        [&] {
            if (!lockCatalogue(db, &error))
                return false;
            const auto targetTables = readTableInfo(db);
            if (!targetTables) {
                error = targetTables.error();
                return false;
            }
            for (const QString& name : catalogueTables()) {
                const TableInfo* target = tableIn(targetTables.value(), name);
                const TableInfo* from = tableIn(sourceTables.value(), name);
                if (!target) {
                    error = QCoreApplication::translate("tarnwick::store", "服务器数据库 %1 中没有“%2”，目录没有更新。")
                                .arg(server, name);
                    return false;
                }
                // Every field of ours comes from the new catalogue, as its
                // column on the server is typed; fields beyond ours stay behind.
                TableInfo copied = *target;
                for (const ColumnInfo& column : target->columns) {
                    const bool present = std::any_of(from->columns.cbegin(), from->columns.cend(),
                                                      [&](const ColumnInfo& c) { return c.name == column.name; });
                    if (!present) {
                        error = QCoreApplication::translate("tarnwick::store", "新的数据库的“%1”中缺少字段“%2”。")
                                    .arg(name, column.name);
                        return false;
                    }
                }
                QSqlQuery clear(db);
                if (!clear.exec(QStringLiteral("DELETE FROM %1").arg(quotedName(name)))) {
                    error =
                        databaseErrorText(QCoreApplication::translate("tarnwick::store", "更新服务器数据库 %1 中的“%2”")
                                              .arg(server, name),
                                          clear.lastError());
                    return false;
                }
                qint64 rows = 0;
                if (!copyRows(sourceDb, db, copied, QString(), {}, &rows, &error))
                    return false;
                if (name == names::pumpTable())
                    update.pumps = static_cast<int>(rows);
                else if (name == names::pointTable())
                    update.points = static_cast<int>(rows);
            }
            return true;
        },
        &error);
    if (!written)
        return Result::failure(
            error.isEmpty()
                ? QCoreApplication::translate("tarnwick::store", "服务器数据库 %1 的目录没有更新。").arg(server)
                : error);
    return update;
}

} // namespace

Expected<CatalogueUpdate, QString> replaceCatalogue(QSqlDatabase db, const QString& source)
{
    using Result = Expected<CatalogueUpdate, QString>;
    if (databaseFileKind(source) != DatabaseFileKind::SQLite)
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "文件 %1 不是本程序的数据库文件，目录没有更新。")
                .arg(QDir::toNativeSeparators(source)));
    if (isServer(db))
        return replaceServerCatalogue(db, source);
    QSqlQuery attach(db);
    // Read-only: the new catalogue usually lies where the user may not write.
    attach.prepare(QStringLiteral("ATTACH DATABASE ? AS %1").arg(kSource));
    const QString uri = QUrl::fromLocalFile(QFileInfo(source).absoluteFilePath()).toString(QUrl::FullyEncoded) +
                        QStringLiteral("?mode=ro");
    attach.addBindValue(uri);
    if (!attach.exec())
        return Result::failure(QCoreApplication::translate("tarnwick::store", "无法打开数据库文件 %1：%2")
                                   .arg(QDir::toNativeSeparators(source), attach.lastError().text()));
    QString error;
    for (const QString& table : catalogueTables()) {
        if (columns(db, kSource, table).isEmpty()) {
            error = QCoreApplication::translate("tarnwick::store", "数据库文件 %1 中没有“%2”，目录没有更新。")
                        .arg(QDir::toNativeSeparators(source), table);
            break;
        }
    }
    CatalogueUpdate update;
    if (error.isEmpty()) {
        inTransaction(
            db,
            [&] {
                for (const QString& table : catalogueTables()) {
                    if (!copyTable(db, table, &error))
                        return false;
                }
                update.pumps = rowCount(db, names::pumpTable());
                update.points = rowCount(db, names::pointTable());
                return true;
            },
            &error);
    }
    QSqlQuery detach(db);
    detach.exec(QStringLiteral("DETACH DATABASE %1").arg(kSource));
    if (!error.isEmpty())
        return Result::failure(error);
    return update;
}

} // namespace tarnwick::store
