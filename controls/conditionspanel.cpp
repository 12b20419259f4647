#include "controls/conditionspanel.h"

#include "controls/controlstexts.h"
#include "core/fluid.h"
#include "core/units.h"
#include "store/coretext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <cmath>

namespace tarnwick {

namespace {

// Kilopascals per unit of the pressure choosers (NIST SP 811, 2008 edition,
// Appendix B.8), in the choosers' order.
constexpr double kKilopascalsPer[] = {101.325, 100.0, 98.0665, 9.80665, 0.00980665, 1000.0, 0.001};

QLineEdit* box(QWidget* parent, const QString& name, const QString& text = QString())
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(70);
    return edit;
}

} // namespace

ConditionsPanel::ConditionsPanel(QWidget* parent, Scope scope) : QFrame(parent)
{
    // Found by its Chinese name whatever the language shown.
    setObjectName(QStringLiteral("介质与吸入条件"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(4);

    int row = 0;
    grid->addWidget(new QLabel(controlstext::fluidLabel(), this), row, 0);
    m_fluid = new QComboBox(this);
    m_fluid->setObjectName(QStringLiteral("FluidChooser"));
    m_fluid->addItem(controlstext::catalogueWater());
    for (FluidKind kind : {FluidKind::Water, FluidKind::EthyleneGlycol, FluidKind::PropyleneGlycol})
        m_fluid->addItem(store::coreText(fluidName(kind)));
    grid->addWidget(m_fluid, row, 1, 1, 3);
    ++row;
    grid->addWidget(new QLabel(controlstext::concentrationLabel(), this), row, 0);
    m_concentration = box(this, QStringLiteral("ConcentrationBox"), QStringLiteral("30"));
    grid->addWidget(m_concentration, row, 1);
    grid->addWidget(new QLabel(controlstext::temperatureLabel(), this), row, 2);
    m_temperature = box(this, QStringLiteral("TemperatureBox"), QStringLiteral("20"));
    grid->addWidget(m_temperature, row, 3);
    ++row;
    grid->addWidget(new QLabel(controlstext::suctionLabel(), this), row, 0);
    m_suction = box(this, QStringLiteral("SuctionPressureBox"));
    m_suction->setPlaceholderText(controlstext::suctionNotChecked());
    grid->addWidget(m_suction, row, 1);
    m_suctionUnit = new QComboBox(this);
    m_suctionUnit->setObjectName(QStringLiteral("SuctionUnitChooser"));
    for (std::string_view unit : PressureUnit::items)
        m_suctionUnit->addItem(QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())));
    m_suctionUnit->setCurrentIndex(PressureUnit::defaultIndex);
    grid->addWidget(m_suctionUnit, row, 2, 1, 2);
    ++row;
    grid->addWidget(new QLabel(controlstext::atmosphericLabel(), this), row, 0);
    m_atmospheric = box(this, QStringLiteral("AtmosphericBox"), QStringLiteral("101.325"));
    grid->addWidget(m_atmospheric, row, 1);
    ++row;
    m_trim = new QCheckBox(controlstext::trimBox(), this);
    m_trim->setObjectName(QStringLiteral("TrimBox"));
    grid->addWidget(m_trim, row, 0, 1, 2);
    m_maxTrim = box(this, QStringLiteral("MaxTrimBox"), QStringLiteral("15"));
    grid->addWidget(m_maxTrim, row, 2);
    grid->addWidget(new QLabel(QStringLiteral("%"), this), row, 3);
    ++row;
    m_preferred = new QCheckBox(controlstext::preferredRegionBox(), this);
    m_preferred->setObjectName(QStringLiteral("PreferredRegionBox"));
    grid->addWidget(m_preferred, row, 0, 1, 4);
    if (scope == Scope::ConstantSpeed) {
        // Points measured on the existing plant give the duty's static head
        // and resistance, in the flow and resistance units of the duty.
        ++row;
        auto* caption = new QLabel(controlstext::measuredCaption(), this);
        grid->addWidget(caption, row, 0, 1, 4);
        ++row;
        constexpr int kMeasuredRows = 6;
        m_measured = new QTableWidget(kMeasuredRows, 2, this);
        m_measured->setObjectName(QStringLiteral("MeasuredTable"));
        m_measured->setHorizontalHeaderLabels(
            {controlstext::measuredFlowHeading(), controlstext::measuredHeadHeading()});
        m_measured->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        m_measured->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
        m_measured->setFixedHeight((fontMetrics().height() + 4) * (kMeasuredRows + 1) + 6);
        for (int r = 0; r < kMeasuredRows; ++r)
            for (int c = 0; c < 2; ++c)
                m_measured->setItem(r, c, new QTableWidgetItem);
        grid->addWidget(m_measured, row, 0, 1, 4);
    }
    if (scope == Scope::VariableSpeed) {
        for (QWidget* w :
             {static_cast<QWidget*>(m_trim), static_cast<QWidget*>(m_maxTrim), static_cast<QWidget*>(m_preferred)})
            w->hide();
        grid->itemAtPosition(row - 1, 3)->widget()->hide();
    }

    connect(m_fluid, &QComboBox::currentIndexChanged, this, &ConditionsPanel::updateEnabled);
    connect(m_trim, &QCheckBox::toggled, this, &ConditionsPanel::updateEnabled);
    updateEnabled();
}

