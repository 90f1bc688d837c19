// Play gestures and transport controls: optimistic first, then the speaker.

#include "corvanemodel.h"

#include "async/delays.h"
#include "async/tasks.h"
#include "sonos/corvaneerror.h"
#include "sonos/sonoscontroller.h"

namespace corvane {

namespace {

bool isCatalogueContainer(const std::optional<QString> &kind, const std::optional<QString> &id)
{
    if (!kind || !id || id->isEmpty())
        return false;
    if (*kind == QLatin1String("playlist"))
        return id->startsWith(QLatin1String("pl."));
    if (*kind == QLatin1String("album"))
        return std::all_of(id->begin(), id->end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return false;
}

template<typename T>
QCoro::Task<> ignoringResult(QCoro::Task<T> task)
{
    co_await task;
}

// The group may be on a radio or the line-in: back to its queue, at that entry.
QCoro::Task<> jumpAndPlay(const SonosController &speaker, int position)
{
    co_await speaker.setQueueAsSource();
    co_await speaker.playTrack(position);
    co_await speaker.play();
}

} // namespace

PlayMode CorvaneModel::playModeFor(bool shuffled, RepeatState repeat)
{
    if (!shuffled) {
        switch (repeat) {
        case RepeatState::Off:
            return PlayMode::Normal;
        case RepeatState::All:
            return PlayMode::RepeatAll;
        case RepeatState::One:
            return PlayMode::RepeatOne;
        }
    }
    return repeat == RepeatState::All ? PlayMode::Shuffle : PlayMode::ShuffleNoRepeat;
}

QString CorvaneModel::refusedMessage(const QList<Track> &refused, int sent)
{
    if (refused.isEmpty())
        return {};
    if (refused.size() == 1)
        return QStringLiteral("« %1 » n'a pas pu être ajouté : l'enceinte l'a refusé.").arg(refused.first().title);
    QStringList titles;
    for (const Track &track : refused.mid(0, 3))
        titles << track.title;
    QString shown = titles.join(QStringLiteral(", "));
    if (refused.size() > 3)
        shown += QStringLiteral("…");
    return QStringLiteral("%1 morceaux sur %2 n'ont pas pu être ajoutés : %3")
        .arg(QString::number(refused.size()), QString::number(sent), shown);
}

void CorvaneModel::setOptimisticStart(const Track &track)
{
    m_playbackStarted++;
    Q_EMIT playbackStartedChanged();
    m_playIntent = true;
    m_playIntentUntil = Clock::now() + delays().startWindow;
    NowPlaying now;
    now.title = track.title;
    now.artist = track.artist;
    now.album = track.album;
    now.artworkURL = track.artworkURL(600);
    now.isPlaying = true;
    now.elapsed = 0;
    now.duration = track.durationMS ? int(*track.durationMS / 1000) : 0;
    now.queueIndex = 1;
    writeNowPlaying(now);
}

QCoro::Task<> CorvaneModel::recordWhenAccepted(QCoro::Task<> command, Track track)
{
    QPointer<CorvaneModel> self(this);
    co_await command;
    if (self)
        m_history->record(track, roomForHistory());
}

QCoro::Task<> CorvaneModel::playSong(Track track)
{
    if (const std::optional<QString> refusal = commandRefusal(Needs::MusicLink)) {
        setErrorMessage(*refusal);
        co_return;
    }
    setOptimisticStart(track);
    rememberArtwork({track}, false);
    const int token = beginQueueChange(1);
    QPointer<CorvaneModel> self(this);
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [this, self, track, token](const SonosController &speaker) -> QCoro::Task<> {
        return recordWhenAccepted(withQueueChange(speaker.playTrack(track, *m_link), token), track);
    }, Needs::MusicLink, token);
    co_await command;
}

QCoro::Task<> CorvaneModel::withQueueChange(QCoro::Task<> action, int token)
{
    QPointer<CorvaneModel> self(this);
    std::exception_ptr failure;
    try {
        co_await action;
    } catch (...) {
        failure = std::current_exception();
    }
    if (self)
        co_await endQueueChange(token);
    if (failure)
        std::rethrow_exception(failure);
}

QCoro::Task<> CorvaneModel::playSongs(QList<Track> tracks, QString title, std::optional<QString> containerKind,
                                      std::optional<QString> containerID)
{
    if (tracks.isEmpty())
        co_return;
    if (const std::optional<QString> refusal = commandRefusal(Needs::MusicLink)) {
        setErrorMessage(*refusal);
        co_return;
    }
    setOptimisticStart(tracks.first());
    rememberArtwork(tracks, false);
    const int token = beginQueueChange(int(tracks.size()));
    if (containerKind == QLatin1String("playlist") && containerID)
        recordPlaylistPlay(*containerID);
    const bool asContainer = isCatalogueContainer(containerKind, containerID);
    QPointer<CorvaneModel> self(this);
    auto action = [this, self, tracks, title, containerKind, containerID, asContainer, token](const SonosController &speaker) {
        return recordWhenAccepted(withQueueChange(sendList(speaker, tracks, title, asContainer ? containerKind : std::nullopt, containerID), token),
                                  tracks.first());
    };
    // The check runs alongside the command, 0.7 s after the start.
    QCoro::Task<> check = postStartCheck();
    QCoro::Task<> command = performOnSpeaker(title, false, action, Needs::MusicLink, token);
    co_await command;
    co_await check;
}

QCoro::Task<> CorvaneModel::sendList(const SonosController &speaker, QList<Track> tracks, QString title,
                                     std::optional<QString> containerKind, std::optional<QString> containerID)
{
    QPointer<CorvaneModel> self(this);
    const AppleMusicLink link = *m_link;
    if (containerKind && containerID) {
        const std::optional<int> added = co_await speaker.playContainer(*containerKind, *containerID, title, link);
        if (added && *added > 0)
            co_return;
    }
    const QList<Track> refused = co_await speaker.playAll(tracks, link);
    if (self && !refused.isEmpty())
        setErrorMessage(refusedMessage(refused, int(tracks.size())));
}

QCoro::Task<> CorvaneModel::postStartCheck()
{
    QPointer<CorvaneModel> self(this);
    co_await sleep(delays().postStartCheck);
    if (!self)
        co_return;
    std::unique_ptr<SonosController> controller = coordinatorController();
    if (!controller)
        co_return;
    try {
        const int volume = co_await controller->volume();
        if (!self)
            co_return;
        const bool muted = co_await controller->isMuted();
        if (!self)
            co_return;
        if (volume == 0) {
            assign(m_volume, 0.0, &CorvaneModel::volumeChanged);
            setErrorMessage(QStringLiteral("Le volume de l'enceinte est à 0 — montez-le pour entendre la musique."));
        } else if (muted) {
            assign(m_isMuted, true, &CorvaneModel::isMutedChanged);
            setErrorMessage(QStringLiteral("L'enceinte est en sourdine."));
        }
    } catch (...) {
    }
}

QCoro::Task<> CorvaneModel::addToQueue(Track track)
{
    rememberArtwork({track}, true);
    const int token = beginQueueChange(int(m_queue.size()));
    QCoro::Task<> command = performOnSpeaker(QStringLiteral("Ajouté à la file · ") + track.title, false,
                              [this, track, token](const SonosController &speaker) {
                                  return withQueueChange(ignoringResult(speaker.enqueue(track, *m_link)), token);
                              }, Needs::MusicLink, token);
    co_await command;
}

namespace {
QCoro::Task<> enqueueEach(const SonosController &speaker, QList<Track> tracks, AppleMusicLink link)
{
    for (const Track &track : tracks)
        co_await speaker.enqueue(track, link);
}
} // namespace

QCoro::Task<> CorvaneModel::addTracksToQueue(QList<Track> tracks)
{
    rememberArtwork(tracks, true);
    const int token = beginQueueChange(int(m_queue.size()));
    QCoro::Task<> command = performOnSpeaker(QStringLiteral("Ajouté à la file"), false, [this, tracks, token](const SonosController &speaker) {
        return withQueueChange(enqueueEach(speaker, tracks, *m_link), token);
    }, Needs::MusicLink, token);
    co_await command;
}

QCoro::Task<> CorvaneModel::playNext(QString kind, QString id, QString title, QString toast)
{
    QCoro::Task<> refresh = refreshQueue();
    QCoro::Task<> command = performOnSpeaker(toast, false, [this, kind, id, title](const SonosController &speaker) {
        return ignoringResult(speaker.insertContainerNext(kind, id, title, *m_link));
    }, Needs::MusicLink);
    co_await command;
    co_await refresh;
}

QCoro::Task<> CorvaneModel::playQueueEntry(QueueItem item)
{
    const int position = item.id;
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [position](const SonosController &speaker) {
        return jumpAndPlay(speaker, position);
    });
    co_await command;
}

