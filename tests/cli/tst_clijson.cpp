// The tool's JSON as scripts rely on it: every command's every outcome is one
// object with a status that agrees with the exit status, and it fits the
// command's schema kept beside the tool.
#include "store/names.h"
#include "tests/support/jsonschema.h"
#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using tarnwick::testing::demoPump;
using tarnwick::testing::schemaFaults;
using tarnwick::testing::TestProgramFolder;

namespace {

using Run = tarnwick::testing::ToolRun;

const QString kCli = QStringLiteral(TARNWICK_CLI_PATH);

QJsonObject loadSchema(const QString& command)
{
    QFile file(QStringLiteral(TARNWICK_SCHEMA_DIR "/%1.schema.json").arg(command));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QStringList duty(const QString& flow, const QString& resistance)
{
    return {QStringLiteral("--flow"), flow, QStringLiteral("--resistance"), resistance, QStringLiteral("--static-head"),
            QStringLiteral("0")};
}

QStringList args(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

class TestCliJson : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void schemaCheckerFindsFaults_data();
    void schemaCheckerFindsFaults();
    void everyOutcomeIsOneObjectFittingItsSchema_data();
    void everyOutcomeIsOneObjectFittingItsSchema();
    void storedRowsCarryEnglishKeys_data();
    void storedRowsCarryEnglishKeys();
    void storedTimeOfRowsWithoutTheMoment_data();
    void storedTimeOfRowsWithoutTheMoment();
    void messagesGoToStandardError_data();
    void messagesGoToStandardError();
    void dashNamesStandardOutput_data();
    void dashNamesStandardOutput();
    void variableSpeedResultsAsTheReportShowsThem_data();
    void variableSpeedResultsAsTheReportShowsThem();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<TestProgramFolder> m_source; // a second catalogue to update from
    QTemporaryDir m_dir;

    // Fills the placeholders of a row: DB (the database), DIR/ (a scratch
    // folder), SOURCE (the second catalogue's file), MDB (an Access sample).
    QStringList expanded(const QStringList& arguments) const;
};

void TestCliJson::init()
{
    m_folder = std::make_unique<TestProgramFolder>(QList<tarnwick::testing::TestPump>{
        demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
        demoPump(3, QStringLiteral("P3"), 51, 20.5)});
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->error()));
    m_source = std::make_unique<TestProgramFolder>(
        QList<tarnwick::testing::TestPump>{demoPump(1, QStringLiteral("Q1"), 60, 25)});
    QVERIFY2(m_source->isValid(), qPrintable(m_source->error()));
    QVERIFY(m_dir.isValid());
}

QStringList TestCliJson::expanded(const QStringList& arguments) const
{
    QStringList out;
    for (QString a : arguments) {
        a.replace(QStringLiteral("DIR/"), m_dir.path() + QLatin1Char('/'));
        if (a == QStringLiteral("DB"))
            a = m_folder->databasePath();
        else if (a == QStringLiteral("SOURCE"))
            a = m_source->databaseFile();
        else if (a == QStringLiteral("MDB"))
            a = QStringLiteral(TARNWICK_MDB_SAMPLES "/testV1997.mdb");
        out.append(a);
    }
    return out;
}

