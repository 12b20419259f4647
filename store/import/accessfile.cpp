#include "store/import/accessfile.h"

#include "store/database.h"
#include "store/import/libmdb.h"
#include "store/import/textcodec.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <QUuid>
#include <QtEndian>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <unistd.h>

namespace tarnwick::import {

namespace {

// Row offsets on a page carry two flag bits above the offset itself.
constexpr int kOffsetMask = 0x1FFF;
// The 12-byte reference in a row that points at a memo or OLE value.
constexpr int kLongValueHeader = 12;
constexpr unsigned kMaxColumns = 256;
constexpr quint8 kDataPage = 0x01;

// Day numbers of 0100-01-01 and 9999-12-31, the range Access accepts.
constexpr double kFirstAccessDay = -657434.0;
constexpr double kLastAccessDay = 2958465.0;

quint16 le16(const unsigned char* p)
{
    return qFromLittleEndian<quint16>(p);
}
quint32 le32(const unsigned char* p)
{
    return qFromLittleEndian<quint32>(p);
}

// Sends what libmdb prints (warnings on stderr, the odd dump on stdout) into a
// temporary file while alive and hands the lines over at the end: libmdb
// reports problems only there, and the program's own message should be the
// one the user reads.
class LibraryMessages
{
public:
    explicit LibraryMessages(QStringList* sink) : m_sink(sink)
    {
        std::fflush(stdout);
        std::fflush(stderr);
        m_file = std::tmpfile();
        if (!m_file)
            return;
        for (int i = 0; i < 2; ++i) {
            m_saved[i] = ::dup(kStreams[i]);
            if (m_saved[i] >= 0)
                ::dup2(::fileno(m_file), kStreams[i]);
        }
    }
    ~LibraryMessages()
    {
        if (!m_file)
            return;
        std::fflush(stdout);
        std::fflush(stderr);
        for (int i = 0; i < 2; ++i) {
            if (m_saved[i] >= 0) {
                ::dup2(m_saved[i], kStreams[i]);
                ::close(m_saved[i]);
            }
        }
        std::rewind(m_file);
        QByteArray text;
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof(buffer), m_file)) > 0 && text.size() < 65536)
            text.append(buffer, static_cast<qsizetype>(n));
        std::fclose(m_file);
        for (const QByteArray& line : text.split('\n')) {
            const QString message = QString::fromUtf8(line).trimmed();
            if (!message.isEmpty() && !m_sink->contains(message) && m_sink->size() < 50)
                m_sink->append(message);
        }
    }
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;

private:
    static constexpr int kStreams[2] = {STDOUT_FILENO, STDERR_FILENO};
    QStringList* m_sink;
    std::FILE* m_file = nullptr;
    int m_saved[2] = {-1, -1};
};

// A failure message with the first lines libmdb printed, for whoever has to
// look into the file.
QString withLibraryMessages(const QString& error, const QStringList& messages)
{
    if (messages.isEmpty())
        return error;
    return error + QStringLiteral("\nmdbtools 的提示：") + messages.mid(0, 3).join(QStringLiteral("；"));
}

QString damaged(const QString& what)
{
    return QStringLiteral("Access 数据库文件已损坏：%1。可先在 Access 中“压缩和修复数据库”后再转换。").arg(what);
}

AccessType typeOf(int jetType)
{
    switch (jetType) {
    case MDB_BOOL:
        return AccessType::Boolean;
    case MDB_BYTE:
        return AccessType::Byte;
    case MDB_INT:
        return AccessType::Integer;
    case MDB_LONGINT:
        return AccessType::Long;
    case MDB_MONEY:
        return AccessType::Currency;
    case MDB_FLOAT:
        return AccessType::Single;
    case MDB_DOUBLE:
        return AccessType::Double;
    case MDB_DATETIME:
        return AccessType::DateTime;
    case MDB_BINARY:
        return AccessType::Binary;
    case MDB_TEXT:
        return AccessType::Text;
    case MDB_OLE:
        return AccessType::OleObject;
    case MDB_MEMO:
        return AccessType::Memo;
    case MDB_REPID:
        return AccessType::Guid;
    case MDB_NUMERIC:
        return AccessType::Decimal;
    default:
        return AccessType::Unknown;
    }
}

