#include "cli/commandtable.h"
#include "cli/completion.h"
#include "cli/manpage.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick::cli;

namespace {

// The shortest command line of a row: its name, its variant's flag and a
// placeholder for each plain argument.
QStringList commandLine(const CommandSpec& command)
{
    QStringList line = {command.name};
    if (!command.variantFlag.isEmpty())
        line.append(QStringLiteral("--") + command.variantFlag);
    for (qsizetype i = 0; i < command.files.size(); ++i)
        line.append(QStringLiteral("file%1").arg(i));
    return line;
}

QString written(const QTemporaryDir& dir, const QString& name, const QString& text)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        return QString();
    return path;
}

struct Ran
{
    int exitCode = -1;
    QString out;
    QString err;
};

Ran run(const QString& program, const QStringList& arguments, const QStringList& environment = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : environment)
        env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Ran ran;
    if (!process.waitForFinished(60000))
        return ran;
    ran.exitCode = process.exitCode();
    ran.out = QString::fromUtf8(process.readAllStandardOutput());
    ran.err = QString::fromUtf8(process.readAllStandardError());
    return ran;
}

} // namespace

class TestCommandTable : public QObject
{
    Q_OBJECT

private slots:
    void optionsOutsideARowAreRefused_data();
    void optionsOutsideARowAreRefused();
    void everyArtefactNamesEveryCommandAndOption_data();
    void everyArtefactNamesEveryCommandAndOption();
    void manPagesFormatWithoutWarnings_data();
    void manPagesFormatWithoutWarnings();
    void bashCompletes_data();
    void bashCompletes();
};

void TestCommandTable::optionsOutsideARowAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("accepted");
    // Every row of the table with every option the tool knows: an option
    // the row does not list is a usage error, never silently ignored.
    for (const CommandSpec& command : commandTable()) {
        if (command.ownArguments)
            continue;
        for (const OptionSpec& option : optionTable()) {
            // A variant's flag chooses another row: the rows below cover it.
            if (option.name == QStringLiteral("variable-speed"))
                continue;
            QStringList line = commandLine(command) + QStringList{QStringLiteral("--") + option.name};
            if (option.takesValue())
                line.append(QStringLiteral("1"));
            QTest::addRow("%s/--%s", qPrintable(command.title()), qPrintable(option.name))
                << line << command.accepts(option.name);
        }
    }
    // What the tool is known to take and refuse, written out.
    const QStringList duty = {QStringLiteral("--flow"),        QStringLiteral("50"),
                              QStringLiteral("--resistance"),  QStringLiteral("20"),
                              QStringLiteral("--static-head"), QStringLiteral("0")};
    const QString sheet = QStringLiteral("sheet");
    const QString vs = QStringLiteral("--variable-speed");
    QTest::newRow("sheet takes no control curve")
        << QStringList{sheet, QStringLiteral("--control"), QStringLiteral("system")} + duty << false;
    QTest::newRow("sheet takes no duty pumps") << QStringList{sheet, QStringLiteral("--duty-pumps=3")} + duty << false;
    QTest::newRow("variable-speed sheet takes the control curve")
        << QStringList{sheet, QStringLiteral("--control"), QStringLiteral("system"), vs} + duty << true;
    QTest::newRow("variable-speed sheet takes no liquid")
        << QStringList{sheet, vs, QStringLiteral("--fluid"), QStringLiteral("water")} + duty << false;
    QTest::newRow("variable-speed sheet takes no trim")
        << QStringList{sheet, vs, QStringLiteral("--trim")} + duty << false;
    QTest::newRow("flag after -- is a file, not the variant")
        << QStringList{sheet, QStringLiteral("--control"), QStringLiteral("system"), QStringLiteral("--"), vs} + duty
        << false;
    QTest::newRow("select takes no trim")
        << QStringList{QStringLiteral("select"), QStringLiteral("--trim")} + duty << false;
    QTest::newRow("select takes the suction pressure")
        << QStringList{QStringLiteral("select"), QStringLiteral("--suction-pressure"), QStringLiteral("3")} + duty
        << true;
    QTest::newRow("design takes the liquid")
        << QStringList{QStringLiteral("design"), QStringLiteral("--fluid"), QStringLiteral("water"),
                       QStringLiteral("--temperature"), QStringLiteral("20")} +
               duty
        << true;
    QTest::newRow("report has no --explain") << QStringList{QStringLiteral("report"), QStringLiteral("--explain")}
                                             << false;
    QTest::newRow("copy-db needs two databases")
        << QStringList{QStringLiteral("copy-db"), QStringLiteral("a")} << false;
    QTest::newRow("a figure is read strictly")
        << QStringList{QStringLiteral("select"), QStringLiteral("--hours"), QStringLiteral("4000h")} + duty << false;
}

void TestCommandTable::optionsOutsideARowAreRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, accepted);
    Invocation invocation;
    QString error;
    QCOMPARE(parseCommandLine(arguments, &invocation, &error), accepted);
    if (accepted) {
        QVERIFY(invocation.command && invocation.command->handler);
        QVERIFY(error.isEmpty());
    } else {
        QVERIFY(!error.isEmpty());
    }
}

void TestCommandTable::everyArtefactNamesEveryCommandAndOption_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("optionPattern"); // how an option looks in the text, %1 its name
    QTest::newRow("usage and command help") << QString() << QStringLiteral("--%1");
    QTest::newRow("English manual page") << manPage(ManLanguage::English, QStringLiteral("1.0"))
                                         << QStringLiteral("\\-\\-%1");
    QTest::newRow("Chinese manual page") << manPage(ManLanguage::Chinese, QStringLiteral("1.0"))
                                         << QStringLiteral("\\-\\-%1");
    QTest::newRow("bash completion") << bashCompletion() << QStringLiteral("--%1");
    QTest::newRow("zsh completion") << zshCompletion() << QStringLiteral("'--%1[");
}

