#include "catalogueeditor/catalogueeditmodel.h"

#include "catalogueeditor/editorparts.h"
#include "catalogueeditor/editortexts.h"
#include "store/databaselocation.h"
#include "store/names.h"

#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace n = store::names;
using editorparts::numberText;

// One edit: the whole state before and after it.
class CatalogueEditModel::EditCommand : public QUndoCommand
{
public:
    EditCommand(CatalogueEditModel* model, CatalogueEditorState before, CatalogueEditorState after, const QString& text,
                QString mergeKey)
        : QUndoCommand(text), m_model(model), m_before(std::move(before)), m_after(std::move(after)),
          m_mergeKey(std::move(mergeKey))
    {
    }
    void undo() override { m_model->applyState(m_before); }
    void redo() override { m_model->applyState(m_after); }
    int id() const override { return m_mergeKey.isEmpty() ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const EditCommand*>(other);
        if (next->m_mergeKey != m_mergeKey)
            return false;
        m_after = next->m_after;
        return true;
    }

private:
    CatalogueEditModel* m_model;
    CatalogueEditorState m_before;
    CatalogueEditorState m_after;
    QString m_mergeKey;
};

CatalogueEditModel::CatalogueEditModel(QObject* parent) : QObject(parent), m_undo(new QUndoStack(this)) {}

CatalogueEditModel::~CatalogueEditModel()
{
    // The stack's commands refer back to this model.
    m_undo->clear();
}

bool CatalogueEditModel::load(const QString& place, QString* error)
{
    auto connection = store::Connection::open(store::databasePath(place));
    if (!connection) {
        *error = connection.error();
        return false;
    }
    m_connection = connection.value();
    if (!readCatalogue(0, error)) {
        m_connection.reset();
        return false;
    }
    return true;
}

bool CatalogueEditModel::reload(int current, QString* error)
{
    return readCatalogue(current, error);
}

bool CatalogueEditModel::readCatalogue(int current, QString* error)
{
    auto read = store::readEditableCatalogue(m_connection->database());
    if (!read) {
        *error = read.error();
        return false;
    }
    m_read = std::move(read).value();
    m_storedRefusals.clear();
    for (const store::CatalogueFinding& f : store::checkEditedCatalogue(m_read.pumps))
        if (f.refusal)
            m_storedRefusals.append(f);
    CatalogueEditorState state;
    state.pumps = m_read.pumps;
    state.company = m_read.company;
    state.current = std::min(current, static_cast<int>(state.pumps.size()) - 1);
    m_undo->clear();
    applyState(state);
    return true;
}

const store::EditablePump* CatalogueEditModel::currentPump() const
{
    return m_state.current >= 0 ? &m_state.pumps.at(m_state.current) : nullptr;
}

bool CatalogueEditModel::isStoredRefusal(const store::CatalogueFinding& finding) const
{
    if (!finding.refusal)
        return false;
    return std::any_of(m_storedRefusals.cbegin(), m_storedRefusals.cend(), [&](const store::CatalogueFinding& f) {
        return store::sameFinding(m_state.pumps, finding, m_read.pumps, f);
    });
}

bool CatalogueEditModel::hasPendingEdits() const
{
    return !m_undo->isClean();
}

void CatalogueEditModel::edit(const QString& text, const QString& mergeKey,
                              const std::function<void(CatalogueEditorState&)>& change)
{
    CatalogueEditorState after = m_state;
    change(after);
    m_undo->push(new EditCommand(this, m_state, after, text, mergeKey));
}

void CatalogueEditModel::applyState(const CatalogueEditorState& state)
{
    m_applying = true;
    m_state = state;
    if (m_state.current >= m_state.pumps.size())
        m_state.current = static_cast<int>(m_state.pumps.size()) - 1;
    m_findings = store::checkEditedCatalogue(m_state.pumps);
    // A flow that does not rise is let through by the imports; here it has
    // to be confirmed at the save, and the mark says so.
    for (store::CatalogueFinding& finding : m_findings) {
        if (finding.refusal || finding.field != n::flow() || finding.pump < 0 || finding.point < 1)
            continue;
        const QList<store::EditablePoint>& points = m_state.pumps.at(finding.pump).points;
        if (finding.point < points.size())
            finding.text = editortext::flowNotRising().arg(numberText(points.at(finding.point).flow),
                                                           numberText(points.at(finding.point - 1).flow));
    }
    emit stateChanged();
    m_applying = false;
}

void CatalogueEditModel::selectPump(int index)
{
    if (index < -1 || index >= m_state.pumps.size() || index == m_state.current)
        return;
    m_applying = true;
    m_state.current = index;
    emit currentChanged();
    m_applying = false;
}

QStringList CatalogueEditModel::fallingFlows() const
{
    QStringList lines;
    for (const store::EditablePump& pump : m_state.pumps) {
        const auto before = std::find_if(m_read.pumps.cbegin(), m_read.pumps.cend(),
                                         [&](const store::EditablePump& p) { return p.key == pump.key; });
        if (before != m_read.pumps.cend() && before->points == pump.points)
            continue;
        const QString model = pump.model().trimmed();
        const QString name =
            model.isEmpty() ? editortext::unnamedPump().arg(pump.key) : editortext::namedPump().arg(model);
        for (qsizetype k = 1; k < pump.points.size(); ++k) {
            const double flow = pump.points.at(k).flow;
            const double previous = pump.points.at(k - 1).flow;
            if (std::isfinite(flow) && std::isfinite(previous) && !(flow > previous))
                lines.append(
                    editortext::flowNotRisingLine().arg(name).arg(k + 1).arg(numberText(flow), numberText(previous)));
        }
    }
    return lines;
}

Expected<store::SaveSummary, QString> CatalogueEditModel::save(const store::SaveOptions& options)
{
    store::CatalogueEdits edits;
    edits.pumps = m_state.pumps;
    edits.schematics = m_state.schematics;
    if (!(m_state.company == m_read.company))
        edits.company = m_state.company;
    return store::saveCatalogueEdits(m_connection->database(), m_read, edits, options);
}

} // namespace tarnwick
