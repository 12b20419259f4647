#include "datasheet/datasheet.h"

#include "core/fitquality.h"
#include "core/fluid.h"
#include "core/numbers.h"
#include "datasheet/varspeeddrawing.h"
#include "pdfout/pdffile.h"
#include "resources/fonts.h"
#include "store/coretext.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace {

// Texts of the sheet.
QString sheetTitle()
{
    return QCoreApplication::translate("tarnwick::datasheet", "水泵选型资料单");
}

// Page geometry in millimetres; converted to device units in one place.
constexpr double kPageWidth = 210.0;
constexpr double kMargin = 12.0;
constexpr double kContentWidth = kPageWidth - 2 * kMargin;
constexpr double kChartWidth = 118.0;
constexpr double kChartHeight = kChartWidth * kChartHeightTwips / kChartWidthTwips;
constexpr double kRowHeight = 5.4;
// The foot line, and the lowest the chart's section may start so that the
// chart and its ticks end above it.
constexpr double kFootTop = 297.0 - 2 * kMargin - 4.0;
constexpr double kLowestChartSection = kFootTop - 2.0 - (7.5 + 6.0 + kChartHeight + 10.0);

// Shaping would give digits beside Latin letters alternate glyphs that have
// no character in the PDF's maps: copied or searched text would lose them.
QFont sheetFont(QFont font)
{
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QString number(double value)
{
    return std::isfinite(value) ? QString::fromStdString(numberText(value)) : QString();
}

// What every kind of sheet takes from the catalogue, and the program's own line.
DataSheet commonSheet(const DutyTexts& duty, const store::SheetData& data, const SheetHeader& header,
                      const QString& model)
{
    DataSheet sheet;
    sheet.header = header;
    sheet.duty = duty;
    sheet.model = model;
    sheet.pumpType = data.pumpType;
    sheet.viewFields = data.viewFields;
    sheet.dimensions = data.dimensions;
    sheet.schematic = QImage::fromData(data.schematic);
    sheet.programVersion = QStringLiteral(TARNWICK_VERSION);
    sheet.databaseFile = data.databaseFile;
    return sheet;
}

// Draws the chart's calls as vector paths at the device's resolution: each
// run of plotted points becomes one polyline, cut where the points jump.
class VectorChartSurface : public ChartSurface
{
public:
    VectorChartSurface(QPainter& painter, const QRectF& area, double unitsPerMm)
        : m_painter(painter), m_area(area), m_unit(unitsPerMm)
    {
    }
    ~VectorChartSurface() override { flush(); }

    bool setScale(double left, double top, double right, double bottom) override
    {
        const double width = right - left;
        const double height = bottom - top;
        if (!std::isfinite(width) || !std::isfinite(height) || width == 0.0 || height == 0.0)
            return false;
        flush();
        m_left = left;
        m_top = top;
        m_right = right;
        m_bottom = bottom;
        return true;
    }

    void plot(double x, double y, const QColor& color) override
    {
        const QPointF p = toDevice(x, y);
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()) || std::fabs(p.x()) > 1e7 || std::fabs(p.y()) > 1e7) {
            flush();
            return;
        }
        if (!m_line.isEmpty()) {
            const QPointF d = p - m_line.last();
            const double distance = std::hypot(d.x(), d.y());
            if (color != m_color || distance > 3.0 * m_unit)
                flush();
            else if (distance < 0.05 * m_unit)
                return; // finer than the pen
        }
        m_color = color;
        m_line.append(p);
    }

    void circle(double x, double y, double radius, const QColor& color) override
    {
        flush();
        const QPointF centre = toDevice(x, y);
        const double r = std::fabs(radius / (m_right - m_left) * m_area.width());
        if (!std::isfinite(centre.x()) || !std::isfinite(centre.y()) || !std::isfinite(r) || r > 1e6)
            return;
        m_painter.setPen(QPen(color, 0.3 * m_unit));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawEllipse(centre, r, r);
    }

    void marker(double x, double y, const QColor& color) override
    {
        flush();
        const QPointF p = toDevice(x, y);
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()) || std::fabs(p.x()) > 1e7 || std::fabs(p.y()) > 1e7)
            return;
        const double half = 0.6 * m_unit;
        m_painter.setPen(QPen(color, 0.2 * m_unit));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(QRectF(p.x() - half, p.y() - half, 2 * half, 2 * half));
    }

