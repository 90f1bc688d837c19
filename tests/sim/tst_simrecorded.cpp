// The simulator's replies against replies recorded from real speakers (the project's reference
// folder, CORVANE_REFDATA): the same elements in the same order and nesting, the same attributes,
// the same escaping levels and the same small formats. Names and values differ (the recordings
// are of other households); the shape must not.

#include "async/http.h"
#include "base/corvaneerror.h"
#include "base/text.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

const QString kI0 = QStringLiteral("<InstanceID>0</InstanceID>");

// One element of a document: its depth, its qualified name and its attributes' names in order.
struct Node
{
    int depth = 0;
    QString name;
    QStringList attributes;
    QString text; // the element's own text, when it has no child elements
    QXmlStreamAttributes values;
};

// The elements of a document in order; empty when it is not well formed.
QList<Node> nodesOf(const QString &xml)
{
    QList<Node> nodes;
    QList<qsizetype> open;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            Node node;
            node.depth = int(open.size());
            node.name = reader.qualifiedName().toString();
            for (const QXmlStreamAttribute &attribute : reader.attributes())
                node.attributes << attribute.qualifiedName().toString();
            node.values = reader.attributes();
            open.append(nodes.size());
            nodes.append(node);
        } else if (reader.isCharacters() && !open.isEmpty()) {
            nodes[open.last()].text += reader.text();
        } else if (reader.isEndElement()) {
            open.removeLast();
        }
    }
    if (reader.hasError()) {
        qWarning("not well formed: %s", qPrintable(reader.errorString()));
        return {};
    }
    return nodes;
}

// "depth name(attributes)" lines: what two documents of the same shape share.
QStringList shapeOf(const QList<Node> &nodes, int fromDepth = 0)
{
    QStringList lines;
    for (const Node &node : nodes) {
        if (node.depth >= fromDepth)
            lines << QStringLiteral("%1 %2(%3)").arg(node.depth - fromDepth).arg(node.name, node.attributes.join(QLatin1Char(',')));
    }
    return lines;
}

const Node *find(const QList<Node> &nodes, const QString &name, int nth = 0)
{
    for (const Node &node : nodes) {
        if (node.name == name && nth-- == 0)
            return &node;
    }
    return nullptr;
}

// The elements below the one at `index`, shallower ones ending it.
QList<Node> below(const QList<Node> &nodes, const Node *parent)
{
    QList<Node> inside;
    const qsizetype start = parent - nodes.constData();
    for (qsizetype i = start + 1; i < nodes.size() && nodes.at(i).depth > parent->depth; ++i)
        inside << nodes.at(i);
    return inside;
}

