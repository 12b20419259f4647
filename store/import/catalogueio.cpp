#include "store/import/catalogueio.h"

#include "files/csv.h"
#include "files/filetargets.h"
#include "store/cataloguerules.h"
#include "store/database.h"
#include "store/databasefiles.h"
#include "store/fieldcheck.h"
#include "store/import/textcodec.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"

#include <QBuffer>
#include <QCoreApplication>
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
#include <functional>

namespace tarnwick::import {

namespace n = store::names;
using files::CsvRecord;
using files::parseCsv;
using files::csvRecord;
using files::CsvParser;

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
            result.append(QCoreApplication::translate("tarnwick::store", "……共 %1 处错误，只列出前 %2 处。")
                              .arg(m_count)
                              .arg(m_list.size()));
        return result;
    }

private:
    QStringList m_list;
    int m_count = 0;
};

// The layout of one CSV file: its name and where each column is.
struct CsvTable
{
    QString name;
    QHash<QString, int> columns;
    int width = 0;
};

bool checkHeader(const CsvRecord& header, const QStringList& expected, CsvTable* table, Problems* problems)
{
    bool ok = true;
    const QString& name = table->name;
    for (int c = 0; c < header.fields.size(); ++c) {
        const QString column = header.fields[c].trimmed();
        if (!expected.contains(column)) {
            problems->add(name, header.line, {},
                          QCoreApplication::translate("tarnwick::store", "表头中有不认识的列“%1”。").arg(column));
            ok = false;
        } else if (table->columns.contains(column)) {
            problems->add(name, header.line, {},
                          QCoreApplication::translate("tarnwick::store", "表头中“%1”出现了两次。").arg(column));
            ok = false;
        } else {
            table->columns.insert(column, c);
        }
    }
    for (const QString& column : expected) {
        if (!table->columns.contains(column)) {
            problems->add(name, header.line, {},
                          QCoreApplication::translate("tarnwick::store", "表头中缺少列“%1”。").arg(column));
            ok = false;
        }
    }
    table->width = static_cast<int>(header.fields.size());
    return ok;
}

// Reads a CSV file record by record, never holding more than a piece of it:
// the header is checked, then every record goes to `take`. False when the
// file cannot be read or its header is wrong; the problems say why.
bool readCsvRecords(QIODevice* device, const QString& name, const QStringList& expected, QString* encoding,
                    Problems* problems, const std::function<void(const CsvTable&, const CsvRecord&)>& take)
{
    CsvTable table;
    table.name = name;
    TextFileReader reader(device);
    QString error;
    if (!reader.start(&error)) {
        problems->add(name, 0, {}, error);
        return false;
    }
    *encoding = reader.encoding();
    bool haveHeader = false;
    bool headerOk = false;
    CsvParser parser([&](CsvRecord&& record) {
        if (!haveHeader) {
            haveHeader = true;
            headerOk = checkHeader(record, expected, &table, problems);
            return headerOk;
        }
        take(table, record);
        return true;
    });
    QString text;
    while (reader.next(&text, &error)) {
        if (!parser.feed(text, &error))
            break;
    }
    if (error.isEmpty() && !parser.finish(&error) && error.isEmpty())
        return false; // the header was wrong
    if (!error.isEmpty()) {
        problems->add(name, 0, {}, error);
        return false;
    }
    if (!haveHeader) {
        problems->add(name, 0, {},
                      QCoreApplication::translate("tarnwick::store", "文件是空的，第一行应为表头：%1")
                          .arg(expected.join(QLatin1Char(','))));
        return false;
    }
    return headerOk;
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
            problem(column, QCoreApplication::translate("tarnwick::store", "缺少内容。"));
        return value;
    }

    std::optional<qint64> key()
    {
        const QString value = raw(n::key()).trimmed();
        if (value.isEmpty()) {
            problem(n::key(), QCoreApplication::translate("tarnwick::store", "缺少数值。"));
            return std::nullopt;
        }
        bool isInteger = false;
        const qint64 key = value.toLongLong(&isInteger);
        if (!isInteger) {
            problem(n::key(), QCoreApplication::translate("tarnwick::store", "“%1”不是整数。").arg(value));
            return std::nullopt;
        }
        return key;
    }

    enum class Sign { Positive, NotNegative, Any };

    // A number that must be there.
    double required(const QString& column, Sign sign)
    {
        const QString value = raw(column).trimmed();
        if (value.isEmpty()) {
            problem(column, QCoreApplication::translate("tarnwick::store", "缺少数值。"));
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
            problem(column, QCoreApplication::translate("tarnwick::store", "“%1”不是数字。").arg(value));
            return std::nullopt;
        }
        if (sign == Sign::Positive && !(number > 0.0)) {
            problem(column, QCoreApplication::translate("tarnwick::store", "%1 应大于 0。").arg(value));
            return std::nullopt;
        }
        if (sign == Sign::NotNegative && number < 0.0) {
            problem(column, QCoreApplication::translate("tarnwick::store", "%1 不能为负数。").arg(value));
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
                  QCoreApplication::translate("tarnwick::store", "有 %1 个字段，表头有 %2 个。")
                      .arg(record.fields.size())
                      .arg(table.width));
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
        *error = QCoreApplication::translate("tarnwick::store", "数据库中没有表“%1”。").arg(table);
        return false;
    }
    *error = store::missingFieldsMessage(table, fields, db.record(table));
    return error->isEmpty();
}

