#include "catalogueeditor/catalogueeditor.h"

#include "catalogueeditor/companypage.h"
#include "catalogueeditor/editorparts.h"
#include "catalogueeditor/editortexts.h"
#include "catalogueeditor/pumpform.h"
#include "catalogueeditor/pumplistpanel.h"
#include "controls/messagebox.h"
#include "store/names.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QUndoStack>
#include <QVBoxLayout>

namespace tarnwick {

namespace n = store::names;
using editorparts::commandButton;

namespace {

// Points named in the question before saving flows that do not rise.
constexpr qsizetype kFallingFlowsListed = 10;

QString caption()
{
    return editortext::windowCaption();
}

} // namespace

CatalogueEditor::CatalogueEditor(QWidget* parent) : QWidget(parent), m_model(new CatalogueEditModel(this))
{
    setObjectName(QStringLiteral("CatalogueEditor"));
    setWindowTitle(caption());
    QUndoStack* undo = m_model->undoStack();

    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("editorPages"));
    auto* pumpPage = new QWidget;
    auto* pumpLayout = new QHBoxLayout(pumpPage);
    m_list = new PumpListPanel(m_model, pumpPage);
    pumpLayout->addWidget(m_list);
    m_pump = new PumpForm(m_model, pumpPage);
    pumpLayout->addWidget(m_pump, 1);
    m_company = new CompanyPage(m_model);
    // On a small screen the pages scroll rather than squeeze their parts.
    for (auto [page, title] : {std::pair<QWidget*, QString>{pumpPage, editortext::pumpsPage()},
                               std::pair<QWidget*, QString>{m_company, n::companyTable()}}) {
        auto* scroll = new QScrollArea(m_tabs);
        scroll->setWidget(page);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        m_tabs->addTab(scroll, title);
    }
    layout->addWidget(m_tabs, 1);

    auto* bottom = new QHBoxLayout;
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusText"));
    bottom->addWidget(m_status, 1);
    m_undoButton = commandButton(editortext::undo(), this);
    m_redoButton = commandButton(editortext::redo(), this);
    m_saveButton = commandButton(editortext::save(), this);
    m_discardButton = commandButton(editortext::discard(), this);
    for (QPushButton* b : {m_undoButton, m_redoButton, m_saveButton, m_discardButton})
        bottom->addWidget(b);
    layout->addLayout(bottom);
    connect(m_undoButton, &QPushButton::clicked, undo, &QUndoStack::undo);
    connect(m_redoButton, &QPushButton::clicked, undo, &QUndoStack::redo);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(m_discardButton, &QPushButton::clicked, this, &CatalogueEditor::discard);
    connect(undo, &QUndoStack::indexChanged, this, &CatalogueEditor::refreshButtons);
    connect(m_model, &CatalogueEditModel::stateChanged, this, &CatalogueEditor::showState);
    connect(m_model, &CatalogueEditModel::currentChanged, this, &CatalogueEditor::showCurrentPump);
    connect(m_list, &PumpListPanel::pumpAdded, m_pump, &PumpForm::focusModelField);
    connect(m_pump, &PumpForm::statusChanged, m_status, &QLabel::setText);

    auto* undoAction = undo->createUndoAction(this);
    undoAction->setShortcut(QKeySequence::Undo);
    undoAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    auto* redoAction = undo->createRedoAction(this);
    redoAction->setShortcut(QKeySequence::Redo);
    redoAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(undoAction);
    addAction(redoAction);
    resize(sizeHint());
}

CatalogueEditor::~CatalogueEditor()
{
    // The window stops following the model, and the pages go before it:
    // what their widgets report while they are taken down goes to the
    // model, which has to outlast them.
    m_model->undoStack()->disconnect(this);
    m_model->disconnect(this);
    delete m_tabs;
}

bool CatalogueEditor::load(const QString& place, QString* error)
{
    if (!m_model->load(place, error))
        return false;
    const int pointsWithoutPump = m_model->stored().pointsWithoutPump;
    if (pointsWithoutPump > 0)
        m_status->setText(editortext::orphanPoints().arg(n::pointTable()).arg(pointsWithoutPump));
    return true;
}

