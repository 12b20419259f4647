#include "store/import/longvalues.h"

#include <set>

namespace tarnwick::import {

namespace {

// One row of a long-value page, addressed as page << 8 | row.
bool longValueRow(const JetPages& pages, quint32 pageRow, QByteArrayView* row, QString* error)
{
    const quint32 page = pageRow >> 8;
    const int index = static_cast<int>(pageRow & 0xFF);
    if (page == 0 || page >= pages.pageCount) {
        *error = QStringLiteral("长字段指向文件之外的页 %1").arg(page);
        return false;
    }
    void* buffer = nullptr;
    int offset = 0;
    size_t length = 0;
    if (mdb_find_pg_row(pages.mdb, static_cast<int>(pageRow), &buffer, &offset, &length) != 0 || !buffer) {
        *error = QStringLiteral("无法读取第 %1 页").arg(page);
        return false;
    }
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    const int rowCount = le16(bytes + pages.mdb->fmt->row_count_offset);
    offset &= kOffsetMask;
    if (bytes[0] != kDataPage || index >= rowCount || offset + static_cast<qint64>(length) > pages.pageSize) {
        *error = QStringLiteral("第 %1 页不是有效的数据页").arg(page);
        return false;
    }
    *row = QByteArrayView(reinterpret_cast<const char*>(bytes + offset), static_cast<qsizetype>(length));
    return true;
}

} // namespace

bool readLongValue(const JetPages& pages, const unsigned char* field, int size, QByteArray* value, QString* error)
{
    *value = QByteArray("", 0); // empty, but a value: not NULL
    if (size == 0)
        return true;
    if (size < kLongValueHeader) {
        *error = QStringLiteral("长字段的引用不完整");
        return false;
    }
    const quint32 header = le32(field);
    const quint32 length = header & 0x3FFFFFFF;
    const quint32 kind = header & 0xC0000000;
    if (kind == 0x80000000) {
        if (length > static_cast<quint32>(size - kLongValueHeader)) {
            *error = QStringLiteral("行内长字段超出了行的范围");
            return false;
        }
        value->append(reinterpret_cast<const char*>(field + kLongValueHeader), length);
        return true;
    }
    if (kind != 0x40000000 && kind != 0) {
        *error = QStringLiteral("长字段的类型标志无效");
        return false;
    }
    const bool chained = kind == 0;
    quint32 pageRow = le32(field + 4);
    std::set<quint32> visited;
    value->reserve(length);
    while (true) {
        if (!visited.insert(pageRow).second) {
            *error = QStringLiteral("长字段的页链成环");
            return false;
        }
        QByteArrayView row;
        if (!longValueRow(pages, pageRow, &row, error))
            return false;
        if (!chained) {
            if (static_cast<quint32>(row.size()) < length) {
                *error = QStringLiteral("长字段比记录的长度短");
                return false;
            }
            value->append(row.first(length));
            return true;
        }
        if (row.size() < 4) {
            *error = QStringLiteral("长字段的页链不完整");
            return false;
        }
        const quint32 next = le32(reinterpret_cast<const unsigned char*>(row.data()));
        value->append(row.sliced(4));
        if (static_cast<quint32>(value->size()) >= length) {
            value->truncate(length);
            return true;
        }
        if (next == 0) {
            *error = QStringLiteral("长字段比记录的长度短");
            return false;
        }
        pageRow = next;
    }
}

} // namespace tarnwick::import
