#pragma once

#include "async/cancellation.h"
#include "base/records.h"
#include "sonos/alarms.h"

#include <QCoroTask>
#include <QHash>
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
inline const QString groupRenderingControl =
    QStringLiteral("urn:schemas-upnp-org:service:GroupRenderingControl:1");
inline const QString alarmClock = QStringLiteral("urn:schemas-upnp-org:service:AlarmClock:1");
} // namespace upnp

// What the household's speakers' descriptions say, read once per process: their model names
// and the paths of their event URLs. Everything runs on the main thread, so plain access is
// already serialised.
class ModelCache
{
public:
    static ModelCache &instance();
    std::optional<QString> model(const QString &uuid) const;
    void store(const QString &uuid, const QString &model);
    // serviceType -> eventSubURL path; empty when the description was not read (or said none).
    QHash<QString, QString> eventPaths(const QString &uuid) const { return m_eventPaths.value(uuid); }
    void storeEventPaths(const QString &uuid, const QHash<QString, QString> &paths) { m_eventPaths.insert(uuid, paths); }
    void clear()
    {
        m_byUUID.clear();
        m_eventPaths.clear();
    }

private:
    QHash<QString, QString> m_byUUID;
    QHash<QString, QHash<QString, QString>> m_eventPaths;
};

// Groups and visible members of an unescaped GetZoneGroupState reply, sorted by coordinator room;
// every member's model is "Sonos" until withModels() fills it in.
QList<SonosGroup> parseZoneGroups(const QString &state);

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
    // Speakers return at most 100 items a read, whatever is asked: a longer container is read
    // page after page, from the start, up to `limit` items. The pages come back as browse()
    // gives them. A container that changes between two pages (its update id moves) is read
    // again from the start, twice at most.
    static constexpr int pageSize = 100;
    QCoro::Task<QStringList> browseAll(QString objectID, int limit) const;

    // Transport (send to the group coordinator).
    QCoro::Task<> play() const;
    QCoro::Task<> pause() const;
    QCoro::Task<> next() const;
    QCoro::Task<> previous() const;
    QCoro::Task<> seek(int seconds) const;
    // Jumps to a queue position (1-based).
    QCoro::Task<> playTrack(int number) const;
    QCoro::Task<> setPlayMode(PlayMode mode) const;
    QCoro::Task<std::optional<PlayMode>> playMode() const;
    QCoro::Task<> setSleepTimer(std::optional<int> minutes) const;
    QCoro::Task<std::optional<int>> sleepTimerRemaining() const;
    QCoro::Task<NowPlaying> nowPlaying() const;
    // One request each: the transport state alone, the current track alone (isPlaying false).
    QCoro::Task<bool> isPlaying() const;
    QCoro::Task<NowPlaying> currentTrack() const;
    // What this speaker itself reports, in one round: the current track, and the transport state
    // when asked (two requests then). A group member's reply is not followed to its coordinator
    // and a station is not named, so nothing else is asked.
    struct Report
    {
        NowPlaying now;                        // isPlaying holds only when the transport was read
        std::optional<QString> followedLeader; // the coordinator's UUID when it is a group member
    };
    QCoro::Task<Report> report(bool withTransport) const;

    // Rendering (each member has its own).
    QCoro::Task<int> volume() const;
    QCoro::Task<> setVolume(int level) const;
    QCoro::Task<bool> isMuted() const;
    QCoro::Task<> setMuted(bool muted) const;
    QCoro::Task<Equalizer> equalizer() const;
    QCoro::Task<> setBass(int value) const;
    QCoro::Task<> setTreble(int value) const;
    QCoro::Task<> setLoudness(bool on) const;

    // The group's volume (send to the group coordinator). A snapshot before a series of changes
    // keeps the rooms' proportions while the group's volume moves.
    QCoro::Task<int> groupVolume() const;
    QCoro::Task<> setGroupVolume(int level) const;
    QCoro::Task<> snapshotGroupVolume() const;
    QCoro::Task<bool> isGroupMuted() const;
    QCoro::Task<> setGroupMuted(bool muted) const;

    // The household's alarms: any speaker answers for all of them.
    QCoro::Task<AlarmList> alarms() const;
    // The ID the speaker gave the new alarm.
    QCoro::Task<QString> createAlarm(Alarm alarm) const;
    QCoro::Task<> updateAlarm(Alarm alarm) const;
    QCoro::Task<> destroyAlarm(QString id) const;

    // The household's Apple Music binding; CorvaneError::appleMusicNotLinked when Apple Music was
    // never played on it.
    QCoro::Task<AppleMusicLink> appleMusicLink() const;

    // Topology and grouping.
    QCoro::Task<QList<SonosGroup>> zoneGroups() const;
    // The same in one request: members keep the model "Sonos" (no device description is read).
    QCoro::Task<QList<SonosGroup>> zoneGroupsWithoutModels() const;
    // The coordinator of the group holding `member` (a uuid or an address), from the group state
    // this speaker reports; nothing when it cannot tell.
    QCoro::Task<std::optional<Speaker>> coordinatorOf(QString member) const;
    // Sent to the speaker that joins or leaves.
    QCoro::Task<> joinGroup(QString coordinatorUUID) const;
    QCoro::Task<> leaveGroup() const;
    static QCoro::Task<QList<Speaker>> withModels(QList<Speaker> speakers, CancellationToken token = {});
    static QCoro::Task<std::optional<QString>> fetchModel(QString ip, CancellationToken token = {});
    // The speaker's device description as text; nothing when it does not answer in UTF-8.
    static QCoro::Task<std::optional<QString>> fetchDescription(QString ip, CancellationToken token = {});
    // Reads the description of a speaker whose model or event paths are not known yet, and
    // remembers both.
    static QCoro::Task<> describeOnce(QString uuid, QString ip, CancellationToken token = {});

    // Queue (send to the group coordinator).
    QCoro::Task<> clearQueue() const;
    QCoro::Task<> setQueueAsSource() const;
    QCoro::Task<std::optional<int>> enqueue(Track track, AppleMusicLink link) const;
    QCoro::Task<> playTrack(Track track, AppleMusicLink link) const;
    // Plays the first track at once and adds the others one by one; returns those refused twice.
    QCoro::Task<QList<Track>> playAll(QList<Track> tracks, AppleMusicLink link) const;
    // Tracks added, or nothing when the speaker added none (the caller then sends the songs).
    QCoro::Task<std::optional<int>> playContainer(QString kind, QString id, QString title,
                                                  AppleMusicLink link) const;
    QCoro::Task<std::optional<int>> insertContainerNext(QString kind, QString id, QString title,
                                                        AppleMusicLink link) const;
    // One song right after the current track; its position in the queue.
    QCoro::Task<std::optional<int>> enqueueNext(Track track, AppleMusicLink link) const;
    QCoro::Task<int> currentTrackNumber() const;
    QCoro::Task<> removeFromQueue(int position) const;
    QCoro::Task<> reorderQueue(int startingIndex, int numberOfTracks, int insertBefore) const;

    // Favorites, radio and line-in.
    QCoro::Task<QList<SonosFavorite>> favorites(int count = 1000) const;
    QCoro::Task<> playFavorite(SonosFavorite favorite) const;
    QCoro::Task<> addFavorite(Track track, AppleMusicLink link) const;
    QCoro::Task<> removeFavorite(QString id) const;
    QCoro::Task<> playRadio(QString title, QString stream) const;
    QCoro::Task<bool> hasLineIn() const;
    QCoro::Task<> playLineIn() const;
    static QString radioURI(const QString &stream);
    static QString radioMetadata(const QString &title);
    static QString favoriteMetadata(const Track &track, const AppleMusicLink &link);

    // Never fails: no battery, no answer or a garbled page all give nothing.
    QCoro::Task<std::optional<BatteryStatus>> batteryStatus() const;

    // Argument texts, exposed for the command-line driver and tests.
    static QString seekTarget(int seconds);
    static QString sleepTimerDuration(std::optional<int> minutes);

private:
    // The snapshot of a GetPositionInfo reply (unescaped twice) and a GetTransportInfo reply
    // (empty: not read), with what the position alone does not say: the station of a live
    // stream, and for a group member its coordinator's track.
    QCoro::Task<NowPlaying> describe(QString position, QString transport) const;
    QCoro::Task<QString> addURIToQueue(QString uri, QString metadata, int desiredFirst, bool asNext) const;
    QCoro::Task<> setTransportURI(QString uri, QString metadata) const;

    Speaker m_speaker;
    CancellationToken m_token;
};

} // namespace corvane
