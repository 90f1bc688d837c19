// The public chart feeds (most played, new releases), which need no account.

#include "applemusickit.h"

#include "async/delays.h"
#include "async/http.h"
#include "async/tasks.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

namespace corvane::AppleCharts {

namespace {
struct Entry
{
    QString id;
    QString name;
    QString artist;
    std::optional<QString> artwork;
    std::optional<QString> releaseDate;
};

std::optional<QList<Entry>> entries(const QByteArray &reply)
{
    const QJsonObject feed = QJsonDocument::fromJson(reply).object().value(QLatin1String("feed")).toObject();
    if (!feed.value(QLatin1String("results")).isArray())
        return std::nullopt;
    QList<Entry> list;
    for (const QJsonValue &value : feed.value(QLatin1String("results")).toArray()) {
        const QJsonObject o = value.toObject();
        if (!o.value(QLatin1String("id")).isString() || !o.value(QLatin1String("name")).isString()
            || !o.value(QLatin1String("artistName")).isString())
            return std::nullopt;
        Entry entry{o.value(QLatin1String("id")).toString(), o.value(QLatin1String("name")).toString(),
                    o.value(QLatin1String("artistName")).toString(), std::nullopt, std::nullopt};
        if (o.value(QLatin1String("artworkUrl100")).isString())
            entry.artwork = o.value(QLatin1String("artworkUrl100")).toString();
        if (o.value(QLatin1String("releaseDate")).isString())
            entry.releaseDate = o.value(QLatin1String("releaseDate")).toString();
        list.append(entry);
    }
    return list;
}

Album albumOf(const Entry &entry)
{
    return Album{entry.id, entry.name, entry.artist, entry.artwork,
                 entry.releaseDate ? std::optional<QString>(entry.releaseDate->left(4)) : std::nullopt, std::nullopt};
}

// One fetch of the feed, tried a second time after 0.6 s when the first fails.
QCoro::Task<std::optional<QByteArray>> fetch(QUrl origin, QString region, Kind kind, int limit)
{
    const QUrl url(origin.toString() + QStringLiteral("/api/v2/%1/music/most-played/%2/%3.json")
                                           .arg(region.toLower(), QString::number(limit),
                                                kind == Kind::Albums ? QStringLiteral("albums") : QStringLiteral("songs")),
                   QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        co_return std::nullopt;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt == 1)
            co_await sleep(delays().chartRetry);
        HttpRequest request;
        request.url = url;
        request.timeout = delays().chartTimeout;
        request.cacheLoad = QNetworkRequest::AlwaysNetwork;
        const HttpResult result = co_await httpSend(webNetwork(), request);
        if (result.status == 200 && entries(result.body))
            co_return result.body;
    }
    co_return std::nullopt;
}
} // namespace

QString region(const QLocale &locale)
{
    if (locale.territory() == QLocale::AnyTerritory)
        return QStringLiteral("fr");
    const QString code = QLocale::territoryToCode(locale.territory());
    return code.isEmpty() ? QStringLiteral("fr") : code.toLower();
}

std::optional<Feed> feedFrom(const QByteArray &reply, Kind kind)
{
    const auto list = entries(reply);
    if (!list)
        return std::nullopt;
    Feed feed;
    for (const Entry &entry : *list) {
        if (kind == Kind::Albums)
            feed.albums.append(albumOf(entry));
        else
            feed.songs.append(Track{entry.id, entry.name, entry.artist, QString(), entry.artwork, std::nullopt});
    }
    return feed;
}

QCoro::Task<Feed> mostPlayed(QUrl origin, QString region, Kind kind, int limit)
{
    const std::optional<QByteArray> body = co_await fetch(origin, region, kind, limit);
    co_return body ? feedFrom(*body, kind).value_or(Feed{}) : Feed{};
}

QList<Album> newReleasesFrom(const QByteArray &reply, QDate today)
{
    const auto list = entries(reply);
    if (!list)
        return {};
    // A release counts from its midnight and must come after the moment 56 days ago: a day
    // exactly 56 days back is already out.
    const QDate cutOff = today.addDays(-56);
    QList<std::pair<QDate, Entry>> kept;
    for (const Entry &entry : *list) {
        const QDate date = entry.releaseDate ? QDate::fromString(*entry.releaseDate, QStringLiteral("yyyy-MM-dd")) : QDate();
        if (date.isValid() && date > cutOff)
            kept.append({date, entry});
    }
    std::stable_sort(kept.begin(), kept.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    QList<Album> albums;
    for (const auto &[date, entry] : kept)
        albums.append(albumOf(entry));
    return albums;
}

QCoro::Task<QList<Album>> newReleases(QUrl origin, QString region, int limit, QDate today)
{
    const std::optional<QByteArray> body = co_await fetch(origin, region, Kind::Albums, limit);
    co_return body ? newReleasesFrom(*body, today) : QList<Album>();
}

} // namespace corvane::AppleCharts
