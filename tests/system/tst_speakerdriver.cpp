#include "async/delays.h"
#include "cli/speakerdriver.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

class TestSpeakerDriver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("state");

        QTest::newRow("pause") << QStringList{"pause"} << 0 << "Lecture en pause." << "paused";
        QTest::newRow("play") << QStringList{"play"} << 0 << "Lecture lancée." << "playing";
        QTest::newRow("next") << QStringList{"next"} << 0 << "Morceau suivant." << "track 3";
        QTest::newRow("previous") << QStringList{"previous"} << 0 << "Morceau précédent." << "track 1";
        // Nothing comes before the first track (the speaker refuses, 711): it starts again.
        QTest::newRow("previous on the first track restarts it") << QStringList{"previous"} << 0 << "Morceau précédent." << "first restarted";
        QTest::newRow("seek") << QStringList{"seek", "65"} << 0 << "Position : 0:01:05." << "position 65";
        QTest::newRow("volume clamped") << QStringList{"volume", "140"} << 0 << "Volume réglé à 100." << "volume 100";
        QTest::newRow("mute on") << QStringList{"mute", "on"} << 0 << "Son coupé." << "muted";
        QTest::newRow("bass") << QStringList{"bass", "-4"} << 0 << "Graves réglés à -4." << "bass -4";
        QTest::newRow("treble clamped") << QStringList{"treble", "30"} << 0 << "Aigus réglés à 10." << "treble 10";
        QTest::newRow("loudness on") << QStringList{"loudness", "on"} << 0 << "Loudness activée." << "loudness";
        QTest::newRow("mode") << QStringList{"mode", "REPEAT_ALL"} << 0 << "Mode de lecture : REPEAT_ALL." << "repeat all";
        QTest::newRow("sleep 30") << QStringList{"sleep", "30"} << 0 << "Arrêt programmé dans 30 min." << "sleep 1800";
        QTest::newRow("sleep cancelled") << QStringList{"sleep"} << 0 << "Arrêt programmé annulé." << "no sleep";
        QTest::newRow("refused by the speaker") << QStringList{"seek", "9999"} << 1
                                                << "L'enceinte a refusé la demande (code 711)." << "";
        QTest::newRow("unknown mode") << QStringList{"mode", "PARTY"} << 2 << "Mode inconnu : « PARTY »." << "";
        QTest::newRow("volume not a number") << QStringList{"volume", "fort"} << 2 << "Indiquez un volume" << "";
        QTest::newRow("mute needs on or off") << QStringList{"mute", "oui"} << 2 << "Indiquez on ou off." << "";
        QTest::newRow("unknown command") << QStringList{"dance"} << 2 << "Commande inconnue : « dance »." << "";
    }
    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, state);

        auto speaker = startSpeaker();
        speaker->setQueue(catalogueSongs(), state == QLatin1String("first restarted") ? 1 : 2);
        speaker->setPosition(10);
        speaker->setTransport(SimSpeaker::Transport::Playing);

        const CommandResult result = await(runSpeakerCommand(QStringList{speaker->config().ip} + arguments));
        QCOMPARE(result.exitCode, exitCode);
        const QString shown = exitCode == 0 ? result.out : result.err;
        QVERIFY2(shown.startsWith(output), qPrintable(shown));
        if (exitCode == 2)
            QVERIFY(result.err.contains(QStringLiteral("Usage : corvane speaker")));
        if (exitCode != 0) {
            QVERIFY(result.out.isEmpty());
            return;
        }

        const QStringList words = state.split(QLatin1Char(' '));
        if (state == QLatin1String("paused"))
            QCOMPARE(speaker->transport(), SimSpeaker::Transport::Paused);
        else if (state == QLatin1String("playing"))
            QCOMPARE(speaker->transport(), SimSpeaker::Transport::Playing);
        else if (words[0] == QLatin1String("track"))
            QCOMPARE(speaker->trackNumber(), words[1].toInt());
        else if (state == QLatin1String("first restarted"))
            QVERIFY(speaker->trackNumber() == 1 && speaker->positionSeconds() < 3);
        else if (words[0] == QLatin1String("position"))
            QVERIFY(speaker->positionSeconds() >= words[1].toInt());
        else if (words[0] == QLatin1String("volume"))
            QCOMPARE(speaker->volume(), words[1].toInt());
        else if (state == QLatin1String("muted"))
            QVERIFY(speaker->muted());
        else if (words[0] == QLatin1String("bass"))
            QCOMPARE(speaker->equalizer().bass, words[1].toInt());
        else if (words[0] == QLatin1String("treble"))
            QCOMPARE(speaker->equalizer().treble, words[1].toInt());
        else if (state == QLatin1String("loudness"))
            QVERIFY(speaker->equalizer().loudness);
        else if (state == QLatin1String("repeat all"))
            QCOMPARE(speaker->playMode(), PlayMode::RepeatAll);
        else if (words[0] == QLatin1String("sleep"))
            QVERIFY(speaker->sleepSecondsLeft().value_or(0) > words[1].toInt() - 5);
        else if (state == QLatin1String("no sleep"))
            QCOMPARE(speaker->sleepSecondsLeft(), std::nullopt);
        else
            QFAIL("unchecked state");
    }

    void status_data()
    {
        QTest::addColumn<bool>("plain");
        QTest::newRow("French") << false;
        QTest::newRow("plain") << true;
    }
    void status()
    {
        QFETCH(bool, plain);
        SimSpeakerConfig config;
        config.roomName = QStringLiteral("Cuisine");
        config.modelName = QStringLiteral("Sonos Roam 2");
        config.hasBattery = true;
        config.batteryLevel = 73;
        config.powerSource = QStringLiteral("USB_POWER");
        auto speaker = startSpeaker(config);
        speaker->setQueue(catalogueSongs(), 2);
        speaker->setPosition(41);

        QStringList arguments{speaker->config().ip, QStringLiteral("status")};
        if (plain)
            arguments << QStringLiteral("--plain");
        const CommandResult result = await(runSpeakerCommand(arguments));
        QCOMPARE(result.exitCode, 0);
        const QStringList expected = plain
            ? QStringList{"room=Cuisine", "model=Sonos Roam 2", "title=Sel & Cendre", "artist=Les Phares Lointains",
                          "track=2", "elapsed=41", "duration=187", "playing=0", "volume=25", "muted=0", "mode=NORMAL",
                          "sleep=", "battery=73", "charging=1"}
            : QStringList{"Enceinte : Cuisine (Sonos Roam 2, " + speaker->config().ip + ")",
                          "Lecture : Sel & Cendre — Les Phares Lointains", "Album : Cartes marines",
                          "Position : 0:41 / 3:07 (piste 2)", "État : à l'arrêt ou en pause", "Volume : 25",
                          "Graves : 0 · Aigus : 0 · Loudness : désactivée",
                          "Mode : NORMAL (aléatoire : non, répétition : non)", "Arrêt programmé : aucun",
                          "Batterie : 73 % (en charge)"};
        const QStringList lines = result.out.split(QLatin1Char('\n'));
        for (const QString &line : expected)
            QVERIFY2(lines.contains(line), qPrintable(line + QStringLiteral(" missing from\n") + result.out));
    }

    void statusOfARadioAndOfAGroupMember_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<bool>("joinsSalon");
        QTest::addColumn<QStringList>("expected");
        // A radio: its station, and the song its stream announces.
        QTest::newRow("radio") << "Cuisine" << false
                               << QStringList{"title=Radio Gardon FM", "artist=Les Phares Lointains - Marée basse", "duration=0", "mode=NORMAL"};
        // A member answers for its group what its coordinator plays (it refuses the sleep timer
        // question itself: the coordinator answers it).
        QTest::newRow("group member") << "Cuisine" << true
                                      << QStringList{"room=Cuisine", "title=Sel & Cendre", "artist=Les Phares Lointains", "track=2",
                                                     "playing=1", "sleep=30"};
    }
    void statusOfARadioAndOfAGroupMember()
    {
        QFETCH(QString, room);
        QFETCH(bool, joinsSalon);
        QFETCH(QStringList, expected);
        auto house = startHousehold();
        SimSpeaker *speaker = house->speaker(room);
        if (joinsSalon) {
            SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
            await(SonosController(speaker->speaker()).joinGroup(salon->config().uuid));
            await(SonosController(salon->speaker()).setSleepTimer(30));
        }
        const CommandResult result = await(runSpeakerCommand({speaker->config().ip, QStringLiteral("status"), QStringLiteral("--plain")}));
        QCOMPARE(result.exitCode, 0);
        const QStringList lines = result.out.split(QLatin1Char('\n'));
        for (const QString &line : expected)
            QVERIFY2(lines.contains(line), qPrintable(line + QStringLiteral(" missing from\n") + result.out + result.err));
    }

    void statusSendsItsReadsTogether()
    {
        setDelayScale(0.02);
        auto speaker = startSpeaker();
        speaker->faults().silent = true; // nothing is answered: only reads sent together arrive
        QCoro::Task<CommandResult> running = runSpeakerCommand({speaker->config().ip, QStringLiteral("status")});
        // As many as the HTTP client opens to one host at a time (six); one after another, only
        // the first would ever arrive.
        QTRY_VERIFY_WITH_TIMEOUT(speaker->received().size() >= 6, 3000);
        const CommandResult result = await(std::move(running));
        setDelayScale(1.0);
        QCOMPARE(result.exitCode, 1);
    }

    void alarms_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("enabled"); // the Enabled of alarm 2 afterwards, "gone" when deleted
        QTest::newRow("list") << QStringList{"alarms"} << 0
                              << "Réveils :\n  1  07:00  En semaine  Chambre  activé  volume 18  Radio Gardon FM\n"
                                 "  2  09:30  Le week-end  Chambre  désactivé  volume 12  Carillon\n"
                                 "  3  06:45  lun. mer. ven.  Cuisine  activé  volume 25  Rires & Chansons d'ici"
                              << "0";
        QTest::newRow("on") << QStringList{"alarm", "2", "on"} << 0 << "Réveil 2 activé." << "1";
        QTest::newRow("off") << QStringList{"alarm", "2", "off"} << 0 << "Réveil 2 désactivé." << "0";
        QTest::newRow("delete") << QStringList{"alarm", "2", "delete"} << 0 << "Réveil 2 supprimé." << "gone";
        QTest::newRow("unknown id") << QStringList{"alarm", "42", "off"} << 1 << "Aucun réveil n'a l'identifiant « 42 »" << "0";
        QTest::newRow("unknown action") << QStringList{"alarm", "2", "snooze"} << 2 << "Indiquez l'identifiant du réveil" << "0";
    }
    void alarms()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, enabled);
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        const CommandResult result = await(runSpeakerCommand(QStringList{salon->config().ip} + arguments));
        QCOMPARE(result.exitCode, exitCode);
        const QString shown = exitCode == 0 ? result.out : result.err;
        QVERIFY2(shown.startsWith(output), qPrintable(shown));
        const SimAlarm *alarm = nullptr;
        for (const SimAlarm &a : house->house().alarms) {
            if (a.id == 2)
                alarm = &a;
        }
        QCOMPARE(alarm ? alarm->enabled : QStringLiteral("gone"), enabled);
        // Nothing is changed by a refused command.
        if (exitCode != 0)
            QCOMPARE(countOf(*salon, QStringLiteral("UpdateAlarm")) + countOf(*salon, QStringLiteral("DestroyAlarm")), 0);
    }

    void groupVolume()
    {
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        SimSpeaker *cuisine = house->speaker(QStringLiteral("Cuisine"));
        QVERIFY(house->join(cuisine, salon->config().uuid));
        salon->setVolume(30);
        cuisine->setVolume(10);
        // Asked of a member, it is the group's all the same.
        CommandResult result = await(runSpeakerCommand({cuisine->config().ip, QStringLiteral("group-volume")}));
        QCOMPARE(result.out, QStringLiteral("Volume du groupe : 20"));
        result = await(runSpeakerCommand({cuisine->config().ip, QStringLiteral("group-volume"), QStringLiteral("40")}));
        QCOMPARE(result.out, QStringLiteral("Volume du groupe réglé à 40."));
        QCOMPARE(salon->volume(), 60);
        QCOMPARE(cuisine->volume(), 20);
        result = await(runSpeakerCommand({cuisine->config().ip, QStringLiteral("group-volume"), QStringLiteral("fort")}));
        QCOMPARE(result.exitCode, 2);
    }

    void unreachableSpeaker()
    {
        auto speaker = startSpeaker();
        speaker->stop();
        const CommandResult result = await(runSpeakerCommand({speaker->config().ip, QStringLiteral("play")}));
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.err.contains(QStringLiteral("refusée")));
    }

    void badAddress_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("host name") << QStringList{"salon.local", "play"};
        QTest::newRow("IPv6") << QStringList{"::1", "play"};
        // Qt reads three numbers as an address too (1.2.0.3): a typo must not reach another device.
        QTest::newRow("three numbers") << QStringList{"127.0.1", "play"};
        QTest::newRow("no command") << QStringList{"127.0.0.1"};
    }
    void badAddress()
    {
        QFETCH(QStringList, arguments);
        const CommandResult result = await(runSpeakerCommand(arguments));
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains(QStringLiteral("Usage")));
    }
};

QTEST_GUILESS_MAIN(TestSpeakerDriver)
#include "tst_speakerdriver.moc"
