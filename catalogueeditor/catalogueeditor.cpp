#include "catalogueeditor/catalogueeditor.h"

#include "catalogueeditor/editorchart.h"
#include "catalogueeditor/editortexts.h"
#include "catalogueeditor/pointpaste.h"
#include "controls/filedialog.h"
#include "controls/messagebox.h"
#include "core/fitquality.h"
#include "core/trim.h"
#include "store/databaselocation.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnwick {

namespace n = store::names;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QColor kRefusedColour(255, 200, 200);
const QColor kWarnedColour(255, 240, 190);
// Narrow enough for two columns of fields beside the pump list on a screen
// 1366 pixels wide, wide enough for a model or a six-digit number.
constexpr int kFieldMinimumWidth = 70;
// Points named in the question before saving flows that do not rise.
constexpr qsizetype kFallingFlowsListed = 10;

QString caption()
{
    return editortext::windowCaption();
}

// Numbers as typed: a decimal point or comma, a sign, an exponent; empty is
// allowed (an empty field).
class DecimalValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        const QString t = input.trimmed();
        if (t.isEmpty() || parseDecimal(t))
            return Acceptable;
        static const QRegularExpression partial(QStringLiteral("^[+-]?[0-9]*([.,][0-9]*)?([eE][+-]?[0-9]*)?$"));
        return partial.match(t).hasMatch() ? Intermediate : Invalid;
    }
};

class PointDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setValidator(new DecimalValidator(line));
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

QString valueText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong: {
        const double v = value.toDouble();
        return std::isfinite(v) ? QString::number(v, 'g', 15) : QString();
    }
    default:
        return value.toString();
    }
}

