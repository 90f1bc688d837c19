#include "async/delays.h"
#include "base/corvaneerror.h"
#include "base/preferences.h"
#include "cli/intents.h"
#include "sonos/sonoscontroller.h"
#include "sonos/sonosdiscovery.h"
#include "testutil.h"

#include <QTest>

#include <algorithm>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {
IntentTarget targetOf(SimSpeaker *speaker)
{
    return IntentTarget{speaker->speaker(), std::nullopt};
}

} // namespace

class TestIntents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayScale(0.05); }
    void cleanup() { SonosDiscovery::setForcedNetwork(QString()); }

    void targetIsTheCoordinatorOfTheFirstSpeakerFound()
    {
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        SimSpeaker *cuisine = house->speaker(QStringLiteral("Cuisine"));
        await(SonosController(cuisine->speaker()).joinGroup(salon->config().uuid));
        QVERIFY(SonosDiscovery::setForcedNetwork(house->prefix() + QStringLiteral(".1/32")));

        const IntentTarget target = await(Intents::resolveTarget({cuisine->config().ip}));
        QCOMPARE(target.speaker.roomName, QStringLiteral("Salon"));
        QCOMPARE(target.speaker.uuid, salon->config().uuid);
        // No shortcut needs the Apple Music binding: it is not read.
        QVERIFY(!target.link.has_value());
        QCOMPARE(actionsOf(*cuisine).count(QStringLiteral("ListAvailableServices")), 0);
        QCOMPARE(actionsOf(*salon).count(QStringLiteral("ListAvailableServices")), 0);

        // Without a readable topology, the speaker found is the target itself.
        cuisine->faults().topologyFails = true;
        QCOMPARE(await(Intents::resolveTarget({cuisine->config().ip})).speaker.roomName, QStringLiteral("Cuisine"));
    }

    void nothingFound_data()
    {
        QTest::addColumn<bool>("localControlOff");
        QTest::addColumn<bool>("remembered");
        QTest::addColumn<QString>("message");
        QTest::newRow("no speaker") << false << false << "Aucune enceinte Sonos trouvée sur ce réseau.";
        QTest::newRow("speakers with local control off")
            << true << false << CorvaneError::localControlDisabled().message();
        QTest::newRow("a remembered speaker with local control off, nothing swept")
            << true << true << CorvaneError::localControlDisabled().message();
    }
    void nothingFound()
    {
        QFETCH(bool, localControlOff);
        QFETCH(bool, remembered);
        QFETCH(QString, message);
        // Real probe timeouts: a 403 that a busy machine delivers late still counts.
        setDelayScale(1.0);
        auto house = startHousehold("never");
        for (SimSpeaker *speaker : house->speakers()) {
            if (localControlOff)
                speaker->faults().localControlOff = true;
            else
                speaker->stop();
        }
        if (remembered) {
            Preferences().setKnownSpeakerIPs(QStringList{house->speakers().front()->config().ip});
            QVERIFY(SonosDiscovery::setForcedNetwork(randomLoopbackPrefix() + QStringLiteral(".1/24")));
        } else {
            QVERIFY(SonosDiscovery::setForcedNetwork(house->network()));
        }
        const CommandResult result = await(runIntentCommand({QStringLiteral("play-pause")}));
        Preferences().setKnownSpeakerIPs({});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, message);
    }

    void playPause_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("transport");
        QTest::newRow("playing: pause") << "Salon" << "En pause." << int(SimSpeaker::Transport::Paused);
        QTest::newRow("paused radio: play it, named by its station") << "Cuisine" << "Lecture de Radio Gardon FM." << int(SimSpeaker::Transport::Playing);
        QTest::newRow("nothing loaded, accepted") << "Séjour-linein" << "Lecture lancée." << int(SimSpeaker::Transport::Playing);
        QTest::newRow("nothing loaded, refused") << "Chambre" << "L'enceinte a refusé la demande (code 701)." << int(SimSpeaker::Transport::Stopped);
    }
    void playPause()
    {
        QFETCH(QString, room);
        QFETCH(QString, answer);
        QFETCH(int, transport);
        auto house = startHousehold();
        SimSpeaker *speaker = house->speaker(room.section(QLatin1Char('-'), 0, 0));
        if (room.endsWith(QLatin1String("-linein"))) {
            SimSpeaker *bureau = house->speaker(QStringLiteral("Bureau"));
            speaker->setStreamSource(lineIn(bureau->config().uuid));
            speaker->setTransport(SimSpeaker::Transport::Paused);
        }
        QString said;
        try {
            said = await(Intents::playPause(targetOf(speaker)));
        } catch (const CorvaneError &error) {
            said = error.message();
        }
        QCOMPARE(said, answer);
        QCOMPARE(int(speaker->transport()), transport);
    }

    void next()
    {
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        QCOMPARE(await(Intents::nextTrack(targetOf(salon))), QStringLiteral("Le Vent d'Ouessant, Les Phares Lointains."));
        QCOMPARE(salon->trackNumber(), 3);
        await(Intents::previousTrack(targetOf(salon)));
        QCOMPARE(salon->trackNumber(), 2);
        // Before the first track there is nothing (the speaker answers 711): it starts again.
        await(Intents::previousTrack(targetOf(salon)));
        salon->setPosition(30);
        await(Intents::previousTrack(targetOf(salon)));
        QCOMPARE(salon->trackNumber(), 1);
        QVERIFY(salon->positionSeconds() < 3);
        // A live input has no next track: the speaker's refusal is the answer.
        QVERIFY_THROWS_EXCEPTION(CorvaneError, await(Intents::nextTrack(targetOf(house->speaker(QStringLiteral("Bureau"))))));
    }

    void nextAnswersOnceTheTrackChanged()
    {
        setDelayScale(1.0); // the whole 900 ms would allow six reads
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        QCOMPARE(await(Intents::nextTrack(targetOf(salon))), QStringLiteral("Le Vent d'Ouessant, Les Phares Lointains."));
        // One read before the skip, one after it that already sees the new track.
        QCOMPARE(actionsOf(*salon).count(QStringLiteral("GetPositionInfo")), 2);
    }

    void aRememberedSpeakerCostsThreeRequests_data()
    {
        QTest::addColumn<bool>("playing");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<bool>("named");
        QTest::newRow("pause") << true << QStringList{"GetPositionInfo", "GetTransportInfo", "Pause"} << false;
        QTest::newRow("play, naming the track") << false << QStringList{"GetPositionInfo", "GetTransportInfo", "Play"} << true;
    }
    void aRememberedSpeakerCostsThreeRequests()
    {
        QFETCH(bool, playing);
        QFETCH(QStringList, actions);
        QFETCH(bool, named);
        setDelayScale(1.0);
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        if (!playing)
            await(SonosController(salon->speaker()).pause());
        const QString title = await(SonosController(salon->speaker()).currentTrack()).title;
        QVERIFY(!title.isEmpty());
        salon->clearReceived();
        Preferences().setKnownSpeakerIPs(QStringList{salon->config().ip});
        // Were anything swept, it would be this empty network.
        QVERIFY(SonosDiscovery::setForcedNetwork(randomLoopbackPrefix() + QStringLiteral(".1/24")));
        const CommandResult result = await(runIntentCommand({QStringLiteral("play-pause")}));
        Preferences().setKnownSpeakerIPs({});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, named ? QStringLiteral("Lecture de %1.").arg(title) : QStringLiteral("En pause."));
        QStringList sent = actionsOf(*salon);
        std::sort(sent.begin(), sent.end());
        std::sort(actions.begin(), actions.end());
        QCOMPARE(sent, actions);
        for (SimSpeaker *other : house->speakers()) {
            if (other != salon)
                QVERIFY2(other->received().isEmpty(), qPrintable(other->config().roomName));
        }
    }

    void aRememberedGroupMemberLeadsToItsCoordinator()
    {
        setDelayScale(1.0);
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        SimSpeaker *cuisine = house->speaker(QStringLiteral("Cuisine"));
        await(SonosController(cuisine->speaker()).joinGroup(salon->config().uuid));
        Preferences().setKnownSpeakerIPs(QStringList{cuisine->config().ip});
        QVERIFY(SonosDiscovery::setForcedNetwork(randomLoopbackPrefix() + QStringLiteral(".1/24")));
        QCOMPARE(await(runIntentCommand({QStringLiteral("play-pause")})).out, QStringLiteral("En pause."));
        QCOMPARE(salon->transport(), SimSpeaker::Transport::Paused);
        // The room the person uses stays the one remembered, whatever group it is in.
        QCOMPARE(Preferences().knownSpeakerIPs(), QStringList{cuisine->config().ip});
        Preferences().setKnownSpeakerIPs({});
    }

    void theRoomLastUsedWinsTheRace()
    {
        setDelayScale(1.0);
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        SimSpeaker *cuisine = house->speaker(QStringLiteral("Cuisine"));
        SimSpeaker *bureau = house->speaker(QStringLiteral("Bureau"));
        await(SonosController(cuisine->speaker()).joinGroup(salon->config().uuid));
        await(SonosController(bureau->speaker()).play());
        bureau->clearReceived();
        // The kitchen, in the living room's group, was used last; the office plays alone.
        Preferences().setKnownSpeakerIPs(QStringList{cuisine->config().ip, bureau->config().ip});
        QVERIFY(SonosDiscovery::setForcedNetwork(randomLoopbackPrefix() + QStringLiteral(".1/24")));
        const CommandResult result = await(runIntentCommand({QStringLiteral("play-pause")}));
        Preferences().setKnownSpeakerIPs({});
        QCOMPARE(result.out, QStringLiteral("En pause."));
        QCOMPARE(salon->transport(), SimSpeaker::Transport::Paused);
        QCOMPARE(bureau->transport(), SimSpeaker::Transport::Playing);
        QVERIFY(bureau->received().isEmpty());
    }

    void aRememberedSpeakerPlaysAFavoriteSong()
    {
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        Preferences().setKnownSpeakerIPs(QStringList{salon->config().ip});
        QVERIFY(SonosDiscovery::setForcedNetwork(randomLoopbackPrefix() + QStringLiteral(".1/24")));
        // A single song goes through the queue, which needs the speaker's own identity.
        const CommandResult result = await(runIntentCommand({QStringLiteral("favorite"), QStringLiteral("minuit")}));
        Preferences().setKnownSpeakerIPs({});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.out, QStringLiteral("Lecture de Minuit moins le quart."));
        QCOMPARE(await(SonosController(salon->speaker()).currentTrack()).title, QStringLiteral("Minuit moins le quart"));
    }

    void aShortcutRemembersItsSpeaker()
    {
        setDelayScale(1.0);
        auto house = startHousehold();
        Preferences().setKnownSpeakerIPs({});
        QVERIFY(SonosDiscovery::setForcedNetwork(house->network()));
        QCOMPARE(await(runIntentCommand({QStringLiteral("sleep"), QStringLiteral("5")})).exitCode, 0);
        const QStringList known = Preferences().knownSpeakerIPs();
        Preferences().setKnownSpeakerIPs({});
        QCOMPARE(known.size(), 1);
        QVERIFY(std::any_of(house->speakers().cbegin(), house->speakers().cend(),
                            [&known](const SimSpeaker *speaker) { return speaker->config().ip == known.first(); }));
    }

    void favorites_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("title");
        QTest::newRow("no name: the first") << "" << "Lecture de Routes du soir." << "Néons sur la Loire";
        QTest::newRow("case and accents ignored") << "  RÁDIO  " << "Lecture de Radio Gardon FM." << "Radio Gardon FM";
        QTest::newRow("a single song favorite") << "minuit" << "Lecture de Minuit moins le quart." << "Minuit moins le quart";
        QTest::newRow("nothing matches: the first") << "jazz" << "Lecture de Routes du soir." << "Néons sur la Loire";
    }
    void favorites()
    {
        QFETCH(QString, name);
        QFETCH(QString, answer);
        QFETCH(QString, title);
        auto house = startHousehold();
        SimSpeaker *cuisine = house->speaker(QStringLiteral("Cuisine"));
        QCOMPARE(await(Intents::playFavorite(targetOf(cuisine), name)), answer);
        QCOMPARE(cuisine->transport(), SimSpeaker::Transport::Playing);
        QCOMPARE(await(SonosController(cuisine->speaker()).nowPlaying()).title, title);
    }

    void noFavorites()
    {
        auto house = startHousehold("never");
        house->house().favorites.clear();
        QCOMPARE(await(Intents::playFavorite(targetOf(house->speaker(QStringLiteral("Salon"))), QString())),
                 QStringLiteral("Aucun favori enregistré sur ce système Sonos."));
    }

    void sleep_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("duration");
        QTest::newRow("90 minutes") << 90 << "La musique s'arrêtera dans 90 minutes." << "01:30:00";
        QTest::newRow("1 minute, singular") << 1 << "La musique s'arrêtera dans 1 minute." << "00:01:00";
        QTest::newRow("zero cancels") << 0 << "Minuterie annulée." << "";
        QTest::newRow("negative cancels") << -5 << "Minuterie annulée." << "";
    }
    void sleep()
    {
        QFETCH(int, minutes);
        QFETCH(QString, answer);
        QFETCH(QString, duration);
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        QCOMPARE(await(Intents::sleepTimer(targetOf(salon), minutes)), answer);
        QCOMPARE(argumentsOf(lastRequest(*salon, QStringLiteral("ConfigureSleepTimer"))),
                 QStringLiteral("<InstanceID>0</InstanceID><NewSleepTimerDuration>%1</NewSleepTimerDuration>").arg(duration));
    }

    void groupVolume_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("salon"); // Salon at 40 and Cuisine at 20: the group at 30
        QTest::addColumn<int>("cuisine");
        QTest::newRow("read") << "" << "Volume du groupe : 30." << 40 << 20;
        QTest::newRow("set") << "15" << "Volume du groupe : 15." << 20 << 10;
        QTest::newRow("up") << "+15" << "Volume du groupe : 45." << 60 << 30;
        QTest::newRow("down past zero") << "-50" << "Volume du groupe : 0." << 0 << 0;
    }
    void groupVolume()
    {
        QFETCH(QString, change);
        QFETCH(QString, answer);
        QFETCH(int, salon);
        QFETCH(int, cuisine);
        auto house = startHousehold();
        SimSpeaker *leader = house->speaker(QStringLiteral("Salon"));
        SimSpeaker *member = house->speaker(QStringLiteral("Cuisine"));
        QVERIFY(house->join(member, leader->config().uuid));
        leader->setVolume(40);
        member->setVolume(20);
        const std::optional<Intents::VolumeChange> parsed = Intents::parseVolumeChange(change);
        QVERIFY(parsed);
        QCOMPARE(await(Intents::groupVolume(targetOf(leader), *parsed)), answer);
        QCOMPARE(leader->volume(), salon);
        QCOMPARE(member->volume(), cuisine);
        QCOMPARE(countOf(*leader, QStringLiteral("SetVolume")) + countOf(*member, QStringLiteral("SetVolume")), 0);
    }

    void fold_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("accents") << "Rádio Été" << "radio ete";
        QTest::newRow("spaces and line breaks") << " \n Jazz\t" << "jazz";
        QTest::newRow("ligature-free letters kept") << "Œuvre" << "œuvre";
    }
    void fold()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(Intents::fold(text), folded);
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("sleep needs a number") << QStringList{"sleep", "bientôt"};
        QTest::newRow("next takes nothing") << QStringList{"next", "2"};
        QTest::newRow("volume past 100") << QStringList{"volume", "140"};
        QTest::newRow("volume in words") << QStringList{"volume", "fort"};
        QTest::newRow("volume twice signed") << QStringList{"volume", "+-5"};
    }
    void usage()
    {
        QFETCH(QStringList, arguments);
        const CommandResult result = await(runIntentCommand(arguments));
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains(QStringLiteral("Usage : corvane <raccourci>")));
    }
};

QTEST_GUILESS_MAIN(TestIntents)
#include "tst_intents.moc"