// Bytes a fixed-size value occupies in a row; 0 for variable-size types.
int fixedSize(AccessType type)
{
    switch (type) {
    case AccessType::Byte:
        return 1;
    case AccessType::Integer:
        return 2;
    case AccessType::Long:
    case AccessType::Single:
        return 4;
    case AccessType::Currency:
    case AccessType::Double:
    case AccessType::DateTime:
        return 8;
    case AccessType::Guid:
        return 16;
    case AccessType::Decimal:
        return 17;
    default:
        return 0;
    }
}

// The code page of a Jet 3 file whose header names none, from its sort order.
QByteArray encodingForLanguage(int languageId)
{
    switch (languageId & 0x3FF) {
    case 0x04: // Chinese: Taiwan and Hong Kong use Big5, the rest GBK
        return (languageId == 0x0404 || languageId == 0x0C04 || languageId == 0x1404) ? QByteArrayLiteral("CP950")
                                                                                      : QByteArrayLiteral("CP936");
    case 0x11:
        return QByteArrayLiteral("CP932");
    case 0x12:
        return QByteArrayLiteral("CP949");
    default:
        return QByteArrayLiteral("CP1252");
    }
}

// Jet 4 keeps text as UTF-16LE, optionally "compressed": after the marker FF FE
// a zero byte switches between one byte per character and two.
QString decodeJet4Text(QByteArrayView bytes, int* invalid)
{
    QString text;
    auto appendUtf16 = [&](QByteArrayView segment) {
        const qsizetype units = segment.size() / 2;
        for (qsizetype i = 0; i < units; ++i)
            text.append(QChar(qFromLittleEndian<quint16>(segment.data() + 2 * i)));
        if (segment.size() % 2 != 0) {
            text.append(QChar::ReplacementCharacter);
            ++*invalid;
        }
    };
    if (bytes.size() >= 2 && static_cast<uchar>(bytes[0]) == 0xFF && static_cast<uchar>(bytes[1]) == 0xFE) {
        bool compressed = true;
        qsizetype start = 2;
        for (qsizetype i = 2; i <= bytes.size(); ++i) {
            if (i < bytes.size() && bytes[i] != 0)
                continue;
            const QByteArrayView segment = bytes.sliced(start, i - start);
            if (compressed) {
                for (const char c : segment)
                    text.append(QChar(static_cast<char16_t>(static_cast<uchar>(c))));
            } else {
                appendUtf16(segment);
            }
            compressed = !compressed;
            start = i + 1;
        }
    } else {
        appendUtf16(bytes);
    }
    if (text.isNull())
        text = QStringLiteral("");
    return text;
}

// libmdb leaves a table whose usage map row is empty without a usage map, and
// then reads through the missing map when it looks for the next data page.
MdbTableDef* readTableDefinition(MdbCatalogEntry* entry)
{
    MdbTableDef* table = mdb_read_table(entry);
    if (table && (!table->usage_map || table->map_sz == 0)) {
        mdb_free_tabledef(table);
        return nullptr;
    }
    return table;
}

QString guidText(const unsigned char* p)
{
    const QUuid uuid(le32(p), le16(p + 4), le16(p + 6), p[8], p[9], p[10], p[11], p[12], p[13], p[14], p[15]);
    return uuid.toString(QUuid::WithBraces).toUpper();
}

} // namespace

struct AccessFile::Private
{
    MdbHandle* mdb = nullptr;
    std::unique_ptr<LegacyDecoder> decoder; // Jet 3 texts
    qint64 pageCount = 0;
    int pageSize = 0;

    ~Private()
    {
        if (mdb)
            mdb_close(mdb);
    }

