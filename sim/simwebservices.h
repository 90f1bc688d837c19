#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

class QTcpSocket;

namespace corvane::sim {

// The web services Corvane talks to, on one loopback port: the version manifest, the radio
// directory and station logos of chosen sizes and types, Apple Music's API and its public search
// and lookup (/search, /lookup).
class SimWebServices : public QAbstractHttpServer
{
    Q_OBJECT
public:
    struct Reply
    {
        int status = 200;
        QByteArray contentType = "application/json";
        QByteArray body;
    };

    explicit SimWebServices(QObject *parent = nullptr);

    // Listens on `address`, on a port of the system's choosing.
    bool start(const QString &address = QStringLiteral("127.0.0.1"));
    QUrl origin() const { return m_origin; }

    // The manifest served at /corvane/version.json; a status other than 200 answers that
    // status with no body.
    void setManifest(const QByteArray &json, int status = 200);
    // The radio directory's stations (JSON objects shaped like the real directory's); the
    // default list has duplicates, empty stream URLs and favicons good and bad.
    void setRadioStations(QByteArray json);
    static QByteArray defaultRadioStations(const QUrl &origin);

    // The Apple Music library: `count` songs paged as the service pages them (100 at most per
    // page, some pages short while "next" is still given). Requests need the tokens below.
    void setLibrarySongCount(int count) { m_librarySongs = count; }
    void setLibraryPlaylistCount(int count) { m_libraryPlaylists = count; }
    // How many entries the public chart feeds hold at most (8 unless set).
    void setChartSize(int count) { m_chartSize = count; }
    static inline const QByteArray developerToken = "sim-developer-token";
    static inline const QByteArray userToken = "sim-user-token";

    // The next `count` requests of `path` fail with 503 (or `status`: 403 is how the public
    // search says "too many requests").
    void failNext(const QString &path, int count, int status = 503)
    {
        m_failures.insert(path, count);
        m_failureStatus.insert(path, status);
    }
    // The `number`-th request of `path` (counting from 1) fails with 500.
    void failRequest(const QString &path, int number) { m_failAt.insert(path, number); }

    // The cover of `id` (an album, a song's album, a playlist, a station, an artist), `size`
    // pixels square, in `format` ("JPEG" or "PNG").
    static QByteArray coverImage(const QString &id, int size, const char *format = "JPEG");

    // Any other fixed reply.
    void setReply(const QString &path, Reply reply);
    // Every reply is held back this long (real milliseconds), as a slow connection would.
    void setReplyDelay(int ms) { m_delayMs = ms; }
    // Paths requested so far, in order.
    QStringList requested() const { return m_requested; }
    // The same requests, whole (query included).
    QList<QUrl> requestedURLs() const { return m_requestedURLs; }
    // How many range requests were answered in part (206).
    int partialReplies() const { return m_partial; }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    void send(QTcpSocket *socket, const Reply &reply);
    void write(QTcpSocket *socket, const Reply &reply);
    Reply logo(const QString &name) const;
    Reply radioStations(const QUrlQuery &query) const;
    Reply appleMusic(const QHttpServerRequest &request) const;
    Reply search(const QUrlQuery &query) const;
    Reply recentlyPlayed(const QUrlQuery &query) const;
    Reply chartFeed(const QString &path) const;
    Reply publicSearch(const QUrlQuery &query) const;
    Reply publicLookup(const QUrlQuery &query) const;

    QUrl m_origin;
    QHash<QString, Reply> m_replies;
    QStringList m_requested;
    QList<QUrl> m_requestedURLs;
    QByteArray m_radioStations;
    int m_partial = 0;
    QHash<QString, int> m_failures;
    QHash<QString, int> m_failureStatus;
    QHash<QString, int> m_failAt;
    QHash<QString, int> m_counts;
    int m_librarySongs = 250;
    int m_libraryPlaylists = 230;
    int m_delayMs = 0;
    int m_chartSize = 8;
};

} // namespace corvane::sim
