#include "shell/shellicons.h"

#include "resources/resources.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStringList>

namespace tarnwick {

QIcon imageListIcon(int index)
{
    const QStringList images = resources::toolbarIconNames();
    if (index < 1 || index > images.size())
        return QIcon();
    return resources::icon(images.at(index - 1));
}

QIcon mainWindowIcon()
{
    return resources::icon(QStringLiteral("main-window"));
}

QIcon varSpeedIcon()
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(QColor(255, 255, 255));
        p.drawRoundedRect(QRectF(2, 2, 28, 28), 4, 4);
        // Head curves at three speeds.
        const QColor colours[] = {QColor(0, 0, 192), QColor(90, 90, 220), QColor(150, 150, 240)};
        for (int i = 0; i < 3; ++i) {
            const double r = 1.0 - 0.22 * i;
            QPainterPath path;
            for (int k = 0; k <= 10; ++k) {
                const double x = 5.0 + 22.0 * r * k / 10.0;
                const double y = 27.0 - 20.0 * r * r * (1.0 - 0.8 * (k / 10.0) * (k / 10.0));
                if (k == 0)
                    path.moveTo(x, y);
                else
                    path.lineTo(x, y);
            }
            p.setPen(QPen(colours[i], 2.0));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        }
        p.setPen(QPen(QColor(200, 0, 0), 2.0));
        p.drawLine(QPointF(5, 24), QPointF(27, 9));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace tarnwick
