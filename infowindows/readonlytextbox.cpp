#include "infowindows/readonlytextbox.h"

#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

#include <cmath>

namespace tarnwick {

ReadOnlyTextBox::ReadOnlyTextBox(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setAcceptRichText(false);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document()->setDocumentMargin(2);
    viewport()->setCursor(Qt::ArrowCursor);
}

void ReadOnlyTextBox::setText(const QString& text)
{
    m_text = text;
    // The document knows paragraphs, not line ends: CR LF and lone CR or LF
    // each end one line. A final line end adds no visible line, so it opens
    // no empty last line either.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    setPlainText(shown);

    const int pitch = static_cast<int>(std::lround(m_pitchFactor * QFontInfo(font()).pixelSize()));
    QTextBlockFormat format;
    format.setLineHeight(pitch, QTextBlockFormat::FixedHeight);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
}

void ReadOnlyTextBox::passFocus()
{
    if (m_focusTarget)
        m_focusTarget->setFocus(Qt::MouseFocusReason);
}

void ReadOnlyTextBox::mousePressEvent(QMouseEvent* event)
{
    passFocus();
    event->accept();
}

void ReadOnlyTextBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    passFocus();
    event->accept();
}

void ReadOnlyTextBox::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void ReadOnlyTextBox::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void ReadOnlyTextBox::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
}

} // namespace tarnwick
