// What a real speaker refuses for harmless reasons never reaches the person as an error, and a
// radio shows its station and the song it announces: the model against the strict simulator.

#include "async/delays.h"
#include "base/corvaneerror.h"
#include "modelrig.h"
#include "simtrack.h"

#include <QSignalSpy>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

class TestModelHarmless : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayScale(0.05); }
    void cleanup() { setDelayScale(1.0); }

    void emptyingAnEmptyQueueIsAQuietSuccess()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        SimSpeaker &salon = *rig.speaker("Salon");
        salon.setQueue({});
        salon.clearReceived();
        ToastLog toasts(rig.model.get());
        QSignalSpy errors(rig.model->notices(), &Notices::errorMessageChanged);
        await(rig.model->queue()->empty());
        QCOMPARE(actionsOf(salon).count(QStringLiteral("RemoveAllTracksFromQueue")), 1); // answered 804
        QCOMPARE(rig.model->notices()->errorMessage(), std::nullopt);
        QCOMPARE(errors.count(), 0);
        QCOMPARE(toasts.shown, QStringList{QStringLiteral("File d'attente vidée")});
        QVERIFY(rig.model->queue()->entries().isEmpty());
    }

    void previousOnTheFirstTrackRestartsIt()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        SimSpeaker &salon = *rig.speaker("Salon");
        salon.setQueue(catalogueSongs(), 1);
        salon.setPosition(1);
        salon.setTransport(SimSpeaker::Transport::Playing);
        await(rig.model->playback()->pollOnce());
        salon.clearReceived();
        await(rig.model->playback()->skipToPrevious());
        QCOMPARE(rig.model->notices()->errorMessage(), std::nullopt);
        const QStringList sent = actionsOf(salon);
        QVERIFY2(sent.indexOf(QStringLiteral("Previous")) >= 0
                     && sent.indexOf(QStringLiteral("Seek")) > sent.indexOf(QStringLiteral("Previous")),
                 qPrintable(sent.join(QLatin1Char(' '))));
        QVERIFY(argumentsOf(lastRequest(salon, QStringLiteral("Seek"))).contains(QLatin1String("<Target>0:00:00</Target>")));
        QCOMPARE(salon.trackNumber(), 1);
        QVERIFY(salon.positionSeconds() < 2);
    }

    void playModesOfARadioAreExplained_data()
    {
        QTest::addColumn<bool>("shuffle");
        QTest::newRow("shuffle") << true;
        QTest::newRow("repeat") << false;
    }
    void playModesOfARadioAreExplained()
    {
        QFETCH(bool, shuffle);
        ModelRig::Options options;
        options.preferredRoom = QStringLiteral("Cuisine"); // a radio
        ModelRig rig(options);
        QVERIFY(rig.startUp());
        QSignalSpy modes(rig.model->playback(), &Playback::playModeChanged);
        if (shuffle)
            await(rig.model->playback()->toggleShuffle());
        else
            await(rig.model->playback()->cycleRepeat());
        QCOMPARE(rig.model->notices()->errorMessage(), std::optional<QString>(CorvaneError::noPlayModes().message()));
        QVERIFY(rig.model->notices()->errorMessage()->startsWith(QStringLiteral("Cette source n'a pas de modes de lecture")));
        // The switches show again what the speaker does.
        QCOMPARE(rig.model->playback()->isShuffled(), false);
        QCOMPARE(rig.model->playback()->repeatState(), RepeatState::Off);
        QCOMPARE(modes.count(), 2);
        QCOMPARE(rig.speaker("Cuisine")->playMode(), PlayMode::Normal);
    }

    void aRadioShowsItsStationAndTheSongItAnnounces()
    {
        ModelRig::Options options;
        options.preferredRoom = QStringLiteral("Cuisine");
        ModelRig rig(options);
        QVERIFY(rig.startUp());
        QTRY_VERIFY(rig.model->playback()->hasPolledOnce());
        QCOMPARE(rig.model->playback()->nowPlaying().title, QStringLiteral("Radio Gardon FM"));
        QCOMPARE(rig.model->playback()->nowPlaying().artist, QStringLiteral("Les Phares Lointains - Marée basse"));
        QVERIFY(!rig.model->playback()->nowPlaying().trackID);

        // The stream moves on to its next song.
        SimSpeaker &cuisine = *rig.speaker("Cuisine");
        cuisine.setTransport(SimSpeaker::Transport::Playing);
        cuisine.advanceClock(41000);
        await(rig.model->playback()->pollOnce());
        QCOMPARE(rig.model->playback()->nowPlaying().title, QStringLiteral("Radio Gardon FM"));
        QCOMPARE(rig.model->playback()->nowPlaying().artist, QStringLiteral("Les Phares Lointains - Sel & Cendre"));
        QCOMPARE(rig.model->notices()->errorMessage(), std::nullopt);
    }

    void aRadioStartedFromTheModelKeepsItsName()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        await(rig.model->playback()->startStation(RadioStation{QStringLiteral("st1"), QStringLiteral("Ondes & Cévennes"), QStringLiteral("folk"),
                                                  QStringLiteral("http://radio.example.org/ondes.mp3"), std::nullopt}));
        await(rig.model->playback()->pollOnce());
        QCOMPARE(rig.model->playback()->nowPlaying().title, QStringLiteral("Ondes & Cévennes"));
        QCOMPARE(rig.model->playback()->nowPlaying().artist, QStringLiteral("Les Phares Lointains - Marée basse"));
        QCOMPARE(rig.model->notices()->errorMessage(), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestModelHarmless)
#include "tst_modelharmless.moc"
