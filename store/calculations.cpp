#include "store/calculations.h"

#include "core/messages.h"
#include "store/conditionstore.h"
#include "store/names.h"
#include "store/results.h"
#include "store/schema.h"

#include <QCoreApplication>

#include <functional>

namespace tarnwick::store {

namespace {

RunFailure databaseFailure(const QString& message)
{
    RunFailure failure;
    failure.kind = RunFailure::Kind::Database;
    failure.databaseError = message;
    return failure;
}

// Stores one run's rows: the engineer's latest results emptied and filled
// with them, and each appended to all results, in one transaction. Runs of
// one engineer take turns in it, and both row sets are re-read before the
// commit, so what the run shows is exactly the rows it wrote. After a failure
// the row sets are re-read, so they show what the tables really hold.
// `more` writes the run's rows of the program's own tables, in the same
// transaction and with the same calculation time.
bool storeRunRows(PumpCatalogue& catalogue, const std::vector<SelectionResult>& rows, QString* error,
                  const std::function<bool(const RunTime& time, QString*)>& more = {})
{
    QSqlDatabase db = catalogue.connection->database();
    QString workError;
    QString transactionError;
    const bool written = inTransaction(db, [&] {
        if (!lockLatestResults(db, &workError))
            return false;
        // Rows found here now were written by another run of the same
        // engineer since this one began; the table holds this run's alone.
        QString deleteError;
        if (!deleteAllRows(catalogue.latestResultRows, &deleteError)) {
            workError = QCoreApplication::translate("tarnwick::store", "清空“%1”失败：%2")
                            .arg(names::latestResultsTable(), deleteError);
            return false;
        }
        // One prepared insert a table; every row of the run carries the same
        // calculation time and moment.
        bool allInstant = false;
        bool latestInstant = false;
        if (!ensureInstantColumn(db, names::allResultsTable(), &allInstant, &workError) ||
            !ensureInstantColumn(db, names::latestResultsTable(), &latestInstant, &workError))
            return false;
        const RunTime time = runTimeNow();
        ResultInserter all(catalogue.allResultRows, allInstant);
        ResultInserter latest(catalogue.latestResultRows, latestInstant);
        for (const SelectionResult& row : rows) {
            if (!all.insert(row, time, &workError) || !latest.insert(row, time, &workError))
                return false;
        }
        if (more && !more(time, &workError))
            return false;
        for (RowSet* set : {&catalogue.allResultRows, &catalogue.latestResultRows}) {
            if (!set->requery()) {
                workError = set->lastError();
                return false;
            }
        }
        return true;
    }, &transactionError);
    if (written)
        return true;
    *error = workError.isEmpty()
                 ? QCoreApplication::translate("tarnwick::store", "计算结果没有保存。") + transactionError
                 : workError;
    catalogue.allResultRows.requery();
    catalogue.latestResultRows.requery();
    return false;
}

RunFailure messageFailure(const CalculationStop& stop)
{
    RunFailure failure;
    failure.kind = RunFailure::Kind::Message;
    failure.stop = stop;
    return failure;
}

} // namespace

Expected<DesignSelection, RunFailure> runDesign(PumpCatalogue& catalogue, const DutyTexts& texts,
                                                const SelectionProgress& progress,
                                                const ServiceConditions& conditions, RejectedList list)
{
    using Result = Expected<DesignSelection, RunFailure>;
    QString error;
    if (!clearCurrentResults(catalogue.latestResultRows, &error))
        return Result::failure(databaseFailure(error));

    // Without a condition the run is the plain one, whatever else `conditions` holds.
    auto selection = runDesignSelection(catalogue.catalogue(), texts,
                                        conditions.any() ? conditions : ServiceConditions{}, progress, list);
    if (!selection)
        return Result::failure(messageFailure(selection.error()));

    // The rows of one run land together or not at all: a failure (a read-only
    // file, a full disk) or a crash never leaves half a run in the tables.
    std::vector<std::pair<std::string, const PumpExtras*>> pumps;
    for (const DesignCandidate& c : selection->candidates)
        pumps.emplace_back(c.model, &c.extras);
    const QSqlDatabase db = catalogue.connection->database();
    if (!storeRunRows(catalogue, selection->rows, &error, [&](const RunTime& time, QString* e) {
            return writeConditionRows(db, text::kMethodDesign, conditions, pumps, e, time);
        }))
        return Result::failure(databaseFailure(error));
    return std::move(selection).value();
}

Expected<CheckedPump, RunFailure> runCheck(PumpCatalogue& catalogue, const DutyTexts& texts, const QString& model,
                                           const ServiceConditions& conditions)
{
    using Result = Expected<CheckedPump, RunFailure>;
    QString error;
    if (!clearCurrentResults(catalogue.latestResultRows, &error))
        return Result::failure(databaseFailure(error));

    auto checked = conditions.any()
                       ? runCheckCalculation(catalogue.catalogue(), texts, model.toStdString(), conditions)
                       : runCheckCalculation(catalogue.catalogue(), texts, model.toStdString());
    if (!checked)
        return Result::failure(messageFailure(checked.error()));

    const QSqlDatabase db = catalogue.connection->database();
    if (!storeRunRows(catalogue, {checked->row}, &error, [&](const RunTime& time, QString* e) {
            return writeConditionRows(db, text::kMethodCheck, conditions, {{checked->model, &checked->extras}}, e,
                                      time);
        }))
        return Result::failure(databaseFailure(error));
    return std::move(checked).value();
}

} // namespace tarnwick::store
