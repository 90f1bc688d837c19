// Polling the selected group and merging what it reports.

#include "corvanemodel.h"

#include "applemusic/applemusickit.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "sonos/corvaneerror.h"
#include "sonos/sonoscontroller.h"
#include "system/systemplayback.h"

namespace corvane {

namespace {
constexpr int readEveryTicks = 5;
constexpr int favoritesEveryTicks = 20;
constexpr int failureThreshold = 3;
constexpr int firstReadingThreshold = 16; // seconds into a song at launch: it was not started now
} // namespace

QCoro::Task<> CorvaneModel::pollLoop(CancellationToken token)
{
    QPointer<CorvaneModel> self(this);
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
            assign(m_nowPlaying, advanced, &CorvaneModel::nowPlayingChanged);
        }
        ++m_ticks;
        if (m_ticks % readEveryTicks == 0) {
            co_await pollOnce();
            if (!self)
                co_return;
        }
        if (m_ticks % favoritesEveryTicks == 0 && !token.isCancelled())
            refreshFavorites();
    }
    --m_runningPollLoops;
}

bool CorvaneModel::isScrubbing() const
{
    return m_scrubbing && m_scrubbingStartedAt && Clock::now() - *m_scrubbingStartedAt <= delays().scrubWindow;
}

QCoro::Task<> CorvaneModel::pollOnce()
{
    QPointer<CorvaneModel> self(this);
    std::unique_ptr<SonosController> controller = coordinatorController();
    if (!controller || isScrubbing())
        co_return;
    std::optional<NowPlaying> result;
    try {
        result = co_await controller->nowPlaying();
    } catch (...) {
    }
    // A drag that began while the read was out holds the position: the reading is dropped.
    if (!self || isScrubbing())
        co_return;
    if (result)
        applyNowPlaying(*result);
    else
        pollFailed();
}

void CorvaneModel::applyNowPlaying(NowPlaying result)
{
    if (m_playIntent && m_playIntentUntil) {
        if (result.isPlaying != *m_playIntent && Clock::now() <= *m_playIntentUntil) {
            result.isPlaying = *m_playIntent; // the speaker has not caught up with the user yet
        } else {
            m_playIntent.reset();
            m_playIntentUntil.reset();
        }
    }
    recordIfNew(result);
    writeNowPlaying(result);
    m_system->update(m_nowPlaying, m_nowPlaying.artworkURL);
    if (m_speakerUnreachable) {
        assign(m_speakerUnreachable, false, &CorvaneModel::speakerUnreachableChanged);
        setErrorMessage(std::nullopt);
    }
    m_pollFailures = 0;
    assign(m_hasPolledOnce, true, &CorvaneModel::hasPolledOnceChanged);
}

void CorvaneModel::writeNowPlaying(const NowPlaying &value)
{
    assign(m_nowPlaying, value, &CorvaneModel::nowPlayingChanged);
}

void CorvaneModel::pollFailed()
{
    ++m_pollFailures;
    if (m_pollFailures < failureThreshold || m_speakerUnreachable)
        return;
    assign(m_speakerUnreachable, true, &CorvaneModel::speakerUnreachableChanged);
    writeNowPlaying(NowPlaying{});
    setErrorMessage(CorvaneError::speakerUnreachable(m_selected ? m_selected->roomName : QString()).message());
}

QString CorvaneModel::roomForHistory() const
{
    if (const std::optional<SonosGroup> group = currentGroup())
        return group->displayName();
    return m_selected ? m_selected->roomName : QString();
}

void CorvaneModel::recordIfNew(const NowPlaying &result)
{
    if (!result.trackID || result.trackID == m_lastRecordedTrackID || result.title.isEmpty())
        return;
    bool skip = false;
    if (m_firstReading) {
        const QList<HistoryEntry> &entries = m_history->entries();
        skip = result.elapsed >= firstReadingThreshold || (!entries.isEmpty() && entries.first().trackID == *result.trackID);
    }
    m_lastRecordedTrackID = result.trackID;
    m_firstReading = false;
    if (skip)
        return;
    const Track track{*result.trackID, result.title, result.artist, result.album, std::nullopt,
                      result.duration >= 1 ? std::optional<qint64>(qint64(result.duration) * 1000) : std::nullopt};
    m_history->record(track, roomForHistory());
    enrichHistoryEntry(track);
}

QCoro::Task<> CorvaneModel::enrichHistoryEntry(Track track)
{
    QPointer<CorvaneModel> self(this);
    const std::shared_ptr<MusicService> service = music();
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
        m_history->setArtwork(*artwork, track.id);
}

void CorvaneModel::refreshQuality()
{
    refreshQualityTask();
}

QCoro::Task<> CorvaneModel::refreshQualityTask()
{
    QPointer<CorvaneModel> self(this);
    if (!m_nowPlaying.trackID) {
        assign(m_nowPlayingQuality, std::optional<QString>(), &CorvaneModel::nowPlayingQualityChanged);
        co_return;
    }
    const QString trackID = *m_nowPlaying.trackID;
    if (m_qualityCache.contains(trackID)) {
        assign(m_nowPlayingQuality, m_qualityCache.value(trackID), &CorvaneModel::nowPlayingQualityChanged);
        co_return;
    }
    std::optional<QString> label;
    if (music())
        label = co_await AppleMusicKit::quality(music().get(), trackID);
    if (!self)
        co_return;
    m_qualityCache.insert(trackID, label);
    // The track moved on while the badge was read: it is not this track's badge.
    if (m_nowPlaying.trackID == trackID)
        assign(m_nowPlayingQuality, label, &CorvaneModel::nowPlayingQualityChanged);
}

void CorvaneModel::setSystemNowPlaying(bool on)
{
    m_preferences.setSystemNowPlaying(on);
    m_system->setSystemNowPlaying(on);
    if (on)
        configureSystem();
    Q_EMIT systemNowPlayingChanged();
}

} // namespace corvane