QString columnList(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(store::quotedName(field));
    return quoted.join(QStringLiteral(", "));
}

bool prepareInsert(QSqlQuery* query, const QString& table, const QStringList& fields, QString* error)
{
    QStringList placeholders;
    for (int i = 0; i < fields.size(); ++i)
        placeholders.append(QStringLiteral("?"));
    if (query->prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(store::quotedName(table), columnList(fields), placeholders.join(QStringLiteral(", ")))))
        return true;
    *error = store::databaseErrorText(QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(table),
                                      query->lastError());
    return false;
}

bool insertRow(QSqlQuery* query, const QString& table, const QVariantList& row, QString* error)
{
    for (int i = 0; i < row.size(); ++i)
        query->bindValue(i, row[i]);
    if (query->exec())
        return true;
    *error = store::databaseErrorText(QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(table),
                                      query->lastError());
    return false;
}

bool insertRows(QSqlDatabase db, const QString& table, const QStringList& fields, const QList<QVariantList>& rows,
                QString* error)
{
    QSqlQuery query(db);
    if (!prepareInsert(&query, table, fields, error))
        return false;
    for (const QVariantList& row : rows) {
        if (!insertRow(&query, table, row, error))
            return false;
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

// The rows of the table as the text of a CSV file.
bool exportTable(QSqlDatabase db, const QString& table, const QStringList& fields, QByteArray* bytes, int* rows,
                 QString* error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral("SELECT %1 FROM %2%3")
                .arg(columnList(fields), store::quotedName(table), store::storedOrderClause()))) {
        *error = store::databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(table),
                                          query.lastError());
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
                *error =
                    QCoreApplication::translate("tarnwick::store", "“%1”第 %2 行的“%3”既不是数字也不是文字，无法导出。")
                        .arg(table)
                        .arg(*rows)
                        .arg(fields[i]);
                return false;
            }
            values.append(text);
        }
        content += csvRecord(values);
    }
    // A read that stops at a damaged page is an error, not the table's end.
    if (query.lastError().isValid()) {
        *error = store::databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(table),
                                          query.lastError());
        return false;
    }
    *bytes = QByteArray("\xEF\xBB\xBF") + content.toUtf8();
    return true;
}

} // namespace

QStringList pumpCsvColumns()
{
    return n::pumpFields();
}

QStringList pointCsvColumns()
{
    return n::pointFields();
}

namespace {

// Reads the pumps file whole and the points file point by point, checking
// both with the catalogue rules; each sound point goes to `takePoint`.
class CatalogueCsvReader
{
public:
    CatalogueCsvReader(QString pumpsName, QString pointsName)
        : m_pumpsName(std::move(pumpsName)), m_pointsName(std::move(pointsName)), m_rules(m_pumpsName, m_pointsName)
    {
    }

    bool readPumps(QIODevice* device, CatalogueFiles* files)
    {
        using Sign = FieldReader::Sign;
        return readCsvRecords(device, m_pumpsName, pumpCsvColumns(), &files->pumpsEncoding, &m_problems,
                              [&](const CsvTable& table, const CsvRecord& record) {
            if (!widthMatches(table, record, &m_problems))
                return;
            FieldReader field(table, record, &m_problems);
            CataloguePumpRow pump;
            pump.line = record.line;
            const auto key = field.key();
            pump.type = field.requiredText(n::pumpType());
            pump.model = field.raw(n::model());
            pump.speed = field.required(n::speed(), Sign::Positive);
            pump.flow = field.optional(n::flow(), Sign::Positive);
            pump.head = field.optional(n::head(), Sign::NotNegative);
            pump.shaftPower = field.optional(n::shaftPower(), Sign::Positive);
            pump.motorPower = field.optional(n::motorPower(), Sign::Positive);
            pump.npsh = field.optional(n::npshRequired(), Sign::NotNegative);
            pump.impeller = field.optional(n::impellerDiameter(), Sign::NotNegative);
            pump.weight = field.optional(n::weight(), Sign::NotNegative);
            pump.dimensions = field.raw(n::installationDimensions());
            if (!key)
                return;
            pump.key = *key;
            const int refusals = m_rules.refusalCount();
            m_rules.addPump(pump.key, pump.model, pump.line);
            if (field.ok() && m_rules.refusalCount() == refusals)
                files->pumps.append(pump);
        });
    }

