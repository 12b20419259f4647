#pragma once

#include <QElapsedTimer>
#include <QString>

namespace tarnwick::cli {

// A one-line progress display on standard error for long work, shown only
// when standard error is a terminal (or TARNWICK_PROGRESS=1 asks for it): a
// script that reads the output or a log file gets nothing of it. The line is redrawn at most ten times a second and
// erased when the work is over.
class TerminalProgress
{
public:
    TerminalProgress();
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void show(const QString& text);
    // Erases the line; later output starts on a clean line.
    void finish();

private:
    bool m_enabled = false;
    bool m_shown = false;
    bool m_dumb = false; // TERM=dumb: no control sequences
    QElapsedTimer m_sinceShown;
};

} // namespace tarnwick::cli
