#include "cachedhome.h"

#include "listeninghistory.h"
#include "base/paths.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QThread>
#include <QThreadPool>

#include <atomic>

namespace corvane {

QString CachedHome::location()
{
    const QString folder = paths::cache();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/corvane-home.json");
}

QByteArray CachedHome::encode() const
{
    // Keys in their documented order: "recommendations", then "savedAt".
    QJsonArray shelves;
    for (const Recommendation &recommendation : recommendations)
        shelves.append(Catalog::encode(recommendation));
    return "{\"recommendations\":" + QJsonDocument(shelves).toJson(QJsonDocument::Compact)
        + ",\"savedAt\":" + QByteArray::number(savedAt, 'f', QLocale::FloatingPointShortest) + '}';
}

std::optional<CachedHome> CachedHome::decode(const QByteArray &json)
{
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    if (!object.value(QLatin1String("recommendations")).isArray() || !object.value(QLatin1String("savedAt")).isDouble())
        return std::nullopt;
    CachedHome home;
    home.savedAt = object.value(QLatin1String("savedAt")).toDouble();
    for (const QJsonValue &value : object.value(QLatin1String("recommendations")).toArray()) {
        const auto recommendation = Catalog::decodeRecommendation(value.toObject());
        if (!recommendation)
            return std::nullopt;
        home.recommendations.append(*recommendation);
    }
    return home;
}

namespace {
QThreadPool &writer()
{
    static QThreadPool pool;
    pool.setMaxThreadCount(1);
    return pool;
}
} // namespace

void CachedHome::waitForSaves()
{
    writer().waitForDone();
}

void CachedHome::save(const QList<Recommendation> &recommendations)
{
    const QString file = location();
    if (file.isEmpty())
        return;
    // One writer thread, so saves land in the order they were made; a save overtaken by a newer
    // one before it started is skipped.
    static std::atomic<quint64> latest{0};
    const quint64 generation = ++latest;
    const CachedHome home{recommendations, ListeningHistory::now()};
    writer().start([home, file, generation] {
        if (generation != latest.load())
            return;
        QSaveFile out(file);
        const QByteArray data = home.encode();
        if (out.open(QIODevice::WriteOnly) && out.write(data) == data.size())
            out.commit();
    });
}

std::optional<CachedHome> CachedHome::read()
{
    const QString file = location();
    if (file.isEmpty())
        return std::nullopt;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decode(in.readAll());
}

} // namespace corvane
