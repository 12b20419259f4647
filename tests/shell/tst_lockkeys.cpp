#include "shell/lockkeys.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

using namespace tarnwick;

class TestLockKeys : public QObject
{
    Q_OBJECT

private slots:
    void readsKeys_data();
    void readsKeys();
    void eachKeySeenOnce();
};

void TestLockKeys::readsKeys_data()
{
    QTest::addColumn<bool>("capsBefore");
    QTest::addColumn<bool>("numBefore");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("capsAfter");
    QTest::addColumn<bool>("numAfter");

    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("caps lock toggles on")
        << false << false << int(Qt::Key_CapsLock) << none << QString() << true << false;
    QTest::newRow("caps lock toggles off")
        << true << true << int(Qt::Key_CapsLock) << none << QString() << false << true;
    QTest::newRow("num lock toggles on") << false << false << int(Qt::Key_NumLock) << none << QString() << false
                                         << true;
    QTest::newRow("upper case letter") << false << false << int(Qt::Key_A) << none << u"A"_qs << true << false;
    QTest::newRow("lower case letter") << true << false << int(Qt::Key_A) << none << u"a"_qs << false << false;
    QTest::newRow("shifted lower case") << false << false << int(Qt::Key_Q) << shift << u"q"_qs << true << false;
    QTest::newRow("shifted upper case") << true << false << int(Qt::Key_Q) << shift << u"Q"_qs << false << false;
    QTest::newRow("control letter tells nothing")
        << true << false << int(Qt::Key_A) << int(Qt::ControlModifier) << u"a"_qs << true << false;
    QTest::newRow("digit tells nothing") << true << false << int(Qt::Key_5) << none << u"5"_qs << true << false;
    QTest::newRow("keypad digit") << false << false << int(Qt::Key_7) << keypad << u"7"_qs << false << true;
    QTest::newRow("keypad point") << false << false << int(Qt::Key_Period) << keypad << u"."_qs << false << true;
    QTest::newRow("keypad home") << false << true << int(Qt::Key_Home) << keypad << QString() << false << false;
    QTest::newRow("shifted keypad home") << false << true << int(Qt::Key_Home) << (keypad | shift) << QString() << false
                                         << true;
    QTest::newRow("plain home") << false << true << int(Qt::Key_Home) << none << QString() << false << true;
}

void TestLockKeys::readsKeys()
{
    QFETCH(bool, capsBefore);
    QFETCH(bool, numBefore);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, capsAfter);
    QFETCH(bool, numAfter);

    LockKeyTracker tracker;
    tracker.setCapsLock(capsBefore);
    tracker.setNumLock(numBefore);
    QSignalSpy changed(&tracker, &LockKeyTracker::changed);
    const QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    const bool reported = tracker.observe(press);
    QCOMPARE(tracker.capsLock(), capsAfter);
    QCOMPARE(tracker.numLock(), numAfter);
    const bool differs = capsBefore != capsAfter || numBefore != numAfter;
    QCOMPARE(reported, differs);
    QCOMPARE(changed.size(), differs ? 1 : 0);

    // Releases and auto-repeated lock keys change nothing.
    const QKeyEvent release(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers), text);
    QVERIFY(!tracker.observe(release));
    const QKeyEvent repeat(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier, QString(), true);
    QVERIFY(!tracker.observe(repeat));
}

void TestLockKeys::eachKeySeenOnce()
{
    // A key travels from the window to the focus widget and up its parents;
    // the state must toggle once per key, not once per receiver.
    QWidget top;
    auto* child = new QWidget(&top);
    child->setFocusPolicy(Qt::StrongFocus);
    top.show();
    QVERIFY(QTest::qWaitForWindowExposed(&top));
    child->setFocus();
    LockKeyTracker tracker;
    QTest::keyClick(top.windowHandle(), Qt::Key_CapsLock);
    QVERIFY(tracker.capsLock());
    QTest::keyClick(top.windowHandle(), Qt::Key_CapsLock);
    QVERIFY(!tracker.capsLock());
    QTest::keyClick(top.windowHandle(), Qt::Key_B, Qt::NoModifier);
    QVERIFY(!tracker.capsLock());
}

QTEST_MAIN(TestLockKeys)
#include "tst_lockkeys.moc"
