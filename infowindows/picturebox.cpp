#include "infowindows/picturebox.h"

#include <QPainter>

namespace tarnwick {

PictureBox::PictureBox(QWidget* parent, Mode mode) : QWidget(parent), m_mode(mode) {}

void PictureBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void PictureBox::setMode(Mode mode)
{
    m_mode = mode;
    update();
}

QRect PictureBox::pictureRect() const
{
    if (m_picture.isNull())
        return {};
    if (m_mode == Mode::Stretch)
        return rect();
    QSize fitted = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(), m_picture);
}

} // namespace tarnwick
