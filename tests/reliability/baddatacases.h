#pragma once

#include "tests/support/testdatabase.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace tarnwick::testing {

// One kind of damaged data, applied to a small catalogue of good pumps (P1,
// P2, P3) and one pump "BAD" (key 9) that the duty below would accept if its
// data were sound.
struct BadDataCase
{
    enum class Outcome {
        Usable,     // the calculations run; the good pumps are still found
        Refused,    // the catalogue cannot be opened: a message naming what is missing
        WriteFails, // the result rows cannot be stored: a message naming the table, no row written
    };
    QString name;
    QStringList statements; // run on the database after it is built
    Outcome outcome = Outcome::Usable;
    QStringList named;          // what a refusal message must name
    bool goodPumpsFound = true; // the design lists P1 and the check of P1 passes (else: nothing is promised)
    bool interleaved = false;   // the points stored point by point across pumps
};

QList<BadDataCase> badDataCases();

// The duty of these tests (m3/h, m, m) and the models of the good pumps.
inline QString dutyFlow()
{
    return QStringLiteral("48");
}
inline QString dutyResistance()
{
    return QStringLiteral("19");
}
inline QString dutyStaticHead()
{
    return QStringLiteral("0");
}
inline QString goodModel()
{
    return QStringLiteral("P1");
}

// The program folder of a case.
std::unique_ptr<TestProgramFolder> badDataFolder(const BadDataCase& badCase, QString* error);

// Texts that show a number which is not finite ("nan", "inf", "Infinity",
// "-inf" in any case), or an empty list when there is none.
QStringList nonFiniteTexts(const QString& text);

} // namespace tarnwick::testing
