#include "publiccatalog.h"

#include "async/http.h"
#include "base/configuration.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace corvane {

namespace {

// Ids come as JSON numbers; a text that is a whole number is taken too.
std::optional<QString> idOf(const QJsonObject &object, const char *key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (number >= 1 && number < 9e15 && number == double(qint64(number)))
            return QString::number(qint64(number));
        return std::nullopt;
    }
    if (value.isString()) {
        bool ok = false;
        const qint64 number = value.toString().toLongLong(&ok);
        if (ok && number > 0)
            return QString::number(number);
    }
    return std::nullopt;
}

QString textOf(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString().trimmed();
}

std::optional<QString> optionalText(const QJsonObject &object, const char *key)
{
    const QString text = textOf(object, key);
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

// The artwork address ends in its size ("…/100x100bb.jpg"): the screens ask for the size they
// draw by rewriting it, as they do for the service's other covers. Only web addresses count.
std::optional<QString> artworkOf(const QJsonObject &object)
{
    const QString url = textOf(object, "artworkUrl100");
    if (!url.startsWith(QLatin1String("https://")) && !url.startsWith(QLatin1String("http://")))
        return std::nullopt;
    return url;
}

std::optional<QString> yearOf(const QJsonObject &object)
{
    const QString date = textOf(object, "releaseDate");
    if (date.size() < 4 || !date.left(4).toInt())
        return std::nullopt;
    return date.left(4);
}

std::optional<Track> songOf(const QJsonObject &object)
{
    if (textOf(object, "wrapperType") != QLatin1String("track") || textOf(object, "kind") != QLatin1String("song"))
        return std::nullopt;
    // Missing means streamable: only a song said not to be is left out.
    if (object.value(QLatin1String("isStreamable")) == QJsonValue(false))
        return std::nullopt;
    const auto id = idOf(object, "trackId");
    const QString title = textOf(object, "trackName");
    if (!id || title.isEmpty())
        return std::nullopt;
    Track track;
    track.id = *id;
    track.title = title;
    track.artist = textOf(object, "artistName");
    track.album = textOf(object, "collectionName");
    track.artworkBase = artworkOf(object);
    const double millis = object.value(QLatin1String("trackTimeMillis")).toDouble(-1);
    if (millis > 0 && millis <= Catalog::maxDurationMS)
        track.durationMS = qint64(millis);
    return track;
}

std::optional<Album> albumOf(const QJsonObject &object, const char *titleKey = "collectionName")
{
    const auto id = idOf(object, "collectionId");
    const QString title = textOf(object, titleKey);
    if (!id || title.isEmpty())
        return std::nullopt;
    Album album;
    album.id = *id;
    album.title = title;
    album.artist = textOf(object, "collectionArtistName");
    if (album.artist.isEmpty())
        album.artist = textOf(object, "artistName");
    album.artworkBase = artworkOf(object);
    album.year = yearOf(object);
    const int count = object.value(QLatin1String("trackCount")).toInt(0);
    if (count > 0)
        album.trackCount = count;
    return album;
}

std::optional<Artist> artistOf(const QJsonObject &object)
{
    const auto id = idOf(object, "artistId");
    const QString name = textOf(object, "artistName");
    if (!id || name.isEmpty())
        return std::nullopt;
    return Artist{*id, name, optionalText(object, "primaryGenreName"), std::nullopt};
}

QString escapedID(const QString &id)
{
    // Ids are digits; anything else would change the request.
    for (const QChar c : id) {
        if (!c.isDigit())
            return {};
    }
    return id;
}

} // namespace

