#include "cli/commandtable.h"

#include "cli/handlers.h"
#include "core/fluid.h"
#include "core/units.h"
#include "core/varspeed.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace tarnwick::cli {

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

QStringList unitChoices(const auto& items)
{
    QStringList list;
    for (const auto& item : items)
        list.append(QString::fromUtf8(item.data(), qsizetype(item.size())));
    return list;
}

QStringList fluidChoices()
{
    QStringList list;
    for (FluidKind kind : {FluidKind::Water, FluidKind::EthyleneGlycol, FluidKind::PropyleneGlycol}) {
        const std::string_view keyword = fluidKeyword(kind);
        list.append(QString::fromUtf8(keyword.data(), qsizetype(keyword.size())));
    }
    return list;
}

QStringList controlChoices()
{
    QStringList list;
    for (int i = 0; i < kControlModeCount; ++i)
        list.append(s(controlModeKeyword(static_cast<ControlMode>(i))));
    return list;
}

QStringList dutyOptions()
{
    return {s("flow"), s("flow-unit"), s("resistance"), s("resistance-unit"), s("static-head"), s("static-head-unit")};
}

QStringList conditionOptions()
{
    return {s("fluid"),       s("temperature"), s("concentration"), s("suction-pressure"), s("suction-pressure-unit"),
            s("atmospheric"), s("npsh-margin"), s("trim"),          s("max-trim"),         s("preferred-region"),
            s("measured")};
}

// The liquid and suction options the variable-speed selection takes.
QStringList suctionOptions()
{
    return {s("fluid"),       s("temperature"), s("concentration"), s("suction-pressure"), s("suction-pressure-unit"),
            s("atmospheric"), s("npsh-margin")};
}

QStringList speedOptions()
{
    return {s("control"),
            s("profile"),
            s("duty-pumps"),
            s("standby-pumps"),
            s("hours"),
            s("price"),
            s("density"),
            s("min-speed"),
            s("max-speed"),
            s("motor-margin"),
            s("proportional-share"),
            s("setpoint")};
}

QStringList sheetOptions()
{
    return {s("pdf"), s("project"), s("project-number"), s("designer"), s("tag"), s("date")};
}

bool isPlainNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    return text.isEmpty() || number.match(text).hasMatch();
}

// Columns a text takes on a terminal: Chinese characters take two.
qsizetype displayWidth(const QString& text)
{
    qsizetype width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        width += (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFF60) ? 2 : 1;
    }
    return width;
}

QString optionLine(const OptionSpec& option)
{
    QString line = QStringLiteral("  --") + option.name;
    if (option.takesValue())
        line += QLatin1Char(' ') + shown(option.value);
    QString help = shown(option.help);
    if (!option.choices.isEmpty())
        help += QLatin1Char(' ') + shown(texts::kChoices) + option.choices.join(QLatin1Char(' '));
    constexpr qsizetype kHelpColumn = 30;
    if (displayWidth(line) < kHelpColumn - 1)
        return line + QString(kHelpColumn - displayWidth(line), QLatin1Char(' ')) + help;
    return line + QLatin1Char('\n') + QString(kHelpColumn, QLatin1Char(' ')) + help;
}

HelpText groupTitle(OptionGroup group)
{
    switch (group) {
    case OptionGroup::Duty:
        return texts::kDutyGroup;
    case OptionGroup::Units:
        return texts::kUnitGroup;
    case OptionGroup::Conditions:
        return texts::kConditionGroup;
    case OptionGroup::Speed:
        return texts::kSpeedGroup;
    case OptionGroup::Sheet:
        return texts::kSheetGroup;
    case OptionGroup::General:
        break;
    }
    return texts::kGeneralGroup;
}

} // namespace

QString CommandSpec::title() const
{
    return variantFlag.isEmpty() ? name : name + QStringLiteral(" --") + variantFlag;
}

