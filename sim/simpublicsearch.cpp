// Apple's public search and lookup, over the same fictional catalogue (and the same ids) as the
// simulated Apple Music API: songs, their albums, their artists.

#include "simwebservices.h"

#include "simtrack.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

namespace corvane::sim {

namespace {

// The artist ids of the simulated Apple Music API, so both APIs name an artist alike.
qint64 artistIdOf(const QString &artist)
{
    return 900000000 + qint64(qHash(artist, 7) % 99999999);
}

bool matches(const QString &text, const QString &term)
{
    return text.contains(term, Qt::CaseInsensitive);
}

struct Entry
{
    SimTrack song;
    SimContainer album;
    int number = 0;
};

// Every song of the catalogue with the album it belongs to.
QList<Entry> songsWithAlbums()
{
    QList<Entry> entries;
    for (const SimContainer &container : catalogueContainers()) {
        if (container.kind != QLatin1String("album"))
            continue;
        for (qsizetype i = 0; i < container.songs.size(); ++i)
            entries.append(Entry{container.songs.at(i), container, int(i + 1)});
    }
    return entries;
}

QString artwork(const QUrl &origin, const QString &collectionId, int size)
{
    return origin.toString() + QStringLiteral("/art/%1/%2x%2bb.jpg").arg(collectionId).arg(size);
}

QJsonObject songResult(const QUrl &origin, const Entry &entry)
{
    const qint64 collection = entry.album.id.toLongLong();
    return QJsonObject{
        {QStringLiteral("wrapperType"), QStringLiteral("track")},
        {QStringLiteral("kind"), QStringLiteral("song")},
        {QStringLiteral("artistId"), artistIdOf(entry.song.artist)},
        {QStringLiteral("collectionId"), collection},
        {QStringLiteral("trackId"), songIDOf(entry.song.uri).toLongLong()},
        {QStringLiteral("artistName"), entry.song.artist},
        {QStringLiteral("collectionName"), entry.album.title},
        {QStringLiteral("trackName"), entry.song.title},
        {QStringLiteral("artworkUrl30"), artwork(origin, entry.album.id, 30)},
        {QStringLiteral("artworkUrl60"), artwork(origin, entry.album.id, 60)},
        {QStringLiteral("artworkUrl100"), artwork(origin, entry.album.id, 100)},
        {QStringLiteral("previewUrl"), origin.toString() + QStringLiteral("/preview/") + songIDOf(entry.song.uri) + QStringLiteral(".m4a")},
        {QStringLiteral("releaseDate"), QStringLiteral("2021-03-05T08:00:00Z")},
        {QStringLiteral("trackExplicitness"), QStringLiteral("notExplicit")},
        {QStringLiteral("discCount"), 1},
        {QStringLiteral("discNumber"), 1},
        {QStringLiteral("trackCount"), int(entry.album.songs.size())},
        {QStringLiteral("trackNumber"), entry.number},
        {QStringLiteral("trackTimeMillis"), entry.song.durationSeconds * 1000},
        {QStringLiteral("country"), QStringLiteral("FRA")},
        {QStringLiteral("currency"), QStringLiteral("EUR")},
        {QStringLiteral("primaryGenreName"), QStringLiteral("Chanson française")},
        {QStringLiteral("isStreamable"), true},
    };
}

QJsonObject albumResult(const QUrl &origin, const SimContainer &album)
{
    const QString artist = album.songs.first().artist;
    return QJsonObject{
        {QStringLiteral("wrapperType"), QStringLiteral("collection")},
        {QStringLiteral("collectionType"), QStringLiteral("Album")},
        {QStringLiteral("artistId"), artistIdOf(artist)},
        {QStringLiteral("collectionId"), album.id.toLongLong()},
        {QStringLiteral("artistName"), artist},
        {QStringLiteral("collectionName"), album.title},
        {QStringLiteral("artworkUrl60"), artwork(origin, album.id, 60)},
        {QStringLiteral("artworkUrl100"), artwork(origin, album.id, 100)},
        {QStringLiteral("trackCount"), int(album.songs.size())},
        {QStringLiteral("releaseDate"), QStringLiteral("2021-03-05T08:00:00Z")},
        {QStringLiteral("primaryGenreName"), QStringLiteral("Chanson française")},
    };
}

QJsonObject artistResult(const QString &artist)
{
    return QJsonObject{{QStringLiteral("wrapperType"), QStringLiteral("artist")},
                       {QStringLiteral("artistType"), QStringLiteral("Artist")},
                       {QStringLiteral("artistName"), artist},
                       {QStringLiteral("artistId"), artistIdOf(artist)},
                       {QStringLiteral("primaryGenreName"), QStringLiteral("Chanson française")}};
}

// What the real service adds to a song search: a clip of the same song, which is no song.
QJsonObject videoResult(const QUrl &origin, const Entry &entry)
{
    QJsonObject video = songResult(origin, entry);
    video.insert(QStringLiteral("kind"), QStringLiteral("music-video"));
    video.insert(QStringLiteral("trackId"), songIDOf(entry.song.uri).toLongLong() + 500000000);
    video.insert(QStringLiteral("trackName"), entry.song.title + QStringLiteral(" (clip)"));
    return video;
}

QByteArray resultsOf(const QJsonArray &results)
{
    // The real service answers in JavaScript's content type, with the JSON as the body.
    return QJsonDocument(QJsonObject{{QStringLiteral("resultCount"), int(results.size())}, {QStringLiteral("results"), results}})
        .toJson(QJsonDocument::Compact);
}

} // namespace

SimWebServices::Reply SimWebServices::publicSearch(const QUrlQuery &query) const
{
    const QString term = query.queryItemValue(QStringLiteral("term"), QUrl::FullyDecoded).replace(QLatin1Char('+'), QLatin1Char(' ')).trimmed();
    const QString entity = query.queryItemValue(QStringLiteral("entity"));
    const int limit = query.hasQueryItem(QStringLiteral("limit")) ? query.queryItemValue(QStringLiteral("limit")).toInt() : 50;
    if (term.isEmpty() || limit < 1 || limit > 200 || query.queryItemValue(QStringLiteral("media")) != QLatin1String("music"))
        return Reply{400, "text/javascript; charset=utf-8", R"({"errorMessage":"Invalid value(s) for key(s): [term]","queryParameters":{}})"};
    QJsonArray results;
    QStringList artists;
    QStringList albums;
    for (const Entry &entry : songsWithAlbums()) {
        if (results.size() >= limit)
            break;
        const bool hit = matches(entry.song.title, term) || matches(entry.song.artist, term) || matches(entry.album.title, term);
        if (!hit)
            continue;
        if (entity == QLatin1String("song") || entity.isEmpty()) {
            results.append(songResult(m_origin, entry));
            if (entry.number == 1 && results.size() < limit)
                results.append(videoResult(m_origin, entry));
        } else if (entity == QLatin1String("album") && !albums.contains(entry.album.id)) {
            albums.append(entry.album.id);
            results.append(albumResult(m_origin, entry.album));
        } else if (entity == QLatin1String("musicArtist") && !artists.contains(entry.song.artist)) {
            artists.append(entry.song.artist);
            results.append(artistResult(entry.song.artist));
        }
    }
    return Reply{200, "text/javascript; charset=utf-8", resultsOf(results)};
}

SimWebServices::Reply SimWebServices::publicLookup(const QUrlQuery &query) const
{
    const QString id = query.queryItemValue(QStringLiteral("id"));
    const QString entity = query.queryItemValue(QStringLiteral("entity"));
    const int limit = query.hasQueryItem(QStringLiteral("limit")) ? query.queryItemValue(QStringLiteral("limit")).toInt() : 50;
    QJsonArray results;
    const QList<Entry> entries = songsWithAlbums();
    // An album: the collection first, then its songs when asked.
    for (const SimContainer &album : catalogueContainers()) {
        if (album.kind != QLatin1String("album") || album.id != id)
            continue;
        results.append(albumResult(m_origin, album));
        if (entity == QLatin1String("song")) {
            for (const Entry &entry : entries) {
                if (entry.album.id == id && results.size() <= limit)
                    results.append(songResult(m_origin, entry));
            }
        }
        return Reply{200, "text/javascript; charset=utf-8", resultsOf(results)};
    }
    // A song.
    for (const Entry &entry : entries) {
        if (songIDOf(entry.song.uri) == id) {
            results.append(songResult(m_origin, entry));
            return Reply{200, "text/javascript; charset=utf-8", resultsOf(results)};
        }
    }
    // An artist: the artist first, then their albums or their songs, most popular first.
    for (const Entry &entry : entries) {
        if (QString::number(artistIdOf(entry.song.artist)) != id)
            continue;
        results.append(artistResult(entry.song.artist));
        QStringList albums;
        for (const Entry &other : entries) {
            if (other.song.artist != entry.song.artist || results.size() > limit)
                continue;
            if (entity == QLatin1String("song"))
                results.append(songResult(m_origin, other));
            else if (entity == QLatin1String("album") && !albums.contains(other.album.id)) {
                albums.append(other.album.id);
                results.append(albumResult(m_origin, other.album));
            }
        }
        return Reply{200, "text/javascript; charset=utf-8", resultsOf(results)};
    }
    return Reply{200, "text/javascript; charset=utf-8", resultsOf(results)};
}

} // namespace corvane::sim
