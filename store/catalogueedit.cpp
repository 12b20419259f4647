#include "store/catalogueedit.h"

#include "store/cataloguerules.h"
#include "store/database.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>

namespace tarnwick::store {

namespace n = names;

namespace {

qint64 keyOf(const QVariant& value)
{
    const double key = numberOrNaN(value);
    return std::isfinite(key) && std::fabs(key) < 9.0e18 ? static_cast<qint64>(key) : qint64(0);
}

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

// Whether writing `edited` over `stored` would change nothing.
bool sameValue(const QVariant& stored, const QVariant& edited)
{
    if (stored.isNull() || edited.isNull())
        return stored.isNull() == edited.isNull();
    if (isNumber(stored) && isNumber(edited)) {
        const double a = stored.toDouble();
        const double b = edited.toDouble();
        return a == b || (std::isnan(a) && std::isnan(b));
    }
    if (stored.typeId() == QMetaType::QByteArray || edited.typeId() == QMetaType::QByteArray)
        return stored.toByteArray() == edited.toByteArray();
    return stored.toString() == edited.toString();
}

bool sameValues(const QVariantList& stored, const QVariantList& edited)
{
    if (stored.size() != edited.size())
        return false;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (!sameValue(stored.at(i), edited.at(i)))
            return false;
    }
    return true;
}

bool readRows(QSqlDatabase db, const QString& table, const QStringList& fields, QList<StoredCatalogueRows::Row>* rows,
              QString* error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(selectInStoredOrderSql(table, fields))) {
        *error =
            databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(table), query.lastError());
        return false;
    }
    while (query.next()) {
        StoredCatalogueRows::Row row;
        row.rowKey = query.value(0).toLongLong();
        for (int i = 0; i < fields.size(); ++i)
            row.values.append(query.value(i + 1));
        rows->append(std::move(row));
    }
    // A read that stops at a damaged page is an error, not the table's end.
    if (query.lastError().isValid()) {
        *error =
            databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(table), query.lastError());
        return false;
    }
    return true;
}

bool readStoredRows(QSqlDatabase db, StoredCatalogueRows* rows, QString* error)
{
    return readRows(db, n::pumpTable(), n::pumpFields(), &rows->pumps, error) &&
           readRows(db, n::pointTable(), n::pointFields(), &rows->points, error);
}

bool sameRows(const QList<StoredCatalogueRows::Row>& a, const QList<StoredCatalogueRows::Row>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.at(i).rowKey != b.at(i).rowKey || !sameValues(a.at(i).values, b.at(i).values))
            return false;
    }
    return true;
}

struct TableCounts
{
    int updated = 0;
    int inserted = 0;
    int deleted = 0;
};

// Brings a table from its stored rows to the edited rows (both with the key
// as their first value). Rows whose key stands where it stood are updated in
// place; from the first that moved, the stored rows are deleted and the
// edited ones appended, which keeps the stored order the edited order.
bool rewriteTable(QSqlDatabase db, const QString& table, const QStringList& fields,
                  const QList<StoredCatalogueRows::Row>& stored, const QList<QVariantList>& edited, TableCounts* counts,
                  QString* error)
{
    const QString what = QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(table);
    qsizetype i = 0;
    QSqlQuery update(db);
    bool updatePrepared = false;
    for (; i < stored.size() && i < edited.size(); ++i) {
        if (!sameValue(stored.at(i).values.at(0), edited.at(i).at(0)))
            break;
        if (sameValues(stored.at(i).values, edited.at(i)))
            continue;
        if (!updatePrepared && !update.prepare(updateByRowKeySql(table, fields))) {
            *error = databaseErrorText(what, update.lastError());
            return false;
        }
        updatePrepared = true;
        for (const QVariant& value : edited.at(i))
            update.addBindValue(value);
        update.addBindValue(stored.at(i).rowKey);
        if (!update.exec()) {
            *error = databaseErrorText(what, update.lastError());
            return false;
        }
        ++counts->updated;
    }
    if (i < stored.size()) {
        QSqlQuery remove(db);
        remove.prepare(deleteFromRowKeySql(table));
        remove.addBindValue(stored.at(i).rowKey);
        if (!remove.exec()) {
            *error = databaseErrorText(what, remove.lastError());
            return false;
        }
        counts->deleted += static_cast<int>(stored.size() - i);
    }
    if (i < edited.size()) {
        QStringList quoted;
        QStringList marks;
        for (const QString& field : fields) {
            quoted.append(quotedName(field));
            marks.append(QStringLiteral("?"));
        }
        QSqlQuery insert(db);
        if (!insert.prepare(
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(quotedName(table), quoted.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))))) {
            *error = databaseErrorText(what, insert.lastError());
            return false;
        }
        for (; i < edited.size(); ++i) {
            for (const QVariant& value : edited.at(i))
                insert.addBindValue(value);
            if (!insert.exec()) {
                *error = databaseErrorText(what, insert.lastError());
                return false;
            }
            ++counts->inserted;
        }
    }
    return true;
}

