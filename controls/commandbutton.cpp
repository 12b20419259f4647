#include "controls/commandbutton.h"

#include "controls/uimetrics.h"
#include "controls/xpcmdbutton.h"

namespace tarnwick {

QWidget* makeCommandButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry,
                           std::function<void()> onClick)
{
    auto* button = new xpcmdbutton(parent);
    button->setObjectName(name);
    if (!caption.isEmpty())
        button->setCaption(caption);
    button->setFont(programFont(QStringLiteral("宋体"), 9));
    button->setGeometry(geometry);
    QObject::connect(button, &xpcmdbutton::Click, button, [onClick = std::move(onClick)] { onClick(); });
    return button;
}

} // namespace tarnwick
