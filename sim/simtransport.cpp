// SOAP control of a simulated speaker: AVTransport and RenderingControl, with state that moves
// on with the clock.
#include "simspeaker.h"

#include <QTimer>

#include "simhousehold.h"
#include "simsoap.h"
#include "sonos/text.h"

#include <QRegularExpression>

namespace corvane::sim {

namespace {

const QString kAVT = QStringLiteral("urn:schemas-upnp-org:service:AVTransport:1");
const QString kRC = QStringLiteral("urn:schemas-upnp-org:service:RenderingControl:1");
const QString kCD = QStringLiteral("urn:schemas-upnp-org:service:ContentDirectory:1");

QString hms(qint64 seconds)
{
    return QString::asprintf("%lld:%02lld:%02lld", seconds / 3600, (seconds / 60) % 60,
                             seconds % 60);
}

// h:mm:ss as a speaker accepts it; nothing for anything else.
std::optional<qint64> parseHms(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{1,2}):(\\d{2}):(\\d{2})$"));
    const auto m = shape.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int minutes = m.captured(2).toInt();
    const int seconds = m.captured(3).toInt();
    if (minutes > 59 || seconds > 59)
        return std::nullopt;
    return m.captured(1).toLongLong() * 3600 + minutes * 60 + seconds;
}

std::optional<bool> parseFlag(const QString &text)
{
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

} // namespace

QByteArray soapEnvelope(const QString &service, const QString &action, const QString &content)
{
    return (QStringLiteral("<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                           "s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\"><s:Body>"
                           "<u:%1Response xmlns:u=\"%2\">%3</u:%1Response></s:Body></s:Envelope>")
                .arg(action, service, content))
        .toUtf8();
}

std::optional<int> parseInteger(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

SimSpeaker::Reply SimSpeaker::soap(const SimRequest &request)
{
    const auto fault = [](int code) {
        const QString body = QStringLiteral(
            "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
            "s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\"><s:Body><s:Fault>"
            "<faultcode>s:Client</faultcode><faultstring>UPnPError</faultstring><detail>"
            "<UPnPError xmlns=\"urn:schemas-upnp-org:control-1-0\"><errorCode>%1</errorCode>"
            "</UPnPError></detail></s:Fault></s:Body></s:Envelope>")
                                 .arg(code);
        return Reply{500, "text/xml; charset=\"utf-8\"", body.toUtf8()};
    };

    // The action must be the one the envelope carries.
    if (!request.body.contains(("<u:" + request.action + ' ').toUtf8()))
        return fault(401);
    const bool renderer = (request.service == kAVT
                           && request.path == QLatin1String("/MediaRenderer/AVTransport/Control"))
        || (request.service == kRC
            && request.path == QLatin1String("/MediaRenderer/RenderingControl/Control"));
    // Every renderer action addresses instance 0.
    if (renderer && !request.arguments.contains(QStringLiteral("InstanceID")))
        return fault(402);
    if (renderer && request.arguments.value(QStringLiteral("InstanceID")) != QLatin1String("0"))
        return fault(718);

    if (m_faults.failingActions.contains(request.action))
        return fault(701);
    settle();
    Reply reply;
    if (renderer && request.service == kAVT)
        reply = avTransport(request);
    else if (renderer)
        reply = renderingControl(request);
    else if (request.service == kCD && request.path == QLatin1String("/MediaServer/ContentDirectory/Control"))
        reply = contentDirectory(request);
    else if (request.path == QLatin1String("/MusicServices/Control"))
        reply = musicServices(request);
    else if (request.path == QLatin1String("/ZoneGroupTopology/Control"))
        reply = zoneGroupTopology(request);
    else
        reply = Reply{-401, {}, {}};

    if (reply.status < 0)
        return fault(-reply.status);
    return reply;
}

SimSpeaker::Reply SimSpeaker::avTransport(const SimRequest &request)
{
    const QString &action = request.action;
    const auto arg = [&request](const char *name) {
        return request.arguments.value(QString::fromLatin1(name));
    };
    const auto ok = [&action](const QString &content = {}) {
        return Reply{200, "text/xml; charset=\"utf-8\"", soapEnvelope(kAVT, action, content)};
    };
    const auto refuse = [](int code) { return Reply{-code, {}, {}}; };
    // Group-wide actions belong to the coordinator; a member refuses them as real players do.
    static const QStringList groupActions = {
        "Play", "Pause", "Stop", "Next", "Previous", "Seek", "SetPlayMode", "ConfigureSleepTimer",
        "AddURIToQueue", "RemoveTrackFromQueue", "ReorderTracksInQueue", "RemoveAllTracksFromQueue"};
    SimSpeaker *leader = coordinator();
    if (leader != this) {
        if (groupActions.contains(action))
            return refuse(800);
        if (action == QLatin1String("GetPositionInfo") || action == QLatin1String("GetTransportInfo")
            || action == QLatin1String("GetTransportSettings")
            || action == QLatin1String("GetRemainingSleepTimerDuration")) {
            leader->settle();
            Reply followed = leader->avTransport(request);
            return followed;
        }
    }
    if (action == QLatin1String("SetAVTransportURI"))
        return setTransportURI(arg("CurrentURI"), arg("CurrentURIMetaData"));
    if (action == QLatin1String("BecomeCoordinatorOfStandaloneGroup")) {
        if (m_household)
            m_household->leave(this);
        return ok(QStringLiteral("<DelegatedGroupCoordinatorID></DelegatedGroupCoordinatorID><NewGroupID>%1:1</NewGroupID>")
                      .arg(m_config.uuid));
    }
    if (action == QLatin1String("AddURIToQueue") || action == QLatin1String("RemoveTrackFromQueue")
        || action == QLatin1String("ReorderTracksInQueue") || action == QLatin1String("RemoveAllTracksFromQueue"))
        return queueAction(request);
    const SimTrack *track = currentTrack();

    if (action == QLatin1String("Play")) {
        if (arg("Speed") != QLatin1String("1"))
            return refuse(402);
        if (!track)
            return refuse(701);
        changeTransportLater(Transport::Playing);
        return ok();
    }
    if (action == QLatin1String("Pause")) {
        if (m_transport == Transport::Stopped)
            return refuse(701);
        changeTransportLater(Transport::Paused);
        return ok();
    }
    if (action == QLatin1String("Stop")) {
        m_transport = Transport::Stopped;
        m_positionMs = 0;
        return ok();
    }
    if (action == QLatin1String("Next") || action == QLatin1String("Previous")) {
        if (m_stream || m_queue.isEmpty())
            return refuse(701);
        if (action == QLatin1String("Next")) {
            if (!stepForward(true))
                return refuse(711);
        } else {
            if (m_positionMs < 3000 && m_track > 1)
                --m_track;
            m_positionMs = 0;
        }
        return ok();
    }
    if (action == QLatin1String("Seek")) {
        const QString unit = arg("Unit");
        const QString target = arg("Target");
        if (unit == QLatin1String("REL_TIME")) {
            if (m_stream || !track)
                return refuse(701);
            const auto seconds = parseHms(target);
            if (!seconds || *seconds > track->durationSeconds)
                return refuse(711);
            m_positionMs = *seconds * 1000;
            return ok();
        }
        if (unit == QLatin1String("TRACK_NR")) {
            if (m_stream)
                return refuse(701);
            const auto number = parseInteger(target);
            if (!number || *number < 1 || *number > m_queue.size())
                return refuse(711);
            m_track = *number;
            m_positionMs = 0;
            return ok();
        }
        return refuse(402);
    }
    if (action == QLatin1String("SetPlayMode")) {
        const auto mode = playModeFromText(arg("NewPlayMode"));
        if (!mode)
            return refuse(712);
        m_playMode = *mode;
        return ok();
    }
    if (action == QLatin1String("GetTransportSettings")) {
        return ok(QStringLiteral("<PlayMode>%1</PlayMode><RecQualityMode>NOT_IMPLEMENTED"
                                 "</RecQualityMode>")
                      .arg(playModeText(m_playMode)));
    }
    if (action == QLatin1String("ConfigureSleepTimer")) {
        const QString duration = arg("NewSleepTimerDuration");
        if (!request.arguments.contains(QStringLiteral("NewSleepTimerDuration")))
            return refuse(402);
        if (duration.isEmpty()) {
            m_sleepDeadline.reset();
        } else {
            const auto seconds = parseHms(duration);
            if (!seconds)
                return refuse(402);
            m_sleepDeadline = now() + *seconds * 1000;
        }
        ++m_sleepGeneration;
        return ok();
    }
    if (action == QLatin1String("GetRemainingSleepTimerDuration")) {
        const auto left = sleepSecondsLeft();
        return ok(QStringLiteral("<RemainingSleepTimerDuration>%1</RemainingSleepTimerDuration>"
                                 "<CurrentSleepTimerGeneration>%2</CurrentSleepTimerGeneration>")
                      .arg(left ? hms(*left) : QString())
                      .arg(m_sleepGeneration));
    }
    if (action == QLatin1String("GetTransportInfo")) {
        static const char *names[] = {"STOPPED", "PLAYING", "PAUSED_PLAYBACK"};
        return ok(QStringLiteral("<CurrentTransportState>%1</CurrentTransportState>"
                                 "<CurrentTransportStatus>OK</CurrentTransportStatus>"
                                 "<CurrentSpeed>1</CurrentSpeed>")
                      .arg(QLatin1String(names[int(m_transport)])));
    }
    if (action == QLatin1String("GetPositionInfo")) {
        if (!track) {
            return ok(QStringLiteral("<Track>0</Track><TrackDuration>0:00:00</TrackDuration>"
                                     "<TrackMetaData></TrackMetaData><TrackURI></TrackURI>"
                                     "<RelTime>0:00:00</RelTime><AbsTime>NOT_IMPLEMENTED</AbsTime>"
                                     "<RelCount>2147483647</RelCount>"
                                     "<AbsCount>2147483647</AbsCount>"));
        }
        const int number = m_stream ? 1 : m_track;
        QString duration = hms(track->durationSeconds);
        if (track->kind == SimTrack::Kind::LineIn)
            duration.clear();
        const qint64 elapsed = track->kind == SimTrack::Kind::LineIn ? 0 : m_positionMs / 1000;
        return ok(QStringLiteral("<Track>%1</Track><TrackDuration>%2</TrackDuration>"
                                 "<TrackMetaData>%3</TrackMetaData><TrackURI>%4</TrackURI>"
                                 "<RelTime>%5</RelTime><AbsTime>NOT_IMPLEMENTED</AbsTime>"
                                 "<RelCount>2147483647</RelCount><AbsCount>2147483647</AbsCount>")
                      .arg(number)
                      .arg(duration,
                           xmlEscape(track->didl(QStringLiteral("-1"), QStringLiteral("-1"))),
                           xmlEscape(track->uri), hms(elapsed)));
    }
    return refuse(401);
}

SimSpeaker::Reply SimSpeaker::renderingControl(const SimRequest &request)
{
    const QString &action = request.action;
    const auto arg = [&request](const char *name) {
        return request.arguments.value(QString::fromLatin1(name));
    };
    const auto ok = [&action](const QString &content = {}) {
        return Reply{200, "text/xml; charset=\"utf-8\"", soapEnvelope(kRC, action, content)};
    };
    const auto refuse = [](int code) { return Reply{-code, {}, {}}; };
    const bool master = arg("Channel") == QLatin1String("Master");

    if (action == QLatin1String("GetVolume") || action == QLatin1String("SetVolume")
        || action == QLatin1String("GetMute") || action == QLatin1String("SetMute")
        || action == QLatin1String("GetLoudness") || action == QLatin1String("SetLoudness")) {
        if (!master)
            return refuse(402);
    }
    if (action == QLatin1String("GetVolume"))
        return ok(QStringLiteral("<CurrentVolume>%1</CurrentVolume>").arg(m_volume));
    if (action == QLatin1String("SetVolume")) {
        const auto level = parseInteger(arg("DesiredVolume"));
        if (!level || *level < 0 || *level > 100)
            return refuse(402);
        m_volume = *level;
        return ok();
    }
    if (action == QLatin1String("GetMute"))
        return ok(QStringLiteral("<CurrentMute>%1</CurrentMute>").arg(m_muted ? 1 : 0));
    if (action == QLatin1String("SetMute")) {
        const auto flag = parseFlag(arg("DesiredMute"));
        if (!flag)
            return refuse(402);
        m_muted = *flag;
        return ok();
    }
    if (action == QLatin1String("GetLoudness"))
        return ok(QStringLiteral("<CurrentLoudness>%1</CurrentLoudness>").arg(m_eq.loudness ? 1 : 0));
    if (action == QLatin1String("SetLoudness")) {
        const auto flag = parseFlag(arg("DesiredLoudness"));
        if (!flag)
            return refuse(402);
        m_eq.loudness = *flag;
        return ok();
    }
    if (action == QLatin1String("GetBass"))
        return ok(QStringLiteral("<CurrentBass>%1</CurrentBass>").arg(m_eq.bass));
    if (action == QLatin1String("GetTreble"))
        return ok(QStringLiteral("<CurrentTreble>%1</CurrentTreble>").arg(m_eq.treble));
    if (action == QLatin1String("SetBass") || action == QLatin1String("SetTreble")) {
        const bool bass = action == QLatin1String("SetBass");
        const auto value = parseInteger(arg(bass ? "DesiredBass" : "DesiredTreble"));
        if (!value || *value < -10 || *value > 10)
            return refuse(402);
        (bass ? m_eq.bass : m_eq.treble) = *value;
        return ok();
    }
    return refuse(401);
}

const SimTrack *SimSpeaker::currentTrack() const
{
    if (m_stream)
        return &*m_stream;
    if (m_track >= 1 && m_track <= m_queue.size())
        return &m_queue.at(m_track - 1);
    return nullptr;
}

SimSpeaker::Transport SimSpeaker::transport()
{
    settle();
    return m_transport;
}

int SimSpeaker::trackNumber()
{
    settle();
    return m_track;
}

int SimSpeaker::positionSeconds()
{
    settle();
    return int(m_positionMs / 1000);
}

std::optional<int> SimSpeaker::sleepSecondsLeft()
{
    settle();
    if (!m_sleepDeadline)
        return std::nullopt;
    const qint64 leftMs = *m_sleepDeadline - now();
    return int((leftMs + 999) / 1000);
}

// Moves to the track after the current one as the play mode says. False at the end of the queue
// when the mode does not wrap (the transport then stops on track 1, as a real player does).
bool SimSpeaker::stepForward(bool userAction)
{
    const int count = int(m_queue.size());
    if (count == 0)
        return false;
    int next = m_track;
    if (m_playMode == PlayMode::RepeatOne && !userAction) {
        // the same track again
    } else if (m_playMode == PlayMode::Shuffle || m_playMode == PlayMode::ShuffleNoRepeat) {
        if (count > 1)
            next = (m_track - 1 + 1 + int(m_shuffle.bounded(count - 1))) % count + 1;
    } else if (m_track < count) {
        ++next;
    } else if (m_playMode == PlayMode::RepeatAll || m_playMode == PlayMode::RepeatOne) {
        next = 1;
    } else {
        if (!userAction) {
            m_track = 1;
            m_positionMs = 0;
            m_transport = Transport::Stopped;
        }
        return false;
    }
    m_track = next;
    m_positionMs = 0;
    return true;
}

void SimSpeaker::advanceClock(qint64 ms)
{
    settle();
    m_clockOffset += ms;
    settle();
}

void SimSpeaker::settle()
{
    const qint64 now = this->now();
    qint64 until = now;
    const bool sleepEnds = m_sleepDeadline && *m_sleepDeadline <= now;
    if (sleepEnds)
        until = std::max(*m_sleepDeadline, m_lastSettle);

    if (m_transport == Transport::Playing) {
        m_positionMs += until - m_lastSettle;
        const SimTrack *track = currentTrack();
        while (track && !m_stream && track->durationSeconds > 0
               && m_positionMs >= qint64(track->durationSeconds) * 1000) {
            const qint64 overflow = m_positionMs - qint64(track->durationSeconds) * 1000;
            if (!stepForward(false))
                break;
            m_positionMs = overflow;
            track = currentTrack();
        }
    }
    if (sleepEnds) {
        m_sleepDeadline.reset();
        if (m_transport == Transport::Playing)
            m_transport = Transport::Paused;
    }
    m_lastSettle = now;
}

void SimSpeaker::changeTransportLater(Transport state)
{
    if (m_faults.transportLagMs <= 0) {
        m_transport = state;
        return;
    }
    // A slow player keeps reporting its former state for a moment.
    QTimer::singleShot(m_faults.transportLagMs, this, [this, state] { setTransport(state); });
}

} // namespace corvane::sim
