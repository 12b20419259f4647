#pragma once

#include "datasheet/datasheet.h"

#include <QDialog>
#include <QList>

#include <functional>

class QLineEdit;
class QPrintPreviewDialog;

namespace tarnwick {

// The header of the data sheets, entered once and remembered per user.
class SheetHeaderDialog : public QDialog
{
    Q_OBJECT
public:
    enum Output { Cancelled = 0, Preview = 1, Print = 2, Pdf = 3 };

    explicit SheetHeaderDialog(QWidget* parent, int pageCount);
    SheetHeader header() const;
    // Keeps the entries for the next time.
    void remember() const;

    static SheetHeader rememberedHeader();

private:
    QLineEdit* m_projectName = nullptr;
    QLineEdit* m_projectNumber = nullptr;
    QLineEdit* m_designer = nullptr;
    QLineEdit* m_equipmentTag = nullptr;
    QLineEdit* m_date = nullptr;
};

// Asks for the header (and how to put the pages out), makes the sheets with it
// and shows them in print preview, prints them or writes them as PDF, never
// over `databasePath`; a file written is named in the main window's status
// bar. Every window's sheet commands end here.
void produceDataSheets(QWidget* parent, const QString& databasePath,
                       const std::function<QList<DataSheet>(const SheetHeader&)>& make, int pageCount);

// Sizes the preview to most of the screen's height and shows the pages at
// the window's width.
void fitPreviewToScreen(QPrintPreviewDialog& preview, QWidget* parent);

} // namespace tarnwick
