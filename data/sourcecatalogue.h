#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

// The catalogue sources of the shipped database (catalogue/pumps.csv and
// points.csv), read and checked before anything is written.
namespace tarnwick::dataset {

// The pump columns, in file order; the same names as the fields of "水泵性能表".
const QStringList& pumpColumns();
// The point columns, in file order; the fields of "流扬功".
const QStringList& pointColumns();

// One pump or point row, converted and checked; values in column order.
struct SourceRow
{
    QVariantList values;
};

struct SourceCatalogue
{
    QList<SourceRow> pumps;
    QList<SourceRow> points;
    QSet<QString> types;
};

// Checks the catalogue with the program's catalogue rules, and that every
// field the data sheet shows is a number. The catalogue rules' warnings go to
// the log.
std::optional<SourceCatalogue> readSourceCatalogue(const QString& sourceDir, QString* error);

} // namespace tarnwick::dataset
