// The model's startup, polling, playback commands and queue, against the simulated household.

#include "async/clock.h"
#include "async/delays.h"
#include "base/corvaneerror.h"
#include "modelrig.h"
#include "simtrack.h"
#include "sonos/sonoscontroller.h"

#include <QElapsedTimer>
#include <QSignalSpy>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

// Artwork on the simulator's origin: nothing may be fetched beyond loopback.
QUrl artOrigin;

Track trackOf(const SimTrack &song)
{
    return Track{songIDOf(song.uri), song.title, song.artist, song.album,
                 artOrigin.toString() + QStringLiteral("/art/%1/100x100bb.jpg").arg(songIDOf(song.uri)),
                 qint64(song.durationSeconds) * 1000};
}

QList<Track> tracksOf(const QList<SimTrack> &songs)
{
    QList<Track> tracks;
    for (const SimTrack &song : songs)
        tracks << trackOf(song);
    return tracks;
}

NowPlaying reading(const QString &trackID, int elapsed, bool playing = true)
{
    NowPlaying now;
    now.title = QStringLiteral("Titre ") + trackID;
    now.artist = QStringLiteral("Artiste");
    now.trackID = trackID;
    now.isPlaying = playing;
    now.elapsed = elapsed;
    now.duration = 200;
    now.queueIndex = 1;
    return now;
}