    bool readPoints(QIODevice* device, CatalogueFiles* files,
                    const std::function<bool(const CataloguePointRow&)>& takePoint)
    {
        using Sign = FieldReader::Sign;
        bool taking = true;
        const bool read = readCsvRecords(device, m_pointsName, pointCsvColumns(), &files->pointsEncoding, &m_problems,
                                         [&](const CsvTable& table, const CsvRecord& record) {
            if (!widthMatches(table, record, &m_problems))
                return;
            FieldReader field(table, record, &m_problems);
            CataloguePointRow point;
            point.line = record.line;
            const auto key = field.key();
            point.flow = field.required(n::flow(), Sign::Any);
            point.head = field.required(n::head(), Sign::Any);
            point.power = field.required(n::shaftPower(), Sign::Any);
            if (!key || !field.ok())
                return;
            point.key = *key;
            m_rules.addPoint(point.key, point.flow, point.head, point.power, point.line);
            // Once anything is wrong nothing will be written; the rest of the
            // file is only checked.
            if (taking && !m_rules.refused() && m_problems.isEmpty())
                taking = takePoint(point);
        });
        return read && taking;
    }

    // The problems of both files, the catalogue rules' last.
    QStringList finish(CatalogueFiles* files)
    {
        m_rules.finish();
        files->warnings = m_rules.warnings();
        QStringList problems = m_problems.isEmpty() ? QStringList() : m_problems.list();
        if (m_rules.refused())
            problems += m_rules.refusals();
        return problems;
    }

private:
    QString m_pumpsName;
    QString m_pointsName;
    Problems m_problems;
    store::CatalogueRules m_rules;
};

} // namespace

Expected<CatalogueFiles, QStringList> readCatalogueCsv(const QString& pumpsPath, const QString& pointsPath)
{
    using Result = Expected<CatalogueFiles, QStringList>;
    QFile pumps(pumpsPath);
    QFile points(pointsPath);
    for (QFile* file : {&pumps, &points}) {
        if (!file->open(QIODevice::ReadOnly))
            return Result::failure({QCoreApplication::translate("tarnwick::store", "无法读取文件 %1：%2")
                                        .arg(file->fileName(), file->errorString())});
    }
    return readCatalogueDevices(&pumps, &points, QFileInfo(pumpsPath).fileName(), QFileInfo(pointsPath).fileName());
}

Expected<CatalogueFiles, QStringList> parseCatalogueCsv(const QByteArray& pumpsBytes, const QByteArray& pointsBytes,
                                                        const QString& pumpsName, const QString& pointsName)
{
    QByteArray pumpsCopy = pumpsBytes;
    QByteArray pointsCopy = pointsBytes;
    QBuffer pumps(&pumpsCopy);
    QBuffer points(&pointsCopy);
    pumps.open(QIODevice::ReadOnly);
    points.open(QIODevice::ReadOnly);
    return readCatalogueDevices(&pumps, &points, pumpsName, pointsName);
}

Expected<CatalogueFiles, QStringList> readCatalogueDevices(QIODevice* pumps, QIODevice* points,
                                                           const QString& pumpsName, const QString& pointsName)
{
    using Result = Expected<CatalogueFiles, QStringList>;
    CatalogueFiles files;
    CatalogueCsvReader reader(pumpsName, pointsName);
    const bool pumpsRead = reader.readPumps(pumps, &files);
    const bool pointsRead = reader.readPoints(points, &files, [&files](const CataloguePointRow& point) {
        files.points.append(point);
        return true;
    });
    const QStringList problems = reader.finish(&files);
    if (!pumpsRead || !pointsRead || !problems.isEmpty())
        return Result::failure(problems);
    return files;
}

