#include "shell/databasedialog.h"

#include "controls/messagebox.h"
#include "shell/mdiform1.h"
#include "shell/shelltexts.h"
#include "store/database.h"
#include "store/databaselocation.h"
#include "store/dbcopy.h"
#include "store/names.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

namespace tarnwick {

DatabaseDialog::DatabaseDialog(const QString& inUse, QWidget* parent, bool atStartUp)
    : QDialog(parent), m_atStartUp(atStartUp)
{
    setObjectName(QStringLiteral("DatabaseDialog"));
    setWindowTitle(shelltext::databaseDialogTitle());
    auto* layout = new QVBoxLayout(this);
    auto* current = new QLabel(inUse, this);
    current->setObjectName(QStringLiteral("inUse"));
    current->setWordWrap(true);
    current->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(current);
    layout->addWidget(new QLabel(shelltext::databaseToUse(atStartUp), this));
    m_location = new QLineEdit(store::settingsDatabase(), this);
    m_location->setObjectName(QStringLiteral("location"));
    m_location->setMinimumWidth(480);
    layout->addWidget(m_location);
    auto* passwords = new QLabel(shelltext::passwordsNotKept(), this);
    passwords->setWordWrap(true);
    layout->addWidget(passwords);
    m_outcome = new QLabel(this);
    m_outcome->setObjectName(QStringLiteral("outcome"));
    m_outcome->setWordWrap(true);
    m_outcome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_outcome);
    layout->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* test = buttons->addButton(shelltext::testConnectionButton(), QDialogButtonBox::ActionRole);
    test->setObjectName(QStringLiteral("testConnection"));
    QPushButton* ok = buttons->addButton(shelltext::okButton(), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("keep"));
    QPushButton* cancel = buttons->addButton(shelltext::cancel(), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    layout->addWidget(buttons);
    connect(test, &QPushButton::clicked, this, [this] { testConnection(); });
    connect(ok, &QPushButton::clicked, this, [this] {
        // A refused setting leaves the dialog open, to be corrected.
        if (!confirmKeep() || !keep())
            return;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool DatabaseDialog::testConnection()
{
    const QString location = m_location->text().trimmed();
    m_tried = location;
    m_triedWorked = false;
    if (location.isEmpty()) {
        showOutcome(shelltext::noDatabaseGiven());
        return false;
    }
    auto connection = store::Connection::open(location, store::Connection::Access::ReadOnly);
    if (!connection) {
        showOutcome(connection.error());
        return false;
    }
    // The windows open a file by its folder and the program's file name.
    if (!store::isServerLocation(location) && QFileInfo(location).fileName() != store::names::databaseFileName()) {
        showOutcome(shelltext::wrongDatabaseName().arg(store::names::databaseFileName(),
                                                       QDir::toNativeSeparators(location)));
        return false;
    }
    const auto tables = store::readTableInfo(connection.value()->database());
    if (!tables) {
        showOutcome(tables.error());
        return false;
    }
    bool hasCatalogue = false;
    for (const store::TableInfo& table : tables.value())
        hasCatalogue = hasCatalogue || table.name == store::names::pumpTable();
    if (!hasCatalogue) {
        showOutcome(shelltext::noProgramTables());
        return false;
    }
    showOutcome(shelltext::connected().arg(store::shownLocation(location)).arg(tables->size()));
    m_triedWorked = true;
    return true;
}

void DatabaseDialog::showOutcome(const QString& text)
{
    m_outcome->setText(text);
    // A wrapped label does not grow its window by itself: the window is made
    // as high as the text needs at its width, so nothing runs under the
    // buttons.
    if (QLayout* box = layout()) {
        box->activate();
        const int needed = box->totalHeightForWidth(width());
        if (needed > height()) {
            setMinimumHeight(needed);
            resize(width(), needed);
        }
    }
}

bool DatabaseDialog::confirmKeep()
{
    const QString location = m_location->text().trimmed();
    // Empty is the usual database beside the program or in the user's data
    // folder; an unchanged setting is no new choice.
    if (location.isEmpty() || (!m_atStartUp && location == store::settingsDatabase()))
        return true;
    if (location != m_tried)
        testConnection();
    if (m_triedWorked)
        return true;
    return askYesNo(this, shelltext::keepFailedDatabase().arg(store::shownLocation(location), m_outcome->text()));
}

bool DatabaseDialog::keep()
{
    const QString location = m_location->text().trimmed();
    const QString before = store::settingsDatabase();
    QString refused;
    if (!store::setSettingsDatabase(location, &refused)) {
        showInformation(this, refused + shelltext::databaseSettingUnchanged());
        return false;
    }
    QString note;
    const auto address = store::isServerLocation(location) ? store::parseServerAddress(location)
                                                           : Expected<store::ServerAddress, QString>::failure(QString());
    if (address && address->hasPassword())
        note = shelltext::addressPasswordNotKept();
    if (store::settingsDatabase() != before && !m_atStartUp)
        note += shelltext::databaseAtNextStart();
    if (!note.isEmpty())
        showInformation(this, note.trimmed());
    return true;
}

void showDatabaseDialog(MDIForm1* main)
{
    // The status bar names the database and where it came from; a window
    // loaded without the start-up's description names only the database.
    QString inUse = main->statusBar()->toolTip();
    if (inUse.isEmpty())
        inUse = shelltext::defaultDatabaseInUse().arg(store::shownLocation(store::databasePath(main->databasePlace())));
    auto* dialog = new DatabaseDialog(inUse, main);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace tarnwick
