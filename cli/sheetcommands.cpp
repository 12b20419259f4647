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
#include "store/coretext.h"
#include "store/filetargets.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"
#include "store/sheetdata.h"

#include <QCoreApplication>
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

// A figure as the page prints it, as a number; null where the page is blank.
QJsonValue printedNumber(const QString& text, double scale = 1.0)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? QJsonValue(value * scale) : QJsonValue(QJsonValue::Null);
}

// The file named by --pdf, or "-" for standard output when that is free.
// Written beside its target and renamed over it: never over the database.
bool pdfTargetUsable(const QString& pdf, const QHash<QString, QString>& values)
{
    if (OutputTarget::namesStandardOutput(pdf)) {
        if (!jsonRequested())
            return true;
        printUsageError(
            QCoreApplication::translate("tarnwick::cli", "--json 已占用标准输出，资料单不能写到标准输出（-）。"),
            QStringLiteral("sheet"));
        return false;
    }
    if (const auto conflict = store::outputTargetConflict({absolutePath(pdf)}, databaseFile(values))) {
        printError(*conflict + QLatin1Char('\n'));
        return false;
    }
    return true;
}

bool writeSheets(const QString& pdf, const QList<DataSheet>& sheets)
{
    OutputTarget target(OutputTarget::namesStandardOutput(pdf) ? pdf : absolutePath(pdf), QStringLiteral("sheet.pdf"));
    QString error;
    if (target.path().isEmpty() || !writeDataSheetsPdf(target.path(), sheets, &error) || !target.finish(&error)) {
        printError((error.isEmpty() ? QCoreApplication::translate("tarnwick::cli", "无法建立临时文件。") : error) +
                   QLatin1Char('\n'));
        return false;
    }
    return true;
}

QJsonObject sheetJson(const DataSheet& sheet)
{
    const SheetFigures f = sheetFigures(sheet);
    QJsonObject object;
    object.insert(QStringLiteral("model"), sheet.model);
    object.insert(QStringLiteral("method"), sheet.method);
    object.insert(QStringLiteral("operatingFlow"), printedNumber(f.flow));
    object.insert(QStringLiteral("operatingHead"), printedNumber(f.head));
    object.insert(QStringLiteral("operatingEfficiency"), printedNumber(f.efficiency, 0.01));
    object.insert(QStringLiteral("bestEfficiency"), printedNumber(f.bestEfficiency, 0.01));
    object.insert(QStringLiteral("operatingPower"), printedNumber(f.power));
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
        printError(QCoreApplication::translate("tarnwick::cli",
                                               "选型资料单需要 --model 型号 或 --all 之一，以及 --pdf 文件。\n"));
        return kUsageOrDatabase;
    }
    if (!pdfTargetUsable(pdf, values))
        return kUsageOrDatabase;
    const SheetHeader header = headerFrom(values);
    QList<DataSheet> sheets;
    if (all) {
        auto design = conditions.any()
                          ? runDesignSelection(catalogue.catalogue(), texts, conditions)
                          : runDesignSelection(catalogue.catalogue(), texts);
        if (!design) {
            printMessage(store::coreText(design.error().message));
            return kProgramMessage;
        }
        if (design->candidates.empty()) {
            printMessage(store::coreText(design->entries.front()), statusNoneFound());
            return kProgramMessage;
        }
        for (const DesignCandidate& candidate : design->candidates)
            sheets.append(candidateSheet(candidate, design->request, texts,
                                         store::candidateSheetData(catalogue, candidate), header));
    } else {
        auto checked = conditions.any() ? runCheckCalculation(catalogue.catalogue(), texts,
                                                              model.toStdString(), conditions)
                                        : runCheckCalculation(catalogue.catalogue(), texts, model.toStdString());
        if (!checked) {
            printMessage(store::coreText(checked.error().message));
            return kProgramMessage;
        }
        sheets.append(checkedSheet(*checked, texts, store::checkedSheetData(catalogue, *checked), header));
    }
    if (!writeSheets(pdf, sheets))
        return kUsageOrDatabase;
    if (json) {
        QJsonArray array;
        for (const DataSheet& sheet : sheets)
            array.append(sheetJson(sheet));
        printJsonResult(statusOk(), QJsonObject{{QStringLiteral("pages"), array}});
    } else {
        if (!OutputTarget::namesStandardOutput(pdf))
            printOut(QCoreApplication::translate("tarnwick::cli", "已写入选型资料单 %1 页：%2\n")
                         .arg(sheets.size())
                         .arg(pdf));
    }
    return kCompleted;
}

