#include "store/import/accessrows.h"

#include "store/import/jettext.h"
#include "store/import/longvalues.h"

#include <QCoreApplication>
#include <QDate>
#include <QTime>
#include <QUuid>

#include <bit>
#include <cmath>

namespace tarnwick::import {

namespace {

// Day numbers of 0100-01-01 and 9999-12-31, the range Access accepts.
constexpr double kFirstAccessDay = -657434.0;
constexpr double kLastAccessDay = 2958465.0;

QString guidText(const unsigned char* p)
{
    const QUuid uuid(le32(p), le16(p + 4), le16(p + 6), p[8], p[9], p[10], p[11], p[12], p[13], p[14], p[15]);
    return uuid.toString(QUuid::WithBraces).toUpper();
}

} // namespace

AccessType accessTypeOf(int jetType)
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

bool decodeRow(const JetPages& pages, const LegacyDecoder* legacy, const QList<AccessColumn>& columns,
               const MdbField* fields, AccessRow* values, AccessReadNotes* notes, QString* error)
{
    values->clear();
    values->reserve(columns.size());
    for (int c = 0; c < columns.size(); ++c) {
        const AccessColumn& column = columns[c];
        const MdbField& field = fields[c];
        // A yes/no field keeps its value in the row's null mask.
        if (column.type == AccessType::Boolean) {
            values->append(QVariant::fromValue<qint64>(field.is_null ? 0 : 1));
            continue;
        }
        if (field.is_null) {
            values->append(QVariant());
            continue;
        }
        if (field.start < 0 || field.siz < 0 || field.start + static_cast<qint64>(field.siz) > pages.pageSize) {
            *error = QCoreApplication::translate("tarnwick::store", "的字段“%1”超出了数据页").arg(column.name);
            return false;
        }
        const auto* p = static_cast<const unsigned char*>(pages.mdb->pg_buf) + field.start;
        const QByteArrayView bytes(reinterpret_cast<const char*>(p), field.siz);
        const int needed = fixedSize(column.type);
        if (needed != 0 && field.siz < needed) {
            *error = QCoreApplication::translate("tarnwick::store", "的字段“%1”不完整").arg(column.name);
            return false;
        }
        switch (column.type) {
        case AccessType::Byte:
            values->append(QVariant::fromValue<qint64>(p[0]));
            break;
        case AccessType::Integer:
            values->append(QVariant::fromValue<qint64>(qFromLittleEndian<qint16>(p)));
            break;
        case AccessType::Long:
            values->append(QVariant::fromValue<qint64>(qFromLittleEndian<qint32>(p)));
            break;
        case AccessType::Currency:
            // Ten-thousandths as a 64-bit integer; one correctly rounded
            // division gives the double nearest to the amount.
            values->append(static_cast<double>(qFromLittleEndian<qint64>(p)) / 10000.0);
            break;
        case AccessType::Single:
            values->append(static_cast<double>(std::bit_cast<float>(le32(p))));
            break;
        case AccessType::Double:
            values->append(std::bit_cast<double>(qFromLittleEndian<quint64>(p)));
            break;
        case AccessType::DateTime: {
            const double days = std::bit_cast<double>(qFromLittleEndian<quint64>(p));
            const QString text = accessDateText(days);
            if (text.isEmpty()) {
                values->append(days);
                if (notes)
                    ++notes->datesOutOfRange;
            } else {
                values->append(text);
            }
            break;
        }
        case AccessType::Text:
            values->append(decodeJetText(legacy, bytes, notes));
            break;
        case AccessType::Memo:
        case AccessType::OleObject: {
            // Reading the long value swaps pages through libmdb's second
            // buffer; the row's own page stays where it is.
            QByteArray value;
            if (!readLongValue(pages, p, field.siz, &value, error)) {
                *error = QCoreApplication::translate("tarnwick::store", "的字段“%1”：").arg(column.name) + *error;
                return false;
            }
            if (column.type == AccessType::Memo)
                values->append(decodeJetText(legacy, value, notes));
            else
                values->append(value);
            break;
        }
        case AccessType::Guid:
            values->append(guidText(p));
            break;
        case AccessType::Decimal: {
            char* text = mdb_numeric_to_string(pages.mdb, field.start, column.scale, column.precision);
            values->append(QString::fromLatin1(text));
            g_free(text);
            break;
        }
        case AccessType::Binary:
        case AccessType::Unknown:
        case AccessType::Boolean:
            values->append(bytes.toByteArray());
            break;
        }
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