const QList<std::pair<QString, QString>> &PublicCatalog::storefronts()
{
    // Named in the interface's language (the list is made once, after it is installed).
    static const QList<std::pair<QString, QString>> list = {
        {QStringLiteral("fr"), QCoreApplication::translate("Countries", "France")},       {QStringLiteral("be"), QCoreApplication::translate("Countries", "Belgique")},     {QStringLiteral("ch"), QCoreApplication::translate("Countries", "Suisse")},        {QStringLiteral("lu"), QCoreApplication::translate("Countries", "Luxembourg")},
        {QStringLiteral("ca"), QCoreApplication::translate("Countries", "Canada")},       {QStringLiteral("ma"), QCoreApplication::translate("Countries", "Maroc")},        {QStringLiteral("sn"), QCoreApplication::translate("Countries", "Sénégal")},       {QStringLiteral("ci"), QCoreApplication::translate("Countries", "Côte d'Ivoire")},
        {QStringLiteral("de"), QCoreApplication::translate("Countries", "Allemagne")},    {QStringLiteral("at"), QCoreApplication::translate("Countries", "Autriche")},     {QStringLiteral("es"), QCoreApplication::translate("Countries", "Espagne")},       {QStringLiteral("it"), QCoreApplication::translate("Countries", "Italie")},
        {QStringLiteral("pt"), QCoreApplication::translate("Countries", "Portugal")},     {QStringLiteral("nl"), QCoreApplication::translate("Countries", "Pays-Bas")},     {QStringLiteral("gb"), QCoreApplication::translate("Countries", "Royaume-Uni")},   {QStringLiteral("ie"), QCoreApplication::translate("Countries", "Irlande")},
        {QStringLiteral("dk"), QCoreApplication::translate("Countries", "Danemark")},     {QStringLiteral("se"), QCoreApplication::translate("Countries", "Suède")},        {QStringLiteral("no"), QCoreApplication::translate("Countries", "Norvège")},       {QStringLiteral("fi"), QCoreApplication::translate("Countries", "Finlande")},
        {QStringLiteral("pl"), QCoreApplication::translate("Countries", "Pologne")},      {QStringLiteral("us"), QCoreApplication::translate("Countries", "États-Unis")},   {QStringLiteral("mx"), QCoreApplication::translate("Countries", "Mexique")},       {QStringLiteral("br"), QCoreApplication::translate("Countries", "Brésil")},
        {QStringLiteral("au"), QCoreApplication::translate("Countries", "Australie")},    {QStringLiteral("nz"), QCoreApplication::translate("Countries", "Nouvelle-Zélande")}, {QStringLiteral("jp"), QCoreApplication::translate("Countries", "Japon")},     {QStringLiteral("kr"), QCoreApplication::translate("Countries", "Corée du Sud")},
    };
    return list;
}

PublicCatalog::PublicCatalog(QUrl origin, QString country) : m_origin(std::move(origin))
{
    setCountry(country);
}

void PublicCatalog::setCountry(const QString &country)
{
    const QString code = country.trimmed().toLower();
    const bool letters = code.size() == 2 && code.at(0).isLetter() && code.at(1).isLetter();
    m_country = letters ? code : QStringLiteral("fr");
}

std::optional<PublicCatalog::Results> PublicCatalog::decode(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonValue list = document.object().value(QLatin1String("results"));
    if (!list.isArray())
        return std::nullopt;
    Results results;
    QSet<QString> songs, albums, artists, songAlbums, songArtists;
    for (const QJsonValue &value : list.toArray()) {
        const QJsonObject object = value.toObject();
        const QString wrapper = textOf(object, "wrapperType");
        if (wrapper == QLatin1String("track")) {
            const auto song = songOf(object);
            if (!song || songs.contains(song->id))
                continue;
            songs.insert(song->id);
            results.songs.append(*song);
            if (const auto album = albumOf(object); album && !songAlbums.contains(album->id)) {
                songAlbums.insert(album->id);
                // A song's own count and date are its album's as well; its artwork is the cover.
                results.songAlbums.append(*album);
            }
            if (const auto artist = artistOf(object); artist && !songArtists.contains(artist->id)) {
                songArtists.insert(artist->id);
                results.songArtists.append(*artist);
            }
        } else if (wrapper == QLatin1String("collection")) {
            // Albums only: compilations of videos and other collections are not music to play.
            const QString type = textOf(object, "collectionType");
            if (!type.isEmpty() && type != QLatin1String("Album") && type != QLatin1String("Compilation"))
                continue;
            const auto album = albumOf(object);
            if (!album || albums.contains(album->id))
                continue;
            albums.insert(album->id);
            results.albums.append(*album);
        } else if (wrapper == QLatin1String("artist")) {
            const auto artist = artistOf(object);
            if (!artist || artists.contains(artist->id))
                continue;
            artists.insert(artist->id);
            results.artists.append(*artist);
        }
    }
    return results;
}