    // Replaces libmdb's catalogue with the given entries (as its own catalogue
    // reading would leave them; closing the handle frees them).
    void setCatalogue(const QList<MdbCatalogEntry>& entries)
    {
        mdb_free_catalog(mdb);
        mdb->catalog = g_ptr_array_new();
        mdb->num_catalog = 0;
        for (const MdbCatalogEntry& entry : entries) {
            auto* copy = static_cast<MdbCatalogEntry*>(g_malloc0(sizeof(MdbCatalogEntry)));
            *copy = entry;
            copy->mdb = mdb;
            g_ptr_array_add(mdb->catalog, copy);
            ++mdb->num_catalog;
        }
    }

    MdbCatalogEntry* entry(const QString& name) const
    {
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type == MDB_TABLE && QString::fromUtf8(entry->object_name) == name)
                return entry;
        }
        return nullptr;
    }

    QString text(QByteArrayView bytes, AccessReadNotes* notes) const
    {
        int invalid = 0;
        const QString result = decoder ? decoder->decode(bytes, &invalid) : decodeJet4Text(bytes, &invalid);
        if (notes)
            notes->undecodableCharacters += invalid;
        return result;
    }

    // A memo or OLE value: kept in the row itself, in one row of a long-value
    // page, or in a chain of such rows.
    bool readLongValue(const unsigned char* field, int size, QByteArray* value, QString* error) const
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
            if (!longValueRow(pageRow, &row, error))
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

    bool longValueRow(quint32 pageRow, QByteArrayView* row, QString* error) const
    {
        const quint32 page = pageRow >> 8;
        const int index = static_cast<int>(pageRow & 0xFF);
        if (page == 0 || page >= pageCount) {
            *error = QStringLiteral("长字段指向文件之外的页 %1").arg(page);
            return false;
        }
        void* buffer = nullptr;
        int offset = 0;
        size_t length = 0;
        if (mdb_find_pg_row(mdb, static_cast<int>(pageRow), &buffer, &offset, &length) != 0 || !buffer) {
            *error = QStringLiteral("无法读取第 %1 页").arg(page);
            return false;
        }
        const auto* bytes = static_cast<const unsigned char*>(buffer);
        const int rowCount = le16(bytes + mdb->fmt->row_count_offset);
        offset &= kOffsetMask;
        if (bytes[0] != kDataPage || index >= rowCount || offset + static_cast<qint64>(length) > pageSize) {
            *error = QStringLiteral("第 %1 页不是有效的数据页").arg(page);
            return false;
        }
        *row = QByteArrayView(reinterpret_cast<const char*>(bytes + offset), static_cast<qsizetype>(length));
        return true;
    }
};

Expected<std::unique_ptr<AccessFile>, QString> AccessFile::open(const QString& path, const QString& textEncoding)
{
    QStringList messages;
    auto result = [&] {
        LibraryMessages capture(&messages);
        return openFile(path, textEncoding);
    }();
    if (!result)
        return Expected<std::unique_ptr<AccessFile>, QString>::failure(withLibraryMessages(result.error(), messages));
    result.value()->m_libraryMessages = messages;
    return result;
}

