#include "catalog.h"
#include "base/text.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace corvane {

namespace {

std::optional<QString> optionalString(const QJsonObject &object, const char *key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isString() ? std::optional<QString>(value.toString()) : std::nullopt;
}

std::optional<QString> artworkBaseOf(const RestItem &item)
{
    const auto url = optionalString(item.attributes.value(QLatin1String("artwork")).toObject(), "url");
    if (!url)
        return std::nullopt;
    return Catalog::fillArtworkTemplate(*url);
}

} // namespace

std::optional<QUrl> ArtworkDescriptor::url(int width, int height) const
{
    QString text = urlTemplate();
    if (text.isEmpty())
        return std::nullopt;
    text.replace(QLatin1String("{w}"), QString::number(width)).replace(QLatin1String("{h}"), QString::number(height));
    text.replace(QLatin1String("{c}"), QLatin1String("bb")).replace(QLatin1String("{f}"), QLatin1String("jpg"));
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() ? std::optional<QUrl>(url) : std::nullopt;
}

std::optional<ArtworkDescriptor> ArtworkDescriptor::from(const QJsonValue &value)
{
    if (!value.isObject() || !value.toObject().value(QLatin1String("url")).isString())
        return std::nullopt;
    return ArtworkDescriptor{value.toObject()};
}

QString playlistOrderText(PlaylistOrder order)
{
    switch (order) {
    case PlaylistOrder::Name:
        return QStringLiteral("name");
    case PlaylistOrder::NameDescending:
        return QStringLiteral("nameDescending");
    case PlaylistOrder::RecentlyPlayed:
        return QStringLiteral("recentlyPlayed");
    }
    return {};
}

std::optional<PlaylistOrder> playlistOrderFromText(const QString &text)
{
    for (PlaylistOrder order : {PlaylistOrder::Name, PlaylistOrder::NameDescending, PlaylistOrder::RecentlyPlayed}) {
        if (playlistOrderText(order) == text)
            return order;
    }
    return std::nullopt;
}

std::optional<QString> RestItem::attribute(const char *name) const
{
    return optionalString(attributes, name);
}

std::optional<RestResponse> RestResponse::fromObject(const QJsonObject &object)
{
    const QJsonValue data = object.value(QLatin1String("data"));
    if (!data.isArray())
        return std::nullopt;
    RestResponse response;
    for (const QJsonValue &value : data.toArray()) {
        const QJsonObject entry = value.toObject();
        if (!entry.value(QLatin1String("id")).isString())
            return std::nullopt;
        RestItem item;
        item.id = entry.value(QLatin1String("id")).toString();
        item.type = optionalString(entry, "type");
        item.hasAttributes = entry.value(QLatin1String("attributes")).isObject();
        item.attributes = entry.value(QLatin1String("attributes")).toObject();
        response.data.append(item);
    }
    response.next = optionalString(object, "next");
    return response;
}

std::optional<RestResponse> RestResponse::decode(const QByteArray &json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return std::nullopt;
    return fromObject(document.object());
}

