#pragma once

#include <QDialog>

namespace tarnwick {

// The about window: the about picture (`Image1`), the program's name
// (`lblTitle`), version (`lblVersion`), developing organisation (`Label1`),
// description (`lblDescription`), an etched separator (`Line1`(1) grey over
// `Line1`(0) white, named "Line1_1" and "Line1_0"), the legal warning
// (`lblDisclaimer`) and the button `确定`, which closes it.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;
};

// Shows the about window modally; returns when it is closed.
void showAbout(QWidget* parent);

} // namespace tarnwick