Expected<std::unique_ptr<AccessFile>, QString> AccessFile::openFile(const QString& path, const QString& textEncoding)
{
    using Result = Expected<std::unique_ptr<AccessFile>, QString>;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(QStringLiteral("无法读取文件 %1：%2").arg(shown, file.errorString()));
    const QByteArray header = file.read(0x20);
    const qint64 fileSize = file.size();
    file.close();
    if (header.size() < 0x20 || !store::isAccessHeader(header))
        return Result::failure(QStringLiteral("文件 %1 不是 Access 数据库。").arg(shown));
    const int jetByte = static_cast<uchar>(header[0x14]);
    const int pageSize = jetByte == MDB_VER_JET3 ? 2048 : 4096;
    // A Jet file is made of whole pages; anything else was cut off.
    if (fileSize < 2 * pageSize || fileSize % pageSize != 0)
        return Result::failure(
            QStringLiteral("Access 数据库文件 %1 不完整（长度 %2 字节不是整页），可能在复制或下载时被截断。")
                .arg(shown, QString::number(fileSize)));

    std::unique_ptr<AccessFile> result(new AccessFile);
    result->d = std::make_unique<Private>();
    result->m_path = path;
    Private& d = *result->d;
    d.mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!d.mdb)
        return Result::failure(QStringLiteral("无法打开 Access 数据库 %1：文件头无效或版本不受支持。").arg(shown));
    d.pageSize = static_cast<int>(d.mdb->fmt->pg_size);
    d.pageCount = fileSize / d.pageSize;
    switch (d.mdb->f->jet_version) {
    case MDB_VER_JET3:
        result->m_jetVersion = 3;
        break;
    case MDB_VER_JET4:
        result->m_jetVersion = 4;
        break;
    default:
        result->m_jetVersion = 5;
        break;
    }
    result->m_codePage = d.mdb->f->code_page;

    // libmdb decodes names with the iconv handles it opened from environment
    // variables; replace them with the file's own code page before anything
    // is read, so table and field names come out right too.
    QByteArray encoding;
    if (result->m_jetVersion == 3) {
        if (!textEncoding.isEmpty()) {
            encoding = iconvNameForUserText(textEncoding);
            if (encoding.isEmpty())
                return Result::failure(QStringLiteral("不认识的代码页：%1").arg(textEncoding));
        } else {
            encoding = iconvNameForCodePage(result->m_codePage);
            if (encoding.isEmpty())
                encoding = encodingForLanguage(d.mdb->f->lang_id);
        }
        d.decoder = std::make_unique<LegacyDecoder>(encoding);
    } else {
        encoding = QByteArrayLiteral("UCS-2LE");
    }
    mdb_iconv_close(d.mdb);
    d.mdb->iconv_in = iconv_open("UTF-8", encoding.constData());
    d.mdb->iconv_out = iconv_open(encoding.constData(), "UTF-8");
    if (d.mdb->iconv_in == reinterpret_cast<iconv_t>(-1) || (d.decoder && !d.decoder->isValid()))
        return Result::failure(QStringLiteral("系统不支持代码页 %1 的转换。").arg(QString::fromLatin1(encoding)));
    result->m_encoding = encoding;

    QString error;
    if (!result->readCatalogue(&error))
        return Result::failure(error);
    for (unsigned i = 0; i < d.mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(d.mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            result->m_tables.append(QString::fromUtf8(entry->object_name));
    }
    return result;
}

AccessFile::~AccessFile() = default;