const QList<OptionSpec>& optionTable()
{
    using K = OptionKind;
    using G = OptionGroup;
    namespace t = texts;
    static const QList<OptionSpec> table = {
        {s("flow"), K::Number, G::Duty, t::kValue, t::kFlow, {}},
        {s("resistance"), K::Number, G::Duty, t::kValue, t::kResistance, {}},
        {s("static-head"), K::Number, G::Duty, t::kValue, t::kStaticHead, {}},
        {s("flow-unit"), K::Choice, G::Units, t::kUnit, t::kFlowUnit, unitChoices(FlowUnit::items)},
        {s("resistance-unit"), K::Choice, G::Units, t::kUnit, t::kResistanceUnit, unitChoices(PressureUnit::items)},
        {s("static-head-unit"), K::Choice, G::Units, t::kUnit, t::kStaticHeadUnit, unitChoices(PressureUnit::items)},
        {s("fluid"), K::Choice, G::Conditions, t::kValue, t::kFluid, fluidChoices()},
        {s("temperature"), K::Number, G::Conditions, t::kValue, t::kTemperature, {}},
        {s("concentration"), K::Number, G::Conditions, t::kValue, t::kConcentration, {}},
        {s("suction-pressure"), K::Number, G::Conditions, t::kValue, t::kSuctionPressure, {}},
        {s("suction-pressure-unit"), K::Choice, G::Conditions, t::kUnit, t::kSuctionPressureUnit,
         unitChoices(PressureUnit::items)},
        {s("atmospheric"), K::Number, G::Conditions, t::kValue, t::kAtmospheric, {}},
        {s("npsh-margin"), K::Number, G::Conditions, t::kValue, t::kNpshMargin, {}},
        {s("trim"), K::Flag, G::Conditions, {}, t::kTrim, {}},
        {s("max-trim"), K::Number, G::Conditions, t::kValue, t::kMaxTrim, {}},
        {s("preferred-region"), K::Flag, G::Conditions, {}, t::kPreferredRegion, {}},
        {s("measured"), K::Text, G::Conditions, t::kPoints, t::kMeasured, {}},
        {s("control"), K::Choice, G::Speed, t::kValue, t::kControl, controlChoices()},
        {s("profile"), K::Text, G::Speed, t::kProfileValue, t::kProfile, {}},
        {s("duty-pumps"), K::Number, G::Speed, t::kValue, t::kDutyPumps, {}},
        {s("standby-pumps"), K::Number, G::Speed, t::kValue, t::kStandbyPumps, {}},
        {s("hours"), K::Number, G::Speed, t::kValue, t::kHours, {}},
        {s("price"), K::Number, G::Speed, t::kValue, t::kPrice, {}},
        {s("density"), K::Number, G::Speed, t::kValue, t::kDensity, {}},
        {s("min-speed"), K::Number, G::Speed, t::kValue, t::kMinSpeed, {}},
        {s("max-speed"), K::Number, G::Speed, t::kValue, t::kMaxSpeed, {}},
        {s("motor-margin"), K::Number, G::Speed, t::kValue, t::kMotorMargin, {}},
        {s("proportional-share"), K::Number, G::Speed, t::kValue, t::kProportionalShare, {}},
        {s("setpoint"), K::Number, G::Speed, t::kValue, t::kSetpoint, {}},
        {s("variable-speed"), K::Flag, G::General, {}, t::kVariableSpeed, {}},
        {s("pdf"), K::File, G::Sheet, t::kFile, t::kPdf, {}},
        {s("project"), K::Text, G::Sheet, t::kName, t::kProject, {}},
        {s("project-number"), K::Text, G::Sheet, t::kNumber, t::kProjectNumber, {}},
        {s("designer"), K::Text, G::Sheet, t::kName, t::kDesigner, {}},
        {s("tag"), K::Text, G::Sheet, t::kText, t::kTag, {}},
        {s("date"), K::Text, G::Sheet, t::kDate, t::kDateOption, {}},
        {s("model"), K::Text, G::General, t::kModel, t::kModelOption, {}},
        {s("all"), K::Flag, G::General, {}, t::kAll, {}},
        {s("csv"), K::File, G::General, t::kFile, t::kCsv, {}},
        {s("xlsx"), K::File, G::General, t::kFile, t::kXlsx, {}},
        {s("type"), K::Text, G::General, t::kTypeValue, t::kType, {}},
        {s("speed"), K::Number, G::General, t::kSpeedValue, t::kSpeed, {}},
        {s("text"), K::Text, G::General, t::kText, t::kTextOption, {}},
        {s("codepage"), K::Text, G::General, t::kCodepage, t::kCodepageOption, {}},
        {s("replace"), K::Flag, G::General, {}, t::kReplace, {}},
        {s("from"), K::Database, G::General, t::kFile, t::kFrom, {}},
        {s("with-catalogue"), K::Flag, G::General, {}, t::kWithCatalogue, {}},
        {s("roles"), K::Flag, G::General, {}, t::kRoles, {}},
        {s("explain"), K::Flag, G::General, {}, t::kExplain, {}},
        {s("db"), K::Database, G::General, t::kDatabase, t::kDb, {}},
        {s("json"), K::Flag, G::General, {}, t::kJson, {}},
        // Taken out by main() before the command is looked at, so that the
        // help is already in the chosen language; listed here for the help,
        // the manual pages and the completion.
        {s("lang"), K::Choice, G::General, t::kLanguageValue, t::kLang, {s("zh"), s("en")}},
    };
    return table;
}