QString numberText(double v)
{
    return std::isfinite(v) ? QString::number(v, 'g', 15) : QString();
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

QPixmap pictureOf(const QByteArray& bytes, const QSize& box)
{
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes))
        return QPixmap();
    return QPixmap::fromImage(image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QList<store::CatalogueFinding> storedRefusalsOf(const QList<store::EditablePump>& pumps)
{
    QList<store::CatalogueFinding> refusals;
    for (const store::CatalogueFinding& f : store::checkEditedCatalogue(pumps))
        if (f.refusal)
            refusals.append(f);
    return refusals;
}

// The points, pump by pump, whose flow does not rise above the point
// before, in the pumps whose points the edits changed: stored curves that
// already had them were accepted when they were imported.
QStringList fallingFlows(const QList<store::EditablePump>& stored, const QList<store::EditablePump>& edited)
{
    QStringList lines;
    for (const store::EditablePump& pump : edited) {
        const auto before = std::find_if(stored.cbegin(), stored.cend(),
                                         [&](const store::EditablePump& p) { return p.key == pump.key; });
        if (before != stored.cend() && before->points == pump.points)
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

QPushButton* commandButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    QString name = text;
    name.remove(QStringLiteral("…"));
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

// One edit: the whole state before and after it.
class CatalogueEditCommand : public QUndoCommand
{
public:
    CatalogueEditCommand(CatalogueEditor* editor, CatalogueEditorState before, CatalogueEditorState after,
                         const QString& text, QString mergeKey)
        : QUndoCommand(text), m_editor(editor), m_before(std::move(before)), m_after(std::move(after)),
          m_mergeKey(std::move(mergeKey))
    {
    }
    void undo() override { m_editor->applyState(m_before); }
    void redo() override { m_editor->applyState(m_after); }
    int id() const override { return m_mergeKey.isEmpty() ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const CatalogueEditCommand*>(other);
        if (next->m_mergeKey != m_mergeKey)
            return false;
        m_after = next->m_after;
        return true;
    }

private:
    CatalogueEditor* m_editor;
    CatalogueEditorState m_before;
    CatalogueEditorState m_after;
    QString m_mergeKey;
};

CatalogueEditor::CatalogueEditor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CatalogueEditor"));
    setWindowTitle(caption());
    m_undo = new QUndoStack(this);

    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("editorPages"));
    auto* pumpPage = new QWidget;
    auto* companyPage = new QWidget;
    buildPumpPage(pumpPage);
    buildCompanyPage(companyPage);
    // On a small screen the pages scroll rather than squeeze their parts.
    for (auto [page, title] :
         {std::pair{pumpPage, editortext::pumpsPage()}, std::pair{companyPage, n::companyTable()}}) {
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
    connect(m_undoButton, &QPushButton::clicked, m_undo, &QUndoStack::undo);
    connect(m_redoButton, &QPushButton::clicked, m_undo, &QUndoStack::redo);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(m_discardButton, &QPushButton::clicked, this, &CatalogueEditor::discard);
    connect(m_undo, &QUndoStack::indexChanged, this, &CatalogueEditor::refreshButtons);

    auto* undoAction = m_undo->createUndoAction(this);
    undoAction->setShortcut(QKeySequence::Undo);
    undoAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    auto* redoAction = m_undo->createRedoAction(this);
    redoAction->setShortcut(QKeySequence::Redo);
    redoAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(undoAction);
    addAction(redoAction);
    resize(sizeHint());
}

CatalogueEditor::~CatalogueEditor()
{
    // The stack's commands refer back to this window.
    m_undo->clear();
}

void CatalogueEditor::buildPumpPage(QWidget* page)
{
    auto* layout = new QHBoxLayout(page);

    // Left: the pumps in stored order.
    auto* left = new QVBoxLayout;
    m_filter = new QLineEdit(page);
    m_filter->setObjectName(QStringLiteral("filterBox"));
    m_filter->setPlaceholderText(editortext::filterHint());
    m_filter->setClearButtonEnabled(true);
    left->addWidget(m_filter);
    m_list = new QListWidget(page);
    m_list->setObjectName(QStringLiteral("pumpList"));
    m_list->setMinimumWidth(240);
    left->addWidget(m_list, 1);
    m_count = new QLabel(page);
    m_count->setObjectName(QStringLiteral("pumpCount"));
    left->addWidget(m_count);
    auto* listButtons = new QGridLayout;
    QPushButton* add = commandButton(editortext::newPump(), page);
    QPushButton* duplicate = commandButton(editortext::duplicatePump(), page);
    QPushButton* remove = commandButton(editortext::deletePump(), page);
    QPushButton* up = commandButton(editortext::moveUp(), page);
    QPushButton* down = commandButton(editortext::moveDown(), page);
    listButtons->addWidget(add, 0, 0);
    listButtons->addWidget(duplicate, 0, 1);
    listButtons->addWidget(remove, 0, 2);
    listButtons->addWidget(up, 1, 0);
    listButtons->addWidget(down, 1, 1);
    left->addLayout(listButtons);
    layout->addLayout(left);
    connect(add, &QPushButton::clicked, this, &CatalogueEditor::newPump);
    connect(duplicate, &QPushButton::clicked, this, &CatalogueEditor::duplicatePump);
    connect(remove, &QPushButton::clicked, this, &CatalogueEditor::deletePump);
    connect(up, &QPushButton::clicked, this, [this] { movePump(-1); });
    connect(down, &QPushButton::clicked, this, [this] { movePump(1); });
    m_pumpButtons = {duplicate, remove, up, down};
    connect(m_filter, &QLineEdit::textChanged, this, &CatalogueEditor::refreshFilter);
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (!m_applying && item)
            selectPump(item->data(Qt::UserRole).toInt());
    });

    // Right: the chosen pump. Two rows, so that a screen of 768 lines shows
    // everything at once: the fields in two groups side by side, then the
    // points beside their chart.
    auto* right = new QVBoxLayout;
    auto* forms = new QHBoxLayout;
    // A field as label, box and unit in three columns of a grid.
    auto addField = [&](QGridLayout* grid, int row, int column, const QString& field) {
        auto* box = new QLineEdit(page);
        box->setObjectName(QStringLiteral("pumpField_") + field);
        box->setMinimumWidth(kFieldMinimumWidth);
        if (!isTextField(field))
            box->setValidator(new DecimalValidator(box));
        grid->addWidget(new QLabel(field, page), row, column);
        const QString unit = unitOf(field);
        if (unit.isEmpty()) {
            grid->addWidget(box, row, column + 1, 1, 2);
        } else {
            grid->addWidget(box, row, column + 1);
            auto* unitLabel = new QLabel(unit, page);
            unitLabel->setObjectName(QStringLiteral("unit_") + field);
            grid->addWidget(unitLabel, row, column + 2);
        }
        m_fields.append({field, box});
        connect(box, &QLineEdit::textEdited, this, [this, field](const QString& text) { onFieldEdited(field, text); });
    };
    auto* ownGroup = new QGroupBox(n::pumpTable(), page);
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
    connect(schematic, &QPushButton::clicked, this, &CatalogueEditor::assignSchematic);
    m_pumpButtons.append(schematic);
    forms->addWidget(ownGroup, 2);

    auto* sheetGroup = new QGroupBox(editortext::sheetData().arg(n::pumpView()), page);
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
        if (!m_applying)
            onFieldEdited(n::installationDimensions(), m_dimensions->toPlainText());
    });
    forms->addWidget(sheetGroup, 3);
    right->addLayout(forms);

    auto* curves = new QHBoxLayout;
    auto* pointsColumn = new QVBoxLayout;
    // What the rules say about this pump, in sight above its points.
    m_rules = new QLabel(page);
    m_rules->setObjectName(QStringLiteral("ruleMessages"));
    m_rules->setWordWrap(true);
    m_rules->setTextFormat(Qt::PlainText);
    pointsColumn->addWidget(m_rules);
    m_points = new QTableWidget(0, 3, page);
    m_points->setObjectName(QStringLiteral("pointsGrid"));
    m_points->setHorizontalHeaderLabels({editortext::flowAxis(), editortext::headAxis(), editortext::powerAxis()});
    m_points->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_points->setItemDelegate(new PointDelegate(m_points));
    m_points->setMinimumWidth(300);
    pointsColumn->addWidget(m_points, 1);
    auto* pointButtons = new QHBoxLayout;
    QPushButton* addPoint = commandButton(editortext::addPoint(), page);
    QPushButton* removePoint = commandButton(editortext::removePoint(), page);
    QPushButton* paste = commandButton(editortext::pastePoints(), page);
    paste->setToolTip(editortext::pastePointsHint());
    QPushButton* append = commandButton(editortext::appendPoints(), page);
    append->setToolTip(editortext::appendPointsHint());
    for (QPushButton* b : {addPoint, removePoint, paste, append})
        pointButtons->addWidget(b);
    pointsColumn->addLayout(pointButtons);
    m_pumpButtons.append({addPoint, removePoint, paste, append});
    connect(addPoint, &QPushButton::clicked, this, &CatalogueEditor::addPointRow);
    connect(removePoint, &QPushButton::clicked, this, &CatalogueEditor::removePointRow);
    connect(paste, &QPushButton::clicked, this, &CatalogueEditor::pastePoints);
    connect(append, &QPushButton::clicked, this, &CatalogueEditor::appendPastedPoints);
    connect(m_points, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_applying)
            onPointEdited(item->row(), item->column());
    });
    m_fitQuality = new QLabel(page);
    m_fitQuality->setObjectName(QStringLiteral("fitQuality"));
    pointsColumn->addWidget(m_fitQuality);
    curves->addLayout(pointsColumn, 1);

    auto* chartColumn = new QVBoxLayout;
    m_chart = new EditorChart(page);
    chartColumn->addWidget(m_chart);
    auto* legend = new QLabel(editortext::chartLegend(), page);
    legend->setWordWrap(true);
    legend->setMaximumWidth(m_chart->sizeHint().width());
    chartColumn->addWidget(legend);
    chartColumn->addStretch();
    curves->addLayout(chartColumn);
    right->addLayout(curves, 1);

    layout->addLayout(right, 1);
}