QCoro::Task<std::optional<QByteArray>> PublicCatalog::get(QString path, QUrlQuery query)
{
    QUrl url = m_origin;
    QString base = url.path();
    if (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    url.setPath(base + path);
    query.addQueryItem(QStringLiteral("country"), m_country);
    url.setQuery(query);
    const QString key = url.toString(QUrl::FullyEncoded);
    const qint64 now = QDateTime::currentSecsSinceEpoch();

    // One flight per address: views that open together share it.
    const std::weak_ptr<int> alive = m_lifetime;
    if (const std::shared_ptr<detail::Wakeup> pending = m_flights.value(key)) {
        if (!pending->hasFired())
            co_await qCoro(pending.get(), &detail::Wakeup::fired);
        if (alive.expired())
            co_return std::nullopt;
    }
    if (const auto it = m_cache.constFind(key); it != m_cache.constEnd() && now - it->at < cacheSeconds) {
        // Answered: an earlier request's failure is not this one's.
        m_lastFailure.clear();
        std::optional<QByteArray> cached = it->body;
        co_return cached;
    }

    const auto flight = std::make_shared<detail::Wakeup>();
    m_flights.insert(key, flight);
    HttpRequest request;
    request.url = url;
    request.timeout = delays().musicRequestTimeout;
    request.headers = {{"User-Agent", Configuration::userAgent()}, {"Accept", "application/json"}};
    request.redirectPolicy = QNetworkRequest::NoLessSafeRedirectPolicy;
    ++m_sent;
    const HttpResult result = co_await httpSend(webNetwork(), request);
    if (alive.expired()) {
        flight->fire();
        co_return std::nullopt;
    }
    m_flights.remove(key);
    std::optional<QByteArray> body;
    if (!result.status) {
        m_lastFailure = QCoreApplication::translate("Network", "Le catalogue d'Apple Music ne répond pas : %1").arg(result.errorMessage);
    } else if (*result.status == 403 || *result.status == 429) {
        m_throttled = true;
        m_lastFailure = QCoreApplication::translate("Network", "Trop de recherches à la fois : le catalogue public d'Apple Music demande d'attendre un "
                                       "instant. Corvane réessaie dans quelques secondes.");
    } else if (*result.status != 200) {
        m_lastFailure = QCoreApplication::translate("Network", "Le catalogue d'Apple Music a répondu par une erreur (%1). Réessayez plus tard.").arg(*result.status);
    } else if (!decode(result.body)) {
        // The service sends its JSON as JavaScript at times: the body is what counts.
        m_lastFailure = QCoreApplication::translate("Network", "La réponse du catalogue d'Apple Music est incomplète ou illisible.");
    } else {
        m_throttled = false;
        m_lastFailure.clear();
        if (m_cache.size() >= maxCached) {
            m_cache.removeIf([now](const auto &entry) { return now - entry.value().at >= cacheSeconds; });
            if (m_cache.size() >= maxCached)
                m_cache.clear();
        }
        m_cache.insert(key, Cached{result.body, now});
        body = result.body;
    }
    flight->fire();
    co_return body;
}

QCoro::Task<std::optional<PublicCatalog::Results>> PublicCatalog::search(QString term, int limit, Kind kind)
{
    const QString trimmed = term.simplified();
    if (trimmed.isEmpty())
        co_return Results{};
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("term"), QString::fromLatin1(QUrl::toPercentEncoding(trimmed)));
    query.addQueryItem(QStringLiteral("media"), QStringLiteral("music"));
    query.addQueryItem(QStringLiteral("entity"), kind == Kind::Albums    ? QStringLiteral("album")
                                                 : kind == Kind::Artists ? QStringLiteral("musicArtist")
                                                                         : QStringLiteral("song"));
    query.addQueryItem(QStringLiteral("limit"), QString::number(std::clamp(limit, 1, 200)));
    const std::optional<QByteArray> body = co_await get(QStringLiteral("/search"), query);
    if (!body)
        co_return std::nullopt;
    std::optional<Results> results = decode(*body);
    if (results && kind == Kind::All) {
        results->albums = results->songAlbums;
        results->artists = results->songArtists;
    }
    co_return results;
}

