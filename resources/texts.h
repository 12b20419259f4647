#pragma once

#include <QString>

// Texts of our own that the splash, about and help windows show.
namespace tarnwick::resources {

// The developing organisation, as named in the help text and the about window.
inline const QString kOrganisation = QStringLiteral("塔恩维克暖通软件研究室");

// The short notice at the bottom left of the splash window (855 twips wide).
inline const QString kSplashNotice = QStringLiteral("版权所有");

// The legal warning under the separator of the about window.
inline const QString kLegalWarning = QStringLiteral(
    "警告：本软件受著作权法保护。未经授权，擅自复制、传播本软件的全部或部分，将依法追究其民事及刑事责任。");

} // namespace tarnwick::resources