void TestCliJson::schemaCheckerFindsFaults_data()
{
    // A value, a schema and the number of faults the checker must find.
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("schema");
    QTest::addColumn<int>("faults");
    const QByteArray pump = R"({"type":"object","required":["model"],"properties":{
        "model":{"type":"string"},"speed":{"type":["number","null"]},"points":{"type":"integer"}}})";
    QTest::newRow("fits") << QByteArray(R"({"model":"P1","speed":null,"points":3})") << pump << 0;
    QTest::newRow("missing required") << QByteArray(R"({"speed":2900})") << pump << 1;
    QTest::newRow("number as text") << QByteArray(R"({"model":"P1","speed":"2900"})") << pump << 1;
    QTest::newRow("fraction is no integer") << QByteArray(R"({"model":"P1","points":2.5})") << pump << 1;
    QTest::newRow("enum") << QByteArray(R"({"status":"fine"})")
                          << QByteArray(R"({"properties":{"status":{"enum":["ok","error"]}}})") << 1;
    QTest::newRow("each item") << QByteArray(R"({"list":[{"model":"A"},{"model":1},{}]})")
                               << QByteArray(R"({"properties":{"list":{"type":"array","items":)") + pump +
                                      QByteArray("}}}")
                               << 2;
    QTest::newRow("keyword not checked") << QByteArray(R"({"a":1})")
                                         << QByteArray(R"({"properties":{"a":{"minimum":2}}})") << 1;
}

void TestCliJson::schemaCheckerFindsFaults()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, schema);
    QFETCH(int, faults);
    const QStringList found =
        schemaFaults(QJsonDocument::fromJson(value).object(), QJsonDocument::fromJson(schema).object());
    QVERIFY2(found.size() == faults, qPrintable(found.join(QLatin1Char('\n'))));
}

