#include "store/import/catalogueio.h"

#include "store/csv.h"
#include "store/database.h"
#include "store/filetargets.h"
#include "store/import/textcodec.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSaveFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>

namespace tarnwick::import {

namespace n = store::names;
using store::CsvRecord;
using store::parseCsv;
using store::csvRecord;

namespace {

constexpr int kMaxListedProblems = 30;

// Collects what is wrong, with file, line and column, up to a readable number.
class Problems
{
public:
    void add(const QString& file, int line, const QString& column, const QString& text)
    {
        ++m_count;
        if (m_list.size() >= kMaxListedProblems)
            return;
        QString where = file;
        if (line > 0)
            where += QStringLiteral(" 第 %1 行").arg(line);
        if (!column.isEmpty())
            where += QStringLiteral("，“%1”").arg(column);
        m_list.append(where + QStringLiteral("：") + text);
    }
    bool isEmpty() const { return m_count == 0; }
    QStringList list() const
    {
        QStringList result = m_list;
        if (m_count > m_list.size())
            result.append(QStringLiteral("……共 %1 处错误，只列出前 %2 处。").arg(m_count).arg(m_list.size()));
        return result;
    }

private:
    QStringList m_list;
    int m_count = 0;
};

// One checked CSV file: its records after the header and where each column is.
struct CsvTable
{
    QString name;
    QList<CsvRecord> records;
    QHash<QString, int> columns;
    int width = 0;
};

bool readCsvTable(const QByteArray& bytes, const QString& name, const QStringList& expected, CsvTable* table,
                  QString* encoding, Problems* problems)
{
    table->name = name;
    QString text;
    QString error;
    if (!decodeUtf8OrGbk(bytes, &text, encoding, &error)) {
        problems->add(name, 0, {}, error);
        return false;
    }
    QList<CsvRecord> records;
    if (!parseCsv(text, &records, &error)) {
        problems->add(name, 0, {}, error);
        return false;
    }
    if (records.isEmpty()) {
        problems->add(name, 0, {},
                      QStringLiteral("文件是空的，第一行应为表头：%1").arg(expected.join(QLatin1Char(','))));
        return false;
    }
    const CsvRecord header = records.takeFirst();
    bool ok = true;
    for (int c = 0; c < header.fields.size(); ++c) {
        const QString column = header.fields[c].trimmed();
        if (!expected.contains(column)) {
            problems->add(name, header.line, {}, QStringLiteral("表头中有不认识的列“%1”。").arg(column));
            ok = false;
        } else if (table->columns.contains(column)) {
            problems->add(name, header.line, {}, QStringLiteral("表头中“%1”出现了两次。").arg(column));
            ok = false;
        } else {
            table->columns.insert(column, c);
        }
    }
    for (const QString& column : expected) {
        if (!table->columns.contains(column)) {
            problems->add(name, header.line, {}, QStringLiteral("表头中缺少列“%1”。").arg(column));
            ok = false;
        }
    }
    table->width = static_cast<int>(header.fields.size());
    table->records = records;
    return ok;
}

// Reads the fields of one record by column name and reports what is wrong.
class FieldReader
{
public:
    FieldReader(const CsvTable& table, const CsvRecord& record, Problems* problems)
        : m_table(table), m_record(record), m_problems(problems)
    {
    }

    QString raw(const QString& column) const { return m_record.fields.value(m_table.columns.value(column)); }

    void problem(const QString& column, const QString& text)
    {
        m_problems->add(m_table.name, m_record.line, column, text);
        m_ok = false;
    }
    bool ok() const { return m_ok; }

    QString requiredText(const QString& column)
    {
        const QString value = raw(column);
        if (value.trimmed().isEmpty())
            problem(column, QStringLiteral("缺少内容。"));
        return value;
    }

