// The tool as scripts use it: help and version, the JSON status and pump
// figures, errors as JSON, where the database lives, and the catalogue update.
#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using tarnwick::testing::demoPump;
using tarnwick::testing::TestProgramFolder;

namespace {

using Run = tarnwick::testing::ToolRun;

const QString kCli = QStringLiteral(TARNWICK_CLI_PATH);

Run cli(const QStringList& arguments, const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    return tarnwick::testing::runTool(kCli, arguments, 60000, environment);
}

QStringList duty(const QString& flow, const QString& resistance)
{
    return {QStringLiteral("--flow"), flow, QStringLiteral("--resistance"), resistance, QStringLiteral("--static-head"),
            QStringLiteral("0")};
}

double roundedToTenth(double x)
{
    return std::floor(10.0 * x + 0.5) / 10.0;
}

} // namespace

class TestCliScripts : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void helpPrintsOneCommandsUsage_data();
    void helpPrintsOneCommandsUsage();
    void pumpsCarryUnroundedAndStoredFigures();
    void checkReportsItsPump();
    void errorsAsJson_data();
    void errorsAsJson();
    void installedLayoutCopiesTheShippedDatabase();
    void versionSaysWhatChoseTheDatabase_data();
    void versionSaysWhatChoseTheDatabase();
    void modelsListsTheCatalogue_data();
    void modelsListsTheCatalogue();
    void updateCatalogueKeepsResults();
    void updateCatalogueFromAnIncompleteFileChangesNothing();
    void progressOnlyOnATerminal();
    void windowProgramAnswersWithoutADisplay_data();
    void windowProgramAnswersWithoutADisplay();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    QStringList db() const { return {QStringLiteral("--db"), m_folder->databasePath()}; }
};

void TestCliScripts::init()
{
    m_folder = std::make_unique<TestProgramFolder>(QList<tarnwick::testing::TestPump>{
        demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
        demoPump(3, QStringLiteral("P3"), 51, 20.5)});
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->error()));
}

void TestCliScripts::helpPrintsOneCommandsUsage_data()
{
    // The arguments, a syntax line the output must hold, and one it must not.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("absent");
    QTest::newRow("help") << QStringList{QStringLiteral("help")} << QStringLiteral("tarnwick-cli check ")
                          << QStringLiteral("未知");
    QTest::newRow("help design") << QStringList{QStringLiteral("help"), QStringLiteral("design")}
                                 << QStringLiteral("tarnwick-cli design --flow")
                                 << QStringLiteral("tarnwick-cli check");
    QTest::newRow("check --help") << QStringList{QStringLiteral("check"), QStringLiteral("--help")}
                                  << QStringLiteral("--static-head-unit") << QStringLiteral("tarnwick-cli design");
    QTest::newRow("report --help") << QStringList{QStringLiteral("report"), QStringLiteral("--help")}
                                   << QStringLiteral("--xlsx") << QStringLiteral("--flow-unit");
    QTest::newRow("help --help") << QStringList{QStringLiteral("help"), QStringLiteral("--help")}
                                 << QStringLiteral("tarnwick-cli help [") << QStringLiteral("tarnwick-cli design");
    QTest::newRow("import-mdb --help") << QStringList{QStringLiteral("import-mdb"), QStringLiteral("--help")}
                                       << QStringLiteral("--codepage") << QStringLiteral("--replace");
    QTest::newRow("update-catalogue --help")
        << QStringList{QStringLiteral("update-catalogue"), QStringLiteral("--help")} << QStringLiteral("--from")
        << QStringLiteral("tarnwick-cli results");
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << QStringLiteral("tarnwick-cli 0.")
                               << QStringLiteral("用法");
}

void TestCliScripts::helpPrintsOneCommandsUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, present);
    QFETCH(QString, absent);
    const Run run = cli(arguments);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(present), qPrintable(run.out));
    QVERIFY2(!run.out.contains(absent), qPrintable(run.out));
    QVERIFY(run.err.isEmpty());
}

