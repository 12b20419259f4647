#include "report/reportexport.h"

#include "core/numbers.h"
#include "files/csv.h"
#include "files/filetargets.h"
#include "pdfout/pdffile.h"
#include "report/reportdefinition.h"
#include "store/databasefiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tarnwick::report {

namespace {

bool failed(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

QString writeFailure(const QString& path, const QString& reason)
{
    return files::cannotWriteFile(path, reason);
}

bool stopped(const ExportProgress& progress, int done, int total)
{
    return progress && !progress(done, total);
}

// Rows between two progress reports of the table exports.
constexpr int kProgressRows = 2000;

// A text cell that a spreadsheet would take for a formula ("=1+2", "@SUM(…)")
// gets a leading apostrophe, which spreadsheets show as text. Number cells
// are written as they are, so "-1.5" stays a number.
QString inertCsvText(const QString& text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && formulaStarts.contains(text.front()))
        return QLatin1Char('\'') + text;
    return text;
}

// One cell for the CSV file; an empty cell is no value and stays unquoted.
QByteArray csvCell(const QString& text)
{
    return files::csvField(text.isEmpty() ? QString() : text).toUtf8();
}

// A worksheet name may not hold []:*?/\ nor exceed 31 characters.
QByteArray sheetName(const QString& source)
{
    QString name = source;
    for (QChar& c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = QLatin1Char('_');
    }
    name = name.left(31);
    return name.isEmpty() ? QByteArrayLiteral("Sheet1") : name.toUtf8();
}

} // namespace

bool paintPages(const ResultReport& report, QPagedPaintDevice& device, int first, int last, QString* error,
                const ExportProgress& progress)
{
    first = std::max(first, 1);
    last = std::min(last, report.pageCount());
    QPainter painter;
    if (!painter.begin(&device))
        return failed(error, QCoreApplication::translate("tarnwick::report", "无法开始输出报表。"));
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double dotsPerInch = device.logicalDpiX();
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            painter.end();
            return failed(error, QCoreApplication::translate("tarnwick::report", "无法开始报表的第%1页。").arg(page));
        }
        report.paintPageOn(painter, page, dotsPerInch);
        if (stopped(progress, page - first + 1, last - first + 1)) {
            painter.end();
            return failed(error, QString());
        }
    }
    if (!painter.end())
        return failed(error, QCoreApplication::translate("tarnwick::report", "无法完成报表的输出。"));
    return true;
}

namespace {

// Every page of each report in turn on one device, each report numbering its
// own pages.
bool paintReports(const QList<const ResultReport*>& reports, QPagedPaintDevice& device, QString* error,
                  const ExportProgress& progress)
{
    if (reports.size() == 1)
        return paintPages(*reports.front(), device, 1, reports.front()->pageCount(), error, progress);
    int total = 0;
    for (const ResultReport* report : reports)
        total += report->pageCount();
    QPainter painter;
    if (!painter.begin(&device))
        return failed(error, QCoreApplication::translate("tarnwick::report", "无法开始输出报表。"));
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double dotsPerInch = device.logicalDpiX();
    int done = 0;
    for (const ResultReport* report : reports) {
        for (int page = 1; page <= report->pageCount(); ++page) {
            if (done > 0 && !device.newPage()) {
                painter.end();
                return failed(error,
                              QCoreApplication::translate("tarnwick::report", "无法开始报表的第%1页。").arg(done + 1));
            }
            report->paintPageOn(painter, page, dotsPerInch);
            if (stopped(progress, ++done, total)) {
                painter.end();
                return failed(error, QString());
            }
        }
    }
    if (!painter.end())
        return failed(error, QCoreApplication::translate("tarnwick::report", "无法完成报表的输出。"));
    return true;
}

} // namespace

std::optional<ExportFormat> exportFormatForFileName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QStringLiteral("pdf"))
        return ExportFormat::Pdf;
    if (suffix == QStringLiteral("csv"))
        return ExportFormat::Csv;
    if (suffix == QStringLiteral("xlsx"))
        return ExportFormat::Xlsx;
    return std::nullopt;
}

