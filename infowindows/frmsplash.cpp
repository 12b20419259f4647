#include "infowindows/frmsplash.h"

#include "controls/uimetrics.h"
#include "infowindows/infotexts.h"
#include "infowindows/picturebox.h"
#include "infowindows/textlabel.h"
#include "resources/resources.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include <functional>

namespace tarnwick {

namespace {

// The entry icon: a click is a left press and release both on the icon.
class EntryIcon : public PictureBox
{
public:
    EntryIcon(QWidget* parent, std::function<void()> onClick) : PictureBox(parent), m_onClick(std::move(onClick)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        m_armed = event->button() == Qt::LeftButton;
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const bool click = m_armed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
        m_armed = false;
        event->accept();
        if (click)
            m_onClick();
    }

private:
    std::function<void()> m_onClick;
    bool m_armed = false;
};

TextLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                    const QColor& colour, const QFont& font)
{
    auto* label = new TextLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setWordWrap(false);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->growToText();
    return label;
}

} // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmSplash"));
    // No title bar and no caption: the picture is the whole window. The title
    // is a blank rather than empty, because for an empty one the platform
    // names the window after the program.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral(" "));
    setWindowIcon(resources::icon(QStringLiteral("main-window")));
    setFont(programFont(QStringLiteral("宋体"), 9));
    setFixedSize(twipsSize(7995, 6000));

    auto* logo = new PictureBox(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setGeometry(twipsRect(0, 0, 8000, 6000));
    logo->setPicture(resources::image(QStringLiteral("splash"), logo->size()));

    // The subtitle stands centred above the title band, its baseline at two
    // thirds of the picture's 150 (the picture is drawn at 800 x 600 and
    // shown at 533 x 400), in the picture's own face and colour.
    QFont subtitleFont(QStringLiteral("Noto Sans CJK SC"));
    subtitleFont.setPixelSize(16);
    const QFontMetrics subtitleMetrics(subtitleFont);
    auto* subtitle = addLabel(this, QStringLiteral("lblSubtitle"), infotext::splashSubtitle(),
                              QRect(0, 0, 1, subtitleMetrics.height()), QColor(0x2F, 0x4A, 0x66), subtitleFont);
    subtitle->move((width() - subtitle->width()) / 2, 100 - subtitleMetrics.ascent());

    // The light copy lies under the title, offset down and right, so the
    // title stands out embossed from the picture.
    const QFont titleFont = programFont(QStringLiteral("宋体"), 32.25, true);
    addLabel(this, QStringLiteral("lblProductName_1"), infotext::productName(), twipsRect(1470, 1935, 5280, 645),
             QColor(224, 224, 224), titleFont);
    addLabel(this, QStringLiteral("lblProductName_0"), infotext::productName(), twipsRect(1440, 1920, 5280, 645),
             Qt::black, titleFont);

    addLabel(this, QStringLiteral("lblNotice"), infotext::splashNotice(), twipsRect(120, 5565, 855, 255), Qt::white,
             font());
    // A hint longer than its box (another language's) grows to the left, so
    // that it stays clear of the entry icon beside it.
    const QRect hintBox = twipsRect(6600, 5565, 735, 255);
    TextLabel* hint = addLabel(this, QStringLiteral("Label1"), infotext::enterHint(), hintBox, Qt::white, font());
    hint->move(hintBox.right() + 1 - hint->width(), hintBox.top());

    auto* entry = new EntryIcon(this, [this] { enter(); });
    entry->setObjectName(QStringLiteral("Image1"));
    entry->setGeometry(twipsRect(7365, 5400, 495, 495));
    entry->setPicture(resources::image(QStringLiteral("splash-entry"), entry->size()));
    entry->setCursor(resources::cursor(QStringLiteral("splash-entry-cursor")));

    if (const QScreen* where = QGuiApplication::primaryScreen()) {
        const QRect area = where->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
}

frmSplash::~frmSplash() = default;

void frmSplash::enter()
{
    // The splash is gone before the main window loads and shows. In between
    // no window is open, which must not end the program.
    const bool quitOnLastWindow = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    close();
    emit entered();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
}

} // namespace tarnwick
