#include "data/dataset.h"

#include "data/sourcecatalogue.h"
#include "store/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>

#include <atomic>
#include <functional>

namespace tarnwick::dataset {

namespace {

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// The sources, relative to the source folder.
const QString kSchematicIndexFile = QStringLiteral("schematics/index.csv");
const QString kSchematicDir = QStringLiteral("schematics");
const QString kCompanyTextFile = QStringLiteral("company/company.txt");
const QString kCompanyPictureFile = QStringLiteral("company/company.svg");
const QString kProductTextFile = QStringLiteral("company/products.txt");
const QString kProductPictureFile = QStringLiteral("company/products.svg");

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

struct Picture
{
    QString type;
    QByteArray png;
};

std::optional<QList<Picture>> readSchematics(const QString& sourceDir, const QSet<QString>& types, QString* error)
{
    const std::optional<CsvTable> index = readCheckedCsv(sourceDir, kSchematicIndexFile, schematicIndexColumns(), error);
    if (!index)
        return std::nullopt;
    QList<Picture> pictures;
    QSet<QString> seen;
    for (qsizetype i = 0; i < index->rows.size(); ++i) {
        const QString& type = index->rows[i][0];
        const QString at = csvLineText(kSchematicIndexFile, index->lines[i]);
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

bool insertRows(QSqlDatabase& db, const QString& table, const QStringList& columns, const QList<SourceRow>& rows,
                QString* error)
{
    QSqlQuery query(db);
    if (!query.prepare(insertStatement(table, columns))) {
        setError(error, table + QStringLiteral(": ") + query.lastError().text());
        return false;
    }
    for (const SourceRow& row : rows) {
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
    const std::optional<SourceCatalogue> catalogue = readSourceCatalogue(sourceDir, error);
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
        QList<SourceRow> pictureRows;
        for (const Picture& picture : *schematics)
            pictureRows << SourceRow{{picture.type, picture.png}};
        if (!insertRows(db, QStringLiteral("设备安装示意图"),
                        {QStringLiteral("水泵类型"), QStringLiteral("设备安装示意图")}, pictureRows, fillError))
            return false;
        const SourceRow companyRow{
            {company->companyText, company->companyPicture, company->productText, company->productPicture}};
        return insertRows(db, QStringLiteral("公司资料"),
                          {QStringLiteral("公司简介"), QStringLiteral("公司图片"), QStringLiteral("产品简介"),
                           QStringLiteral("产品图片")},
                          {companyRow}, fillError);
    };
    return writeDatabase(path, fill, error);
}

} // namespace tarnwick::dataset