void TestCliJson::everyOutcomeIsOneObjectFittingItsSchema_data()
{
    // The command line (placeholders as in expanded(), --json added), the
    // exit status and the JSON status it must end with.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("status");
    const QString ok = QStringLiteral("ok");
    const QString rejected = QStringLiteral("rejected");
    const QString none = QStringLiteral("none-found");
    const QString error = QStringLiteral("error");
    const QStringList db{QStringLiteral("--db"), QStringLiteral("DB")};
    const QStringList fits = duty(QStringLiteral("50"), QStringLiteral("20"));
    const QStringList tooMuch = duty(QStringLiteral("3000"), QStringLiteral("150"));
    const QStringList pdf{QStringLiteral("--pdf"), QStringLiteral("DIR/sheet.pdf")};

    QTest::newRow("design ok") << args("design --explain") + fits + db << 0 << ok;
    QTest::newRow("design none found") << args("design") + tooMuch + db << 1 << none;
    QTest::newRow("design rejected") << args("design") + duty(QStringLiteral("0"), QStringLiteral("20")) + db << 1
                                     << rejected;
    QTest::newRow("design usage error") << args("design --flow 50") + db << 2 << error;
    QTest::newRow("check ok") << args("check --model P1") + fits + db << 0 << ok;
    QTest::newRow("check rejected") << args("check --model NOPE") + fits + db << 1 << rejected;
    QTest::newRow("check usage error") << args("check") + fits + db << 2 << error;
    QTest::newRow("select ok") << args("select --explain") + duty(QStringLiteral("100"), QStringLiteral("20")) + db
                               << 0 << ok;
    QTest::newRow("select with a liquid and suction ok")
        << args("select --fluid ethylene-glycol --concentration 40 --temperature 4 --suction-pressure 30") +
               duty(QStringLiteral("100"), QStringLiteral("20")) + db
        << 0 << ok;
    QTest::newRow("select none found") << args("select") + tooMuch + db << 1 << none;
    QTest::newRow("select model refused")
        << args("select --model P2") + duty(QStringLiteral("100"), QStringLiteral("20")) + db << 1 << rejected;
    QTest::newRow("select rejected") << args("select --hours 0") + fits + db << 1 << rejected;
    QTest::newRow("select usage error") << args("select --control none") + fits + db << 2 << error;
    QTest::newRow("results ok") << args("results --all") + db << 0 << ok;
    QTest::newRow("variable-speed results ok") << args("results --variable-speed --all") + db << 0 << ok;
    QTest::newRow("results error") << args("results --db DIR/absent/x.mdb") << 2 << error;
    QTest::newRow("report ok") << args("report --all --csv DIR/report.csv") + db << 0 << ok;
    QTest::newRow("variable-speed report ok") << args("report --variable-speed --pdf DIR/speed.pdf") + db << 0 << ok;
    QTest::newRow("report usage error") << args("report") + db << 2 << error;
    QTest::newRow("sheet ok") << args("sheet --model P1") + fits + pdf + db << 0 << ok;
    QTest::newRow("sheet rejected") << args("sheet --model NOPE") + fits + pdf + db << 1 << rejected;
    QTest::newRow("sheet none found") << args("sheet --all") + tooMuch + pdf + db << 1 << none;
    QTest::newRow("sheet usage error") << args("sheet --model P1") + fits + db << 2 << error;
    QTest::newRow("variable-speed sheet ok")
        << args("sheet --variable-speed --all") + duty(QStringLiteral("100"), QStringLiteral("20")) + pdf + db << 0
        << ok;
    QTest::newRow("variable-speed sheet none found")
        << args("sheet --variable-speed --all") + tooMuch + pdf + db << 1 << none;
    QTest::newRow("catalogue-check ok") << args("catalogue-check") + db << 0 << ok;
    QTest::newRow("catalogue-check error") << args("catalogue-check --db DIR/absent/x.mdb") << 2 << error;
    QTest::newRow("models ok") << args("models --speed 2900") + db << 0 << ok;
    QTest::newRow("models none found") << args("models --text ZZZ") + db << 1 << none;
    QTest::newRow("models usage error") << args("models --speed fast") + db << 2 << error;
    QTest::newRow("import-catalogue ok") << args("import-catalogue --replace " TARNWICK_CATALOGUE_DIR
                                                 "/pumps.csv " TARNWICK_CATALOGUE_DIR "/points.csv") +
                                                db
                                         << 0 << ok;
    QTest::newRow("import-catalogue error") << args("import-catalogue DIR/none.csv DIR/none2.csv") + db << 2 << error;
    QTest::newRow("export-catalogue ok") << args("export-catalogue DIR/p.csv DIR/q.csv") + db << 0 << ok;
    QTest::newRow("export-catalogue error")
        << args("export-catalogue DIR/absent/p.csv DIR/absent/q.csv") + db << 2 << error;
    QTest::newRow("update-catalogue ok") << args("update-catalogue --from SOURCE") + db << 0 << ok;
    QTest::newRow("update-catalogue error") << args("update-catalogue --from DIR/absent.mdb") + db << 2 << error;
    QTest::newRow("copy-db ok") << args("copy-db DB DIR/copy.mdb") << 0 << ok;
    QTest::newRow("copy-db usage error") << args("copy-db DB") << 2 << error;
    QTest::newRow("import-mdb of another program's file")
        << args("import-mdb MDB --db DIR/converted.mdb") << 2 << error;
    QTest::newRow("import-mdb error") << args("import-mdb DIR/absent.mdb --db DIR/converted.mdb") << 2 << error;
    QTest::newRow("init-db usage error") << args("init-db DIR/file.mdb") << 2 << error;
    // Only a server takes init-db; its rights can be set on a database that has its tables.
    if (TestProgramFolder::onServer())
        QTest::newRow("init-db ok") << args("init-db DB --roles") << 0 << ok;
}

void TestCliJson::everyOutcomeIsOneObjectFittingItsSchema()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, status);
    // The Access samples live outside the repository.
    if (arguments.contains(QStringLiteral("MDB")) && !QFile::exists(expanded({QStringLiteral("MDB")}).first()))
        QSKIP("no Access sample file");
    const Run run = tarnwick::testing::runTool(kCli, expanded(arguments) + QStringList{QStringLiteral("--json")});
    QVERIFY2(run.exitCode == exitCode,
             qPrintable(QStringLiteral("exit %1\n%2\n%3").arg(run.exitCode).arg(run.out, run.err)));
    // The whole output is the one object.
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(run.outBytes, &parse);
    QVERIFY2(parse.error == QJsonParseError::NoError && document.isObject(), qPrintable(run.out));
    const QJsonObject object = document.object();
    QCOMPARE(object.value(QStringLiteral("status")).toString(), status);
    // Whatever did not end well says why.
    QCOMPARE(object.value(QStringLiteral("message")).isString(), status != QStringLiteral("ok"));
    const QJsonObject schema = loadSchema(arguments.first());
    QVERIFY2(!schema.isEmpty(), qPrintable(arguments.first()));
    const QStringList faults = schemaFaults(object, schema);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n')) + QLatin1Char('\n') + run.out));
}

