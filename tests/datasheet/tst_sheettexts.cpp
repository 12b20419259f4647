// Every kind of data sheet, written by the tool (the windows make theirs
// through the same code) on the shipped catalogue, read back with pdftotext
// and compared line by line with its golden text in tests/datasheet/golden.
// TARNWICK_UPDATE_GOLDEN=1 writes the golden texts anew instead (see the
// README there); the rows then skip.

#include "data/dataset.h"
#include "tests/support/toolrun.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using tarnwick::testing::runTool;
using tarnwick::testing::ToolRun;

namespace {

ToolRun cli(const QStringList& arguments)
{
    return runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, 120000);
}

// The sheet's header entries, the same on every sheet so that only the
// calculation differs.
const QStringList kHeader = {
    QStringLiteral("--project"),  QStringLiteral("北区能源站"), QStringLiteral("--project-number"),
    QStringLiteral("P-2026-117"), QStringLiteral("--designer"), QStringLiteral("张工"),
    QStringLiteral("--tag"),      QStringLiteral("CHWP-1"),     QStringLiteral("--date"),
    QStringLiteral("2026-12-07")};

QStringList duty(const char* flow, const char* resistance, const char* staticHead)
{
    return {QStringLiteral("--flow"),        QString::fromLatin1(flow),       QStringLiteral("--resistance"),
            QString::fromLatin1(resistance), QStringLiteral("--static-head"), QString::fromLatin1(staticHead)};
}

} // namespace

class TestSheetTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sheetMatchesItsGoldenText_data();
    void sheetMatchesItsGoldenText();

private:
    QTemporaryDir m_dir;
    QString m_database;
};

void TestSheetTexts::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QVERIFY(m_dir.isValid());
    m_database = m_dir.filePath(QStringLiteral("水泵数据库97.mdb"));
    QString error;
    QVERIFY2(tarnwick::dataset::buildShippedDatabase(m_database, QStringLiteral(TARNWICK_DATA_SOURCE_DIR), &error),
             qPrintable(error));
}

void TestSheetTexts::sheetMatchesItsGoldenText_data()
{
    QTest::addColumn<QString>("golden");
    QTest::addColumn<QStringList>("arguments"); // of `sheet`, besides the header, --db and --pdf
    const QStringList check = duty("30", "18", "2") + QStringList{QStringLiteral("--model"), QStringLiteral("{first}")};
    QTest::newRow("design candidates") << QStringLiteral("design.txt")
                                       << duty("30", "18", "2") + QStringList{QStringLiteral("--all")};
    QTest::newRow("checked pump") << QStringLiteral("check.txt") << check;
    QTest::newRow("checked pump in glycol, with suction and trim")
        << QStringLiteral("check-conditions.txt")
        << check + QStringList{QStringLiteral("--fluid"),
                               QStringLiteral("ethylene-glycol"),
                               QStringLiteral("--concentration"),
                               QStringLiteral("40"),
                               QStringLiteral("--temperature"),
                               QStringLiteral("4"),
                               QStringLiteral("--suction-pressure"),
                               QStringLiteral("0.03"),
                               QStringLiteral("--suction-pressure-unit"),
                               QStringLiteral("MPa"),
                               QStringLiteral("--trim")};
    QTest::newRow("variable-speed set") << QStringLiteral("variable-speed.txt")
                                        << duty("120", "22", "4") +
                                               QStringList{
                                                   QStringLiteral("--variable-speed"),  QStringLiteral("--model"),
                                                   QStringLiteral("{first set}"),       QStringLiteral("--control"),
                                                   QStringLiteral("proportional"),      QStringLiteral("--profile"),
                                                   QStringLiteral("100:10,70:50,40:40")};
}

void TestSheetTexts::sheetMatchesItsGoldenText()
{
    QFETCH(QString, golden);
    QFETCH(QStringList, arguments);
    const QStringList db = {QStringLiteral("--db"), m_database};

    // The model a check sheet is of: the first the design lists at the duty;
    // for a variable-speed sheet the best set the selection ranks.
    const qsizetype model = arguments.indexOf(QStringLiteral("{first}"));
    if (model >= 0) {
        const ToolRun design = cli(QStringList{QStringLiteral("design")} + duty("30", "18", "2") + db +
                                   QStringList{QStringLiteral("--json")});
        QCOMPARE(design.exitCode, 0);
        const QJsonArray rows = design.json().value(QStringLiteral("rows")).toArray();
        QVERIFY(!rows.isEmpty());
        arguments[model] = rows.first().toObject().value(QStringLiteral("所选型号")).toString();
    }
    const qsizetype set = arguments.indexOf(QStringLiteral("{first set}"));
    if (set >= 0) {
        QStringList select = arguments;
        select.removeOne(QStringLiteral("--variable-speed"));
        select.remove(select.indexOf(QStringLiteral("{first set}")) - 1, 2); // --model and its value
        const ToolRun selected =
            cli(QStringList{QStringLiteral("select")} + select + db + QStringList{QStringLiteral("--json")});
        QCOMPARE(selected.exitCode, 0);
        const QJsonArray pumps = selected.json().value(QStringLiteral("pumps")).toArray();
        QVERIFY(!pumps.isEmpty());
        arguments[set] = pumps.first().toObject().value(QStringLiteral("model")).toString();
    }

    const QString pdf = m_dir.filePath(golden + QStringLiteral(".pdf"));
    const ToolRun sheet = cli(QStringList{QStringLiteral("sheet")} + arguments + kHeader + db +
                              QStringList{QStringLiteral("--pdf"), pdf});
    QVERIFY2(sheet.exitCode == 0, qPrintable(sheet.out + sheet.err));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(60000) && pdftotext.exitCode() == 0);
    QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QVERIFY(!text.trimmed().isEmpty());
    // The program's version in the footer changes with every release, not
    // with the sheet.
    const QString version = QStringLiteral("Tarnwick " TARNWICK_VERSION);
    QVERIFY2(text.contains(version), qPrintable(text));
    text.replace(version, QStringLiteral("Tarnwick {version}"));

    const QString goldenPath = QDir(QStringLiteral(TARNWICK_GOLDEN_DIR)).filePath(golden);
    if (qEnvironmentVariableIntValue("TARNWICK_UPDATE_GOLDEN") == 1) {
        QSaveFile file(goldenPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        QVERIFY(file.commit());
        QSKIP("golden text written");
    }
    QFile file(goldenPath);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(goldenPath));
    const QStringList expected = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::min(expected.size(), lines.size()); ++i) {
        if (lines[i] != expected[i])
            QFAIL(qPrintable(QStringLiteral("%1 line %2:\n  golden: %3\n  sheet:  %4")
                                 .arg(golden)
                                 .arg(i + 1)
                                 .arg(expected[i], lines[i])));
    }
    QCOMPARE(lines.size(), expected.size());
}

QTEST_MAIN(TestSheetTexts)
#include "tst_sheettexts.moc"
