#include "async/delays.h"
#include "base/corvaneerror.h"
#include "sonos/replies.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QTest>

#include <cmath>
#include <QTimer>

#include <functional>

using namespace corvane;
using namespace corvane::test;
using namespace corvane::sim;

namespace {

const QString kEnvelopeHead = QStringLiteral(
    "<?xml version=\"1.0\"?><s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\"><s:Body>");

using Operation = std::function<QCoro::Task<>(const SonosController &)>;

// Named member calls, so the table below can refer to them by name.
QCoro::Task<> readVolume(const SonosController &c) { co_await c.volume(); }
QCoro::Task<> readMute(const SonosController &c) { co_await c.isMuted(); }
QCoro::Task<> readMode(const SonosController &c) { co_await c.playMode(); }
QCoro::Task<> readSleep(const SonosController &c) { co_await c.sleepTimerRemaining(); }
QCoro::Task<> browseQueue(const SonosController &c) { co_await c.browse(QStringLiteral("Q:0"), 0, 200); }
QCoro::Task<> browseOdd(const SonosController &c) { co_await c.browse(QStringLiteral("FV:2/<1>&\"x\""), 5, 50); }

const QHash<QString, Operation> &operations()
{
    static const QHash<QString, Operation> table = {
        {"play", [](const SonosController &c) { return c.play(); }},
        {"pause", [](const SonosController &c) { return c.pause(); }},
        {"next", [](const SonosController &c) { return c.next(); }},
        {"previous", [](const SonosController &c) { return c.previous(); }},
        {"seek -5", [](const SonosController &c) { return c.seek(-5); }},
        {"seek 59", [](const SonosController &c) { return c.seek(59); }},
        {"seek 3725", [](const SonosController &c) { return c.seek(3725); }},
        {"track 3", [](const SonosController &c) { return c.playTrack(3); }},
        {"mode", [](const SonosController &c) { return c.setPlayMode(PlayMode::ShuffleNoRepeat); }},
        {"sleep 45", [](const SonosController &c) { return c.setSleepTimer(45); }},
        {"sleep 90", [](const SonosController &c) { return c.setSleepTimer(90); }},
        {"sleep none", [](const SonosController &c) { return c.setSleepTimer(std::nullopt); }},
        {"sleep 0", [](const SonosController &c) { return c.setSleepTimer(0); }},
        {"volume 150", [](const SonosController &c) { return c.setVolume(150); }},
        {"volume -3", [](const SonosController &c) { return c.setVolume(-3); }},
        {"mute", [](const SonosController &c) { return c.setMuted(true); }},
        {"bass 12", [](const SonosController &c) { return c.setBass(12); }},
        {"treble -11", [](const SonosController &c) { return c.setTreble(-11); }},
        {"loudness off", [](const SonosController &c) { return c.setLoudness(false); }},
        {"get volume", readVolume},
        {"get mute", readMute},
        {"get mode", readMode},
        {"get sleep", readSleep},
        {"browse queue", browseQueue},
        {"browse odd id", browseOdd},
    };
    return table;
}

QCoro::Task<QString> failureOf(QCoro::Task<> task)
{
    try {
        co_await task;
    } catch (const CorvaneError &error) {
        co_return error.message();
    }
    co_return QString();
}

QList<SimTrack> songs()
{
    return catalogueSongs();
}

} // namespace