// libmdb's own catalogue reading also parses the property blob of every table,
// and a damaged blob sends its parser into an endless loop or past the end of
// its buffer. Only names, types, pages and flags are needed here: they are read
// from the system table with the checked row reader (which also makes sure the
// table holds every row its definition states), and the properties are left
// alone.
bool AccessFile::readCatalogue(QString* error)
{
    const QString systemTable = QStringLiteral("MSysObjects");
    const QString unreadable = damaged(QStringLiteral("无法完整读取数据库的对象目录"));
    MdbCatalogEntry systemObjects = {};
    std::memcpy(systemObjects.object_name, "MSysObjects", sizeof("MSysObjects"));
    systemObjects.object_type = MDB_TABLE;
    systemObjects.table_pg = 2; // the system table's fixed page
    d->setCatalogue({systemObjects});

    const auto definition = readTable(systemTable);
    if (!definition) {
        *error = unreadable;
        return false;
    }
    auto columnIndex = [&definition](const char* name) {
        for (int c = 0; c < definition->columns.size(); ++c) {
            if (definition->columns[c].name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return c;
        }
        return -1;
    };
    const int id = columnIndex("Id");
    const int name = columnIndex("Name");
    const int type = columnIndex("Type");
    const int flags = columnIndex("Flags");
    if (id < 0 || name < 0 || type < 0 || flags < 0) {
        *error = unreadable;
        return false;
    }

    QList<MdbCatalogEntry> tables;
    bool nameTooLong = false;
    const bool read = readTableRows(
        systemTable,
        [&](const AccessRow& row) {
            if (row[type].toLongLong() != MDB_TABLE)
                return true;
            const QByteArray objectName = row[name].toString().toUtf8();
            if (objectName.size() > MDB_MAX_OBJ_NAME) {
                nameTooLong = true;
                return false;
            }
            MdbCatalogEntry entry = {};
            std::memcpy(entry.object_name, objectName.constData(), static_cast<std::size_t>(objectName.size()));
            entry.object_type = MDB_TABLE;
            entry.table_pg = static_cast<unsigned long>(row[id].toLongLong() & 0x00FFFFFF);
            entry.flags = static_cast<int>(row[flags].toLongLong());
            tables.append(entry);
            return true;
        },
        nullptr, error);
    if (nameTooLong)
        *error = damaged(QStringLiteral("对象目录中有过长的名称"));
    if (!read || nameTooLong)
        return false;
    d->setCatalogue(tables);
    return true;
}

QString AccessFile::formatName() const
{
    switch (m_jetVersion) {
    case 3:
        return QStringLiteral("Access 97（Jet 3）");
    case 4:
        return QStringLiteral("Access 2000-2003（Jet 4）");
    default:
        return QStringLiteral("Access 2007 及以后");
    }
}

Expected<AccessTable, QString> AccessFile::table(const QString& name)
{
    QStringList messages;
    auto result = [&] {
        LibraryMessages capture(&messages);
        return readTable(name);
    }();
    for (const QString& message : messages) {
        if (!m_libraryMessages.contains(message))
            m_libraryMessages.append(message);
    }
    if (!result)
        return Expected<AccessTable, QString>::failure(withLibraryMessages(result.error(), messages));
    return result;
}

Expected<AccessTable, QString> AccessFile::readTable(const QString& name)
{
    using Result = Expected<AccessTable, QString>;
    MdbCatalogEntry* entry = d->entry(name);
    if (!entry)
        return Result::failure(QStringLiteral("Access 数据库中没有表“%1”。").arg(name));
    if (entry->table_pg == 0 || static_cast<qint64>(entry->table_pg) >= d->pageCount)
        return Result::failure(damaged(QStringLiteral("表“%1”的定义页在文件之外").arg(name)));
    MdbTableDef* definition = readTableDefinition(entry);
    if (!definition)
        return Result::failure(damaged(QStringLiteral("无法读取表“%1”的定义").arg(name)));
    AccessTable table;
    table.name = name;
    table.rowCount = definition->num_rows;
    const bool columnsRead = mdb_read_columns(definition) != nullptr && definition->num_cols <= kMaxColumns &&
                             definition->columns && definition->columns->len == definition->num_cols;
    if (columnsRead) {
        for (unsigned i = 0; i < definition->num_cols; ++i) {
            const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(definition->columns, i));
            AccessColumn column;
            column.name = QString::fromUtf8(col->name);
            column.jetType = col->col_type;
            column.type = typeOf(col->col_type);
            column.size = col->col_size;
            column.precision = col->col_prec;
            column.scale = col->col_scale;
            // Jet 4 counts text lengths in bytes of UTF-16.
            if (column.type == AccessType::Text && m_jetVersion >= 4)
                column.size /= 2;
            table.columns.append(column);
        }
    }
    mdb_free_tabledef(definition);
    if (!columnsRead)
        return Result::failure(damaged(QStringLiteral("无法读取表“%1”的字段").arg(name)));
    return table;
}

bool AccessFile::readRows(const QString& name, const std::function<bool(const AccessRow&)>& row, AccessReadNotes* notes,
                          QString* error)
{
    QStringList messages;
    const bool ok = [&] {
        LibraryMessages capture(&messages);
        return readTableRows(name, row, notes, error);
    }();
    for (const QString& message : messages) {
        if (!m_libraryMessages.contains(message))
            m_libraryMessages.append(message);
    }
    if (!ok)
        *error = withLibraryMessages(*error, messages);
    return ok;
}