void CatalogueEditor::buildCompanyPage(QWidget* page)
{
    auto* layout = new QGridLayout(page);
    auto makeSection = [&](int row, const QString& textField, const QString& pictureField, QPlainTextEdit** text,
                           QLabel** picture, const QString& textName, const QString& pictureName,
                           const std::function<QString&(store::CompanyInfo&)>& textOf,
                           const std::function<QByteArray&(store::CompanyInfo&)>& pictureOf) {
        layout->addWidget(new QLabel(textField, page), row, 0);
        *text = new QPlainTextEdit(page);
        (*text)->setObjectName(textName);
        layout->addWidget(*text, row + 1, 0);
        layout->addWidget(new QLabel(pictureField, page), row, 1);
        *picture = new QLabel(page);
        (*picture)->setObjectName(pictureName);
        (*picture)->setFixedSize(260, 200);
        (*picture)->setAlignment(Qt::AlignCenter);
        (*picture)->setFrameShape(QFrame::StyledPanel);
        layout->addWidget(*picture, row + 1, 1);
        auto* buttons = new QVBoxLayout;
        QPushButton* change = commandButton(editortext::changePicture().arg(pictureField), page);
        QPushButton* clear = commandButton(editortext::clearPicture().arg(pictureField), page);
        buttons->addWidget(change);
        buttons->addWidget(clear);
        buttons->addStretch();
        layout->addLayout(buttons, row + 1, 2);
        QPlainTextEdit* box = *text;
        connect(box, &QPlainTextEdit::textChanged, this, [this, box, textField, textOf] {
            if (m_applying)
                return;
            const QString value = box->toPlainText();
            edit(editortext::editField().arg(textField), QStringLiteral("company:") + textField,
                 [&](CatalogueEditorState& s) { textOf(s.company) = value; });
        });
        connect(change, &QPushButton::clicked, this, [this, pictureField, pictureOf] {
            choosePicture(
                editortext::choosePicture().arg(pictureField),
                [pictureOf](CatalogueEditorState& s, const QByteArray& bytes) { pictureOf(s.company) = bytes; });
        });
        connect(clear, &QPushButton::clicked, this, [this, pictureField, pictureOf] {
            edit(editortext::clearPicture().arg(pictureField), QString(),
                 [&](CatalogueEditorState& s) { pictureOf(s.company).clear(); });
        });
    };
    makeSection(
        0, n::companyText(), n::companyPicture(), &m_companyText, &m_companyPicture, QStringLiteral("companyText"),
        QStringLiteral("companyPicture"), [](store::CompanyInfo& c) -> QString& { return c.companyText; },
        [](store::CompanyInfo& c) -> QByteArray& { return c.companyPicture; });
    makeSection(
        2, n::productText(), n::productPicture(), &m_productText, &m_productPicture, QStringLiteral("productText"),
        QStringLiteral("productPicture"), [](store::CompanyInfo& c) -> QString& { return c.productText; },
        [](store::CompanyInfo& c) -> QByteArray& { return c.productPicture; });
    layout->setColumnStretch(0, 1);
}

