#pragma once

#include "core/expected.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

namespace tarnwick::import {

// The column types of an Access (Jet 3 / Jet 4) table.
enum class AccessType {
    Boolean,
    Byte,
    Integer,  // 16-bit
    Long,     // 32-bit
    Currency, // 64-bit, ten-thousandths
    Single,
    Double,
    DateTime,
    Binary,
    Text,
    OleObject,
    Memo,
    Guid,    // replication ID
    Decimal, // Jet 4 NUMERIC
    Unknown,
};

struct AccessColumn
{
    QString name;
    AccessType type = AccessType::Unknown;
    int jetType = 0; // the type byte as stored
    int size = 0;    // bytes; for Text the declared length in characters
    int precision = 0;
    int scale = 0;
};

struct AccessTable
{
    QString name;
    QList<AccessColumn> columns;
    qint64 rowCount = 0; // as the table definition states it
};

// A value as read, before it is written anywhere:
//   NULL: an invalid QVariant; Boolean, Byte, Integer, Long: qint64;
//   Single: the 32-bit value widened to double; Double, Currency: double;
//   DateTime: ISO text "yyyy-MM-dd HH:mm:ss" (a value outside Access's date
//   range stays the raw day number, as double); Text, Memo, Guid, Decimal:
//   QString; Binary, OleObject, Unknown: the raw bytes as QByteArray.
using AccessRow = QVariantList;

// Counts of what needed a fallback while reading.
struct AccessReadNotes
{
    int undecodableCharacters = 0; // bytes the code page does not define, kept as U+FFFD
    int datesOutOfRange = 0;       // kept as the raw day number
};

// One Access file opened for reading with libmdb. Every structure read from
// the file is checked against the page size and the row counts before use, so
// a damaged file gives a message instead of missing rows.
class AccessFile
{
public:
    // `textEncoding` overrides the code page of a Jet 3 file ("936", "GBK",
    // ...); empty means the code page its header names.
    static Expected<std::unique_ptr<AccessFile>, QString> open(const QString& path, const QString& textEncoding = {});
    ~AccessFile();
    AccessFile(const AccessFile&) = delete;
    AccessFile& operator=(const AccessFile&) = delete;

    // 3 for Access 97 (Jet 3), 4 for Access 2000-2003 (Jet 4), 5 and up for
    // the later formats libmdb reads.
    int jetVersion() const { return m_jetVersion; }
    QString formatName() const;
    int codePage() const { return m_codePage; }
    // The iconv name Jet 3 texts are decoded with ("CP936"); Jet 4 stores UCS-2.
    const QByteArray& textEncoding() const { return m_encoding; }

    // The user tables (no system tables, no queries), in catalogue order.
    const QStringList& tableNames() const { return m_tables; }

    // The definition of one table.
    Expected<AccessTable, QString> table(const QString& name);

    // Calls `row` for every row of the table in stored order; stops when it
    // returns false. Fails when the file does not hold what the table
    // definition promises.
    bool readRows(const QString& name, const std::function<bool(const AccessRow&)>& row, AccessReadNotes* notes,
                  QString* error);

    // What libmdb printed while reading (its warnings go to stderr, which is
    // captured so that the program's own message is the one the user sees).
    const QStringList& libraryMessages() const { return m_libraryMessages; }

    struct Private;

private:
    AccessFile() = default;
    static Expected<std::unique_ptr<AccessFile>, QString> openFile(const QString& path, const QString& textEncoding);
    bool readCatalogue(QString* error);
    Expected<AccessTable, QString> readTable(const QString& name);
    bool readTableRows(const QString& name, const std::function<bool(const AccessRow&)>& row, AccessReadNotes* notes,
                       QString* error);
    std::unique_ptr<Private> d;
    int m_jetVersion = 0;
    int m_codePage = 0;
    QByteArray m_encoding;
    QStringList m_tables;
    QStringList m_libraryMessages;
    QString m_path;
};

// Access keeps a date as days since 1899-12-30, the fraction being the time
// of day (also for days before 1899-12-30). Empty when outside 0100-9999.
QString accessDateText(double days);

QString accessTypeName(AccessType type);

} // namespace tarnwick::import