// Updates the first row (of the type, when a field is named) or appends one.
bool writeFirstRow(QSqlDatabase db, const QString& table, const QString& whereField, const QVariant& whereValue,
                   const QStringList& fields, const QVariantList& values, QString* error)
{
    const QString what = QCoreApplication::translate("tarnwick::store", "写入“%1”").arg(table);
    QSqlQuery find(db);
    find.prepare(firstRowKeySql(table, whereField));
    if (!whereField.isEmpty())
        find.addBindValue(whereValue);
    if (!find.exec()) {
        *error = databaseErrorText(what, find.lastError());
        return false;
    }
    QSqlQuery write(db);
    if (find.next()) {
        write.prepare(updateByRowKeySql(table, fields));
        for (const QVariant& value : values)
            write.addBindValue(value);
        write.addBindValue(find.value(0));
    } else {
        QStringList quoted;
        QStringList marks;
        QVariantList bound = values;
        QStringList all = fields;
        if (!whereField.isEmpty()) {
            all.prepend(whereField);
            bound.prepend(whereValue);
        }
        for (const QString& field : all) {
            quoted.append(quotedName(field));
            marks.append(QStringLiteral("?"));
        }
        write.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(quotedName(table), quoted.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
        for (const QVariant& value : bound)
            write.addBindValue(value);
    }
    if (!write.exec()) {
        *error = databaseErrorText(what, write.lastError());
        return false;
    }
    return true;
}

QVariant blobOrNull(const QByteArray& bytes)
{
    return bytes.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(bytes);
}

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

} // namespace

QStringList editablePumpFields()
{
    QStringList fields = n::pumpFields();
    fields.removeFirst();
    return fields;
}

EditablePump emptyPump(qint64 key)
{
    EditablePump pump;
    pump.key = key;
    for (const QString& field : editablePumpFields()) {
        Q_UNUSED(field);
        pump.fields.append(QVariant());
    }
    return pump;
}

QVariant EditablePump::field(const QString& name) const
{
    const qsizetype index = editablePumpFields().indexOf(name);
    return index >= 0 && index < fields.size() ? fields.at(index) : QVariant();
}

void EditablePump::setField(const QString& name, const QVariant& value)
{
    const qsizetype index = editablePumpFields().indexOf(name);
    if (index >= 0 && index < fields.size())
        fields[index] = value;
}

QString EditablePump::model() const
{
    return field(n::model()).toString();
}

QString EditablePump::type() const
{
    return field(n::pumpType()).toString();
}

Expected<EditableCatalogue, QString> readEditableCatalogue(QSqlDatabase db)
{
    using Result = Expected<EditableCatalogue, QString>;
    const ReadSnapshot snapshot(db);
    if (!snapshot.isValid())
        return Result::failure(snapshot.error());
    EditableCatalogue catalogue;
    QString error;
    if (!readStoredRows(db, &catalogue.stored, &error))
        return Result::failure(error);

    QHash<qint64, qsizetype> pumpOfKey;
    for (const StoredCatalogueRows::Row& row : std::as_const(catalogue.stored.pumps)) {
        EditablePump pump;
        pump.key = keyOf(row.values.at(0));
        pump.fields = row.values.mid(1);
        if (!pumpOfKey.contains(pump.key))
            pumpOfKey.insert(pump.key, catalogue.pumps.size());
        catalogue.pumps.append(std::move(pump));
    }
    for (const StoredCatalogueRows::Row& row : std::as_const(catalogue.stored.points)) {
        const auto pump = pumpOfKey.constFind(keyOf(row.values.at(0)));
        if (pump == pumpOfKey.constEnd()) {
            ++catalogue.pointsWithoutPump;
            continue;
        }
        catalogue.pumps[*pump].points.append(
            {numberOrNaN(row.values.at(1)), numberOrNaN(row.values.at(2)), numberOrNaN(row.values.at(3))});
    }

    QSqlQuery types(db);
    types.setForwardOnly(true);
    if (!types.exec(selectInStoredOrderSql(n::schematicTable(), {n::pumpType(), n::schematicPicture()})))
        return Result::failure(databaseErrorText(
            QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(n::schematicTable()), types.lastError()));
    QSet<QString> seen;
    while (types.next()) {
        const QString type = types.value(1).toString();
        if (seen.contains(type))
            continue;
        seen.insert(type);
        catalogue.schematics.append({type, types.value(2).toByteArray()});
    }
    if (types.lastError().isValid())
        return Result::failure(databaseErrorText(
            QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(n::schematicTable()), types.lastError()));

    QSqlQuery company(db);
    company.setForwardOnly(true);
    if (!company.exec(QStringLiteral("SELECT %1, %2, %3, %4 FROM %5%6 LIMIT 1")
                          .arg(quotedName(n::companyText()), quotedName(n::companyPicture()),
                               quotedName(n::productText()), quotedName(n::productPicture()),
                               quotedName(n::companyTable()), storedOrderClause()))) {
        return Result::failure(databaseErrorText(
            QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(n::companyTable()), company.lastError()));
    }
    const bool hasCompany = company.next();
    if (company.lastError().isValid())
        return Result::failure(databaseErrorText(
            QCoreApplication::translate("tarnwick::store", "读取“%1”").arg(n::companyTable()), company.lastError()));
    if (hasCompany) {
        catalogue.company.companyText = company.value(0).toString();
        catalogue.company.companyPicture = company.value(1).toByteArray();
        catalogue.company.productText = company.value(2).toString();
        catalogue.company.productPicture = company.value(3).toByteArray();
    }
    return catalogue;
}

