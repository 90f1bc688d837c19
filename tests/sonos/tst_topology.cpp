#include "async/delays.h"
#include "base/corvaneerror.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

QString member(const char *uuid, const char *host, const char *zone, const char *extra = "", const char *inner = nullptr)
{
    QString text = QStringLiteral("<ZoneGroupMember UUID=\"%1\" Location=\"http://%2:1400/xml/device_description.xml\" "
                                  "ZoneName=\"%3\" Icon=\"\" Configuration=\"1\"%4 SoftwareVersion=\"80.1-55240\"")
                       .arg(QLatin1String(uuid), QLatin1String(host), QString::fromUtf8(zone), QLatin1String(extra));
    if (!inner)
        return text + QStringLiteral("/>");
    return text + QLatin1Char('>') + QLatin1String(inner) + QStringLiteral("</ZoneGroupMember>");
}

QString group(const char *coordinator, const QString &members)
{
    return QStringLiteral("<ZoneGroup Coordinator=\"%1\" ID=\"%1:77\">%2</ZoneGroup>").arg(QLatin1String(coordinator), members);
}

QString state(const QString &groups)
{
    return QStringLiteral("<ZoneGroupState><ZoneGroups>") + groups + QStringLiteral("</ZoneGroups></ZoneGroupState>");
}

QStringList describe(const QList<SonosGroup> &groups)
{
    QStringList lines;
    for (const SonosGroup &g : groups) {
        QStringList rooms;
        for (const Speaker &s : g.members)
            rooms << s.roomName + QLatin1Char('@') + s.ip;
        lines << g.displayName() + QStringLiteral(": ") + rooms.join(QLatin1Char(','));
    }
    return lines;
}

const char kSatellites[] = "<Satellite UUID=\"RINCON_S1\" Location=\"http://10.0.0.31:1400/xml/device_description.xml\" "
                           "ZoneName=\"Séjour\" Invisible=\"1\"/><Satellite UUID=\"RINCON_S2\" "
                           "Location=\"http://10.0.0.32:1400/xml/device_description.xml\" ZoneName=\"Sub\" Invisible=\"1\"/>";

} // namespace

