#include "cli/progress.h"

#include <cstdio>

#include <unistd.h>

namespace tarnwick::cli {

namespace {

constexpr qint64 kRedrawMs = 100;
constexpr qint64 kDumbRedrawMs = 1000;

void writeError(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace

// TARNWICK_PROGRESS=1 asks for the display without a terminal: the window
// that runs the Access conversion reads it from the pipe.
TerminalProgress::TerminalProgress()
    : m_enabled(isatty(fileno(stderr)) != 0 || qEnvironmentVariable("TARNWICK_PROGRESS") == QStringLiteral("1")),
      m_dumb(qEnvironmentVariable("TARNWICK_PROGRESS") != QStringLiteral("1") &&
             qEnvironmentVariable("TERM") == QStringLiteral("dumb"))
{
}

TerminalProgress::~TerminalProgress()
{
    finish();
}

void TerminalProgress::show(const QString& text)
{
    if (!m_enabled)
        return;
    // A terminal that cannot erase a line (TERM=dumb, an editor's shell
    // buffer) gets the progress as a plain line now and then.
    if (m_dumb) {
        if (m_shown && m_sinceShown.elapsed() < kDumbRedrawMs)
            return;
        writeError(text.toUtf8() + '\n');
        m_shown = true;
        m_sinceShown.start();
        return;
    }
    if (m_shown && m_sinceShown.elapsed() < kRedrawMs)
        return;
    // Carriage return and erase to the end of the line: the line is redrawn in place.
    writeError(QByteArrayLiteral("\r\x1b[K") + text.toUtf8());
    m_shown = true;
    m_sinceShown.start();
}

void TerminalProgress::finish()
{
    if (!m_shown || m_dumb)
        return;
    writeError(QByteArrayLiteral("\r\x1b[K"));
    m_shown = false;
}

} // namespace tarnwick::cli
