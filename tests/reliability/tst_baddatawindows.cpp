// Damaged databases through the windows: the calculation window's load,
// design, list pick and check on every kind of bad data, and pictures that
// are not pictures in the calculation, schematic and help windows. Message
// boxes are intercepted; nothing may crash, and no text the windows show may
// hold a number that is not finite.

#include "calcwindow/frmcalculate.h"
#include "calcwindow/schematic.h"
#include "controls/messagebox.h"
#include "infowindows/frmhelp.h"
#include "infowindows/frmpicture.h"
#include "infowindows/picturebox.h"
#include "infowindows/readonlytextbox.h"
#include "store/names.h"
#include "tests/reliability/baddatacases.h"
#include "tests/reliability/reliabilitysupport.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>
#include <QtEndian>

#include <memory>

using namespace tarnwick;
using namespace tarnwick::testing;
namespace names = tarnwick::store::names;

Q_DECLARE_METATYPE(BadDataCase)

namespace {

const QString kPumpType = QStringLiteral("IS型单级单吸离心泵");

// Every text the window shows: labels, list entries, model choices, grid
// cells and the dimension text. Grid cells that show a text stored in the
// data sheet show it as it is stored ("inf" typed into a numeric field), and
// are left out.
QString shownTexts(const QWidget& window, const QSet<QString>& storedTexts)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts.append(label->text());
    for (const QListWidget* list : window.findChildren<QListWidget*>()) {
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
    }
    for (const QComboBox* combo : window.findChildren<QComboBox*>()) {
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
    }
    for (const QTableView* grid : window.findChildren<QTableView*>()) {
        const QAbstractItemModel* model = grid->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QString text = model->data(model->index(row, column)).toString();
                if (!storedTexts.contains(text))
                    texts.append(text);
            }
        }
    }
    for (const QPlainTextEdit* edit : window.findChildren<QPlainTextEdit*>())
        texts.append(edit->toPlainText());
    return texts.join(QLatin1Char('\n'));
}

// The texts stored in the data-sheet view.
QSet<QString> storedTexts(const QString& databasePath)
{
    QSet<QString> texts;
    ScopedDatabase db(databasePath);
    QSqlQuery query(db.db());
    if (!query.exec(QStringLiteral("SELECT * FROM \"水泵查询\"")))
        return texts;
    while (query.next()) {
        for (int i = 0; i < query.record().count(); ++i) {
            if (query.value(i).typeId() == QMetaType::QString)
                texts.insert(query.value(i).toString());
        }
    }
    return texts;
}

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawLine(0, 0, width - 1, height - 1);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<quint8>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG whose header promises a picture far larger than memory allows.
QByteArray hugePngHeader()
{
    QByteArray ihdr("IHDR");
    auto u32 = [](QByteArray& b, quint32 v) {
        const quint32 big = qToBigEndian(v);
        b.append(reinterpret_cast<const char*>(&big), 4);
    };
    u32(ihdr, 60000);
    u32(ihdr, 60000);
    ihdr.append("\x08\x02\x00\x00\x00", 5);
    QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
    u32(bytes, 13);
    bytes += ihdr;
    u32(bytes, crc32(ihdr));
    return bytes;
}

QByteArray randomBytes(int size)
{
    QRandomGenerator random(4711);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

} // namespace

class TestBadDataWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void calculationWindow_data();
    void calculationWindow();
    void pictures_data();
    void pictures();
    void informationTables_data();
    void informationTables();

private:
    template <typename T> T* child(QWidget& window, const QString& name)
    {
        T* widget = window.findChild<T*>(name);
        if (!widget)
            qFatal("no child %s", qPrintable(name));
        return widget;
    }
    void click(QWidget& window, const QString& buttonName);
    std::unique_ptr<frmcalculate> openWindow(const QString& folder);
    void verifyShown(QWidget& window, const QString& when);

    QStringList m_messages;
    QSet<QString> m_storedTexts; // of the database under test
};

void TestBadDataWindows::initTestCase()
{
    setMessageBoxInterceptor({[this](const QString& text) {
        m_messages.append(text);
        return true;
    }});
    // A modal window that a test does not expect must not block the run.
    setModalInterceptor([](QDialog&) { return 0; });
}