void TestCommandTable::everyArtefactNamesEveryCommandAndOption()
{
    QFETCH(QString, text);
    QFETCH(QString, optionPattern);
    if (text.isEmpty()) {
        text = usageText();
        for (const QString& name : commandNames())
            text += commandHelp(name);
    }
    for (const QString& name : commandNames()) {
        QString shownName = name;
        if (optionPattern.startsWith(QLatin1Char('\\')))
            shownName.replace(QLatin1Char('-'), QStringLiteral("\\-"));
        QVERIFY2(text.contains(shownName), qPrintable(name));
    }
    for (const OptionSpec& option : optionTable()) {
        QString name = option.name;
        if (optionPattern.startsWith(QLatin1Char('\\')))
            name.replace(QLatin1Char('-'), QStringLiteral("\\-"));
        QVERIFY2(text.contains(optionPattern.arg(name)), qPrintable(option.name));
    }
}

void TestCommandTable::manPagesFormatWithoutWarnings_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("locale");
    QTest::newRow("English") << int(ManLanguage::English) << QStringLiteral("C");
    QTest::newRow("Chinese") << int(ManLanguage::Chinese) << QStringLiteral("C.UTF-8");
}

void TestCommandTable::manPagesFormatWithoutWarnings()
{
    QFETCH(int, language);
    QFETCH(QString, locale);
    if (QStandardPaths::findExecutable(QStringLiteral("man")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("lexgrog")).isEmpty())
        QSKIP("man-db and groff are not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString page = written(dir, QStringLiteral("tarnwick-cli.1"),
                                 manPage(static_cast<ManLanguage>(language), QStringLiteral("1.0")));
    QVERIFY(!page.isEmpty());
    const QStringList environment = {QStringLiteral("LANG=") + locale, QStringLiteral("LC_ALL=") + locale,
                                     QStringLiteral("MANWIDTH=80")};
    const Ran man = run(QStringLiteral("man"), {QStringLiteral("--warnings"), QStringLiteral("-l"), page}, environment);
    QCOMPARE(man.exitCode, 0);
    QVERIFY2(man.err.isEmpty(), qPrintable(man.err));
    QVERIFY(man.out.contains(QStringLiteral("select")));
    // whatis and apropos read the NAME section as lexgrog does.
    const Ran name = run(QStringLiteral("lexgrog"), {page}, environment);
    QCOMPARE(name.exitCode, 0);
    QVERIFY2(name.out.contains(QStringLiteral("tarnwick-cli - ")), qPrintable(name.out));
    if (language == int(ManLanguage::English))
        QVERIFY2(name.out.contains(QStringLiteral("pump")), qPrintable(name.out));
}

void TestCommandTable::bashCompletes_data()
{
    // The words on the line, the last being completed, and what is offered.
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("command name") << QStringList{QStringLiteral("des")} << QStringList{QStringLiteral("design")};
    QTest::newRow("option") << QStringList{QStringLiteral("design"), QStringLiteral("--static-head-u")}
                            << QStringList{QStringLiteral("--static-head-unit")};
    QTest::newRow("a unit") << QStringList{QStringLiteral("design"), QStringLiteral("--flow-unit"),
                                           QStringLiteral("m3")}
                            << QStringList{QStringLiteral("m3/h"), QStringLiteral("m3/s")};
    QTest::newRow("a sheet's options") << QStringList{QStringLiteral("sheet"), QStringLiteral("--con")}
                                       << QStringList{QStringLiteral("--concentration")};
    QTest::newRow("a variable-speed sheet's options")
        << QStringList{QStringLiteral("sheet"), QStringLiteral("--variable-speed"), QStringLiteral("--con")}
        << QStringList{QStringLiteral("--control")};
    QTest::newRow("the command help asks about")
        << QStringList{QStringLiteral("help"), QStringLiteral("copy")} << QStringList{QStringLiteral("copy-db")};
    QTest::newRow("a language") << QStringList{QStringLiteral("models"), QStringLiteral("--lang"), QStringLiteral("e")}
                                << QStringList{QStringLiteral("en")};
    QTest::newRow("no figure is guessed")
        << QStringList{QStringLiteral("design"), QStringLiteral("--flow"), QString()} << QStringList{};
}

void TestCommandTable::bashCompletes()
{
    QFETCH(QStringList, words);
    QFETCH(QStringList, offered);
    const QString bash = QStandardPaths::findExecutable(QStringLiteral("bash"));
    if (bash.isEmpty())
        QSKIP("bash is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString script = written(dir, QStringLiteral("tarnwick-cli"), bashCompletion());
    QVERIFY(!script.isEmpty());
    QStringList quoted;
    for (const QString& word : words)
        quoted.append(QLatin1Char('\'') + word + QLatin1Char('\''));
    const QString line = QStringLiteral("source '%1' && complete -p tarnwick-cli >/dev/null && "
                                        "COMP_WORDS=(tarnwick-cli %2) && COMP_CWORD=%3; _tarnwick_cli; "
                                        "printf '%s\\n' \"${COMPREPLY[@]}\"")
                             .arg(script, quoted.join(QLatin1Char(' ')))
                             .arg(words.size());
    const Ran ran = run(bash, {QStringLiteral("-c"), line});
    QVERIFY2(ran.exitCode == 0, qPrintable(ran.err));
    QCOMPARE(ran.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), offered);
}

QTEST_GUILESS_MAIN(TestCommandTable)
#include "tst_commandtable.moc"
