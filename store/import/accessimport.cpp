#include "store/import/accessimport.h"

#include "store/cataloguerules.h"
#include "store/database.h"
#include "store/dbcopy.h"
#include "store/import/newdatabasefile.h"
#include "store/import/olepicture.h"
#include "store/names.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tarnwick::import {

namespace {

struct RequiredTable
{
    QString name;
    QStringList fields;
};

// The tables the program opens and the fields it reads from each. The pump
// table carries every data-sheet field because the view is built over it.
QList<RequiredTable> programTables()
{
    namespace n = store::names;
    return {
        {n::pumpTable(),
         {n::key(), n::pumpType(), n::model(), n::speed(), n::flow(), n::head(), n::shaftPower(), n::motorPower(),
          n::npshRequired(), n::impellerDiameter(), n::weight(), n::installationDimensions()}},
        {n::pointTable(), {n::key(), n::flow(), n::head(), n::shaftPower()}},
        {n::schematicTable(), {n::pumpType(), n::schematicPicture()}},
        {n::companyTable(),
         {QStringLiteral("公司简介"), QStringLiteral("公司图片"), QStringLiteral("产品简介"),
          QStringLiteral("产品图片")}},
        {n::allResultsTable(), n::resultFields()},
        {n::latestResultsTable(), n::resultFields()},
    };
}

QString quotedList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted.append(QStringLiteral("“%1”").arg(name));
    return quoted.join(QStringLiteral("、"));
}

bool copyTable(AccessFile& file, QSqlDatabase db, const AccessTable& table, ImportedTable* imported,
               AccessReadNotes* notes, QString* error, const std::function<void(qint64 rows)>& progress)
{
    if (table.columns.isEmpty()) {
        *error = QCoreApplication::translate("tarnwick::store", "表“%1”没有字段。").arg(table.name);
        return false;
    }
    QStringList definitions;
    QStringList placeholders;
    QList<int> oleColumns;
    for (int c = 0; c < table.columns.size(); ++c) {
        const AccessColumn& column = table.columns[c];
        definitions.append(store::quotedName(column.name) + QLatin1Char(' ') + sqliteColumnType(column));
        placeholders.append(QStringLiteral("?"));
        if (column.type == AccessType::OleObject)
            oleColumns.append(c);
    }
    QSqlQuery query(db);
    const QString quotedTable = store::quotedName(table.name);
    if (!query.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quotedTable, definitions.join(QStringLiteral(", "))))) {
        *error = QCoreApplication::translate("tarnwick::store", "无法建立表“%1”：%2")
                     .arg(table.name, query.lastError().text());
        return false;
    }
    if (!query.prepare(
            QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quotedTable, placeholders.join(QStringLiteral(", "))))) {
        *error = QCoreApplication::translate("tarnwick::store", "无法写入表“%1”：%2")
                     .arg(table.name, query.lastError().text());
        return false;
    }
    QString rowError;
    const bool read = file.readRows(
        table.name,
        [&](const AccessRow& row) {
            for (int c = 0; c < row.size(); ++c) {
                if (oleColumns.contains(c) && row[c].isValid()) {
                    const OleContent content = unwrapOleObject(row[c].toByteArray());
                    content.isPicture ? ++imported->pictures : ++imported->otherObjects;
                    query.bindValue(c, content.bytes);
                } else {
                    query.bindValue(c, row[c]);
                }
            }
            if (!query.exec()) {
                // One arg() call: a name from the file may itself hold "%2".
                rowError = QCoreApplication::translate("tarnwick::store", "无法写入表“%1”第 %2 行：%3")
                               .arg(table.name, QString::number(imported->rows + 1), query.lastError().text());
                return false;
            }
            ++imported->rows;
            if (progress && imported->rows % 1000 == 0)
                progress(imported->rows);
            return true;
        },
        notes, error);
    if (!rowError.isEmpty())
        *error = rowError;
    return read && rowError.isEmpty();
}

} // namespace

