#include "simwebservices.h"

#include "simtrack.h"

#include <QCryptographicHash>
#include <QHttpServerRequest>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTcpServer>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QtEndian>

namespace corvane::sim {

SimWebServices::SimWebServices(QObject *parent) : QAbstractHttpServer(parent)
{
    // Newer than any build, so the screens have an update to show.
    setManifest(R"({"version":"9.9.0","url":"https://corvane.app/telecharger","notes":"Réglages du son plus rapides."})");
}

bool SimWebServices::start(const QString &address)
{
    auto *server = new QTcpServer(this);
    if (!server->listen(QHostAddress(address), 0)) {
        delete server;
        return false;
    }
    bind(server);
    m_origin = QUrl(QStringLiteral("http://%1:%2").arg(address).arg(server->serverPort()));
    return true;
}

void SimWebServices::setManifest(const QByteArray &json, int status)
{
    setReply(QStringLiteral("/corvane/version.json"), Reply{status, "application/json", status == 200 ? json : QByteArray()});
}

void SimWebServices::setReply(const QString &path, Reply reply)
{
    m_replies.insert(path, std::move(reply));
}

bool SimWebServices::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    const QString path = request.url().path();
    m_requested.append(path);
    m_requestedURLs.append(request.url());
    Reply reply;
    const int number = ++m_counts[path];
    if (m_failAt.value(path) == number) {
        reply = Reply{500, "text/plain", "busy"};
    } else if (m_failures.value(path) > 0) {
        --m_failures[path];
        reply = Reply{m_failureStatus.value(path, 503), "text/plain", "busy"};
    } else if (m_replies.contains(path))
        reply = m_replies.value(path);
    else if (path.startsWith(QLatin1String("/json/stations/bycountrycodeexact/")))
        reply = radioStations(request.query());
    else if (path.startsWith(QLatin1String("/logos/")))
        reply = logo(path.mid(7));
    else if (path.startsWith(QLatin1String("/art/"))) {
        // /art/<id>/<w>x<h>bb.jpg: that cover, at that size.
        const int size = path.section(QLatin1Char('/'), 3).section(QLatin1Char('x'), 0, 0).toInt();
        reply = size >= 1 && size <= 3000 ? Reply{200, "image/jpeg", coverImage(path.section(QLatin1Char('/'), 2, 2), size)}
                                          : Reply{404, "text/plain", {}};
    }
    else if (path.startsWith(QLatin1String("/v1/")))
        reply = appleMusic(request);
    else if (path.startsWith(QLatin1String("/api/v2/")))
        reply = chartFeed(path);
    else if (path == QLatin1String("/search"))
        reply = publicSearch(request.query());
    else if (path == QLatin1String("/lookup"))
        reply = publicLookup(request.query());
    else
        reply = Reply{404, "application/json", R"({"errors":[{"status":"404"}]})"};

    // Range requests get the bytes asked for, as image hosts answer them.
    const QByteArray range = request.value("Range");
    if (reply.status == 200 && range.startsWith("bytes=0-")) {
        const qsizetype last = range.mid(8).toLongLong();
        if (last + 1 < reply.body.size()) {
            reply = Reply{206, reply.contentType, reply.body.left(last + 1)};
            ++m_partial;
        }
    }
    send(socket, reply);
    return true;
}

namespace {
QJsonObject artworkObject(const QUrl &origin, const QString &id)
{
    return QJsonObject{{QStringLiteral("width"), 3000}, {QStringLiteral("height"), 3000},
                       {QStringLiteral("url"), origin.toString() + QStringLiteral("/art/") + id + QStringLiteral("/{w}x{h}bb.jpg")},
                       {QStringLiteral("bgColor"), QStringLiteral("1c1c1e")}};
}

QJsonObject songResource(const QUrl &origin, const SimTrack &song)
{
    const QString id = songIDOf(song.uri);
    return QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("type"), QStringLiteral("songs")},
                       {QStringLiteral("href"), QStringLiteral("/v1/catalog/fr/songs/") + id},
                       {QStringLiteral("attributes"),
                        QJsonObject{{QStringLiteral("name"), song.title}, {QStringLiteral("artistName"), song.artist},
                                    {QStringLiteral("albumName"), song.album}, {QStringLiteral("durationInMillis"), song.durationSeconds * 1000},
                                    {QStringLiteral("artwork"), artworkObject(origin, id)},
                                    {QStringLiteral("playParams"), QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("kind"), QStringLiteral("song")}}}}}};
}

