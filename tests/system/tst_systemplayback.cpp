#include "../model/modelrig.h"
#include "desktop/systemplayback.h"
#include "model/playback.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

// playerctl, with this process's event loop turning so the player can answer it.
QString playerctl(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("playerctl"), QStringList{"--player=corvane"} + arguments);
    QDeadlineTimer deadline(10000);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(5);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

NowPlaying playing(const QString &title, int elapsed = 30, bool isPlaying = true)
{
    NowPlaying now;
    now.title = title;
    now.artist = QStringLiteral("Odile Ravanel");
    now.album = QStringLiteral("Villes de nuit");
    now.trackID = QStringLiteral("1609934412");
    now.isPlaying = isPlaying;
    now.elapsed = elapsed;
    now.duration = 201;
    return now;
}

struct Calls
{
    QStringList names;
    QList<double> seeks;
    SystemPlayback::Handlers handlers()
    {
        return {[this] { names << "play"; }, [this] { names << "pause"; }, [this] { names << "toggle"; },
                [this] { names << "next"; }, [this] { names << "previous"; }, [this](double s) { seeks << s; }};
    }
};

QDBusInterface player(const SystemPlayback &playback)
{
    return QDBusInterface(playback.serviceName(), QStringLiteral("/org/mpris/MediaPlayer2"),
                          QStringLiteral("org.mpris.MediaPlayer2.Player"));
}

} // namespace

class TestSystemPlayback : public QObject
{
    Q_OBJECT

