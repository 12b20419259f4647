#include "store/cataloguerules.h"

#include "store/database.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"

#include <QCoreApplication>
#include <QSqlQuery>

#include <cmath>

namespace tarnwick::store {

namespace {

constexpr int kListed = 30;

QString number(double value)
{
    return QString::number(value, 'g', 15);
}

bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

QStringList withTotal(QStringList list, int count)
{
    if (count > list.size())
        list.append(
            QCoreApplication::translate("tarnwick::store", "……共 %1 处，只列出前 %2 处。").arg(count).arg(list.size()));
    return list;
}

} // namespace

CatalogueRules::CatalogueRules(QString pumpSource, QString pointSource)
    : m_pumpSource(std::move(pumpSource)), m_pointSource(std::move(pointSource))
{
}

QString CatalogueRules::where(const QString& source, int line, qint64 key) const
{
    if (line > 0)
        return QStringLiteral("%1 第 %2 行").arg(source).arg(line);
    return QCoreApplication::translate("tarnwick::store", "“%1”序号 %2").arg(source).arg(key);
}

void CatalogueRules::refuse(const QString& source, int line, qint64 key, const QString& field, const QString& text)
{
    if (m_observer)
        m_observer({source, line, key, field, text, true});
    if (m_refusalCount++ < kListed)
        m_refusals.append(where(source, line, key) + QStringLiteral("，“%1”：").arg(field) + text);
}

void CatalogueRules::warn(const QString& source, int line, qint64 key, const QString& field, const QString& text)
{
    if (m_observer)
        m_observer({source, line, key, field, text, false});
    if (m_warningCount++ < kListed)
        m_warnings.append(where(source, line, key) + QStringLiteral("，“%1”：").arg(field) + text);
}

void CatalogueRules::addPump(qint64 key, const QString& model, int line)
{
    if (m_pumps.contains(key)) {
        const int first = m_pumps.value(key).line;
        refuse(
            m_pumpSource, line, key, names::key(),
            first > 0
                ? QCoreApplication::translate("tarnwick::store", "序号 %1 重复（第 %2 行已有）。").arg(key).arg(first)
                : QCoreApplication::translate("tarnwick::store", "序号 %1 重复。").arg(key));
        return;
    }
    const QString trimmed = model.trimmed();
    if (trimmed.isEmpty()) {
        refuse(m_pumpSource, line, key, names::model(), QCoreApplication::translate("tarnwick::store", "缺少内容。"));
    } else if (hasControlCharacter(model)) {
        refuse(m_pumpSource, line, key, names::model(),
               QCoreApplication::translate("tarnwick::store", "“%1”含有控制字符（如制表符、换行）。")
                   .arg(trimmed.simplified()));
    } else if (m_models.contains(trimmed)) {
        const Pump& other = m_pumps[m_models.value(trimmed)];
        refuse(m_pumpSource, line, key, names::model(),
               other.line > 0 ? QCoreApplication::translate("tarnwick::store", "型号“%1”与第 %2 行的重复。")
                                    .arg(trimmed)
                                    .arg(other.line)
                              : QCoreApplication::translate("tarnwick::store", "型号“%1”与序号 %2 的重复。")
                                    .arg(trimmed)
                                    .arg(m_models.value(trimmed)));
    } else {
        m_models.insert(trimmed, key);
    }
    Pump pump;
    pump.model = trimmed;
    pump.line = line;
    m_pumps.insert(key, pump);
    m_pumpOrder.append(key);
}

void CatalogueRules::addPoint(qint64 key, double flow, double head, double power, int line)
{
    const bool sameRun = m_inRun && key == m_runKey;
    if (m_inRun && !sameRun) {
        auto previous = m_pumps.find(m_runKey);
        if (previous != m_pumps.end())
            previous->runEnded = true;
    }
    m_inRun = true;
    m_runKey = key;

    auto pump = m_pumps.find(key);
    if (pump == m_pumps.end()) {
        if (!m_reportedKeys.contains(key)) {
            m_reportedKeys.insert(key);
            refuse(m_pointSource, line, key, names::key(),
                   QCoreApplication::translate("tarnwick::store", "序号 %1 在 %2 中没有对应的水泵。")
                       .arg(key)
                       .arg(m_pumpSource));
        }
    } else {
        // The calculations read a pump's points as one run from its first row.
        if (!sameRun && pump->runEnded && !m_reportedKeys.contains(key)) {
            m_reportedKeys.insert(key);
            refuse(m_pointSource, line, key, names::key(),
                   pump->firstPointLine > 0
                       ? QCoreApplication::translate("tarnwick::store",
                                                     "序号 %1 的性能点没有连在一起（第 %2 行起已有该序号的点）。")
                             .arg(key)
                             .arg(pump->firstPointLine)
                       : QCoreApplication::translate("tarnwick::store", "序号 %1 的性能点没有连在一起。").arg(key));
        }
        if (pump->points == 0)
            pump->firstPointLine = line;
        ++pump->points;
    }

    if (!std::isfinite(flow))
        refuse(m_pointSource, line, key, names::flow(),
               QCoreApplication::translate("tarnwick::store", "不是有限的数值。"));
    else if (!(flow > 0.0))
        refuse(m_pointSource, line, key, names::flow(),
               QCoreApplication::translate("tarnwick::store", "%1 应大于 0。").arg(number(flow)));
    if (!std::isfinite(head))
        refuse(m_pointSource, line, key, names::head(),
               QCoreApplication::translate("tarnwick::store", "不是有限的数值。"));
    else if (head < 0.0)
        refuse(m_pointSource, line, key, names::head(),
               QCoreApplication::translate("tarnwick::store", "%1 不能为负数。").arg(number(head)));
    if (!std::isfinite(power))
        refuse(m_pointSource, line, key, names::shaftPower(),
               QCoreApplication::translate("tarnwick::store", "不是有限的数值。"));
    else if (!(power > 0.0))
        refuse(m_pointSource, line, key, names::shaftPower(),
               QCoreApplication::translate("tarnwick::store", "%1 应大于 0。").arg(number(power)));

    // Catalogues list the points of some pumps with falling or repeated
    // flows; the fit takes them as they are, but whoever keeps the catalogue
    // should know.
    if (sameRun && std::isfinite(flow) && !(flow > m_lastFlow))
        warn(m_pointSource, line, key, names::flow(),
             QCoreApplication::translate("tarnwick::store", "序号 %1 的流量 %2 不大于前一点的 %3（已接受）。")
                 .arg(key)
                 .arg(number(flow), number(m_lastFlow)));
    m_lastFlow = flow;
}

void CatalogueRules::finish()
{
    for (const qint64 key : std::as_const(m_pumpOrder)) {
        const Pump& pump = m_pumps[key];
        if (pump.points < kMinimumCataloguePoints)
            refuse(m_pumpSource, pump.line, key, names::key(),
                   QCoreApplication::translate("tarnwick::store",
                                               "水泵“%1”（序号 %2）在 %3 中只有 %4 个性能点，至少需要 %5 个。")
                       .arg(pump.model)
                       .arg(key)
                       .arg(m_pointSource)
                       .arg(pump.points)
                       .arg(kMinimumCataloguePoints));
    }
}

QStringList CatalogueRules::refusals() const
{
    return withTotal(m_refusals, m_refusalCount);
}

QStringList CatalogueRules::warnings() const
{
    return withTotal(m_warnings, m_warningCount);
}

bool checkStoredCatalogue(const QSqlDatabase& db, CatalogueRules* rules, QString* error)
{
    // Both tables from one state of the file.
    const ReadSnapshot snapshot(db);
    if (!snapshot.isValid()) {
        *error = snapshot.error();
        return false;
    }
    auto keyOf = [](const QVariant& value) {
        const double key = numberOrNaN(value);
        return std::isfinite(key) && std::fabs(key) < 9.0e18 ? static_cast<qint64>(key) : qint64(0);
    };
    QSqlQuery pumps(db);
    pumps.setForwardOnly(true);
    if (!pumps.exec(QStringLiteral("SELECT %1, %2 FROM %3%4")
                        .arg(quotedName(names::key()), quotedName(names::model()), quotedName(names::pumpTable()),
                             storedOrderClause()))) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(names::pumpTable()),
                                   pumps.lastError());
        return false;
    }
    while (pumps.next())
        rules->addPump(keyOf(pumps.value(0)), pumps.value(1).toString());
    // A read that stops at a damaged page is an error, not the table's end.
    if (pumps.lastError().isValid()) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(names::pumpTable()),
                                   pumps.lastError());
        return false;
    }
    QSqlQuery points(db);
    points.setForwardOnly(true);
    if (!points.exec(QStringLiteral("SELECT %1, %2, %3, %4 FROM %5%6")
                         .arg(quotedName(names::key()), quotedName(names::flow()), quotedName(names::head()),
                              quotedName(names::shaftPower()), quotedName(names::pointTable()), storedOrderClause()))) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(names::pointTable()),
                                   points.lastError());
        return false;
    }
    while (points.next())
        rules->addPoint(keyOf(points.value(0)), numberOrNaN(points.value(1)), numberOrNaN(points.value(2)),
                        numberOrNaN(points.value(3)));
    if (points.lastError().isValid()) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(names::pointTable()),
                                   points.lastError());
        return false;
    }
    rules->finish();
    return true;
}

} // namespace tarnwick::store