QJsonObject containerResource(const QUrl &origin, const SimContainer &container)
{
    const bool album = container.kind == QLatin1String("album");
    QJsonObject attributes{{QStringLiteral("name"), container.title}, {QStringLiteral("artwork"), artworkObject(origin, container.id)}};
    if (album) {
        attributes.insert(QStringLiteral("artistName"), container.songs.first().artist);
        attributes.insert(QStringLiteral("releaseDate"), QStringLiteral("2021-03-05"));
        attributes.insert(QStringLiteral("trackCount"), int(container.songs.size()));
    } else {
        attributes.insert(QStringLiteral("curatorName"), QStringLiteral("Corvane Radio"));
    }
    return QJsonObject{{QStringLiteral("id"), container.id}, {QStringLiteral("type"), album ? QStringLiteral("albums") : QStringLiteral("playlists")},
                       {QStringLiteral("attributes"), attributes}};
}

bool matches(const QString &text, const QString &term)
{
    return text.normalized(QString::NormalizationForm_D).remove(QRegularExpression(QStringLiteral("\\p{Mn}")))
        .contains(QString(term).normalized(QString::NormalizationForm_D).remove(QRegularExpression(QStringLiteral("\\p{Mn}"))).trimmed(),
                  Qt::CaseInsensitive);
}
} // namespace

