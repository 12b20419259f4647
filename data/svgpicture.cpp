#include "data/svgpicture.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace tarnwick::dataset {

namespace {

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

} // namespace

QByteArray renderSvgToPng(const QString& svgPath, QString* error)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        setError(error, QStringLiteral("painting pictures needs a QGuiApplication"));
        return {};
    }
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        setError(error, QStringLiteral("cannot read the SVG picture ") + svgPath);
        return {};
    }
    const QSize size = renderer.defaultSize();
    if (size.isEmpty()) {
        setError(error, QStringLiteral("the SVG picture has no size: ") + svgPath);
        return {};
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&painter);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        setError(error, QStringLiteral("cannot encode the picture as PNG: ") + svgPath);
        return {};
    }
    return png;
}

} // namespace tarnwick::dataset
