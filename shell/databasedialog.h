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
    explicit DatabaseDialog(const QString& inUse, QWidget* parent = nullptr);

    // Tries the address in the box; the outcome shows below it.
    bool testConnection();
    void keep();

private:
    QLineEdit* m_location;
    QLabel* m_outcome;
};

void showDatabaseDialog(MDIForm1* main);

} // namespace tarnwick
