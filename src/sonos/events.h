#pragma once

#include "async/cancellation.h"
#include "base/records.h"

#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>
#include <utility>

namespace corvane {

// The services a speaker sends events for, and what this program subscribes to.
enum class EventService {
    Transport,      // AVTransport: what plays, its state, the play mode
    Rendering,      // RenderingControl: this speaker's volume, mute and tone
    GroupRendering, // GroupRenderingControl: the group's volume, at the coordinator
    Topology,       // ZoneGroupTopology: the household's groups
    Content,        // ContentDirectory: update ids of the queue and the favorites
    Alarms,         // AlarmClock: the alarm list's version
    Queue,          // Queue: the queue's update id
};

QString serviceType(EventService service);
// The path real players use, for a description that does not say.
QString defaultEventPath(EventService service);
// Short name for callback paths and logs: "transport", "rendering", ...
QString eventServiceKey(EventService service);
std::optional<EventService> eventServiceFromKey(QStringView key);

// serviceType -> eventSubURL of every service of a device description (embedded devices included).
QHash<QString, QString> parseEventPaths(const QString &description);

// The properties of a NOTIFY body (<e:propertyset>), in order, each text unescaped once. Nothing
// when the body holds none; a property with child elements keeps them as text.
QList<std::pair<QString, QString>> parsePropertySet(const QString &body);
// The variables of a LastChange document (unescaped once): name without namespace prefix -> its
// `val`, unescaped. Of the channel variables (Volume, Mute, Loudness) only the Master channel is
// kept. Bounded work on any text.
QHash<QString, QString> parseLastChange(const QString &lastChange);

// What a transport event said, merged over the earlier ones, as the snapshot a poll gives: the
// current track's metadata, state, queue position and duration. Elapsed time is not evented.
NowPlaying nowPlayingFromTransport(const QHash<QString, QString> &variables, const Speaker &speaker);
// "x-rincon:<uuid>" as the transport: a group member following its coordinator.
std::optional<QString> transportFollows(const QHash<QString, QString> &variables);

// The room's sound from a rendering control event; absent fields were not in this event.
struct RenderingChange
{
    std::optional<int> volume;
    std::optional<bool> muted;
    std::optional<int> bass;
    std::optional<int> treble;
    std::optional<bool> loudness;
};
RenderingChange renderingFromVariables(const QHash<QString, QString> &variables);

// The group's volume from a group rendering control event (plain properties, no LastChange).
struct GroupRenderingChange
{
    std::optional<int> volume;
    std::optional<bool> muted;
};
GroupRenderingChange groupRenderingFromProperties(const QList<std::pair<QString, QString>> &properties);

// The ZoneGroupState document of a topology event, plain, in either payload form (newer
// firmware wraps <ZoneGroups> in <ZoneGroupState>); empty when the event carries none.
QString topologyState(const QList<std::pair<QString, QString>> &properties);

// ContainerUpdateIDs ("Q:0,52,FV:2,7") as container -> update id.
QHash<QString, QString> parseContainerUpdateIDs(const QString &text);

// ---- subscriptions (UPnP GENA)

struct GenaReply
{
    enum class Outcome { Accepted, Unknown, Failed };
    Outcome outcome = Outcome::Failed; // Unknown: 412, the speaker no longer knows the subscription
    QString sid;
    int timeoutSeconds = 0;
    QString error; // French, for Failed
};

namespace Gena {
// `eventURL` is the speaker's base URL resolved with the service's eventSubURL.
QCoro::Task<GenaReply> subscribe(QUrl eventURL, QUrl callback, int timeoutSeconds, CancellationToken token = {});
QCoro::Task<GenaReply> renew(QUrl eventURL, QString sid, int timeoutSeconds, CancellationToken token = {});
QCoro::Task<> unsubscribe(QUrl eventURL, QString sid);
// "Second-1800" -> 1800; "infinite" and anything unreadable give `fallback`.
int parseTimeout(const QByteArray &header, int fallback);
} // namespace Gena

} // namespace corvane
