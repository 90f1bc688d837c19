// A speaker's session: what is read when it is chosen, then the polling that follows the group,
// and the merge of what it reports (history, desktop controls, quality badge).

#include "playback.h"

#include "applemusic/applemusickit.h"
#include "async/tasks.h"
#include "base/corvaneerror.h"
#include "desktop/systemplayback.h"
#include "model/failure.h"
#include "model/favorites.h"
#include "model/field.h"
#include "model/household.h"
#include "model/notices.h"
#include "model/queue.h"
#include "sonos/sonoscontroller.h"
#include "storage/listeninghistory.h"

#include <QPointer>

namespace corvane {

namespace {
constexpr int readEveryTicks = 5;
constexpr int favoritesEveryTicks = 20;
constexpr int failureThreshold = 3;
constexpr int firstReadingThreshold = 16; // seconds into a song at launch: it was not started now
} // namespace

void Playback::configureSystem()
{
    QPointer<Playback> self(this);
    m_services.system->configure(SystemPlayback::Handlers{
        [self] { if (self) self->resumePlayback(); },
        [self] { if (self) self->pausePlayback(); },
        [self] { if (self) self->togglePlayPause(); },
        [self] { if (self) self->skipToNext(); },
        [self] { if (self) self->skipToPrevious(); },
        [self](double seconds) { if (self) self->seekToSeconds(seconds); },
        [self](double volume) {
            if (!self || !self->m_household->selected())
                return;
            self->setVolume(volume * 100.0);
            self->commitVolume();
        },
    });
    m_services.system->updateVolume(m_volume / 100.0);
}

void Playback::setSystemNowPlaying(bool on)
{
    m_preferences.setSystemNowPlaying(on);
    m_services.system->setSystemNowPlaying(on);
    if (on)
        configureSystem();
    Q_EMIT systemNowPlayingChanged();
}

void Playback::startSession()
{
    configureSystem();
    m_household->setCheckedAppleMusic(false);
    if (m_pollTask)
        m_pollTask->cancel();
    ++m_session;
    m_hasReadSpeakerState = false;
    // What the slider sets is known before the first read.
    m_groupMembers.clear();
    if (const std::optional<SonosGroup> group = m_household->currentGroup()) {
        for (const Speaker &member : group->members)
            m_groupMembers << member.uuid;
    }
    m_groupSnapshotTaken = false;
    if (volumeIsGroup() != m_volumeIsGroup) {
        m_volumeIsGroup = !m_volumeIsGroup;
        Q_EMIT volumeIsGroupChanged();
    }
    std::unique_ptr<SonosController> controller = m_household->coordinatorController();
    if (!controller) {
        m_household->setCheckedAppleMusic(true);
        return;
    }
    readSpeakerState(std::shared_ptr<SonosController>(std::move(controller)));
    m_pollTask = std::make_unique<CancellationSource>();
    pollLoop(m_pollTask->token());
}

template<typename T>
QCoro::Task<bool> Playback::readForSession(int session, QCoro::Task<T> read, std::function<void(T)> apply,
                                           std::function<void(std::exception_ptr)> failed)
{
    QPointer<Playback> self(this);
    std::optional<T> value;
    std::exception_ptr failure;
    try {
        value = co_await std::move(read);
    } catch (...) {
        // Only the link's failure is said; any other value keeps what was shown until the next read.
        failure = std::current_exception();
    }
    // A newer session (another speaker chosen) owns the fields now.
    if (!self || m_session != session)
        co_return false;
    if (value)
        apply(std::move(*value));
    else if (failed)
        failed(failure);
    co_return true;
}

QCoro::Task<> Playback::readSpeakerState(std::shared_ptr<SonosController> controller)
{
    const std::optional<Speaker> selected = m_household->selected();
    const int session = m_session;
    Notices *notices = m_notices;
    Household *household = m_household;
    // Each read is stored before it is awaited: GCC 12 destroys a lambda temporary twice when it is
    // written inside a co_await expression.
    QCoro::Task<bool> linkRead = readForSession<AppleMusicLink>(
        session, controller->appleMusicLink(),
        [household, notices](AppleMusicLink link) {
            household->setLink(link);
            notices->setErrorMessage(std::nullopt);
        },
        [notices](std::exception_ptr failure) { notices->setErrorMessage(failureMessage(failure)); });
    if (!co_await linkRead)
        co_return;
    m_household->setCheckedAppleMusic(true);

    if (selected) {
        // Volume, mute, tone and battery belong to the selected speaker itself (the sliders
        // send to it), not to its group's coordinator.
        const SonosController speaker(*selected);
        QCoro::Task<bool> soundRead = rereadRoomSound(false);
        if (!co_await soundRead)
            co_return;
        QCoro::Task<bool> batteryRead = readForSession<std::optional<BatteryStatus>>(session, speaker.batteryStatus(), [this](std::optional<BatteryStatus> battery) {
            assign(this, m_battery, battery, &Playback::batteryChanged);
        });
        if (!co_await batteryRead)
            co_return;
    }
    Favorites *favorites = m_favorites;
    QCoro::Task<bool> favoritesRead = readForSession<QList<SonosFavorite>>(session, controller->favorites(), [favorites](QList<SonosFavorite> list) {
        favorites->set(std::move(list));
    });
    if (!co_await favoritesRead)
        co_return;
    QCoro::Task<bool> timerRead = readForSession<std::optional<int>>(session, controller->sleepTimerRemaining(), [this](std::optional<int> minutes) {
        assign(this, m_sleepMinutes, minutes, &Playback::sleepMinutesChanged);
    });
    if (!co_await timerRead)
        co_return;
    QCoro::Task<bool> modeRead = readForSession<std::optional<PlayMode>>(session, controller->playMode(), [this](std::optional<PlayMode> mode) {
        if (!mode)
            return;
        const bool shuffled = playModeShuffles(*mode);
        const RepeatState repeat = playModeRepeat(*mode);
        if (shuffled != m_isShuffled || repeat != m_repeatState) {
            m_isShuffled = shuffled;
            m_repeatState = repeat;
            Q_EMIT playModeChanged();
        }
    });
    if (!co_await modeRead)
        co_return;
    QPointer<Playback> self(this);
    co_await pollOnce();
    if (self && m_session == session)
        m_hasReadSpeakerState = true;
}

// ---- polling

QCoro::Task<> Playback::pollLoop(CancellationToken token)
{
    QPointer<Playback> self(this);
    ++m_runningPollLoops;
    while (!token.isCancelled()) {
        const bool slept = co_await sleep(delays().pollTick, token);
        if (!self)
            co_return;
        if (!slept || token.isCancelled())
            break;
        if (m_nowPlaying.isPlaying && !isScrubbing() && m_nowPlaying.duration >= 1) {
            NowPlaying advanced = m_nowPlaying;
            advanced.elapsed = std::min(advanced.elapsed + 1, advanced.duration);
            writeNowPlaying(advanced);
        }
        ++m_ticks;
        if (m_eventsFlowing) {
            // Events say every change; only the position drifts, and only while a song plays.
            const bool drifts = m_nowPlaying.isPlaying && !m_nowPlaying.isLive && m_nowPlaying.duration >= 1;
            if (drifts && (!m_lastPositionRead || steadyNow() - *m_lastPositionRead >= delays().driftRead)) {
                co_await readPosition();
                if (!self)
                    co_return;
            }
            continue;
        }
        if (m_ticks % readEveryTicks == 0) {
            co_await pollOnce();
            if (!self)
                co_return;
        }
        if (m_ticks % favoritesEveryTicks == 0 && !token.isCancelled())
            m_favorites->refresh();
    }
    --m_runningPollLoops;
}

bool Playback::isScrubbing() const
{
    return m_scrubbing && m_scrubbingStartedAt && steadyNow() - *m_scrubbingStartedAt <= delays().scrubWindow;
}

QCoro::Task<> Playback::pollOnce()
{
    QPointer<Playback> self(this);
    std::unique_ptr<SonosController> controller = m_household->coordinatorController();
    if (!controller || isScrubbing())
        co_return;
    std::optional<NowPlaying> result;
    try {
        result = co_await controller->nowPlaying();
    } catch (...) {
        // counted below: three failed readings in a row say the speaker is unreachable
    }
    // A drag that began while the read was out holds the position: the reading is dropped.
    if (!self || isScrubbing())
        co_return;
    if (result)
        applyNowPlaying(*result);
    else
        pollFailed();
}

void Playback::applyNowPlaying(NowPlaying result, bool record)
{
    if (m_playIntent && m_playIntentUntil) {
        if (result.isPlaying != *m_playIntent && steadyNow() <= *m_playIntentUntil) {
            result.isPlaying = *m_playIntent; // the speaker has not caught up with the user yet
        } else {
            m_playIntent.reset();
            m_playIntentUntil.reset();
        }
    }
    if (record)
        recordIfNew(result);
    writeNowPlaying(result);
    m_services.system->update(m_nowPlaying, m_nowPlaying.artworkURL);
    if (m_speakerUnreachable) {
        assign(this, m_speakerUnreachable, false, &Playback::speakerUnreachableChanged);
        m_notices->setErrorMessage(std::nullopt);
    }
    m_pollFailures = 0;
    assign(this, m_hasPolledOnce, true, &Playback::hasPolledOnceChanged);
}

void Playback::writeNowPlaying(const NowPlaying &value)
{
    if (assign(this, m_nowPlaying, value, &Playback::nowPlayingChanged))
        m_queue->setPlayingIndex(m_nowPlaying.queueIndex);
}

void Playback::pollFailed()
{
    ++m_pollFailures;
    if (m_pollFailures < failureThreshold || m_speakerUnreachable)
        return;
    assign(this, m_speakerUnreachable, true, &Playback::speakerUnreachableChanged);
    writeNowPlaying(NowPlaying{});
    const std::optional<Speaker> &selected = m_household->selected();
    m_notices->setErrorMessage(CorvaneError::speakerUnreachable(selected ? selected->roomName : QString()).message());
}

// ---- the speakers' events

QCoro::Task<bool> Playback::rereadRoomSound(bool yieldToSending)
{
    const std::optional<Speaker> selected = m_household->selected();
    if (!selected)
        co_return true;
    QPointer<Playback> self(this);
    const int session = m_session;
    const SonosController speaker(*selected);
    // In a group the slider shows the group's volume, read from its coordinator.
    if (m_volumeIsGroup) {
        QCoro::Task<> groupRead = rereadVolume();
        co_await groupRead;
        if (!self)
            co_return false;
    } else {
        QCoro::Task<bool> volumeRead = readForSession<int>(session, speaker.volume(), [this, yieldToSending](int volume) {
            // A volume the person is still sending wins over the reading.
            if (!m_volumeIsGroup && (!yieldToSending || !m_volumeTask))
                assign(this, m_volume, double(volume), &Playback::volumeChanged);
        });
        if (!co_await volumeRead)
            co_return false;
        QCoro::Task<bool> muteRead = readForSession<bool>(session, speaker.isMuted(), [this](bool muted) {
            if (!m_volumeIsGroup)
                assign(this, m_isMuted, muted, &Playback::isMutedChanged);
        });
        if (!co_await muteRead)
            co_return false;
    }
    if (m_session != session)
        co_return false;
    QCoro::Task<bool> toneRead = readForSession<Equalizer>(session, speaker.equalizer(), [this](Equalizer equalizer) {
        setEqualizer(equalizer);
    });
    co_return co_await toneRead;
}

QCoro::Task<> Playback::rereadVolume()
{
    const int session = m_session;
    if (!m_volumeIsGroup) {
        const std::optional<Speaker> selected = m_household->selected();
        if (!selected)
            co_return;
        const SonosController speaker(*selected);
        QCoro::Task<bool> volumeRead = readForSession<int>(session, speaker.volume(), [this](int volume) {
            if (!m_volumeIsGroup && !m_volumeTask)
                assign(this, m_volume, double(volume), &Playback::volumeChanged);
        });
        if (!co_await volumeRead)
            co_return;
        QCoro::Task<bool> muteRead = readForSession<bool>(session, speaker.isMuted(), [this](bool muted) {
            if (!m_volumeIsGroup)
                assign(this, m_isMuted, muted, &Playback::isMutedChanged);
        });
        co_await muteRead;
        co_return;
    }
    const std::unique_ptr<SonosController> coordinator = m_household->coordinatorController();
    if (!coordinator)
        co_return;
    QCoro::Task<bool> volumeRead = readForSession<int>(session, coordinator->groupVolume(), [this](int volume) {
        if (m_volumeIsGroup && !m_volumeTask)
            assign(this, m_volume, double(volume), &Playback::volumeChanged);
    });
    if (!co_await volumeRead)
        co_return;
    QCoro::Task<bool> muteRead = readForSession<bool>(session, coordinator->isGroupMuted(), [this](bool muted) {
        if (m_volumeIsGroup)
            assign(this, m_isMuted, muted, &Playback::isMutedChanged);
    });
    co_await muteRead;
}

QCoro::Task<> Playback::rereadSleepTimer()
{
    std::unique_ptr<SonosController> controller = m_household->coordinatorController();
    if (!controller)
        co_return;
    QCoro::Task<bool> timerRead = readForSession<std::optional<int>>(m_session, controller->sleepTimerRemaining(), [this](std::optional<int> minutes) {
        assign(this, m_sleepMinutes, minutes, &Playback::sleepMinutesChanged);
    });
    co_await timerRead;
}

QCoro::Task<> Playback::readPosition()
{
    QPointer<Playback> self(this);
    std::unique_ptr<SonosController> controller = m_household->coordinatorController();
    if (!controller || isScrubbing())
        co_return;
    m_lastPositionRead = steadyNow();
    const int session = m_session;
    std::optional<NowPlaying> reading;
    try {
        reading = co_await controller->currentTrack();
    } catch (...) {
        // counted below, as a failed poll is
    }
    if (!self || m_session != session || isScrubbing())
        co_return;
    if (!reading) {
        pollFailed();
        co_return;
    }
    // The transport state comes from the events; this read knows only where the song is.
    reading->isPlaying = m_nowPlaying.isPlaying;
    applyNowPlaying(*reading);
}

// ---- the listening history

void Playback::recordIfNew(const NowPlaying &result)
{
    if (!result.trackID || result.trackID == m_lastRecordedTrackID || result.title.isEmpty())
        return;
    bool skip = false;
    if (m_firstReading) {
        const QList<HistoryEntry> &entries = m_services.history->entries();
        skip = result.elapsed >= firstReadingThreshold || (!entries.isEmpty() && entries.first().trackID == *result.trackID);
    }
    m_lastRecordedTrackID = result.trackID;
    m_firstReading = false;
    if (skip)
        return;
    const Track track{*result.trackID, result.title, result.artist, result.album, std::nullopt,
                      result.duration >= 1 ? std::optional<qint64>(qint64(result.duration) * 1000) : std::nullopt};
    m_services.history->record(track, m_household->roomForHistory());
    enrichHistoryEntry(track);
}

QCoro::Task<> Playback::enrichHistoryEntry(Track track)
{
    QPointer<Playback> self(this);
    const std::shared_ptr<MusicService> service = m_services.music;
    if (!service)
        co_return;
    std::optional<QString> artwork = co_await AppleMusicKit::songArtwork(service.get(), track.id);
    if (!self)
        co_return;
    if (!artwork && !track.title.isEmpty()) {
        const QString term = track.artist.isEmpty() ? track.title : track.title + QLatin1Char(' ') + track.artist;
        const AppleMusicKit::SearchResults results = co_await AppleMusicKit::search(service.get(), term, 1);
        if (!self)
            co_return;
        if (!results.songs.isEmpty())
            artwork = results.songs.first().artworkBase;
    }
    if (artwork)
        m_services.history->setArtwork(*artwork, track.id);
}

QCoro::Task<> Playback::recordWhenAccepted(QCoro::Task<> command, Track track)
{
    QPointer<Playback> self(this);
    co_await command;
    if (self)
        m_services.history->record(track, m_household->roomForHistory());
}

// ---- the quality badge

void Playback::refreshQuality()
{
    refreshQualityTask();
}

QCoro::Task<> Playback::refreshQualityTask()
{
    QPointer<Playback> self(this);
    if (!m_nowPlaying.trackID) {
        assign(this, m_quality, std::optional<QString>(), &Playback::qualityChanged);
        co_return;
    }
    const QString trackID = *m_nowPlaying.trackID;
    if (m_qualityCache.contains(trackID)) {
        assign(this, m_quality, m_qualityCache.value(trackID), &Playback::qualityChanged);
        co_return;
    }
    std::optional<QString> label;
    const std::shared_ptr<MusicService> service = m_services.music;
    if (service)
        label = co_await AppleMusicKit::quality(service.get(), trackID);
    if (!self)
        co_return;
    m_qualityCache.insert(trackID, label);
    // The track moved on while the badge was read: it is not this track's badge.
    if (m_nowPlaying.trackID == trackID)
        assign(this, m_quality, label, &Playback::qualityChanged);
}

} // namespace corvane
