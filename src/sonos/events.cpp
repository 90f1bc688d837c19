#include "events.h"

#include "async/http.h"
#include "base/text.h"
#include "replies.h"
#include "sonoscontroller.h"

#include <array>

#include <QCoreApplication>

namespace corvane {

namespace {

struct ServiceInfo
{
    EventService service;
    const char *type;
    const char *path;
    const char *key;
};

constexpr std::array<ServiceInfo, 7> kServices{{
    {EventService::Transport, "urn:schemas-upnp-org:service:AVTransport:1", "/MediaRenderer/AVTransport/Event", "transport"},
    {EventService::Rendering, "urn:schemas-upnp-org:service:RenderingControl:1", "/MediaRenderer/RenderingControl/Event", "rendering"},
    {EventService::GroupRendering, "urn:schemas-upnp-org:service:GroupRenderingControl:1",
     "/MediaRenderer/GroupRenderingControl/Event", "grouprendering"},
    {EventService::Topology, "urn:schemas-upnp-org:service:ZoneGroupTopology:1", "/ZoneGroupTopology/Event", "topology"},
    {EventService::Content, "urn:schemas-upnp-org:service:ContentDirectory:1", "/MediaServer/ContentDirectory/Event", "content"},
    {EventService::Alarms, "urn:schemas-upnp-org:service:AlarmClock:1", "/AlarmClock/Event", "alarms"},
    {EventService::Queue, "urn:schemas-sonos-com:service:Queue:1", "/MediaRenderer/Queue/Event", "queue"},
}};

const ServiceInfo &infoOf(EventService service)
{
    for (const ServiceInfo &info : kServices) {
        if (info.service == service)
            return info;
    }
    return kServices.front();
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char(':') || c == QLatin1Char('-')
        || c == QLatin1Char('.');
}

// The end ('>') of the tag that starts at `from` ('<'), quotes respected; -1 when it never ends.
qsizetype tagEnd(QStringView text, qsizetype from)
{
    QChar quote;
    for (qsizetype i = from + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            return i;
        }
    }
    return -1;
}

QString withoutPrefix(QStringView name)
{
    const qsizetype colon = name.lastIndexOf(QLatin1Char(':'));
    return (colon >= 0 ? name.mid(colon + 1) : name).toString();
}

std::optional<int> intOf(const QHash<QString, QString> &variables, const QString &name)
{
    const auto it = variables.constFind(name);
    if (it == variables.constEnd())
        return std::nullopt;
    bool ok = false;
    const int value = it->trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<bool> flagOf(const QHash<QString, QString> &variables, const QString &name)
{
    const auto it = variables.constFind(name);
    if (it == variables.constEnd())
        return std::nullopt;
    const QString value = it->trimmed();
    if (value == QLatin1String("1") || value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (value == QLatin1String("0") || value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

} // namespace

QString serviceType(EventService service) { return QLatin1String(infoOf(service).type); }
QString defaultEventPath(EventService service) { return QLatin1String(infoOf(service).path); }
QString eventServiceKey(EventService service) { return QLatin1String(infoOf(service).key); }

std::optional<EventService> eventServiceFromKey(QStringView key)
{
    for (const ServiceInfo &info : kServices) {
        if (key == QLatin1String(info.key))
            return info.service;
    }
    return std::nullopt;
}

QHash<QString, QString> parseEventPaths(const QString &description)
{
    QHash<QString, QString> paths;
    for (const QStringView element : elements(description, QLatin1StringView("service"))) {
        const auto type = firstBetween(element, QLatin1StringView("<serviceType>"), QLatin1StringView("</serviceType>"));
        const auto path = firstBetween(element, QLatin1StringView("<eventSubURL>"), QLatin1StringView("</eventSubURL>"));
        if (!type || !path)
            continue;
        const QString clean = path->trimmed();
        // Only a path on the speaker itself: an absolute URL elsewhere is not followed.
        if (clean.startsWith(QLatin1Char('/')) && !clean.startsWith(QLatin1String("//")))
            paths.insert(type->trimmed(), clean);
    }
    return paths;
}

QList<std::pair<QString, QString>> parsePropertySet(const QString &body)
{
    QList<std::pair<QString, QString>> properties;
    QList<QStringView> found = elements(body, QLatin1StringView("e:property"));
    if (found.isEmpty())
        found = elements(body, QLatin1StringView("property"));
    for (const QStringView property : found) {
        const qsizetype open = property.indexOf(QLatin1Char('>'));
        if (open < 0)
            continue;
        const QStringView inside = property.mid(open + 1);
        const qsizetype childStart = inside.indexOf(QLatin1Char('<'));
        if (childStart < 0 || childStart + 1 >= inside.size() || !isNameChar(inside[childStart + 1]))
            continue;
        qsizetype nameEnd = childStart + 1;
        while (nameEnd < inside.size() && isNameChar(inside[nameEnd]))
            ++nameEnd;
        const QStringView name = inside.mid(childStart + 1, nameEnd - childStart - 1);
        const qsizetype childEnd = tagEnd(inside, childStart);
        if (childEnd < 0)
            continue;
        QString value;
        if (inside[childEnd - 1] != QLatin1Char('/')) {
            const QString close = QStringLiteral("</") + name.toString();
            const qsizetype closeAt = inside.lastIndexOf(close);
            if (closeAt < childEnd)
                continue;
            value = xmlUnescape(inside.mid(childEnd + 1, closeAt - childEnd - 1).toString());
        }
        properties.append({withoutPrefix(name), value});
    }
    return properties;
}

QHash<QString, QString> parseLastChange(const QString &lastChange)
{
    constexpr int maxVariables = 256;
    QHash<QString, QString> variables;
    const QStringView text(lastChange);
    qsizetype at = text.indexOf(QLatin1String("<InstanceID"));
    if (at < 0)
        at = text.indexOf(QLatin1String("<QueueID"));
    if (at < 0)
        return variables;
    at = tagEnd(text, at);
    while (at >= 0 && variables.size() < maxVariables) {
        const qsizetype start = text.indexOf(QLatin1Char('<'), at + 1);
        if (start < 0 || start + 1 >= text.size())
            break;
        const qsizetype end = tagEnd(text, start);
        if (end < 0)
            break;
        at = end;
        if (!isNameChar(text[start + 1]))
            continue; // a closing tag, a comment
        qsizetype nameEnd = start + 1;
        while (nameEnd < end && isNameChar(text[nameEnd]))
            ++nameEnd;
        const QString name = withoutPrefix(text.mid(start + 1, nameEnd - start - 1));
        const QStringView tag = text.mid(start, end - start + 1);
        const std::optional<QString> value = attributeValue(tag, QStringLiteral("val"));
        if (!value)
            continue;
        const std::optional<QString> channel = attributeValue(tag, QStringLiteral("channel"));
        if (channel && *channel != QLatin1String("Master"))
            continue;
        variables.insert(name, xmlUnescape(*value));
    }
    return variables;
}

NowPlaying nowPlayingFromTransport(const QHash<QString, QString> &variables, const Speaker &speaker)
{
    // The event's variables written as the GetPositionInfo and GetTransportInfo replies (unescaped
    // twice), so that one reader turns both into what the window shows.
    const QString trackURI = variables.value(QStringLiteral("CurrentTrackURI"));
    const QString position = QStringLiteral("<Track>") + variables.value(QStringLiteral("CurrentTrack"))
        + QStringLiteral("</Track><TrackDuration>") + variables.value(QStringLiteral("CurrentTrackDuration"))
        + QStringLiteral("</TrackDuration><TrackMetaData>") + xmlUnescape(variables.value(QStringLiteral("CurrentTrackMetaData")))
        + QStringLiteral("</TrackMetaData><TrackURI>") + xmlEscape(trackURI) + QStringLiteral("</TrackURI>");
    const QString transport = QStringLiteral("<CurrentTransportState>") + variables.value(QStringLiteral("TransportState"))
        + QStringLiteral("</CurrentTransportState>");
    QString station;
    if (isLiveStream(trackURI)) {
        station = parseStationName(QStringLiteral("<CurrentURIMetaData>")
                                   + xmlUnescape(variables.value(QStringLiteral("AVTransportURIMetaData")))
                                   + QStringLiteral("</CurrentURIMetaData>"));
    }
    NowPlaying now = parseNowPlaying(position, transport, speaker, station);
    // A queue position says nothing while a stream or an input plays.
    if (now.isLive)
        now.queueIndex.reset();
    return now;
}

std::optional<QString> transportFollows(const QHash<QString, QString> &variables)
{
    return followedCoordinator(variables.value(QStringLiteral("CurrentTrackURI")).trimmed());
}

RenderingChange renderingFromVariables(const QHash<QString, QString> &variables)
{
    RenderingChange change;
    change.volume = intOf(variables, QStringLiteral("Volume"));
    if (change.volume)
        change.volume = std::clamp(*change.volume, 0, 100);
    change.muted = flagOf(variables, QStringLiteral("Mute"));
    change.bass = intOf(variables, QStringLiteral("Bass"));
    change.treble = intOf(variables, QStringLiteral("Treble"));
    change.loudness = flagOf(variables, QStringLiteral("Loudness"));
    return change;
}

GroupRenderingChange groupRenderingFromProperties(const QList<std::pair<QString, QString>> &properties)
{
    QHash<QString, QString> values;
    for (const auto &[name, value] : properties)
        values.insert(name, value);
    GroupRenderingChange change;
    change.volume = intOf(values, QStringLiteral("GroupVolume"));
    if (change.volume)
        change.volume = std::clamp(*change.volume, 0, 100);
    change.muted = flagOf(values, QStringLiteral("GroupMute"));
    return change;
}

QString topologyState(const QList<std::pair<QString, QString>> &properties)
{
    for (const auto &[name, value] : properties) {
        if (name == QLatin1String("ZoneGroupState") && value.contains(QLatin1String("<ZoneGroup")))
            return value;
    }
    return {};
}

QHash<QString, QString> parseContainerUpdateIDs(const QString &text)
{
    QHash<QString, QString> ids;
    const QStringList pieces = text.split(QLatin1Char(','));
    for (qsizetype i = 0; i + 1 < pieces.size() && ids.size() < 256; i += 2)
        ids.insert(pieces[i].trimmed(), pieces[i + 1].trimmed());
    return ids;
}

// ---- subscriptions

namespace Gena {

namespace {

GenaReply replyOf(const HttpResult &result, int requestedTimeout)
{
    GenaReply reply;
    if (!result.status) {
        reply.error = result.errorMessage;
        return reply;
    }
    if (*result.status == 412) {
        reply.outcome = GenaReply::Outcome::Unknown;
        return reply;
    }
    const QString sid = QString::fromLatin1(result.header("SID")).trimmed();
    if (*result.status != 200 || sid.isEmpty() || sid.size() > 200) {
        reply.error = QCoreApplication::translate("Events", "L’enceinte refuse l’abonnement (%1).").arg(*result.status);

        return reply;
    }
    reply.outcome = GenaReply::Outcome::Accepted;
    reply.sid = sid;
    reply.timeoutSeconds = parseTimeout(result.header("TIMEOUT"), requestedTimeout);
    return reply;
}

HttpRequest genaRequest(const QByteArray &method, const QUrl &url, CancellationToken token)
{
    HttpRequest request;
    request.method = method;
    request.url = url;
    request.timeout = delays().soapTimeout;
    request.maxBody = 64 * 1024;
    request.token = std::move(token);
    return request;
}

} // namespace

QCoro::Task<GenaReply> subscribe(QUrl eventURL, QUrl callback, int timeoutSeconds, CancellationToken token)
{
    HttpRequest request = genaRequest("SUBSCRIBE", eventURL, token);
    request.headers = {{"CALLBACK", '<' + callback.toEncoded() + '>'},
                       {"NT", "upnp:event"},
                       {"TIMEOUT", "Second-" + QByteArray::number(timeoutSeconds)}};
    const HttpResult result = co_await httpSend(speakerNetwork(), request);
    co_return replyOf(result, timeoutSeconds);
}

QCoro::Task<GenaReply> renew(QUrl eventURL, QString sid, int timeoutSeconds, CancellationToken token)
{
    HttpRequest request = genaRequest("SUBSCRIBE", eventURL, token);
    request.headers = {{"SID", sid.toLatin1()}, {"TIMEOUT", "Second-" + QByteArray::number(timeoutSeconds)}};
    const HttpResult result = co_await httpSend(speakerNetwork(), request);
    GenaReply reply = replyOf(result, timeoutSeconds);
    // Some players leave the SID out of a renewal's answer: it is the same subscription.
    if (reply.outcome == GenaReply::Outcome::Failed && result.status == 200) {
        reply.outcome = GenaReply::Outcome::Accepted;
        reply.sid = sid;
        reply.timeoutSeconds = parseTimeout(result.header("TIMEOUT"), timeoutSeconds);
    }
    co_return reply;
}

QCoro::Task<> unsubscribe(QUrl eventURL, QString sid)
{
    HttpRequest request = genaRequest("UNSUBSCRIBE", eventURL, {});
    request.headers = {{"SID", sid.toLatin1()}};
    request.timeout = std::min(delays().soapTimeout, Millis(2000));
    co_await httpSend(speakerNetwork(), request);
}

int parseTimeout(const QByteArray &header, int fallback)
{
    const QByteArray text = header.trimmed();
    if (!text.startsWith("Second-") && !text.startsWith("second-"))
        return fallback;
    bool ok = false;
    const int seconds = text.mid(7).toInt(&ok);
    // A grant under a few seconds would have the renewals flood the speaker.
    return ok && seconds > 0 ? std::clamp(seconds, 2, 86400) : fallback;
}

} // namespace Gena

} // namespace corvane
