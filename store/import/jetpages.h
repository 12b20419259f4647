#pragma once

#include "store/import/libmdb.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtEndian>

namespace tarnwick::import {

// Row offsets on a page carry two flag bits above the offset itself.
inline constexpr int kOffsetMask = 0x1FFF;
inline constexpr quint8 kDataPage = 0x01;

inline quint16 le16(const unsigned char* p)
{
    return qFromLittleEndian<quint16>(p);
}
inline quint32 le32(const unsigned char* p)
{
    return qFromLittleEndian<quint32>(p);
}

// The pages of an open file as libmdb reads them, with what is needed to check
// every row against the file and the page before it is used.
struct JetPages
{
    MdbHandle* mdb = nullptr;
    qint64 pageCount = 0;
    int pageSize = 0;

    // Replaces libmdb's catalogue with the given entries (as its own catalogue
    // reading would leave them; closing the handle frees them).
    void setCatalogue(const QList<MdbCatalogEntry>& entries) const;

    // The catalogue entry of a table, or null.
    MdbCatalogEntry* tableEntry(const QString& name) const;
};

// libmdb leaves a table whose usage map row is empty without a usage map, and
// then reads through the missing map when it looks for the next data page:
// such a definition is refused (null).
MdbTableDef* readTableDefinition(MdbCatalogEntry* entry);

} // namespace tarnwick::import
