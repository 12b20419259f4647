#include "tests/reliability/baddatacases.h"

#include <QRegularExpression>

namespace tarnwick::testing {

namespace {

// Statements on the points of the pump "BAD" (key 9), which are five rows.
QString onBadPoints(const QString& assignment)
{
    return QStringLiteral("UPDATE \"流扬功\" SET %1 WHERE \"序号\" = 9").arg(assignment);
}

// The same on its middle point only.
QString onMiddlePoint(const QString& assignment)
{
    return QStringLiteral("UPDATE \"流扬功\" SET %1 WHERE rowid = "
                          "(SELECT min(rowid) + 2 FROM \"流扬功\" WHERE \"序号\" = 9)")
        .arg(assignment);
}

QString onBadPump(const QString& assignment)
{
    return QStringLiteral("UPDATE \"水泵性能表\" SET %1 WHERE \"序号\" = 9").arg(assignment);
}

// The data-sheet view without one of its fields.
QStringList viewWithout(const QString& field)
{
    QStringList fields = {QStringLiteral("水泵类型"),   QStringLiteral("水泵型号"),     QStringLiteral("转速"),
                          QStringLiteral("流量"),       QStringLiteral("扬程"),         QStringLiteral("轴功率"),
                          QStringLiteral("电动机功率"), QStringLiteral("必需汽蚀余量"), QStringLiteral("叶轮外径"),
                          QStringLiteral("重量"),       QStringLiteral("设备安装尺寸"), QStringLiteral("序号")};
    fields.removeAll(field);
    for (QString& f : fields)
        f = QLatin1Char('"') + f + QLatin1Char('"');
    return {QStringLiteral("DROP VIEW \"水泵查询\""),
            QStringLiteral("CREATE VIEW \"水泵查询\" AS SELECT %1 FROM \"水泵性能表\" ORDER BY rowid")
                .arg(fields.join(QStringLiteral(", ")))};
}

} // namespace

QList<BadDataCase> badDataCases()
{
    using O = BadDataCase::Outcome;
    QList<BadDataCase> cases;
    auto usable = [&](const char* name, const QStringList& statements) {
        BadDataCase c;
        c.name = QString::fromUtf8(name);
        c.statements = statements;
        cases.append(c);
        return &cases.last();
    };
    auto refused = [&](const char* name, const QStringList& statements, O outcome, const QStringList& named) {
        BadDataCase c;
        c.name = QString::fromUtf8(name);
        c.statements = statements;
        c.outcome = outcome;
        c.named = named;
        cases.append(c);
    };

    usable("sound data", {});
    // Empty and wrong values in the points.
    usable("point flow NULL", {onMiddlePoint(QStringLiteral("\"流量\" = NULL"))});
    usable("point head NULL", {onMiddlePoint(QStringLiteral("\"扬程\" = NULL"))});
    usable("point power NULL", {onMiddlePoint(QStringLiteral("\"轴功率\" = NULL"))});
    usable("first point all NULL",
           {QStringLiteral("UPDATE \"流扬功\" SET \"流量\" = NULL, \"扬程\" = NULL, \"轴功率\" = NULL WHERE rowid = "
                           "(SELECT min(rowid) FROM \"流扬功\" WHERE \"序号\" = 9)")});
    usable("point head text", {onMiddlePoint(QStringLiteral("\"扬程\" = 'abc'"))});
    usable("point power blob", {onMiddlePoint(QStringLiteral("\"轴功率\" = X'00FF10'"))});
    usable("point texts nan and inf", {onMiddlePoint(QStringLiteral("\"扬程\" = 'nan', \"流量\" = 'inf'"))});
    usable("point numbers as texts with blanks", {onBadPoints(QStringLiteral("\"扬程\" = ' ' || \"扬程\" || ' '"))});
    usable("zero flows", {onBadPoints(QStringLiteral("\"流量\" = 0"))});
    usable("negative flows", {onBadPoints(QStringLiteral("\"流量\" = -\"流量\""))});
    usable("zero shaft powers", {onBadPoints(QStringLiteral("\"轴功率\" = 0"))});
    usable("negative shaft powers", {onBadPoints(QStringLiteral("\"轴功率\" = -\"轴功率\""))});
    usable("one point of zero shaft power", {onMiddlePoint(QStringLiteral("\"轴功率\" = 0"))});
    usable("negative heads", {onBadPoints(QStringLiteral("\"扬程\" = -\"扬程\""))});
    usable("infinite head", {onMiddlePoint(QStringLiteral("\"扬程\" = 9e999"))});
    usable("minus infinite power", {onMiddlePoint(QStringLiteral("\"轴功率\" = -9e999"))});
    usable("huge flows", {onBadPoints(QStringLiteral("\"流量\" = \"流量\" * 1e300"))});
    usable("flows beyond 32 bits", {onBadPoints(QStringLiteral("\"流量\" = \"流量\" * 1e37"))});
    usable("tiny values", {onBadPoints(QStringLiteral("\"流量\" = \"流量\" * 1e-300, \"扬程\" = \"扬程\" * 1e-300"))});
    usable("all points equal", {onBadPoints(QStringLiteral("\"流量\" = 50, \"扬程\" = 20, \"轴功率\" = 5"))});
    usable("duplicated points", {QStringLiteral("UPDATE \"流扬功\" SET \"流量\" = 45, \"扬程\" = 21, \"轴功率\" = 4 "
                                                "WHERE \"序号\" = 9 AND rowid < (SELECT min(rowid) + 3 FROM "
                                                "\"流扬功\" WHERE \"序号\" = 9)")});
    // Points missing or out of place.
    usable("pump without points", {QStringLiteral("DELETE FROM \"流扬功\" WHERE \"序号\" = 9")});
    usable("pump with two points", {QStringLiteral("DELETE FROM \"流扬功\" WHERE \"序号\" = 9 AND rowid > "
                                                   "(SELECT min(rowid) + 1 FROM \"流扬功\" WHERE \"序号\" = 9)")});
    usable("one point far away", {QStringLiteral("INSERT INTO \"流扬功\" (\"序号\", \"流量\", \"扬程\", \"轴功率\") "
                                                 "VALUES (9, 300, 1, 50)")});
    // Read as runs, the points of one pump take in other pumps' points.
    BadDataCase* scattered = usable("scattered points", {});
    scattered->interleaved = true;
    scattered->goodPumpsFound = false;
    usable("point key text", {QStringLiteral("UPDATE \"流扬功\" SET \"序号\" = 'x9' WHERE \"序号\" = 9")});
    usable("pump key text", {onBadPump(QStringLiteral("\"序号\" = 'nine'"))});
    usable("pump key of another pump", {onBadPump(QStringLiteral("\"序号\" = 3"))});
    usable("pump key fractional", {onBadPump(QStringLiteral("\"序号\" = 9.5"))});
    // The pump rows.
    usable("model NULL", {onBadPump(QStringLiteral("\"水泵型号\" = NULL"))});
    usable("duplicate models", {onBadPump(QStringLiteral("\"水泵型号\" = 'P1'"))});
    usable("model with quotes and SQL",
           {onBadPump(QStringLiteral("\"水泵型号\" = 'B''A\"D; DROP TABLE \"\"水泵选型结果\"\"; --'"))});
    usable("pump type NULL", {onBadPump(QStringLiteral("\"水泵类型\" = NULL"))});
    usable("speed NULL", {onBadPump(QStringLiteral("\"转速\" = NULL"))});
    usable("speed text", {onBadPump(QStringLiteral("\"转速\" = 'fast'"))});
    usable("speed infinite", {onBadPump(QStringLiteral("\"转速\" = 9e999"))});
    usable("speed text inf", {onBadPump(QStringLiteral("\"转速\" = 'inf'"))});
    usable(
        "data sheet not finite",
        {onBadPump(QStringLiteral("\"流量\" = 9e999, \"扬程\" = -9e999, \"重量\" = 'heavy', \"叶轮外径\" = X'01'"))});
    usable("data sheet all NULL",
           {onBadPump(QStringLiteral("\"水泵类型\" = NULL, \"转速\" = NULL, \"流量\" = NULL, \"扬程\" = NULL, "
                                     "\"轴功率\" = NULL, \"电动机功率\" = NULL, \"必需汽蚀余量\" = NULL, "
                                     "\"叶轮外径\" = NULL, \"重量\" = NULL, \"设备安装尺寸\" = NULL"))});
    usable("bad result rows stored earlier",
           {QStringLiteral("INSERT INTO \"水泵选型结果\" VALUES (NULL, 'x', 9e999, 'abc', -9e999, NULL, X'00', NULL, "
                           "9e999, NULL, 'no time')"),
            QStringLiteral("INSERT INTO \"水泵选型结果1\" VALUES (12, NULL, -9e999, 9e999, 'abc', X'0102', 9e999, "
                           "NULL, NULL, -9e999, X'00')")});
    // Nothing to select from.
    usable("empty catalogue", {QStringLiteral("DELETE FROM \"流扬功\""), QStringLiteral("DELETE FROM \"水泵性能表\"")})
        ->goodPumpsFound = false;
    usable("no points at all", {QStringLiteral("DELETE FROM \"流扬功\"")})->goodPumpsFound = false;

    // Tables, views and fields that are not there: the catalogue does not open.
    refused("missing view", {QStringLiteral("DROP VIEW \"水泵查询\"")}, O::Refused, {QStringLiteral("水泵查询")});
    refused("missing points table", {QStringLiteral("DROP TABLE \"流扬功\"")}, O::Refused, {QStringLiteral("流扬功")});
    refused("missing pump table under the view", {QStringLiteral("DROP TABLE \"水泵性能表\"")}, O::Refused,
            {QStringLiteral("水泵性能表")});
    refused("missing point field", {QStringLiteral("ALTER TABLE \"流扬功\" DROP COLUMN \"轴功率\"")}, O::Refused,
            {QStringLiteral("流扬功"), QStringLiteral("轴功率")});
    const QStringList withoutSpeed = viewWithout(QStringLiteral("转速"));
    refused("missing pump field",
            {withoutSpeed[0], QStringLiteral("ALTER TABLE \"水泵性能表\" DROP COLUMN \"转速\""), withoutSpeed[1]},
            O::Refused, {QStringLiteral("水泵性能表"), QStringLiteral("转速")});
    refused("missing view field", viewWithout(QStringLiteral("水泵型号")), O::Refused,
            {QStringLiteral("水泵查询"), QStringLiteral("水泵型号")});
    refused("missing schematic table", {QStringLiteral("DROP TABLE \"设备安装示意图\"")}, O::Refused,
            {QStringLiteral("设备安装示意图")});
    refused("missing all-results table", {QStringLiteral("DROP TABLE \"水泵选型结果\"")}, O::Refused,
            {QStringLiteral("水泵选型结果")});
    refused("missing result field", {QStringLiteral("ALTER TABLE \"水泵选型结果1\" DROP COLUMN \"实际效率\"")},
            O::Refused, {QStringLiteral("水泵选型结果1"), QStringLiteral("实际效率")});

    // Result tables that refuse to change: the run ends with a message naming
    // the table and leaves no part of its rows behind.
    refused("result rows cannot be written",
            {QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON \"水泵选型结果1\" "
                            "BEGIN SELECT RAISE(ABORT, 'disk full'); END")},
            O::WriteFails, {QStringLiteral("水泵选型结果1")});
    refused("latest results cannot be emptied",
            {QStringLiteral("INSERT INTO \"水泵选型结果1\" VALUES ('2024-01-01 00:00:00', '设计', 19, 48, 0, 'P1', "
                            "76, 19.5, 49.1, 74, NULL)"),
             QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON \"水泵选型结果1\" "
                            "BEGIN SELECT RAISE(ABORT, 'locked by another program'); END")},
            O::WriteFails, {QStringLiteral("水泵选型结果1")});
    return cases;
}

