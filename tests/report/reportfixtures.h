#pragma once

#include "report/resulttable.h"
#include "store/database.h"
#include "store/names.h"
#include "store/rowset.h"
#include "tests/support/testdatabase.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <memory>

namespace tarnwick::testing {

// One stored result row as the report reads it back.
struct StoredResult
{
    QString time = QStringLiteral("2024/5/1 10:20:30");
    QString method = QStringLiteral("设计");
    QString resistance = QStringLiteral("20");
    QString flow = QStringLiteral("100");
    QString staticHead = QStringLiteral("5.099999904632568"); // 5.1 typed, stored from 32 bits
    QString model = QStringLiteral("IS80-65-160");
    QString bestEfficiency = QStringLiteral("72");
    QString head = QStringLiteral("32.3");
    QString operatingFlow = QStringLiteral("99.9");
    QString efficiency = QStringLiteral("68");
};

inline QString sqlText(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// "INSERT INTO" the table's ten result fields (the table keeps the run's
// moment beside them).
inline QString insertResultFields(const QString& table)
{
    return QStringLiteral("INSERT INTO \"%1\" (\"%2\") ").arg(table, store::names::resultFields().join(QStringLiteral("\", \"")));
}

inline bool insertResult(const TestProgramFolder& folder, const QString& table, const StoredResult& r)
{
    return folder.exec(insertResultFields(table) +
                       QStringLiteral("VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9, %10)")
                           .arg(sqlText(r.time), sqlText(r.method), r.resistance, r.flow, r.staticHead,
                                sqlText(r.model), r.bestEfficiency, r.head, r.operatingFlow)
                           .arg(r.efficiency));
}

// n rows whose models run "P1", "P2", ... in stored order.
inline bool insertNumberedResults(const TestProgramFolder& folder, const QString& table, int n)
{
    if (n <= 0)
        return true;
    // The fields by name: a server's table has its own columns beside them.
    QStringList fields;
    for (const QString& field : store::names::resultFields())
        fields.append(QLatin1Char('"') + field + QLatin1Char('"'));
    return folder.exec(QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < %2) "
                                      "INSERT INTO \"%1\" (%3) SELECT '2024/5/1 10:20:30', '设计', 20, 100, "
                                      "5.099999904632568, 'P' || i, 72, 32.3, 99.9, 68 FROM k")
                           .arg(table)
                           .arg(n)
                           .arg(fields.join(QLatin1Char(','))));
}

// An open row set over a result table of the folder's database.
struct OpenRows
{
    std::shared_ptr<store::Connection> connection;
    store::RowSet rows;
    QString error;
};

inline std::unique_ptr<OpenRows> openRows(const TestProgramFolder& folder, const QString& table)
{
    auto open = std::make_unique<OpenRows>();
    auto connection = store::Connection::open(folder.databasePath());
    if (!connection) {
        open->error = connection.error();
        return open;
    }
    open->connection = connection.value();
    if (!open->rows.open(open->connection, table))
        open->error = open->rows.lastError();
    return open;
}

// The output of a command-line tool, or nothing when it is not installed.
inline std::optional<QString> toolOutput(const QString& tool, const QStringList& arguments)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace tarnwick::testing
