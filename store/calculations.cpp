#include "store/calculations.h"

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

RunFailure messageFailure(const CalculationStop& stop)
{
    RunFailure failure;
    failure.kind = RunFailure::Kind::Message;
    failure.stop = stop;
    return failure;
}

} // namespace

Expected<DesignSelection, RunFailure> runDesign(PumpCatalogue& catalogue, const DutyTexts& texts)
{
    using Result = Expected<DesignSelection, RunFailure>;
    QString error;
    if (!clearCurrentResults(catalogue.latestResultRows, &error))
        return Result::failure(databaseFailure(error));

    auto selection = runDesignSelection(catalogue.catalogue(), texts);
    if (!selection)
        return Result::failure(messageFailure(selection.error()));

    for (const SelectionResult& row : selection->rows) {
        if (!appendResult(catalogue.allResultRows, row, &error) ||
            !appendResult(catalogue.latestResultRows, row, &error))
            return Result::failure(databaseFailure(error));
    }
    if (!catalogue.allResultRows.requery())
        return Result::failure(databaseFailure(catalogue.allResultRows.lastError()));
    if (!catalogue.latestResultRows.requery())
        return Result::failure(databaseFailure(catalogue.latestResultRows.lastError()));
    return std::move(selection).value();
}

Expected<CheckedPump, RunFailure> runCheck(PumpCatalogue& catalogue, const DutyTexts& texts, const QString& model)
{
    using Result = Expected<CheckedPump, RunFailure>;
    QString error;
    if (!clearCurrentResults(catalogue.latestResultRows, &error))
        return Result::failure(databaseFailure(error));

    auto checked = runCheckCalculation(catalogue.catalogue(), texts, model.toStdString());
    if (!checked)
        return Result::failure(messageFailure(checked.error()));

    if (!appendResult(catalogue.allResultRows, checked->row, &error))
        return Result::failure(databaseFailure(error));
    if (!catalogue.allResultRows.requery())
        return Result::failure(databaseFailure(catalogue.allResultRows.lastError()));
    if (!appendResult(catalogue.latestResultRows, checked->row, &error))
        return Result::failure(databaseFailure(error));
    if (!catalogue.latestResultRows.requery())
        return Result::failure(databaseFailure(catalogue.latestResultRows.lastError()));
    return std::move(checked).value();
}

} // namespace tarnwick::store
