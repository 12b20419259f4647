#pragma once

#include "report/resultreport.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QPagedPaintDevice;

namespace tarnwick::report {

// Told the pages (or rows) done so far and the total; returns false to stop.
using ExportProgress = std::function<bool(int done, int total)>;

// Paints pages first..last (from 1) onto a paged device, one device page each:
// the one routine behind the printer and the PDF file. The device is set to
// the report's paper; a printer must print the full page (the report keeps
// its own margins). Stopped by the progress function, it returns false with
// an empty error.
bool paintPages(const ResultReport& report, QPagedPaintDevice& device, int first, int last, QString* error,
                const ExportProgress& progress = {});

enum class ExportFormat { Pdf, Csv, Xlsx };

// The format a file name asks for by its suffix (case ignored).
std::optional<ExportFormat> exportFormatForFileName(const QString& fileName);
QString exportSuffix(ExportFormat format);

// Every export writes the whole file or leaves the target untouched: a failure
// is a message naming the file; a stop by the progress function returns false
// with an empty error.
//
// PDF: the report's pages, vector, with the text in embedded CJK fonts.
bool exportPdf(const ResultReport& report, const QString& path, QString* error, const ExportProgress& progress = {});
// CSV: UTF-8 with a byte-order mark, so spreadsheet programs read the Chinese;
// the ten columns with their headings, each field as the report shows it.
bool exportCsv(const ResultTable& table, const QString& path, QString* error, const ExportProgress& progress = {});
// XLSX: the same columns and headings; numbers go in as numbers (the values
// the report shows), texts as texts.
bool exportXlsx(const ResultTable& table, const QString& path, QString* error, const ExportProgress& progress = {});

bool exportReport(const ResultReport& report, ExportFormat format, const QString& path, QString* error,
                  const ExportProgress& progress = {});

// Reports bound into one file, one after the other: a PDF holds each report's
// pages in turn, each report numbering its own; a workbook has a sheet for
// each, named after its source; a CSV file has each further table after an
// empty line and a line with its title. One report gives exactly the file
// exportReport writes.
bool exportPdf(const QList<const ResultReport*>& reports, const QString& path, QString* error,
               const ExportProgress& progress = {});
bool exportCsv(const QList<const ResultTable*>& tables, const QString& path, QString* error,
               const ExportProgress& progress = {});
bool exportXlsx(const QList<const ResultTable*>& tables, const QString& path, QString* error,
                const ExportProgress& progress = {});
bool exportReports(const QList<const ResultReport*>& reports, ExportFormat format, const QString& path, QString* error,
                   const ExportProgress& progress = {});

} // namespace tarnwick::report