void TestBadDataWindows::init()
{
    m_messages.clear();
    m_storedTexts.clear();
}

void TestBadDataWindows::cleanupTestCase()
{
    setMessageBoxInterceptor({});
    setModalInterceptor({});
}

void TestBadDataWindows::click(QWidget& window, const QString& buttonName)
{
    QWidget* button = child<QWidget>(window, buttonName);
    QVERIFY2(button->isVisible(), qPrintable(buttonName));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

std::unique_ptr<frmcalculate> TestBadDataWindows::openWindow(const QString& folder)
{
    auto window = std::make_unique<frmcalculate>();
    QString error;
    if (!window->load(folder, &error))
        return nullptr;
    window->configureMode(CalculationMode::Design, QIcon());
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    return window;
}

void TestBadDataWindows::verifyShown(QWidget& window, const QString& when)
{
    // Painting runs the chart and grid code on what they hold.
    const QImage painted = window.grab().toImage();
    if (painted.isNull())
        QTest::qFail(qPrintable(when + QStringLiteral(": nothing painted")), __FILE__, __LINE__);
    const QStringList found = nonFiniteTexts(shownTexts(window, m_storedTexts) + m_messages.join(QLatin1Char('\n')));
    if (!found.isEmpty())
        QTest::qFail(qPrintable(when + QStringLiteral(" shows ") + found.join(QLatin1Char(' '))), __FILE__, __LINE__);
}

void TestBadDataWindows::calculationWindow_data()
{
    QTest::addColumn<BadDataCase>("badCase");
    for (const BadDataCase& c : badDataCases())
        QTest::newRow(qPrintable(c.name)) << c;
}

void TestBadDataWindows::calculationWindow()
{
    QFETCH(BadDataCase, badCase);
    QString error;
    const auto folder = badDataFolder(badCase, &error);
    QVERIFY2(folder, qPrintable(error));

    m_storedTexts = storedTexts(folder->databasePath());
    frmcalculate window;
    const bool loaded = window.load(folder->folder(), &error);
    if (badCase.outcome == BadDataCase::Outcome::Refused) {
        QVERIFY(!loaded);
        for (const QString& name : badCase.named)
            QVERIFY2(error.contains(QStringLiteral("“%1”").arg(name)), qPrintable(error));
        return;
    }
    QVERIFY2(loaded, qPrintable(error));
    window.configureMode(CalculationMode::Design, QIcon());
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    verifyShown(window, QStringLiteral("after load"));

    child<QLineEdit>(window, QStringLiteral("Text1_0"))->setText(dutyResistance());
    child<QLineEdit>(window, QStringLiteral("Text1_1"))->setText(dutyFlow());
    child<QLineEdit>(window, QStringLiteral("Text1_2"))->setText(dutyStaticHead());
    click(window, QStringLiteral("设计"));
    verifyShown(window, QStringLiteral("after the design"));
    if (badCase.outcome == BadDataCase::Outcome::WriteFails) {
        QCOMPARE(m_messages.size(), 1);
        for (const QString& name : badCase.named)
            QVERIFY2(m_messages.first().contains(QStringLiteral("“%1”").arg(name)), qPrintable(m_messages.first()));
        QCOMPARE(folder->rowCount(names::allResultsTable()), 0);
        return;
    }
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));

    auto* list1 = child<QListWidget>(window, QStringLiteral("List1"));
    QStringList entries;
    for (int i = 0; i < list1->count(); ++i)
        entries.append(list1->item(i)->text());
    if (badCase.goodPumpsFound)
        QVERIFY2(entries.contains(QStringLiteral("P1型 转速2900r/min")), qPrintable(entries.join(QLatin1Char('\n'))));
    if (list1->isEnabled()) {
        for (int i = 0; i < list1->count(); ++i) {
            list1->setCurrentRow(i);
            verifyShown(window, QStringLiteral("with entry %1 picked").arg(entries[i]));
            QVERIFY2(!child<QLabel>(window, QStringLiteral("Label21_5"))->text().isEmpty(), qPrintable(entries[i]));
        }
    }

    // The check of every model on offer: a pump shown or one of the
    // program's messages, and the window stays usable.
    window.configureMode(CalculationMode::Check, QIcon());
    auto* combo1 = child<QComboBox>(window, QStringLiteral("Combo1"));
    const int models = combo1->count();
    for (int i = 0; i < std::max(models, 1); ++i) {
        m_messages.clear();
        combo1->setCurrentIndex(models > 0 ? i : -1);
        const QString model = combo1->currentText();
        click(window, QStringLiteral("校核"));
        verifyShown(window, QStringLiteral("after the check of \"%1\"").arg(model));
        QVERIFY2(m_messages.size() <= 1, qPrintable(m_messages.join(QLatin1Char('\n'))));
        if (badCase.goodPumpsFound && model == goodModel() && i == combo1->findText(goodModel()))
            QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    }

    ScopedDatabase db(folder->databasePath());
    QCOMPARE(integrityCheck(db), QStringLiteral("ok"));
    if (badCase.name != QStringLiteral("bad result rows stored earlier")) {
        const QStringList problems = incompleteResultRows(db, names::allResultsTable());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
}

