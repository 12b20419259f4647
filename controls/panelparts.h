#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

// Small pieces the calculation and variable-speed windows are built from:
// their colours, drawn shapes and lines, the label tabs, and the duty boxes
// with their key filter.
namespace tarnwick {

// The windows' colours.
inline QColor windowBackground()
{
    return QColor(233, 233, 233);
}
inline QColor panelBorder()
{
    return QColor(125, 125, 255);
}
inline QColor listBackground()
{
    return QColor(255, 255, 255);
}

// A rectangle or circle outline with an optional fill, as the window draws
// its panel borders, tab backgrounds and legend symbols. It takes no input.
class ShapeWidget : public QWidget
{
    Q_OBJECT
public:
    enum class Form { Rectangle, Circle };
    ShapeWidget(QWidget* parent, const QString& name, const QRect& geometry, Form form = Form::Rectangle);

    void setBorderColor(const QColor& color);
    QColor borderColor() const { return m_border; }
    // An invalid colour leaves the inside transparent.
    void setFillColor(const QColor& color);
    QColor fillColor() const { return m_fill; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Form m_form;
    QColor m_border = panelBorder();
    QColor m_fill;
};

// A straight horizontal or vertical line of one pixel; the endpoints are in
// the parent's twips.
class LineWidget : public QWidget
{
    Q_OBJECT
public:
    LineWidget(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2, const QColor& color);
    QColor color() const { return m_color; }
    // Moves the line to a new height (Y1 and Y2 together).
    void setY(int yTwips);
    int y1() const { return m_y1; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();
    int m_x1, m_y1, m_x2, m_y2;
    QColor m_color;
};

// A label that acts as a page tab: a click while enabled is reported, a
// disabled tab shows grey text and ignores the mouse.
class TabLabel : public QLabel
{
    Q_OBJECT
public:
    TabLabel(QWidget* parent, const QString& name, const QString& text);
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// One of the three duty boxes. Typed characters pass a filter before they
// reach the box: digits, the decimal point, backspace and characters beyond
// the 7-bit range pass; every other code below 127 is dropped with a beep.
// Text pasted or set without typing is not filtered. Receiving the focus
// selects the whole text.
class DutyBox : public QLineEdit
{
    Q_OBJECT
public:
    DutyBox(QWidget* parent, const QString& name);

    // The character code a key press delivers to a text box (-1 for keys that
    // deliver none, such as arrows or Delete).
    static int characterCode(const QKeyEvent* event);
    static bool passesFilter(int code);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace tarnwick
