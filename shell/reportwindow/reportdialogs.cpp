#include "shell/reportwindow/reportdialogs.h"

#include "controls/filedialog.h"
#include "controls/messagebox.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include <optional>

namespace tarnwick {

namespace {

std::optional<QString>& nextFileName()
{
    static std::optional<QString> name;
    return name;
}

std::function<bool(QPrinter&)>& nextPrintAnswer()
{
    static std::function<bool(QPrinter&)> answer;
    return answer;
}

} // namespace

QString ReportFileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                          const QString& filters, QString* selectedFilter)
{
    if (nextFileName()) {
        const QString name = *nextFileName();
        nextFileName().reset();
        rememberFolder(filekind::reportExport(), name);
        return name;
    }
    QFileDialog dialog(parent, caption, QString(), filters);
    dialog.setObjectName(QStringLiteral("ExportFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A bare name is put in the folder of the last export.
    prepareFileDialog(dialog, filekind::reportExport());
    dialog.selectFile(suggestedPath);
    if (selectedFilter && !selectedFilter->isEmpty())
        dialog.selectNameFilter(*selectedFilter);
    const QString path = chooseFile(dialog, filekind::reportExport());
    if (!path.isEmpty() && selectedFilter)
        *selectedFilter = dialog.selectedNameFilter();
    return path;
}

void ReportFileDialog::setNextFileName(const QString& fileName)
{
    nextFileName() = fileName;
}

bool ReportPrintDialog::exec(QPrinter& printer, int pageCount, QWidget* parent)
{
    printer.setFromTo(1, pageCount);
    if (nextPrintAnswer()) {
        const auto answer = std::move(nextPrintAnswer());
        nextPrintAnswer() = nullptr;
        return answer(printer);
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage |
                      QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return execModal(dialog) == QDialog::Accepted;
}

void ReportPrintDialog::setNextAnswer(std::function<bool(QPrinter&)> answer)
{
    nextPrintAnswer() = std::move(answer);
}

} // namespace tarnwick