const QList<CommandSpec>& commandTable()
{
    namespace t = texts;
    const QString db = s("db");
    const QString json = s("json");
    const QString all = s("all");
    const QString model = s("model");
    const QString explain = s("explain");
    static const QList<CommandSpec> table = {
        {s("design"),
         {},
         {},
         {t::kDesignSynopsis},
         t::kDesign,
         dutyOptions() + conditionOptions() + QStringList{db, json, explain},
         handleDesign},
        {s("check"),
         {},
         {},
         {t::kCheckSynopsis},
         t::kCheck,
         QStringList{model} + dutyOptions() + conditionOptions() + QStringList{db, json},
         handleCheck},
        {s("select"),
         {},
         {},
         {t::kSelectSynopsis},
         t::kSelect,
         dutyOptions() + speedOptions() + suctionOptions() + QStringList{model, db, json, explain},
         handleSelect},
        {s("results"), {}, {}, {t::kResultsSynopsis}, t::kResults, {all, s("variable-speed"), db, json}, handleResults},
        {s("report"), {}, {}, {t::kReportSynopsis}, t::kReport, {all, s("variable-speed"), s("pdf"), s("csv"), s("xlsx"), db, json}, handleReport},
        {s("sheet"),
         {},
         {},
         {t::kSheetSynopsis},
         t::kSheet,
         QStringList{model, all} + dutyOptions() + conditionOptions() + sheetOptions() + QStringList{db, json},
         handleSheet},
        {s("sheet"),
         s("variable-speed"),
         {},
         {t::kSpeedSheetSynopsis},
         t::kSpeedSheet,
         QStringList{s("variable-speed"), model, all} + dutyOptions() + speedOptions() + sheetOptions() +
             QStringList{db, json},
         handleSpeedSheet},
        {s("catalogue-check"),
         {},
         {},
         {t::kCatalogueCheckSynopsis},
         t::kCatalogueCheck,
         {db, json},
         handleCatalogueCheck},
        {s("models"),
         {},
         {},
         {t::kModelsSynopsis},
         t::kModels,
         {s("type"), s("speed"), s("text"), db, json},
         handleModels},
        {s("import-mdb"),
         {},
         {t::kMdbSource},
         {t::kImportMdbSynopsis},
         t::kImportMdb,
         {db, s("codepage"), json},
         handleImportMdb},
        {s("import-catalogue"),
         {},
         {t::kPumpsCsv, t::kPointsCsv},
         {t::kImportCatalogueSynopsis},
         t::kImportCatalogue,
         {db, s("replace"), json},
         handleImportCatalogue},
        {s("export-catalogue"),
         {},
         {t::kPumpsCsv, t::kPointsCsv},
         {t::kExportCatalogueSynopsis},
         t::kExportCatalogue,
         {db, json},
         handleExportCatalogue},
        {s("update-catalogue"),
         {},
         {},
         {t::kUpdateCatalogueSynopsis},
         t::kUpdateCatalogue,
         {s("from"), db, json},
         handleUpdateCatalogue},
        {s("copy-db"),
         {},
         {t::kSourceDatabase, t::kTargetDatabase},
         {t::kCopyDbSynopsis},
         t::kCopyDb,
         {s("replace"), json},
         handleCopyDb},
        {s("init-db"),
         {},
         {t::kServer},
         {t::kInitDbSynopsis},
         t::kInitDb,
         {s("with-catalogue"), s("from"), s("roles"), json},
         handleInitDb},
        {s("help"), {}, {}, {t::kHelpSynopsis}, t::kHelpCommand, {}, handleHelp, true},
        {s("--version"), {}, {}, {t::kVersionSynopsis}, t::kVersion, {db}, handleVersion},
    };
    static const QList<CommandSpec> withLanguage = [] {
        // Every command speaks the language --lang chooses.
        QList<CommandSpec> rows = table;
        for (CommandSpec& row : rows) {
            if (!row.ownArguments)
                row.options.append(QStringLiteral("lang"));
        }
        return rows;
    }();
    return withLanguage;
}

