#include "applemusickit.h"

#include "requests.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

namespace corvane::AppleMusicKit {

namespace {

QList<RestItem> bucket(const QJsonObject &results, const char *name)
{
    const auto response = RestResponse::fromObject(results.value(QLatin1String(name)).toObject());
    return response ? response->data : QList<RestItem>();
}

std::optional<QString> artworkAt(const RestItem &item, int size)
{
    const auto art = ArtworkDescriptor::from(item.attributes.value(QLatin1String("artwork")));
    const auto url = art ? art->url(size, size) : std::nullopt;
    return url ? std::optional<QString>(url->toString()) : std::nullopt;
}

QCoro::Task<Shelf> shelf(MusicService *service, QString path, int limit, int pageSize = 100)
{
    const QList<RestItem> items = co_await AppleMusic::pagedGet(service, path, limit, pageSize);
    Shelf result;
    std::tie(result.albums, result.playlists) = Catalog::itemsToHomeShelf(items);
    co_return result;
}

} // namespace

SearchResults searchResultsFrom(const QByteArray &reply)
{
    // Search results are framework objects: no de-duplication, artists pictured at 600×600.
    SearchResults results;
    const QJsonObject buckets = QJsonDocument::fromJson(reply).object().value(QLatin1String("results")).toObject();
    for (const RestItem &item : bucket(buckets, "songs")) {
        Track track = Catalog::itemsToTracks({item}).value(0);
        track.id = item.id;
        track.artworkBase = artworkAt(item, 100);
        results.songs.append(track);
    }
    for (const RestItem &item : bucket(buckets, "albums")) {
        Album album = Catalog::itemsToAlbums({item}).first();
        album.artworkBase = artworkAt(item, 100);
        const QJsonValue count = item.attributes.value(QLatin1String("trackCount"));
        if (count.isDouble())
            album.trackCount = count.toInt();
        results.albums.append(album);
    }
    for (const RestItem &item : bucket(buckets, "artists")) {
        const QJsonArray genres = item.attributes.value(QLatin1String("genreNames")).toArray();
        results.artists.append(Artist{item.id, item.attribute("name").value_or(QString()),
                                      genres.isEmpty() ? std::nullopt : std::optional<QString>(genres.first().toString()),
                                      artworkAt(item, 600)});
    }
    for (const RestItem &item : bucket(buckets, "playlists")) {
        PlaylistRef playlist = Catalog::itemsToPlaylists({item}).first();
        playlist.artworkBase = artworkAt(item, 100);
        playlist.musicArtwork = ArtworkDescriptor::from(item.attributes.value(QLatin1String("artwork")));
        results.playlists.append(playlist);
    }
    return results;
}

QCoro::Task<SearchResults> search(MusicService *service, QString term, int limit)
{
    // Spaces and tabs around the term do not make a search; the term goes out as typed.
    QString trimmed = term;
    while (!trimmed.isEmpty() && (trimmed.front() == QLatin1Char(' ') || trimmed.front() == QLatin1Char('\t')))
        trimmed.remove(0, 1);
    while (!trimmed.isEmpty() && (trimmed.back() == QLatin1Char(' ') || trimmed.back() == QLatin1Char('\t')))
        trimmed.chop(1);
    if (trimmed.isEmpty() || service->authorizationStatus() != MusicService::Status::Authorized)
        co_return SearchResults{};
    const std::optional<QString> storefront = co_await service->countryCode();
    if (!storefront)
        co_return SearchResults{};
    const QString path = QStringLiteral("/v1/catalog/%1/search?term=%2&types=songs,albums,artists,playlists&limit=%3")
                             .arg(*storefront, QString::fromLatin1(QUrl::toPercentEncoding(term)), QString::number(limit));
    const std::optional<QByteArray> reply = co_await AppleMusic::singleGet(service, path);
    if (!reply)
        co_return SearchResults{};
    co_return searchResultsFrom(*reply);
}

QCoro::Task<Shelf> recentlyPlayed(MusicService *service, int limit)
{
    // The service gives at most 10 recently played items per page and refuses more: ask pages
    // of 10 and follow "next" up to the limit.
    Shelf result = co_await shelf(service, QStringLiteral("/v1/me/recent/played?limit=%1").arg(std::min(limit, 10)), limit, 10);
    co_return result;
}

QCoro::Task<Shelf> heavyRotation(MusicService *service, int limit)
{
    Shelf result = co_await shelf(service, QStringLiteral("/v1/me/history/heavy-rotation?limit=%1").arg(limit), limit);
    co_return result;
}

QCoro::Task<Shelf> recentlyAdded(MusicService *service, int limit)
{
    const QList<RestItem> items = co_await AppleMusic::pagedGet(service, QStringLiteral("/v1/me/library/recently-added?limit=%1").arg(limit), limit);
    Shelf result;
    std::tie(result.albums, result.playlists) = Catalog::itemsToHomeShelf(items);
    QList<RestItem> songs;
    for (const RestItem &item : items) {
        if (item.type && item.type->contains(QLatin1String("song")))
            songs.append(item);
    }
    result.songs = Catalog::itemsToTracks(songs);
    co_return result;
}

QCoro::Task<QList<LibraryPlaylist>> libraryPlaylists(MusicService *service, int max)
{
    QList<LibraryPlaylist> playlists;
    while (playlists.size() < max && service->authorizationStatus() == MusicService::Status::Authorized) {
        const int limit = std::min(int(max - playlists.size()), 100);
        const std::optional<QByteArray> body = co_await service->get(
            QStringLiteral("/v1/me/library/playlists?limit=%1&offset=%2").arg(limit).arg(playlists.size()));
        const auto page = body ? RestResponse::decode(*body) : std::nullopt;
        if (!page)
            break;
        for (const RestItem &item : page->data) {
            playlists.append(LibraryPlaylist{item.id, item.attribute("name").value_or(QString()),
                                             ArtworkDescriptor::from(item.attributes.value(QLatin1String("artwork"))),
                                             item.attribute("curatorName")});
        }
        if (page->data.size() < limit)
            break;
    }
    co_return playlists;
}

QCoro::Task<QList<Track>> librarySongs(MusicService *service, int max)
{
    // On this platform the library is read through the same web service either way, so the
    // framework's second route would only repeat the request.
    const QList<RestItem> items = co_await AppleMusic::pagedGet(service, QStringLiteral("/v1/me/library/songs"), max);
    QList<Track> tracks;
    for (const RestItem &item : items) {
        RestItem song = item;
        song.type.reset(); // no type filter here
        tracks += Catalog::itemsToTracks({song});
    }
    co_return Catalog::uniqueByID(tracks);
}

QList<Recommendation> recommendationsFrom(const QByteArray &reply)
{
    QList<Recommendation> shelves;
    const QJsonArray data = QJsonDocument::fromJson(reply).object().value(QLatin1String("data")).toArray();
    for (const QJsonValue &value : data) {
        const QJsonObject object = value.toObject();
        Recommendation shelf;
        shelf.id = object.value(QLatin1String("id")).toString();
        shelf.title = object.value(QLatin1String("attributes")).toObject().value(QLatin1String("title")).toObject()
                          .value(QLatin1String("stringForDisplay")).toString();
        if (shelf.title.isEmpty())
            shelf.title = QStringLiteral("Pour vous");
        const auto contents = RestResponse::fromObject(
            object.value(QLatin1String("relationships")).toObject().value(QLatin1String("contents")).toObject());
        QList<MusicItem> albums;
        QList<MusicItem> playlists;
        for (const RestItem &item : contents ? contents->data : QList<RestItem>()) {
            const auto artwork = ArtworkDescriptor::from(item.attributes.value(QLatin1String("artwork")));
            if (item.type && item.type->contains(QLatin1String("album")))
                albums.append(MusicItem{item.id, MusicItem::Kind::Album, item.attribute("name").value_or(QString()),
                                        item.attribute("artistName").value_or(QString()), artwork});
            else if (item.type && item.type->contains(QLatin1String("playlist")))
                playlists.append(MusicItem{item.id, MusicItem::Kind::Playlist, item.attribute("name").value_or(QString()),
                                           item.attribute("curatorName").value_or(QString()), artwork});
        }
        shelf.items = Catalog::uniqueByID(albums + playlists);
        if (!shelf.items.isEmpty() && !shelf.id.isEmpty())
            shelves.append(shelf);
    }
    return shelves;
}

QCoro::Task<QList<Recommendation>> recommendations(MusicService *service, int limit)
{
    const std::optional<QByteArray> body =
        co_await AppleMusic::singleGet(service, QStringLiteral("/v1/me/recommendations?limit=%1").arg(limit));
    if (!body)
        co_return QList<Recommendation>();
    co_return recommendationsFrom(*body);
}

std::optional<QString> qualityFrom(const QByteArray &reply)
{
    const QJsonArray data = QJsonDocument::fromJson(reply).object().value(QLatin1String("data")).toArray();
    if (data.isEmpty())
        return std::nullopt;
    QStringList variants;
    for (const QJsonValue &variant : data.first().toObject().value(QLatin1String("attributes")).toObject()
                                         .value(QLatin1String("audioVariants")).toArray())
        variants << variant.toString();
    if (variants.contains(QLatin1String("dolby-atmos")))
        return QStringLiteral("Dolby Atmos");
    if (variants.contains(QLatin1String("hi-res-lossless")))
        return QStringLiteral("Hi-Res Lossless");
    if (variants.contains(QLatin1String("lossless")))
        return QStringLiteral("Lossless");
    return std::nullopt;
}

QCoro::Task<std::optional<QString>> quality(MusicService *service, QString songID)
{
    if (songID.isEmpty() || service->authorizationStatus() != MusicService::Status::Authorized)
        co_return std::nullopt;
    const std::optional<QString> storefront = co_await service->countryCode();
    if (!storefront)
        co_return std::nullopt;
    const std::optional<QByteArray> body = co_await AppleMusic::singleGet(
        service, QStringLiteral("/v1/catalog/%1/songs/%2?extend=audioVariants").arg(*storefront, QString::fromLatin1(QUrl::toPercentEncoding(songID))));
    if (!body)
        co_return std::nullopt;
    co_return qualityFrom(*body);
}

QCoro::Task<std::optional<QString>> songArtwork(MusicService *service, QString songID)
{
    if (songID.isEmpty() || service->authorizationStatus() != MusicService::Status::Authorized)
        co_return std::nullopt;
    const std::optional<QString> storefront = co_await service->countryCode();
    if (!storefront)
        co_return std::nullopt;
    const std::optional<QByteArray> body = co_await AppleMusic::singleGet(
        service, QStringLiteral("/v1/catalog/%1/songs/%2").arg(*storefront, QString::fromLatin1(QUrl::toPercentEncoding(songID))));
    const auto reply = body ? RestResponse::decode(*body) : std::nullopt;
    if (!reply || reply->data.isEmpty())
        co_return std::nullopt;
    co_return artworkAt(reply->data.first(), 100);
}

} // namespace corvane::AppleMusicKit
