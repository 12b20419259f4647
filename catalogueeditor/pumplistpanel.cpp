#include "catalogueeditor/pumplistpanel.h"

#include "catalogueeditor/catalogueeditmodel.h"
#include "catalogueeditor/editorparts.h"
#include "catalogueeditor/editortexts.h"
#include "catalogueeditor/pointpaste.h"
#include "controls/messagebox.h"
#include "core/trim.h"
#include "store/cataloguereader.h"
#include "store/names.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

#include <cmath>

namespace tarnwick {

namespace n = store::names;
using editorparts::commandButton;
using editorparts::numberText;
using editorparts::valueText;

PumpListPanel::PumpListPanel(CatalogueEditModel* model, QWidget* parent) : QWidget(parent), m_model(model)
{
    auto* left = new QVBoxLayout(this);
    left->setContentsMargins(0, 0, 0, 0);
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("filterBox"));
    m_filter->setPlaceholderText(editortext::filterHint());
    m_filter->setClearButtonEnabled(true);
    left->addWidget(m_filter);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("pumpList"));
    m_list->setMinimumWidth(240);
    left->addWidget(m_list, 1);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("pumpCount"));
    left->addWidget(m_count);
    auto* listButtons = new QGridLayout;
    QPushButton* add = commandButton(editortext::newPump(), this);
    QPushButton* duplicate = commandButton(editortext::duplicatePump(), this);
    QPushButton* remove = commandButton(editortext::deletePump(), this);
    QPushButton* up = commandButton(editortext::moveUp(), this);
    QPushButton* down = commandButton(editortext::moveDown(), this);
    listButtons->addWidget(add, 0, 0);
    listButtons->addWidget(duplicate, 0, 1);
    listButtons->addWidget(remove, 0, 2);
    listButtons->addWidget(up, 1, 0);
    listButtons->addWidget(down, 1, 1);
    left->addLayout(listButtons);
    connect(add, &QPushButton::clicked, this, &PumpListPanel::newPump);
    connect(duplicate, &QPushButton::clicked, this, &PumpListPanel::duplicatePump);
    connect(remove, &QPushButton::clicked, this, &PumpListPanel::deletePump);
    connect(up, &QPushButton::clicked, this, [this] { movePump(-1); });
    connect(down, &QPushButton::clicked, this, [this] { movePump(1); });
    m_pumpButtons = {duplicate, remove, up, down};
    connect(m_filter, &QLineEdit::textChanged, this, &PumpListPanel::refreshFilter);
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (!m_model->isApplying() && item)
            m_model->selectPump(item->data(Qt::UserRole).toInt());
    });
}

void PumpListPanel::refresh()
{
    const CatalogueEditorState& state = m_model->state();
    QStringList texts;
    texts.reserve(state.pumps.size());
    for (const store::EditablePump& pump : state.pumps)
        texts.append(editortext::pumpListEntry().arg(editorparts::pumpName(pump), pump.type(),
                                                     valueText(pump.field(n::speed()))));
    const QSignalBlocker blocker(m_list);
    if (texts.size() == m_listTexts.size() && texts.size() == m_list->count()) {
        // A field typed into: only that pump's line changes.
        bool changed = false;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            if (texts.at(i) != m_listTexts.at(i)) {
                m_list->item(static_cast<int>(i))->setText(texts.at(i));
                changed = true;
            }
        }
        m_listTexts = texts;
        if (changed)
            refreshFilter();
    } else if (texts != m_listTexts) {
        m_list->clear();
        for (int i = 0; i < texts.size(); ++i) {
            auto* item = new QListWidgetItem(texts.at(i), m_list);
            item->setData(Qt::UserRole, i);
        }
        m_listTexts = texts;
        refreshFilter();
    }
    m_list->setCurrentRow(state.current);
    for (QPushButton* button : std::as_const(m_pumpButtons))
        button->setEnabled(state.current >= 0);
}

void PumpListPanel::showCurrent()
{
    {
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentRow(m_model->state().current);
    }
    for (QPushButton* button : std::as_const(m_pumpButtons))
        button->setEnabled(m_model->state().current >= 0);
}

void PumpListPanel::refreshFilter()
{
    const QList<store::EditablePump>& pumps = m_model->state().pumps;
    const QStringList tokens = m_filter->text().simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int shown = 0;
    for (int i = 0; i < m_list->count() && i < pumps.size(); ++i) {
        const store::EditablePump& pump = pumps.at(i);
        bool match = true;
        for (const QString& token : tokens) {
            if (!pump.model().contains(token, Qt::CaseInsensitive) &&
                !pump.type().contains(token, Qt::CaseInsensitive) && valueText(pump.field(n::speed())) != token) {
                match = false;
                break;
            }
        }
        m_list->item(i)->setHidden(!match);
        shown += match ? 1 : 0;
    }
    m_count->setText(shown == pumps.size() ? editortext::pumpCount().arg(pumps.size())
                                           : editortext::shownPumpCount().arg(shown).arg(pumps.size()));
}

