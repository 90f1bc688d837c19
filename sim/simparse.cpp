#include "simparse.h"

#include <QUrlQuery>
#include <QXmlStreamReader>

namespace corvane::sim {

namespace {

const QString kEnvelopeNs = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
const QString kDidlNs = QStringLiteral("urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/");
const QString kDcNs = QStringLiteral("http://purl.org/dc/elements/1.1/");
const QString kUpnpNs = QStringLiteral("urn:schemas-upnp-org:metadata-1-0/upnp/");
const QString kRinconNs = QStringLiteral("urn:schemas-rinconnetworks-com:metadata-1-0/");

// UPnP error codes a speaker answers for requests it cannot read.
constexpr int kInvalidAction = 401;
constexpr int kInvalidArgs = 402;

struct Service
{
    QString type;
    QString controlPath;
    QHash<QString, QStringList> actions; // action -> its input arguments
};

QString upnpType(const char *name)
{
    return QStringLiteral("urn:schemas-upnp-org:service:%1:1").arg(QLatin1String(name));
}

// Every service a zone player has, with the actions the simulator carries out and their input
// arguments as the players' service descriptions list them. A service without actions here is
// still there: its actions answer "invalid action".
const QList<Service> &services()
{
    static const QList<Service> all = [] {
        const QStringList instance{QStringLiteral("InstanceID")};
        const auto with = [&instance](std::initializer_list<const char *> names) {
            QStringList arguments = instance;
            for (const char *name : names)
                arguments << QLatin1String(name);
            return arguments;
        };
        const QStringList channel = with({"Channel"});
        QList<Service> list;
        list.append({upnpType("AVTransport"), QStringLiteral("/MediaRenderer/AVTransport/Control"),
                      {{QStringLiteral("SetAVTransportURI"), with({"CurrentURI", "CurrentURIMetaData"})},
                       {QStringLiteral("AddURIToQueue"),
                        with({"EnqueuedURI", "EnqueuedURIMetaData", "DesiredFirstTrackNumberEnqueued", "EnqueueAsNext"})},
                       {QStringLiteral("ReorderTracksInQueue"), with({"StartingIndex", "NumberOfTracks", "InsertBefore", "UpdateID"})},
                       {QStringLiteral("RemoveTrackFromQueue"), with({"ObjectID", "UpdateID"})},
                       {QStringLiteral("RemoveAllTracksFromQueue"), instance},
                       {QStringLiteral("GetMediaInfo"), instance},
                       {QStringLiteral("GetTransportInfo"), instance},
                       {QStringLiteral("GetPositionInfo"), instance},
                       {QStringLiteral("GetTransportSettings"), instance},
                       {QStringLiteral("Stop"), instance},
                       {QStringLiteral("Play"), with({"Speed"})},
                       {QStringLiteral("Pause"), instance},
                       {QStringLiteral("Seek"), with({"Unit", "Target"})},
                       {QStringLiteral("Next"), instance},
                       {QStringLiteral("Previous"), instance},
                       {QStringLiteral("SetPlayMode"), with({"NewPlayMode"})},
                       {QStringLiteral("ConfigureSleepTimer"), with({"NewSleepTimerDuration"})},
                       {QStringLiteral("GetRemainingSleepTimerDuration"), instance},
                       {QStringLiteral("BecomeCoordinatorOfStandaloneGroup"), instance}}});
        list.append({upnpType("RenderingControl"), QStringLiteral("/MediaRenderer/RenderingControl/Control"),
                     {{QStringLiteral("GetVolume"), channel},
                      {QStringLiteral("SetVolume"), with({"Channel", "DesiredVolume"})},
                      {QStringLiteral("GetMute"), channel},
                      {QStringLiteral("SetMute"), with({"Channel", "DesiredMute"})},
                      {QStringLiteral("GetLoudness"), channel},
                      {QStringLiteral("SetLoudness"), with({"Channel", "DesiredLoudness"})},
                      {QStringLiteral("GetBass"), instance},
                      {QStringLiteral("SetBass"), with({"DesiredBass"})},
                      {QStringLiteral("GetTreble"), instance},
                      {QStringLiteral("SetTreble"), with({"DesiredTreble"})}}});
        list.append({upnpType("ContentDirectory"), QStringLiteral("/MediaServer/ContentDirectory/Control"),
                     {{QStringLiteral("Browse"),
                       {QStringLiteral("ObjectID"), QStringLiteral("BrowseFlag"), QStringLiteral("Filter"),
                        QStringLiteral("StartingIndex"), QStringLiteral("RequestedCount"), QStringLiteral("SortCriteria")}},
                      {QStringLiteral("CreateObject"), {QStringLiteral("ContainerID"), QStringLiteral("Elements")}},
                      {QStringLiteral("DestroyObject"), {QStringLiteral("ObjectID")}}}});
        list.append({upnpType("MusicServices"), QStringLiteral("/MusicServices/Control"),
                     {{QStringLiteral("ListAvailableServices"), {}}}});
        list.append({upnpType("ZoneGroupTopology"), QStringLiteral("/ZoneGroupTopology/Control"),
                     {{QStringLiteral("GetZoneGroupState"), {}}}});
        list.append({upnpType("GroupRenderingControl"), QStringLiteral("/MediaRenderer/GroupRenderingControl/Control"),
                     {{QStringLiteral("GetGroupVolume"), instance},
                      {QStringLiteral("SetGroupVolume"), with({"DesiredVolume"})},
                      {QStringLiteral("SetRelativeGroupVolume"), with({"Adjustment"})},
                      {QStringLiteral("SnapshotGroupVolume"), instance},
                      {QStringLiteral("GetGroupMute"), instance},
                      {QStringLiteral("SetGroupMute"), with({"DesiredMute"})}}});
        const QStringList alarmFields{QStringLiteral("StartLocalTime"), QStringLiteral("Duration"),
                                      QStringLiteral("Recurrence"), QStringLiteral("Enabled"),
                                      QStringLiteral("RoomUUID"), QStringLiteral("ProgramURI"),
                                      QStringLiteral("ProgramMetaData"), QStringLiteral("PlayMode"),
                                      QStringLiteral("Volume"), QStringLiteral("IncludeLinkedZones")};
        list.append({upnpType("AlarmClock"), QStringLiteral("/AlarmClock/Control"),
                     {{QStringLiteral("ListAlarms"), {}},
                      {QStringLiteral("CreateAlarm"), alarmFields},
                      {QStringLiteral("UpdateAlarm"), QStringList{QStringLiteral("ID")} + alarmFields},
                      {QStringLiteral("DestroyAlarm"), {QStringLiteral("ID")}}}});
        const struct
        {
            const char *name;
            const char *path;
        } idle[] = {                    {"DeviceProperties", "/DeviceProperties/Control"},
                    {"SystemProperties", "/SystemProperties/Control"},
                    {"GroupManagement", "/GroupManagement/Control"},
                    {"AudioIn", "/AudioIn/Control"},
                    {"HTControl", "/HTControl/Control"},
                    {"ConnectionManager", "/MediaServer/ConnectionManager/Control"},
                    {"ConnectionManager", "/MediaRenderer/ConnectionManager/Control"},
                    {"VirtualLineIn", "/MediaRenderer/VirtualLineIn/Control"}};
        for (const auto &service : idle)
            list.append({upnpType(service.name), QLatin1String(service.path), {}});
        list.append({QStringLiteral("urn:schemas-sonos-com:service:Queue:1"), QStringLiteral("/MediaRenderer/Queue/Control"), {}});
        return list;
    }();
    return all;
}

const Service *serviceByPath(const QString &path)
{
    for (const Service &service : services()) {
        if (service.controlPath == path)
            return &service;
    }
    return nullptr;
}

SoapCall refused(SoapCall call, int fault)
{
    call.fault = fault;
    return call;
}

} // namespace

std::optional<QString> serviceAt(const QString &controlPath)
{
    if (const Service *service = serviceByPath(controlPath))
        return service->type;
    return std::nullopt;
}

SoapCall readSoapCall(const QString &path, const QByteArray &soapAction, const QByteArray &body)
{
    SoapCall call;
    const Service *service = serviceByPath(path);
    if (!service) {
        call.httpStatus = 405;
        return call;
    }
    // SOAPACTION: "<service type>#<action>", quotes optional.
    QString header = QString::fromUtf8(soapAction).trimmed();
    if (header.size() >= 2 && header.startsWith(QLatin1Char('"')) && header.endsWith(QLatin1Char('"')))
        header = header.mid(1, header.size() - 2);
    const qsizetype hash = header.indexOf(QLatin1Char('#'));
    if (hash <= 0 || hash == header.size() - 1)
        return refused(call, kInvalidAction);
    call.service = header.left(hash);
    call.action = header.mid(hash + 1);
    if (call.service != service->type)
        return refused(call, kInvalidAction);

    QXmlStreamReader xml(body);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Envelope") || xml.namespaceUri() != kEnvelopeNs)
        return refused(call, kInvalidArgs);
    bool inBody = false;
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() == kEnvelopeNs && xml.name() == QLatin1String("Body")) {
            inBody = true;
            break;
        }
        if (xml.namespaceUri() == kEnvelopeNs && xml.name() == QLatin1String("Header")) {
            xml.skipCurrentElement();
            continue;
        }
        return refused(call, kInvalidArgs);
    }
    if (!inBody || !xml.readNextStartElement())
        return refused(call, kInvalidArgs);
    const bool sameAction = xml.name() == call.action && xml.namespaceUri() == call.service;

    // The arguments: plain text elements, each once. DIDL-Lite sent unescaped arrives as child
    // elements here, which no argument may have.
    QHash<QString, QString> arguments;
    bool malformed = false;
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        if (!xml.namespaceUri().isEmpty() || arguments.contains(name)) {
            malformed = true;
            xml.skipCurrentElement();
            continue;
        }
        const QString value = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (xml.hasError())
            break;
        arguments.insert(name, value);
    }
    // Nothing may follow the action in the body, and the document must end well.
    if (!xml.hasError() && xml.readNextStartElement())
        malformed = true;
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
    if (xml.hasError() || malformed)
        return refused(call, kInvalidArgs);
    if (!sameAction || !service->actions.contains(call.action))
        return refused(call, kInvalidAction);

    const QStringList expected = service->actions.value(call.action);
    if (arguments.size() != expected.size())
        return refused(call, kInvalidArgs);
    for (const QString &name : expected) {
        if (!arguments.contains(name))
            return refused(call, kInvalidArgs);
    }
    call.arguments = std::move(arguments);
    return call;
}

