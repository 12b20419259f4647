// Renders the program's mark to a square PNG of the given size, for the icon
// theme: rendericon SOURCE.svg SIZE TARGET.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fputs("usage: rendericon SOURCE.svg SIZE TARGET.png\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(arguments[1]);
    const int size = arguments[2].toInt();
    if (!renderer.isValid() || size <= 0) {
        std::fputs("rendericon: cannot read the picture or the size\n", stderr);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image.save(arguments[3], "PNG") ? 0 : 1;
}
