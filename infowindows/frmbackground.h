#pragma once

#include <QIcon>
#include <QWidget>

namespace tarnwick {

// The background window, the main window's first child: over the background
// picture (`Image1`) it explains the seven toolbar buttons, each by its icon
// (`Image2`(0) to (6), named "Image2_0" ..) and a text (`Label1`(1) to (7),
// under the title `Label1`(0); named "Label1_0" ..).
class frmbackground : public QWidget
{
    Q_OBJECT
public:
    explicit frmbackground(QWidget* parent = nullptr);
    ~frmbackground() override;
    // Its designed client area, which a frame around it keeps.
    QSize sizeHint() const override;

    // The eighth toolbar button, the variable-speed selection, explained
    // beside the principle by its icon ("Image2_7") and text ("Label1_8").
    void showVarSpeedEntry(const QIcon& icon);
};

} // namespace tarnwick
