#include "pdfout/pdftextmap.h"

#include <QHash>
#include <QRawFont>
#include <QString>

namespace tarnwick::pdfout {

namespace {

// CJK Radicals Supplement and Kangxi Radicals.
constexpr char16_t kFirstRadical = 0x2E80;
constexpr char16_t kLastRadical = 0x2FDF;

// The radicals each font draws with the glyph of an ideograph.
QHash<char16_t, char16_t> radicalIdeographs(const QList<QFont>& fonts)
{
    QString ideographs;
    for (char16_t c = 0x3400; c <= 0x4DBF; ++c)
        ideographs.append(QChar(c));
    for (char16_t c = 0x4E00; c <= 0x9FFF; ++c)
        ideographs.append(QChar(c));
    QString radicals;
    for (char16_t c = kFirstRadical; c <= kLastRadical; ++c)
        radicals.append(QChar(c));

    QHash<char16_t, char16_t> map;
    for (const QFont& font : fonts) {
        const QRawFont raw = QRawFont::fromFont(font);
        if (!raw.isValid())
            continue;
        const QList<quint32> ideographGlyphs = raw.glyphIndexesForString(ideographs);
        QHash<quint32, char16_t> firstIdeograph;
        for (qsizetype i = 0; i < ideographGlyphs.size() && i < ideographs.size(); ++i) {
            if (ideographGlyphs[i] != 0 && !firstIdeograph.contains(ideographGlyphs[i]))
                firstIdeograph.insert(ideographGlyphs[i], ideographs.at(i).unicode());
        }
        const QList<quint32> radicalGlyphs = raw.glyphIndexesForString(radicals);
        for (qsizetype i = 0; i < radicalGlyphs.size() && i < radicals.size(); ++i) {
            const auto found = firstIdeograph.constFind(radicalGlyphs[i]);
            if (radicalGlyphs[i] != 0 && found != firstIdeograph.cend() && !map.contains(radicals.at(i).unicode()))
                map.insert(radicals.at(i).unicode(), *found);
        }
    }
    return map;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The start of each "<XXXX>" token on a line (the offset of its first digit).
QList<qsizetype> tokensOnLine(const QByteArray& pdf, qsizetype begin, qsizetype end, qsizetype* bracket)
{
    QList<qsizetype> tokens;
    *bracket = -1;
    for (qsizetype i = begin; i < end; ++i) {
        if (pdf[i] == '[' && *bracket < 0)
            *bracket = tokens.size();
        if (pdf[i] == '<') {
            const qsizetype close = pdf.indexOf('>', i);
            if (close < 0 || close >= end)
                break;
            tokens.append(close - i - 1 == 4 ? i + 1 : -1);
            i = close;
        }
    }
    return tokens;
}

void replaceToken(QByteArray& pdf, qsizetype at, const QHash<char16_t, char16_t>& map)
{
    if (at < 0)
        return;
    int value = 0;
    for (int k = 0; k < 4; ++k) {
        const int digit = hexValue(pdf[at + k]);
        if (digit < 0)
            return;
        value = value * 16 + digit;
    }
    const auto found = map.constFind(char16_t(value));
    if (found == map.cend())
        return;
    static const char digits[] = "0123456789ABCDEF";
    for (int k = 0; k < 4; ++k)
        pdf[at + k] = digits[(*found >> (12 - 4 * k)) & 0xF];
}

} // namespace

QByteArray withIdeographsForRadicals(QByteArray pdf, const QList<QFont>& fonts)
{
    const QHash<char16_t, char16_t> map = radicalIdeographs(fonts);
    if (map.isEmpty())
        return pdf;

    qsizetype from = 0;
    while (true) {
        const qsizetype cmap = pdf.indexOf("begincmap", from);
        if (cmap < 0)
            break;
        const qsizetype cmapEnd = pdf.indexOf("endcmap", cmap);
        if (cmapEnd < 0)
            break;
        enum class Section { None, Range, Char } section = Section::None;
        qsizetype line = cmap;
        while (line < cmapEnd) {
            qsizetype lineEnd = pdf.indexOf('\n', line);
            if (lineEnd < 0 || lineEnd > cmapEnd)
                lineEnd = cmapEnd;
            const QByteArray head = pdf.mid(line, std::min<qsizetype>(lineEnd - line, 32));
            if (head.contains("beginbfrange")) {
                section = Section::Range;
            } else if (head.contains("beginbfchar")) {
                section = Section::Char;
            } else if (head.startsWith("endbf")) {
                section = Section::None;
            } else if (section != Section::None && head.startsWith('<')) {
                qsizetype bracket = -1;
                const QList<qsizetype> tokens = tokensOnLine(pdf, line, lineEnd, &bracket);
                // Only the characters are rewritten, never the glyph codes;
                // a linear range keeps its start, which its followers count from.
                if (section == Section::Char && tokens.size() == 2) {
                    replaceToken(pdf, tokens[1], map);
                } else if (section == Section::Range && bracket >= 0) {
                    for (qsizetype t = bracket; t < tokens.size(); ++t)
                        replaceToken(pdf, tokens[t], map);
                } else if (section == Section::Range && tokens.size() == 3 && tokens[0] >= 0 && tokens[1] >= 0 &&
                           pdf.mid(tokens[0], 4) == pdf.mid(tokens[1], 4)) {
                    replaceToken(pdf, tokens[2], map);
                }
            }
            line = lineEnd + 1;
        }
        from = cmapEnd;
    }
    return pdf;
}

} // namespace tarnwick::pdfout
