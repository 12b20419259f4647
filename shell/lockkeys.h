#pragma once

#include <QObject>

class QKeyEvent;

namespace tarnwick {

// Follows the Caps Lock and Num Lock states for the status bar. Qt offers no
// portable query of the lock states (X11, Wayland and the offscreen platform
// have none), so the states are read from the keys the program sees:
// - a press of Caps Lock or Num Lock toggles that state;
// - a typed letter shows Caps Lock directly: upper case without Shift (or
//   lower case with Shift) means it is on;
// - a key from the numeric keypad shows Num Lock: a digit or the decimal point
//   means on, a cursor key (without Shift) means off.
// Both start as off (the indicator greyed) until a key tells otherwise.
class LockKeyTracker : public QObject
{
    Q_OBJECT

public:
    explicit LockKeyTracker(QObject* parent = nullptr);
    ~LockKeyTracker() override;

    bool capsLock() const { return m_capsLock; }
    bool numLock() const { return m_numLock; }
    void setCapsLock(bool on);
    void setNumLock(bool on);

    // Reads one key press; returns true if a state changed.
    bool observe(const QKeyEvent& event);

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_capsLock = false;
    bool m_numLock = false;
};

} // namespace tarnwick
