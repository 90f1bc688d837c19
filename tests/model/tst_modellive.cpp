// The speakers' events on the simulated household: changes made elsewhere show at once, lost or
// refused notifications are made up for, and polling takes over when nothing arrives.

#include "async/delays.h"
#include "modelrig.h"
#include "sonos/eventlistener.h"
#include "sonos/sonoscontroller.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

using namespace corvane;
using namespace corvane::test;

namespace {

ModelRig::Options withEvents()
{
    ModelRig::Options options;
    options.speakerEvents = true;
    return options;
}

bool instant(const ModelRig &rig)
{
    return QTest::qWaitFor([&rig] { return rig.model->live()->mode() == LiveUpdates::Mode::Instant; }, 5000);
}

// A raw request to the listener; the status of its answer, 0 when none came.
int sendRaw(const EventListener *listener, const QByteArray &request, const QHostAddress &from = QHostAddress(QStringLiteral("127.0.0.1")))
{
    QTcpSocket socket;
    socket.bind(from, 0);
    socket.connectToHost(listener->address(), listener->port());
    if (!socket.waitForConnected(2000))
        return 0;
    socket.write(request);
    QByteArray reply;
    (void)QTest::qWaitFor([&] {
        reply += socket.readAll();
        return reply.contains("\r\n\r\n") || socket.state() == QAbstractSocket::UnconnectedState;
    }, 5000);
    reply += socket.readAll();
    return reply.startsWith("HTTP/1.1 ") ? reply.mid(9, 3).toInt() : 0;
}

QByteArray notify(const QString &sid, int seq, const QByteArray &body)
{
    return "NOTIFY /transport/x HTTP/1.1\r\nHOST: x\r\nNT: upnp:event\r\nNTS: upnp:propchange\r\nSID: " + sid.toLatin1()
        + "\r\nSEQ: " + QByteArray::number(seq) + "\r\nCONTENT-LENGTH: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

} // namespace

class TestModelLive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayScale(0.05); }
    void cleanup() { setDelayScale(1.0); }

    void changesMadeElsewhereShowAtOnce()
    {
        ModelRig rig(withEvents());
        QVERIFY(rig.startUp());
        QVERIFY(instant(rig));
        Playback *playback = rig.model->playback();
        QVERIFY(QTest::qWaitFor([&] { return playback->nowPlaying().isPlaying; }, 3000));
        // What a poll would read is not read: the events say it.
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        const int transportReads = countOf(*salon, QStringLiteral("GetTransportInfo"));

        const SonosController other(salon->speaker());
        await(other.pause());
        QElapsedTimer shown;
        shown.start();
        QVERIFY(QTest::qWaitFor([&] { return !playback->nowPlaying().isPlaying; }, 2000));
        QVERIFY2(shown.elapsed() < 200, qPrintable(QString::number(shown.elapsed())));

        await(other.setVolume(42));
        QVERIFY(QTest::qWaitFor([&] { return playback->volume() == 42.0; }, 2000));
        await(other.next());
        QVERIFY(QTest::qWaitFor([&] { return playback->nowPlaying().queueIndex == salon->trackNumber(); }, 2000));
        QCOMPARE(countOf(*salon, QStringLiteral("GetTransportInfo")), transportReads);

        // Groups follow the topology: the kitchen joins the living room's group.
        rig.house->join(rig.speaker(QStringLiteral("Cuisine")), salon->config().uuid);
        rig.house->scheduleEvents();
        QVERIFY(QTest::qWaitFor([&] {
            const auto group = rig.model->household()->currentGroup();
            return group && group->members.size() == 2;
        }, 3000));

        // Favorites follow their update id.
        const qsizetype favorites = rig.model->favorites()->list().size();
        rig.house->addFavorite(sim::SimFavorite{0, QStringLiteral("Radio Ailleurs"), QStringLiteral("x-rincon-mp3radio://127.0.0.1/ailleurs"), {}, {}, {}});
        rig.house->scheduleEvents();
        QVERIFY(QTest::qWaitFor([&] { return rig.model->favorites()->list().size() == favorites + 1; }, 3000));
    }

    void aLostNotificationIsReadAgainOnce()
    {
        ModelRig rig(withEvents());
        QVERIFY(rig.startUp());
        QVERIFY(instant(rig));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        salon->faults().loseEvents = 1;
        const SonosController other(salon->speaker());
        await(other.setVolume(11)); // lost
        QTest::qWait(300);
        QCOMPARE(rig.model->live()->resyncs(), 0);
        await(other.setVolume(12)); // its SEQ shows the gap
        QVERIFY(QTest::qWaitFor([&] { return rig.model->live()->resyncs() == 1; }, 2000));
        QVERIFY(QTest::qWaitFor([&] { return rig.model->playback()->volume() == 12.0; }, 2000));
        QTest::qWait(300);
        QCOMPARE(rig.model->live()->resyncs(), 1);
    }

    void forgottenSubscriptionsAreMadeAgain_data()
    {
        QTest::addColumn<bool>("restart");
        QTest::newRow("the subscription ran out") << false;
        QTest::newRow("the speaker restarted") << true;
    }
    void forgottenSubscriptionsAreMadeAgain()
    {
        QFETCH(bool, restart);
        ModelRig rig(withEvents());
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        salon->faults().grantSeconds = 2; // renewed after a second
        QVERIFY(rig.startUp());
        QVERIFY(instant(rig));
        const QStringList before = rig.model->live()->sids();
        if (restart) {
            salon->stop();
            QVERIFY(salon->start());
        } else {
            salon->forgetSubscriptions();
        }
        QVERIFY(QTest::qWaitFor([&] { return salon->subscriptions().size() == 6; }, 5000));
        QVERIFY(QTest::qWaitFor([&] { return rig.model->live()->subscriptionCount() == 6; }, 3000));
        QVERIFY(rig.model->live()->sids() != before);
        QCOMPARE(rig.model->live()->mode(), LiveUpdates::Mode::Instant);
        // And the new ones carry changes.
        await(SonosController(salon->speaker()).setVolume(33));
        QVERIFY(QTest::qWaitFor([&] { return rig.model->playback()->volume() == 33.0; }, 2000));
    }

    void blockedNotificationsFallBackToPolling()
    {
        ModelRig rig(withEvents());
        for (sim::SimSpeaker *speaker : rig.house->speakers())
            speaker->faults().dropEvents = true;
        QVERIFY(rig.startUp());
        LiveUpdates *live = rig.model->live();
        QVERIFY(QTest::qWaitFor([&] { return live->mode() == LiveUpdates::Mode::Polling; }, 3000));
        QCOMPARE(live->reason(), LiveUpdates::Reason::Blocked);
        const QString port = QString::number(live->listener()->port());
        QVERIFY(live->statusText().contains(port));
        QCOMPARE(live->ufwCommand(), QStringLiteral("sudo ufw allow from ") + rig.house->prefix() + QStringLiteral(".0/24 to any port ") + port
                                         + QStringLiteral(" proto tcp"));
        QCOMPARE(live->firewalldCommands(), QStringLiteral("sudo firewall-cmd --permanent --add-port=") + port
                                                + QStringLiteral("/tcp\nsudo firewall-cmd --reload"));
        QVERIFY(!rig.model->playback()->eventsFlowing());
        // Polling reads what plays again, and a pause made elsewhere shows within a poll.
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        await(SonosController(salon->speaker()).pause());
        QVERIFY(QTest::qWaitFor([&] { return !rig.model->playback()->nowPlaying().isPlaying; }, 3000));
    }

    void strangersChangeNothing()
    {
        ModelRig rig(withEvents());
        QVERIFY(rig.startUp());
        QVERIFY(instant(rig));
        LiveUpdates *live = rig.model->live();
        const EventListener *listener = live->listener();
        const double volume = rig.model->playback()->volume();
        const QByteArray loud = "<e:propertyset xmlns:e=\"urn:schemas-upnp-org:event-1-0\"><e:property><LastChange>"
                                "&lt;Event&gt;&lt;InstanceID val=&quot;0&quot;&gt;&lt;Volume channel=&quot;Master&quot; "
                                "val=&quot;99&quot;/&gt;&lt;/InstanceID&gt;&lt;/Event&gt;</LastChange></e:property></e:propertyset>";
        QString renderingSID;
        for (const sim::SimSubscription &subscription : rig.speaker(QStringLiteral("Salon"))->subscriptions()) {
            if (subscription.path.contains(QLatin1String("RenderingControl")) && !subscription.path.contains(QLatin1String("Group")))
                renderingSID = subscription.sid;
        }
        QVERIFY(!renderingSID.isEmpty());
        QCOMPARE(sendRaw(listener, notify(QStringLiteral("uuid:unknown"), 1, loud)), 412);
        // The right SID, from an address that is not the speaker's.
        QCOMPARE(sendRaw(listener, notify(renderingSID, 1, loud)), 412);
        QCOMPARE(sendRaw(listener, "GET / HTTP/1.1\r\n\r\n"), 405);
        QCOMPARE(sendRaw(listener, "NOTIFY / HTTP/1.1\r\nSID: " + renderingSID.toLatin1() + "\r\nCONTENT-LENGTH: 5000000\r\n\r\n"), 413);
        QCOMPARE(sendRaw(listener, "NOTIFY / HTTP/1.1\r\nSID: x\r\n\r\n"), 411);
        QCOMPARE(sendRaw(listener, "NOTIFY / HTTP/1.1\r\nX: " + QByteArray(EventListener::maxHead + 10, 'a')), 400);
        // A body that never ends holds its connection until the deadline, and nothing else.
        QTcpSocket slow;
        slow.connectToHost(listener->address(), listener->port());
        QVERIFY(slow.waitForConnected(2000));
        slow.write("NOTIFY / HTTP/1.1\r\nSID: x\r\nCONTENT-LENGTH: 1000\r\n\r\n<e:");
        QVERIFY(QTest::qWaitFor([&] { return slow.state() == QAbstractSocket::UnconnectedState; }, 3000));
        QCOMPARE(rig.model->playback()->volume(), volume);
        // The listener still takes the speakers' word.
        await(SonosController(rig.speaker(QStringLiteral("Salon"))->speaker()).setVolume(7));
        QVERIFY(QTest::qWaitFor([&] { return rig.model->playback()->volume() == 7.0; }, 2000));
    }

    void anotherSpeakerChosenMovesTheSubscriptions()
    {
        ModelRig rig(withEvents());
        QVERIFY(rig.startUp());
        QVERIFY(instant(rig));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        sim::SimSpeaker *bureau = rig.speaker(QStringLiteral("Bureau"));
        // Four at the coordinator, its own sound, and the alarm list's version.
        QCOMPARE(salon->subscriptions().size(), 6);
        rig.model->household()->selectSpeaker(bureau->config().uuid);
        QVERIFY(QTest::qWaitFor([&] { return salon->subscriptions().isEmpty() && bureau->subscriptions().size() == 6; }, 3000));
    }

    // The first notification may come before the answer that names its SID.
    void aNotificationAheadOfItsAnswerIsKept()
    {
        ModelRig rig(withEvents());
        for (sim::SimSpeaker *speaker : rig.house->speakers())
            speaker->faults().subscribeDelayMs = 150;
        QVERIFY(rig.startUp());
        QVERIFY(instant(rig));
        QTest::qWait(400); // past the fallback delay
        QCOMPARE(rig.model->live()->mode(), LiveUpdates::Mode::Instant);
        QCOMPARE(rig.model->live()->listener()->refused(), 0);
    }

    // One service refused while the others are still being answered: none of them stays.
    void aRefusalLeavesNoHalfSubscription()
    {
        ModelRig rig(withEvents());
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        salon->faults().refusedEventPaths = {QStringLiteral("/ZoneGroupTopology/Event")};
        salon->faults().subscribeDelayMs = 100;
        QVERIFY(rig.startUp());
        LiveUpdates *live = rig.model->live();
        QVERIFY(QTest::qWaitFor([&] { return live->mode() == LiveUpdates::Mode::Polling; }, 3000));
        QCOMPARE(live->reason(), LiveUpdates::Reason::Refused);
        QVERIFY(QTest::qWaitFor([&] { return salon->subscriptions().isEmpty(); }, 3000));
        QTest::qWait(300);
        QCOMPARE(live->subscriptionCount(), 0);
        QCOMPARE(live->mode(), LiveUpdates::Mode::Polling);
    }

    void quittingUnsubscribesAtOnce()
    {
        ModelRig rig(withEvents());
        QVERIFY(rig.startUp());
        QVERIFY(instant(rig));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        const QStringList sids = rig.model->live()->sids();
        // The speaker's place taken by a plain server that keeps what it is sent.
        salon->stop();
        QTcpServer stand;
        QVERIFY(stand.listen(QHostAddress(salon->config().ip), 1400));
        rig.model->live()->unsubscribeAllNow();
        QByteArray heard;
        QList<QTcpSocket *> sockets;
        (void)QTest::qWaitFor([&] {
            while (QTcpSocket *socket = stand.nextPendingConnection())
                sockets << socket;
            for (QTcpSocket *socket : std::as_const(sockets))
                heard += socket->readAll();
            return heard.count("UNSUBSCRIBE ") == sids.size();
        }, 3000);
        for (const QString &sid : sids)
            QVERIFY2(heard.contains("UNSUBSCRIBE ") && heard.contains("SID: " + sid.toLatin1() + "\r\n"), heard.constData());
        // Nothing is left to renew, and nothing is subscribed again.
        QCOMPARE(rig.model->live()->subscriptionCount(), 0);
        rig.model->live()->follow();
        QCOMPARE(rig.model->live()->subscriptionCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestModelLive)
#include "tst_modellive.moc"
