#pragma once

class QFileDialog;

namespace tarnwick {

// Makes a file dialog the program's own: Qt's dialog rather than the
// desktop's (it reads Chinese with the program's translations and goes
// through the modal seam), with the kinds of entries named in Chinese where
// Qt's translations leave them English ("Folder").
void prepareFileDialog(QFileDialog& dialog);

} // namespace tarnwick
