// Figures, not verdicts: parsing costs and a round trip to a simulated speaker.
#include "async/tasks.h"
#include "simhousehold.h"
#include "sonos/replies.h"
#include "sonos/sonoscontroller.h"
#include "sonos/text.h"

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
    QTextStream out(stdout);

    const QString queue = queueReply(200);
    const double queueUs = microsecondsPerCall([&] { return std::size_t(parseQueue(queue, kSpeaker).size()); }, 300);
    out << QStringLiteral("parseQueue, 200 items      : %1 µs per call").arg(queueUs, 0, 'f', 1) << Qt::endl;

    const QString favorites = favoritesReply(70);
    const double favUs = microsecondsPerCall([&] { return std::size_t(parseFavorites(favorites, kSpeaker).size()); }, 300);
    out << QStringLiteral("parseFavorites, 70 items   : %1 µs per call").arg(favUs, 0, 'f', 1) << Qt::endl;

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
    return 0;
}
