#include "store/import/jetpages.h"

namespace tarnwick::import {

void JetPages::setCatalogue(const QList<MdbCatalogEntry>& entries) const
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

MdbCatalogEntry* JetPages::tableEntry(const QString& name) const
{
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && QString::fromUtf8(entry->object_name) == name)
            return entry;
    }
    return nullptr;
}

MdbTableDef* readTableDefinition(MdbCatalogEntry* entry)
{
    MdbTableDef* table = mdb_read_table(entry);
    if (table && (!table->usage_map || table->map_sz == 0)) {
        mdb_free_tabledef(table);
        return nullptr;
    }
    return table;
}

} // namespace tarnwick::import