const OptionSpec* findOption(const QString& name)
{
    for (const OptionSpec& option : optionTable()) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

const CommandSpec* findCommand(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return nullptr;
    // Only what stands before "--" is an option.
    const QStringList options = arguments.mid(1, arguments.indexOf(QStringLiteral("--")) - 1);
    const CommandSpec* plain = nullptr;
    for (const CommandSpec& command : commandTable()) {
        if (command.name != arguments.first())
            continue;
        if (command.variantFlag.isEmpty())
            plain = &command;
        else if (options.contains(QStringLiteral("--") + command.variantFlag))
            return &command;
    }
    return plain;
}

QStringList commandNames()
{
    QStringList names;
    for (const CommandSpec& command : commandTable()) {
        if (!names.contains(command.name))
            names.append(command.name);
    }
    return names;
}

bool parseArguments(const CommandSpec& command, const QStringList& arguments, ParsedArguments* parsed, QString* error)
{
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        // "--" ends the options: a file name after it may start with "--".
        if (arg == QStringLiteral("--") && !optionsEnded) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !arg.startsWith(QStringLiteral("--"))) {
            if (parsed->files.size() >= command.files.size()) {
                *error = QCoreApplication::translate("tarnwick::cli", "多余的参数：%1").arg(arg);
                return false;
            }
            parsed->files.append(arg);
            continue;
        }
        QString name = arg.mid(2);
        QString value;
        bool hasValue = false;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            hasValue = true;
        }
        // Given twice, one of the two would be dropped without a word.
        if (parsed->flags.contains(name) || parsed->values.contains(name)) {
            *error = QCoreApplication::translate("tarnwick::cli", "选项 --%1 重复。").arg(name);
            return false;
        }
        const OptionSpec* option = command.accepts(name) ? findOption(name) : nullptr;
        if (option && !option->takesValue() && !hasValue) {
            parsed->flags.append(name);
        } else if (option && option->takesValue()) {
            if (!hasValue) {
                // "--flow --db x" lacks the flow: no value starts with "--".
                if (i + 1 >= arguments.size() || arguments[i + 1].startsWith(QStringLiteral("--"))) {
                    *error = QCoreApplication::translate("tarnwick::cli", "选项 --%1 缺少取值。").arg(name);
                    return false;
                }
                value = arguments[++i];
            }
            // An unset shell variable gives an empty path; taking the default
            // database instead would work on the wrong file.
            if (option->kind == OptionKind::Database && value.isEmpty()) {
                *error =
                    QCoreApplication::translate("tarnwick::cli", "选项 --%1 的数据库文件名是空的。").arg(name);
                return false;
            }
            // On the command line a figure is read strictly: "25,5" or "25m3/h"
            // is a slip, where the windows' keys already keep such text out of
            // their boxes. An empty value is left to the calculation's message.
            if (option->kind == OptionKind::Number && !isPlainNumber(value)) {
                *error =
                    QCoreApplication::translate("tarnwick::cli", "选项 --%1 的取值“%2”不是数字。").arg(name, value);
                return false;
            }
            parsed->values.insert(name, value);
        } else {
            *error =
                QCoreApplication::translate("tarnwick::cli", "命令 %1 没有选项 --%2。").arg(command.title(), name);
            return false;
        }
    }
    if (parsed->files.size() < command.files.size()) {
        *error = QCoreApplication::translate("tarnwick::cli", "命令 %1 缺少文件名。").arg(command.name);
        return false;
    }
    return true;
}

