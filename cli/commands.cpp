#include "cli/commands.h"

#include "cli/arguments.h"
#include "cli/conditionoptions.h"
#include "cli/explainoutput.h"
#include "cli/help.h"
#include "cli/importcommands.h"
#include "cli/modelscommand.h"
#include "cli/output.h"
#include "cli/progress.h"
#include "cli/pumpsjson.h"
#include "cli/reportcommand.h"
#include "cli/selectcommand.h"
#include "cli/sheetcommands.h"
#include "cli/varspeedresults.h"
#include "report/varspeedreport.h"
#include "core/measuredrange.h"
#include "core/units.h"
#include "store/calculations.h"
#include "store/database.h"
#include "store/databaselocation.h"
#include "store/fieldcheck.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarnwick::cli {

namespace {

const char* const kUsage = R"(用法：
  tarnwick-cli design --flow 值 --resistance 值 --static-head 值 [单位选项] [介质与吸入选项] [--db 文件] [--json] [--explain]
  tarnwick-cli check --model 型号 --flow 值 --resistance 值 --static-head 值 [单位选项] [介质与吸入选项] [--db 文件] [--json]
  tarnwick-cli select --flow 值 --resistance 值 --static-head 值 [单位选项] [变速选项] [介质与吸入选项] [--model 型号] [--db 文件] [--json] [--explain]
  tarnwick-cli results [--all] [--variable-speed] [--db 文件] [--json]
  tarnwick-cli report [--all] [--variable-speed] (--pdf 文件 | --csv 文件 | --xlsx 文件) [--db 文件] [--json]
  tarnwick-cli sheet (--model 型号 | --all) --flow 值 --resistance 值 --static-head 值 [单位选项] [介质与吸入选项] --pdf 文件
               [--project 名称] [--project-number 编号] [--designer 设计人] [--tag 设备位号] [--date 日期] [--db 文件] [--json]
  tarnwick-cli sheet --variable-speed (--model 型号 | --all) --flow 值 --resistance 值 --static-head 值 [单位选项] [变速选项]
               --pdf 文件 [--project 名称] [--project-number 编号] [--designer 设计人] [--tag 设备位号] [--date 日期] [--db 文件] [--json]
  tarnwick-cli catalogue-check [--db 文件] [--json]
  tarnwick-cli models [--type 类型] [--speed 转速] [--text 文字] [--db 文件] [--json]
  tarnwick-cli import-mdb 源文件.mdb [--db 目标文件] [--codepage 代码页] [--json]
  tarnwick-cli import-catalogue 水泵.csv 性能点.csv [--db 文件] [--replace] [--json]
  tarnwick-cli export-catalogue 水泵.csv 性能点.csv [--db 文件] [--json]
  tarnwick-cli update-catalogue [--from 新数据库] [--db 文件] [--json]
  tarnwick-cli copy-db 源数据库 目标数据库 [--replace] [--json]
  tarnwick-cli init-db postgresql://… [--with-catalogue [--from 数据库文件]] [--roles] [--json]
  tarnwick-cli help [命令 | --help]
  tarnwick-cli --version [--db 文件]

单位选项（取值与程序中单位列表的文字相同）：
  --flow-unit         kg/h kg/s L/h L/s m3/h m3/s t/h        （默认 m3/h）
  --resistance-unit   atm bar kgf/cm2 mH2O mmH2O MPa Pa      （默认 mH2O）
  --static-head-unit  同上                                    （默认 mH2O）

介质与吸入选项（design、check、sheet；select 只取介质和吸入的选项；均可不写，不写时与原计算完全相同）：
  --fluid water|ethylene-glycol|propylene-glycol  输送介质，需同时给出 --temperature（℃）；
                      乙二醇、丙二醇还需 --concentration（质量%，10～60）。不写：目录中的清水（1000 kg/m3），不作修正。
                      密度计入轴功率；粘度按 ANSI/HI 9.6.7 修正流量、扬程和效率（B≥40 的水泵不选）。
  --suction-pressure 值  水泵入口的表压，--suction-pressure-unit 单位（同压力单位，默认 mH2O），
                      --atmospheric 大气压 kPa（默认 101.325）；据此校核有效汽蚀余量，
                      要求不小于必需汽蚀余量的 --npsh-margin 倍（默认 1.1）且至少高出 0.6 m（ANSI/HI 9.6.1）。
  --trim              把叶轮切削到设计工况，--max-trim 最大切削量，叶轮外径的%（默认 15）。
  --preferred-region  只列出工作点在优先运行区内（最高效率点流量的 70～120 %）的水泵（ANSI/HI 9.6.3）。
  --measured 流量:扬程,流量:扬程,…  用三个以上实测点（流量、阻力单位）拟合管路特性 H = Hst + K·Q²，
                      代替 --resistance；给出 --static-head 时只拟合 K。

design  设计计算：在全部水泵中选型，结果存入两张结果表。
        --explain：另列出未入选的水泵及其未满足的第一条规则。
check   校核计算：校核所选型号的水泵。
select  变速节能选型：按全年负荷分布和能耗为变频并联水泵排序，结果存入“变速选型结果”和“变速选型负荷点”；
        --model 只评价一个型号；--explain 列出未入选的水泵及其规则。
变速选型选项：
  --control constant|proportional|critical|system  控制方式（默认 constant 定压差）
  --profile 100:1,75:42,50:45,25:12   负荷分布，流量%:时间%（默认即此）
  --duty-pumps N（1～4，默认2）  --standby-pumps M（0～2，默认1）
  --hours 年运行小时（默认4000）  --price 电价 元/kWh（默认1.0）  --density 密度 kg/m3（默认1000）
  --min-speed 最低转速比%（默认30）  --max-speed 变频器最高转速比%（默认100）
  --motor-margin 电机功率储备系数（默认1.15）
  --proportional-share 比例压差起点%（默认50）  --setpoint 末端压差设定值，管路阻力的单位（默认30%管路阻力）
  以压力单位（Pa、MPa、bar、atm、kgf/cm2）输入的阻力、静扬程和设定值按 --density 换算为所输送流体的液柱；
  mH2O、mmH2O 即所输送流体的液柱高度，与样本扬程相同。
  电机：样本配用电动机功率与“储备系数×单台水泵在最高转速曲线（实测流量范围内）上的最大轴功率”
  所需的最小 IEC 标准功率，两者取大（JSON 中 motorSource 为 catalogue 或 sized）。
  低于最低转速的负荷点按最低转速运行，多余扬程由阀门节流（警告 minimum_speed）；
  qe/Qbep 不在 0.70～1.20 的点带警告 outside_preferred_region（ANSI/HI 9.6.3）。
  加权综合效率（weightedEfficiency）＝全年水力能量÷全年耗电量，即 Σt·ρgQH ÷ Σt·Pin；
  aboveBest 为年耗电量高出排名第一者的比例。
  介质与吸入：--fluid 时密度由介质物性表给出（不能再写 --density），曲线按 ANSI/HI 9.6.7 作粘度修正；
  --suction-pressure 时每个负荷点都校核汽蚀余量（必需汽蚀余量按等效流量换算后乘以转速比的平方），
  任一点不足的水泵不入选（规则 npsh_insufficient）。
results 显示本次计算结果（--all：全部计算结果）；--variable-speed：变速节能选型的结果。
report  把本次计算结果（--all：全部计算结果）的报表写成 PDF、CSV 或 XLSX 文件，可同时写几种；
        --variable-speed：变速节能选型结果的报表，与窗口中的报表相同。文件名为 - 时写到标准输出。
sheet   选型资料单（PDF，每台水泵一页）：--model 为校核的水泵，--all 为设计选出的全部水泵；不写结果表。
        --variable-speed：变速节能选型的资料单（选项同 select），--model 为单独评价的型号，
        --all 为入选的全部水泵（按年耗电量排序），每页含负荷点表和年耗电量；不写结果表。
catalogue-check  列出不符合目录规则的数据，以及扬程拟合偏差超过最大扬程 2 % 或无法拟合的水泵（有则退出状态为 1）。
models           按目录顺序列出水泵型号、类型、转速、性能点数和最大流量、扬程；--type 只列该类型，
                 --speed 只列该转速（r/min），--text 只列型号中含该文字的（不分大小写）；没有则退出状态为 1。
import-mdb       把 Access 97/2000 数据库转换为本程序的新数据库（不覆盖已有文件）；
                 --codepage 指定 Access 97 文件的代码页，如 936（GBK）。
import-catalogue 从 CSV 文件导入水泵目录（UTF-8 或 GBK）；--replace：替换整个目录。
export-catalogue 把水泵目录导出为同样格式的 CSV 文件。
update-catalogue 用新数据库（默认为随程序安装的数据库）中的水泵目录替换当前目录，
                 两张结果表保持不变。
copy-db          把整个数据库（水泵目录、示意图、公司资料和全部结果表）复制到另一个数据库：
                 数据库文件与 PostgreSQL 数据库之间可以互相复制；在目标上一次写完，
                 复制后逐表核对行数和内容；目标中已有同名的表时不复制，除非加 --replace。
                 每条结果保留保存它的工程师（“用户”）；在服务器上替换的表保留原有的权限和行级安全策略。
init-db          在空的 PostgreSQL 数据库中建立本程序的表和查询；--with-catalogue 同时
                 装入随程序安装的（或 --from 指定的）数据库中的水泵目录，结果表为空；
                 --roles 建立角色 tarnwick_engineer（工程师）和 tarnwick_maintainer（目录维护人员），
                 授予权限并由服务器的行级安全策略保证：每人只能以自己的名义写入结果、只能删除
                 自己的本次计算结果，不能删除全部计算结果；已有表的数据库也可单独加 --roles。
help    显示用法；help 命令（或 命令 --help）显示该命令的用法。
--db    数据库文件，默认为程序目录中的“水泵数据库97.mdb”；程序目录中没有时
        使用用户数据目录中的数据库（首次使用时从随程序安装的数据库复制）。
        环境变量 TARNWICK_DB 也可指定数据库文件。
        也可以是 PostgreSQL 数据库地址，如 postgresql://用户@主机:5432/库名
        或 postgresql://用户@/库名?host=/套接字目录；密码取自 ~/.pgpass 或 PGPASSWORD。
--json  以 JSON 输出：每次运行只输出一个 JSON 对象，其 status 为 ok（退出状态 0）、
        rejected 或 none-found（退出状态 1）、error（退出状态 2），message 为程序的提示；
        各命令的格式见 cli/schemas/ 中的 JSON Schema。
)";

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
    const bool known = !command.isEmpty() && !commandHelp(QString::fromUtf8(kUsage), command).isEmpty();
    printUsageError(message, known ? command : QString());
    return kUsageOrDatabase;
}

