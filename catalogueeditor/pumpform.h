#pragma once

#include <QList>
#include <QWidget>

#include <optional>
#include <utility>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace tarnwick {

class CatalogueEditModel;
class EditorChart;

// The pump on display: its own fields and the data sheet's, its schematic,
// its points beside their chart and fit quality, and what the catalogue rules
// say about it. Object names: the fields "pumpField_<field name>", "pumpKey",
// "schematicPreview", "pointsGrid", "catalogueChart", "fitQuality",
// "ruleMessages"; the buttons by their captions without the dots.
class PumpForm : public QWidget
{
    Q_OBJECT
public:
    PumpForm(CatalogueEditModel* model, QWidget* parent);

    // After the state changed or another pump was chosen.
    void refresh();
    // The rules' marks on fields and points, and their lines above the points.
    void refreshMarks();
    void focusModelField();

    void addPointRow();
    void removePointRow();
    // Replaces the pump's points by the clipboard's rows, after asking when
    // it has points; appendPastedPoints adds them after its last point.
    void pastePoints();
    void appendPastedPoints();
    void assignSchematic();

signals:
    // A line for the window's status text.
    void statusChanged(const QString& text);

private:
    void refreshSchematic(const QString& type, bool chosen);
    void onFieldEdited(const QString& field, const QString& text);
    void onPointEdited(int row, int column);
    // The rows of numbers on the clipboard, for the current pump; nothing when
    // no pump is current or, after saying why, when the clipboard holds none.
    std::optional<QList<QList<double>>> clipboardRowsForPump();

    CatalogueEditModel* m_model;
    QLabel* m_keyLabel = nullptr;
    QList<std::pair<QString, QLineEdit*>> m_fields;
    QPlainTextEdit* m_dimensions = nullptr;
    QTableWidget* m_points = nullptr;
    EditorChart* m_chart = nullptr;
    QLabel* m_fitQuality = nullptr;
    QLabel* m_rules = nullptr;
    QLabel* m_schematic = nullptr;
    QList<QPushButton*> m_pumpButtons; // need a chosen pump
};

} // namespace tarnwick
