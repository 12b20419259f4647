#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tarnwick::import {

// What an OLE Object field holds once Access's wrapper is taken off.
struct OleContent
{
    bool isPicture = false;
    QByteArray bytes;    // the image file for a picture, the value unchanged otherwise
    QString imageFormat; // "BMP", "PNG", "JPEG", "GIF", "TIFF" for a picture
    QString oleClass;    // the OLE 1 class of a wrapped object ("PBrush", "Package", ...)
};

// Unwraps an OLE Object value as Access stores it: its own object header
// (signature 0x1C15), an OLE 1 embedded object whose native data is a Paint
// bitmap ("PBrush"), a packaged file ("Package") or some other object's data.
// Raw image bytes without a wrapper are recognised by their signature too.
// Anything that holds no picture comes back unchanged.
OleContent unwrapOleObject(const QByteArray& value);

// The image format of bytes by their signature; empty when none.
QString imageFormatOf(QByteArrayView bytes);

} // namespace tarnwick::import
