#include "controls/messagebox.h"
#include "shell/reportwindow/reportdialogs.h"
#include "translations/language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick;

namespace {

// Saves the dialog as the user would see it when TARNWICK_SCREENSHOTS names a folder.
void saveScreenshot(QDialog& dialog, const QString& name)
{
    const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    dialog.show();
    QTest::qWait(50);
    dialog.grab().save(QDir(folder).filePath(name));
    dialog.hide();
}

// A button's text without its access key: "保存(&S)" reads "保存".
QString withoutAccessKey(QString text)
{
    static const QRegularExpression key(QStringLiteral("\\(&.\\)|&"));
    return text.remove(key);
}

QStringList buttonTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (qobject_cast<const QPushButton*>(button))
            texts << withoutAccessKey(button->text());
    }
    texts.sort();
    return texts;
}

} // namespace

// Qt's own dialogs read Chinese, whatever the system's language.
class TestChineseDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void messageBoxButtons_data();
    void messageBoxButtons();
    void exportFileDialog();
    void printDialogs();
};

void TestChineseDialogs::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(i18n::installQtChineseTranslations(*qApp), "qt6-translations-l10n is not installed");
}

void TestChineseDialogs::cleanup()
{
    setModalInterceptor({});
}

void TestChineseDialogs::messageBoxButtons_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("warning") << 0 << QStringList{u"确定"_qs};
    QTest::newRow("information") << 1 << QStringList{u"确定"_qs};
    QTest::newRow("question") << 2 << QStringList{u"否"_qs, u"是"_qs};
}

void TestChineseDialogs::messageBoxButtons()
{
    QFETCH(int, kind);
    QFETCH(QStringList, buttons);
    QStringList seen;
    setModalInterceptor([&](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (!box)
            return 0;
        seen = buttonTexts(*box);
        if (kind == 0)
            saveScreenshot(dialog, u"messagebox.png"_qs);
        return int(QMessageBox::No);
    });
    const QString text = u"请输入设计流量！"_qs;
    if (kind == 0)
        showWarning(nullptr, text);
    else if (kind == 1)
        showInformation(nullptr, text);
    else
        QVERIFY(!askYesNo(nullptr, text));
    QCOMPARE(seen, buttons);
}

void TestChineseDialogs::exportFileDialog()
{
    QStringList labels;
    QStringList buttons;
    QString kinds;
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(u"子文件夹"_qs)); // at least one folder to list
    setModalInterceptor([&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files)
            return int(QDialog::Rejected);
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
            const auto* label = files->findChild<QLabel*>(QString::fromLatin1(name));
            labels << (label ? label->text() : QString());
        }
        const auto* box = files->findChild<QDialogButtonBox*>(u"buttonBox"_qs);
        for (const QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>())
            buttons << withoutAccessKey(button->text());
        if (auto* model = files->findChild<QFileSystemModel*>()) {
            [[maybe_unused]] const bool listed = QTest::qWaitFor([&] { return model->rowCount(model->index(folder.path())) > 0; });
            for (int row = 0; row < model->rowCount(model->index(folder.path())); ++row) {
                const QModelIndex entry = model->index(row, 0, model->index(folder.path()));
                if (model->isDir(entry))
                    kinds = model->type(entry);
            }
        }
        saveScreenshot(dialog, u"export-filedialog.png"_qs);
        return int(QDialog::Rejected);
    });
    QString filter = u"PDF 文件 (*.pdf)"_qs;
    const QString chosen =
        ReportFileDialog::getSaveFileName(nullptr, u"导出"_qs, folder.path() + u"/结果.pdf"_qs, filter, &filter);
    QVERIFY(chosen.isEmpty()); // cancelled
    QCOMPARE(labels.size(), 3);
    // Each label is a Chinese text, not Qt's English one.
    static const QRegularExpression chinese(QStringLiteral("[\\x{4E00}-\\x{9FFF}]"));
    for (const QString& label : labels)
        QVERIFY2(label.contains(chinese), qPrintable(labels.join(u" | "_qs)));
    buttons.sort();
    QCOMPARE(buttons, (QStringList{u"保存"_qs, u"取消"_qs}));
    // The kind of a folder, which Qt's own texts leave English.
    QCOMPARE(kinds, u"文件夹"_qs);
}

void TestChineseDialogs::printDialogs()
{
    // The print and the print preview dialogs: captions and buttons Chinese.
    static const QRegularExpression chinese(QStringLiteral("[\\x{4E00}-\\x{9FFF}]"));
    QPrinter printer;
    QPrintPreviewDialog preview(&printer);
    QPrintDialog print(&printer);
    for (QDialog* dialog : {static_cast<QDialog*>(&preview), static_cast<QDialog*>(&print)}) {
        QVERIFY2(dialog->windowTitle().contains(chinese), qPrintable(dialog->windowTitle()));
        for (const QString& text : buttonTexts(*dialog))
            QVERIFY2(text.isEmpty() || text.contains(chinese), qPrintable(text));
    }
    saveScreenshot(preview, u"printpreview.png"_qs);
    saveScreenshot(print, u"printdialog.png"_qs);
}

QTEST_MAIN(TestChineseDialogs)
#include "tst_chinesedialogs.moc"
