#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

namespace tarnwick::import {

// Sends what libmdb prints (warnings on stderr, the odd dump on stdout) into a
// temporary file while alive and hands the lines over at the end: libmdb
// reports problems only there, and the program's own message should be the
// one the user reads.
class LibraryMessages
{
public:
    explicit LibraryMessages(QStringList* sink);
    ~LibraryMessages();
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;

private:
    QStringList* m_sink;
    std::FILE* m_file = nullptr;
    int m_saved[2] = {-1, -1};
};

// A failure message with the first lines libmdb printed, for whoever has to
// look into the file.
QString withLibraryMessages(const QString& error, const QStringList& messages);

// Adds the messages `into` does not hold yet.
void addLibraryMessages(QStringList* into, const QStringList& messages);

} // namespace tarnwick::import