namespace {

using PointWriter = std::function<bool(const CataloguePointRow&)>;
// Hands every point to the writer; the problems found meanwhile, if any.
using PointFeeder = std::function<QStringList(const PointWriter&)>;

// Writes the pumps, then the points the feeder hands over, in one
// transaction that a problem of the points or of the database rolls back.
Expected<CatalogueImportSummary, QStringList> writeCatalogue(QSqlDatabase db, const QList<CataloguePumpRow>& pumps,
                                                             bool replace, const QString& pumpsName,
                                                             const PointFeeder& feedPoints)
{
    using Result = Expected<CatalogueImportSummary, QStringList>;
    QString error;
    if (!hasFields(db, n::pumpTable(), pumpCsvColumns(), &error) ||
        !hasFields(db, n::pointTable(), pointCsvColumns(), &error))
        return Result::failure({error});

    QList<QVariantList> pumpRows;
    for (const CataloguePumpRow& p : pumps)
        pumpRows.append({QVariant::fromValue(p.key), p.type, p.model, p.speed, optionalValue(p.flow),
                         optionalValue(p.head), optionalValue(p.shaftPower), optionalValue(p.motorPower),
                         optionalValue(p.npsh), optionalValue(p.impeller), optionalValue(p.weight), p.dimensions});

    CatalogueImportSummary summary;
    QStringList problems;
    const bool ok = store::inTransaction(
        db,
        [&] {
            // The keys read below stay taken by no one else until the commit.
            if (!store::lockCatalogue(db, &error))
                return false;
            if (!replace) {
                // A new pump's key must not meet an existing pump or stray
                // points, which would otherwise join its run.
                QSet<qint64> taken;
                QSqlQuery query(db);
                if (!query.exec(QStringLiteral("SELECT %1 FROM %2 UNION SELECT %1 FROM %3")
                                    .arg(store::quotedName(n::key()), store::quotedName(n::pumpTable()),
                                         store::quotedName(n::pointTable())))) {
                    error = store::databaseErrorText(
                        QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(n::pumpTable()),
                        query.lastError());
                    return false;
                }
                while (query.next()) {
                    const double key = store::numberOrNaN(query.value(0));
                    if (std::isfinite(key) && key == std::floor(key) && std::fabs(key) < 9.0e18)
                        taken.insert(static_cast<qint64>(key));
                }
                if (query.lastError().isValid()) {
                    error = store::databaseErrorText(
                        QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(n::pumpTable()),
                        query.lastError());
                    return false;
                }
                Problems clashes;
                for (const CataloguePumpRow& pump : pumps) {
                    if (taken.contains(pump.key))
                        clashes.add(pumpsName, pump.line, n::key(),
                                    QCoreApplication::translate("tarnwick::store", "序号 %1 在数据库中已经使用。")
                                        .arg(pump.key));
                }
                if (!clashes.isEmpty()) {
                    // The files' own problems come first; the points are read
                    // for them without being written.
                    problems = feedPoints([](const CataloguePointRow&) { return true; });
                    if (problems.isEmpty())
                        problems =
                            clashes.list()
                            << QCoreApplication::translate("tarnwick::store", "要替换整个水泵目录，请使用 --replace。");
                    return false;
                }
            } else {
                summary.removedPumps = rowCount(db, n::pumpTable());
                summary.removedPoints = rowCount(db, n::pointTable());
                QSqlQuery query(db);
                for (const QString& table : {n::pointTable(), n::pumpTable()}) {
                    if (!query.exec(QStringLiteral("DELETE FROM %1").arg(store::quotedName(table)))) {
                        error = store::databaseErrorText(
                            QCoreApplication::translate("tarnwick::store", "清空“%1”").arg(table), query.lastError());
                        return false;
                    }
                }
            }
            if (!insertRows(db, n::pumpTable(), pumpCsvColumns(), pumpRows, &error))
                return false;
            QSqlQuery insert(db);
            if (!prepareInsert(&insert, n::pointTable(), pointCsvColumns(), &error))
                return false;
            problems = feedPoints([&](const CataloguePointRow& p) {
                const QVariantList row = {QVariant::fromValue(p.key), p.flow, p.head, p.power};
                if (!insertRow(&insert, n::pointTable(), row, &error))
                    return false;
                ++summary.points;
                return true;
            });
            return problems.isEmpty() && error.isEmpty();
        },
        &error);
    if (!problems.isEmpty())
        return Result::failure(problems);
    if (!ok)
        return Result::failure(
            {error.isEmpty() ? QCoreApplication::translate("tarnwick::store", "无法写入数据库。") : error});
    summary.pumps = static_cast<int>(pumps.size());
    return summary;
}

// What the files themselves tell, added to a written import's summary.
Expected<CatalogueImportSummary, QStringList> withFileNotes(const Expected<CatalogueImportSummary, QStringList>& summary,
                                                            const CatalogueFiles& files)
{
    if (!summary)
        return summary;
    CatalogueImportSummary written = summary.value();
    written.pumpsEncoding = files.pumpsEncoding;
    written.pointsEncoding = files.pointsEncoding;
    written.warnings = files.warnings;
    return written;
}

} // namespace

