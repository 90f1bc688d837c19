// The household's alarms as speakers write them, and what an update sends back: every field it
// did not change, exactly as it was read.

#include "base/corvaneerror.h"
#include "simspeaker.h"
#include "sonos/alarms.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace corvane;
using namespace corvane::test;

namespace {

// A station's metadata as the speakers store it: an ampersand and accents in the title, a
// service descriptor, and an attribute order of its own.
const QString kStationDidl = QStringLiteral(
    "<DIDL-Lite xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:upnp=\"urn:schemas-upnp-org:metadata-1-0/upnp/\" "
    "xmlns:r=\"urn:schemas-rinconnetworks-com:metadata-1-0/\" xmlns=\"urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/\">"
    "<item id=\"F00092020s1234\" parentID=\"L\" restricted=\"true\"><dc:title>Ondes &amp; Éclats du Périgord</dc:title>"
    "<upnp:class>object.item.audioItem.audioBroadcast</upnp:class><desc id=\"cdudn\" "
    "nameSpace=\"urn:schemas-rinconnetworks-com:metadata-1-0/\">SA_RINCON65031_</desc></item></DIDL-Lite>");

QString attribute(const QString &text)
{
    return text.toHtmlEscaped();
}

// A ListAlarms reply around `alarms` (the <Alarm/> elements, escaped once already).
QString listReply(const QString &alarms, const QString &version = QStringLiteral("RINCON_000E58A0B1C201400:27"))
{
    const QString list = QStringLiteral("<Alarms>") + alarms + QStringLiteral("</Alarms>");
    return QStringLiteral("<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body>"
                          "<u:ListAlarmsResponse xmlns:u=\"urn:schemas-upnp-org:service:AlarmClock:1\">"
                          "<CurrentAlarmList>%1</CurrentAlarmList><CurrentAlarmListVersion>%2</CurrentAlarmListVersion>"
                          "</u:ListAlarmsResponse></s:Body></s:Envelope>")
        .arg(list.toHtmlEscaped(), version);
}

QString stationAlarm()
{
    return QStringLiteral("<Alarm ID=\"14\" StartTime=\"06:30:15\" Duration=\"01:30:00\" Recurrence=\"ON_531\" "
                          "Enabled=\"1\" RoomUUID=\"RINCON_000E58A0B1C201400\" "
                          "ProgramURI=\"x-sonosapi-stream:s1234?sid=254&amp;flags=8224&amp;sn=0\" "
                          "ProgramMetaData=\"%1\" PlayMode=\"SHUFFLE_REPEAT_ONE\" Volume=\"22\" "
                          "IncludeLinkedZones=\"1\" Snooze=\"00:09:00\"/>")
        .arg(attribute(kStationDidl));
}

// The SOAP arguments an update sends, by name.
QHash<QString, QString> argumentsIn(const QString &body)
{
    QHash<QString, QString> values;
    QXmlStreamReader xml(QStringLiteral("<a>") + body + QStringLiteral("</a>"));
    xml.readNextStartElement();
    while (xml.readNextStartElement())
        values.insert(xml.name().toString(), xml.readElementText());
    return values;
}

} // namespace

