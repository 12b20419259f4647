// Building database files: the schema on its own (for small test databases)
// and the shipped database from the sources in data/, which must hold the
// sources exactly, in order, and must never replace an existing file.

#include "cataloguefiles.h"

#include "data/dataset.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kSourceDir = QString::fromUtf8(TARNWICK_DATA_SOURCE_DIR);
const QString kDatabaseName = QStringLiteral("水泵数据库97.mdb");

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A read-only connection to one database file for the length of a test.
class Connection
{
public:
    explicit Connection(const QString& path) : m_name(QStringLiteral("tst_dataset_%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.open();
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    QList<QVariantList> rows(const QString& sql) const
    {
        QList<QVariantList> result;
        QSqlQuery query(db());
        if (!query.exec(sql)) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
            return result;
        }
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i);
            result << row;
        }
        return result;
    }
    QStringList columns(const QString& table) const
    {
        QStringList names;
        for (const QVariantList& row : rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
            names << row.value(1).toString();
        return names;
    }

private:
    static inline int s_count = 0;
    QString m_name;
};

bool copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

int runMkdb(const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess tool;
    tool.start(QString::fromUtf8(TARNWICK_MKDB), arguments);
    if (!tool.waitForFinished(120000) || tool.exitStatus() != QProcess::NormalExit)
        return -1;
    if (output)
        *output = tool.readAllStandardOutput() + tool.readAllStandardError();
    return tool.exitCode();
}

} // namespace

class TestDataset : public QObject
{
    Q_OBJECT

private slots:
    void splitSqlStatements_data();
    void splitSqlStatements();
    void createDatabaseFileMakesTheEmptySchema();
    void createDatabaseFileNeverOverwrites();
    void shippedDatabaseHoldsTheSourcesInOrder();
    void brokenSourcesLeaveNoFile_data();
    void brokenSourcesLeaveNoFile();
    void mkdbNeverReplacesADatabase();
};

void TestDataset::splitSqlStatements_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("statements");
    QTest::newRow("two statements") << QStringLiteral("CREATE TABLE a (x);\nCREATE TABLE b (y);\n")
                                    << QStringList{QStringLiteral("CREATE TABLE a (x)"),
                                                   QStringLiteral("CREATE TABLE b (y)")};
    QTest::newRow("semicolon in a line comment") << QStringLiteral("-- one; two\nCREATE TABLE a (x); -- a; b\n")
                                                 << QStringList{QStringLiteral("CREATE TABLE a (x)")};
    QTest::newRow("semicolon in a block comment")
        << QStringLiteral("CREATE /* x; y */ TABLE a (x);") << QStringList{QStringLiteral("CREATE   TABLE a (x)")};
    QTest::newRow("semicolon in a quoted name") << QStringLiteral("CREATE TABLE \"a;b\" (\"c\"\"d;\");")
                                                << QStringList{QStringLiteral("CREATE TABLE \"a;b\" (\"c\"\"d;\")")};
    QTest::newRow("semicolon in a string") << QStringLiteral("INSERT INTO t VALUES ('it''s; fine');")
                                           << QStringList{QStringLiteral("INSERT INTO t VALUES ('it''s; fine')")};
    QTest::newRow("dashes in a string") << QStringLiteral("INSERT INTO t VALUES ('--');")
                                        << QStringList{QStringLiteral("INSERT INTO t VALUES ('--')")};
    QTest::newRow("last statement without semicolon")
        << QStringLiteral("SELECT 1;\nSELECT 2") << QStringList{QStringLiteral("SELECT 1"), QStringLiteral("SELECT 2")};
}

void TestDataset::splitSqlStatements()
{
    QFETCH(QString, script);
    QFETCH(QStringList, statements);
    QCOMPARE(tarnwick::dataset::splitSqlStatements(script), statements);
}

