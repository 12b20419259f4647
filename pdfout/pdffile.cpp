#include "pdfout/pdffile.h"

#include "files/filetargets.h"
#include "pdfout/pdftextmap.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSaveFile>

#include <utility>

namespace tarnwick::pdfout {

namespace {

bool failed(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool writePdf(const QString& path, const PdfSetup& setup, const PdfPainter& paint, QString* error)
{
    // Opened first, so that a target that cannot be written is said before
    // the pages are painted.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(error, files::cannotWriteFile(path, file.errorString()));
    // Painted in memory: the character maps are corrected before the file
    // is written.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(setup.pageLayout);
        writer.setResolution(setup.resolution);
        writer.setTitle(setup.title);
        writer.setCreator(QStringLiteral("Tarnwick"));
        if (!paint(writer, error)) {
            file.cancelWriting();
            return false;
        }
    }
    buffer.close();
    const QByteArray pdf = withIdeographsForRadicals(std::exchange(buffer.buffer(), QByteArray()), setup.fonts);
    QString reason;
    if (file.write(pdf) != pdf.size() || !files::commitOutput(file, &reason))
        return failed(error, files::cannotWriteFile(path, reason.isEmpty() ? file.errorString() : reason));
    return true;
}

} // namespace tarnwick::pdfout