std::unique_ptr<TestProgramFolder> badDataFolder(const BadDataCase& badCase, QString* error)
{
    auto folder = std::make_unique<TestProgramFolder>(
        QList<TestPump>{demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
                        demoPump(3, QStringLiteral("P3"), 51, 20.5), demoPump(9, QStringLiteral("BAD"), 49, 19.8)},
        badCase.interleaved);
    if (!folder->isValid()) {
        *error = folder->error();
        return nullptr;
    }
    // Every pump has its schematic and the help pages their record.
    const QStringList setup = {
        QStringLiteral("INSERT INTO \"设备安装示意图\" (\"水泵类型\", \"设备安装示意图\") VALUES "
                       "('IS型单级单吸离心泵', X'00')"),
        QStringLiteral("INSERT INTO \"公司资料\" VALUES ('公司', NULL, '产品', NULL)")};
    for (const QString& statement : setup + badCase.statements) {
        if (!folder->exec(statement)) {
            *error = QStringLiteral("statement failed: ") + statement;
            return nullptr;
        }
    }
    return folder;
}

QStringList nonFiniteTexts(const QString& text)
{
    // A number's text ends where letters may follow ("转速Infinityr/min").
    static const QRegularExpression pattern(QStringLiteral("(?<![A-Za-z])[-+]?(nan|inf)"),
                                            QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found.append(it.next().captured(0));
    return found;
}

} // namespace tarnwick::testing
