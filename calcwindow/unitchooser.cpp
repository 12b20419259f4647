#include "calcwindow/unitchooser.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

namespace tarnwick {

namespace {

// Room left and right of the text inside the box.
constexpr int kTextInset = 2;
// The arrow's part of the box.
constexpr int kArrowWidth = 13;
// The smallest size the box's text is allowed to shrink to.
constexpr double kSmallestPointSize = 6.0;

int widestText(const QComboBox& box, const QFont& font)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int i = 0; i < box.count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(box.itemText(i)));
    return widest;
}

} // namespace

UnitChooser::UnitChooser(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    view()->setTextElideMode(Qt::ElideNone);
}

QRect UnitChooser::textArea() const
{
    return rect().adjusted(kTextInset + 1, 1, -(kArrowWidth + kTextInset), -1);
}

QFont UnitChooser::fittingFont() const
{
    QFont fitted = font();
    const int room = textArea().width();
    while (widestText(*this, fitted) > room && fitted.pointSizeF() > kSmallestPointSize)
        fitted.setPointSizeF(fitted.pointSizeF() - 0.25);
    return fitted;
}

void UnitChooser::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QString text = option.currentText;
    // The style draws the frame and the arrow; the text is ours, so that the
    // style's margins and elision never cut it.
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.setFont(fittingFont());
    painter.setPen(option.palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textArea(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void UnitChooser::showPopup()
{
    QComboBox::showPopup();
    // The list opens under the box and at least as wide as its widest unit
    // with the scroll bar beside it.
    QWidget* popup = view()->window();
    if (!popup || popup == window())
        return;
    const int frame = popup->width() - view()->viewport()->width();
    const int needed = widestText(*this, view()->font()) + 4 * kTextInset + frame + 8;
    if (popup->width() >= needed)
        return;
    QRect area = popup->geometry();
    area.setWidth(needed);
    if (const QScreen* where = screen()) {
        const QRect room = where->availableGeometry();
        if (area.right() > room.right())
            area.moveRight(room.right());
    }
    popup->setGeometry(area);
}

} // namespace tarnwick
