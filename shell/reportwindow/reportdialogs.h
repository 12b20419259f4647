#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace tarnwick {

// The report window's two modal dialogs, each behind one function. Tests give
// the next answer instead of a dialog, so they never block.
class ReportFileDialog
{
public:
    // The file to export to; empty when the user cancels. A suggested name
    // without a folder starts in the folder of the last export.
    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                   const QString& filters, QString* selectedFilter);
    // The next call answers with this name instead of asking; an empty name
    // answers as a cancelled dialog. Used once.
    static void setNextFileName(const QString& fileName);
};

class ReportPrintDialog
{
public:
    // Lets the user choose the printer and the pages 1..pageCount; true to print.
    static bool exec(QPrinter& printer, int pageCount, QWidget* parent);
    // The next call hands the printer to this function instead of showing the
    // dialog and returns its answer. Used once.
    static void setNextAnswer(std::function<bool(QPrinter&)> answer);
};

} // namespace tarnwick