QCoro::Task<> CorvaneModel::playTrackNext(Track track)
{
    rememberArtwork({track}, true);
    const int token = beginQueueChange(int(m_queue.size()) + 1);
    QCoro::Task<> command = performOnSpeaker(QStringLiteral("À suivre · ") + track.title, false,
                                             [this, track, token](const SonosController &speaker) {
                                                 return withQueueChange(ignoringResult(speaker.enqueueNext(track, *m_link)), token);
                                             }, Needs::MusicLink, token);
    co_await command;
}

QCoro::Task<> CorvaneModel::togglePlayPause()
{
    QPointer<CorvaneModel> self(this);
    std::unique_ptr<SonosController> controller = coordinatorController();
    if (!controller) {
        setErrorMessage(CorvaneError::noSpeakers().message());
        co_return;
    }
    bool reference = m_nowPlaying.isPlaying;
    try {
        const NowPlaying fresh = co_await controller->nowPlaying();
        reference = fresh.isPlaying;
    } catch (...) {
    }
    if (!self)
        co_return;
    NowPlaying shown = m_nowPlaying;
    shown.isPlaying = !reference;
    writeNowPlaying(shown);
    m_playIntent = !reference;
    m_playIntentUntil = Clock::now() + delays().toggleWindow;
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [reference](const SonosController &speaker) {
        return reference ? speaker.pause() : speaker.play();
    });
    co_await command;
}

