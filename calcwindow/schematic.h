#pragma once

#include <QImage>
#include <QWidget>

namespace tarnwick {

// The schematic viewport of the calculation window, in twips.
inline constexpr int kSchematicViewportWidth = 4980;
inline constexpr int kSchematicViewportHeight = 3075;

// How a schematic picture of a given size fills the viewport: scaled by the
// smaller of the two ratios so that it covers the viewport and keeps its
// proportions, with the overflow as the scroll range of each direction.
struct SchematicFit
{
    bool hasPicture = false;
    float width = 0.0f;  // twips
    float height = 0.0f; // twips
    int verticalMaximum = 0;
    int horizontalMaximum = 0;
};

// Sizes are the picture's natural size in twips. A picture without extent
// gives an empty page with both maxima 0.
SchematicFit fitSchematic(float width, float height);

// The installation schematic viewer. In natural-size mode it takes the size
// of the picture it is given (15 twips a pixel); in stretch mode it draws the
// picture stretched over its own size. Its size is kept in twips as the
// fitting computes it, the widget follows in whole pixels.
class SchematicViewer : public QWidget
{
    Q_OBJECT
public:
    explicit SchematicViewer(QWidget* parent);

    enum class SizeMode { Stretch, Natural };
    void setSizeMode(SizeMode mode);
    SizeMode sizeMode() const { return m_mode; }

    // Shows a picture (a null image shows none). In natural-size mode the
    // viewer takes its size.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    float widthTwips() const { return m_width; }
    float heightTwips() const { return m_height; }
    void setSizeTwips(float width, float height);
    // The offset in its container, in twips (the scroll bars move it).
    void setLeftTwips(int left);
    void setTopTwips(int top);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();
    SizeMode m_mode = SizeMode::Stretch;
    QImage m_picture;
    float m_width = static_cast<float>(kSchematicViewportWidth);
    float m_height = static_cast<float>(kSchematicViewportHeight);
    int m_left = 0;
    int m_top = 0;
};

} // namespace tarnwick
