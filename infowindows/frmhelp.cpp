#include "infowindows/frmhelp.h"

#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "infowindows/infotexts.h"
#include "infowindows/picturebox.h"
#include "infowindows/readonlytextbox.h"
#include "resources/resources.h"
#include "store/databaselocation.h"
#include "store/names.h"
#include "store/rowset.h"

#include <QFrame>
#include <QLineEdit>
#include <QStringList>

namespace tarnwick {

namespace {

struct PageLayout
{
    int height; // twips, outer
    int width;  // twips, outer
    QString caption;
    int icon; // image of `ImageList1`, counted from 1
};

PageLayout pageLayout(HelpPage page)
{
    switch (page) {
    case HelpPage::Contents:
        return {6240, 5160, infotext::helpCaption(), 1};
    case HelpPage::Principle:
        return {6240, 5160, infotext::principleCaption(), 2};
    case HelpPage::Company:
        return {7545, 8100, infotext::companyCaption(), 3};
    case HelpPage::Products:
        return {7545, 8100, infotext::productsCaption(), 4};
    }
    return {6240, 5160, infotext::helpCaption(), 1};
}

PictureBox* addBanner(QWidget* parent, const QString& name, const QString& picture, const QRect& geometry)
{
    auto* banner = new PictureBox(parent, PictureBox::Mode::Stretch);
    banner->setObjectName(name);
    banner->setGeometry(geometry);
    // Drawn at the size it is shown, so the stretched banner stays sharp.
    banner->setPicture(resources::image(picture, geometry.size()));
    return banner;
}

QFrame* addPageFrame(QWidget* parent, const QString& name)
{
    // The frame sits 120 twips above the window's top so that its caption
    // line is out of sight; its other edges frame the page.
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(twipsRect(0, -120, 8040, 7215));
    return frame;
}

QImage pictureFromField(const QVariant& value)
{
    if (value.isNull())
        return {};
    return QImage::fromData(value.toByteArray());
}

} // namespace

frmhelp::frmhelp(const QString& place, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmhelp"));
    setFont(programFont(QStringLiteral("宋体"), 9));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    for (const QString& name : resources::helpIconNames())
        m_imageList.append(resources::icon(name));

    // The focus box comes first so that it, not a text, has the focus when
    // the window opens.
    m_focusBox = new QLineEdit(this);
    m_focusBox->setObjectName(QStringLiteral("Text1"));
    m_focusBox->setReadOnly(true);
    m_focusBox->setFrame(false);
    m_focusBox->setGeometry(twipsRect(-300, 0, 135, 180));
    m_focusBox->setFocus();

    buildContents();
    buildPrinciple();
    buildCompany();
    buildProducts();
    loadCompanyRecord(place);
    selectPage(HelpPage::Contents);
}

frmhelp::~frmhelp() = default;

ReadOnlyTextBox* frmhelp::addTextBox(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* box = new ReadOnlyTextBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setFocusTarget(m_focusBox);
    return box;
}

void frmhelp::buildContents()
{
    m_text4 = addTextBox(this, QStringLiteral("Text4"), twipsRect(60, 0, 4950, 5775));
    // The help text fills its box line for line at a pitch of one font size,
    // as it was written for; any more and a scroll bar would narrow the box
    // and break its longest lines.
    m_text4->setLinePitch(1.0);
    m_text4->setText(infotext::helpText());
}

void frmhelp::buildPrinciple()
{
    m_text5 = addTextBox(this, QStringLiteral("Text5"), twipsRect(60, 0, 4950, 5055));
    m_text5->setText(infotext::principleText());
}

void frmhelp::buildCompany()
{
    m_frame1 = addPageFrame(this, QStringLiteral("Frame1"));
    addBanner(m_frame1, QStringLiteral("Image1"), QStringLiteral("help-banner-company"),
              twipsRect(15, 120, 7995, 1515));
    m_text3 = addTextBox(m_frame1, QStringLiteral("Text3"), twipsRect(120, 1600, 7770, 3240));
    m_ole2 = new PictureBox(m_frame1, PictureBox::Mode::Fit);
    m_ole2->setObjectName(QStringLiteral("OLE2"));
    m_ole2->setGeometry(twipsRect(120, 4875, 7815, 2175));
}

void frmhelp::buildProducts()
{
    m_frame2 = addPageFrame(this, QStringLiteral("Frame2"));
    addBanner(m_frame2, QStringLiteral("Image3"), QStringLiteral("help-banner-products"),
              twipsRect(15, 120, 7995, 1575));
    m_text2 = addTextBox(m_frame2, QStringLiteral("Text2"), twipsRect(3720, 1750, 4095, 5295));
    m_ole1 = new PictureBox(m_frame2, PictureBox::Mode::Fit);
    m_ole1->setObjectName(QStringLiteral("OLE1"));
    m_ole1->setGeometry(twipsRect(240, 1680, 3375, 5380));
}

void frmhelp::loadCompanyRecord(const QString& place)
{
    auto connection = store::Connection::open(store::databasePath(place));
    if (!connection) {
        showWarning(parentWidget(), connection.error());
        return;
    }
    m_connection = connection.value();

    store::RowSet rows;
    if (!rows.open(m_connection, store::names::companyTable())) {
        showWarning(parentWidget(), rows.lastError());
        return;
    }
    // An empty table leaves the boxes empty, as bound boxes on no row are.
    if (rows.eof())
        return;

    QStringList errors;
    const auto read = [&](const QString& field) {
        auto value = rows.field(field);
        if (!value) {
            errors.append(value.error());
            return QVariant();
        }
        return value.value();
    };
    m_text3->setText(read(store::names::companyText()).toString());
    m_ole2->setPicture(pictureFromField(read(store::names::companyPicture())));
    m_text2->setText(read(store::names::productText()).toString());
    m_ole1->setPicture(pictureFromField(read(store::names::productPicture())));
    if (!errors.isEmpty())
        showWarning(parentWidget(), errors.join(QLatin1Char('\n')));
}

QSize frmhelp::pageSizeTwips(HelpPage page)
{
    const PageLayout layout = pageLayout(page);
    return QSize(layout.width, layout.height);
}

void frmhelp::selectPage(HelpPage page)
{
    m_page = page;
    const PageLayout layout = pageLayout(page);
    m_text4->setVisible(page == HelpPage::Contents);
    m_text5->setVisible(page == HelpPage::Principle);
    m_frame1->setVisible(page == HelpPage::Company);
    m_frame2->setVisible(page == HelpPage::Products);
    setFixedSize(twipsSize(layout.width - kFrameWidthTwips, layout.height - kFrameHeightTwips));
    setWindowTitle(layout.caption);
    setWindowIcon(m_imageList.value(layout.icon - 1));
}

void showHelpPage(QWidget* parent, HelpPage page, const QString& place)
{
    frmhelp window(place, parent);
    window.selectPage(page);
    execModal(window);
}

} // namespace tarnwick
