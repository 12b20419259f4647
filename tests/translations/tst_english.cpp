#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"
#include "translations/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>
#include <memory>

using tarnwick::i18n::Language;
using tarnwick::testing::demoPump;
using tarnwick::testing::TestProgramFolder;

namespace {

const QRegularExpression& chinese()
{
    // CJK ideographs, their punctuation and the full-width forms.
    static const QRegularExpression re(QStringLiteral("[\\x{3000}-\\x{303F}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return re;
}

// Stored data keep their names in every language: the database's tables and
// fields (also those made on first use), its file name and every text in its
// rows (models, types, stored methods, the company's texts).
QStringList storedNames(const QString& databaseFile)
{
    QSet<QString> names = {QStringLiteral("水泵数据库97.mdb"),
                           QStringLiteral("变速选型结果"),
                           QStringLiteral("变速选型负荷点"),
                           QStringLiteral("用户"),
                           QStringLiteral("设计"),
                           QStringLiteral("校核")};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("names"));
        db.setDatabaseName(databaseFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            for (const QString& table : db.tables(QSql::AllTables)) {
                names.insert(table);
                QSqlQuery rows(db);
                if (!rows.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(table)))
                    continue;
                const QSqlRecord record = rows.record();
                for (int i = 0; i < record.count(); ++i)
                    names.insert(record.fieldName(i));
                while (rows.next()) {
                    for (int i = 0; i < record.count(); ++i) {
                        if (rows.value(i).typeId() == QMetaType::QString)
                            names.insert(rows.value(i).toString().trimmed());
                    }
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("names"));
    QStringList list;
    for (const QString& name : names) {
        if (name.contains(chinese()))
            list.append(name);
    }
    // Longest first, so that a name inside a longer one is not cut out of it.
    std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return list;
}

// The lines that still hold Chinese once the stored names are taken out.
QStringList chineseLines(const QString& text, const QStringList& exempt)
{
    QStringList found;
    for (QString line : text.split(QLatin1Char('\n'))) {
        const QString shown = line;
        for (const QString& name : exempt)
            line.remove(name);
        if (line.contains(chinese()))
            found.append(shown);
    }
    return found;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("%\\d+"));
    QSet<QString> set;
    for (auto it = re.globalMatch(text); it.hasNext();)
        set.insert(it.next().captured());
    return set;
}

} // namespace

class TestEnglish : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void languageChoice_data();
    void languageChoice();
    void languageOptionIsTakenOut_data();
    void languageOptionIsTakenOut();
    void everyTextHasItsEnglish();
    void toolSpeaksEnglish_data();
    void toolSpeaksEnglish();
    void reportFiguresSpeakEnglish_data();
    void reportFiguresSpeakEnglish();
    void chineseStaysTheDefault_data();
    void chineseStaysTheDefault();

private:
    tarnwick::testing::ToolRun run(const QStringList& arguments, const QStringList& environment) const;

    QTemporaryDir m_config;
    QTemporaryDir m_outputs;
    std::unique_ptr<TestProgramFolder> m_folder;
    QStringList m_exempt;
};

void TestEnglish::initTestCase()
{
    QVERIFY(m_config.isValid());
    QVERIFY(m_outputs.isValid());
    // The settings of whoever runs the tests stay out of them.
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    qunsetenv("TARNWICK_LANG");
}

void TestEnglish::init()
{
    m_folder = std::make_unique<TestProgramFolder>(QList<tarnwick::testing::TestPump>{
        demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
        demoPump(3, QStringLiteral("P3"), 51, 20.5), demoPump(4, QStringLiteral("P4"), 80, 14)});
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->error()));
    m_exempt = storedNames(m_folder->databaseFile());
    QVERIFY(m_exempt.size() > 10);
    QFile::remove(m_config.filePath(QStringLiteral("tarnwick/tarnwick.conf")));
}

