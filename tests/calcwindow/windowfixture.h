#pragma once

// The fixture of the tests that drive the program's windows: controls found
// by object name, and for each test a new program folder with the
// calculation window's database, every message box answered without showing
// and its text kept.

#include "controls/messagebox.h"
#include "tests/calcwindow/calcwindowfixture.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

namespace tarnwick::testing {

// The control of that type and object name below `parent`; a missing one
// ends the test program, naming it.
template <typename T> T* childOf(QObject* parent, const QString& name)
{
    T* found = parent->findChild<T*>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

// A test class takes this as a base beside QObject, calls setUpWindows() in
// its init() and tearDownWindows() in its cleanup().
class WindowFixture
{
protected:
    // False, with the reason, when the folder cannot be made.
    bool setUpWindows(QString* error)
    {
        m_messages.clear();
        m_answer = true;
        m_folder = makeCalcWindowFolder(error);
        if (!m_folder)
            return false;
        setMessageBoxInterceptor({[this](const QString& text) {
            m_messages.append(text);
            return m_answer;
        }});
        return true;
    }

    // Neither seam answers for the next test, and the folder goes.
    void tearDownWindows()
    {
        setMessageBoxInterceptor({});
        setModalInterceptor({});
        m_folder.reset();
    }

    std::unique_ptr<TestProgramFolder> m_folder;
    QStringList m_messages; // the texts of the message boxes shown, in order
    bool m_answer = true;   // how each message box is answered: yes or no
};

} // namespace tarnwick::testing
