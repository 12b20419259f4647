#include "report/reportdefinition.h"
#include "report/resultreport.h"
#include "tests/report/reportfixtures.h"
#include "tests/support/layoutfigures.h"

#include <QLocale>
#include <QTest>

namespace figures = tarnwick::testing::layout::report;

using namespace tarnwick;
using namespace tarnwick::testing;
using report::PageText;
using report::ResultReport;
using report::ResultTable;

namespace {

const QString kLatest = store::names::latestResultsTable();

QList<PageText> textsOf(const report::PageContent& content, PageText::Role role)
{
    QList<PageText> texts;
    for (const PageText& t : content.texts) {
        if (t.role == role)
            texts.append(t);
    }
    return texts;
}

// Darkest pixel within a small square around (x, y).
int darkestNear(const QImage& image, int x, int y, int radius = 1)
{
    int darkest = 255;
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p))
                darkest = std::min(darkest, qGray(image.pixel(p)));
        }
    }
    return darkest;
}

} // namespace

class TestResultReport : public QObject
{
    Q_OBJECT

private slots:
    void pagesHoldAsManyRowsAsFitAboveTheFooter();
    void pageCount_data();
    void pageCount();
    void everyRowOnExactlyOnePageInStoredOrder();
    void emptyTableGivesOneFullPage();
    void headingsAndUnits();
    void codesAreReplaced_data();
    void codesAreReplaced();
    void footerAndDateOnPages();
    void numberText_data();
    void numberText();
    void fieldTextsAsStored();
    void deletedRowsAreLeftOut();
    void missingFieldIsTheDataLayersError();
    void longFieldsStayInsideTheirBoxes();
    void renderedPageDrawsTheRules();

private:
    ResultReport reportWithRows(int n);
    std::unique_ptr<TestProgramFolder> m_folder;
};

ResultReport TestResultReport::reportWithRows(int n)
{
    m_folder = std::make_unique<TestProgramFolder>();
    if (!m_folder->isValid() || !insertNumberedResults(*m_folder, kLatest, n))
        qFatal("cannot prepare the test database");
    auto open = openRows(*m_folder, kLatest);
    if (!open->error.isEmpty())
        qFatal("%s", qPrintable(open->error));
    auto table = ResultTable::fromRows(open->rows);
    if (!table)
        qFatal("%s", qPrintable(table.error()));
    return ResultReport(table.value(), QDate(2024, 5, 1));
}

void TestResultReport::pagesHoldAsManyRowsAsFitAboveTheFooter()
{
    const ResultReport report = reportWithRows(200);
    const double footerTop =
        ResultReport::pageSizeTwips().height() - ResultReport::bottomMarginTwips() - figures::kPageFooterHeight;
    for (const int page : {1, 2}) {
        const report::PageContent content = report.layoutPage(page);
        double lowest = 0;
        for (const QLineF& rule : content.rules)
            lowest = std::max({lowest, rule.y1(), rule.y2()});
        QVERIFY2(lowest <= footerTop, qPrintable(QStringLiteral("page %1 runs into its footer").arg(page)));
        // One more row would not have fitted.
        QVERIFY(lowest + figures::kDetailHeight > footerTop);
        QCOMPARE(report.rowCountOnPage(page),
                 page == 1 ? ResultReport::rowsOnFirstPage() : ResultReport::rowsOnFollowingPages());
    }
    // A4 landscape with half-inch margins top and bottom.
    QCOMPARE(ResultReport::rowsOnFirstPage(), 21);
    QCOMPARE(ResultReport::rowsOnFollowingPages(), 24);
}

void TestResultReport::pageCount_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("empty") << 0 << 1;
    QTest::newRow("one row") << 1 << 1;
    QTest::newRow("first page full") << 21 << 1;
    QTest::newRow("one over the first page") << 22 << 2;
    QTest::newRow("second page full") << 45 << 2;
    QTest::newRow("one over the second page") << 46 << 3;
    QTest::newRow("many") << 1000 << 42;
}

void TestResultReport::pageCount()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    const ResultReport report = reportWithRows(rows);
    QCOMPARE(report.table().rowCount(), rows);
    QCOMPARE(report.pageCount(), pages);
    // The last page holds the last row; a page beyond it holds nothing.
    const int last = report.pageCount();
    QCOMPARE(report.firstRowOnPage(last) + report.rowCountOnPage(last), rows);
    QVERIFY(rows == 0 || report.rowCountOnPage(last) > 0);
    QCOMPARE(report.rowCountOnPage(last + 1), 0);
    QVERIFY(report.layoutPage(last + 1).texts.isEmpty());
}

