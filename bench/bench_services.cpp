// Figures for the local services: the listening history, the artwork cache, the radio directory.
#include "applemusic/applemusickit.h"
#include "applemusic/artworkcache.h"
#include "applemusic/requests.h"
#include "applemusic/webmusicservice.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "radio/radiodirectory.h"
#include "simwebservices.h"
#include "storage/listeninghistory.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>

#include <algorithm>
#include <vector>

using namespace corvane;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    qputenv("CORVANE_PROFILE", dir.path().toUtf8());
    ListeningHistory history(dir.path() + QStringLiteral("/history.json"), nullptr);
    double at = 700000000;
    const auto track = [](int i) {
        return Track{QString::number(1400000000 + i), QStringLiteral("Titre %1").arg(i), QStringLiteral("Artiste %1").arg(i % 300),
                     QStringLiteral("Album %1").arg(i % 900), QStringLiteral("https://img.example.com/%1/100x100bb.jpg").arg(i), std::nullopt};
    };
    for (int i = 0; i < ListeningHistory::maxEntries; ++i)
        history.recordAt(track(i), QStringLiteral("Salon"), at += 61);
    history.flush();

    QElapsedTimer clock;
    clock.start();
    history.recordAt(track(-1), QStringLiteral("Salon"), at += 61);
    history.flush();
    out << QStringLiteral("record + save, 10000 entries : %1 ms").arg(double(clock.nsecsElapsed()) / 1e6, 0, 'f', 1) << Qt::endl;

    QList<HistoryEntry> cloud;
    for (int i = 0; i < ListeningHistory::cloudEntries; ++i) {
        const Track t = track(20000 + i);
        cloud.append(HistoryEntry{t.id, t.title, t.artist, t.album, t.artworkBase, at + 1000 - i * 30.0, QStringLiteral("Cuisine")});
    }
    const QByteArray value = ListeningHistory::encode(cloud);
    clock.restart();
    history.mergeFromCloud(value);
    out << QStringLiteral("mergeFromCloud, 400 into 10000 : %1 ms").arg(double(clock.nsecsElapsed()) / 1e6, 0, 'f', 1) << Qt::endl;

    // A 600×600 JPEG: from memory, then from disk alone.
    sim::SimWebServices web;
    web.start();
    const QUrl cover = web.origin().resolved(QUrl(QStringLiteral("/logos/600.jpg")));
    runBlocking(ArtworkCache::image(cover));
    QThreadPool::globalInstance()->waitForDone(); // the disk copy is written
    clock.restart();
    for (int i = 0; i < 1000; ++i)
        ArtworkCache::memoryImage(cover);
    out << QStringLiteral("artwork memory hit, 600×600 : %1 µs").arg(double(clock.nsecsElapsed()) / 1e3 / 1000, 0, 'f', 2) << Qt::endl;
    const int before = int(web.requested().size());
    clock.restart();
    for (int i = 0; i < 50; ++i) {
        ArtworkCache::clearMemory();
        runBlocking(ArtworkCache::image(cover));
    }
    out << QStringLiteral("artwork disk hit, 600×600 JPEG : %1 µs (%2 requests)")
               .arg(double(clock.nsecsElapsed()) / 1e3 / 50, 0, 'f', 0)
               .arg(web.requested().size() - before)
        << Qt::endl;

    // The radio directory: 150 stations, their favicons probed against the simulator.
    QJsonArray stations;
    for (int i = 0; i < 150; ++i) {
        QJsonObject station;
        station.insert(QStringLiteral("stationuuid"), QStringLiteral("uuid-%1").arg(i));
        station.insert(QStringLiteral("name"), QStringLiteral("Station %1").arg(i));
        station.insert(QStringLiteral("url_resolved"), QStringLiteral("http://radio.example.org/%1.mp3").arg(i));
        station.insert(QStringLiteral("favicon"), web.origin().toString() + QStringLiteral("/logos/%1.png").arg(100 + i % 60));
        station.insert(QStringLiteral("tags"), QStringLiteral("mp3,jazz"));
        stations.append(station);
    }
    web.setRadioStations(QJsonDocument(stations).toJson(QJsonDocument::Compact));
    clock.restart();
    const QList<RadioStation> found = runBlocking(RadioDirectory::stations(QStringLiteral("FR"), 150, web.origin()));
    out << QStringLiteral("radio directory, 150 stations : %1 ms (%2 stations)").arg(clock.elapsed()).arg(found.size()) << Qt::endl;

    // The Apple Music client: decoding, and paging against the simulator.
    UserTokenStore store(false);
    runBlocking(store.write(QString::fromLatin1(sim::SimWebServices::userToken)));
    WebMusicService music(WebMusicService::Settings{web.origin(), sim::SimWebServices::developerToken, {}, {}}, store);
    runBlocking(music.load());
    web.setLibrarySongCount(600);
    const QByteArray page = *runBlocking(music.get(QStringLiteral("/v1/me/library/songs?limit=100")));
    clock.restart();
    for (int i = 0; i < 200; ++i)
        Catalog::itemsToTracks(RestResponse::decode(page)->data);
    out << QStringLiteral("decode a 100-item library page : %1 µs").arg(double(clock.nsecsElapsed()) / 1e3 / 200, 0, 'f', 0) << Qt::endl;

    QJsonArray songs, albums, artists, playlists;
    for (int i = 0; i < 25; ++i) {
        const QJsonObject artwork{{QStringLiteral("url"), QStringLiteral("https://img.example.com/%1/{w}x{h}bb.jpg").arg(i)}, {QStringLiteral("width"), 3000}};
        songs.append(QJsonObject{{QStringLiteral("id"), QString::number(1000 + i)}, {QStringLiteral("type"), QStringLiteral("songs")},
                                 {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Titre %1").arg(i)}, {QStringLiteral("artistName"), QStringLiteral("Artiste")},
                                                                            {QStringLiteral("albumName"), QStringLiteral("Album")}, {QStringLiteral("durationInMillis"), 200000}, {QStringLiteral("artwork"), artwork}}}});
        albums.append(QJsonObject{{QStringLiteral("id"), QString::number(2000 + i)}, {QStringLiteral("type"), QStringLiteral("albums")},
                                  {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Album %1").arg(i)}, {QStringLiteral("artistName"), QStringLiteral("Artiste")},
                                                                             {QStringLiteral("releaseDate"), QStringLiteral("2021-03-05")}, {QStringLiteral("trackCount"), 12}, {QStringLiteral("artwork"), artwork}}}});
        artists.append(QJsonObject{{QStringLiteral("id"), QString::number(3000 + i)}, {QStringLiteral("type"), QStringLiteral("artists")},
                                   {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Artiste %1").arg(i)}, {QStringLiteral("genreNames"), QJsonArray{QStringLiteral("Pop")}}, {QStringLiteral("artwork"), artwork}}}});
        playlists.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("pl.%1").arg(i)}, {QStringLiteral("type"), QStringLiteral("playlists")},
                                     {QStringLiteral("attributes"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Liste %1").arg(i)}, {QStringLiteral("curatorName"), QStringLiteral("Corvane")}, {QStringLiteral("artwork"), artwork}}}});
    }
    const QByteArray searchReply = QJsonDocument(QJsonObject{{QStringLiteral("results"),
        QJsonObject{{QStringLiteral("songs"), QJsonObject{{QStringLiteral("data"), songs}}}, {QStringLiteral("albums"), QJsonObject{{QStringLiteral("data"), albums}}},
                    {QStringLiteral("artists"), QJsonObject{{QStringLiteral("data"), artists}}}, {QStringLiteral("playlists"), QJsonObject{{QStringLiteral("data"), playlists}}}}}}).toJson(QJsonDocument::Compact);
    clock.restart();
    for (int i = 0; i < 200; ++i)
        AppleMusicKit::searchResultsFrom(searchReply);
    out << QStringLiteral("decode a 25-per-type search reply : %1 µs").arg(double(clock.nsecsElapsed()) / 1e3 / 200, 0, 'f', 0) << Qt::endl;

    const int before500 = int(web.requested().size());
    clock.restart();
    const QList<RestItem> five = runBlocking(AppleMusic::pagedGet(&music, QStringLiteral("/v1/me/library/songs"), 500));
    out << QStringLiteral("pagedGet of 500 items : %1 requests, %2 ms (%3 items)")
               .arg(web.requested().size() - before500)
               .arg(clock.elapsed())
               .arg(five.size())
        << Qt::endl;

    std::vector<double> pages;
    for (int i = 0; i < 20; ++i) {
        clock.restart();
        runBlocking(AppleMusicKit::artistDetail(&music, QStringLiteral("art.full")));
        pages.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(pages.begin(), pages.end());
    out << QStringLiteral("artistDetail (seven views) : %1 ms median of 20").arg(pages[10], 0, 'f', 1) << Qt::endl;
    return 0;
}