void CatalogueEditor::showState()
{
    m_list->refresh();
    m_pump->refresh();
    m_company->refresh();
    m_pump->refreshMarks();
    m_list->refreshMarks();
    refreshButtons();
}

void CatalogueEditor::showCurrentPump()
{
    m_list->showCurrent();
    m_pump->refresh();
    m_pump->refreshMarks();
    refreshButtons();
}

void CatalogueEditor::refreshButtons()
{
    const QUndoStack* undo = m_model->undoStack();
    m_saveButton->setEnabled(!undo->isClean());
    m_discardButton->setEnabled(!undo->isClean());
    m_undoButton->setEnabled(undo->canUndo());
    m_redoButton->setEnabled(undo->canRedo());
    setWindowTitle(undo->isClean() ? caption() : caption() + QStringLiteral(" *"));
}

void CatalogueEditor::selectPump(int index)
{
    m_model->selectPump(index);
}

void CatalogueEditor::newPump()
{
    m_list->newPump();
}

void CatalogueEditor::duplicatePump()
{
    m_list->duplicatePump();
}

void CatalogueEditor::deletePump()
{
    m_list->deletePump();
}

void CatalogueEditor::movePump(int step)
{
    m_list->movePump(step);
}

void CatalogueEditor::addPointRow()
{
    m_pump->addPointRow();
}

void CatalogueEditor::removePointRow()
{
    m_pump->removePointRow();
}

void CatalogueEditor::pastePoints()
{
    m_pump->pastePoints();
}

void CatalogueEditor::appendPastedPoints()
{
    m_pump->appendPastedPoints();
}

void CatalogueEditor::assignSchematic()
{
    m_pump->assignSchematic();
}

bool CatalogueEditor::save()
{
    if (!m_model->isLoaded())
        return false;
    QStringList falling = m_model->fallingFlows();
    if (falling.size() > kFallingFlowsListed) {
        const auto all = falling.size();
        falling.resize(kFallingFlowsListed);
        falling.append(editortext::morePoints().arg(all));
    }
    if (!falling.isEmpty() &&
        !askYesNo(this, editortext::confirmFlowsNotRising().arg(falling.join(QLatin1Char('\n'))))) {
        m_status->setText(editortext::notSavedFlowsNotRising());
        return false;
    }
    store::SaveOptions options;
    options.attempts = 5;
    options.busyTimeoutMs = 2000;
    options.beforeRetry = [this](int attempt) {
        m_status->setText(editortext::retryingSave().arg(attempt));
        m_status->repaint();
        return true;
    };
    const auto saved = m_model->save(options);
    if (!saved) {
        m_status->setText(editortext::notSaved());
        showWarning(this, saved.error());
        return false;
    }
    const store::SaveSummary& s = *saved;
    resetFromDatabase();
    m_status->setText(editortext::saved()
                          .arg(s.insertedPumps)
                          .arg(s.updatedPumps)
                          .arg(s.deletedPumps)
                          .arg(s.insertedPoints)
                          .arg(s.updatedPoints)
                          .arg(s.deletedPoints));
    emit catalogueSaved();
    return true;
}

void CatalogueEditor::resetFromDatabase()
{
    QString error;
    if (!m_model->reload(m_model->state().current, &error))
        showWarning(this, error);
}

void CatalogueEditor::discard()
{
    if (!hasPendingEdits())
        return;
    if (!askYesNo(this, editortext::confirmDiscard()))
        return;
    resetFromDatabase();
    m_status->setText(editortext::discarded());
}

bool CatalogueEditor::settlePendingEdits(Leaving leaving)
{
    if (!hasPendingEdits())
        return true;
    const int answer =
        askChoice(this, leaving == Leaving::Exit ? editortext::confirmExit() : editortext::confirmClose(),
                  {editortext::saveAnswer(), editortext::dontSaveAnswer(), editortext::cancelAnswer()});
    if (answer == 0)
        return save(); // a save that fails keeps the window and the edits
    return answer == 1;
}

void CatalogueEditor::closeEvent(QCloseEvent* event)
{
    if (!settlePendingEdits(Leaving::Close)) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace tarnwick
