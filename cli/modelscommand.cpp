#include "cli/modelscommand.h"

#include "cli/commands.h"
#include "cli/output.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tarnwick::cli {

namespace {

struct ModelRow
{
    const CataloguePump* pump = nullptr;
    int points = 0;
    float maxFlow = 0.0f;
    float maxHead = 0.0f;
};

std::optional<double> speedFilter(const QHash<QString, QString>& values, bool* valid)
{
    *valid = true;
    if (!values.contains(QStringLiteral("speed")))
        return std::nullopt;
    bool ok = false;
    const double speed = values.value(QStringLiteral("speed")).toDouble(&ok);
    *valid = ok && std::isfinite(speed);
    return speed;
}

bool matches(const CataloguePump& pump, const QHash<QString, QString>& values, std::optional<double> speed)
{
    if (values.contains(QStringLiteral("type")) &&
        QString::fromStdString(pump.type).trimmed() != values.value(QStringLiteral("type")).trimmed())
        return false;
    if (speed && !(pump.speed && *pump.speed == *speed))
        return false;
    return !values.contains(QStringLiteral("text")) ||
           QString::fromStdString(pump.model).contains(values.value(QStringLiteral("text")), Qt::CaseInsensitive);
}

QString noneText()
{
    return QStringLiteral("没有符合条件的水泵。");
}

QString figure(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

int runModelsCommand(const Catalogue& catalogue, const QHash<QString, QString>& values, bool json)
{
    bool validSpeed = true;
    const std::optional<double> speed = speedFilter(values, &validSpeed);
    if (!validSpeed) {
        printUsageError(QStringLiteral("选项 --speed 的值“%1”不是数字。").arg(values.value(QStringLiteral("speed"))),
                        QStringLiteral("models"));
        return kUsageOrDatabase;
    }
    std::vector<ModelRow> rows;
    for (const CataloguePump& pump : catalogue.pumps) {
        if (matches(pump, values, speed))
            rows.push_back({&pump});
    }
    // A pump's points are those that carry its key, as the calculations pair them.
    for (ModelRow& row : rows) {
        for (const CataloguePoint& point : catalogue.points) {
            if (point.key != row.pump->key)
                continue;
            ++row.points;
            row.maxFlow = std::max(row.maxFlow, point.flow);
            row.maxHead = std::max(row.maxHead, point.head);
        }
    }
    if (json) {
        QJsonArray models;
        for (const ModelRow& row : rows) {
            QJsonObject model{{QStringLiteral("model"), QString::fromStdString(row.pump->model)},
                              {QStringLiteral("type"), QString::fromStdString(row.pump->type)},
                              {QStringLiteral("points"), row.points}};
            model.insert(QStringLiteral("speed"), row.pump->speed ? QJsonValue(*row.pump->speed) : QJsonValue());
            model.insert(QStringLiteral("maxFlow"), row.points ? QJsonValue(double(row.maxFlow)) : QJsonValue());
            model.insert(QStringLiteral("maxHead"), row.points ? QJsonValue(double(row.maxHead)) : QJsonValue());
            models.append(model);
        }
        QJsonObject object{{QStringLiteral("count"), int(rows.size())}, {QStringLiteral("models"), models}};
        if (rows.empty())
            object.insert(QStringLiteral("message"), noneText());
        printJsonResult(rows.empty() ? statusNoneFound() : statusOk(), object);
    } else if (rows.empty()) {
        printMessage(noneText(), statusNoneFound());
    } else {
        printOut(QStringLiteral("水泵型号\t水泵类型\t转速 r/min\t性能点\t最大流量 m3/h\t最大扬程 m\n"));
        for (const ModelRow& row : rows) {
            printOut(QStringList{QString::fromStdString(row.pump->model), QString::fromStdString(row.pump->type),
                                 row.pump->speed ? figure(*row.pump->speed) : QString(), QString::number(row.points),
                                 row.points ? figure(row.maxFlow) : QString(),
                                 row.points ? figure(row.maxHead) : QString()}
                         .join(QLatin1Char('\t')) +
                     QLatin1Char('\n'));
        }
    }
    return rows.empty() ? kProgramMessage : kCompleted;
}

} // namespace tarnwick::cli