void TestEnglish::languageChoice_data()
{
    QTest::addColumn<QString>("option"); // "-" for none
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("expected");
    const int zh = int(Language::Chinese);
    const int en = int(Language::English);
    QTest::newRow("nothing chosen") << QStringLiteral("-") << QStringLiteral("") << QStringLiteral("") << zh;
    QTest::newRow("option") << QStringLiteral("en") << QStringLiteral("") << QStringLiteral("") << en;
    QTest::newRow("option beats environment")
        << QStringLiteral("zh") << QStringLiteral("en") << QStringLiteral("en") << zh;
    QTest::newRow("environment beats settings")
        << QStringLiteral("-") << QStringLiteral("en_GB.UTF-8") << QStringLiteral("zh_CN") << en;
    QTest::newRow("settings") << QStringLiteral("-") << QStringLiteral("") << QStringLiteral("en") << en;
    QTest::newRow("unknown environment passed over")
        << QStringLiteral("-") << QStringLiteral("fr") << QStringLiteral("en") << en;
    QTest::newRow("any case") << QStringLiteral("English") << QStringLiteral("") << QStringLiteral("") << en;
    QTest::newRow("chinese by name") << QStringLiteral("-") << QStringLiteral("zh_CN.UTF-8") << QStringLiteral("en")
                                     << zh;
}

void TestEnglish::languageChoice()
{
    QFETCH(QString, option);
    QFETCH(QString, environment);
    QFETCH(QString, settings);
    QFETCH(int, expected);
    qputenv("TARNWICK_LANG", environment.toUtf8());
    const std::optional<QString> given = option == QLatin1String("-") ? std::nullopt : std::optional(option);
    QCOMPARE(int(tarnwick::i18n::chooseLanguage(given, settings)), expected);
    qunsetenv("TARNWICK_LANG");
}

void TestEnglish::languageOptionIsTakenOut_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("value"); // "-" for none
    QTest::addColumn<QStringList>("left");
    QTest::newRow("separate") << QStringList{QStringLiteral("design"), QStringLiteral("--lang"), QStringLiteral("en"),
                                             QStringLiteral("--json")}
                              << QStringLiteral("en")
                              << QStringList{QStringLiteral("design"), QStringLiteral("--json")};
    QTest::newRow("joined") << QStringList{QStringLiteral("--lang=zh"), QStringLiteral("models")}
                            << QStringLiteral("zh") << QStringList{QStringLiteral("models")};
    QTest::newRow("last one counts") << QStringList{QStringLiteral("--lang"), QStringLiteral("zh"),
                                                    QStringLiteral("--lang=en")}
                                     << QStringLiteral("en") << QStringList{};
    QTest::newRow("without value") << QStringList{QStringLiteral("models"), QStringLiteral("--lang"),
                                                  QStringLiteral("--json")}
                                   << QStringLiteral("")
                                   << QStringList{QStringLiteral("models"), QStringLiteral("--json")};
    QTest::newRow("after the end of options")
        << QStringList{QStringLiteral("check"), QStringLiteral("--"), QStringLiteral("--lang"), QStringLiteral("en")}
        << QStringLiteral("-")
        << QStringList{QStringLiteral("check"), QStringLiteral("--"), QStringLiteral("--lang"), QStringLiteral("en")};
}

void TestEnglish::languageOptionIsTakenOut()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, value);
    QFETCH(QStringList, left);
    const std::optional<QString> taken = tarnwick::i18n::takeLanguageOption(arguments);
    QCOMPARE(taken.has_value(), value != QLatin1String("-"));
    if (taken)
        QCOMPARE(*taken, value);
    QCOMPARE(arguments, left);
}