QCoro::Task<> CorvaneModel::resumePlayback()
{
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [](const SonosController &speaker) { return speaker.play(); });
    co_await command;
}

QCoro::Task<> CorvaneModel::pausePlayback()
{
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [](const SonosController &speaker) { return speaker.pause(); });
    co_await command;
}

QCoro::Task<> CorvaneModel::skipToNext()
{
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [](const SonosController &speaker) { return speaker.next(); });
    co_await command;
}

QCoro::Task<> CorvaneModel::skipToPrevious()
{
    if (m_nowPlaying.elapsed >= 4) {
        NowPlaying restarted = m_nowPlaying;
        restarted.elapsed = 0;
        writeNowPlaying(restarted);
        QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [](const SonosController &speaker) { return speaker.seek(0); });
        co_await command;
        co_return;
    }
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [](const SonosController &speaker) { return speaker.previous(); });
    co_await command;
}

QCoro::Task<> CorvaneModel::seekToFraction(double fraction)
{
    co_await seekToSeconds(std::clamp(fraction, 0.0, 1.0) * m_nowPlaying.duration);
}

QCoro::Task<> CorvaneModel::seekToSeconds(double seconds)
{
    const int target = std::max(0, int(seconds));
    NowPlaying moved = m_nowPlaying;
    moved.elapsed = target;
    writeNowPlaying(moved);
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [target](const SonosController &speaker) { return speaker.seek(target); });
    co_await command;
}

void CorvaneModel::setScrubbing(std::optional<double> position)
{
    if (position)
        m_scrubbingStartedAt = Clock::now(); // the window counts from the last movement
    else
        m_scrubbingStartedAt.reset();
    assign(m_scrubbing, position, &CorvaneModel::scrubbingChanged);
}

void CorvaneModel::setVolume(double volume)
{
    assign(m_volume, std::clamp(volume, 0.0, 100.0), &CorvaneModel::volumeChanged);
}

void CorvaneModel::commitVolume()
{
    if (m_volumeTask)
        m_volumeTask->cancel();
    m_volumeTask = std::make_unique<CancellationSource>();
    sendVolume(m_volumeTask->token());
}

QCoro::Task<> CorvaneModel::sendVolume(CancellationToken token)
{
    QPointer<CorvaneModel> self(this);
    const bool waited = co_await sleep(delays().volumeDebounce, token);
    if (!self || !waited || !m_selected)
        co_return;
    const SonosController speaker(*m_selected);
    try {
        co_await speaker.setVolume(int(m_volume));
    } catch (...) {
        // The next slider change or session start sends it again.
    }
}

QCoro::Task<> CorvaneModel::toggleMute()
{
    const bool muted = !m_isMuted;
    assign(m_isMuted, muted, &CorvaneModel::isMutedChanged);
    QCoro::Task<> command = performOnSpeaker(std::nullopt, true, [muted](const SonosController &speaker) { return speaker.setMuted(muted); });
    co_await command;
}

QCoro::Task<> CorvaneModel::toggleShuffle()
{
    const bool wasShuffled = m_isShuffled;
    m_isShuffled = !m_isShuffled;
    Q_EMIT playModeChanged();
    co_await sendPlayMode(wasShuffled, m_repeatState);
}

QCoro::Task<> CorvaneModel::cycleRepeat()
{
    const RepeatState was = m_repeatState;
    switch (m_repeatState) {
    case RepeatState::Off:
        m_repeatState = RepeatState::All;
        break;
    case RepeatState::All:
        m_repeatState = RepeatState::One;
        break;
    case RepeatState::One:
        m_repeatState = RepeatState::Off;
        break;
    }
    Q_EMIT playModeChanged();
    co_await sendPlayMode(m_isShuffled, was);
}

QCoro::Task<> CorvaneModel::sendPlayMode(bool wasShuffled, RepeatState wasRepeat)
{
    QPointer<CorvaneModel> self(this);
    const int errorsBefore = m_errorSerial;
    const PlayMode mode = playModeFor(m_isShuffled, m_repeatState);
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [mode](const SonosController &speaker) { return speaker.setPlayMode(mode); });
    co_await command;
    // Refused (a radio has no play modes, and says so in the message): the switches go back to
    // what the speaker still does.
    if (self && m_errorSerial != errorsBefore && mode == playModeFor(m_isShuffled, m_repeatState)) {
        m_isShuffled = wasShuffled;
        m_repeatState = wasRepeat;
        Q_EMIT playModeChanged();
    }
}

} // namespace corvane