std::optional<DidlItem> readDidlItem(const QString &didl)
{
    QXmlStreamReader xml(didl);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("DIDL-Lite") || xml.namespaceUri() != kDidlNs)
        return std::nullopt;
    std::optional<DidlItem> found;
    while (xml.readNextStartElement()) {
        const bool entry = xml.namespaceUri() == kDidlNs
            && (xml.name() == QLatin1String("item") || xml.name() == QLatin1String("container"));
        if (!entry || found)
            return std::nullopt;
        DidlItem item;
        item.id = xml.attributes().value(QStringLiteral("id")).toString();
        item.parentID = xml.attributes().value(QStringLiteral("parentID")).toString();
        while (xml.readNextStartElement()) {
            const QStringView ns = xml.namespaceUri();
            const QStringView name = xml.name();
            QString *field = nullptr;
            if (ns == kDcNs && name == QLatin1String("title"))
                field = &item.title;
            else if (ns == kDcNs && name == QLatin1String("creator"))
                field = &item.creator;
            else if (ns == kUpnpNs && name == QLatin1String("album"))
                field = &item.album;
            else if (ns == kUpnpNs && name == QLatin1String("class"))
                field = &item.upnpClass;
            else if (ns == kUpnpNs && name == QLatin1String("albumArtURI"))
                field = &item.albumArtURI;
            else if (ns == kRinconNs && name == QLatin1String("description"))
                field = &item.description;
            else if (ns == kDidlNs && name == QLatin1String("desc"))
                field = &item.desc;
            else if (ns == kDidlNs && name == QLatin1String("res")) {
                item.protocolInfo = xml.attributes().value(QStringLiteral("protocolInfo")).toString();
                field = &item.res;
            }
            const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
            if (field)
                *field = text;
        }
        found = item;
    }
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
    if (xml.hasError())
        return std::nullopt;
    return found;
}

std::optional<QString> uriParameter(const QString &uri, const QString &key)
{
    const qsizetype question = uri.indexOf(QLatin1Char('?'));
    if (question < 0)
        return std::nullopt;
    const QUrlQuery query(uri.mid(question + 1));
    if (!query.hasQueryItem(key))
        return std::nullopt;
    return query.queryItemValue(key, QUrl::FullyDecoded);
}

} // namespace corvane::sim