SimWebServices::Reply SimWebServices::appleMusic(const QHttpServerRequest &request) const
{
    const auto error = [](int status, const char *code, const char *title) {
        const QByteArray body = QStringLiteral("{\"errors\":[{\"id\":\"QKZ3D2ZVUUJ3NCJ3EQCXB2MYJE\",\"title\":\"%1\",\"detail\":\"%1\",\"status\":\"%2\",\"code\":\"%3\"}]}")
                                    .arg(QLatin1String(title), QString::number(status), QLatin1String(code)).toUtf8();
        return Reply{status, "application/json", body};
    };
    if (request.value("Authorization") != "Bearer " + developerToken)
        return error(401, "40100", "Unauthorized");
    const QString path = request.url().path();
    if (path.startsWith(QLatin1String("/v1/me/")) && request.value("Music-User-Token") != userToken)
        return error(403, "40300", "Forbidden");
    if (path == QLatin1String("/v1/me/storefront"))
        return Reply{200, "application/json", "{\"data\":[{\"id\":\"fr\",\"type\":\"storefronts\",\"href\":\"/v1/storefronts/fr\",\"attributes\":{\"name\":\"France\",\"defaultLanguageTag\":\"fr-FR\"}}]}"};
    const QUrlQuery query(request.url());
    if (path.startsWith(QLatin1String("/v1/catalog/")) && path.endsWith(QLatin1String("/search")))
        return search(query);
    if (path == QLatin1String("/v1/me/recent/played"))
        return recentlyPlayed(query);
    if (path == QLatin1String("/v1/storefronts"))
        return Reply{200, "application/json",
                     "{\"data\":[{\"id\":\"fr\",\"type\":\"storefronts\",\"attributes\":{\"name\":\"France\"}},"
                     "{\"id\":\"at\",\"type\":\"storefronts\",\"attributes\":{\"name\":\"Autriche\"}},"
                     "{\"id\":\"eg\",\"type\":\"storefronts\",\"attributes\":{\"name\":\"Égypte\"}},"
                     "{\"id\":\"dz\",\"type\":\"storefronts\"},"
                     "{\"id\":\"be\",\"type\":\"storefronts\",\"attributes\":{\"name\":\"belgique\"}}]}"};
    if (path.endsWith(QLatin1String("/genres")) && path.startsWith(QLatin1String("/v1/catalog/")))
        return Reply{200, "application/json",
                     "{\"data\":[{\"id\":\"34\",\"type\":\"genres\",\"attributes\":{\"name\":\"Musique\"}},"
                     "{\"id\":\"14\",\"type\":\"genres\",\"attributes\":{\"name\":\"Pop\"}},"
                     "{\"id\":\"11\",\"type\":\"genres\",\"attributes\":{\"name\":\"Jazz\"}},"
                     "{\"id\":\"99\",\"type\":\"genres\",\"attributes\":{\"name\":\"\"}}]}"};
    if (path.endsWith(QLatin1String("/charts")) && path.startsWith(QLatin1String("/v1/catalog/"))) {
        const QList<SimContainer> containers = catalogueContainers();
        QJsonArray songs, albumsA, albumsB, playlists;
        for (const SimTrack &song : containers.first().songs)
            songs.append(songResource(m_origin, song));
        for (const SimContainer &c : containers) {
            if (c.kind == QLatin1String("album")) {
                albumsA.append(containerResource(m_origin, c));
                if (albumsB.isEmpty() || albumsB.size() < 2)
                    albumsB.append(containerResource(m_origin, c));
            } else {
                playlists.append(containerResource(m_origin, c));
            }
        }
        const auto group = [](const char *name, const QJsonArray &data) {
            return QJsonObject{{QStringLiteral("chart"), QLatin1String(name)}, {QStringLiteral("name"), QLatin1String(name)}, {QStringLiteral("data"), data}};
        };
        QJsonObject results{{QStringLiteral("songs"), QJsonArray{group("most-played", songs)}},
                            {QStringLiteral("albums"), QJsonArray{group("most-played", albumsA), group("trending", albumsB)}}};
        if (query.queryItemValue(QStringLiteral("genre")).isEmpty())
            results.insert(QStringLiteral("playlists"), QJsonArray{group("most-played", playlists)});
        return Reply{200, "application/json", QJsonDocument(QJsonObject{{QStringLiteral("results"), results}}).toJson(QJsonDocument::Compact)};
    }
    // Playlists and albums by their tracks, and artist pages.
    const auto numbered = [this](int count, int from) {
        QJsonArray data;
        const QList<SimTrack> songs = catalogueSongs();
        for (int i = 0; i < count; ++i) {
            QJsonObject resource = songResource(m_origin, songs.at(i % songs.size()));
            resource.insert(QStringLiteral("id"), QString::number(from + i));
            QJsonObject attributes = resource.value(QStringLiteral("attributes")).toObject();
            attributes.insert(QStringLiteral("playParams"), QJsonObject{{QStringLiteral("id"), QString::number(from + i)}});
            resource.insert(QStringLiteral("attributes"), attributes);
            data.append(resource);
        }
        return data;
    };
    const auto page = [](const QJsonArray &data) {
        return Reply{200, "application/json", QJsonDocument(QJsonObject{{QStringLiteral("data"), data}}).toJson(QJsonDocument::Compact)};
    };
    if (path == QLatin1String("/v1/me/history/heavy-rotation") || path == QLatin1String("/v1/me/library/recently-added")) {
        // Library ids (l., p., i.) with their catalogue ids, a music video among the songs.
        const bool added = path.endsWith(QLatin1String("recently-added"));
        QJsonArray data;
        for (const SimContainer &c : catalogueContainers()) {
            QJsonObject resource = containerResource(m_origin, c);
            if (added) {
                resource.insert(QStringLiteral("id"), (c.kind == QLatin1String("album") ? QStringLiteral("l.") : QStringLiteral("p.")) + c.id);
                resource.insert(QStringLiteral("type"), c.kind == QLatin1String("album") ? QStringLiteral("library-albums") : QStringLiteral("library-playlists"));
            }
            data.append(resource);
        }
        if (added) {
            for (const SimTrack &song : catalogueSongs().mid(0, 3)) {
                QJsonObject resource = songResource(m_origin, song);
                const QString catalogID = resource.value(QStringLiteral("id")).toString();
                resource.insert(QStringLiteral("id"), QStringLiteral("i.") + catalogID);
                resource.insert(QStringLiteral("type"), QStringLiteral("library-songs"));
                QJsonObject attributes = resource.value(QStringLiteral("attributes")).toObject();
                attributes.insert(QStringLiteral("playParams"), QJsonObject{{QStringLiteral("id"), QStringLiteral("i.") + catalogID}, {QStringLiteral("catalogId"), catalogID}});
                resource.insert(QStringLiteral("attributes"), attributes);
                data.append(resource);
            }
            data.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("i.clip")}, {QStringLiteral("type"), QStringLiteral("library-music-videos")},
                                    {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Clip")}}}});
        }
        return page(data);
    }
    // A playlist longer than one page: its tracks come 100 at a time, with "next" until the end,
    // also when included with the playlist itself.
    constexpr int longPlaylistSize = 250;
    const auto longPlaylistPage = [&numbered](int offset, int limit) {
        const int count = std::clamp(std::min(limit, longPlaylistSize - offset), 0, 100);
        QJsonObject tracks{{QStringLiteral("data"), numbered(count, 1840000000 + offset)}};
        if (offset + count < longPlaylistSize)
            tracks.insert(QStringLiteral("next"), QStringLiteral("/v1/catalog/fr/playlists/pl.long/tracks?offset=%1").arg(offset + count));
        return tracks;
    };
    if (path.startsWith(QLatin1String("/v1/catalog/fr/playlists/pl.long"))) {
        if (path.endsWith(QLatin1String("/tracks"))) {
            const int limit = query.hasQueryItem(QStringLiteral("limit")) ? query.queryItemValue(QStringLiteral("limit")).toInt() : 100;
            const QJsonObject tracks = longPlaylistPage(query.queryItemValue(QStringLiteral("offset")).toInt(), limit);
            return Reply{200, "application/json", QJsonDocument(tracks).toJson(QJsonDocument::Compact)};
        }
        QJsonObject resource{{QStringLiteral("id"), QStringLiteral("pl.long")}, {QStringLiteral("type"), QStringLiteral("playlists")},
                             {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Longue route")}}}};
        if (query.queryItemValue(QStringLiteral("include")).contains(QLatin1String("tracks")))
            resource.insert(QStringLiteral("relationships"), QJsonObject{{QStringLiteral("tracks"), longPlaylistPage(0, 100)}});
        return page(QJsonArray{resource});
    }
    static const QRegularExpression tracksPath(QStringLiteral("^/v1/catalog/[a-z]{2}/(albums|playlists)/([^/]+)/tracks$"));
    if (const auto m = tracksPath.match(path); m.hasMatch()) {
        const QString id = m.captured(2);
        if (id == QLatin1String("tie12") || id == QLatin1String("lib12cat11"))
            return page(numbered(id == QLatin1String("tie12") ? 12 : 11, 1800000000));
        const auto container = catalogueContainer(m.captured(1).chopped(1), id);
        if (!container)
            return error(404, "40400", "Resource Not Found");
        QJsonArray data;
        for (const SimTrack &song : container->songs)
            data.append(songResource(m_origin, song));
        if (m.captured(1) == QLatin1String("albums")) // albums carry their clips among the songs
            data.insert(1, QJsonObject{{QStringLiteral("id"), QStringLiteral("1811470099")}, {QStringLiteral("type"), QStringLiteral("music-videos")},
                                       {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Clip")}}}});
        return page(data);
    }
    static const QRegularExpression resourcePath(QStringLiteral("^/v1/catalog/[a-z]{2}/(albums|playlists)/([^/]+)$"));
    if (const auto m = resourcePath.match(path); m.hasMatch()) {
        const auto container = catalogueContainer(m.captured(1).chopped(1), m.captured(2));
        if (!container)
            return page(QJsonArray()); // the real service answers an empty list for an unknown id
        QJsonObject resource = containerResource(m_origin, *container);
        const QString include = query.queryItemValue(QStringLiteral("include"));
        QJsonObject relationships;
        if (include.contains(QLatin1String("tracks"))) {
            QJsonArray tracks;
            for (const SimTrack &song : container->songs)
                tracks.append(songResource(m_origin, song));
            tracks.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("1811470099")}, {QStringLiteral("type"), QStringLiteral("music-videos")},
                                      {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Clip")}}}});
            relationships.insert(QStringLiteral("tracks"), QJsonObject{{QStringLiteral("data"), tracks}});
        }
        if (include.contains(QLatin1String("artists"))) {
            const QString artist = container->songs.first().artist;
            relationships.insert(QStringLiteral("artists"),
                                 QJsonObject{{QStringLiteral("data"), QJsonArray{QJsonObject{
                                     {QStringLiteral("id"), QStringLiteral("art.") + QString::number(qHash(artist, 5) % 100000)},
                                     {QStringLiteral("type"), QStringLiteral("artists")},
                                     {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), artist},
                                                                                {QStringLiteral("genreNames"), QJsonArray{QStringLiteral("Chanson"), QStringLiteral("Musique")}},
                                                                                {QStringLiteral("artwork"), artworkObject(m_origin, QStringLiteral("artist"))}}}}}}});
        }
        resource.insert(QStringLiteral("relationships"), relationships);
        return page(QJsonArray{resource});
    }
    static const QRegularExpression libraryTracks(QStringLiteral("^/v1/me/library/playlists/([^/]+)/tracks$"));
    if (const auto m = libraryTracks.match(path); m.hasMatch()) {
        if (m.captured(1) == QLatin1String("tie12") || m.captured(1) == QLatin1String("lib12cat11"))
            return page(numbered(12, 1810000000));
        if (m.captured(1) == QLatin1String("p.fallback"))
            return page(QJsonArray());
        return error(404, "40400", "Resource Not Found");
    }
    if (path == QLatin1String("/v1/me/library/playlists/p.fallback") && query.queryItemValue(QStringLiteral("include")) == QLatin1String("tracks")) {
        const QJsonObject playlist{{QStringLiteral("id"), QStringLiteral("p.fallback")}, {QStringLiteral("type"), QStringLiteral("library-playlists")},
                                   {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Liste hors ligne")}}},
                                   {QStringLiteral("relationships"), QJsonObject{{QStringLiteral("tracks"), QJsonObject{{QStringLiteral("data"), numbered(5, 1820000000)}}}}}};
        return page(QJsonArray{playlist});
    }
    static const QRegularExpression artistView(QStringLiteral("^/v1/catalog/[a-z]{2}/artists/([^/]+)/view/([a-z-]+)$"));
    if (const auto m = artistView.match(path); m.hasMatch()) {
        const QString artist = m.captured(1);
        const QString view = m.captured(2);
        const int limit = query.queryItemValue(QStringLiteral("limit")).toInt();
        const QList<SimContainer> containers = catalogueContainers();
        QJsonArray data;
        if (view == QLatin1String("top-songs")) {
            // Each artist's songs from a number of its own: the same in every run (qHash is seeded
            // per process) and far apart, so two artists never share song ids.
            const QByteArray digest = QCryptographicHash::hash(artist.toUtf8(), QCryptographicHash::Sha1);
            const int slot = int(qFromBigEndian<quint32>(digest.constData()) % 1000000);
            data = numbered(artist == QLatin1String("art.none") ? 0 : artist == QLatin1String("art.small") ? 3 : std::min(limit, 8), 1830000000 + slot * 100);
        } else if (artist == QLatin1String("art.full")) {
            if (view == QLatin1String("full-albums") || view == QLatin1String("appears-on-albums"))
                data = QJsonArray{containerResource(m_origin, containers.at(0)), containerResource(m_origin, containers.at(1))};
            else if (view == QLatin1String("latest-release"))
                data = QJsonArray{containerResource(m_origin, containers.at(3))};
            else if (view == QLatin1String("featured-playlists"))
                data = QJsonArray{containerResource(m_origin, containers.at(4))};
            else if (view == QLatin1String("similar-artists"))
                for (const char *id : {"art.sim1", "art.sim2"})
                    data.append(QJsonObject{{QStringLiteral("id"), QLatin1String(id)}, {QStringLiteral("type"), QStringLiteral("artists")},
                                            {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QLatin1String(id)}}}});
        }
        return page(data);
    }
    static const QRegularExpression songPath(QStringLiteral("^/v1/catalog/[a-z]{2}/songs/(\\d+)$"));
    if (const auto m = songPath.match(path); m.hasMatch()) {
        for (const SimContainer &container : catalogueContainers()) {
            for (const SimTrack &song : container.songs) {
                if (songIDOf(song.uri) != m.captured(1))
                    continue;
                QJsonObject resource = songResource(m_origin, song);
                if (query.queryItemValue(QStringLiteral("extend")) == QLatin1String("audioVariants")) {
                    // Formats differ from song to song, as in the catalogue.
                    static const QList<QStringList> offers = {{"dolby-atmos", "dolby-audio", "lossless", "lossy-stereo"},
                                                              {"hi-res-lossless", "lossless", "lossy-stereo"},
                                                              {"lossless", "lossy-stereo"},
                                                              {"lossy-stereo"}};
                    QJsonObject attributes = resource.value(QStringLiteral("attributes")).toObject();
                    attributes.insert(QStringLiteral("audioVariants"), QJsonArray::fromStringList(offers.at(m.captured(1).toLongLong() % 4)));
                    resource.insert(QStringLiteral("attributes"), attributes);
                }
                return Reply{200, "application/json", QJsonDocument(QJsonObject{{QStringLiteral("data"), QJsonArray{resource}}}).toJson(QJsonDocument::Compact)};
            }
        }
        return error(404, "40400", "Resource Not Found");
    }
    if (path == QLatin1String("/v1/me/library/playlists")) {
        const int offset = query.queryItemValue(QStringLiteral("offset")).toInt();
        const int limit = query.hasQueryItem(QStringLiteral("limit")) ? query.queryItemValue(QStringLiteral("limit")).toInt() : 25;
        if (limit < 1 || limit > 100)
            return error(400, "40005", "Invalid Parameter Value");
        QJsonArray data;
        for (int i = offset; i < std::min(offset + limit, m_libraryPlaylists); ++i)
            data.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("p.list%1").arg(i)}, {QStringLiteral("type"), QStringLiteral("library-playlists")},
                                    {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Liste %1").arg(i)},
                                                                                {QStringLiteral("canEdit"), true},
                                                                                {QStringLiteral("artwork"), artworkObject(m_origin, QStringLiteral("p.list%1").arg(i))}}}});
        return Reply{200, "application/json", QJsonDocument(QJsonObject{{QStringLiteral("data"), data}}).toJson(QJsonDocument::Compact)};
    }
    if (path == QLatin1String("/v1/me/recommendations")) {
        const QList<SimContainer> containers = catalogueContainers();
        QJsonArray mix;
        for (const SimContainer &container : containers)
            mix.append(containerResource(m_origin, container));
        mix.append(containerResource(m_origin, containers.first())); // a repeat
        const auto shelf = [](const char *id, const char *title, const QJsonArray &contents) {
            QJsonObject attributes{{QStringLiteral("isGroupRecommendation"), false}};
            if (title)
                attributes.insert(QStringLiteral("title"), QJsonObject{{QStringLiteral("stringForDisplay"), QString::fromUtf8(title)}});
            return QJsonObject{{QStringLiteral("id"), QLatin1String(id)}, {QStringLiteral("type"), QStringLiteral("personal-recommendation")},
                               {QStringLiteral("attributes"), attributes},
                               {QStringLiteral("relationships"), QJsonObject{{QStringLiteral("contents"), QJsonObject{{QStringLiteral("data"), contents}}}}}};
        };
        // Titles come in the language the request asks for (l=), French unless it asks for English.
        const bool english = query.queryItemValue(QStringLiteral("l")).startsWith(QLatin1String("en"));
        const QJsonArray shelves{shelf("6-27s5hU6azhJY", english ? "Recently played" : "Écoutés récemment", mix),
                                 shelf("6-untitled", nullptr, QJsonArray{mix.at(4)}),
                                 shelf("6-empty", english ? "Nothing" : "Rien", QJsonArray())};
        return Reply{200, "application/json", QJsonDocument(QJsonObject{{QStringLiteral("data"), shelves}}).toJson(QJsonDocument::Compact)};
    }
    if (path != QLatin1String("/v1/me/library/songs"))
        return error(404, "40400", "Resource Not Found");

    const int offset = query.queryItemValue(QStringLiteral("offset")).toInt();
    const int limit = query.hasQueryItem(QStringLiteral("limit")) ? query.queryItemValue(QStringLiteral("limit")).toInt() : 25;
    if (limit < 1 || limit > 100)
        return error(400, "40005", "Invalid Parameter Value");
    // Every third page comes back three short, as the real service sometimes does.
    const bool shortPage = offset % 300 == 200 && limit > 3;
    const int count = std::max(0, std::min(limit - (shortPage ? 3 : 0), m_librarySongs - offset));
    QJsonArray data;
    for (int i = offset; i < offset + count; ++i) {
        data.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("i.song%1").arg(i)},
                                {QStringLiteral("type"), QStringLiteral("library-songs")},
                                {QStringLiteral("attributes"),
                                 QJsonObject{{QStringLiteral("name"), QStringLiteral("Chanson %1").arg(i)},
                                             {QStringLiteral("artistName"), QStringLiteral("Odile Ravanel")},
                                             {QStringLiteral("albumName"), QStringLiteral("Villes de nuit")},
                                             {QStringLiteral("playParams"), QJsonObject{{QStringLiteral("id"), QStringLiteral("i.song%1").arg(i)},
                                                                                        {QStringLiteral("catalogId"), QString::number(1609930000 + i)}}}}}});
    }
    QJsonObject reply{{QStringLiteral("data"), data}, {QStringLiteral("meta"), QJsonObject{{QStringLiteral("total"), m_librarySongs}}}};
    if (offset + limit < m_librarySongs)
        reply.insert(QStringLiteral("next"), QStringLiteral("/v1/me/library/songs?offset=%1").arg(offset + limit));
    return Reply{200, "application/json", QJsonDocument(reply).toJson(QJsonDocument::Compact)};
}

