// Ten minutes of scaled time of random use against the simulated household.

#include "async/delays.h"
#include "modelrig.h"
#include "simtrack.h"
#include "sonos/sonoscontroller.h"

#include <QRandomGenerator>
#include <QTimer>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

class TestModelSoak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomUse()
    {
        constexpr double scale = 0.01; // ten minutes of the program's time in six seconds
        setDelayScale(0.05);           // start-up with the timeouts of the other model tests
        ModelRig rig;
        QVERIFY(rig.startUp());
        setDelayScale(scale);
        CorvaneModel &model = *rig.model;
        SimSpeaker &salon = *rig.speaker("Salon");
        SimSpeaker &cuisine = *rig.speaker("Cuisine");

        // CORVANE_SOAK_SEED replays a run's choices (the timing still varies).
        const quint32 seed = qEnvironmentVariableIsSet("CORVANE_SOAK_SEED") ? qEnvironmentVariable("CORVANE_SOAK_SEED").toUInt()
                                                                            : QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);

        // Invariants watched all along.
        int mostPollLoops = 0;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] { mostPollLoops = std::max(mostPollLoops, model.playback()->runningPollLoops()); });
        watcher.start(2);
        QSet<QString> recorded;
        QObject::connect(model.history(), &ListeningHistory::changed, [&] {
            for (const HistoryEntry &entry : model.history()->entries())
                recorded.insert(entry.id());
        });

        QList<Track> songs;
        for (const SimTrack &song : catalogueSongs())
            songs << Track{songIDOf(song.uri), song.title, song.artist, song.album, std::nullopt, qint64(song.durationSeconds) * 1000};

        std::vector<QCoro::Task<>> running;
        QElapsedTimer clock;
        clock.start();
        bool salonAway = false;
        int actions = 0;
        while (clock.elapsed() < qint64(600000 * scale)) {
            switch (random.bounded(12)) {
            case 0:
                running.push_back(model.playback()->playSong(songs.at(random.bounded(int(songs.size())))));
                break;
            case 1:
                running.push_back(model.playback()->playSongs(songs, QStringLiteral("Tout"), QStringLiteral("album"), QStringLiteral("1609934400")));
                break;
            case 2:
                running.push_back(model.playback()->togglePlayPause());
                break;
            case 3:
                running.push_back(model.playback()->skipToNext());
                break;
            case 4:
                running.push_back(model.playback()->skipToPrevious());
                break;
            case 5:
                running.push_back(model.queue()->addTrack(songs.at(random.bounded(int(songs.size())))));
                break;
            case 6:
                if (model.queue()->entries().size() > 1)
                    running.push_back(model.queue()->moveItems({int(random.bounded(int(model.queue()->entries().size())))}, 0));
                else
                    running.push_back(model.queue()->refresh());
                break;
            case 7:
                if (!model.queue()->entries().isEmpty())
                    running.push_back(model.queue()->removeItem(model.queue()->entries().last()));
                break;
            case 8:
                running.push_back(model.household()->toggleMembership(cuisine.speaker()));
                break;
            case 9:
                model.playback()->setVolume(random.bounded(100));
                model.playback()->commitVolume();
                break;
            case 10:
                // The selected speaker leaves the network, or comes back.
                if (salonAway)
                    QVERIFY(salon.start());
                else
                    salon.stop();
                salonAway = !salonAway;
                break;
            case 11:
                running.push_back(model.playback()->pollOnce());
                break;
            }
            ++actions;
            QTest::qWait(int(random.bounded(2, 40)));
        }
        if (salonAway)
            QVERIFY(salon.start());
        // No user action may end in an exception.
        for (QCoro::Task<> &task : running) {
            try {
                await(std::move(task));
            } catch (const std::exception &error) {
                QFAIL(error.what());
            }
        }

        // Converged: after the optimistic windows, the display says what the speaker says.
        QTest::qWait(int(3000 * scale) + 20);
        // Real timeouts for the checks, so a busy machine does not time out.
        setDelayScale(1.0);
        await(model.playback()->pollOnce());
        NowPlaying truth;
        const qsizetype before = salon.received().size();
        try {
            truth = await(SonosController(salon.speaker()).nowPlaying());
        } catch (const std::exception &error) {
            qWarning("online %d received %lld before %lld", salon.isOnline(), qlonglong(salon.received().size()), qlonglong(before));
            QFAIL(error.what());
        }
        QCOMPARE(model.playback()->nowPlaying().isPlaying, truth.isPlaying);
        QCOMPARE(model.playback()->nowPlaying().title, truth.title);
        QVERIFY(!model.playback()->speakerUnreachable());
        QVERIFY(!model.queue()->changeLocked());
        await(model.queue()->refresh());
        QCOMPARE(model.queue()->entries().size(), salon.queue().size());

        QCOMPARE(mostPollLoops, 1);
        QVERIFY(model.history()->entries().size() > 0);
        QSet<QString> kept;
        for (const HistoryEntry &entry : model.history()->entries())
            kept.insert(entry.id());
        QVERIFY(kept.contains(recorded));
        qInfo("%d actions, %lld history entries", actions, qlonglong(model.history()->entries().size()));
        setDelayScale(1.0);
    }
};

QTEST_GUILESS_MAIN(TestModelSoak)
#include "tst_modelsoak.moc"
