#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tarnwick {

class CatalogueEditModel;

// The pumps of the catalogue in stored order, the filter above them, and the
// commands that add, copy, delete and move a pump. Object names: "filterBox",
// "pumpList", "pumpCount"; the buttons by their captions without the dots.
class PumpListPanel : public QWidget
{
    Q_OBJECT
public:
    PumpListPanel(CatalogueEditModel* model, QWidget* parent);

    // After the state changed: the lines, the filter and the current pump.
    void refresh();
    // After another pump was chosen.
    void showCurrent();
    // Pumps the rules refuse stand out.
    void refreshMarks();

    void newPump();
    void duplicatePump();
    void deletePump();
    void movePump(int step);

signals:
    // A new empty pump is on display, for typing its model.
    void pumpAdded();

private:
    void refreshFilter();

    CatalogueEditModel* m_model;
    QStringList m_listTexts;
    QLineEdit* m_filter = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_count = nullptr;
    QList<QPushButton*> m_pumpButtons; // need a chosen pump
};

} // namespace tarnwick
