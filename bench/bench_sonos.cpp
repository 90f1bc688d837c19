// Figures, not verdicts: parsing costs and a round trip to a simulated speaker.
#include "async/http.h"
#include "async/tasks.h"
#include "base/text.h"
#include "simhousehold.h"
#include "sonos/replies.h"
#include "sonos/sonoscontroller.h"
#include "sonos/sonosdiscovery.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

using namespace corvane;
using namespace corvane::sim;

namespace {

const Speaker kSpeaker{"RINCON_5CAAFD0A1B2C01400", "127.9.8.7", "Salon", "Sonos Era 300"};

// A queue Browse reply of `count` songs, unescaped twice as browse() returns it.
QString queueReply(int count)
{
    const QList<SimTrack> songs = catalogueSongs();
    QString items;
    for (int i = 0; i < count; ++i)
        items += songs.at(i % songs.size()).didlItem(QStringLiteral("Q:0/%1").arg(i + 1), QStringLiteral("Q:0"));
    return didlDocument(items);
}

// `count` favorites, every third a single song whose metadata nests an item.
QString favoritesReply(int count)
{
    const QList<SimTrack> songs = catalogueSongs();
    QString items;
    for (int i = 0; i < count; ++i) {
        const SimTrack &song = songs.at(i % songs.size());
        const QString nested = i % 3 == 0 ? song.didl(QStringLiteral("10032020song"), QStringLiteral("x"))
                                          : didlDocument(QStringLiteral("<container id=\"c\"><dc:title>x</dc:title></container>"));
        items += QStringLiteral("<item id=\"FV:2/%1\" parentID=\"FV:2\" restricted=\"false\"><dc:title>%2</dc:title>"
                                "<upnp:class>object.itemobject.item.sonos-favorite</upnp:class>"
                                "<res protocolInfo=\"x-rincon-cpcontainer:*:*:*\">%3</res>"
                                "<upnp:albumArtURI>%4</upnp:albumArtURI><r:resMD>%5</r:resMD></item>")
                     .arg(QString::number(i + 1), song.title, song.uri, song.albumArtURI, nested);
    }
    return didlDocument(items);
}

template<typename F>
double microsecondsPerCall(F &&call, int iterations)
{
    QElapsedTimer clock;
    clock.start();
    std::size_t sink = 0;
    for (int i = 0; i < iterations; ++i)
        sink += call();
    const double us = double(clock.nsecsElapsed()) / 1000.0 / iterations;
    return sink == 0 ? -us : us; // keeps the work from being optimised away
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    quietAbortWarnings();
    QTextStream out(stdout);

    const QString queue = queueReply(200);
    const double queueUs = microsecondsPerCall([&] { return std::size_t(parseQueue(queue, kSpeaker).size()); }, 300);
    out << QStringLiteral("parseQueue, 200 items      : %1 µs per call").arg(queueUs, 0, 'f', 1) << Qt::endl;

    const QString favorites = favoritesReply(70);
    const double favUs = microsecondsPerCall([&] { return std::size_t(parseFavorites(favorites, kSpeaker).size()); }, 300);
    out << QStringLiteral("parseFavorites, 70 items   : %1 µs per call").arg(favUs, 0, 'f', 1) << Qt::endl;

    // Replies cut off at the size limit with a tag left open: every reader over 64 KiB, 1 MiB and
    // 4 MiB. Linear readers take about 64 times as long for the largest as for the smallest.
    for (const char *opening : {"<item id=\"", "<dc:title>", "<ZoneGroup ", "<res protocolInfo=\""}) {
        QStringList figures;
        for (const int kib : {64, 1024, 4096}) {
            QString reply = QStringLiteral("<DIDL-Lite>") + QString::fromLatin1(opening);
            reply += QString(kib * 1024 - reply.size(), QLatin1Char('a'));
            const double us = microsecondsPerCall(
                [&] {
                    std::size_t n = parseQueue(reply, kSpeaker).size() + parseFavorites(reply, kSpeaker).size();
                    n += parseZoneGroups(reply).size() + (parseNowPlaying(reply, reply, kSpeaker).title.isEmpty() ? 0 : 1);
                    return n + 1;
                },
                kib >= 1024 ? 2 : 10);
            figures << QStringLiteral("%1 KiB %2 ms").arg(kib).arg(us / 1000.0, 0, 'f', 1);
        }
        out << QStringLiteral("unclosed %1 : %2").arg(QString::fromLatin1(opening).leftJustified(22), figures.join(QStringLiteral(", ")))
            << Qt::endl;
    }

    SimHousehold household(randomLoopbackPrefix());
    if (!household.startDefault()) {
        out << "no loopback address for the simulated household" << Qt::endl;
        return 1;
    }
    const SonosController controller(household.speaker(QStringLiteral("Salon"))->speaker());
    std::vector<double> samples;
    for (int i = 0; i < 100; ++i) {
        QElapsedTimer clock;
        clock.start();
        runBlocking(controller.nowPlaying());
        samples.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    out << QStringLiteral("nowPlaying() round trip    : %1 ms median of 100 (p90 %2 ms)")
               .arg(samples[50], 0, 'f', 2)
               .arg(samples[90], 0, 'f', 2)
        << Qt::endl;

    // The zone group state of a 32-player household, parsed.
    SimHousehold large(randomLoopbackPrefix());
    for (int i = 0; i < 32; ++i)
        large.addSpeaker({.uuid = QStringLiteral("RINCON_%1").arg(i, 12, 10, QLatin1Char('0')),
                          .roomName = QStringLiteral("Pièce %1").arg(i + 1), .modelName = QStringLiteral("Sonos One")});
    const QString state = large.zoneGroupState();
    const double topologyUs = microsecondsPerCall([&] { return std::size_t(parseZoneGroups(state).size()); }, 300);
    out << QStringLiteral("zoneGroups, 32 players     : %1 µs per parse").arg(topologyUs, 0, 'f', 1) << Qt::endl;

    // playAll of 100 songs: requests sent and time taken.
    {
        SimHousehold house(randomLoopbackPrefix());
        SimSpeaker *speaker = house.addSpeaker({.uuid = QStringLiteral("RINCON_BENCH01400"), .roomName = QStringLiteral("Salon"),
                                                .modelName = QStringLiteral("Sonos Era 100")});
        house.startAll();
        QList<Track> tracks;
        const QList<SimTrack> songs = catalogueSongs();
        for (int i = 0; i < 100; ++i) {
            const SimTrack &song = songs.at(i % songs.size());
            tracks.append(Track{songIDOf(song.uri), song.title, song.artist, song.album, std::nullopt, std::nullopt});
        }
        const AppleMusicLink link{204, QStringLiteral("3"), QStringLiteral("8224"), QStringLiteral("x-sonos-http")};
        QElapsedTimer clock;
        clock.start();
        runBlocking(SonosController(speaker->speaker()).playAll(tracks, link));
        out << QStringLiteral("playAll, 100 songs         : %1 requests, %2 ms")
                   .arg(speaker->received().size())
                   .arg(clock.elapsed())
            << Qt::endl;
    }

    // A /24 sweep whose only speaker sits at the last address.
    {
        const QString prefix = randomLoopbackPrefix();
        SimHousehold house(prefix);
        house.addSpeaker({.ip = prefix + QStringLiteral(".254"), .uuid = QStringLiteral("RINCON_LAST01400"),
                          .roomName = QStringLiteral("Grenier"), .modelName = QStringLiteral("Sonos Era 100")});
        house.startAll();
        SonosDiscovery::setForcedNetwork(prefix + QStringLiteral(".1/24"));
        QElapsedTimer clock;
        clock.start();
        const auto found = runBlocking(SonosDiscovery::scanSubnet());
        out << QStringLiteral("sweep /24, speaker at .254 : %1 ms (%2)")
                   .arg(clock.elapsed())
                   .arg(found.isEmpty() ? QStringLiteral("not found") : found.first().roomName)
            << Qt::endl;
    }

    // A /24 where every host accepts and never answers: probes time out in waves of 64.
    {
        const QString prefix = randomLoopbackPrefix();
        QList<QTcpServer *> servers;
        QList<QTcpSocket *> held;
        for (int host = 1; host <= 254; ++host) {
            auto *server = new QTcpServer(&app);
            server->listen(QHostAddress(prefix + QLatin1Char('.') + QString::number(host)), 1400);
            QObject::connect(server, &QTcpServer::newConnection, server, [server, &held] {
                while (QTcpSocket *socket = server->nextPendingConnection())
                    held.append(socket);
            });
            servers.append(server);
        }
        SonosDiscovery::setForcedNetwork(prefix + QStringLiteral(".1/24"));
        QElapsedTimer clock;
        clock.start();
        runBlocking(SonosDiscovery::scanSubnet());
        out << QStringLiteral("sweep /24, all silent      : %1 s (4 waves × 1.5 s predicted)")
                   .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 2)
            << Qt::endl;
        qDeleteAll(servers);
    }
    return 0;
}
