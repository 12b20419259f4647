#include "infowindows/frmbackground.h"

#include "controls/uimetrics.h"
#include "infowindows/infotexts.h"
#include "infowindows/picturebox.h"
#include "infowindows/textlabel.h"
#include "resources/resources.h"

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
        label->setGeometry(twipsRect(entry.labelLeft, entry.labelTop, entry.labelWidth, entry.labelHeight));
        // The check text runs to five lines, one pitch more than its box.
        label->growToText();
    }
}

frmbackground::~frmbackground() = default;

void frmbackground::showVarSpeedEntry(const QIcon& icon)
{
    // Where the right column has room: level with the principle.
    constexpr LegendEntry entry{7, 6720, 4080, 8, 7320, 4200, 1920, 660};
    auto* picture = new PictureBox(this);
    picture->setObjectName(QStringLiteral("Image2_%1").arg(entry.icon));
    picture->setGeometry(twipsRect(entry.iconLeft, entry.iconTop, 495, 495));
    picture->setPicture(icon.pixmap(picture->size()).toImage());
    picture->show();
    auto* label = new TextLabel(infotext::varSpeedLegendText(), this);
    label->setObjectName(QStringLiteral("Label1_%1").arg(entry.label));
    label->setGeometry(twipsRect(entry.labelLeft, entry.labelTop, entry.labelWidth, entry.labelHeight));
    label->growToText();
    label->show();
}

QSize frmbackground::sizeHint() const
{
    return twipsSize(12000, 9000);
}

} // namespace tarnwick