void TestEnglish::everyTextHasItsEnglish()
{
    // Every text the sources give to the translation has an English text
    // without Chinese (but for the stored names it quotes) and with the same
    // placeholders, so that no figure is lost or put in twice.
    QVERIFY(tarnwick::i18n::installLanguage(*QCoreApplication::instance(), Language::English));
    QFile file(QStringLiteral(TARNWICK_TS_FILE));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    int messages = 0;
    QStringList faults;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            const QByteArray c = context.toUtf8();
            const QByteArray s = source.toUtf8();
            const QString english = QCoreApplication::translate(c.constData(), s.constData());
            if (!chineseLines(english, m_exempt).isEmpty())
                faults.append(QStringLiteral("%1: %2 -> %3").arg(context, source, english));
            else if (placeholders(english) != placeholders(source))
                faults.append(QStringLiteral("%1: placeholders of %2 -> %3").arg(context, source, english));
        }
    }
    QVERIFY(!xml.hasError());
    QVERIFY(messages > 900);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

tarnwick::testing::ToolRun TestEnglish::run(const QStringList& arguments, const QStringList& environment) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    env.remove(QStringLiteral("TARNWICK_LANG"));
    for (const QString& pair : environment)
        env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    QStringList all = arguments;
    all.replaceInStrings(QStringLiteral("{db}"), m_folder->databasePath());
    all.replaceInStrings(QStringLiteral("{out}"), m_outputs.path());
    return tarnwick::testing::runTool(QStringLiteral(TARNWICK_CLI_PATH), all, 120000, env);
}

void TestEnglish::toolSpeaksEnglish_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("pdf"); // a written PDF whose text is checked too
    const QString duty = QStringLiteral("--flow 50 --resistance 20 --static-head 0");
    auto row = [&](const char* name, const QString& line, int code, const QString& pdf = QString()) {
        QStringList args = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!args.contains(QStringLiteral("--version")) && !line.startsWith(QStringLiteral("help")) &&
            !line.startsWith(QStringLiteral("--help")) && !line.startsWith(QStringLiteral("copy-db")) &&
            !line.startsWith(QStringLiteral("init-db")) && !line.startsWith(QStringLiteral("import-mdb")))
            args << QStringLiteral("--db") << QStringLiteral("{db}");
        QTest::newRow(name) << args << code << pdf;
    };
    row("help", QStringLiteral("--help"), 0);
    for (const char* command :
         {"design", "check", "select", "results", "report", "sheet", "catalogue-check", "models", "import-mdb",
          "import-catalogue", "export-catalogue", "update-catalogue", "copy-db", "init-db", "help"}) {
        const QByteArray name = QByteArray("help ") + command;
        row(name.constData(), QStringLiteral("help ") + QString::fromLatin1(command), 0);
    }
    row("version", QStringLiteral("--version"), 0);
    row("design", QStringLiteral("design ") + duty, 0);
    row("design explained", QStringLiteral("design --explain ") + duty, 0);
    row("design as json", QStringLiteral("design --json --explain ") + duty, 0);
    row("design with liquid and suction",
        QStringLiteral("design --fluid ethylene-glycol --concentration 40 --temperature 4 --suction-pressure 0.03 "
                       "--suction-pressure-unit MPa --trim ") +
            duty,
        0);
    row("design finds nothing", QStringLiteral("design --flow 3000 --resistance 150 --static-head 0 --explain"), 1);
    row("design out of range", QStringLiteral("design --flow 20000 --resistance 20 --static-head 0"), 1);
    row("design measured", QStringLiteral("design --flow 50 --measured 20:4,40:13,60:29 --static-head 0"), 0);
    row("check", QStringLiteral("check --model P1 ") + duty, 0);
    row("check unsuitable", QStringLiteral("check --model P2 ") + duty, 1);
    row("check unknown model", QStringLiteral("check --model X9 ") + duty, 1);
    row("select", QStringLiteral("select --flow 100 --resistance 15 --static-head 2 --explain"), 0);
    row("select as json", QStringLiteral("select --json --explain --flow 100 --resistance 15 --static-head 2"), 0);
    row("select refused", QStringLiteral("select --flow 100 --resistance 20 --static-head 2 --duty-pumps 9"), 1);
    row("results", QStringLiteral("results"), 0);
    row("all results", QStringLiteral("results --all"), 0);
    row("report", QStringLiteral("report --all --csv {out}/r.csv --pdf {out}/r.pdf"), 0, QStringLiteral("r.pdf"));
    row("report without output", QStringLiteral("report"), 2);
    row("sheet", QStringLiteral("sheet --model P1 --pdf {out}/s.pdf ") + duty, 0, QStringLiteral("s.pdf"));
    row("sheet with liquid",
        QStringLiteral("sheet --model P1 --fluid water --temperature 60 --trim --pdf {out}/l.pdf ") + duty, 0,
        QStringLiteral("l.pdf"));
    row("variable-speed sheet",
        QStringLiteral("sheet --variable-speed --all --flow 100 --resistance 15 --static-head 2 --pdf {out}/v.pdf"), 0,
        QStringLiteral("v.pdf"));
    row("catalogue check", QStringLiteral("catalogue-check"), 0);
    row("models", QStringLiteral("models"), 0);
    row("models none", QStringLiteral("models --text ZZZ"), 1);
    row("export catalogue", QStringLiteral("export-catalogue {out}/p.csv {out}/q.csv"), 0);
    row("import missing files", QStringLiteral("import-catalogue {out}/none1.csv {out}/none2.csv"), 2);
    row("update from missing", QStringLiteral("update-catalogue --from {out}/none.mdb"), 2);
    row("copy database", QStringLiteral("copy-db {db} {out}/copy.mdb"), 0);
    row("init-db on a file", QStringLiteral("init-db {out}/x.mdb"), 2);
    row("import-mdb missing", QStringLiteral("import-mdb {out}/none.mdb --db {out}/n.mdb"), 2);
    row("unknown command", QStringLiteral("frobnicate"), 2);
    row("strict numbers", QStringLiteral("design --flow 25,5 --resistance 20 --static-head 0"), 2);
}

