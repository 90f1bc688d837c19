// A simulated speaker's events (UPnP GENA), as real players send them: SUBSCRIBE, renewal and
// UNSUBSCRIBE on each service's event URL, an initial notification with the whole state, then
// one per change carrying what changed, numbered by SEQ. Callbacks outside the loopback network
// are never called.

#include "simhousehold.h"
#include "simspeaker.h"

#include "base/text.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace corvane::sim {

namespace {

QString hmsText(int seconds)
{
    return QString::asprintf("%d:%02d:%02d", seconds / 3600, (seconds / 60) % 60, seconds % 60);
}

struct EventKind
{
    const char *path;
    const char *lastChangeNamespace; // null: the state goes in plain properties
};

constexpr EventKind kKinds[] = {
    {"/MediaRenderer/AVTransport/Event", "urn:schemas-upnp-org:metadata-1-0/AVT/"},
    {"/MediaRenderer/RenderingControl/Event", "urn:schemas-upnp-org:metadata-1-0/RCS/"},
    {"/MediaRenderer/GroupRenderingControl/Event", nullptr},
    {"/MediaRenderer/Queue/Event", "urn:schemas-sonos-com:metadata-1-0/Queue/"},
    {"/ZoneGroupTopology/Event", nullptr},
    {"/MediaServer/ContentDirectory/Event", nullptr},
    {"/AlarmClock/Event", nullptr},
};

const EventKind *kindAt(const QString &path)
{
    for (const EventKind &kind : kKinds) {
        if (path == QLatin1String(kind.path))
            return &kind;
    }
    return nullptr;
}

} // namespace

bool SimSpeaker::isEventPath(const QString &path) { return kindAt(path) != nullptr; }

SimSpeaker::Reply SimSpeaker::gena(const SimRequest &request)
{
    const QByteArray sid = request.header("SID");
    const QByteArray callback = request.header("CALLBACK");
    const qint64 now = m_realClock.elapsed();
    const auto granted = [this, &request] {
        const QByteArray timeout = request.header("TIMEOUT").trimmed();
        int seconds = 3600;
        if (timeout.startsWith("Second-")) {
            bool ok = false;
            const int asked = timeout.mid(7).toInt(&ok);
            if (ok && asked > 0)
                seconds = std::min(asked, 86400);
        }
        return m_faults.grantSeconds > 0 ? m_faults.grantSeconds : seconds;
    };
    const auto answer = [](const QString &sid, int seconds) {
        Reply reply{200, {}, {}};
        reply.extraHeaders = "SID: " + sid.toLatin1() + "\r\nTIMEOUT: Second-" + QByteArray::number(seconds) + "\r\n";
        return reply;
    };

    if (request.method == "SUBSCRIBE" && sid.isEmpty()) {
        // CALLBACK: <http://host:port/path>, possibly several; the first is used.
        const int open = callback.indexOf('<');
        const int close = callback.indexOf('>', open + 1);
        const QUrl url(QString::fromLatin1(open >= 0 && close > open ? callback.mid(open + 1, close - open - 1) : QByteArray()));
        if (!url.isValid() || url.scheme() != QLatin1String("http") || request.header("NT") != "upnp:event")
            return Reply{412, "text/html", {}};
        SimSubscription subscription;
        subscription.sid = QStringLiteral("uuid:%1_sub%2").arg(m_config.uuid).arg(++m_nextSubscription, 10, 10, QLatin1Char('0'));
        subscription.path = request.path;
        subscription.callback = url;
        const int seconds = granted();
        subscription.expiresAt = now + qint64(seconds) * 1000;
        m_subscriptions.append(subscription);
        // The initial notification follows the answer.
        QTimer::singleShot(5, this, &SimSpeaker::sendEvents);
        m_eventTimer.start();
        return answer(subscription.sid, seconds);
    }
    for (qsizetype i = 0; i < m_subscriptions.size(); ++i) {
        SimSubscription &subscription = m_subscriptions[i];
        if (subscription.sid.toLatin1() != sid || subscription.path != request.path)
            continue;
        if (request.method == "UNSUBSCRIBE") {
            m_subscriptions.removeAt(i);
            return Reply{200, {}, {}};
        }
        const int seconds = granted();
        subscription.expiresAt = now + qint64(seconds) * 1000;
        return answer(subscription.sid, seconds);
    }
    // Unknown, expired or lost in a restart.
    return Reply{412, "text/html", {}};
}