void TestCliScripts::pumpsCarryUnroundedAndStoredFigures()
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const Run run = cli(QStringList{QStringLiteral("design"), QStringLiteral("--json")} +
                        duty(QStringLiteral("48"), QStringLiteral("19")) + db());
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = run.json();
    QCOMPARE(json.value(QStringLiteral("status")).toString(), QStringLiteral("ok"));
    const QJsonArray pumps = json.value(QStringLiteral("pumps")).toArray();
    const QJsonArray rows = json.value(QStringLiteral("rows")).toArray();
    QVERIFY(!pumps.isEmpty());
    QCOMPARE(pumps.size(), rows.size());
    QCOMPARE(pumps.size(), json.value(QStringLiteral("entries")).toArray().size());
    for (qsizetype i = 0; i < pumps.size(); ++i) {
        const QJsonObject pump = pumps[i].toObject();
        const QJsonObject row = rows[i].toObject();
        QCOMPARE(pump.value(QStringLiteral("model")).toString(), row.value(QStringLiteral("所选型号")).toString());
        QVERIFY(pump.value(QStringLiteral("speed")).isDouble());
        QVERIFY(pump.value(QStringLiteral("operatingPower")).toDouble() > 0.0);
        // The stored figures are the rounded unrounded ones, and they are what the row holds.
        const double head = pump.value(QStringLiteral("operatingHead")).toDouble();
        const double flow = pump.value(QStringLiteral("operatingFlow")).toDouble();
        // Efficiencies are fractions under the English keys, percent as stored.
        const double efficiency = 100.0 * pump.value(QStringLiteral("operatingEfficiency")).toDouble();
        const double best = 100.0 * pump.value(QStringLiteral("bestEfficiency")).toDouble();
        const QJsonObject stored = pump.value(QStringLiteral("stored")).toObject();
        QCOMPARE(stored.value(QStringLiteral("实际扬程")).toDouble(), roundedToTenth(head));
        QCOMPARE(stored.value(QStringLiteral("实际流量")).toDouble(), roundedToTenth(flow));
        QCOMPARE(stored.value(QStringLiteral("实际效率")).toDouble(), std::floor(efficiency));
        QCOMPARE(stored.value(QStringLiteral("水泵最高效率")).toDouble(), std::floor(best) + 1.0);
        for (const QString& field : stored.keys())
            QCOMPARE(stored.value(field).toDouble(), row.value(field).toDouble());
        QVERIFY(std::abs(head - roundedToTenth(head)) <= 0.05 + 1e-12);
        // The ISO time is the stored time text's moment.
        const QDateTime time = QDateTime::fromString(row.value(QStringLiteral("time")).toString(), Qt::ISODate);
        QVERIFY2(time.isValid() && time >= before && time <= after,
                 qPrintable(row.value(QStringLiteral("time")).toString()));
    }
}

void TestCliScripts::checkReportsItsPump()
{
    const Run run = cli(QStringList{QStringLiteral("check"), QStringLiteral("--model"), QStringLiteral("P2"),
                                    QStringLiteral("--json")} +
                        duty(QStringLiteral("200"), QStringLiteral("30")) + db());
    QCOMPARE(run.exitCode, 0);
    const QJsonArray pumps = run.json().value(QStringLiteral("pumps")).toArray();
    QCOMPARE(pumps.size(), 1);
    const QJsonObject pump = pumps.first().toObject();
    QCOMPARE(pump.value(QStringLiteral("model")).toString(), QStringLiteral("P2"));
    QCOMPARE(pump.value(QStringLiteral("speed")).toDouble(), 1450.0);
    const QJsonObject row = run.json().value(QStringLiteral("rows")).toArray().first().toObject();
    QCOMPARE(row.value(QStringLiteral("实际扬程")).toDouble(),
             roundedToTenth(pump.value(QStringLiteral("operatingHead")).toDouble()));

    const Run rejected = cli(QStringList{QStringLiteral("check"), QStringLiteral("--model"), QStringLiteral("P9"),
                                         QStringLiteral("--json")} +
                             duty(QStringLiteral("200"), QStringLiteral("30")) + db());
    QCOMPARE(rejected.exitCode, 1);
    QCOMPARE(rejected.json().value(QStringLiteral("status")).toString(), QStringLiteral("rejected"));
}

