#pragma once

// Every text of the tool's usage, its manual page and its completion: the
// Chinese the tool shows (marked for translation, context "CommandTable") and
// the English of the English manual page. Only the command table reads them.

#include <QtGlobal>

namespace tarnwick::cli {

struct HelpText
{
    const char* zh = "";
    const char* en = "";
};

namespace texts {

// Placeholders of values and plain arguments.
inline constexpr HelpText kLanguageValue{QT_TRANSLATE_NOOP("CommandTable", "语言"), "LANGUAGE"};
inline constexpr HelpText kValue{QT_TRANSLATE_NOOP("CommandTable", "值"), "VALUE"};
inline constexpr HelpText kUnit{QT_TRANSLATE_NOOP("CommandTable", "单位"), "UNIT"};
inline constexpr HelpText kFile{QT_TRANSLATE_NOOP("CommandTable", "文件"), "FILE"};
inline constexpr HelpText kDatabase{QT_TRANSLATE_NOOP("CommandTable", "数据库"), "DATABASE"};
inline constexpr HelpText kModel{QT_TRANSLATE_NOOP("CommandTable", "型号"), "MODEL"};
inline constexpr HelpText kText{QT_TRANSLATE_NOOP("CommandTable", "文字"), "TEXT"};
inline constexpr HelpText kName{QT_TRANSLATE_NOOP("CommandTable", "名称"), "NAME"};
inline constexpr HelpText kNumber{QT_TRANSLATE_NOOP("CommandTable", "编号"), "NUMBER"};
inline constexpr HelpText kDate{QT_TRANSLATE_NOOP("CommandTable", "日期"), "DATE"};
inline constexpr HelpText kCodepage{QT_TRANSLATE_NOOP("CommandTable", "代码页"), "CODEPAGE"};
inline constexpr HelpText kPoints{QT_TRANSLATE_NOOP("CommandTable", "流量:扬程,…"), "FLOW:HEAD,..."};
inline constexpr HelpText kProfileValue{QT_TRANSLATE_NOOP("CommandTable", "流量%:时间%,…"), "FLOW%:TIME%,..."};
inline constexpr HelpText kMdbSource{QT_TRANSLATE_NOOP("CommandTable", "源文件.mdb"), "SOURCE.mdb"};
inline constexpr HelpText kPumpsCsv{QT_TRANSLATE_NOOP("CommandTable", "水泵.csv"), "PUMPS.csv"};
inline constexpr HelpText kPointsCsv{QT_TRANSLATE_NOOP("CommandTable", "性能点.csv"), "POINTS.csv"};
inline constexpr HelpText kSourceDatabase{QT_TRANSLATE_NOOP("CommandTable", "源数据库"), "SOURCE"};
inline constexpr HelpText kTargetDatabase{QT_TRANSLATE_NOOP("CommandTable", "目标数据库"), "TARGET"};
inline constexpr HelpText kServer{QT_TRANSLATE_NOOP("CommandTable", "postgresql://…"), "postgresql://..."};
inline constexpr HelpText kCommand{QT_TRANSLATE_NOOP("CommandTable", "命令"), "COMMAND"};

// Headings.
inline constexpr HelpText kUsage{QT_TRANSLATE_NOOP("CommandTable", "用法："), "Usage:"};
inline constexpr HelpText kOptions{QT_TRANSLATE_NOOP("CommandTable", "选项："), "Options:"};
inline constexpr HelpText kMoreHelp{
    QT_TRANSLATE_NOOP("CommandTable", "“tarnwick-cli help 命令”或“tarnwick-cli 命令 --help”显示一个命令的用法和选项。"),
    "\"tarnwick-cli help COMMAND\" or \"tarnwick-cli COMMAND --help\" shows one command's usage and options."};
inline constexpr HelpText kDutyGroup{QT_TRANSLATE_NOOP("CommandTable", "工况"), "Duty"};
inline constexpr HelpText kUnitGroup{QT_TRANSLATE_NOOP("CommandTable", "单位选项（取值与程序中单位列表的文字相同）"),
                                     "Units, UNITS (the texts of the program's unit lists)"};
inline constexpr HelpText kConditionGroup{
    QT_TRANSLATE_NOOP("CommandTable", "介质与吸入选项（均可不写，不写时与原计算完全相同）"),
    "Liquid, suction and impeller, LIQUID (all optional; without them the results are exactly those of the "
    "plain calculation)"};
inline constexpr HelpText kSpeedGroup{QT_TRANSLATE_NOOP("CommandTable", "变速选项（变速节能选型）"),
                                      "Variable-speed selection, VARIABLE-SPEED"};
inline constexpr HelpText kSheetGroup{QT_TRANSLATE_NOOP("CommandTable", "资料单选项"), "Data sheet, SHEET"};
inline constexpr HelpText kGeneralGroup{QT_TRANSLATE_NOOP("CommandTable", "其他选项"), "Other options"};

// The options.
inline constexpr HelpText kFlow{QT_TRANSLATE_NOOP("CommandTable", "设计流量，--flow-unit 单位。"),
                                "Design flow, in --flow-unit."};
inline constexpr HelpText kResistance{QT_TRANSLATE_NOOP("CommandTable", "管路阻力，--resistance-unit 单位。"),
                                      "Resistance of the pipe system at the design flow, in --resistance-unit."};
inline constexpr HelpText kStaticHead{QT_TRANSLATE_NOOP("CommandTable", "静扬程，--static-head-unit 单位。"),
                                      "Static head, in --static-head-unit."};
inline constexpr HelpText kFlowUnit{QT_TRANSLATE_NOOP("CommandTable", "流量单位（默认 m3/h）。"),
                                    "Unit of the flow (default m3/h)."};
inline constexpr HelpText kResistanceUnit{QT_TRANSLATE_NOOP("CommandTable", "管路阻力的单位（默认 mH2O）。"),
                                          "Unit of the resistance (default mH2O)."};
inline constexpr HelpText kStaticHeadUnit{QT_TRANSLATE_NOOP("CommandTable", "静扬程的单位（默认 mH2O）。"),
                                          "Unit of the static head (default mH2O)."};
inline constexpr HelpText kFluid{
    QT_TRANSLATE_NOOP("CommandTable",
                      "输送介质，需同时给出 --temperature；乙二醇、丙二醇还需 --concentration。不写：目录中的清水"
                      "（1000 kg/m3），不作修正。密度计入轴功率；粘度按 ANSI/HI 9.6.7 修正流量、扬程和效率"
                      "（B≥40 的水泵不选）。"),
    "The pumped liquid; needs --temperature, and the glycols --concentration too. Without it: the catalogue's "
    "clear water (1000 kg/m3), uncorrected. The density enters the shaft power; the viscosity corrects flow, "
    "head and efficiency after ANSI/HI 9.6.7 (pumps with B of 40 or more are not listed)."};
inline constexpr HelpText kTemperature{QT_TRANSLATE_NOOP("CommandTable", "介质温度，℃。"),
                                       "Temperature of the liquid, degrees Celsius."};
inline constexpr HelpText kConcentration{QT_TRANSLATE_NOOP("CommandTable", "乙二醇或丙二醇的质量%（10～60）。"),
                                         "Glycol content in mass percent (10 to 60)."};
inline constexpr HelpText kSuctionPressure{
    QT_TRANSLATE_NOOP("CommandTable",
                      "水泵入口的表压，--suction-pressure-unit 单位；据此校核有效汽蚀余量，要求不小于必需汽蚀余量的 "
                      "--npsh-margin 倍且至少高出 0.6 m（ANSI/HI 9.6.1）。"),
    "Gauge pressure at the pump's inlet, in --suction-pressure-unit; the NPSH available must be at least "
    "--npsh-margin times the pump's NPSH required and at least 0.6 m above it (ANSI/HI 9.6.1)."};
inline constexpr HelpText kSuctionPressureUnit{
    QT_TRANSLATE_NOOP("CommandTable", "入口表压的单位（压力单位，默认 mH2O）。"),
    "Unit of the inlet pressure (a pressure unit, default mH2O)."};
inline constexpr HelpText kAtmospheric{QT_TRANSLATE_NOOP("CommandTable", "大气压，kPa（默认 101.325）。"),
                                       "Atmospheric pressure, kPa (default 101.325)."};
inline constexpr HelpText kNpshMargin{QT_TRANSLATE_NOOP("CommandTable", "汽蚀余量的安全系数（默认 1.1）。"),
                                      "NPSH margin ratio (default 1.1)."};
inline constexpr HelpText kTrim{QT_TRANSLATE_NOOP("CommandTable", "把叶轮切削到设计工况。"),
                                "Trim the impeller to the duty."};
inline constexpr HelpText kMaxTrim{QT_TRANSLATE_NOOP("CommandTable", "最大切削量，叶轮外径的%（默认 15）。"),
                                   "Largest trim, percent of the impeller diameter (default 15)."};
inline constexpr HelpText kPreferredRegion{
    QT_TRANSLATE_NOOP("CommandTable",
                      "只列出工作点在优先运行区内（最高效率点流量的 70～120 %）的水泵（ANSI/HI 9.6.3）。"),
    "List only pumps that run at 70 to 120 % of their best-efficiency flow (ANSI/HI 9.6.3)."};
inline constexpr HelpText kMeasured{
    QT_TRANSLATE_NOOP("CommandTable",
                      "用三个以上实测点（流量、阻力单位）拟合管路特性 H = Hst + K·Q²，代替 --resistance；给出 "
                      "--static-head 时只拟合 K。"),
    "Three or more points measured on the plant (in the flow and resistance units) to which the system curve "
    "H = Hst + K*Q^2 is fitted instead of --resistance; with --static-head only K is fitted."};
inline constexpr HelpText kControl{
    QT_TRANSLATE_NOOP("CommandTable", "控制方式（默认 constant 定压差）。"),
    "Control curve: constant differential pressure (default), proportional, critical circuit or system curve."};
inline constexpr HelpText kProfile{QT_TRANSLATE_NOOP("CommandTable", "负荷分布（默认 100:1,75:42,50:45,25:12）。"),
                                   "Part-load profile (default 100:1,75:42,50:45,25:12)."};
inline constexpr HelpText kDutyPumps{QT_TRANSLATE_NOOP("CommandTable", "工作泵台数（1～4，默认 2）。"),
                                     "Duty pumps in parallel (1 to 4, default 2)."};
inline constexpr HelpText kStandbyPumps{QT_TRANSLATE_NOOP("CommandTable", "备用泵台数（0～2，默认 1）。"),
                                        "Standby pumps (0 to 2, default 1)."};
inline constexpr HelpText kHours{QT_TRANSLATE_NOOP("CommandTable", "年运行小时（默认 4000）。"),
                                 "Operating hours a year (default 4000)."};
inline constexpr HelpText kPrice{QT_TRANSLATE_NOOP("CommandTable", "电价，元/kWh（默认 1.0）。"),
                                 "Price of electricity per kWh (default 1.0)."};
inline constexpr HelpText kDensity{
    QT_TRANSLATE_NOOP("CommandTable",
                      "所输送流体的密度，kg/m3（默认 1000）；以压力单位输入的阻力、静扬程和设定值按它换算为液柱，"
                      "mH2O、mmH2O 即所输送流体的液柱高度，与样本扬程相同。"),
    "Density of the pumped fluid, kg/m3 (default 1000); resistance, static head and setpoint given as a "
    "pressure are converted to head with it; mH2O and mmH2O are metres of the pumped fluid, as the "
    "catalogue's heads are."};
inline constexpr HelpText kMinSpeed{
    QT_TRANSLATE_NOOP(
        "CommandTable",
        "最低转速比，%（默认 30）；低于它的负荷点按最低转速运行，多余扬程由阀门节流（警告 "
        "minimum_speed）；qe/Qbep 不在 0.70～1.20 的点带警告 outside_preferred_region（ANSI/HI 9.6.3）。"),
    "Lowest speed, percent (default 30); a load point that needs less runs at it, the valves throttling the "
    "excess head (warning minimum_speed); points with qe/Qbep outside 0.70 to 1.20 carry the warning "
    "outside_preferred_region (ANSI/HI 9.6.3)."};
inline constexpr HelpText kMaxSpeed{QT_TRANSLATE_NOOP("CommandTable", "变频器最高转速比，%（默认 100）。"),
                                    "Highest speed of the converter, percent (default 100)."};
inline constexpr HelpText kMotorMargin{
    QT_TRANSLATE_NOOP("CommandTable",
                      "电机功率储备系数（默认 1.15）：电机不小于它乘单台水泵在最高转速曲线上的最大轴功率。"),
    "Motor margin (default 1.15): the motor covers this times one pump's largest shaft power on its top-speed "
    "curve."};
inline constexpr HelpText kProportionalShare{QT_TRANSLATE_NOOP("CommandTable", "比例压差起点，%（默认 50）。"),
                                             "Start of the proportional control curve, percent (default 50)."};
inline constexpr HelpText kSetpoint{
    QT_TRANSLATE_NOOP("CommandTable", "末端压差设定值，管路阻力的单位（默认为管路阻力的 30 %）。"),
    "Differential pressure set at the critical circuit, in the resistance unit (default 30 % of the "
    "resistance)."};
inline constexpr HelpText kModelOption{QT_TRANSLATE_NOOP("CommandTable", "水泵型号。"), "The pump's model."};
inline constexpr HelpText kAll{QT_TRANSLATE_NOOP("CommandTable", "全部（全部计算结果，或全部入选的水泵）。"),
                               "All of them (every stored result, or every pump listed)."};
inline constexpr HelpText kVariableSpeed{QT_TRANSLATE_NOOP("CommandTable", "变速节能选型的资料单、结果或报表。"),
                                         "The variable-speed selection's sheets, results or report."};
inline constexpr HelpText kPdf{QT_TRANSLATE_NOOP("CommandTable", "写入的 PDF 文件；- 为标准输出。"), "The PDF file to write; - is standard output."};
inline constexpr HelpText kCsv{QT_TRANSLATE_NOOP("CommandTable", "写入的 CSV 文件；- 为标准输出。"), "The CSV file to write; - is standard output."};
inline constexpr HelpText kXlsx{QT_TRANSLATE_NOOP("CommandTable", "写入的 XLSX 文件；- 为标准输出。"), "The XLSX file to write; - is standard output."};
inline constexpr HelpText kProject{QT_TRANSLATE_NOOP("CommandTable", "资料单表头：工程名称。"),
                                   "Sheet header: the project."};
inline constexpr HelpText kProjectNumber{QT_TRANSLATE_NOOP("CommandTable", "资料单表头：工程编号。"),
                                         "Sheet header: the project number."};
inline constexpr HelpText kDesigner{QT_TRANSLATE_NOOP("CommandTable", "资料单表头：设计人。"),
                                    "Sheet header: the designer."};
inline constexpr HelpText kTag{QT_TRANSLATE_NOOP("CommandTable", "资料单表头：设备位号。"),
                               "Sheet header: the equipment tag."};
inline constexpr HelpText kDateOption{QT_TRANSLATE_NOOP("CommandTable", "资料单表头：日期（默认今天）。"),
                                      "Sheet header: the date (default today)."};
inline constexpr HelpText kType{QT_TRANSLATE_NOOP("CommandTable", "只列该类型的水泵。"), "Only pumps of this type."};
inline constexpr HelpText kSpeed{QT_TRANSLATE_NOOP("CommandTable", "只列该转速（r/min）的水泵。"),
                                 "Only pumps of this speed (r/min)."};
inline constexpr HelpText kTextOption{QT_TRANSLATE_NOOP("CommandTable", "只列型号中含该文字的水泵（不分大小写）。"),
                                      "Only models that contain this text (any case)."};
inline constexpr HelpText kCodepageOption{QT_TRANSLATE_NOOP("CommandTable", "Access 97 文件的代码页，如 936（GBK）。"),
                                          "Code page of an Access 97 file, such as 936 (GBK)."};
inline constexpr HelpText kReplace{QT_TRANSLATE_NOOP("CommandTable", "替换已有的目录或表。"),
                                   "Replace the catalogue or tables already there."};
inline constexpr HelpText kFrom{
    QT_TRANSLATE_NOOP("CommandTable", "提供水泵目录的数据库文件（默认为随程序安装的数据库）。"),
    "The database file whose catalogue is taken (default: the one installed with the program)."};
inline constexpr HelpText kWithCatalogue{
    QT_TRANSLATE_NOOP("CommandTable", "同时装入水泵目录、示意图和公司资料，结果表为空。"),
    "Load the catalogue, pictures and company texts too; the result tables start empty."};
inline constexpr HelpText kRoles{
    QT_TRANSLATE_NOOP("CommandTable",
                      "建立角色 tarnwick_engineer（工程师）和 tarnwick_maintainer（目录维护人员），授予权限并由服务器"
                      "的行级安全策略保证：每人只能以自己的名义写入结果、只能删除自己的本次计算结果。"),
    "Make the group roles tarnwick_engineer (engineers) and tarnwick_maintainer (who keeps the catalogue), "
    "grant them their rights and let the server's row-level security enforce them: everyone stores results "
    "only in his own name and deletes only his own latest results."};
inline constexpr HelpText kDb{
    QT_TRANSLATE_NOOP("CommandTable",
                      "数据库文件，默认为程序目录中的“水泵数据库97.mdb”；程序目录中没有时使用用户数据目录中的数据库"
                      "（首次使用时从随程序安装的数据库复制）。环境变量 TARNWICK_DB 和窗口中选定的数据库也可指定。"
                      "也可以是 PostgreSQL 数据库地址，如 postgresql://用户@主机:5432/库名 或 "
                      "postgresql://用户@/库名?host=/套接字目录；密码取自 ~/.pgpass 或 PGPASSWORD。"),
    "The database file; by default the one in the program's folder or, when there is none there, the "
    "user's copy of the installed one (made on first use). TARNWICK_DB and the database chosen in the windows "
    "name one too, in that order after this option. A PostgreSQL database's address works as well, such as "
    "postgresql://user@host:5432/name or postgresql://user@/name?host=/socket/folder; the password comes from "
    "~/.pgpass or PGPASSWORD."};
inline constexpr HelpText kJson{
    QT_TRANSLATE_NOOP("CommandTable", "以 JSON 输出：每次运行只输出一个 JSON 对象，其 status 为 ok（退出状态 0）、rejected 或 "
                      "none-found（退出状态 1）、error（退出状态 2），message 为程序的提示。"),
    "Print one JSON object per run whose status is ok (exit status 0), rejected or none-found (1) or error "
    "(2), and whose message is the program's message."};
inline constexpr HelpText kExplain{QT_TRANSLATE_NOOP("CommandTable", "另列出未入选的水泵及其未满足的第一条规则。"),
                                   "Also list every pump left out and the first rule it failed."};
inline constexpr HelpText kLang{
    QT_TRANSLATE_NOOP("CommandTable", "输出的语言：zh（中文，默认）或 en（English）；也可用环境变量 TARNWICK_LANG 或窗口中的"
                      "“语言/Language”菜单指定，依次为本选项、环境变量、设置。存储的数据不随语言改变。"),
    "The language of the output: zh (Chinese, the default) or en (English); TARNWICK_LANG and the windows' "
    "Language menu choose it too, in the order option, environment, settings. Stored data never change with "
    "the language."};
inline constexpr HelpText kHelp{QT_TRANSLATE_NOOP("CommandTable", "显示该命令的用法。"), "Show the command's usage."};

// The commands.
inline constexpr HelpText kDesign{QT_TRANSLATE_NOOP("CommandTable", "设计计算：在全部水泵中选型，结果存入两张结果表。"),
                                  "Design: search the whole catalogue for pumps that meet the duty near their best "
                                  "efficiency and store them in both result tables."};
inline constexpr HelpText kCheck{QT_TRANSLATE_NOOP("CommandTable", "校核计算：校核所选型号的水泵。"),
                                 "Check: check the chosen model against the duty and say why it does not suit."};
inline constexpr HelpText kSelect{
    QT_TRANSLATE_NOOP("CommandTable",
                      "变速节能选型：按全年负荷分布和能耗为变频并联水泵排序，结果存入“变速选型结果”和“变速选型负荷点”；"
                      "--model 只评价一个型号。电机为样本配用电动机功率与按储备系数所需的最小 IEC 标准功率两者取大"
                      "（JSON 中 motorSource 为 catalogue 或 sized）。加权综合效率（weightedEfficiency）＝全年水力能量"
                      "÷全年耗电量；aboveBest 为年耗电量高出排名第一者的比例。"),
    "Variable-speed selection: rank parallel pump sets on frequency converters by the electricity they use over "
    "a year of part load and store them in the variable-speed result and load-point tables; --model evaluates "
    "one model. The "
    "motor is the larger of the catalogue's motor and the smallest IEC standard rating that covers the margin "
    "(motorSource catalogue or sized in the JSON). The weighted efficiency is the year's hydraulic energy over "
    "its electrical energy; aboveBest is the share by which a set's annual energy exceeds the best set's."};
inline constexpr HelpText kResults{QT_TRANSLATE_NOOP("CommandTable", "显示本次计算结果（--all：全部计算结果）；--variable-speed：变速节能选型的结果。"),
                                   "Show the latest results (--all: every stored result); --variable-speed: the "
                                   "variable-speed runs."};
inline constexpr HelpText kReport{
    QT_TRANSLATE_NOOP("CommandTable",
                      "把本次计算结果（--all：全部计算结果）的报表写成 PDF、CSV 或 XLSX 文件，可同时写几种；"
                      "--variable-speed：变速节能选型结果的报表，与窗口中的报表相同。这些计算有介质与吸入条件时，"
                      "其计算结果随后附上（PDF 的后续页、XLSX 的第二张工作表、CSV 空一行后的第二个表）。"
                      "文件名为 - 时写到标准输出。"),
    "Write the report of the latest results (--all: of every stored result) as PDF, CSV or XLSX, several at "
    "once if asked; --variable-speed: the report of the variable-speed runs, as the window's. When those runs "
    "had a liquid or a suction pressure, their figures follow (further pages of the PDF, a second sheet of the "
    "workbook, a second table after an empty line of the CSV). A file named - is standard output."};
inline constexpr HelpText kSheet{
    QT_TRANSLATE_NOOP(
        "CommandTable",
        "选型资料单（PDF，每台水泵一页）：--model 为校核的水泵，--all 为设计选出的全部水泵；不写结果表。"),
    "Data sheets (PDF, one page a pump): of the checked model with --model, of every pump the design lists "
    "with --all. Nothing is stored."};
inline constexpr HelpText kSpeedSheet{
    QT_TRANSLATE_NOOP("CommandTable",
                      "变速节能选型的资料单（选项同 select）：--model 为单独评价的型号，--all 为入选的全部水泵"
                      "（按年耗电量排序），每页含负荷点表和年耗电量；不写结果表。"),
    "Data sheets of the variable-speed selection (the options of select): of one model evaluated alone with "
    "--model, of every accepted set in ranking order with --all, each with its load table and the year's "
    "energy and cost. Nothing is stored."};
inline constexpr HelpText kCatalogueCheck{
    QT_TRANSLATE_NOOP(
        "CommandTable",
        "列出不符合目录规则的数据，以及扬程拟合偏差超过最大扬程 2 % 或无法拟合的水泵（有则退出状态为 1）。"),
    "List what the catalogue rules refuse in the stored catalogue and the pumps whose head fit strays more "
    "than 2 % of their largest head from a catalogue point or cannot be fitted (exit status 1 when it lists "
    "anything)."};
inline constexpr HelpText kModels{
    QT_TRANSLATE_NOOP("CommandTable",
                      "按目录顺序列出水泵型号、类型、转速、性能点数和最大流量、扬程，供 check --model 使用；"
                      "没有则退出状态为 1。"),
    "List the catalogue's pumps in stored order with type, speed, number of points and largest flow and head, "
    "for check --model (exit status 1 when none matches)."};
inline constexpr HelpText kImportMdb{
    QT_TRANSLATE_NOOP("CommandTable", "把 Access 97/2000 数据库转换为本程序的新数据库（不覆盖已有文件）。"),
    "Convert an Access 97/2000 database into a new database of this program (never over an existing file)."};
inline constexpr HelpText kImportCatalogue{
    QT_TRANSLATE_NOOP("CommandTable", "从 CSV 文件导入水泵目录（UTF-8 或 GBK）；--replace：替换整个目录。"),
    "Import the pump catalogue from CSV files (UTF-8 or GBK); --replace replaces the whole catalogue."};
inline constexpr HelpText kExportCatalogue{QT_TRANSLATE_NOOP("CommandTable", "把水泵目录导出为同样格式的 CSV 文件。"),
                                           "Export the pump catalogue as CSV files of the same format."};
inline constexpr HelpText kUpdateCatalogue{
    QT_TRANSLATE_NOOP("CommandTable",
                      "用新数据库（默认为随程序安装的数据库）中的水泵目录替换当前目录，两张结果表保持不变。"),
    "Replace the catalogue with that of a newer database (default: the installed one), keeping both result "
    "tables; run it after an upgrade of the package."};
inline constexpr HelpText kCopyDb{
    QT_TRANSLATE_NOOP("CommandTable",
                      "把整个数据库（水泵目录、示意图、公司资料和全部结果表）复制到另一个数据库：数据库文件与 "
                      "PostgreSQL 数据库之间可以互相复制；在目标上一次写完，复制后逐表核对行数和内容；目标中已有同名"
                      "的表时不复制，除非加 --replace。每条结果保留保存它的工程师（“用户”）。"),
    "Copy a whole database (catalogue, pictures, company texts and every result table) into another, file "
    "or PostgreSQL either way, in one transaction, and check every table's rows afterwards; tables already in "
    "the target are left alone unless --replace is given. Each result keeps the engineer who stored it."};
inline constexpr HelpText kInitDb{
    QT_TRANSLATE_NOOP("CommandTable",
                      "在空的 PostgreSQL 数据库中建立本程序的表和查询；已有表的数据库也可单独加 --roles。"),
    "Make the program's tables and queries in an empty PostgreSQL database; --roles alone also brings a "
    "database made earlier up to date."};
inline constexpr HelpText kHelpCommand{
    QT_TRANSLATE_NOOP("CommandTable", "显示用法；help 命令（或 命令 --help）显示该命令的用法。"),
    "Show the usage; help COMMAND (or COMMAND --help) shows one command's."};
inline constexpr HelpText kVersion{QT_TRANSLATE_NOOP("CommandTable", "显示版本、使用的数据库和选定它的方式。"),
                                   "Show the version, the database in use and what chose it."};

// The usage lines, each after "tarnwick-cli ".
inline constexpr HelpText kDesignSynopsis{
    QT_TRANSLATE_NOOP("CommandTable",
                      "design --flow 值 --resistance 值 --static-head 值 [单位选项] [介质与吸入选项] [--db 数据库] "
                      "[--json] [--explain]"),
    "design --flow VALUE --resistance VALUE --static-head VALUE [UNITS] [LIQUID] [--db DATABASE] [--json] "
    "[--explain]"};
inline constexpr HelpText kCheckSynopsis{
    QT_TRANSLATE_NOOP("CommandTable",
                      "check --model 型号 --flow 值 --resistance 值 --static-head 值 [单位选项] [介质与吸入选项] "
                      "[--db 数据库] [--json]"),
    "check --model MODEL --flow VALUE --resistance VALUE --static-head VALUE [UNITS] [LIQUID] [--db DATABASE] "
    "[--json]"};
inline constexpr HelpText kSelectSynopsis{
    QT_TRANSLATE_NOOP("CommandTable",
                      "select --flow 值 --resistance 值 --static-head 值 [单位选项] [变速选项] [介质与吸入选项] [--model 型号] "
                      "[--db 数据库] [--json] [--explain]"),
    "select --flow VALUE --resistance VALUE --static-head VALUE [UNITS] [VARIABLE-SPEED] [LIQUID] [--model MODEL] "
    "[--db DATABASE] [--json] [--explain]"};
inline constexpr HelpText kResultsSynopsis{QT_TRANSLATE_NOOP("CommandTable", "results [--all] [--variable-speed] [--db 数据库] [--json]"),
                                           "results [--all] [--variable-speed] [--db DATABASE] [--json]"};
inline constexpr HelpText kReportSynopsis{
    QT_TRANSLATE_NOOP("CommandTable", "report [--all] [--variable-speed] (--pdf 文件 | --csv 文件 | --xlsx 文件) [--db 数据库] [--json]"),
    "report [--all] [--variable-speed] (--pdf FILE | --csv FILE | --xlsx FILE) [--db DATABASE] [--json]"};
inline constexpr HelpText kSheetSynopsis{
    QT_TRANSLATE_NOOP("CommandTable",
                      "sheet (--model 型号 | --all) --flow 值 --resistance 值 --static-head 值 [单位选项] "
                      "[介质与吸入选项] --pdf 文件 [资料单选项] [--db 数据库] [--json]"),
    "sheet (--model MODEL | --all) --flow VALUE --resistance VALUE --static-head VALUE [UNITS] [LIQUID] "
    "--pdf FILE [SHEET] [--db DATABASE] [--json]"};
inline constexpr HelpText kSpeedSheetSynopsis{
    QT_TRANSLATE_NOOP("CommandTable",
                      "sheet --variable-speed (--model 型号 | --all) --flow 值 --resistance 值 --static-head 值 "
                      "[单位选项] [变速选项] --pdf 文件 [资料单选项] [--db 数据库] [--json]"),
    "sheet --variable-speed (--model MODEL | --all) --flow VALUE --resistance VALUE --static-head VALUE "
    "[UNITS] [VARIABLE-SPEED] --pdf FILE [SHEET] [--db DATABASE] [--json]"};
inline constexpr HelpText kCatalogueCheckSynopsis{
    QT_TRANSLATE_NOOP("CommandTable", "catalogue-check [--db 数据库] [--json]"),
    "catalogue-check [--db DATABASE] [--json]"};
inline constexpr HelpText kModelsSynopsis{
    QT_TRANSLATE_NOOP("CommandTable", "models [--type 类型] [--speed 转速] [--text 文字] [--db 数据库] [--json]"),
    "models [--type TYPE] [--speed SPEED] [--text TEXT] [--db DATABASE] [--json]"};
inline constexpr HelpText kImportMdbSynopsis{
    QT_TRANSLATE_NOOP("CommandTable", "import-mdb 源文件.mdb [--db 目标文件] [--codepage 代码页] [--json]"),
    "import-mdb SOURCE.mdb [--db TARGET] [--codepage CODEPAGE] [--json]"};
inline constexpr HelpText kImportCatalogueSynopsis{
    QT_TRANSLATE_NOOP("CommandTable", "import-catalogue 水泵.csv 性能点.csv [--db 数据库] [--replace] [--json]"),
    "import-catalogue PUMPS.csv POINTS.csv [--db DATABASE] [--replace] [--json]"};
inline constexpr HelpText kExportCatalogueSynopsis{
    QT_TRANSLATE_NOOP("CommandTable", "export-catalogue 水泵.csv 性能点.csv [--db 数据库] [--json]"),
    "export-catalogue PUMPS.csv POINTS.csv [--db DATABASE] [--json]"};
inline constexpr HelpText kUpdateCatalogueSynopsis{
    QT_TRANSLATE_NOOP("CommandTable", "update-catalogue [--from 新数据库] [--db 数据库] [--json]"),
    "update-catalogue [--from NEWER] [--db DATABASE] [--json]"};
inline constexpr HelpText kCopyDbSynopsis{QT_TRANSLATE_NOOP("CommandTable", "copy-db 源数据库 目标数据库 [--replace] [--json]"),
                                          "copy-db SOURCE TARGET [--replace] [--json]"};
inline constexpr HelpText kInitDbSynopsis{
    QT_TRANSLATE_NOOP("CommandTable", "init-db postgresql://… [--with-catalogue [--from 数据库文件]] [--roles] [--json]"),
    "init-db postgresql://... [--with-catalogue [--from FILE]] [--roles] [--json]"};
inline constexpr HelpText kHelpSynopsis{QT_TRANSLATE_NOOP("CommandTable", "help [命令 | --help]"),
                                        "help [COMMAND | --help]"};
inline constexpr HelpText kVersionSynopsis{QT_TRANSLATE_NOOP("CommandTable", "--version [--db 数据库]"),
                                           "--version [--db DATABASE]"};
inline constexpr HelpText kChoices{QT_TRANSLATE_NOOP("CommandTable", "取值："), "One of: "};
inline constexpr HelpText kTypeValue{QT_TRANSLATE_NOOP("CommandTable", "类型"), "TYPE"};
inline constexpr HelpText kSpeedValue{QT_TRANSLATE_NOOP("CommandTable", "转速"), "SPEED"};

// The manual page's own sections.
inline constexpr HelpText kManTitle{"用户命令", "User Commands"};
inline constexpr HelpText kManName{"离心水泵的设计计算、校核计算和变速节能选型（命令行）",
                                   "select and check centrifugal water pumps from the command line"};
inline constexpr HelpText kManDescription{
    "tarnwick-cli 进行与 Tarnwick 窗口程序相同的计算：设计计算在全部水泵中选出满足流量、管路阻力和静扬程并在最高"
    "效率点附近运行的水泵，校核计算说明所选型号为何不合适，变速节能选型按全年能耗为变频并联水泵排序。结果存入"
    "同一个数据库（SQLite 文件或 PostgreSQL 服务器上的数据库），可以显示、导出报表和写成资料单。",
    "tarnwick-cli runs the calculations of the Tarnwick windows without a display: the design searches the "
    "whole catalogue for pumps that meet a flow, a pipe-system resistance and a static head near their best "
    "efficiency, the check says why a chosen model does not suit, and the variable-speed selection ranks "
    "parallel pump sets on frequency converters by a year's energy. Results go into the same database (an "
    "SQLite file or a database on a PostgreSQL server), from which they are shown, exported as reports and "
    "written as data sheets."};
inline constexpr HelpText kManHelpNote{
    "任何命令加 --help（或 help 命令）显示该命令的用法。命令行上的数字按严格格式读取（“25,5”或“25m3/h”"
    "会被拒绝，并指出选项）；“--”之后不再有选项。",
    "Any command with --help (or help COMMAND) shows its usage. Figures on the command line are read "
    "strictly (25,5 or 25m3/h is refused, naming the option); -- ends the options."};
inline constexpr HelpText kManCommands{"命令", "COMMANDS"};
inline constexpr HelpText kManOptions{"选项", "OPTIONS"};
inline constexpr HelpText kManName0{"名称", "NAME"};
inline constexpr HelpText kManSynopsis{"用法", "SYNOPSIS"};
inline constexpr HelpText kManDescription0{"说明", "DESCRIPTION"};
inline constexpr HelpText kManExit{"退出状态", "EXIT STATUS"};
inline constexpr HelpText kManExit0{"计算完成。", "The calculation ran to its end."};
inline constexpr HelpText kManExit1{
    "以程序的提示结束（输入超出范围、型号不合适），或没有找到水泵（设计计算、变速节能选型、models），或 "
    "catalogue-check 列出了问题。",
    "It ended with one of the program's messages (an input out of range, a model that does not suit), found "
    "no pump (design, variable-speed selection, models), or catalogue-check listed something."};
inline constexpr HelpText kManExit2{"用法错误，或数据库无法读写。",
                                    "Wrong usage, or the database could not be read or written."};
inline constexpr HelpText kManEnvironment{"环境变量", "ENVIRONMENT"};
inline constexpr HelpText kManEnvDb{"使用的数据库文件或 PostgreSQL 地址（--db 优先）。",
                                    "The database file or PostgreSQL address to use (--db comes first)."};
inline constexpr HelpText kManEnvPassword{"PostgreSQL 的密码；也可写在 ~/.pgpass 中。本程序从不保存密码。",
                                          "The PostgreSQL password; ~/.pgpass works too. The program never keeps "
                                          "passwords."};
inline constexpr HelpText kManEnvTerm{"为 dumb 时不显示进度行。", "When dumb, no progress line is shown."};
inline constexpr HelpText kManFiles{"文件", "FILES"};
inline constexpr HelpText kManSettings{
    "两个程序共用的设置文件：窗口中选定的数据库（在 --db 和 TARNWICK_DB 之后使用）和资料单的表头。",
    "The settings file of both programs: the database chosen in the windows (used after --db and "
    "TARNWICK_DB) and the data sheet's header entries."};
inline constexpr HelpText kManPortable{"程序所在目录中有数据库文件时（便携安装），直接使用它。",
                                       "A database file beside the program (a portable installation) is used as it "
                                       "is."};
inline constexpr HelpText kManUserDatabase{
    "安装的程序使用用户数据目录中的数据库，首次使用时从随程序安装的数据库复制；软件包升级不会覆盖它。",
    "Holds the installed program's database file, copied from the shipped one on first use; upgrades never "
    "overwrite it."};
inline constexpr HelpText kManShipped{"随程序安装的数据库。", "Holds the database installed with the program."};
inline constexpr HelpText kManPortablePath{"程序目录/水泵数据库97.mdb", "PROGRAM-FOLDER/"};
inline constexpr HelpText kManUserPath{"~/.local/share/tarnwick/水泵数据库97.mdb", "~/.local/share/tarnwick/"};
inline constexpr HelpText kManShippedPath{"/usr/share/tarnwick/水泵数据库97.mdb", "/usr/share/tarnwick/"};
inline constexpr HelpText kManServer{"PostgreSQL 服务器", "POSTGRESQL SERVER"};
inline constexpr HelpText kManServerText{
    "管理员先用 createdb 建立一个空数据库，再用 init-db 建表（--with-catalogue 装入水泵目录，--roles 建立角色"
    "和权限），或用 copy-db 把已有的数据库文件连同结果复制过去；然后为每位工程师建立登录角色。",
    "The administrator makes an empty database with createdb, then the program's tables with init-db "
    "(--with-catalogue loads the catalogue, --roles makes the roles and rights), or copies an existing file, "
    "results and all, with copy-db; then gives each engineer a login in one of the roles."};
inline constexpr HelpText kManExamples{"示例", "EXAMPLES"};
inline constexpr HelpText kManSeeAlso{"参见", "SEE ALSO"};

} // namespace texts

} // namespace tarnwick::cli