bool CatalogueEditor::load(const QString& place, QString* error)
{
    auto connection = store::Connection::open(store::databasePath(place));
    if (!connection) {
        *error = connection.error();
        return false;
    }
    m_connection = connection.value();
    auto read = store::readEditableCatalogue(m_connection->database());
    if (!read) {
        *error = read.error();
        m_connection.reset();
        return false;
    }
    m_read = std::move(read).value();
    m_storedRefusals = storedRefusalsOf(m_read.pumps);
    CatalogueEditorState state;
    state.pumps = m_read.pumps;
    state.company = m_read.company;
    state.current = state.pumps.isEmpty() ? -1 : 0;
    m_undo->clear();
    applyState(state);
    if (m_read.pointsWithoutPump > 0)
        m_status->setText(editortext::orphanPoints().arg(n::pointTable()).arg(m_read.pointsWithoutPump));
    return true;
}

bool CatalogueEditor::hasPendingEdits() const
{
    return !m_undo->isClean();
}

void CatalogueEditor::edit(const QString& text, const QString& mergeKey,
                           const std::function<void(CatalogueEditorState&)>& change)
{
    CatalogueEditorState after = m_state;
    change(after);
    m_undo->push(new CatalogueEditCommand(this, m_state, after, text, mergeKey));
}

void CatalogueEditor::applyState(const CatalogueEditorState& state)
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
    refreshList();
    refreshPump();
    refreshCompany();
    refreshMarks();
    refreshButtons();
    m_applying = false;
}

void CatalogueEditor::refreshList()
{
    QStringList texts;
    texts.reserve(m_state.pumps.size());
    for (const store::EditablePump& pump : std::as_const(m_state.pumps)) {
        const QString model = pump.model().trimmed();
        texts.append(editortext::pumpListEntry().arg(model.isEmpty() ? editortext::unnamedPump().arg(pump.key) : model,
                                                     pump.type(), valueText(pump.field(n::speed()))));
    }
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
    m_list->setCurrentRow(m_state.current);
}