void TestCliScripts::errorsAsJson_data()
{
    // The arguments (--json and --db added), a part of the message.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("data command with an unknown option")
        << QStringList{QStringLiteral("copy-db"), QStringLiteral("a.mdb"), QStringLiteral("b.mdb"), QStringLiteral("--all")}
        << QStringLiteral("没有选项 --all");
    QTest::newRow("repeated option") << QStringList{QStringLiteral("design"), QStringLiteral("--flow"),
                                                    QStringLiteral("10")} +
                                            duty(QStringLiteral("48"), QStringLiteral("19"))
                                     << QStringLiteral("--flow 重复");
    QTest::newRow("missing flow") << QStringList{QStringLiteral("design"), QStringLiteral("--resistance"),
                                                 QStringLiteral("19"), QStringLiteral("--static-head"),
                                                 QStringLiteral("0")}
                                  << QStringLiteral("缺少选项 --flow");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("optimise")}
                                     << QStringLiteral("未知的命令：optimise");
    QTest::newRow("missing database") << QStringList{QStringLiteral("results"), QStringLiteral("--db"),
                                                     QStringLiteral("/nonexistent/x.mdb")}
                                      << QStringLiteral("/nonexistent/x.mdb");
}

void TestCliScripts::errorsAsJson()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const QStringList extra = arguments.contains(QStringLiteral("--db")) ? QStringList{} : db();
    const Run run = cli(arguments + extra + QStringList{QStringLiteral("--json")});
    QCOMPARE(run.exitCode, 2);
    const QJsonObject json = run.json();
    QCOMPARE(json.value(QStringLiteral("status")).toString(), QStringLiteral("error"));
    QVERIFY2(json.value(QStringLiteral("message")).toString().contains(expected), qPrintable(run.out));
    QVERIFY(!json.value(QStringLiteral("message")).toString().contains(QStringLiteral("用法")));
    QVERIFY2(run.err.contains(expected), qPrintable(run.err));
    // Without --json standard output stays empty.
    const Run text = cli(arguments + extra);
    QCOMPARE(text.exitCode, 2);
    QVERIFY(text.out.isEmpty());
    // A fault in a known command's arguments shows that command's usage only.
    if (arguments.first() == QStringLiteral("design")) {
        QVERIFY(text.err.contains(QStringLiteral("tarnwick-cli help design")));
        QVERIFY(!text.err.contains(QStringLiteral("tarnwick-cli check")));
    }
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果")), 0);
}

