#include "controls/xpcmdbutton.h"

#include "controls/eventcodes.h"
#include "controls/uimetrics.h"
#include "resources/resources.h"

#include <QApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>

#include <optional>

namespace tarnwick {

namespace {

constexpr int kBorder = 3;
constexpr int kTrackerInterval = 10; // ms
const QColor kCaptionColour(0, 0, 0);
const QColor kDisabledCaptionColour(161, 161, 146);

// The caption as label text: "&x" underlines x, "&&" is one "&".
QString captionMarkup(const QString& caption)
{
    QString html;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        QChar c = caption.at(i);
        bool accessKey = false;
        if (c == u'&' && i + 1 < caption.size()) {
            c = caption.at(++i);
            accessKey = c != u'&';
        }
        QString piece = c == u' ' ? QStringLiteral("&nbsp;") : QString(c).toHtmlEscaped();
        html += accessKey ? QStringLiteral("<u>") + piece + QStringLiteral("</u>") : piece;
    }
    return html;
}

std::optional<QVariant> savedValue(const QVariantMap& saved, QStringView name)
{
    for (auto it = saved.constBegin(); it != saved.constEnd(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return std::nullopt;
}

// Saved fonts may name the faces of the desktop the program was drawn on
// ("宋体"); those map to the installed CJK faces.
QFont installedFont(QFont font)
{
    if (!QFontDatabase::families().contains(font.family())) {
        const double size = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
        font.setFamilies({programFont(font.family(), size, font.bold()).family()});
    }
    return font;
}

std::optional<QFont> fontFromVariant(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QFont)
        return value.value<QFont>();
    QFont font;
    if (font.fromString(value.toString()))
        return font;
    return std::nullopt;
}

} // namespace

xpcmdbutton::xpcmdbutton(QWidget* parent) : QWidget(parent)
{
    const QPixmap skin = resources::picture(
        resources::kButtonSkin,
        QSize(resources::kButtonFaceSize.width() * resources::kButtonFaceCount, resources::kButtonFaceSize.height()));
    for (int k = 0; k < resources::kButtonFaceCount; ++k)
        pc[k] = skin.copy(QRect(QPoint(k * resources::kButtonFaceSize.width(), 0), resources::kButtonFaceSize));

    // The label is only text: the button takes every mouse event itself, so
    // a click or move over the caption is one over the button, in the
    // button's own coordinates.
    lbl = new QLabel(this);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setTextFormat(Qt::RichText);
    lbl->setAttribute(Qt::WA_TransparentForMouseEvents);
    lbl->setFocusPolicy(Qt::NoFocus);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(kTrackerInterval);
    connect(&Timer1, &QTimer::timeout, this, &xpcmdbutton::trackPointer);

    connect(this, &QObject::objectNameChanged, this, [this] {
        if (!m_hasCaption)
            updateCaptionText();
    });

    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    updateCaptionText();
    updateCaptionColour();
    RefreshFace();
}

xpcmdbutton::~xpcmdbutton() = default;

void xpcmdbutton::setState(int value)
{
    m_state = value;
    RefreshFace();
}

QString xpcmdbutton::caption() const
{
    return m_hasCaption ? m_caption : objectName();
}

void xpcmdbutton::setCaption(const QString& text)
{
    m_caption = text;
    m_hasCaption = true;
    updateCaptionText();
}

bool xpcmdbutton::isEnabledSetting() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

void xpcmdbutton::applyEnabled(bool enabled)
{
    setEnabled(enabled);
    // Also when nothing changed: reading saved properties relies on this to
    // show the State just read.
    RefreshFace();
    updateCaptionColour();
}

xpcmdbutton::Look xpcmdbutton::currentLook() const
{
    return isEnabled() ? m_look : Disabled;
}

QVariantMap xpcmdbutton::saveProperties() const
{
    QVariantMap saved;
    if (m_state != 0)
        saved.insert(QStringLiteral("State"), m_state);
    if (!isEnabledSetting())
        saved.insert(QStringLiteral("Enabled"), false);
    if (caption() != objectName())
        saved.insert(QStringLiteral("Caption"), caption());
    if (font() != containerFont())
        saved.insert(QStringLiteral("Font"), font());
    return saved;
}

void xpcmdbutton::readProperties(const QVariantMap& saved)
{
    // The order matters: State is only stored, and the Enabled setting that
    // follows paints it.
    const auto state = savedValue(saved, u"State");
    m_state = state ? state->toInt() : 0;

    const auto enabled = savedValue(saved, u"Enabled");
    applyEnabled(enabled ? enabled->toBool() : true);

    if (const auto text = savedValue(saved, u"Caption")) {
        setCaption(text->toString());
    } else {
        m_caption.clear();
        m_hasCaption = false;
        updateCaptionText();
    }

    const auto savedFont = savedValue(saved, u"Font");
    const auto font = savedFont ? fontFromVariant(*savedFont) : std::nullopt;
    if (font)
        setFont(installedFont(*font));
    else
        setFont(QFont()); // back to the container's font
}

QSize xpcmdbutton::sizeHint() const
{
    const QSize text = lbl->sizeHint();
    return QSize(qMax(75, text.width() + 4 * kBorder), qMax(23, text.height() + 2 * kBorder));
}

void xpcmdbutton::RefreshFace()
{
    if (m_state == 1)
        m_restLook = AlternativeRest;
    else if (m_state == 0)
        m_restLook = Normal;
    DrawFace(isEnabled() ? m_restLook : Disabled);
}

void xpcmdbutton::DrawFace(int look)
{
    if (look < 0 || look >= resources::kButtonFaceCount)
        return;
    m_look = static_cast<Look>(look);
    update();
}

bool xpcmdbutton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
        if (static_cast<QShortcutEvent*>(event)->shortcutId() == m_accessKey && m_accessKey != 0) {
            if (isEnabled())
                emit Click();
            return true;
        }
        break;
    case QEvent::Leave:
        // Where the desktop reports the pointer only over our own windows, the
        // tracker could miss a pointer that left the window; the leave notice
        // settles it at once. While a button is held the tracker decides.
        if (Timer1.isActive() && m_held == Qt::NoButton)
            pointerLeft();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void xpcmdbutton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            Timer1.stop();
            m_clickArmed = false;
            m_held = Qt::NoButton;
        }
        RefreshFace();
        updateCaptionColour();
        break;
    case QEvent::FontChange:
        lbl->setFont(font());
        layoutCaption();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void xpcmdbutton::paintEvent(QPaintEvent*)
{
    const QPixmap& face = pc[currentLook()];
    if (face.isNull())
        return;
    const int w = width();
    const int h = height();
    const int sw = face.width() - 2 * kBorder;  // 12
    const int sh = face.height() - 2 * kBorder; // 15
    const int right = face.width() - kBorder;   // 15
    const int bottom = face.height() - kBorder; // 18

    struct Piece
    {
        QRect target;
        QRect source;
    };
    // Corners at their own size, edges stretched along their length, the
    // middle stretched both ways; on a tiny button the corners still show.
    const Piece pieces[] = {
        {{0, 0, kBorder, kBorder}, {0, 0, kBorder, kBorder}},
        {{w - kBorder, 0, kBorder, kBorder}, {right, 0, kBorder, kBorder}},
        {{w - kBorder, h - kBorder, kBorder, kBorder}, {right, bottom, kBorder, kBorder}},
        {{0, h - kBorder, kBorder, kBorder}, {0, bottom, kBorder, kBorder}},
        {{kBorder, 0, w - 2 * kBorder, kBorder}, {kBorder, 0, sw, kBorder}},
        {{w - kBorder, kBorder, kBorder, h - 2 * kBorder}, {right, kBorder, kBorder, sh}},
        {{0, kBorder, kBorder, h - 2 * kBorder}, {0, kBorder, kBorder, sh}},
        {{kBorder, h - kBorder, w - 2 * kBorder, kBorder}, {kBorder, bottom, sw, kBorder}},
        {{kBorder, kBorder, w - 2 * kBorder, h - 2 * kBorder}, {kBorder, kBorder, sw, sh}},
    };
    QPainter painter(this);
    for (const Piece& piece : pieces) {
        if (piece.target.width() > 0 && piece.target.height() > 0)
            painter.drawPixmap(piece.target, face, piece.source);
    }
}

