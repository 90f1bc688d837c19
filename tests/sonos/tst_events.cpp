// Readers of the speakers' event bodies, on the shapes real players send, and on garbage.

#include "sonos/events.h"
#include "sonos/sonoscontroller.h"
#include "base/text.h"

#include <QRandomGenerator>
#include <QTest>

using namespace corvane;

namespace {

const Speaker kSpeaker{QStringLiteral("RINCON_000E58A0B1C201400"), QStringLiteral("127.0.0.9"), QStringLiteral("Atelier"), QStringLiteral("Sonos One")};

// A LastChange body as players write it: the event document escaped once, each val attribute
// escaped in it (the track's DIDL therefore twice).
QString lastChangeBody(const QString &eventNamespace, const QList<std::pair<QString, QString>> &variables)
{
    QString event = QStringLiteral("<Event xmlns=\"%1\" xmlns:r=\"urn:schemas-rinconnetworks-com:metadata-1-0/\"><InstanceID val=\"0\">").arg(eventNamespace);
    // A name may carry attributes of its own ("Volume channel=\"Master\"").
    for (const auto &[name, value] : variables)
        event += QLatin1Char('<') + name + QStringLiteral(" val=\"") + xmlEscape(value) + QStringLiteral("\"/>");
    event += QStringLiteral("</InstanceID></Event>");
    return QStringLiteral("<e:propertyset xmlns:e=\"urn:schemas-upnp-org:event-1-0\">\n    <e:property>\n        <LastChange>")
        + xmlEscape(event) + QStringLiteral("</LastChange>\n    </e:property>\n</e:propertyset>");
}

QString didl(const QString &inside)
{
    return QStringLiteral("<DIDL-Lite xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:upnp=\"urn:schemas-upnp-org:metadata-1-0/upnp/\" "
                          "xmlns:r=\"urn:schemas-rinconnetworks-com:metadata-1-0/\" xmlns=\"urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/\">"
                          "<item id=\"-1\" parentID=\"-1\" restricted=\"true\">")
        + inside + QStringLiteral("</item></DIDL-Lite>");
}

NowPlaying transportOf(const QString &body)
{
    const auto properties = parsePropertySet(body);
    return nowPlayingFromTransport(parseLastChange(properties.value(0).second), kSpeaker);
}

} // namespace

