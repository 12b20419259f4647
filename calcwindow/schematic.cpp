#include "calcwindow/schematic.h"

#include "controls/uimetrics.h"

#include <QPainter>

#include <cmath>

namespace tarnwick {

namespace {

// A scroll maximum is a 16-bit whole number of twips: halves go to the even
// neighbour, a picture that does not overflow gives 0, and an absurdly long
// picture is held at the largest value rather than overflowing.
int scrollMaximum(float size, int viewport)
{
    const double overflow = std::nearbyint(static_cast<double>(size) - viewport);
    if (!(overflow > 0.0))
        return 0;
    return overflow > 32767.0 ? 32767 : static_cast<int>(overflow);
}

int pixelsOf(float twipsValue)
{
    return static_cast<int>(std::lround(static_cast<double>(twipsValue) / kTwipsPerPixel));
}

} // namespace

SchematicFit fitSchematic(float width, float height)
{
    SchematicFit fit;
    if (!std::isfinite(width) || !std::isfinite(height) || !(width > 0.0f) || !(height > 0.0f))
        return fit;

    const float rH = static_cast<float>(static_cast<double>(height) / kSchematicViewportHeight);
    const float rW = static_cast<float>(static_cast<double>(width) / kSchematicViewportWidth);
    float k = rH;
    if (rH > rW)
        k = rW;
    if (!(k > 0.0f))
        return fit; // a ratio lost to underflow: nothing sensible to show

    fit.hasPicture = true;
    fit.height = static_cast<float>(static_cast<double>(height) / static_cast<double>(k));
    fit.width = static_cast<float>(static_cast<double>(width) / static_cast<double>(k));
    fit.verticalMaximum = scrollMaximum(fit.height, kSchematicViewportHeight);
    fit.horizontalMaximum = scrollMaximum(fit.width, kSchematicViewportWidth);
    return fit;
}

SchematicViewer::SchematicViewer(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("OLE1"));
    place();
}

void SchematicViewer::setSizeMode(SizeMode mode)
{
    m_mode = mode;
    if (m_mode == SizeMode::Natural && !m_picture.isNull())
        setSizeTwips(static_cast<float>(m_picture.width() * kTwipsPerPixel),
                     static_cast<float>(m_picture.height() * kTwipsPerPixel));
    update();
}

void SchematicViewer::setPicture(const QImage& picture)
{
    m_picture = picture;
    if (m_mode == SizeMode::Natural) {
        if (m_picture.isNull())
            setSizeTwips(0.0f, 0.0f);
        else
            setSizeTwips(static_cast<float>(m_picture.width() * kTwipsPerPixel),
                         static_cast<float>(m_picture.height() * kTwipsPerPixel));
    }
    update();
}

void SchematicViewer::setSizeTwips(float width, float height)
{
    m_width = width;
    m_height = height;
    place();
}

void SchematicViewer::setLeftTwips(int left)
{
    m_left = left;
    place();
}

void SchematicViewer::setTopTwips(int top)
{
    m_top = top;
    place();
}

void SchematicViewer::place()
{
    setGeometry(twips(m_left), twips(m_top), pixelsOf(m_width), pixelsOf(m_height));
}

void SchematicViewer::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_mode == SizeMode::Stretch)
        painter.drawImage(rect(), m_picture);
    else
        painter.drawImage(0, 0, m_picture);
}

} // namespace tarnwick