qint64 AccessImportSummary::rows() const
{
    qint64 total = 0;
    for (const ImportedTable& table : tables)
        total += table.rows;
    return total;
}

int AccessImportSummary::pictures() const
{
    int total = 0;
    for (const ImportedTable& table : tables)
        total += table.pictures;
    return total;
}

QString sqliteColumnType(const AccessColumn& column)
{
    // The declared types give SQLite the affinity that keeps each value as it
    // was bound: integers as integers, floats as REAL, text as text.
    switch (column.type) {
    case AccessType::Boolean:
        return QStringLiteral("BOOLEAN");
    case AccessType::Byte:
        return QStringLiteral("TINYINT");
    case AccessType::Integer:
        return QStringLiteral("SMALLINT");
    case AccessType::Long:
        return QStringLiteral("INTEGER");
    case AccessType::Currency:
        return QStringLiteral("REAL");
    case AccessType::Single:
        return QStringLiteral("FLOAT");
    case AccessType::Double:
        return QStringLiteral("DOUBLE");
    case AccessType::DateTime:
        return QStringLiteral("DATETIME");
    case AccessType::Text:
        return QStringLiteral("VARCHAR(%1)").arg(column.size);
    case AccessType::Memo:
        return QStringLiteral("TEXT");
    case AccessType::Guid:
        return QStringLiteral("CHAR(38)");
    case AccessType::Decimal:
        return QStringLiteral("NUMERIC(%1,%2)").arg(column.precision).arg(column.scale);
    case AccessType::OleObject:
    case AccessType::Binary:
    case AccessType::Unknown:
        break;
    }
    return QStringLiteral("BLOB");
}

Expected<AccessImportSummary, QString> copyAccessTables(AccessFile& file, QSqlDatabase db,
                                                        const AccessImportProgress& progress)
{
    using Result = Expected<AccessImportSummary, QString>;
    AccessImportSummary summary;
    summary.format = file.formatName();
    summary.textEncoding = QString::fromLatin1(file.textEncoding());
    QString error;
    const bool ok = store::inTransaction(
        db,
        [&] {
            const QStringList names = file.tableNames();
            for (int i = 0; i < names.size(); ++i) {
                const QString& name = names[i];
                const auto rowsCopied = [&](qint64 rows) {
                    if (progress)
                        progress(i + 1, static_cast<int>(names.size()), name, rows);
                };
                rowsCopied(0);
                const auto table = file.table(name);
                if (!table) {
                    error = table.error();
                    return false;
                }
                ImportedTable imported;
                imported.name = name;
                if (!copyTable(file, db, *table, &imported, &summary.notes, &error, rowsCopied))
                    return false;
                summary.tables.append(imported);
            }
            return true;
        },
        &error);
    if (!ok)
        return Result::failure(error.isEmpty() ? QCoreApplication::translate("tarnwick::store", "无法写入数据库。")
                                               : error);
    return summary;
}

Expected<AccessImportSummary, QString> copyAccessFile(const QString& accessPath, QSqlDatabase target,
                                                      const QString& textEncoding)
{
    auto file = AccessFile::open(accessPath, textEncoding);
    if (!file)
        return Expected<AccessImportSummary, QString>::failure(file.error());
    auto summary = copyAccessTables(*file.value(), target);
    if (summary)
        summary.value().source = accessPath;
    return summary;
}

QStringList missingProgramTables(const QSqlDatabase& db)
{
    const QStringList tables = db.tables(QSql::Tables);
    QStringList missing;
    for (const RequiredTable& required : programTables()) {
        if (!tables.contains(required.name)) {
            missing.append(QCoreApplication::translate("tarnwick::store", "缺少表“%1”").arg(required.name));
            continue;
        }
        const QSqlRecord record = db.record(required.name);
        QStringList fields;
        for (const QString& field : required.fields) {
            if (record.indexOf(field) < 0)
                fields.append(field);
        }
        if (!fields.isEmpty())
            missing.append(QCoreApplication::translate("tarnwick::store", "表“%1”缺少字段%2")
                               .arg(required.name, quotedList(fields)));
    }
    return missing;
}