QList<ConditionsPanel::MeasuredRow> ConditionsPanel::measuredRows() const
{
    QList<MeasuredRow> rows;
    if (!m_measured)
        return rows;
    for (int r = 0; r < m_measured->rowCount(); ++r) {
        const auto text = [&](int c) {
            const QTableWidgetItem* item = m_measured->item(r, c);
            return item ? item->text().trimmed() : QString();
        };
        if (!text(0).isEmpty() || !text(1).isEmpty())
            rows.append({r, text(0), text(1)});
    }
    return rows;
}

void ConditionsPanel::updateEnabled()
{
    const int fluid = m_fluid->currentIndex();
    m_concentration->setEnabled(fluid >= 2);
    m_temperature->setEnabled(fluid >= 1);
    m_maxTrim->setEnabled(m_trim->isChecked());
    emit liquidChosen(fluid >= 1);
}

bool ConditionsPanel::readNumber(QLineEdit* edit, const QString& what, double* value, QString* message)
{
    bool ok = false;
    const double v = edit->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        *message = controlstext::notANumber().arg(what);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return false;
    }
    *value = v;
    return true;
}

Expected<ServiceConditions, QString> ConditionsPanel::conditions()
{
    using Result = Expected<ServiceConditions, QString>;
    ServiceConditions c;
    QString message;
    const int fluid = m_fluid->currentIndex();
    if (fluid >= 1) {
        FluidSpec liquid;
        liquid.kind = fluid == 1 ? FluidKind::Water : fluid == 2 ? FluidKind::EthyleneGlycol : FluidKind::PropyleneGlycol;
        if (fluid >= 2 &&
            !readNumber(m_concentration, controlstext::concentrationField(), &liquid.concentration, &message))
            return Result::failure(message);
        if (!readNumber(m_temperature, controlstext::temperatureField(), &liquid.temperature, &message))
            return Result::failure(message);
        c.fluid = liquid;
    }
    if (!m_suction->text().trimmed().isEmpty()) {
        double gauge = 0.0;
        double atmospheric = 0.0;
        if (!readNumber(m_suction, controlstext::suctionField(), &gauge, &message) ||
            !readNumber(m_atmospheric, controlstext::atmosphericField(), &atmospheric, &message))
            return Result::failure(message);
        const int unit = std::clamp(m_suctionUnit->currentIndex(), 0, 6);
        c.suctionAbsolutePressure = gauge * kKilopascalsPer[unit] + atmospheric;
        if (!(*c.suctionAbsolutePressure > 0.0)) {
            m_suction->setFocus(Qt::OtherFocusReason);
            return Result::failure(controlstext::suctionNotAboveZero());
        }
    }
    c.trim = m_trim->isChecked();
    if (c.trim) {
        if (!readNumber(m_maxTrim, controlstext::maxTrimField(), &c.maxTrimPercent, &message))
            return Result::failure(message);
        if (!(c.maxTrimPercent > 0.0 && c.maxTrimPercent <= 50.0)) {
            m_maxTrim->setFocus(Qt::OtherFocusReason);
            return Result::failure(controlstext::maxTrimOutOfRange());
        }
    }
    c.preferredRegionOnly = m_preferred->isChecked();
    auto completed = completeConditions(c);
    if (!completed) {
        (fluid >= 2 && QString::fromStdString(completed.error()).contains(QStringLiteral("浓度")) ? m_concentration
                                                                                                : m_temperature)
            ->setFocus(Qt::OtherFocusReason);
        return Result::failure(QString::fromStdString(completed.error()));
    }
    return completed.value();
}

} // namespace tarnwick
