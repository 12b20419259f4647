#pragma once

#include "core/expected.h"
#include "store/catalogueedit.h"
#include "store/database.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <memory>

class QUndoStack;

namespace tarnwick {

// Everything the window edits until it is saved: the undo stack keeps whole
// states, which share their unchanged parts.
struct CatalogueEditorState
{
    QList<store::EditablePump> pumps;
    QList<std::pair<QString, QByteArray>> schematics; // assigned since the last save
    store::CompanyInfo company;
    int current = -1; // the pump on display
    // Pumps copied with a cut impeller whose 必需汽蚀余量 is still the
    // original's, with that impeller's diameter, mm: the maker's figure is
    // wanted. Typing the field clears the mark.
    QHash<qint64, double> npshFromOriginal;
};

// The catalogue as the window edits it: the catalogue as read, the edited
// state, what the catalogue rules find in it, and the undo stack whose steps
// are whole states. The state changes only through edit(), so every change
// can be undone until it is saved, and through selectPump(), which is no edit.
class CatalogueEditModel : public QObject
{
    Q_OBJECT
public:
    explicit CatalogueEditModel(QObject* parent = nullptr);
    ~CatalogueEditModel() override;

    // Opens the database at `place` (a folder or a server's address, see
    // store::databasePath) and reads the catalogue.
    bool load(const QString& place, QString* error);
    // Reads the catalogue again and drops the edits; the pump at `current`,
    // or the last one, stays on display.
    bool reload(int current, QString* error);
    bool isLoaded() const { return m_connection != nullptr; }

    const CatalogueEditorState& state() const { return m_state; }
    // The pump on display; null when there is none.
    const store::EditablePump* currentPump() const;
    // The catalogue as last read from the database.
    const store::EditableCatalogue& stored() const { return m_read; }
    // The rules' refusals and warnings on the state; a flow that does not
    // rise reads as one to confirm at the save.
    const QList<store::CatalogueFinding>& findings() const { return m_findings; }
    // A refusal the catalogue already had when it was read: it does not stop
    // a save that leaves it as it is.
    bool isStoredRefusal(const store::CatalogueFinding& finding) const;
    QUndoStack* undoStack() const { return m_undo; }
    bool hasPendingEdits() const;
    // True while the views follow a change of the state: what their widgets
    // report then is their own doing, no edit.
    bool isApplying() const { return m_applying; }

    // Records an edit as one undo step; edits with the same merge key in a
    // row (typing into one field) make one step.
    void edit(const QString& text, const QString& mergeKey, const std::function<void(CatalogueEditorState&)>& change);
    void selectPump(int index);

    // One line per point, pump by pump, whose flow does not rise above the
    // point before, in the pumps whose points the edits changed: stored
    // curves that already had them were accepted when they were imported.
    QStringList fallingFlows() const;
    // Writes the edits; the state stays as it is until reload().
    Expected<store::SaveSummary, QString> save(const store::SaveOptions& options);

signals:
    // The whole state was replaced: an edit, an undo or redo, a reading.
    void stateChanged();
    // Another pump is on display; nothing else changed.
    void currentChanged();

private:
    class EditCommand;
    void applyState(const CatalogueEditorState& state);
    bool readCatalogue(int current, QString* error);

    std::shared_ptr<store::Connection> m_connection;
    store::EditableCatalogue m_read;
    CatalogueEditorState m_state;
    QList<store::CatalogueFinding> m_findings;
    QList<store::CatalogueFinding> m_storedRefusals; // of the catalogue as read
    QUndoStack* m_undo = nullptr;
    bool m_applying = false;
};

} // namespace tarnwick