Expected<CatalogueImportSummary, QStringList> importCatalogue(QSqlDatabase db, const CatalogueFiles& files,
                                                              bool replace, const QString& pumpsName)
{
    auto summary = writeCatalogue(db, files.pumps, replace, pumpsName, [&files](const PointWriter& write) {
        for (const CataloguePointRow& point : files.points) {
            if (!write(point))
                break;
        }
        return QStringList();
    });
    return withFileNotes(summary, files);
}

Expected<CatalogueImportSummary, QStringList> importCatalogueCsv(QSqlDatabase db, const QString& pumpsPath,
                                                                 const QString& pointsPath, bool replace,
                                                                 const ImportProgress& progress)
{
    using Result = Expected<CatalogueImportSummary, QStringList>;
    QFile pumpsFile(pumpsPath);
    QFile pointsFile(pointsPath);
    for (QFile* file : {&pumpsFile, &pointsFile}) {
        if (!file->open(QIODevice::ReadOnly))
            return Result::failure({QCoreApplication::translate("tarnwick::store", "无法读取文件 %1：%2")
                                        .arg(file->fileName(), file->errorString())});
    }
    const QString pumpsName = QFileInfo(pumpsPath).fileName();
    CatalogueFiles files;
    CatalogueCsvReader reader(pumpsName, QFileInfo(pointsPath).fileName());
    const bool pumpsRead = reader.readPumps(&pumpsFile, &files);
    if (!pumpsRead) {
        // The points are still checked, so that every problem is told at once.
        reader.readPoints(&pointsFile, &files, [](const CataloguePointRow&) { return true; });
        return Result::failure(reader.finish(&files));
    }
    const qint64 total = pointsFile.size();
    auto summary = writeCatalogue(db, files.pumps, replace, pumpsName, [&](const PointWriter& write) {
        qint64 counted = 0;
        const bool read = reader.readPoints(&pointsFile, &files, [&](const CataloguePointRow& point) {
            if (progress && ++counted % 10000 == 0)
                progress(pointsFile.pos(), total);
            return write(point);
        });
        QStringList problems = reader.finish(&files);
        if (!read && problems.isEmpty())
            problems.append(QCoreApplication::translate("tarnwick::store", "没有导入任何数据。"));
        return problems;
    });
    return withFileNotes(summary, files);
}

Expected<CatalogueImportSummary, QString> exportCatalogue(QSqlDatabase db, const QString& pumpsPath,
                                                          const QString& pointsPath)
{
    using Result = Expected<CatalogueImportSummary, QString>;
    QString error;
    if (!hasFields(db, n::pumpTable(), pumpCsvColumns(), &error) ||
        !hasFields(db, n::pointTable(), pointCsvColumns(), &error))
        return Result::failure(error);
    if (const auto conflict =
            files::outputTargetConflict({pumpsPath, pointsPath}, store::databaseFiles(store::databaseFilePath(db))))
        return Result::failure(*conflict);
    CatalogueImportSummary summary;
    // Both files show one state of the catalogue.
    const store::ReadSnapshot snapshot(db);
    if (!snapshot.isValid())
        return Result::failure(snapshot.error());
    QByteArray pumps;
    QByteArray points;
    if (!exportTable(db, n::pumpTable(), pumpCsvColumns(), &pumps, &summary.pumps, &error) ||
        !exportTable(db, n::pointTable(), pointCsvColumns(), &points, &summary.points, &error))
        return Result::failure(error);
    // Both files reach the disk before either replaces its target: a failure
    // of either leaves both targets as they were.
    QSaveFile pumpsFile(pumpsPath);
    QSaveFile pointsFile(pointsPath);
    for (auto [file, bytes] : {std::pair{&pumpsFile, &pumps}, std::pair{&pointsFile, &points}}) {
        QString reason;
        if (!file->open(QIODevice::WriteOnly) || file->write(*bytes) != bytes->size() ||
            !files::flushOutput(*file, &reason))
            return Result::failure(
                files::cannotWriteFile(file->fileName(), reason.isEmpty() ? file->errorString() : reason));
    }
    for (QSaveFile* file : {&pumpsFile, &pointsFile}) {
        if (!file->commit())
            return Result::failure(files::cannotWriteFile(file->fileName(), file->errorString()));
    }
    return summary;
}

} // namespace tarnwick::import
