#include "store/import/jettext.h"

#include "store/import/textcodec.h"

#include <QtEndian>

namespace tarnwick::import {

QByteArray encodingForLanguage(int languageId)
{
    switch (languageId & 0x3FF) {
    case 0x04: // Chinese: Taiwan and Hong Kong use Big5, the rest GBK
        return (languageId == 0x0404 || languageId == 0x0C04 || languageId == 0x1404) ? QByteArrayLiteral("CP950")
                                                                                      : QByteArrayLiteral("CP936");
    case 0x11:
        return QByteArrayLiteral("CP932");
    case 0x12:
        return QByteArrayLiteral("CP949");
    default:
        return QByteArrayLiteral("CP1252");
    }
}

QString decodeJet4Text(QByteArrayView bytes, int* invalid)
{
    QString text;
    auto appendUtf16 = [&](QByteArrayView segment) {
        const qsizetype units = segment.size() / 2;
        for (qsizetype i = 0; i < units; ++i)
            text.append(QChar(qFromLittleEndian<quint16>(segment.data() + 2 * i)));
        if (segment.size() % 2 != 0) {
            text.append(QChar::ReplacementCharacter);
            ++*invalid;
        }
    };
    if (bytes.size() >= 2 && static_cast<uchar>(bytes[0]) == 0xFF && static_cast<uchar>(bytes[1]) == 0xFE) {
        bool compressed = true;
        qsizetype start = 2;
        for (qsizetype i = 2; i <= bytes.size(); ++i) {
            if (i < bytes.size() && bytes[i] != 0)
                continue;
            const QByteArrayView segment = bytes.sliced(start, i - start);
            if (compressed) {
                for (const char c : segment)
                    text.append(QChar(static_cast<char16_t>(static_cast<uchar>(c))));
            } else {
                appendUtf16(segment);
            }
            compressed = !compressed;
            start = i + 1;
        }
    } else {
        appendUtf16(bytes);
    }
    if (text.isNull())
        text = QStringLiteral("");
    return text;
}

QString decodeJetText(const LegacyDecoder* legacy, QByteArrayView bytes, AccessReadNotes* notes)
{
    int invalid = 0;
    const QString result = legacy ? legacy->decode(bytes, &invalid) : decodeJet4Text(bytes, &invalid);
    if (notes)
        notes->undecodableCharacters += invalid;
    return result;
}

} // namespace tarnwick::import
