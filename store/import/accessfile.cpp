#include "store/import/accessfile.h"

#include "store/database.h"
#include "store/import/accessrows.h"
#include "store/import/jetpages.h"
#include "store/import/jettext.h"
#include "store/import/librarymessages.h"
#include "store/import/textcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstring>

namespace tarnwick::import {

namespace {

constexpr unsigned kMaxColumns = 256;

QString damaged(const QString& what)
{
    return QCoreApplication::translate("tarnwick::store",
                                       "Access 数据库文件已损坏：%1。可先在 Access 中“压缩和修复数据库”后再转换。")
        .arg(what);
}

} // namespace

struct AccessFile::Private
{
    JetPages pages;
    std::unique_ptr<LegacyDecoder> decoder; // Jet 3 texts

    ~Private()
    {
        if (pages.mdb)
            mdb_close(pages.mdb);
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
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "无法读取文件 %1：%2").arg(shown, file.errorString()));
    const QByteArray header = file.read(0x20);
    const qint64 fileSize = file.size();
    file.close();
    if (header.size() < 0x20 || !store::isAccessHeader(header))
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "文件 %1 不是 Access 数据库。").arg(shown));
    const int jetByte = static_cast<uchar>(header[0x14]);
    const int pageSize = jetByte == MDB_VER_JET3 ? 2048 : 4096;
    // A Jet file is made of whole pages; anything else was cut off.
    if (fileSize < 2 * pageSize || fileSize % pageSize != 0)
        return Result::failure(
            QCoreApplication::translate(
                "tarnwick::store", "Access 数据库文件 %1 不完整（长度 %2 字节不是整页），可能在复制或下载时被截断。")
                .arg(shown, QString::number(fileSize)));

    std::unique_ptr<AccessFile> result(new AccessFile);
    result->d = std::make_unique<Private>();
    result->m_path = path;
    Private& d = *result->d;
    d.pages.mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!d.pages.mdb)
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "无法打开 Access 数据库 %1：文件头无效或版本不受支持。")
                .arg(shown));
    d.pages.pageSize = static_cast<int>(d.pages.mdb->fmt->pg_size);
    d.pages.pageCount = fileSize / d.pages.pageSize;
    MdbHandle* mdb = d.pages.mdb;
    switch (mdb->f->jet_version) {
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
    result->m_codePage = mdb->f->code_page;

    // libmdb decodes names with the iconv handles it opened from environment
    // variables; replace them with the file's own code page before anything
    // is read, so table and field names come out right too.
    QByteArray encoding;
    if (result->m_jetVersion == 3) {
        if (!textEncoding.isEmpty()) {
            encoding = iconvNameForUserText(textEncoding);
            if (encoding.isEmpty())
                return Result::failure(
                    QCoreApplication::translate("tarnwick::store", "不认识的代码页：%1").arg(textEncoding));
        } else {
            encoding = iconvNameForCodePage(result->m_codePage);
            if (encoding.isEmpty())
                encoding = encodingForLanguage(mdb->f->lang_id);
        }
        d.decoder = std::make_unique<LegacyDecoder>(encoding);
    } else {
        encoding = QByteArrayLiteral("UCS-2LE");
    }
    mdb_iconv_close(mdb);
    mdb->iconv_in = iconv_open("UTF-8", encoding.constData());
    mdb->iconv_out = iconv_open(encoding.constData(), "UTF-8");
    if (mdb->iconv_in == reinterpret_cast<iconv_t>(-1) || (d.decoder && !d.decoder->isValid()))
        return Result::failure(QCoreApplication::translate("tarnwick::store", "系统不支持代码页 %1 的转换。")
                                   .arg(QString::fromLatin1(encoding)));
    result->m_encoding = encoding;

    QString error;
    if (!result->readCatalogue(&error))
        return Result::failure(error);
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
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
    d->pages.setCatalogue({systemObjects});

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
    d->pages.setCatalogue(tables);
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
    addLibraryMessages(&m_libraryMessages, messages);
    if (!result)
        return Expected<AccessTable, QString>::failure(withLibraryMessages(result.error(), messages));
    return result;
}

Expected<AccessTable, QString> AccessFile::readTable(const QString& name)
{
    using Result = Expected<AccessTable, QString>;
    MdbCatalogEntry* entry = d->pages.tableEntry(name);
    if (!entry)
        return Result::failure(QCoreApplication::translate("tarnwick::store", "Access 数据库中没有表“%1”。").arg(name));
    if (entry->table_pg == 0 || static_cast<qint64>(entry->table_pg) >= d->pages.pageCount)
        return Result::failure(
            damaged(QCoreApplication::translate("tarnwick::store", "表“%1”的定义页在文件之外").arg(name)));
    MdbTableDef* definition = readTableDefinition(entry);
    if (!definition)
        return Result::failure(
            damaged(QCoreApplication::translate("tarnwick::store", "无法读取表“%1”的定义").arg(name)));
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
            column.type = accessTypeOf(col->col_type);
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
        return Result::failure(
            damaged(QCoreApplication::translate("tarnwick::store", "无法读取表“%1”的字段").arg(name)));
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
    addLibraryMessages(&m_libraryMessages, messages);
    if (!ok)
        *error = withLibraryMessages(*error, messages);
    return ok;
}

bool AccessFile::readTableRows(const QString& name, const std::function<bool(const AccessRow&)>& row,
                               AccessReadNotes* notes, QString* error)
{
    MdbCatalogEntry* entry = d->pages.tableEntry(name);
    if (!entry) {
        *error = QCoreApplication::translate("tarnwick::store", "Access 数据库中没有表“%1”。").arg(name);
        return false;
    }
    const auto definition = readTable(name);
    if (!definition) {
        *error = definition.error();
        return false;
    }
    MdbTableDef* t = readTableDefinition(entry);
    if (!t) {
        *error = damaged(QCoreApplication::translate("tarnwick::store", "无法读取表“%1”的定义").arg(name));
        return false;
    }
    std::unique_ptr<MdbTableDef, void (*)(MdbTableDef*)> guard(t, mdb_free_tabledef);
    if (!mdb_read_columns(t) || t->num_cols != static_cast<unsigned>(definition->columns.size())) {
        *error = damaged(QCoreApplication::translate("tarnwick::store", "无法读取表“%1”的字段").arg(name));
        return false;
    }
    const QList<AccessColumn>& columns = definition->columns;
    for (int c = 0; c < columns.size(); ++c) {
        const int size = fixedSize(columns[c].type);
        if (size != 0 && columns[c].size != size && columns[c].type != AccessType::Decimal) {
            *error = damaged(QCoreApplication::translate("tarnwick::store", "表“%1”的字段“%2”的长度无效")
                                 .arg(name, columns[c].name));
            return false;
        }
    }

    MdbHandle* mdb = d->pages.mdb;
    const int pageSize = d->pages.pageSize;
    const auto where = [&](qint64 rowNumber) {
        return QCoreApplication::translate("tarnwick::store", "表“%1”第 %2 行").arg(name, QString::number(rowNumber));
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
        if (!decodeRow(d->pages, d->decoder.get(), columns, fields, &values, notes, error)) {
            *error = damaged(where(count) + *error);
            return false;
        }
        if (!row(values))
            return true;
    }
    if (count != definition->rowCount) {
        *error = damaged(QCoreApplication::translate("tarnwick::store", "表“%1”应有 %2 行，实际读到 %3 行")
                             .arg(name, QString::number(definition->rowCount), QString::number(count)));
        return false;
    }
    return true;
}

} // namespace tarnwick::import
