#pragma once

#include "store/catalogueedit.h"
#include "store/database.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QUndoStack;

namespace tarnwick {

class EditorChart;

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

// The window "水泵目录维护": the pumps of the catalogue in stored order on the
// left, the chosen pump's fields, points and chart on the right, and the
// company texts and pictures on a second page. Every edit is checked by the
// catalogue rules at once and can be undone until it is saved.
//
// Object names: "pumpList", "filterBox", "pumpCount"; the fields
// "pumpField_<field name>"; "pointsGrid", "catalogueChart", "fitQuality",
// "ruleMessages", "statusText"; buttons by their captions without the dots;
// on the second page "companyText", "productText", "companyPicture",
// "productPicture".
class CatalogueEditor : public QWidget
{
    Q_OBJECT
public:
    explicit CatalogueEditor(QWidget* parent = nullptr);
    ~CatalogueEditor() override;

    // Opens the database at `place` (a folder or a server's address, see
    // store::databasePath) and reads the catalogue.
    bool load(const QString& place, QString* error);

    const CatalogueEditorState& state() const { return m_state; }
    bool hasPendingEdits() const;
    QUndoStack* undoStack() const { return m_undo; }
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
    friend class CatalogueEditCommand;
    void buildPumpPage(QWidget* page);
    void buildCompanyPage(QWidget* page);
    // Records an edit as one undo step; edits with the same merge key in a
    // row (typing into one field) make one step.
    void edit(const QString& text, const QString& mergeKey, const std::function<void(CatalogueEditorState&)>& change);
    void applyState(const CatalogueEditorState& state);
    void refreshList();
    void refreshFilter();
    void refreshPump();
    void refreshMarks();
    void refreshCompany();
    void refreshButtons();
    void onFieldEdited(const QString& field, const QString& text);
    void onPointEdited(int row, int column);
    // The rows of numbers on the clipboard, for the current pump; nothing when
    // no pump is current or, after saying why, when the clipboard holds none.
    std::optional<QList<QList<double>>> clipboardRowsForPump();
    void choosePicture(const QString& caption,
                       const std::function<void(CatalogueEditorState&, const QByteArray&)>& set);
    void resetFromDatabase(int current);

    std::shared_ptr<store::Connection> m_connection;
    store::EditableCatalogue m_read;
    CatalogueEditorState m_state;
    QList<store::CatalogueFinding> m_findings;
    QList<store::CatalogueFinding> m_storedRefusals; // of the catalogue as read
    bool isStoredRefusal(const store::CatalogueFinding& finding) const;
    QUndoStack* m_undo = nullptr;
    bool m_applying = false;
    QStringList m_listTexts;

    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_filter = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_keyLabel = nullptr;
    QList<std::pair<QString, QLineEdit*>> m_fields;
    QPlainTextEdit* m_dimensions = nullptr;
    QTableWidget* m_points = nullptr;
    EditorChart* m_chart = nullptr;
    QLabel* m_fitQuality = nullptr;
    QLabel* m_rules = nullptr;
    QLabel* m_schematic = nullptr;
    QLabel* m_status = nullptr;
    QPlainTextEdit* m_companyText = nullptr;
    QPlainTextEdit* m_productText = nullptr;
    QLabel* m_companyPicture = nullptr;
    QLabel* m_productPicture = nullptr;
    QList<QPushButton*> m_pumpButtons; // need a chosen pump
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_discardButton = nullptr;
    QPushButton* m_undoButton = nullptr;
    QPushButton* m_redoButton = nullptr;
};

} // namespace tarnwick