const QList<CommandSyntax>& commandSyntaxes()
{
    const QStringList duty = {QStringLiteral("flow"),        QStringLiteral("flow-unit"),
                              QStringLiteral("resistance"),  QStringLiteral("resistance-unit"),
                              QStringLiteral("static-head"), QStringLiteral("static-head-unit"),
                              QStringLiteral("db")};
    const QString json = QStringLiteral("json");
    const QString all = QStringLiteral("all");
    static const QList<CommandSyntax> syntaxes = {
        {QStringLiteral("design"), 0, duty + conditionValueOptions(),
         QStringList{json, QStringLiteral("explain")} + conditionFlagOptions()},
        {QStringLiteral("check"), 0, duty + QStringList{QStringLiteral("model")} + conditionValueOptions(),
         QStringList{json} + conditionFlagOptions()},
        {QStringLiteral("results"), 0, {QStringLiteral("db")}, {json, all, QStringLiteral("variable-speed")}},
        {QStringLiteral("sheet"),
         0,
         duty + QStringList{QStringLiteral("model"), QStringLiteral("pdf"), QStringLiteral("project"),
                            QStringLiteral("project-number"), QStringLiteral("designer"), QStringLiteral("tag"),
                            QStringLiteral("date")} +
             varSpeedOptionNames() + conditionValueOptions(),
         QStringList{json, all, QStringLiteral("variable-speed")} + conditionFlagOptions()},
        {QStringLiteral("catalogue-check"), 0, {QStringLiteral("db")}, {json}},
        {QStringLiteral("models"),
         0,
         {QStringLiteral("type"), QStringLiteral("speed"), QStringLiteral("text"), QStringLiteral("db")},
         {json}},
        {QStringLiteral("report"),
         0,
         {QStringLiteral("pdf"), QStringLiteral("csv"), QStringLiteral("xlsx"), QStringLiteral("db")},
         {all, json, QStringLiteral("variable-speed")}},
        selectCommandSyntax(),
    };
    return syntaxes;
}