QList<SimSpeaker::EventVariable> SimSpeaker::eventState(const QString &path)
{
    QList<EventVariable> state;
    const auto add = [&state](const char *name, const QString &value, const char *channel = nullptr) {
        state.append(EventVariable{QLatin1String(name), value, channel ? QLatin1String(channel) : QString()});
    };
    if (path == QLatin1String("/MediaRenderer/AVTransport/Event")) {
        static const char *names[] = {"STOPPED", "PLAYING", "PAUSED_PLAYBACK"};
        SimSpeaker *leader = coordinator();
        leader->settle();
        const Transport transport = leader->m_transport;
        add("TransportState", QLatin1String(names[int(transport)]));
        if (leader != this) {
            const QString followed = QStringLiteral("x-rincon:") + leader->config().uuid;
            add("CurrentPlayMode", QStringLiteral("NORMAL"));
            add("NumberOfTracks", QStringLiteral("1"));
            add("CurrentTrack", QStringLiteral("1"));
            add("CurrentTrackURI", followed);
            add("CurrentTrackDuration", QString());
            add("CurrentTrackMetaData", QString());
            add("AVTransportURI", followed);
            add("AVTransportURIMetaData", QString());
            add("CurrentTransportActions", QStringLiteral("Stop, Play"));
            return state;
        }
        const SimTrack *track = currentTrack();
        add("CurrentPlayMode", playModeText(m_playMode));
        add("NumberOfTracks", QString::number(m_stream ? 1 : m_queue.size()));
        add("CurrentTrack", QString::number(m_stream ? 1 : m_track));
        add("CurrentTrackURI", track ? track->uri : QString());
        add("CurrentTrackDuration", track && track->kind != SimTrack::Kind::LineIn ? hmsText(track->durationSeconds) : QString());
        add("CurrentTrackMetaData",
            track ? track->positionDidl(track->kind == SimTrack::Kind::LineIn ? QString() : streamTitle()) : QString());
        add("AVTransportURI", m_stream ? m_stream->uri : transportURI());
        add("AVTransportURIMetaData", m_stream ? m_stream->metadata : QString());
        add("SleepTimerGeneration", QString::number(m_sleepGeneration));
        add("CurrentTransportActions", QStringLiteral("Set, Stop, Pause, Play, X_DLNA_SeekTime, Next, Previous"));
    } else if (path == QLatin1String("/MediaRenderer/RenderingControl/Event")) {
        add("Volume", QString::number(m_volume), "Master");
        add("Mute", m_muted ? QStringLiteral("1") : QStringLiteral("0"), "Master");
        add("Bass", QString::number(m_eq.bass));
        add("Treble", QString::number(m_eq.treble));
        add("Loudness", m_eq.loudness ? QStringLiteral("1") : QStringLiteral("0"), "Master");
    } else if (path == QLatin1String("/MediaRenderer/GroupRenderingControl/Event")) {
        SimSpeaker *leader = coordinator();
        const QList<SimSpeaker *> members = m_household ? m_household->membersOf(leader) : QList<SimSpeaker *>{this};
        bool allMuted = !members.isEmpty();
        for (SimSpeaker *member : members)
            allMuted = allMuted && member->m_muted;
        add("GroupMute", allMuted ? QStringLiteral("1") : QStringLiteral("0"));
        add("GroupVolume", QString::number(leader->groupVolume()));
        add("GroupVolumeChangeable", QStringLiteral("1"));
    } else if (path == QLatin1String("/MediaRenderer/Queue/Event")) {
        add("UpdateID", QString::number(m_queueUpdateID));
        add("Curated", QStringLiteral("0"));
    } else if (path == QLatin1String("/ZoneGroupTopology/Event")) {
        // Newer firmware's form: the ZoneGroups wrapped in ZoneGroupState.
        add("ZoneGroupState", m_household ? m_household->zoneGroupState() : SimHousehold::soloZoneGroupState(m_config));
    } else if (path == QLatin1String("/MediaServer/ContentDirectory/Event")) {
        size_t favorites = 0;
        for (const SimFavorite &favorite : house().favorites)
            favorites = qHashMulti(favorites, favorite.number, favorite.title, favorite.uri);
        const QString favoritesID = QString::number(favorites % 1000000);
        add("SystemUpdateID", QString::number(m_queueUpdateID));
        add("ContainerUpdateIDs", QStringLiteral("Q:0,%1,FV:2,%2").arg(m_queueUpdateID).arg(favoritesID));
        add("FavoritesUpdateID", m_config.uuid + QLatin1Char(',') + favoritesID);
    } else if (path == QLatin1String("/AlarmClock/Event")) {
        add("TimeZone", QStringLiteral("0000000000000000000000000000000000000000"));
        add("TimeServer", QStringLiteral("0.sonostime.pool.ntp.org"));
        add("TimeGeneration", QStringLiteral("1"));
        add("AlarmListVersion", house().alarmListVersion());
        add("DailyIndexRefreshTime", QStringLiteral("02:00:00"));
        add("TimeFormat", QStringLiteral("INV"));
        add("DateFormat", QStringLiteral("INV"));
    }
    return state;
}