void xpcmdbutton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutCaption();
}

void xpcmdbutton::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    RefreshFace();
}

void xpcmdbutton::mousePressEvent(QMouseEvent* event)
{
    m_held = event->buttons();
    if (event->button() == Qt::LeftButton)
        m_clickArmed = true;
    const QPointF p = event->position();
    QPointer<xpcmdbutton> alive(this);
    emit MouseDown(eventcodes::buttonCode(event->button()), eventcodes::shiftCode(event->modifiers()),
                   static_cast<float>(p.x()), static_cast<float>(p.y()));
    if (alive)
        DrawFace(Pressed);
}

void xpcmdbutton::mouseMoveEvent(QMouseEvent* event)
{
    if (!Timer1.isActive())
        Timer1.start();
    const QPointF p = event->position();
    if (!inside(p))
        return;
    const int buttons = eventcodes::buttonCode(event->buttons());
    QPointer<xpcmdbutton> alive(this);
    emit MouseMove(buttons, eventcodes::shiftCode(event->modifiers()), static_cast<float>(p.x()),
                   static_cast<float>(p.y()));
    if (alive)
        DrawFace(buttons == 1 ? Pressed : Hover);
}

void xpcmdbutton::mouseReleaseEvent(QMouseEvent* event)
{
    m_held = event->buttons();
    const QPointF p = event->position();
    const bool click = event->button() == Qt::LeftButton && m_clickArmed && inside(p);
    if (event->button() == Qt::LeftButton)
        m_clickArmed = false;
    QPointer<xpcmdbutton> alive(this);
    emit MouseUp(eventcodes::buttonCode(event->button()), eventcodes::shiftCode(event->modifiers()),
                 static_cast<float>(p.x()), static_cast<float>(p.y()));
    if (!alive)
        return;
    RefreshFace();
    if (click)
        emit Click();
}

