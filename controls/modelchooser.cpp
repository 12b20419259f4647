#include "controls/modelchooser.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>

namespace tarnwick {

ModelChooser::ModelChooser(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    // Typing searches; it never adds a model.
    setInsertPolicy(QComboBox::NoInsert);
    auto* search = new QCompleter(model(), this);
    search->setObjectName(QStringLiteral("modelSearch"));
    search->setFilterMode(Qt::MatchContains);
    search->setCaseSensitivity(Qt::CaseInsensitive);
    search->setCompletionMode(QCompleter::PopupCompletion);
    search->setMaxVisibleItems(20);
    setCompleter(search);
    connect(search, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& text) { choose(findText(text, Qt::MatchFixedString)); });
}

QString ModelChooser::chosenModel() const
{
    // A model named in full in the box is the one the user sees chosen.
    const QString typed = lineEdit()->text();
    const int current = currentIndex();
    const int named = current >= 0 && typed == itemText(current) ? current
                                                                 : findText(typed.trimmed(), Qt::MatchFixedString);
    const int index = named >= 0 ? named : current;
    return index >= 0 ? itemText(index) : QString();
}

void ModelChooser::choose(int index)
{
    if (index < 0) {
        // Back to the model chosen before.
        lineEdit()->setText(itemText(currentIndex()));
        return;
    }
    setCurrentIndex(index);
    lineEdit()->setText(itemText(index));
    emit activated(index);
}

void ModelChooser::settle()
{
    const QString typed = lineEdit()->text().trimmed();
    if (currentIndex() >= 0 && typed == itemText(currentIndex()))
        return;
    int found = typed.isEmpty() ? -1 : findText(typed, Qt::MatchFixedString);
    if (found < 0 && !typed.isEmpty()) {
        for (int i = 0; i < count(); ++i) {
            if (!itemText(i).contains(typed, Qt::CaseInsensitive))
                continue;
            if (found >= 0) { // more than one: no choice
                found = -1;
                break;
            }
            found = i;
        }
    }
    choose(found);
}

void ModelChooser::focusOutEvent(QFocusEvent* event)
{
    // Leaving for the search list is still searching.
    if (event->reason() != Qt::PopupFocusReason)
        settle();
    QComboBox::focusOutEvent(event);
}

void ModelChooser::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        settle();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        lineEdit()->setText(itemText(currentIndex()));
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace tarnwick
