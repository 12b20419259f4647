#include "catalogueeditor/pumpform.h"

#include "catalogueeditor/catalogueeditmodel.h"
#include "catalogueeditor/editorchart.h"
#include "catalogueeditor/editorparts.h"
#include "catalogueeditor/editortexts.h"
#include "catalogueeditor/pointpaste.h"
#include "controls/messagebox.h"
#include "core/fitquality.h"
#include "store/names.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnwick {

namespace n = store::names;
using editorparts::commandButton;
using editorparts::kNaN;
using editorparts::numberText;
using editorparts::valueText;

namespace {

const QColor kRefusedColour(255, 200, 200);
const QColor kWarnedColour(255, 240, 190);
// Narrow enough for two columns of fields beside the pump list on a screen
// 1366 pixels wide, wide enough for a model or a six-digit number.
constexpr int kFieldMinimumWidth = 70;

class PointDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setValidator(new editorparts::DecimalValidator(line));
        return editor;
    }
};

// The fields of the form: the pump's own on the left, the data sheet's on
// the right; text fields take any text, the others numbers.
const QStringList& pumpOwnFields()
{
    static const QStringList fields = {n::pumpType(), n::model(), n::speed()};
    return fields;
}
const QStringList& dataSheetFields()
{
    static const QStringList fields = {
        n::flow(), n::head(), n::shaftPower(), n::motorPower(), n::npshRequired(), n::impellerDiameter(), n::weight()};
    return fields;
}
// The unit shown beside a number field; none for the others.
QString unitOf(const QString& field)
{
    if (field == n::speed())
        return editortext::speedUnit();
    if (field == n::flow())
        return editortext::flowUnit();
    if (field == n::head() || field == n::npshRequired())
        return editortext::headUnit();
    if (field == n::shaftPower() || field == n::motorPower())
        return editortext::powerUnit();
    if (field == n::impellerDiameter())
        return editortext::diameterUnit();
    if (field == n::weight())
        return editortext::weightUnit();
    return QString();
}

bool isTextField(const QString& field)
{
    return field == n::pumpType() || field == n::model() || field == n::installationDimensions();
}

// The value a field's text stands for; nothing while a number is half typed.
std::optional<QVariant> fieldValue(const QString& field, const QString& text)
{
    if (text.trimmed().isEmpty())
        return QVariant();
    if (isTextField(field))
        return QVariant(text);
    const std::optional<double> number = parseDecimal(text);
    if (!number)
        return std::nullopt;
    return QVariant(*number);
}

double& pointValue(store::EditablePoint& point, int column)
{
    return column == 0 ? point.flow : column == 1 ? point.head : point.power;
}

} // namespace

