#pragma once

#include <QLabel>

namespace tarnwick {

// A label as the program's windows place it: text from the top left corner,
// wrapped at the label's width, with a line pitch of 1.2 times the font size.
// The fixed layouts were drawn for fonts without leading; the CJK fonts we
// map them to carry a generous one, which would push the second and third
// lines of a legend out of their boxes.
class TextLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TextLabel(const QString& text, QWidget* parent = nullptr);

    // Height in pixels that the text needs at the label's current width, and
    // the width of its longest line.
    int textHeight() const;
    int textWidth() const;
    // The fixed distance from one line's baseline to the next.
    int linePitch() const;

    // Makes the label large enough for its text, keeping its top left corner:
    // wider for a single line, higher for wrapped text. Never shrinks it.
    void growToText();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <typename Visit> int layOut(Visit&& visit) const;
};

} // namespace tarnwick
