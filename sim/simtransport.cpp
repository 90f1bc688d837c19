// SOAP control of a simulated speaker: AVTransport, with state that moves on with the clock.
#include "simspeaker.h"

#include <QTimer>

#include "base/text.h"
#include "simhousehold.h"
#include "simsoap.h"

#include <QRegularExpression>

namespace corvane::sim {

namespace {

const QString kAVT = QStringLiteral("urn:schemas-upnp-org:service:AVTransport:1");
const QString kRC = QStringLiteral("urn:schemas-upnp-org:service:RenderingControl:1");
const QString kCD = QStringLiteral("urn:schemas-upnp-org:service:ContentDirectory:1");
const QString kMS = QStringLiteral("urn:schemas-upnp-org:service:MusicServices:1");
const QString kZGT = QStringLiteral("urn:schemas-upnp-org:service:ZoneGroupTopology:1");
const QString kGRC = QStringLiteral("urn:schemas-upnp-org:service:GroupRenderingControl:1");
const QString kAC = QStringLiteral("urn:schemas-upnp-org:service:AlarmClock:1");

// A live stream announces its next song this often (seconds of play).
constexpr int kStreamTitleSeconds = 40;

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

QString positionReply(int track, const QString &duration, const QString &metadata, const QString &uri, const QString &relTime)
{
    return QStringLiteral("<Track>%1</Track><TrackDuration>%2</TrackDuration><TrackMetaData>%3</TrackMetaData>"
                          "<TrackURI>%4</TrackURI><RelTime>%5</RelTime><AbsTime>NOT_IMPLEMENTED</AbsTime>"
                          "<RelCount>2147483647</RelCount><AbsCount>2147483647</AbsCount>")
        .arg(QString::number(track), duration, xmlEscape(metadata), xmlEscape(uri), relTime);
}

QString mediaReply(int tracks, const QString &uri, const QString &metadata)
{
    return QStringLiteral("<NrTracks>%1</NrTracks><MediaDuration>NOT_IMPLEMENTED</MediaDuration>"
                          "<CurrentURI>%2</CurrentURI><CurrentURIMetaData>%3</CurrentURIMetaData>"
                          "<NextURI></NextURI><NextURIMetaData></NextURIMetaData><PlayMedium>NETWORK</PlayMedium>"
                          "<RecordMedium>NOT_IMPLEMENTED</RecordMedium><WriteStatus>NOT_IMPLEMENTED</WriteStatus>")
        .arg(QString::number(tracks), xmlEscape(uri), xmlEscape(metadata));
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

QByteArray soapFault(int code)
{
    return QStringLiteral("<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                          "s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\"><s:Body><s:Fault>"
                          "<faultcode>s:Client</faultcode><faultstring>UPnPError</faultstring><detail>"
                          "<UPnPError xmlns=\"urn:schemas-upnp-org:control-1-0\"><errorCode>%1</errorCode>"
                          "</UPnPError></detail></s:Fault></s:Body></s:Envelope>")
        .arg(code)
        .toUtf8();
}

std::optional<int> parseInteger(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

SimSpeaker::Reply SimSpeaker::soap(const SimRequest &request, const SoapCall &call)
{
    const auto fault = [](int code) { return Reply{500, "text/xml; charset=\"utf-8\"", soapFault(code)}; };
    if (!call.ok())
        return fault(call.fault);
    // Every renderer action addresses instance 0.
    const bool renderer = call.service == kAVT || call.service == kRC || call.service == kGRC;
    if (renderer && call.arguments.value(QStringLiteral("InstanceID")) != QLatin1String("0"))
        return fault(718);
    if (m_faults.failingActions.contains(call.action))
        return fault(701);

    settle();
    Reply reply;
    if (call.service == kAVT)
        reply = avTransport(request);
    else if (call.service == kRC)
        reply = renderingControl(request);
    else if (call.service == kCD)
        reply = contentDirectory(request);
    else if (call.service == kMS)
        reply = musicServices(request);
    else if (call.service == kZGT)
        reply = zoneGroupTopology(request);
    else if (call.service == kGRC)
        reply = groupRenderingControl(request);
    else if (call.service == kAC)
        reply = alarmClock(request);
    else
        reply = Reply{-401, {}, {}};
    if (reply.status < 0)
        return fault(-reply.status);
    return reply;
}

// A member of a group plays what its coordinator sends it: it refuses the group's commands and
// reports the coordinator's stream as its track. Status 0: the member handles it as its own.
SimSpeaker::Reply SimSpeaker::memberTransport(const SimRequest &request, SimSpeaker *leader)
{
    const QString &action = request.action;
    const auto ok = [&action](const QString &content) {
        return Reply{200, "text/xml; charset=\"utf-8\"", soapEnvelope(kAVT, action, content)};
    };
    static const QStringList groupActions = {
        "Play", "Pause", "Stop", "Next", "Previous", "Seek", "ConfigureSleepTimer", "GetRemainingSleepTimerDuration",
        "AddURIToQueue", "RemoveTrackFromQueue", "ReorderTracksInQueue", "RemoveAllTracksFromQueue"};
    const QString followed = QStringLiteral("x-rincon:") + leader->config().uuid;
    if (action == QLatin1String("SetPlayMode"))
        return Reply{-712, {}, {}};
    if (groupActions.contains(action))
        return Reply{-800, {}, {}};
    if (action == QLatin1String("GetPositionInfo"))
        return ok(positionReply(1, QString(), QString(), followed, QStringLiteral("0:00:00")));
    if (action == QLatin1String("GetMediaInfo"))
        return ok(mediaReply(1, followed, QString()));
    if (action == QLatin1String("GetTransportInfo") || action == QLatin1String("GetTransportSettings")) {
        leader->settle();
        return leader->avTransport(request);
    }
    return Reply{0, {}, {}};
}

QString SimSpeaker::streamTitle()
{
    settle();
    if (!m_stream || m_stream->streamTitles.isEmpty())
        return {};
    const qint64 step = m_positionMs / 1000 / kStreamTitleSeconds;
    return m_stream->streamTitles.at(int(step % m_stream->streamTitles.size()));
}

QString SimSpeaker::positionInfo()
{
    const SimTrack *track = currentTrack();
    if (!track)
        return positionReply(0, QStringLiteral("0:00:00"), QString(), QString(), QStringLiteral("0:00:00"));
    if (track->kind == SimTrack::Kind::LineIn)
        return positionReply(1, QString(), track->positionDidl({}), track->uri, QStringLiteral("0:00:00"));
    const int number = m_stream ? 1 : m_track;
    return positionReply(number, hms(track->durationSeconds), track->positionDidl(streamTitle()), track->uri,
                         hms(m_positionMs / 1000));
}

QString SimSpeaker::mediaInfo() const
{
    if (m_stream)
        return mediaReply(1, m_stream->uri, m_stream->metadata);
    return mediaReply(int(m_queue.size()), transportURI(), QString());
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
    if (SimSpeaker *leader = coordinator(); leader != this) {
        if (Reply reply = memberTransport(request, leader); reply.status != 0)
            return reply;
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
    if (action == QLatin1String("Next")) {
        if (m_stream || m_queue.isEmpty())
            return refuse(701);
        if (!stepForward(true))
            return refuse(711);
        return ok();
    }
    if (action == QLatin1String("Previous")) {
        if (m_stream || m_queue.isEmpty())
            return refuse(701);
        // There is nothing before the first track unless the queue wraps around.
        const bool wraps = m_playMode == PlayMode::RepeatAll || m_playMode == PlayMode::Shuffle;
        if (m_track <= 1 && !wraps)
            return refuse(711);
        m_track = m_track > 1 ? m_track - 1 : int(m_queue.size());
        m_positionMs = 0;
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
        // A live source has no play modes to set.
        if (!mode || m_stream)
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
    if (action == QLatin1String("GetPositionInfo"))
        return ok(positionInfo());
    if (action == QLatin1String("GetMediaInfo"))
        return ok(mediaInfo());
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
