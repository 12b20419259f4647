#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// The one set of rules for what may enter a pump catalogue, whichever way it
// comes in: the shipped database's sources, the CSV and Access imports, the
// catalogue editor. Opening a database never applies them: a stored catalogue
// is the user's own, and the design and check skip what they cannot use.
namespace tarnwick::store {

// The fewest points a pump may have: the design's own minimum.
constexpr int kMinimumCataloguePoints = 3;

// Checks pumps and points as they are read, in stored order, so that a file
// of any length is checked without being held. Pumps first (their keys and
// models), then the points; finish() checks what needs all of them.
class CatalogueRules
{
public:
    // Where the rows come from: file names (rows named by line) or table
    // names (rows named by key, when lines are 0).
    CatalogueRules(QString pumpSource, QString pointSource);

    // A refusal or warning in parts, so that an editor can mark the field.
    struct Finding
    {
        QString source;
        int line = 0;
        qint64 key = 0;
        QString field;
        QString text;
        bool refusal = true;
    };
    // Sees every finding as it is made, however many there are.
    void setObserver(std::function<void(const Finding&)> observer) { m_observer = std::move(observer); }

    void addPump(qint64 key, const QString& model, int line = 0);
    void addPoint(qint64 key, double flow, double head, double power, int line = 0);
    void finish();

    bool refused() const { return m_refusalCount > 0; }
    int refusalCount() const { return m_refusalCount; }
    // Each as "where，“field”：text", the first ones in reading order, with a
    // last line saying how many there were in all when not all are listed.
    QStringList refusals() const;
    QStringList warnings() const;

private:
    struct Pump
    {
        QString model;
        int line = 0;
        int points = 0;
        bool runEnded = false;
        int firstPointLine = 0;
    };
    QString where(const QString& source, int line, qint64 key) const;
    void refuse(const QString& source, int line, qint64 key, const QString& field, const QString& text);
    void warn(const QString& source, int line, qint64 key, const QString& field, const QString& text);

    QString m_pumpSource;
    QString m_pointSource;
    QHash<qint64, Pump> m_pumps;
    QList<qint64> m_pumpOrder;
    QHash<QString, qint64> m_models; // trimmed model -> key of its first pump
    QSet<qint64> m_reportedKeys;
    bool m_inRun = false;
    qint64 m_runKey = 0;
    double m_lastFlow = 0.0;
    QStringList m_refusals;
    QStringList m_warnings;
    int m_refusalCount = 0;
    int m_warningCount = 0;
    std::function<void(const Finding&)> m_observer;
};

// Applies the rules to the catalogue a database holds, rows named by table
// and key. False, with a message, when the tables cannot be read.
bool checkStoredCatalogue(const QSqlDatabase& db, CatalogueRules* rules, QString* error);

} // namespace tarnwick::store