void TestDataset::createDatabaseFileMakesTheEmptySchema()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("empty.mdb"));
    QString error;
    QVERIFY2(tarnwick::dataset::createDatabaseFile(path, &error), qPrintable(error));

    Connection c(path);
    QVERIFY(c.db().isOpen());
    QCOMPARE(c.columns(QStringLiteral("水泵性能表")),
             QStringList({QStringLiteral("序号"), QStringLiteral("水泵类型"), QStringLiteral("水泵型号"),
                          QStringLiteral("转速"), QStringLiteral("流量"), QStringLiteral("扬程"),
                          QStringLiteral("轴功率"), QStringLiteral("电动机功率"), QStringLiteral("必需汽蚀余量"),
                          QStringLiteral("叶轮外径"), QStringLiteral("重量"), QStringLiteral("设备安装尺寸")}));
    QCOMPARE(c.columns(QStringLiteral("流扬功")), QStringList({QStringLiteral("序号"), QStringLiteral("流量"),
                                                               QStringLiteral("扬程"), QStringLiteral("轴功率")}));
    QCOMPARE(c.columns(QStringLiteral("水泵查询")),
             QStringList({QStringLiteral("水泵类型"), QStringLiteral("水泵型号"), QStringLiteral("转速"),
                          QStringLiteral("流量"), QStringLiteral("扬程"), QStringLiteral("轴功率"),
                          QStringLiteral("电动机功率"), QStringLiteral("必需汽蚀余量"), QStringLiteral("叶轮外径"),
                          QStringLiteral("重量"), QStringLiteral("设备安装尺寸"), QStringLiteral("序号")}));
    QCOMPARE(c.columns(QStringLiteral("设备安装示意图")),
             QStringList({QStringLiteral("水泵类型"), QStringLiteral("设备安装示意图")}));
    QCOMPARE(c.columns(QStringLiteral("公司资料")),
             QStringList({QStringLiteral("公司简介"), QStringLiteral("公司图片"), QStringLiteral("产品简介"),
                          QStringLiteral("产品图片")}));
    const QStringList resultColumns{QStringLiteral("计算时间"),     QStringLiteral("选型方式"),
                                    QStringLiteral("总扬程"),       QStringLiteral("流量"),
                                    QStringLiteral("系统静扬程"),   QStringLiteral("所选型号"),
                                    QStringLiteral("水泵最高效率"), QStringLiteral("实际扬程"),
                                    QStringLiteral("实际流量"),     QStringLiteral("实际效率"),
                                    QStringLiteral("计算时刻")}; // the run's moment, beside the ten fields
    QCOMPARE(c.columns(QStringLiteral("水泵选型结果")), resultColumns);
    QCOMPARE(c.columns(QStringLiteral("水泵选型结果1")), resultColumns);
    for (const QString& table : {QStringLiteral("水泵性能表"), QStringLiteral("流扬功"), QStringLiteral("公司资料"),
                                 QStringLiteral("设备安装示意图"), QStringLiteral("水泵选型结果")})
        QCOMPARE(c.rows(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)).value(0).value(0).toInt(), 0);
    // Nothing but the database is left in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("empty.mdb")});
}