class TestController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayScale(1.0); }

    void everyDelayScales()
    {
        // The real values are checked once, in the model's table; here only that the scale
        // reaches every one of them.
        const Delays real = delays();
        setDelayScale(0.01);
        const Delays scaled = delays();
#define CORVANE_CHECK_SCALED(name, ms) QVERIFY2(std::abs(scaled.name.count() - real.name.count() * 0.01) <= 1.0, #name);
        CORVANE_DELAYS(CORVANE_CHECK_SCALED)
#undef CORVANE_CHECK_SCALED
    }

    void whatReachesTheWire_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("failure");

        const QString avt = QStringLiteral("urn:schemas-upnp-org:service:AVTransport:1");
        const QString rc = QStringLiteral("urn:schemas-upnp-org:service:RenderingControl:1");
        const QString cd = QStringLiteral("urn:schemas-upnp-org:service:ContentDirectory:1");
        const QString avtPath = QStringLiteral("/MediaRenderer/AVTransport/Control");
        const QString rcPath = QStringLiteral("/MediaRenderer/RenderingControl/Control");
        const QString i0 = QStringLiteral("<InstanceID>0</InstanceID>");
        const QString master = i0 + QStringLiteral("<Channel>Master</Channel>");

        QTest::newRow("play") << "play" << avt << avtPath << "Play" << i0 + "<Speed>1</Speed>" << "";
        QTest::newRow("pause") << "pause" << avt << avtPath << "Pause" << i0 << "";
        QTest::newRow("next") << "next" << avt << avtPath << "Next" << i0 << "";
        QTest::newRow("previous") << "previous" << avt << avtPath << "Previous" << i0 << "";
        QTest::newRow("negative seek goes to the start")
            << "seek -5" << avt << avtPath << "Seek" << i0 + "<Unit>REL_TIME</Unit><Target>0:00:00</Target>" << "";
        QTest::newRow("seek 59 s") << "seek 59" << avt << avtPath << "Seek" << i0 + "<Unit>REL_TIME</Unit><Target>0:00:59</Target>" << "";
        QTest::newRow("seek past the end is refused")
            << "seek 3725" << avt << avtPath << "Seek" << i0 + "<Unit>REL_TIME</Unit><Target>1:02:05</Target>"
            << "L'enceinte a refusé la demande (code 711).";
        QTest::newRow("play track 3") << "track 3" << avt << avtPath << "Seek" << i0 + "<Unit>TRACK_NR</Unit><Target>3</Target>" << "";
        QTest::newRow("play mode") << "mode" << avt << avtPath << "SetPlayMode" << i0 + "<NewPlayMode>SHUFFLE_NOREPEAT</NewPlayMode>" << "";
        QTest::newRow("sleep 45 min") << "sleep 45" << avt << avtPath << "ConfigureSleepTimer" << i0 + "<NewSleepTimerDuration>00:45:00</NewSleepTimerDuration>" << "";
        QTest::newRow("sleep 90 min") << "sleep 90" << avt << avtPath << "ConfigureSleepTimer" << i0 + "<NewSleepTimerDuration>01:30:00</NewSleepTimerDuration>" << "";
        QTest::newRow("sleep cancelled") << "sleep none" << avt << avtPath << "ConfigureSleepTimer" << i0 + "<NewSleepTimerDuration></NewSleepTimerDuration>" << "";
        QTest::newRow("sleep 0 cancels") << "sleep 0" << avt << avtPath << "ConfigureSleepTimer" << i0 + "<NewSleepTimerDuration></NewSleepTimerDuration>" << "";
        QTest::newRow("volume clamped high") << "volume 150" << rc << rcPath << "SetVolume" << master + "<DesiredVolume>100</DesiredVolume>" << "";
        QTest::newRow("volume clamped low") << "volume -3" << rc << rcPath << "SetVolume" << master + "<DesiredVolume>0</DesiredVolume>" << "";
        QTest::newRow("mute") << "mute" << rc << rcPath << "SetMute" << master + "<DesiredMute>1</DesiredMute>" << "";
        QTest::newRow("bass clamped") << "bass 12" << rc << rcPath << "SetBass" << i0 + "<DesiredBass>10</DesiredBass>" << "";
        QTest::newRow("treble clamped") << "treble -11" << rc << rcPath << "SetTreble" << i0 + "<DesiredTreble>-10</DesiredTreble>" << "";
        QTest::newRow("loudness off") << "loudness off" << rc << rcPath << "SetLoudness" << master + "<DesiredLoudness>0</DesiredLoudness>" << "";
        QTest::newRow("read volume") << "get volume" << rc << rcPath << "GetVolume" << master << "";
        QTest::newRow("read mute") << "get mute" << rc << rcPath << "GetMute" << master << "";
        QTest::newRow("read play mode") << "get mode" << avt << avtPath << "GetTransportSettings" << i0 << "";
        QTest::newRow("read sleep timer") << "get sleep" << avt << avtPath << "GetRemainingSleepTimerDuration" << i0 << "";
        QTest::newRow("browse the queue")
            << "browse queue" << cd << "/MediaServer/ContentDirectory/Control" << "Browse"
            << "<ObjectID>Q:0</ObjectID><BrowseFlag>BrowseDirectChildren</BrowseFlag><Filter>*</Filter>"
               "<StartingIndex>0</StartingIndex><RequestedCount>200</RequestedCount><SortCriteria></SortCriteria>"
            << "";
        QTest::newRow("browse escapes the object id")
            << "browse odd id" << cd << "/MediaServer/ContentDirectory/Control" << "Browse"
            << "<ObjectID>FV:2/&lt;1&gt;&amp;&quot;x&quot;</ObjectID><BrowseFlag>BrowseDirectChildren</BrowseFlag>"
               "<Filter>*</Filter><StartingIndex>5</StartingIndex><RequestedCount>50</RequestedCount><SortCriteria></SortCriteria>"
            << "L'enceinte a refusé la demande (code 701).";
    }
    void whatReachesTheWire()
    {
        QFETCH(QString, operation);
        QFETCH(QString, service);
        QFETCH(QString, path);
        QFETCH(QString, action);
        QFETCH(QString, arguments);
        QFETCH(QString, failure);

        auto speaker = startSpeaker();
        speaker->setQueue(songs(), 2);
        speaker->setPosition(30);
        speaker->setTransport(SimSpeaker::Transport::Playing);
        const SonosController controller(speaker->speaker());

        QCOMPARE(await(failureOf(operations().value(operation)(controller))), failure);

        QCOMPARE(speaker->received().size(), 1);
        const SimRequest request = speaker->received().constFirst();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, path);
        QCOMPARE(request.header("Content-Type"), QByteArray("text/xml; charset=\"utf-8\""));
        QCOMPARE(QString::fromUtf8(request.header("SOAPACTION")), '"' + service + '#' + action + '"');
        const QString expected = kEnvelopeHead + "<u:" + action + " xmlns:u=\"" + service + "\">" + arguments
            + "</u:" + action + "></s:Body></s:Envelope>";
        QCOMPARE(QString::fromUtf8(request.body), expected);
    }

    void otherServicesGoToMusicServices()
    {
        QCOMPARE(SonosController::controlPath(QStringLiteral("urn:schemas-upnp-org:service:MusicServices:1")),
                 QStringLiteral("/MusicServices/Control"));
        auto speaker = startSpeaker();
        const SonosController controller(speaker->speaker());
        await(failureOf([](SonosController c) -> QCoro::Task<> {
            co_await c.soap(QStringLiteral("urn:schemas-upnp-org:service:ZoneGroupTopology:1"),
                            QStringLiteral("/ZoneGroupTopology/Control"), QStringLiteral("GetZoneGroupState"),
                            QString());
        }(controller)));
        QCOMPARE(speaker->received().constFirst().path, QStringLiteral("/ZoneGroupTopology/Control"));

        await(failureOf([](SonosController c) -> QCoro::Task<> {
            co_await c.soap(upnp::musicServices, QStringLiteral("ListAvailableServices"), QString());
        }(controller)));
        QCOMPARE(speaker->received().constLast().path, QStringLiteral("/MusicServices/Control"));
        QCOMPARE(speaker->received().constLast().header("SOAPACTION"),
                 QByteArray("\"urn:schemas-upnp-org:service:MusicServices:1#ListAvailableServices\""));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("payload");
        QTest::newRow("bad argument: fault 402")
            << "abc" << int(CorvaneError::Kind::SonosRefused) << "402";
        QTest::newRow("transition not available: fault 701")
            << "pause stopped" << int(CorvaneError::Kind::SonosRefused) << "701";
        QTest::newRow("500 with an empty body: no code")
            << "empty 500" << int(CorvaneError::Kind::SonosRefused) << "";
        QTest::newRow("local control switched off: 403")
            << "403" << int(CorvaneError::Kind::LocalControlDisabled) << "";
        QTest::newRow("accepts and never answers: timeout")
            << "silent" << int(CorvaneError::Kind::Network) << "délai";
        QTest::newRow("gone from the network: refused")
            << "gone" << int(CorvaneError::Kind::Network) << "refusée";
    }
    void failures()
    {
        QFETCH(QString, fault);
        QFETCH(int, kind);
        QFETCH(QString, payload);
        setDelayScale(0.02); // the 10 s SOAP timeout becomes 200 ms

        auto speaker = startSpeaker();
        speaker->setQueue(songs());
        const SonosController controller(speaker->speaker());
        QString body = QStringLiteral("<InstanceID>0</InstanceID>");
        QString action = QStringLiteral("Pause");
        if (fault == QLatin1String("abc")) {
            action = QStringLiteral("SetVolume");
            body = QStringLiteral("<InstanceID>0</InstanceID><Channel>Master</Channel><DesiredVolume>abc</DesiredVolume>");
        } else if (fault == QLatin1String("empty 500")) {
            speaker->faults().emptyServerError = true;
        } else if (fault == QLatin1String("403")) {
            speaker->faults().localControlOff = true;
        } else if (fault == QLatin1String("silent")) {
            speaker->faults().silent = true;
        } else if (fault == QLatin1String("gone")) {
            speaker->stop();
        }
        const QString service = action == QLatin1String("SetVolume") ? upnp::renderingControl : upnp::avTransport;

        std::optional<CorvaneError> caught;
        try {
            await(controller.soap(service, action, body));
        } catch (const CorvaneError &error) {
            caught = error;
        }
        QVERIFY(caught);
        QCOMPARE(int(caught->kind()), kind);
        if (caught->kind() == CorvaneError::Kind::Network)
            QVERIFY2(caught->message().contains(payload), qPrintable(caught->message()));
        else
            QCOMPARE(caught->payload().value_or(QString()), payload);
    }

    void unreadableRepliesReadAsNothing_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("200 with an empty body") << "empty";
        QTest::newRow("200 with invalid UTF-8") << "utf8";
    }
    void unreadableRepliesReadAsNothing()
    {
        QFETCH(QString, fault);
        auto speaker = startSpeaker();
        speaker->setQueue(songs());
        (fault == QLatin1String("empty") ? speaker->faults().emptyReply : speaker->faults().invalidUtf8) = true;
        const SonosController controller(speaker->speaker());
        QCOMPARE(await(controller.soap(upnp::renderingControl, QStringLiteral("GetVolume"),
                                       QStringLiteral("<InstanceID>0</InstanceID><Channel>Master</Channel>"))),
                 QString());
        QCOMPARE(await(controller.volume()), 0);
        const NowPlaying now = await(controller.nowPlaying());
        QVERIFY(now.isEmpty());
        QVERIFY(!now.isPlaying);
    }

    void speakerComesBack()
    {
        auto speaker = startSpeaker();
        const SonosController controller(speaker->speaker());
        speaker->stop();
        QVERIFY_THROWS_EXCEPTION(CorvaneError, await(controller.volume()));
        QVERIFY(speaker->start());
        QCOMPARE(await(controller.volume()), 25);
    }

    void nowPlayingSendsBothReadsAtOnce_data()
    {
        QTest::addColumn<bool>("equalizer");
        QTest::newRow("now playing: position and transport") << false;
        QTest::newRow("equalizer: bass, treble and loudness") << true;
    }
    void nowPlayingSendsBothReadsAtOnce()
    {
        QFETCH(bool, equalizer);
        auto speaker = startSpeaker();
        speaker->faults().silent = true;
        CancellationSource source;
        const SonosController controller(speaker->speaker(), source.token());
        const int expected = equalizer ? 3 : 2;
        // With a speaker that never answers, every read can only have arrived if none waited
        // for another. Then cancelling the command ends it at once.
        QTimer::singleShot(0, [&] {
            QTRY_COMPARE_WITH_TIMEOUT(int(speaker->received().size()), expected, 3000);
            source.cancel();
        });
        std::optional<CorvaneError> caught;
        try {
            if (equalizer)
                await(controller.equalizer());
            else
                await(controller.nowPlaying());
        } catch (const CorvaneError &error) {
            caught = error;
        }
        QVERIFY(caught);
        QVERIFY(caught->message().contains(QStringLiteral("annulée")));
        QCOMPARE(int(speaker->received().size()), expected);
    }

    void nowPlayingOfEachSource_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<bool>("hasTrackID");
        QTest::addColumn<bool>("hasDuration");
        QTest::addColumn<QStringList>("actions");
        const QStringList reads{"GetPositionInfo", "GetTransportInfo"};
        QTest::newRow("Apple Music queue") << "queue" << "Sel & Cendre" << "Les Phares Lointains" << true << true << reads;
        // The station's name comes with the stream it was set with; the song is what the stream
        // announces now (the sim's first song, then the next one 40 s later).
        QTest::newRow("radio stream") << "radio" << "Radio Gardon FM" << "Les Phares Lointains - Marée basse" << false << false
                                      << reads + QStringList{"GetMediaInfo"};
        QTest::newRow("radio, next song") << "radio later" << "Radio Gardon FM" << "Les Phares Lointains - Sel & Cendre" << false
                                          << false << reads + QStringList{"GetMediaInfo"};
        // Set without a name and saying nothing: the stream's own name is all there is.
        QTest::newRow("radio saying nothing, set without a name") << "mute radio" << "g.mp3" << "" << false << false
                                                                   << reads + QStringList{"GetMediaInfo"};
        // A speaker names every input "Audio Component": no title.
        QTest::newRow("line-in") << "linein" << "" << "" << false << false << reads;
    }
    void nowPlayingOfEachSource()
    {
        QFETCH(QString, source);
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QFETCH(bool, hasTrackID);
        QFETCH(bool, hasDuration);
        QFETCH(QStringList, actions);
        auto speaker = startSpeaker();
        speaker->setQueue(songs(), 2);
        if (source.endsWith(QLatin1String("radio")) || source.startsWith(QLatin1String("radio"))) {
            SimTrack radio = radioStation(QStringLiteral("Radio Gardon FM"), QStringLiteral("http://radio.example.org/g.mp3"));
            if (source == QLatin1String("mute radio")) {
                radio.metadata.clear();
                radio.streamTitles.clear();
            }
            speaker->setStreamSource(radio);
        } else if (source == QLatin1String("linein")) {
            speaker->setStreamSource(lineIn(speaker->config().uuid));
        }
        speaker->setTransport(SimSpeaker::Transport::Playing);
        if (source == QLatin1String("radio later"))
            speaker->advanceClock(41000);
        speaker->clearReceived();

        const SonosController controller(speaker->speaker());
        const NowPlaying now = await(controller.nowPlaying());
        QCOMPARE(actionsOf(*speaker), actions);
        QCOMPARE(now.title, title);
        QCOMPARE(now.artist, artist);
        QVERIFY(now.isPlaying);
        QCOMPARE(now.trackID.has_value(), hasTrackID);
        QCOMPARE(now.duration > 0, hasDuration);
        if (source == QLatin1String("queue")) {
            QCOMPARE(now.trackID, std::optional<QString>(QStringLiteral("1440857790")));
            QCOMPARE(now.queueIndex, std::optional<int>(2));
            QCOMPARE(now.artworkURL->host(), speaker->config().ip);
            QCOMPARE(now.artworkURL->port(), 1400);
            QCOMPARE(now.artworkURL->path(), QStringLiteral("/getaa"));
        }
    }

    void readsAfterWrites()
    {
        auto speaker = startSpeaker();
        speaker->setQueue(songs());
        const SonosController c(speaker->speaker());
        await(c.setVolume(42));
        await(c.setMuted(true));
        await(c.setBass(-3));
        await(c.setTreble(6));
        await(c.setLoudness(true));
        await(c.setPlayMode(PlayMode::RepeatOne));
        await(c.setSleepTimer(90));
        QCOMPARE(await(c.volume()), 42);
        QVERIFY(await(c.isMuted()));
        QCOMPARE(await(c.equalizer()), (Equalizer{-3, 6, true}));
        QCOMPARE(await(c.playMode()), std::optional<PlayMode>(PlayMode::RepeatOne));
        QCOMPARE(await(c.sleepTimerRemaining()), std::optional<int>(90));
        await(c.setSleepTimer(std::nullopt));
        QCOMPARE(await(c.sleepTimerRemaining()), std::nullopt);
    }

    void queueRoundTrip_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("firstId");
        QTest::addColumn<int>("returned");
        QTest::newRow("whole queue") << 0 << 200 << 1 << 6;
        QTest::newRow("zero means all") << 0 << 0 << 1 << 6;
        QTest::newRow("a page") << 2 << 3 << 3 << 3;
        QTest::newRow("past the end") << 10 << 5 << 0 << 0;
    }
    void queueRoundTrip()
    {
        QFETCH(int, start);
        QFETCH(int, count);
        QFETCH(int, firstId);
        QFETCH(int, returned);
        auto speaker = startSpeaker();
        speaker->setQueue(songs());
        const SonosController c(speaker->speaker());
        const QList<QueueItem> items = parseQueue(await(c.browse(QStringLiteral("Q:0"), start, count)), c.speaker());
        QCOMPARE(items.size(), returned);
        if (returned == 0)
            return;
        QCOMPARE(items.first().id, firstId);
        const SimTrack expected = songs().at(firstId - 1);
        QCOMPARE(items.first().title, expected.title);
        QCOMPARE(items.first().artist, expected.artist);
        QVERIFY(items.first().songID.has_value());
        QVERIFY(expected.uri.contains(*items.first().songID));
        QCOMPARE(items.first().artworkURL->host(), speaker->config().ip);
    }

    // A speaker returns 100 items a read at most: longer containers come page after page.
    void longContainersAreReadPageByPage_data()
    {
        QTest::addColumn<int>("queued");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("read");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty") << 0 << 40000 << 0 << 1;
        QTest::newRow("one page") << 6 << 40000 << 6 << 1;
        QTest::newRow("exactly a page") << 100 << 40000 << 100 << 1;
        QTest::newRow("several pages") << 250 << 40000 << 250 << 3;
        QTest::newRow("stops at the limit") << 250 << 120 << 120 << 2;
    }
    void longContainersAreReadPageByPage()
    {
        QFETCH(int, queued);
        QFETCH(int, limit);
        QFETCH(int, read);
        QFETCH(int, pages);
        auto speaker = startSpeaker();
        speaker->setQueue(numberedSongs(queued));
        const SonosController c(speaker->speaker());
        const QStringList replies = await(c.browseAll(QStringLiteral("Q:0"), limit));
        QCOMPARE(replies.size(), pages);
        QList<QueueItem> items;
        for (const QString &reply : replies)
            items += parseQueue(reply, c.speaker());
        QCOMPARE(items.size(), read);
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(items.at(i).id, i + 1);
        if (read > 0)
            QCOMPARE(items.last().title, numberedSongs(read).last().title);
    }

    void battery_data()
    {
        QTest::addColumn<bool>("portable");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("present");
        QTest::newRow("portable on USB") << true << "" << true;
        QTest::newRow("speaker without battery") << false << "" << false;
        QTest::newRow("never answers") << true << "silent" << false;
        QTest::newRow("gone") << true << "gone" << false;
        QTest::newRow("403") << true << "403" << false;
    }
    void battery()
    {
        QFETCH(bool, portable);
        QFETCH(QString, fault);
        QFETCH(bool, present);
        setDelayScale(0.05); // the 4 s battery timeout becomes 200 ms
        SimSpeakerConfig config;
        if (portable) {
            config.modelName = QStringLiteral("Sonos Roam 2");
            config.modelNumber = QStringLiteral("S54");
            config.hasBattery = true;
            config.batteryLevel = 73;
            config.powerSource = QStringLiteral("USB_POWER");
        }
        auto speaker = startSpeaker(config);
        speaker->faults().silent = fault == QLatin1String("silent");
        speaker->faults().localControlOff = fault == QLatin1String("403");
        if (fault == QLatin1String("gone"))
            speaker->stop();
        const auto status = await(SonosController(speaker->speaker()).batteryStatus());
        QCOMPARE(status.has_value(), present);
        if (present)
            QCOMPARE(*status, (BatteryStatus{73, true}));
        if (fault.isEmpty()) {
            QCOMPARE(speaker->received().constFirst().method, QByteArray("GET"));
            QCOMPARE(speaker->received().constFirst().path, QStringLiteral("/status/batterystatus"));
        }
    }
};

QTEST_GUILESS_MAIN(TestController)
#include "tst_controller.moc"
