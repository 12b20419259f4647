#include "store/calculations.h"

#include "core/messages.h"
#include "store/conditionstore.h"
#include "store/names.h"
#include "store/pumpsheetfields.h"
#include "store/results.h"

namespace tarnwick::store {

namespace {

RunFailure databaseFailure(const QString& message)
{
    RunFailure failure;
    failure.kind = RunFailure::Kind::Database;
    failure.databaseError = message;
    return failure;
}

// Runs the writes of one calculation in one transaction. After a failure the
// row sets are re-read, so they show what the tables really hold.
bool writeRows(PumpCatalogue& catalogue, const std::function<bool()>& work, QString* error)
{
    QString transactionError;
    if (inTransaction(catalogue.connection->database(), work, &transactionError))
        return true;
    if (!transactionError.isEmpty())
        *error = QStringLiteral("计算结果没有保存。") + transactionError;
    catalogue.allResultRows.requery();
    catalogue.latestResultRows.requery();
    return false;
}

// The latest-results table was emptied when the run began; rows found there
// now were written by another program on the same file since then, and the
// table is to hold this run's rows alone.
bool removeOtherRuns(PumpCatalogue& catalogue, QString* error)
{
    QString deleteError;
    if (deleteAllRows(catalogue.latestResultRows, &deleteError))
        return true;
    *error = QStringLiteral("清空“%1”失败：%2").arg(names::latestResultsTable(), deleteError);
    return false;
}

// The suction and the impeller need the data-sheet fields; only then are they read.
Catalogue catalogueFor(PumpCatalogue& catalogue, const ServiceConditions& conditions)
{
    if (conditions.suctionAbsolutePressure || conditions.trim)
        return catalogueWithSheetFields(catalogue);
    return catalogue.catalogue();
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
                                                const ServiceConditions& conditions)
{
    using Result = Expected<DesignSelection, RunFailure>;
    QString error;
    if (!clearCurrentResults(catalogue.latestResultRows, &error))
        return Result::failure(databaseFailure(error));

    auto selection = conditions.any()
                         ? runDesignSelection(catalogueFor(catalogue, conditions), texts, conditions, progress)
                         : runDesignSelection(catalogue.catalogue(), texts, progress);
    if (!selection)
        return Result::failure(messageFailure(selection.error()));

    // The rows of one run land together or not at all: a failure (a read-only
    // file, a full disk) or a crash never leaves half a run in the tables.
    const bool written = writeRows(catalogue, [&] {
        if (!removeOtherRuns(catalogue, &error))
            return false;
        for (const SelectionResult& row : selection->rows) {
            if (!appendResult(catalogue.allResultRows, row, &error) ||
                !appendResult(catalogue.latestResultRows, row, &error))
                return false;
        }
        std::vector<std::pair<std::string, const PumpExtras*>> pumps;
        for (const DesignCandidate& c : selection->candidates)
            pumps.emplace_back(c.model, &c.extras);
        return writeConditionRows(catalogue.connection->database(), text::kMethodDesign, conditions, pumps, &error);
    }, &error);
    if (!written)
        return Result::failure(databaseFailure(error));
    if (!catalogue.allResultRows.requery())
        return Result::failure(databaseFailure(catalogue.allResultRows.lastError()));
    if (!catalogue.latestResultRows.requery())
        return Result::failure(databaseFailure(catalogue.latestResultRows.lastError()));
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
                       ? runCheckCalculation(catalogueFor(catalogue, conditions), texts, model.toStdString(), conditions)
                       : runCheckCalculation(catalogue.catalogue(), texts, model.toStdString());
    if (!checked)
        return Result::failure(messageFailure(checked.error()));

    const bool written = writeRows(catalogue, [&] {
        if (!removeOtherRuns(catalogue, &error))
            return false;
        if (!appendResult(catalogue.allResultRows, checked->row, &error))
            return false;
        if (!catalogue.allResultRows.requery()) {
            error = catalogue.allResultRows.lastError();
            return false;
        }
        if (!appendResult(catalogue.latestResultRows, checked->row, &error))
            return false;
        if (!catalogue.latestResultRows.requery()) {
            error = catalogue.latestResultRows.lastError();
            return false;
        }
        return writeConditionRows(catalogue.connection->database(), text::kMethodCheck, conditions,
                                  {{checked->model, &checked->extras}}, &error);
    }, &error);
    if (!written)
        return Result::failure(databaseFailure(error));
    return std::move(checked).value();
}

} // namespace tarnwick::store