void TestDataset::createDatabaseFileNeverOverwrites()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kDatabaseName);
    QVERIFY(writeBytes(path, "stored results"));
    QString error;
    QVERIFY(!tarnwick::dataset::createDatabaseFile(path, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(fileBytes(path), QByteArray("stored results"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    QVERIFY(!tarnwick::dataset::createDatabaseFile(dir.filePath(QStringLiteral("no/such/folder.mdb")), &error));
}

void TestDataset::shippedDatabaseHoldsTheSourcesInOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kDatabaseName);
    QString error;
    QVERIFY2(tarnwick::dataset::buildShippedDatabase(path, kSourceDir, &error), qPrintable(error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{kDatabaseName});

    const auto files = loadCatalogueFiles(QDir(kSourceDir).filePath(QStringLiteral("catalogue")), &error);
    QVERIFY2(files, qPrintable(error));
    Connection c(path);

    // Pumps in file order (rowid order is the catalogue order), every field as written.
    const auto pumps = c.rows(QStringLiteral("SELECT * FROM \"水泵性能表\" ORDER BY rowid"));
    QCOMPARE(pumps.size(), files->pumps.rows.size());
    for (qsizetype i = 0; i < pumps.size(); ++i) {
        const QStringList& source = files->pumps.rows[i];
        QCOMPARE(pumps[i][0].toLongLong(), source[0].toLongLong());
        QCOMPARE(pumps[i][1].toString(), source[1]);
        QCOMPARE(pumps[i][2].toString(), source[2]);
        for (int column = 3; column <= 10; ++column)
            QCOMPARE(pumps[i][column].toDouble(), source[column].toDouble());
        QCOMPARE(pumps[i][11].toString(), source[11]);
    }
    // The data-sheet view: one row per pump, in the same order.
    const auto view = c.rows(QStringLiteral("SELECT \"水泵型号\", \"序号\" FROM \"水泵查询\""));
    QCOMPARE(view.size(), files->pumps.rows.size());
    for (qsizetype i = 0; i < view.size(); ++i)
        QCOMPARE(view[i][0].toString(), files->pumps.rows[i][2]);

    // Points in file order, so each pump's points stay one run.
    const auto points = c.rows(QStringLiteral("SELECT * FROM \"流扬功\" ORDER BY rowid"));
    QCOMPARE(points.size(), files->points.rows.size());
    for (qsizetype i = 0; i < points.size(); ++i) {
        for (int column = 0; column < 4; ++column)
            QCOMPARE(points[i][column].toDouble(), files->points.rows[i][column].toDouble());
    }

    // One schematic per pump type of the catalogue, a picture of the drawing's size.
    QSet<QString> types;
    for (const QStringList& row : files->pumps.rows)
        types.insert(row[1]);
    const auto pictures = c.rows(QStringLiteral("SELECT \"水泵类型\", \"设备安装示意图\" FROM \"设备安装示意图\""));
    QSet<QString> pictured;
    for (const QVariantList& row : pictures) {
        pictured.insert(row[0].toString());
        const QImage image = QImage::fromData(row[1].toByteArray(), "PNG");
        QCOMPARE(image.size(), QSize(640, 400));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white)); // drawn on white
    }
    QCOMPARE(pictured, types);
    QCOMPARE(pictures.size(), types.size());

    // The company row: the texts as written and both pictures.
    const auto company = c.rows(QStringLiteral("SELECT * FROM \"公司资料\""));
    QCOMPARE(company.size(), 1);
    QCOMPARE(company[0][0].toString(),
             QString::fromUtf8(fileBytes(QDir(kSourceDir).filePath(QStringLiteral("company/company.txt")))).trimmed());
    QCOMPARE(company[0][2].toString(),
             QString::fromUtf8(fileBytes(QDir(kSourceDir).filePath(QStringLiteral("company/products.txt")))).trimmed());
    QVERIFY(company[0][0].toString().contains(QStringLiteral("演示目录")));
    QVERIFY(company[0][2].toString().contains(QStringLiteral("演示目录")));
    QVERIFY(!QImage::fromData(company[0][1].toByteArray(), "PNG").isNull());
    QVERIFY(!QImage::fromData(company[0][3].toByteArray(), "PNG").isNull());

    QCOMPARE(c.rows(QStringLiteral("SELECT COUNT(*) FROM \"水泵选型结果\"")).value(0).value(0).toInt(), 0);
    QCOMPARE(c.rows(QStringLiteral("SELECT COUNT(*) FROM \"水泵选型结果1\"")).value(0).value(0).toInt(), 0);
}