void TestEnglish::toolSpeaksEnglish()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, pdf);
    if (TestProgramFolder::onServer() && (arguments.contains(QStringLiteral("copy-db"))))
        QSKIP("copies a file");
    QFile::remove(m_outputs.filePath(QStringLiteral("copy.mdb")));
    // A design first, so that results, reports and sheets have rows to show.
    QCOMPARE(run({QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("50"),
                  QStringLiteral("--resistance"), QStringLiteral("20"), QStringLiteral("--static-head"),
                  QStringLiteral("0"), QStringLiteral("--db"), QStringLiteral("{db}")},
                 {})
                 .exitCode,
             0);
    const auto english = run(arguments, {QStringLiteral("TARNWICK_LANG=en")});
    QVERIFY2(english.exitCode == exitCode, qPrintable(english.out + english.err));
    QVERIFY2(!QString(english.out + english.err).trimmed().isEmpty(), "nothing said");
    const QStringList left = chineseLines(english.out + QLatin1Char('\n') + english.err, m_exempt);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
    if (!pdf.isEmpty()) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {m_outputs.filePath(pdf), QStringLiteral("-")});
        QVERIFY(text.waitForFinished(60000));
        const QString pages = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY(pages.contains(QStringLiteral("P1")) || pages.contains(QStringLiteral("Time")));
        const QStringList onPages = chineseLines(pages, m_exempt);
        QVERIFY2(onPages.isEmpty(), qPrintable(onPages.join(QLatin1Char('\n'))));
    }
    // The same run with --lang instead of the environment says the same (runs that
    // store rows or write files show their own times and are left out).
    QStringList withOption = arguments;
    withOption.prepend(QStringLiteral("en"));
    withOption.prepend(QStringLiteral("--lang"));
    if (!arguments.contains(QStringLiteral("copy-db")) && !arguments.contains(QStringLiteral("export-catalogue")) &&
        pdf.isEmpty() && !arguments.contains(QStringLiteral("design")) &&
        !arguments.contains(QStringLiteral("select")) && !arguments.contains(QStringLiteral("check"))) {
        const auto option = run(withOption, {});
        QCOMPARE(option.exitCode, exitCode);
        QCOMPARE(option.out, english.out);
    }
}