SimWebServices::Reply SimWebServices::search(const QUrlQuery &query) const
{
    const QString term = query.queryItemValue(QStringLiteral("term"), QUrl::FullyDecoded);
    const int limit = query.hasQueryItem(QStringLiteral("limit")) ? query.queryItemValue(QStringLiteral("limit")).toInt() : 5;
    if (limit < 1 || limit > 25)
        return Reply{400, "application/json", "{\"errors\":[{\"status\":\"400\",\"code\":\"40005\",\"title\":\"Invalid Parameter Value\"}]}"};
    QJsonArray songs, albums, artists, playlists;
    QStringList seenArtists;
    QList<SimTrack> all;
    for (const SimContainer &container : catalogueContainers()) {
        for (const SimTrack &song : container.songs) {
            if (!std::any_of(all.cbegin(), all.cend(), [&song](const SimTrack &t) { return t.uri == song.uri; }))
                all.append(song);
        }
        QJsonArray &bucket = container.kind == QLatin1String("album") ? albums : playlists;
        if (bucket.size() < limit && (matches(container.title, term) || (container.kind == QLatin1String("album") && matches(container.songs.first().artist, term))))
            bucket.append(containerResource(m_origin, container));
    }
    for (const SimTrack &song : std::as_const(all)) {
        if (songs.size() < limit && (matches(song.title, term) || matches(song.artist, term)))
            songs.append(songResource(m_origin, song));
        if (artists.size() < limit && matches(song.artist, term) && !seenArtists.contains(song.artist)) {
            seenArtists.append(song.artist);
            const QString id = QString::number(900000000 + qHash(song.artist, 7) % 99999999);
            QJsonObject attributes{{QStringLiteral("name"), song.artist}, {QStringLiteral("genreNames"), QJsonArray{QStringLiteral("Pop")}}};
            if (seenArtists.size() % 2 == 1)
                attributes.insert(QStringLiteral("artwork"), artworkObject(m_origin, id));
            artists.append(QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("type"), QStringLiteral("artists")}, {QStringLiteral("attributes"), attributes}});
        }
    }
    // Each bucket is there only when something matched, as the real service answers.
    QJsonObject results;
    const auto add = [&results](const char *name, const QJsonArray &data) {
        if (!data.isEmpty())
            results.insert(QLatin1String(name), QJsonObject{{QStringLiteral("href"), QStringLiteral("/v1/catalog/fr/search")}, {QStringLiteral("data"), data}});
    };
    add("songs", songs);
    add("albums", albums);
    add("artists", artists);
    add("playlists", playlists);
    return Reply{200, "application/json", QJsonDocument(QJsonObject{{QStringLiteral("results"), results}}).toJson(QJsonDocument::Compact)};
}

