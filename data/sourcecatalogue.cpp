#include "data/sourcecatalogue.h"

#include "data/csvtable.h"
#include "store/cataloguerules.h"

#include <cmath>

namespace tarnwick::dataset {

namespace {

// The sources, relative to the source folder.
const QString kPumpsFile = QStringLiteral("catalogue/pumps.csv");
const QString kPointsFile = QStringLiteral("catalogue/points.csv");

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

std::optional<double> finiteNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok); // C locale, whatever the system's
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

const QStringList& pumpColumns()
{
    static const QStringList columns = {
        QStringLiteral("序号"),     QStringLiteral("水泵类型"),   QStringLiteral("水泵型号"),
        QStringLiteral("转速"),     QStringLiteral("流量"),       QStringLiteral("扬程"),
        QStringLiteral("轴功率"),   QStringLiteral("电动机功率"), QStringLiteral("必需汽蚀余量"),
        QStringLiteral("叶轮外径"), QStringLiteral("重量"),       QStringLiteral("设备安装尺寸"),
    };
    return columns;
}

const QStringList& pointColumns()
{
    static const QStringList columns = {QStringLiteral("序号"), QStringLiteral("流量"), QStringLiteral("扬程"),
                                        QStringLiteral("轴功率")};
    return columns;
}

std::optional<SourceCatalogue> readSourceCatalogue(const QString& sourceDir, QString* error)
{
    const std::optional<CsvTable> pumps = readCheckedCsv(sourceDir, kPumpsFile, pumpColumns(), error);
    if (!pumps)
        return std::nullopt;
    const std::optional<CsvTable> points = readCheckedCsv(sourceDir, kPointsFile, pointColumns(), error);
    if (!points)
        return std::nullopt;

    store::CatalogueRules rules(kPumpsFile, kPointsFile);
    SourceCatalogue catalogue;
    for (qsizetype i = 0; i < pumps->rows.size(); ++i) {
        const QStringList& fields = pumps->rows[i];
        const QString at = csvLineText(kPumpsFile, pumps->lines[i]);
        bool ok = false;
        const qlonglong key = fields[0].toLongLong(&ok);
        if (!ok || key <= 0) {
            setError(error, at + QStringLiteral("序号应为正整数。"));
            return std::nullopt;
        }
        if (fields[1].trimmed().isEmpty()) {
            setError(error, at + QStringLiteral("水泵类型不能为空。"));
            return std::nullopt;
        }
        rules.addPump(key, fields[2], pumps->lines[i]);
        catalogue.types.insert(fields[1]);

        SourceRow row;
        row.values << key << fields[1] << fields[2];
        for (int column = 3; column <= 10; ++column) {
            const std::optional<double> value = finiteNumber(fields[column]);
            if (!value) {
                setError(error, at + pumpColumns()[column] + QStringLiteral(" 不是数字。"));
                return std::nullopt;
            }
            row.values << *value;
        }
        row.values << fields[11];
        catalogue.pumps << row;
    }

    for (qsizetype i = 0; i < points->rows.size(); ++i) {
        const QStringList& fields = points->rows[i];
        const QString at = csvLineText(kPointsFile, points->lines[i]);
        bool ok = false;
        const qlonglong key = fields[0].toLongLong(&ok);
        if (!ok) {
            setError(error, at + QStringLiteral("序号“%1”不是整数。").arg(fields[0]));
            return std::nullopt;
        }
        SourceRow row;
        row.values << key;
        for (int column = 1; column <= 3; ++column) {
            const std::optional<double> value = finiteNumber(fields[column]);
            if (!value) {
                setError(error, at + pointColumns()[column] + QStringLiteral(" 不是数字。"));
                return std::nullopt;
            }
            row.values << *value;
        }
        rules.addPoint(key, row.values[1].toDouble(), row.values[2].toDouble(), row.values[3].toDouble(),
                       points->lines[i]);
        catalogue.points << row;
    }
    rules.finish();
    if (rules.refused()) {
        setError(error, rules.refusals().join(QLatin1Char('\n')));
        return std::nullopt;
    }
    for (const QString& warning : rules.warnings())
        qWarning("%s", qUtf8Printable(warning));
    return catalogue;
}

} // namespace tarnwick::dataset
