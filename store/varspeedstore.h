#pragma once

#include "core/expected.h"
#include "core/varspeed.h"
#include "store/cataloguereader.h"
#include "store/database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// The stored side of the variable-speed selection: its two result tables,
// created in an existing database when missing, and one run from the texts to
// the written rows. The catalogue tables and the design's result tables are
// only read, never changed.
namespace tarnwick::store {

namespace varspeednames {
inline QString resultsTable()
{
    return QStringLiteral("变速选型结果");
}
inline QString pointsTable()
{
    return QStringLiteral("变速选型负荷点");
}
// The program's own tables beside those two, written only by runs given a
// liquid or a suction pressure: the run's liquid and suction, and each
// stored point's viscosity correction and suction figures.
inline QString conditionsTable()
{
    return QStringLiteral("变速选型工况");
}
inline QString suctionTable()
{
    return QStringLiteral("变速选型附加结果");
}
QStringList conditionsColumns();
QStringList suctionColumns();
} // namespace varspeednames

// Creates both tables when they are missing; the caller holds the transaction.
bool ensureVarSpeedTables(const QSqlDatabase& db, QString* error);
// The same for the liquid and suction tables.
bool ensureVarSpeedConditionTables(const QSqlDatabase& db, QString* error);

struct VarSpeedFailure
{
    enum class Kind { Message, Database, Cancelled };
    Kind kind = Kind::Message;
    VarSpeedStop stop;
    QString databaseError;
};

struct VarSpeedRun
{
    VarSpeedSelection selection;
    // Set when one model was evaluated alone.
    std::optional<Expected<VarSpeedPump, VarSpeedRejection>> single;
    qint64 runNumber = 0; // 0: nothing stored
};

// Checks the texts (a bad entry stops before anything is read), reads the
// catalogue snapshot, selects over it (or evaluates `model` alone), and writes
// the accepted pumps with their load points in one transaction.
// A run stopped through `progress` stores nothing and fails as Cancelled.
// The selection lists the pumps that failed only when `list` asks for them.
Expected<VarSpeedRun, VarSpeedFailure> runVarSpeed(Connection& connection, const VarSpeedTexts& texts,
                                                   const std::optional<std::string>& model = std::nullopt,
                                                   const VarSpeedProgress& progress = {},
                                                   RejectedList list = RejectedList::Omitted);
// The same on a catalogue already read (the window keeps its snapshot).
Expected<VarSpeedRun, VarSpeedFailure> runVarSpeedOn(Connection& connection, const Catalogue& catalogue,
                                                     const VarSpeedTexts& texts,
                                                     const std::optional<std::string>& model = std::nullopt,
                                                     const VarSpeedProgress& progress = {},
                                                     RejectedList list = RejectedList::Omitted);

// Stored rows for the reports: the latest run's, or every run's, each row
// with the field names of `columns`.
struct StoredTable
{
    QString source;
    QStringList columns;
    QList<QVariantList> rows;
    QString databasePath; // the file the rows came from
    // Of the results, each row's run's exact moment (names::calculationInstant),
    // which is not one of `columns`; null where the row has none, empty where
    // the table keeps none.
    QVariantList instants;
};
Expected<StoredTable, QString> readVarSpeedResults(const QSqlDatabase& db, bool allRuns);
Expected<StoredTable, QString> readVarSpeedPoints(const QSqlDatabase& db, bool allRuns);
// The liquid and suction figures of the same points, in the same order as
// readVarSpeedPoints gives them, with the run's liquid and suction inputs on
// each row; no rows for runs without those inputs.
Expected<StoredTable, QString> readVarSpeedSuction(const QSqlDatabase& db, bool allRuns);

} // namespace tarnwick::store
