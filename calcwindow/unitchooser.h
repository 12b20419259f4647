#pragma once

#include <QComboBox>

namespace tarnwick {

// A unit chooser of the calculation window. The box keeps its narrow place;
// its text is drawn whole from the frame to the arrow (a smaller size of the
// same font when the widest unit would not fit otherwise), and its open list
// is as wide as the widest unit needs. No unit text is ever cut short.
class UnitChooser : public QComboBox
{
    Q_OBJECT
public:
    explicit UnitChooser(QWidget* parent = nullptr);

    // The room for the text in the closed box, and the font that fits every
    // item's text into it.
    QRect textArea() const;
    QFont fittingFont() const;

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tarnwick