namespace {

QProcessEnvironment inLocale(const QString& locale)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.insert(QStringLiteral("LANG"), locale);
    return environment;
}

// ISO 8601 with the offset written out; the run's exact moment to the
// millisecond.
const QRegularExpression kExactTime(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}(Z|[+-]\d\d:\d\d)$)"));

} // namespace

void TestCliJson::storedRowsCarryEnglishKeys_data()
{
    // The rows are written in one locale and read back in another: the time
    // is the same moment whatever either was.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("reader");
    const QStringList fits = duty(QStringLiteral("50"), QStringLiteral("20"));
    const QStringList check = QStringList{QStringLiteral("check"), QStringLiteral("--model"), QStringLiteral("P1")} + fits;
    QTest::newRow("design, C read in English") << QStringList{QStringLiteral("design")} + fits << QStringLiteral("C")
                                               << QStringLiteral("en_US.UTF-8");
    QTest::newRow("design, German read in English")
        << QStringList{QStringLiteral("design")} + fits << QStringLiteral("de_DE.UTF-8") << QStringLiteral("en_US.UTF-8");
    QTest::newRow("check, Chinese read in Japanese") << check << QStringLiteral("zh_CN.UTF-8")
                                                     << QStringLiteral("ja_JP.UTF-8");
    QTest::newRow("check, Finnish read in Chinese") << check << QStringLiteral("fi_FI.UTF-8")
                                                    << QStringLiteral("zh_CN.UTF-8");
    QTest::newRow("variable speed, German read in English")
        << QStringList{QStringLiteral("select")} + duty(QStringLiteral("100"), QStringLiteral("20"))
        << QStringLiteral("de_DE.UTF-8") << QStringLiteral("en_US.UTF-8");
}

void TestCliJson::storedRowsCarryEnglishKeys()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, writer);
    QFETCH(QString, reader);
    namespace names = tarnwick::store::names;
    const QStringList db{QStringLiteral("--db"), m_folder->databasePath()};
    const bool speed = arguments.first() == QStringLiteral("select");
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const Run calculation = tarnwick::testing::runTool(kCli, arguments + db + QStringList{QStringLiteral("--json")},
                                                       60000, inLocale(writer));
    QCOMPARE(calculation.exitCode, 0);
    const QDateTime after = QDateTime::currentDateTimeUtc();
    const Run results = tarnwick::testing::runTool(
        kCli,
        QStringList{QStringLiteral("results"), QStringLiteral("--json")} +
            (speed ? QStringList{QStringLiteral("--variable-speed")} : QStringList{}) + db,
        60000, inLocale(reader));
    QCOMPARE(results.exitCode, 0);
    QList<const Run*> runs{&results};
    if (!speed)
        runs.append(&calculation);
    QString moment;
    for (const Run* run : runs) {
        const QJsonArray rows = run->json().value(QStringLiteral("rows")).toArray();
        QVERIFY2(!rows.isEmpty(), qPrintable(run->out));
        for (const QJsonValue& value : rows) {
            const QJsonObject row = value.toObject();
            if (!speed) {
                const std::pair<const char*, QString> same[] = {{"method", names::method()},
                                                                {"totalHead", names::totalHead()},
                                                                {"flow", names::designFlow()},
                                                                {"staticHead", names::staticHead()},
                                                                {"model", names::selectedModel()},
                                                                {"operatingHead", names::operatingHead()},
                                                                {"operatingFlow", names::operatingFlow()}};
                for (const auto& [key, field] : same)
                    QCOMPARE(row.value(QLatin1String(key)), row.value(field));
                QCOMPARE(row.value(QStringLiteral("bestEfficiency")).toDouble(),
                         row.value(names::bestEfficiency()).toDouble() / 100.0);
                QCOMPARE(row.value(QStringLiteral("operatingEfficiency")).toDouble(),
                         row.value(names::operatingEfficiency()).toDouble() / 100.0);
            }
            // The moment of the run, the same in every row of it and in
            // either locale; the program's own column is no field of the row.
            QVERIFY(!row.contains(names::calculationInstant()));
            const QString time = row.value(QStringLiteral("time")).toString();
            QVERIFY2(kExactTime.match(time).hasMatch(), qPrintable(time + QLatin1Char(' ') + run->out));
            const QDateTime when = QDateTime::fromString(time, Qt::ISODateWithMs);
            QVERIFY2(when >= before && when <= after, qPrintable(time));
            if (moment.isEmpty())
                moment = time;
            QCOMPARE(time, moment);
        }
    }
}