void TestResultReport::everyRowOnExactlyOnePageInStoredOrder()
{
    const ResultReport report = reportWithRows(60);
    QStringList models;
    for (int page = 1; page <= report.pageCount(); ++page) {
        for (const PageText& t : textsOf(report.layoutPage(page), PageText::Role::Field)) {
            if (t.column == 5)
                models.append(t.text);
        }
    }
    QStringList expected;
    for (int i = 1; i <= 60; ++i)
        expected.append(QStringLiteral("P%1").arg(i));
    QCOMPARE(models, expected);
}

void TestResultReport::emptyTableGivesOneFullPage()
{
    const ResultReport report = reportWithRows(0);
    QCOMPARE(report.pageCount(), 1);
    const report::PageContent page = report.layoutPage(1);
    QCOMPARE(textsOf(page, PageText::Role::Title).size(), 1);
    QCOMPARE(textsOf(page, PageText::Role::PrintDate).size(), 1);
    QCOMPARE(textsOf(page, PageText::Role::Heading).size(), 10);
    QCOMPARE(textsOf(page, PageText::Role::Unit).size(), 7);
    QVERIFY(textsOf(page, PageText::Role::Field).isEmpty());
    QCOMPARE(textsOf(page, PageText::Role::Footer).constFirst().text, QStringLiteral("第1页  共1页"));
}

void TestResultReport::headingsAndUnits()
{
    const ResultReport report = reportWithRows(30);
    QCOMPARE(report.pageCount(), 2);
    const QStringList headings = {QStringLiteral("计算时间"), QStringLiteral("计算方式"), QStringLiteral("系统阻力"),
                                  QStringLiteral("流量"),     QStringLiteral("静扬程"),   QStringLiteral("所选型号"),
                                  QStringLiteral("最高效率"), QStringLiteral("实际扬程"), QStringLiteral("实际流量"),
                                  QStringLiteral("实际效率")};
    const QStringList units = {QStringLiteral("(m)"), QStringLiteral("(m3/h)"), QStringLiteral("(m)"),
                               QStringLiteral("(%)"), QStringLiteral("(m)"),    QStringLiteral("(m3/h)"),
                               QStringLiteral("(%)")};
    for (const int page : {1, 2}) {
        const report::PageContent content = report.layoutPage(page);
        QStringList seenHeadings;
        for (const PageText& t : textsOf(content, PageText::Role::Heading))
            seenHeadings.append(t.text);
        QStringList seenUnits;
        for (const PageText& t : textsOf(content, PageText::Role::Unit))
            seenUnits.append(t.text);
        QCOMPARE(seenHeadings, headings);
        QCOMPARE(seenUnits, units);
    }
    // "系统阻力" heads the system resistance, stored as "总扬程"; "计算方式" the method.
    QCOMPARE(report::reportColumns()[2].field, QStringLiteral("总扬程"));
    QCOMPARE(report::reportColumns()[1].field, QStringLiteral("选型方式"));
}

void TestResultReport::codesAreReplaced_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("date") << QStringLiteral("打印日期：%D") << QStringLiteral("打印日期：2024/5/1");
    QTest::newRow("page of pages") << QStringLiteral("第%p页  共%P页") << QStringLiteral("第12页  共345页");
    QTest::newRow("other percent signs stay") << QStringLiteral("100% %x %") << QStringLiteral("100% %x %");
    QTest::newRow("codes side by side") << QStringLiteral("%p%P%D") << QStringLiteral("123452024/5/1");
}

void TestResultReport::codesAreReplaced()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(report::replaceReportCodes(text, QStringLiteral("2024/5/1"), 12, 345), expected);
}

