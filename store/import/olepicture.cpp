#include "store/import/olepicture.h"

#include <QtEndian>

#include <optional>

namespace tarnwick::import {

namespace {

constexpr quint16 kAccessOleSignature = 0x1C15;
constexpr quint32 kOle1Embedded = 2;

// Reads little-endian fields and zero-terminated strings with bounds checks;
// any read past the end marks the whole parse as failed.
class Reader
{
public:
    explicit Reader(QByteArrayView bytes, qsizetype position = 0) : m_bytes(bytes), m_position(position) {}

    bool ok() const { return m_ok && m_position <= m_bytes.size(); }
    qsizetype position() const { return m_position; }
    qsizetype remaining() const { return ok() ? m_bytes.size() - m_position : 0; }

    quint16 u16() { return number<quint16>(); }
    quint32 u32() { return number<quint32>(); }

    QByteArrayView take(qsizetype count)
    {
        if (!ok() || count < 0 || count > remaining()) {
            m_ok = false;
            return {};
        }
        const QByteArrayView part = m_bytes.sliced(m_position, count);
        m_position += count;
        return part;
    }

    // A string up to and including its terminating zero.
    QByteArray cString()
    {
        if (!ok()) {
            m_ok = false;
            return {};
        }
        const qsizetype end = m_bytes.indexOf('\0', m_position);
        if (end < 0) {
            m_ok = false;
            return {};
        }
        QByteArray text = m_bytes.sliced(m_position, end - m_position).toByteArray();
        m_position = end + 1;
        return text;
    }

    // A string stored as a 32-bit length (terminating zero included) and its bytes.
    QByteArray lengthString()
    {
        const quint32 length = u32();
        QByteArray text = take(length).toByteArray();
        while (text.endsWith('\0'))
            text.chop(1);
        return text;
    }

private:
    template <typename T> T number()
    {
        const QByteArrayView bytes = take(sizeof(T));
        return ok() ? qFromLittleEndian<T>(bytes.data()) : T{};
    }

    QByteArrayView m_bytes;
    qsizetype m_position;
    bool m_ok = true;
};

// The image at the start of `data`, cut to its own length where the format
// states it (a Paint bitmap's native data is padded past the file's end).
std::optional<std::pair<QByteArray, QString>> imageAtStart(QByteArrayView data)
{
    const QString format = imageFormatOf(data);
    if (format.isEmpty())
        return std::nullopt;
    QByteArrayView image = data;
    if (format == QStringLiteral("BMP")) {
        const quint32 fileSize = qFromLittleEndian<quint32>(data.data() + 2);
        if (fileSize > 14 && fileSize <= static_cast<quint32>(data.size()))
            image = data.first(fileSize);
    } else if (format == QStringLiteral("PNG")) {
        const qsizetype end = data.indexOf(QByteArrayView("IEND"));
        if (end >= 0 && end + 8 <= data.size())
            image = data.first(end + 8);
    }
    return std::make_pair(image.toByteArray(), format);
}

// The file inside a packager object: a label, the original path, a type
// (3 for an embedded file), the temporary path and the file's bytes.
std::optional<QByteArrayView> packagedFile(QByteArrayView native)
{
    Reader reader(native);
    reader.u16();
    reader.cString(); // label
    reader.cString(); // original path
    reader.u16();
    const quint16 type = reader.u16();
    reader.lengthString(); // temporary path
    const quint32 size = reader.u32();
    const QByteArrayView file = reader.take(size);
    if (!reader.ok() || type != 3)
        return std::nullopt;
    return file;
}

} // namespace

QString imageFormatOf(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView("\x89PNG\r\n\x1a\n", 8)))
        return QStringLiteral("PNG");
    if (bytes.size() >= 3 && static_cast<uchar>(bytes[0]) == 0xFF && static_cast<uchar>(bytes[1]) == 0xD8 &&
        static_cast<uchar>(bytes[2]) == 0xFF)
        return QStringLiteral("JPEG");
    if (bytes.startsWith(QByteArrayView("GIF87a")) || bytes.startsWith(QByteArrayView("GIF89a")))
        return QStringLiteral("GIF");
    if (bytes.startsWith(QByteArrayView("II*\0", 4)) || bytes.startsWith(QByteArrayView("MM\0*", 4)))
        return QStringLiteral("TIFF");
    // "BM" alone is too common; the bitmap header that follows has a known size.
    if (bytes.size() >= 18 && bytes.startsWith(QByteArrayView("BM"))) {
        const quint32 headerSize = qFromLittleEndian<quint32>(bytes.data() + 14);
        if (headerSize == 12 || headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 ||
            headerSize == 108 || headerSize == 124)
            return QStringLiteral("BMP");
    }
    return {};
}

OleContent unwrapOleObject(const QByteArray& value)
{
    OleContent content;
    content.bytes = value;

    if (const auto image = imageAtStart(value)) {
        content.isPicture = true;
        content.bytes = image->first;
        content.imageFormat = image->second;
        return content;
    }

    Reader header(value);
    if (header.u16() != kAccessOleSignature)
        return content;
    const quint16 headerSize = header.u16();
    if (!header.ok() || headerSize > value.size())
        return content;

    // The OLE 1 stream after Access's header: version, format, class, topic,
    // item, then the native data with its size.
    Reader ole(value, headerSize);
    ole.u32();
    const quint32 format = ole.u32();
    const QByteArray oleClass = ole.lengthString();
    if (!ole.ok() || format != kOle1Embedded)
        return content;
    content.oleClass = QString::fromLatin1(oleClass);
    ole.lengthString(); // topic
    ole.lengthString(); // item
    const quint32 nativeSize = ole.u32();
    const QByteArrayView native = ole.take(nativeSize);
    if (!ole.ok())
        return content;

    QByteArrayView candidate = native;
    if (oleClass == "Package") {
        const auto file = packagedFile(native);
        if (!file)
            return content;
        candidate = *file;
    }
    if (const auto image = imageAtStart(candidate)) {
        content.isPicture = true;
        content.bytes = image->first;
        content.imageFormat = image->second;
    }
    return content;
}

} // namespace tarnwick::import