QList<QueueItem> queueOf(int count)
{
    QList<QueueItem> items;
    for (int i = 1; i <= count; ++i)
        items << QueueItem{i, QStringLiteral("Morceau %1").arg(i), QStringLiteral("A"), std::nullopt, std::nullopt};
    return items;
}

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayScale(0.05); }
    void cleanup() { setDelayScale(1.0); }

    void realDelays_data()
    {
        QTest::addColumn<int>("scaled");
        QTest::addColumn<int>("real");
        setDelayScale(1.0);
        const Delays d = delays();
        QTest::newRow("poll tick") << int(d.pollTick.count()) << 1000;
        QTest::newRow("second sweep") << int(d.secondSweep.count()) << 1200;
        QTest::newRow("first-time retry") << int(d.firstTimeRetry.count()) << 2000;
        QTest::newRow("error shown") << int(d.errorDisplay.count()) << 6000;
        QTest::newRow("toast shown") << int(d.toastDisplay.count()) << 2500;
        QTest::newRow("re-read after a command") << int(d.commandReread.count()) << 900;
        QTest::newRow("start window") << int(d.startWindow.count()) << 2500;
        QTest::newRow("toggle window") << int(d.toggleWindow.count()) << 1500;
        QTest::newRow("volume debounce") << int(d.volumeDebounce.count()) << 120;
        QTest::newRow("post-start check") << int(d.postStartCheck.count()) << 700;
        QTest::newRow("scrub window") << int(d.scrubWindow.count()) << 10000;
        QTest::newRow("search debounce") << int(d.searchDebounce.count()) << 200;
        QTest::newRow("refresh after a removal") << int(d.queueRemoveRefresh.count()) << 500;
        QTest::newRow("refresh after a move") << int(d.queueMoveRefresh.count()) << 700;
        QTest::newRow("regroup settle") << int(d.regroupSettle.count()) << 700;
        QTest::newRow("favorite re-reads") << int((d.favoriteReread1 + d.favoriteReread2 + d.favoriteReread3 + d.favoriteReread4).count()) << 10200;
        QTest::newRow("personal reload") << int(d.personalReload.count()) << 60000;
    }
    void realDelays()
    {
        QFETCH(int, scaled);
        QFETCH(int, real);
        QCOMPARE(scaled, real);
    }

    void recordListModel()
    {
        RecordListModel list(&Track::staticMetaObject);
        QSignalSpy resets(&list, &QAbstractItemModel::modelReset);
        const QList<Track> tracks{Track{"1", "Un", "A", "B", QStringLiteral("http://127.0.0.1/a/100x100bb.jpg"), 61000},
                                  Track{"2", "Deux", "A", "B", std::nullopt, std::nullopt}};
        list.assign(tracks);
        list.assign(tracks); // the same rows: nothing signalled
        QCOMPARE(resets.count(), 1);
        QCOMPARE(list.count(), 2);
        const QHash<int, QByteArray> roles = list.roleNames();
        const int title = roles.key("title");
        const int duration = roles.key("duration");
        const int artwork = roles.key("artwork");
        QCOMPARE(list.data(list.index(1), title).toString(), QStringLiteral("Deux"));
        QCOMPARE(list.data(list.index(0), duration).toString(), QStringLiteral("1:01"));
        QCOMPARE(list.data(list.index(0), artwork).toUrl(), QUrl("http://127.0.0.1/a/256x256bb.jpg"));
        QCOMPARE(list.data(list.index(1), artwork).toUrl(), QUrl());
        QCOMPARE(list.get(0).value<Track>(), tracks.first());
        QVERIFY(!list.get(5).isValid());
    }

    void constructionStartsNothing()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        QCOMPARE(model.playback()->volume(), 20.0);
        QVERIFY(model.playback()->equalizer().loudness);
        QCOMPARE(model.browse()->route(), Route::results());
        QCOMPARE(model.household()->setupState(), SetupState::Searching);
        QVERIFY(!model.household()->isDiscovering());
        QCOMPARE(model.playback()->runningPollLoops(), 0);
        QTest::qWait(100);
        for (SimSpeaker *speaker : rig.house->speakers())
            QVERIFY(speaker->received().isEmpty());
    }

    void startupChoosesTheSelection_data()
    {
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<bool>("topologyFails");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("speakers");
        QTest::newRow("the preferred room") << "Salon" << false << "Salon" << 5;
        QTest::newRow("preferred room gone: the first in name order") << "Nowhere" << false << "Bureau" << 5;
        // The topology read fails (large households answer 501): the answering speaker and every
        // remembered address that still answers stay selectable.
        QTest::newRow("no topology") << "Salon" << true << "Salon" << 5;
    }
    void startupChoosesTheSelection()
    {
        QFETCH(QString, preferred);
        QFETCH(bool, topologyFails);
        QFETCH(QString, selected);
        QFETCH(int, speakers);
        ModelRig::Options options;
        options.preferredRoom = preferred;
        ModelRig rig(options);
        if (topologyFails) {
            for (SimSpeaker *speaker : rig.house->speakers())
                speaker->faults().topologyFails = true;
        }
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        QCOMPARE(model.household()->selected()->roomName, selected);
        QCOMPARE(model.household()->speakers().size(), speakers);
        QStringList rooms;
        for (const Speaker &speaker : model.household()->speakers())
            rooms << speaker.roomName;
        QCOMPARE(rooms, (QStringList{"Bureau", "Chambre", "Cuisine", "Salon", "Séjour"}));
        QCOMPARE(Preferences().preferredSpeakerUUID(), model.household()->selected()->uuid);
        QCOMPARE(Preferences().knownSpeakerIPs().size(), speakers);
        QVERIFY(model.household()->hasLink());
        QCOMPARE(model.household()->setupState(), SetupState::Ready);
        QVERIFY(!model.household()->showsSetup());
        QCOMPARE(model.playback()->runningPollLoops(), 1);
    }

    void noSpeakerMessages_data()
    {
        QTest::addColumn<bool>("everFound");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("minimumMs");
        QTest::newRow("returning user: two attempts") << true << CorvaneError::noSpeakers().message() << 1200;
        QTest::newRow("first time: a third attempt 2 s later")
            << false
            << "Aucune enceinte trouvée. Vérifiez que Corvane est autorisée à accéder au réseau local, et que vos "
               "enceintes sont allumées sur le même réseau Wi-Fi."
            << 3200;
    }
    void noSpeakerMessages()
    {
        QFETCH(bool, everFound);
        QFETCH(QString, message);
        QFETCH(int, minimumMs);
        ModelRig::Options options;
        options.household = "none";
        options.everFound = everFound;
        ModelRig rig(options);
        QElapsedTimer clock;
        clock.start();
        await(rig.model->household()->discoveryRun());
        QVERIFY(clock.elapsed() >= minimumMs * 0.05);
        QCOMPARE(rig.model->notices()->errorMessage(), std::optional<QString>(message));
        QVERIFY(rig.model->household()->speakers().isEmpty());
        QCOMPARE(rig.model->household()->setupState(), SetupState::NoSpeaker);
        QVERIFY(rig.model->household()->showsSetup());
        QVERIFY(rig.model->household()->hasSearchedOnce());
    }

    void localControlOffIsASetupState()
    {
        ModelRig::Options options;
        options.household = "never";
        ModelRig rig(options);
        for (SimSpeaker *speaker : rig.house->speakers())
            speaker->faults().localControlOff = true;
        await(rig.model->household()->discoveryRun());
        QCOMPARE(rig.model->household()->setupState(), SetupState::LocalControlOff);
        QVERIFY(rig.model->household()->setupRoom().startsWith(rig.house->prefix()));
    }

    void aNewSearchSeesAppleMusicPlayedMeanwhile()
    {
        ModelRig::Options options;
        options.household = "never";
        ModelRig rig(options);
        QVERIFY(rig.startUp());
        QTRY_VERIFY(rig.model->household()->hasCheckedAppleMusic());
        QCOMPARE(rig.model->household()->setupState(), SetupState::AppleMusicMissing);
        // The person plays Apple Music from the Sonos app, then asks for a new search.
        rig.house->addStandardFavorites(true);
        await(rig.model->household()->discoveryRun());
        QTRY_COMPARE(rig.model->household()->setupState(), SetupState::Ready);
        QVERIFY(rig.model->household()->link().has_value());
    }

    void aConnectionLeftUnfinishedIsSaid()
    {
        ModelRig::Options options;
        options.signedIn = false;
        ModelRig rig(options);
        setDelayScale(0.001); // the browser page waits 0.6 s instead of ten minutes
        await(rig.model->household()->connectAppleMusic());
        QVERIFY(!rig.model->household()->musicKitAuthorized());
        QVERIFY(!rig.model->household()->connectingMusic());
        QVERIFY(rig.model->notices()->errorMessage().value_or(QString()).startsWith(QStringLiteral("La connexion à Apple Music n'a pas abouti")));
    }

    void rediscoveryKeepsTheSession()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        const Speaker before = *rig.model->household()->selected();
        QSignalSpy sessions(rig.model->household(), &Household::hasCheckedAppleMusicChanged);
        await(rig.model->household()->discoveryRun());
        QCOMPARE(*rig.model->household()->selected(), before);
        QCOMPARE(sessions.count(), 0); // no new session started
        QCOMPARE(rig.model->playback()->runningPollLoops(), 1);
    }

    void aNewSelectionReplacesThePolling()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        for (const QString &room : {QStringLiteral("Cuisine"), QStringLiteral("Bureau"), QStringLiteral("Salon")})
            rig.model->household()->selectSpeaker(rig.speaker(room)->config().uuid);
        QTRY_COMPARE_WITH_TIMEOUT(rig.model->playback()->runningPollLoops(), 1, 2000);
        QTRY_VERIFY(rig.model->household()->hasCheckedAppleMusic());
        QCOMPARE(rig.model->household()->selected()->roomName, QStringLiteral("Salon"));
    }

    void messagesClearThemselves()
    {
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        ManualClock clock;
        Notices *notices = rig.model->notices();
        // 6 s × 0.05 = 300 ms. The second message, shown 200 ms after the first, stays its full time.
        notices->setErrorMessage(QStringLiteral("premier"));
        clock.advance(Millis(200));
        notices->setErrorMessage(QStringLiteral("second"));
        clock.advance(Millis(299));
        QCOMPARE(notices->errorMessage(), std::optional<QString>("second"));
        clock.advance(Millis(1));
        QCOMPARE(notices->errorMessage(), std::nullopt);
        // The same words twice: the first timer does not cut the second showing short.
        notices->setErrorMessage(QStringLiteral("même"));
        clock.advance(Millis(200));
        notices->setErrorMessage(std::nullopt);
        notices->setErrorMessage(QStringLiteral("même"));
        clock.advance(Millis(299));
        QCOMPARE(notices->errorMessage(), std::optional<QString>("même"));
        clock.advance(Millis(1));
        QCOMPARE(notices->errorMessage(), std::nullopt);

        notices->showToast(QStringLiteral("Ajouté"));
        QCOMPARE(notices->lastAction(), std::optional<QString>("Ajouté"));
        clock.advance(delays().toastDisplay);
        QCOMPARE(notices->lastAction(), std::nullopt);
    }

    // Only commands that build Apple Music addresses need the household's link; whatever stops a
    // command early leaves no trace: no queue change left open, nothing shown as playing, nothing
    // in the history.
    void commandsNeedWhatTheyUse_data()
    {
        QTest::addColumn<QByteArray>("household");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("error"); // empty: the speaker receives it
        const QString noSpeaker = CorvaneError::noSpeakers().message();
        const QString noLink = CorvaneError::appleMusicNotLinked().message();
        for (const char *command : {"play", "mute", "sleep", "favorite", "song", "enqueue", "next song"})
            QTest::addRow("no speaker: %s", command) << QByteArray("none") << QString::fromLatin1(command) << noSpeaker;
        for (const char *command : {"play", "mute", "sleep", "favorite"})
            QTest::addRow("no link: %s", command) << QByteArray("never") << QString::fromLatin1(command) << QString();
        for (const char *command : {"song", "enqueue", "next song"})
            QTest::addRow("no link: %s", command) << QByteArray("never") << QString::fromLatin1(command) << noLink;
    }
    void commandsNeedWhatTheyUse()
    {
        QFETCH(QByteArray, household);
        QFETCH(QString, command);
        QFETCH(QString, error);
        ModelRig::Options options;
        options.household = household.constData();
        ModelRig rig(options);
        if (household != "none")
            QVERIFY(rig.startUp());
        else
            await(rig.model->household()->discoveryRun());
        CorvaneModel &model = *rig.model;
        const Track song = trackOf(catalogueSongs().at(3));
        const QString shownBefore = model.playback()->nowPlaying().title;
        if (command == QLatin1String("play"))
            await(model.playback()->resumePlayback());
        else if (command == QLatin1String("mute"))
            await(model.playback()->toggleMute());
        else if (command == QLatin1String("sleep"))
            await(model.playback()->changeSleepTimer(15));
        else if (command == QLatin1String("favorite"))
            await(model.playback()->startFavorite(model.favorites()->list().value(0, SonosFavorite{})));
        else if (command == QLatin1String("song"))
            await(model.playback()->playSong(song));
        else if (command == QLatin1String("enqueue"))
            await(model.queue()->addTrack(song));
        else
            await(model.queue()->addTrackNext(song));
        QCOMPARE(model.notices()->errorMessage().value_or(QString()), error);
        QVERIFY(!model.queue()->changeLocked());
        if (!error.isEmpty()) {
            QCOMPARE(model.playback()->nowPlaying().title, shownBefore);
            QVERIFY(model.history()->entries().isEmpty());
        }
    }

    // ---- polling

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
        QVERIFY(clock.runUntil([&toggle] { return toggle.isReady(); }));
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

    // ---- queue

    // Speakers return 100 tracks a read: every track of a long queue is read all the same, and
    // the last one can be moved to the top.
    void aLongQueueIsReadWhole()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        rig.speaker("Salon")->setQueue(sim::numberedSongs(2000), 1);
        await(rig.model->queue()->refresh());
        QCOMPARE(rig.model->queue()->entries().size(), 2000);
        QCOMPARE(rig.model->queue()->entries().last().id, 2000);
        QVERIFY(rig.model->queue()->entries().last().title.endsWith(QLatin1String("(2000)")));
        await(rig.model->queue()->moveItems({1999}, 0));
        QTRY_VERIFY(rig.model->queue()->entries().first().title.endsWith(QLatin1String("(2000)")));
        QCOMPARE(rig.model->queue()->entries().size(), 2000);
        QVERIFY(rig.speaker("Salon")->queue().first().title.endsWith(QLatin1String("(2000)")));
    }

    void queueChangeProtocol()
    {
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        CorvaneModel &model = *rig.model;
        model.queue()->apply(queueOf(3));
        // A 40-song album on its way: a read of 12 entries is ignored.
        const int first = model.queue()->beginChange(40);
        model.queue()->apply(queueOf(12));
        QCOMPARE(model.queue()->entries().size(), 3);
        model.queue()->apply(queueOf(40));
        QCOMPARE(model.queue()->entries().size(), 40);
        // A second play before the first ends: the first end does not unlock.
        const int second = model.queue()->beginChange(5);
        await(model.queue()->endChange(first));
        QVERIFY(model.queue()->changeLocked());
        await(model.queue()->endChange(second));
        QVERIFY(!model.queue()->changeLocked());
        // Clearing unlocks at once.
        model.queue()->beginChange(30);
        await(model.queue()->empty());
        QVERIFY(!model.queue()->changeLocked());
        QVERIFY(model.queue()->entries().isEmpty());
    }

    void overlappingPlaysShowTheLastList()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        artOrigin = rig.web.origin();
        const QList<Track> songs = tracksOf(catalogueSongs());
        auto first = rig.model->playback()->playSongs(songs, QStringLiteral("Tout"));
        auto second = rig.model->playback()->playSongs(songs.mid(0, 2), QStringLiteral("Deux"));
        await(std::move(first));
        await(std::move(second));
        QTRY_VERIFY(!rig.model->queue()->changeLocked());
        await(rig.model->queue()->refresh());
        QCOMPARE(rig.model->queue()->entries().size(), rig.speaker("Salon")->queue().size());
    }

    void speakerArtworkIsLookedUpOnce()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        await(model.queue()->refresh());
        QCOMPARE(model.queue()->entries().size(), 6);
        QTRY_VERIFY(model.queue()->entries().first().artworkURL && !model.queue()->entries().first().artworkURL->path().startsWith(QLatin1String("/getaa")));
        QVERIFY(model.queue()->entries().first().artworkURL->toString().endsWith(QLatin1String("/256x256bb.jpg")));
        const int lookups = int(rig.web.requested().count(QStringLiteral("/v1/catalog/fr/songs/1440857781")));
        QCOMPARE(lookups, 1);
        await(model.queue()->refresh());
        QTest::qWait(50);
        QCOMPARE(int(rig.web.requested().count(QStringLiteral("/v1/catalog/fr/songs/1440857781"))), 1);
    }

    void queueEdits_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("sent");
        QTest::newRow("entry 3 to the top") << 2 << 0 << "<StartingIndex>3</StartingIndex><NumberOfTracks>1</NumberOfTracks><InsertBefore>1</InsertBefore>";
        QTest::newRow("entry 1 below entry 3") << 0 << 3 << "<StartingIndex>1</StartingIndex><NumberOfTracks>1</NumberOfTracks><InsertBefore>4</InsertBefore>";
        QTest::newRow("onto itself: nothing") << 2 << 2 << "";
    }
    void queueEdits()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, sent);
        ModelRig rig;
        QVERIFY(rig.startUp());
        SimSpeaker &salon = *rig.speaker("Salon");
        await(rig.model->queue()->refresh());
        const QString moved = rig.model->queue()->entries().at(from).title;
        salon.clearReceived();
        await(rig.model->queue()->moveItems({from}, to));
        if (sent.isEmpty()) {
            QCOMPARE(countOf(salon, "ReorderTracksInQueue"), 0);
            return;
        }
        QVERIFY(argumentsOf(lastRequest(salon, "ReorderTracksInQueue")).contains(sent));
        QCOMPARE(rig.model->queue()->entries().at(to > from ? to - 1 : to).title, moved);
        QCOMPARE(salon.queue().at(to > from ? to - 1 : to).title, moved);
    }

    void removingAnEntry()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        await(rig.model->queue()->refresh());
        const QueueItem second = rig.model->queue()->entries().at(1);
        auto removal = rig.model->queue()->removeItem(second);
        QCOMPARE(rig.model->queue()->entries().size(), 5); // hidden at once
        await(std::move(removal));
        QCOMPARE(rig.speaker("Salon")->queue().size(), 5);
        QCOMPARE(rig.model->queue()->entries().at(1).id, 2); // renumbered by the speaker
        QVERIFY(rig.model->queue()->entries().at(1).title != second.title);
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
