#include "store/import/textcodec.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace tarnwick::import {

namespace {

const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);

constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

// Decodes through iconv, replacing each undefined byte by U+FFFD. Returns the
// number of replaced bytes; the offset of the first goes to *firstInvalid.
int convertToUtf8(iconv_t handle, QByteArrayView bytes, QByteArray* out, qsizetype* firstInvalid)
{
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    out->resize(bytes.size() * 3 + 16);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char* outPtr = out->data();
    size_t outLeft = static_cast<size_t>(out->size());
    int invalid = 0;
    auto grow = [&] {
        const qsizetype used = outPtr - out->data();
        out->resize(out->size() * 2);
        outPtr = out->data() + used;
        outLeft = static_cast<size_t>(out->size() - used);
    };
    while (inLeft > 0) {
        if (iconv(handle, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            grow();
            continue;
        }
        // EILSEQ or a sequence cut off at the end: one byte the code page does
        // not define.
        if (invalid == 0 && firstInvalid)
            *firstInvalid = in - bytes.data();
        ++invalid;
        while (outLeft < 3)
            grow();
        memcpy(outPtr, kReplacementUtf8, 3);
        outPtr += 3;
        outLeft -= 3;
        ++in;
        --inLeft;
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
    }
    while (iconv(handle, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1) && errno == E2BIG)
        grow();
    out->resize(outPtr - out->data());
    return invalid;
}

// Where UTF-8 decoding of the bytes first fails; the size when it does not.
qsizetype firstInvalidUtf8(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size()) {
        const uchar lead = static_cast<uchar>(bytes[i]);
        int length = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            least = 0x10000;
        } else {
            return i;
        }
        if (i + length > bytes.size())
            return i;
        char32_t code = lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const uchar next = static_cast<uchar>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return i;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return i;
        i += length;
    }
    return bytes.size();
}

int lineAt(QByteArrayView bytes, qsizetype offset)
{
    return static_cast<int>(bytes.first(std::min(offset, bytes.size())).count('\n')) + 1;
}

} // namespace

LegacyDecoder::LegacyDecoder(const QByteArray& iconvName)
    : m_name(iconvName), m_handle(iconv_open("UTF-8", iconvName.constData()))
{
}

LegacyDecoder::~LegacyDecoder()
{
    if (isValid())
        iconv_close(static_cast<iconv_t>(m_handle));
}

bool LegacyDecoder::isValid() const
{
    return static_cast<iconv_t>(m_handle) != kNoHandle;
}

QString LegacyDecoder::decode(QByteArrayView bytes, int* invalid) const
{
    if (invalid)
        *invalid = 0;
    if (bytes.isEmpty())
        return QStringLiteral("");
    if (!isValid()) {
        if (invalid)
            *invalid = static_cast<int>(bytes.size());
        return QString(bytes.size(), QChar::ReplacementCharacter);
    }
    QByteArray utf8;
    const int replaced = convertToUtf8(static_cast<iconv_t>(m_handle), bytes, &utf8, nullptr);
    if (invalid)
        *invalid = replaced;
    return QString::fromUtf8(utf8);
}

QByteArray iconvNameForCodePage(int codePage)
{
    switch (codePage) {
    case 437:
        return QByteArrayLiteral("IBM437");
    case 850:
        return QByteArrayLiteral("IBM850");
    case 852:
        return QByteArrayLiteral("IBM852");
    case 866:
        return QByteArrayLiteral("CP866");
    case 874:
        return QByteArrayLiteral("CP874");
    case 932:
        return QByteArrayLiteral("CP932");
    case 936:
        return QByteArrayLiteral("CP936");
    case 949:
        return QByteArrayLiteral("CP949");
    case 950:
        return QByteArrayLiteral("CP950");
    default:
        break;
    }
    if (codePage >= 1250 && codePage <= 1258)
        return "CP" + QByteArray::number(codePage);
    return {};
}

QByteArray iconvNameForUserText(const QString& text)
{
    bool isNumber = false;
    const int number = text.trimmed().toInt(&isNumber);
    if (isNumber)
        return iconvNameForCodePage(number);
    const QByteArray name = text.trimmed().toUpper().toLatin1();
    if (name.isEmpty())
        return {};
    const iconv_t handle = iconv_open("UTF-8", name.constData());
    if (handle == kNoHandle)
        return {};
    iconv_close(handle);
    return name;
}

bool encodeLegacy(const QString& text, const QByteArray& iconvName, QByteArray* out)
{
    const iconv_t handle = iconv_open(iconvName.constData(), "UTF-8");
    if (handle == kNoHandle)
        return false;
    QByteArray utf8 = text.toUtf8();
    out->resize(utf8.size() * 2 + 16);
    char* in = utf8.data();
    size_t inLeft = static_cast<size_t>(utf8.size());
    char* outPtr = out->data();
    size_t outLeft = static_cast<size_t>(out->size());
    const bool ok = iconv(handle, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
                    iconv(handle, nullptr, nullptr, &outPtr, &outLeft) != static_cast<size_t>(-1);
    iconv_close(handle);
    out->resize(outPtr - out->data());
    return ok;
}

bool isValidUtf8(QByteArrayView bytes)
{
    return firstInvalidUtf8(bytes) == bytes.size();
}

bool decodeUtf8OrGbk(const QByteArray& bytes, QString* text, QString* encoding, QString* error)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TextFileReader reader(&buffer);
    if (!reader.start(error))
        return false;
    QString all;
    QString piece;
    error->clear();
    while (reader.next(&piece, error))
        all += piece;
    if (!error->isEmpty())
        return false;
    *text = all;
    *encoding = reader.encoding();
    return true;
}

