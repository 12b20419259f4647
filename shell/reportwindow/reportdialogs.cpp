#include "shell/reportwindow/reportdialogs.h"

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
        return name;
    }
    return QFileDialog::getSaveFileName(parent, caption, suggestedPath, filters, selectedFilter);
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
    return dialog.exec() == QDialog::Accepted;
}

void ReportPrintDialog::setNextAnswer(std::function<bool(QPrinter&)> answer)
{
    nextPrintAnswer() = std::move(answer);
}

} // namespace tarnwick
