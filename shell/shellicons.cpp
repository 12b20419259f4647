#include "shell/shellicons.h"

#include "resources/resources.h"

#include <QStringList>

namespace tarnwick {

QIcon imageListIcon(int index)
{
    const QStringList images = resources::toolbarIconNames();
    if (index < 1 || index > images.size())
        return QIcon();
    return resources::icon(images.at(index - 1));
}

QIcon mainWindowIcon()
{
    return resources::icon(QStringLiteral("main-window"));
}

} // namespace tarnwick
