#pragma once

#include "applemusic/catalog.h"
#include "async/cancellation.h"
#include "async/clock.h"
#include "async/delays.h"
#include "base/preferences.h"
#include "base/records.h"
#include "sonos/events.h"

#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QVariant>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace corvane {

class Favorites;
class Household;
class ListeningHistory;
class MusicService;
class Notices;
class Queue;
class SonosController;
class SpeakerCommands;
class SystemPlayback;

// What the selected group plays and everything that starts or steers it: the transport,
// the room's volume and sound, the sleep timer, and the session (what is read when a speaker
// is chosen, then polled while it stays chosen).
class Playback : public QObject
{
    Q_OBJECT
    Q_PROPERTY(corvane::NowPlaying nowPlaying READ nowPlaying NOTIFY nowPlayingChanged)
    Q_PROPERTY(bool hasTrack READ hasTrack NOTIFY nowPlayingChanged)
    Q_PROPERTY(bool nowPlayingIsFavorite READ nowPlayingIsFavorite NOTIFY nowPlayingIsFavoriteChanged)
    Q_PROPERTY(double volume READ volume WRITE setVolume NOTIFY volumeChanged)
    Q_PROPERTY(bool isMuted READ isMuted NOTIFY isMutedChanged)
    Q_PROPERTY(bool isShuffled READ isShuffled NOTIFY playModeChanged)
    Q_PROPERTY(int repeatState READ repeatValue NOTIFY playModeChanged)
    Q_PROPERTY(int playbackStarted READ playbackStarted NOTIFY playbackStartedChanged)
    Q_PROPERTY(QString preparing READ preparingText NOTIFY preparingChanged)
    // A position in seconds while the slider is dragged, else null.
    Q_PROPERTY(QVariant scrubbing READ scrubbingValue WRITE setScrubbingValue NOTIFY scrubbingChanged)
    Q_PROPERTY(QString quality READ qualityText NOTIFY qualityChanged)
    Q_PROPERTY(bool speakerUnreachable READ speakerUnreachable NOTIFY speakerUnreachableChanged)
    Q_PROPERTY(bool hasPolledOnce READ hasPolledOnce NOTIFY hasPolledOnceChanged)
    Q_PROPERTY(bool isExpanded READ isExpanded WRITE setExpanded NOTIFY isExpandedChanged)
    Q_PROPERTY(corvane::Equalizer equalizer READ equalizer NOTIFY equalizerChanged)
    Q_PROPERTY(QVariant battery READ batteryValue NOTIFY batteryChanged)
    Q_PROPERTY(QVariant sleepMinutes READ sleepValue NOTIFY sleepMinutesChanged)
    // The group's volume and mute as its coordinator reports them; null until it has.
    Q_PROPERTY(QVariant groupVolume READ groupVolumeValue NOTIFY groupVolumeChanged)
    // `volume` and `isMuted` are the group's (two rooms or more) rather than the selected room's.
    Q_PROPERTY(bool volumeIsGroup READ volumeIsGroup NOTIFY volumeIsGroupChanged)
    // Whether Corvane shows in the desktop's media controls and answers the media keys.
    Q_PROPERTY(bool systemNowPlaying READ systemNowPlaying WRITE setSystemNowPlaying NOTIFY systemNowPlayingChanged)

public:
    // What playback works with besides the other areas.
    struct Services
    {
        std::shared_ptr<MusicService> music;
        ListeningHistory *history = nullptr;
        SystemPlayback *system = nullptr;
    };

    Playback(Services services, Household *household, Notices *notices, SpeakerCommands *commands, Queue *queue,
             Favorites *favorites, QObject *parent = nullptr);
    ~Playback() override;

