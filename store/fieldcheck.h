#pragma once

#include <QString>
#include <QStringList>

class QSqlRecord;

namespace tarnwick::store {

class RowSet;

// The message for fields a table lacks, naming them all:
// 数据库的“水泵性能表”中缺少字段“转速”、“重量”。 Empty when none is missing.
QString missingFieldsMessage(const QString& table, const QStringList& required, const QSqlRecord& record);
QString missingFieldsMessage(const RowSet& rows, const QStringList& required);

} // namespace tarnwick::store
