#include "cli/sheetcommands.h"

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/explainoutput.h"
#include "cli/output.h"
#include "cli/selectcommand.h"
#include "core/fitquality.h"
#include "core/numbers.h"
#include "core/selection.h"
#include "datasheet/datasheet.h"
#include "store/cataloguerules.h"
#include "store/filetargets.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"

#include <QDate>
#include <QJsonDocument>

#include <cmath>

namespace tarnwick::cli {

namespace {

// A head fit that strays further than this from a point, in percent of the
// largest head, is worth a look at the catalogue data.
constexpr double kHeadDeviationLimit = 2.0;

SheetHeader headerFrom(const QHash<QString, QString>& values)
{
    SheetHeader header;
    header.projectName = values.value(QStringLiteral("project"));
    header.projectNumber = values.value(QStringLiteral("project-number"));
    header.designer = values.value(QStringLiteral("designer"));
    header.equipmentTag = values.value(QStringLiteral("tag"));
    header.date = values.value(QStringLiteral("date"), QDate::currentDate().toString(Qt::ISODate));
    return header;
}

QJsonObject sheetJson(const DataSheet& sheet)
{
    const SheetFigures f = sheetFigures(sheet);
    QJsonObject object;
    object.insert(QStringLiteral("model"), sheet.model);
    object.insert(QStringLiteral("method"), sheet.method);
    object.insert(QStringLiteral("operatingFlow"), f.flow);
    object.insert(QStringLiteral("operatingHead"), f.head);
    object.insert(QStringLiteral("operatingEfficiency"), f.efficiency);
    object.insert(QStringLiteral("bestEfficiency"), f.bestEfficiency);
    object.insert(QStringLiteral("operatingPower"), f.power);
    object.insert(QStringLiteral("fitQuality"), fitQualityJson(sheet.fitQuality));
    return object;
}

} // namespace

int runSheetCommand(store::PumpCatalogue& catalogue, const DutyTexts& texts, const QHash<QString, QString>& values,
                    bool all, bool json, const ServiceConditions& conditions)
{
    const QString model = values.value(QStringLiteral("model"));
    const QString pdf = values.value(QStringLiteral("pdf"));
    if (model.isEmpty() == !all || pdf.isEmpty()) {
        printError(QStringLiteral("选型资料单需要 --model 型号 或 --all 之一，以及 --pdf 文件。\n"));
        return kUsageOrDatabase;
    }
    // Written beside its target and renamed over it: never over the database.
    if (const auto conflict = store::outputTargetConflict({absolutePath(pdf)}, databaseFile(values))) {
        printError(*conflict + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    const SheetHeader header = headerFrom(values);
    QList<DataSheet> sheets;
    if (all) {
        auto design = conditions.any()
                          ? runDesignSelection(catalogue.catalogue(), texts, conditions)
                          : runDesignSelection(catalogue.catalogue(), texts);
        if (!design) {
            printOut(QString::fromStdString(design.error().message) + QLatin1Char('\n'));
            return kProgramMessage;
        }
        if (design->candidates.empty()) {
            printOut(QString::fromStdString(design->entries.front()) + QLatin1Char('\n'));
            return kProgramMessage;
        }
        for (const DesignCandidate& candidate : design->candidates)
            sheets.append(candidateSheet(candidate, design->request, texts, catalogue, header));
    } else {
        auto checked = conditions.any() ? runCheckCalculation(catalogue.catalogue(), texts,
                                                              model.toStdString(), conditions)
                                        : runCheckCalculation(catalogue.catalogue(), texts, model.toStdString());
        if (!checked) {
            printOut(QString::fromStdString(checked.error().message) + QLatin1Char('\n'));
            return kProgramMessage;
        }
        sheets.append(checkedSheet(*checked, texts, catalogue, header));
    }
    QString error;
    if (!writeDataSheetsPdf(absolutePath(pdf), sheets, &error)) {
        printError(error + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    if (json) {
        QJsonArray array;
        for (const DataSheet& sheet : sheets)
            array.append(sheetJson(sheet));
        QJsonObject object;
        object.insert(QStringLiteral("pages"), array);
        printOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
    } else {
        printOut(QStringLiteral("已写入选型资料单 %1 页：%2\n").arg(sheets.size()).arg(pdf));
    }
    return kCompleted;
}

int runVarSpeedSheetCommand(store::PumpCatalogue& catalogue, const DutyTexts& texts,
                            const QHash<QString, QString>& values, bool all, bool json)
{
    const QString model = values.value(QStringLiteral("model"));
    const QString pdf = values.value(QStringLiteral("pdf"));
    if (model.isEmpty() == !all || pdf.isEmpty()) {
        printError(QStringLiteral("选型资料单需要 --model 型号 或 --all 之一，以及 --pdf 文件。\n"));
        return kUsageOrDatabase;
    }
    if (const auto conflict = store::outputTargetConflict({absolutePath(pdf)}, databaseFile(values))) {
        printError(*conflict + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    VarSpeedTexts speedTexts;
    if (!readVarSpeedOptions(values, texts, &speedTexts))
        return kUsageOrDatabase;
    if (const auto message = completeVarSpeedConditions(&speedTexts)) {
        printOut(QString::fromStdString(*message) + QLatin1Char('\n'));
        return kProgramMessage;
    }
    auto request = readVarSpeedRequest(speedTexts);
    if (!request) {
        printOut(QString::fromStdString(request.error().message) + QLatin1Char('\n'));
        return kProgramMessage;
    }
    const SheetHeader header = headerFrom(values);
    QList<DataSheet> sheets;
    if (all) {
        const VarSpeedSelection selection = runVarSpeedSelection(catalogue.catalogue(), *request);
        if (selection.accepted.empty()) {
            printOut(QStringLiteral("没有满足要求的水泵。\n"));
            return kProgramMessage;
        }
        for (const VarSpeedPump& pump : selection.accepted)
            sheets.append(varSpeedSheet(pump, *request, texts, catalogue, header));
    } else {
        auto evaluated = evaluateVarSpeedModel(catalogue.catalogue(), *request, model.toStdString());
        if (!evaluated) {
            printOut(QString::fromStdString(evaluated.error().message) + QLatin1Char('\n'));
            return kProgramMessage;
        }
        if (!*evaluated) {
            const VarSpeedRejection& r = evaluated->error();
            printOut(QStringLiteral("%1 未入选：%2\n").arg(model, QString::fromStdString(rejectionText(r))));
            return kProgramMessage;
        }
        sheets.append(varSpeedSheet(evaluated->value(), *request, texts, catalogue, header));
    }
    QString error;
    if (!writeDataSheetsPdf(absolutePath(pdf), sheets, &error)) {
        printError(error + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    if (json) {
        QJsonArray array;
        for (const DataSheet& sheet : sheets) {
            // The figures the page prints: its load table in place of the
            // single operating point of the other sheets.
            const VarSpeedSheetFigures f = varSpeedSheetFigures(*sheet.varSpeed);
            QJsonObject object;
            object.insert(QStringLiteral("model"), sheet.model);
            object.insert(QStringLiteral("method"), sheet.method);
            object.insert(QStringLiteral("fitQuality"), fitQualityJson(sheet.fitQuality));
            QJsonArray rows;
            for (const QStringList& row : f.loadRows)
                rows.append(QJsonArray::fromStringList(row));
            object.insert(QStringLiteral("loadRows"), rows);
            object.insert(QStringLiteral("annualEnergy"), f.annualEnergy);
            object.insert(QStringLiteral("annualCost"), f.annualCost);
            object.insert(QStringLiteral("weightedEfficiency"), f.weightedEfficiency);
            array.append(object);
        }
        printOut(QString::fromUtf8(
            QJsonDocument(QJsonObject{{QStringLiteral("pages"), array}}).toJson(QJsonDocument::Indented)));
    } else {
        printOut(QStringLiteral("已写入选型资料单 %1 页：%2\n").arg(sheets.size()).arg(pdf));
    }
    return kCompleted;
}

int runCatalogueCheckCommand(store::PumpCatalogue& store, bool json)
{
    // First the catalogue rules every import applies, over the stored tables.
    store::CatalogueRules rules(store::names::pumpTable(), store::names::pointTable());
    QString error;
    if (!store::checkStoredCatalogue(store.connection->database(), &rules, &error)) {
        printError(error + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    const Catalogue& catalogue = store.catalogue();
    QJsonArray listed;
    QString text;
    for (std::size_t i = 0; i < catalogue.pumps.size(); ++i) {
        const CataloguePump& pump = catalogue.pumps[i];
        QStringList problems;
        QJsonObject object;
        const std::optional<PumpCurves> curves = pumpCurves(catalogue, i);
        if (!curves) {
            problems.append(QStringLiteral("没有测点"));
        } else if (curves->headFit.failed() || !curves->headFit.finite()) {
            problems.append(QStringLiteral("扬程曲线拟合失败"));
        } else {
            const FitQuality quality = fitQuality(curves->points, curves->headFit, curves->powerFit);
            object.insert(QStringLiteral("fitQuality"), fitQualityJson(quality));
            if (!(quality.headDeviationPercent <= kHeadDeviationLimit))
                problems.append(QStringLiteral("扬程拟合偏差 %1 %（占最大扬程），R² = %2")
                                    .arg(QString::number(quality.headDeviationPercent, 'f', 2),
                                         std::isfinite(quality.headR2) ? QString::number(quality.headR2, 'f', 4)
                                                                       : QStringLiteral("—")));
        }
        if (problems.isEmpty())
            continue;
        const QString model = QString::fromStdString(pump.model);
        object.insert(QStringLiteral("model"), model);
        object.insert(QStringLiteral("speed"), numberJson(pump.speed));
        object.insert(QStringLiteral("problems"), stringsJson(problems));
        listed.append(object);
        text += QStringLiteral("  %1  %2\n").arg(model, problems.join(QStringLiteral("；")));
    }
    const QStringList refusals = rules.refusals();
    if (json) {
        QJsonObject object;
        object.insert(QStringLiteral("pumps"), static_cast<qint64>(catalogue.pumps.size()));
        object.insert(QStringLiteral("refusals"), stringsJson(refusals));
        object.insert(QStringLiteral("listed"), listed);
        printOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
    } else {
        if (!refusals.isEmpty()) {
            printOut(QStringLiteral("目录数据不符合规则 %1 处：\n").arg(rules.refusalCount()));
            for (const QString& refusal : refusals)
                printOut(QStringLiteral("  ") + refusal + QLatin1Char('\n'));
        }
        printOut(QStringLiteral("共 %1 台水泵，%2 台需要检查：\n").arg(catalogue.pumps.size()).arg(listed.size()) +
                 text);
    }
    return listed.isEmpty() && refusals.isEmpty() ? kCompleted : kProgramMessage;
}

} // namespace tarnwick::cli