    std::optional<qint64> key()
    {
        const QString value = raw(n::key()).trimmed();
        if (value.isEmpty()) {
            problem(n::key(), QStringLiteral("缺少数值。"));
            return std::nullopt;
        }
        bool isInteger = false;
        const qint64 key = value.toLongLong(&isInteger);
        if (!isInteger) {
            problem(n::key(), QStringLiteral("“%1”不是整数。").arg(value));
            return std::nullopt;
        }
        return key;
    }

    enum class Sign { Positive, NotNegative };

    // A number that must be there.
    double required(const QString& column, Sign sign)
    {
        const QString value = raw(column).trimmed();
        if (value.isEmpty()) {
            problem(column, QStringLiteral("缺少数值。"));
            return 0.0;
        }
        return check(column, value, sign).value_or(0.0);
    }

    // A data-sheet number that may be left empty.
    std::optional<double> optional(const QString& column, Sign sign)
    {
        const QString value = raw(column).trimmed();
        if (value.isEmpty())
            return std::nullopt;
        return check(column, value, sign);
    }

private:
    std::optional<double> check(const QString& column, const QString& value, Sign sign)
    {
        bool isNumber = false;
        const double number = value.toDouble(&isNumber);
        if (!isNumber || !std::isfinite(number)) {
            problem(column, QStringLiteral("“%1”不是数字。").arg(value));
            return std::nullopt;
        }
        if (sign == Sign::Positive && !(number > 0.0)) {
            problem(column, QStringLiteral("%1 应大于 0。").arg(value));
            return std::nullopt;
        }
        if (sign == Sign::NotNegative && number < 0.0) {
            problem(column, QStringLiteral("%1 不能为负数。").arg(value));
            return std::nullopt;
        }
        return number;
    }

    const CsvTable& m_table;
    const CsvRecord& m_record;
    Problems* m_problems;
    bool m_ok = true;
};

bool widthMatches(const CsvTable& table, const CsvRecord& record, Problems* problems)
{
    if (record.fields.size() == table.width)
        return true;
    problems->add(table.name, record.line, {},
                  QStringLiteral("有 %1 个字段，表头有 %2 个。").arg(record.fields.size()).arg(table.width));
    return false;
}

QVariant optionalValue(const std::optional<double>& value)
{
    return value ? QVariant(*value) : QVariant();
}

// The table lacks none of the fields the catalogue files carry.
bool hasFields(const QSqlDatabase& db, const QString& table, const QStringList& fields, QString* error)
{
    if (!db.tables(QSql::Tables).contains(table)) {
        *error = QStringLiteral("数据库中没有表“%1”。").arg(table);
        return false;
    }
    const QSqlRecord record = db.record(table);
    QStringList missing;
    for (const QString& field : fields) {
        if (record.indexOf(field) < 0)
            missing.append(QStringLiteral("“%1”").arg(field));
    }
    if (missing.isEmpty())
        return true;
    *error = QStringLiteral("数据库的“%1”中缺少字段%2。").arg(table, missing.join(QStringLiteral("、")));
    return false;
}

QString columnList(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(store::quotedName(field));
    return quoted.join(QStringLiteral(", "));
}

bool insertRows(QSqlDatabase db, const QString& table, const QStringList& fields, const QList<QVariantList>& rows,
                QString* error)
{
    QSqlQuery query(db);
    QStringList placeholders;
    for (int i = 0; i < fields.size(); ++i)
        placeholders.append(QStringLiteral("?"));
    if (!query.prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(store::quotedName(table), columnList(fields), placeholders.join(QStringLiteral(", "))))) {
        *error = QStringLiteral("无法写入“%1”：%2").arg(table, query.lastError().text());
        return false;
    }
    for (const QVariantList& row : rows) {
        for (int i = 0; i < row.size(); ++i)
            query.bindValue(i, row[i]);
        if (!query.exec()) {
            *error = QStringLiteral("无法写入“%1”：%2").arg(table, query.lastError().text());
            return false;
        }
    }
    return true;
}

int rowCount(QSqlDatabase db, const QString& table)
{
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(store::quotedName(table))) && query.next())
        return query.value(0).toInt();
    return 0;
}