bool parseCommandLine(const QStringList& arguments, Invocation* invocation, QString* error)
{
    if (arguments.isEmpty()) {
        *error = QCoreApplication::translate("tarnwick::cli", "缺少命令。");
        return false;
    }
    const CommandSpec* command = findCommand(arguments);
    if (!command) {
        *error = QCoreApplication::translate("tarnwick::cli", "未知的命令：%1").arg(arguments.first());
        return false;
    }
    invocation->command = command;
    invocation->arguments = {};
    if (command->ownArguments) {
        invocation->arguments.files = arguments.mid(1);
        return true;
    }
    return parseArguments(*command, arguments, &invocation->arguments, error);
}

QString shown(const HelpText& text)
{
    return QCoreApplication::translate("CommandTable", text.zh);
}

QString usageText()
{
    QString out = shown(texts::kUsage) + QLatin1Char('\n');
    for (const CommandSpec& command : commandTable()) {
        for (const HelpText& line : command.synopsis)
            out += QStringLiteral("  tarnwick-cli ") + shown(line) + QLatin1Char('\n');
    }
    out += QLatin1Char('\n');
    for (const CommandSpec& command : commandTable())
        out += command.title().leftJustified(26) + QLatin1Char(' ') + shown(command.help) + QLatin1Char('\n');
    out += QLatin1Char('\n');
    for (const QString& name : {QStringLiteral("db"), QStringLiteral("json"), QStringLiteral("lang")})
        out += optionLine(*findOption(name)) + QLatin1Char('\n');
    out += QLatin1Char('\n') + shown(texts::kMoreHelp) + QLatin1Char('\n');
    return out;
}

QString commandHelp(const QString& name)
{
    QList<const CommandSpec*> rows;
    for (const CommandSpec& command : commandTable()) {
        if (command.name == name)
            rows.append(&command);
    }
    if (rows.isEmpty())
        return QString();
    QString out = shown(texts::kUsage) + QLatin1Char('\n');
    QStringList options;
    for (const CommandSpec* command : rows) {
        for (const HelpText& line : command->synopsis)
            out += QStringLiteral("  tarnwick-cli ") + shown(line) + QLatin1Char('\n');
        for (const QString& option : command->options) {
            if (!options.contains(option))
                options.append(option);
        }
    }
    out += QLatin1Char('\n');
    for (const CommandSpec* command : rows)
        out += (rows.size() > 1 ? QCoreApplication::translate("CommandTable", "%1：").arg(command->title())
                                : QString()) +
               shown(command->help) + QLatin1Char('\n');
    if (options.isEmpty())
        return out;
    out += QLatin1Char('\n') + shown(texts::kOptions) + QLatin1Char('\n');
    // By group, in the table's order within each.
    for (OptionGroup group : {OptionGroup::Duty, OptionGroup::Units, OptionGroup::Conditions, OptionGroup::Speed,
                              OptionGroup::Sheet, OptionGroup::General}) {
        QStringList lines;
        for (const OptionSpec& option : optionTable()) {
            if (option.group == group && options.contains(option.name))
                lines.append(optionLine(option));
        }
        if (lines.isEmpty())
            continue;
        out += QStringLiteral(" ") + shown(groupTitle(group)) + QLatin1Char('\n') + lines.join(QLatin1Char('\n')) +
               QLatin1Char('\n');
    }
    return out;
}

} // namespace tarnwick::cli
