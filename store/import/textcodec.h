#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

namespace tarnwick::import {

// Decodes text of a Windows code page (GBK for Chinese files, Big5, Windows-1252,
// ...) through the C library's iconv, which knows the East Asian code pages
// whatever Qt was built with.
class LegacyDecoder
{
public:
    explicit LegacyDecoder(const QByteArray& iconvName);
    ~LegacyDecoder();
    LegacyDecoder(const LegacyDecoder&) = delete;
    LegacyDecoder& operator=(const LegacyDecoder&) = delete;

    bool isValid() const;
    const QByteArray& name() const { return m_name; }

    // A byte sequence the code page does not define becomes U+FFFD and is
    // counted in *invalid, so nothing is silently dropped.
    QString decode(QByteArrayView bytes, int* invalid = nullptr) const;

private:
    QByteArray m_name;
    void* m_handle; // iconv_t
};

// The iconv name of a Windows code page number (936 gives "CP936", the GBK
// that Chinese Windows writes); empty for an unknown number.
QByteArray iconvNameForCodePage(int codePage);

// The iconv name for a code page given as a number ("936") or a name ("GBK");
// empty when iconv does not know it.
QByteArray iconvNameForUserText(const QString& text);

// Encodes into a code page; false when a character has no encoding there.
bool encodeLegacy(const QString& text, const QByteArray& iconvName, QByteArray* out);

// Text of a file in UTF-8 (with or without byte order mark) or, when the
// bytes are not valid UTF-8, in GBK. The name of the encoding found goes to
// *encoding; a file that is neither fails with a message naming the line.
bool decodeUtf8OrGbk(const QByteArray& bytes, QString* text, QString* encoding, QString* error);

bool isValidUtf8(QByteArrayView bytes);

// Reads a text file in UTF-8 or GBK, as decodeUtf8OrGbk tells them apart,
// piece by piece and whole lines at a time, so that a file of any length is
// read in little memory. A first pass over the file decides the encoding; the
// device must be open and seekable (a regular file or a buffer).
class TextFileReader
{
public:
    explicit TextFileReader(QIODevice* device);
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    bool start(QString* error);
    // The next piece of text; false at the end (with *error empty) or on a
    // fault (with a message naming the line).
    bool next(QString* text, QString* error);
    const QString& encoding() const { return m_encoding; }

private:
    // The next bytes up to and including a line end, or to the end of the file.
    bool readLines(QByteArray* bytes, QString* error);

    QIODevice* m_device;
    QByteArray m_rest;
    QString m_encoding;
    void* m_gbk = nullptr; // iconv_t, for GBK files
    int m_line = 1;        // the line the next bytes start on
    int m_utf8FailureLine = 0;
    qint64 m_utf8FailureOffset = -1;
    qint64 m_offset = 0;
};

} // namespace tarnwick::import
