// The model's delays, its list models, the household's startup and selection, messages and the command path, against the simulated household.

#include "async/clock.h"
#include "async/delays.h"
#include "base/corvaneerror.h"
#include "modelrecords.h"
#include "modelrig.h"
#include "simtrack.h"

#include <QElapsedTimer>
#include <QSignalSpy>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

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
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
