#include "applemusickit.h"

#include "publiccatalog.h"

#include "requests.h"

#include "async/tasks.h"

#include <QCollator>
#include <QCoreApplication>
#include <QLocale>
#include <QRandomGenerator>

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

namespace corvane::AppleMusicKit {

namespace {

// A GET of "/v1/catalog/<the account's storefront>/" + `relativePath`.
QCoro::Task<std::optional<QByteArray>> catalogResource(MusicService *service, QString relativePath)
{
    if (service->authorizationStatus() != MusicService::Status::Authorized)
        co_return std::nullopt;
    const std::optional<QString> storefront = co_await service->countryCode();
    if (!storefront)
        co_return std::nullopt;
    std::optional<QByteArray> body = co_await AppleMusic::singleGet(service, QStringLiteral("/v1/catalog/") + QString::fromLatin1(QUrl::toPercentEncoding(*storefront)) + QLatin1Char('/') + relativePath);
    co_return body;
}

QString escaped(const QString &id)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(id));
}

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

// The public search, when the service cannot answer for the catalogue itself (no developer
// token); nothing otherwise.
PublicCatalog *openCatalog(MusicService *service)
{
    return service ? service->publicCatalog() : nullptr;
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

QCoro::Task<SearchResults> search(MusicService *service, QString term, int limit, PublicCatalog::Kind kind)
{
    if (PublicCatalog *open = openCatalog(service)) {
        const std::optional<PublicCatalog::Results> found = co_await open->search(term, limit, kind);
        SearchResults results;
        if (found) {
            results.songs = found->songs;
            results.albums = found->albums;
            results.artists = found->artists;
        }
        co_return results;
    }
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
                             .arg(escaped(*storefront), escaped(term), QString::number(limit));
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

namespace {

// The library read the way the platform's library request pages it: limit and offset, stopping at
// the first short page, at max or at the first failure (keeping what came before).
QCoro::Task<QList<RestItem>> libraryByOffset(MusicService *service, QString kind, int max)
{
    QList<RestItem> items;
    while (items.size() < max && service->authorizationStatus() == MusicService::Status::Authorized) {
        const int limit = std::min(int(max - items.size()), 100);
        const std::optional<QByteArray> body = co_await service->get(
            QStringLiteral("/v1/me/library/%1?limit=%2&offset=%3").arg(kind).arg(limit).arg(items.size()));
        const auto page = body ? RestResponse::decode(*body) : std::nullopt;
        if (!page)
            break;
        items += page->data;
        if (page->data.size() < limit)
            break;
    }
    co_return items;
}

QList<Track> librarySongsFrom(const QList<RestItem> &items)
{
    QList<Track> tracks;
    for (const RestItem &item : items) {
        RestItem song = item;
        song.type.reset(); // no type filter here
        tracks += Catalog::itemsToTracks({song});
    }
    return Catalog::uniqueByID(tracks);
}

} // namespace

QCoro::Task<QList<LibraryPlaylist>> libraryPlaylists(MusicService *service, int max)
{
    const QList<RestItem> items = co_await libraryByOffset(service, QStringLiteral("playlists"), max);
    QList<LibraryPlaylist> playlists;
    for (const RestItem &item : items) {
        playlists.append(LibraryPlaylist{item.id, item.attribute("name").value_or(QString()),
                                         ArtworkDescriptor::from(item.attributes.value(QLatin1String("artwork"))),
                                         item.attribute("curatorName")});
    }
    co_return playlists;
}

QCoro::Task<QList<Track>> librarySongs(MusicService *service, int max)
{
    const QList<RestItem> paged = co_await AppleMusic::pagedGet(service, QStringLiteral("/v1/me/library/songs"), max);
    QList<Track> tracks = librarySongsFrom(paged);
    if (tracks.isEmpty()) {
        // The second route reads by offset, the way the platform's library request does; it
        // gets through when the first page of the paged route failed.
        const QList<RestItem> byOffset = co_await libraryByOffset(service, QStringLiteral("songs"), max);
        tracks = librarySongsFrom(byOffset);
    }
    co_return tracks;
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
            shelf.title = QCoreApplication::translate("Home", "Pour vous");
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
        co_await AppleMusic::singleGet(service, QStringLiteral("/v1/me/recommendations?limit=%1&l=%2").arg(limit).arg(QLocale().name().replace(QLatin1Char('_'), QLatin1Char('-'))));
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
    if (songID.isEmpty())
        co_return std::nullopt;
    const std::optional<QByteArray> body = co_await catalogResource(service, QStringLiteral("songs/") + escaped(songID) + QStringLiteral("?extend=audioVariants"));
    if (!body)
        co_return std::nullopt;
    co_return qualityFrom(*body);
}

QCoro::Task<QList<Track>> albumTracks(MusicService *service, QString albumID)
{
    if (PublicCatalog *open = openCatalog(service)) {
        QList<Track> tracks = co_await open->albumTracks(albumID);
        co_return tracks;
    }
    const QList<RestItem> items = co_await AppleMusic::catalogGet(service, QStringLiteral("albums/%1/tracks").arg(escaped(albumID)), 300);
    co_return Catalog::itemsToTracks(items);
}

namespace {
QCoro::Task<QList<Track>> libraryPlaylistTracks(MusicService *service, QString playlistID)
{
    const QList<RestItem> items =
        co_await AppleMusic::pagedGet(service, QStringLiteral("/v1/me/library/playlists/%1/tracks").arg(escaped(playlistID)), 500);
    QList<Track> tracks = Catalog::itemsToTracks(items);
    if (!tracks.isEmpty())
        co_return tracks;
    // The playlist itself, with its tracks included: the route that still works when the
    // tracks path answers nothing.
    const std::optional<QByteArray> body =
        co_await AppleMusic::singleGet(service, QStringLiteral("/v1/me/library/playlists/%1?include=tracks").arg(escaped(playlistID)));
    const QJsonArray data = body ? QJsonDocument::fromJson(*body).object().value(QLatin1String("data")).toArray() : QJsonArray();
    if (data.isEmpty())
        co_return tracks;
    const auto included = RestResponse::fromObject(
        data.first().toObject().value(QLatin1String("relationships")).toObject().value(QLatin1String("tracks")).toObject());
    co_return included ? Catalog::itemsToTracks(included->data) : tracks;
}

QCoro::Task<QList<Track>> catalogPlaylistTracks(MusicService *service, QString playlistID)
{
    const QList<RestItem> items = co_await AppleMusic::catalogGet(service, QStringLiteral("playlists/%1/tracks").arg(escaped(playlistID)), 500);
    co_return Catalog::itemsToTracks(items);
}

QCoro::Task<QList<RestItem>> artistView(MusicService *service, QString artistID, QString view, int max)
{
    QList<RestItem> items = co_await AppleMusic::catalogGet(service, QStringLiteral("artists/%1/view/%2").arg(escaped(artistID), escaped(view)), max);
    co_return items;
}

template<typename T>
void shuffle(QList<T> &list)
{
    for (qsizetype i = list.size() - 1; i > 0; --i)
        list.swapItemsAt(i, qsizetype(QRandomGenerator::system()->bounded(quint64(i + 1))));
}
} // namespace

QCoro::Task<QList<Track>> playlistTracks(MusicService *service, QString playlistID)
{
    std::vector<QCoro::Task<QList<Track>>> variants;
    variants.push_back(libraryPlaylistTracks(service, playlistID));
    variants.push_back(catalogPlaylistTracks(service, playlistID));
    const std::vector<QList<Track>> lists = co_await whenAll(std::move(variants));
    const QList<Track> &library = lists[0];
    const QList<Track> &catalogue = lists[1];
    co_return !catalogue.isEmpty() && catalogue.size() >= library.size() ? catalogue : library;
}

QCoro::Task<ArtistDetail> artistDetail(MusicService *service, QString artistID)
{
    if (PublicCatalog *open = openCatalog(service)) {
        ArtistDetail detail = co_await open->artistDetail(artistID);
        co_return detail;
    }
    static const std::pair<const char *, int> views[] = {{"top-songs", 50},     {"full-albums", 100},        {"singles", 100},
                                                         {"appears-on-albums", 50}, {"similar-artists", 20}, {"featured-playlists", 30},
                                                         {"latest-release", 1}};
    std::vector<QCoro::Task<QList<RestItem>>> reads;
    for (const auto &[view, max] : views)
        reads.push_back(artistView(service, artistID, QString::fromLatin1(view), max));
    const std::vector<QList<RestItem>> results = co_await whenAll(std::move(reads));
    ArtistDetail detail;
    detail.topSongs = Catalog::itemsToTracks(results[0]);
    detail.albums = Catalog::itemsToAlbums(results[1]);
    detail.singles = Catalog::itemsToAlbums(results[2]);
    detail.appearsOn = Catalog::itemsToAlbums(results[3]);
    detail.similar = Catalog::itemsToArtists(results[4]);
    detail.playlists = Catalog::itemsToPlaylists(results[5]);
    const QList<Album> latest = Catalog::itemsToAlbums(results[6]);
    if (!latest.isEmpty())
        detail.latest = latest.first();
    co_return detail;
}

namespace {
// One catalogue resource with a relationship included: the related items, or nothing.
QCoro::Task<std::optional<RestResponse>> related(MusicService *service, QString kind, QString id, QString relationship)
{
    const std::optional<QByteArray> body =
        co_await catalogResource(service, kind + QLatin1Char('/') + escaped(id) + QStringLiteral("?include=") + relationship);
    const QJsonArray data = body ? QJsonDocument::fromJson(*body).object().value(QLatin1String("data")).toArray() : QJsonArray();
    if (data.isEmpty())
        co_return std::nullopt;
    const auto included = RestResponse::fromObject(
        data.first().toObject().value(QLatin1String("relationships")).toObject().value(relationship).toObject());
    co_return included;
}
} // namespace

QCoro::Task<QList<Track>> itemTracks(MusicService *service, MusicItem item)
{
    constexpr qsizetype itemTrackLimit = 500;
    // The public search knows albums, not the catalogue's playlists.
    if (PublicCatalog *open = openCatalog(service)) {
        QList<Track> tracks = item.kind == MusicItem::Kind::Album ? co_await open->albumTracks(item.id) : QList<Track>();
        co_return tracks;
    }
    const QString kind = item.kind == MusicItem::Kind::Album ? QStringLiteral("albums") : QStringLiteral("playlists");
    const std::optional<RestResponse> included = co_await related(service, kind, item.id, QStringLiteral("tracks"));
    if (!included)
        co_return QList<Track>();
    // A long playlist includes its first tracks only: the relationship's "next" has the rest.
    QList<RestItem> tracks = included->data;
    if (included->next && tracks.size() < itemTrackLimit) {
        const QList<RestItem> rest = co_await AppleMusic::pagedGet(service, *included->next, int(itemTrackLimit - tracks.size()));
        tracks += rest;
    }
    co_return Catalog::itemsToTracks(tracks);
}

QCoro::Task<std::optional<Artist>> artistOfAlbum(MusicService *service, QString albumID)
{
    if (PublicCatalog *open = openCatalog(service)) {
        std::optional<Artist> artist = co_await open->artistOfAlbum(albumID);
        co_return artist;
    }
    const std::optional<RestResponse> artists = co_await related(service, QStringLiteral("albums"), albumID, QStringLiteral("artists"));
    if (!artists || artists->data.isEmpty())
        co_return std::nullopt;
    const RestItem &first = artists->data.first();
    const QJsonArray genres = first.attributes.value(QLatin1String("genreNames")).toArray();
    co_return Artist{first.id, first.attribute("name").value_or(QString()),
                     genres.isEmpty() ? std::nullopt : std::optional<QString>(genres.first().toString()), artworkAt(first, 100)};
}

QCoro::Task<QList<Track>> artistRadio(MusicService *service, QString artistID, int count)
{
    // Without the service's similar artists: the artist's own most popular songs, shuffled.
    if (PublicCatalog *open = openCatalog(service)) {
        QList<Track> songs = co_await open->topSongs(artistID, 50);
        shuffle(songs);
        co_return songs.mid(0, std::max(count, 0));
    }
    std::vector<QCoro::Task<QList<RestItem>>> first;
    first.push_back(artistView(service, artistID, QStringLiteral("top-songs"), 25));
    first.push_back(artistView(service, artistID, QStringLiteral("similar-artists"), 6));
    const std::vector<QList<RestItem>> own = co_await whenAll(std::move(first));
    std::vector<QCoro::Task<QList<RestItem>>> similarReads;
    for (const Artist &artist : Catalog::itemsToArtists(own[1]))
        similarReads.push_back(artistView(service, artist.id, QStringLiteral("top-songs"), 8));
    const std::vector<QList<RestItem>> similar = co_await whenAll(std::move(similarReads));

    QList<Track> mine = Catalog::itemsToTracks(own[0]);
    shuffle(mine);
    mine = mine.mid(0, 20);
    QList<Track> others;
    for (const QList<RestItem> &songs : similar)
        others += Catalog::itemsToTracks(songs);
    shuffle(others);
    QList<Track> mix = Catalog::uniqueByID(mine + others);
    shuffle(mix);
    co_return mix.mid(0, std::max(count, 0));
}

Charts chartsFrom(const QByteArray &reply)
{
    Charts charts;
    const QJsonObject results = QJsonDocument::fromJson(reply).object().value(QLatin1String("results")).toObject();
    const auto items = [&results](const char *kind) {
        QList<RestItem> all;
        for (const QJsonValue &group : results.value(QLatin1String(kind)).toArray()) {
            if (const auto response = RestResponse::fromObject(group.toObject()))
                all += response->data;
        }
        return all;
    };
    charts.songs = Catalog::itemsToTracks(items("songs"));
    charts.albums = Catalog::itemsToAlbums(items("albums"));
    charts.playlists = Catalog::itemsToPlaylists(items("playlists"));
    return charts;
}

QCoro::Task<Charts> charts(MusicService *service, std::optional<QString> storefront, std::optional<QString> genre, int limit)
{
    if (!storefront) {
        const std::optional<QString> own = co_await service->countryCode();
        if (!own)
            co_return Charts{};
        storefront = own;
    }
    QString path = QStringLiteral("/v1/catalog/%1/charts?types=songs,albums,playlists&limit=%2").arg(escaped(*storefront), QString::number(limit));
    if (genre)
        path += QStringLiteral("&genre=") + escaped(*genre);
    const std::optional<QByteArray> body = co_await AppleMusic::singleGet(service, path);
    co_return body ? chartsFrom(*body) : Charts{};
}

QCoro::Task<QList<GenreRef>> genres(MusicService *service)
{
    const QList<RestItem> items = co_await AppleMusic::catalogGet(service, QStringLiteral("genres"), 60);
    co_return Catalog::itemsToGenres(items);
}

QList<StorefrontRef> storefrontsFrom(const QByteArray &reply)
{
    QList<StorefrontRef> list;
    for (const QJsonValue &value : QJsonDocument::fromJson(reply).object().value(QLatin1String("data")).toArray()) {
        const QJsonObject object = value.toObject();
        const QString id = object.value(QLatin1String("id")).toString();
        if (id.isEmpty())
            continue;
        QString name = object.value(QLatin1String("attributes")).toObject().value(QLatin1String("name")).toString();
        list.append(StorefrontRef{id, name.isEmpty() ? id.toUpper() : name});
    }
    // The order a person expects: accents and case do not set letters apart.
    QCollator collator; // the default locale, which follows the user's
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(list.begin(), list.end(), [&collator](const StorefrontRef &a, const StorefrontRef &b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return list;
}

QCoro::Task<QList<StorefrontRef>> storefronts(MusicService *service)
{
    const std::optional<QByteArray> body = co_await AppleMusic::singleGet(service, QStringLiteral("/v1/storefronts?limit=200"));
    co_return body ? storefrontsFrom(*body) : QList<StorefrontRef>();
}

QCoro::Task<std::optional<QString>> songArtwork(MusicService *service, QString songID)
{
    if (songID.isEmpty())
        co_return std::nullopt;
    if (PublicCatalog *open = openCatalog(service)) {
        const std::optional<Track> song = co_await open->song(songID);
        co_return song ? song->artworkBase : std::nullopt;
    }
    const std::optional<QByteArray> body = co_await catalogResource(service, QStringLiteral("songs/") + escaped(songID));
    const auto reply = body ? RestResponse::decode(*body) : std::nullopt;
    if (!reply || reply->data.isEmpty())
        co_return std::nullopt;
    co_return artworkAt(reply->data.first(), 100);
}

} // namespace corvane::AppleMusicKit