void TestCliScripts::installedLayoutCopiesTheShippedDatabase()
{
    if (TestProgramFolder::onServer())
        QSKIP("the installed layout is a file");
    // An installed tree: the tool in usr/bin, the database in usr/share/tarnwick.
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    const QString share = root.filePath(QStringLiteral("usr/share/tarnwick"));
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(share));
    const QString tool = bin + QStringLiteral("/tarnwick-cli");
    const QString shipped = share + QStringLiteral("/水泵数据库97.mdb");
    QVERIFY(QFile::copy(kCli, tool));
    QVERIFY(QFile::copy(m_folder->databasePath(), shipped));
    QVERIFY(QFile::setPermissions(shipped, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray shippedBytes = [&] {
        QFile f(shipped);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("TARNWICK_DB"));
    const QString perUser = root.filePath(QStringLiteral("home/.local/share/tarnwick/水泵数据库97.mdb"));

    const Run version = tarnwick::testing::runTool(tool, {QStringLiteral("--version")}, 60000, env);
    QCOMPARE(version.exitCode, 0);
    QVERIFY2(version.out.contains(perUser), qPrintable(version.out));
    QVERIFY(!QFileInfo::exists(perUser)); // naming it makes no copy

    const Run run = tarnwick::testing::runTool(tool,
                                               QStringList{QStringLiteral("design"), QStringLiteral("--json")} +
                                                   duty(QStringLiteral("48"), QStringLiteral("19")),
                                               60000, env);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(!run.json().value(QStringLiteral("rows")).toArray().isEmpty());
    QVERIFY(QFileInfo::exists(perUser));
    QFile shippedFile(shipped);
    QVERIFY(shippedFile.open(QIODevice::ReadOnly));
    QCOMPARE(shippedFile.readAll(), shippedBytes);

    // A second run uses the user's copy, results and all.
    const Run results = tarnwick::testing::runTool(
        tool, {QStringLiteral("results"), QStringLiteral("--all"), QStringLiteral("--json")}, 60000, env);
    QCOMPARE(results.json().value(QStringLiteral("rows")).toArray().size(),
             run.json().value(QStringLiteral("rows")).toArray().size());

    // TARNWICK_DB overrides the place; --db overrides TARNWICK_DB.
    env.insert(QStringLiteral("TARNWICK_DB"), m_folder->databasePath());
    const Run given = tarnwick::testing::runTool(
        tool, {QStringLiteral("results"), QStringLiteral("--all"), QStringLiteral("--json")}, 60000, env);
    QCOMPARE(given.exitCode, 0);
    QVERIFY(given.json().value(QStringLiteral("rows")).toArray().isEmpty());
    const Run named = tarnwick::testing::runTool(
        tool,
        {QStringLiteral("results"), QStringLiteral("--all"), QStringLiteral("--json"), QStringLiteral("--db"), perUser},
        60000, env);
    QCOMPARE(named.json().value(QStringLiteral("rows")).toArray().size(),
             run.json().value(QStringLiteral("rows")).toArray().size());
}

void TestCliScripts::versionSaysWhatChoseTheDatabase_data()
{
    // --db, TARNWICK_DB and the settings' choice, each present or not, and
    // the database and its reason the tool then names.
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("option before all") << QStringLiteral("/o/a.mdb") << QStringLiteral("/e/b.mdb")
                                       << QStringLiteral("/s/c.mdb") << QStringLiteral("/o/a.mdb")
                                       << QStringLiteral("由 --db 指定");
    QTest::newRow("environment before settings")
        << QString() << QStringLiteral("/e/b.mdb") << QStringLiteral("/s/c.mdb") << QStringLiteral("/e/b.mdb")
        << QStringLiteral("由环境变量 TARNWICK_DB 指定");
    QTest::newRow("settings of the windows' dialog") << QString() << QString() << QStringLiteral("/s/c.mdb")
                                                     << QStringLiteral("/s/c.mdb") << QStringLiteral("由设置文件");
    QTest::newRow("default") << QString() << QString() << QString() << QString() << QStringLiteral("默认：程序目录");
}

void TestCliScripts::versionSaysWhatChoseTheDatabase()
{
    QFETCH(QString, option);
    QFETCH(QString, environment);
    QFETCH(QString, setting);
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.remove(QStringLiteral("TARNWICK_DB"));
    if (!environment.isEmpty())
        env.insert(QStringLiteral("TARNWICK_DB"), environment);
    if (!setting.isEmpty()) {
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral(".config/tarnwick"))));
        QFile file(home.filePath(QStringLiteral(".config/tarnwick/tarnwick.conf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\ndatabase=" + setting.toUtf8() + "\n");
    }
    QStringList arguments{QStringLiteral("--version")};
    if (!option.isEmpty())
        arguments << QStringLiteral("--db") << option;
    const Run version = cli(arguments, env);
    QCOMPARE(version.exitCode, 0);
    QVERIFY2(version.out.contains(reason), qPrintable(version.out));
    if (!path.isEmpty())
        QVERIFY2(version.out.contains(QStringLiteral("数据库：") + path), qPrintable(version.out));
}

void TestCliScripts::modelsListsTheCatalogue_data()
{
    // The filters, the models listed in stored order and the exit status.
    QTest::addColumn<QStringList>("filters");
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<int>("exitCode");
    const QString p1 = QStringLiteral("P1"), p2 = QStringLiteral("P2"), p3 = QStringLiteral("P3");
    QTest::newRow("whole catalogue") << QStringList{} << QStringList{p1, p2, p3} << 0;
    QTest::newRow("by speed") << QStringList{QStringLiteral("--speed"), QStringLiteral("1450")} << QStringList{p2} << 0;
    QTest::newRow("by part of the model, any case")
        << QStringList{QStringLiteral("--text"), QStringLiteral("p3")} << QStringList{p3} << 0;
    QTest::newRow("type and speed together")
        << QStringList{QStringLiteral("--type"), QStringLiteral("IS型单级单吸离心泵"), QStringLiteral("--speed"),
                       QStringLiteral("2900")}
        << QStringList{p1, p3} << 0;
    QTest::newRow("nothing found") << QStringList{QStringLiteral("--type"), QStringLiteral("管道泵")} << QStringList{}
                                   << 1;
}