namespace Catalog {

QString fillArtworkTemplate(QString url)
{
    return url.replace(QLatin1String("{w}"), QLatin1String("100"))
        .replace(QLatin1String("{h}"), QLatin1String("100"))
        .replace(QLatin1String("{c}"), QLatin1String("bb"))
        .replace(QLatin1String("{f}"), QLatin1String("jpg"));
}

QList<Track> itemsToTracks(const QList<RestItem> &items)
{
    QList<Track> tracks;
    for (const RestItem &item : items) {
        if (item.type && item.type->contains(QLatin1String("music-video")))
            continue;
        const QJsonObject play = item.attributes.value(QLatin1String("playParams")).toObject();
        Track track;
        // A library song carries its catalogue id in playParams: the speaker needs that one.
        track.id = optionalString(play, "catalogId").value_or(optionalString(play, "id").value_or(item.id));
        track.title = item.attribute("name").value_or(QString());
        track.artist = item.attribute("artistName").value_or(QString());
        track.album = item.attribute("albumName").value_or(QString());
        track.artworkBase = artworkBaseOf(item);
        const QJsonValue duration = item.attributes.value(QLatin1String("durationInMillis"));
        // Out of range (or negative) is as good as missing.
        if (duration.isDouble() && duration.toDouble() >= 0 && duration.toDouble() <= maxDurationMS)
            track.durationMS = qint64(duration.toDouble());
        tracks.append(track);
    }
    return uniqueByID(tracks);
}

namespace {
Album albumOf(const RestItem &item)
{
    Album album{item.id, item.attribute("name").value_or(QString()), item.attribute("artistName").value_or(QString()),
                artworkBaseOf(item), std::nullopt, std::nullopt};
    if (const auto date = item.attribute("releaseDate"))
        album.year = date->left(4);
    return album;
}

PlaylistRef playlistOf(const RestItem &item)
{
    return PlaylistRef{item.id, item.attribute("name").value_or(QString()), item.attribute("curatorName"),
                       artworkBaseOf(item), false, std::nullopt};
}
} // namespace

QList<Album> itemsToAlbums(const QList<RestItem> &items)
{
    QList<Album> albums;
    for (const RestItem &item : items)
        albums.append(albumOf(item));
    return uniqueByID(albums);
}

QList<Artist> itemsToArtists(const QList<RestItem> &items)
{
    QList<Artist> artists;
    for (const RestItem &item : items)
        artists.append(Artist{item.id, item.attribute("name").value_or(QString()), std::nullopt, artworkBaseOf(item)});
    return uniqueByID(artists);
}

QList<PlaylistRef> itemsToPlaylists(const QList<RestItem> &items)
{
    QList<PlaylistRef> playlists;
    for (const RestItem &item : items)
        playlists.append(playlistOf(item));
    return uniqueByID(playlists);
}

std::pair<QList<Album>, QList<PlaylistRef>> itemsToHomeShelf(const QList<RestItem> &items)
{
    QList<Album> albums;
    QList<PlaylistRef> playlists;
    for (const RestItem &item : items) {
        if (!item.type)
            continue;
        if (item.type->contains(QLatin1String("album")))
            albums.append(albumOf(item));
        else if (item.type->contains(QLatin1String("playlist")))
            playlists.append(playlistOf(item));
    }
    return {uniqueByID(albums), uniqueByID(playlists)};
}

QList<GenreRef> itemsToGenres(const QList<RestItem> &items)
{
    QList<GenreRef> genres;
    for (const RestItem &item : items) {
        const QString name = item.attribute("name").value_or(QString());
        if (!name.isEmpty())
            genres.append(GenreRef{item.id, name});
    }
    return uniqueByID(genres);
}

QJsonObject encode(const MusicItem &item)
{
    QJsonObject object;
    object.insert(QStringLiteral("id"), item.id);
    object.insert(QStringLiteral("kind"),
                  QJsonObject{{item.kind == MusicItem::Kind::Album ? QStringLiteral("album") : QStringLiteral("playlist"), QJsonObject()}});
    object.insert(QStringLiteral("title"), item.title);
    object.insert(QStringLiteral("subtitle"), item.subtitle);
    if (item.artwork)
        object.insert(QStringLiteral("artwork"), item.artwork->json);
    return object;
}

QJsonObject encode(const Recommendation &recommendation)
{
    QJsonArray items;
    for (const MusicItem &item : recommendation.items)
        items.append(encode(item));
    return QJsonObject{{QStringLiteral("id"), recommendation.id}, {QStringLiteral("title"), recommendation.title},
                       {QStringLiteral("items"), items}};
}

std::optional<MusicItem> decodeMusicItem(const QJsonObject &object, QString *error)
{
    const auto fail = [error](const QString &message) -> std::optional<MusicItem> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    const QJsonObject kind = object.value(QLatin1String("kind")).toObject();
    if (kind.size() != 1)
        return fail(QStringLiteral("Invalid number of keys found, expected one."));
    MusicItem item;
    if (kind.contains(QLatin1String("album")))
        item.kind = MusicItem::Kind::Album;
    else if (kind.contains(QLatin1String("playlist")))
        item.kind = MusicItem::Kind::Playlist;
    else
        return fail(QStringLiteral("Unknown kind."));
    for (const char *key : {"id", "title", "subtitle"}) {
        if (!object.value(QLatin1String(key)).isString())
            return fail(QStringLiteral("Missing key \"%1\".").arg(QLatin1String(key)));
    }
    item.id = object.value(QLatin1String("id")).toString();
    item.title = object.value(QLatin1String("title")).toString();
    item.subtitle = object.value(QLatin1String("subtitle")).toString();
    item.artwork = ArtworkDescriptor::from(object.value(QLatin1String("artwork")));
    return item;
}

std::optional<Recommendation> decodeRecommendation(const QJsonObject &object, QString *error)
{
    if (!object.value(QLatin1String("id")).isString() || !object.value(QLatin1String("title")).isString()
        || !object.value(QLatin1String("items")).isArray()) {
        if (error)
            *error = QStringLiteral("Missing key.");
        return std::nullopt;
    }
    Recommendation recommendation{object.value(QLatin1String("id")).toString(), object.value(QLatin1String("title")).toString(), {}};
    for (const QJsonValue &value : object.value(QLatin1String("items")).toArray()) {
        const auto item = decodeMusicItem(value.toObject(), error);
        if (!item)
            return std::nullopt;
        recommendation.items.append(*item);
    }
    return recommendation;
}

} // namespace Catalog

} // namespace corvane

namespace corvane {

QUrl Album::artworkShown() const
{
    return artworkURL(artworkBase, 256).value_or(QUrl());
}

QUrl Artist::artworkShown() const
{
    return artworkURL(artworkBase, 256).value_or(QUrl());
}

QUrl PlaylistRef::artworkShown() const
{
    if (musicArtwork)
        return musicArtwork->url(256, 256).value_or(QUrl());
    return artworkURL(artworkBase, 256).value_or(QUrl());
}

QUrl MusicItem::artworkShown() const
{
    return artwork ? artwork->url(256, 256).value_or(QUrl()) : QUrl();
}

QVariantList Recommendation::itemList() const
{
    QVariantList list;
    for (const MusicItem &item : items)
        list.append(QVariant::fromValue(item));
    return list;
}

QUrl LibraryPlaylist::artworkShown() const
{
    return artwork ? artwork->url(256, 256).value_or(QUrl()) : QUrl();
}

} // namespace corvane