    // ---- state
    const NowPlaying &nowPlaying() const { return m_nowPlaying; }
    bool hasTrack() const { return !m_nowPlaying.title.isEmpty(); }
    bool nowPlayingIsFavorite() const;
    double volume() const { return m_volume; }
    void setVolume(double volume);
    bool isMuted() const { return m_isMuted; }
    bool isShuffled() const { return m_isShuffled; }
    RepeatState repeatState() const { return m_repeatState; }
    int playbackStarted() const { return m_playbackStarted; }
    std::optional<QString> preparing() const { return m_preparing; }
    void setPreparing(const std::optional<QString> &title);
    std::optional<double> scrubbing() const { return m_scrubbing; }
    void setScrubbing(std::optional<double> position);
    bool isScrubbing() const;
    std::optional<bool> playIntent() const { return m_playIntent; }
    std::optional<QString> quality() const { return m_quality; }
    bool speakerUnreachable() const { return m_speakerUnreachable; }
    bool hasPolledOnce() const { return m_hasPolledOnce; }
    bool isExpanded() const { return m_isExpanded; }
    void setExpanded(bool expanded);
    const Equalizer &equalizer() const { return m_equalizer; }
    std::optional<BatteryStatus> battery() const { return m_battery; }
    std::optional<int> sleepMinutes() const { return m_sleepMinutes; }
    bool systemNowPlaying() const { return m_preferences.systemNowPlaying(); }
    void setSystemNowPlaying(bool on);

    // ---- the session
    // The session's first reads (link, volume, tone, favorites, timer, mode, now playing) are in.
    bool hasReadSpeakerState() const { return m_hasReadSpeakerState; }
    int ticks() const { return m_ticks; }
    int pollFailures() const { return m_pollFailures; }
    int runningPollLoops() const { return m_runningPollLoops; }
    void startSession();
    QCoro::Task<> pollOnce();
    // `record`: a new track goes into the listening history (not before the session's first read,
    // which knows whether the song began before launch).
    void applyNowPlaying(NowPlaying result, bool record = true);
    void pollFailed();

    // ---- the speakers' events (the same merge as the polls)
    // While events flow, the loop reads what plays only against drift.
    void setEventsFlowing(bool flowing);
    bool eventsFlowing() const { return m_eventsFlowing; }
    // What the coordinator's transport says now; its elapsed time is not evented.
    void applyTransportEvent(NowPlaying now);
    void applyPlayMode(PlayMode mode);
    void applyRendering(const RenderingChange &change);
    void applyGroupRendering(const GroupRenderingChange &change);
    // With two rooms or more, the slider and the mute button set the whole group.
    bool volumeIsGroup() const;
    // The group's members changed (or another group was chosen): the slider reads what it now sets.
    void followGroup();
    // The group's volume and mute read again from its coordinator (or the room's, alone).
    QCoro::Task<> rereadVolume();
    // A room's own volume moved: the next group change takes a new snapshot of the proportions.
    void forgetGroupSnapshot() { m_groupSnapshotTaken = false; }
    // A group volume change was sent in the last few seconds (its echoes are no one else's).
    bool recentlySentGroupVolume() const;
    bool isSendingVolume() const { return m_volumeTask != nullptr; }
    std::optional<int> groupVolume() const { return m_groupVolume; }
    bool groupMuted() const { return m_groupMuted; }
    // The selected room's volume, mute and tone; false when another session began meanwhile.
    // `yieldToSending`: a volume the person is still sending is kept.
    QCoro::Task<bool> rereadRoomSound(bool yieldToSending = true);
    QCoro::Task<> rereadSleepTimer();
    // The position (and the track, if it moved on) in one request.
    QCoro::Task<> readPosition();
    void refreshQuality();
    QCoro::Task<> refreshQualityTask();

    // ---- starting something
    QCoro::Task<> playSong(Track track);
    QCoro::Task<> playSongs(QList<Track> tracks, QString title, std::optional<QString> containerKind = {},
                            std::optional<QString> containerID = {});
    QCoro::Task<> playCatalogItem(MusicItem item);
    // A playlist of the library or the catalogue, by id: its tracks fetched, then played.
    QCoro::Task<> playPlaylistNamed(QString id, QString name);
    // The end of both: what was fetched played as one list, or why nothing plays.
    QCoro::Task<> playFetched(QList<Track> tracks, QString title, QString kind, QString id);
    QCoro::Task<> startFavorite(SonosFavorite favorite);
    QCoro::Task<> startStation(RadioStation station);
    QCoro::Task<> startRadio(Artist artist);
    QCoro::Task<> startLineIn();
    static PlayMode playModeFor(bool shuffled, RepeatState repeat);
    // Refused songs, in the user's words.
    static QString refusedMessage(const QList<Track> &refused, int sent);

