#include "tests/reliability/reliabilitysupport.h"

#include "store/names.h"
#include "tests/support/generatedcatalogue.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>

namespace tarnwick::testing {

namespace names = store::names;

CliRun runCli(const QStringList& arguments, int timeoutMs)
{
    return runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, timeoutMs);
}

ScopedDatabase::ScopedDatabase(const QString& path)
    : m_name(QStringLiteral("reliability-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    m_server = path.startsWith(QLatin1String("postgresql:"));
    if (m_server) {
        // The tests' server addresses: postgresql://user@/database?host=socket-folder&port=n
        const QUrl url(path);
        const QUrlQuery query(url);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        db.setHostName(query.queryItemValue(QStringLiteral("host")));
        db.setPort(query.queryItemValue(QStringLiteral("port")).toInt());
        db.setUserName(url.userName());
        db.setDatabaseName(url.path().mid(1));
        db.open();
        return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    db.open();
}

ScopedDatabase::~ScopedDatabase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase ScopedDatabase::db() const
{
    return QSqlDatabase::database(m_name, false);
}

QVariantList ScopedDatabase::column(const QString& sql) const
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

bool ScopedDatabase::exec(const QString& sql) const
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

QStringList incompleteResultRows(const ScopedDatabase& db, const QString& table)
{
    // A figure must be stored as a number (SQLite keeps whole numbers in a
    // REAL column as real) and be finite; the time, the method and the model
    // must be texts, the first two not empty (a pump without a model text
    // gives an empty one).
    // A server keeps each column's type, so there only a missing or
    // non-finite value is not whole.
    QStringList conditions;
    for (const QString& field : textFields()) {
        conditions.append(db.onServer() ? QStringLiteral("%1 IS NULL").arg(quoted(field))
                                        : QStringLiteral("typeof(%1) <> 'text'").arg(quoted(field)));
    }
    for (const QString& field : {names::calculationTime(), names::method()})
        conditions.append(QStringLiteral("%1 = ''").arg(quoted(field)));
    for (const QString& field : figureFields()) {
        conditions.append(db.onServer()
                              ? QStringLiteral("%1 IS NULL OR %1 IN ('NaN', 'Infinity', '-Infinity')").arg(quoted(field))
                              : QStringLiteral("typeof(%1) NOT IN ('real', 'integer') OR abs(%1) > 1e308")
                                    .arg(quoted(field)));
    }
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

QList<ResultKey> resultKeys(const ScopedDatabase& db, const QString& table)
{
    QStringList fields = {quoted(names::method()), quoted(names::selectedModel())};
    // Both engines print a double so that it reads back exactly.
    for (const QString& field : figureFields()) {
        fields.append(db.onServer() ? QStringLiteral("%1::text").arg(quoted(field))
                                    : QStringLiteral("printf('%!.17g', %1)").arg(quoted(field)));
    }
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

QString integrityCheck(const ScopedDatabase& db)
{
    if (db.onServer())
        return QStringLiteral("ok");
    const QVariantList lines = db.column(QStringLiteral("PRAGMA integrity_check"));
    QStringList texts;
    for (const QVariant& line : lines)
        texts.append(line.toString());
    return texts.isEmpty() ? QStringLiteral("integrity_check gave nothing") : texts.join(QLatin1Char('\n'));
}

bool writeLargeCatalogue(const QString& path, int pumps, int nearShare, std::uint32_t seed, QString* error)
{
    ScopedDatabase sqlite(path);
    if (!sqlite.isOpen()) {
        *error = sqlite.db().lastError().text();
        return false;
    }
    QSqlDatabase db = sqlite.db();
    const Catalogue catalogue = generatedCatalogue(pumps, seed, nearShare);

    db.transaction();
    QSqlQuery pump(db);
    pump.prepare(QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5, %6) VALUES (?, ?, ?, ?, ?)")
                     .arg(quoted(names::pumpTable()), quoted(names::key()), quoted(names::pumpType()),
                          quoted(names::model()), quoted(names::speed()), quoted(names::installationDimensions())));
    for (const CataloguePump& p : catalogue.pumps) {
        pump.addBindValue(static_cast<qlonglong>(p.key));
        pump.addBindValue(QString::fromStdString(p.type));
        pump.addBindValue(QString::fromStdString(p.model));
        pump.addBindValue(p.speed ? QVariant(*p.speed) : QVariant());
        pump.addBindValue(QStringLiteral("L=%1").arg(p.key));
        if (!pump.exec()) {
            *error = pump.lastError().text();
            return false;
        }
    }
    QSqlQuery point(db);
    point.prepare(QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5) VALUES (?, ?, ?, ?)")
                      .arg(quoted(names::pointTable()), quoted(names::key()), quoted(names::flow()),
                           quoted(names::head()), quoted(names::shaftPower())));
    for (const CataloguePoint& p : catalogue.points) {
        point.addBindValue(static_cast<qlonglong>(p.key));
        point.addBindValue(static_cast<double>(p.flow));
        point.addBindValue(static_cast<double>(p.head));
        point.addBindValue(static_cast<double>(p.power));
        if (!point.exec()) {
            *error = point.lastError().text();
            return false;
        }
    }
    if (!db.commit()) {
        *error = db.lastError().text();
        return false;
    }
    return true;
}

} // namespace tarnwick::testing
