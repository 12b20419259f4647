#pragma once

#include "catalogueeditor/catalogueeditmodel.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;
class QUndoStack;

namespace tarnwick {

class CompanyPage;
class PumpForm;
class PumpListPanel;

// The window "水泵目录维护": the pumps of the catalogue in stored order on the
// left, the chosen pump's fields, points and chart on the right, and the
// company texts and pictures on a second page. Every edit is checked by the
// catalogue rules at once and can be undone until it is saved.
//
// The window holds the pages, the status line and the undo and save commands;
// the list, the pump and the company page edit one CatalogueEditModel.
// Object names: "editorPages", "statusText"; buttons by their captions; the
// rest as the pages name them.
class CatalogueEditor : public QWidget
{
    Q_OBJECT
public:
    explicit CatalogueEditor(QWidget* parent = nullptr);
    ~CatalogueEditor() override;

    // Opens the database at `place` (a folder or a server's address, see
    // store::databasePath) and reads the catalogue.
    bool load(const QString& place, QString* error);

    const CatalogueEditorState& state() const { return m_model->state(); }
    bool hasPendingEdits() const { return m_model->hasPendingEdits(); }
    QUndoStack* undoStack() const { return m_model->undoStack(); }
    // Room for the whole pump page without scrolling.
    QSize sizeHint() const override { return QSize(1120, 780); }

    // The commands, as the buttons run them.
    void newPump();
    void duplicatePump();
    void deletePump();
    void movePump(int step);
    void addPointRow();
    void removePointRow();
    // Replaces the pump's points by the clipboard's rows, after asking when
    // it has points; appendPastedPoints adds them after its last point.
    void pastePoints();
    void appendPastedPoints();
    void assignSchematic();
    // Saves after asking, when the edits leave a pump's flows not rising.
    bool save();
    void discard();
    // Before the window closes or the program ends with edits not saved:
    // asks whether to save them (保存 / 不保存 / 取消). True when the window
    // may go: saved, or the edits given up.
    enum class Leaving { Close, Exit };
    bool settlePendingEdits(Leaving leaving);
    void selectPump(int index);

signals:
    // After a save: whoever shows the catalogue reads it again.
    void catalogueSaved();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showState();
    void showCurrentPump();
    void refreshButtons();
    // Reads the catalogue again, without the edits.
    void resetFromDatabase();

    CatalogueEditModel* m_model = nullptr;
    QTabWidget* m_tabs = nullptr;
    PumpListPanel* m_list = nullptr;
    PumpForm* m_pump = nullptr;
    CompanyPage* m_company = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_discardButton = nullptr;
    QPushButton* m_undoButton = nullptr;
    QPushButton* m_redoButton = nullptr;
};

} // namespace tarnwick