PumpForm::PumpForm(CatalogueEditModel* model, QWidget* parent) : QWidget(parent), m_model(model)
{
    // Two rows, so that a screen of 768 lines shows everything at once: the
    // fields in two groups side by side, then the points beside their chart.
    auto* right = new QVBoxLayout(this);
    right->setContentsMargins(0, 0, 0, 0);
    auto* forms = new QHBoxLayout;
    // A field as label, box and unit in three columns of a grid.
    auto addField = [&](QGridLayout* grid, int row, int column, const QString& field) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("pumpField_") + field);
        box->setMinimumWidth(kFieldMinimumWidth);
        if (!isTextField(field))
            box->setValidator(new editorparts::DecimalValidator(box));
        grid->addWidget(new QLabel(field, this), row, column);
        const QString unit = unitOf(field);
        if (unit.isEmpty()) {
            grid->addWidget(box, row, column + 1, 1, 2);
        } else {
            grid->addWidget(box, row, column + 1);
            auto* unitLabel = new QLabel(unit, this);
            unitLabel->setObjectName(QStringLiteral("unit_") + field);
            grid->addWidget(unitLabel, row, column + 2);
        }
        m_fields.append({field, box});
        connect(box, &QLineEdit::textEdited, this, [this, field](const QString& text) { onFieldEdited(field, text); });
    };
    auto* ownGroup = new QGroupBox(n::pumpTable(), this);
    auto* ownGrid = new QGridLayout(ownGroup);
    // Close rows: the two groups stand above the points in 768 lines.
    ownGrid->setContentsMargins(6, 2, 6, 4);
    ownGrid->setVerticalSpacing(3);
    ownGrid->addWidget(new QLabel(n::key(), ownGroup), 0, 0);
    m_keyLabel = new QLabel(ownGroup);
    m_keyLabel->setObjectName(QStringLiteral("pumpKey"));
    ownGrid->addWidget(m_keyLabel, 0, 1, 1, 2);
    for (int i = 0; i < pumpOwnFields().size(); ++i)
        addField(ownGrid, i + 1, 0, pumpOwnFields().at(i));
    m_schematic = new QLabel(ownGroup);
    m_schematic->setObjectName(QStringLiteral("schematicPreview"));
    m_schematic->setToolTip(n::schematicPicture());
    m_schematic->setFixedSize(130, 86);
    m_schematic->setAlignment(Qt::AlignCenter);
    m_schematic->setFrameShape(QFrame::StyledPanel);
    ownGrid->addWidget(m_schematic, 0, 3, 3, 1, Qt::AlignTop);
    QPushButton* schematic = commandButton(editortext::chooseSchematic(), ownGroup);
    ownGrid->addWidget(schematic, 3, 3);
    ownGrid->setColumnStretch(1, 1);
    connect(schematic, &QPushButton::clicked, this, &PumpForm::assignSchematic);
    m_pumpButtons.append(schematic);
    forms->addWidget(ownGroup, 2);

    auto* sheetGroup = new QGroupBox(editortext::sheetData().arg(n::pumpView()), this);
    auto* sheetGrid = new QGridLayout(sheetGroup);
    sheetGrid->setContentsMargins(6, 2, 6, 4);
    sheetGrid->setVerticalSpacing(3);
    // Down the first column, then the second; the dimensions close the second.
    const QStringList& sheetFields = dataSheetFields();
    const int rows = static_cast<int>((sheetFields.size() + 2) / 2);
    for (int i = 0; i < sheetFields.size(); ++i)
        addField(sheetGrid, i % rows, i < rows ? 0 : 3, sheetFields.at(i));
    m_dimensions = new QPlainTextEdit(sheetGroup);
    m_dimensions->setObjectName(QStringLiteral("pumpField_") + n::installationDimensions());
    // Two lines in sight; longer texts scroll.
    m_dimensions->setFixedHeight(2 * fontMetrics().lineSpacing() + 8);
    m_dimensions->setMinimumWidth(kFieldMinimumWidth);
    sheetGrid->addWidget(new QLabel(n::installationDimensions(), sheetGroup), rows - 1, 3, Qt::AlignTop);
    sheetGrid->addWidget(m_dimensions, rows - 1, 4, 1, 2);
    sheetGrid->setColumnStretch(1, 1);
    sheetGrid->setColumnStretch(4, 1);
    sheetGrid->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(editortext::speedUnit()));
    connect(m_dimensions, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_model->isApplying())
            onFieldEdited(n::installationDimensions(), m_dimensions->toPlainText());
    });
    forms->addWidget(sheetGroup, 3);
    right->addLayout(forms);

    auto* curves = new QHBoxLayout;
    auto* pointsColumn = new QVBoxLayout;
    // What the rules say about this pump, in sight above its points.
    m_rules = new QLabel(this);
    m_rules->setObjectName(QStringLiteral("ruleMessages"));
    m_rules->setWordWrap(true);
    m_rules->setTextFormat(Qt::PlainText);
    pointsColumn->addWidget(m_rules);
    m_points = new QTableWidget(0, 3, this);
    m_points->setObjectName(QStringLiteral("pointsGrid"));
    m_points->setHorizontalHeaderLabels({editortext::flowAxis(), editortext::headAxis(), editortext::powerAxis()});
    m_points->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_points->setItemDelegate(new PointDelegate(m_points));
    m_points->setMinimumWidth(300);
    pointsColumn->addWidget(m_points, 1);
    auto* pointButtons = new QHBoxLayout;
    QPushButton* addPoint = commandButton(editortext::addPoint(), this);
    QPushButton* removePoint = commandButton(editortext::removePoint(), this);
    QPushButton* paste = commandButton(editortext::pastePoints(), this);
    paste->setToolTip(editortext::pastePointsHint());
    QPushButton* append = commandButton(editortext::appendPoints(), this);
    append->setToolTip(editortext::appendPointsHint());
    for (QPushButton* b : {addPoint, removePoint, paste, append})
        pointButtons->addWidget(b);
    pointsColumn->addLayout(pointButtons);
    m_pumpButtons.append({addPoint, removePoint, paste, append});
    connect(addPoint, &QPushButton::clicked, this, &PumpForm::addPointRow);
    connect(removePoint, &QPushButton::clicked, this, &PumpForm::removePointRow);
    connect(paste, &QPushButton::clicked, this, &PumpForm::pastePoints);
    connect(append, &QPushButton::clicked, this, &PumpForm::appendPastedPoints);
    connect(m_points, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_model->isApplying())
            onPointEdited(item->row(), item->column());
    });
    m_fitQuality = new QLabel(this);
    m_fitQuality->setObjectName(QStringLiteral("fitQuality"));
    pointsColumn->addWidget(m_fitQuality);
    curves->addLayout(pointsColumn, 1);

    auto* chartColumn = new QVBoxLayout;
    m_chart = new EditorChart(this);
    chartColumn->addWidget(m_chart);
    auto* legend = new QLabel(editortext::chartLegend(), this);
    legend->setWordWrap(true);
    legend->setMaximumWidth(m_chart->sizeHint().width());
    chartColumn->addWidget(legend);
    chartColumn->addStretch();
    curves->addLayout(chartColumn);
    right->addLayout(curves, 1);
}

