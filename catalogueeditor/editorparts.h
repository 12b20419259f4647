#pragma once

#include "store/catalogueedit.h"

#include <QByteArray>
#include <QPixmap>
#include <QString>
#include <QValidator>
#include <QVariant>

#include <limits>
#include <optional>

class QPushButton;
class QWidget;

// Small pieces the catalogue window's panels share: how values read, the
// numeric validator, the command buttons and the picture chooser.
namespace tarnwick::editorparts {

// An empty point or a cleared number.
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A stored value as the form shows it: numbers to 15 digits, nothing for a
// null or a number that is not finite.
QString valueText(const QVariant& value);
QString numberText(double v);

// The pump as the window names it: its model, or its key while it has none.
QString pumpName(const store::EditablePump& pump);

// The picture scaled into the box; a null pixmap when the bytes are none.
QPixmap pictureOf(const QByteArray& bytes, const QSize& box);

// A button named after its caption without the dots, so that Enter in a
// field never presses it.
QPushButton* commandButton(const QString& text, QWidget* parent);

// Asks for a picture file and reads it; nothing, after saying why, when the
// file cannot be read or is no picture, or when none was chosen.
std::optional<QByteArray> choosePictureFile(QWidget* parent, const QString& title);

// Numbers as typed: a decimal point or comma, a sign, an exponent; empty is
// allowed (an empty field).
class DecimalValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override;
};

} // namespace tarnwick::editorparts
