#include "simhousehold.h"

#include "base/text.h"

#include <QRandomGenerator>

namespace corvane::sim {

SimHousehold::SimHousehold(QString prefix, QObject *parent)
    : QObject(parent), m_prefix(std::move(prefix))
{
}

SimHousehold::~SimHousehold() = default;

SimSpeaker *SimHousehold::addSpeaker(SimSpeakerConfig config)
{
    if (config.ip.isEmpty())
        config.ip = m_prefix + QLatin1Char('.') + QString::number(10 + m_speakers.size());
    if (config.icon.isEmpty()) {
        // The icon the Sonos app gives a room of that kind.
        static const QHash<QString, QString> icons = {
            {QStringLiteral("Salon"), QStringLiteral("living")},    {QStringLiteral("Cuisine"), QStringLiteral("kitchen")},
            {QStringLiteral("Bureau"), QStringLiteral("office")},   {QStringLiteral("Séjour"), QStringLiteral("tvroom")},
            {QStringLiteral("Chambre"), QStringLiteral("bedroom")},
        };
        config.icon = QStringLiteral("x-rincon-roomicon:") + icons.value(config.roomName, QStringLiteral("den"));
    }
    auto *speaker = new SimSpeaker(std::move(config), this);
    speaker->setHousehold(this, m_house);
    m_speakers.push_back(speaker);
    m_groups.append(Group{speaker->config().uuid, {speaker->config().uuid}});
    return speaker;
}

void SimHousehold::addHidden(SimHiddenPlayer player)
{
    m_hidden.append(std::move(player));
}

SimSpeaker *SimHousehold::speaker(const QString &roomName) const
{
    for (SimSpeaker *speaker : m_speakers) {
        if (speaker->config().roomName == roomName)
            return speaker;
    }
    return nullptr;
}

SimSpeaker *SimHousehold::speakerByUuid(const QString &uuid) const
{
    for (SimSpeaker *speaker : m_speakers) {
        if (speaker->config().uuid == uuid)
            return speaker;
    }
    return nullptr;
}

QString SimHousehold::network() const
{
    return m_prefix + QStringLiteral(".1/255.255.255.0");
}

SimSpeaker *SimHousehold::coordinatorOf(const SimSpeaker *speaker) const
{
    for (const Group &group : m_groups) {
        if (group.members.contains(speaker->config().uuid))
            return speakerByUuid(group.coordinator);
    }
    return const_cast<SimSpeaker *>(speaker);
}

QList<SimSpeaker *> SimHousehold::membersOf(const SimSpeaker *coordinator) const
{
    QList<SimSpeaker *> members;
    for (const Group &group : m_groups) {
        if (group.coordinator == coordinator->config().uuid) {
            for (const QString &uuid : group.members)
                members.append(speakerByUuid(uuid));
        }
    }
    return members;
}

void SimHousehold::leave(SimSpeaker *speaker)
{
    const QString uuid = speaker->config().uuid;
    for (qsizetype i = 0; i < m_groups.size(); ++i) {
        Group &group = m_groups[i];
        if (!group.members.contains(uuid))
            continue;
        if (group.members.size() == 1)
            return; // already alone: nothing changes
        group.members.removeAll(uuid);
        // When the leader leaves, the next member leads what remains.
        if (group.coordinator == uuid)
            group.coordinator = group.members.first();
        break;
    }
    m_groups.append(Group{uuid, {uuid}});
}

bool SimHousehold::join(SimSpeaker *speaker, const QString &coordinatorUuid)
{
    SimSpeaker *target = speakerByUuid(coordinatorUuid);
    if (!target)
        return false;
    target = coordinatorOf(target);
    if (target == speaker || coordinatorOf(speaker) == target)
        return true;
    leave(speaker);
    const QString uuid = speaker->config().uuid;
    m_groups.erase(std::remove_if(m_groups.begin(), m_groups.end(),
                                  [&uuid](const Group &g) { return g.coordinator == uuid && g.members == QStringList{uuid}; }),
                   m_groups.end());
    for (Group &group : m_groups) {
        if (group.coordinator == target->config().uuid)
            group.members.append(uuid);
    }
    return true;
}

namespace {

// One member or satellite of the topology, its attributes in the order S2 players send them; a
// bonded set names its channel map where the recorded replies have it.
QString memberElement(const QString &tag, const QString &uuid, const QString &ip, const QString &zone, const QString &icon,
                      bool invisible, const QString &channelMap, const QString &inner)
{
    QString text = QStringLiteral("<%1 UUID=\"%2\" Location=\"http://%3:1400/xml/device_description.xml\" "
                                  "ZoneName=\"%4\" Icon=\"%5\" Configuration=\"1\"%6 SoftwareVersion=\"80.1-55240\" "
                                  "SWGen=\"2\" MinCompatibleVersion=\"79.0-00000\" "
                                  "LegacyCompatibleVersion=\"58.0-00000\"%7 BootSeq=\"42\" "
                                  "TVConfigurationError=\"0\" HdmiCecAvailable=\"0\" WirelessMode=\"0\" "
                                  "WirelessLeafOnly=\"0\" ChannelFreq=\"2437\" BehindWifiExtender=\"0\" "
                                  "WifiEnabled=\"1\" EthLink=\"0\" Orientation=\"0\" RoomCalibrationState=\"4\" "
                                  "SecureRegState=\"3\" VoiceConfigState=\"0\" MicEnabled=\"0\" "
                                  "AirPlayEnabled=\"1\" IdleState=\"1\" MoreInfo=\"\" SSLPort=\"1443\" "
                                  "HHSSLPort=\"1843\"")
                       .arg(tag, uuid, ip, xmlEscape(zone), xmlEscape(icon), invisible ? QStringLiteral(" Invisible=\"1\"") : QString(),
                            channelMap.isEmpty() ? QString() : QLatin1Char(' ') + channelMap);
    if (inner.isEmpty())
        return text + QStringLiteral("/>");
    return text + QLatin1Char('>') + inner + QStringLiteral("</") + tag + QLatin1Char('>');
}

} // namespace

QString SimHousehold::soloZoneGroupState(const SimSpeakerConfig &config)
{
    return QStringLiteral("<ZoneGroupState><ZoneGroups><ZoneGroup Coordinator=\"%1\" ID=\"%1:1\">").arg(config.uuid)
        + memberElement(QStringLiteral("ZoneGroupMember"), config.uuid, config.ip, config.roomName, config.icon, false, {}, {})
        + QStringLiteral("</ZoneGroup></ZoneGroups><VanishedDevices></VanishedDevices></ZoneGroupState>");
}

QString SimHousehold::zoneGroupState() const
{
    QString groups;
    for (const Group &group : m_groups) {
        QString members;
        for (const QString &uuid : group.members) {
            const SimSpeaker *speaker = speakerByUuid(uuid);
            const QString icon = speaker->config().icon;
            // A home theatre: the player carries the whole map, each satellite its own part.
            QString fullMap = uuid + QStringLiteral(":LF,RF");
            for (const SimHiddenPlayer &hidden : m_hidden) {
                if (hidden.ownerUuid == uuid && hidden.satellite)
                    fullMap += QLatin1Char(';') + hidden.uuid + QLatin1Char(':') + hidden.channels;
            }
            QString satellites;
            for (const SimHiddenPlayer &hidden : m_hidden) {
                if (hidden.ownerUuid == uuid && hidden.satellite)
                    satellites += memberElement(QStringLiteral("Satellite"), hidden.uuid, hidden.ip, hidden.zoneName, icon, true,
                                         QStringLiteral("HTSatChanMapSet=\"%1:LF,RF;%2:%3\"").arg(uuid, hidden.uuid, hidden.channels), {});
            }
            // A stereo pair: the hidden speaker comes first, both with the pair's map.
            QString pairMap;
            for (const SimHiddenPlayer &hidden : m_hidden) {
                if (hidden.ownerUuid == uuid && !hidden.satellite) {
                    pairMap = QStringLiteral("ChannelMapSet=\"%1:LF,LF;%2:%3\"").arg(uuid, hidden.uuid, hidden.channels);
                    members += memberElement(QStringLiteral("ZoneGroupMember"), hidden.uuid, hidden.ip, hidden.zoneName, icon, true, pairMap, {});
                }
            }
            const QString map = !pairMap.isEmpty() ? pairMap
                : satellites.isEmpty()              ? QString()
                                                    : QStringLiteral("HTSatChanMapSet=\"%1\"").arg(fullMap);
            members += memberElement(QStringLiteral("ZoneGroupMember"), uuid, speaker->config().ip, speaker->config().roomName, icon, false,
                              map, satellites);
        }
        groups += QStringLiteral("<ZoneGroup Coordinator=\"%1\" ID=\"%1:%2\">%3</ZoneGroup>")
                      .arg(group.coordinator, QString::number(qHash(group.coordinator) % 100000), members);
    }
    return QStringLiteral("<ZoneGroupState><ZoneGroups>") + groups
        + QStringLiteral("</ZoneGroups><VanishedDevices></VanishedDevices></ZoneGroupState>");
}

void SimHousehold::addFavorite(SimFavorite favorite)
{
    if (favorite.number == 0)
        favorite.number = m_house->nextFavorite++;
    m_house->favorites.append(std::move(favorite));
}

void SimHousehold::addStandardFavorites(bool withAppleMusic)
{
    const QString desc = QStringLiteral("<desc id=\"cdudn\" nameSpace=\"urn:schemas-rinconnetworks-com:metadata-1-0/\">"
                                        "SA_RINCON52231_X_#Svc52231-3-Token</desc>");
    const auto didl = [](const QString &item) { return didlDocument(item); };
    if (withAppleMusic) {
        addFavorite({13, QStringLiteral("Routes du soir"),
                     QStringLiteral("x-rincon-cpcontainer:1006206cplaylist%3apl.u-Kf3mQ?sid=204&flags=8300&sn=3"),
                     didl(QStringLiteral("<item id=\"1006206cplaylist%3apl.u-Kf3mQ\" parentID=\"1006206cplaylist\" "
                                         "restricted=\"true\"><dc:title>Routes du soir</dc:title>"
                                         "<upnp:class>object.container.playlistContainer.#PlaylistView</upnp:class>")
                         + desc + QStringLiteral("</item>")),
                     QString(), QStringLiteral("Playlist Apple Music")});
        const SimTrack song = *catalogueSong(QStringLiteral("1609934420"));
        addFavorite({4, song.title, song.uri,
                     didl(QStringLiteral("<item id=\"10032020song%3a1609934420\" parentID=\"10032020album%3a1609934400\" "
                                         "restricted=\"true\"><dc:title>")
                          + xmlEscape(song.title)
                          + QStringLiteral("</dc:title><upnp:class>object.item.audioItem.musicTrack</upnp:class>") + desc
                          + QStringLiteral("</item>")),
                     song.albumArtURI, song.artist});
    }
    // A stream favorite keeps the metadata it was saved with, which names the station.
    const SimTrack gardon = radioStation(QStringLiteral("Radio Gardon FM"), QStringLiteral("127.0.0.1/gardon.mp3"));
    addFavorite({21, gardon.title, gardon.uri, gardon.metadata, QString(), QStringLiteral("Station de radio")});
    addFavorite({22, QStringLiteral("Rires & Chansons d'ici"),
                 QStringLiteral("x-sonosapi-stream:s24861?sid=254&flags=8224&sn=0"),
                 didl(QStringLiteral("<item id=\"F00092020s24861\" parentID=\"L\" restricted=\"true\"><dc:title>Rires "
                                     "&amp; Chansons d'ici</dc:title><upnp:class>object.item.audioItem.audioBroadcast"
                                     "</upnp:class><desc id=\"cdudn\" nameSpace=\"urn:schemas-rinconnetworks-com:"
                                     "metadata-1-0/\">SA_RINCON65031_</desc></item>")),
                 QString(), QStringLiteral("TuneIn")});
}

bool SimHousehold::startAll()
{
    bool ok = true;
    for (SimSpeaker *speaker : m_speakers)
        ok = speaker->start() && ok;
    return ok;
}

bool SimHousehold::startDefault()
{
    SimSpeaker *salon = addSpeaker({.uuid = QStringLiteral("RINCON_5CAAFD0A1B2C01400"),
                                    .roomName = QStringLiteral("Salon"),
                                    .modelName = QStringLiteral("Sonos Era 300"),
                                    .modelNumber = QStringLiteral("S41"),
                                    .displayName = QStringLiteral("Era 300")});
    salon->setQueue(catalogueSongs(), 2);
    salon->setPosition(41);
    salon->setTransport(SimSpeaker::Transport::Playing);

    SimSpeaker *cuisine = addSpeaker({.uuid = QStringLiteral("RINCON_F0F6C1D2E3F401400"),
                                      .roomName = QStringLiteral("Cuisine"),
                                      .modelName = QStringLiteral("Sonos Roam 2"),
                                      .modelNumber = QStringLiteral("S54"),
                                      .displayName = QStringLiteral("Roam 2"),
                                      .hasBattery = true,
                                      .batteryLevel = 73,
                                      .powerSource = QStringLiteral("USB_POWER")});
    cuisine->setStreamSource(radioStation(QStringLiteral("Radio Gardon FM"), QStringLiteral("http://127.0.0.1/gardon.mp3")));
    cuisine->setTransport(SimSpeaker::Transport::Paused);

    SimSpeaker *bureau = addSpeaker({.uuid = QStringLiteral("RINCON_347E5C6D7E8F01400"),
                                     .roomName = QStringLiteral("Bureau"),
                                     .modelName = QStringLiteral("Sonos Port"),
                                     .modelNumber = QStringLiteral("S23"),
                                     .displayName = QStringLiteral("Port"),
                                     .hasAudioIn = true});
    bureau->setStreamSource(lineIn(bureau->config().uuid));
    bureau->setTransport(SimSpeaker::Transport::Playing);

    SimSpeaker *sejour = addSpeaker({.uuid = QStringLiteral("RINCON_48A6B8C9D0E101400"),
                                     .roomName = QStringLiteral("Séjour"),
                                     .modelName = QStringLiteral("Sonos Arc Ultra"),
                                     .modelNumber = QStringLiteral("S45"),
                                     .displayName = QStringLiteral("Arc Ultra")});
    sejour->setQueue(catalogueContainer(QStringLiteral("playlist"), QStringLiteral("pl.u-Kf3mQ"))->songs, 1);
    addHidden({QStringLiteral("RINCON_48A6B8C9D0E201400"), m_prefix + QStringLiteral(".40"), QStringLiteral("Séjour"), sejour->config().uuid, true, QStringLiteral("LR")});
    addHidden({QStringLiteral("RINCON_48A6B8C9D0E301400"), m_prefix + QStringLiteral(".41"), QStringLiteral("Séjour"), sejour->config().uuid, true, QStringLiteral("RR")});
    addHidden({QStringLiteral("RINCON_48A6B8C9D0E401400"), m_prefix + QStringLiteral(".42"), QStringLiteral("Sub"), sejour->config().uuid, true, QStringLiteral("SW")});

    SimSpeaker *chambre = addSpeaker({.uuid = QStringLiteral("RINCON_7828CA0B1C2D01400"),
                                      .roomName = QStringLiteral("Chambre"),
                                      .modelName = QStringLiteral("Sonos Era 100"),
                                      .modelNumber = QStringLiteral("S39"),
                                      .displayName = QStringLiteral("Era 100")});
    addHidden({QStringLiteral("RINCON_7828CA0B1C2E01400"), m_prefix + QStringLiteral(".43"), QStringLiteral("Chambre"), chambre->config().uuid, false, QStringLiteral("RF,RF")});

    addStandardFavorites(true);
    addStandardAlarms();
    return startAll();
}

void SimHousehold::addStandardAlarms()
{
    const auto favorite = [this](int number) {
        for (const SimFavorite &f : m_house->favorites) {
            if (f.number == number)
                return f;
        }
        return SimFavorite{};
    };
    const SimFavorite gardon = favorite(21);
    const SimFavorite rires = favorite(22);
    SimHouseData &data = *m_house;
    const auto add = [&data](SimAlarm alarm) {
        alarm.id = data.nextAlarm++;
        data.alarms.append(alarm);
    };
    // A station on weekdays in the bedroom, the chime at weekends (off), and a favorite with an
    // ampersand in its title on three days in the kitchen, joined by its group.
    add({0, QStringLiteral("07:00:00"), QStringLiteral("01:00:00"), QStringLiteral("WEEKDAYS"), QStringLiteral("1"),
         QStringLiteral("RINCON_7828CA0B1C2D01400"), gardon.uri, gardon.metadata, QStringLiteral("NORMAL"),
         QStringLiteral("18"), QStringLiteral("0")});
    add({0, QStringLiteral("09:30:00"), QStringLiteral("00:30:00"), QStringLiteral("WEEKENDS"), QStringLiteral("0"),
         QStringLiteral("RINCON_7828CA0B1C2D01400"), QStringLiteral("x-rincon-buzzer:0"), QString(),
         QStringLiteral("SHUFFLE_NOREPEAT"), QStringLiteral("12"), QStringLiteral("0")});
    add({0, QStringLiteral("06:45:00"), QStringLiteral("02:00:00"), QStringLiteral("ON_135"), QStringLiteral("1"),
         QStringLiteral("RINCON_F0F6C1D2E3F401400"), rires.uri, rires.metadata, QStringLiteral("NORMAL"),
         QStringLiteral("25"), QStringLiteral("1")});
    data.alarmVersionOwner = QStringLiteral("RINCON_7828CA0B1C2D01400");
    data.alarmVersion = 14;
}

bool SimHousehold::startNeverPlayed()
{
    SimSpeaker *salon = addSpeaker({.uuid = QStringLiteral("RINCON_5CAAFD0A1B2C01400"),
                                    .roomName = QStringLiteral("Salon"),
                                    .modelName = QStringLiteral("Sonos Era 300"),
                                    .modelNumber = QStringLiteral("S41"),
                                    .displayName = QStringLiteral("Era 300")});
    salon->setStreamSource(radioStation(QStringLiteral("Radio Gardon FM"), QStringLiteral("http://127.0.0.1/gardon.mp3")));
    addSpeaker({.uuid = QStringLiteral("RINCON_F0F6C1D2E3F401400"),
                .roomName = QStringLiteral("Cuisine"),
                .modelName = QStringLiteral("Sonos One"),
                .modelNumber = QStringLiteral("S18"),
                .displayName = QStringLiteral("One")});
    addStandardFavorites(false);
    return startAll();
}

bool SimHousehold::startLarge(int count)
{
    for (int i = 0; i < count; ++i) {
        SimSpeaker *speaker = addSpeaker({.uuid = QStringLiteral("RINCON_00000000%1%2").arg(i, 4, 10, QLatin1Char('0')).arg(QStringLiteral("01400")),
                                          .roomName = QStringLiteral("Pièce %1").arg(i + 1),
                                          .modelName = QStringLiteral("Sonos One SL"),
                                          .modelNumber = QStringLiteral("S38"),
                                          .displayName = QStringLiteral("One SL")});
        speaker->faults().topologyFails = true;
    }
    addStandardFavorites(true);
    return startAll();
}

bool SimHousehold::startCrowded(int queueLength)
{
    static const char *const rooms[] = {"Salon", "Cuisine", "Bureau", "Séjour", "Chambre", "Salle de bains", "Entrée",
                                        "Grenier", "Atelier", "Véranda", "Terrasse", "Bibliothèque"};
    QList<SimSpeaker *> added;
    for (int i = 0; i < 32; ++i) {
        // Twelve rooms by name, the others numbered within them: "Chambre 2".
        const QString room = QString::fromUtf8(rooms[i % 12]) + (i < 12 ? QString() : QStringLiteral(" %1").arg(i / 12 + 1));
        added.append(addSpeaker({.uuid = QStringLiteral("RINCON_C0FFEE%1%2").arg(i, 6, 10, QLatin1Char('0')).arg(QStringLiteral("01400")),
                                 .roomName = room,
                                 .modelName = QStringLiteral("Sonos Era 100"),
                                 .modelNumber = QStringLiteral("S39"),
                                 .displayName = QStringLiteral("Era 100")}));
    }
    // Twelve groups: each named room leads, and the numbered ones join theirs.
    for (int i = 12; i < 32; ++i)
        join(added.at(i), added.at(i % 12)->config().uuid);
    added.first()->setQueue(numberedSongs(queueLength), 1);
    added.first()->setTransport(SimSpeaker::Transport::Playing);
    addStandardFavorites(true);
    return startAll();
}

QString randomLoopbackPrefix()
{
    // 127.0.x.x is left alone: other local services live there.
    auto *random = QRandomGenerator::global();
    return QStringLiteral("127.%1.%2").arg(16 + random->bounded(230)).arg(1 + random->bounded(254));
}

void SimHousehold::scheduleEvents()
{
    for (SimSpeaker *speaker : m_speakers)
        speaker->scheduleEvents();
}

} // namespace corvane::sim