bool AccessFile::readTableRows(const QString& name, const std::function<bool(const AccessRow&)>& row,
                               AccessReadNotes* notes, QString* error)
{
    MdbCatalogEntry* entry = d->entry(name);
    if (!entry) {
        *error = QStringLiteral("Access 数据库中没有表“%1”。").arg(name);
        return false;
    }
    const auto definition = readTable(name);
    if (!definition) {
        *error = definition.error();
        return false;
    }
    MdbTableDef* t = readTableDefinition(entry);
    if (!t) {
        *error = damaged(QStringLiteral("无法读取表“%1”的定义").arg(name));
        return false;
    }
    std::unique_ptr<MdbTableDef, void (*)(MdbTableDef*)> guard(t, mdb_free_tabledef);
    if (!mdb_read_columns(t) || t->num_cols != static_cast<unsigned>(definition->columns.size())) {
        *error = damaged(QStringLiteral("无法读取表“%1”的字段").arg(name));
        return false;
    }
    const QList<AccessColumn>& columns = definition->columns;
    for (int c = 0; c < columns.size(); ++c) {
        const int size = fixedSize(columns[c].type);
        if (size != 0 && columns[c].size != size && columns[c].type != AccessType::Decimal) {
            *error = damaged(QStringLiteral("表“%1”的字段“%2”的长度无效").arg(name, columns[c].name));
            return false;
        }
    }

    MdbHandle* mdb = d->mdb;
    const int pageSize = d->pageSize;
    const auto where = [&](qint64 rowNumber) {
        return QStringLiteral("表“%1”第 %2 行").arg(name, QString::number(rowNumber));
    };
    MdbField fields[kMaxColumns];
    qint64 count = 0;
    mdb_rewind_table(t);
    while (mdb_fetch_row(t)) {
        ++count;
        int start = 0;
        size_t size = 0;
        if (t->cur_row == 0 || mdb_find_row(mdb, static_cast<int>(t->cur_row) - 1, &start, &size) != 0) {
            *error = damaged(where(count) + QStringLiteral("的位置无效"));
            return false;
        }
        start &= kOffsetMask;
        if (start + static_cast<qint64>(size) > pageSize || mdb_crack_row(t, start, size, fields) < 0) {
            *error = damaged(where(count) + QStringLiteral("无法解析"));
            return false;
        }
        AccessRow values;
        values.reserve(columns.size());
        for (int c = 0; c < columns.size(); ++c) {
            const AccessColumn& column = columns[c];
            const MdbField& field = fields[c];
            // A yes/no field keeps its value in the row's null mask.
            if (column.type == AccessType::Boolean) {
                values.append(QVariant::fromValue<qint64>(field.is_null ? 0 : 1));
                continue;
            }
            if (field.is_null) {
                values.append(QVariant());
                continue;
            }
            if (field.start < 0 || field.siz < 0 || field.start + static_cast<qint64>(field.siz) > pageSize) {
                *error = damaged(where(count) + QStringLiteral("的字段“%1”超出了数据页").arg(column.name));
                return false;
            }
            const auto* p = static_cast<const unsigned char*>(mdb->pg_buf) + field.start;
            const QByteArrayView bytes(reinterpret_cast<const char*>(p), field.siz);
            const int needed = fixedSize(column.type);
            if (needed != 0 && field.siz < needed) {
                *error = damaged(where(count) + QStringLiteral("的字段“%1”不完整").arg(column.name));
                return false;
            }
            switch (column.type) {
            case AccessType::Byte:
                values.append(QVariant::fromValue<qint64>(p[0]));
                break;
            case AccessType::Integer:
                values.append(QVariant::fromValue<qint64>(qFromLittleEndian<qint16>(p)));
                break;
            case AccessType::Long:
                values.append(QVariant::fromValue<qint64>(qFromLittleEndian<qint32>(p)));
                break;
            case AccessType::Currency:
                // Ten-thousandths as a 64-bit integer; one correctly rounded
                // division gives the double nearest to the amount.
                values.append(static_cast<double>(qFromLittleEndian<qint64>(p)) / 10000.0);
                break;
            case AccessType::Single:
                values.append(static_cast<double>(std::bit_cast<float>(le32(p))));
                break;
            case AccessType::Double:
                values.append(std::bit_cast<double>(qFromLittleEndian<quint64>(p)));
                break;
            case AccessType::DateTime: {
                const double days = std::bit_cast<double>(qFromLittleEndian<quint64>(p));
                const QString text = accessDateText(days);
                if (text.isEmpty()) {
                    values.append(days);
                    if (notes)
                        ++notes->datesOutOfRange;
                } else {
                    values.append(text);
                }
                break;
            }
            case AccessType::Text:
                values.append(d->text(bytes, notes));
                break;
            case AccessType::Memo:
            case AccessType::OleObject: {
                // Reading the long value swaps pages through libmdb's second
                // buffer; the row's own page stays where it is.
                QByteArray value;
                if (!d->readLongValue(p, field.siz, &value, error)) {
                    *error = damaged(where(count) + QStringLiteral("的字段“%1”：").arg(column.name) + *error);
                    return false;
                }
                if (column.type == AccessType::Memo)
                    values.append(d->text(value, notes));
                else
                    values.append(value);
                break;
            }
            case AccessType::Guid:
                values.append(guidText(p));
                break;
            case AccessType::Decimal: {
                char* text = mdb_numeric_to_string(mdb, field.start, column.scale, column.precision);
                values.append(QString::fromLatin1(text));
                g_free(text);
                break;
            }
            case AccessType::Binary:
            case AccessType::Unknown:
            case AccessType::Boolean:
                values.append(bytes.toByteArray());
                break;
            }
        }
        if (!row(values))
            return true;
    }
    if (count != definition->rowCount) {
        *error = damaged(QStringLiteral("表“%1”应有 %2 行，实际读到 %3 行")
                             .arg(name, QString::number(definition->rowCount), QString::number(count)));
        return false;
    }
    return true;
}

