#pragma once

#include "core/expected.h"
#include "store/columnartable.h"
#include "store/database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

namespace tarnwick::store {

// A row set over one whole table or view, in stored order, with a current
// position. It behaves as a static cursor: a snapshot that requery() refreshes.
// The snapshot is kept column by column, each value by its type.
// Appends and deletes go to the database at once and show in the snapshot (a
// deleted row stays in place, marked, until the next requery).
//
// A set opened with ReadRows::OnDemand checks its source and reads the field
// names at open and requery, but reads the rows only when something first
// asks for them. A table that the program mostly appends to and seldom reads
// (all results ever stored) then costs nothing however long it grows.
class RowSet
{
public:
    using FieldValues = QList<std::pair<QString, QVariant>>;

    enum class ReadRows { AtOnce, OnDemand };

    RowSet() = default;

    // Opens the row set and reads the snapshot; stands on the first row.
    bool open(std::shared_ptr<Connection> connection, const QString& tableOrView,
              ReadRows reading = ReadRows::AtOnce);
    bool requery();
    // Reads the rows if they are still to be read; false, with lastError(),
    // when that read failed. Whoever shows a whole on-demand set asks this
    // first, so that a failed read is reported rather than shown as no rows.
    bool ensureRows() const;
    bool isOpen() const { return m_connection != nullptr; }
    const QString& source() const { return m_source; }
    const QString& lastError() const { return m_error; }
    QSqlDatabase connectionDatabase() const { return m_connection ? m_connection->database() : QSqlDatabase(); }
    QString databasePath() const { return m_connection ? m_connection->path() : QString(); }

    void moveFirst();
    void moveNext();
    void moveLast();
    bool eof() const
    {
        const Snapshot& s = snapshot();
        return s.position < 0 || s.position >= s.rows.size();
    }
    // Rows of the snapshot that are not deleted.
    int recordCount() const { return snapshot().rows.size() - snapshot().deletedCount; }
    int position() const { return snapshot().position; }
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
    int snapshotSize() const { return snapshot().rows.size(); }
    bool isDeleted(int row) const { return snapshot().deleted.at(static_cast<std::size_t>(row)); }
    QVariant valueAt(int row, int column) const { return snapshot().rows.value(row, column); }
    // The length of a text value, -1 for any other (for sizing columns
    // without making every cell's text).
    int textLengthAt(int row, int column) const { return snapshot().rows.textLength(row, column); }

    // Whether the source keeps each run's exact moment beside its fields,
    // and that moment for a row of the snapshot (null where the row has
    // none). It is never one of fieldNames(); append() takes it by its name.
    bool hasInstant() const { return m_hasInstant; }
    QVariant instantAt(int row) const { return m_hasInstant ? snapshot().instants.value(row, 0) : QVariant(); }

private:
    struct Snapshot
    {
        ColumnarTable rows;
        ColumnarTable keys{1};
        ColumnarTable instants{1};
        std::vector<bool> deleted;
        int deletedCount = 0;
        int position = -1;
    };

    bool fail(const QString& message) const;
    bool readRowByKey(const QVariant& key, QVariantList* row, QVariant* instant);
    // The rows, read first if they are still to be read.
    const Snapshot& snapshot() const;
    Snapshot& snapshot();
    bool readRows() const;

    std::shared_ptr<Connection> m_connection;
    QString m_source;
    ReadRows m_reading = ReadRows::AtOnce;
    bool m_hasRowKey = false;
    bool m_writable = false;
    bool m_hasInstant = false;
    QString m_sql;
    QStringList m_fields; // without the row key
    // Filled when the rows are read; an on-demand set reads them on first use.
    mutable QString m_error;
    mutable Snapshot m_snapshot;
    mutable bool m_rowsRead = false;
    mutable bool m_readFailed = false;
    mutable QVariant m_standOn; // the row appended before the rows were read
};

// Whether a field value holds a number (rather than a text, a blob or nothing).
bool isNumericValue(const QVariant& v);

// Field values compare as the database compares them: numbers by value, texts
// exactly.
bool fieldValuesEqual(const QVariant& a, const QVariant& b);

} // namespace tarnwick::store