QString exportSuffix(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Pdf:
        return QStringLiteral("pdf");
    case ExportFormat::Csv:
        return QStringLiteral("csv");
    case ExportFormat::Xlsx:
        return QStringLiteral("xlsx");
    }
    return QString();
}

bool exportPdf(const ResultReport& report, const QString& path, QString* error, const ExportProgress& progress)
{
    return exportPdf(QList<const ResultReport*>{&report}, path, error, progress);
}

bool exportPdf(const QList<const ResultReport*>& reports, const QString& path, QString* error,
               const ExportProgress& progress)
{
    pdfout::PdfSetup setup;
    setup.pageLayout = ResultReport::pageLayout();
    // One device unit per twip.
    setup.resolution = 1440;
    setup.title = reports.front()->table().title();
    setup.fonts = {reportTextFont(), reportTitleFont()};
    return pdfout::writePdf(
        path, setup, [&](QPdfWriter& writer, QString* why) { return paintReports(reports, writer, why, progress); },
        error);
}

bool exportCsv(const ResultTable& table, const QString& path, QString* error, const ExportProgress& progress)
{
    return exportCsv(QList<const ResultTable*>{&table}, path, error, progress);
}

bool exportCsv(const QList<const ResultTable*>& tables, const QString& path, QString* error,
               const ExportProgress& progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(error, writeFailure(path, file.errorString()));

    int total = 0;
    for (const ResultTable* table : tables)
        total += table->rowCount();
    int done = 0;
    QByteArray chunk("\xEF\xBB\xBF");
    for (const ResultTable* table : tables) {
        // A further table follows an empty line and its title.
        if (table != tables.front())
            chunk += "\r\n" + csvCell(inertCsvText(table->title())) + "\r\n";
        const QList<ReportColumn>& columns = table->columns();
        for (int c = 0; c < columns.size(); ++c)
            chunk += (c ? "," : "") + csvCell(columns[c].headingWithUnit());
        chunk += "\r\n";
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int c = 0; c < table->fieldCount(); ++c)
                chunk += (c ? "," : "") +
                         csvCell(table->number(row, c) ? table->text(row, c) : inertCsvText(table->text(row, c)));
            chunk += "\r\n";
            ++done;
            if (done % kProgressRows == 0 || done == total) {
                if (file.write(chunk) != chunk.size())
                    return failed(error, writeFailure(path, file.errorString()));
                chunk.clear();
                if (stopped(progress, done, total)) {
                    file.cancelWriting();
                    return failed(error, QString());
                }
            }
        }
    }
    if (!chunk.isEmpty() && file.write(chunk) != chunk.size())
        return failed(error, writeFailure(path, file.errorString()));
    QString reason;
    if (!files::commitOutput(file, &reason))
        return failed(error, writeFailure(path, reason));
    return true;
}

bool exportXlsx(const ResultTable& table, const QString& path, QString* error, const ExportProgress& progress)
{
    return exportXlsx(QList<const ResultTable*>{&table}, path, error, progress);
}

