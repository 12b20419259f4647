#pragma once

#include "core/expected.h"
#include "store/database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <utility>

namespace tarnwick::store {

// A row set over one whole table or view, in stored order, with a current
// position. It behaves as a static cursor: a snapshot that requery() refreshes.
// Appends and deletes go to the database at once and show in the snapshot (a
// deleted row stays in place, marked, until the next requery).
class RowSet
{
public:
    using FieldValues = QList<std::pair<QString, QVariant>>;

    RowSet() = default;

    // Opens the row set and reads the snapshot; stands on the first row.
    bool open(std::shared_ptr<Connection> connection, const QString& tableOrView);
    bool requery();
    bool isOpen() const { return m_connection != nullptr; }
    const QString& source() const { return m_source; }
    const QString& lastError() const { return m_error; }
    QSqlDatabase connectionDatabase() const { return m_connection ? m_connection->database() : QSqlDatabase(); }

    void moveFirst();
    void moveNext();
    void moveLast();
    bool eof() const { return m_position < 0 || m_position >= m_rows.size(); }
    // Rows of the snapshot that are not deleted.
    int recordCount() const { return static_cast<int>(m_rows.size()) - m_deletedCount; }
    int position() const { return m_position; }
    void setPosition(int position);

    // Searches forward from the current row (inclusive) for the first row whose
    // field equals the value; stands past the end when none does.
    bool findForward(const QString& field, const QVariant& value);

    // The field of the current row. Reading past the end, or a field the
    // source does not have, is an error the caller sees.
    Expected<QVariant, QString> field(const QString& name) const;

    // Appends one row, committed at once, and stands on it.
    bool append(const FieldValues& values);
    // Deletes the current row in the database.
    bool deleteCurrent();

    // Snapshot access for views over the whole set (grids, reports).
    const QStringList& fieldNames() const { return m_fields; }
    int fieldIndex(const QString& name) const { return m_fields.indexOf(name); }
    int snapshotSize() const { return static_cast<int>(m_rows.size()); }
    bool isDeleted(int row) const { return m_deleted.at(row); }
    const QVariant& valueAt(int row, int column) const { return m_rows.at(row).at(column); }

private:
    bool fail(const QString& message);
    bool readRowByKey(const QVariant& key, QVariantList* row);

    std::shared_ptr<Connection> m_connection;
    QString m_source;
    QString m_error;
    bool m_hasRowKey = false;
    QStringList m_fields; // without the row key
    QList<QVariantList> m_rows;
    QList<QVariant> m_rowKeys;
    QList<bool> m_deleted;
    int m_deletedCount = 0;
    int m_position = -1;
};

// Whether a field value holds a number (rather than a text, a blob or nothing).
bool isNumericValue(const QVariant& v);

// Field values compare as the database compares them: numbers by value, texts
// exactly.
bool fieldValuesEqual(const QVariant& a, const QVariant& b);

} // namespace tarnwick::store
