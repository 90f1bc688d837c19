#include "async/http.h"
#include "base/corvaneerror.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

QList<SimTrack> shortSongs(int count, int seconds)
{
    QList<SimTrack> songs = catalogueSongs().mid(0, count);
    for (SimTrack &song : songs)
        song.durationSeconds = seconds;
    return songs;
}

QCoro::Task<std::optional<QString>> refusalOf(SonosController controller, QString service, QString action,
                                              QString body)
{
    try {
        co_await controller.soap(service, action, body);
    } catch (const CorvaneError &error) {
        co_return error.payload().value_or(QStringLiteral("none"));
    }
    co_return std::nullopt;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<QString>)

class TestSimSpeaker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void positionMovesOnlyWhilePlaying()
    {
        auto speaker = startSpeaker();
        speaker->setQueue(catalogueSongs());
        speaker->setTransport(SimSpeaker::Transport::Playing);
        QTest::qWait(1100);
        QVERIFY(speaker->positionSeconds() >= 1);

        speaker->setTransport(SimSpeaker::Transport::Paused);
        const int paused = speaker->positionSeconds();
        speaker->advanceClock(60000);
        QCOMPARE(speaker->positionSeconds(), paused);
    }

    void endOfTrackFollowsThePlayMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("transport");
        const int playing = int(SimSpeaker::Transport::Playing);
        QTest::newRow("normal, next track") << "NORMAL" << 1 << 2 << playing;
        QTest::newRow("normal, end of queue stops on track 1")
            << "NORMAL" << 3 << 1 << int(SimSpeaker::Transport::Stopped);
        QTest::newRow("repeat all wraps") << "REPEAT_ALL" << 3 << 1 << playing;
        QTest::newRow("repeat one plays it again") << "REPEAT_ONE" << 2 << 2 << playing;
    }
    void endOfTrackFollowsThePlayMode()
    {
        QFETCH(QString, mode);
        QFETCH(int, from);
        QFETCH(int, track);
        QFETCH(int, transport);
        auto speaker = startSpeaker();
        speaker->setQueue(shortSongs(3, 100), from);
        const SonosController controller(speaker->speaker());
        await(controller.setPlayMode(*playModeFromText(mode)));
        await(controller.play());
        speaker->advanceClock(100500);
        QCOMPARE(speaker->trackNumber(), track);
        QCOMPARE(int(speaker->transport()), transport);
    }

    void shuffleNeverRepeatsTheTrackAtOnce()
    {
        auto speaker = startSpeaker();
        speaker->setQueue(shortSongs(4, 10), 1);
        speaker->setTransport(SimSpeaker::Transport::Playing);
        const SonosController controller(speaker->speaker());
        await(controller.setPlayMode(PlayMode::Shuffle));
        int previous = speaker->trackNumber();
        for (int i = 0; i < 12; ++i) {
            speaker->advanceClock(10000);
            QVERIFY(speaker->trackNumber() != previous);
            previous = speaker->trackNumber();
        }
        QCOMPARE(speaker->transport(), SimSpeaker::Transport::Playing);
    }

    void sleepTimerCountsDownThenPauses()
    {
        auto speaker = startSpeaker();
        speaker->setQueue(catalogueSongs());
        speaker->setTransport(SimSpeaker::Transport::Playing);
        const SonosController controller(speaker->speaker());
        await(controller.setSleepTimer(2));
        QCOMPARE(await(controller.sleepTimerRemaining()), std::optional<int>(2));
        speaker->advanceClock(90000);
        QCOMPARE(await(controller.sleepTimerRemaining()), std::optional<int>(1));
        QCOMPARE(speaker->transport(), SimSpeaker::Transport::Playing);
        speaker->advanceClock(31000);
        QCOMPARE(await(controller.sleepTimerRemaining()), std::nullopt);
        QCOMPARE(speaker->transport(), SimSpeaker::Transport::Paused);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("body");
        QTest::addColumn<std::optional<QString>>("code");
        const QString rc = upnp::renderingControl;
        const QString avt = upnp::avTransport;
        const QString master = QStringLiteral("<InstanceID>0</InstanceID><Channel>Master</Channel>");
        const QString i0 = QStringLiteral("<InstanceID>0</InstanceID>");
        const auto code = [](const char *c) { return std::optional<QString>(QString::fromLatin1(c)); };

        QTest::newRow("volume abc") << "" << rc << "SetVolume" << master + "<DesiredVolume>abc</DesiredVolume>" << code("402");
        QTest::newRow("volume 101") << "" << rc << "SetVolume" << master + "<DesiredVolume>101</DesiredVolume>" << code("402");
        QTest::newRow("volume 100") << "" << rc << "SetVolume" << master + "<DesiredVolume>100</DesiredVolume>" << std::optional<QString>();
        QTest::newRow("another channel") << "" << rc << "GetVolume" << i0 + "<Channel>LF</Channel>" << code("402");
        QTest::newRow("bass 11") << "" << rc << "SetBass" << i0 + "<DesiredBass>11</DesiredBass>" << code("402");
        QTest::newRow("mute 2") << "" << rc << "SetMute" << master + "<DesiredMute>2</DesiredMute>" << code("402");
        QTest::newRow("no instance") << "" << rc << "GetMute" << "<Channel>Master</Channel>" << code("402");
        QTest::newRow("instance 1") << "" << avt << "Pause" << "<InstanceID>1</InstanceID>" << code("718");
        QTest::newRow("unknown action") << "" << avt << "Dance" << i0 << code("401");
        QTest::newRow("pause when stopped") << "stopped" << avt << "Pause" << i0 << code("701");
        QTest::newRow("play an empty queue") << "empty" << avt << "Play" << i0 + "<Speed>1</Speed>" << code("701");
        QTest::newRow("next at the end") << "last" << avt << "Next" << i0 << code("711");
        QTest::newRow("next on a radio") << "radio" << avt << "Next" << i0 << code("701");
        QTest::newRow("seek a radio") << "radio" << avt << "Seek" << i0 + "<Unit>REL_TIME</Unit><Target>0:00:10</Target>" << code("701");
        QTest::newRow("seek a bad time") << "" << avt << "Seek" << i0 + "<Unit>REL_TIME</Unit><Target>0:99:00</Target>" << code("711");
        QTest::newRow("seek a missing track") << "" << avt << "Seek" << i0 + "<Unit>TRACK_NR</Unit><Target>9</Target>" << code("711");
        QTest::newRow("seek an odd unit") << "" << avt << "Seek" << i0 + "<Unit>SECTION</Unit><Target>1</Target>" << code("402");
        QTest::newRow("unknown play mode") << "" << avt << "SetPlayMode" << i0 + "<NewPlayMode>PARTY</NewPlayMode>" << code("712");
        QTest::newRow("bad sleep duration") << "" << avt << "ConfigureSleepTimer" << i0 + "<NewSleepTimerDuration>soon</NewSleepTimerDuration>" << code("402");
    }
    void refusals()
    {
        QFETCH(QString, setup);
        QFETCH(QString, service);
        QFETCH(QString, action);
        QFETCH(QString, body);
        QFETCH(std::optional<QString>, code);
        auto speaker = startSpeaker();
        if (setup != QLatin1String("empty"))
            speaker->setQueue(catalogueSongs(), setup == QLatin1String("last") ? 6 : 1);
        if (setup == QLatin1String("radio"))
            speaker->setStreamSource(radioStation(QStringLiteral("Radio"), QStringLiteral("http://radio.example.org/a.mp3")));
        if (setup != QLatin1String("stopped") && setup != QLatin1String("empty"))
            speaker->setTransport(SimSpeaker::Transport::Playing);
        QCOMPARE(await(refusalOf(SonosController(speaker->speaker()), service, action, body)), code);
    }

    void deviceDescription_data()
    {
        QTest::addColumn<bool>("audioIn");
        QTest::newRow("speaker") << false;
        QTest::newRow("amplifier with line-in") << true;
    }
    void deviceDescription()
    {
        QFETCH(bool, audioIn);
        SimSpeakerConfig config;
        config.roomName = QStringLiteral("Chambre d'Élise");
        config.hasAudioIn = audioIn;
        auto speaker = startSpeaker(config);
        const HttpResult result = await(speakerGet(QUrl(QStringLiteral("http://%1:1400/xml/device_description.xml").arg(speaker->config().ip))));
        QCOMPARE(result.status, std::optional<int>(200));
        QCOMPARE(result.header("Connection"), QByteArray("close"));
        const QString text = QString::fromUtf8(result.body);
        QVERIFY(text.contains(QStringLiteral("<roomName>Chambre d&apos;Élise</roomName>")));
        QVERIFY(text.contains(QStringLiteral("<UDN>uuid:") + speaker->config().uuid + QStringLiteral("</UDN>")));
        QVERIFY(text.contains(QStringLiteral("<modelName>Sonos Era 100</modelName>")));
        QCOMPARE(text.contains(QStringLiteral("urn:schemas-upnp-org:service:AudioIn:1")), audioIn);
    }

    void servesAlbumArt()
    {
        auto speaker = startSpeaker();
        const QString url = QStringLiteral("http://%1:1400/getaa?s=1&u=x-sonos-http%3asong%253a1.mp4").arg(speaker->config().ip);
        const HttpResult result = await(speakerGet(QUrl(url)));
        QCOMPARE(result.status, std::optional<int>(200));
        QCOMPARE(result.header("Content-Type"), QByteArray("image/png"));
        QImage image;
        QVERIFY(image.loadFromData(result.body, "PNG"));
        QCOMPARE(image.size(), QSize(240, 240));
        QCOMPARE(await(speakerGet(QUrl(QStringLiteral("http://%1:1400/nothing").arg(speaker->config().ip)))).status, std::optional<int>(404));
    }

    void lateRepliesStillArrive()
    {
        auto speaker = startSpeaker();
        speaker->faults().delayMs = 150;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(await(SonosController(speaker->speaker()).volume()), 25);
        QVERIFY(clock.elapsed() >= 140);
    }
};

QTEST_GUILESS_MAIN(TestSimSpeaker)
#include "tst_simspeaker.moc"