Expected<AccessImportSummary, QString> importAccessDatabase(const QString& source, const QString& target,
                                                            const AccessImportOptions& options)
{
    using Result = Expected<AccessImportSummary, QString>;
    auto file = AccessFile::open(source, options.textEncoding);
    if (!file)
        return Result::failure(file.error());

    NewDatabaseFile output(target);
    QString error;
    if (!output.open(&error))
        return Result::failure(error);
    auto copied = copyAccessTables(*file.value(), output.database(), options.progress);
    if (!copied)
        return Result::failure(copied.error());
    AccessImportSummary summary = copied.value();
    summary.source = source;
    summary.target = target;

    if (options.requireProgramTables) {
        const QStringList missing = missingProgramTables(output.database());
        if (!missing.isEmpty()) {
            QString message = QCoreApplication::translate("tarnwick::store", "%1 不是本程序的数据库，没有转换：\n")
                                  .arg(QDir::toNativeSeparators(source));
            for (const QString& line : missing)
                message += QStringLiteral("  ") + line + QStringLiteral("。\n");
            message += QCoreApplication::translate("tarnwick::store", "未写入任何文件。");
            return Result::failure(message);
        }
        if (!createPumpView(output.database(), &error))
            return Result::failure(error);
        summary.pumpViewCreated = true;
        store::CatalogueRules rules(store::names::pumpTable(), store::names::pointTable());
        if (!store::checkStoredCatalogue(output.database(), &rules, &error))
            return Result::failure(error);
        summary.catalogueFindings = rules.refusals() + rules.warnings();
    }
    if (!output.commit(&error))
        return Result::failure(error);
    return summary;
}

QString summaryText(const AccessImportSummary& summary)
{
    QString text =
        QCoreApplication::translate("tarnwick::store", "已将 %1数据库 %2 转换为 %3。\n")
            .arg(summary.format, QDir::toNativeSeparators(summary.source), QDir::toNativeSeparators(summary.target));
    text += QCoreApplication::translate("tarnwick::store", "文字编码：%1\n").arg(summary.textEncoding);
    for (const ImportedTable& table : summary.tables) {
        text += QCoreApplication::translate("tarnwick::store", "  表“%1”：%2 行")
                    .arg(table.name, QString::number(table.rows));
        if (table.pictures > 0)
            text += QCoreApplication::translate("tarnwick::store", "，%1 幅图片").arg(table.pictures);
        if (table.otherObjects > 0)
            text += QCoreApplication::translate("tarnwick::store", "，%1 个其他 OLE 对象（按原样保存）")
                        .arg(table.otherObjects);
        text += QLatin1Char('\n');
    }
    text += QCoreApplication::translate("tarnwick::store", "共 %1 张表，%2 行，%3 幅图片。\n")
                .arg(summary.tables.size())
                .arg(summary.rows())
                .arg(summary.pictures());
    if (summary.pumpViewCreated)
        text += QCoreApplication::translate("tarnwick::store", "已按“%1”重建查询“%2”。\n")
                    .arg(store::names::pumpTable(), store::names::pumpView());
    if (!summary.catalogueFindings.isEmpty())
        text += QCoreApplication::translate(
                    "tarnwick::store",
                    "水泵目录中有以下不合目录规则之处（已照原样转换；设计和校核计算会跳过无法使用的水泵）：\n  ") +
                summary.catalogueFindings.join(QStringLiteral("\n  ")) + QLatin1Char('\n');
    if (summary.notes.undecodableCharacters > 0)
        text += QCoreApplication::translate("tarnwick::store", "有 %1 个字节无法按文字编码解码，已用“\uFFFD”代替。\n")
                    .arg(summary.notes.undecodableCharacters);
    if (summary.notes.datesOutOfRange > 0)
        text += QCoreApplication::translate("tarnwick::store", "有 %1 个日期超出 Access 的日期范围，按原始数值保存。\n")
                    .arg(summary.notes.datesOutOfRange);
    return text;
}

} // namespace tarnwick::import