private:
    QPointF toDevice(double x, double y) const
    {
        return QPointF(m_area.left() + (x - m_left) / (m_right - m_left) * m_area.width(),
                       m_area.top() + (y - m_top) / (m_bottom - m_top) * m_area.height());
    }

    void flush()
    {
        if (m_line.size() >= 2) {
            m_painter.setPen(QPen(m_color, 0.3 * m_unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawPolyline(m_line.constData(), static_cast<int>(m_line.size()));
        } else if (m_line.size() == 1) {
            m_painter.setPen(QPen(m_color, 0.3 * m_unit, Qt::SolidLine, Qt::RoundCap));
            m_painter.drawPoint(m_line.first());
        }
        m_line.clear();
    }

    QPainter& m_painter;
    QRectF m_area;
    double m_unit;
    double m_left = 0.0, m_top = 0.0, m_right = 1.0, m_bottom = 0.0;
    QList<QPointF> m_line;
    QColor m_color;
};

// Painting in millimetres on the page, fonts in points.
class PagePainter
{
public:
    PagePainter(QPainter& painter) : p(painter)
    {
        const QPaintDevice* device = painter.device();
        unit = device->logicalDpiX() / 25.4;
        // The painter starts at the printable area; the layout counts from
        // the sheet's own margin.
        if (auto* paged = dynamic_cast<QPagedPaintDevice*>(painter.device())) {
            const QRectF paint = paged->pageLayout().paintRect(QPageLayout::Millimeter);
            originX = kMargin - paint.left();
            originY = kMargin - paint.top();
        }
    }

    double mm(double v) const { return v * unit; }
    QPointF at(double x, double y) const { return QPointF(mm(originX + x), mm(originY + y)); }
    QRectF rect(double x, double y, double w, double h) const { return QRectF(at(x, y), QSizeF(mm(w), mm(h))); }

    void font(double points, bool bold = false, const QString& face = QStringLiteral("宋体"))
    {
        QFont f(fontFamilyFor(face));
        f.setPointSizeF(points);
        f.setBold(bold);
        p.setFont(sheetFont(f));
    }
    void text(double x, double y, double w, double h, const QString& s, int flags = Qt::AlignLeft | Qt::AlignVCenter)
    {
        p.setPen(Qt::black);
        p.drawText(rect(x, y, w, h), flags, s);
    }
    void line(double x1, double y1, double x2, double y2, double width = 0.2)
    {
        p.setPen(QPen(Qt::black, mm(width)));
        p.drawLine(at(x1, y1), at(x2, y2));
    }
    void frame(double x, double y, double w, double h, double width = 0.2)
    {
        p.setPen(QPen(Qt::black, mm(width)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect(x, y, w, h));
    }

    QPainter& p;
    double unit = 1.0;
    double originX = 0.0;
    double originY = 0.0;
};

// A text in one line of the cell, in the size given or smaller until it fits
// (down to 5.5 pt); beyond that it wraps onto two lines.
void fittedText(PagePainter& pp, double x, double y, double w, double h, const QString& s, double points,
                bool bold = true)
{
    constexpr double kSmallest = 5.5;
    double size = points;
    for (;; size -= 0.5) {
        pp.font(size, bold);
        const QFontMetricsF fm(pp.p.font(), pp.p.device());
        if (fm.horizontalAdvance(s) <= pp.mm(w) || size <= kSmallest)
            break;
    }
    const QFontMetricsF fm(pp.p.font(), pp.p.device());
    if (fm.horizontalAdvance(s) <= pp.mm(w))
        pp.text(x, y, w, h, s);
    else
        pp.text(x, y, w, h, s, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWrapAnywhere);
}

// Where the schematic's picture and the dimension text go in `room` mm of
// height: the text whole, in one or two columns.
struct DimensionLayout
{
    double pictureHeight = 44.0;
    double points = 7.5;
    QStringList columns;
    double textHeight = 0.0; // mm
};

DimensionLayout layOutDimensions(PagePainter& pp, const QString& text, double width, double room)
{
    constexpr double kLargestPicture = 44.0;
    constexpr double kSmallestPicture = 24.0;
    constexpr double kCaption = 6.0;
    DimensionLayout layout;
    if (text.isEmpty()) {
        layout.pictureHeight = std::min(kLargestPicture, room);
        return layout;
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    auto measure = [&](const QStringList& columns, double columnWidth) {
        double tallest = 0.0;
        for (const QString& column : columns) {
            const QRectF used = pp.p.boundingRect(QRectF(0, 0, pp.mm(columnWidth), 1e6),
                                                  Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, column);
            tallest = std::max(tallest, used.height() / pp.unit);
        }
        return tallest;
    };
    const qsizetype half = (lines.size() + 1) / 2;
    const QStringList twoColumns = {lines.mid(0, half).join(QLatin1Char('\n')),
                                    lines.mid(half).join(QLatin1Char('\n'))};
    for (int columns = 1; columns <= 2; ++columns) {
        for (double points = 7.5; points >= 5.5; points -= 0.5) {
            pp.font(points);
            const QStringList parts = columns == 1 ? QStringList{text} : twoColumns;
            const double height = measure(parts, width / columns);
            const double picture = std::min(kLargestPicture, room - kCaption - height);
            layout = {picture, points, parts, height};
            if (picture >= kSmallestPicture)
                return layout;
        }
    }
    // Nothing fits with the smallest picture: the picture shrinks further.
    layout.pictureHeight = std::max(8.0, room - kCaption - layout.textHeight);
    return layout;
}

// A section heading with a rule under it; returns the y below it.
double heading(PagePainter& pp, double y, const QString& title)
{
    pp.font(10.5, true, QStringLiteral("黑体"));
    pp.text(0, y, kContentWidth, 6, title);
    pp.line(0, y + 6, kContentWidth, y + 6, 0.3);
    return y + 7.5;
}

// Caption / value pairs in `columns` columns across the width.
double fieldTable(PagePainter& pp, double x, double y, double width, const QList<SheetField>& fields, int columns,
                  double captionWidth)
{
    const double columnWidth = width / columns;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const double cx = x + static_cast<double>(i % columns) * columnWidth;
        const double cy = y + static_cast<double>(i / columns) * kRowHeight;
        pp.font(8.5);
        pp.text(cx, cy, captionWidth, kRowHeight, fields[i].caption);
        fittedText(pp, cx + captionWidth, cy, columnWidth - captionWidth - 1, kRowHeight, fields[i].value, 8.5);
        pp.line(cx, cy + kRowHeight, cx + columnWidth - 2, cy + kRowHeight, 0.1);
    }
    const qsizetype rows = (fields.size() + columns - 1) / columns;
    return y + static_cast<double>(rows) * kRowHeight;
}

void paintChart(PagePainter& pp, double x, double y, const DataSheet& sheet)
{
    QPainter& p = pp.p;
    const QRectF area = pp.rect(x, y, kChartWidth, kChartHeight);
    p.save();
    p.fillRect(area, chartBackground());
    p.setClipRect(area);
    ChartTicks ticks;
    {
        VectorChartSurface surface(p, area, pp.unit);
        ticks = drawPerformanceChart(surface, sheet.chart);
    }
    // The fixed grid lies on top of the drawing, as in the window.
    p.setPen(QPen(chartGridColor(), pp.mm(0.15)));
    const double perTwip = kChartWidth / kChartWidthTwips;
    for (int row : kChartGridRows)
        p.drawLine(pp.at(x, y + row * perTwip), pp.at(x + kChartWidth, y + row * perTwip));
    for (int column = 1; column <= kChartGridColumns; ++column) {
        const double cx = x + column * kChartGridColumnSpacing * perTwip;
        p.drawLine(pp.at(cx, y), pp.at(cx, y + kChartHeight));
    }
    p.restore();
    pp.frame(x, y, kChartWidth, kChartHeight, 0.2);

    // Ticks: efficiency (fixed) and power on the left, head on the right,
    // flow below, each at its place on the axis.
    pp.font(7);
    const double bottom = y + kChartHeight;
    for (int i = 0; i < 5; ++i) {
        const double eta = 100.0 - 20.0 * i;
        const double ey = y + (100.0 - eta) / 150.0 * kChartHeight;
        pp.text(x - 9, ey - 2, 8, 4, QString::number(eta), Qt::AlignRight | Qt::AlignVCenter);
        const double fraction = (i + 1) / 5.0;
        const double py = bottom - fraction / 3.0 * kChartHeight;
        pp.text(x - 9, py - 2, 8, 4, ticks.power[static_cast<std::size_t>(i)], Qt::AlignRight | Qt::AlignVCenter);
        const double hy = bottom - fraction / 1.5 * kChartHeight;
        pp.text(x + kChartWidth + 1, hy - 2, 12, 4, ticks.head[static_cast<std::size_t>(i)]);
        const double fx = x + fraction * kChartWidth;
        pp.text(fx - 8, bottom + 0.5, 16, 4, ticks.flow[static_cast<std::size_t>(i)], Qt::AlignHCenter | Qt::AlignTop);
    }
    pp.text(x - 9, bottom - 2, 8, 4, QStringLiteral("0"), Qt::AlignRight | Qt::AlignVCenter);
    pp.text(x - 9, y - 6, 20, 4, QStringLiteral("η(%)"));
    pp.text(x - 10, y + 0.6 * kChartHeight - 2, 10, 4, QStringLiteral("N(kW)"), Qt::AlignRight | Qt::AlignVCenter);
    pp.text(x + kChartWidth + 1, y + 0.2 * kChartHeight, 16, 4, QStringLiteral("H(mH₂O)"));
    pp.text(x + kChartWidth - 20, bottom + 4.5, 20, 4, QStringLiteral("G(m³/h)"), Qt::AlignRight | Qt::AlignTop);
}

void paintLegend(PagePainter& pp, double x, double y)
{
    struct Entry
    {
        QString text;
        QColor color;
        bool circle;
    };
    const Entry entries[] = {
        {QCoreApplication::translate("tarnwick::datasheet", "η-G 效率曲线"), efficiencyCurveColor(), false},
        {QCoreApplication::translate("tarnwick::datasheet", "H-G 扬程曲线"), headCurveColor(), false},
        {QCoreApplication::translate("tarnwick::datasheet", "N-G 轴功率曲线"), powerCurveColor(), false},
        {QCoreApplication::translate("tarnwick::datasheet", "管路特性曲线"), systemCurveColor(), false},
        {QCoreApplication::translate("tarnwick::datasheet", "用户参数"), systemCurveColor(), true},
        {QCoreApplication::translate("tarnwick::datasheet", "实际运行点"), headCurveColor(), true},
        {QCoreApplication::translate("tarnwick::datasheet", "样本测点（同色方框）"), headCurveColor(), false},
    };
    pp.font(8, true);
    pp.text(x, y, 40, 5, QCoreApplication::translate("tarnwick::datasheet", "图例"));
    double cy = y + 6;
    QPainter& p = pp.p;
    for (const Entry& e : entries) {
        const QRectF swatch = pp.rect(x, cy, 9, 4);
        p.fillRect(swatch, chartBackground());
        p.setBrush(Qt::NoBrush);
        if (e.circle) {
            p.setPen(QPen(e.color, pp.mm(0.3)));
            p.drawEllipse(swatch.center(), pp.mm(1.3), pp.mm(1.3));
        } else if (&e == &entries[6]) {
            p.setPen(QPen(e.color, pp.mm(0.2)));
            p.drawRect(QRectF(swatch.center() - QPointF(pp.mm(0.6), pp.mm(0.6)), QSizeF(pp.mm(1.2), pp.mm(1.2))));
        } else {
            p.setPen(QPen(e.color, pp.mm(0.5)));
            p.drawLine(pp.at(x + 1, cy + 2), pp.at(x + 8, cy + 2));
        }
        pp.font(7.5);
        pp.text(x + 10.5, cy, 40, 4, e.text);
        cy += 5;
    }
}

QString percent(double v)
{
    return std::isfinite(v) ? QString::number(v, 'f', 2) + QStringLiteral(" %") : QStringLiteral("—");
}

QString r2(double v)
{
    return std::isfinite(v) ? QString::number(v, 'f', 4) : QStringLiteral("—");
}

// The small print at the foot of the page.
// The fit quality box of a page, its top left at (x, y).
void paintFitQuality(PagePainter& pp, double x, double y, double width, const FitQuality& q)
{
    pp.font(8, true);
    pp.text(x, y, width, 5, QCoreApplication::translate("tarnwick::datasheet", "曲线拟合质量"));
    y += 6;
    const QList<SheetField> fit = {
        {QCoreApplication::translate("tarnwick::datasheet", "扬程最大偏差"), percent(q.headDeviationPercent)},
        {QCoreApplication::translate("tarnwick::datasheet", "扬程 R²"), r2(q.headR2)},
        {QCoreApplication::translate("tarnwick::datasheet", "轴功率最大偏差"), percent(q.powerDeviationPercent)},
        {QCoreApplication::translate("tarnwick::datasheet", "轴功率 R²"), r2(q.powerR2)},
    };
    y = fieldTable(pp, x, y, width, fit, 1, 24) + 1;
    pp.font(6.5);
    pp.text(x, y, width, 12,
            QCoreApplication::translate("tarnwick::datasheet",
                                        "偏差为拟合曲线与样本测点之差的最大值占最大扬程（轴功率）的百分比。"),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
}

void paintSmallPrint(PagePainter& pp, const DataSheet& sheet)
{
    pp.line(0, kFootTop - 1, kContentWidth, kFootTop - 1, 0.1);
    pp.font(6.5);
    pp.text(0, kFootTop, kContentWidth, 4,
            QCoreApplication::translate("tarnwick::datasheet", "Tarnwick %1    数据库：%2")
                .arg(sheet.programVersion, sheet.databaseFile));
}

QString fixed(double value, int decimals, double scale = 1.0)
{
    return std::isfinite(value) ? QString::number(value * scale, 'f', decimals) : QStringLiteral("—");
}

QString varSpeedMethod()
{
    return QCoreApplication::translate("tarnwick::datasheet", "变速节能选型");
}

// The bottom of a variable-speed page: the chart, the load table (header of
// two lines, then one row per point) and the year's figures.
constexpr double kSpeedChartHeight = 56.0;
constexpr double kSpeedChartWidth = 138.0;
constexpr double kLoadHeaderHeight = 8.0;
constexpr double kLoadRowHeight = 4.6;
constexpr double kFootnoteHeight = 6.0;

QString varSpeedFootnote()
{
    return QCoreApplication::translate("tarnwick::datasheet",
                                       "单台轴功率为一台运行水泵的轴功率，合计输入功率为全部运行水泵从电网取用的功率。"
                                       "a 等效流量超出样本实测流量范围；b 最低转速运行，多余扬程由阀门节流；"
                                       "c 不在优先工作区（qe/Qbep 0.70～1.20，ANSI/HI 9.6.3）。"
                                       "加权综合效率＝全年水力能量÷全年耗电量。");
}

double varSpeedBottomHeight(const VarSpeedSheetPart& part)
{
    const double rows = static_cast<double>(part.pump.points.size() + 1);
    return 7.5 + kSpeedChartHeight + 2 + 7.5 + kLoadHeaderHeight + rows * kLoadRowHeight + kFootnoteHeight +
           kRowHeight + 2;
}

// The inputs of the selection beyond the duty.
QList<SheetField> varSpeedInputFields(const VarSpeedSheetPart& part)
{
    const VarSpeedRequest& r = part.request;
    QString control = store::coreText(controlModeName(r.control));
    if (r.control == ControlMode::Proportional)
        control += QCoreApplication::translate("tarnwick::datasheet", "（起点 %1 %）")
                       .arg(fixed(r.proportionalShare, 0, 100.0));
    else if (r.control == ControlMode::CriticalCircuit)
        control += QCoreApplication::translate("tarnwick::datasheet", "（设定值 %1 m）").arg(fixed(r.setpoint, 2));
    QStringList profile;
    for (const LoadShare& share : r.profile)
        profile << QStringLiteral("%1:%2").arg(number(share.flowShare * 100.0), number(share.timeShare * 100.0));
    return {
        {QCoreApplication::translate("tarnwick::datasheet", "控制方式"), control},
        {QCoreApplication::translate("tarnwick::datasheet", "设计扬程"), fixed(r.designHead, 2) + QStringLiteral(" m")},
        {QCoreApplication::translate("tarnwick::datasheet", "水泵台数"),
         QCoreApplication::translate("tarnwick::datasheet", "%1+%2（%1 用 %2 备）")
             .arg(part.pump.dutyPumps)
             .arg(part.pump.standbyPumps)},
        {QCoreApplication::translate("tarnwick::datasheet", "负荷分布"), profile.join(QLatin1Char(','))},
        {QCoreApplication::translate("tarnwick::datasheet", "年运行小时"), number(r.hours) + QStringLiteral(" h")},
        {QCoreApplication::translate("tarnwick::datasheet", "电价"),
         number(r.price) + QCoreApplication::translate("tarnwick::datasheet", " 元/kWh")},
        {QCoreApplication::translate("tarnwick::datasheet", "流体密度"), number(r.density) + QStringLiteral(" kg/m3")},
        {QCoreApplication::translate("tarnwick::datasheet", "转速比范围"),
         fixed(r.minSpeed, 0, 100.0) + QCoreApplication::translate("tarnwick::datasheet", "～") +
             fixed(r.maxSpeed, 0, 100.0) + QStringLiteral(" %")},
        {QCoreApplication::translate("tarnwick::datasheet", "电机储备系数"), number(r.motorMargin)},
    };
}

QList<SheetField> varSpeedOperatingFields(const DataSheet& sheet)
{
    const VarSpeedPump& p = sheet.varSpeed->pump;
    const double top = sheet.varSpeed->request.maxSpeed;
    return {
        {QCoreApplication::translate("tarnwick::datasheet", "水泵型号"), sheet.model},
        {QCoreApplication::translate("tarnwick::datasheet", "转速"),
         sheet.speed ? number(*sheet.speed) + QStringLiteral(" r/min") : QString()},
        {QCoreApplication::translate("tarnwick::datasheet", "电机功率"),
         number(p.motorRating) + QCoreApplication::translate("tarnwick::datasheet", " kW（%1）")
                                     .arg(p.motorSource == MotorSource::Catalogue
                                              ? QCoreApplication::translate("tarnwick::datasheet", "样本配用")
                                              : QCoreApplication::translate("tarnwick::datasheet", "按曲线选配"))},
        {QCoreApplication::translate("tarnwick::datasheet", "单台最大轴功率"),
         fixed(p.topSpeedPower, 2) +
             (top < 1.0
                  ? QCoreApplication::translate("tarnwick::datasheet", " kW（%1 %转速）").arg(fixed(top, 0, 100.0))
                  : QCoreApplication::translate("tarnwick::datasheet", " kW（全速）"))},
        {QCoreApplication::translate("tarnwick::datasheet", "最高效率点流量"),
         fixed(p.curves.bestEfficiencyFlow, 1) + QStringLiteral(" m3/h")},
        {QCoreApplication::translate("tarnwick::datasheet", "水泵最高效率"),
         fixed(p.curves.bestEfficiency, 1, 100.0) + QStringLiteral(" %")},
        {QCoreApplication::translate("tarnwick::datasheet", "设计点转速比"),
         fixed(p.design.speedShare, 1, 100.0) + QStringLiteral(" %")},
        {QCoreApplication::translate("tarnwick::datasheet", "设计点水泵效率"),
         fixed(p.design.pumpEfficiency, 1, 100.0) + QStringLiteral(" %")},
        {QCoreApplication::translate("tarnwick::datasheet", "设计点输入功率"),
         fixed(p.design.inputPower, 2) + QStringLiteral(" kW")},
    };
}

// The chart, the load table and the year's figures from `y` down.
void paintVarSpeedBottom(PagePainter& pp, double y, const DataSheet& sheet)
{
    const VarSpeedSheetPart& part = *sheet.varSpeed;
    y = heading(pp, y, QCoreApplication::translate("tarnwick::datasheet", "变速运行曲线"));
    pp.font(7);
    paintVarSpeedChart(pp.p, pp.rect(0, y, kSpeedChartWidth, kSpeedChartHeight),
                       varSpeedChartData(part.pump, part.request), false, QColor(90, 90, 90), pp.mm(0.2));

    // Fit quality beside the chart.
    const double fitLeft = kSpeedChartWidth + 6;
    const double fitWidth = kContentWidth - fitLeft;
    double fy = y + 4;
    paintFitQuality(pp, fitLeft, fy, fitWidth, sheet.fitQuality);
    y += kSpeedChartHeight + 2;

    // The load table: the design point, then the profile's rows.
    y = heading(pp, y, QCoreApplication::translate("tarnwick::datasheet", "负荷点运行参数"));
    const QStringList headings = varSpeedLoadHeadings();
    const VarSpeedSheetFigures figures = varSpeedSheetFigures(part);
    const double first = 22.0;
    const double column = (kContentWidth - first) / static_cast<double>(headings.size() - 1);
    auto left = [&](int i) { return i == 0 ? 0.0 : first + (i - 1) * column; };
    auto width = [&](int i) { return i == 0 ? first : column; };
    pp.font(6.5, true);
    for (int i = 0; i < headings.size(); ++i)
        pp.text(left(i), y, width(i), kLoadHeaderHeight, headings[i], Qt::AlignCenter);
    pp.line(0, y + kLoadHeaderHeight, kContentWidth, y + kLoadHeaderHeight, 0.2);
    y += kLoadHeaderHeight;
    pp.font(7.5);
    for (const QStringList& row : figures.loadRows) {
        for (int i = 0; i < row.size() && i < headings.size(); ++i)
            pp.text(left(i) + 0.5, y, width(i) - 1, kLoadRowHeight, row[i],
                    (i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        pp.line(0, y + kLoadRowHeight, kContentWidth, y + kLoadRowHeight, 0.1);
        y += kLoadRowHeight;
    }
    pp.font(6.5);
    pp.text(0, y + 0.3, kContentWidth, kFootnoteHeight, varSpeedFootnote(),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    y += kFootnoteHeight;

    const QList<SheetField> year = {
        {QCoreApplication::translate("tarnwick::datasheet", "年耗电量"), figures.annualEnergy + QStringLiteral(" kWh")},
        {QCoreApplication::translate("tarnwick::datasheet", "年电费"),
         figures.annualCost + QCoreApplication::translate("tarnwick::datasheet", " 元")},
        {QCoreApplication::translate("tarnwick::datasheet", "加权综合效率"),
         figures.weightedEfficiency + QStringLiteral(" %")},
        {QCoreApplication::translate("tarnwick::datasheet", "优先工作区外"),
         figures.timeOutsidePreferredRegion + QCoreApplication::translate("tarnwick::datasheet", " % 时间")},
    };
    fieldTable(pp, 0, y, kContentWidth, year, 4, 20);
}

QString fixedText(double v, int decimals)
{
    return std::isfinite(v) ? QString::number(v, 'f', decimals) : QString();
}

QList<SheetField> conditionFieldsOf(const PumpExtras& x, const ServiceConditions& c)
{
    // Short captions and values: the sheet's cells are narrow.
    QList<SheetField> fields;
    if (!c.any())
        return fields;
    fields.append({QCoreApplication::translate("tarnwick::datasheet", "最高效率点"),
                   fixedText(x.bestEfficiencyFlow, 1) + QStringLiteral(" m3/h")});
    fields.append({QCoreApplication::translate("tarnwick::datasheet", "流量比"),
                   fixedText(100.0 * x.bestEfficiencyShare, 0) + QStringLiteral("%") +
                       (x.inPreferredRegion ? QCoreApplication::translate("tarnwick::datasheet", "（区内）")
                                            : QCoreApplication::translate("tarnwick::datasheet", "（区外）"))});
    if (c.fluid) {
        const FluidSpec& f = *c.fluid;
        QString name = f.kind == FluidKind::Water ? QCoreApplication::translate("tarnwick::datasheet", "水")
                       : f.kind == FluidKind::EthyleneGlycol
                           ? QCoreApplication::translate("tarnwick::datasheet", "乙二醇")
                           : QCoreApplication::translate("tarnwick::datasheet", "丙二醇");
        if (f.kind != FluidKind::Water)
            name += QLatin1Char(' ') + fixedText(f.concentration, 0) + QLatin1Char('%');
        fields.append({QCoreApplication::translate("tarnwick::datasheet", "介质"), name});
        fields.append({QCoreApplication::translate("tarnwick::datasheet", "介质温度"),
                       fixedText(f.temperature, 1) + QStringLiteral(" ℃")});
        fields.append({QCoreApplication::translate("tarnwick::datasheet", "密度"),
                       fixedText(c.properties.density, 1) + QStringLiteral(" kg/m3")});
        fields.append({QCoreApplication::translate("tarnwick::datasheet", "运动粘度"),
                       fixedText(c.properties.kinematicViscosity, 2) + QStringLiteral(" cSt")});
        if (x.viscosity && x.viscosity->needed()) {
            fields.append(
                {QCoreApplication::translate("tarnwick::datasheet", "粘度参数B"), fixedText(x.viscosity->b, 2)});
            fields.append({QStringLiteral("CQ/CH/Cη"), fixedText(x.viscosity->cq, 3) + QLatin1Char('/') +
                                                          fixedText(x.viscosity->ch, 3) + QLatin1Char('/') +
                                                          fixedText(x.viscosity->ceta, 3)});
        }
    }
    if (c.suctionAbsolutePressure && x.npsh) {
        fields.append({QCoreApplication::translate("tarnwick::datasheet", "有效汽蚀余量"),
                       fixedText(x.npsh->available, 2) + QStringLiteral(" m")});
        fields.append({QCoreApplication::translate("tarnwick::datasheet", "必需汽蚀余量"),
                       fixedText(x.npsh->required, 2) + QStringLiteral(" m")});
    }
    if (c.trim && x.trim) {
        if (x.trim->limited) {
            fields.append({QCoreApplication::translate("tarnwick::datasheet", "叶轮切削"),
                           QCoreApplication::translate("tarnwick::datasheet", "超过%1%，不切削")
                               .arg(fixedText(c.maxTrimPercent, 0))});
        } else {
            fields.append({QCoreApplication::translate("tarnwick::datasheet", "切削后外径"),
                           x.trim->diameter ? fixedText(*x.trim->diameter, 1) + QStringLiteral(" mm") : QString()});
            fields.append({QCoreApplication::translate("tarnwick::datasheet", "切削比"),
                           fixedText(100.0 * x.trim->ratio, 1) + QStringLiteral("%")});
            fields.append({QCoreApplication::translate("tarnwick::datasheet", "切削后轴功率"),
                           fixedText(x.trim->shaftPower, 2) + QStringLiteral(" kW")});
            fields.append({QCoreApplication::translate("tarnwick::datasheet", "切削后效率*"),
                           fixedText(x.trim->efficiency, 1) + QStringLiteral("%")});
        }
    }
    if (c.trim && x.trim && !x.trim->limited)
        fields.append({QStringLiteral("*"), QCoreApplication::translate("tarnwick::datasheet", "按等效工作点")});
    return fields;
}

} // namespace

DataSheet candidateSheet(const DesignCandidate& candidate, const SelectionRequest& request, const DutyTexts& duty,
                         const store::SheetData& data, const SheetHeader& header)
{
    DataSheet sheet = commonSheet(duty, data, header, QString::fromStdString(candidate.model));
    sheet.method = QCoreApplication::translate("tarnwick::datasheet", "设计");
    sheet.request = request;
    sheet.speed = candidate.speed;
    sheet.operatingFlow = candidate.operatingFlow;
    sheet.operatingHead = candidate.operatingHead;
    sheet.operatingEfficiency = candidate.operatingEfficiency;
    sheet.operatingPower = candidate.operatingPower;
    sheet.bestEfficiency = candidate.bestEfficiency;
    sheet.fitQuality = candidate.fitQuality;
    sheet.chart = chartInputFor(candidate, request);
    sheet.conditionFields = conditionFieldsOf(candidate.extras, candidate.conditions);
    return sheet;
}

DataSheet checkedSheet(const CheckedPump& pump, const DutyTexts& duty, const store::SheetData& data,
                       const SheetHeader& header)
{
    DataSheet sheet = commonSheet(duty, data, header, QString::fromStdString(pump.model));
    sheet.method = QCoreApplication::translate("tarnwick::datasheet", "校核");
    sheet.request = pump.request;
    sheet.speed = data.speed;
    sheet.operatingFlow = pump.operatingFlow;
    sheet.operatingHead = pump.operatingHead;
    sheet.operatingEfficiency = pump.operatingEfficiency;
    sheet.operatingPower = pump.operatingPower;
    sheet.bestEfficiency = pump.bestEfficiency;
    sheet.fitQuality = pump.fitQuality;
    sheet.chart = chartInputFor(pump, pump.request);
    sheet.conditionFields = conditionFieldsOf(pump.extras, pump.conditions);
    return sheet;
}

DataSheet varSpeedSheet(const VarSpeedPump& pump, const VarSpeedRequest& request, const DutyTexts& duty,
                        const store::SheetData& data, const SheetHeader& header)
{
    DataSheet sheet = commonSheet(duty, data, header, QString::fromStdString(pump.curves.model));
    sheet.method = varSpeedMethod();
    sheet.request = request.duty;
    sheet.speed = pump.curves.speed;
    sheet.operatingFlow = pump.design.flow;
    sheet.operatingHead = pump.design.head;
    sheet.operatingEfficiency = pump.design.pumpEfficiency * 100.0; // in percent, as the other sheets
    sheet.operatingPower = pump.design.shaftPower;
    sheet.bestEfficiency = static_cast<float>(pump.curves.bestEfficiency * 100.0);
    if (data.fitQuality)
        sheet.fitQuality = *data.fitQuality;
    sheet.varSpeed = VarSpeedSheetPart{pump, request};
    return sheet;
}

QStringList varSpeedLoadHeadings()
{
    return {QCoreApplication::translate("tarnwick::datasheet", "负荷点"),
            QCoreApplication::translate("tarnwick::datasheet", "流量\nm3/h"),
            QCoreApplication::translate("tarnwick::datasheet", "扬程\nm"),
            QCoreApplication::translate("tarnwick::datasheet", "台数"),
            QCoreApplication::translate("tarnwick::datasheet", "转速比\n%"),
            QStringLiteral("qe/Qbep"),
            QCoreApplication::translate("tarnwick::datasheet", "水泵效率\n%"),
            QCoreApplication::translate("tarnwick::datasheet", "单台轴功率\nkW"),
            QCoreApplication::translate("tarnwick::datasheet", "电机效率\n%"),
            QCoreApplication::translate("tarnwick::datasheet", "变频器效率\n%"),
            QCoreApplication::translate("tarnwick::datasheet", "合计输入功率\nkW"),
            QCoreApplication::translate("tarnwick::datasheet", "综合效率\n%")};
}

QString varSpeedWarningMarks(unsigned warnings)
{
    QString marks;
    if (warnings & (kWarnBelowMeasuredFlows | kWarnAboveMeasuredFlows))
        marks += QLatin1Char('a');
    if (warnings & kWarnMinimumSpeed)
        marks += QLatin1Char('b');
    if (warnings & kWarnOutsidePreferredRegion)
        marks += QLatin1Char('c');
    return marks.isEmpty() ? marks : QLatin1Char(' ') + marks;
}

QString varSpeedWarningText(unsigned warnings)
{
    QStringList words;
    if (warnings & (kWarnBelowMeasuredFlows | kWarnAboveMeasuredFlows))
        words << QCoreApplication::translate("tarnwick::datasheet", "等效流量超出实测流量范围");
    if (warnings & kWarnMinimumSpeed)
        words << QCoreApplication::translate("tarnwick::datasheet", "最低转速运行，多余扬程由阀门节流");
    if (warnings & kWarnOutsidePreferredRegion)
        words << QCoreApplication::translate("tarnwick::datasheet", "不在优先工作区");
    return words.join(QCoreApplication::translate("tarnwick::datasheet", "；"));
}

VarSpeedSheetFigures varSpeedSheetFigures(const VarSpeedSheetPart& part)
{
    const VarSpeedPump& pump = part.pump;
    VarSpeedSheetFigures f;
    auto row = [&](QString label, const VarSpeedPoint& p) {
        label += varSpeedWarningMarks(p.warnings);
        return QStringList{label,
                           fixed(p.flow, 1),
                           fixed(p.head, 2),
                           QString::number(p.running),
                           fixed(p.speedShare, 1, 100.0),
                           fixed(p.bestEfficiencyShare, 2),
                           fixed(p.pumpEfficiency, 1, 100.0),
                           fixed(p.shaftPower, 2),
                           fixed(p.motorEfficiency, 1, 100.0),
                           fixed(p.driveEfficiency, 1, 100.0),
                           fixed(p.inputPower, 2),
                           fixed(p.wireToWaterEfficiency, 1, 100.0)};
    };
    f.loadRows.append(row(QCoreApplication::translate("tarnwick::datasheet", "设计点"), pump.design));
    for (const VarSpeedPoint& p : pump.points)
        f.loadRows.append(
            row(QStringLiteral("%1%/%2%").arg(number(p.flowShare * 100.0), number(p.timeShare * 100.0)), p));
    f.annualEnergy = fixed(pump.annualEnergy, 0);
    f.annualCost = fixed(pump.annualCost, 0);
    f.weightedEfficiency = fixed(pump.weightedEfficiency, 1, 100.0);
    f.timeOutsidePreferredRegion = fixed(pump.timeOutsidePreferredRegion, 0, 100.0);
    return f;
}

SheetFigures sheetFigures(const DataSheet& sheet)
{
    SheetFigures f;
    f.flow = number(roundedToTenth(sheet.operatingFlow));
    f.head = number(roundedToTenth(sheet.operatingHead));
    f.efficiency = number(wholePercent(sheet.operatingEfficiency));
    f.bestEfficiency = number(static_cast<double>(bestEfficiencyFigure(sheet.bestEfficiency)));
    f.power = std::isfinite(sheet.operatingPower) ? QString::number(sheet.operatingPower, 'f', 2) : QString();
    f.speed = sheet.speed ? number(*sheet.speed) : QString();
    return f;
}

QPageLayout dataSheetPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void paintDataSheet(QPainter& painter, const DataSheet& sheet)
{
    PagePainter pp(painter);
    painter.setRenderHint(QPainter::Antialiasing, true);

    // Title and header.
    pp.font(16, true, QStringLiteral("华文中宋"));
    pp.text(0, 0, kContentWidth, 10, sheetTitle(), Qt::AlignHCenter | Qt::AlignVCenter);
    double y = 12;
    const QList<SheetField> header = {
        {QCoreApplication::translate("tarnwick::datasheet", "项目名称"), sheet.header.projectName},
        {QCoreApplication::translate("tarnwick::datasheet", "项目编号"), sheet.header.projectNumber},
        {QCoreApplication::translate("tarnwick::datasheet", "设计人"), sheet.header.designer},
        {QCoreApplication::translate("tarnwick::datasheet", "设备位号"), sheet.header.equipmentTag},
        {QCoreApplication::translate("tarnwick::datasheet", "日期"), sheet.header.date},
        {QCoreApplication::translate("tarnwick::datasheet", "计算方式"), sheet.method},
    };
    y = fieldTable(pp, 0, y, kContentWidth, header, 2, 20) + 3;

    // The duty as typed and in working units.
    y = heading(pp, y, QCoreApplication::translate("tarnwick::datasheet", "设计工况"));
    const SelectionRequest& r = sheet.request;
    auto typed = [](const std::string& value, const std::string& unit) -> QString {
        return QString::fromStdString(value) + QLatin1Char(' ') + QString::fromStdString(unit);
    };
    const QList<SheetField> duty = {
        {QCoreApplication::translate("tarnwick::datasheet", "流量"), typed(sheet.duty.flow, sheet.duty.flowUnit)},
        {QCoreApplication::translate("tarnwick::datasheet", "折合"), number(r.flow) + QStringLiteral(" m3/h")},
        {QCoreApplication::translate("tarnwick::datasheet", "管路阻力"),
         typed(sheet.duty.resistance, sheet.duty.resistanceUnit)},
        {QCoreApplication::translate("tarnwick::datasheet", "折合"), number(r.resistance) + QStringLiteral(" mH2O")},
        {QCoreApplication::translate("tarnwick::datasheet", "静扬程"),
         typed(sheet.duty.staticHead, sheet.duty.staticHeadUnit)},
        {QCoreApplication::translate("tarnwick::datasheet", "折合"),
         number(static_cast<double>(r.staticHead)) + QStringLiteral(" mH2O")},
    };
    y = fieldTable(pp, 0, y, kContentWidth, duty, 2, 20) + 3;
    if (sheet.varSpeed)
        y = fieldTable(pp, 0, y - 3, kContentWidth, varSpeedInputFields(*sheet.varSpeed), 3, 20) + 3;
    // The lowest start of the section under the pump's data.
    const double lowestBottom =
        sheet.varSpeed ? kFootTop - 2.0 - varSpeedBottomHeight(*sheet.varSpeed) : kLowestChartSection;

    // Operating point and the data-sheet row, the schematic beside them.
    const double tableWidth = 112;
    const double schematicLeft = tableWidth + 6;
    const double schematicWidth = kContentWidth - schematicLeft;
    const double sectionTop = y;
    y = heading(pp, y, QCoreApplication::translate("tarnwick::datasheet", "运行参数"));
    const SheetFigures f = sheetFigures(sheet);
    const QList<SheetField> operating =
        sheet.varSpeed
            ? varSpeedOperatingFields(sheet)
            : QList<SheetField>{
                  {QCoreApplication::translate("tarnwick::datasheet", "水泵型号"), sheet.model},
                  {QCoreApplication::translate("tarnwick::datasheet", "转速"),
                   f.speed.isEmpty() ? QString() : f.speed + QStringLiteral(" r/min")},
                  {QCoreApplication::translate("tarnwick::datasheet", "实际流量"), f.flow + QStringLiteral(" m3/h")},
                  {QCoreApplication::translate("tarnwick::datasheet", "实际扬程"), f.head + QStringLiteral(" m")},
                  {QCoreApplication::translate("tarnwick::datasheet", "实际效率"), f.efficiency + QStringLiteral("%")},
                  {QCoreApplication::translate("tarnwick::datasheet", "工作点轴功率"), f.power + QStringLiteral(" kW")},
                  {QCoreApplication::translate("tarnwick::datasheet", "水泵最高效率"),
                   f.bestEfficiency + QStringLiteral("%")},
              };
    y = fieldTable(pp, 0, y, tableWidth, operating + sheet.conditionFields, 2, 22) + 3;
    pp.font(10.5, true, QStringLiteral("黑体"));
    pp.text(0, y, tableWidth, 6, QCoreApplication::translate("tarnwick::datasheet", "水泵样本数据"));
    pp.line(0, y + 6, tableWidth, y + 6, 0.3);
    y += 7.5;
    y = fieldTable(pp, 0, y, tableWidth, sheet.viewFields, 2, 24) + 3;

    // Schematic of the pump type, kept in proportion, and the whole
    // dimension text under it: the picture gives up height, then the text
    // gets smaller and runs in two columns, until both fit above the section
    // below.
    const double pictureTop = sectionTop + 14;
    const double room = std::max(20.0, lowestBottom - 2 - pictureTop);
    const DimensionLayout dims = layOutDimensions(pp, sheet.dimensions.value, schematicWidth, room);
    fittedText(pp, schematicLeft, sectionTop + 8, schematicWidth, 5,
               QCoreApplication::translate("tarnwick::datasheet", "设备安装示意图  ") + sheet.pumpType, 8.5);
    const QRectF box = pp.rect(schematicLeft, pictureTop, schematicWidth, dims.pictureHeight);
    if (!sheet.schematic.isNull()) {
        QSizeF size = sheet.schematic.size().toSizeF();
        size.scale(box.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRectF(box.topLeft(), size), sheet.schematic);
    } else {
        pp.font(8);
        pp.text(schematicLeft, pictureTop, schematicWidth, dims.pictureHeight,
                QCoreApplication::translate("tarnwick::datasheet", "（无示意图）"), Qt::AlignCenter);
    }
    if (!sheet.dimensions.value.isEmpty()) {
        const double captionTop = pictureTop + dims.pictureHeight + 1;
        pp.font(8, true);
        pp.text(schematicLeft, captionTop, schematicWidth, 5, sheet.dimensions.caption);
        pp.font(dims.points);
        const double columnWidth = schematicWidth / dims.columns.size();
        for (qsizetype i = 0; i < dims.columns.size(); ++i)
            pp.text(schematicLeft + static_cast<double>(i) * columnWidth, captionTop + 5, columnWidth, dims.textHeight,
                    dims.columns[i], Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
        // The chart starts below whichever column ends lower.
        y = std::max(y, captionTop + 5 + dims.textHeight + 2);
    }

    if (sheet.varSpeed) {
        paintVarSpeedBottom(pp, std::min(y, lowestBottom), sheet);
        paintSmallPrint(pp, sheet);
        return;
    }

    // The performance chart with its legend.
    y = heading(pp, std::min(y, kLowestChartSection),
                QCoreApplication::translate("tarnwick::datasheet", "水泵性能曲线"));
    const double chartLeft = 12;
    paintChart(pp, chartLeft, y + 6, sheet);
    paintLegend(pp, chartLeft + kChartWidth + 18, y + 6);
    y += 6 + kChartHeight + 12;

    // Fit quality beside the chart, under the legend.
    const double fitLeft = chartLeft + kChartWidth + 18;
    const double fitWidth = kContentWidth - fitLeft;
    double fy = y - 6 - kChartHeight - 12 + 6 + 44;
    paintFitQuality(pp, fitLeft, fy, fitWidth, sheet.fitQuality);

    paintSmallPrint(pp, sheet);
}

bool paintDataSheets(QPagedPaintDevice& device, const QList<DataSheet>& sheets, const SheetProgress& progress)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int total = static_cast<int>(sheets.size());
    for (int i = 0; i < total; ++i) {
        if (i > 0 && !device.newPage())
            return false;
        paintDataSheet(painter, sheets[i]);
        if (progress && !progress(i + 1, total))
            return false;
    }
    return painter.end();
}

bool writeDataSheetsPdf(const QString& path, const QList<DataSheet>& sheets, QString* error,
                        const SheetProgress& progress)
{
    pdfout::PdfSetup setup;
    setup.pageLayout = dataSheetPageLayout();
    setup.resolution = 1200;
    setup.title = sheetTitle();
    for (const QString& face : {QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("华文中宋")}) {
        for (bool bold : {false, true}) {
            QFont font(fontFamilyFor(face));
            font.setBold(bold);
            setup.fonts.append(sheetFont(font));
        }
    }
    return pdfout::writePdf(
        path, setup,
        [&](QPdfWriter& writer, QString* why) {
            bool stopped = false;
            const SheetProgress watched = [&](int done, int total) {
                stopped = progress && !progress(done, total);
                return !stopped;
            };
            if (paintDataSheets(writer, sheets, watched))
                return true;
            if (!stopped && why)
                *why = QCoreApplication::translate("tarnwick::datasheet", "无法生成选型资料单。");
            return false;
        },
        error);
}

} // namespace tarnwick