bool parse(const QStringList& arguments, Options* options, QString* error)
{
    if (arguments.isEmpty()) {
        *error = QStringLiteral("缺少命令。");
        return false;
    }
    options->command = arguments.first();
    for (const CommandSyntax& syntax : commandSyntaxes()) {
        if (syntax.name != options->command)
            continue;
        ParsedArguments parsed;
        if (!parseArguments(syntax, arguments, &parsed, error))
            return false;
        options->values = parsed.values;
        options->json = parsed.hasFlag(QStringLiteral("json"));
        options->all = parsed.hasFlag(QStringLiteral("all"));
        options->explain = parsed.hasFlag(QStringLiteral("explain"));
        options->variableSpeed = parsed.hasFlag(QStringLiteral("variable-speed"));
        options->flags = parsed.flags;
        return true;
    }
    *error = QStringLiteral("未知的命令：%1").arg(options->command);
    return false;
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
            *error = QStringLiteral("缺少选项 --%1。").arg(option);
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
        *error = QStringLiteral("流量单位“%1”不在单位列表中。").arg(flowUnit);
        return false;
    }
    for (const QString& unit : {resistanceUnit, staticHeadUnit}) {
        if (!validUnit(unit, PressureUnit::items)) {
            *error = QStringLiteral("压力单位“%1”不在单位列表中。").arg(unit);
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
    const QString message = QString::fromStdString(failure.stop.message);
    printMessage(message);
    if (options.json)
        printJson(statusRejected(), message, {}, {}, {});
    return kProgramMessage;
}

QStringList toQStringList(const auto& texts)
{
    QStringList list;
    for (const auto& t : texts)
        list.append(QString::fromStdString(t));
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
            message = QString::fromStdString(completed.error());
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
            progress.show(QStringLiteral("正在选型：已检查 %1/%2 台水泵").arg(done).arg(total));
        },
        inputs.conditions);
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
                  noneFound && !entries.isEmpty() ? QJsonValue(entries.first()) : QJsonValue(QJsonValue::Null), entries, {},
                  resultRowsJson(latest), designPumpsJson(run.value()), additions);
    } else {
        printOut(conditionsText(inputs.conditions, inputs.measured, designFlowOf(texts)));
        printOut(QStringLiteral("满足用户要求的水泵：\n"));
        for (qsizetype i = 0; i < entries.size(); ++i) {
            printOut(QStringLiteral("  ") + entries[i] + QLatin1Char('\n'));
            if (inputs.conditions.any() && std::size_t(i) < run->candidates.size())
                printOut(QStringLiteral("    ") +
                         QString::fromStdString(tarnwick::pumpExtrasText(run->candidates[std::size_t(i)].extras, inputs.conditions)) +
                         QLatin1Char('\n'));
        }
        printOut(QStringLiteral("\n“%1”中的记录：\n").arg(store::names::latestResultsTable()) +
                 resultRowsTable(latest));
        if (options.explain)
            printOut(QLatin1Char('\n') + rejectedSummary(*run));
    }
    return noneFound ? kProgramMessage : kCompleted;
}

