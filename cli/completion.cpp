#include "cli/completion.h"

#include "cli/commandtable.h"

namespace tarnwick::cli {

namespace {

// Every option of a command's rows, each once ("sheet" has two).
QStringList optionsOf(const QString& name)
{
    QStringList options;
    for (const CommandSpec& command : commandTable()) {
        if (command.name != name)
            continue;
        for (const QString& option : command.options) {
            if (!options.contains(option))
                options.append(option);
        }
    }
    return options;
}

QString dashed(const QStringList& names)
{
    QStringList out;
    for (const QString& name : names)
        out.append(QStringLiteral("--") + name);
    return out.join(QLatin1Char(' '));
}

// A short description for zsh: the help's first clause, without the
// characters that would end an option's description or a quoted word.
QString brief(const HelpText& text)
{
    QString help = QString::fromUtf8(text.zh);
    for (const QChar stop : {QChar(u'。'), QChar(u'；')}) {
        const qsizetype at = help.indexOf(stop);
        if (at > 0)
            help.truncate(at);
    }
    help.replace(QLatin1Char('['), QLatin1Char('('));
    help.replace(QLatin1Char(']'), QLatin1Char(')'));
    help.replace(QLatin1Char(':'), QChar(u'：'));
    help.replace(QLatin1Char('\\'), QLatin1Char('/'));
    help.replace(QLatin1Char('\''), QString());
    return help;
}

} // namespace

QString bashCompletion()
{
    QString out = QStringLiteral("# bash completion for tarnwick-cli\n"
                                 "_tarnwick_cli()\n"
                                 "{\n"
                                 "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
                                 "    local options\n"
                                 "    COMPREPLY=()\n"
                                 "    if ((COMP_CWORD == 1)); then\n"
                                 "        COMPREPLY=($(compgen -W '%1 --help' -- \"$cur\"))\n"
                                 "        return\n"
                                 "    fi\n"
                                 "    case $prev in\n")
                      .arg(commandNames().join(QLatin1Char(' ')));
    QStringList files;
    QStringList values;
    for (const OptionSpec& option : optionTable()) {
        if (option.kind == OptionKind::Choice)
            out += QStringLiteral("        --%1) COMPREPLY=($(compgen -W '%2' -- \"$cur\")); return ;;\n")
                       .arg(option.name, option.choices.join(QLatin1Char(' ')));
        else if (option.kind == OptionKind::File || option.kind == OptionKind::Database)
            files.append(QStringLiteral("--") + option.name);
        else if (option.takesValue())
            values.append(QStringLiteral("--") + option.name);
    }
    out += QStringLiteral("        %1) compopt -o filenames; COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n")
               .arg(files.join(QLatin1Char('|')));
    // A figure or a name: nothing to offer.
    out += QStringLiteral("        %1) return ;;\n").arg(values.join(QLatin1Char('|')));
    out += QStringLiteral("    esac\n    case ${COMP_WORDS[1]} in\n");
    out +=
        QStringLiteral("        help) ((COMP_CWORD == 2)) && COMPREPLY=($(compgen -W '%1' -- \"$cur\")); return ;;\n")
            .arg(commandNames().join(QLatin1Char(' ')));
    for (const QString& name : commandNames()) {
        if (name == QStringLiteral("help"))
            continue;
        // A variant's own options once its flag is on the line ("sheet --variable-speed").
        QString variants;
        QStringList flags;
        for (const CommandSpec& command : commandTable()) {
            if (command.name != name || command.variantFlag.isEmpty())
                continue;
            flags.append(command.variantFlag);
            variants += QStringLiteral("[[ \" ${COMP_WORDS[*]} \" == *\" --%1 \"* ]] && options='%2'; ")
                            .arg(command.variantFlag, dashed(command.options));
        }
        const CommandSpec* plain = findCommand({name});
        out += QStringLiteral("        %1) options='%2'; %3;;\n").arg(name, dashed(plain->options + flags), variants);
    }
    out += QStringLiteral("        *) return ;;\n"
                          "    esac\n"
                          "    if [[ $cur == -* ]]; then\n"
                          "        COMPREPLY=($(compgen -W \"$options --help\" -- \"$cur\"))\n"
                          "    else\n"
                          "        compopt -o filenames\n"
                          "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
                          "    fi\n"
                          "}\n"
                          "complete -F _tarnwick_cli tarnwick-cli\n");
    return out;
}

QString zshCompletion()
{
    QString out = QStringLiteral("#compdef tarnwick-cli\n"
                                 "# zsh completion for tarnwick-cli\n"
                                 "\n"
                                 "_tarnwick-cli() {\n"
                                 "    local -a commands optionlines\n"
                                 "    commands=(\n");
    QStringList listed;
    for (const CommandSpec& command : commandTable()) {
        if (listed.contains(command.name))
            continue;
        listed.append(command.name);
        out += QStringLiteral("        '%1:%2'\n")
                   .arg(QString(command.name).replace(QLatin1Char(':'), QStringLiteral("\\:")), brief(command.help));
    }
    out += QStringLiteral("    )\n"
                          "    if ((CURRENT == 2)); then\n"
                          "        _describe -t commands command commands\n"
                          "        return\n"
                          "    fi\n"
                          "    case $words[2] in\n");
    out += QStringLiteral("        help) ((CURRENT == 3)) && _describe -t commands command commands; return ;;\n");
    for (const QString& name : commandNames()) {
        if (name == QStringLiteral("help"))
            continue;
        out += QStringLiteral("        %1)\n            optionlines=(\n").arg(name);
        for (const QString& optionName : optionsOf(name)) {
            const OptionSpec* option = findOption(optionName);
            QString line =
                QStringLiteral("--") + option->name + QLatin1Char('[') + brief(option->help) + QLatin1Char(']');
            // A colon would end the message of the option's line.
            const QString message =
                QString::fromUtf8(option->value.en).toLower().replace(QLatin1Char(':'), QLatin1Char(' '));
            switch (option->kind) {
            case OptionKind::Flag:
                break;
            case OptionKind::Choice:
                line += QStringLiteral(":%1:(%2)").arg(message, option->choices.join(QLatin1Char(' ')));
                break;
            case OptionKind::File:
            case OptionKind::Database:
                line += QStringLiteral(":%1:_files").arg(message);
                break;
            case OptionKind::Text:
            case OptionKind::Number:
                line += QStringLiteral(":%1: ").arg(message);
                break;
            }
            out += QStringLiteral("                '%1'\n").arg(line);
        }
        out += QStringLiteral("                '--help[%1]'\n").arg(brief(texts::kHelp));
        // Only the commands that take plain arguments take file names.
        if (!findCommand({name})->files.isEmpty())
            out += QStringLiteral("                '*:file:_files'\n");
        out += QStringLiteral("            ) ;;\n");
    }
    out += QStringLiteral("        *) return 1 ;;\n"
                          "    esac\n"
                          "    shift words\n"
                          "    ((CURRENT--))\n"
                          "    _arguments -S $optionlines\n"
                          "}\n"
                          "\n"
                          "_tarnwick-cli \"$@\"\n");
    return out;
}

} // namespace tarnwick::cli