void PumpForm::refresh()
{
    const store::EditablePump* pump = m_model->currentPump();
    const bool chosen = pump != nullptr;
    m_keyLabel->setText(pump ? QString::number(pump->key) : QString());
    for (const auto& [field, box] : std::as_const(m_fields)) {
        box->setEnabled(chosen);
        const QVariant value = pump ? pump->field(field) : QVariant();
        // A text that already stands for the value (a decimal comma, a
        // trailing zero) is left as typed.
        const std::optional<QVariant> shown = fieldValue(field, box->text());
        if (!shown || !(valueText(*shown) == valueText(value)))
            box->setText(valueText(value));
    }
    m_dimensions->setEnabled(chosen);
    const QString dimensions = pump ? pump->field(n::installationDimensions()).toString() : QString();
    if (m_dimensions->toPlainText() != dimensions) {
        const QSignalBlocker blocker(m_dimensions);
        m_dimensions->setPlainText(dimensions);
    }

    {
        const QSignalBlocker blocker(m_points);
        const int row = m_points->currentRow();
        const int column = m_points->currentColumn();
        const qsizetype count = pump ? pump->points.size() : 0;
        m_points->setRowCount(static_cast<int>(count));
        for (int r = 0; r < count; ++r) {
            store::EditablePoint point = pump->points.at(r);
            for (int c = 0; c < 3; ++c) {
                QTableWidgetItem* item = m_points->item(r, c);
                if (!item) {
                    item = new QTableWidgetItem;
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                    m_points->setItem(r, c, item);
                }
                item->setText(numberText(pointValue(point, c)));
            }
        }
        if (row >= 0 && row < count)
            m_points->setCurrentCell(row, std::max(0, column));
        m_points->setEnabled(chosen);
    }

    // The chart and the fit quality from the points as the design reads
    // them: 32-bit values, all of the pump's points.
    CurvePoints points;
    if (pump) {
        for (const store::EditablePoint& p : pump->points)
            points.add(static_cast<float>(p.flow), static_cast<float>(p.head), static_cast<float>(p.power));
    }
    m_chart->showPoints(points);
    if (points.size() > 0) {
        const CurveFit headFit = fitCurve(points.head, points.flow);
        const CurveFit powerFit = fitCurve(points.power, points.flow);
        const FitQuality quality = fitQuality(points, headFit, powerFit);
        m_fitQuality->setText(fitQualityText(quality.headDeviationPercent, quality.headR2,
                                             quality.powerDeviationPercent, quality.powerR2));
    } else {
        m_fitQuality->setText(editortext::noPointsToFit());
    }

    refreshSchematic(pump ? pump->type() : QString(), chosen);
    for (QPushButton* button : std::as_const(m_pumpButtons))
        button->setEnabled(chosen);
}

// The schematic of the pump's type: one assigned since the last save, or the
// stored one.
void PumpForm::refreshSchematic(const QString& type, bool chosen)
{
    QByteArray picture;
    bool found = false;
    for (const auto& [t, bytes] : m_model->state().schematics) {
        if (t == type) {
            picture = bytes;
            found = true;
        }
    }
    const QList<std::pair<QString, QByteArray>>& stored = m_model->stored().schematics;
    for (qsizetype i = 0; !found && i < stored.size(); ++i) {
        if (stored.at(i).first == type) {
            picture = stored.at(i).second;
            found = true;
        }
    }
    const QPixmap pixmap = editorparts::pictureOf(picture, m_schematic->size());
    if (pixmap.isNull()) {
        m_schematic->setPixmap(QPixmap());
        m_schematic->setText(chosen ? editortext::noSchematicForType() : QString());
    } else {
        m_schematic->setPixmap(pixmap);
    }
}

