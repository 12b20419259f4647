#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures as the database stores them: PNG bytes, written into statements
// as blob literals.
namespace tarnwick::testing {

inline QImage solidPicture(QSize size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline QString blobLiteral(const QByteArray& bytes)
{
    return QStringLiteral("X'") + QString::fromLatin1(bytes.toHex()) + QLatin1Char('\'');
}

inline QString pngLiteral(QSize size, const QColor& colour)
{
    return blobLiteral(pngBytes(solidPicture(size, colour)));
}

} // namespace tarnwick::testing