    QTemporaryDir m_profile;

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("CORVANE_PROFILE", m_profile.path().toUtf8());
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    }

    void offByDefault()
    {
        Calls calls;
        SystemPlayback playback; // the real preference: absent, so off
        QVERIFY(!playback.enabled());
        playback.configure(calls.handlers());
        playback.update(playing(QStringLiteral("Néons")), std::nullopt);
        QVERIFY(playback.serviceName().isEmpty());
        QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(QStringLiteral("org.mpris.MediaPlayer2.corvane")));
        QCOMPARE(playerctl({QStringLiteral("status")}), QString());
        QVERIFY(calls.names.isEmpty());
    }

    void publishesAndTakesMediaKeys()
    {
        Calls first;
        Calls second;
        SystemPlayback playback([] { return true; });
        playback.configure(first.handlers());
        playback.configure(second.handlers()); // registers once: the first handlers stay
        QCOMPARE(playback.serviceName(), QStringLiteral("org.mpris.MediaPlayer2.corvane"));

        playback.update(playing(QStringLiteral("Néons sur la Loire")), std::nullopt);
        QCOMPARE(playerctl({QStringLiteral("metadata"), QStringLiteral("--format"),
                            QStringLiteral("{{title}}|{{artist}}|{{album}}|{{mpris:length}}")}),
                 QStringLiteral("Néons sur la Loire|Odile Ravanel|Villes de nuit|201000000"));
        QCOMPARE(playerctl({QStringLiteral("status")}), QStringLiteral("Playing"));
        const double position = playerctl({QStringLiteral("position")}).toDouble();
        QVERIFY(position >= 30 && position < 40);

        playerctl({QStringLiteral("play-pause")});
        playerctl({QStringLiteral("next")});
        playerctl({QStringLiteral("previous")});
        playerctl({QStringLiteral("pause")});
        playerctl({QStringLiteral("play")});
        QCOMPARE(first.names, (QStringList{"toggle", "next", "previous", "pause", "play"}));
        QVERIFY(second.names.isEmpty());

        playerctl({QStringLiteral("position"), QStringLiteral("95")});
        playerctl({QStringLiteral("position"), QStringLiteral("500")}); // past the end: ignored
        QCOMPARE(first.seeks.size(), 1);
        QCOMPARE(first.seeks.first(), 95.0);

        playback.update(playing(QStringLiteral("Néons sur la Loire"), 30, false), std::nullopt);
        QCOMPARE(playerctl({QStringLiteral("status")}), QStringLiteral("Paused"));
        playback.update(NowPlaying{}, std::nullopt);
        QCOMPARE(playerctl({QStringLiteral("status")}), QStringLiteral("Stopped"));
        QCOMPARE(playerctl({QStringLiteral("metadata"), QStringLiteral("title")}), QString());
    }

    void raiseShowsTheWindowWhenThereIsOne()
    {
        Calls calls;
        SystemPlayback playback([] { return true; });
        playback.configure(calls.handlers());
        QDBusInterface root(playback.serviceName(), QStringLiteral("/org/mpris/MediaPlayer2"),
                            QStringLiteral("org.mpris.MediaPlayer2"));
        QCOMPARE(root.property("CanRaise").toBool(), false); // no window to show
        int raised = 0;
        playback.setRaiser([&raised] { ++raised; });
        QCOMPARE(root.property("CanRaise").toBool(), true);
        QVERIFY(root.call(QStringLiteral("Raise")).type() == QDBusMessage::ReplyMessage);
        QCOMPARE(raised, 1);
        QVERIFY(calls.names.isEmpty());
    }

    void aRadioShowsItsStationAndItsSong()
    {
        SystemPlayback playback([] { return true; });
        Calls calls;
        playback.configure(calls.handlers());
        auto speaker = startSpeaker();
        speaker->setStreamSource(radioStation(QStringLiteral("Radio Gardon FM"), QStringLiteral("http://radio.example.org/gardon.mp3")));
        speaker->setTransport(SimSpeaker::Transport::Playing);
        playback.update(await(SonosController(speaker->speaker()).nowPlaying()), std::nullopt);
        QCOMPARE(playerctl({QStringLiteral("metadata"), QStringLiteral("--format"), QStringLiteral("{{title}}|{{artist}}")}),
                 QStringLiteral("Radio Gardon FM|Les Phares Lointains - Marée basse"));
        QCOMPARE(playerctl({QStringLiteral("status")}), QStringLiteral("Playing"));
    }

    void typesOnTheBus()
    {
        SystemPlayback playback([] { return true; });
        Calls calls;
        playback.configure(calls.handlers());
        playback.update(playing(QStringLiteral("Dernier tramway")), std::nullopt);
        QDBusInterface mpris = player(playback);
        QCOMPARE(mpris.property("Rate").toDouble(), 1.0);
        QCOMPARE(mpris.property("Position").metaType(), QMetaType::fromType<qlonglong>());

        QDBusInterface properties(playback.serviceName(), QStringLiteral("/org/mpris/MediaPlayer2"),
                                  QStringLiteral("org.freedesktop.DBus.Properties"));
        const QDBusReply<QDBusVariant> reply =
            properties.call(QStringLiteral("Get"), QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("Metadata"));
        QVERIFY(reply.isValid());
        const QDBusArgument argument = reply.value().variant().value<QDBusArgument>();
        QVariantMap metadata;
        argument >> metadata;
        QCOMPARE(metadata.value(QStringLiteral("mpris:length")).metaType(), QMetaType::fromType<qlonglong>());
        QCOMPARE(metadata.value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>().path(),
                 QStringLiteral("/org/corvane/track/t1609934412"));
        QCOMPARE(qdbus_cast<QStringList>(metadata.value(QStringLiteral("xesam:artist"))), QStringList{"Odile Ravanel"});

        // SetPosition with another track's id is ignored.
        mpris.call(QStringLiteral("SetPosition"), QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/corvane/track/tother"))),
                   qlonglong(10000000));
        mpris.call(QStringLiteral("SetPosition"), QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/corvane/track/t1609934412"))),
                   qlonglong(10000000));
        QCOMPARE(calls.seeks, QList<double>{10.0});
    }

    void seekedOnJumps()
    {
        SystemPlayback playback([] { return true; });
        playback.configure({});
        playback.update(playing(QStringLiteral("Balises"), 30), std::nullopt);
        QSignalSpy seen(this, &TestSystemPlayback::seekedSeen);
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.connect(playback.serviceName(), QStringLiteral("/org/mpris/MediaPlayer2"),
                            QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("Seeked"), this,
                            SLOT(onSeeked(qlonglong))));
        playback.update(playing(QStringLiteral("Balises"), 31), std::nullopt); // the clock explains it
        playback.update(playing(QStringLiteral("Balises"), 120), std::nullopt); // a jump
        QVERIFY(seen.wait(3000));
        QTest::qWait(100);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().first().toLongLong() / 1000000, 120);
        bus.disconnect(playback.serviceName(), QStringLiteral("/org/mpris/MediaPlayer2"),
                       QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("Seeked"), this,
                       SLOT(onSeeked(qlonglong)));
    }

    void artwork()
    {
        auto speaker = startSpeaker();
        const QUrl a(QStringLiteral("http://%1:1400/getaa?s=1&u=a").arg(speaker->config().ip));
        const QUrl b(QStringLiteral("http://%1:1400/getaa?s=1&u=b").arg(speaker->config().ip));
        SystemPlayback playback([] { return true; });
        playback.configure({});
        QSignalSpy published(&playback, &SystemPlayback::artworkPublished);

        playback.update(playing(QStringLiteral("Grand large")), a);
        playback.update(playing(QStringLiteral("Grand large"), 35), a);
        QVERIFY(published.wait(5000));
        QCOMPARE(speaker->received().size(), 1); // one download for one URL
        const QString art = playback.metadata().value(QStringLiteral("mpris:artUrl")).toString();
        QVERIFY(art.startsWith(QStringLiteral("file://")));
        QVERIFY(QFile::exists(QUrl(art).toLocalFile()));
        QCOMPARE(playerctl({QStringLiteral("metadata"), QStringLiteral("mpris:artUrl")}), art);

        // A slow cover for an older track arrives after the new one: it is dropped.
        speaker->faults().delayMs = 300;
        playback.update(playing(QStringLiteral("Menuet")), b);
        speaker->faults().delayMs = 0;
        const QUrl c(QStringLiteral("http://%1:1400/getaa?s=1&u=c").arg(speaker->config().ip));
        playback.update(playing(QStringLiteral("Rondeau")), c);
        QVERIFY(published.wait(5000));
        QCOMPARE(published.last().first().toUrl(), c);
        QTest::qWait(500);
        QCOMPARE(published.size(), 2);

        // A slow cover arrives after a switch to a track without artwork: it is not that track's.
        speaker->faults().delayMs = 300;
        const QUrl d(QStringLiteral("http://%1:1400/getaa?s=1&u=d").arg(speaker->config().ip));
        playback.update(playing(QStringLiteral("Gigue")), d);
        playback.update(playing(QStringLiteral("Radio sans pochette")), std::nullopt);
        QTest::qWait(800);
        speaker->faults().delayMs = 0;
        QCOMPARE(published.size(), 2);
        QVERIFY(!playback.metadata().contains(QStringLiteral("mpris:artUrl")));
    }

    void coverCopiesAreBounded()
    {
        const QString folder = m_profile.path() + QStringLiteral("/cache/mpris");
        QDir().mkpath(folder);
        const QByteArray megabyte(1024 * 1024, 'x');
        for (int i = 0; i < 20; ++i) {
            QFile old(folder + QStringLiteral("/old-%1.png").arg(i));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(megabyte);
        }
        auto speaker = startSpeaker();
        SystemPlayback playback([] { return true; });
        playback.configure({});
        QSignalSpy published(&playback, &SystemPlayback::artworkPublished);
        playback.update(playing(QStringLiteral("Grand largue")), QUrl(QStringLiteral("http://%1:1400/getaa?s=1&u=e").arg(speaker->config().ip)));
        QVERIFY(published.wait(5000));
        qint64 total = 0;
        for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files))
            total += info.size();
        QVERIFY2(total <= SystemPlayback::coverCopiesLimit, qPrintable(QString::number(total)));
        QVERIFY(QFile::exists(QUrl(playback.metadata().value(QStringLiteral("mpris:artUrl")).toString()).toLocalFile()));
    }

    void seekPastTheEndIsNext()
    {
        Calls calls;
        SystemPlayback playback([] { return true; });
        playback.configure(calls.handlers());
        playback.update(playing(QStringLiteral("Passacaille"), 190), std::nullopt);
        QDBusInterface mpris = player(playback);
        mpris.call(QStringLiteral("Seek"), qlonglong(5000000));
        mpris.call(QStringLiteral("Seek"), qlonglong(60000000));
        QCOMPARE(calls.names, QStringList{"next"});
        QCOMPARE(calls.seeks.size(), 1);
        QVERIFY(calls.seeks.first() >= 195 && calls.seeks.first() < 198);
    }

    void positionStopsAtTheLength()
    {
        SystemPlayback playback([] { return true; });
        playback.configure({});
        playback.update(playing(QStringLiteral("Coda"), 200), std::nullopt);
        QTest::qWait(1300); // the clock runs past the 201 s of the track
        QDBusInterface mpris = player(playback);
        const qlonglong length = playback.metadata().value(QStringLiteral("mpris:length")).toLongLong();
        QCOMPARE(length, qlonglong(201000000));
        QCOMPARE(mpris.property("Position").toLongLong(), length);
    }

    void switchingOffWithdrawsThePlayer()
    {
        Calls calls;
        SystemPlayback playback;
        playback.setSystemNowPlaying(true);
        playback.configure(calls.handlers());
        QVERIFY(playback.enabled());
        playback.update(playing(QStringLiteral("Marée basse")), std::nullopt);
        QCOMPARE(playerctl({QStringLiteral("status")}), QStringLiteral("Playing"));

        playback.setSystemNowPlaying(false);
        QVERIFY(!playback.enabled());
        QVERIFY(playback.serviceName().isEmpty());
        QCOMPARE(playerctl({QStringLiteral("status")}), QString());
        playback.update(playing(QStringLiteral("Marée basse")), std::nullopt);
        QVERIFY(playback.serviceName().isEmpty());

        playback.setSystemNowPlaying(true); // back on: the same handlers, the player shown again
        QCOMPARE(playback.serviceName(), QStringLiteral("org.mpris.MediaPlayer2.corvane"));
        playerctl({QStringLiteral("next")});
        QCOMPARE(calls.names, QStringList{"next"});
    }

    // The desktop's sound menu and `playerctl volume` read and set the selected group's volume.
    void volumeIsTheGroups()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        sim::SimSpeaker *cuisine = rig.speaker(QStringLiteral("Cuisine"));
        salon->setVolume(40);
        cuisine->setVolume(20);
        await(rig.model->household()->toggleMembership(cuisine->speaker(), salon->config().uuid));
        QTRY_VERIFY(rig.model->playback()->volumeIsGroup());
        rig.model->playback()->setSystemNowPlaying(true);
        QTRY_COMPARE(int(rig.model->playback()->volume()), 30);
        QCOMPARE(playerctl({QStringLiteral("volume")}).toDouble(), 0.3);

        playerctl({QStringLiteral("volume"), QStringLiteral("0.6")});
        QTRY_COMPARE(countOf(*salon, QStringLiteral("SetGroupVolume")), 1);
        QCOMPARE(lastRequest(*salon, QStringLiteral("SetGroupVolume")).arguments.value(QStringLiteral("DesiredVolume")), QStringLiteral("60"));
        QCOMPARE(salon->volume(), 80);
        QCOMPARE(cuisine->volume(), 40);
        QCOMPARE(countOf(*salon, QStringLiteral("SetVolume")), 0);
        QCOMPARE(playerctl({QStringLiteral("volume")}).toDouble(), 0.6);
        rig.model->playback()->setSystemNowPlaying(false);
    }

Q_SIGNALS:
    void seekedSeen(qlonglong position);

public Q_SLOTS:
    void onSeeked(qlonglong position) { Q_EMIT seekedSeen(position); }
};

QTEST_GUILESS_MAIN(TestSystemPlayback)
#include "tst_systemplayback.moc"