QCoro::Task<std::optional<PublicCatalog::Results>> PublicCatalog::lookup(QString id, QString entity, int limit)
{
    const QString digits = escapedID(id);
    if (digits.isEmpty())
        co_return std::nullopt;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("id"), digits);
    if (!entity.isEmpty()) {
        query.addQueryItem(QStringLiteral("entity"), entity);
        query.addQueryItem(QStringLiteral("limit"), QString::number(limit));
    }
    const std::optional<QByteArray> body = co_await get(QStringLiteral("/lookup"), query);
    co_return body ? decode(*body) : std::nullopt;
}

// An album's tracks, its record and its artist all come from one address: opening an album
// asks once.
QCoro::Task<QList<Track>> PublicCatalog::albumTracks(QString albumID)
{
    const std::optional<Results> results = co_await lookup(albumID, QStringLiteral("song"), 200);
    co_return results ? results->songs : QList<Track>();
}

QCoro::Task<std::optional<Album>> PublicCatalog::album(QString albumID)
{
    const std::optional<Results> results = co_await lookup(albumID, QStringLiteral("song"), 200);
    if (!results || results->albums.isEmpty())
        co_return std::nullopt;
    co_return results->albums.first();
}

QCoro::Task<std::optional<Artist>> PublicCatalog::artistOfAlbum(QString albumID)
{
    const std::optional<Results> results = co_await lookup(albumID, QStringLiteral("song"), 200);
    if (!results || results->songArtists.isEmpty())
        co_return std::nullopt;
    co_return results->songArtists.first();
}

QCoro::Task<QList<Track>> PublicCatalog::topSongs(QString artistID, int limit)
{
    // One address whatever the caller wants, so the artist's page and its radio share it.
    const std::optional<Results> results = co_await lookup(artistID, QStringLiteral("song"), 50);
    co_return results ? results->songs.mid(0, std::max(limit, 0)) : QList<Track>();
}

QCoro::Task<ArtistDetail> PublicCatalog::artistDetail(QString artistID)
{
    ArtistDetail detail;
    if (escapedID(artistID).isEmpty())
        co_return detail;
    // Both requests at once.
    QCoro::Task<std::optional<Results>> albumsRead = lookup(artistID, QStringLiteral("album"), 100);
    const std::weak_ptr<int> alive = m_lifetime;
    QList<Track> songs = co_await topSongs(artistID, 50);
    const std::optional<Results> albums = co_await albumsRead;
    if (alive.expired())
        co_return detail;
    detail.topSongs = songs;
    if (albums) {
        // Singles and EPs are albums to the public search; their titles say which they are.
        for (const Album &album : albums->albums) {
            const bool single = album.title.endsWith(QLatin1String(" - Single")) || album.title.endsWith(QLatin1String(" - EP"));
            (single ? detail.singles : detail.albums).append(album);
        }
        QList<Album> byDate = albums->albums;
        std::stable_sort(byDate.begin(), byDate.end(), [](const Album &a, const Album &b) { return a.year.value_or(QString()) > b.year.value_or(QString()); });
        if (!byDate.isEmpty())
            detail.latest = byDate.first();
    }
    co_return detail;
}

QCoro::Task<std::optional<Track>> PublicCatalog::song(QString songID)
{
    const std::optional<Results> results = co_await lookup(songID, QString(), 0);
    if (!results || results->songs.isEmpty())
        co_return std::nullopt;
    co_return results->songs.first();
}

} // namespace corvane
