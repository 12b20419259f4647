#pragma once

#include <QFont>
#include <QList>
#include <QPageLayout>
#include <QString>

#include <functional>

class QPdfWriter;

namespace tarnwick::pdfout {

// What a PDF file is made with besides its pages.
struct PdfSetup
{
    QPageLayout pageLayout;
    int resolution = 1200; // device units per inch
    QString title;
    // The faces the pages' text is painted in: their character maps are
    // corrected (see withIdeographsForRadicals).
    QList<QFont> fonts;
};

// Paints every page on the writer; false stops the file, with `error` set
// to the reason or left empty when the engineer stopped it.
using PdfPainter = std::function<bool(QPdfWriter& writer, QString* error)>;

// Writes a PDF file whole or not at all: the pages are painted into memory,
// the fonts' character maps corrected, and the bytes written through a save
// file that replaces the target only once they are on the disk. On a failure
// or a stop the target stays as it was; a file that cannot be written gets
// files::cannotWriteFile's message.
bool writePdf(const QString& path, const PdfSetup& setup, const PdfPainter& paint, QString* error);

} // namespace tarnwick::pdfout
