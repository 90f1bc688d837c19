#pragma once

#include "async/cancellation.h"
#include "records.h"

#include <QCoroTask>
#include <QString>

#include <optional>

namespace corvane {

namespace upnp {
inline const QString avTransport = QStringLiteral("urn:schemas-upnp-org:service:AVTransport:1");
inline const QString renderingControl =
    QStringLiteral("urn:schemas-upnp-org:service:RenderingControl:1");
inline const QString contentDirectory =
    QStringLiteral("urn:schemas-upnp-org:service:ContentDirectory:1");
inline const QString musicServices = QStringLiteral("urn:schemas-upnp-org:service:MusicServices:1");
inline const QString zoneGroupTopology =
    QStringLiteral("urn:schemas-upnp-org:service:ZoneGroupTopology:1");
} // namespace upnp

// Everything said to one speaker. Made per command and dropped: it holds no state besides the
// speaker and the cancellation of the command it serves. Operations throw CorvaneError.
class SonosController
{
public:
    explicit SonosController(Speaker speaker, CancellationToken token = {});

    const Speaker &speaker() const { return m_speaker; }

    // SOAP transport.
    static QString controlPath(const QString &service);
    static QByteArray envelope(const QString &service, const QString &action, const QString &body);
    QCoro::Task<QString> soap(QString service, QString action, QString body) const;
    QCoro::Task<QString> soap(QString service, QString path, QString action, QString body) const;
    // One page of a ContentDirectory container, unescaped twice so nested DIDL-Lite is plain.
    QCoro::Task<QString> browse(QString objectID, int start, int count) const;

    // Transport (send to the group coordinator).
    QCoro::Task<> play() const;
    QCoro::Task<> pause() const;
    QCoro::Task<> next() const;
    QCoro::Task<> previous() const;
    QCoro::Task<> seek(int seconds) const;
    QCoro::Task<> playTrack(int number) const;
    QCoro::Task<> setPlayMode(PlayMode mode) const;
    QCoro::Task<std::optional<PlayMode>> playMode() const;
    QCoro::Task<> setSleepTimer(std::optional<int> minutes) const;
    QCoro::Task<std::optional<int>> sleepTimerRemaining() const;
    QCoro::Task<NowPlaying> nowPlaying() const;

    // Rendering (each member has its own).
    QCoro::Task<int> volume() const;
    QCoro::Task<> setVolume(int level) const;
    QCoro::Task<bool> isMuted() const;
    QCoro::Task<> setMuted(bool muted) const;
    QCoro::Task<Equalizer> equalizer() const;
    QCoro::Task<> setBass(int value) const;
    QCoro::Task<> setTreble(int value) const;
    QCoro::Task<> setLoudness(bool on) const;

    // Never fails: no battery, no answer or a garbled page all give nothing.
    QCoro::Task<std::optional<BatteryStatus>> batteryStatus() const;

    // Argument texts, exposed for the command-line driver and tests.
    static QString seekTarget(int seconds);
    static QString sleepTimerDuration(std::optional<int> minutes);

private:
    Speaker m_speaker;
    CancellationToken m_token;
};

} // namespace corvane
