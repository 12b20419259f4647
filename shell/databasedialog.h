#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace tarnwick {

class MDIForm1;

// Shows which database the program works on and keeps the user's choice for
// the next start: a database file or a PostgreSQL address. A connection can
// be tried before it is kept; a password is never kept.
class DatabaseDialog : public QDialog
{
    Q_OBJECT

public:
    // `inUse` says which database the program works on now.
    // `atStartUp`: chosen while the program starts, after the database of the
    // settings could not be opened; the choice then takes effect at once.
    explicit DatabaseDialog(const QString& inUse, QWidget* parent = nullptr, bool atStartUp = false);

    // Tries the address in the box; the outcome shows below it.
    bool testConnection();
    // 确定: a database that cannot be used now is kept only when the user
    // confirms it. False when he did not.
    bool confirmKeep();
    // Keeps the address in the settings; false, after saying why, when the
    // settings refuse it.
    bool keep();

private:
    void showOutcome(const QString& text);

    QLineEdit* m_location;
    QLabel* m_outcome;
    bool m_atStartUp = false;
    // The last address tried and whether it worked.
    QString m_tried;
    bool m_triedWorked = false;
};

void showDatabaseDialog(MDIForm1* main);

} // namespace tarnwick