void PumpListPanel::refreshMarks()
{
    QSet<int> refusedPumps;
    for (const store::CatalogueFinding& finding : m_model->findings())
        if (finding.refusal)
            refusedPumps.insert(finding.pump);
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setForeground(refusedPumps.contains(i) ? QBrush(QColor(192, 0, 0)) : QBrush());
}

void PumpListPanel::newPump()
{
    m_model->edit(editortext::newPumpEdit(), QString(), [](CatalogueEditorState& s) {
        const int at = s.current + 1;
        s.pumps.insert(at, store::emptyPump(store::nextPumpKey(s.pumps)));
        s.current = at;
    });
    emit pumpAdded();
}

void PumpListPanel::duplicatePump()
{
    const store::EditablePump* current = m_model->currentPump();
    if (!current)
        return;
    const store::EditablePump original = *current;

    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("duplicateDialog"));
    dialog.setWindowTitle(editortext::duplicatePumpEdit());
    auto* form = new QFormLayout(&dialog);
    auto* model = new QLineEdit(original.model() + QStringLiteral("A"), &dialog);
    model->setObjectName(QStringLiteral("duplicateModel"));
    form->addRow(editortext::newModel(), model);
    auto* scaling = new QComboBox(&dialog);
    scaling->setObjectName(QStringLiteral("duplicateScaling"));
    scaling->addItems({editortext::noScaling(), editortext::scaleByImpeller(), editortext::scaleBySpeed()});
    form->addRow(editortext::pointsScaling(), scaling);
    auto* value = new QLineEdit(&dialog);
    value->setObjectName(QStringLiteral("duplicateValue"));
    value->setValidator(new editorparts::DecimalValidator(value));
    value->setPlaceholderText(editortext::newValueHint());
    form->addRow(editortext::newValue(), value);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (execModal(dialog) != QDialog::Accepted)
        return;

    store::EditablePump copy = original;
    copy.setField(n::model(), model->text());
    const int mode = scaling->currentIndex();
    if (mode > 0) {
        const QString field = mode == 1 ? n::impellerDiameter() : n::speed();
        const double old = store::numberOrNaN(original.field(field));
        const std::optional<double> target = parseDecimal(value->text());
        if (!(std::isfinite(old) && old > 0.0)) {
            showWarning(this, editortext::cannotScaleWithout().arg(field));
            return;
        }
        if (!target || !(*target > 0.0)) {
            showWarning(this, editortext::enterPositiveValue().arg(field));
            return;
        }
        const double ratio = *target / old;
        if (mode == 1) {
            // An impeller is cut, never enlarged: a larger one would not fit
            // the casing the curves were measured with.
            if (ratio > 1.0) {
                showWarning(this, editortext::impellerEnlarged().arg(numberText(*target), numberText(old)));
                return;
            }
            const double cut = 100.0 * (1.0 - ratio);
            if (cut > kDefaultMaxTrimPercent &&
                !askYesNo(this, editortext::deepImpellerCut().arg(numberText(old), numberText(*target),
                                                                  QString::number(cut, 'f', 1),
                                                                  numberText(kDefaultMaxTrimPercent))))
                return;
        }
        copy.points = store::affinityScaled(original.points, ratio);
        copy.setField(field, *target);
        // The data sheet's rated point moves with the curve.
        auto scale = [&](const QString& name, double factor) {
            const double v = store::numberOrNaN(copy.field(name));
            if (std::isfinite(v))
                copy.setField(name, v * factor);
        };
        scale(n::flow(), ratio);
        scale(n::head(), ratio * ratio);
        scale(n::shaftPower(), ratio * ratio * ratio);
    }
    // The NPSH a cut impeller needs is not given by the affinity laws; the
    // copy keeps the original's figure, marked until the maker's is typed.
    const double originalDiameter = store::numberOrNaN(original.field(n::impellerDiameter()));
    const bool npshToConfirm = mode == 1 && !original.field(n::npshRequired()).isNull() &&
                               store::numberOrNaN(copy.field(n::impellerDiameter())) < originalDiameter;
    m_model->edit(editortext::duplicatePumpEdit(), QString(), [&](CatalogueEditorState& s) {
        copy.key = store::nextPumpKey(s.pumps);
        s.pumps.insert(s.current + 1, copy);
        s.current += 1;
        if (npshToConfirm)
            s.npshFromOriginal.insert(copy.key, originalDiameter);
    });
}

void PumpListPanel::deletePump()
{
    if (m_model->state().current < 0)
        return;
    m_model->edit(editortext::deletePumpEdit(), QString(), [](CatalogueEditorState& s) {
        s.pumps.removeAt(s.current);
        s.current = std::min(s.current, static_cast<int>(s.pumps.size()) - 1);
    });
}

void PumpListPanel::movePump(int step)
{
    const CatalogueEditorState& state = m_model->state();
    const int to = state.current + step;
    if (state.current < 0 || to < 0 || to >= state.pumps.size())
        return;
    m_model->edit(editortext::movePumpEdit(), QString(), [&](CatalogueEditorState& s) {
        s.pumps.move(s.current, to);
        s.current = to;
    });
}

} // namespace tarnwick
