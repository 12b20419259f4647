#pragma once

#include <QWidget>

namespace tarnwick {

class PictureBox;

// The program's first window: the splash picture with the embossed title
// (`lblProductName`(0) over its light grey copy (1), named
// "lblProductName_0" and "lblProductName_1"), the notice `lblNotice`,
// "点击进入" (`Label1`) and the entry icon `Image1`. A click on the entry icon
// is the only way in; nothing else in the window reacts.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
    ~frmSplash() override;

signals:
    // The entry icon was clicked. Emitted after the splash has closed; the
    // program keeps running while the receiver loads and shows the main
    // window. Closing the splash any other way leaves no window, and the
    // program ends.
    void entered();

private:
    void enter();
};

} // namespace tarnwick
