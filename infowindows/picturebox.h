#pragma once

#include <QImage>
#include <QWidget>

namespace tarnwick {

// Shows one picture in its box: stretched over the whole box, or fitted into
// it with its proportions kept and centred. Without a picture the box is empty.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    enum class Mode { Stretch, Fit };

    explicit PictureBox(QWidget* parent = nullptr, Mode mode = Mode::Stretch);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }

    void setMode(Mode mode);
    Mode mode() const { return m_mode; }

    // Where the picture is drawn inside the box.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    Mode m_mode;
};

} // namespace tarnwick
