#include "infowindows/frmpicture.h"

#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "infowindows/infotexts.h"
#include "infowindows/picturebox.h"
#include "store/databaselocation.h"
#include "store/names.h"

#include <QEvent>
#include <QLineEdit>
#include <QScreen>

#include <cmath>

namespace tarnwick {

namespace {

// Pictures are stored at 96 dots per inch: 15 twips a pixel.
float pixelsToTwips(int pixels)
{
    return static_cast<float>(pixels * kTwipsPerPixel);
}

int twipsToPixels(float twips)
{
    return static_cast<int>(std::lround(twips / static_cast<float>(kTwipsPerPixel)));
}

} // namespace

SchematicWindowFit fitSchematicWindow(float pictureWidth, float pictureHeight, float lastBoxWidth, float lastBoxHeight)
{
    SchematicWindowFit fit;
    fit.boxWidth = lastBoxWidth;
    fit.boxHeight = lastBoxHeight;
    if (pictureWidth > 0.0f && pictureHeight > 0.0f) {
        float k = pictureHeight / static_cast<float>(kSchematicBoxHeight);
        const float widthRatio = pictureWidth / static_cast<float>(kSchematicBoxWidth);
        if (widthRatio > k)
            k = widthRatio;
        fit.scaled = true;
        fit.boxHeight = pictureHeight / k;
        fit.boxWidth = pictureWidth / k;
    }
    fit.windowWidth = fit.boxWidth + static_cast<float>(kSchematicMarginWidth);
    fit.windowHeight = fit.boxHeight + static_cast<float>(kSchematicMarginHeight);
    return fit;
}

QPoint centredOnScreen(QSize window, const QRect& screen)
{
    return QPoint(screen.left() + (screen.width() - window.width()) / 2,
                  screen.top() + (screen.height() - window.height()) / 2);
}

frmpicture::frmpicture(const QString& pumpType, const QString& place, QWidget* parent)
    : QDialog(parent), m_pumpType(pumpType)
{
    setObjectName(QStringLiteral("frmpicture"));
    setWindowTitle(infotext::schematicCaption());
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_focusBox = new QLineEdit(this);
    m_focusBox->setObjectName(QStringLiteral("Text1"));
    m_focusBox->setReadOnly(true);
    m_focusBox->setFrame(false);
    m_focusBox->setGeometry(twipsRect(-240, 0, 105, 270));
    m_focusBox->setFocus();
    m_focusBox->installEventFilter(this);

    m_ole1 = new PictureBox(this, PictureBox::Mode::Stretch);
    m_ole1->setObjectName(QStringLiteral("OLE1"));
    m_ole1->setVisible(false);

    auto connection = store::Connection::open(store::databasePath(place));
    if (!connection) {
        showWarning(parent, connection.error());
    } else {
        m_connection = connection.value();
        if (!m_data1.open(m_connection, store::names::schematicTable())) {
            showWarning(parent, m_data1.lastError());
        } else {
            for (const QString& field : {store::names::pumpType(), store::names::schematicPicture()}) {
                if (m_data1.fieldIndex(field) < 0)
                    showWarning(parent, infotext::missingField()
                                            .arg(m_data1.source(), field));
            }
        }
    }
    layoutPicture();
}

frmpicture::~frmpicture() = default;

QImage frmpicture::findPicture()
{
    if (!m_data1.isOpen())
        return {};
    // The first row of the type in table order; the comparison is exact.
    m_data1.moveFirst();
    if (!m_data1.findForward(store::names::pumpType(), m_pumpType))
        return {};
    const auto value = m_data1.field(store::names::schematicPicture());
    if (!value || value->isNull())
        return {};
    return QImage::fromData(value->toByteArray());
}

void frmpicture::layoutPicture()
{
    const QImage picture = findPicture();
    m_ole1->setPicture(picture);

    const SchematicWindowFit fit = picture.isNull()
                                       ? fitSchematicWindow(0.0f, 0.0f, m_boxWidth, m_boxHeight)
                                       : fitSchematicWindow(pixelsToTwips(picture.width()),
                                                            pixelsToTwips(picture.height()), m_boxWidth, m_boxHeight);
    m_boxWidth = fit.boxWidth;
    m_boxHeight = fit.boxHeight;

    m_ole1->setGeometry(0, 0, twipsToPixels(fit.boxWidth), twipsToPixels(fit.boxHeight));
    m_ole1->setVisible(true);
    setFixedSize(twipsToPixels(fit.windowWidth), twipsToPixels(fit.windowHeight));

    // Centre the whole window, its frame included once the frame is known.
    const QScreen* where = screen();
    if (where) {
        const QSize outer = size() + (frameGeometry().size() - geometry().size());
        move(centredOnScreen(outer, where->geometry()));
    }
}

bool frmpicture::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_focusBox && event->type() == QEvent::FocusIn)
        layoutPicture();
    return QDialog::eventFilter(watched, event);
}

void frmpicture::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_focusBox->setFocus();
    layoutPicture();
}

void showSchematic(QWidget* parent, const QString& pumpType, const QString& place)
{
    frmpicture window(pumpType, place, parent);
    execModal(window);
}

} // namespace tarnwick
