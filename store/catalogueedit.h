#pragma once

#include "core/expected.h"

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

// The catalogue as the maintenance window edits it, checked by the one set of
// catalogue rules and written back in one transaction that keeps the stored
// order: pumps in catalogue order, each pump's points one run in that order.
namespace tarnwick::store {

struct EditablePoint
{
    double flow = 0.0;  // m3/h
    double head = 0.0;  // m
    double power = 0.0; // kW
    bool operator==(const EditablePoint&) const = default;
};

struct EditablePump
{
    qint64 key = 0; // "序号": the pump's identity, never edited
    // The other fields of "水泵性能表" in table order (editablePumpFields());
    // a null value is an empty field. Values read keep their stored type.
    QVariantList fields;
    QList<EditablePoint> points;

    QVariant field(const QString& name) const;
    void setField(const QString& name, const QVariant& value);
    QString model() const;
    QString type() const;
    bool operator==(const EditablePump&) const = default;
};

// The fields of "水泵性能表" an editor shows, in table order: all but "序号".
QStringList editablePumpFields();
// A new pump: empty fields, no points.
EditablePump emptyPump(qint64 key);

// The texts and pictures of "公司资料" (its first row).
struct CompanyInfo
{
    QString companyText;
    QByteArray companyPicture;
    QString productText;
    QByteArray productPicture;
    bool operator==(const CompanyInfo&) const = default;
};

// What was stored when the editor read the catalogue: rows with their
// identities, so that a save can tell whether another program changed them.
struct StoredCatalogueRows
{
    struct Row
    {
        qint64 rowKey = 0;
        QVariantList values; // all fields, table order
        bool operator==(const Row&) const = default;
    };
    QList<Row> pumps;
    QList<Row> points;
    bool operator==(const StoredCatalogueRows&) const = default;
};

struct EditableCatalogue
{
    QList<EditablePump> pumps; // stored order
    StoredCatalogueRows stored;
    // Points whose key no pump has: the rules refuse them, a save drops them.
    int pointsWithoutPump = 0;
    // The schematic of each pump type (the first row of the type), in stored order.
    QList<std::pair<QString, QByteArray>> schematics;
    CompanyInfo company;
};

// Reads pumps, points, schematic types and company texts from one snapshot.
Expected<EditableCatalogue, QString> readEditableCatalogue(QSqlDatabase db);

// One refusal or warning of the catalogue rules, placed: `pump` is the index
// of the pump, `point` the index of its point (-1 for the pump's own fields),
// `field` the field's name; `text` the rule's reason.
struct CatalogueFinding
{
    int pump = -1;
    int point = -1;
    QString field;
    QString text;
    bool refusal = true;
};

// Applies the catalogue rules to the edited pumps in order.
QList<CatalogueFinding> checkEditedCatalogue(const QList<EditablePump>& pumps);
// The refusals of the edited pumps that the stored catalogue did not have:
// what the edits would make wrong. A catalogue stored before these rules may
// hold pumps they refuse; those do not stop a save that leaves them as they
// are, and stay marked in the editor.
QList<CatalogueFinding> newRefusals(const QList<EditablePump>& stored, const QList<EditablePump>& edited);
bool sameFinding(const QList<EditablePump>& pumpsA, const CatalogueFinding& a, const QList<EditablePump>& pumpsB,
                 const CatalogueFinding& b);
// A finding as one line naming the pump and the point.
QString findingText(const QList<EditablePump>& pumps, const CatalogueFinding& finding);

// The smallest key not used by any pump.
qint64 nextPumpKey(const QList<EditablePump>& pumps);

// Points scaled by the affinity laws for a pump whose impeller diameter or
// speed is `ratio` times the original: flow x ratio, head x ratio^2, shaft
// power x ratio^3.
QList<EditablePoint> affinityScaled(const QList<EditablePoint>& points, double ratio);

// Everything a save writes.
struct CatalogueEdits
{
    QList<EditablePump> pumps;                        // the whole catalogue in the order to store
    QList<std::pair<QString, QByteArray>> schematics; // pump type -> picture bytes
    std::optional<CompanyInfo> company;
};

struct SaveOptions
{
    int attempts = 3;          // tries while another program holds the database
    int busyTimeoutMs = 10000; // wait of each try
    // Told before each further try (1-based); returning false gives up.
    std::function<bool(int attempt)> beforeRetry;
};

struct SaveSummary
{
    int updatedPumps = 0;
    int insertedPumps = 0;
    int deletedPumps = 0;
    int updatedPoints = 0;
    int insertedPoints = 0;
    int deletedPoints = 0;
    int attempts = 1;
};

// Writes the edits in one transaction after checking them with the rules
// (no new refusals).
// The stored rows must still be those `read` saw; otherwise nothing is
// written and the message says that another program changed the catalogue.
// Rows are updated in place as long as the stored order allows it; from the
// first pump (or point) whose place changed on, the rest of the table is
// deleted and written again in order, so the stored order stays the edited
// order. Nothing is written when anything fails.
Expected<SaveSummary, QString> saveCatalogueEdits(QSqlDatabase db, const EditableCatalogue& read,
                                                  const CatalogueEdits& edits, const SaveOptions& options = {});

} // namespace tarnwick::store