void TestCliJson::storedTimeOfRowsWithoutTheMoment_data()
{
    // Rows of an earlier version carry only the calculation time's text.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("instant"); // empty: none stored
    QTest::addColumn<QString>("time");    // the JSON's, read with TZ=UTC; empty: null
    QTest::newRow("Chinese text") << QStringLiteral("2026/12/7 09:05:07") << QString()
                                  << QStringLiteral("2026-12-07T09:05:07Z");
    QTest::newRow("ISO text") << QStringLiteral("2026-12-07T09:05:07") << QString()
                              << QStringLiteral("2026-12-07T09:05:07Z");
    QTest::newRow("text of no known locale") << QStringLiteral("07.12.26 09:05:07") << QString() << QString();
    QTest::newRow("the moment wins over the text")
        << QStringLiteral("07.12.26 09:05:07") << QStringLiteral("2026-12-07T08:05:07.250Z")
        << QStringLiteral("2026-12-07T08:05:07.250Z");
}

void TestCliJson::storedTimeOfRowsWithoutTheMoment()
{
    QFETCH(QString, text);
    QFETCH(QString, instant);
    QFETCH(QString, time);
    namespace names = tarnwick::store::names;
    const QString value = instant.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(instant);
    QVERIFY(m_folder->exec(QStringLiteral("INSERT INTO \"%1\" (\"%2\", \"%3\", \"%4\") VALUES ('%5', 'P1', %6)")
                               .arg(names::allResultsTable(), names::calculationTime(), names::selectedModel(),
                                    names::calculationInstant(), text, value)));
    QProcessEnvironment environment = inLocale(QStringLiteral("en_US.UTF-8"));
    environment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    const Run results = tarnwick::testing::runTool(
        kCli, {QStringLiteral("results"), QStringLiteral("--all"), QStringLiteral("--json"), QStringLiteral("--db"),
               m_folder->databasePath()},
        60000, environment);
    QCOMPARE(results.exitCode, 0);
    const QJsonArray rows = results.json().value(QStringLiteral("rows")).toArray();
    QCOMPARE(rows.size(), 1);
    const QJsonValue got = rows.first().toObject().value(QStringLiteral("time"));
    if (time.isEmpty()) {
        QVERIFY2(got.isNull(), qPrintable(got.toString()));
    } else {
        QCOMPARE(QDateTime::fromString(got.toString(), Qt::ISODateWithMs), QDateTime::fromString(time, Qt::ISODateWithMs));
        QCOMPARE(got.toString().contains(QLatin1Char('.')), !instant.isEmpty());
    }
}