void TestResultReport::footerAndDateOnPages()
{
    const ResultReport report = reportWithRows(50);
    QCOMPARE(report.pageCount(), 3);
    const QString date = QLocale::system().toString(QDate(2024, 5, 1), QLocale::ShortFormat);
    QCOMPARE(report.printDateText(), date);
    for (int page = 1; page <= 3; ++page) {
        const report::PageContent content = report.layoutPage(page);
        QCOMPARE(textsOf(content, PageText::Role::Footer).constFirst().text, QStringLiteral("第%1页  共3页").arg(page));
        // The report header, with the date, is on the first page only.
        const QList<PageText> dates = textsOf(content, PageText::Role::PrintDate);
        QCOMPARE(dates.size(), page == 1 ? 1 : 0);
        if (page == 1)
            QCOMPARE(dates.constFirst().text, QStringLiteral("打印日期：") + date);
        for (const PageText& t : content.texts)
            QVERIFY2(!t.text.contains(QLatin1Char('%')) || t.role == PageText::Role::Unit, qPrintable(t.text));
    }
}

void TestResultReport::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("stored32Bit");
    QTest::addColumn<QString>("expected");
    const double widened51 = static_cast<double>(5.1f);
    QTest::newRow("static head typed 5.1") << widened51 << true << QStringLiteral("5.1");
    QTest::newRow("same number in a 64-bit field") << widened51 << false << QStringLiteral("5.09999990463257");
    QTest::newRow("64-bit 5.1 in the static head field") << 5.1 << true << QStringLiteral("5.1");
    QTest::newRow("0.1 from 32 bits") << static_cast<double>(0.1f) << true << QStringLiteral("0.1");
    QTest::newRow("negative from 32 bits") << static_cast<double>(-2.35f) << true << QStringLiteral("-2.35");
    QTest::newRow("large from 32 bits") << static_cast<double>(123456789.0f) << true << QStringLiteral("123456792");
    QTest::newRow("whole percent") << 72.0 << true << QStringLiteral("72");
    QTest::newRow("rounded head") << 32.3 << false << QStringLiteral("32.3");
    QTest::newRow("converted resistance") << 10.197162129779283 << false << QStringLiteral("10.1971621297793");
    QTest::newRow("zero") << 0.0 << true << QStringLiteral("0");
}

void TestResultReport::numberText()
{
    QFETCH(double, value);
    QFETCH(bool, stored32Bit);
    QFETCH(QString, expected);
    const QString text = report::reportNumberText(value, stored32Bit);
    QCOMPARE(text, expected);
    // What a 32-bit field shows reads back as the stored value.
    if (stored32Bit && static_cast<double>(static_cast<float>(value)) == value)
        QCOMPARE(static_cast<float>(text.toDouble()), static_cast<float>(value));
}

void TestResultReport::fieldTextsAsStored()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(m_folder->isValid());
    StoredResult r;
    r.resistance = QStringLiteral("5.099999904632568"); // a 64-bit field shows all its digits
    QVERIFY(insertResult(*m_folder, kLatest, r));
    QVERIFY(m_folder->exec(QStringLiteral("INSERT INTO \"%1\" (\"计算时间\", \"所选型号\", \"流量\") "
                                          "VALUES (NULL, 'X1', 'abc')")
                               .arg(kLatest)));
    auto open = openRows(*m_folder, kLatest);
    QVERIFY2(open->error.isEmpty(), qPrintable(open->error));
    const auto table = ResultTable::fromRows(open->rows);
    QVERIFY(table.ok());
    QStringList first;
    for (int c = 0; c < ResultTable::columnCount(); ++c)
        first.append(table->text(0, c));
    QCOMPARE(first, (QStringList{QStringLiteral("2024/5/1 10:20:30"), QStringLiteral("设计"),
                                 QStringLiteral("5.09999990463257"), QStringLiteral("100"), QStringLiteral("5.1"),
                                 QStringLiteral("IS80-65-160"), QStringLiteral("72"), QStringLiteral("32.3"),
                                 QStringLiteral("99.9"), QStringLiteral("68")}));
    // Empty fields stay empty; a text where a number belongs is shown as it is.
    QCOMPARE(table->text(1, 0), QString());
    QCOMPARE(table->text(1, 3), QStringLiteral("abc"));
    QVERIFY(!table->number(1, 3).has_value());
    QCOMPARE(table->number(0, 4).value(), 5.1);
}

void TestResultReport::deletedRowsAreLeftOut()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(insertNumberedResults(*m_folder, kLatest, 3));
    auto open = openRows(*m_folder, kLatest);
    open->rows.moveFirst();
    open->rows.moveNext();
    QVERIFY(open->rows.deleteCurrent());
    const auto table = ResultTable::fromRows(open->rows);
    QVERIFY(table.ok());
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->text(0, 5), QStringLiteral("P1"));
    QCOMPARE(table->text(1, 5), QStringLiteral("P3"));
}

