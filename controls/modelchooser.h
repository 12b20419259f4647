#pragma once

#include <QComboBox>

namespace tarnwick {

// The chooser of one pump model among several hundred: a drop-down list that
// can also be searched by typing any part of a model ("65-50" finds
// "IS65-50-160" and "IS65-50-160A"), in any case. Only a model of the list
// is ever chosen: on leaving the box or pressing Enter, a text that names
// exactly one model (in full, or as the only model containing it) chooses
// it; any other goes back to the model chosen before. `activated` tells of a
// model chosen by the user, as with a plain list.
class ModelChooser : public QComboBox
{
    Q_OBJECT
public:
    explicit ModelChooser(QWidget* parent = nullptr);

    // The model chosen, whatever is half typed in the box.
    QString chosenModel() const;

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Takes what is typed: the one model it names, or the model chosen before.
    void settle();
    void choose(int index);
};

} // namespace tarnwick
