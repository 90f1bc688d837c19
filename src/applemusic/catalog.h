#pragma once

#include "base/records.h"

#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>

#include <optional>
#include <utility>

namespace corvane {

// The music service's own artwork object ("url" template with {w} and {h}, "width", "height",
// colours), kept whole: it yields a URL for any pixel size and is stored as it came.
struct ArtworkDescriptor
{
    QJsonObject json;

    QString urlTemplate() const { return json.value(QLatin1String("url")).toString(); }
    // The image URL at width × height; nothing when the object carries no template.
    std::optional<QUrl> url(int width, int height) const;
    static std::optional<ArtworkDescriptor> from(const QJsonValue &value);

    bool operator==(const ArtworkDescriptor &) const = default;
};

struct Album
{
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString artist MEMBER artist)
    Q_PROPERTY(QUrl artwork READ artworkShown)
    Q_PROPERTY(QString year READ yearShown)
public:
    QUrl artworkShown() const;
    QString yearShown() const { return year.value_or(QString()); }
    QString id;
    QString title;
    QString artist;
    std::optional<QString> artworkBase;
    std::optional<QString> year;
    std::optional<int> trackCount;
    bool operator==(const Album &) const = default;
};

struct Artist
{
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QString genre READ genreShown)
    Q_PROPERTY(QUrl artwork READ artworkShown)
public:
    QUrl artworkShown() const;
    QString genreShown() const { return genre.value_or(QString()); }
    QString id;
    QString name;
    std::optional<QString> genre;
    std::optional<QString> artworkBase;
    bool operator==(const Artist &) const = default;
};

struct PlaylistRef
{
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QString curator READ curatorShown)
    Q_PROPERTY(QUrl artwork READ artworkShown)
    Q_PROPERTY(bool isLibrary MEMBER isLibrary)
public:
    QUrl artworkShown() const;
    QString curatorShown() const { return curator.value_or(QString()); }
    QString id;
    QString name;
    std::optional<QString> curator;
    std::optional<QString> artworkBase;
    bool isLibrary = false;
    std::optional<ArtworkDescriptor> musicArtwork;
    bool operator==(const PlaylistRef &) const = default;
};

struct GenreRef
{
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString name MEMBER name)
public:
    QString id;
    QString name;
    bool operator==(const GenreRef &) const = default;
};

struct StorefrontRef
{
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString name MEMBER name)
public:
    QString id; // lower-case country code used in catalogue paths
    QString name;
    bool operator==(const StorefrontRef &) const = default;
};

// A tile of a recommendation shelf.
struct MusicItem
{
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString subtitle MEMBER subtitle)
    Q_PROPERTY(bool isAlbum READ isAlbum)
    Q_PROPERTY(QUrl artwork READ artworkShown)
public:
    bool isAlbum() const { return kind == Kind::Album; }
    QUrl artworkShown() const;
    enum class Kind { Album, Playlist };
    QString id;
    Kind kind = Kind::Album;
    QString title;
    QString subtitle;
    std::optional<ArtworkDescriptor> artwork;
    bool operator==(const MusicItem &) const = default;
};

struct Recommendation
{
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QVariantList items READ itemList)
public:
    QVariantList itemList() const;
    QString id;
    QString title;
    QList<MusicItem> items;
    bool operator==(const Recommendation &) const = default;
};

struct LibraryPlaylist
{
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QString curator READ curatorShown)
    Q_PROPERTY(QUrl artwork READ artworkShown)
public:
    QUrl artworkShown() const;
    QString curatorShown() const { return curator.value_or(QString()); }
    QString id;
    QString name;
    std::optional<ArtworkDescriptor> artwork;
    std::optional<QString> curator;
    bool operator==(const LibraryPlaylist &) const = default;
};

enum class PlaylistOrder { Name, NameDescending, RecentlyPlayed };
QString playlistOrderText(PlaylistOrder order);
std::optional<PlaylistOrder> playlistOrderFromText(const QString &text);

struct ArtistDetail
{
    QList<Track> topSongs;
    QList<Album> albums;
    QList<Album> singles;
    QList<Album> appearsOn;
    QList<Artist> similar;
    QList<PlaylistRef> playlists;
    std::optional<Album> latest;
};

// One resource of a web-service reply, read leniently: missing and null fields are absent.
struct RestItem
{
    QString id;
    std::optional<QString> type;
    QJsonObject attributes; // empty when the item has none
    bool hasAttributes = false;

    std::optional<QString> attribute(const char *name) const;
};

// {"data": [...], "next": "/v1/..."}; nothing when "data" is missing or an item has no id.
struct RestResponse
{
    QList<RestItem> data;
    std::optional<QString> next;
    static std::optional<RestResponse> decode(const QByteArray &json);
    static std::optional<RestResponse> fromObject(const QJsonObject &object);
};

namespace Catalog {

// {w}, {h}, {c}, {f} → 100, 100, bb, jpg.
QString fillArtworkTemplate(QString url);

template<typename T>
QList<T> uniqueByID(const QList<T> &list)
{
    QList<T> unique;
    QSet<QString> seen;
    for (const T &item : list) {
        if (!seen.contains(item.id)) {
            seen.insert(item.id);
            unique.append(item);
        }
    }
    return unique;
}

QList<Track> itemsToTracks(const QList<RestItem> &items);
// The longest duration read as one (about 24 days); anything past it is missing.
inline constexpr double maxDurationMS = 2147483647.0;
QList<Album> itemsToAlbums(const QList<RestItem> &items);
QList<Artist> itemsToArtists(const QList<RestItem> &items);
QList<PlaylistRef> itemsToPlaylists(const QList<RestItem> &items);
std::pair<QList<Album>, QList<PlaylistRef>> itemsToHomeShelf(const QList<RestItem> &items);
QList<GenreRef> itemsToGenres(const QList<RestItem> &items);

// The persisted forms of the home snapshot.
QJsonObject encode(const MusicItem &item);
QJsonObject encode(const Recommendation &recommendation);
// Fails with the message of the first problem found.
std::optional<MusicItem> decodeMusicItem(const QJsonObject &object, QString *error = nullptr);
std::optional<Recommendation> decodeRecommendation(const QJsonObject &object, QString *error = nullptr);

} // namespace Catalog

} // namespace corvane