void TestBadDataWindows::pictures_data()
{
    QTest::addColumn<QVariant>("blob");
    QTest::addColumn<bool>("isPicture");
    QTest::newRow("a small sound picture") << QVariant(png(40, 30)) << true;
    QTest::newRow("random bytes") << QVariant(randomBytes(4096)) << false;
    QTest::newRow("a text") << QVariant(QStringLiteral("这不是图片")) << false;
    QTest::newRow("empty blob") << QVariant(QByteArray("", 0)) << false;
    QTest::newRow("NULL") << QVariant() << false;
    QTest::newRow("a PNG cut short") << QVariant(png(300, 200).left(300)) << false;
    QTest::newRow("a PNG header of a huge picture") << QVariant(hugePngHeader()) << false;
    QTest::newRow("a bitmap header only") << QVariant(QByteArray("BM\x36\x00\x00\x00", 6)) << false;
}

void TestBadDataWindows::pictures()
{
    QFETCH(QVariant, blob);
    QFETCH(bool, isPicture);
    QString error;
    const auto folder = badDataFolder(BadDataCase{}, &error);
    QVERIFY2(folder, qPrintable(error));
    {
        ScopedDatabase db(folder->databasePath());
        QSqlQuery query(db.db());
        QVERIFY(query.prepare(QStringLiteral("UPDATE \"设备安装示意图\" SET \"设备安装示意图\" = ?")));
        query.addBindValue(blob);
        QVERIFY(query.exec());
        QVERIFY(query.prepare(QStringLiteral("UPDATE \"公司资料\" SET \"公司图片\" = ?, \"产品图片\" = ?")));
        query.addBindValue(blob);
        query.addBindValue(blob);
        QVERIFY(query.exec());
    }

    // The calculation window: the schematic of a checked pump and of a
    // picked candidate, on both pages.
    {
        const auto window = openWindow(folder->folder());
        QVERIFY(window);
        window->configureMode(CalculationMode::Check, QIcon());
        child<QLineEdit>(*window, QStringLiteral("Text1_0"))->setText(dutyResistance());
        child<QLineEdit>(*window, QStringLiteral("Text1_1"))->setText(dutyFlow());
        child<QLineEdit>(*window, QStringLiteral("Text1_2"))->setText(dutyStaticHead());
        auto* combo1 = child<QComboBox>(*window, QStringLiteral("Combo1"));
        combo1->setCurrentIndex(combo1->findText(goodModel()));
        click(*window, QStringLiteral("校核"));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        auto* viewer = child<SchematicViewer>(*window, QStringLiteral("OLE1"));
        QCOMPARE(!viewer->picture().isNull(), isPicture);
        QTest::mouseClick(child<QWidget>(*window, QStringLiteral("Command5")), Qt::LeftButton);
        verifyShown(*window, QStringLiteral("schematic page after the check"));

        window->configureMode(CalculationMode::Design, QIcon());
        click(*window, QStringLiteral("设计"));
        auto* list1 = child<QListWidget>(*window, QStringLiteral("List1"));
        QVERIFY(list1->count() > 0);
        list1->setCurrentRow(0);
        QCOMPARE(!viewer->picture().isNull(), isPicture);
        QTest::mouseClick(child<QWidget>(*window, QStringLiteral("Command5")), Qt::LeftButton);
        verifyShown(*window, QStringLiteral("schematic page after a pick"));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    }

    // The full-screen schematic window.
    {
        frmpicture picture(kPumpType, folder->folder());
        picture.show();
        QCOMPARE(child<PictureBox>(picture, QStringLiteral("OLE1"))->hasPicture(), isPicture);
        QVERIFY(!picture.grab().isNull());
    }

    // The help window's company and product pages.
    {
        frmhelp help(folder->folder());
        help.show();
        for (HelpPage page : {HelpPage::Contents, HelpPage::Principle, HelpPage::Company, HelpPage::Products}) {
            help.selectPage(page);
            QVERIFY(!help.grab().isNull());
        }
        QCOMPARE(child<PictureBox>(help, QStringLiteral("OLE1"))->hasPicture(), isPicture);
        QCOMPARE(child<PictureBox>(help, QStringLiteral("OLE2"))->hasPicture(), isPicture);
        QCOMPARE(child<ReadOnlyTextBox>(help, QStringLiteral("Text3"))->text(), QStringLiteral("公司"));
    }
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
}

