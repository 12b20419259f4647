#pragma once

#include "core/expected.h"

#include <QSqlDatabase>
#include <QString>

namespace tarnwick::store {

struct CatalogueUpdate
{
    int pumps = 0;  // rows of "水泵性能表" after the update
    int points = 0; // rows of "流扬功"
};

// Replaces the catalogue tables of `db` ("水泵性能表", "流扬功",
// "设备安装示意图", "公司资料") by those of the database file `source`, in one
// transaction; both result tables keep their rows. On failure nothing is
// changed and the message says what failed.
Expected<CatalogueUpdate, QString> replaceCatalogue(QSqlDatabase db, const QString& source);

} // namespace tarnwick::store
