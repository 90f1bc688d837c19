#include "async/delays.h"
#include "sonos/sonosdiscovery.h"
#include "testutil.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

Q_DECLARE_METATYPE(QList<corvane::NetworkInterface>)

namespace {

NetworkInterface up(const char *name, const char *address, const char *mask = "255.255.255.0")
{
    NetworkInterface item{QString::fromLatin1(name), true, false, QString::fromLatin1(address), QString::fromLatin1(mask)};
    item.running = true;
    return item;
}

NetworkInterface withDefaultRoute(NetworkInterface item, int metric)
{
    item.defaultRouteMetric = metric;
    return item;
}

NetworkInterface noCarrier(NetworkInterface item)
{
    item.running = false;
    return item;
}

NetworkInterface tunnel(NetworkInterface item)
{
    item.pointToPoint = true;
    return item;
}

// Servers on every address of a loopback /24 that accept and never answer, counting how many
// connections are open at once.
class SilentSubnet : public QObject
{
public:
    explicit SilentSubnet(const QString &prefix)
    {
        for (int host = 1; host <= 254; ++host) {
            auto *server = new QTcpServer(this);
            if (!server->listen(QHostAddress(prefix + QLatin1Char('.') + QString::number(host)), 1400))
                qFatal("cannot listen on %s.%d", qPrintable(prefix), host);
            connect(server, &QTcpServer::newConnection, this, [this, server] {
                // Probes that timed out have already closed their end; notice it before counting.
                for (QTcpSocket *socket : std::as_const(m_sockets)) {
                    if (socket->state() == QAbstractSocket::ConnectedState)
                        socket->waitForReadyRead(0);
                }
                while (QTcpSocket *socket = server->nextPendingConnection()) {
                    ++accepted;
                    ++open;
                    m_sockets.append(socket);
                    connect(socket, &QTcpSocket::disconnected, this, [this] { --open; });
                    // A probe may have given up while its connection still waited in the backlog.
                    socket->waitForReadyRead(0);
                }
                peak = std::max(peak, open);
            });
        }
    }
    int open = 0;
    int peak = 0;
    int accepted = 0;

private:
    QList<QTcpSocket *> m_sockets;
};

} // namespace

class TestDiscovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayScale(0.1); }
    void cleanup() { SonosDiscovery::setForcedNetwork(QString()); SonosDiscovery::setInterfaceSource({}); }

    void hostAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("netmask");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("/24") << "192.168.1.37" << "255.255.255.0" << 254 << "192.168.1.1" << "192.168.1.254";
        QTest::newRow("/8 is swept as its /24") << "10.20.30.40" << "255.0.0.0" << 254 << "10.20.30.1" << "10.20.30.254";
        QTest::newRow("/22") << "172.16.5.9" << "255.255.252.0" << 1022 << "172.16.4.1" << "172.16.7.254";
        QTest::newRow("/30") << "10.0.0.5" << "255.255.255.252" << 2 << "10.0.0.5" << "10.0.0.6";
        QTest::newRow("/31") << "10.0.0.5" << "255.255.255.254" << 0 << "" << "";
        QTest::newRow("/32") << "10.0.0.5" << "255.255.255.255" << 0 << "" << "";
        QTest::newRow("not an address") << "10.0.5" << "255.255.255.0" << 0 << "" << "";
        QTest::newRow("piece over 255") << "10.0.0.256" << "255.255.255.0" << 0 << "" << "";
        QTest::newRow("a piece that is not a number") << "10.0.x.0.1" << "255.255.255.0" << 0 << "" << "";
        QTest::newRow("an empty piece") << "10..0.0.1" << "255.255.255.0" << 0 << "" << "";
        QTest::newRow("a sign") << "+10.0.0.1" << "255.255.255.0" << 0 << "" << "";
        QTest::newRow("a mask with a stray piece") << "10.0.0.1" << "255.255.x.255.0" << 0 << "" << "";
    }
    void hostAddresses()
    {
        QFETCH(QString, address);
        QFETCH(QString, netmask);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const QStringList hosts = SonosDiscovery::hostAddresses(address, netmask);
        QCOMPARE(hosts.size(), count);
        if (count) {
            QCOMPARE(hosts.first(), first);
            QCOMPARE(hosts.last(), last);
            QVERIFY(count != 254 || hosts.contains(address) || !address.startsWith(QLatin1String("192")));
        }
    }

    void chooseNetwork_data()
    {
        QTest::addColumn<QList<NetworkInterface>>("interfaces");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("VPN and Wi-Fi: both private, en0 wins")
            << QList<NetworkInterface>{up("utun3", "10.8.0.2"), up("en0", "192.168.1.20")} << "192.168.1.20";
        QTest::newRow("Linux names: a tunnel never wins")
            << QList<NetworkInterface>{up("wlp2s0", "192.168.1.20"), up("tun0", "10.8.0.2")} << "192.168.1.20";
        QTest::newRow("public en0 loses to a private address")
            << QList<NetworkInterface>{up("en0", "81.2.3.4"), up("wlan0", "172.20.1.9")} << "172.20.1.9";
        QTest::newRow("172.32 is public") << QList<NetworkInterface>{up("en0", "172.32.1.9"), up("zz0", "192.168.0.2")} << "192.168.0.2";
        QTest::newRow("link-local only") << QList<NetworkInterface>{up("en0", "169.254.3.4", "255.255.0.0")} << "";
        QTest::newRow("down and loopback are ignored")
            << QList<NetworkInterface>{NetworkInterface{"en0", false, false, "192.168.1.2", "255.255.255.0"},
                                       NetworkInterface{"lo", true, true, "127.0.0.1", "255.0.0.0"}}
            << "";
        QTest::newRow("IPv6-only interface") << QList<NetworkInterface>{up("en0", "", "")} << "";
        QTest::newRow("a /31 is still chosen") << QList<NetworkInterface>{up("eth0", "10.1.1.1", "255.255.255.254")} << "10.1.1.1";
        QTest::newRow("172.16 is private") << QList<NetworkInterface>{up("en0", "172.15.1.9"), up("wlan0", "172.16.0.5")} << "172.16.0.5";
        QTest::newRow("172.31 is private") << QList<NetworkInterface>{up("en0", "172.32.0.1"), up("wlan1", "172.31.255.1")} << "172.31.255.1";

        // Tables as Linux machines list them.
        const NetworkInterface lo{"lo", true, true, "127.0.0.1", "255.0.0.0", true};
        QTest::newRow("laptop with Docker")
            << QList<NetworkInterface>{lo, noCarrier(up("docker0", "172.17.0.1", "255.255.0.0")),
                                       up("br-3f2a9c1d0e4b", "172.18.0.1", "255.255.0.0"),
                                       withDefaultRoute(up("wlp2s0", "192.168.1.23"), 600), up("veth1a2b3c", "", "")}
            << "192.168.1.23";
        QTest::newRow("VPN up, split routes")
            << QList<NetworkInterface>{lo, withDefaultRoute(up("wlp2s0", "192.168.1.23"), 600),
                                       tunnel(up("tun0", "10.8.0.6", "255.255.255.255"))}
            << "192.168.1.23";
        QTest::newRow("WireGuard up")
            << QList<NetworkInterface>{lo, tunnel(up("wg0", "10.6.0.2")), withDefaultRoute(up("enp0s31f6", "192.168.0.10"), 100)}
            << "192.168.0.10";
        QTest::newRow("wired and Wi-Fi: the lower metric")
            << QList<NetworkInterface>{lo, withDefaultRoute(up("wlp2s0", "192.168.1.23"), 600),
                                       withDefaultRoute(up("enp3s0", "10.0.0.5"), 100)}
            << "10.0.0.5";
        QTest::newRow("the default route beats the tie-break")
            << QList<NetworkInterface>{lo, up("enp3s0", "10.0.0.5"), withDefaultRoute(up("wlp2s0", "192.168.1.23"), 600)}
            << "192.168.1.23";
        QTest::newRow("cable unplugged, address kept")
            << QList<NetworkInterface>{lo, noCarrier(up("enp3s0", "10.0.0.5")), up("wlp2s0", "192.168.1.23")} << "192.168.1.23";
        QTest::newRow("no default route: virtual bridges still lose")
            << QList<NetworkInterface>{lo, up("virbr0", "192.168.122.1"), up("wlp2s0", "192.168.1.23")} << "192.168.1.23";
        QTest::newRow("a bridge of its own carrying the default route")
            << QList<NetworkInterface>{lo, up("enp3s0", "", ""), withDefaultRoute(up("br0", "192.168.1.40"), 100),
                                       up("virbr0", "192.168.122.1")}
            << "192.168.1.40";
        QTest::newRow("only virtual interfaces")
            << QList<NetworkInterface>{lo, up("docker0", "172.17.0.1", "255.255.0.0"), tunnel(up("wg0", "10.6.0.2"))} << "";
    }
    void chooseNetwork()
    {
        QFETCH(QList<NetworkInterface>, interfaces);
        QFETCH(QString, chosen);
        const auto network = SonosDiscovery::chooseNetwork(interfaces);
        QCOMPARE(network ? network->address : QString(), chosen);

        // The same choice through currentNetwork(), with the enumeration replaced.
        SonosDiscovery::setInterfaceSource([interfaces] { return std::optional<QList<NetworkInterface>>(interfaces); });
        QVERIFY(SonosDiscovery::setForcedNetwork(QString()));
        QCOMPARE(SonosDiscovery::currentNetwork(), network);
    }

    void forcedNetwork_data()
    {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("netmask");
        QTest::newRow("dotted mask") << "127.5.6.1/255.255.255.0" << "255.255.255.0";
        QTest::newRow("prefix length") << "127.5.6.1/24" << "255.255.255.0";
        QTest::newRow("prefix 22") << "127.5.6.1/22" << "255.255.252.0";
        QTest::newRow("no mask") << "127.5.6.1" << "";
        QTest::newRow("prefix 33") << "127.5.6.1/33" << "";
    }
    void forcedNetwork()
    {
        QFETCH(QString, spec);
        QFETCH(QString, netmask);
        const auto parsed = SonosDiscovery::parseNetwork(spec);
        QCOMPARE(parsed ? parsed->netmask : QString(), netmask);
        QCOMPARE(SonosDiscovery::setForcedNetwork(spec), !netmask.isEmpty());
    }

    void probe_data()
    {
        QTest::addColumn<QByteArray>("description");
        QTest::addColumn<QString>("found");
        QTest::newRow("a player") << QByteArray() << "RINCON_000E58A0B1C201400|Salon|Sonos Era 100";
        QTest::newRow("no room: not a player")
            << QByteArray("<root><device><modelName>Sonos Boost</modelName><UDN>uuid:RINCON_B</UDN></device></root>") << "";
        QTest::newRow("no UDN: the address is the uuid")
            << QByteArray("<root><device><roomName>Cave</roomName><modelName>Sonos One</modelName></device></root>") << "IP|Cave|Sonos One";
        QTest::newRow("no model: Sonos") << QByteArray("<root><device><roomName>Cave</roomName><UDN>uuid:RINCON_C</UDN></device></root>")
                                         << "RINCON_C|Cave|Sonos";
        QTest::newRow("not UTF-8") << QByteArray("<root><roomName>Cave\xC3\x28</roomName></root>") << "";
    }
    void probe()
    {
        QFETCH(QByteArray, description);
        QFETCH(QString, found);
        auto speaker = startSpeaker();
        speaker->faults().deviceDescription = description;
        const auto result = await(SonosDiscovery::probe(speaker->config().ip));
        const QString expected = QString(found).replace(QStringLiteral("IP"), speaker->config().ip);
        const QString got = result ? QStringList{result->uuid, result->roomName, result->model}.join(QLatin1Char('|')) : QString();
        QCOMPARE(got, expected);
        if (result)
            QCOMPARE(result->ip, speaker->config().ip);
    }

    void rememberedAddresses()
    {
        auto house = startHousehold();
        const QString prefix = house->prefix();
        // Nothing to sweep: only the remembered addresses can find the speaker.
        QVERIFY(SonosDiscovery::setForcedNetwork(prefix + QStringLiteral(".1/32")));
        SimSpeaker *bureau = house->speaker(QStringLiteral("Bureau"));
        const QStringList known{prefix + QStringLiteral(".200"), bureau->config().ip};
        QElapsedTimer clock;
        clock.start();
        const auto found = await(SonosDiscovery::findSpeaker(known));
        QVERIFY(found);
        QCOMPARE(found->roomName, QStringLiteral("Bureau"));
        QVERIFY(clock.elapsed() < 1000); // a refused address costs nothing

        // When no remembered address answers, the sweep follows.
        QVERIFY(SonosDiscovery::setForcedNetwork(house->network()));
        const auto swept = await(SonosDiscovery::findSpeaker({prefix + QStringLiteral(".200")}));
        QVERIFY(swept);
        QVERIFY(swept->ip.startsWith(prefix + QLatin1Char('.')));
    }

    void onlyLocalAddressesAreRemembered_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("private, link-local and loopback") << QStringList{"192.168.1.20", "10.0.0.7", "172.20.1.1", "169.254.3.4", "127.77.0.10"}
                                                          << QStringList{"192.168.1.20", "10.0.0.7", "172.20.1.1", "169.254.3.4", "127.77.0.10"};
        QTest::newRow("public addresses are dropped") << QStringList{"8.8.8.8", "192.168.1.20", "172.32.0.1", "93.184.216.34"}
                                                      << QStringList{"192.168.1.20"};
        QTest::newRow("the swept network, even public") << QStringList{"203.0.113.9", "203.0.114.9"} << QStringList{"203.0.113.9"};
        QTest::newRow("malformed and names") << QStringList{"10.0.x.0.1", "speaker.example.org", "", "10.0.0.1:1400", " 10.0.0.2 "}
                                             << QStringList{"10.0.0.2"};
        QTest::newRow("each once") << QStringList{"10.0.0.1", "10.0.0.1", "010.0.0.1"} << QStringList{"10.0.0.1"};
    }
    void onlyLocalAddressesAreRemembered()
    {
        QFETCH(QStringList, given);
        QFETCH(QStringList, kept);
        QCOMPARE(SonosDiscovery::rememberable(given, LocalNetwork{QStringLiteral("203.0.113.1"), QStringLiteral("255.255.255.0")}), kept);
    }

    void atMost32AddressesAreRemembered()
    {
        // A hostile topology names thousands: the newest 32 are kept.
        QStringList planted;
        for (int i = 0; i < 3000; ++i)
            planted << QStringLiteral("10.%1.%2.%3").arg(i / 65536).arg((i / 256) % 256).arg(i % 256);
        const QStringList kept = SonosDiscovery::rememberable(planted, std::nullopt);
        QCOMPARE(kept.size(), 32);
        QCOMPARE(kept.first(), planted.first());
    }

    void aPublicRememberedAddressIsNeverProbed()
    {
        // A remembered public address is dropped before any probe: with the loopback-only guard
        // in force, a probe of it would warn.
        QVERIFY(SonosDiscovery::setForcedNetwork(randomLoopbackPrefix() + QStringLiteral(".1/32")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral("CORVANE_LOOPBACK_ONLY")));
        const auto found = await(SonosDiscovery::findSpeaker({QStringLiteral("93.184.216.34"), QStringLiteral("8.8.8.8")}));
        QVERIFY(!found);
    }

    void aRememberedSpeakerThatRefusesIsSaid()
    {
        // Outside the swept network, only the remembered address can tell: the outcome must
        // say that this speaker's local control is off, not that no speaker exists.
        auto refusing = startSpeaker();
        refusing->faults().localControlOff = true;
        QVERIFY(SonosDiscovery::setForcedNetwork(randomLoopbackPrefix() + QStringLiteral(".1/24")));
        const DiscoveryOutcome outcome = await(SonosDiscovery::discover({refusing->config().ip}));
        QVERIFY(!outcome.speaker);
        QCOMPARE(outcome.localControlOffHosts, QStringList{refusing->config().ip});
    }

    void sweep_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<bool>("localControlOff");
        QTest::newRow("finds a speaker") << "any" << false;
        QTest::newRow("local control switched off") << "" << true;
    }
    void sweep()
    {
        QFETCH(QString, room);
        QFETCH(bool, localControlOff);
        // Real probe timeouts: on a busy machine a 403 may come later than a scaled-down one.
        setDelayScale(1.0);
        auto house = startHousehold("never");
        for (SimSpeaker *speaker : house->speakers())
            speaker->faults().localControlOff = localControlOff;
        QVERIFY(SonosDiscovery::setForcedNetwork(house->network()));
        const DiscoveryOutcome outcome = await(SonosDiscovery::discover({}));
        // The first speaker to answer wins; either room of the house may be quicker.
        const QString found = outcome.speaker ? outcome.speaker->roomName : QString();
        if (room.isEmpty())
            QCOMPARE(found, QString());
        else
            QVERIFY2(house->speaker(found), qPrintable(found));
        QCOMPARE(outcome.localControlOffHosts.size(), localControlOff ? 2 : 0);
        QCOMPARE(await(SonosDiscovery::scanSubnet()).size(), room.isEmpty() ? 0 : 1);
    }

    void tinyNetworksAreNotSwept()
    {
        auto speaker = startSpeaker();
        QVERIFY(SonosDiscovery::setForcedNetwork(speaker->config().ip + QStringLiteral("/31")));
        QVERIFY(await(SonosDiscovery::scanSubnet()).isEmpty());
        QVERIFY(speaker->received().isEmpty());
    }

    void defaultRoutes()
    {
        const QString table = QStringLiteral(
            "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
            "enp3s0\t00000000\t0100000A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
            "wlp2s0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
            "wlp2s0\t00000000\t0201A8C0\t0003\t0\t0\t20600\t00000000\t0\t0\t0\n"
            "tun0\t00000000\t0100080A\t0003\t0\t0\t0\t00000080\t0\t0\t0\n"
            "docker0\t000011AC\t00000000\t0001\t0\t0\t0\t0000FFFF\t0\t0\t0\n"
            "wg0\t00000000\t00000000\t0000\t0\t0\t0\t00000000\t0\t0\t0\n");
        const QHash<QString, int> metrics = SonosDiscovery::defaultRouteMetrics(table);
        QCOMPARE(metrics, (QHash<QString, int>{{QStringLiteral("enp3s0"), 100}, {QStringLiteral("wlp2s0"), 600}}));
        QVERIFY(SonosDiscovery::defaultRouteMetrics(QString()).isEmpty());
    }

    void invalidForcedNetworkSweepsNothing()
    {
        // Only the network is asked for: nothing here may ever sweep the table's address.
        SonosDiscovery::setInterfaceSource([] {
            return std::optional<QList<NetworkInterface>>(QList<NetworkInterface>{up("en0", "192.168.1.20")});
        });
        const QByteArray saved = qgetenv("CORVANE_NETWORK");
        QVERIFY(!SonosDiscovery::setForcedNetwork(QStringLiteral("nonsense")));
        qputenv("CORVANE_NETWORK", "nonsense");
        SonosDiscovery::forceNetworkFromEnvironment();
        const auto network = SonosDiscovery::currentNetwork();
        qputenv("CORVANE_NETWORK", saved);
        SonosDiscovery::forceNetworkFromEnvironment();
        QVERIFY2(!network, qPrintable(network ? network->address : QString()));
    }

    void sweepKeepsAtMost64ProbesInFlight()
    {
        setDelayScale(0.2); // probes time out after 300 ms
        const QString prefix = randomLoopbackPrefix();
        SilentSubnet subnet(prefix);
        QVERIFY(SonosDiscovery::setForcedNetwork(prefix + QStringLiteral(".1/24")));
        QVERIFY(await(SonosDiscovery::scanSubnet()).isEmpty());
        QCOMPARE(subnet.accepted, 254);
        // Qt closes an aborted probe's socket on its network thread, so the next probe's
        // connection can arrive a moment before the old one is gone: allow that overlap.
        QVERIFY2(subnet.peak >= SonosDiscovery::maxProbesInFlight && subnet.peak <= SonosDiscovery::maxProbesInFlight + 2,
                 qPrintable(QString::number(subnet.peak)));
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
