#include "shell/databasedialog.h"

#include "controls/messagebox.h"
#include "shell/mdiform1.h"
#include "store/database.h"
#include "store/dbcopy.h"
#include "store/names.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

namespace tarnwick {

namespace {

QString inUseText(const QString& inUse)
{
    return inUse.isEmpty() ? QStringLiteral("数据库：%1").arg(store::shownLocation(store::databasePath(store::programFolder())))
                           : inUse;
}

} // namespace

DatabaseDialog::DatabaseDialog(const QString& inUse, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DatabaseDialog"));
    setWindowTitle(QStringLiteral("数据库连接"));
    auto* layout = new QVBoxLayout(this);
    auto* current = new QLabel(inUseText(inUse), this);
    current->setObjectName(QStringLiteral("inUse"));
    current->setWordWrap(true);
    current->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(current);
    layout->addWidget(new QLabel(QStringLiteral("下次启动时使用的数据库（数据库文件，或 PostgreSQL 地址，如\n"
                                                "postgresql://用户@服务器:5432/库名；留空则用程序目录或用户数据目录中的数据库）："),
                                 this));
    m_location = new QLineEdit(store::settingsDatabase(), this);
    m_location->setObjectName(QStringLiteral("location"));
    m_location->setMinimumWidth(480);
    layout->addWidget(m_location);
    layout->addWidget(new QLabel(QStringLiteral("密码不保存在设置中：请写在 PostgreSQL 的密码文件（~/.pgpass）中，或设在环境变量 PGPASSWORD 中。"),
                                 this));
    m_outcome = new QLabel(this);
    m_outcome->setObjectName(QStringLiteral("outcome"));
    m_outcome->setWordWrap(true);
    layout->addWidget(m_outcome);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* test = buttons->addButton(QStringLiteral("测试连接(&T)"), QDialogButtonBox::ActionRole);
    test->setObjectName(QStringLiteral("testConnection"));
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("keep"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    layout->addWidget(buttons);
    connect(test, &QPushButton::clicked, this, [this] { testConnection(); });
    connect(ok, &QPushButton::clicked, this, [this] {
        keep();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool DatabaseDialog::testConnection()
{
    const QString location = m_location->text().trimmed();
    if (location.isEmpty()) {
        m_outcome->setText(QStringLiteral("没有填写数据库。"));
        return false;
    }
    auto connection = store::Connection::open(location, store::Connection::Access::ReadOnly);
    if (!connection) {
        m_outcome->setText(connection.error());
        return false;
    }
    const auto tables = store::readTableInfo(connection.value()->database());
    if (!tables) {
        m_outcome->setText(tables.error());
        return false;
    }
    bool hasCatalogue = false;
    for (const store::TableInfo& table : tables.value())
        hasCatalogue = hasCatalogue || table.name == store::names::pumpTable();
    if (!hasCatalogue) {
        m_outcome->setText(QStringLiteral("连接成功，但这个数据库中没有本程序的表。请先用 tarnwick-cli init-db 或 copy-db 建立。"));
        return false;
    }
    m_outcome->setText(QStringLiteral("连接成功：%1 中有本程序的 %2 张表。").arg(store::shownLocation(location)).arg(tables->size()));
    return true;
}

void DatabaseDialog::keep()
{
    const QString location = m_location->text().trimmed();
    const QString before = store::settingsDatabase();
    QString refused;
    if (!store::setSettingsDatabase(location, &refused)) {
        showInformation(this, refused + QStringLiteral("\n数据库设置没有改变。"));
        return;
    }
    QString note;
    const auto address = store::isServerLocation(location) ? store::parseServerAddress(location)
                                                           : Expected<store::ServerAddress, QString>::failure(QString());
    if (address && address->hasPassword())
        note = QStringLiteral("地址中的密码没有保存，请把它写在 PostgreSQL 的密码文件（~/.pgpass）中。\n");
    if (store::settingsDatabase() != before)
        note += QStringLiteral("新的数据库设置在下次启动程序时生效。");
    if (!note.isEmpty())
        showInformation(this, note.trimmed());
}

void showDatabaseDialog(MDIForm1* main)
{
    auto* dialog = new DatabaseDialog(main->statusBar()->toolTip(), main);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace tarnwick