void TestBadDataWindows::informationTables_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("named");
    QTest::addColumn<bool>("companyTextShown");
    QTest::newRow("company table missing")
        << QStringLiteral("DROP TABLE \"公司资料\"") << QStringLiteral("公司资料") << false;
    QTest::newRow("company picture field missing")
        << QStringLiteral("ALTER TABLE \"公司资料\" DROP COLUMN \"产品图片\"") << QStringLiteral("产品图片") << true;
    QTest::newRow("schematic table missing")
        << QStringLiteral("DROP TABLE \"设备安装示意图\"") << QStringLiteral("设备安装示意图") << true;
    QTest::newRow("schematic picture field missing")
        << QStringLiteral("ALTER TABLE \"设备安装示意图\" DROP COLUMN \"设备安装示意图\"")
        << QStringLiteral("设备安装示意图") << true;
    QTest::newRow("company table empty") << QStringLiteral("DELETE FROM \"公司资料\"") << QString() << false;
}

// The help and schematic windows on missing information tables and fields:
// a message naming what is missing, and the window still opens.
void TestBadDataWindows::informationTables()
{
    QFETCH(QString, statement);
    QFETCH(QString, named);
    QFETCH(bool, companyTextShown);
    QString error;
    const auto folder = badDataFolder(BadDataCase{}, &error);
    QVERIFY2(folder, qPrintable(error));
    QVERIFY(folder->exec(statement));

    const bool helpConcerned = statement.contains(QStringLiteral("公司资料"));
    {
        frmhelp help(folder->folder());
        help.show();
        for (HelpPage page : {HelpPage::Company, HelpPage::Products})
            help.selectPage(page);
        QVERIFY(!help.grab().isNull());
        QCOMPARE(child<ReadOnlyTextBox>(help, QStringLiteral("Text3"))->text(),
                 companyTextShown ? QStringLiteral("公司") : QString());
        QCOMPARE(m_messages.size(), helpConcerned && !named.isEmpty() ? 1 : 0);
        if (!m_messages.isEmpty())
            QVERIFY2(m_messages.first().contains(QStringLiteral("“%1”").arg(named)), qPrintable(m_messages.first()));
    }
    m_messages.clear();
    {
        frmpicture picture(kPumpType, folder->folder());
        picture.show();
        QVERIFY(!picture.grab().isNull());
        QCOMPARE(m_messages.size(), helpConcerned || named.isEmpty() ? 0 : 1);
        if (!m_messages.isEmpty())
            QVERIFY2(m_messages.first().contains(QStringLiteral("“%1”").arg(named)), qPrintable(m_messages.first()));
    }
}

QTEST_MAIN(TestBadDataWindows)
#include "tst_baddatawindows.moc"