class TestEvents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void transport_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<int>("queueIndex");
        QTest::addColumn<int>("duration");
        QTest::addColumn<bool>("live");
        const QString avt = QStringLiteral("urn:schemas-upnp-org:metadata-1-0/AVT/");
        QTest::newRow("a song of the queue, nested metadata")
            << lastChangeBody(avt, {{"TransportState", "PLAYING"}, {"CurrentPlayMode", "SHUFFLE"}, {"NumberOfTracks", "12"},
                                    {"CurrentTrack", "4"}, {"CurrentTrackURI", "x-sonos-http:song%3a1440.mp4?sid=204&flags=8224&sn=3"},
                                    {"CurrentTrackDuration", "0:03:07"},
                                    {"CurrentTrackMetaData", didl("<res duration=\"0:03:07\">x-sonos-http:song%3a1440.mp4?sid=204&amp;flags=8224</res>"
                                                                  "<dc:title>Rivière &amp; Brume</dc:title><dc:creator>Les Éclaircies</dc:creator>"
                                                                  "<upnp:album>Marées</upnp:album>")}})
            << "Rivière & Brume" << "Les Éclaircies" << true << 4 << 187 << false;
        QTest::newRow("line-in: no music is named")
            << lastChangeBody(avt, {{"TransportState", "PLAYING"}, {"CurrentTrack", "1"}, {"CurrentTrackURI", "x-rincon-stream:RINCON_000E58A0B1C201400"},
                                    {"CurrentTrackDuration", ""},
                                    {"CurrentTrackMetaData", didl("<dc:title>Audio Component</dc:title><upnp:class>object.item</upnp:class>")},
                                    {"AVTransportURI", "x-rincon-stream:RINCON_000E58A0B1C201400"}})
            << "" << "" << true << 0 << 0 << true;
        QTest::newRow("a station named by its transport metadata")
            << lastChangeBody(avt, {{"TransportState", "PAUSED_PLAYBACK"}, {"CurrentTrackURI", "x-rincon-mp3radio://127.0.0.1/onde"},
                                    {"CurrentTrackMetaData", didl("<dc:title>onde</dc:title><r:streamContent>Le Vent – Ballade</r:streamContent>")},
                                    {"AVTransportURIMetaData", didl("<dc:title>Radio Onde</dc:title>")}})
            << "Radio Onde" << "Le Vent – Ballade" << false << 0 << 0 << true;
        QTest::newRow("a group member follows its coordinator")
            << lastChangeBody(avt, {{"TransportState", "PLAYING"}, {"CurrentTrack", "1"}, {"CurrentTrackURI", "x-rincon:RINCON_000E58A0B1C301400"},
                                    {"CurrentTrackMetaData", ""}})
            << "" << "" << true << 1 << 0 << false;
    }
    void transport()
    {
        QFETCH(QString, body);
        const NowPlaying now = transportOf(body);
        QTEST(now.title, "title");
        QTEST(now.artist, "artist");
        QTEST(now.isPlaying, "playing");
        QTEST(now.queueIndex.value_or(0), "queueIndex");
        QTEST(now.duration, "duration");
        QTEST(now.isLive, "live");
    }

    void memberTransportNamesItsCoordinator()
    {
        const auto variables = parseLastChange(parsePropertySet(lastChangeBody(
            QStringLiteral("urn:schemas-upnp-org:metadata-1-0/AVT/"),
            {{"TransportState", "PLAYING"}, {"CurrentTrackURI", "x-rincon:RINCON_000E58A0B1C301400"}, {"r:SleepTimerGeneration", "3"}})).value(0).second);
        QCOMPARE(transportFollows(variables), std::optional<QString>(QStringLiteral("RINCON_000E58A0B1C301400")));
        QCOMPARE(variables.value(QStringLiteral("SleepTimerGeneration")), QStringLiteral("3")); // namespace prefix dropped
    }

    void rendering_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("volume");
        QTest::addColumn<int>("muted"); // -1 absent
        QTest::addColumn<int>("bass");  // 99 absent
        const QString rcs = QStringLiteral("urn:schemas-upnp-org:metadata-1-0/RCS/");
        // Real players write channel variables with a channel attribute before val.
        QString channels = lastChangeBody(rcs, {{"Volume channel=\"Master\"", "12"}, {"Volume channel=\"LF\"", "100"}, {"Volume channel=\"RF\"", "100"}});
        QTest::newRow("master volume among the channels") << channels << 12 << -1 << 99;
        QTest::newRow("mute and tone") << lastChangeBody(rcs, {{"Mute channel=\"Master\"", "1"}, {"Bass", "-4"}}) << -1 << 1 << -4;
        QTest::newRow("a sub's settings say nothing of these")
            << lastChangeBody(rcs, {{"SpeakerSize", "1"}, {"SubGain", "-3"}, {"SubEnabled", "1"}}) << -1 << -1 << 99;
        QTest::newRow("a volume past 100 is clamped") << lastChangeBody(rcs, {{"Volume channel=\"Master\"", "250"}}) << 100 << -1 << 99;
    }
    void rendering()
    {
        QFETCH(QString, body);
        const RenderingChange change = renderingFromVariables(parseLastChange(parsePropertySet(body).value(0).second));
        QTEST(change.volume.value_or(-1), "volume");
        QTEST(change.muted ? int(*change.muted) : -1, "muted");
        QTEST(change.bass.value_or(99), "bass");
    }

    void topology_data()
    {
        QTest::addColumn<QString>("state");
        const QString groups = QStringLiteral(
            "<ZoneGroups><ZoneGroup Coordinator=\"RINCON_000E58A0B1C201400\n            \" ID=\"RINCON_000E58A0B1C201400:7\">"
            "<ZoneGroupMember UUID=\"RINCON_000E58A0B1C201400\" Location=\"http://127.0.0.9:1400/xml/device_description.xml\" ZoneName=\"Atelier\" BootSeq=\"12\"/>"
            "<ZoneGroupMember UUID=\"RINCON_000E58A0B1C301400\" Location=\"http://127.0.0.10:1400/xml/device_description.xml\" ZoneName=\"Véranda\"/>"
            "</ZoneGroup></ZoneGroups>");
        QTest::newRow("older firmware: the groups directly") << groups;
        QTest::newRow("newer firmware: wrapped in ZoneGroupState")
            << QStringLiteral("<ZoneGroupState>") + groups + QStringLiteral("<VanishedDevices></VanishedDevices></ZoneGroupState>");
    }
    void topology()
    {
        QFETCH(QString, state);
        const QString body = QStringLiteral("<e:propertyset xmlns:e=\"urn:schemas-upnp-org:event-1-0\"><e:property><ZoneGroupState>")
            + xmlEscape(state) + QStringLiteral("</ZoneGroupState></e:property></e:propertyset>");
        const QList<SonosGroup> groups = parseZoneGroups(topologyState(parsePropertySet(body)));
        QCOMPARE(groups.size(), 1);
        QCOMPARE(groups[0].members.size(), 2);
        QCOMPARE(groups[0].coordinator()->roomName, QStringLiteral("Atelier"));
    }

    void updateIDs_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("queue");
        QTest::addColumn<QString>("favorites");
        QTest::addColumn<QString>("favoritesID");
        const auto body = [](const QString &properties) {
            return QStringLiteral("<e:propertyset xmlns:e=\"urn:schemas-upnp-org:event-1-0\">") + properties + QStringLiteral("</e:propertyset>");
        };
        QTest::newRow("the queue changed")
            << body("<e:property><SystemUpdateID>53</SystemUpdateID></e:property><e:property><ContainerUpdateIDs>Q:0,52</ContainerUpdateIDs></e:property>")
            << "52" << "" << "";
        QTest::newRow("the favorites changed")
            << body("<e:property><ContainerUpdateIDs>FV:2,7</ContainerUpdateIDs></e:property>"
                    "<e:property><FavoritesUpdateID>RINCON_000E58A0B1C201400,101</FavoritesUpdateID></e:property>")
            << "" << "7" << "RINCON_000E58A0B1C201400,101";
        QTest::newRow("both in one") << body("<e:property><ContainerUpdateIDs>Q:0,9,FV:2,3</ContainerUpdateIDs></e:property>") << "9" << "3" << "";
        QTest::newRow("an odd count keeps the pairs") << body("<e:property><ContainerUpdateIDs>Q:0,9,FV:2</ContainerUpdateIDs></e:property>") << "9" << "" << "";
    }
    void updateIDs()
    {
        QFETCH(QString, body);
        const auto properties = parsePropertySet(body);
        QString ids, favoritesID;
        for (const auto &[name, value] : properties) {
            if (name == QLatin1String("ContainerUpdateIDs"))
                ids = value;
            if (name == QLatin1String("FavoritesUpdateID"))
                favoritesID = value;
        }
        const QHash<QString, QString> containers = parseContainerUpdateIDs(ids);
        QTEST(containers.value(QStringLiteral("Q:0")), "queue");
        QTEST(containers.value(QStringLiteral("FV:2")), "favorites");
        QTEST(favoritesID, "favoritesID");
    }

    void eventPathsComeFromTheDescription()
    {
        const QString description = QStringLiteral(
            "<root><device><serviceList><service><serviceType>urn:schemas-upnp-org:service:ZoneGroupTopology:1</serviceType>"
            "<eventSubURL>/ZoneGroupTopology/Event</eventSubURL></service></serviceList><deviceList><device><serviceList>"
            "<service><serviceType>urn:schemas-upnp-org:service:AVTransport:1</serviceType><eventSubURL> /Renderer/AVT/Evt </eventSubURL></service>"
            "<service><serviceType>urn:schemas-upnp-org:service:RenderingControl:1</serviceType><eventSubURL>http://elsewhere.example/x</eventSubURL></service>"
            "</serviceList></device></deviceList></device></root>");
        const QHash<QString, QString> paths = parseEventPaths(description);
        QCOMPARE(paths.value(serviceType(EventService::Transport)), QStringLiteral("/Renderer/AVT/Evt"));
        QCOMPARE(paths.value(serviceType(EventService::Topology)), QStringLiteral("/ZoneGroupTopology/Event"));
        QVERIFY(!paths.contains(serviceType(EventService::Rendering))); // only paths on the speaker itself
    }

    void timeouts_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("seconds");
        QTest::newRow("granted") << QByteArray("Second-1800") << 1800;
        QTest::newRow("infinite") << QByteArray("infinite") << 60;
        QTest::newRow("garbage") << QByteArray("Second-abc") << 60;
        QTest::newRow("too short to renew") << QByteArray("Second-1") << 2;
        QTest::newRow("more than a day") << QByteArray("Second-999999999") << 86400;
    }
    void timeouts()
    {
        QFETCH(QByteArray, header);
        QTEST(Gena::parseTimeout(header, 60), "seconds");
    }

    // Every prefix of real-shaped bodies and random damage to them: the readers return, bounded.
    void readersSurviveDamage()
    {
        const QString body = lastChangeBody(QStringLiteral("urn:schemas-upnp-org:metadata-1-0/AVT/"),
                                            {{"TransportState", "PLAYING"}, {"CurrentTrackURI", "x-sonos-http:song%3a1.mp4"},
                                             {"CurrentTrackMetaData", didl("<dc:title>Un &amp; Deux</dc:title>")}});
        for (qsizetype cut = 0; cut <= body.size(); cut += 7) {
            const QString part = body.left(cut);
            const auto properties = parsePropertySet(part);
            for (const auto &[name, value] : properties) {
                parseLastChange(value);
                topologyState(properties);
            }
            transportOf(part);
        }
        QRandomGenerator random(20261210u);
        for (int round = 0; round < 300; ++round) {
            QString damaged = body;
            for (int i = 0; i < 8; ++i) {
                const int at = int(random.bounded(damaged.size()));
                static const QString pieces[] = {"<", ">", "\"", "&", "&lt;", "val=", "'", "</e:property>", "\x01"};
                damaged.insert(at, pieces[random.bounded(int(std::size(pieces)))]);
            }
            const auto properties = parsePropertySet(damaged);
            for (const auto &[name, value] : properties)
                renderingFromVariables(parseLastChange(value));
            parseContainerUpdateIDs(damaged);
        }
        // A long run of tags without values stays within the variable cap.
        QString many = QStringLiteral("<Event><InstanceID val=\"0\">");
        for (int i = 0; i < 5000; ++i)
            many += QStringLiteral("<V%1 val=\"%1\"/>").arg(i);
        QVERIFY(parseLastChange(many).size() <= 256);
    }
};

QTEST_GUILESS_MAIN(TestEvents)
#include "tst_events.moc"