int runVarSpeedSheetCommand(store::PumpCatalogue& catalogue, const DutyTexts& texts,
                            const QHash<QString, QString>& values, bool all, bool json)
{
    const QString model = values.value(QStringLiteral("model"));
    const QString pdf = values.value(QStringLiteral("pdf"));
    if (model.isEmpty() == !all || pdf.isEmpty()) {
        printError(QCoreApplication::translate("tarnwick::cli",
                                               "选型资料单需要 --model 型号 或 --all 之一，以及 --pdf 文件。\n"));
        return kUsageOrDatabase;
    }
    if (!pdfTargetUsable(pdf, values))
        return kUsageOrDatabase;
    VarSpeedTexts speedTexts;
    if (!readVarSpeedOptions(values, texts, &speedTexts))
        return kUsageOrDatabase;
    if (const auto message = completeVarSpeedConditions(&speedTexts)) {
        printMessage(QString::fromStdString(*message));
        return kProgramMessage;
    }
    auto request = readVarSpeedRequest(speedTexts);
    if (!request) {
        printMessage(store::coreText(request.error().message));
        return kProgramMessage;
    }
    const SheetHeader header = headerFrom(values);
    QList<DataSheet> sheets;
    if (all) {
        const VarSpeedSelection selection = runVarSpeedSelection(catalogue.catalogue(), *request);
        if (selection.accepted.empty()) {
            printMessage(QCoreApplication::translate("tarnwick::cli", "没有满足要求的水泵。"), statusNoneFound());
            return kProgramMessage;
        }
        for (const VarSpeedPump& pump : selection.accepted)
            sheets.append(varSpeedSheet(pump, *request, texts, store::varSpeedSheetData(catalogue, pump), header));
    } else {
        auto evaluated = evaluateVarSpeedModel(catalogue.catalogue(), *request, model.toStdString());
        if (!evaluated) {
            printMessage(store::coreText(evaluated.error().message));
            return kProgramMessage;
        }
        if (!*evaluated) {
            const VarSpeedRejection& r = evaluated->error();
            printMessage(QCoreApplication::translate("tarnwick::cli", "%1 未入选：%2")
                             .arg(model, store::coreText(rejectionText(r))));
            return kProgramMessage;
        }
        sheets.append(varSpeedSheet(evaluated->value(), *request, texts,
                                    store::varSpeedSheetData(catalogue, evaluated->value()), header));
    }
    if (!writeSheets(pdf, sheets))
        return kUsageOrDatabase;
    if (json) {
        QJsonArray array;
        for (const DataSheet& sheet : sheets) {
            // The page's load table, design point first, one named object per row.
            const VarSpeedSheetFigures f = varSpeedSheetFigures(*sheet.varSpeed);
            const VarSpeedPump& pump = sheet.varSpeed->pump;
            QJsonObject object;
            object.insert(QStringLiteral("model"), sheet.model);
            object.insert(QStringLiteral("method"), sheet.method);
            object.insert(QStringLiteral("fitQuality"), fitQualityJson(sheet.fitQuality));
            QJsonArray rows;
            for (qsizetype i = 0; i < f.loadRows.size(); ++i) {
                const VarSpeedPoint& point = i == 0 ? pump.design : pump.points[std::size_t(i - 1)];
                QJsonObject row = varSpeedPointJson(point);
                row.insert(QStringLiteral("label"), f.loadRows[i].value(0));
                row.insert(QStringLiteral("designPoint"), i == 0);
                rows.append(row);
            }
            object.insert(QStringLiteral("loadRows"), rows);
            object.insert(QStringLiteral("annualEnergy"), numberJson(pump.annualEnergy));
            object.insert(QStringLiteral("annualCost"), numberJson(pump.annualCost));
            object.insert(QStringLiteral("weightedEfficiency"), numberJson(pump.weightedEfficiency));
            object.insert(QStringLiteral("timeOutsidePreferredRegion"), numberJson(pump.timeOutsidePreferredRegion));
            array.append(object);
        }
        printJsonResult(statusOk(), QJsonObject{{QStringLiteral("pages"), array}});
    } else {
        if (!OutputTarget::namesStandardOutput(pdf))
            printOut(QCoreApplication::translate("tarnwick::cli", "已写入选型资料单 %1 页：%2\n")
                         .arg(sheets.size())
                         .arg(pdf));
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
            problems.append(QCoreApplication::translate("tarnwick::cli", "没有测点"));
        } else if (curves->headFit.failed() || !curves->headFit.finite()) {
            problems.append(QCoreApplication::translate("tarnwick::cli", "扬程曲线拟合失败"));
        } else {
            const FitQuality quality = fitQuality(curves->points, curves->headFit, curves->powerFit);
            object.insert(QStringLiteral("fitQuality"), fitQualityJson(quality));
            if (!(quality.headDeviationPercent <= kHeadDeviationLimit))
                problems.append(QCoreApplication::translate("tarnwick::cli", "扬程拟合偏差 %1 %（占最大扬程），R² = %2")
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
        text +=
            QStringLiteral("  %1  %2\n").arg(model, problems.join(QCoreApplication::translate("tarnwick::cli", "；")));
    }
    const QStringList refusals = rules.refusals();
    const bool clean = listed.isEmpty() && refusals.isEmpty();
    if (json) {
        QJsonObject object;
        object.insert(QStringLiteral("pumpCount"), static_cast<qint64>(catalogue.pumps.size()));
        object.insert(QStringLiteral("refusals"), stringsJson(refusals));
        object.insert(QStringLiteral("listed"), listed);
        printJsonResult(clean ? statusOk() : statusRejected(), object);
    } else {
        if (!refusals.isEmpty()) {
            printOut(
                QCoreApplication::translate("tarnwick::cli", "目录数据不符合规则 %1 处：\n").arg(rules.refusalCount()));
            for (const QString& refusal : refusals)
                printOut(QStringLiteral("  ") + refusal + QLatin1Char('\n'));
        }
        printOut(QCoreApplication::translate("tarnwick::cli", "共 %1 台水泵，%2 台需要检查：\n")
                     .arg(catalogue.pumps.size())
                     .arg(listed.size()) +
                 text);
    }
    return clean ? kCompleted : kProgramMessage;
}

} // namespace tarnwick::cli
