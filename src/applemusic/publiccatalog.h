#pragma once

#include "async/tasks.h"
#include "catalog.h"

#include <QByteArray>
#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include <memory>
#include <optional>

namespace corvane {

// Apple's public search and lookup, which need no key: the catalogue's songs, albums and artists
// under their catalogue ids. That is all a speaker needs to play them with the household's own
// Apple Music account, so searching works for every subscriber, developer token or not.
//
// The service allows an address about twenty requests a minute: answers are kept ten minutes,
// requests for the same address share one flight, and a search asks once for what the screens
// show (songs, with their albums and artists taken from them).
class PublicCatalog
{
public:
    // What a search looks for: everything (one request for songs), or albums or artists alone.
    enum class Kind { All, Albums, Artists };

    struct Results
    {
        QList<Track> songs;
        QList<Album> albums;
        QList<Artist> artists;
        // The albums and artists the songs name, each once, in the songs' order: a search for
        // songs gives them without a request of their own.
        QList<Album> songAlbums;
        QList<Artist> songArtists;
        bool operator==(const Results &) const = default;
    };

    PublicCatalog(QUrl origin, QString country);

    QUrl origin() const { return m_origin; }
    // The storefront searched, a lower-case country code ("fr").
    QString country() const { return m_country; }
    void setCountry(const QString &country);

    // Nothing when the service could not be asked or refused (see isThrottled).
    QCoro::Task<std::optional<Results>> search(QString term, int limit, Kind kind = Kind::All);
    QCoro::Task<QList<Track>> albumTracks(QString albumID);
    // The album's own record (its artist among it), from the same reply as its tracks.
    QCoro::Task<std::optional<Album>> album(QString albumID);
    QCoro::Task<std::optional<Artist>> artistOfAlbum(QString albumID);
    // The artist's albums and most popular songs: two requests.
    QCoro::Task<ArtistDetail> artistDetail(QString artistID);
    QCoro::Task<QList<Track>> topSongs(QString artistID, int limit);
    QCoro::Task<std::optional<Track>> song(QString songID);

    // The last answer was a refusal for too many requests (403 or 429); a success clears it.
    bool isThrottled() const { return m_throttled; }
    // The French description of the latest failure; empty after a success.
    QString lastFailure() const { return m_lastFailure; }
    // Requests sent to the service so far (answers from the cache are not counted).
    int requestsSent() const { return m_sent; }

    // Reading replies ({"resultCount": n, "results": [...]}), leniently: what is not a
    // streamable song, an album or an artist is left out; nothing when the reply is no such object.
    static std::optional<Results> decode(const QByteArray &json);
    // The storefronts a person may choose, by code, with their French names, in that order.
    static const QList<std::pair<QString, QString>> &storefronts();
    // How long an answer is kept.
    static constexpr int cacheSeconds = 600;
    static constexpr qsizetype maxCached = 200;

private:
    struct Cached
    {
        QByteArray body;
        qint64 at = 0;
    };
    QCoro::Task<std::optional<QByteArray>> get(QString path, QUrlQuery query);
    // /lookup of one id (digits only, else nothing is sent), with its related `entity`.
    QCoro::Task<std::optional<Results>> lookup(QString id, QString entity, int limit);

    QUrl m_origin;
    QString m_country;
    QHash<QString, Cached> m_cache;
    QHash<QString, std::shared_ptr<detail::Wakeup>> m_flights;
    bool m_throttled = false;
    QString m_lastFailure;
    int m_sent = 0;
    // Requests still running when the catalogue goes away see it expire and touch nothing.
    std::shared_ptr<int> m_lifetime = std::make_shared<int>(0);
};

} // namespace corvane
