#pragma once

#include "store/database.h"
#include "store/rowset.h"

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>

class QLineEdit;

namespace tarnwick {

class PictureBox;

// The box the full-screen schematic fits into, in twips.
inline constexpr int kSchematicBoxWidth = 10000;
inline constexpr int kSchematicBoxHeight = 7500;
// What the window adds to the picture box on its right and bottom, in twips.
inline constexpr int kSchematicMarginWidth = 80;
inline constexpr int kSchematicMarginHeight = 120;

// The picture box and window sizes of the full-screen schematic, in twips.
struct SchematicWindowFit
{
    bool scaled = false; // false: no picture, the box kept its last size
    float boxWidth = 0.0f;
    float boxHeight = 0.0f;
    float windowWidth = 0.0f;
    float windowHeight = 0.0f;
};

// A picture of the given natural size (twips) scaled by the larger of the two
// ratios to the 10000 x 7500 box, so that it fits the box with its proportions
// kept and touches it on at least one side; the window is the box plus 80 x
// 120. A picture without extent keeps the last box size: there is no factor
// to divide by.
SchematicWindowFit fitSchematicWindow(float pictureWidth, float pictureHeight, float lastBoxWidth, float lastBoxHeight);

// The top left corner that centres a window of the given size on the screen.
QPoint centredOnScreen(QSize window, const QRect& screen);

// The installation schematic of one pump type, enlarged to fit the screen
// box, in a window centred on the screen. The picture is the first row of
// "设备安装示意图" whose "水泵类型" equals the type exactly.
//
// `OLE1` is the picture box; `Text1` a tiny box outside the visible area that
// holds the focus: each time it gets the focus (when the window opens, and
// when the user comes back to it) the picture is looked up and laid out anew.
class frmpicture : public QDialog
{
    Q_OBJECT
public:
    // Opens the database at `place` (a folder or a server's address, see
    // store::databasePath); when it or the table cannot be read the user is
    // told what failed and the window stays empty.
    frmpicture(const QString& pumpType, const QString& place, QWidget* parent = nullptr);
    ~frmpicture() override;

    const QString& pumpType() const { return m_pumpType; }

    // Finds the type's picture, fits it and sizes and centres the window.
    void layoutPicture();

    // The picture box's size in twips as the last layout left it.
    float boxWidthTwips() const { return m_boxWidth; }
    float boxHeightTwips() const { return m_boxHeight; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QImage findPicture();

    QString m_pumpType;
    QLineEdit* m_focusBox = nullptr; // `Text1`
    PictureBox* m_ole1 = nullptr;
    std::shared_ptr<store::Connection> m_connection;
    store::RowSet m_data1;
    // Until a picture is found the box has the size of the fitting box.
    float m_boxWidth = static_cast<float>(kSchematicBoxWidth);
    float m_boxHeight = static_cast<float>(kSchematicBoxHeight);
};

// Opens the schematic window of a pump type modally; returns when the user
// closes it.
void showSchematic(QWidget* parent, const QString& pumpType, const QString& place);

} // namespace tarnwick