namespace {

constexpr qint64 kPieceBytes = 1 << 20;

} // namespace

TextFileReader::TextFileReader(QIODevice* device) : m_device(device) {}

TextFileReader::~TextFileReader()
{
    if (m_gbk)
        iconv_close(static_cast<iconv_t>(m_gbk));
}

bool TextFileReader::readLines(QByteArray* bytes, QString* error)
{
    QByteArray piece = m_device->read(kPieceBytes);
    if (piece.isEmpty() && m_device->bytesAvailable() == 0 && !m_device->atEnd()) {
        *error = QCoreApplication::translate("tarnwick::store", "读取文件失败：%1").arg(m_device->errorString());
        return false;
    }
    *bytes = m_rest + piece;
    m_rest.clear();
    if (m_device->atEnd())
        return true;
    // Neither UTF-8 nor GBK uses the line-feed byte inside a character, so
    // a piece cut after one decodes on its own.
    const qsizetype cut = bytes->lastIndexOf('\n');
    if (cut >= 0) {
        m_rest = bytes->sliced(cut + 1);
        bytes->truncate(cut + 1);
    }
    return true;
}

bool TextFileReader::start(QString* error)
{
    const QByteArray head = m_device->peek(3);
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) {
        *error = QCoreApplication::translate("tarnwick::store",
                                             "文件是 UTF-16 编码，请另存为 UTF-8 或 GBK 编码的 CSV 文件。");
        return false;
    }
    const bool marked = head.startsWith("\xEF\xBB\xBF");
    // First pass: is the whole file UTF-8?
    int line = 1;
    qint64 offset = 0;
    QByteArray bytes;
    do {
        if (!readLines(&bytes, error))
            return false;
        const qsizetype invalid = firstInvalidUtf8(offset == 0 && marked ? QByteArrayView(bytes).sliced(3) : bytes) +
                                  (offset == 0 && marked ? 3 : 0);
        if (invalid != bytes.size()) {
            m_utf8FailureLine = line + lineAt(bytes, invalid) - 1;
            m_utf8FailureOffset = offset + invalid;
            break;
        }
        line += static_cast<int>(bytes.count('\n'));
        offset += bytes.size();
    } while (!m_device->atEnd() || !m_rest.isEmpty());
    if (m_utf8FailureOffset >= 0 && marked) {
        *error =
            QCoreApplication::translate("tarnwick::store", "第 %1 行：文件以 UTF-8 标记开头，却含有无效的 UTF-8 字节。")
                .arg(m_utf8FailureLine);
        return false;
    }
    m_rest.clear();
    if (!m_device->seek(0)) {
        *error = QCoreApplication::translate("tarnwick::store", "读取文件失败：%1").arg(m_device->errorString());
        return false;
    }
    if (marked)
        m_device->read(3);
    m_offset = marked ? 3 : 0;
    if (m_utf8FailureOffset < 0) {
        m_encoding = QStringLiteral("UTF-8");
        return true;
    }
    const iconv_t handle = iconv_open("UTF-8", "CP936");
    if (handle == kNoHandle) {
        *error = QCoreApplication::translate("tarnwick::store", "系统不支持 GBK 编码转换。");
        return false;
    }
    m_gbk = handle;
    m_encoding = QStringLiteral("GBK");
    return true;
}

bool TextFileReader::next(QString* text, QString* error)
{
    error->clear();
    if (m_device->atEnd() && m_rest.isEmpty())
        return false;
    QByteArray bytes;
    if (!readLines(&bytes, error))
        return false;
    if (!m_gbk) {
        *text = QString::fromUtf8(bytes);
    } else {
        QByteArray utf8;
        qsizetype firstInvalid = -1;
        if (convertToUtf8(static_cast<iconv_t>(m_gbk), bytes, &utf8, &firstInvalid) > 0) {
            // The encoding that reads further is the one the file was meant
            // to be in; its first bad byte is the place to look.
            const int gbkLine = m_line + lineAt(bytes, firstInvalid) - 1;
            const int where = m_offset + firstInvalid >= m_utf8FailureOffset ? gbkLine : m_utf8FailureLine;
            *error =
                QCoreApplication::translate("tarnwick::store", "第 %1 行：文件既不是 UTF-8 编码，也不是 GBK 编码。")
                    .arg(where);
            return false;
        }
        *text = QString::fromUtf8(utf8);
    }
    m_line += static_cast<int>(bytes.count('\n'));
    m_offset += bytes.size();
    return true;
}

} // namespace tarnwick::import