int runCheckCommand(const Options& options)
{
    if (!options.values.contains(QStringLiteral("model")))
        return usageError(QStringLiteral("校核计算需要 --model 型号。"), options.command);
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
            warnings.append(QString::fromStdString(*note));
        QJsonObject additions{{QStringLiteral("fitQuality"), fitQualityJson(run->fitQuality)},
                              {QStringLiteral("warnings"), warnings}};
        addConditionsJson(&additions, inputs, texts);
        printJson(statusOk(), QJsonValue::Null, {}, labels, resultRowsJson(latest),
                  checkedPumpJson(run.value(), catalogue->catalogue()), additions);
    } else {
        if (note)
            printError(QString::fromStdString(*note) + QLatin1Char('\n'));
        printOut(QStringLiteral("水泵运行参数：\n"));
        // The panel shows the model line first, then the four figures.
        printOut(QStringLiteral("  ") + labels[4] + QLatin1Char('\n'));
        for (int i = 0; i < 4; ++i)
            printOut(QStringLiteral("  ") + labels[i] + QLatin1Char('\n'));
        if (inputs.conditions.any() || inputs.measured) {
            printOut(conditionsText(inputs.conditions, inputs.measured, designFlowOf(texts)));
            printOut(QStringLiteral("  ") + QString::fromStdString(tarnwick::pumpExtrasText(run->extras, inputs.conditions)) + QLatin1Char('\n'));
        }
        printOut(QStringLiteral("\n“%1”中的记录：\n").arg(store::names::latestResultsTable()) +
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
            printOut(QStringLiteral("“%1”中的记录：\n").arg(stored.source) +
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
        printOut(QStringLiteral("“%1”中的记录：\n").arg(rows.source()) + resultRowsTable(rows));
    return kCompleted;
}

int runSheetCommand(const Options& options)
{
    DutyTexts texts;
    int status = kCompleted;
    const auto catalogue = prepareRun(options, &texts, &status);
    if (!catalogue)
        return status;
    if (options.variableSpeed) {
        for (const QString& option : conditionValueOptions() + conditionFlagOptions()) {
            if (options.values.contains(option) || options.flags.contains(option))
                return usageError(QStringLiteral("变速节能选型的资料单不接受 --%1。").arg(option), options.command);
        }
        return cli::runVarSpeedSheetCommand(*catalogue, texts, options.values, options.all, options.json);
    }
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

namespace {

int runHelp(const QStringList& arguments)
{
    const QString usage = QString::fromUtf8(kUsage);
    if (arguments.size() > 2)
        return usageError(QStringLiteral("多余的参数：%1").arg(arguments[2]));
    if (arguments.size() == 1) {
        printOut(usage);
        return kCompleted;
    }
    const bool aboutHelp = arguments[1] == QStringLiteral("--help") || arguments[1] == QStringLiteral("-h");
    const QString text = commandHelp(usage, aboutHelp ? QStringLiteral("help") : arguments[1]);
    if (text.isEmpty())
        return usageError(QStringLiteral("未知的命令：%1").arg(arguments[1]));
    printOut(text);
    return kCompleted;
}

int runVersion(const QStringList& arguments)
{
    ParsedArguments parsed;
    QString error;
    if (!parseArguments({QStringLiteral("--version"), 0, {QStringLiteral("db")}, {}}, arguments, &parsed, &error))
        return usageError(error);
    // Names the database without touching it: no copy is made here.
    printOut(versionText(store::describeDatabase(store::locateDatabase(parsed.values.value(QStringLiteral("db"))))));
    return kCompleted;
}

int runCommand(const QStringList& arguments)
{
    const QString first = arguments.value(0);
    if (arguments.size() == 1 && (first == QStringLiteral("--help") || first == QStringLiteral("-h")))
        return runHelp({QStringLiteral("help")});
    if (first == QStringLiteral("help"))
        return runHelp(arguments);
    if (first == QStringLiteral("--version"))
        return runVersion(arguments);
    // "COMMAND --help" shows that command's usage whatever else is given.
    const QStringList beforeEnd = arguments.mid(0, arguments.indexOf(QStringLiteral("--")));
    if (arguments.size() > 1 &&
        (beforeEnd.contains(QStringLiteral("--help")) || beforeEnd.contains(QStringLiteral("-h"))))
        return runHelp({QStringLiteral("help"), first});
    if (!arguments.isEmpty() && isImportCommand(arguments.first()))
        return runImportCommand(arguments);
    Options options;
    QString error;
    if (!parse(arguments, &options, &error))
        return usageError(error, options.command);
    if (options.command == QStringLiteral("design"))
        return runDesignCommand(options);
    if (options.command == QStringLiteral("check"))
        return runCheckCommand(options);
    if (options.command == QStringLiteral("sheet"))
        return runSheetCommand(options);
    if (options.command == QStringLiteral("catalogue-check"))
        return runCatalogueCheckCommand(options);
    if (options.command == QStringLiteral("models"))
        return runModelsCommand(options);
    if (options.command == QStringLiteral("report"))
        return runReportCommand(options.values, options.all, options.variableSpeed);
    if (options.command == QStringLiteral("select")) {
        DutyTexts texts;
        if (!readDutyTexts(options, &texts, &error))
            return usageError(error, options.command);
        return runSelectCommand(options.values, texts, options.json, options.explain);
    }
    return runResultsCommand(options);
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
