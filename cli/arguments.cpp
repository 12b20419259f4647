#include "cli/arguments.h"

#include "cli/output.h"
#include "store/database.h"
#include "store/databaselocation.h"
#include "store/names.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

namespace tarnwick::cli {

namespace {

// Options whose value is a figure. On the command line a figure is read
// strictly: "25,5" or "25m3/h" is a slip, where the windows' keys already
// keep such text out of their boxes. An empty value is left to the
// calculation's own message.
bool isNumberOption(const QString& name)
{
    static const QStringList names = {QStringLiteral("flow"),
                                      QStringLiteral("resistance"),
                                      QStringLiteral("static-head"),
                                      QStringLiteral("speed"),
                                      QStringLiteral("hours"),
                                      QStringLiteral("price"),
                                      QStringLiteral("density"),
                                      QStringLiteral("min-speed"),
                                      QStringLiteral("max-speed"),
                                      QStringLiteral("motor-margin"),
                                      QStringLiteral("proportional-share"),
                                      QStringLiteral("setpoint"),
                                      QStringLiteral("duty-pumps"),
                                      QStringLiteral("standby-pumps")};
    return names.contains(name);
}

bool isPlainNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    return text.isEmpty() || number.match(text).hasMatch();
}

} // namespace

bool parseArguments(const CommandSyntax& syntax, const QStringList& arguments, ParsedArguments* parsed,
                    QString* error)
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
            if (parsed->files.size() >= syntax.files) {
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
        if (syntax.flagOptions.contains(name) && !hasValue) {
            parsed->flags.append(name);
        } else if (syntax.valueOptions.contains(name)) {
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
            if (name == QStringLiteral("db") && value.isEmpty()) {
                *error = QCoreApplication::translate("tarnwick::cli", "选项 --db 的数据库文件名是空的。");
                return false;
            }
            if (isNumberOption(name) && !isPlainNumber(value)) {
                *error =
                    QCoreApplication::translate("tarnwick::cli", "选项 --%1 的取值“%2”不是数字。").arg(name, value);
                return false;
            }
            parsed->values.insert(name, value);
        } else {
            *error = QCoreApplication::translate("tarnwick::cli", "命令 %1 没有选项 --%2。").arg(syntax.name, name);
            return false;
        }
    }
    if (parsed->files.size() < syntax.files) {
        *error = QCoreApplication::translate("tarnwick::cli", "命令 %1 缺少文件名。").arg(syntax.name);
        return false;
    }
    return true;
}

QString absolutePath(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

QString databaseFile(const QHash<QString, QString>& values)
{
    const store::DatabaseLocation location = store::locateDatabase(values.value(QStringLiteral("db")));
    QString error;
    // The opening that follows names the missing file when the copy failed.
    if (!store::preparePerUserDatabase(location, &error))
        printError(error + QLatin1Char('\n'));
    return location.path;
}

bool openResultRows(const QHash<QString, QString>& values, bool all, store::RowSet* rows)
{
    // Reading the results needs no write access to the file or its folder.
    auto connection = store::Connection::open(databaseFile(values), store::Connection::Access::ReadOnly);
    if (!connection) {
        printError(connection.error() + QLatin1Char('\n'));
        return false;
    }
    if (!rows->open(connection.value(),
                    all ? store::names::allResultsTable() : store::names::latestResultsTable())) {
        printError(rows->lastError() + QLatin1Char('\n'));
        return false;
    }
    return true;
}

} // namespace tarnwick::cli
