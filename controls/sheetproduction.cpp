#include "controls/sheetproduction.h"

#include "controls/controlstexts.h"
#include "controls/filedialog.h"
#include "controls/messagebox.h"
#include "files/filetargets.h"
#include "store/databasefiles.h"
#include "store/databaselocation.h"

#include <QAction>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace tarnwick {

namespace {

// How long the status bar says where the sheets were written.
constexpr int kWrittenNoteMs = 20000;
// Narrower, the preview's toolbar would not show all its buttons.
constexpr int kPreviewMinimumWidth = 760;

QString settingsGroup()
{
    return QStringLiteral("datasheet");
}

// Progress of several pages, with a button that stops them; a single page
// is too quick to need one.
class PageProgress
{
public:
    PageProgress(QWidget* parent, int total)
    {
        if (total < 2)
            return;
        m_dialog =
            std::make_unique<QProgressDialog>(controlstext::makingSheets(), controlstext::cancel(), 0, total, parent);
        m_dialog->setObjectName(QStringLiteral("sheetProgress"));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(500);
    }
    SheetProgress callback()
    {
        return [this](int done, int) {
            if (!m_dialog)
                return true;
            m_dialog->setValue(done);
            return !m_dialog->wasCanceled();
        };
    }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace

SheetHeaderDialog::SheetHeaderDialog(QWidget* parent, int pageCount) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmsheetheader"));
    setWindowTitle(controlstext::sheetHeaderTitle());
    auto* layout = new QVBoxLayout(this);
    auto* pages = new QLabel(controlstext::sheetPageCount().arg(pageCount), this);
    pages->setObjectName(QStringLiteral("pageCount"));
    layout->addWidget(pages);
    auto* form = new QFormLayout;
    const SheetHeader remembered = rememberedHeader();
    auto field = [&](const char* name, const QString& caption, const QString& value) {
        auto* edit = new QLineEdit(value, this);
        edit->setObjectName(QString::fromLatin1(name));
        form->addRow(caption, edit);
        return edit;
    };
    m_projectName = field("projectName", controlstext::projectNameField(), remembered.projectName);
    m_projectNumber = field("projectNumber", controlstext::projectNumberField(), remembered.projectNumber);
    m_designer = field("designer", controlstext::designerField(), remembered.designer);
    m_equipmentTag = field("equipmentTag", controlstext::equipmentTagField(), remembered.equipmentTag);
    m_date = field("sheetDate", controlstext::dateField(),
                   remembered.date.isEmpty() ? QDate::currentDate().toString(Qt::ISODate) : remembered.date);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    auto addButton = [&](const char* name, const QString& caption, int output) {
        QPushButton* button = buttons->addButton(caption, QDialogButtonBox::ActionRole);
        button->setObjectName(QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, [this, output] {
            remember();
            done(output);
        });
    };
    addButton("preview", controlstext::previewButton(), Preview);
    addButton("print", controlstext::printButton(), Print);
    addButton("pdf", controlstext::pdfButton(), Pdf);
    QPushButton* cancel = buttons->addButton(controlstext::cancel(), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, [this] { done(Cancelled); });
    layout->addWidget(buttons);
}

SheetHeader SheetHeaderDialog::header() const
{
    return {m_projectName->text(), m_projectNumber->text(), m_designer->text(), m_equipmentTag->text(), m_date->text()};
}

void SheetHeaderDialog::remember() const
{
    QSettings settings = store::userSettings();
    settings.beginGroup(settingsGroup());
    const SheetHeader h = header();
    settings.setValue(QStringLiteral("projectName"), h.projectName);
    settings.setValue(QStringLiteral("projectNumber"), h.projectNumber);
    settings.setValue(QStringLiteral("designer"), h.designer);
    settings.setValue(QStringLiteral("equipmentTag"), h.equipmentTag);
    // The date is today's unless the engineer typed another.
    settings.setValue(QStringLiteral("date"),
                      h.date == QDate::currentDate().toString(Qt::ISODate) ? QString() : h.date);
}

SheetHeader SheetHeaderDialog::rememberedHeader()
{
    QSettings settings = store::userSettings();
    settings.beginGroup(settingsGroup());
    return {settings.value(QStringLiteral("projectName")).toString(),
            settings.value(QStringLiteral("projectNumber")).toString(),
            settings.value(QStringLiteral("designer")).toString(),
            settings.value(QStringLiteral("equipmentTag")).toString(),
            settings.value(QStringLiteral("date")).toString()};
}

void produceDataSheets(QWidget* parent, const QString& databasePath,
                       const std::function<QList<DataSheet>(const SheetHeader&)>& make, int pageCount)
{
    SheetHeaderDialog dialog(parent, pageCount);
    const int output = execModal(dialog);
    if (output == SheetHeaderDialog::Cancelled)
        return;
    const QList<DataSheet> sheets = make(dialog.header());
    if (sheets.isEmpty())
        return;
    if (output == SheetHeaderDialog::Pdf) {
        QFileDialog files(parent, controlstext::saveSheetsTitle(), QString(), controlstext::pdfFilter());
        files.setObjectName(QStringLiteral("sheetFileDialog"));
        files.setAcceptMode(QFileDialog::AcceptSave);
        files.setDefaultSuffix(QStringLiteral("pdf"));
        prepareFileDialog(files, filekind::dataSheet());
        files.selectFile(sheets.size() == 1 ? sheets.first().model + QStringLiteral(".pdf")
                                            : controlstext::sheetsFileName());
        const QString path = chooseFile(files, filekind::dataSheet());
        if (path.isEmpty())
            return;
        // The file is renamed over its target: never over the database in use.
        if (const auto conflict = files::outputTargetConflict({path}, store::databaseFiles(databasePath))) {
            showWarning(parent, *conflict);
            return;
        }
        QString error;
        PageProgress progress(parent, static_cast<int>(sheets.size()));
        if (!writeDataSheetsPdf(path, sheets, &error, progress.callback())) {
            if (!error.isEmpty())
                showWarning(parent, error);
            return;
        }
        // Said where the engineer looks last, as the report window says its exports.
        if (auto* main = parent ? qobject_cast<QMainWindow*>(parent->window()) : nullptr)
            main->statusBar()->showMessage(
                controlstext::sheetsWritten().arg(sheets.size()).arg(QDir::toNativeSeparators(path)), kWrittenNoteMs);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(dataSheetPageLayout());
    if (output == SheetHeaderDialog::Print) {
        QPrintDialog print(&printer, parent);
        print.setObjectName(QStringLiteral("sheetPrintDialog"));
        if (execModal(print) != QDialog::Accepted)
            return;
        PageProgress progress(parent, static_cast<int>(sheets.size()));
        bool stopped = false;
        const bool printed = paintDataSheets(printer, sheets, [&](int done, int total) {
            stopped = !progress.callback()(done, total);
            return !stopped;
        });
        if (stopped)
            printer.abort();
        else if (!printed)
            showWarning(parent, controlstext::printingSheetsFailed());
        return;
    }
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("sheetPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&sheets](QPrinter* device) { paintDataSheets(*device, sheets); });
    fitPreviewToScreen(preview, parent);
    execModal(preview);
}

void fitPreviewToScreen(QPrintPreviewDialog& preview, QWidget* parent)
{
    // A page is read at the width of the window, and the window is nearly as
    // high as the screen and as wide as a page of that height: the text of a
    // sheet reads at about its printed size.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        const int height = room.height() * 9 / 10;
        const int width = std::min(room.width() * 9 / 10, std::max(height * 3 / 4, kPreviewMinimumWidth));
        preview.resize(width, height);
        preview.move(room.center() - QPoint(width / 2, height / 2));
    }
    // Through the dialog's own action, so its toolbar shows the mode chosen.
    const QList<QAction*> actions = preview.findChildren<QAction*>(QStringLiteral("fitWidthAction"));
    if (!actions.isEmpty())
        actions.constFirst()->trigger();
    else if (auto* view = preview.findChild<QPrintPreviewWidget*>())
        view->fitToWidth();
}

} // namespace tarnwick
