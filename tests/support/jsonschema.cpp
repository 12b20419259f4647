#include "tests/support/jsonschema.h"

#include <QJsonArray>

#include <cmath>

namespace tarnwick::testing {

namespace {

bool hasType(const QJsonValue& value, const QString& type)
{
    if (type == QLatin1String("object"))
        return value.isObject();
    if (type == QLatin1String("array"))
        return value.isArray();
    if (type == QLatin1String("string"))
        return value.isString();
    if (type == QLatin1String("number"))
        return value.isDouble();
    if (type == QLatin1String("integer"))
        return value.isDouble() && std::trunc(value.toDouble()) == value.toDouble();
    if (type == QLatin1String("boolean"))
        return value.isBool();
    if (type == QLatin1String("null"))
        return value.isNull();
    return false;
}

const QStringList kKnownKeywords = {QStringLiteral("$schema"),    QStringLiteral("$id"),
                                    QStringLiteral("title"),      QStringLiteral("description"),
                                    QStringLiteral("type"),       QStringLiteral("enum"),
                                    QStringLiteral("properties"), QStringLiteral("required"),
                                    QStringLiteral("items")};

} // namespace

QStringList schemaFaults(const QJsonValue& value, const QJsonObject& schema, const QString& where)
{
    QStringList faults;
    for (auto it = schema.begin(); it != schema.end(); ++it) {
        if (!kKnownKeywords.contains(it.key()))
            faults.append(QStringLiteral("%1: the schema uses \"%2\", which is not checked").arg(where, it.key()));
    }
    if (schema.contains(QStringLiteral("type"))) {
        const QJsonValue type = schema.value(QStringLiteral("type"));
        QStringList types;
        if (type.isArray()) {
            for (const QJsonValue& t : type.toArray())
                types.append(t.toString());
        } else {
            types.append(type.toString());
        }
        bool fits = false;
        for (const QString& t : types)
            fits = fits || hasType(value, t);
        if (!fits) {
            faults.append(QStringLiteral("%1: expected %2").arg(where, types.join(QLatin1Char('|'))));
            return faults;
        }
    }
    if (schema.contains(QStringLiteral("enum")) && !schema.value(QStringLiteral("enum")).toArray().contains(value))
        faults.append(QStringLiteral("%1: not one of the listed values").arg(where));
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (const QJsonValue& name : schema.value(QStringLiteral("required")).toArray()) {
            if (!object.contains(name.toString()))
                faults.append(QStringLiteral("%1: missing \"%2\"").arg(where, name.toString()));
        }
        const QJsonObject properties = schema.value(QStringLiteral("properties")).toObject();
        for (auto it = properties.begin(); it != properties.end(); ++it) {
            if (object.contains(it.key()))
                faults += schemaFaults(object.value(it.key()), it.value().toObject(), where + QLatin1Char('.') + it.key());
        }
    }
    if (value.isArray() && schema.contains(QStringLiteral("items"))) {
        const QJsonArray items = value.toArray();
        const QJsonObject itemSchema = schema.value(QStringLiteral("items")).toObject();
        for (qsizetype i = 0; i < items.size(); ++i)
            faults += schemaFaults(items.at(i), itemSchema, QStringLiteral("%1[%2]").arg(where).arg(i));
    }
    return faults;
}

} // namespace tarnwick::testing
