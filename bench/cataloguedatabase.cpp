#include "bench/cataloguedatabase.h"

#include "core/curvefit.h"
#include "data/dataset.h"
#include "store/names.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace tarnwick::bench {

namespace {

namespace names = store::names;

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// The smallest standard motor that drives the pump with a margin over its
// largest shaft power.
double motorPowerFor(double shaftPower)
{
    static const double ratings[] = {0.55, 0.75, 1.1, 1.5, 2.2, 3,   4,   5.5, 7.5, 11,  15,  18.5, 22,
                                     30,   37,   45,  55,  75,  90,  110, 132, 160, 185, 200, 220,  250,
                                     280,  315,  355, 400, 450, 500, 560, 630, 710, 800, 900, 1000};
    const double needed = 1.15 * shaftPower;
    for (double rating : ratings) {
        if (rating >= needed)
            return rating;
    }
    return std::ceil(needed / 100.0) * 100.0;
}

// The nominal pipe size for the flow at about 2 m/s, and the size below it.
int flangeFor(double flow, int stepsDown = 0)
{
    static const int sizes[] = {25, 32, 40, 50, 65, 80, 100, 125, 150, 200, 250, 300, 350, 400, 450, 500, 600};
    const double diameter = 1000.0 * std::sqrt(4.0 * flow / 3600.0 / (std::numbers::pi * 2.0));
    const int count = static_cast<int>(std::size(sizes));
    int index = count - 1;
    for (int i = 0; i < count; ++i) {
        if (sizes[i] >= diameter) {
            index = i;
            break;
        }
    }
    return sizes[std::max(0, index - stepsDown)];
}

double roundedTo(double value, double step)
{
    return std::round(value / step) * step;
}

struct DataSheet
{
    double flow = 0.0;
    double head = 0.0;
    double shaftPower = 0.0;
    double motorPower = 0.0;
    double npshRequired = 0.0;
    double impellerDiameter = 0.0;
    double weight = 0.0;
    QString dimensions;
};

// The data-sheet figures of a pump from its points: the rated point is the
// point of best efficiency.
DataSheet dataSheetOf(const Catalogue& catalogue, const std::vector<std::size_t>& pointRows, double speed)
{
    DataSheet sheet;
    double bestEfficiency = -1.0;
    double largestPower = 0.0;
    double largestHead = 0.0;
    for (std::size_t row : pointRows) {
        const CataloguePoint& p = catalogue.points[row];
        const double q = p.flow, h = p.head, n = p.power;
        largestPower = std::max(largestPower, n);
        largestHead = std::max(largestHead, h);
        const double efficiency = n > 0.0 ? pointEfficiency(q, h, n) : 0.0;
        if (efficiency > bestEfficiency) {
            bestEfficiency = efficiency;
            sheet.flow = roundedTo(q, 0.1);
            sheet.head = roundedTo(h, 0.1);
            sheet.shaftPower = roundedTo(n, 0.01);
        }
    }
    sheet.motorPower = motorPowerFor(largestPower);
    sheet.npshRequired = roundedTo(1.5 + 0.12 * std::sqrt(sheet.flow), 0.1);
    // Tip speed from the shut-off head, as a first sizing of the impeller.
    const double tipSpeed = std::sqrt(2.0 * 9.81 * largestHead);
    sheet.impellerDiameter = std::round(60.0 * tipSpeed / (std::numbers::pi * (speed > 0 ? speed : 2900.0)) * 1000.0);
    sheet.weight = std::round(30.0 + 8.0 * std::pow(sheet.motorPower, 0.85));

    const double length = std::round(400.0 + 2.2 * sheet.impellerDiameter + 6.0 * std::sqrt(sheet.motorPower) * 10.0);
    const double width = std::round(250.0 + 1.1 * sheet.impellerDiameter);
    const double height = std::round(280.0 + 1.3 * sheet.impellerDiameter);
    const int bolt = sheet.motorPower > 30 ? 24 : (sheet.motorPower > 7.5 ? 20 : 16);
    sheet.dimensions = QStringLiteral("单位：mm\nL=%1\nL1=%2\nB=%3\nH=%4\nh=%5\n进口法兰DN%6\n出口法兰DN%7\n地脚螺栓4-M%8")
                           .arg(length)
                           .arg(length - 70)
                           .arg(width)
                           .arg(height)
                           .arg(std::round(height * 0.63))
                           .arg(flangeFor(sheet.flow))
                           .arg(flangeFor(sheet.flow, 1))
                           .arg(bolt);
    return sheet;
}

QVariant keyValue(double key)
{
    if (std::isnan(key))
        return QVariant();
    if (key == std::floor(key) && std::abs(key) < 9e15)
        return QVariant(static_cast<qlonglong>(key));
    return QVariant(key);
}

QString insertSql(const QString& table, const QStringList& fields)
{
    QStringList quoted;
    QStringList marks;
    for (const QString& field : fields) {
        quoted << QLatin1Char('"') + field + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
        .arg(table, quoted.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

bool fill(QSqlDatabase& db, const Catalogue& catalogue, const QString& schematicSourceDir, QString* error)
{
    auto failed = [&](const QSqlQuery& query, const QString& what) {
        setError(error, what + QStringLiteral(": ") + query.lastError().text());
        return false;
    };

    std::unordered_map<double, std::vector<std::size_t>> rowsOfKey;
    rowsOfKey.reserve(catalogue.pumps.size());
    for (std::size_t i = 0; i < catalogue.points.size(); ++i)
        rowsOfKey[catalogue.points[i].key].push_back(i);

    QSqlQuery pumps(db);
    if (!pumps.prepare(insertSql(names::pumpTable(),
                                 {names::key(), names::pumpType(), names::model(), names::speed(), names::flow(),
                                  names::head(), names::shaftPower(), names::motorPower(), names::npshRequired(),
                                  names::impellerDiameter(), names::weight(), names::installationDimensions()})))
        return failed(pumps, names::pumpTable());
    static const std::vector<std::size_t> none;
    for (const CataloguePump& pump : catalogue.pumps) {
        const auto found = rowsOfKey.find(pump.key);
        const DataSheet sheet =
            dataSheetOf(catalogue, found == rowsOfKey.end() ? none : found->second, pump.speed.value_or(0.0));
        pumps.addBindValue(keyValue(pump.key));
        pumps.addBindValue(QString::fromStdString(pump.type));
        pumps.addBindValue(QString::fromStdString(pump.model));
        pumps.addBindValue(pump.speed ? QVariant(*pump.speed) : QVariant());
        pumps.addBindValue(sheet.flow);
        pumps.addBindValue(sheet.head);
        pumps.addBindValue(sheet.shaftPower);
        pumps.addBindValue(sheet.motorPower);
        pumps.addBindValue(sheet.npshRequired);
        pumps.addBindValue(sheet.impellerDiameter);
        pumps.addBindValue(sheet.weight);
        pumps.addBindValue(sheet.dimensions);
        if (!pumps.exec())
            return failed(pumps, names::pumpTable());
    }

    QSqlQuery points(db);
    if (!points.prepare(insertSql(names::pointTable(), {names::key(), names::flow(), names::head(), names::shaftPower()})))
        return failed(points, names::pointTable());
    for (const CataloguePoint& point : catalogue.points) {
        // Stored as the 32-bit values widened, so they read back exactly.
        points.addBindValue(keyValue(point.key));
        points.addBindValue(static_cast<double>(point.flow));
        points.addBindValue(static_cast<double>(point.head));
        points.addBindValue(static_cast<double>(point.power));
        if (!points.exec())
            return failed(points, names::pointTable());
    }

    if (schematicSourceDir.isEmpty())
        return true;
    const QDir source(schematicSourceDir);
    const auto index = dataset::readCsvFile(source.filePath(QStringLiteral("schematics/index.csv")), error);
    if (!index)
        return false;
    QSqlQuery pictures(db);
    if (!pictures.prepare(insertSql(names::schematicTable(), {names::pumpType(), names::schematicPicture()})))
        return failed(pictures, names::schematicTable());
    for (const QStringList& row : index->rows) {
        if (row.size() < 2)
            continue;
        const QByteArray png = dataset::renderSvgToPng(source.filePath(QStringLiteral("schematics/") + row[1]), error);
        if (png.isEmpty())
            return false;
        pictures.addBindValue(row[0]);
        pictures.addBindValue(png);
        if (!pictures.exec())
            return failed(pictures, names::schematicTable());
    }
    return true;
}

} // namespace

bool writeCatalogueDatabase(const Catalogue& catalogue, const QString& path, QString* error,
                            const QString& schematicSourceDir)
{
    if (!dataset::createDatabaseFile(path, error))
        return false;
    const QString name = QStringLiteral("bench-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool written = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            setError(error, db.lastError().text());
        } else if (!db.transaction()) {
            setError(error, db.lastError().text());
        } else if (!fill(db, catalogue, schematicSourceDir, error)) {
            db.rollback();
        } else if (!db.commit()) {
            setError(error, db.lastError().text());
            db.rollback();
        } else {
            written = true;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!written)
        QFile::remove(path);
    return written;
}

} // namespace tarnwick::bench