// A stored value as CSV text that reads back to the same value: integers as
// they are, floats in the shortest form that round-trips.
bool csvText(const QVariant& value, QString* text)
{
    if (value.isNull()) {
        *text = QString();
        return true;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        *text = value.toString();
        return true;
    case QMetaType::Double:
        *text = QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
        return true;
    case QMetaType::QString:
        *text = value.toString();
        if (text->isNull())
            *text = QStringLiteral("");
        return true;
    default:
        return false;
    }
}

bool exportTable(QSqlDatabase db, const QString& table, const QStringList& fields, const QString& path, int* rows,
                 QString* error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(columnList(fields), store::quotedName(table)))) {
        *error = QStringLiteral("无法读取“%1”：%2").arg(table, query.lastError().text());
        return false;
    }
    QString content = csvRecord(fields);
    *rows = 0;
    while (query.next()) {
        ++*rows;
        QStringList values;
        for (int i = 0; i < fields.size(); ++i) {
            QString text;
            if (!csvText(query.value(i), &text)) {
                *error = QStringLiteral("“%1”第 %2 行的“%3”既不是数字也不是文字，无法导出。")
                             .arg(table)
                             .arg(*rows)
                             .arg(fields[i]);
                return false;
            }
            values.append(text);
        }
        content += csvRecord(values);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString());
        return false;
    }
    file.write("\xEF\xBB\xBF");
    file.write(content.toUtf8());
    if (!file.commit()) {
        *error = QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

QStringList pumpCsvColumns()
{
    return {n::key(),          n::pumpType(),
            n::model(),        n::speed(),
            n::flow(),         n::head(),
            n::shaftPower(),   n::motorPower(),
            n::npshRequired(), n::impellerDiameter(),
            n::weight(),       n::installationDimensions()};
}

QStringList pointCsvColumns()
{
    return {n::key(), n::flow(), n::head(), n::shaftPower()};
}

Expected<CatalogueFiles, QStringList> readCatalogueCsv(const QString& pumpsPath, const QString& pointsPath)
{
    using Result = Expected<CatalogueFiles, QStringList>;
    QByteArray contents[2];
    const QString paths[2] = {pumpsPath, pointsPath};
    for (int i = 0; i < 2; ++i) {
        QFile file(paths[i]);
        if (!file.open(QIODevice::ReadOnly))
            return Result::failure({QStringLiteral("无法读取文件 %1：%2").arg(paths[i], file.errorString())});
        contents[i] = file.readAll();
    }
    return parseCatalogueCsv(contents[0], contents[1], QFileInfo(pumpsPath).fileName(),
                             QFileInfo(pointsPath).fileName());
}

Expected<CatalogueFiles, QStringList> parseCatalogueCsv(const QByteArray& pumpsBytes, const QByteArray& pointsBytes,
                                                        const QString& pumpsName, const QString& pointsName)
{
    using Result = Expected<CatalogueFiles, QStringList>;
    using Sign = FieldReader::Sign;
    Problems problems;
    CatalogueFiles files;
    CsvTable pumps;
    CsvTable points;
    const bool pumpsRead =
        readCsvTable(pumpsBytes, pumpsName, pumpCsvColumns(), &pumps, &files.pumpsEncoding, &problems);
    const bool pointsRead =
        readCsvTable(pointsBytes, pointsName, pointCsvColumns(), &points, &files.pointsEncoding, &problems);
    if (!pumpsRead || !pointsRead)
        return Result::failure(problems.list());

    QHash<qint64, int> pumpLines; // key -> line of its pump
    for (const CsvRecord& record : pumps.records) {
        if (!widthMatches(pumps, record, &problems))
            continue;
        FieldReader field(pumps, record, &problems);
        CataloguePumpRow pump;
        pump.line = record.line;
        const auto key = field.key();
        pump.type = field.requiredText(n::pumpType());
        pump.model = field.requiredText(n::model());
        pump.speed = field.required(n::speed(), Sign::Positive);
        pump.flow = field.optional(n::flow(), Sign::Positive);
        pump.head = field.optional(n::head(), Sign::NotNegative);
        pump.shaftPower = field.optional(n::shaftPower(), Sign::Positive);
        pump.motorPower = field.optional(n::motorPower(), Sign::Positive);
        pump.npsh = field.optional(n::npshRequired(), Sign::NotNegative);
        pump.impeller = field.optional(n::impellerDiameter(), Sign::NotNegative);
        pump.weight = field.optional(n::weight(), Sign::NotNegative);
        const QString dimensions = field.raw(n::installationDimensions());
        pump.dimensions = dimensions;
        if (key) {
            pump.key = *key;
            if (pumpLines.contains(*key))
                field.problem(n::key(),
                              QStringLiteral("序号 %1 重复（第 %2 行已有）。").arg(*key).arg(pumpLines[*key]));
            else
                pumpLines.insert(*key, record.line);
        }
        if (field.ok())
            files.pumps.append(pump);
    }

    QHash<qint64, int> pointCounts;
    QHash<qint64, int> firstPointLine;
    QSet<qint64> reported;
    qint64 previousKey = 0;
    bool afterPoint = false; // previousKey holds the key of the row before
    for (const CsvRecord& record : points.records) {
        if (!widthMatches(points, record, &problems))
            continue;
        FieldReader field(points, record, &problems);
        CataloguePointRow point;
        point.line = record.line;
        const auto key = field.key();
        point.flow = field.required(n::flow(), Sign::Positive);
        point.head = field.required(n::head(), Sign::NotNegative);
        point.power = field.required(n::shaftPower(), Sign::Positive);
        if (key) {
            point.key = *key;
            // The calculations read a pump's points as one run from its first row.
            if (!(afterPoint && *key == previousKey) && firstPointLine.contains(*key) && !reported.contains(*key)) {
                field.problem(n::key(), QStringLiteral("序号 %1 的性能点没有连在一起（第 %2 行起已有该序号的点）。")
                                            .arg(*key)
                                            .arg(firstPointLine[*key]));
                reported.insert(*key);
            }
            if (!pumpLines.contains(*key) && !reported.contains(*key)) {
                field.problem(n::key(), QStringLiteral("序号 %1 在 %2 中没有对应的水泵。").arg(*key).arg(pumpsName));
                reported.insert(*key);
            }
            if (!firstPointLine.contains(*key))
                firstPointLine.insert(*key, record.line);
            ++pointCounts[*key];
            previousKey = *key;
            afterPoint = true;
        } else {
            afterPoint = false;
        }
        if (field.ok())
            files.points.append(point);
    }

    for (const CsvRecord& record : pumps.records) {
        if (record.fields.size() != pumps.width)
            continue;
        bool isInteger = false;
        const qint64 key = record.fields.value(pumps.columns.value(n::key())).trimmed().toLongLong(&isInteger);
        if (!isInteger || pumpLines.value(key) != record.line)
            continue;
        const int count = pointCounts.value(key);
        if (count < kMinimumPoints)
            problems.add(pumpsName, record.line, n::key(),
                         QStringLiteral("水泵“%1”（序号 %2）在 %3 中只有 %4 个性能点，至少需要 %5 个。")
                             .arg(record.fields.value(pumps.columns.value(n::model())))
                             .arg(key)
                             .arg(pointsName)
                             .arg(count)
                             .arg(kMinimumPoints));
    }

    if (!problems.isEmpty())
        return Result::failure(problems.list());
    return files;
}

Expected<CatalogueImportSummary, QStringList> importCatalogue(QSqlDatabase db, const CatalogueFiles& files,
                                                              bool replace, const QString& pumpsName)
{
    using Result = Expected<CatalogueImportSummary, QStringList>;
    QString error;
    if (!hasFields(db, n::pumpTable(), pumpCsvColumns(), &error) ||
        !hasFields(db, n::pointTable(), pointCsvColumns(), &error))
        return Result::failure({error});

    if (!replace) {
        // A new pump's key must not meet an existing pump or stray points,
        // which would otherwise join its run.
        QSet<qint64> taken;
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT %1 FROM %2 UNION SELECT %1 FROM %3")
                            .arg(store::quotedName(n::key()), store::quotedName(n::pumpTable()),
                                 store::quotedName(n::pointTable())))) {
            return Result::failure({QStringLiteral("无法读取“%1”：%2").arg(n::pumpTable(), query.lastError().text())});
        }
        while (query.next()) {
            const double key = store::numberOrNaN(query.value(0));
            if (std::isfinite(key) && key == std::floor(key) && std::fabs(key) < 9.0e18)
                taken.insert(static_cast<qint64>(key));
        }
        Problems problems;
        for (const CataloguePumpRow& pump : files.pumps) {
            if (taken.contains(pump.key))
                problems.add(pumpsName, pump.line, n::key(),
                             QStringLiteral("序号 %1 在数据库中已经使用。").arg(pump.key));
        }
        if (!problems.isEmpty())
            return Result::failure(problems.list() << QStringLiteral("要替换整个水泵目录，请使用 --replace。"));
    }

    QList<QVariantList> pumpRows;
    for (const CataloguePumpRow& p : files.pumps)
        pumpRows.append({QVariant::fromValue(p.key), p.type, p.model, p.speed, optionalValue(p.flow),
                         optionalValue(p.head), optionalValue(p.shaftPower), optionalValue(p.motorPower),
                         optionalValue(p.npsh), optionalValue(p.impeller), optionalValue(p.weight), p.dimensions});
    QList<QVariantList> pointRows;
    for (const CataloguePointRow& p : files.points)
        pointRows.append({QVariant::fromValue(p.key), p.flow, p.head, p.power});

    CatalogueImportSummary summary;
    const bool ok = store::inTransaction(
        db,
        [&] {
            if (replace) {
                summary.removedPumps = rowCount(db, n::pumpTable());
                summary.removedPoints = rowCount(db, n::pointTable());
                QSqlQuery query(db);
                for (const QString& table : {n::pointTable(), n::pumpTable()}) {
                    if (!query.exec(QStringLiteral("DELETE FROM %1").arg(store::quotedName(table)))) {
                        error = QStringLiteral("无法清空“%1”：%2").arg(table, query.lastError().text());
                        return false;
                    }
                }
            }
            return insertRows(db, n::pumpTable(), pumpCsvColumns(), pumpRows, &error) &&
                   insertRows(db, n::pointTable(), pointCsvColumns(), pointRows, &error);
        },
        &error);
    if (!ok)
        return Result::failure({error.isEmpty() ? QStringLiteral("无法写入数据库。") : error});
    summary.pumps = static_cast<int>(files.pumps.size());
    summary.points = static_cast<int>(files.points.size());
    return summary;
}

Expected<CatalogueImportSummary, QString> exportCatalogue(QSqlDatabase db, const QString& pumpsPath,
                                                          const QString& pointsPath)
{
    using Result = Expected<CatalogueImportSummary, QString>;
    QString error;
    if (!hasFields(db, n::pumpTable(), pumpCsvColumns(), &error) ||
        !hasFields(db, n::pointTable(), pointCsvColumns(), &error))
        return Result::failure(error);
    if (const auto conflict = store::outputTargetConflict({pumpsPath, pointsPath}, store::databaseFilePath(db)))
        return Result::failure(*conflict);
    CatalogueImportSummary summary;
    // Both files show one state of the catalogue.
    const store::ReadSnapshot snapshot(db);
    if (!snapshot.isValid())
        return Result::failure(snapshot.error());
    if (!exportTable(db, n::pumpTable(), pumpCsvColumns(), pumpsPath, &summary.pumps, &error) ||
        !exportTable(db, n::pointTable(), pointCsvColumns(), pointsPath, &summary.points, &error))
        return Result::failure(error);
    return summary;
}

} // namespace tarnwick::import
