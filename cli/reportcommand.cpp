#include "cli/reportcommand.h"

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "files/filetargets.h"
#include "report/conditionreport.h"
#include "report/reportexport.h"
#include "report/resultreport.h"
#include "report/varspeedreport.h"
#include "store/database.h"
#include "store/databasefiles.h"
#include "store/names.h"
#include "store/rowset.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>

#include <cstring>
#include <optional>

namespace tarnwick::cli {

namespace {

QtMessageHandler qtHandler = nullptr;

// Drawing text offscreen makes Qt look for a runtime folder, and where the
// session has none (a service account, a build machine) it warns on every
// run before using a private one. The report does not need the folder; the
// warning would only clutter the tool's error output in scripts.
void quietRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qtHandler(type, context, message);
}

} // namespace

std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv)
{
    // The commands that paint pages need fonts, so a GUI application.
    if (argc > 1 && (std::strcmp(argv[1], "report") == 0 || std::strcmp(argv[1], "sheet") == 0)) {
        qtHandler = qInstallMessageHandler(quietRuntimeFolderWarning);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

int runReportCommand(const QHash<QString, QString>& values, bool all, bool variableSpeed)
{
    // The files in the order pdf, csv, xlsx, whichever are asked for.
    const std::pair<QString, report::ExportFormat> outputs[] = {
        {QStringLiteral("pdf"), report::ExportFormat::Pdf},
        {QStringLiteral("csv"), report::ExportFormat::Csv},
        {QStringLiteral("xlsx"), report::ExportFormat::Xlsx},
    };
    bool anyOutput = false;
    for (const auto& [option, format] : outputs) {
        if (values.contains(option)) {
            if (values.value(option).isEmpty()) {
                printError(QCoreApplication::translate("tarnwick::cli", "选项 --%1 缺少文件名。\n").arg(option));
                return kUsageOrDatabase;
            }
            anyOutput = true;
        }
    }
    if (!anyOutput) {
        printError(QCoreApplication::translate(
            "tarnwick::cli", "报表命令需要 --pdf、--csv 或 --xlsx 之一。（tarnwick-cli --help 显示用法）\n"));
        return kUsageOrDatabase;
    }

    // "-" sends one file to standard output, which then carries nothing else.
    QStringList files;
    int toStandardOutput = 0;
    for (const auto& [option, format] : outputs) {
        if (!values.contains(option))
            continue;
        if (OutputTarget::namesStandardOutput(values.value(option)))
            ++toStandardOutput;
        else
            files.append(absolutePath(values.value(option)));
    }
    if (toStandardOutput > 1 || (toStandardOutput == 1 && jsonRequested())) {
        printUsageError(
            toStandardOutput > 1
                ? QCoreApplication::translate("tarnwick::cli", "只能有一个文件写到标准输出（-）。")
                : QCoreApplication::translate("tarnwick::cli", "--json 已占用标准输出，文件不能写到标准输出（-）。"),
            QStringLiteral("report"));
        return kUsageOrDatabase;
    }
    if (const auto conflict = files::outputTargetConflict(files, store::databaseFiles(databaseFile(values)))) {
        printError(*conflict + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }

    // The runs and their liquid and suction figures, read from one state of
    // the database: a run stored meanwhile is in both or in neither.
    auto connection = store::Connection::open(databaseFile(values), store::Connection::Access::ReadOnly);
    if (!connection) {
        printError(connection.error() + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    const QSqlDatabase db = connection.value()->database();
    std::optional<report::ResultTable> figures;
    auto table = Expected<report::ResultTable, QString>::failure(QString());
    {
        const store::ReadSnapshot snapshot(db);
        if (!snapshot.isValid()) {
            printError(snapshot.error() + QLatin1Char('\n'));
            return kUsageOrDatabase;
        }
        if (variableSpeed) {
            auto stored = store::readVarSpeedResults(db, all);
            table = stored ? Expected<report::ResultTable, QString>(report::varSpeedResultTable(stored.value(), all))
                           : Expected<report::ResultTable, QString>::failure(stored.error());
        } else {
            store::RowSet rows;
            table = rows.open(connection.value(),
                              all ? store::names::allResultsTable() : store::names::latestResultsTable())
                        ? report::ResultTable::fromRows(rows)
                        : Expected<report::ResultTable, QString>::failure(rows.lastError());
        }
        if (!table) {
            printError(table.error() + QLatin1Char('\n'));
            return kUsageOrDatabase;
        }
        QString error;
        figures = variableSpeed ? report::varSpeedSuctionTable(db, all, &error)
                                : report::conditionFiguresTable(db, all, &error);
        if (!error.isEmpty()) {
            printError(error + QLatin1Char('\n'));
            return kUsageOrDatabase;
        }
    }
    const QString source = table->source();
    // The figures follow the runs in every file, as the report window offers
    // them beside the runs; without any, the files are the runs' report alone.
    const report::ResultReport resultReport(std::move(table).value());
    std::optional<report::ResultReport> figuresReport;
    QList<const report::ResultReport*> reports = {&resultReport};
    if (figures) {
        figuresReport.emplace(std::move(*figures));
        reports.append(&*figuresReport);
    }

    QJsonArray written;
    for (const auto& [option, format] : outputs) {
        if (!values.contains(option))
            continue;
        const QString argument = values.value(option);
        OutputTarget target(OutputTarget::namesStandardOutput(argument) ? argument : absolutePath(argument),
                            QStringLiteral("report.") + option);
        const QString file = target.toStandardOutput() ? QStringLiteral("-") : target.path();
        QString error;
        if (target.path().isEmpty() || !report::exportReports(reports, format, target.path(), &error) ||
            !target.finish(&error)) {
            printError((error.isEmpty() ? QCoreApplication::translate("tarnwick::cli", "无法建立临时文件。") : error) +
                       QLatin1Char('\n'));
            return kUsageOrDatabase;
        }
        if (target.toStandardOutput())
            continue;
        written.append(
            QJsonObject{{QStringLiteral("format"), option}, {QStringLiteral("file"), QDir::toNativeSeparators(file)}});
        if (jsonRequested())
            continue;
        printOut(QCoreApplication::translate("tarnwick::cli", "“%1”的报表已写入 %2（%3 条记录，%4 页）\n")
                     .arg(source, QDir::toNativeSeparators(file))
                     .arg(resultReport.table().rowCount())
                     .arg(resultReport.pageCount()));
        if (figuresReport)
            printOut(QCoreApplication::translate("tarnwick::cli", "  其后是“%1”的介质与吸入条件（%2 条记录，%3 页）\n")
                         .arg(figuresReport->table().source())
                         .arg(figuresReport->table().rowCount())
                         .arg(figuresReport->pageCount()));
    }
    if (jsonRequested()) {
        QJsonObject result{{QStringLiteral("table"), source},
                           {QStringLiteral("rowCount"), resultReport.table().rowCount()},
                           {QStringLiteral("pageCount"), resultReport.pageCount()},
                           {QStringLiteral("files"), written}};
        if (figuresReport)
            result.insert(QStringLiteral("conditions"),
                          QJsonObject{{QStringLiteral("table"), figuresReport->table().source()},
                                      {QStringLiteral("rowCount"), figuresReport->table().rowCount()},
                                      {QStringLiteral("pageCount"), figuresReport->pageCount()}});
        printJsonResult(statusOk(), result);
    }
    return kCompleted;
}

} // namespace tarnwick::cli
