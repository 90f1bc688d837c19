// Playback and rendering control of SonosController.
#include "sonoscontroller.h"

#include "async/http.h"
#include "async/tasks.h"
#include "base/corvaneerror.h"
#include "base/text.h"
#include "replies.h"

#include <algorithm>

namespace corvane {

namespace {
const QString kInstance = QStringLiteral("<InstanceID>0</InstanceID>");
const QString kMaster = QStringLiteral("<InstanceID>0</InstanceID><Channel>Master</Channel>");
} // namespace

QString SonosController::seekTarget(int seconds)
{
    const int s = std::max(seconds, 0);
    const int hours = s / 3600;
    const int minutes = (s - hours * 3600) / 60;
    return QString::asprintf("%d:%02d:%02d", hours, minutes, s % 60);
}

QString SonosController::sleepTimerDuration(std::optional<int> minutes)
{
    if (!minutes || *minutes < 1)
        return {};
    return QString::asprintf("%02d:%02d:00", *minutes / 60, *minutes % 60);
}

QCoro::Task<> SonosController::play() const
{
    co_await soap(upnp::avTransport, QStringLiteral("Play"), kInstance + QStringLiteral("<Speed>1</Speed>"));
}

QCoro::Task<> SonosController::pause() const
{
    co_await soap(upnp::avTransport, QStringLiteral("Pause"), kInstance);
}

QCoro::Task<> SonosController::next() const
{
    co_await soap(upnp::avTransport, QStringLiteral("Next"), kInstance);
}

QCoro::Task<> SonosController::previous() const
{
    // Before the first track there is nothing: a speaker answers 711, and the first track starts
    // again instead, as a person pressing "previous" there expects.
    bool first = false;
    try {
        co_await soap(upnp::avTransport, QStringLiteral("Previous"), kInstance);
    } catch (const CorvaneError &error) {
        if (!error.isRefusal(QLatin1String("711")))
            throw;
        first = true;
    }
    if (first)
        co_await seek(0);
}

QCoro::Task<> SonosController::seek(int seconds) const
{
    const QString body = kInstance + QStringLiteral("<Unit>REL_TIME</Unit><Target>")
        + seekTarget(seconds) + QStringLiteral("</Target>");
    co_await soap(upnp::avTransport, QStringLiteral("Seek"), body);
}

QCoro::Task<> SonosController::playTrack(int number) const
{
    const QString body = kInstance + QStringLiteral("<Unit>TRACK_NR</Unit><Target>")
        + QString::number(number) + QStringLiteral("</Target>");
    co_await soap(upnp::avTransport, QStringLiteral("Seek"), body);
}

QCoro::Task<> SonosController::setPlayMode(PlayMode mode) const
{
    const QString body = kInstance + QStringLiteral("<NewPlayMode>") + playModeText(mode)
        + QStringLiteral("</NewPlayMode>");
    bool refused = false;
    try {
        co_await soap(upnp::avTransport, QStringLiteral("SetPlayMode"), body);
    } catch (const CorvaneError &error) {
        // 712: the mode is not valid for what plays, which only happens with a radio or an input.
        if (!error.isRefusal(QLatin1String("712")))
            throw;
        refused = true;
    }
    if (refused)
        throw CorvaneError::noPlayModes();
}

QCoro::Task<std::optional<PlayMode>> SonosController::playMode() const
{
    const QString reply =
        co_await soap(upnp::avTransport, QStringLiteral("GetTransportSettings"), kInstance);
    co_return parsePlayMode(reply);
}

QCoro::Task<> SonosController::setSleepTimer(std::optional<int> minutes) const
{
    const QString body = kInstance + QStringLiteral("<NewSleepTimerDuration>")
        + sleepTimerDuration(minutes) + QStringLiteral("</NewSleepTimerDuration>");
    co_await soap(upnp::avTransport, QStringLiteral("ConfigureSleepTimer"), body);
}

QCoro::Task<std::optional<int>> SonosController::sleepTimerRemaining() const
{
    const QString reply = co_await soap(upnp::avTransport,
                                        QStringLiteral("GetRemainingSleepTimerDuration"), kInstance);
    co_return parseSleepTimerRemaining(reply);
}

QCoro::Task<NowPlaying> SonosController::nowPlaying() const
{
    std::vector<QCoro::Task<QString>> reads;
    reads.push_back(soap(upnp::avTransport, QStringLiteral("GetPositionInfo"), kInstance));
    reads.push_back(soap(upnp::avTransport, QStringLiteral("GetTransportInfo"), kInstance));
    const std::vector<QString> replies = co_await whenAll(std::move(reads));
    NowPlaying now = co_await describe(xmlUnescape(xmlUnescape(replies[0])), replies[1]);
    co_return now;
}

QCoro::Task<bool> SonosController::isPlaying() const
{
    const QString reply = co_await soap(upnp::avTransport, QStringLiteral("GetTransportInfo"), kInstance);
    co_return parseNowPlaying(QString(), reply, m_speaker).isPlaying;
}

QCoro::Task<NowPlaying> SonosController::currentTrack() const
{
    const QString reply = co_await soap(upnp::avTransport, QStringLiteral("GetPositionInfo"), kInstance);
    NowPlaying now = co_await describe(xmlUnescape(xmlUnescape(reply)), QString());
    co_return now;
}

QCoro::Task<SonosController::Report> SonosController::report(bool withTransport) const
{
    std::vector<QCoro::Task<QString>> reads;
    reads.push_back(soap(upnp::avTransport, QStringLiteral("GetPositionInfo"), kInstance));
    if (withTransport)
        reads.push_back(soap(upnp::avTransport, QStringLiteral("GetTransportInfo"), kInstance));
    const std::vector<QString> replies = co_await whenAll(std::move(reads));
    const QString position = xmlUnescape(xmlUnescape(replies[0]));
    Report report{parseNowPlaying(position, withTransport ? replies[1] : QString(), m_speaker),
                  followedCoordinator(parseTrackURI(position))};
    co_return report;
}

QCoro::Task<NowPlaying> SonosController::describe(QString position, QString transport) const
{
    const QString uri = parseTrackURI(position);
    // A group member reports only that it follows its coordinator: what plays is what the
    // coordinator reports, found through the group state.
    if (const std::optional<QString> leader = followedCoordinator(uri)) {
        const std::optional<Speaker> coordinator = co_await coordinatorOf(*leader);
        if (coordinator && coordinator->uuid != m_speaker.uuid) {
            const SonosController followed(*coordinator, m_token);
            if (transport.isEmpty()) {
                NowPlaying now = co_await followed.currentTrack();
                co_return now;
            }
            NowPlaying now = co_await followed.nowPlaying();
            co_return now;
        }
        co_return parseNowPlaying(position, transport, m_speaker);
    }
    // A live stream is named by the metadata it was chosen with, which only GetMediaInfo gives.
    QString station;
    if (isLiveStream(uri)) {
        try {
            const QString media = co_await soap(upnp::avTransport, QStringLiteral("GetMediaInfo"), kInstance);
            station = parseStationName(xmlUnescape(xmlUnescape(media)));
        } catch (const CorvaneError &) {
            if (m_token.isCancelled())
                throw;
        }
    }
    co_return parseNowPlaying(position, transport, m_speaker, station);
}

QCoro::Task<int> SonosController::volume() const
{
    const QString reply = co_await soap(upnp::renderingControl, QStringLiteral("GetVolume"), kMaster);
    co_return parseVolume(reply);
}

QCoro::Task<> SonosController::setVolume(int level) const
{
    const QString body = kMaster + QStringLiteral("<DesiredVolume>")
        + QString::number(std::clamp(level, 0, 100)) + QStringLiteral("</DesiredVolume>");
    co_await soap(upnp::renderingControl, QStringLiteral("SetVolume"), body);
}

QCoro::Task<bool> SonosController::isMuted() const
{
    const QString reply = co_await soap(upnp::renderingControl, QStringLiteral("GetMute"), kMaster);
    co_return parseMute(reply);
}

QCoro::Task<> SonosController::setMuted(bool muted) const
{
    const QString body = kMaster + QStringLiteral("<DesiredMute>")
        + (muted ? QStringLiteral("1") : QStringLiteral("0")) + QStringLiteral("</DesiredMute>");
    co_await soap(upnp::renderingControl, QStringLiteral("SetMute"), body);
}

QCoro::Task<Equalizer> SonosController::equalizer() const
{
    std::vector<QCoro::Task<QString>> reads;
    reads.push_back(soap(upnp::renderingControl, QStringLiteral("GetBass"), kInstance));
    reads.push_back(soap(upnp::renderingControl, QStringLiteral("GetTreble"), kInstance));
    reads.push_back(soap(upnp::renderingControl, QStringLiteral("GetLoudness"), kMaster));
    const std::vector<QString> replies = co_await whenAll(std::move(reads));
    co_return parseEqualizer(replies[0], replies[1], replies[2]);
}

QCoro::Task<> SonosController::setBass(int value) const
{
    const QString body = kInstance + QStringLiteral("<DesiredBass>")
        + QString::number(std::clamp(value, -10, 10)) + QStringLiteral("</DesiredBass>");
    co_await soap(upnp::renderingControl, QStringLiteral("SetBass"), body);
}

QCoro::Task<> SonosController::setTreble(int value) const
{
    const QString body = kInstance + QStringLiteral("<DesiredTreble>")
        + QString::number(std::clamp(value, -10, 10)) + QStringLiteral("</DesiredTreble>");
    co_await soap(upnp::renderingControl, QStringLiteral("SetTreble"), body);
}

QCoro::Task<> SonosController::setLoudness(bool on) const
{
    const QString body = kMaster + QStringLiteral("<DesiredLoudness>")
        + (on ? QStringLiteral("1") : QStringLiteral("0")) + QStringLiteral("</DesiredLoudness>");
    co_await soap(upnp::renderingControl, QStringLiteral("SetLoudness"), body);
}

QCoro::Task<std::optional<BatteryStatus>> SonosController::batteryStatus() const
{
    QUrl url = m_speaker.baseURL();
    url.setPath(QStringLiteral("/status/batterystatus"));
    HttpRequest request;
    request.url = url;
    request.timeout = delays().batteryTimeout;
    request.maxBody = bodyLimit::speaker;
    request.token = m_token;
    const HttpResult result = co_await httpSend(speakerNetwork(), request);
    if (!result.status)
        co_return std::nullopt;
    co_return parseBatteryStatus(QString::fromUtf8(result.body));
}

} // namespace corvane