QString readRecorded(const QString &name)
{
    QFile file(QStringLiteral(CORVANE_REFDATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// How speakers key their album art: the track URI percent-encoded, hex digits in lower case.
QString artKey(const QString &uri)
{
    QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(uri));
    static const QRegularExpression escape(QStringLiteral("%[0-9A-F]{2}"));
    QString lowered;
    qsizetype last = 0;
    auto it = escape.globalMatch(encoded);
    while (it.hasNext()) {
        const auto m = it.next();
        lowered += encoded.mid(last, m.capturedStart() - last) + m.captured().toLower();
        last = m.capturedEnd();
    }
    return lowered + encoded.mid(last);
}

QString soapOf(const SimSpeaker &speaker, const QString &service, const QString &action, const QString &arguments)
{
    return await(SonosController(speaker.speaker()).soap(service, action, arguments));
}

// The zone group state a speaker reports, unescaped once from its reply argument; the recorded
// files hold that argument element.
QList<Node> topologyOf(const QString &argument)
{
    const QList<Node> outer = nodesOf(argument);
    const Node *state = find(outer, QStringLiteral("ZoneGroupState"));
    return state ? nodesOf(state->text) : QList<Node>();
}

QList<Node> topologyOf(const SimSpeaker &speaker)
{
    const QString reply = await(SonosController(speaker.speaker())
                                    .soap(upnp::zoneGroupTopology, QStringLiteral("/ZoneGroupTopology/Control"),
                                          QStringLiteral("GetZoneGroupState"), QString()));
    return topologyOf(reply);
}

QString browseOf(const SimSpeaker &speaker, const QString &object)
{
    return soapOf(speaker, upnp::contentDirectory, QStringLiteral("Browse"),
                  QStringLiteral("<ObjectID>%1</ObjectID><BrowseFlag>BrowseDirectChildren</BrowseFlag><Filter>*</Filter>"
                                 "<StartingIndex>0</StartingIndex><RequestedCount>100</RequestedCount><SortCriteria></SortCriteria>")
                      .arg(object));
}

// The attributes of `names` in the order `order` has them (names `order` lacks left out).
QStringList inOrderOf(const QStringList &names, const QStringList &order)
{
    QStringList shared;
    for (const QString &name : order) {
        if (names.contains(name))
            shared << name;
    }
    return shared;
}

} // namespace

class TestSimRecorded : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDir(QStringLiteral(CORVANE_REFDATA)).exists(QStringLiteral("PROVENANCE.md")))
            QSKIP("The recorded replies (CORVANE_REFDATA_DIR) are not on this machine.");
    }

    void positionInfoOfASong()
    {
        const QList<Node> recorded = nodesOf(readRecorded(QStringLiteral("GetPositionInfo_envelope_spotify.xml")));
        auto speaker = startSpeaker();
        speaker->setQueue(catalogueSongs(), 2);
        const QList<Node> simulated = nodesOf(soapOf(*speaker, upnp::avTransport, QStringLiteral("GetPositionInfo"), kI0));
        QVERIFY(!recorded.isEmpty() && !simulated.isEmpty());
        QCOMPARE(shapeOf(simulated), shapeOf(recorded));

        // The track's DIDL-Lite, escaped once inside the reply.
        const QList<Node> recordedTrack = nodesOf(find(recorded, QStringLiteral("TrackMetaData"))->text);
        const QList<Node> simulatedTrack = nodesOf(find(simulated, QStringLiteral("TrackMetaData"))->text);
        QVERIFY(!recordedTrack.isEmpty() && !simulatedTrack.isEmpty());
        QCOMPARE(shapeOf(simulatedTrack), shapeOf(recordedTrack));
        QCOMPARE(find(simulatedTrack, QStringLiteral("item"))->values.value(QStringLiteral("id")), QStringLiteral("-1"));

        for (const QList<Node> *reply : {&recorded, &simulated}) {
            const QList<Node> track = nodesOf(find(*reply, QStringLiteral("TrackMetaData"))->text);
            const QString uri = find(*reply, QStringLiteral("TrackURI"))->text;
            // The same URI in the track and in its metadata; the art keyed by it in lower case.
            QCOMPARE(find(track, QStringLiteral("res"))->text, uri);
            QCOMPARE(find(track, QStringLiteral("upnp:albumArtURI"))->text, QStringLiteral("/getaa?s=1&u=") + artKey(uri));
            static const QRegularExpression time(QStringLiteral("^\\d+:\\d{2}:\\d{2}$"));
            QVERIFY(time.match(find(*reply, QStringLiteral("TrackDuration"))->text).hasMatch());
            QVERIFY(time.match(find(*reply, QStringLiteral("RelTime"))->text).hasMatch());
            QCOMPARE(find(track, QStringLiteral("res"))->values.value(QStringLiteral("duration")), find(*reply, QStringLiteral("TrackDuration"))->text);
            QCOMPARE(find(*reply, QStringLiteral("AbsTime"))->text, QStringLiteral("NOT_IMPLEMENTED"));
            QCOMPARE(find(*reply, QStringLiteral("RelCount"))->text, QStringLiteral("2147483647"));
            QCOMPARE(find(*reply, QStringLiteral("AbsCount"))->text, QStringLiteral("2147483647"));
        }
    }

    void browseOfTheQueue()
    {
        const QList<Node> recorded = nodesOf(readRecorded(QStringLiteral("Browse_Q0_queue_envelope.xml")));
        auto speaker = startSpeaker();
        speaker->setQueue(catalogueSongs(), 2);
        const QList<Node> simulated = nodesOf(browseOf(*speaker, QStringLiteral("Q:0")));
        QVERIFY(!recorded.isEmpty() && !simulated.isEmpty());
        QCOMPARE(shapeOf(simulated), shapeOf(recorded));

        const QList<Node> recordedItems = nodesOf(find(recorded, QStringLiteral("Result"))->text);
        const QList<Node> simulatedItems = nodesOf(find(simulated, QStringLiteral("Result"))->text);
        QVERIFY(!recordedItems.isEmpty() && !simulatedItems.isEmpty());
        // Every item shaped as the recorded items are (no stream fields in a queue).
        const QStringList itemShape = shapeOf(below(recordedItems, find(recordedItems, QStringLiteral("item"))));
        for (int i = 0; i < catalogueSongs().size(); ++i) {
            const Node *item = find(simulatedItems, QStringLiteral("item"), i);
            QVERIFY(item);
            QCOMPARE(item->attributes, find(recordedItems, QStringLiteral("item"))->attributes);
            QCOMPARE(item->values.value(QStringLiteral("id")), QStringLiteral("Q:0/%1").arg(i + 1));
            QCOMPARE(item->values.value(QStringLiteral("parentID")), QStringLiteral("Q:0"));
            QCOMPARE(shapeOf(below(simulatedItems, item)), itemShape);
            const QList<Node> fields = below(simulatedItems, item);
            QCOMPARE(find(fields, QStringLiteral("upnp:albumArtURI"))->text,
                     QStringLiteral("/getaa?s=1&u=") + artKey(find(fields, QStringLiteral("res"))->text));
        }
        QVERIFY(!find(simulatedItems, QStringLiteral("r:streamContent")));
        QCOMPARE(find(simulated, QStringLiteral("NumberReturned"))->text, QString::number(catalogueSongs().size()));
    }

    void favoritesCarryTheirMetadata()
    {
        const QJsonArray recorded = QJsonDocument::fromJson(readRecorded(QStringLiteral("favorites_FV2_resMD_parsed.json")).toUtf8()).array();
        QVERIFY(!recorded.isEmpty());
        const QList<Node> recordedMD = nodesOf(recorded.first().toObject().value(QStringLiteral("resource_meta_data")).toString());
        const QStringList metadataShape = shapeOf(recordedMD);

        auto house = startHousehold();
        const QList<Node> simulated = nodesOf(browseOf(*house->speakers().front(), QStringLiteral("FV:2")));
        const QList<Node> items = nodesOf(find(simulated, QStringLiteral("Result"))->text);
        QVERIFY(!items.isEmpty());
        int checked = 0;
        for (const Node &item : items) {
            if (item.name != QLatin1String("item") || item.depth != 1)
                continue;
            const QList<Node> fields = below(items, &item);
            QCOMPARE(item.values.value(QStringLiteral("parentID")), QStringLiteral("FV:2"));
            // A favorite's own DIDL-Lite, escaped once more, shaped as the recorded ones.
            const QString resMD = find(fields, QStringLiteral("r:resMD"))->text;
            QCOMPARE(shapeOf(nodesOf(resMD)), metadataShape);
            const QString uri = find(fields, QStringLiteral("res"))->text;
            const QString protocol = find(fields, QStringLiteral("res"))->values.value(QStringLiteral("protocolInfo")).toString();
            // The protocol of what it plays: a container, a service song, a stream.
            if (uri.startsWith(QLatin1String("x-rincon-cpcontainer:")))
                QCOMPARE(protocol, QStringLiteral("x-rincon-cpcontainer:*:*:*"));
            else if (uri.startsWith(QLatin1String("x-sonos-http:")))
                QCOMPARE(protocol, QStringLiteral("sonos.com-http:*:audio/mp4:*"));
            else
                QCOMPARE(protocol, uri.section(QLatin1Char(':'), 0, 0) + QStringLiteral(":*:*:*"));
            const QString desc = find(nodesOf(resMD), QStringLiteral("desc"))->text;
            static const QRegularExpression token(QStringLiteral("^SA_RINCON\\d+_(X_#Svc\\d+-\\d+-Token)?$"));
            QVERIFY2(token.match(desc).hasMatch(), qPrintable(desc));
            ++checked;
        }
        QCOMPARE(checked, 4);
    }

    void lineInMetadata()
    {
        // The recording is an event: the track's DIDL-Lite is an attribute of the LastChange document.
        const QList<Node> event = nodesOf(readRecorded(QStringLiteral("event_AVTransport_LastChange_line_in.xml")));
        QVERIFY(!event.isEmpty());
        const QList<Node> change = nodesOf(find(event, QStringLiteral("LastChange"))->text);
        const QList<Node> recorded = nodesOf(find(change, QStringLiteral("CurrentTrackMetaData"))->values.value(QStringLiteral("val")).toString());
        QVERIFY(!recorded.isEmpty());

        SimSpeakerConfig config;
        config.hasAudioIn = true;
        auto speaker = startSpeaker(config);
        speaker->setStreamSource(lineIn(speaker->config().uuid));
        const QList<Node> reply = nodesOf(soapOf(*speaker, upnp::avTransport, QStringLiteral("GetPositionInfo"), kI0));
        const QList<Node> simulated = nodesOf(find(reply, QStringLiteral("TrackMetaData"))->text);
        QCOMPARE(shapeOf(simulated), shapeOf(recorded));
        for (const char *field : {"dc:title", "upnp:class", "r:audioInputIcon", "r:episodeNumber"})
            QCOMPARE(find(simulated, QLatin1String(field))->text, find(recorded, QLatin1String(field))->text);
        QCOMPARE(find(simulated, QStringLiteral("res"))->values.value(QStringLiteral("protocolInfo")),
                 find(recorded, QStringLiteral("res"))->values.value(QStringLiteral("protocolInfo")));
        QCOMPARE(find(simulated, QStringLiteral("res"))->text, QStringLiteral("x-rincon-stream:") + speaker->config().uuid);
        QCOMPARE(find(reply, QStringLiteral("TrackDuration"))->text, find(change, QStringLiteral("CurrentTrackDuration"))->values.value(QStringLiteral("val")).toString());
    }

    void aGroupMembersTrack()
    {
        const QJsonObject recorded = QJsonDocument::fromJson(readRecorded(QStringLiteral("event_AVTransport_group_member_x-rincon_parsed.json")).toUtf8()).object();
        QVERIFY(!recorded.isEmpty());
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        SimSpeaker *cuisine = house->speaker(QStringLiteral("Cuisine"));
        await(SonosController(cuisine->speaker()).joinGroup(salon->config().uuid));
        const QList<Node> reply = nodesOf(soapOf(*cuisine, upnp::avTransport, QStringLiteral("GetPositionInfo"), kI0));
        QVERIFY(recorded.value(QStringLiteral("current_track_uri")).toString().startsWith(QLatin1String("x-rincon:RINCON_")));
        QCOMPARE(find(reply, QStringLiteral("TrackURI"))->text, QStringLiteral("x-rincon:") + salon->config().uuid);
        QCOMPARE(find(reply, QStringLiteral("TrackDuration"))->text, recorded.value(QStringLiteral("current_track_duration")).toString());
        QCOMPARE(find(reply, QStringLiteral("TrackMetaData"))->text, recorded.value(QStringLiteral("current_track_meta_data")).toString());
        QCOMPARE(find(reply, QStringLiteral("Track"))->text, recorded.value(QStringLiteral("current_track")).toString());
    }

    void stereoPair()
    {
        const QList<Node> recorded = topologyOf(readRecorded(QStringLiteral("GetZoneGroupState_stereo_pair.xml")));
        QVERIFY(!recorded.isEmpty());
        auto house = startHousehold();
        SimSpeaker *chambre = house->speaker(QStringLiteral("Chambre"));
        const QList<Node> state = topologyOf(*chambre);
        const Node *group = nullptr;
        for (const Node &node : state) {
            if (node.name == QLatin1String("ZoneGroup") && node.values.value(QStringLiteral("Coordinator")) == chambre->config().uuid)
                group = &node;
        }
        QVERIFY(group);
        const QList<Node> members = below(state, group);
        const QList<Node> recordedMembers = below(recorded, find(recorded, QStringLiteral("ZoneGroup")));
        QCOMPARE(members.size(), recordedMembers.size());
        for (int i = 0; i < members.size(); ++i) {
            const Node &ours = members.at(i);
            const Node &theirs = recordedMembers.at(i);
            QCOMPARE(ours.name, theirs.name);
            // The hidden half comes first, and both carry the pair's map.
            QCOMPARE(ours.values.value(QStringLiteral("Invisible")), theirs.values.value(QStringLiteral("Invisible")));
            QCOMPARE(inOrderOf(ours.attributes, theirs.attributes), inOrderOf(theirs.attributes, ours.attributes));
            static const QRegularExpression map(QStringLiteral("^(RINCON_\\w+):LF,LF;(RINCON_\\w+):RF,RF$"));
            for (const Node *node : {&ours, &theirs}) {
                const auto m = map.match(node->values.value(QStringLiteral("ChannelMapSet")).toString());
                QVERIFY(m.hasMatch());
                const Node &hidden = node == &ours ? members.first() : recordedMembers.first();
                const Node &visible = node == &ours ? members.last() : recordedMembers.last();
                QCOMPARE(m.captured(1), visible.values.value(QStringLiteral("UUID")).toString());
                QCOMPARE(m.captured(2), hidden.values.value(QStringLiteral("UUID")).toString());
            }
            QVERIFY(ours.values.value(QStringLiteral("Icon")).startsWith(QLatin1String("x-rincon-roomicon:")));
        }
    }

    void homeTheatre()
    {
        const QList<Node> recorded = topologyOf(readRecorded(QStringLiteral("GetZoneGroupState_home_theater_invisible_satellites.xml")));
        QVERIFY(!recorded.isEmpty());
        auto house = startHousehold();
        SimSpeaker *sejour = house->speaker(QStringLiteral("Séjour"));
        // The whole document nests as recorded: state, groups, group, member, satellites.
        const QList<Node> state = topologyOf(*sejour);
        QStringList recordedNames;
        QStringList names;
        for (const Node &node : recorded)
            recordedNames << QString::number(node.depth) + node.name;
        for (const Node &node : state)
            names << QString::number(node.depth) + node.name;
        recordedNames.removeDuplicates();
        names.removeDuplicates();
        QCOMPARE(names, recordedNames);

        const Node *player = nullptr;
        for (const Node &node : state) {
            if (node.name == QLatin1String("ZoneGroupMember") && node.values.value(QStringLiteral("UUID")) == sejour->config().uuid)
                player = &node;
        }
        const Node *recordedPlayer = find(recorded, QStringLiteral("ZoneGroupMember"));
        QVERIFY(player && recordedPlayer);
        QCOMPARE(player->attributes, recordedPlayer->attributes);
        const QList<Node> satellites = below(state, player);
        const QList<Node> recordedSatellites = below(recorded, recordedPlayer);
        QCOMPARE(satellites.size(), recordedSatellites.size());
        const QString uuid = sejour->config().uuid;
        QSet<QString> channels;
        for (int i = 0; i < satellites.size(); ++i) {
            QCOMPARE(satellites.at(i).name, QStringLiteral("Satellite"));
            QCOMPARE(satellites.at(i).attributes, recordedSatellites.at(i).attributes);
            // Each satellite names the player's channels and its own.
            const QString own = satellites.at(i).values.value(QStringLiteral("HTSatChanMapSet")).toString();
            const QString satellite = satellites.at(i).values.value(QStringLiteral("UUID")).toString();
            QVERIFY2(own.startsWith(uuid + QStringLiteral(":LF,RF;") + satellite + QLatin1Char(':')), qPrintable(own));
            channels << own.section(QLatin1Char(':'), -1);
            QVERIFY(player->values.value(QStringLiteral("HTSatChanMapSet")).contains(satellite + QLatin1Char(':') + own.section(QLatin1Char(':'), -1)));
        }
        QCOMPARE(channels, (QSet<QString>{QStringLiteral("LR"), QStringLiteral("RR"), QStringLiteral("SW")}));
        QVERIFY(player->values.value(QStringLiteral("HTSatChanMapSet")).startsWith(uuid + QStringLiteral(":LF,RF;")));
    }

    void faults()
    {
        const QList<Node> recorded = nodesOf(readRecorded(QStringLiteral("soap_fault_800_UPnPError.xml")));
        const QString recorded501 = readRecorded(QStringLiteral("soap_fault_501_GetZoneGroupState_large_system.xml")).trimmed();
        auto speaker = startSpeaker();
        speaker->faults().topologyFails = true;
        HttpRequest request;
        request.method = "POST";
        request.url = QUrl(QStringLiteral("http://%1:1400/ZoneGroupTopology/Control").arg(speaker->config().ip));
        request.headers = {{"Content-Type", "text/xml; charset=\"utf-8\""},
                           {"SOAPACTION", "\"urn:schemas-upnp-org:service:ZoneGroupTopology:1#GetZoneGroupState\""}};
        request.body = SonosController::envelope(upnp::zoneGroupTopology, QStringLiteral("GetZoneGroupState"), QString());
        request.timeout = std::chrono::seconds(5);
        const HttpResult result = await(httpSend(speakerNetwork(), request));
        QCOMPARE(result.status, std::optional<int>(500));
        // The large household's refusal byte for byte, and every fault shaped as the recorded one.
        QCOMPARE(QString::fromUtf8(result.body), recorded501);
        QCOMPARE(shapeOf(nodesOf(QString::fromUtf8(result.body))), shapeOf(recorded));
    }

    void deviceDescription()
    {
        const QList<Node> recorded = nodesOf(readRecorded(QStringLiteral("device_description_playbar_S9_htcontrol.xml"))
                                                 .remove(QRegularExpression(QStringLiteral("#[A-Z_]+#"))));
        QVERIFY(!recorded.isEmpty());
        SimSpeakerConfig config;
        config.modelName = QStringLiteral("Sonos Arc Ultra");
        config.modelNumber = QStringLiteral("S45");
        config.displayName = QStringLiteral("Arc Ultra");
        config.uuid = QStringLiteral("RINCON_48A6B8C9D0E101400");
        auto speaker = startSpeaker(config);
        HttpRequest request;
        request.url = QUrl(QStringLiteral("http://%1:1400/xml/device_description.xml").arg(speaker->config().ip));
        request.timeout = std::chrono::seconds(5);
        const HttpResult result = await(httpSend(speakerNetwork(), request));
        const QString text = QString::fromUtf8(result.body);
        const QList<Node> simulated = nodesOf(text);
        QVERIFY(!simulated.isEmpty());

        // The player's own fields, in the recorded order where both have them.
        const auto fieldsOf = [](const QList<Node> &nodes) {
            QStringList names;
            for (const Node &node : nodes) {
                if (node.depth == 2 && node.name != QLatin1String("deviceList"))
                    names << node.name;
                if (node.name == QLatin1String("deviceList"))
                    break;
            }
            return names;
        };
        const QStringList ours = fieldsOf(simulated);
        const QStringList theirs = fieldsOf(recorded);
        QCOMPARE(inOrderOf(ours, theirs), inOrderOf(theirs, ours));
        for (const char *field : {"serialNum", "MACAddress", "UDN", "roomName", "displayName", "modelNumber", "serviceList"})
            QVERIFY2(ours.contains(QLatin1String(field)), field);
        QCOMPARE(find(simulated, QStringLiteral("MACAddress"))->text, QStringLiteral("48:A6:B8:C9:D0:E1"));
        QCOMPARE(find(simulated, QStringLiteral("serialNum"))->text, QStringLiteral("48-A6-B8-C9-D0-E1:E"));

        // Every service described as recorded ones are, and the ones real players carry.
        QStringList services;
        const Node *recordedService = find(recorded, QStringLiteral("service"));
        const QStringList serviceShape = shapeOf(below(recorded, recordedService), recordedService->depth + 1);
        for (int i = 0; const Node *service = find(simulated, QStringLiteral("service"), i); ++i) {
            QCOMPARE(shapeOf(below(simulated, service), service->depth + 1), serviceShape);
            services << below(simulated, service).first().text;
        }
        for (const char *type : {"urn:schemas-upnp-org:service:GroupRenderingControl:1", "urn:schemas-sonos-com:service:Queue:1",
                                 "urn:schemas-upnp-org:service:HTControl:1", "urn:schemas-upnp-org:service:AVTransport:1"})
            QVERIFY2(services.contains(QLatin1String(type)), type);
        QCOMPARE(services.count(QStringLiteral("urn:schemas-upnp-org:service:ConnectionManager:1")), 2);

        // Indented two spaces a level, as real descriptions are.
        const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\" ?>"));
        QVERIFY(lines.contains(QStringLiteral("    <MACAddress>48:A6:B8:C9:D0:E1</MACAddress>")));
        QVERIFY(lines.contains(QStringLiteral("        <serviceType>urn:schemas-upnp-org:service:MusicServices:1</serviceType>")));
        QVERIFY(lines.contains(QStringLiteral("            <serviceType>urn:schemas-sonos-com:service:Queue:1</serviceType>")));
    }
};

QTEST_GUILESS_MAIN(TestSimRecorded)
#include "tst_simrecorded.moc"
