#include "controls/panelparts.h"

#include "controls/messagebox.h"
#include "controls/uimetrics.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tarnwick {

ShapeWidget::ShapeWidget(QWidget* parent, const QString& name, const QRect& geometry, Form form)
    : QWidget(parent), m_form(form)
{
    setObjectName(name);
    setGeometry(geometry);
    // Shapes are drawings: clicks go to whatever lies beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::setBorderColor(const QColor& color)
{
    m_border = color;
    update();
}

void ShapeWidget::setFillColor(const QColor& color)
{
    m_fill = color;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(m_border);
    painter.setBrush(m_fill.isValid() ? QBrush(m_fill) : QBrush(Qt::NoBrush));
    const QRect outline = rect().adjusted(0, 0, -1, -1);
    if (m_form == Form::Circle) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawEllipse(QRectF(outline).adjusted(0.5, 0.5, -0.5, -0.5));
    } else {
        painter.drawRect(outline);
    }
}

LineWidget::LineWidget(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2, const QColor& color)
    : QWidget(parent), m_x1(x1), m_y1(y1), m_x2(x2), m_y2(y2), m_color(color)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void LineWidget::setY(int yTwips)
{
    m_y1 = m_y2 = yTwips;
    place();
}

void LineWidget::place()
{
    const int left = twips(std::min(m_x1, m_x2));
    const int top = twips(std::min(m_y1, m_y2));
    const int right = twips(std::max(m_x1, m_x2));
    const int bottom = twips(std::max(m_y1, m_y2));
    setGeometry(left, top, std::max(1, right - left + 1), std::max(1, bottom - top + 1));
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
}

TabLabel::TabLabel(QWidget* parent, const QString& name, const QString& text) : QLabel(text, parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
}

void TabLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

DutyBox::DutyBox(QWidget* parent, const QString& name) : QLineEdit(parent)
{
    setObjectName(name);
    // The box sits inside its own border shape.
    setFrame(false);
}

int DutyBox::characterCode(const QKeyEvent* event)
{
    const QString text = event->text();
    if (!text.isEmpty())
        return text.at(0).unicode();
    // Some platforms deliver control combinations without text; they still
    // stand for their control codes.
    const int key = event->key();
    if ((event->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        return -1;
    }
}

bool DutyBox::passesFilter(int code)
{
    if (code < 0 || code > 126)
        return true;
    return code == 8 || code == 46 || (code >= 48 && code <= 57);
}

void DutyBox::keyPressEvent(QKeyEvent* event)
{
    if (!passesFilter(characterCode(event))) {
        beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DutyBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
}

} // namespace tarnwick
