// The simulated speaker's queue, sources, favorites, services and topology.
#include "simhousehold.h"
#include "simparse.h"
#include "simsoap.h"
#include "simspeaker.h"

#include "base/text.h"

#include <QRegularExpression>

#include <functional>

namespace corvane::sim {

namespace {

const QString kAVT = QStringLiteral("urn:schemas-upnp-org:service:AVTransport:1");
const QString kCD = QStringLiteral("urn:schemas-upnp-org:service:ContentDirectory:1");
const QString kMS = QStringLiteral("urn:schemas-upnp-org:service:MusicServices:1");
const QString kZGT = QStringLiteral("urn:schemas-upnp-org:service:ZoneGroupTopology:1");

// The songs an Apple Music URI stands for: one song or a whole album or playlist of the
// catalogue (none for a container it does not know); nothing for a song it does not know.
std::optional<QList<SimTrack>> tracksFor(const QString &uri, const DidlItem &metadata)
{
    static const QRegularExpression container(QStringLiteral("^x-rincon-cpcontainer:100[46]206c(album|playlist)%3a([^?]+)"));
    if (const auto m = container.match(uri); m.hasMatch()) {
        const auto found = catalogueContainer(m.captured(1), QUrl::fromPercentEncoding(m.captured(2).toUtf8()));
        return found ? found->songs : QList<SimTrack>();
    }
    const auto known = catalogueSong(songIDOf(uri));
    if (!known)
        return std::nullopt;
    // The queue shows the song as its metadata describes it, and plays the URI as sent.
    SimTrack track = *known;
    track.uri = uri;
    track.albumArtURI = QStringLiteral("/getaa?s=1&u=") + artEncoded(uri);
    if (!metadata.title.isEmpty()) {
        track.title = metadata.title;
        track.artist = metadata.creator;
        track.album = metadata.album;
    }
    return QList<SimTrack>{track};
}

// Empty metadata, or metadata that is a DIDL-Lite item; anything else is no argument a speaker
// can read.
bool readableMetadata(const QString &metadata)
{
    return metadata.isEmpty() || readDidlItem(metadata).has_value();
}

} // namespace

void SimSpeaker::setHousehold(SimHousehold *household, std::shared_ptr<SimHouseData> data)
{
    m_household = household;
    m_house = std::move(data);
}

SimSpeaker *SimSpeaker::coordinator()
{
    return m_household ? m_household->coordinatorOf(this) : this;
}

QString SimSpeaker::transportURI() const
{
    if (m_stream)
        return m_stream->uri;
    return QStringLiteral("x-rincon-queue:") + m_config.uuid + QStringLiteral("#0");
}

int SimSpeaker::accountRefusal(const QString &uri, const QString &metadata) const
{
    // Apple Music items play with the household's account: the URI carries its serial and the
    // metadata its token, or the speaker cannot fetch them.
    if (uriParameter(uri, QStringLiteral("sid")) != QStringLiteral("204"))
        return 0;
    if (uriParameter(uri, QStringLiteral("sn")) != m_house->appleMusicSerial)
        return 800;
    const auto item = readDidlItem(metadata);
    if (!item || item->desc != m_house->appleMusicToken())
        return 800;
    return 0;
}

SimSpeaker::Reply SimSpeaker::setTransportURI(const QString &uri, const QString &metadata)
{
    const auto done = [] {
        return Reply{200, "text/xml; charset=\"utf-8\"", soapEnvelope(kAVT, QStringLiteral("SetAVTransportURI"), {})};
    };
    if (!readableMetadata(metadata))
        return Reply{-402, {}, {}};
    if (uri.startsWith(QLatin1String("x-rincon:"))) {
        if (!m_household || !m_household->join(this, uri.mid(9)))
            return Reply{-800, {}, {}};
        return done();
    }
    if (const int refusal = accountRefusal(uri, metadata))
        return Reply{-refusal, {}, {}};

    SimTrack source;
    if (uri.startsWith(QLatin1String("x-rincon-queue:"))) {
        if (uri != QStringLiteral("x-rincon-queue:") + m_config.uuid + QStringLiteral("#0"))
            return Reply{-714, {}, {}};
    } else if (uri.startsWith(QLatin1String("x-rincon-mp3radio://")) && uri.size() > 20) {
        source = radioStation(readDidlItem(metadata).value_or(DidlItem()).title, uri);
        source.metadata = metadata;
    } else if (uri.startsWith(QLatin1String("x-rincon-stream:"))) {
        SimSpeaker *input = m_household ? m_household->speakerByUuid(uri.mid(16)) : (uri.mid(16) == m_config.uuid ? this : nullptr);
        if (!input || !input->config().hasAudioIn)
            return Reply{-714, {}, {}};
        source = lineIn(input->config().uuid);
        source.metadata = metadata;
    } else if (uri.startsWith(QLatin1String("x-sonos-htastream:"))) {
        // The TV input of a home-theatre speaker: x-sonos-htastream:<uuid>:spdif.
        const QString uuid = uri.mid(18).section(QLatin1Char(':'), 0, 0);
        SimSpeaker *input = m_household ? m_household->speakerByUuid(uuid) : (uuid == m_config.uuid ? this : nullptr);
        if (!input)
            return Reply{-714, {}, {}};
        source = lineIn(uuid);
        source.uri = uri;
        source.metadata = metadata;
    } else if (uri.startsWith(QLatin1String("x-rincon-cpcontainer:"))) {
        // A saved album or playlist replaces the queue and plays from it.
        const auto tracks = tracksFor(uri, readDidlItem(metadata).value_or(DidlItem()));
        if (!tracks || tracks->isEmpty())
            return Reply{-714, {}, {}};
        if (m_household && coordinator() != this)
            m_household->leave(this);
        setQueue(*tracks, 1);
        m_transport = Transport::Stopped;
        return done();
    } else if (uri.contains(QLatin1String("x-sonosapi"))) {
        source.kind = SimTrack::Kind::Radio;
        source.uri = uri;
        source.title = readDidlItem(metadata).value_or(DidlItem()).title;
        source.metadata = metadata;
    } else {
        return Reply{-714, {}, {}};
    }

    // Any source of its own takes a member out of the group it followed; a coordinator keeps
    // its group, which follows it to the new source.
    if (m_household && coordinator() != this)
        m_household->leave(this);
    if (source.uri.isEmpty()) {
        m_stream.reset();
        if (m_track == 0 && !m_queue.isEmpty())
            m_track = 1;
    } else {
        m_stream = source;
    }
    m_positionMs = 0;
    m_transport = Transport::Stopped;
    return done();
}

SimSpeaker::Reply SimSpeaker::queueAction(const SimRequest &request)
{
    const QString &action = request.action;
    const auto arg = [&request](const char *name) { return request.arguments.value(QString::fromLatin1(name)); };
    const auto ok = [&action](const QString &content = {}) {
        return Reply{200, "text/xml; charset=\"utf-8\"", soapEnvelope(kAVT, action, content)};
    };
    const auto refuse = [](int code) { return Reply{-code, {}, {}}; };
    const int length = int(m_queue.size());

    if (action == QLatin1String("RemoveAllTracksFromQueue")) {
        if (m_queue.isEmpty())
            return refuse(804); // as real players answer: nothing to remove
        m_queue.clear();
        ++m_queueUpdateID;
        m_track = 0;
        m_positionMs = 0;
        if (!m_stream)
            m_transport = Transport::Stopped;
        return ok();
    }
    if (action == QLatin1String("AddURIToQueue")) {
        const QString uri = arg("EnqueuedURI");
        const auto desired = parseInteger(arg("DesiredFirstTrackNumberEnqueued"));
        const auto asNext = parseInteger(arg("EnqueueAsNext"));
        if (!desired || !asNext || *desired < 0)
            return refuse(402);
        const QString metadata = arg("EnqueuedURIMetaData");
        if (!readableMetadata(metadata))
            return refuse(402);
        if (uriParameter(uri, QStringLiteral("sid")) != QStringLiteral("204"))
            return refuse(714);
        if (const int refusal = accountRefusal(uri, metadata))
            return refuse(refusal);
        const auto tracks = tracksFor(uri, readDidlItem(metadata).value_or(DidlItem()));
        if (!tracks)
            return refuse(800); // no such song in the catalogue: the service refuses it
        if (tracks->size() == 1 && m_faults.refusedSongs.contains(songIDOf(tracks->first().uri)))
            return refuse(800);
        int first = *desired == 0 || *desired > length ? length + 1 : *desired;
        if (tracks->isEmpty())
            first = 0;
        for (qsizetype i = 0; i < tracks->size(); ++i)
            m_queue.insert(first - 1 + i, tracks->at(i));
        if (!tracks->isEmpty()) {
            ++m_queueUpdateID;
            if (m_track == 0)
                m_track = 1;
            else if (first <= m_track)
                m_track += int(tracks->size());
        }
        return ok(QStringLiteral("<FirstTrackNumberEnqueued>%1</FirstTrackNumberEnqueued><NumTracksAdded>%2"
                                 "</NumTracksAdded><NewQueueLength>%3</NewQueueLength>")
                      .arg(QString::number(first), QString::number(tracks->size()), QString::number(m_queue.size())));
    }
    if (action == QLatin1String("RemoveTrackFromQueue")) {
        const QString object = arg("ObjectID");
        const auto position = object.startsWith(QLatin1String("Q:0/")) ? parseInteger(object.mid(4)) : std::nullopt;
        if (!position || *position < 1 || *position > length)
            return refuse(701);
        m_queue.removeAt(*position - 1);
        ++m_queueUpdateID;
        if (*position < m_track || m_track > m_queue.size())
            --m_track;
        return ok(QStringLiteral("<NewUpdateID>%1</NewUpdateID>").arg(m_queueUpdateID));
    }
    if (action == QLatin1String("ReorderTracksInQueue")) {
        const auto start = parseInteger(arg("StartingIndex"));
        const auto count = parseInteger(arg("NumberOfTracks"));
        const auto before = parseInteger(arg("InsertBefore"));
        if (!start || !count || !before || *start < 1 || *count < 1 || *start + *count - 1 > length
            || *before < 1 || *before > length + 1)
            return refuse(402);
        const SimTrack *playing = currentTrack();
        const QString playingUri = playing && !m_stream ? playing->uri : QString();
        QList<SimTrack> block = m_queue.mid(*start - 1, *count);
        m_queue.remove(*start - 1, *count);
        int target = *before - 1;
        if (*before > *start)
            target -= std::min(*count, *before - *start);
        for (qsizetype i = 0; i < block.size(); ++i)
            m_queue.insert(target + i, block.at(i));
        ++m_queueUpdateID;
        if (!playingUri.isEmpty()) {
            for (int i = 0; i < m_queue.size(); ++i) {
                if (m_queue.at(i).uri == playingUri) {
                    m_track = i + 1;
                    break;
                }
            }
        }
        return ok();
    }
    return refuse(401);
}

namespace {
// One favorite as a real speaker lists it; its own DIDL-Lite travels escaped inside the item.
QString favoriteItem(const SimFavorite &favorite)
{
    // The protocol of what the favorite plays: a container, a service song, a stream.
    QString protocol = favorite.uri.section(QLatin1Char(':'), 0, 0) + QStringLiteral(":*:*:*");
    if (favorite.uri.startsWith(QLatin1String("x-sonos-http:")))
        protocol = QStringLiteral("sonos.com-http:*:audio/mp4:*");
    QString item = QStringLiteral("<item id=\"FV:2/%1\" parentID=\"FV:2\" restricted=\"false\"><dc:title>%2</dc:title>"
                                  "<upnp:class>object.itemobject.item.sonos-favorite</upnp:class>"
                                  "<r:ordinal>%1</r:ordinal><res protocolInfo=\"%4\">%3</res>")
                       .arg(QString::number(favorite.number), xmlEscape(favorite.title), xmlEscape(favorite.uri), xmlEscape(protocol));
    if (!favorite.albumArtURI.isEmpty())
        item += QStringLiteral("<upnp:albumArtURI>%1</upnp:albumArtURI>").arg(xmlEscape(favorite.albumArtURI));
    item += QStringLiteral("<r:type>instantPlay</r:type><r:description>%1</r:description>").arg(xmlEscape(favorite.description));
    if (!favorite.metadata.isEmpty())
        item += QStringLiteral("<r:resMD>%1</r:resMD>").arg(xmlEscape(favorite.metadata));
    return item + QStringLiteral("</item>");
}
} // namespace

SimSpeaker::Reply SimSpeaker::contentDirectory(const SimRequest &request)
{
    const auto arg = [&request](const char *name) { return request.arguments.value(QString::fromLatin1(name)); };
    const auto ok = [&request](const QString &content = {}) {
        return Reply{200, "text/xml; charset=\"utf-8\"", soapEnvelope(kCD, request.action, content)};
    };

    if (request.action == QLatin1String("CreateObject")) {
        if (arg("ContainerID") != QLatin1String("FV:2"))
            return Reply{-701, {}, {}};
        const QString elements = arg("Elements");
        const auto item = readDidlItem(elements);
        if (!item || item->res.isEmpty())
            return Reply{-402, {}, {}};
        SimFavorite favorite;
        favorite.number = m_house->nextFavorite++;
        favorite.title = item->title;
        favorite.uri = item->res;
        favorite.albumArtURI = item->albumArtURI;
        favorite.description = item->description;
        favorite.metadata = elements;
        m_house->favorites.append(favorite);
        return ok(QStringLiteral("<ObjectID>FV:2/%1</ObjectID><Result></Result>").arg(favorite.number));
    }
    if (request.action == QLatin1String("DestroyObject")) {
        const QString object = arg("ObjectID");
        for (qsizetype i = 0; i < m_house->favorites.size(); ++i) {
            if (QStringLiteral("FV:2/%1").arg(m_house->favorites.at(i).number) == object) {
                m_house->favorites.removeAt(i);
                return ok();
            }
        }
        return Reply{-701, {}, {}};
    }
    if (request.action != QLatin1String("Browse"))
        return Reply{-401, {}, {}};

    const auto start = parseInteger(arg("StartingIndex"));
    const auto count = parseInteger(arg("RequestedCount"));
    if (!start || !count || *start < 0 || *count < 0
        || arg("BrowseFlag") != QLatin1String("BrowseDirectChildren"))
        return Reply{-402, {}, {}};

    const QString objectID = arg("ObjectID");
    int total = 0;
    std::function<QString(int)> item;
    if (objectID == QLatin1String("Q:0")) {
        total = int(m_queue.size());
        item = [this](int i) { return m_queue.at(i).didlItem(QStringLiteral("Q:0/%1").arg(i + 1), QStringLiteral("Q:0")); };
    } else if (objectID == QLatin1String("FV:2")) {
        total = int(m_house->favorites.size());
        item = [this](int i) { return favoriteItem(m_house->favorites.at(i)); };
    } else {
        return Reply{-701, {}, {}}; // no such object
    }
    // As in UPnP, a requested count of 0 means everything from the starting index; as a real
    // speaker does, no read returns more than 100 items.
    constexpr int mostPerRead = 100;
    const int first = std::min(*start, total);
    const int wanted = *count == 0 ? mostPerRead : std::min(*count, mostPerRead);
    const int last = std::min(total, first + wanted);
    QString items;
    for (int i = first; i < last; ++i)
        items += item(i);
    return ok(QStringLiteral("<Result>%1</Result><NumberReturned>%2</NumberReturned>"
                             "<TotalMatches>%3</TotalMatches><UpdateID>%4</UpdateID>")
                  .arg(xmlEscape(didlDocument(items)), QString::number(last - first), QString::number(total),
                       QString::number(m_queueUpdateID)));
}

SimSpeaker::Reply SimSpeaker::musicServices(const SimRequest &request)
{
    if (request.action != QLatin1String("ListAvailableServices"))
        return Reply{-401, {}, {}};
    struct Service
    {
        int id;
        const char *name;
        const char *uri;
    };
    QList<Service> services = {
        {284, "YouTube Music", "https://music.example.com/v1:sendRequest"},
        {9, "Spotify", "https://spotify.example.com/sonos/ws/sonos"},
        {254, "TuneIn", "http://legato.example.com/radio/Sonos.ashx"},
        {308, "Radio Paradise", "http://api.example.com/sonos/soap/server.php"},
    };
    if (m_house->appleMusicListed)
        services.insert(2, Service{204, "Apple Music", "https://sonos-music.example.com/ws/SonosSoap"});
    QString list = QStringLiteral("<Services SchemaVersion=\"1\">");
    for (const Service &service : services) {
        list += QStringLiteral("<Service Id=\"%1\" Name=\"%2\" Version=\"1.1\" Uri=\"%3\" SecureUri=\"%3\" "
                               "ContainerType=\"MService\" Capabilities=\"2563\"><Policy Auth=\"AppLink\" "
                               "PollInterval=\"60\"/><Presentation/></Service>")
                    .arg(QString::number(service.id), QLatin1String(service.name), QLatin1String(service.uri));
    }
    list += QStringLiteral("</Services>");
    return Reply{200, "text/xml; charset=\"utf-8\"",
                 soapEnvelope(kMS, request.action,
                              QStringLiteral("<AvailableServiceDescriptorList>%1</AvailableServiceDescriptorList>"
                                             "<AvailableServiceTypeList>52231,2311,65031,78855</AvailableServiceTypeList>"
                                             "<AvailableServiceListVersion>RINCON_5CAAFD0A1B2C01400:842</AvailableServiceListVersion>")
                                  .arg(xmlEscape(list)))};
}

SimSpeaker::Reply SimSpeaker::zoneGroupTopology(const SimRequest &request)
{
    if (request.action != QLatin1String("GetZoneGroupState"))
        return Reply{-401, {}, {}};
    if (m_faults.topologyFails)
        return Reply{-501, {}, {}};
    const QString state = m_household ? m_household->zoneGroupState() : SimHousehold::soloZoneGroupState(m_config);
    return Reply{200, "text/xml; charset=\"utf-8\"",
                 soapEnvelope(kZGT, request.action,
                              QStringLiteral("<ZoneGroupState>%1</ZoneGroupState>").arg(xmlEscape(state)))};
}

} // namespace corvane::sim
