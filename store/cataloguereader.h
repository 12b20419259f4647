#pragma once

#include "core/expected.h"
#include "core/selection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <span>
#include <string_view>

namespace tarnwick::store {

// One column of a catalogue table that the calculations read: its field name,
// whether a table without it is refused, and where its value goes in the
// core's row. `take` takes any value as the driver makes it. Reading a file,
// a stored number may skip that value and go to `takeNumber`, and a stored
// text that is valid UTF-8 to `takeText`, where the column has them: each
// must leave the row as `take` would with the driver's value.
template <class Row>
struct CatalogueColumn
{
    QString (*name)();
    bool required;
    void (*take)(Row& row, const QVariant& value);
    void (*takeNumber)(Row& row, double value) = nullptr;
    void (*takeText)(Row& row, std::string_view utf8) = nullptr;
};

// The columns of "水泵性能表" and "流扬功" that design, check and the
// variable-speed selection read, in this one place: a calculation that needs
// another field of the catalogue adds it here and to the core's type.
std::span<const CatalogueColumn<CataloguePump>> cataloguePumpColumns();
std::span<const CatalogueColumn<CataloguePoint>> cataloguePointColumns();
// The data-sheet fields the suction and impeller figures read, where the table has them.
std::span<const CatalogueColumn<PumpSheetFields>> catalogueSheetColumns();

// The fields a catalogue table must have, as the messages name them.
QStringList requiredPumpFields();
QStringList requiredPointFields();

// Reads the catalogue as the calculations see it, in two steps so that a
// caller opening more tables can report a missing table before any missing
// field: open() finds both tables and their fields, read() reads only the
// listed columns, forward-only and in stored order, straight into the core's
// types with their sizes reserved. The caller holds the read snapshot (one
// ReadSnapshot around both steps).
class CatalogueReader
{
public:
    explicit CatalogueReader(QSqlDatabase db) : m_db(std::move(db)) {}

    // False, with the message, when a table is missing or cannot be read.
    bool open(QString* error);
    // The message for required fields the tables lack (the pumps' first);
    // empty when none is missing.
    QString missingFields() const;
    // Both steps of open() with each table's fields checked before the next
    // table is looked at.
    bool openInTurn(QString* error);
    Expected<Catalogue, QString> read() const;

private:
    struct Table
    {
        QString name;
        QString orderBy; // the stored order, empty for none
        QSqlRecord record;
    };
    bool openTable(Table* table, const QString& name, QString* error);
    template <class Row>
    bool readTable(const Table& table, std::span<const CatalogueColumn<Row>> columns, std::vector<Row>* rows,
                   QString* error) const;

    bool readThroughCursor(const QString& table, const QString& select,
                           const std::function<void(const QSqlQuery&)>& take, QString* error) const;

    QSqlDatabase m_db;
    Table m_pumps;
    Table m_points;
};

// The catalogue read on its own connection in one read snapshot: the pumps
// and their points from one state of the database even while another program
// writes it.
Expected<Catalogue, QString> readCatalogueSnapshot(const QSqlDatabase& db);

// A field value as a number: empty, or a text that is no number, gives NaN.
double numberOrNaN(const QVariant& value);

} // namespace tarnwick::store