void TestEnglish::reportFiguresSpeakEnglish_data()
{
    QTest::addColumn<QString>("run");
    QTest::addColumn<QString>("report");
    const QString liquid = QStringLiteral(" --fluid water --temperature 60 --suction-pressure 30 --db {db}");
    QTest::newRow("design") << QStringLiteral("design --flow 50 --resistance 20 --static-head 0") + liquid
                            << QStringLiteral("report");
    QTest::newRow("variable speed") << QStringLiteral("select --flow 100 --resistance 15 --static-head 2") + liquid
                                    << QStringLiteral("report --variable-speed");
}

void TestEnglish::reportFiguresSpeakEnglish()
{
    QFETCH(QString, run);
    QFETCH(QString, report);
    QVERIFY(m_folder->exec(QStringLiteral("UPDATE \"水泵性能表\" SET \"必需汽蚀余量\" = 3")));
    const auto stored = this->run(run.split(QLatin1Char(' ')), {});
    QVERIFY2(stored.exitCode == 0, qPrintable(stored.out + stored.err));
    // The tables the run made beside the results keep their names too.
    const QStringList exempt = storedNames(m_folder->databaseFile());
    const auto english =
        this->run(report.split(QLatin1Char(' ')) + QStringList{QStringLiteral("--pdf"), QStringLiteral("{out}/f.pdf"),
                                                               QStringLiteral("--csv"), QStringLiteral("{out}/f.csv"),
                                                               QStringLiteral("--db"), QStringLiteral("{db}")},
                  {QStringLiteral("TARNWICK_LANG=en")});
    QVERIFY2(english.exitCode == 0, qPrintable(english.err));
    QFile csv(m_outputs.filePath(QStringLiteral("f.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {m_outputs.filePath(QStringLiteral("f.pdf")), QStringLiteral("-")});
    QVERIFY(text.waitForFinished(60000));
    const QString pages = QString::fromUtf8(text.readAllStandardOutput());
    const QString written = QString::fromUtf8(csv.readAll());
    QVERIFY2(pages.contains(QStringLiteral("NPSHa")) && written.contains(QStringLiteral("NPSHa")), qPrintable(written));
    const QStringList left = chineseLines(english.out + english.err + QLatin1Char('\n') + written + pages, exempt);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
}

void TestEnglish::chineseStaysTheDefault_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("english");
    QTest::newRow("english locale") << QStringList{QStringLiteral("LANG=en_US.UTF-8"),
                                                   QStringLiteral("LC_ALL=en_US.UTF-8"), QStringLiteral("LANGUAGE=en")}
                                    << QStringLiteral("") << false;
    QTest::newRow("chosen in the settings")
        << QStringList{QStringLiteral("LANG=zh_CN.UTF-8")} << QStringLiteral("en") << true;
    QTest::newRow("environment beats the settings")
        << QStringList{QStringLiteral("TARNWICK_LANG=zh")} << QStringLiteral("en") << false;
}

void TestEnglish::chineseStaysTheDefault()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, settings);
    QFETCH(bool, english);
    if (!settings.isEmpty()) {
        QDir().mkpath(m_config.filePath(QStringLiteral("tarnwick")));
        QFile conf(m_config.filePath(QStringLiteral("tarnwick/tarnwick.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[General]\nlanguage=" + settings.toUtf8() + "\n");
    }
    const auto design = run({QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("50"),
                             QStringLiteral("--resistance"), QStringLiteral("20"), QStringLiteral("--static-head"),
                             QStringLiteral("0"), QStringLiteral("--db"), QStringLiteral("{db}")},
                            environment);
    QCOMPARE(design.exitCode, 0);
    QCOMPARE(design.out.contains(QStringLiteral("满足用户要求的水泵")), !english);
    QCOMPARE(design.out.contains(QStringLiteral("Pumps meeting the duty")), english);
}

QTEST_GUILESS_MAIN(TestEnglish)
#include "tst_english.moc"
