#include "cli/commands.h"

#include "cli/arguments.h"
#include "cli/conditionoptions.h"
#include "cli/explainoutput.h"
#include "cli/handlers.h"
#include "cli/help.h"
#include "cli/modelscommand.h"
#include "cli/output.h"
#include "cli/progress.h"
#include "cli/pumpsjson.h"
#include "cli/reportcommand.h"
#include "cli/selectcommand.h"
#include "cli/sheetcommands.h"
#include "cli/varspeedresults.h"
#include "core/measuredrange.h"
#include "core/units.h"
#include "report/varspeedreport.h"
#include "store/calculations.h"
#include "store/coretext.h"
#include "store/database.h"
#include "store/databaselocation.h"
#include "store/fieldcheck.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarnwick::cli {

namespace {

struct Options
{
    QString command;
    QHash<QString, QString> values;
    bool json = false;
    bool all = false;
    bool explain = false;
    bool variableSpeed = false;
    QStringList flags;
};

// The message, then where to find the usage of the command it concerns.
int usageError(const QString& message, const QString& command = QString())
{
    printUsageError(message, commandHelp(command).isEmpty() ? QString() : command);
    return kUsageOrDatabase;
}

Options optionsOf(const QString& command, const ParsedArguments& parsed)
{
    Options options;
    options.command = command;
    options.values = parsed.values;
    options.json = parsed.hasFlag(QStringLiteral("json"));
    options.all = parsed.hasFlag(QStringLiteral("all"));
    options.explain = parsed.hasFlag(QStringLiteral("explain"));
    options.variableSpeed = parsed.hasFlag(QStringLiteral("variable-speed"));
    options.flags = parsed.flags;
    return options;
}

std::string utf8(const QString& s)
{
    return s.toStdString();
}

bool validUnit(const QString& unit, const auto& items)
{
    for (const auto& item : items) {
        if (unit.toStdString() == item)
            return true;
    }
    return false;
}

bool readDutyTexts(const Options& options, DutyTexts* texts, QString* error)
{
    const auto& v = options.values;
    // A duty option left out is a slip on the command line, not a figure out of range.
    // Measured points of the plant stand for the resistance and, if need be,
    // the static head.
    const bool measured = v.contains(QStringLiteral("measured"));
    for (const QString& option :
         {QStringLiteral("flow"), QStringLiteral("resistance"), QStringLiteral("static-head")}) {
        if (measured && option != QStringLiteral("flow"))
            continue;
        if (!v.contains(option)) {
            *error = QCoreApplication::translate("tarnwick::cli", "缺少选项 --%1。").arg(option);
            return false;
        }
    }
    texts->resistance = utf8(v.value(QStringLiteral("resistance")));
    texts->flow = utf8(v.value(QStringLiteral("flow")));
    texts->staticHead = utf8(v.value(QStringLiteral("static-head")));
    const QString flowUnit = v.value(QStringLiteral("flow-unit"), QStringLiteral("m3/h"));
    const QString resistanceUnit = v.value(QStringLiteral("resistance-unit"), QStringLiteral("mH2O"));
    const QString staticHeadUnit = v.value(QStringLiteral("static-head-unit"), QStringLiteral("mH2O"));
    // The windows offer only the listed units; so does the tool.
    if (!validUnit(flowUnit, FlowUnit::items)) {
        *error = QCoreApplication::translate("tarnwick::cli", "流量单位“%1”不在单位列表中。").arg(flowUnit);
        return false;
    }
    for (const QString& unit : {resistanceUnit, staticHeadUnit}) {
        if (!validUnit(unit, PressureUnit::items)) {
            *error = QCoreApplication::translate("tarnwick::cli", "压力单位“%1”不在单位列表中。").arg(unit);
            return false;
        }
    }
    texts->flowUnit = utf8(flowUnit);
    texts->resistanceUnit = utf8(resistanceUnit);
    texts->staticHeadUnit = utf8(staticHeadUnit);
    return true;
}

// The data sheets ("水泵查询") are read with the catalogue only for the
// commands that print them.
Expected<std::unique_ptr<store::PumpCatalogue>, QString> openCatalogue(const Options& options)
{
    const bool sheets = options.command == QLatin1String("sheet");
    return store::PumpCatalogue::openFile(databaseFile(options.values), sheets
                                                                           ? store::PumpCatalogue::DataSheet::WithCatalogue
                                                                           : store::PumpCatalogue::DataSheet::OnDemand);
}

// Scripts read `status` rather than the display texts.
void printJson(const QString& status, const QJsonValue& message, const QStringList& entries, const QStringList& labels,
               const QJsonArray& rows, const QJsonArray& pumps = {}, const QJsonObject& additions = {})
{
    QJsonObject object = additions;
    object.insert(QStringLiteral("message"), message);
    object.insert(QStringLiteral("pumps"), pumps);
    object.insert(QStringLiteral("entries"), stringsJson(entries));
    object.insert(QStringLiteral("labels"), stringsJson(labels));
    object.insert(QStringLiteral("rows"), rows);
    printJsonResult(status, object);
}

// A run that stopped: the program's message (exit 1) or a database failure (exit 2).
int reportFailure(const store::RunFailure& failure, const Options& options)
{
    if (failure.kind == store::RunFailure::Kind::Database) {
        printError(failure.databaseError + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    const QString message = store::coreText(failure.stop.message);
    printMessage(message);
    if (options.json)
        printJson(statusRejected(), message, {}, {}, {});
    return kProgramMessage;
}

QStringList toQStringList(const auto& texts)
{
    QStringList list;
    for (const auto& t : texts)
        list.append(store::coreText(t));
    return list;
}

// Reads the duty and opens the catalogue for a calculation. On a fault
// prints it, sets the exit status and returns nothing.
std::unique_ptr<store::PumpCatalogue> prepareRun(const Options& options, DutyTexts* texts, int* status)
{
    QString error;
    if (!readDutyTexts(options, texts, &error)) {
        *status = usageError(error, options.command);
        return nullptr;
    }
    auto catalogue = openCatalogue(options);
    if (!catalogue) {
        printError(catalogue.error() + QLatin1Char('\n'));
        *status = kUsageOrDatabase;
        return nullptr;
    }
    return std::move(catalogue).value();
}

// The liquid, suction, impeller and measured-system options, completed. On
// a fault prints it, sets the exit status and returns false.
bool prepareConditions(const Options& options, DutyTexts* texts, ConditionInputs* inputs, int* status)
{
    QString error;
    QString message;
    if (!readConditionOptions(options.values, options.flags, inputs, &error) ||
        !applyMeasuredSystem(options.values, texts, inputs, &error, &message)) {
        *status = usageError(error, options.command);
        return false;
    }
    inputs->conditions.measured = inputs->measured;
    if (message.isEmpty()) {
        auto completed = completeConditions(inputs->conditions);
        if (completed)
            inputs->conditions = completed.value();
        else
            message = store::coreText(completed.error());
    }
    if (!message.isEmpty()) {
        printMessage(message);
        if (options.json)
            printJson(statusRejected(), message, {}, {}, {});
        *status = kProgramMessage;
        return false;
    }
    return true;
}

double designFlowOf(const DutyTexts& texts)
{
    return FlowUnit::toCubicMetresPerHour(QString::fromStdString(texts.flow).trimmed().toDouble(), texts.flowUnit);
}

// The liquid and the measured system at the top of a design's or check's JSON.
void addConditionsJson(QJsonObject* additions, const ConditionInputs& inputs, const DutyTexts& texts)
{
    if (inputs.conditions.fluid)
        additions->insert(QStringLiteral("fluid"), fluidJson(inputs.conditions));
    if (inputs.measured)
        additions->insert(QStringLiteral("measuredSystem"), measuredSystemJson(*inputs.measured, designFlowOf(texts)));
}

int runDesignCommand(const Options& options)
{
    DutyTexts texts;
    int status = kCompleted;
    const auto catalogue = prepareRun(options, &texts, &status);
    if (!catalogue)
        return status;
    ConditionInputs inputs;
    if (!prepareConditions(options, &texts, &inputs, &status))
        return status;
    TerminalProgress progress;
    auto run = store::runDesign(
        *catalogue, texts,
        [&progress](std::size_t done, std::size_t total) {
            progress.show(
                QCoreApplication::translate("tarnwick::cli", "正在选型：已检查 %1/%2 台水泵").arg(done).arg(total));
        },
        inputs.conditions, options.explain ? RejectedList::Listed : RejectedList::Omitted);
    progress.finish();
    if (!run)
        return reportFailure(run.error(), options);

    const QStringList entries = toQStringList(run->entries);
    const store::RowSet& latest = catalogue->latestResultRows;
    // Finding no pump ends with the program's single entry in the list.
    const bool noneFound = run->candidates.empty();
    if (options.json) {
        QJsonObject additions;
        addConditionsJson(&additions, inputs, texts);
        if (options.explain)
            additions.insert(QStringLiteral("rejected"), rejectedJson(catalogue->catalogue(), *run));
        // Finding nothing is said by the list's single entry.
        printJson(noneFound ? statusNoneFound() : statusOk(),
                  noneFound && !entries.isEmpty() ? QJsonValue(entries.first()) : QJsonValue(QJsonValue::Null), entries,
                  {}, resultRowsJson(latest), designPumpsJson(run.value()), additions);
    } else {
        printOut(conditionsText(inputs.conditions, inputs.measured, designFlowOf(texts)));
        printOut(QCoreApplication::translate("tarnwick::cli", "满足用户要求的水泵：\n"));
        for (qsizetype i = 0; i < entries.size(); ++i) {
            printOut(QStringLiteral("  ") + entries[i] + QLatin1Char('\n'));
            if (inputs.conditions.any() && std::size_t(i) < run->candidates.size())
                printOut(QStringLiteral("    ") +
                         store::coreText(
                             tarnwick::pumpExtrasText(run->candidates[std::size_t(i)].extras, inputs.conditions)) +
                         QLatin1Char('\n'));
        }
        printOut(
            QCoreApplication::translate("tarnwick::cli", "\n“%1”中的记录：\n").arg(store::names::latestResultsTable()) +
            resultRowsTable(latest));
        if (options.explain)
            printOut(QLatin1Char('\n') + rejectedSummary(*run));
    }
    return noneFound ? kProgramMessage : kCompleted;
}

int runCheckCommand(const Options& options)
{
    if (!options.values.contains(QStringLiteral("model")))
        return usageError(QCoreApplication::translate("tarnwick::cli", "校核计算需要 --model 型号。"), options.command);
    DutyTexts texts;
    int status = kCompleted;
    const auto catalogue = prepareRun(options, &texts, &status);
    if (!catalogue)
        return status;
    ConditionInputs inputs;
    if (!prepareConditions(options, &texts, &inputs, &status))
        return status;
    auto run = store::runCheck(*catalogue, texts, options.values.value(QStringLiteral("model")), inputs.conditions);
    if (!run)
        return reportFailure(run.error(), options);

    const QStringList labels = toQStringList(run->labels);
    const store::RowSet& latest = catalogue->latestResultRows;
    // Beyond the measured flows the pump's curves are extrapolated: told, not refused.
    const std::optional<std::string> note = operatingFlowNote(run->points, run->operatingFlow);
    if (options.json) {
        QJsonArray warnings;
        if (note)
            warnings.append(store::coreText(*note));
        QJsonObject additions{{QStringLiteral("fitQuality"), fitQualityJson(run->fitQuality)},
                              {QStringLiteral("warnings"), warnings}};
        addConditionsJson(&additions, inputs, texts);
        printJson(statusOk(), QJsonValue::Null, {}, labels, resultRowsJson(latest),
                  checkedPumpJson(run.value(), catalogue->catalogue()), additions);
    } else {
        if (note)
            printError(store::coreText(*note) + QLatin1Char('\n'));
        printOut(QCoreApplication::translate("tarnwick::cli", "水泵运行参数：\n"));
        // The panel shows the model line first, then the four figures.
        printOut(QStringLiteral("  ") + labels[4] + QLatin1Char('\n'));
        for (int i = 0; i < 4; ++i)
            printOut(QStringLiteral("  ") + labels[i] + QLatin1Char('\n'));
        if (inputs.conditions.any() || inputs.measured) {
            printOut(conditionsText(inputs.conditions, inputs.measured, designFlowOf(texts)));
            printOut(QStringLiteral("  ") + store::coreText(tarnwick::pumpExtrasText(run->extras, inputs.conditions)) +
                     QLatin1Char('\n'));
        }
        printOut(
            QCoreApplication::translate("tarnwick::cli", "\n“%1”中的记录：\n").arg(store::names::latestResultsTable()) +
            resultRowsTable(latest));
    }
    return kCompleted;
}

int runResultsCommand(const Options& options)
{
    if (options.variableSpeed) {
        store::StoredTable stored;
        if (!readVarSpeedRows(options.values, options.all, &stored))
            return kUsageOrDatabase;
        if (options.json)
            printJson(statusOk(), QJsonValue::Null, {}, {}, varSpeedRowsJson(stored));
        else
            printOut(QCoreApplication::translate("tarnwick::cli", "“%1”中的记录：\n").arg(stored.source) +
                     reportTableText(report::varSpeedResultTable(stored, options.all)));
        return kCompleted;
    }
    // Only the result table is opened, so the results stay readable when the
    // catalogue is damaged.
    store::RowSet rows;
    if (!openResultRows(options.values, options.all, &rows))
        return kUsageOrDatabase;
    if (const QString missing = store::missingFieldsMessage(rows, store::names::resultFields()); !missing.isEmpty()) {
        printError(missing + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    if (options.json)
        printJson(statusOk(), QJsonValue::Null, {}, {}, resultRowsJson(rows));
    else
        printOut(QCoreApplication::translate("tarnwick::cli", "“%1”中的记录：\n").arg(rows.source()) +
                 resultRowsTable(rows));
    return kCompleted;
}

int runSheetCommand(const Options& options)
{
    DutyTexts texts;
    int status = kCompleted;
    const auto catalogue = prepareRun(options, &texts, &status);
    if (!catalogue)
        return status;
    if (options.variableSpeed)
        return cli::runVarSpeedSheetCommand(*catalogue, texts, options.values, options.all, options.json);
    ConditionInputs inputs;
    if (!prepareConditions(options, &texts, &inputs, &status))
        return status;
    return cli::runSheetCommand(*catalogue, texts, options.values, options.all, options.json, inputs.conditions);
}

int runModelsCommand(const Options& options)
{
    auto catalogue = openCatalogue(options);
    if (!catalogue) {
        printError(catalogue.error() + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    return cli::runModelsCommand(catalogue.value()->catalogue(), options.values, options.json);
}

int runCatalogueCheckCommand(const Options& options)
{
    auto catalogue = openCatalogue(options);
    if (!catalogue) {
        printError(catalogue.error() + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    return cli::runCatalogueCheckCommand(*catalogue.value(), options.json);
}

} // namespace

int handleDesign(const ParsedArguments& arguments)
{
    return runDesignCommand(optionsOf(QStringLiteral("design"), arguments));
}

int handleCheck(const ParsedArguments& arguments)
{
    return runCheckCommand(optionsOf(QStringLiteral("check"), arguments));
}

int handleSelect(const ParsedArguments& arguments)
{
    const Options options = optionsOf(QStringLiteral("select"), arguments);
    DutyTexts texts;
    QString error;
    if (!readDutyTexts(options, &texts, &error))
        return usageError(error, options.command);
    return runSelectCommand(options.values, texts, options.json, options.explain);
}

int handleResults(const ParsedArguments& arguments)
{
    return runResultsCommand(optionsOf(QStringLiteral("results"), arguments));
}

int handleReport(const ParsedArguments& arguments)
{
    return runReportCommand(arguments.values, arguments.hasFlag(QStringLiteral("all")),
                            arguments.hasFlag(QStringLiteral("variable-speed")));
}

int handleSheet(const ParsedArguments& arguments)
{
    return runSheetCommand(optionsOf(QStringLiteral("sheet"), arguments));
}

int handleSpeedSheet(const ParsedArguments& arguments)
{
    return runSheetCommand(optionsOf(QStringLiteral("sheet"), arguments));
}

int handleCatalogueCheck(const ParsedArguments& arguments)
{
    return runCatalogueCheckCommand(optionsOf(QStringLiteral("catalogue-check"), arguments));
}

int handleModels(const ParsedArguments& arguments)
{
    return runModelsCommand(optionsOf(QStringLiteral("models"), arguments));
}

int handleHelp(const ParsedArguments& arguments)
{
    const QStringList& given = arguments.files;
    if (given.size() > 1)
        return usageError(QCoreApplication::translate("tarnwick::cli", "多余的参数：%1").arg(given[1]));
    if (given.isEmpty()) {
        printOut(usageText());
        return kCompleted;
    }
    const bool aboutHelp = given[0] == QStringLiteral("--help") || given[0] == QStringLiteral("-h");
    const QString text = commandHelp(aboutHelp ? QStringLiteral("help") : given[0]);
    if (text.isEmpty())
        return usageError(QCoreApplication::translate("tarnwick::cli", "未知的命令：%1").arg(given[0]));
    printOut(text);
    return kCompleted;
}

int handleVersion(const ParsedArguments& arguments)
{
    // Names the database without touching it: no copy is made here.
    printOut(versionText(store::describeDatabase(store::locateDatabase(arguments.values.value(QStringLiteral("db"))))));
    return kCompleted;
}

namespace {

int runCommand(const QStringList& arguments)
{
    const QString first = arguments.value(0);
    if (arguments.size() == 1 && (first == QStringLiteral("--help") || first == QStringLiteral("-h")))
        return handleHelp({});
    // "COMMAND --help" shows that command's usage whatever else is given.
    const QStringList beforeEnd = arguments.mid(0, arguments.indexOf(QStringLiteral("--")));
    if (arguments.size() > 1 && first != QStringLiteral("help") &&
        (beforeEnd.contains(QStringLiteral("--help")) || beforeEnd.contains(QStringLiteral("-h"))))
        return handleHelp({{first}, {}, {}});
    Invocation invocation;
    QString error;
    if (!parseCommandLine(arguments, &invocation, &error))
        return usageError(error, first);
    return invocation.command->handler(invocation.arguments);
}

} // namespace

int runCommandLine(const QStringList& arguments)
{
    // An argument after "--" is no option.
    setJsonErrors(arguments.mid(0, arguments.indexOf(QStringLiteral("--"))).contains(QStringLiteral("--json")));
    const int status = runCommand(arguments);
    finishWithStatus(status);
    // Output that did not arrive makes the run a failure, whatever it computed.
    if (!closeStandardOutput())
        return kUsageOrDatabase;
    return status;
}

} // namespace tarnwick::cli