class TestTopology : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        setDelayScale(0.05);
        ModelCache::instance().clear();
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("groups");
        QTest::newRow("ordered by coordinator room")
            << state(group("RINCON_C", member("RINCON_C", "10.0.0.3", "Salon")) + group("RINCON_A", member("RINCON_A", "10.0.0.1", "Bureau"))
                     + group("RINCON_B", member("RINCON_B", "10.0.0.2", "Cuisine")))
            << QStringList{"Bureau: Bureau@10.0.0.1", "Cuisine: Cuisine@10.0.0.2", "Salon: Salon@10.0.0.3"};
        QTest::newRow("stereo pair lists the visible speaker")
            << state(group("RINCON_L", member("RINCON_R", "10.0.0.6", "Chambre", " Invisible=\"1\"") + member("RINCON_L", "10.0.0.5", "Chambre")))
            << QStringList{"Chambre: Chambre@10.0.0.5"};
        QTest::newRow("home theatre lists the soundbar only")
            << state(group("RINCON_T", member("RINCON_T", "10.0.0.30", "Séjour", "", kSatellites)))
            << QStringList{"Séjour: Séjour@10.0.0.30"};
        QTest::newRow("a group of invisible members is dropped")
            << state(group("RINCON_X", member("RINCON_X", "10.0.0.9", "Garage", " Invisible=\"1\""))
                     + group("RINCON_A", member("RINCON_A", "10.0.0.1", "Bureau")))
            << QStringList{"Bureau: Bureau@10.0.0.1"};
        QTest::newRow("a host name location is skipped")
            << state(group("RINCON_A", member("RINCON_A", "10.0.0.1", "Bureau") + member("RINCON_H", "salon.local", "Salon")))
            << QStringList{"Bureau: Bureau@10.0.0.1"};
        QTest::newRow("members in reply order, coordinator named first")
            << state(group("RINCON_B", member("RINCON_A", "10.0.0.1", "Bureau") + member("RINCON_B", "10.0.0.2", "Cuisine")
                                           + member("RINCON_C", "10.0.0.3", "Salon")))
            << QStringList{"Cuisine + 2: Bureau@10.0.0.1,Cuisine@10.0.0.2,Salon@10.0.0.3"};
        QTest::newRow("coordinator hidden: named Groupe, sorted first")
            << state(group("RINCON_A", member("RINCON_A", "10.0.0.1", "Bureau")) + group("RINCON_Z", member("RINCON_B", "10.0.0.2", "Cuisine")))
            << QStringList{"Groupe: Cuisine@10.0.0.2", "Bureau: Bureau@10.0.0.1"};
        QTest::newRow("garbage") << "<ZoneGroup><<>>" << QStringList();
        // As recorded from speakers: one attribute per line, in the speaker's own order.
        QTest::newRow("attributes on their own lines")
            << state(QStringLiteral("<ZoneGroup\n  Coordinator=\"RINCON_B\"\n  ID=\"RINCON_B:12\">\n"
                                    "<ZoneGroupMember\n  UUID=\"RINCON_B\"\n  Location=\"http://10.0.0.2:1400/xml/device_description.xml\"\n"
                                    "  ZoneName=\"Cuisine\"\n  Invisible=\"0\"/>\n"
                                    "<ZoneGroupMember\r\n\tUUID=\"RINCON_R\"\r\n\tLocation=\"http://10.0.0.6:1400/xml/device_description.xml\"\r\n"
                                    "\tZoneName=\"Cuisine\"\r\n\tInvisible=\"1\"/>\n</ZoneGroup>"))
            << QStringList{"Cuisine: Cuisine@10.0.0.2"};
        QTest::newRow("attributes in another order, spaces around =")
            << state(QStringLiteral("<ZoneGroup ID=\"RINCON_A:3\" Coordinator = \"RINCON_A\"><ZoneGroupMember ZoneName = \"Bureau\" "
                                    "Location=\"http://10.0.0.1:1400/xml/device_description.xml\" UUID=\"RINCON_A\" /></ZoneGroup>"))
            << QStringList{"Bureau: Bureau@10.0.0.1"};
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, groups);
        QCOMPARE(describe(parseZoneGroups(text)), groups);
    }

    void householdWithModels()
    {
        auto house = startHousehold();
        const SonosController controller(house->speaker(QStringLiteral("Cuisine"))->speaker());
        const QList<SonosGroup> groups = await(controller.zoneGroups());
        QStringList names;
        QStringList models;
        for (const SonosGroup &g : groups) {
            names << g.displayName();
            for (const Speaker &s : g.members)
                models << s.model;
        }
        QCOMPARE(names, (QStringList{"Bureau", "Chambre", "Cuisine", "Salon", "Séjour"}));
        QCOMPARE(models, (QStringList{"Sonos Port", "Sonos Era 100", "Sonos Roam 2", "Sonos Era 300", "Sonos Arc Ultra"}));

        const auto descriptionReads = [&house] {
            int reads = 0;
            for (SimSpeaker *speaker : house->speakers()) {
                for (const SimRequest &request : speaker->received())
                    reads += request.path == QLatin1String("/xml/device_description.xml");
            }
            return reads;
        };
        QCOMPARE(descriptionReads(), 5);
        await(controller.zoneGroups());
        QCOMPARE(descriptionReads(), 5); // the second read knows every model already
    }

    void unreadableModelIsReadLater()
    {
        auto house = startHousehold();
        SimSpeaker *bureau = house->speaker(QStringLiteral("Bureau"));
        bureau->faults().silent = true;
        const SonosController controller(house->speaker(QStringLiteral("Salon"))->speaker());
        // The silent speaker answers no topology either, so ask another one.
        QList<SonosGroup> groups = await(controller.zoneGroups());
        QCOMPARE(groups.first().members.first().model, QStringLiteral("Sonos"));
        bureau->faults().silent = false;
        groups = await(controller.zoneGroups());
        QCOMPARE(groups.first().members.first().model, QStringLiteral("Sonos Port"));
    }

    void joinAndLeave()
    {
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        SimSpeaker *cuisine = house->speaker(QStringLiteral("Cuisine"));
        const SonosController kitchen(cuisine->speaker());

        await(kitchen.joinGroup(salon->config().uuid));
        QCOMPARE(argumentsOf(lastRequest(*cuisine, QStringLiteral("SetAVTransportURI"))),
                 QStringLiteral("<InstanceID>0</InstanceID><CurrentURI>x-rincon:%1</CurrentURI><CurrentURIMetaData></CurrentURIMetaData>")
                     .arg(salon->config().uuid));
        QStringList names;
        for (const SonosGroup &g : await(kitchen.zoneGroups()))
            names << g.displayName();
        QCOMPARE(names, (QStringList{"Bureau", "Chambre", "Salon + 1", "Séjour"}));

        // The member follows its coordinator and refuses group commands.
        QCOMPARE(await(kitchen.nowPlaying()).title, QStringLiteral("Sel & Cendre"));
        std::optional<QString> code;
        try {
            await(kitchen.pause());
        } catch (const CorvaneError &error) {
            code = error.payload();
        }
        QCOMPARE(code, std::optional<QString>(QStringLiteral("800")));

        await(kitchen.leaveGroup());
        QCOMPARE(argumentsOf(lastRequest(*cuisine, QStringLiteral("BecomeCoordinatorOfStandaloneGroup"))),
                 QStringLiteral("<InstanceID>0</InstanceID>"));
        names.clear();
        for (const SonosGroup &g : await(kitchen.zoneGroups()))
            names << g.displayName();
        QCOMPARE(names, (QStringList{"Bureau", "Chambre", "Cuisine", "Salon", "Séjour"}));
        // Leaving again changes nothing.
        await(kitchen.leaveGroup());
        QCOMPARE(await(kitchen.zoneGroups()).size(), 5);
    }

    void largeHouseholdRefusesTheTopology()
    {
        auto house = startHousehold("large", 32);
        std::optional<QString> code;
        try {
            await(SonosController(house->speakers().front()->speaker()).zoneGroups());
        } catch (const CorvaneError &error) {
            code = error.payload();
        }
        QCOMPARE(code, std::optional<QString>(QStringLiteral("501")));
    }
};

QTEST_GUILESS_MAIN(TestTopology)
#include "tst_topology.moc"