QList<CatalogueFinding> checkEditedCatalogue(const QList<EditablePump>& pumps)
{
    // Pumps are read as lines 1.., points as lines 1.. of their own source,
    // so each finding can be traced back to its pump and point.
    QList<std::pair<int, int>> pointPlaces;
    QList<CatalogueFinding> findings;
    CatalogueRules rules(n::pumpTable(), n::pointTable());
    rules.setObserver([&](const CatalogueRules::Finding& f) {
        CatalogueFinding finding;
        finding.field = f.field;
        finding.text = f.text;
        finding.refusal = f.refusal;
        if (f.source == n::pointTable() && f.line > 0 && f.line <= pointPlaces.size()) {
            finding.pump = pointPlaces.at(f.line - 1).first;
            finding.point = pointPlaces.at(f.line - 1).second;
        } else if (f.line > 0) {
            finding.pump = f.line - 1;
        }
        findings.append(finding);
    });
    for (int i = 0; i < pumps.size(); ++i)
        rules.addPump(pumps.at(i).key, pumps.at(i).model(), i + 1);
    for (int i = 0; i < pumps.size(); ++i) {
        const EditablePump& pump = pumps.at(i);
        for (int k = 0; k < pump.points.size(); ++k) {
            pointPlaces.append({i, k});
            const EditablePoint& p = pump.points.at(k);
            rules.addPoint(pump.key, p.flow, p.head, p.power, static_cast<int>(pointPlaces.size()));
        }
    }
    rules.finish();
    return findings;
}

bool sameFinding(const QList<EditablePump>& pumpsA, const CatalogueFinding& a, const QList<EditablePump>& pumpsB,
                 const CatalogueFinding& b)
{
    auto keyOfPump = [](const QList<EditablePump>& pumps, int index) {
        return index >= 0 && index < pumps.size() ? pumps.at(index).key : qint64(-1);
    };
    return a.refusal == b.refusal && a.point == b.point && a.field == b.field && a.text == b.text &&
           keyOfPump(pumpsA, a.pump) == keyOfPump(pumpsB, b.pump);
}

QList<CatalogueFinding> newRefusals(const QList<EditablePump>& stored, const QList<EditablePump>& edited)
{
    QList<CatalogueFinding> before;
    for (const CatalogueFinding& f : checkEditedCatalogue(stored))
        if (f.refusal)
            before.append(f);
    QList<CatalogueFinding> added;
    for (const CatalogueFinding& f : checkEditedCatalogue(edited)) {
        if (!f.refusal)
            continue;
        const bool old = std::any_of(before.cbegin(), before.cend(),
                                     [&](const CatalogueFinding& b) { return sameFinding(edited, f, stored, b); });
        if (!old)
            added.append(f);
    }
    return added;
}

QString findingText(const QList<EditablePump>& pumps, const CatalogueFinding& finding)
{
    QString where;
    if (finding.pump >= 0 && finding.pump < pumps.size()) {
        const EditablePump& pump = pumps.at(finding.pump);
        const QString model = pump.model().trimmed();
        where = model.isEmpty()
                    ? QStringLiteral("序号 %1 的水泵").arg(pump.key)
                    : QCoreApplication::translate("tarnwick::store", "水泵“%1”（序号 %2）").arg(model).arg(pump.key);
        if (finding.point >= 0)
            where += QStringLiteral("第 %1 点").arg(finding.point + 1);
    }
    return QStringLiteral("%1，“%2”：%3").arg(where, finding.field, finding.text);
}

qint64 nextPumpKey(const QList<EditablePump>& pumps)
{
    qint64 largest = 0;
    for (const EditablePump& pump : pumps)
        largest = std::max(largest, pump.key);
    return largest + 1;
}