void TestResultReport::missingFieldIsTheDataLayersError()
{
    m_folder = std::make_unique<TestProgramFolder>();
    auto open = openRows(*m_folder, store::names::companyTable());
    QVERIFY2(open->error.isEmpty(), qPrintable(open->error));
    const auto table = ResultTable::fromRows(open->rows);
    QVERIFY(!table.ok());
    QCOMPARE(table.error(), QStringLiteral("“公司资料”中没有字段“计算时间”。"));
}

void TestResultReport::longFieldsStayInsideTheirBoxes()
{
    m_folder = std::make_unique<TestProgramFolder>();
    StoredResult r;
    r.flow = QStringLiteral("36.00000000000014");
    r.resistance = QStringLiteral("0.000101971621297793");
    r.model = QStringLiteral("ISW65-160(I)A-一个很长很长的型号名称");
    QVERIFY(insertResult(*m_folder, kLatest, r));
    auto open = openRows(*m_folder, kLatest);
    const auto table = ResultTable::fromRows(open->rows);
    QVERIFY(table.ok());
    const ResultReport report(table.value());
    for (const PageText& t : textsOf(report.layoutPage(1), PageText::Role::Field)) {
        const double width = QFontMetricsF(t.font).horizontalAdvance(t.text);
        QVERIFY2(width <= t.box.width(), qPrintable(t.text));
        if (t.column == 2 || t.column == 3) {
            // Numbers are set smaller, never cut.
            QCOMPARE(t.text, table->text(0, t.column));
            QVERIFY(t.font.pixelSize() < figures::kTextSize);
        }
        if (t.column == 5)
            QVERIFY2(t.text.endsWith(QChar(0x2026)), qPrintable(t.text));
    }
}

void TestResultReport::renderedPageDrawsTheRules()
{
    const ResultReport report = reportWithRows(3);
    const double dpi = 96;
    const QImage image = report.renderPage(1, dpi);
    auto px = [dpi](double twips) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); };
    const double left = ResultReport::leftMarginTwips();
    const double top = ResultReport::topMarginTwips();
    const double gridTop = top + figures::kReportHeaderHeight;
    const double firstRowTop = gridTop + figures::kPageHeaderHeight;
    const double rowsBottom = firstRowTop + 3 * figures::kDetailHeight;

    // The two rules under the title.
    for (const int ruleTop : figures::kTitleRuleTops)
        QVERIFY(darkestNear(image, px(left + 5800), px(top + ruleTop), 0) < 128);
    QCOMPARE(darkestNear(image, px(left + 5800), px(top + 760), 0), 255);
    // Vertical rules at the column edges, through headings and rows.
    for (const int x : figures::kGridRules) {
        QVERIFY2(darkestNear(image, px(left + x), px(gridTop + 30)) < 128, qPrintable(QString::number(x)));
        QVERIFY2(darkestNear(image, px(left + x), px(rowsBottom - 30)) < 128, qPrintable(QString::number(x)));
    }
    QVERIFY(darkestNear(image, px(left), px(firstRowTop + 200)) < 128);
    // The rule closing each row, and white between the text and that rule.
    for (int row = 1; row <= 3; ++row) {
        const double bottom = firstRowTop + row * figures::kDetailHeight;
        QVERIFY(darkestNear(image, px(left + 500), px(bottom)) < 128);
        QCOMPARE(darkestNear(image, px(left + 500), px(bottom - 45), 0), 255);
    }
    // Text is drawn in the detail boxes (the time of the first row).
    const QRect modelBox(px(left + 10), px(firstRowTop + 94), px(1870), px(195));
    int dark = 0;
    for (int y = modelBox.top(); y <= modelBox.bottom(); ++y)
        for (int x = modelBox.left(); x <= modelBox.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    QVERIFY2(dark > 50, qPrintable(QString::number(dark)));
    // Nothing below the last row but the footer.
    QCOMPARE(darkestNear(image, px(left + 3000), px(rowsBottom + 400), 3), 255);
}

QTEST_MAIN(TestResultReport)
#include "tst_resultreport.moc"