QByteArray SimSpeaker::eventBody(const QString &path, const QList<EventVariable> &variables)
{
    const EventKind *kind = kindAt(path);
    QString body = QStringLiteral("<e:propertyset xmlns:e=\"urn:schemas-upnp-org:event-1-0\">");
    if (kind && kind->lastChangeNamespace) {
        const bool queue = path == QLatin1String("/MediaRenderer/Queue/Event");
        QString event = QStringLiteral("<Event xmlns=\"%1\" xmlns:r=\"urn:schemas-rinconnetworks-com:metadata-1-0/\">")
                            .arg(QLatin1String(kind->lastChangeNamespace))
            + (queue ? QStringLiteral("<QueueID val=\"0\">") : QStringLiteral("<InstanceID val=\"0\">"));
        for (const EventVariable &variable : variables) {
            // Sonos's own variables carry its namespace, as real players write them.
            static const QStringList sonosOwn = {QStringLiteral("SleepTimerGeneration")};
            const QString name = sonosOwn.contains(variable.name) ? QStringLiteral("r:") + variable.name : variable.name;
            event += QLatin1Char('<') + name
                + (variable.channel.isEmpty() ? QString() : QStringLiteral(" channel=\"") + variable.channel + QLatin1Char('"'))
                + QStringLiteral(" val=\"") + xmlEscape(variable.value) + QStringLiteral("\"/>");
        }
        event += (queue ? QStringLiteral("</QueueID>") : QStringLiteral("</InstanceID>")) + QStringLiteral("</Event>");
        body += QStringLiteral("<e:property><LastChange>") + xmlEscape(event) + QStringLiteral("</LastChange></e:property>");
    } else {
        for (const EventVariable &variable : variables) {
            body += QStringLiteral("<e:property><") + variable.name + QLatin1Char('>') + xmlEscape(variable.value)
                + QStringLiteral("</") + variable.name + QStringLiteral("></e:property>");
        }
    }
    body += QStringLiteral("</e:propertyset>");
    return body.toUtf8();
}

void SimSpeaker::scheduleEvents()
{
    if (!m_subscriptions.isEmpty())
        QTimer::singleShot(0, this, &SimSpeaker::sendEvents);
}

void SimSpeaker::sendEvents()
{
    const qint64 now = m_realClock.elapsed();
    m_subscriptions.removeIf([now](const SimSubscription &subscription) { return subscription.expiresAt <= now; });
    if (m_subscriptions.isEmpty()) {
        m_eventTimer.stop();
        return;
    }
    QHash<QString, QList<EventVariable>> states;
    for (SimSubscription &subscription : m_subscriptions) {
        if (!states.contains(subscription.path))
            states.insert(subscription.path, eventState(subscription.path));
        const QList<EventVariable> &state = states.value(subscription.path);
        // After the first, a notification carries only what changed.
        QList<EventVariable> changed;
        for (const EventVariable &variable : state) {
            const QString key = variable.name + QLatin1Char('|') + variable.channel;
            if (!subscription.initialSent || subscription.sent.value(key) != variable.value || !subscription.sent.contains(key))
                changed.append(variable);
            subscription.sent.insert(key, variable.value);
        }
        if (changed.isEmpty() && subscription.initialSent)
            continue;
        subscription.initialSent = true;
        const quint32 seq = subscription.seq;
        // The counter wraps to 1, never to 0, which only the initial notification carries.
        subscription.seq = subscription.seq == 0xFFFFFFFFu ? 1u : subscription.seq + 1;
        if (m_faults.dropEvents)
            continue;
        if (m_faults.loseEvents > 0) {
            --m_faults.loseEvents;
            continue;
        }
        deliver(subscription, seq, eventBody(subscription.path, changed));
    }
}

void SimSpeaker::deliver(const SimSubscription &subscription, quint32 seq, const QByteArray &body)
{
    const QHostAddress host(subscription.callback.host());
    // Tests and the demo listen on loopback; nothing is ever sent elsewhere.
    if (host.isNull() || !host.isLoopback())
        return;
    auto *socket = new QTcpSocket(this);
    // From the speaker's own address, as a real player's notification comes.
    socket->bind(QHostAddress(m_config.ip), 0);
    QByteArray path = subscription.callback.path(QUrl::FullyEncoded).toLatin1();
    if (path.isEmpty())
        path = "/";
    const QByteArray request = "NOTIFY " + path + " HTTP/1.1\r\nHOST: " + subscription.callback.host().toLatin1() + ':'
        + QByteArray::number(subscription.callback.port(80)) + "\r\nCONTENT-TYPE: text/xml; charset=\"utf-8\"\r\nNT: upnp:event\r\n"
        + "NTS: upnp:propchange\r\nSID: " + subscription.sid.toLatin1() + "\r\nSEQ: " + QByteArray::number(seq)
        + "\r\nCONTENT-LENGTH: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    connect(socket, &QTcpSocket::connected, socket, [socket, request] { socket->write(request); });
    connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::errorOccurred, socket, [socket] { socket->deleteLater(); });
    QTimer::singleShot(3000, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    ++m_eventsSent;
    socket->connectToHost(host, quint16(subscription.callback.port(80)));
}

} // namespace corvane::sim
