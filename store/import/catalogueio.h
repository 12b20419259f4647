#pragma once

#include "core/expected.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tarnwick::import {

// One row of the pumps file: the fields of "水泵性能表".
struct CataloguePumpRow
{
    qint64 key = 0;                   // "序号"
    QString type;                     // "水泵类型"
    QString model;                    // "水泵型号"
    double speed = 0.0;               // "转速"
    std::optional<double> flow;       // "流量"
    std::optional<double> head;       // "扬程"
    std::optional<double> shaftPower; // "轴功率"
    std::optional<double> motorPower; // "电动机功率"
    std::optional<double> npsh;       // "必需汽蚀余量"
    std::optional<double> impeller;   // "叶轮外径"
    std::optional<double> weight;     // "重量"
    QString dimensions;               // "设备安装尺寸"; null when empty
    int line = 0;
};

// One row of the points file: a measured point of "流扬功".
struct CataloguePointRow
{
    qint64 key = 0;
    double flow = 0.0;
    double head = 0.0;
    double power = 0.0;
    int line = 0;
};

struct CatalogueFiles
{
    QList<CataloguePumpRow> pumps;
    QList<CataloguePointRow> points;
    QString pumpsEncoding;
    QString pointsEncoding;
    QStringList warnings; // what the catalogue rules accept but point out
};

// The header rows of the two files.
QStringList pumpCsvColumns();
QStringList pointCsvColumns();

// Reads and checks both files. Every problem is one line naming the file,
// the line and the column; nothing is returned unless the files are sound.
Expected<CatalogueFiles, QStringList> readCatalogueCsv(const QString& pumpsPath, const QString& pointsPath);
Expected<CatalogueFiles, QStringList> readCatalogueDevices(QIODevice* pumps, QIODevice* points,
                                                           const QString& pumpsName, const QString& pointsName);
Expected<CatalogueFiles, QStringList> parseCatalogueCsv(const QByteArray& pumps, const QByteArray& points,
                                                        const QString& pumpsName = QStringLiteral("pumps.csv"),
                                                        const QString& pointsName = QStringLiteral("points.csv"));

struct CatalogueImportSummary
{
    int pumps = 0;
    int points = 0;
    int removedPumps = 0; // with replace
    int removedPoints = 0;
    QString pumpsEncoding;
    QString pointsEncoding;
    QStringList warnings;
};

// Called now and then while the points are read: bytes read, bytes in all.
using ImportProgress = std::function<void(qint64 done, qint64 total)>;

// Writes the catalogue in one transaction. With `replace` the pumps and
// points already there are deleted first; otherwise the new pumps are
// appended and their keys must not occur in the database yet. The result
// tables and the schematics are never touched.
Expected<CatalogueImportSummary, QStringList> importCatalogue(QSqlDatabase db, const CatalogueFiles& files,
                                                              bool replace,
                                                              const QString& pumpsName = QStringLiteral("pumps.csv"));

// Reads and writes in one go, the points file piece by piece, so that a
// catalogue of any length is imported in little memory: the same checks and
// the same one transaction as importCatalogue.
Expected<CatalogueImportSummary, QStringList> importCatalogueCsv(QSqlDatabase db, const QString& pumpsPath,
                                                                 const QString& pointsPath, bool replace,
                                                                 const ImportProgress& progress = {});

// Writes "水泵性能表" and "流扬功" in stored order in the layout that
// readCatalogueCsv reads: UTF-8 with a byte order mark (so spreadsheet
// programs take it for UTF-8), CR LF, every number written so that it reads
// back as the same stored value.
Expected<CatalogueImportSummary, QString> exportCatalogue(QSqlDatabase db, const QString& pumpsPath,
                                                          const QString& pointsPath);

} // namespace tarnwick::import
