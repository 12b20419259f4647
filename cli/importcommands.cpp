#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/handlers.h"
#include "cli/output.h"
#include "cli/progress.h"
#include "files/filetargets.h"
#include "store/conditionstore.h"
#include "store/catalogueupdate.h"
#include "store/database.h"
#include "store/dbcopy.h"
#include "store/names.h"
#include "store/schema.h"
#include "store/serverroles.h"
#include "store/varspeedstore.h"
#include "store/import/newdatabasefile.h"
#include "store/databaselocation.h"
#include "store/import/accessimport.h"
#include "store/import/catalogueio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

#include <new>

namespace tarnwick::cli {

namespace {

int usageError(const QString& message, const QString& command = QString())
{
    printUsageError(message, command);
    return kUsageOrDatabase;
}

int failure(const QString& message)
{
    printError(message + QLatin1Char('\n'));
    return kUsageOrDatabase;
}

// A database named on the command line: a server's address as it is, a
// file relative to the current folder.
QString databaseArgument(const QString& argument)
{
    return store::isServerLocation(argument) ? argument : absolutePath(argument);
}

// What a data command did: its text, or with --json its figures.
int done(const QString& text, const QJsonObject& figures)
{
    if (jsonRequested())
        printJsonResult(statusOk(), figures);
    else
        printOut(text);
    return kCompleted;
}

QJsonArray copiedJson(const QList<store::CopiedTable>& tables)
{
    QJsonArray array;
    for (const store::CopiedTable& table : tables)
        array.append(QJsonObject{{QStringLiteral("name"), table.name}, {QStringLiteral("rows"), table.rows}});
    return array;
}

QString copiedText(const QList<store::CopiedTable>& tables)
{
    QString text;
    for (const store::CopiedTable& table : tables)
        text += QCoreApplication::translate("tarnwick::cli", "  表“%1”：%2 行\n").arg(table.name).arg(table.rows);
    return text;
}

// The target of a copy: a server's database, an existing file, or a new
// file made whole or not at all.
int copyDb(const ParsedArguments& arguments)
{
    const QString source = databaseArgument(arguments.files[0]);
    const QString target = databaseArgument(arguments.files[1]);
    if (!store::isServerLocation(source) && !store::isServerLocation(target) && files::sameFile(source, target))
        return usageError(QCoreApplication::translate("tarnwick::cli", "源数据库和目标数据库是同一个文件：%1")
                              .arg(store::shownLocation(source)),
                          QStringLiteral("copy-db"));
    const auto from = store::Connection::open(source, store::Connection::Access::ReadOnly);
    if (!from)
        return failure(from.error());
    store::CopyOptions options;
    options.replace = arguments.flags.contains(QStringLiteral("replace"));
    TerminalProgress progress;
    options.progress = [&progress](const QString& table, qint64 rows) {
        progress.show(QCoreApplication::translate("tarnwick::cli", "正在复制“%1”：%2 行").arg(table).arg(rows));
    };

    auto copied = Expected<QList<store::CopiedTable>, QString>::failure(QString());
    if (!store::isServerLocation(target) && !QFileInfo::exists(target)) {
        import::NewDatabaseFile output(target);
        QString error;
        if (!output.open(&error))
            return failure(error);
        copied = store::copyDatabase(from.value()->database(), output.database(), options);
        if (copied && !output.commit(&error))
            return failure(error);
    } else {
        const auto to = store::Connection::open(target);
        if (!to)
            return failure(to.error());
        copied = store::copyDatabase(from.value()->database(), to.value()->database(), options);
    }
    progress.finish();
    if (!copied)
        return failure(copied.error());
    return done(QCoreApplication::translate("tarnwick::cli", "已将 %1 复制到 %2，每张表的行数和内容都已核对：\n")
                        .arg(store::shownLocation(source), store::shownLocation(target)) +
                    copiedText(copied.value()),
                {{QStringLiteral("source"), store::shownLocation(source)},
                 {QStringLiteral("target"), store::shownLocation(target)},
                 {QStringLiteral("tables"), copiedJson(copied.value())}});
}

// The program's tables in an empty server database, optionally with the
// catalogue, pictures and texts of a database file (the shipped one unless
// --from names another); the result tables start empty.
int initDb(const ParsedArguments& arguments)
{
    const QString target = arguments.files[0];
    if (!store::isServerLocation(target))
        return usageError(QCoreApplication::translate(
                              "tarnwick::cli", "init-db 需要 PostgreSQL 数据库地址（postgresql://…），而不是文件：%1")
                              .arg(target));
    const auto to = store::Connection::open(target);
    if (!to)
        return failure(to.error());
    QSqlDatabase db = to.value()->database();
    const bool roles = arguments.flags.contains(QStringLiteral("roles"));
    QString error;
    QString text;
    QJsonObject figures{{QStringLiteral("target"), store::shownLocation(target)},
                        {QStringLiteral("roles"), roles},
                        {QStringLiteral("catalogueFrom"), QJsonValue::Null},
                        {QStringLiteral("tables"), QJsonArray()}};
    auto setUpRoles = [&] {
        if (!roles)
            return true;
        if (!store::inTransaction(db, [&] { return store::setUpServerRoles(db, &error); }, &error))
            return false;
        text += (QCoreApplication::translate(
                     "tarnwick::cli", "已在 %1 中设定角色 %2（工程师）和 %3（目录维护人员）的权限和行级安全策略。"
                                      "请用 CREATE ROLE 用户名 LOGIN IN ROLE %2（或 %3）为每人建立登录。\n")
                     .arg(store::shownLocation(target), store::engineerRole(), store::maintainerRole()));
        return true;
    };
    // Tables made before the roles failed are still there: say so.
    auto rolesFailed = [&] {
        if (!jsonRequested())
            printOut(text);
        return failure(error);
    };
    if (!arguments.flags.contains(QStringLiteral("with-catalogue"))) {
        const auto existing = store::readTableInfo(db);
        if (!existing)
            return failure(existing.error());
        // The rights alone on a database that has its tables.
        if (!existing->isEmpty() && roles)
            return setUpRoles() ? done(text, figures) : rolesFailed();
        if (!existing->isEmpty())
            return failure(QCoreApplication::translate("tarnwick::cli", "数据库 %1 中已有表，没有建立任何表。")
                               .arg(store::shownLocation(target)));
        const bool made = store::inTransaction(
            db,
            [&] {
                return store::createProgramSchema(db, &error) && store::ensureVarSpeedTables(db, &error) &&
                       store::ensureConditionTables(db, &error);
            },
            &error);
        if (!made)
            return failure(error);
        text = QCoreApplication::translate("tarnwick::cli", "已在 %1 中建立本程序的表和查询（水泵目录为空）。\n")
                   .arg(store::shownLocation(target));
        return setUpRoles() ? done(text, figures) : rolesFailed();
    }
    QString source = arguments.values.value(QStringLiteral("from"));
    source = source.isEmpty() ? store::shippedDatabasePath() : absolutePath(source);
    if (!QFileInfo::exists(source))
        source = store::databasePath(store::programFolder());
    const auto from = store::Connection::open(source, store::Connection::Access::ReadOnly);
    if (!from)
        return failure(from.error());
    store::CopyOptions options;
    options.withoutRows = {store::names::allResultsTable(), store::names::latestResultsTable(),
                           store::varspeednames::resultsTable(), store::varspeednames::pointsTable(),
                           store::conditionnames::runTable(), store::conditionnames::pumpTable()};
    const auto copied = store::copyDatabase(from.value()->database(), db, options);
    if (!copied)
        return failure(copied.error());
    // The variable-speed tables too, so that engineers who may not make
    // tables can store those results.
    if (!store::inTransaction(
            db,
            [&] {
                return store::ensureVarSpeedTables(db, &error) && store::ensureConditionTables(db, &error) &&
                       store::addInstantColumns(db, &error);
            },
            &error))
        return failure(error);
    text =
        QCoreApplication::translate("tarnwick::cli", "已在 %1 中建立本程序的表，水泵目录、示意图和公司资料取自 %2：\n")
            .arg(store::shownLocation(target), store::shownLocation(source)) +
        copiedText(copied.value());
    figures.insert(QStringLiteral("catalogueFrom"), store::shownLocation(source));
    figures.insert(QStringLiteral("tables"), copiedJson(copied.value()));
    return setUpRoles() ? done(text, figures) : rolesFailed();
}

int importMdb(const ParsedArguments& arguments)
{
    const QString source = absolutePath(arguments.files[0]);
    // The target is made here: no first copy of the shipped database.
    const QString target = store::locateDatabase(arguments.values.value(QStringLiteral("db"))).path;
    if (const auto problem = files::inputFileProblem(source))
        return failure(*problem);
    if (files::sameFile(source, target) || QFileInfo::exists(target))
        return failure(QCoreApplication::translate("tarnwick::cli",
                                                   "目标文件 %1 已存在，不会覆盖它。请用 --db 指定一个新的目标文件。")
                           .arg(QDir::toNativeSeparators(target)));
    import::AccessImportOptions options;
    options.textEncoding = arguments.values.value(QStringLiteral("codepage"));
    TerminalProgress progress;
    options.progress = [&progress](int table, int tables, const QString& name, qint64 rows) {
        progress.show(QCoreApplication::translate("tarnwick::cli", "正在转换：表 %1/%2“%3”，已复制 %4 行")
                          .arg(table)
                          .arg(tables)
                          .arg(name)
                          .arg(rows));
    };
    const auto summary = import::importAccessDatabase(source, target, options);
    progress.finish();
    if (!summary)
        return failure(summary.error());
    QJsonArray tables;
    for (const import::ImportedTable& table : summary->tables)
        tables.append(QJsonObject{{QStringLiteral("name"), table.name},
                                  {QStringLiteral("rows"), table.rows},
                                  {QStringLiteral("pictures"), table.pictures},
                                  {QStringLiteral("otherObjects"), table.otherObjects}});
    return done(import::summaryText(summary.value()),
                {{QStringLiteral("source"), QDir::toNativeSeparators(summary->source)},
                 {QStringLiteral("target"), QDir::toNativeSeparators(summary->target)},
                 {QStringLiteral("format"), summary->format},
                 {QStringLiteral("textEncoding"), summary->textEncoding},
                 {QStringLiteral("tables"), tables},
                 {QStringLiteral("catalogueFindings"), stringsJson(summary->catalogueFindings)},
                 {QStringLiteral("undecodableCharacters"), summary->notes.undecodableCharacters}});
}

int importCatalogue(const ParsedArguments& arguments)
{
    for (const QString& file : arguments.files) {
        if (const auto problem = files::inputFileProblem(absolutePath(file)))
            return failure(*problem);
    }
    const QString path = databaseFile(arguments.values);
    const auto connection = store::Connection::open(path);
    if (!connection)
        return failure(connection.error());
    const bool replace = arguments.flags.contains(QStringLiteral("replace"));
    TerminalProgress progress;
    const auto summary = import::importCatalogueCsv(
        connection.value()->database(), absolutePath(arguments.files[0]), absolutePath(arguments.files[1]), replace,
        [&progress](qint64 done, qint64 total) {
            progress.show(QCoreApplication::translate("tarnwick::cli", "正在导入性能点：%1 %")
                              .arg(total > 0 ? 100 * done / total : 0));
        });
    progress.finish();
    if (!summary)
        return failure(QCoreApplication::translate("tarnwick::cli", "没有导入任何数据：\n  ") +
                       summary.error().join(QStringLiteral("\n  ")));
    QString text =
        QCoreApplication::translate("tarnwick::cli", "已将 %1 台水泵、%2 个性能点导入 %3（文件编码：%4，%5）。\n")
            .arg(summary->pumps)
            .arg(summary->points)
            .arg(store::shownLocation(path), summary->pumpsEncoding, summary->pointsEncoding);
    if (replace)
        text += QCoreApplication::translate("tarnwick::cli", "原有的 %1 台水泵、%2 个性能点已被替换。\n")
                    .arg(summary->removedPumps)
                    .arg(summary->removedPoints);
    if (!summary->warnings.isEmpty())
        text += QCoreApplication::translate("tarnwick::cli", "请注意（已导入）：\n  ") +
                summary->warnings.join(QStringLiteral("\n  ")) + QLatin1Char('\n');
    text += QCoreApplication::translate("tarnwick::cli", "选型结果表没有改动。\n");
    return done(text,
                {{QStringLiteral("database"), store::shownLocation(path)},
                 {QStringLiteral("pumpCount"), summary->pumps},
                 {QStringLiteral("pointCount"), summary->points},
                 {QStringLiteral("pumpsEncoding"), summary->pumpsEncoding},
                 {QStringLiteral("pointsEncoding"), summary->pointsEncoding},
                 {QStringLiteral("replacedPumpCount"), replace ? QJsonValue(summary->removedPumps) : QJsonValue()},
                 {QStringLiteral("replacedPointCount"), replace ? QJsonValue(summary->removedPoints) : QJsonValue()},
                 {QStringLiteral("warnings"), stringsJson(summary->warnings)}});
}

int exportCatalogue(const ParsedArguments& arguments)
{
    const QString path = databaseFile(arguments.values);
    const auto connection = store::Connection::open(path, store::Connection::Access::ReadOnly);
    if (!connection)
        return failure(connection.error());
    // Either file (not both) may be "-", standard output, when that is free.
    const bool pumpsOut = OutputTarget::namesStandardOutput(arguments.files[0]);
    const bool pointsOut = OutputTarget::namesStandardOutput(arguments.files[1]);
    if ((pumpsOut && pointsOut) || ((pumpsOut || pointsOut) && jsonRequested()))
        return usageError(
            pumpsOut && pointsOut
                ? QCoreApplication::translate("tarnwick::cli", "只能有一个文件写到标准输出（-）。")
                : QCoreApplication::translate("tarnwick::cli", "--json 已占用标准输出，文件不能写到标准输出（-）。"),
            QStringLiteral("export-catalogue"));
    OutputTarget pumpsTarget(pumpsOut ? arguments.files[0] : absolutePath(arguments.files[0]),
                             QStringLiteral("pumps.csv"));
    OutputTarget pointsTarget(pointsOut ? arguments.files[1] : absolutePath(arguments.files[1]),
                              QStringLiteral("points.csv"));
    if (pumpsTarget.path().isEmpty() || pointsTarget.path().isEmpty())
        return failure(QCoreApplication::translate("tarnwick::cli", "无法建立临时文件。"));
    const QString pumps = pumpsTarget.path();
    const QString points = pointsTarget.path();
    const auto summary = import::exportCatalogue(connection.value()->database(), pumps, points);
    if (!summary)
        return failure(summary.error());
    QString error;
    if (!pumpsTarget.finish(&error) || !pointsTarget.finish(&error))
        return failure(error);
    if (pumpsOut || pointsOut)
        return kCompleted;
    return done(QCoreApplication::translate("tarnwick::cli", "已从 %1 导出 %2 台水泵到 %3，%4 个性能点到 %5。\n")
                    .arg(QDir::toNativeSeparators(path))
                    .arg(summary->pumps)
                    .arg(QDir::toNativeSeparators(pumps))
                    .arg(summary->points)
                    .arg(QDir::toNativeSeparators(points)),
                {{QStringLiteral("database"), store::shownLocation(path)},
                 {QStringLiteral("pumpCount"), summary->pumps},
                 {QStringLiteral("pointCount"), summary->points},
                 {QStringLiteral("pumpsFile"), QDir::toNativeSeparators(pumps)},
                 {QStringLiteral("pointsFile"), QDir::toNativeSeparators(points)}});
}

int updateCatalogue(const ParsedArguments& arguments)
{
    const QString from = arguments.values.contains(QStringLiteral("from"))
                             ? absolutePath(arguments.values.value(QStringLiteral("from")))
                             : store::shippedDatabasePath();
    const QString path = databaseFile(arguments.values);
    if (!store::isServerLocation(path) && QFileInfo(from) == QFileInfo(path))
        return failure(QCoreApplication::translate("tarnwick::cli", "新数据库与当前数据库是同一个文件：%1")
                           .arg(QDir::toNativeSeparators(path)));
    const auto connection = store::Connection::open(path);
    if (!connection)
        return failure(connection.error());
    const auto update = store::replaceCatalogue(connection.value()->database(), from);
    if (!update)
        return failure(update.error());
    return done(
        QCoreApplication::translate(
            "tarnwick::cli", "已用 %1 中的水泵目录（%2 台水泵、%3 个性能点）替换 %4 中的目录。两张结果表没有改动。\n")
            .arg(QDir::toNativeSeparators(from))
            .arg(update->pumps)
            .arg(update->points)
            .arg(store::shownLocation(path)),
        {{QStringLiteral("from"), QDir::toNativeSeparators(from)},
         {QStringLiteral("database"), store::shownLocation(path)},
         {QStringLiteral("pumpCount"), update->pumps},
         {QStringLiteral("pointCount"), update->points}});
}

// Running out of memory on a large file leaves the database as it was.
int guarded(int (*command)(const ParsedArguments&), const ParsedArguments& arguments)
{
    try {
        return command(arguments);
    } catch (const std::bad_alloc&) {
        return failure(QCoreApplication::translate(
            "tarnwick::cli",
            "内存不足，无法完成导入或导出；数据库没有改动。请关闭其他程序后重试，或把文件分成几部分导入。"));
    }
}

} // namespace

int handleImportMdb(const ParsedArguments& arguments)
{
    return guarded(importMdb, arguments);
}

int handleImportCatalogue(const ParsedArguments& arguments)
{
    return guarded(importCatalogue, arguments);
}

int handleExportCatalogue(const ParsedArguments& arguments)
{
    return guarded(exportCatalogue, arguments);
}

int handleUpdateCatalogue(const ParsedArguments& arguments)
{
    return guarded(updateCatalogue, arguments);
}

int handleCopyDb(const ParsedArguments& arguments)
{
    return guarded(copyDb, arguments);
}

int handleInitDb(const ParsedArguments& arguments)
{
    return guarded(initDb, arguments);
}

} // namespace tarnwick::cli
