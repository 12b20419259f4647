#include "cataloguefiles.h"

#include <QDir>

std::optional<CatalogueFiles> loadCatalogueFiles(const QString& catalogueDir, QString* error)
{
    using tarnwick::dataset::readCsvFile;
    auto pumps = readCsvFile(QDir(catalogueDir).filePath(QStringLiteral("pumps.csv")), error);
    auto points = readCsvFile(QDir(catalogueDir).filePath(QStringLiteral("points.csv")), error);
    if (!pumps || !points)
        return std::nullopt;

    CatalogueFiles files{*pumps, *points, {}};
    for (const QStringList& row : pumps->rows) {
        if (row.size() < 4)
            continue;
        tarnwick::CataloguePump pump;
        pump.key = row[0].toDouble();
        pump.type = row[1].toStdString();
        pump.model = row[2].toStdString();
        pump.speed = row[3].toDouble();
        files.catalogue.pumps.push_back(pump);
    }
    for (const QStringList& row : points->rows) {
        if (row.size() < 4)
            continue;
        tarnwick::CataloguePoint point;
        point.key = row[0].toDouble();
        point.flow = static_cast<float>(row[1].toDouble());
        point.head = static_cast<float>(row[2].toDouble());
        point.power = static_cast<float>(row[3].toDouble());
        files.catalogue.points.push_back(point);
    }
    return files;
}