QList<EditablePoint> affinityScaled(const QList<EditablePoint>& points, double ratio)
{
    QList<EditablePoint> scaled;
    scaled.reserve(points.size());
    for (const EditablePoint& p : points)
        scaled.append({p.flow * ratio, p.head * ratio * ratio, p.power * ratio * ratio * ratio});
    return scaled;
}

Expected<SaveSummary, QString> saveCatalogueEdits(QSqlDatabase db, const EditableCatalogue& read,
                                                  const CatalogueEdits& edits, const SaveOptions& options)
{
    using Result = Expected<SaveSummary, QString>;
    QStringList refused;
    int refusals = 0;
    for (const CatalogueFinding& finding : newRefusals(read.pumps, edits.pumps)) {
        if (refusals++ < 10)
            refused.append(findingText(edits.pumps, finding));
    }
    if (refusals > 0) {
        if (refusals > refused.size())
            refused.append(QCoreApplication::translate("tarnwick::store", "……共 %1 处。").arg(refusals));
        return Result::failure(QCoreApplication::translate("tarnwick::store", "水泵目录不符合规则，未保存：\n") +
                               refused.join(QLatin1Char('\n')));
    }

    QList<QVariantList> pumpRows;
    QList<QVariantList> pointRows;
    for (const EditablePump& pump : edits.pumps) {
        pumpRows.append(QVariantList{QVariant(pump.key)} + pump.fields);
        for (const EditablePoint& p : pump.points)
            pointRows.append({QVariant(pump.key), p.flow, p.head, p.power});
    }

    SaveSummary summary;
    bool changedElsewhere = false;
    bool lockBusy = false;
    QString workError;
    auto writeAll = [&]() {
        summary = SaveSummary();
        // The check that nobody changed the catalogue since it was read holds
        // until the commit: no other save or import writes meanwhile.
        if (!lockCatalogue(db, &workError, &lockBusy))
            return false;
        StoredCatalogueRows now;
        if (!readStoredRows(db, &now, &workError))
            return false;
        if (!sameRows(now.pumps, read.stored.pumps) || !sameRows(now.points, read.stored.points)) {
            changedElsewhere = true;
            return false;
        }
        TableCounts pumps;
        TableCounts points;
        if (!rewriteTable(db, n::pumpTable(), n::pumpFields(), now.pumps, pumpRows, &pumps, &workError) ||
            !rewriteTable(db, n::pointTable(), n::pointFields(), now.points, pointRows, &points, &workError))
            return false;
        summary.updatedPumps = pumps.updated;
        summary.insertedPumps = pumps.inserted;
        summary.deletedPumps = pumps.deleted;
        summary.updatedPoints = points.updated;
        summary.insertedPoints = points.inserted;
        summary.deletedPoints = points.deleted;
        for (const auto& [type, picture] : edits.schematics) {
            if (!writeFirstRow(db, n::schematicTable(), n::pumpType(), type, {n::schematicPicture()},
                               {blobOrNull(picture)}, &workError))
                return false;
        }
        if (edits.company) {
            const CompanyInfo& c = *edits.company;
            if (!writeFirstRow(db, n::companyTable(), QString(), QVariant(),
                               {n::companyText(), n::companyPicture(), n::productText(), n::productPicture()},
                               {textOrNull(c.companyText), blobOrNull(c.companyPicture), textOrNull(c.productText),
                                blobOrNull(c.productPicture)},
                               &workError))
                return false;
        }
        return true;
    };

    // Each try waits for the busy timeout; another program that holds the
    // database longer is given a few more tries before the user is told.
    setBusyTimeout(db, options.busyTimeoutMs);
    const int attempts = std::max(1, options.attempts);
    QString lastError;
    int tried = 0;
    bool busy = false;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (attempt > 1 && options.beforeRetry && !options.beforeRetry(attempt))
            break;
        tried = attempt;
        changedElsewhere = false;
        workError.clear();
        QString error;
        lockBusy = false;
        if (inTransaction(db, writeAll, &error, &busy)) {
            summary.attempts = attempt;
            return summary;
        }
        if (changedElsewhere)
            return Result::failure(QCoreApplication::translate(
                "tarnwick::store", "水泵目录在打开维护窗口之后已被其他程序修改，未保存任何内容。"
                                   "请放弃修改，重新打开本窗口后再改。"));
        lastError = workError.isEmpty() ? error : workError;
        busy = busy || lockBusy;
        if (!busy)
            break;
    }
    if (busy)
        return Result::failure(
            QCoreApplication::translate("tarnwick::store",
                                        "数据库正被其他程序使用，已等待并重试 %1 次仍未能保存，未保存任何内容。"
                                        "请稍后再保存。\n")
                .arg(tried) +
            lastError);
    return Result::failure(lastError.isEmpty()
                               ? QCoreApplication::translate("tarnwick::store", "写入水泵目录失败，未保存任何内容。")
                               : lastError);
}

} // namespace tarnwick::store