SimWebServices::Reply SimWebServices::recentlyPlayed(const QUrlQuery &query) const
{
    const int limit = query.hasQueryItem(QStringLiteral("limit")) ? query.queryItemValue(QStringLiteral("limit")).toInt() : 5;
    if (limit < 1 || limit > 10)
        return Reply{400, "application/json", "{\"errors\":[{\"status\":\"400\",\"code\":\"40005\",\"title\":\"Invalid Parameter Value\",\"detail\":\"Value must be an integer less than or equal to 10\"}]}"};
    const int offset = query.queryItemValue(QStringLiteral("offset")).toInt();
    // Stations, albums and playlists, some twice, as a listening history has them.
    QJsonArray all;
    const QList<SimContainer> containers = catalogueContainers();
    for (int round = 0; round < 3; ++round) {
        all.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("ra.%1").arg(1498157166 + round)}, {QStringLiteral("type"), QStringLiteral("stations")},
                               {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Station %1").arg(round + 1)}, {QStringLiteral("isLive"), true}}}});
        for (const SimContainer &container : containers)
            all.append(containerResource(m_origin, container));
    }
    QJsonArray page;
    for (int i = offset; i < std::min(int(all.size()), offset + limit); ++i)
        page.append(all.at(i));
    QJsonObject reply{{QStringLiteral("data"), page}};
    if (offset + limit < all.size())
        reply.insert(QStringLiteral("next"), QStringLiteral("/v1/me/recent/played?offset=%1").arg(offset + limit));
    return Reply{200, "application/json", QJsonDocument(reply).toJson(QJsonDocument::Compact)};
}

void SimWebServices::missingHandler(const QHttpServerRequest &, QTcpSocket *socket)
{
    send(socket, Reply{404, "text/plain", {}});
}

void SimWebServices::send(QTcpSocket *socket, const Reply &reply)
{
    if (m_delayMs > 0) {
        const QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(m_delayMs, this, [this, guarded, reply] {
            if (guarded)
                write(guarded, reply);
        });
        return;
    }
    write(socket, reply);
}

void SimWebServices::write(QTcpSocket *socket, const Reply &reply)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " Sim\r\n";
    head += "Content-Type: " + reply.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head + reply.body);
    socket->disconnectFromHost();
}

} // namespace corvane::sim