void TestDataset::brokenSourcesLeaveNoFile_data()
{
    // Each row changes one source file: which file, the text to find, its
    // replacement, and a word the error must contain.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("expected");

    QTest::newRow("wrong pump header") << QStringLiteral("catalogue/pumps.csv") << QStringLiteral("序号,水泵类型")
                                       << QStringLiteral("编号,水泵类型") << QStringLiteral("header");
    QTest::newRow("not a number") << QStringLiteral("catalogue/points.csv") << QStringLiteral("\n1,5.2,")
                                  << QStringLiteral("\n1,5..2,") << QStringLiteral("不是数字");
    QTest::newRow("points not one run") << QStringLiteral("catalogue/points.csv") << QStringLiteral("\n1,5.2,")
                                        << QStringLiteral("\n2,5.2,") << QStringLiteral("没有连在一起");
    QTest::newRow("point of no pump") << QStringLiteral("catalogue/points.csv") << QStringLiteral("\n1,5.2,")
                                      << QStringLiteral("\n99999,5.2,") << QStringLiteral("没有对应的水泵");
    QTest::newRow("duplicate model") << QStringLiteral("catalogue/pumps.csv") << QStringLiteral(",IS50-32-125A,")
                                     << QStringLiteral(",IS50-32-125,") << QStringLiteral("重复");
    QTest::newRow("stray quote") << QStringLiteral("catalogue/pumps.csv") << QStringLiteral("地脚螺栓4-M16\"\n2,")
                                 << QStringLiteral("地脚螺栓4-M16\n2,") << QStringLiteral("引号结束后");
    QTest::newRow("type without schematic")
        << QStringLiteral("schematics/index.csv") << QStringLiteral("ISG型立式管道离心泵,isg.svg\n") << QString()
        << QStringLiteral("no schematic");
    QTest::newRow("unreadable drawing") << QStringLiteral("schematics/isg.svg") << QStringLiteral("<svg")
                                        << QStringLiteral("<sv") << QStringLiteral("SVG");
}

void TestDataset::brokenSourcesLeaveNoFile()
{
    QFETCH(QString, file);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, expected);

    QTemporaryDir sources;
    QTemporaryDir target;
    for (const QString& folder : {QStringLiteral("catalogue"), QStringLiteral("schematics"), QStringLiteral("company")})
        QVERIFY(copyTree(QDir(kSourceDir).filePath(folder), QDir(sources.path()).filePath(folder)));
    const QString changed = QDir(sources.path()).filePath(file);
    QString text = QString::fromUtf8(fileBytes(changed));
    QVERIFY2(text.contains(from), qPrintable(from));
    text.replace(text.indexOf(from), from.size(), to);
    QVERIFY(writeBytes(changed, text.toUtf8()));

    const QString path = target.filePath(kDatabaseName);
    QString error;
    QVERIFY(!tarnwick::dataset::buildShippedDatabase(path, sources.path(), &error));
    QVERIFY2(error.contains(expected), qPrintable(error));
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestDataset::mkdbNeverReplacesADatabase()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kDatabaseName);

    // A fresh build in a folder that does not exist yet.
    const QString nested = dir.filePath(QStringLiteral("bin/") + kDatabaseName);
    QByteArray output;
    QCOMPARE(runMkdb({QStringLiteral("--if-missing"), QStringLiteral("--out"), nested}, &output), 0);
    {
        Connection c(nested);
        QVERIFY(c.rows(QStringLiteral("SELECT COUNT(*) FROM \"水泵性能表\"")).value(0).value(0).toInt() >= 100);
    }

    // An existing file, as a user's database with stored results would be.
    QVERIFY(writeBytes(path, "stored results"));
    QCOMPARE(runMkdb({QStringLiteral("--if-missing"), QStringLiteral("--out"), path}, &output), 0);
    QCOMPARE(fileBytes(path), QByteArray("stored results"));
    QCOMPARE(runMkdb({QStringLiteral("--out"), path}, &output), 1);
    QCOMPARE(fileBytes(path), QByteArray("stored results"));

    // A missing source folder is a failure that leaves nothing behind.
    const QString other = dir.filePath(QStringLiteral("other.mdb"));
    QCOMPARE(
        runMkdb({QStringLiteral("--out"), other, QStringLiteral("--source-dir"), dir.filePath(QStringLiteral("none"))},
                &output),
        1);
    QVERIFY(!QFileInfo::exists(other));
    QCOMPARE(runMkdb({}, &output), 2);
}

QTEST_MAIN(TestDataset)
#include "tst_dataset.moc"
