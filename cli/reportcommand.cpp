#include "cli/reportcommand.h"

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/varspeedresults.h"
#include "report/varspeedreport.h"
#include "report/reportexport.h"
#include "report/resultreport.h"
#include "store/database.h"
#include "store/filetargets.h"
#include "store/names.h"
#include "store/rowset.h"

#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>

#include <cstring>

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
                printError(QStringLiteral("选项 --%1 缺少文件名。\n").arg(option));
                return kUsageOrDatabase;
            }
            anyOutput = true;
        }
    }
    if (!anyOutput) {
        printError(QStringLiteral("报表命令需要 --pdf、--csv 或 --xlsx 之一。（tarnwick-cli --help 显示用法）\n"));
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
        printUsageError(toStandardOutput > 1 ? QStringLiteral("只能有一个文件写到标准输出（-）。")
                                             : QStringLiteral("--json 已占用标准输出，文件不能写到标准输出（-）。"),
                        QStringLiteral("report"));
        return kUsageOrDatabase;
    }
    if (const auto conflict = store::outputTargetConflict(files, databaseFile(values))) {
        printError(*conflict + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }

    QString source;
    auto table = Expected<report::ResultTable, QString>::failure(QString());
    if (variableSpeed) {
        store::StoredTable stored;
        if (!readVarSpeedRows(values, all, &stored))
            return kUsageOrDatabase;
        source = stored.source;
        table = report::varSpeedResultTable(stored, all);
    } else {
        store::RowSet rows;
        if (!openResultRows(values, all, &rows))
            return kUsageOrDatabase;
        source = rows.source();
        table = report::ResultTable::fromRows(rows);
    }
    if (!table) {
        printError(table.error() + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    const report::ResultReport resultReport(std::move(table).value());

    QJsonArray written;
    for (const auto& [option, format] : outputs) {
        if (!values.contains(option))
            continue;
        const QString argument = values.value(option);
        OutputTarget target(OutputTarget::namesStandardOutput(argument) ? argument : absolutePath(argument),
                            QStringLiteral("report.") + option);
        const QString file = target.toStandardOutput() ? QStringLiteral("-") : target.path();
        QString error;
        if (target.path().isEmpty() || !report::exportReport(resultReport, format, target.path(), &error) ||
            !target.finish(&error)) {
            printError((error.isEmpty() ? QStringLiteral("无法建立临时文件。") : error) + QLatin1Char('\n'));
            return kUsageOrDatabase;
        }
        if (target.toStandardOutput())
            continue;
        written.append(QJsonObject{{QStringLiteral("format"), option},
                                   {QStringLiteral("file"), QDir::toNativeSeparators(file)}});
        if (!jsonRequested())
            printOut(QStringLiteral("“%1”的报表已写入 %2（%3 条记录，%4 页）\n")
                         .arg(source, QDir::toNativeSeparators(file))
                         .arg(resultReport.table().rowCount())
                         .arg(resultReport.pageCount()));
    }
    if (jsonRequested())
        printJsonResult(statusOk(), {{QStringLiteral("table"), source},
                                     {QStringLiteral("rowCount"), resultReport.table().rowCount()},
                                     {QStringLiteral("pageCount"), resultReport.pageCount()},
                                     {QStringLiteral("files"), written}});
    return kCompleted;
}

} // namespace tarnwick::cli
