#pragma once

#include <QSettings>

namespace tarnwick::store {

// The one settings file of both programs, ~/.config/tarnwick/tarnwick.conf:
// the database chosen in the windows' dialog, the data sheet's header and the
// like. The values an earlier version kept elsewhere are taken over once.
QSettings userSettings();

} // namespace tarnwick::store
