// What plays: the session's readings, polling, transport, volume and starting songs, against the simulated household.

#include "async/clock.h"
#include "async/delays.h"
#include "base/corvaneerror.h"
#include "modelrecords.h"
#include "modelrig.h"
#include "simtrack.h"
#include "sonos/sonoscontroller.h"

#include <QElapsedTimer>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

class TestModelPlayback : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayScale(0.05); }
    void cleanup() { setDelayScale(1.0); }

    void firstReadingRules_data()
    {
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<bool>("alreadyNewest");
        QTest::addColumn<int>("recorded"); // entries after the first reading and one more song
        QTest::newRow("launched 2 min into a song: only the next one") << 120 << false << 1;
        QTest::newRow("launched 5 s in: recorded") << 5 << false << 2;
        QTest::newRow("launched 5 s into the newest entry: not twice") << 5 << true << 2;
        QTest::newRow("exactly 16 s in: skipped") << 16 << false << 1;
    }
    void firstReadingRules()
    {
        QFETCH(int, elapsed);
        QFETCH(bool, alreadyNewest);
        QFETCH(int, recorded);
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        CorvaneModel &model = *rig.model;
        if (alreadyNewest)
            model.history()->record(Track{"100", "Titre 100", "Artiste", "", std::nullopt, std::nullopt}, std::nullopt);
        model.playback()->applyNowPlaying(reading(QStringLiteral("100"), elapsed));
        model.playback()->applyNowPlaying(reading(QStringLiteral("100"), elapsed + 5)); // same song again: nothing
        model.playback()->applyNowPlaying(reading(QStringLiteral("200"), 0));
        QCOMPARE(model.history()->entries().size(), qsizetype(recorded));
        QCOMPARE(model.history()->entries().first().trackID, QStringLiteral("200"));
    }

    void optimisticPauseWindow()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        SimSpeaker &salon = *rig.speaker("Salon");
        QTRY_VERIFY(model.playback()->nowPlaying().isPlaying);
        // The model's time is the test's: the window (1.5 s × 0.05) passes only when the clock is
        // moved. The speaker goes on saying "playing" for 1.5 s of real time.
        ManualClock clock;
        salon.faults().transportLagMs = 1500;
        QCoro::Task<> toggle = model.playback()->togglePlayPause();
        // Time moves only as far as the command's own re-read, well inside the window.
        QVERIFY(delays().commandReread < delays().toggleWindow);
        QVERIFY(clock.runUntil([&toggle] { return toggle.isReady(); }, delays().commandReread));
        // The reads that follow the command (at once and after the re-read delay) did not flip it back.
        QVERIFY(countOf(salon, "GetTransportInfo") >= 3);
        QVERIFY(!model.playback()->nowPlaying().isPlaying);
        QCOMPARE(model.playback()->playIntent(), std::optional<bool>(false));
        // After the window the speaker's word is taken, even when it still says "playing".
        clock.advance(delays().toggleWindow);
        await(model.playback()->pollOnce());
        QCOMPARE(salon.transport(), SimSpeaker::Transport::Playing);
        QVERIFY(model.playback()->nowPlaying().isPlaying);
        QCOMPARE(model.playback()->playIntent(), std::nullopt);
        QTRY_COMPARE_WITH_TIMEOUT(salon.transport(), SimSpeaker::Transport::Paused, 3000);
        await(model.playback()->pollOnce());
        QVERIFY(!model.playback()->nowPlaying().isPlaying);
    }

    void toggleTwiceReadsTheSpeakerEachTime()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        SimSpeaker &salon = *rig.speaker("Salon");
        QTRY_VERIFY(model.playback()->nowPlaying().isPlaying);
        setDelayScale(0.2); // a 300 ms window, so a busy machine stays inside it
        salon.faults().transportLagMs = 1500;
        salon.clearReceived();
        await(model.playback()->togglePlayPause());
        QVERIFY(!model.playback()->nowPlaying().isPlaying); // the display follows the toggle
        // The speaker still plays: the second toggle goes by what it reads, not by the display.
        await(model.playback()->togglePlayPause());
        QCOMPARE(countOf(salon, "Pause"), 2);
        QCOMPARE(countOf(salon, "Play"), 0);
    }

    void scrubbingHoldsThePosition()
    {
        // The clock runs from the start: the polling ticks only when the test moves it.
        ManualClock clock;
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        SimSpeaker &salon = *rig.speaker("Salon");
        model.playback()->setScrubbing(100.0);
        const int before = model.playback()->nowPlaying().elapsed;
        const int reads = countOf(salon, "GetPositionInfo");
        const Millis eightTicks = delays().pollTick * 8;
        clock.advance(eightTicks); // neither the local advance nor the reads move it
        QCOMPARE(model.playback()->nowPlaying().elapsed, before);
        await(model.playback()->pollOnce());
        QCOMPARE(countOf(salon, "GetPositionInfo"), reads);
        // An abandoned drag stops blocking after 10 s.
        clock.advance(delays().scrubWindow - eightTicks);
        QVERIFY(model.playback()->isScrubbing());
        clock.advance(Millis(1));
        QVERIFY(!model.playback()->isScrubbing());
        await(model.playback()->pollOnce());
        QVERIFY(countOf(salon, "GetPositionInfo") > reads);
    }

    void threeFailedReadsMakeTheSpeakerUnreachable()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        SimSpeaker &salon = *rig.speaker("Salon");
        salon.stop();
        // Real delays from here: the polling task reads only every 5 s and stays out of the count.
        setDelayScale(1.0);
        QTest::qWait(100);
        // The reads in flight when the speaker went (the polling task's and at most one more
        // of the session's) may have failed already; the count goes on from there.
        QVERIFY(model.playback()->pollFailures() <= 2);
        while (model.playback()->pollFailures() < 2)
            await(model.playback()->pollOnce());
        QVERIFY(!model.playback()->speakerUnreachable());
        QVERIFY(!model.playback()->nowPlaying().isEmpty());
        await(model.playback()->pollOnce());
        QVERIFY(model.playback()->speakerUnreachable());
        QVERIFY(model.playback()->nowPlaying().isEmpty());
        QCOMPARE(model.notices()->errorMessage(), std::optional(CorvaneError::speakerUnreachable(QStringLiteral("Salon")).message()));
        QVERIFY(salon.start());
        await(model.playback()->pollOnce());
        QVERIFY(!model.playback()->speakerUnreachable());
        QCOMPARE(model.playback()->pollFailures(), 0);
        QCOMPARE(model.playback()->nowPlaying().title, QStringLiteral("Sel & Cendre"));
        QCOMPARE(model.notices()->errorMessage(), std::nullopt);
    }

    void aStreamNeverAdvancesLocally()
    {
        ModelRig::Options options;
        options.preferredRoom = QStringLiteral("Bureau"); // line-in: no duration
        ModelRig rig(options);
        QVERIFY(rig.startUp());
        QTRY_VERIFY(rig.model->playback()->nowPlaying().isPlaying);
        QTest::qWait(300);
        QCOMPARE(rig.model->playback()->nowPlaying().elapsed, 0);
    }

    void qualityIsLookedUpOncePerTrack()
    {
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        CorvaneModel &model = *rig.model;
        model.playback()->applyNowPlaying(reading(QStringLiteral("1609934412"), 0));
        await(model.playback()->refreshQualityTask());
        QCOMPARE(model.playback()->quality(), std::optional<QString>("Dolby Atmos"));
        model.playback()->applyNowPlaying(reading(QStringLiteral("42"), 0));
        QTest::qWait(50); // the history's artwork lookup for the new song
        const qsizetype before = rig.web.requested().count(QStringLiteral("/v1/catalog/fr/songs/42"));
        await(model.playback()->refreshQualityTask());
        await(model.playback()->refreshQualityTask());
        QCOMPARE(model.playback()->quality(), std::nullopt);
        QCOMPARE(rig.web.requested().count(QStringLiteral("/v1/catalog/fr/songs/42")), before + 1);
    }

    void aLateBadgeStaysWithItsTrack()
    {
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        CorvaneModel &model = *rig.model;
        model.playback()->applyNowPlaying(reading(QStringLiteral("1609934412"), 0));
        rig.web.setReplyDelay(300);
        QCoro::Task<> lookup = model.playback()->refreshQualityTask();
        model.playback()->applyNowPlaying(reading(QStringLiteral("42"), 0)); // the next song, before the badge came
        await(std::move(lookup));
        rig.web.setReplyDelay(0);
        QCOMPARE(model.playback()->quality(), std::nullopt);
    }

    void theLocalClockStopsAtTheDuration()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        QTRY_VERIFY(rig.model->playback()->hasPolledOnce());
        // The speaker stops answering, so only the local once-a-second advance moves the clock.
        rig.house->speaker(QStringLiteral("Salon"))->faults().silent = true;
        QTest::qWait(100); // a read already answered lands before the test's own reading
        int furthest = std::numeric_limits<int>::min();
        connect(rig.model->playback(), &Playback::nowPlayingChanged, this, [&rig, &furthest] {
            const NowPlaying &now = rig.model->playback()->nowPlaying();
            if (now.trackID == QLatin1String("100"))
                furthest = std::max(furthest, now.elapsed - now.duration);
        });
        rig.model->playback()->applyNowPlaying(reading(QStringLiteral("100"), 198));
        QTest::qWait(1200);
        rig.house->speaker(QStringLiteral("Salon"))->faults().silent = false;
        QCOMPARE(furthest, 0); // reached the end, never past it
    }

    // ---- playback

    void playModes_data()
    {
        QTest::addColumn<bool>("shuffled");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("readBack"); // the repeat state read back from that mode
        QTest::newRow("normal") << false << int(RepeatState::Off) << int(PlayMode::Normal) << int(RepeatState::Off);
        QTest::newRow("repeat all") << false << int(RepeatState::All) << int(PlayMode::RepeatAll) << int(RepeatState::All);
        QTest::newRow("repeat one") << false << int(RepeatState::One) << int(PlayMode::RepeatOne) << int(RepeatState::One);
        QTest::newRow("shuffle, repeat all") << true << int(RepeatState::All) << int(PlayMode::Shuffle) << int(RepeatState::All);
        QTest::newRow("shuffle, no repeat") << true << int(RepeatState::Off) << int(PlayMode::ShuffleNoRepeat) << int(RepeatState::Off);
        QTest::newRow("shuffle, repeat one") << true << int(RepeatState::One) << int(PlayMode::ShuffleNoRepeat) << int(RepeatState::Off);
    }
    void playModes()
    {
        QFETCH(bool, shuffled);
        QFETCH(int, repeat);
        QFETCH(int, mode);
        QFETCH(int, readBack);
        QCOMPARE(int(Playback::playModeFor(shuffled, RepeatState(repeat))), mode);
        QCOMPARE(playModeShuffles(PlayMode(mode)), shuffled);
        QCOMPARE(int(playModeRepeat(PlayMode(mode))), readBack);
    }

    void shuffleAndRepeatReachTheSpeaker()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        SimSpeaker &salon = *rig.speaker("Salon");
        await(model.playback()->toggleShuffle());
        QVERIFY(argumentsOf(lastRequest(salon, "SetPlayMode")).contains(QLatin1String("SHUFFLE_NOREPEAT")));
        await(model.playback()->cycleRepeat());
        await(model.playback()->cycleRepeat());
        QCOMPARE(model.playback()->repeatState(), RepeatState::One);
        QVERIFY(argumentsOf(lastRequest(salon, "SetPlayMode")).contains(QLatin1String("<NewPlayMode>SHUFFLE_NOREPEAT<")));
        await(model.playback()->toggleShuffle());
        QVERIFY(argumentsOf(lastRequest(salon, "SetPlayMode")).contains(QLatin1String("<NewPlayMode>REPEAT_ONE<")));
    }

    void previousTrackRule_data()
    {
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<QString>("action");
        QTest::newRow("at 3 s: the previous song") << 3 << "Previous";
        QTest::newRow("at 4 s: the start of this one") << 4 << "Seek";
    }
    void previousTrackRule()
    {
        QFETCH(int, elapsed);
        QFETCH(QString, action);
        ModelRig rig;
        QVERIFY(rig.startUp());
        rig.speaker("Salon")->setPosition(elapsed);
        await(rig.model->playback()->pollOnce());
        QCOMPARE(rig.model->playback()->nowPlaying().elapsed, elapsed);
        rig.speaker("Salon")->clearReceived();
        await(rig.model->playback()->skipToPrevious());
        const QStringList sent = actionsOf(*rig.speaker("Salon"));
        QVERIFY(sent.contains(action));
        QVERIFY(!sent.contains(action == QLatin1String("Seek") ? QStringLiteral("Previous") : QStringLiteral("Seek")));
    }

    void volumeIsDebounced()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        SimSpeaker &salon = *rig.speaker("Salon");
        ManualClock clock;
        for (const int level : {10, 20, 30, 40}) {
            rig.model->playback()->setVolume(level);
            rig.model->playback()->commitVolume();
            clock.advance(delays().volumeDebounce / 2); // the next move comes inside the wait
        }
        QCOMPARE(countOf(salon, "SetVolume"), 0);
        clock.advance(delays().volumeDebounce);
        QTRY_COMPARE(countOf(salon, "SetVolume"), 1);
        QVERIFY(argumentsOf(lastRequest(salon, "SetVolume")).contains(QLatin1String("<DesiredVolume>40</DesiredVolume>")));
        // No wait is left that could send another one.
        clock.advance(delays().volumeDebounce * 10);
        QCOMPARE(countOf(salon, "SetVolume"), 1);
    }

    void playSongStartsAtOnce()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        artOrigin = rig.web.origin();
        CorvaneModel &model = *rig.model;
        const Track song = trackOf(catalogueSongs().at(3));
        const int started = model.playback()->playbackStarted();
        auto play = model.playback()->playSong(song);
        // Optimistic before the speaker answers.
        QCOMPARE(model.playback()->playbackStarted(), started + 1);
        QCOMPARE(model.playback()->nowPlaying().title, song.title);
        QVERIFY(model.playback()->nowPlaying().isPlaying);
        QCOMPARE(model.playback()->nowPlaying().duration, 201);
        QVERIFY(model.playback()->nowPlaying().artworkURL->toString().endsWith(QLatin1String("/600x600bb.jpg")));
        QVERIFY(model.history()->entries().isEmpty()); // not before the speaker accepts it
        QVERIFY(model.queue()->changeLocked());
        await(std::move(play));
        QCOMPARE(model.history()->entries().first().trackID, song.id);
        QVERIFY(!model.queue()->changeLocked());
        QCOMPARE(model.queue()->entries().size(), 1);
        QCOMPARE(model.queue()->entries().first().title, song.title);
        QVERIFY(model.queue()->entries().first().artworkURL->toString().endsWith(QLatin1String("/256x256bb.jpg")));
        QCOMPARE(rig.speaker("Salon")->transport(), SimSpeaker::Transport::Playing);
    }

    void containersOrSongBySong_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("additions");
        QTest::newRow("catalogue playlist: one container") << "playlist" << "pl.u-Kf3mQ" << 1;
        QTest::newRow("library playlist: song by song") << "playlist" << "p.Abc" << 6;
        QTest::newRow("catalogue album: one container") << "album" << "1609934400" << 1;
        QTest::newRow("library album: song by song") << "album" << "l.AbCdEf" << 6;
        QTest::newRow("no container: song by song") << "" << "" << 6;
    }
    void containersOrSongBySong()
    {
        QFETCH(QString, kind);
        QFETCH(QString, id);
        QFETCH(int, additions);
        ModelRig rig;
        QVERIFY(rig.startUp());
        SimSpeaker &salon = *rig.speaker("Salon");
        salon.clearReceived();
        artOrigin = rig.web.origin();
        const QList<Track> songs = tracksOf(catalogueSongs());
        await(rig.model->playback()->playSongs(songs, QStringLiteral("Liste"), kind.isEmpty() ? std::nullopt : std::optional(kind),
                                   id.isEmpty() ? std::nullopt : std::optional(id)));
        QCOMPARE(countOf(salon, "AddURIToQueue"), additions);
        QCOMPARE(rig.model->notices()->errorMessage(), std::nullopt);
        QVERIFY(!rig.model->queue()->entries().isEmpty());
    }

    void refusedSongsAreReported()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        artOrigin = rig.web.origin();
        const QList<Track> songs = tracksOf(catalogueSongs());
        rig.speaker("Salon")->faults().refusedSongs = {songs[1].id, songs[4].id};
        await(rig.model->playback()->playSongs(songs, QStringLiteral("Liste")));
        QCOMPARE(rig.model->notices()->errorMessage(),
                 std::optional<QString>("2 morceaux sur 6 n'ont pas pu être ajoutés : Sel & Cendre, Minuit moins le quart"));
        QCOMPARE(rig.model->queue()->entries().size(), 4);
    }

    void refusedMessages_data()
    {
        QTest::addColumn<int>("refused");
        QTest::addColumn<QString>("message");
        QTest::newRow("one") << 1 << "« T1 » n'a pas pu être ajouté : l'enceinte l'a refusé.";
        QTest::newRow("three") << 3 << "3 morceaux sur 9 n'ont pas pu être ajoutés : T1, T2, T3";
        QTest::newRow("four: three titles and an ellipsis") << 4 << "4 morceaux sur 9 n'ont pas pu être ajoutés : T1, T2, T3…";
    }
    void refusedMessages()
    {
        QFETCH(int, refused);
        QFETCH(QString, message);
        QList<Track> tracks;
        for (int i = 1; i <= refused; ++i)
            tracks << Track{QString::number(i), QStringLiteral("T%1").arg(i), "", "", std::nullopt, std::nullopt};
        QCOMPARE(Playback::refusedMessage(tracks, 9), message);
    }

    void postStartCheck_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<bool>("muted");
        QTest::addColumn<QString>("message");
        QTest::newRow("volume at 0") << 0 << true << "Le volume de l'enceinte est à 0 — montez-le pour entendre la musique.";
        QTest::newRow("muted") << 25 << true << "L'enceinte est en sourdine.";
        QTest::newRow("audible") << 25 << false << "";
    }
    void postStartCheck()
    {
        QFETCH(int, volume);
        QFETCH(bool, muted);
        QFETCH(QString, message);
        ModelRig rig;
        QVERIFY(rig.startUp());
        const SonosController salon(rig.speaker("Salon")->speaker());
        await(salon.setVolume(volume));
        await(salon.setMuted(muted));
        artOrigin = rig.web.origin();
        QElapsedTimer clock;
        clock.start();
        await(rig.model->playback()->playSongs(tracksOf(catalogueSongs()), QStringLiteral("Villes"), QStringLiteral("album"),
                                   QStringLiteral("1609934400")));
        QVERIFY(clock.elapsed() >= 700 * 0.05);
        QCOMPARE(rig.model->notices()->errorMessage().value_or(QString()), message);
        if (volume == 0)
            QCOMPARE(rig.model->playback()->volume(), 0.0);
        else if (muted)
            QVERIFY(rig.model->playback()->isMuted());
    }
};

QTEST_GUILESS_MAIN(TestModelPlayback)
#include "tst_modelplayback.moc"
