#include "infowindows/frmabout.h"

#include "controls/messagebox.h"

#include "controls/uimetrics.h"
#include "controls/xpcmdbutton.h"
#include "infowindows/infotexts.h"
#include "infowindows/picturebox.h"
#include "infowindows/textlabel.h"
#include "resources/resources.h"

#include <QGuiApplication>
#include <QScreen>

namespace tarnwick {

namespace {

TextLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new TextLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->growToText();
    return label;
}

// One pixel of a line control, drawn as a filled strip.
void addLine(QWidget* parent, const QString& name, int x1, int x2, int y, const QColor& colour)
{
    auto* line = new QWidget(parent);
    line->setObjectName(name);
    line->setGeometry(QRect(twipsPoint(x1, y), QPoint(twips(x2), twips(y))));
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(infotext::aboutCaption());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setFont(programFont(QStringLiteral("宋体"), 9));
    setFixedSize(twipsSize(5775, 3480));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(233, 233, 233));
    setPalette(palette);

    auto* picture = new PictureBox(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(twipsRect(240, 240, 1440, 1875));
    picture->setPicture(resources::image(QStringLiteral("about"), picture->size()));

    addLabel(this, QStringLiteral("lblTitle"), infotext::productName(), twipsRect(2040, 240, 3315, 240));
    addLabel(this, QStringLiteral("lblVersion"), infotext::versionText(), twipsRect(2040, 720, 3315, 225));
    addLabel(this, QStringLiteral("Label1"), infotext::organisationPrefix() + infotext::organisation(),
             twipsRect(2040, 1200, 3315, 225));
    addLabel(this, QStringLiteral("lblDescription"), infotext::aboutDescription(), twipsRect(2040, 1680, 3285, 405));

    addLine(this, QStringLiteral("Line1_1"), 120, 5644, 2325, QColor(128, 128, 128));
    addLine(this, QStringLiteral("Line1_0"), 135, 5644, 2340, Qt::white);

    addLabel(this, QStringLiteral("lblDisclaimer"), infotext::legalWarning(), twipsRect(240, 2460, 4320, 900));

    auto* ok = new xpcmdbutton(this);
    ok->setObjectName(QStringLiteral("确定"));
    ok->setCaption(infotext::okButton());
    ok->setGeometry(twipsRect(4680, 2760, 855, 345));
    connect(ok, &xpcmdbutton::Click, this, &QDialog::accept);
    ok->setFocus();

    if (const QScreen* where = QGuiApplication::primaryScreen()) {
        const QRect area = where->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
}

frmAbout::~frmAbout() = default;

void showAbout(QWidget* parent)
{
    frmAbout window(parent);
    execModal(window);
}

} // namespace tarnwick