void TestCliScripts::modelsListsTheCatalogue()
{
    QFETCH(QStringList, filters);
    QFETCH(QStringList, models);
    QFETCH(int, exitCode);
    const Run json = cli(QStringList{QStringLiteral("models"), QStringLiteral("--json")} + filters + db());
    QCOMPARE(json.exitCode, exitCode);
    const QJsonObject object = json.json();
    QCOMPARE(object.value(QStringLiteral("status")).toString(),
             models.isEmpty() ? QStringLiteral("none-found") : QStringLiteral("ok"));
    QStringList listed;
    for (const QJsonValue& model : object.value(QStringLiteral("models")).toArray()) {
        listed << model[QStringLiteral("model")].toString();
        // demoPump's five points reach 1.35 times the best flow.
        QCOMPARE(model[QStringLiteral("points")].toInt(), 5);
        const double bestFlow = model[QStringLiteral("speed")].toDouble() == 1450 ? 200
                                : listed.last() == QStringLiteral("P1")           ? 50
                                                                                  : 51;
        QCOMPARE(model[QStringLiteral("maxFlow")].toDouble(), double(static_cast<float>(1.35 * bestFlow)));
    }
    QCOMPARE(listed, models);
    QCOMPARE(object.value(QStringLiteral("count")).toInt(), models.size());
    // The text lists the same models; the model found checks as a script would use it.
    const Run text = cli(QStringList{QStringLiteral("models")} + filters + db());
    QCOMPARE(text.exitCode, exitCode);
    for (const QString& model : models)
        QVERIFY2(text.out.contains(QLatin1Char('\n') + model + QLatin1Char('\t')), qPrintable(text.out));
    if (!models.isEmpty()) {
        const Run check =
            cli(QStringList{QStringLiteral("check"), QStringLiteral("--model"), models.first()} +
                (models.first() == QStringLiteral("P2") ? duty(QStringLiteral("200"), QStringLiteral("30"))
                                                        : duty(QStringLiteral("48"), QStringLiteral("19"))) +
                db());
        QCOMPARE(check.exitCode, 0);
    } else {
        QVERIFY(!text.err.isEmpty());
    }
}

void TestCliScripts::updateCatalogueKeepsResults()
{
    if (TestProgramFolder::onServer())
        QSKIP("update-catalogue attaches a database file");
    QCOMPARE(
        cli(QStringList{QStringLiteral("design")} + duty(QStringLiteral("48"), QStringLiteral("19")) + db()).exitCode,
        0);
    const int all = m_folder->rowCount(QStringLiteral("水泵选型结果"));
    const int latest = m_folder->rowCount(QStringLiteral("水泵选型结果1"));
    QVERIFY(all > 0);
    TestProgramFolder newer({demoPump(1, QStringLiteral("N1"), 50, 20), demoPump(2, QStringLiteral("N2"), 60, 22),
                             demoPump(3, QStringLiteral("N3"), 70, 24), demoPump(4, QStringLiteral("N4"), 80, 26)});
    QVERIFY(newer.isValid());
    const Run run =
        cli(QStringList{QStringLiteral("update-catalogue"), QStringLiteral("--from"), newer.databasePath()} + db());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵性能表")), 4);
    QCOMPARE(m_folder->rowCount(QStringLiteral("流扬功")), newer.rowCount(QStringLiteral("流扬功")));
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果")), all);
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果1")), latest);
    // The next design selects from the new catalogue.
    const Run design = cli(QStringList{QStringLiteral("design"), QStringLiteral("--json")} +
                           duty(QStringLiteral("48"), QStringLiteral("19")) + db());
    QVERIFY(design.json()
                .value(QStringLiteral("pumps"))
                .toArray()
                .first()
                .toObject()
                .value(QStringLiteral("model"))
                .toString()
                .startsWith(QLatin1Char('N')));
}

