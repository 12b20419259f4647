#include "infowindows/frmbackground.h"

#include "controls/uimetrics.h"
#include "infowindows/infotexts.h"
#include "infowindows/picturebox.h"
#include "infowindows/textlabel.h"
#include "resources/resources.h"

#include <QFontMetrics>

#include <algorithm>
#include <array>

namespace tarnwick {

namespace {

// One legend entry: the toolbar icon `Image2`(icon) and its text `Label1`(label).
struct LegendEntry
{
    int icon; // toolbar button, counted from 0
    int iconLeft;
    int iconTop;
    int label;
    int labelLeft;
    int labelTop;
    int labelWidth;
    int labelHeight;
};

// In the order the legend reads: design and check, the two result views,
// company and products, the principle.
constexpr std::array<LegendEntry, 7> kLegend{{
    {0, 2880, 1080, 1, 3480, 1200, 1920, 660},
    {1, 6720, 1080, 2, 7320, 1200, 1920, 900},
    {2, 2880, 2400, 3, 3480, 2400, 1860, 660},
    {3, 6720, 2400, 4, 7320, 2400, 1860, 660},
    {5, 2880, 3240, 6, 3480, 3360, 720, 180},
    {6, 6720, 3240, 7, 7320, 3360, 720, 180},
    {4, 2880, 4080, 5, 3480, 4200, 1800, 420},
}};

// The right edges of the legend's two columns: the right column's icons, and
// the window's edge less the margin the title keeps on the left.
constexpr int kLeftColumnRight = 6720 - 120;
constexpr int kRightColumnRight = 12000 - 480;
constexpr int kLegendBottom = 6000; // the pictures of the background below

// The variable-speed entry, shown when the program offers it: where the right
// column has room, level with the principle.
constexpr LegendEntry kVarSpeedEntry{7, 6720, 4080, 8, 7320, 4200, 1920, 660};

// How far an entry's text may reach down: to the next icon of its column.
int legendRoomBelow(const LegendEntry& entry)
{
    int next = kLegendBottom;
    for (const LegendEntry& other : kLegend)
        if (other.iconLeft == entry.iconLeft && other.iconTop > entry.iconTop)
            next = std::min(next, other.iconTop);
    if (kVarSpeedEntry.iconLeft == entry.iconLeft && kVarSpeedEntry.iconTop > entry.iconTop)
        next = std::min(next, kVarSpeedEntry.iconTop);
    return twipsRect(0, entry.labelTop, 1, next - entry.labelTop - 60).height();
}

bool isLatinWord(const QString& word)
{
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() < 0x2E80; });
}

// The legend's boxes fit its Chinese texts. A translation may run longer and
// have words wider than a box: the text then takes its column's width before
// it grows down, so that no word is broken and no text runs into the row below.
void placeLegendText(TextLabel* label, const LegendEntry& entry)
{
    label->setGeometry(twipsRect(entry.labelLeft, entry.labelTop, entry.labelWidth, entry.labelHeight));
    const QFontMetrics metrics(label->font());
    const QStringList words = label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const bool wordTooWide = std::any_of(words.begin(), words.end(), [&](const QString& word) {
        return isLatinWord(word) && metrics.horizontalAdvance(word) > label->width();
    });
    // A text may run one line beyond its box (the check's does); more lines
    // read better across the column.
    const bool tooManyLines = label->textHeight() > label->height() + label->linePitch();
    if (wordTooWide || tooManyLines || label->textHeight() > legendRoomBelow(entry)) {
        const int right = entry.iconLeft == 2880 ? kLeftColumnRight : kRightColumnRight;
        label->resize(twipsRect(entry.labelLeft, 0, right - entry.labelLeft, 1).width(), label->height());
    }
    // The check text runs to five lines, one pitch more than its box.
    label->growToText();
}

} // namespace

frmbackground::frmbackground(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmbackground"));
    setWindowTitle(infotext::backgroundCaption());
    setFont(programFont(QStringLiteral("宋体"), 9));
    resize(twipsSize(12000, 9000));

    auto* background = new PictureBox(this);
    background->setObjectName(QStringLiteral("Image1"));
    background->setGeometry(twipsRect(0, 0, 12015, 9015));
    background->setPicture(resources::image(QStringLiteral("background"), background->size()));

    auto* title = new TextLabel(infotext::legendTitle(), this);
    title->setObjectName(QStringLiteral("Label1_0"));
    title->setWordWrap(false);
    title->setFont(programFont(QStringLiteral("华文新魏"), 15.75, true));
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    title->setPalette(palette);
    title->setGeometry(twipsRect(4080, 480, 3630, 315));
    // The serif face that stands in for the title font runs a little wider.
    title->growToText();

    const QStringList icons = resources::toolbarIconNames();
    const QStringList texts = infotext::legendTexts();
    for (const LegendEntry& entry : kLegend) {
        auto* icon = new PictureBox(this);
        icon->setObjectName(QStringLiteral("Image2_%1").arg(entry.icon));
        icon->setGeometry(twipsRect(entry.iconLeft, entry.iconTop, 495, 495));
        icon->setPicture(resources::image(icons.value(entry.icon), icon->size()));

        auto* label = new TextLabel(texts.value(entry.label - 1), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(entry.label));
        placeLegendText(label, entry);
    }
}

frmbackground::~frmbackground() = default;

void frmbackground::showVarSpeedEntry(const QIcon& icon)
{
    const LegendEntry& entry = kVarSpeedEntry;
    auto* picture = new PictureBox(this);
    picture->setObjectName(QStringLiteral("Image2_%1").arg(entry.icon));
    picture->setGeometry(twipsRect(entry.iconLeft, entry.iconTop, 495, 495));
    picture->setPicture(icon.pixmap(picture->size()).toImage());
    picture->show();
    auto* label = new TextLabel(infotext::varSpeedLegendText(), this);
    label->setObjectName(QStringLiteral("Label1_%1").arg(entry.label));
    placeLegendText(label, entry);
    label->show();
}

QSize frmbackground::sizeHint() const
{
    return twipsSize(12000, 9000);
}

} // namespace tarnwick
