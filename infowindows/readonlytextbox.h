#pragma once

#include <QPointer>
#include <QTextEdit>

namespace tarnwick {

// A multi-line text box that only shows its text: it never holds a caret or
// a selection and takes no part in the Tab order. A mouse press on it gives
// the focus to another control instead (the window's hidden focus box), so a
// click leaves nothing to type into.
//
// text() is the text exactly as it was set, line ends included; the box shows
// it with its line breaks, wrapped at the box's width.
class ReadOnlyTextBox : public QTextEdit
{
    Q_OBJECT
public:
    explicit ReadOnlyTextBox(QWidget* parent = nullptr);

    void setText(const QString& text);

    // Line pitch as a multiple of the font size (1.2 unless set); applies to
    // the next setText.
    void setLinePitch(double factor) { m_pitchFactor = factor; }
    QString text() const { return m_text; }

    void setFocusTarget(QWidget* target) { m_focusTarget = target; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void passFocus();

    QString m_text;
    double m_pitchFactor = 1.2;
    QPointer<QWidget> m_focusTarget;
};

} // namespace tarnwick