QString accessDateText(double days)
{
    if (!std::isfinite(days))
        return {};
    const double whole = std::trunc(days);
    if (whole < kFirstAccessDay || whole > kLastAccessDay)
        return {};
    qint64 dayNumber = static_cast<qint64>(whole);
    qint64 ms = std::llround(std::fabs(days - whole) * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        dayNumber += 1;
    }
    const QDate date = QDate(1899, 12, 30).addDays(dayNumber);
    const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
    return date.toString(QStringLiteral("yyyy-MM-dd ")) +
           time.toString(ms % 1000 == 0 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm:ss.zzz"));
}

QString accessTypeName(AccessType type)
{
    switch (type) {
    case AccessType::Boolean:
        return QStringLiteral("Yes/No");
    case AccessType::Byte:
        return QStringLiteral("Byte");
    case AccessType::Integer:
        return QStringLiteral("Integer");
    case AccessType::Long:
        return QStringLiteral("Long Integer");
    case AccessType::Currency:
        return QStringLiteral("Currency");
    case AccessType::Single:
        return QStringLiteral("Single");
    case AccessType::Double:
        return QStringLiteral("Double");
    case AccessType::DateTime:
        return QStringLiteral("Date/Time");
    case AccessType::Binary:
        return QStringLiteral("Binary");
    case AccessType::Text:
        return QStringLiteral("Text");
    case AccessType::OleObject:
        return QStringLiteral("OLE Object");
    case AccessType::Memo:
        return QStringLiteral("Memo");
    case AccessType::Guid:
        return QStringLiteral("Replication ID");
    case AccessType::Decimal:
        return QStringLiteral("Decimal");
    case AccessType::Unknown:
        break;
    }
    return QStringLiteral("Unknown");
}

} // namespace tarnwick::import