void PumpForm::refreshMarks()
{
    const CatalogueEditorState& state = m_model->state();
    for (const auto& [field, box] : std::as_const(m_fields)) {
        box->setStyleSheet(QString());
        box->setToolTip(QString());
    }
    {
        const QSignalBlocker blocker(m_points);
        for (int r = 0; r < m_points->rowCount(); ++r)
            for (int c = 0; c < 3; ++c)
                if (QTableWidgetItem* item = m_points->item(r, c)) {
                    item->setBackground(QBrush());
                    item->setToolTip(QString());
                }
    }
    QStringList lines;
    int elsewhere = 0;
    int storedElsewhere = 0;
    for (const store::CatalogueFinding& finding : m_model->findings()) {
        const bool stored = m_model->isStoredRefusal(finding);
        if (finding.pump != state.current || state.current < 0) {
            if (finding.refusal)
                ++(stored ? storedElsewhere : elsewhere);
            continue;
        }
        const QColor colour = finding.refusal ? kRefusedColour : kWarnedColour;
        const QString text = finding.text;
        if (finding.point >= 0) {
            const int column = finding.field == n::flow() ? 0 : finding.field == n::head() ? 1 : 2;
            const QSignalBlocker blocker(m_points);
            if (QTableWidgetItem* item = m_points->item(finding.point, column)) {
                // A warning does not hide a refusal on the same cell.
                if (finding.refusal || item->toolTip().isEmpty()) {
                    item->setBackground(colour);
                    item->setToolTip(text);
                }
            }
        } else {
            for (const auto& [field, box] : std::as_const(m_fields)) {
                if (field == finding.field) {
                    box->setStyleSheet(QStringLiteral("QLineEdit { background: %1; }").arg(colour.name()));
                    box->setToolTip(text);
                }
            }
        }
        const QString mark = !finding.refusal ? editortext::findingNote()
                             : stored         ? editortext::findingStored()
                                              : QStringLiteral("✗ ");
        lines.append(mark + store::findingText(state.pumps, finding));
    }
    if (state.current >= 0) {
        const qint64 key = state.pumps.at(state.current).key;
        if (state.npshFromOriginal.contains(key)) {
            const QString text = editortext::npshFromOriginal().arg(numberText(state.npshFromOriginal.value(key)));
            for (const auto& [field, box] : std::as_const(m_fields)) {
                if (field == n::npshRequired()) {
                    box->setStyleSheet(QStringLiteral("QLineEdit { background: %1; }").arg(kWarnedColour.name()));
                    box->setToolTip(text);
                }
            }
            lines.append(editortext::findingNote() + text);
        }
    }
    if (elsewhere > 0)
        lines.append(editortext::findingsElsewhere().arg(elsewhere));
    if (storedElsewhere > 0)
        lines.append(editortext::storedFindingsElsewhere().arg(storedElsewhere));
    m_rules->setText(lines.join(QLatin1Char('\n')));
    m_rules->setStyleSheet(lines.isEmpty() ? QString() : QStringLiteral("QLabel { color: #a00000; }"));
}

void PumpForm::focusModelField()
{
    if (!m_fields.isEmpty())
        m_fields.at(1).second->setFocus(); // the model
}

void PumpForm::onFieldEdited(const QString& field, const QString& text)
{
    const int current = m_model->state().current;
    if (current < 0)
        return;
    const std::optional<QVariant> value = fieldValue(field, text);
    if (!value)
        return; // half typed: the number is taken when it is one
    const qint64 key = m_model->state().pumps.at(current).key;
    m_model->edit(editortext::editField().arg(field), QStringLiteral("%1:%2").arg(key).arg(field),
                  [&](CatalogueEditorState& s) {
                      s.pumps[current].setField(field, *value);
                      if (field == n::npshRequired())
                          s.npshFromOriginal.remove(key);
                  });
}

