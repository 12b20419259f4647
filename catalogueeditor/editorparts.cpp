#include "catalogueeditor/editorparts.h"

#include "catalogueeditor/editortexts.h"
#include "catalogueeditor/pointpaste.h"
#include "controls/filedialog.h"
#include "controls/messagebox.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>

#include <cmath>

namespace tarnwick::editorparts {

QString valueText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return numberText(value.toDouble());
    default:
        return value.toString();
    }
}

QString numberText(double v)
{
    return std::isfinite(v) ? QString::number(v, 'g', 15) : QString();
}

QString pumpName(const store::EditablePump& pump)
{
    const QString model = pump.model().trimmed();
    return model.isEmpty() ? editortext::unnamedPump().arg(pump.key) : model;
}

QPixmap pictureOf(const QByteArray& bytes, const QSize& box)
{
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes))
        return QPixmap();
    return QPixmap::fromImage(image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QPushButton* commandButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    QString name = text;
    name.remove(QStringLiteral("…"));
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

std::optional<QByteArray> choosePictureFile(QWidget* parent, const QString& title)
{
    QFileDialog dialog(parent, title, QString(), editortext::pictureFilter());
    dialog.setObjectName(QStringLiteral("pictureDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(dialog, filekind::picture());
    const QString path = chooseFile(dialog, filekind::picture());
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showWarning(parent, editortext::cannotReadFile().arg(QDir::toNativeSeparators(path), file.errorString()));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    QImage image;
    if (!image.loadFromData(bytes)) {
        showWarning(parent, editortext::notAPicture().arg(QDir::toNativeSeparators(path)));
        return std::nullopt;
    }
    return bytes;
}

QValidator::State DecimalValidator::validate(QString& input, int&) const
{
    const QString t = input.trimmed();
    if (t.isEmpty() || parseDecimal(t))
        return Acceptable;
    static const QRegularExpression partial(QStringLiteral("^[+-]?[0-9]*([.,][0-9]*)?([eE][+-]?[0-9]*)?$"));
    return partial.match(t).hasMatch() ? Intermediate : Invalid;
}

} // namespace tarnwick::editorparts
