#include "async/delays.h"
#include "base/corvaneerror.h"
#include "base/text.h"
#include "sonos/replies.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {
const AppleMusicLink kLink{204, QStringLiteral("3"), QStringLiteral("8224"), QStringLiteral("x-sonos-http")};

QList<Track> tracks(int count)
{
    QList<Track> list;
    const QList<SimTrack> songs = catalogueSongs();
    for (int i = 0; i < count; ++i) {
        const SimTrack &song = songs.at(i % songs.size());
        list.append(Track{songIDOf(song.uri), song.title, song.artist, song.album, std::nullopt, std::nullopt});
    }
    return list;
}
} // namespace

Q_DECLARE_METATYPE(std::optional<int>)

class TestQueue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayScale(0.01); }

    void playAll_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("refuse");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<int>("refused");
        QTest::addColumn<int>("queued");
        const QStringList start = {"RemoveAllTracksFromQueue", "AddURIToQueue", "SetAVTransportURI", "Play"};
        QTest::newRow("nothing to play sends nothing") << 0 << QStringList() << QStringList() << 0 << 6;
        QTest::newRow("one track: clear, add, source, play") << 1 << QStringList() << start << 0 << 1;
        QTest::newRow("third refused twice, fourth still sent")
            << 4 << QStringList{"1440857802"}
            << start + QStringList{"AddURIToQueue", "AddURIToQueue", "AddURIToQueue", "AddURIToQueue"} << 1 << 3;
    }
    void playAll()
    {
        QFETCH(int, count);
        QFETCH(QStringList, refuse);
        QFETCH(QStringList, actions);
        QFETCH(int, refused);
        QFETCH(int, queued);
        auto speaker = startSpeaker();
        speaker->setQueue(catalogueSongs());
        speaker->faults().refusedSongs = refuse;
        const SonosController controller(speaker->speaker());
        const QList<Track> result = await(controller.playAll(tracks(count), kLink));
        QCOMPARE(result.size(), refused);
        if (refused)
            QCOMPARE(result.first().id, QStringLiteral("1440857802"));
        QCOMPARE(actionsOf(*speaker), actions);
        QCOMPARE(speaker->queue().size(), queued);
        if (count > 0) {
            QCOMPARE(speaker->transport(), SimSpeaker::Transport::Playing);
            QCOMPARE(argumentsOf(lastRequest(*speaker, QStringLiteral("SetAVTransportURI"))),
                     QStringLiteral("<InstanceID>0</InstanceID><CurrentURI>x-rincon-queue:%1#0</CurrentURI>"
                                    "<CurrentURIMetaData></CurrentURIMetaData>")
                         .arg(speaker->config().uuid));
        }
    }

    void playAllFailsWhenTheFirstTrackFails()
    {
        auto speaker = startSpeaker();
        speaker->faults().refusedSongs = {QStringLiteral("1440857781")};
        QVERIFY_THROWS_EXCEPTION(CorvaneError, await(SonosController(speaker->speaker()).playAll(tracks(3), kLink)));
        QCOMPARE(actionsOf(*speaker), (QStringList{"RemoveAllTracksFromQueue", "AddURIToQueue"}));
    }

    void playContainer_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<std::optional<int>>("added");
        QTest::addColumn<QStringList>("actions");
        QTest::newRow("album") << "album" << "1440857770" << std::optional<int>(4)
                               << QStringList{"RemoveAllTracksFromQueue", "AddURIToQueue", "SetAVTransportURI", "Play"};
        QTest::newRow("playlist") << "playlist" << "pl.u-Kf3mQ" << std::optional<int>(5)
                                  << QStringList{"RemoveAllTracksFromQueue", "AddURIToQueue", "SetAVTransportURI", "Play"};
        QTest::newRow("nothing added: transport untouched") << "album" << "999" << std::optional<int>()
                                                            << QStringList{"RemoveAllTracksFromQueue", "AddURIToQueue"};
    }
    void playContainer()
    {
        QFETCH(QString, kind);
        QFETCH(QString, id);
        QFETCH(std::optional<int>, added);
        QFETCH(QStringList, actions);
        auto speaker = startSpeaker();
        speaker->setQueue(catalogueSongs());
        const SonosController controller(speaker->speaker());
        QCOMPARE(await(controller.playContainer(kind, id, QStringLiteral("Titre"), kLink)), added);
        QCOMPARE(actionsOf(*speaker), actions);
        QCOMPARE(speaker->queue().size(), added.value_or(0));
        const QString arguments = argumentsOf(lastRequest(*speaker, QStringLiteral("AddURIToQueue")));
        QVERIFY(arguments.startsWith(QStringLiteral("<InstanceID>0</InstanceID><EnqueuedURI>")
                                     + xmlEscape(kLink.containerURI(kind, id)) + QStringLiteral("</EnqueuedURI><EnqueuedURIMetaData>")
                                     + xmlEscape(kLink.containerMetadata(kind, id, QStringLiteral("Titre")))));
        QVERIFY(arguments.endsWith(QStringLiteral("<DesiredFirstTrackNumberEnqueued>0</DesiredFirstTrackNumberEnqueued><EnqueueAsNext>0</EnqueueAsNext>")));
        if (!added)
            QCOMPARE(speaker->transport(), SimSpeaker::Transport::Stopped);
    }

    void insertContainerNext_data()
    {
        QTest::addColumn<bool>("positionFails");
        QTest::addColumn<QString>("desired");
        QTest::newRow("after track 7") << false << "8";
        QTest::newRow("position unknown: first") << true << "1";
    }
    void insertContainerNext()
    {
        QFETCH(bool, positionFails);
        QFETCH(QString, desired);
        auto speaker = startSpeaker();
        QList<SimTrack> queue = catalogueSongs() + catalogueSongs();
        speaker->setQueue(queue, 7);
        if (positionFails)
            speaker->faults().failingActions = {QStringLiteral("GetPositionInfo")};
        const SonosController controller(speaker->speaker());
        QCOMPARE(await(controller.insertContainerNext(QStringLiteral("album"), QStringLiteral("1702231140"), QStringLiteral("Arbousier joue"), kLink)),
                 std::optional<int>(3));
        const QString arguments = argumentsOf(lastRequest(*speaker, QStringLiteral("AddURIToQueue")));
        QVERIFY2(arguments.endsWith(QStringLiteral("<DesiredFirstTrackNumberEnqueued>%1</DesiredFirstTrackNumberEnqueued><EnqueueAsNext>1</EnqueueAsNext>").arg(desired)),
                 qPrintable(arguments));
        QCOMPARE(speaker->queue().at(desired.toInt() - 1).title, QStringLiteral("Quatre saisons en ré"));
    }

    void editing()
    {
        auto speaker = startSpeaker();
        speaker->setQueue(catalogueSongs(), 1);
        const SonosController controller(speaker->speaker());

        QCOMPARE(await(controller.currentTrackNumber()), 1);
        await(controller.removeFromQueue(3));
        QCOMPARE(argumentsOf(lastRequest(*speaker, QStringLiteral("RemoveTrackFromQueue"))),
                 QStringLiteral("<InstanceID>0</InstanceID><ObjectID>Q:0/3</ObjectID><UpdateID>0</UpdateID>"));
        QCOMPARE(speaker->queue().size(), 5);
        QCOMPARE(speaker->queue().at(2).title, QStringLiteral("Néons sur la Loire"));

        await(controller.reorderQueue(1, 2, 5));
        QCOMPARE(argumentsOf(lastRequest(*speaker, QStringLiteral("ReorderTracksInQueue"))),
                 QStringLiteral("<InstanceID>0</InstanceID><StartingIndex>1</StartingIndex><NumberOfTracks>2</NumberOfTracks>"
                                "<InsertBefore>5</InsertBefore><UpdateID>0</UpdateID>"));
        QStringList titles;
        for (const SimTrack &track : speaker->queue())
            titles << track.title;
        QCOMPARE(titles, (QStringList{"Néons sur la Loire", "Minuit moins le quart", "Marée basse", "Sel & Cendre",
                                      "Quatre saisons en ré"}));
        QCOMPARE(speaker->trackNumber(), 3); // the playing song moved with its block

        const QList<QueueItem> read = parseQueue(await(controller.browse(QStringLiteral("Q:0"), 0, 200)), controller.speaker());
        QCOMPARE(read.size(), 5);
        QCOMPARE(read.at(2).title, QStringLiteral("Marée basse"));

        await(controller.clearQueue());
        QVERIFY(parseQueue(await(controller.browse(QStringLiteral("Q:0"), 0, 200)), controller.speaker()).isEmpty());
        QCOMPARE(await(controller.currentTrackNumber()), 0);
    }

    void playFavorite_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("metadata");
        QTest::addColumn<QStringList>("actions");
        const QStringList direct = {"SetAVTransportURI", "Play"};
        const QStringList queued = {"RemoveAllTracksFromQueue", "AddURIToQueue", "SetAVTransportURI", "Play"};
        // Apple Music favorites carry the household's account token, as the speaker requires.
        const auto resMD = [](const char *id, const char *upnpClass) {
            return QStringLiteral("<DIDL-Lite xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:upnp=\"urn:schemas-upnp-org:metadata-1-0/upnp/\" "
                                  "xmlns:r=\"urn:schemas-rinconnetworks-com:metadata-1-0/\" xmlns=\"urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/\">"
                                  "<item id=\"%1\" parentID=\"0\" restricted=\"true\"><dc:title>Fav</dc:title><upnp:class>%2</upnp:class>"
                                  "<desc id=\"cdudn\" nameSpace=\"urn:schemas-rinconnetworks-com:metadata-1-0/\">SA_RINCON52231_X_#Svc52231-3-Token</desc>"
                                  "</item></DIDL-Lite>")
                .arg(QLatin1String(id), QLatin1String(upnpClass));
        };
        QTest::newRow("service radio: set directly") << "x-sonosapi-radio:radio%3ara.u-7ad?sid=204&flags=8300&sn=3"
                                                     << resMD("100c2068radio%3ara.u-7ad", "object.item.audioItem.audioBroadcast.#station") << direct;
        QTest::newRow("saved playlist: set directly") << "x-rincon-cpcontainer:1006206cplaylist%3apl.u-Kf3mQ?sid=204&flags=8300&sn=3"
                                                      << resMD("1006206cplaylist%3apl.u-Kf3mQ", "object.container.playlistContainer") << direct;
        QTest::newRow("plain radio stream: set directly") << "x-rincon-mp3radio://radio.example.org/a.mp3" << "" << direct;
        QTest::newRow("line-in: set directly") << "x-rincon-stream:RINCON_000E58A0B1C201400" << "" << direct;
        QTest::newRow("TV input: set directly") << "x-sonos-htastream:RINCON_000E58A0B1C201400:spdif" << "" << direct;
        QTest::newRow("a song: through the queue") << "x-sonos-http:song%3a1609934420.mp4?sid=204&flags=8224&sn=3"
                                                   << resMD("10032020song%3a1609934420", "object.item.audioItem.musicTrack") << queued;
        QTest::newRow("no uri: nothing") << "" << "" << QStringList();
    }
    void playFavorite()
    {
        QFETCH(QString, uri);
        QFETCH(QString, metadata);
        QFETCH(QStringList, actions);
        SimSpeakerConfig config;
        config.hasAudioIn = true;
        auto speaker = startSpeaker(config);
        await(SonosController(speaker->speaker()).playFavorite(SonosFavorite{"FV:2/4", "Fav", std::nullopt, uri, metadata}));
        QCOMPARE(actionsOf(*speaker), actions);
        if (actions.isEmpty())
            return;
        QCOMPARE(speaker->transport(), SimSpeaker::Transport::Playing);
        if (actions.size() == 2)
            QCOMPARE(argumentsOf(lastRequest(*speaker, QStringLiteral("SetAVTransportURI"))),
                     QStringLiteral("<InstanceID>0</InstanceID><CurrentURI>") + xmlEscape(uri)
                         + QStringLiteral("</CurrentURI><CurrentURIMetaData>") + xmlEscape(metadata)
                         + QStringLiteral("</CurrentURIMetaData>"));
    }

    void radio_data()
    {
        QTest::addColumn<QString>("stream");
        QTest::addColumn<QString>("uri");
        QTest::newRow("secure") << "https://radio.example.org/live/gardon.mp3" << "x-rincon-mp3radio://radio.example.org/live/gardon.mp3";
        QTest::newRow("plain gives the same") << "http://radio.example.org/live/gardon.mp3" << "x-rincon-mp3radio://radio.example.org/live/gardon.mp3";
        QTest::newRow("a URL inside the query stays whole")
            << "https://relay.example.org/play?src=http://radio.example.org/a.mp3"
            << "x-rincon-mp3radio://relay.example.org/play?src=http://radio.example.org/a.mp3";
    }
    void radio()
    {
        QFETCH(QString, stream);
        QFETCH(QString, uri);
        QCOMPARE(SonosController::radioURI(stream), uri);
        auto speaker = startSpeaker();
        await(SonosController(speaker->speaker()).playRadio(QStringLiteral("Rires & Chansons"), stream));
        QCOMPARE(actionsOf(*speaker), (QStringList{"SetAVTransportURI", "Play"}));
        const QString arguments = argumentsOf(lastRequest(*speaker, QStringLiteral("SetAVTransportURI")));
        QCOMPARE(arguments,
                 QStringLiteral("<InstanceID>0</InstanceID><CurrentURI>") + xmlEscape(uri)
                     + QStringLiteral("</CurrentURI><CurrentURIMetaData>&lt;DIDL-Lite xmlns:dc=&quot;http://purl.org/dc/elements/1.1/&quot; "
                                      "xmlns:upnp=&quot;urn:schemas-upnp-org:metadata-1-0/upnp/&quot; "
                                      "xmlns=&quot;urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/&quot;&gt;&lt;item id=&quot;R:0/0/0&quot; "
                                      "parentID=&quot;R:0/0&quot; restricted=&quot;true&quot;&gt;&lt;dc:title&gt;Rires &amp;amp; "
                                      "Chansons&lt;/dc:title&gt;&lt;upnp:class&gt;object.item.audioItem.audioBroadcast&lt;/upnp:class&gt;"
                                      "&lt;desc id=&quot;cdudn&quot; nameSpace=&quot;urn:schemas-rinconnetworks-com:metadata-1-0/&quot;&gt;"
                                      "SA_RINCON65031_&lt;/desc&gt;&lt;/item&gt;&lt;/DIDL-Lite&gt;</CurrentURIMetaData>"));
        QCOMPARE(await(SonosController(speaker->speaker()).nowPlaying()).title, QStringLiteral("Rires & Chansons"));
    }

    void addAndRemoveFavorites_data()
    {
        QTest::addColumn<bool>("artwork");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::newRow("with artwork") << true << "Quai des brumes électriques" << "Odile Ravanel";
        QTest::newRow("without artwork") << false << "Quai des brumes électriques" << "Odile Ravanel";
        QTest::newRow("markup characters") << false << "Sel & <Cendre> \"live\"" << "Duo \"Mât & Voile\" <b>";
    }
    void addAndRemoveFavorites()
    {
        QFETCH(bool, artwork);
        QFETCH(QString, title);
        QFETCH(QString, artist);
        auto house = startHousehold();
        SimSpeaker *speaker = house->speaker(QStringLiteral("Cuisine"));
        const SonosController controller(speaker->speaker());
        Track track{QStringLiteral("1609934431"), title, artist, QStringLiteral("Villes de nuit"), std::nullopt, std::nullopt};
        if (artwork)
            track.artworkBase = QStringLiteral("https://is1-ssl.example.com/image/thumb/Music/ab/cd/100x100bb.jpg");
        const int before = int(await(controller.favorites()).size());
        await(controller.addFavorite(track, kLink));

        const QString expected = QStringLiteral(
            "<DIDL-Lite xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:upnp=\"urn:schemas-upnp-org:metadata-1-0/upnp/\" "
            "xmlns:r=\"urn:schemas-rinconnetworks-com:metadata-1-0/\" xmlns=\"urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/\">"
            "<item id=\"\" parentID=\"\" restricted=\"false\"><dc:title>{title}</dc:title>"
            "<dc:creator>{artist}</dc:creator>%1<res protocolInfo=\"sonos.com-http:*:audio/mp4:*\">"
            "x-sonos-http:song%3a1609934431.mp4?sid=204&amp;flags=8224&amp;sn=3</res>"
            "<upnp:class>object.itemobject.item.sonos-favorite</upnp:class><r:type>instantPlay</r:type>"
            "<r:description>{artist}</r:description><desc id=\"cdudn\" "
            "nameSpace=\"urn:schemas-rinconnetworks-com:metadata-1-0/\">SA_RINCON52231_X_#Svc52231-3-Token</desc>"
            "</item></DIDL-Lite>")
                                     .arg(artwork ? QStringLiteral("<upnp:albumArtURI>https://is1-ssl.example.com/image/thumb/Music/ab/cd/600x600bb.jpg</upnp:albumArtURI>")
                                                  : QString())
                                     .replace(QStringLiteral("{title}"), xmlEscape(title))
                                     .replace(QStringLiteral("{artist}"), xmlEscape(artist));
        QCOMPARE(argumentsOf(lastRequest(*speaker, QStringLiteral("CreateObject"))),
                 QStringLiteral("<ContainerID>FV:2</ContainerID><Elements>") + xmlEscape(expected) + QStringLiteral("</Elements>"));

        // Every room of the household sees it, with its metadata whole.
        const QList<SonosFavorite> after = await(SonosController(house->speaker(QStringLiteral("Salon"))->speaker()).favorites());
        QCOMPARE(after.size(), before + 1);
        const SonosFavorite added = after.last();
        QCOMPARE(added.title, track.title);
        QVERIFY(added.refersToSong(QStringLiteral("1609934431")));
        QCOMPARE(added.metadata, expected);

        await(controller.removeFavorite(added.id));
        QCOMPARE(argumentsOf(lastRequest(*speaker, QStringLiteral("DestroyObject"))),
                 QStringLiteral("<ObjectID>") + added.id + QStringLiteral("</ObjectID>"));
        QCOMPARE(await(controller.favorites()).size(), before);
    }

    void removeFavoriteEscapesTheId()
    {
        auto speaker = startSpeaker();
        QVERIFY_THROWS_EXCEPTION(CorvaneError, await(SonosController(speaker->speaker()).removeFavorite(QStringLiteral("FV:2/1</ObjectID><x>"))));
        QCOMPARE(argumentsOf(lastRequest(*speaker, QStringLiteral("DestroyObject"))),
                 QStringLiteral("<ObjectID>FV:2/1&lt;/ObjectID&gt;&lt;x&gt;</ObjectID>"));
    }

    void lineIn_data()
    {
        QTest::addColumn<bool>("audioIn");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<bool>("has");
        QTest::newRow("amplifier with an input") << true << false << true;
        QTest::newRow("speaker without one") << false << false << false;
        QTest::newRow("no answer") << true << true << false;
    }
    void lineIn()
    {
        QFETCH(bool, audioIn);
        QFETCH(bool, silent);
        QFETCH(bool, has);
        SimSpeakerConfig config;
        config.hasAudioIn = audioIn;
        auto speaker = startSpeaker(config);
        speaker->faults().silent = silent;
        const SonosController controller(speaker->speaker());
        QCOMPARE(await(controller.hasLineIn()), has);
        if (!has)
            return;
        await(controller.playLineIn());
        QCOMPARE(argumentsOf(lastRequest(*speaker, QStringLiteral("SetAVTransportURI"))),
                 QStringLiteral("<InstanceID>0</InstanceID><CurrentURI>x-rincon-stream:%1</CurrentURI>"
                                "<CurrentURIMetaData></CurrentURIMetaData>").arg(speaker->config().uuid));
        const NowPlaying now = await(controller.nowPlaying());
        QVERIFY(now.isPlaying);
        QVERIFY(now.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestQueue)
#include "tst_queue.moc"