void TestCliJson::messagesGoToStandardError_data()
{
    // Plain-text runs that end with one of the program's messages: exit 1,
    // the message on standard error.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QStringList db{QStringLiteral("--db"), QStringLiteral("DB")};
    const QStringList tooMuch = duty(QStringLiteral("3000"), QStringLiteral("150"));
    const QStringList pdf{QStringLiteral("--pdf"), QStringLiteral("DIR/sheet.pdf")};
    QTest::newRow("select finds none") << args("select") + tooMuch + db << QStringLiteral("没有满足要求的水泵。");
    QTest::newRow("variable-speed sheet finds none")
        << args("sheet --variable-speed --all") + tooMuch + pdf + db << QStringLiteral("没有满足要求的水泵。");
    QTest::newRow("select refuses the model")
        << args("select --model P2") + duty(QStringLiteral("100"), QStringLiteral("20")) + db
        << QStringLiteral("P2 未入选");
    QTest::newRow("variable-speed sheet refuses the model")
        << args("sheet --variable-speed --model P2") + duty(QStringLiteral("100"), QStringLiteral("20")) + pdf + db
        << QStringLiteral("P2 未入选");
    QTest::newRow("check of a model not listed")
        << args("check --model NOPE") + duty(QStringLiteral("50"), QStringLiteral("20")) + db
        << QStringLiteral("请从列表中选择水泵型号！");
    QTest::newRow("models finds none") << args("models --text ZZZ") + db << QStringLiteral("没有符合条件的水泵。");
}

void TestCliJson::messagesGoToStandardError()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run run = tarnwick::testing::runTool(kCli, expanded(arguments));
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY2(!run.out.contains(message), qPrintable(run.out));
}

void TestCliJson::dashNamesStandardOutput_data()
{
    // The command with "-" for one output, the same with a file, and that
    // file: standard output must carry the file's bytes. PDF files carry
    // their time of writing, so for them only the frame is compared.
    QTest::addColumn<QStringList>("toOutput");
    QTest::addColumn<QStringList>("toFile");
    QTest::addColumn<QString>("file");
    const QStringList db{QStringLiteral("--db"), QStringLiteral("DB")};
    const QStringList fits = duty(QStringLiteral("50"), QStringLiteral("20"));
    QTest::newRow("report csv") << args("report --all --csv -") + db << args("report --all --csv DIR/r.csv") + db
                                << QStringLiteral("DIR/r.csv");
    QTest::newRow("export-catalogue pumps")
        << args("export-catalogue - DIR/q.csv") + db << args("export-catalogue DIR/p.csv DIR/q.csv") + db
        << QStringLiteral("DIR/p.csv");
    QTest::newRow("export-catalogue points")
        << args("export-catalogue DIR/p.csv -") + db << args("export-catalogue DIR/p.csv DIR/q.csv") + db
        << QStringLiteral("DIR/q.csv");
    QTest::newRow("sheet pdf") << args("sheet --model P1 --pdf -") + fits + db
                               << args("sheet --model P1 --pdf DIR/s.pdf") + fits + db << QStringLiteral("DIR/s.pdf");
}

void TestCliJson::dashNamesStandardOutput()
{
    QFETCH(QStringList, toOutput);
    QFETCH(QStringList, toFile);
    QFETCH(QString, file);
    QCOMPARE(tarnwick::testing::runTool(kCli, QStringList{QStringLiteral("design")} +
                                                  duty(QStringLiteral("50"), QStringLiteral("20")) +
                                                  expanded({QStringLiteral("--db"), QStringLiteral("DB")}))
                 .exitCode,
             0);
    const Run streamed = tarnwick::testing::runTool(kCli, expanded(toOutput));
    QVERIFY2(streamed.exitCode == 0, qPrintable(streamed.err));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("-"))));
    QCOMPARE(tarnwick::testing::runTool(kCli, expanded(toFile)).exitCode, 0);
    QFile written(expanded({file}).first());
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    if (file.endsWith(QStringLiteral(".pdf"))) {
        QVERIFY(streamed.outBytes.startsWith("%PDF-"));
        QVERIFY(streamed.outBytes.trimmed().endsWith("%%EOF"));
        QVERIFY(qAbs(streamed.outBytes.size() - bytes.size()) < 64);
    } else {
        QCOMPARE(streamed.outBytes, bytes);
    }
    // With --json standard output is taken: "-" is then a usage error.
    const Run json = tarnwick::testing::runTool(kCli, expanded(toOutput) + QStringList{QStringLiteral("--json")});
    QCOMPARE(json.exitCode, 2);
    QCOMPARE(json.json().value(QStringLiteral("status")).toString(), QStringLiteral("error"));
}

