#include "shell/lockkeys.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tarnwick {

LockKeyTracker::LockKeyTracker(QObject* parent) : QObject(parent)
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

LockKeyTracker::~LockKeyTracker()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void LockKeyTracker::setCapsLock(bool on)
{
    if (m_capsLock == on)
        return;
    m_capsLock = on;
    emit changed();
}

void LockKeyTracker::setNumLock(bool on)
{
    if (m_numLock == on)
        return;
    m_numLock = on;
    emit changed();
}

bool LockKeyTracker::observe(const QKeyEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return false;
    const bool before[] = {m_capsLock, m_numLock};
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);

    if (key == Qt::Key_CapsLock) {
        if (!event.isAutoRepeat())
            setCapsLock(!m_capsLock);
    } else if (key == Qt::Key_NumLock) {
        if (!event.isAutoRepeat())
            setNumLock(!m_numLock);
    } else if (modifiers.testFlag(Qt::KeypadModifier)) {
        if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period || key == Qt::Key_Comma) {
            setNumLock(true);
        } else if (!shift) {
            switch (key) {
            case Qt::Key_Home:
            case Qt::Key_End:
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
            case Qt::Key_Insert:
            case Qt::Key_Delete:
            case Qt::Key_Clear:
                setNumLock(false);
                break;
            default:
                break;
            }
        }
    } else if (key >= Qt::Key_A && key <= Qt::Key_Z &&
               !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const QString text = event.text();
        if (text.size() == 1 && text.at(0).isLetter() && text.at(0).isUpper() != text.at(0).isLower())
            setCapsLock(text.at(0).isUpper() != shift);
    }
    return before[0] != m_capsLock || before[1] != m_numLock;
}

bool LockKeyTracker::eventFilter(QObject* watched, QEvent* event)
{
    // Every key from the window system reaches its top-level QWindow first and
    // is then passed on to the focus widget and its parents; reading it at the
    // QWindow sees each key exactly once.
    if (event->type() == QEvent::KeyPress && watched->isWindowType())
        observe(*static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}

} // namespace tarnwick
