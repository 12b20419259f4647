#include "controls/textfit.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

namespace tarnwick {

namespace {

// The space a widget's text needs beyond the text itself, and the text; an
// empty text for a widget whose text is not fitted.
struct FittedText
{
    QString text;
    int room = 0; // pixels the text may take
};

FittedText fittedText(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->wordWrap() || label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text()))
            return {};
        const int margins = 2 * label->margin() + std::max(0, label->indent());
        int room = label->contentsRect().width() - margins;
        // A label sized to its text may run under the input box beside it.
        if (label->alignment() & Qt::AlignLeft) {
            const int textLeft = label->x() + label->contentsRect().left() + margins / 2;
            for (const QObject* object : label->parent() ? label->parent()->children() : QObjectList()) {
                const auto* sibling = qobject_cast<const QWidget*>(object);
                const bool input = qobject_cast<const QLineEdit*>(object) || qobject_cast<const QComboBox*>(object) ||
                                   qobject_cast<const QAbstractSpinBox*>(object);
                if (!input || sibling->isWindow() || sibling->x() <= textLeft)
                    continue;
                const QRect box = sibling->geometry();
                if (box.top() < label->geometry().bottom() && box.bottom() > label->geometry().top())
                    room = std::min(room, box.left() - textLeft - 1);
            }
        }
        return {label->text(), room};
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        // The style's padding: what the button's size hint adds to its text.
        const int padding = button->sizeHint().width() - button->fontMetrics().horizontalAdvance(button->text());
        return {button->text(), button->width() - std::max(0, padding)};
    }
    // The program's command button names its text "Caption" and centres it
    // within a border of a few pixels.
    const QVariant caption = widget->property("Caption");
    if (caption.isValid())
        return {caption.toString(), widget->width() - 8};
    return {};
}

int textWidth(const QFont& font, const QString& text)
{
    QString shown = text;
    shown.remove(QLatin1Char('&')); // access-key marks are not drawn
    return QFontMetrics(font).horizontalAdvance(shown);
}

void fitOne(QWidget* widget)
{
    const FittedText fitted = fittedText(widget);
    if (fitted.text.isEmpty() || fitted.room <= 0)
        return;
    QFont font = widget->font();
    if (textWidth(font, fitted.text) <= fitted.room)
        return;
    const bool inPixels = font.pointSizeF() <= 0;
    double size = inPixels ? font.pixelSize() * 72.0 / widget->logicalDpiY() : font.pointSizeF();
    while (size > kSmallestFittedPoints && textWidth(font, fitted.text) > fitted.room) {
        size = std::max(kSmallestFittedPoints, size - 0.5);
        font.setPointSizeF(size);
    }
    widget->setFont(font);
    if (textWidth(font, fitted.text) > fitted.room && widget->toolTip().isEmpty())
        widget->setToolTip(QString(fitted.text).remove(QLatin1Char('&')));
}

class TextFitter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            fitOne(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

void fitTextsWhenShown(QApplication& application)
{
    application.installEventFilter(new TextFitter(&application));
}

void fitTexts(QWidget* root)
{
    fitOne(root);
    for (QWidget* child : root->findChildren<QWidget*>())
        fitOne(child);
}

} // namespace tarnwick
