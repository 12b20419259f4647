#include "store/import/librarymessages.h"

#include <QByteArray>
#include <QCoreApplication>

#include <unistd.h>

namespace tarnwick::import {

namespace {

constexpr int kStreams[2] = {STDOUT_FILENO, STDERR_FILENO};

} // namespace

LibraryMessages::LibraryMessages(QStringList* sink) : m_sink(sink)
{
    std::fflush(stdout);
    std::fflush(stderr);
    m_file = std::tmpfile();
    if (!m_file)
        return;
    for (int i = 0; i < 2; ++i) {
        m_saved[i] = ::dup(kStreams[i]);
        if (m_saved[i] >= 0)
            ::dup2(::fileno(m_file), kStreams[i]);
    }
}

LibraryMessages::~LibraryMessages()
{
    if (!m_file)
        return;
    std::fflush(stdout);
    std::fflush(stderr);
    for (int i = 0; i < 2; ++i) {
        if (m_saved[i] >= 0) {
            ::dup2(m_saved[i], kStreams[i]);
            ::close(m_saved[i]);
        }
    }
    std::rewind(m_file);
    QByteArray text;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof(buffer), m_file)) > 0 && text.size() < 65536)
        text.append(buffer, static_cast<qsizetype>(n));
    std::fclose(m_file);
    for (const QByteArray& line : text.split('\n')) {
        const QString message = QString::fromUtf8(line).trimmed();
        if (!message.isEmpty() && !m_sink->contains(message) && m_sink->size() < 50)
            m_sink->append(message);
    }
}

QString withLibraryMessages(const QString& error, const QStringList& messages)
{
    if (messages.isEmpty())
        return error;
    return error + QCoreApplication::translate("tarnwick::store", "\nmdbtools 的提示：") +
           messages.mid(0, 3).join(QStringLiteral("；"));
}

void addLibraryMessages(QStringList* into, const QStringList& messages)
{
    for (const QString& message : messages) {
        if (!into->contains(message))
            into->append(message);
    }
}

} // namespace tarnwick::import
