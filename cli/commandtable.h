#pragma once

#include "cli/commandtexts.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarnwick::cli {

// What an option takes. Completion offers files for File and Database,
// the choices for Choice; the parser reads Number values strictly.
enum class OptionKind { Flag, Text, Number, Choice, File, Database };

// The sections an option is listed under in the help and the manual page.
enum class OptionGroup { Duty, Units, Conditions, Speed, Sheet, General };

struct OptionSpec
{
    QString name; // without the leading "--"
    OptionKind kind = OptionKind::Flag;
    OptionGroup group = OptionGroup::General;
    HelpText value; // the placeholder of its value
    HelpText help;
    QStringList choices;

    bool takesValue() const { return kind != OptionKind::Flag; }
};

struct ParsedArguments
{
    QStringList files;
    QHash<QString, QString> values; // an option given twice is refused
    QStringList flags;

    bool hasFlag(const QString& flag) const { return flags.contains(flag); }
};

using CommandHandler = int (*)(const ParsedArguments&);

struct CommandSpec
{
    QString name;
    // A second row of the same command, chosen when this flag is given
    // ("sheet --variable-speed"); it has options of its own.
    QString variantFlag;
    QList<HelpText> files;    // the plain arguments, all required
    QList<HelpText> synopsis; // what follows "tarnwick-cli " on each usage line
    HelpText help;
    QStringList options;
    CommandHandler handler = nullptr;
    // help and --version read their arguments themselves.
    bool ownArguments = false;

    // "sheet --variable-speed" for a variant, else the name.
    QString title() const;
    bool accepts(const QString& option) const { return options.contains(option); }
};

// Every option the tool knows, and every command with the options it takes:
// the parser, the help, the manual pages and the completion are all made
// from these two tables.
const QList<OptionSpec>& optionTable();
const QList<CommandSpec>& commandTable();

const OptionSpec* findOption(const QString& name);
// The row that arguments[0] names, the variant when its flag is among the
// options; nullptr for a command that does not exist.
const CommandSpec* findCommand(const QStringList& arguments);
// The command names, each once, in table order.
QStringList commandNames();

// Reads arguments[1...] against the command's row. On a fault returns false
// with a message for the user in *error.
bool parseArguments(const CommandSpec& command, const QStringList& arguments, ParsedArguments* parsed, QString* error);

// A command line read against the table, without running it.
struct Invocation
{
    const CommandSpec* command = nullptr;
    ParsedArguments arguments;
};
bool parseCommandLine(const QStringList& arguments, Invocation* invocation, QString* error);

// The texts in the language the tool shows.
QString shown(const HelpText& text);

// The usage of every command, and of one command with its options.
QString usageText();
QString commandHelp(const QString& command);

} // namespace tarnwick::cli