void TestCliScripts::updateCatalogueFromAnIncompleteFileChangesNothing()
{
    if (TestProgramFolder::onServer())
        QSKIP("update-catalogue attaches a database file");
    const int points = m_folder->rowCount(QStringLiteral("流扬功"));
    TestProgramFolder newer({demoPump(1, QStringLiteral("N1"), 50, 20)});
    QVERIFY(newer.isValid());
    // The schematics go missing after the pumps and points would have been copied.
    QVERIFY(newer.exec(QStringLiteral("ALTER TABLE \"设备安装示意图\" RENAME TO \"其他\"")));
    const Run run =
        cli(QStringList{QStringLiteral("update-catalogue"), QStringLiteral("--from"), newer.databasePath()} + db());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("设备安装示意图")), qPrintable(run.err));
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵性能表")), 3);

    // A field of ours the new file lacks stops the update inside the transaction.
    TestProgramFolder lacking({demoPump(1, QStringLiteral("N1"), 50, 20)});
    QVERIFY(lacking.exec(QStringLiteral("ALTER TABLE \"公司资料\" RENAME TO \"旧\"")));
    QVERIFY(lacking.exec(QStringLiteral("CREATE TABLE \"公司资料\" (\"其他\" TEXT)")));
    const Run partial =
        cli(QStringList{QStringLiteral("update-catalogue"), QStringLiteral("--from"), lacking.databasePath()} + db());
    QCOMPARE(partial.exitCode, 2);
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵性能表")), 3);
    QCOMPARE(m_folder->rowCount(QStringLiteral("流扬功")), points);
}

void TestCliScripts::progressOnlyOnATerminal()
{
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        QSKIP("script (util-linux) is needed for a terminal");
    const QStringList arguments =
        QStringList{kCli, QStringLiteral("design")} + duty(QStringLiteral("48"), QStringLiteral("19")) + db();
    QStringList quoted;
    for (const QString& a : arguments)
        quoted.append(QLatin1Char('\'') + a + QLatin1Char('\''));
    // script runs the tool on a pseudo-terminal and copies what it shows.
    const Run terminal = tarnwick::testing::runTool(
        script, {QStringLiteral("-qec"), quoted.join(QLatin1Char(' ')), QStringLiteral("/dev/null")}, 60000);
    QCOMPARE(terminal.exitCode, 0);
    QVERIFY2(terminal.out.contains(QStringLiteral("\r\x1b[K正在选型：已检查 0/3 台水泵")), qPrintable(terminal.out));
    // The line is erased before the list is printed.
    QVERIFY(terminal.out.contains(QStringLiteral("\r\x1b[K满足用户要求的水泵")));

    // A terminal that cannot erase a line gets plain lines.
    QProcessEnvironment dumb = QProcessEnvironment::systemEnvironment();
    dumb.insert(QStringLiteral("TERM"), QStringLiteral("dumb"));
    const Run plain = tarnwick::testing::runTool(
        script, {QStringLiteral("-qec"), quoted.join(QLatin1Char(' ')), QStringLiteral("/dev/null")}, 60000, dumb);
    QCOMPARE(plain.exitCode, 0);
    QVERIFY2(plain.out.contains(QStringLiteral("正在选型：已检查 0/3 台水泵")), qPrintable(plain.out));
    QVERIFY2(!plain.out.contains(QLatin1Char('\x1b')), qPrintable(plain.out));

    const Run piped = cli(arguments.mid(1));
    QCOMPARE(piped.exitCode, 0);
    QVERIFY(piped.err.isEmpty());
    QVERIFY(!piped.out.contains(QStringLiteral("正在选型")));
}

void TestCliScripts::windowProgramAnswersWithoutADisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("expected");
    QTest::newRow("--help") << QStringLiteral("--help") << QStringLiteral("用法：tarnwick [--db");
    QTest::newRow("--version") << QStringLiteral("--version") << QStringLiteral("tarnwick 0.");
}

void TestCliScripts::windowProgramAnswersWithoutADisplay()
{
    QFETCH(QString, option);
    QFETCH(QString, expected);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                                QStringLiteral("QT_QPA_PLATFORM")})
        env.remove(name);
    const Run run = tarnwick::testing::runTool(QStringLiteral(TARNWICK_APP_PATH), {option}, 60000, env);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith(expected), qPrintable(run.out + run.err));
}

QTEST_GUILESS_MAIN(TestCliScripts)
#include "tst_cliscripts.moc"