void xpcmdbutton::keyPressEvent(QKeyEvent* event)
{
    QPointer<xpcmdbutton> alive(this);
    emit KeyDown(eventcodes::keyCode(*event), eventcodes::shiftCode(event->modifiers()));
    // Characters as typed, including Return, Escape and Backspace; Delete
    // types nothing.
    const QString text = event->text();
    for (const QChar c : text) {
        if (!alive)
            return;
        if (c.unicode() != 0x7f)
            emit KeyPress(c.unicode());
    }
    if (alive)
        QWidget::keyPressEvent(event); // let the window see Escape and Return too
}

void xpcmdbutton::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats its key-down only.
    if (event->isAutoRepeat()) {
        event->ignore();
        return;
    }
    QPointer<xpcmdbutton> alive(this);
    emit KeyUp(eventcodes::keyCode(*event), eventcodes::shiftCode(event->modifiers()));
    if (alive)
        QWidget::keyReleaseEvent(event);
}

bool xpcmdbutton::inside(QPointF p) const
{
    // The right and bottom edge still count as inside.
    return p.x() >= 0 && p.y() >= 0 && p.x() <= width() && p.y() <= height();
}

void xpcmdbutton::trackPointer()
{
    if (!inside(mapFromGlobal(QCursor::pos())))
        pointerLeft();
}

void xpcmdbutton::pointerLeft()
{
    Timer1.stop();
    QPointer<xpcmdbutton> alive(this);
    emit MouseOut();
    if (alive)
        RefreshFace();
}

void xpcmdbutton::layoutCaption()
{
    RefreshFace();
    lbl->adjustSize();
    lbl->move((width() - lbl->width()) / 2, (height() - lbl->height()) / 2);
}

void xpcmdbutton::updateCaptionText()
{
    const QString text = caption();
    lbl->setText(captionMarkup(text));

    if (m_accessKey != 0) {
        releaseShortcut(m_accessKey);
        m_accessKey = 0;
    }
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (!key.isEmpty())
        m_accessKey = grabShortcut(key, Qt::WindowShortcut);

    layoutCaption();
}

void xpcmdbutton::updateCaptionColour()
{
    QPalette palette = lbl->palette();
    palette.setColor(QPalette::WindowText, isEnabled() ? kCaptionColour : kDisabledCaptionColour);
    lbl->setPalette(palette);
}

QFont xpcmdbutton::containerFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font(this);
}

} // namespace tarnwick