void PumpForm::onPointEdited(int row, int column)
{
    const store::EditablePump* pump = m_model->currentPump();
    if (!pump || row < 0 || row >= pump->points.size())
        return;
    const std::optional<double> value = parseDecimal(m_points->item(row, column)->text());
    const int current = m_model->state().current;
    m_model->edit(editortext::editPoints(), QString(), [&](CatalogueEditorState& s) {
        pointValue(s.pumps[current].points[row], column) = value.value_or(kNaN);
    });
}

void PumpForm::addPointRow()
{
    if (m_model->state().current < 0)
        return;
    const int row = m_points->currentRow();
    m_model->edit(editortext::addPointEdit(), QString(), [&](CatalogueEditorState& s) {
        QList<store::EditablePoint>& points = s.pumps[s.current].points;
        // An empty point, for typing into: the rules mark it at once.
        const store::EditablePoint blank{kNaN, kNaN, kNaN};
        points.insert(row >= 0 ? row + 1 : points.size(), blank);
    });
    const int added = row >= 0 ? row + 1 : m_points->rowCount() - 1;
    m_points->setCurrentCell(added, 0);
}

void PumpForm::removePointRow()
{
    const int row = m_points->currentRow();
    if (m_model->state().current < 0 || row < 0)
        return;
    m_model->edit(editortext::removePointEdit(), QString(),
                  [&](CatalogueEditorState& s) { s.pumps[s.current].points.removeAt(row); });
}

void PumpForm::pastePoints()
{
    const auto rows = clipboardRowsForPump();
    if (!rows)
        return;
    // The pasted rows are the pump's whole curve: points left over from
    // before would mix two curves. Fewer than three columns go into the
    // columns from the current one on and keep the others of the same rows.
    const int width = static_cast<int>(rows->first().size());
    int column = std::max(0, m_points->currentColumn());
    if (width == 3 || column + width > 3)
        column = 0;
    const store::EditablePump& pump = *m_model->currentPump();
    if (!pump.points.isEmpty() && !askYesNo(this, editortext::confirmReplacePoints()
                                                      .arg(rows->size())
                                                      .arg(editorparts::pumpName(pump))
                                                      .arg(pump.points.size())))
        return;
    m_model->edit(editortext::pastePointsEdit(), QString(), [&](CatalogueEditorState& s) {
        const QList<store::EditablePoint> before = s.pumps[s.current].points;
        QList<store::EditablePoint> points;
        for (qsizetype r = 0; r < rows->size(); ++r) {
            store::EditablePoint point =
                width < 3 && r < before.size() ? before.at(r) : store::EditablePoint{kNaN, kNaN, kNaN};
            for (int c = 0; c < width; ++c)
                pointValue(point, column + c) = rows->at(r).at(c);
            points.append(point);
        }
        s.pumps[s.current].points = points;
    });
    emit statusChanged(editortext::pointsPasted().arg(rows->size()));
}

void PumpForm::appendPastedPoints()
{
    const auto rows = clipboardRowsForPump();
    if (!rows)
        return;
    if (rows->first().size() != 3) {
        showWarning(this, editortext::appendNeedsThreeColumns().arg(rows->first().size()));
        return;
    }
    m_model->edit(editortext::appendPointsEdit(), QString(), [&](CatalogueEditorState& s) {
        for (const QList<double>& row : *rows)
            s.pumps[s.current].points.append({row.at(0), row.at(1), row.at(2)});
    });
    emit statusChanged(editortext::pointsAppended().arg(rows->size()).arg(m_model->currentPump()->points.size()));
}

std::optional<QList<QList<double>>> PumpForm::clipboardRowsForPump()
{
    if (m_model->state().current < 0)
        return std::nullopt;
    auto rows = parsePastedRows(QApplication::clipboard()->text());
    if (!rows) {
        showWarning(this, rows.error());
        return std::nullopt;
    }
    return std::move(rows).value();
}

void PumpForm::assignSchematic()
{
    const store::EditablePump* pump = m_model->currentPump();
    if (!pump)
        return;
    const QString type = pump->type().trimmed();
    if (type.isEmpty()) {
        showWarning(this, editortext::typeFirst().arg(n::pumpType()));
        return;
    }
    const QString title = editortext::chooseSchematicFor().arg(type);
    const std::optional<QByteArray> bytes = editorparts::choosePictureFile(this, title);
    if (!bytes)
        return;
    m_model->edit(title, QString(), [&](CatalogueEditorState& s) {
        for (auto& entry : s.schematics) {
            if (entry.first == type) {
                entry.second = *bytes;
                return;
            }
        }
        s.schematics.append({type, *bytes});
    });
}

} // namespace tarnwick