    // ---- transport and sound
    QCoro::Task<> togglePlayPause();
    QCoro::Task<> resumePlayback();
    QCoro::Task<> pausePlayback();
    QCoro::Task<> skipToNext();
    QCoro::Task<> skipToPrevious();
    QCoro::Task<> seekToFraction(double fraction);
    QCoro::Task<> seekToSeconds(double seconds);
    QCoro::Task<> toggleMute();
    QCoro::Task<> toggleShuffle();
    QCoro::Task<> cycleRepeat();
    QCoro::Task<> adjustBass(int value);
    QCoro::Task<> adjustTreble(int value);
    QCoro::Task<> toggleLoudness();
    QCoro::Task<> resetEqualizer();
    QCoro::Task<> changeSleepTimer(std::optional<int> minutes);

    // ---- what the screens call
    Q_INVOKABLE void play(const corvane::Track &track) { playSong(track); }
    Q_INVOKABLE void playAlbum(const corvane::Album &album);
    Q_INVOKABLE void playLibraryPlaylist(const corvane::LibraryPlaylist &playlist);
    Q_INVOKABLE void playItem(const corvane::MusicItem &item);
    Q_INVOKABLE void playFavorite(const corvane::SonosFavorite &favorite) { startFavorite(favorite); }
    Q_INVOKABLE void playStation(const corvane::RadioStation &station) { startStation(station); }
    Q_INVOKABLE void artistRadio(const corvane::Artist &artist);
    Q_INVOKABLE void lineIn() { startLineIn(); }
    Q_INVOKABLE void toggleFavorite(const corvane::Track &track);
    // The star of the playback bar: what plays now becomes a Sonos favorite, or stops being one.
    Q_INVOKABLE void toggleNowPlayingFavorite();
    Q_INVOKABLE void togglePlay() { togglePlayPause(); }
    Q_INVOKABLE void next() { skipToNext(); }
    Q_INVOKABLE void previous() { skipToPrevious(); }
    Q_INVOKABLE void seek(double fraction) { seekToFraction(fraction); }
    Q_INVOKABLE void commitVolume();
    Q_INVOKABLE void mute() { toggleMute(); }
    Q_INVOKABLE void shuffle() { toggleShuffle(); }
    Q_INVOKABLE void repeat() { cycleRepeat(); }
    Q_INVOKABLE void toggleExpanded() { setExpanded(!m_isExpanded); }
    Q_INVOKABLE void setBass(int value) { adjustBass(value); }
    Q_INVOKABLE void setTreble(int value) { adjustTreble(value); }
    Q_INVOKABLE void loudness() { toggleLoudness(); }
    Q_INVOKABLE void flattenEqualizer() { resetEqualizer(); }
    Q_INVOKABLE void sleepTimer(int minutes); // 0 cancels

Q_SIGNALS:
    void nowPlayingChanged();
    void nowPlayingIsFavoriteChanged();
    void volumeChanged();
    void isMutedChanged();
    void playModeChanged();
    void playbackStartedChanged();
    void preparingChanged();
    void scrubbingChanged();
    void qualityChanged();
    void speakerUnreachableChanged();
    void hasPolledOnceChanged();
    void isExpandedChanged();
    void equalizerChanged();
    void batteryChanged();
    void sleepMinutesChanged();
    void groupVolumeChanged();
    void volumeIsGroupChanged();
    // The group's volume was set: each room's moved in proportion.
    void groupVolumeSent();
    void systemNowPlayingChanged();
    // A library or catalogue playlist was started (the playlists' "recently played" order).
    void playlistPlayed(const QString &playlistID);

private:
    int repeatValue() const { return int(m_repeatState); }
    QString preparingText() const { return m_preparing.value_or(QString()); }
    QVariant scrubbingValue() const { return m_scrubbing ? QVariant(*m_scrubbing) : QVariant(); }
    void setScrubbingValue(const QVariant &position);
    QString qualityText() const { return m_quality.value_or(QString()); }
    QVariant batteryValue() const { return m_battery ? QVariant::fromValue(*m_battery) : QVariant(); }
    QVariant sleepValue() const { return m_sleepMinutes ? QVariant(*m_sleepMinutes) : QVariant(); }
    QVariant groupVolumeValue() const { return m_groupVolume ? QVariant(*m_groupVolume) : QVariant(); }

