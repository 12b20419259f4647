#include "resources/resources.h"

#include <QHash>
#include <QPainter>
#include <QPixmapCache>
#include <QPoint>
#include <QSvgRenderer>
#include <QtDebug>

// The resource file lives in a static library, so nothing would pull its
// registration into the program unless it is initialised by hand.
static void initialisePictureResources()
{
    Q_INIT_RESOURCE(tarnwickpictures);
}

namespace tarnwick::resources {

namespace {

struct Entry
{
    QString file;
    QPoint hotSpot; // cursors only
};

const QHash<QString, Entry>& catalogue()
{
    static const QHash<QString, Entry> entries = [] {
        initialisePictureResources();
        QHash<QString, Entry> e;
        const auto add = [&e](const char16_t* name, const char16_t* file, QPoint hotSpot = {}) {
            e.insert(QString::fromUtf16(name),
                     Entry{QStringLiteral(":/tarnwick/") + QString::fromUtf16(file), hotSpot});
        };
        add(u"splash", u"splash.svg");
        add(u"splash-entry", u"splash-entry.svg");
        add(u"splash-entry-cursor", u"splash-entry-cursor.svg", QPoint(12, 1));
        add(u"about", u"about.svg");
        add(u"background", u"background.svg");
        add(u"main-window", u"main-window.svg");
        add(u"toolbar-design", u"toolbar-design.svg");
        add(u"toolbar-check", u"toolbar-check.svg");
        add(u"toolbar-latest-results", u"toolbar-latest-results.svg");
        add(u"toolbar-all-results", u"toolbar-all-results.svg");
        add(u"toolbar-principle", u"toolbar-principle.svg");
        add(u"toolbar-company", u"toolbar-company.svg");
        add(u"toolbar-products", u"toolbar-products.svg");
        // A help page carries the same icon as the command that opens it.
        add(u"help-contents", u"help-contents.svg");
        add(u"help-principle", u"toolbar-principle.svg");
        add(u"help-company", u"toolbar-company.svg");
        add(u"help-products", u"toolbar-products.svg");
        add(u"help-banner-company", u"help-banner-company.svg");
        add(u"help-banner-products", u"help-banner-products.svg");
        add(u"button-skin", u"button-skin.svg");
        return e;
    }();
    return entries;
}

const Entry* find(const QString& name)
{
    const auto& entries = catalogue();
    const auto it = entries.constFind(name);
    if (it == entries.constEnd()) {
        qWarning() << "tarnwick: no picture named" << name;
        return nullptr;
    }
    return &it.value();
}

QImage render(const Entry& entry, QSize size)
{
    QSvgRenderer renderer(entry.file);
    if (!renderer.isValid())
        return {};
    if (size.isEmpty())
        size = renderer.defaultSize();
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return result;
}

} // namespace

QImage image(const QString& name, QSize size)
{
    const Entry* entry = find(name);
    return entry ? render(*entry, size) : QImage();
}

QPixmap picture(const QString& name, QSize size, qreal devicePixelRatio)
{
    const Entry* entry = find(name);
    if (!entry)
        return {};
    if (size.isEmpty())
        size = naturalSize(name);
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
    const QString key = QStringLiteral("tarnwick/%1/%2x%3").arg(name).arg(pixels.width()).arg(pixels.height());
    QPixmap result;
    if (!QPixmapCache::find(key, &result)) {
        result = QPixmap::fromImage(render(*entry, pixels));
        QPixmapCache::insert(key, result);
    }
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

QIcon icon(const QString& name)
{
    if (!find(name))
        return {};
    QIcon result;
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
        result.addPixmap(picture(name, QSize(side, side)));
    return result;
}

QCursor cursor(const QString& name)
{
    const Entry* entry = find(name);
    if (!entry)
        return {};
    return QCursor(picture(name, QSize(32, 32)), entry->hotSpot.x(), entry->hotSpot.y());
}

QSize naturalSize(const QString& name)
{
    const Entry* entry = find(name);
    if (!entry)
        return {};
    return QSvgRenderer(entry->file).defaultSize();
}

bool contains(const QString& name)
{
    return catalogue().contains(name);
}

QStringList names()
{
    QStringList result = catalogue().keys();
    result.sort();
    return result;
}

QStringList toolbarIconNames()
{
    return {QStringLiteral("toolbar-design"),         QStringLiteral("toolbar-check"),
            QStringLiteral("toolbar-latest-results"), QStringLiteral("toolbar-all-results"),
            QStringLiteral("toolbar-principle"),      QStringLiteral("toolbar-company"),
            QStringLiteral("toolbar-products")};
}

QStringList helpIconNames()
{
    return {QStringLiteral("help-contents"), QStringLiteral("help-principle"), QStringLiteral("help-company"),
            QStringLiteral("help-products")};
}

} // namespace tarnwick::resources
