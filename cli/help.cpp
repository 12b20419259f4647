#include "cli/help.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#ifndef TARNWICK_VERSION
#define TARNWICK_VERSION "0"
#endif

namespace tarnwick::cli {

namespace {

// The lines of the block that starts with a line beginning with `head`, up to
// the next blank or unindented line.
QStringList block(const QStringList& lines, const QString& head)
{
    QStringList out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith(head))
            continue;
        out.append(lines[i]);
        while (i + 1 < lines.size() && lines[i + 1].startsWith(QLatin1Char(' ')) && !lines[i + 1].trimmed().isEmpty())
            out.append(lines[++i]);
        break;
    }
    return out;
}

} // namespace

QString commandHelp(const QString& usage, const QString& command)
{
    // The usage text is the one source of every command's syntax: the help of
    // one command is cut from it, so the two never disagree.
    const QStringList lines = usage.split(QLatin1Char('\n'));
    const QString prefix = QStringLiteral("tarnwick-cli ") + command;
    QStringList syntax;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        if (!(trimmed == prefix || trimmed.startsWith(prefix + QLatin1Char(' '))))
            continue;
        syntax.append(lines[i]);
        // A long syntax goes on in the lines below it, indented further.
        while (i + 1 < lines.size() && lines[i + 1].startsWith(QStringLiteral("    ")) &&
               !lines[i + 1].trimmed().startsWith(QStringLiteral("tarnwick-cli ")))
            syntax.append(lines[++i]);
    }
    if (syntax.isEmpty())
        return QString();
    QStringList out = {lines.first()};
    out += syntax;
    const QStringList description = block(lines, command + QLatin1Char(' '));
    if (!description.isEmpty())
        out += QStringList{QString()} + description;
    const QString joined = syntax.join(QLatin1Char('\n'));
    if (joined.contains(QCoreApplication::translate("tarnwick::cli", "[单位选项]"))) {
        QStringList units;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (!lines[i].startsWith(QCoreApplication::translate("tarnwick::cli", "单位选项")))
                continue;
            for (qsizetype j = i; j < lines.size() && !lines[j].trimmed().isEmpty(); ++j)
                units.append(lines[j]);
        }
        out += QStringList{QString()} + units;
    }
    // The liquid and suction inputs, for the commands that take them.
    if (joined.contains(QCoreApplication::translate("tarnwick::cli", "[介质与吸入选项]"))) {
        const QStringList conditions = block(lines, QCoreApplication::translate("tarnwick::cli", "介质与吸入选项"));
        if (!conditions.isEmpty())
            out += QStringList{QString()} + conditions;
    }
    // The variable-speed inputs, for the commands that take them.
    if (joined.contains(QCoreApplication::translate("tarnwick::cli", "[变速选项]"))) {
        const QStringList speed = block(lines, QCoreApplication::translate("tarnwick::cli", "变速选型选项"));
        if (!speed.isEmpty())
            out += QStringList{QString()} + speed;
    }
    // The notes on shared options, for those this command takes.
    static const QRegularExpression optionNote(QStringLiteral("^(--[a-z-]+)\\s"));
    QStringList notes;
    for (const QString& line : lines) {
        const auto match = optionNote.match(line);
        if (match.hasMatch() && joined.contains(QRegularExpression(QRegularExpression::escape(match.captured(1)) +
                                                                   QStringLiteral("(?![a-z-])"))))
            notes += block(lines, line);
    }
    if (!notes.isEmpty())
        out += QStringList{QString()} + notes;
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString versionText(const QString& databaseDescription)
{
    return QStringLiteral("tarnwick-cli " TARNWICK_VERSION "\n") + databaseDescription + QLatin1Char('\n');
}

} // namespace tarnwick::cli