void TestCliJson::variableSpeedResultsAsTheReportShowsThem_data()
{
    QTest::addColumn<bool>("all");
    QTest::newRow("latest run") << false;
    QTest::newRow("every run") << true;
}

void TestCliJson::variableSpeedResultsAsTheReportShowsThem()
{
    QFETCH(bool, all);
    const QStringList db{QStringLiteral("--db"), m_folder->databasePath()};
    auto select = [&](const QString& flow) {
        return tarnwick::testing::runTool(kCli, QStringList{QStringLiteral("select"), QStringLiteral("--json")} +
                                                    duty(flow, QStringLiteral("20")) + db);
    };
    const Run first = select(QStringLiteral("90"));
    const Run second = select(QStringLiteral("100"));
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(second.exitCode, 0);
    // The models of the stored rows in their stored order: the latest run's
    // ranking, or both runs' one after the other.
    QStringList expected;
    for (const Run* run : all ? QList<const Run*>{&first, &second} : QList<const Run*>{&second}) {
        for (const QJsonValue& pump : run->json().value(QStringLiteral("pumps")).toArray())
            expected.append(pump.toObject().value(QStringLiteral("model")).toString());
    }
    QVERIFY(!expected.isEmpty());
    const QStringList which = all ? QStringList{QStringLiteral("--all")} : QStringList{};
    const Run json = tarnwick::testing::runTool(
        kCli, QStringList{QStringLiteral("results"), QStringLiteral("--variable-speed"), QStringLiteral("--json")} +
                  which + db);
    QCOMPARE(json.exitCode, 0);
    QStringList models;
    for (const QJsonValue& value : json.json().value(QStringLiteral("rows")).toArray()) {
        const QJsonObject row = value.toObject();
        models.append(row.value(QStringLiteral("model")).toString());
        QCOMPARE(row.value(QStringLiteral("model")), row.value(QStringLiteral("所选型号")));
        QCOMPARE(row.value(QStringLiteral("annualEnergy")), row.value(QStringLiteral("年耗电量")));
        const double efficiency = row.value(QStringLiteral("weightedEfficiency")).toDouble();
        QVERIFY2(efficiency > 0.0 && efficiency < 1.0, qPrintable(json.out));
    }
    QCOMPARE(models, expected);
    // The text and the CSV report carry the window report's columns, by name.
    const Run text = tarnwick::testing::runTool(
        kCli, QStringList{QStringLiteral("results"), QStringLiteral("--variable-speed")} + which + db);
    const Run csv =
        tarnwick::testing::runTool(kCli, QStringList{QStringLiteral("report"), QStringLiteral("--variable-speed"),
                                                     QStringLiteral("--csv"), QStringLiteral("-")} +
                                             which + db);
    QCOMPARE(text.exitCode, 0);
    QCOMPARE(csv.exitCode, 0);
    for (const QString& heading :
         {QStringLiteral("控制方式"), QStringLiteral("设计转速比(%)"), QStringLiteral("加权效率(%)")})
        QVERIFY2(text.out.contains(heading), qPrintable(text.out));
    const QStringList lines = QString::fromUtf8(csv.outBytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), expected.size() + 1);
    for (qsizetype i = 0; i < expected.size(); ++i)
        QVERIFY2(lines[i + 1].contains(expected[i]), qPrintable(lines[i + 1]));
}

QTEST_GUILESS_MAIN(TestCliJson)
#include "tst_clijson.moc"
