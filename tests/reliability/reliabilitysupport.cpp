#include "tests/reliability/reliabilitysupport.h"

#include "store/names.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <cmath>
#include <random>

namespace tarnwick::testing {

namespace names = store::names;

CliRun runCli(const QStringList& arguments, int timeoutMs)
{
    return runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, timeoutMs);
}

ScopedSqlite::ScopedSqlite(const QString& path)
    : m_name(QStringLiteral("reliability-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    db.open();
}

ScopedSqlite::~ScopedSqlite()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase ScopedSqlite::db() const
{
    return QSqlDatabase::database(m_name, false);
}

QVariantList ScopedSqlite::column(const QString& sql) const
{
    QVariantList values;
    QSqlQuery query(db());
    query.setForwardOnly(true);
    if (!query.exec(sql))
        return values;
    while (query.next())
        values.append(query.value(0));
    return values;
}

bool ScopedSqlite::exec(const QString& sql) const
{
    QSqlQuery query(db());
    return query.exec(sql);
}

namespace {

QString quoted(const QString& name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QStringList figureFields()
{
    return {names::totalHead(),     names::designFlow(),    names::staticHead(),         names::bestEfficiency(),
            names::operatingHead(), names::operatingFlow(), names::operatingEfficiency()};
}

QStringList textFields()
{
    return {names::calculationTime(), names::method(), names::selectedModel()};
}

} // namespace

QStringList incompleteResultRows(const ScopedSqlite& db, const QString& table)
{
    // A figure must be stored as a number (SQLite keeps whole numbers in a
    // REAL column as real) and be finite; the time, the method and the model
    // must be texts, the first two not empty (a pump without a model text
    // gives an empty one).
    QStringList conditions;
    for (const QString& field : textFields())
        conditions.append(QStringLiteral("typeof(%1) <> 'text'").arg(quoted(field)));
    for (const QString& field : {names::calculationTime(), names::method()})
        conditions.append(QStringLiteral("%1 = ''").arg(quoted(field)));
    for (const QString& field : figureFields())
        conditions.append(
            QStringLiteral("typeof(%1) NOT IN ('real', 'integer') OR abs(%1) > 1e308").arg(quoted(field)));
    QSqlQuery query(db.db());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT rowid FROM %1 WHERE %2")
                        .arg(quoted(table),
                             QStringLiteral("(") + conditions.join(QStringLiteral(") OR (")) + QStringLiteral(")"))))
        return {QStringLiteral("cannot read %1: %2").arg(table, query.lastError().text())};
    QStringList problems;
    while (query.next())
        problems.append(QStringLiteral("%1 row %2 is not whole").arg(table, query.value(0).toString()));
    return problems;
}

QList<ResultKey> resultKeys(const ScopedSqlite& db, const QString& table)
{
    QStringList fields = {quoted(names::method()), quoted(names::selectedModel())};
    for (const QString& field : figureFields())
        fields.append(QStringLiteral("printf('%!.17g', %1)").arg(quoted(field)));
    QList<ResultKey> keys;
    QSqlQuery query(db.db());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                        .arg(fields.join(QStringLiteral(" || '|' || ")), quoted(table))))
        return keys;
    while (query.next())
        keys.append(query.value(0).toString());
    return keys;
}

QString integrityCheck(const ScopedSqlite& db)
{
    const QVariantList lines = db.column(QStringLiteral("PRAGMA integrity_check"));
    QStringList texts;
    for (const QVariant& line : lines)
        texts.append(line.toString());
    return texts.isEmpty() ? QStringLiteral("integrity_check gave nothing") : texts.join(QLatin1Char('\n'));
}

bool writeLargeCatalogue(const QString& path, int pumps, int nearShare, std::uint32_t seed, QString* error)
{
    ScopedSqlite sqlite(path);
    if (!sqlite.isOpen()) {
        *error = sqlite.db().lastError().text();
        return false;
    }
    QSqlDatabase db = sqlite.db();
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> logFlow(std::log(5.0), std::log(2000.0));
    std::uniform_real_distribution<double> logHead(std::log(5.0), std::log(100.0));
    std::uniform_real_distribution<double> bestEfficiency(0.55, 0.85);
    std::uniform_int_distribution<int> pointCount(3, 8);
    std::uniform_real_distribution<double> shutOff(1.1, 1.35);
    std::uniform_real_distribution<double> overDuty(1.02, 1.08);
    std::uniform_real_distribution<double> bestAround(0.92, 1.08);
    const QString types[] = {QStringLiteral("IS型单级单吸离心泵"), QStringLiteral("立式管道泵"),
                             QStringLiteral("卧式离心泵")};

    db.transaction();
    QSqlQuery pump(db);
    pump.prepare(QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5, %6) VALUES (?, ?, ?, ?, ?)")
                     .arg(quoted(names::pumpTable()), quoted(names::key()), quoted(names::pumpType()),
                          quoted(names::model()), quoted(names::speed()), quoted(names::installationDimensions())));
    QSqlQuery point(db);
    point.prepare(QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5) VALUES (?, ?, ?, ?)")
                      .arg(quoted(names::pointTable()), quoted(names::key()), quoted(names::flow()),
                           quoted(names::head()), quoted(names::shaftPower())));
    for (int i = 0; i < pumps; ++i) {
        const int key = i + 1;
        const double h0 = shutOff(random);
        const double etaBest = bestEfficiency(random);
        const int n = pointCount(random);
        double qBest = 0.0;
        double hBest = 0.0;
        if (nearShare > 0 && i % nearShare == 0) {
            // The system curve H = 20 (Q/100)^2 meets this pump's curve a few
            // per cent above the duty, near its best point.
            const double qOp = 100.0 * overDuty(random);
            const double hOp = 20.0 * (qOp / 100.0) * (qOp / 100.0);
            qBest = qOp * bestAround(random);
            const double x = qOp / qBest;
            hBest = hOp / (h0 - (h0 - 1.0) * x * x);
        } else {
            qBest = std::exp(logFlow(random));
            hBest = std::exp(logHead(random));
        }
        pump.addBindValue(key);
        pump.addBindValue(types[i % 3]);
        pump.addBindValue(QStringLiteral("RL%1").arg(key));
        pump.addBindValue(i % 2 == 0 ? 2900.0 : 1450.0);
        pump.addBindValue(QStringLiteral("L=%1").arg(key));
        if (!pump.exec()) {
            *error = pump.lastError().text();
            return false;
        }
        for (int k = 0; k < n; ++k) {
            const double x = 0.4 + 0.9 * k / (n - 1);
            const double q = qBest * x;
            const double h = hBest * (h0 - (h0 - 1.0) * x * x);
            const double eta = etaBest * (2.0 * x - x * x) + 0.02;
            point.addBindValue(key);
            point.addBindValue(static_cast<double>(static_cast<float>(q)));
            point.addBindValue(static_cast<double>(static_cast<float>(h)));
            point.addBindValue(static_cast<double>(static_cast<float>(q * h / (367.2 * eta))));
            if (!point.exec()) {
                *error = point.lastError().text();
                return false;
            }
        }
    }
    if (!db.commit()) {
        *error = db.lastError().text();
        return false;
    }
    return true;
}

} // namespace tarnwick::testing
