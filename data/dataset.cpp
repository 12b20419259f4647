#include "data/dataset.h"

#include "store/cataloguerules.h"
#include "store/csv.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSvgRenderer>
#include <QTemporaryFile>

#include <atomic>
#include <cmath>
#include <functional>

// Resources of a static library must be registered by hand, from the global
// namespace.
static void initDatasetResources()
{
    Q_INIT_RESOURCE(dataset);
}

namespace tarnwick::dataset {

namespace {

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// The sources, relative to the source folder.
const QString kPumpsFile = QStringLiteral("catalogue/pumps.csv");
const QString kPointsFile = QStringLiteral("catalogue/points.csv");
const QString kSchematicIndexFile = QStringLiteral("schematics/index.csv");
const QString kSchematicDir = QStringLiteral("schematics");
const QString kCompanyTextFile = QStringLiteral("company/company.txt");
const QString kCompanyPictureFile = QStringLiteral("company/company.svg");
const QString kProductTextFile = QStringLiteral("company/products.txt");
const QString kProductPictureFile = QStringLiteral("company/products.svg");

// The pump columns, in file order; the same names as the fields of "水泵性能表".
const QStringList& pumpColumns()
{
    static const QStringList columns = {
        QStringLiteral("序号"),     QStringLiteral("水泵类型"),   QStringLiteral("水泵型号"),
        QStringLiteral("转速"),     QStringLiteral("流量"),       QStringLiteral("扬程"),
        QStringLiteral("轴功率"),   QStringLiteral("电动机功率"), QStringLiteral("必需汽蚀余量"),
        QStringLiteral("叶轮外径"), QStringLiteral("重量"),       QStringLiteral("设备安装尺寸"),
    };
    return columns;
}

const QStringList& pointColumns()
{
    static const QStringList columns = {QStringLiteral("序号"), QStringLiteral("流量"), QStringLiteral("扬程"),
                                        QStringLiteral("轴功率")};
    return columns;
}

const QStringList& schematicIndexColumns()
{
    static const QStringList columns = {QStringLiteral("水泵类型"), QStringLiteral("示意图")};
    return columns;
}

QString quotedName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString insertStatement(const QString& table, const QStringList& columns)
{
    QStringList names;
    QStringList marks;
    for (const QString& column : columns) {
        names << quotedName(column);
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO ") + quotedName(table) + QStringLiteral(" (") + names.join(QLatin1Char(',')) +
           QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
}

QString where(const QString& file, int line)
{
    return file + QStringLiteral(" 第 ") + QString::number(line) + QStringLiteral(" 行：");
}

std::optional<double> finiteNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok); // C locale, whatever the system's
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<CsvTable> readTable(const QString& sourceDir, const QString& file, const QStringList& columns,
                                  QString* error)
{
    QString message;
    std::optional<CsvTable> table = readCsvFile(QDir(sourceDir).filePath(file), &message);
    if (!table) {
        setError(error, file + QStringLiteral(": ") + message);
        return std::nullopt;
    }
    if (table->header != columns) {
        setError(error, file + QStringLiteral(": the header must be ") + columns.join(QLatin1Char(',')));
        return std::nullopt;
    }
    for (qsizetype i = 0; i < table->rows.size(); ++i) {
        if (table->rows[i].size() != columns.size()) {
            setError(error,
                     where(file, table->lines[i]) +
                         QStringLiteral("expected %1 fields, found %2").arg(columns.size()).arg(table->rows[i].size()));
            return std::nullopt;
        }
    }
    return table;
}

std::optional<QString> readText(const QString& sourceDir, const QString& file, QString* error)
{
    QFile f(QDir(sourceDir).filePath(file));
    if (!f.open(QIODevice::ReadOnly)) {
        setError(error, file + QStringLiteral(": ") + f.errorString());
        return std::nullopt;
    }
    QString text = QString::fromUtf8(f.readAll());
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

// One pump or point row, converted and checked; values in column order.
struct Row
{
    QVariantList values;
};

struct Catalogue
{
    QList<Row> pumps;
    QList<Row> points;
    QSet<QString> types;
};

// Checks the catalogue with the program's catalogue rules, and that every
// field the data sheet shows is a number.
std::optional<Catalogue> readCatalogue(const QString& sourceDir, QString* error)
{
    const std::optional<CsvTable> pumps = readTable(sourceDir, kPumpsFile, pumpColumns(), error);
    if (!pumps)
        return std::nullopt;
    const std::optional<CsvTable> points = readTable(sourceDir, kPointsFile, pointColumns(), error);
    if (!points)
        return std::nullopt;

    store::CatalogueRules rules(kPumpsFile, kPointsFile);
    Catalogue catalogue;
    for (qsizetype i = 0; i < pumps->rows.size(); ++i) {
        const QStringList& fields = pumps->rows[i];
        const QString at = where(kPumpsFile, pumps->lines[i]);
        bool ok = false;
        const qlonglong key = fields[0].toLongLong(&ok);
        if (!ok || key <= 0) {
            setError(error, at + QStringLiteral("序号应为正整数。"));
            return std::nullopt;
        }
        if (fields[1].trimmed().isEmpty()) {
            setError(error, at + QStringLiteral("水泵类型不能为空。"));
            return std::nullopt;
        }
        rules.addPump(key, fields[2], pumps->lines[i]);
        catalogue.types.insert(fields[1]);

        Row row;
        row.values << key << fields[1] << fields[2];
        for (int column = 3; column <= 10; ++column) {
            const std::optional<double> value = finiteNumber(fields[column]);
            if (!value) {
                setError(error, at + pumpColumns()[column] + QStringLiteral(" 不是数字。"));
                return std::nullopt;
            }
            row.values << *value;
        }
        row.values << fields[11];
        catalogue.pumps << row;
    }

    for (qsizetype i = 0; i < points->rows.size(); ++i) {
        const QStringList& fields = points->rows[i];
        const QString at = where(kPointsFile, points->lines[i]);
        bool ok = false;
        const qlonglong key = fields[0].toLongLong(&ok);
        if (!ok) {
            setError(error, at + QStringLiteral("序号“%1”不是整数。").arg(fields[0]));
            return std::nullopt;
        }
        Row row;
        row.values << key;
        for (int column = 1; column <= 3; ++column) {
            const std::optional<double> value = finiteNumber(fields[column]);
            if (!value) {
                setError(error, at + pointColumns()[column] + QStringLiteral(" 不是数字。"));
                return std::nullopt;
            }
            row.values << *value;
        }
        rules.addPoint(key, row.values[1].toDouble(), row.values[2].toDouble(), row.values[3].toDouble(),
                       points->lines[i]);
        catalogue.points << row;
    }
    rules.finish();
    if (rules.refused()) {
        setError(error, rules.refusals().join(QLatin1Char('\n')));
        return std::nullopt;
    }
    for (const QString& warning : rules.warnings())
        qWarning("%s", qUtf8Printable(warning));
    return catalogue;
}

struct Picture
{
    QString type;
    QByteArray png;
};

std::optional<QList<Picture>> readSchematics(const QString& sourceDir, const QSet<QString>& types, QString* error)
{
    const std::optional<CsvTable> index = readTable(sourceDir, kSchematicIndexFile, schematicIndexColumns(), error);
    if (!index)
        return std::nullopt;
    QList<Picture> pictures;
    QSet<QString> seen;
    for (qsizetype i = 0; i < index->rows.size(); ++i) {
        const QString& type = index->rows[i][0];
        const QString at = where(kSchematicIndexFile, index->lines[i]);
        // Only the first row of a type is ever shown; a second one would be dead data.
        if (seen.contains(type)) {
            setError(error, at + QStringLiteral("type %1 appears twice").arg(type));
            return std::nullopt;
        }
        seen.insert(type);
        QString message;
        const QByteArray png =
            renderSvgToPng(QDir(sourceDir).filePath(kSchematicDir + QLatin1Char('/') + index->rows[i][1]), &message);
        if (png.isEmpty()) {
            setError(error, at + message);
            return std::nullopt;
        }
        pictures << Picture{type, png};
    }
    for (const QString& type : types) {
        if (!seen.contains(type)) {
            setError(error, kSchematicIndexFile + QStringLiteral(": no schematic for pump type ") + type);
            return std::nullopt;
        }
    }
    return pictures;
}

struct Company
{
    QString companyText;
    QByteArray companyPicture;
    QString productText;
    QByteArray productPicture;
};

std::optional<Company> readCompany(const QString& sourceDir, QString* error)
{
    Company company;
    const std::optional<QString> companyText = readText(sourceDir, kCompanyTextFile, error);
    if (!companyText)
        return std::nullopt;
    const std::optional<QString> productText = readText(sourceDir, kProductTextFile, error);
    if (!productText)
        return std::nullopt;
    company.companyText = *companyText;
    company.productText = *productText;
    QString message;
    company.companyPicture = renderSvgToPng(QDir(sourceDir).filePath(kCompanyPictureFile), &message);
    if (company.companyPicture.isEmpty()) {
        setError(error, kCompanyPictureFile + QStringLiteral(": ") + message);
        return std::nullopt;
    }
    company.productPicture = renderSvgToPng(QDir(sourceDir).filePath(kProductPictureFile), &message);
    if (company.productPicture.isEmpty()) {
        setError(error, kProductPictureFile + QStringLiteral(": ") + message);
        return std::nullopt;
    }
    return company;
}

bool exec(QSqlQuery& query, const QString& what, QString* error)
{
    if (query.exec())
        return true;
    setError(error, what + QStringLiteral(": ") + query.lastError().text());
    return false;
}

bool insertRows(QSqlDatabase& db, const QString& table, const QStringList& columns, const QList<Row>& rows,
                QString* error)
{
    QSqlQuery query(db);
    if (!query.prepare(insertStatement(table, columns))) {
        setError(error, table + QStringLiteral(": ") + query.lastError().text());
        return false;
    }
    for (const Row& row : rows) {
        for (qsizetype i = 0; i < row.values.size(); ++i)
            query.bindValue(static_cast<int>(i), row.values[i]);
        if (!exec(query, table, error))
            return false;
    }
    return true;
}

// Writes a new database file: the schema, then whatever `fill` adds, in one
// transaction, into a temporary file beside `path` that is renamed to `path`
// only when everything succeeded. `path` is never overwritten.
bool writeDatabase(const QString& path, const std::function<bool(QSqlDatabase&, QString*)>& fill, QString* error)
{
    if (QFileInfo::exists(path)) {
        setError(error, path + QStringLiteral(" already exists; an existing database is never overwritten"));
        return false;
    }
    const QFileInfo target(path);
    if (!target.absoluteDir().exists()) {
        setError(error, QStringLiteral("the folder of ") + path + QStringLiteral(" does not exist"));
        return false;
    }
    QTemporaryFile temporary(target.absoluteFilePath() + QStringLiteral(".XXXXXX.partial"));
    if (!temporary.open()) {
        setError(error, QStringLiteral("cannot create a temporary file beside ") + path + QStringLiteral(": ") +
                            temporary.errorString());
        return false;
    }
    temporary.close(); // SQLite takes an empty file as an empty database
    // A temporary file is private to its owner; the database is an ordinary file.
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                             QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);

    static std::atomic<int> connectionCounter{0};
    const QString connectionName = QStringLiteral("tarnwick-dataset-%1").arg(++connectionCounter);
    bool written = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(temporary.fileName());
        if (!db.open()) {
            setError(error, QStringLiteral("cannot open ") + temporary.fileName() + QStringLiteral(": ") +
                                db.lastError().text());
        } else if (!db.transaction()) {
            setError(error, QStringLiteral("cannot start a transaction: ") + db.lastError().text());
        } else {
            written = true;
            for (const QString& statement : splitSqlStatements(schemaText())) {
                QSqlQuery query(db);
                if (!query.exec(statement)) {
                    setError(error, QStringLiteral("schema: ") + query.lastError().text());
                    written = false;
                    break;
                }
            }
            written = written && fill(db, error);
            if (written && !db.commit()) {
                setError(error, QStringLiteral("cannot commit: ") + db.lastError().text());
                written = false;
            }
            if (!written)
                db.rollback();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    if (!written)
        return false; // the temporary file goes with `temporary`

    // QFile::rename never replaces an existing file, so a database that
    // appeared in the meantime is left alone too.
    if (!QFile::rename(temporary.fileName(), path)) {
        setError(error, QStringLiteral("cannot rename ") + temporary.fileName() + QStringLiteral(" to ") + path +
                            (QFileInfo::exists(path) ? QStringLiteral(": the file appeared meanwhile") : QString()));
        return false;
    }
    temporary.setAutoRemove(false);
    return true;
}

} // namespace

QString schemaText()
{
    initDatasetResources();
    QFile file(QStringLiteral(":/tarnwick/data/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList splitSqlStatements(const QString& script)
{
    QStringList statements;
    QString current;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script[i];
        const QChar next = i + 1 < n ? script[i + 1] : QChar();
        if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            while (i < n && script[i] != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            i += 2;
            while (i < n && !(script[i] == QLatin1Char('*') && i + 1 < n && script[i + 1] == QLatin1Char('/')))
                ++i;
            ++i;
            current += QLatin1Char(' ');
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            // Quoted text, with the quote doubled inside ('' and "").
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            current += c;
            ++i;
            while (i < n) {
                current += script[i];
                if (script[i] == close) {
                    if (close != QLatin1Char(']') && i + 1 < n && script[i + 1] == close) {
                        current += script[++i];
                    } else {
                        break;
                    }
                }
                ++i;
            }
        } else if (c == QLatin1Char(';')) {
            const QString statement = current.trimmed();
            if (!statement.isEmpty())
                statements << statement;
            current.clear();
        } else {
            current += c;
        }
    }
    const QString statement = current.trimmed();
    if (!statement.isEmpty())
        statements << statement;
    return statements;
}

bool createDatabaseFile(const QString& path, QString* error)
{
    if (schemaText().isEmpty()) {
        setError(error, QStringLiteral("the schema is missing from the program"));
        return false;
    }
    return writeDatabase(
        path, [](QSqlDatabase&, QString*) { return true; }, error);
}

bool buildShippedDatabase(const QString& path, const QString& sourceDir, QString* error)
{
    if (QFileInfo::exists(path)) {
        setError(error, path + QStringLiteral(" already exists; an existing database is never overwritten"));
        return false;
    }
    if (schemaText().isEmpty()) {
        setError(error, QStringLiteral("the schema is missing from the program"));
        return false;
    }
    // Read and check every source first, so a fault is found before any file is made.
    const std::optional<Catalogue> catalogue = readCatalogue(sourceDir, error);
    if (!catalogue)
        return false;
    const std::optional<QList<Picture>> schematics = readSchematics(sourceDir, catalogue->types, error);
    if (!schematics)
        return false;
    const std::optional<Company> company = readCompany(sourceDir, error);
    if (!company)
        return false;

    auto fill = [&](QSqlDatabase& db, QString* fillError) {
        if (!insertRows(db, QStringLiteral("水泵性能表"), pumpColumns(), catalogue->pumps, fillError))
            return false;
        if (!insertRows(db, QStringLiteral("流扬功"), pointColumns(), catalogue->points, fillError))
            return false;
        QList<Row> pictureRows;
        for (const Picture& picture : *schematics)
            pictureRows << Row{{picture.type, picture.png}};
        if (!insertRows(db, QStringLiteral("设备安装示意图"),
                        {QStringLiteral("水泵类型"), QStringLiteral("设备安装示意图")}, pictureRows, fillError))
            return false;
        const Row companyRow{
            {company->companyText, company->companyPicture, company->productText, company->productPicture}};
        return insertRows(db, QStringLiteral("公司资料"),
                          {QStringLiteral("公司简介"), QStringLiteral("公司图片"), QStringLiteral("产品简介"),
                           QStringLiteral("产品图片")},
                          {companyRow}, fillError);
    };
    return writeDatabase(path, fill, error);
}

std::optional<CsvTable> readCsvFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    return parseCsv(file.readAll(), error);
}

std::optional<CsvTable> parseCsv(const QByteArray& bytes, QString* error)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1); // a byte-order mark is not part of the first name
    QList<store::CsvRecord> records;
    QString message;
    if (!store::parseCsv(text, &records, &message)) {
        setError(error, message);
        return std::nullopt;
    }
    if (records.isEmpty()) {
        setError(error, QStringLiteral("the file is empty"));
        return std::nullopt;
    }
    CsvTable table;
    table.header = records.first().fields;
    for (qsizetype r = 1; r < records.size(); ++r) {
        table.rows << records[r].fields;
        table.lines << records[r].line;
    }
    return table;
}

QByteArray renderSvgToPng(const QString& svgPath, QString* error)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        setError(error, QStringLiteral("painting pictures needs a QGuiApplication"));
        return {};
    }
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        setError(error, QStringLiteral("cannot read the SVG picture ") + svgPath);
        return {};
    }
    const QSize size = renderer.defaultSize();
    if (size.isEmpty()) {
        setError(error, QStringLiteral("the SVG picture has no size: ") + svgPath);
        return {};
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&painter);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        setError(error, QStringLiteral("cannot encode the picture as PNG: ") + svgPath);
        return {};
    }
    return png;
}

} // namespace tarnwick::dataset
