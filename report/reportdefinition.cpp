#include "report/reportdefinition.h"

#include "resources/fonts.h"
#include "store/names.h"

#include <QCoreApplication>
#include <QStringList>

namespace tarnwick::report {

namespace names = store::names;

const QList<ReportColumn>& reportColumns()
{
    // Two columns are headed differently from their fields: "计算方式" shows
    // the method, "系统阻力" the system resistance stored as "总扬程".
    static const QList<ReportColumn> columns = {
        {QCoreApplication::translate("tarnwick::report", "计算时间"), QString(), names::calculationTime(), 10, 1870,
         false},
        {QCoreApplication::translate("tarnwick::report", "计算方式"), QString(), names::method(), 1900, 1020, false},
        {QCoreApplication::translate("tarnwick::report", "系统阻力"), QStringLiteral("(m)"), names::totalHead(), 2940,
         1020, false},
        {QCoreApplication::translate("tarnwick::report", "流量"), QStringLiteral("(m3/h)"), names::designFlow(), 3980,
         830, false},
        {QCoreApplication::translate("tarnwick::report", "静扬程"), QStringLiteral("(m)"), names::staticHead(), 4830,
         830, true},
        {QCoreApplication::translate("tarnwick::report", "所选型号"), QString(), names::selectedModel(), 5680, 1500,
         false},
        {QCoreApplication::translate("tarnwick::report", "最高效率"), QStringLiteral("(%)"), names::bestEfficiency(),
         7200, 1000, true},
        {QCoreApplication::translate("tarnwick::report", "实际扬程"), QStringLiteral("(m)"), names::operatingHead(),
         8240, 1000, false},
        {QCoreApplication::translate("tarnwick::report", "实际流量"), QStringLiteral("(m3/h)"), names::operatingFlow(),
         9280, 1000, false},
        {QCoreApplication::translate("tarnwick::report", "实际效率"), QStringLiteral("(%)"),
         names::operatingEfficiency(), 10320, 1000, false},
    };
    return columns;
}

QString replaceReportCodes(const QString& text, const QString& date, int page, int pageCount)
{
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('%') && i + 1 < text.size()) {
            const QChar code = text.at(i + 1);
            if (code == QLatin1Char('D')) {
                out += date;
                ++i;
                continue;
            }
            if (code == QLatin1Char('p')) {
                out += QString::number(page);
                ++i;
                continue;
            }
            if (code == QLatin1Char('P')) {
                out += QString::number(pageCount);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QFont reportFont(const QString& traditionalName, int sizeTwips, bool bold)
{
    // Both of the report's faces are serif faces of GB2312 text.
    QFont font(fontFamilyFor(traditionalName));
    font.setPixelSize(sizeTwips);
    font.setBold(bold);
    // The layout is in twips on every device; hinting would make text widths
    // depend on the resolution.
    font.setHintingPreference(QFont::PreferNoHinting);
    // Glyphs straight from the character map: shaped glyph variants (digits
    // next to Latin letters) lose their characters in an exported PDF, whose
    // text could then not be searched or copied.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QFont reportTextFont()
{
    return reportFont(QStringLiteral("宋体"), twip::kTextSize);
}

QFont reportTitleFont()
{
    return reportFont(QStringLiteral("华文中宋"), twip::kTitleSize, true);
}

} // namespace tarnwick::report
