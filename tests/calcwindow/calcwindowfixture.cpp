#include "tests/calcwindow/calcwindowfixture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <functional>

namespace tarnwick::testing {

namespace {

TestPump pumpFrom(int key, const QString& model, const QString& type, double speed, std::initializer_list<double> flows,
                  const std::function<double(double)>& head, const std::function<double(double)>& power)
{
    TestPump pump;
    pump.key = key;
    pump.model = model;
    pump.type = type;
    pump.speed = speed;
    for (double q : flows)
        pump.points.append({q, head(q), power(q)});
    return pump;
}

struct DataSheet
{
    QString model;
    double flow, head, shaftPower, motorPower, npsh, impeller, weight;
    QString dimensions;
};

} // namespace

QList<TestPump> calcWindowPumps()
{
    const auto flowsA = {20.0, 35.0, 50.0, 65.0, 80.0};
    QList<TestPump> pumps;
    pumps.append(pumpFrom(
        1, QStringLiteral("TW50-20A"), verticalType(), 2900, flowsA, [](double q) { return 28.0 - 0.0025 * q * q; },
        [](double q) { return 2.0 + 0.06 * q; }));
    pumps.append(pumpFrom(
        2, QStringLiteral("TW65-22B"), horizontalType(), 1450, flowsA, [](double q) { return 30.0 - 0.003 * q * q; },
        [](double q) { return 1.5 + 0.07 * q; }));
    pumps.append(pumpFrom(
        3, QStringLiteral("TW50-21E"), noSchematicType(), 2900, flowsA, [](double q) { return 28.5 - 0.0025 * q * q; },
        [](double q) { return 2.0 + 0.06 * q; }));
    pumps.append(pumpFrom(
        4, QStringLiteral("TW80-64D"), horizontalType(), 2900, {40.0, 60.0, 80.0, 100.0, 120.0},
        [](double q) { return 80.0 - 0.002 * q * q; }, [](double q) { return 10.0 + 0.1 * q; }));
    pumps.append(pumpFrom(
        5, QStringLiteral("TW50-LOW"), verticalType(), 2900, flowsA, [](double q) { return 28.0 - 0.0025 * q * q; },
        [](double q) { return 1.0 + 0.002 * q * q; }));
    TestPump oneFlow;
    oneFlow.key = 6;
    oneFlow.model = QStringLiteral("TW-ONEQ");
    oneFlow.type = verticalType();
    oneFlow.points = {{50.0, 20.0, 5.0}, {50.0, 21.0, 5.0}, {50.0, 22.0, 5.0}};
    pumps.append(oneFlow);
    TestPump noPoints;
    noPoints.key = 7;
    noPoints.model = QStringLiteral("TW-NOPTS");
    noPoints.type = verticalType();
    pumps.append(noPoints);
    TestPump flat;
    flat.key = 8;
    flat.model = QStringLiteral("TW-FLAT");
    flat.type = verticalType();
    flat.points = {{1.0, -1.0, 0.5}, {2.0, 3.0, 0.5}};
    pumps.append(flat);
    pumps.append(pumpFrom(
        9, QStringLiteral("TW32-10C"), verticalType(), 2900, {4.0, 6.0, 8.0, 10.0, 12.0},
        [](double q) { return 13.0 - 0.04 * q * q; }, [](double q) { return 0.25 + 0.02 * q; }));
    return pumps;
}

QByteArray testPng(int width, int height, const QColor& color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(color, 3));
    painter.drawRect(image.rect().adjusted(1, 1, -2, -2));
    painter.drawLine(0, 0, width - 1, height - 1);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

int countColour(const QImage& image, const QColor& color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == (color.rgb() & 0xffffff);
    return n;
}

std::unique_ptr<TestProgramFolder> makeCalcWindowFolder(QString* error)
{
    auto folder = std::make_unique<TestProgramFolder>(calcWindowPumps());
    if (!folder->isValid()) {
        *error = folder->error();
        return nullptr;
    }

    const QString name = QStringLiteral("calcwindow-fixture-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(folder->databasePath());
        ok = db.open();
        QSqlQuery query(db);
        auto run = [&](bool executed) {
            if (!executed && ok) {
                ok = false;
                *error = query.lastError().text();
            }
        };
        const DataSheet sheets[] = {
            {QStringLiteral("TW50-20A"), 50, 21.75, 5, 7.5, 2.5, 174, 62,
             QStringLiteral("进口DN65\n出口DN50\n长 520mm")},
            {QStringLiteral("TW65-22B"), 50, 22.5, 5, 7.5, 3, 180, 88, QStringLiteral("进口DN80\n出口DN65\n长 760mm")},
            {QStringLiteral("TW50-21E"), 50, 22.25, 5, 7.5, 2.5, 176, 63, QStringLiteral("进口DN65\n出口DN50")},
        };
        for (const DataSheet& sheet : sheets) {
            query.prepare(QStringLiteral(
                "UPDATE \"水泵性能表\" SET \"流量\" = ?, \"扬程\" = ?, \"轴功率\" = ?, \"电动机功率\" = ?, "
                "\"必需汽蚀余量\" = ?, \"叶轮外径\" = ?, \"重量\" = ?, \"设备安装尺寸\" = ? WHERE \"水泵型号\" = ?"));
            for (const QVariant& value : {QVariant(sheet.flow), QVariant(sheet.head), QVariant(sheet.shaftPower),
                                          QVariant(sheet.motorPower), QVariant(sheet.npsh), QVariant(sheet.impeller),
                                          QVariant(sheet.weight), QVariant(sheet.dimensions), QVariant(sheet.model)})
                query.addBindValue(value);
            run(query.exec());
        }
        const std::pair<QString, QByteArray> schematics[] = {
            {verticalType(), testPng(166, 205, QColor(0, 0, 160))},
            {horizontalType(), testPng(664, 615, QColor(160, 0, 0))},
        };
        for (const auto& [type, png] : schematics) {
            query.prepare(
                QStringLiteral("INSERT INTO \"设备安装示意图\" (\"水泵类型\", \"设备安装示意图\") VALUES (?, ?)"));
            query.addBindValue(type);
            query.addBindValue(png);
            run(query.exec());
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok)
        return nullptr;
    return folder;
}

} // namespace tarnwick::testing
