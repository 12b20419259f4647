#pragma once

#include "core/expected.h"
#include "core/serviceconditions.h"

#include <QFrame>
#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;

namespace tarnwick {

// The group "介质与吸入条件" of the calculation windows: the liquid, the
// suction pressure, the impeller cut and the preferred region. Left as it
// opens (the catalogue's water, nothing else), the runs are those without it.
class ConditionsPanel : public QFrame
{
    Q_OBJECT

public:
    // The impeller cut and the preferred region belong to one constant-speed
    // duty; the variable-speed window leaves them out.
    enum class Scope { ConstantSpeed, VariableSpeed };
    explicit ConditionsPanel(QWidget* parent, Scope scope = Scope::ConstantSpeed);

    static QString title() { return QStringLiteral("介质与吸入条件"); }

    // The conditions as entered and completed with the liquid's properties,
    // or the message for the engineer (in Chinese) and the box at fault,
    // which then has the focus.
    Expected<ServiceConditions, QString> conditions();

    // The measured points of the plant as typed (flow, head), the rows with
    // anything in them; the window converts and fits them.
    struct MeasuredRow
    {
        int row = 0;
        QString flow;
        QString head;
    };
    QList<MeasuredRow> measuredRows() const;
    QTableWidget* measuredTable() const { return m_measured; }

signals:
    // A liquid was chosen (true) or the catalogue's water again (false).
    void liquidChosen(bool chosen);

private:
    void updateEnabled();
    bool readNumber(QLineEdit* box, const QString& what, double* value, QString* message);

    QComboBox* m_fluid = nullptr;
    QLineEdit* m_concentration = nullptr;
    QLineEdit* m_temperature = nullptr;
    QLineEdit* m_suction = nullptr;
    QComboBox* m_suctionUnit = nullptr;
    QLineEdit* m_atmospheric = nullptr;
    QCheckBox* m_trim = nullptr;
    QLineEdit* m_maxTrim = nullptr;
    QCheckBox* m_preferred = nullptr;
    QTableWidget* m_measured = nullptr;
};

} // namespace tarnwick
