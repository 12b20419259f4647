#include "infowindows/textlabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace {

// The part of the pitch above the baseline: the ideographic em box sits 0.88
// of the size above the baseline and 0.12 below, centred in the pitch.
constexpr double kPitchFactor = 1.2;
constexpr double kEmAscent = 0.88;

} // namespace

TextLabel::TextLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setWordWrap(true);
}

int TextLabel::linePitch() const
{
    const QFontInfo info(font());
    return static_cast<int>(std::lround(kPitchFactor * info.pixelSize()));
}

template <typename Visit> int TextLabel::layOut(Visit&& visit) const
{
    const int pitch = linePitch();
    const double emSize = QFontInfo(font()).pixelSize();
    // A label lower than one pitch centres its line in its own height.
    const double firstBaseline = std::max(0.0, (std::min(pitch, height()) - emSize) / 2.0) + kEmAscent * emSize;
    int y = 0;
    const QStringList paragraphs = text().split(QLatin1Char('\n'));
    for (const QString& paragraph : paragraphs) {
        QTextLayout layout(paragraph, font());
        QTextOption option(Qt::AlignLeft);
        option.setWrapMode(wordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width());
            // Each line's baseline sits where the fixed pitch puts it.
            line.setPosition(QPointF(0, y + firstBaseline - line.ascent()));
            y += pitch;
        }
        layout.endLayout();
        visit(layout);
    }
    return y;
}

int TextLabel::textHeight() const
{
    // From the top to the foot of the last line's em box: one em for a single
    // line; for more, the first line sits centred in its pitch.
    const int pitch = linePitch();
    const int lines = layOut([](const QTextLayout&) {}) / pitch;
    const int emSize = QFontInfo(font()).pixelSize();
    const int height = lines <= 1 ? emSize : (lines - 1) * pitch + emSize + (pitch - emSize + 1) / 2;
    // A text without ideographs (a translation's) has letters that reach
    // below the em box: the last line needs the font's own descent.
    const QString shown = text();
    const bool ideographs = std::any_of(shown.begin(), shown.end(), [](QChar c) { return c.unicode() >= 0x2E80; });
    if (ideographs)
        return height;
    const int emFoot = static_cast<int>(std::ceil((1.0 - kEmAscent) * emSize));
    return height + std::max(0, QFontMetrics(font()).descent() - emFoot);
}

int TextLabel::textWidth() const
{
    qreal widest = 0;
    const QStringList paragraphs = text().split(QLatin1Char('\n'));
    for (const QString& paragraph : paragraphs) {
        QTextLayout layout(paragraph, font());
        layout.beginLayout();
        QTextLine line = layout.createLine();
        if (line.isValid()) {
            line.setNumColumns(static_cast<int>(paragraph.size()));
            widest = std::max(widest, line.naturalTextWidth());
        }
        layout.endLayout();
    }
    return static_cast<int>(std::ceil(widest));
}

void TextLabel::growToText()
{
    if (wordWrap())
        resize(width(), std::max(height(), textHeight()));
    else
        resize(std::max(width(), textWidth()), height());
}

void TextLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    layOut([&painter](const QTextLayout& layout) { layout.draw(&painter, QPointF(0, 0)); });
}

} // namespace tarnwick