void CatalogueEditor::refreshFilter()
{
    const QStringList tokens = m_filter->text().simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int shown = 0;
    for (int i = 0; i < m_list->count() && i < m_state.pumps.size(); ++i) {
        const store::EditablePump& pump = m_state.pumps.at(i);
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
    m_count->setText(shown == m_state.pumps.size() ? editortext::pumpCount().arg(m_state.pumps.size())
                                                   : editortext::shownPumpCount().arg(shown).arg(m_state.pumps.size()));
}

void CatalogueEditor::refreshPump()
{
    const bool chosen = m_state.current >= 0;
    const store::EditablePump* pump = chosen ? &m_state.pumps.at(m_state.current) : nullptr;
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

    // The schematic of the pump's type: one assigned since the last save, or
    // the stored one.
    QByteArray picture;
    bool found = false;
    const QString type = pump ? pump->type() : QString();
    for (const auto& [t, bytes] : std::as_const(m_state.schematics)) {
        if (t == type) {
            picture = bytes;
            found = true;
        }
    }
    for (qsizetype i = 0; !found && i < m_read.schematics.size(); ++i) {
        if (m_read.schematics.at(i).first == type) {
            picture = m_read.schematics.at(i).second;
            found = true;
        }
    }
    const QPixmap pixmap = pictureOf(picture, m_schematic->size());
    if (pixmap.isNull()) {
        m_schematic->setPixmap(QPixmap());
        m_schematic->setText(pump ? editortext::noSchematicForType() : QString());
    } else {
        m_schematic->setPixmap(pixmap);
    }
}

bool CatalogueEditor::isStoredRefusal(const store::CatalogueFinding& finding) const
{
    if (!finding.refusal)
        return false;
    return std::any_of(m_storedRefusals.cbegin(), m_storedRefusals.cend(), [&](const store::CatalogueFinding& f) {
        return store::sameFinding(m_state.pumps, finding, m_read.pumps, f);
    });
}

void CatalogueEditor::refreshMarks()
{
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
    QSet<int> refusedPumps;
    for (const store::CatalogueFinding& finding : std::as_const(m_findings)) {
        const bool stored = isStoredRefusal(finding);
        if (finding.refusal)
            refusedPumps.insert(finding.pump);
        if (finding.pump != m_state.current || m_state.current < 0) {
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
        lines.append(mark + store::findingText(m_state.pumps, finding));
    }
    if (m_state.current >= 0) {
        const qint64 key = m_state.pumps.at(m_state.current).key;
        if (m_state.npshFromOriginal.contains(key)) {
            const QString text = editortext::npshFromOriginal().arg(numberText(m_state.npshFromOriginal.value(key)));
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
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setForeground(refusedPumps.contains(i) ? QBrush(QColor(192, 0, 0)) : QBrush());
}

void CatalogueEditor::refreshCompany()
{
    if (m_companyText->toPlainText() != m_state.company.companyText)
        m_companyText->setPlainText(m_state.company.companyText);
    if (m_productText->toPlainText() != m_state.company.productText)
        m_productText->setPlainText(m_state.company.productText);
    for (auto [label, bytes] : {std::pair{m_companyPicture, &m_state.company.companyPicture},
                                std::pair{m_productPicture, &m_state.company.productPicture}}) {
        const QPixmap pixmap = pictureOf(*bytes, label->size());
        label->setPixmap(pixmap);
        if (pixmap.isNull())
            label->setText(editortext::noPicture());
    }
}

void CatalogueEditor::refreshButtons()
{
    const bool chosen = m_state.current >= 0;
    for (QPushButton* button : std::as_const(m_pumpButtons))
        button->setEnabled(chosen);
    m_saveButton->setEnabled(!m_undo->isClean());
    m_discardButton->setEnabled(!m_undo->isClean());
    m_undoButton->setEnabled(m_undo->canUndo());
    m_redoButton->setEnabled(m_undo->canRedo());
    setWindowTitle(m_undo->isClean() ? caption() : caption() + QStringLiteral(" *"));
}

void CatalogueEditor::selectPump(int index)
{
    if (index < -1 || index >= m_state.pumps.size() || index == m_state.current)
        return;
    m_applying = true;
    m_state.current = index;
    {
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentRow(index);
    }
    refreshPump();
    refreshMarks();
    refreshButtons();
    m_applying = false;
}

void CatalogueEditor::onFieldEdited(const QString& field, const QString& text)
{
    if (m_state.current < 0)
        return;
    const std::optional<QVariant> value = fieldValue(field, text);
    if (!value)
        return; // half typed: the number is taken when it is one
    const int current = m_state.current;
    const qint64 key = m_state.pumps.at(current).key;
    edit(editortext::editField().arg(field), QStringLiteral("%1:%2").arg(key).arg(field), [&](CatalogueEditorState& s) {
        s.pumps[current].setField(field, *value);
        if (field == n::npshRequired())
            s.npshFromOriginal.remove(key);
    });
}

void CatalogueEditor::onPointEdited(int row, int column)
{
    if (m_state.current < 0 || row < 0 || row >= m_state.pumps.at(m_state.current).points.size())
        return;
    const std::optional<double> value = parseDecimal(m_points->item(row, column)->text());
    const int current = m_state.current;
    edit(editortext::editPoints(), QString(),
         [&](CatalogueEditorState& s) { pointValue(s.pumps[current].points[row], column) = value.value_or(kNaN); });
}

void CatalogueEditor::newPump()
{
    edit(editortext::newPumpEdit(), QString(), [](CatalogueEditorState& s) {
        const int at = s.current + 1;
        s.pumps.insert(at, store::emptyPump(store::nextPumpKey(s.pumps)));
        s.current = at;
    });
    if (!m_fields.isEmpty())
        m_fields.at(1).second->setFocus(); // the model
}

void CatalogueEditor::duplicatePump()
{
    if (m_state.current < 0)
        return;
    const store::EditablePump& original = m_state.pumps.at(m_state.current);

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
    value->setValidator(new DecimalValidator(value));
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
    edit(editortext::duplicatePumpEdit(), QString(), [&](CatalogueEditorState& s) {
        copy.key = store::nextPumpKey(s.pumps);
        s.pumps.insert(s.current + 1, copy);
        s.current += 1;
        if (npshToConfirm)
            s.npshFromOriginal.insert(copy.key, originalDiameter);
    });
}

void CatalogueEditor::deletePump()
{
    if (m_state.current < 0)
        return;
    edit(editortext::deletePumpEdit(), QString(), [](CatalogueEditorState& s) {
        s.pumps.removeAt(s.current);
        s.current = std::min(s.current, static_cast<int>(s.pumps.size()) - 1);
    });
}

void CatalogueEditor::movePump(int step)
{
    const int to = m_state.current + step;
    if (m_state.current < 0 || to < 0 || to >= m_state.pumps.size())
        return;
    edit(editortext::movePumpEdit(), QString(), [&](CatalogueEditorState& s) {
        s.pumps.move(s.current, to);
        s.current = to;
    });
}

void CatalogueEditor::addPointRow()
{
    if (m_state.current < 0)
        return;
    const int row = m_points->currentRow();
    edit(editortext::addPointEdit(), QString(), [&](CatalogueEditorState& s) {
        QList<store::EditablePoint>& points = s.pumps[s.current].points;
        // An empty point, for typing into: the rules mark it at once.
        const store::EditablePoint blank{kNaN, kNaN, kNaN};
        points.insert(row >= 0 ? row + 1 : points.size(), blank);
    });
    const int added = row >= 0 ? row + 1 : m_points->rowCount() - 1;
    m_points->setCurrentCell(added, 0);
}

void CatalogueEditor::removePointRow()
{
    const int row = m_points->currentRow();
    if (m_state.current < 0 || row < 0)
        return;
    edit(editortext::removePointEdit(), QString(),
         [&](CatalogueEditorState& s) { s.pumps[s.current].points.removeAt(row); });
}

void CatalogueEditor::pastePoints()
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
    const store::EditablePump& pump = m_state.pumps.at(m_state.current);
    if (!pump.points.isEmpty() &&
        !askYesNo(this, editortext::confirmReplacePoints()
                            .arg(rows->size())
                            .arg(pump.model().trimmed().isEmpty() ? editortext::unnamedPump().arg(pump.key)
                                                                  : pump.model().trimmed())
                            .arg(pump.points.size())))
        return;
    edit(editortext::pastePointsEdit(), QString(), [&](CatalogueEditorState& s) {
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
    m_status->setText(editortext::pointsPasted().arg(rows->size()));
}

void CatalogueEditor::appendPastedPoints()
{
    const auto rows = clipboardRowsForPump();
    if (!rows)
        return;
    if (rows->first().size() != 3) {
        showWarning(this, editortext::appendNeedsThreeColumns().arg(rows->first().size()));
        return;
    }
    edit(editortext::appendPointsEdit(), QString(), [&](CatalogueEditorState& s) {
        for (const QList<double>& row : *rows)
            s.pumps[s.current].points.append({row.at(0), row.at(1), row.at(2)});
    });
    m_status->setText(
        editortext::pointsAppended().arg(rows->size()).arg(m_state.pumps.at(m_state.current).points.size()));
}

std::optional<QList<QList<double>>> CatalogueEditor::clipboardRowsForPump()
{
    if (m_state.current < 0)
        return std::nullopt;
    auto rows = parsePastedRows(QApplication::clipboard()->text());
    if (!rows) {
        showWarning(this, rows.error());
        return std::nullopt;
    }
    return std::move(rows).value();
}

void CatalogueEditor::choosePicture(const QString& title,
                                    const std::function<void(CatalogueEditorState&, const QByteArray&)>& set)
{
    QFileDialog dialog(this, title, QString(), editortext::pictureFilter());
    dialog.setObjectName(QStringLiteral("pictureDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(dialog, filekind::picture());
    const QString path = chooseFile(dialog, filekind::picture());
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showWarning(this, editortext::cannotReadFile().arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    QImage image;
    if (!image.loadFromData(bytes)) {
        showWarning(this, editortext::notAPicture().arg(QDir::toNativeSeparators(path)));
        return;
    }
    edit(title, QString(), [&](CatalogueEditorState& s) { set(s, bytes); });
}

void CatalogueEditor::assignSchematic()
{
    if (m_state.current < 0)
        return;
    const QString type = m_state.pumps.at(m_state.current).type().trimmed();
    if (type.isEmpty()) {
        showWarning(this, editortext::typeFirst().arg(n::pumpType()));
        return;
    }
    choosePicture(editortext::chooseSchematicFor().arg(type), [type](CatalogueEditorState& s, const QByteArray& bytes) {
        for (auto& entry : s.schematics) {
            if (entry.first == type) {
                entry.second = bytes;
                return;
            }
        }
        s.schematics.append({type, bytes});
    });
}

bool CatalogueEditor::save()
{
    if (!m_connection)
        return false;
    QStringList falling = fallingFlows(m_read.pumps, m_state.pumps);
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
    store::CatalogueEdits edits;
    edits.pumps = m_state.pumps;
    edits.schematics = m_state.schematics;
    if (!(m_state.company == m_read.company))
        edits.company = m_state.company;
    store::SaveOptions options;
    options.attempts = 5;
    options.busyTimeoutMs = 2000;
    options.beforeRetry = [this](int attempt) {
        m_status->setText(editortext::retryingSave().arg(attempt));
        m_status->repaint();
        return true;
    };
    const auto saved = store::saveCatalogueEdits(m_connection->database(), m_read, edits, options);
    if (!saved) {
        m_status->setText(editortext::notSaved());
        showWarning(this, saved.error());
        return false;
    }
    const store::SaveSummary& s = *saved;
    resetFromDatabase(m_state.current);
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

void CatalogueEditor::resetFromDatabase(int current)
{
    auto read = store::readEditableCatalogue(m_connection->database());
    if (!read) {
        showWarning(this, read.error());
        return;
    }
    m_read = std::move(read).value();
    m_storedRefusals = storedRefusalsOf(m_read.pumps);
    CatalogueEditorState state;
    state.pumps = m_read.pumps;
    state.company = m_read.company;
    state.current = std::min(current, static_cast<int>(state.pumps.size()) - 1);
    m_undo->clear();
    applyState(state);
}

void CatalogueEditor::discard()
{
    if (!hasPendingEdits())
        return;
    if (!askYesNo(this, editortext::confirmDiscard()))
        return;
    resetFromDatabase(m_state.current);
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
