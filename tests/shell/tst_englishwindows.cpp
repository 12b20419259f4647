// Every window in English: the menus' commands opened one by one, a design
// and a check run, and every text a widget shows then read back.
#include "calcwindow/frmcalculate.h"
#include "controls/messagebox.h"
#include "controls/textfit.h"
#include "controls/xpcmdbutton.h"
#include "infowindows/frmbackground.h"
#include "infowindows/frmsplash.h"
#include "infowindows/picturebox.h"
#include "infowindows/textlabel.h"
#include "shell/mdiform1.h"
#include "store/databaselocation.h"
#include "tests/calcwindow/calcwindowfixture.h"
#include "translations/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <memory>

using namespace tarnwick;

namespace {

const QRegularExpression& chinese()
{
    static const QRegularExpression re(QStringLiteral("[\\x{3000}-\\x{303F}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return re;
}

// What the database holds is shown as it is stored: its tables' and fields'
// names and every text in its rows (models, types, the company's texts).
QStringList storedTexts(const QString& databaseFile)
{
    QSet<QString> texts = {QStringLiteral("水泵数据库97.mdb")};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("stored"));
        db.setDatabaseName(databaseFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            for (const QString& table : db.tables(QSql::AllTables)) {
                texts.insert(table);
                QSqlQuery rows(db);
                if (!rows.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(table)))
                    continue;
                const QSqlRecord record = rows.record();
                for (int i = 0; i < record.count(); ++i)
                    texts.insert(record.fieldName(i));
                while (rows.next()) {
                    for (int i = 0; i < record.count(); ++i) {
                        const QVariant v = rows.value(i);
                        if (v.typeId() == QMetaType::QString && v.toString().contains(chinese()))
                            texts.insert(v.toString().trimmed());
                    }
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("stored"));
    QStringList list(texts.begin(), texts.end());
    list.removeAll(QString());
    std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return list;
}

void collect(QObject* root, QStringList* texts)
{
    QList<QObject*> objects = root->findChildren<QObject*>();
    objects.prepend(root);
    for (QObject* o : objects) {
        const QString where = o->objectName() + QStringLiteral(": ");
        auto add = [&](const QString& t) {
            if (!t.isEmpty())
                texts->append(where + t);
        };
        if (auto* w = qobject_cast<QWidget*>(o)) {
            add(w->windowTitle());
            add(w->toolTip());
        }
        if (auto* a = qobject_cast<QAction*>(o)) {
            add(a->text());
            add(a->toolTip());
        }
        if (auto* m = qobject_cast<QMenu*>(o))
            add(m->title());
        if (auto* l = qobject_cast<QLabel*>(o))
            add(l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            add(b->text());
        if (auto* b = qobject_cast<xpcmdbutton*>(o))
            add(b->caption());
        if (auto* g = qobject_cast<QGroupBox*>(o))
            add(g->title());
        if (auto* e = qobject_cast<QLineEdit*>(o))
            add(e->placeholderText());
        if (auto* e = qobject_cast<QPlainTextEdit*>(o))
            add(e->toPlainText());
        if (auto* e = qobject_cast<QTextEdit*>(o))
            add(e->toPlainText());
        if (auto* c = qobject_cast<QComboBox*>(o))
            for (int i = 0; i < c->count(); ++i)
                add(c->itemText(i));
        if (auto* t = qobject_cast<QTabBar*>(o))
            for (int i = 0; i < t->count(); ++i)
                add(t->tabText(i));
        if (auto* l = qobject_cast<QListWidget*>(o))
            for (int i = 0; i < l->count(); ++i)
                add(l->item(i)->text());
        if (auto* t = qobject_cast<QTableWidget*>(o)) {
            for (int c = 0; c < t->columnCount(); ++c)
                if (QTableWidgetItem* h = t->horizontalHeaderItem(c))
                    add(h->text());
            for (int r = 0; r < t->rowCount(); ++r)
                for (int c = 0; c < t->columnCount(); ++c)
                    if (QTableWidgetItem* i = t->item(r, c))
                        add(i->text());
        }
    }
}

// The command buttons' captions are drawn whole, and the duty's labels end
// before the box they name, or give their whole text in their tool tip.
void checkTextsShownWhole(const QWidget* window)
{
    for (const xpcmdbutton* button : window->findChildren<xpcmdbutton*>()) {
        if (!button->isVisible())
            continue;
        const QString caption = QString(button->caption()).remove(QLatin1Char('&'));
        QVERIFY2(QFontMetrics(button->font()).horizontalAdvance(caption) <= button->width(), qPrintable(caption));
    }
    for (const QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (!box->isVisible() || !box->parentWidget())
            continue;
        for (const QLabel* label : box->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            const QRect g = label->geometry();
            if (!label->isVisible() || label->wordWrap() || g.left() >= box->x() || g.bottom() < box->y() ||
                g.top() > box->geometry().bottom())
                continue;
            const int textRight = g.left() + label->contentsRect().left() +
                                  QFontMetrics(label->font()).horizontalAdvance(label->text());
            QVERIFY2(textRight <= box->x() + 1 || label->toolTip() == label->text(),
                     qPrintable(label->text() + QStringLiteral(" under ") + box->objectName()));
        }
    }
}

} // namespace

class TestEnglishWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyWindowSpeaksEnglish();
    void fixedWindowsSpeakEnglishInTheirPlaces_data();
    void fixedWindowsSpeakEnglishInTheirPlaces();

private:
    QTemporaryDir m_config;
    QStringList m_texts;
};

void TestEnglishWindows::initTestCase()
{
    QVERIFY(m_config.isValid());
    // The language menu writes the settings: into a folder of the test's own.
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    QVERIFY(i18n::installLanguage(*QCoreApplication::instance(), i18n::Language::English));
    // As the program does in English.
    fitTextsWhenShown(*qApp);
    setMessageBoxInterceptor({[this](const QString& text) {
        m_texts << QStringLiteral("message: ") + text;
        return false;
    }});
    setModalInterceptor([this](QDialog& dialog) {
        collect(&dialog, &m_texts);
        return int(QDialog::Rejected);
    });
}

void TestEnglishWindows::everyWindowSpeaksEnglish()
{
    QString error;
    const auto folder = testing::makeCalcWindowFolder(&error);
    QVERIFY2(folder, qPrintable(error));
    const QStringList stored = storedTexts(folder->databaseFile());
    MDIForm1 form;
    QVERIFY2(form.load(folder->folder(), &error), qPrintable(error));
    form.resize(1280, 960);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // Every command of the menus but leaving the program.
    int commands = 0;
    for (QAction* action : form.menuBar()->findChildren<QAction*>()) {
        if (action->menu() || action->isSeparator() || action->objectName() == QLatin1String("exit"))
            continue;
        action->trigger();
        QCoreApplication::processEvents();
        ++commands;
    }
    QVERIFY(commands > 20);
    // The language menu kept its last choice for the next start, and said so.
    QCOMPARE(store::userSettings().value(i18n::languageSettingsKey()).toString(), QStringLiteral("en"));
    QVERIFY(m_texts.contains(QStringLiteral("message: The program is using the chosen language.")));

    // A design and a check, so that the lists, labels and notes are filled.
    for (const char* mode : {"calculate1", "calculate2"}) {
        form.findChild<QAction*>(QString::fromLatin1(mode))->trigger();
        frmcalculate* window = form.calculationWindow();
        QVERIFY(window);
        window->findChild<QLineEdit*>(QStringLiteral("Text1_0"))->setText(QStringLiteral("20"));
        window->findChild<QLineEdit*>(QStringLiteral("Text1_1"))->setText(QStringLiteral("50"));
        window->findChild<QLineEdit*>(QStringLiteral("Text1_2"))->setText(QStringLiteral("0"));
        auto* design = window->findChild<QWidget*>(QStringLiteral("设计"));
        auto* check = window->findChild<QWidget*>(QStringLiteral("校核"));
        QWidget* button = QByteArray(mode) == "calculate1" ? design : check;
        if (button == check) {
            auto* models = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
            models->setCurrentIndex(0);
        }
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QCoreApplication::processEvents();
        if (auto* list = window->findChild<QListWidget*>(QStringLiteral("List1")); list && list->count() > 0)
            list->setCurrentRow(0);
        collect(window, &m_texts);
        checkTextsShownWhole(window);
    }
    collect(&form, &m_texts);
    QVERIFY(m_texts.size() > 200);

    QStringList left;
    for (const QString& text : std::as_const(m_texts)) {
        QString rest = text;
        for (const QString& name : stored)
            rest.remove(name);
        // The language menu names Chinese in Chinese, as every program does.
        rest.remove(QStringLiteral("中文"));
        // Button object names stay Chinese: they are not shown.
        rest.remove(QRegularExpression(QStringLiteral("^[^:]*: ")));
        if (rest.contains(chinese()))
            left.append(text);
    }
    left.removeDuplicates();
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
}

// The splash and the background window lay their texts out by hand in boxes
// made for the Chinese: the English texts, the one in the splash picture's
// place too, still fit, break only between words, and keep clear of each
// other and of the icons.
void TestEnglishWindows::fixedWindowsSpeakEnglishInTheirPlaces_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("splash") << QStringLiteral("splash");
    QTest::newRow("background") << QStringLiteral("background");
}

void TestEnglishWindows::fixedWindowsSpeakEnglishInTheirPlaces()
{
    QFETCH(QString, window);
    std::unique_ptr<QWidget> shown;
    if (window == QLatin1String("splash")) {
        shown = std::make_unique<frmSplash>();
    } else {
        auto background = std::make_unique<frmbackground>();
        background->showVarSpeedEntry(QIcon());
        shown = std::move(background);
    }
    QStringList texts;
    collect(shown.get(), &texts);
    QVERIFY(texts.size() >= 5);
    for (const QString& text : std::as_const(texts))
        QVERIFY2(!text.contains(chinese()), qPrintable(text));

    const QList<TextLabel*> labels = shown->findChildren<TextLabel*>();
    // The icons: every picture but the one the whole window shows.
    QList<PictureBox*> icons = shown->findChildren<PictureBox*>();
    icons.removeIf([&](const PictureBox* p) { return p->geometry().contains(shown->rect()); });
    QVERIFY(!icons.isEmpty());
    for (const TextLabel* label : labels) {
        const QString name = label->objectName();
        QVERIFY2(shown->rect().contains(label->geometry()), qPrintable(name));
        if (label->wordWrap()) {
            QVERIFY2(label->textHeight() <= label->height(), qPrintable(name));
            const QFontMetrics metrics(label->font());
            for (const QString& word : label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
                QVERIFY2(metrics.horizontalAdvance(word) <= label->width(), qPrintable(name + QLatin1Char(' ') + word));
        } else {
            QVERIFY2(label->textWidth() <= label->width(), qPrintable(name));
        }
        for (const QWidget* icon : std::as_const(icons))
            QVERIFY2(!label->geometry().intersects(icon->geometry()), qPrintable(name + QLatin1Char(' ') + icon->objectName()));
        for (const TextLabel* other : labels) {
            const bool titleOverItsCopy = name.startsWith(QLatin1String("lblProductName_")) &&
                                          other->objectName().startsWith(QLatin1String("lblProductName_"));
            if (other != label && !titleOverItsCopy)
                QVERIFY2(!label->geometry().intersects(other->geometry()),
                         qPrintable(name + QLatin1Char(' ') + other->objectName()));
        }
    }
}

QTEST_MAIN(TestEnglishWindows)
#include "tst_englishwindows.moc"