    void configureSystem();
    QCoro::Task<> readSpeakerState(std::shared_ptr<SonosController> controller);
    template<typename T>
    QCoro::Task<bool> readForSession(int session, QCoro::Task<T> read, std::function<void(T)> apply,
                                     std::function<void(std::exception_ptr)> failed = {});
    QCoro::Task<> pollLoop(CancellationToken token);
    void recordIfNew(const NowPlaying &result);
    QCoro::Task<> enrichHistoryEntry(Track track);
    void writeNowPlaying(const NowPlaying &value);
    void showStarting(NowPlaying now, Millis window);
    void setOptimisticStart(const Track &track);
    // The listening history only keeps what the speaker accepted.
    QCoro::Task<> recordWhenAccepted(QCoro::Task<> command, Track track);
    QCoro::Task<> postStartCheck();
    QCoro::Task<> sendVolume(CancellationToken token);
    QCoro::Task<> sendList(const SonosController &speaker, QList<Track> tracks, QString title,
                           std::optional<QString> containerKind, std::optional<QString> containerID);
    // Sends the play mode the switches show; back to the former one when the speaker refuses.
    QCoro::Task<> sendPlayMode(bool wasShuffled, RepeatState wasRepeat);
    void setEqualizer(const Equalizer &equalizer);
    QCoro::Task<> sendTone(std::optional<QString> toast, Equalizer equalizer,
                           std::function<QCoro::Task<>(const SonosController &)> send);

    Services m_services;
    Household *m_household;
    Notices *m_notices;
    SpeakerCommands *m_commands;
    Queue *m_queue;
    Favorites *m_favorites;
    Preferences m_preferences;

    NowPlaying m_nowPlaying;
    double m_volume = 20.0;
    bool m_isMuted = false;
    bool m_isShuffled = false;
    RepeatState m_repeatState = RepeatState::Off;
    // What the person just asked for wins over a reading that has not caught up, for a while.
    std::optional<bool> m_playIntent;
    std::optional<SteadyTime> m_playIntentUntil;
    int m_playbackStarted = 0;
    std::optional<QString> m_preparing;
    std::optional<double> m_scrubbing;
    std::optional<SteadyTime> m_scrubbingStartedAt;
    std::optional<QString> m_quality;
    QHash<QString, std::optional<QString>> m_qualityCache;
    bool m_isExpanded = false;
    Equalizer m_equalizer{0, 0, true};
    std::optional<BatteryStatus> m_battery;
    std::optional<int> m_sleepMinutes;
    std::optional<int> m_groupVolume;
    bool m_groupMuted = false;
    bool m_volumeIsGroup = false;
    QStringList m_groupMembers; // the uuids the slider last set, coordinator first
    bool m_groupSnapshotTaken = false;
    std::optional<SteadyTime> m_lastGroupSend;
    bool m_eventsFlowing = false;
    std::optional<SteadyTime> m_lastPositionRead;

    // Counts the sessions: a read of an ended session lands nowhere.
    int m_session = 0;
    bool m_hasReadSpeakerState = false;
    std::optional<QString> m_lastRecordedTrackID;
    bool m_firstReading = true;
    bool m_hasPolledOnce = false;
    int m_ticks = 0;
    int m_pollFailures = 0;
    bool m_speakerUnreachable = false;
    int m_runningPollLoops = 0;
    std::unique_ptr<CancellationSource> m_pollTask;
    std::unique_ptr<CancellationSource> m_volumeTask;
};

} // namespace corvane