class TestAlarms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsARealShapedList()
    {
        const AlarmList list = parseAlarmList(listReply(stationAlarm()
                                                        + QStringLiteral("<Alarm ID=\"3\" StartTime=\"07:00:00\" Duration=\"00:20:00\" "
                                                                         "Recurrence=\"WEEKDAYS\" Enabled=\"0\" RoomUUID=\"RINCON_B\" "
                                                                         "ProgramURI=\"x-rincon-buzzer:0\" ProgramMetaData=\"\" "
                                                                         "PlayMode=\"NORMAL\" Volume=\"15\" IncludeLinkedZones=\"0\"/>")));
        QCOMPARE(list.version, QStringLiteral("RINCON_000E58A0B1C201400:27"));
        QCOMPARE(list.alarms.size(), 2);
        const Alarm &station = list.alarms.at(0);
        QCOMPARE(station.id, QStringLiteral("14"));
        QCOMPARE(station.programURI, QStringLiteral("x-sonosapi-stream:s1234?sid=254&flags=8224&sn=0"));
        QCOMPARE(station.programMetaData, kStationDidl);
        QCOMPARE(describeProgram(station), QStringLiteral("Ondes & Éclats du Périgord"));
        QCOMPARE(describeRecurrence(station.recurrence), QStringLiteral("lun. mer. ven."));
        QCOMPARE(shortTime(station.startTime), QStringLiteral("06:30"));
        QCOMPARE(station.volumeLevel(), 22);
        QVERIFY(station.joinsLinkedZones());
        const Alarm &chime = list.alarms.at(1);
        QVERIFY(!chime.isEnabled());
        QCOMPARE(describeProgram(chime), QStringLiteral("Carillon"));
        QCOMPARE(chime.durationMinutes(), 20);
    }

    void damagedListsShowNothing_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("alarms");
        QTest::newRow("empty list") << listReply(QString()) << 0;
        QTest::newRow("no list at all") << QStringLiteral("<s:Envelope/>") << 0;
        QTest::newRow("alarm without ID") << listReply(QStringLiteral("<Alarm StartTime=\"07:00:00\"/>")) << 0;
        // Half a list would look like deleted alarms: none is shown instead.
        QTest::newRow("cut short") << listReply(stationAlarm()).replace(QStringLiteral("&lt;/Alarms&gt;"), QString()) << 0;
        QTest::newRow("not xml") << listReply(QString()).replace(QStringLiteral("&lt;Alarms&gt;"), QStringLiteral("&lt;Alarms")) << 0;
        QTest::newRow("unknown elements skipped") << listReply(QStringLiteral("<Note/>") + stationAlarm()) << 1;
    }
    void damagedListsShowNothing()
    {
        QFETCH(QString, reply);
        QFETCH(int, alarms);
        QCOMPARE(parseAlarmList(reply).alarms.size(), alarms);
    }

    void recurrences_data()
    {
        QTest::addColumn<QString>("recurrence");
        QTest::addColumn<QString>("described");
        QTest::addColumn<QString>("normalised"); // recurrenceFor(recurrenceDays(...))
        QTest::newRow("once") << "ONCE" << "Une fois" << "ONCE";
        QTest::newRow("daily") << "DAILY" << "Tous les jours" << "DAILY";
        QTest::newRow("weekdays") << "WEEKDAYS" << "En semaine" << "WEEKDAYS";
        QTest::newRow("weekends") << "WEEKENDS" << "Le week-end" << "WEEKENDS";
        QTest::newRow("days from Monday") << "ON_0246" << "mar. jeu. sam. dim." << "ON_0246";
        QTest::newRow("every day spelt out") << "ON_6543210" << "Tous les jours" << "DAILY";
        QTest::newRow("weekdays spelt out") << "ON_12345" << "En semaine" << "WEEKDAYS";
        QTest::newRow("repeated day") << "ON_11" << "lun." << "ON_1";
        QTest::newRow("unknown kept") << "ON_8" << "ON_8" << "";
        QTest::newRow("nothing after ON_") << "ON_" << "ON_" << "";
    }
    void recurrences()
    {
        QFETCH(QString, recurrence);
        QFETCH(QString, described);
        QFETCH(QString, normalised);
        QCOMPARE(describeRecurrence(recurrence), described);
        const std::optional<QList<int>> days = recurrenceDays(recurrence);
        if (normalised.isEmpty() || recurrence == QLatin1String("ONCE"))
            QVERIFY(!days || days->isEmpty());
        if (days)
            QCOMPARE(recurrenceFor(*days), normalised);
    }

    // What CreateAlarm and UpdateAlarm send: StartLocalTime rather than StartTime, every field,
    // the metadata escaped once.
    void argumentsCarryEveryField()
    {
        const Alarm alarm = parseAlarmList(listReply(stationAlarm())).alarms.first();
        const QHash<QString, QString> update = argumentsIn(alarmArguments(alarm, true));
        QCOMPARE(update.value(QStringLiteral("ID")), QStringLiteral("14"));
        QCOMPARE(update.value(QStringLiteral("StartLocalTime")), QStringLiteral("06:30:15"));
        QCOMPARE(update.value(QStringLiteral("Recurrence")), QStringLiteral("ON_531"));
        QCOMPARE(update.value(QStringLiteral("PlayMode")), QStringLiteral("SHUFFLE_REPEAT_ONE"));
        QCOMPARE(update.value(QStringLiteral("ProgramMetaData")), kStationDidl);
        QCOMPARE(update.size(), 11);
        const QHash<QString, QString> create = argumentsIn(alarmArguments(alarm, false));
        QVERIFY(!create.contains(QStringLiteral("ID")));
        QCOMPARE(create.size(), 10);
    }

    // Through a speaker: switched off, an alarm comes back with every other field as it was,
    // the station's metadata byte for byte.
    void anUpdateKeepsWhatItDidNotChange()
    {
        auto speaker = startSpeaker();
        const SonosController controller(speaker->speaker());
        Alarm alarm = parseAlarmList(listReply(stationAlarm())).alarms.first();
        alarm.roomUUID = speaker->config().uuid;
        const QString id = await(controller.createAlarm(alarm));
        QVERIFY(!id.isEmpty());

        const AlarmList before = await(controller.alarms());
        QCOMPARE(before.alarms.size(), 1);
        Alarm read = before.alarms.first();
        QCOMPARE(read.programMetaData, kStationDidl);
        read.enabled = QStringLiteral("0");
        await(controller.updateAlarm(read));

        const AlarmList after = await(controller.alarms());
        QVERIFY(after.version != before.version);
        Alarm expected = before.alarms.first();
        expected.enabled = QStringLiteral("0");
        QCOMPARE(after.alarms.first(), expected);
        QCOMPARE(after.alarms.first().programMetaData.toUtf8(), kStationDidl.toUtf8());

        await(controller.destroyAlarm(id));
        QVERIFY(await(controller.alarms()).alarms.isEmpty());
    }

    // A group member does not answer for its group's volume; the coordinator scales every
    // member from the snapshot.
    void groupVolumeKeepsProportions()
    {
        auto house = startHousehold();
        sim::SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        sim::SimSpeaker *cuisine = house->speaker(QStringLiteral("Cuisine"));
        QVERIFY(house->join(cuisine, salon->config().uuid));
        salon->setVolume(40);
        cuisine->setVolume(20);
        const SonosController leader(salon->speaker());
        QCOMPARE(await(leader.groupVolume()), 30);
        await(leader.snapshotGroupVolume());
        await(leader.setGroupVolume(15));
        QCOMPARE(salon->volume(), 20);
        QCOMPARE(cuisine->volume(), 10);
        // Down to nothing and back: the snapshot still knows the proportions.
        await(leader.setGroupVolume(0));
        await(leader.setGroupVolume(60));
        QCOMPARE(salon->volume(), 80);
        QCOMPARE(cuisine->volume(), 40);
        await(leader.setGroupMuted(true));
        QVERIFY(salon->muted() && cuisine->muted());
        QVERIFY(await(leader.isGroupMuted()));

        const SonosController member(cuisine->speaker());
        bool refused = false;
        try {
            await(member.groupVolume());
        } catch (const CorvaneError &) {
            refused = true;
        }
        QVERIFY(refused);
    }
};

QTEST_GUILESS_MAIN(TestAlarms)
#include "tst_alarms.moc"
