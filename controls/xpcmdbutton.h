#pragma once

#include <QFont>
#include <QPixmap>
#include <QTimer>
#include <QVariantMap>
#include <QWidget>

#include <array>

class QLabel;

namespace tarnwick {

// The program's command button. Its face is painted from a skin of five
// 18 x 21 faces, stretched to any size around a fixed 3-pixel border; it shows
// a pressed face while a button is down, a hover face while the pointer moves
// over it, and a 10 ms tracker returns it to rest once the pointer is outside.
// The caption is a centred label; an "&" in it marks the access key.
//
// Saved properties are "State", "Enabled", "Caption" and "Font". A value equal
// to its default is not written; names are read back regardless of case.
class xpcmdbutton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int State READ state WRITE setState)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabledSetting WRITE applyEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    // Faces, numbered as the cells of the skin.
    enum Look { Normal = 0, Pressed = 1, Disabled = 2, Hover = 3, AlternativeRest = 4 };
    Q_ENUM(Look)

    explicit xpcmdbutton(QWidget* parent = nullptr);
    ~xpcmdbutton() override;

    // The look at rest: 0 normal, 1 the alternative face; other values keep
    // whichever rest face was shown last.
    int state() const { return m_state; }
    void setState(int value);

    // Without a caption of its own the button shows its object name.
    QString caption() const;
    void setCaption(const QString& text);
    bool hasOwnCaption() const { return m_hasCaption; }

    // The button's own enabled setting (isEnabled() also follows the
    // container). Setting it always repaints the rest face.
    bool isEnabledSetting() const;
    void applyEnabled(bool enabled);

    // The face on screen now (Disabled whenever the button is disabled).
    Look currentLook() const;

    QVariantMap saveProperties() const;
    void readProperties(const QVariantMap& saved);

    QSize sizeHint() const override;

    // Paints the rest face: the alternative face when State is 1, the normal
    // face when it is 0, the disabled face when the button is disabled.
    void RefreshFace();
    // Shows one face of the skin.
    void DrawFace(int look);

signals:
    void Click();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void MouseOut();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool inside(QPointF position) const;
    void trackPointer();
    void pointerLeft();
    void layoutCaption();
    void updateCaptionText();
    void updateCaptionColour();
    QFont containerFont() const;

    QLabel* lbl = nullptr;
    std::array<QPixmap, 5> pc; // the skin, one pixmap per face
    QTimer Timer1;

    int m_state = 0;
    Look m_restLook = Normal;
    Look m_look = Normal;
    QString m_caption;
    bool m_hasCaption = false;
    int m_accessKey = 0;       // shortcut id of the access key, 0 when none
    bool m_clickArmed = false; // left button went down on the button
    Qt::MouseButtons m_held{}; // buttons that went down on the button
};

} // namespace tarnwick