bool exportXlsx(const QList<const ResultTable*>& tables, const QString& path, QString* error,
                const ExportProgress& progress)
{
    // The workbook is written beside the target and renamed over it at the end.
    const QFileInfo target(path);
    QString partPath;
    {
        // Only the unique name is taken: the library creates the file itself,
        // so that it gets the permissions of any new file.
        QTemporaryFile reserved(target.absoluteDir().filePath(target.fileName() + QStringLiteral(".XXXXXX.part")));
        if (!reserved.open())
            return failed(error, writeFailure(path, reserved.errorString()));
        partPath = reserved.fileName();
    }
    const QByteArray partName = QFile::encodeName(partPath);
    struct PartRemover
    {
        QString path;
        ~PartRemover()
        {
            if (!path.isEmpty())
                QFile::remove(path);
        }
    } remover{partPath};

    // Rows are written in order, so the library need not hold the sheet.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(partName.constData(), &options);
    if (!workbook)
        return failed(error, writeFailure(path, QCoreApplication::translate("tarnwick::report", "无法创建工作簿。")));

    const QByteArray title = tables.front()->title().toUtf8();
    lxw_doc_properties properties = {};
    properties.title = const_cast<char*>(title.constData());
    workbook_set_properties(workbook, &properties);
    lxw_format* headingFormat = workbook_add_format(workbook);
    format_set_bold(headingFormat);

    lxw_error status = LXW_NO_ERROR;
    auto keep = [&status](lxw_error e) {
        if (status == LXW_NO_ERROR)
            status = e;
    };

    int total = 0;
    for (const ResultTable* table : tables)
        total += table->rowCount();
    int done = 0;
    bool cancelled = false;
    // One sheet per table, named after the table its rows came from.
    for (const ResultTable* table : tables) {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheetName(table->source()).constData());
        if (!sheet)
            sheet = workbook_add_worksheet(workbook, nullptr);
        if (!sheet) {
            keep(LXW_ERROR_MEMORY_MALLOC_FAILED);
            break;
        }
        const QList<ReportColumn>& columns = table->columns();
        for (int c = 0; c < columns.size(); ++c) {
            // The report's box widths, in characters of the sheet's default font.
            const double width = std::max(columns[c].width / 90.0, 2.0 * columns[c].heading.size() + 2.0);
            keep(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), width, nullptr));
            keep(worksheet_write_string(sheet, 0, lxw_col_t(c), columns[c].headingWithUnit().toUtf8().constData(),
                                        headingFormat));
        }
        worksheet_freeze_panes(sheet, 1, 0);

        for (int row = 0; row < table->rowCount() && status == LXW_NO_ERROR; ++row) {
            const lxw_row_t sheetRow = lxw_row_t(row + 1);
            for (int c = 0; c < table->fieldCount(); ++c) {
                const std::optional<double> number = table->number(row, c);
                if (number && std::isfinite(*number)) {
                    keep(worksheet_write_number(sheet, sheetRow, lxw_col_t(c), *number, nullptr));
                } else {
                    const QString text = table->text(row, c);
                    if (!text.isEmpty())
                        keep(worksheet_write_string(sheet, sheetRow, lxw_col_t(c), text.toUtf8().constData(), nullptr));
                }
            }
            ++done;
            if ((done % kProgressRows == 0 || done == total) && stopped(progress, done, total)) {
                cancelled = true;
                break;
            }
        }
        if (cancelled || status != LXW_NO_ERROR)
            break;
    }
    const lxw_error closed = workbook_close(workbook);
    if (cancelled)
        return failed(error, QString());
    keep(closed);
    if (status != LXW_NO_ERROR)
        return failed(error, writeFailure(path, QString::fromUtf8(lxw_strerror(status))));

    // On the disk before it replaces an earlier workbook: a full disk may
    // only show when the written pages are flushed.
    const int part = ::open(partName.constData(), O_RDONLY | O_CLOEXEC);
    const bool synced = part >= 0 && ::fsync(part) == 0;
    const int syncError = errno;
    if (part >= 0)
        ::close(part);
    if (!synced)
        return failed(error, writeFailure(path, QString::fromLocal8Bit(std::strerror(syncError))));
    if (std::rename(partName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return failed(error, writeFailure(path, QString::fromLocal8Bit(std::strerror(errno))));
    remover.path.clear();
    return true;
}

bool exportReport(const ResultReport& report, ExportFormat format, const QString& path, QString* error,
                  const ExportProgress& progress)
{
    return exportReports({&report}, format, path, error, progress);
}

bool exportReports(const QList<const ResultReport*>& reports, ExportFormat format, const QString& path, QString* error,
                   const ExportProgress& progress)
{
    if (reports.isEmpty())
        return failed(error, QCoreApplication::translate("tarnwick::report", "没有要导出的报表。"));
    if (const auto conflict =
            files::outputTargetConflict({path}, store::databaseFiles(reports.front()->table().databasePath())))
        return failed(error, *conflict);
    QList<const ResultTable*> tables;
    for (const ResultReport* report : reports)
        tables.append(&report->table());
    switch (format) {
    case ExportFormat::Pdf:
        return exportPdf(reports, path, error, progress);
    case ExportFormat::Csv:
        return exportCsv(tables, path, error, progress);
    case ExportFormat::Xlsx:
        return exportXlsx(tables, path, error, progress);
    }
    return failed(error, QCoreApplication::translate("tarnwick::report", "未知的导出格式。"));
}

} // namespace tarnwick::report
