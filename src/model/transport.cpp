// The transport, the room's volume and sound, and the sleep timer.

#include "playback.h"

#include "async/tasks.h"
#include "base/corvaneerror.h"
#include "model/commands.h"
#include "model/field.h"
#include "model/household.h"
#include "model/notices.h"
#include "sonos/sonoscontroller.h"

#include <QCoreApplication>
#include <QPointer>

#include <cmath>

namespace corvane {

QCoro::Task<> Playback::togglePlayPause()
{
    QPointer<Playback> self(this);
    std::unique_ptr<SonosController> controller = m_household->coordinatorController();
    if (!controller) {
        m_notices->setErrorMessage(CorvaneError::noSpeakers().message());
        co_return;
    }
    bool reference = m_nowPlaying.isPlaying;
    try {
        const NowPlaying fresh = co_await controller->nowPlaying();
        reference = fresh.isPlaying;
    } catch (...) {
        // unread: what the window shows decides
    }
    if (!self)
        co_return;
    NowPlaying shown = m_nowPlaying;
    shown.isPlaying = !reference;
    showStarting(shown, delays().toggleWindow);
    m_playIntent = !reference;
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [reference](const SonosController &speaker) {
        return reference ? speaker.pause() : speaker.play();
    });
    co_await command;
}

QCoro::Task<> Playback::resumePlayback()
{
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [](const SonosController &speaker) { return speaker.play(); });
    co_await command;
}

QCoro::Task<> Playback::pausePlayback()
{
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [](const SonosController &speaker) { return speaker.pause(); });
    co_await command;
}

QCoro::Task<> Playback::skipToNext()
{
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [](const SonosController &speaker) { return speaker.next(); });
    co_await command;
}

QCoro::Task<> Playback::skipToPrevious()
{
    if (m_nowPlaying.elapsed >= 4) {
        NowPlaying restarted = m_nowPlaying;
        restarted.elapsed = 0;
        writeNowPlaying(restarted);
        QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [](const SonosController &speaker) { return speaker.seek(0); });
        co_await command;
        co_return;
    }
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [](const SonosController &speaker) { return speaker.previous(); });
    co_await command;
}

QCoro::Task<> Playback::seekToFraction(double fraction)
{
    co_await seekToSeconds(std::clamp(fraction, 0.0, 1.0) * m_nowPlaying.duration);
}

QCoro::Task<> Playback::seekToSeconds(double seconds)
{
    const int target = std::max(0, int(seconds));
    NowPlaying moved = m_nowPlaying;
    moved.elapsed = target;
    writeNowPlaying(moved);
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [target](const SonosController &speaker) { return speaker.seek(target); });
    co_await command;
}

void Playback::setScrubbing(std::optional<double> position)
{
    if (position)
        m_scrubbingStartedAt = steadyNow(); // the window counts from the last movement
    else
        m_scrubbingStartedAt.reset();
    assign(this, m_scrubbing, position, &Playback::scrubbingChanged);
}

void Playback::setVolume(double volume)
{
    assign(this, m_volume, std::clamp(volume, 0.0, 100.0), &Playback::volumeChanged);
}

void Playback::commitVolume()
{
    if (m_volumeTask)
        m_volumeTask->cancel();
    m_volumeTask = std::make_unique<CancellationSource>();
    sendVolume(m_volumeTask->token());
}

QCoro::Task<> Playback::sendVolume(CancellationToken token)
{
    QPointer<Playback> self(this);
    const bool waited = co_await sleep(delays().volumeDebounce, token);
    if (!self || !waited || !m_household->selected())
        co_return;
    const int level = int(std::lround(m_volume));
    const bool group = m_volumeIsGroup;
    try {
        if (group) {
            const std::unique_ptr<SonosController> coordinator = m_household->coordinatorController();
            // The snapshot keeps the rooms' proportions through a series of changes (moves a few
            // seconds apart). A new series, or a room set on its own since, takes a new one: a
            // room changed elsewhere, unseen while polling, keeps its new level.
            const bool newSeries = !m_lastGroupSend || steadyNow() - *m_lastGroupSend > std::chrono::seconds(3);
            if (!m_groupSnapshotTaken || newSeries) {
                // Taken before the answer: a room set meanwhile clears it again, and wins.
                m_groupSnapshotTaken = true;
                QCoro::Task<> snapshot = coordinator->snapshotGroupVolume();
                co_await snapshot;
                if (!self)
                    co_return;
            }
            QCoro::Task<> set = coordinator->setGroupVolume(level);
            co_await set;
        } else {
            const SonosController speaker(*m_household->selected());
            co_await speaker.setVolume(level);
        }
    } catch (...) {
        // The next slider change or session start sends it again, with a new snapshot.
        if (self && group)
            m_groupSnapshotTaken = false;
    }
    if (!self || token.isCancelled())
        co_return;
    // Done: what the speakers say about the volume counts again.
    m_volumeTask.reset();
    if (group) {
        m_lastGroupSend = steadyNow();
        Q_EMIT groupVolumeSent();
    }
}

bool Playback::volumeIsGroup() const
{
    const std::optional<SonosGroup> group = m_household->currentGroup();
    return group && group->members.size() >= 2;
}

bool Playback::recentlySentGroupVolume() const
{
    return m_volumeTask || (m_lastGroupSend && steadyNow() - *m_lastGroupSend < std::chrono::seconds(3));
}

void Playback::followGroup()
{
    QStringList members;
    if (const std::optional<SonosGroup> group = m_household->currentGroup()) {
        for (const Speaker &member : group->members)
            members << member.uuid;
    }
    const bool isGroup = volumeIsGroup();
    if (members == m_groupMembers && isGroup == m_volumeIsGroup)
        return;
    m_groupMembers = members;
    m_groupSnapshotTaken = false;
    if (isGroup != m_volumeIsGroup) {
        m_volumeIsGroup = isGroup;
        Q_EMIT volumeIsGroupChanged();
    }
    if (m_household->selected())
        rereadVolume();
}

QCoro::Task<> Playback::toggleMute()
{
    const bool muted = !m_isMuted;
    assign(this, m_isMuted, muted, &Playback::isMutedChanged);
    if (m_volumeIsGroup) {
        QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [muted](const SonosController &speaker) { return speaker.setGroupMuted(muted); });
        co_await command;
        co_return;
    }
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Room, [muted](const SonosController &speaker) { return speaker.setMuted(muted); });
    co_await command;
}

QCoro::Task<> Playback::toggleShuffle()
{
    const bool wasShuffled = m_isShuffled;
    m_isShuffled = !m_isShuffled;
    Q_EMIT playModeChanged();
    co_await sendPlayMode(wasShuffled, m_repeatState);
}

QCoro::Task<> Playback::cycleRepeat()
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

QCoro::Task<> Playback::sendPlayMode(bool wasShuffled, RepeatState wasRepeat)
{
    QPointer<Playback> self(this);
    const int errorsBefore = m_notices->errorSerial();
    const PlayMode mode = playModeFor(m_isShuffled, m_repeatState);
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [mode](const SonosController &speaker) { return speaker.setPlayMode(mode); });
    co_await command;
    // Refused (a radio has no play modes, and says so in the message): the switches go back to
    // what the speaker still does.
    if (self && m_notices->errorSerial() != errorsBefore && mode == playModeFor(m_isShuffled, m_repeatState)) {
        m_isShuffled = wasShuffled;
        m_repeatState = wasRepeat;
        Q_EMIT playModeChanged();
    }
}

void Playback::setScrubbingValue(const QVariant &position)
{
    setScrubbing(position.isValid() && !position.isNull() ? std::optional(position.toDouble()) : std::nullopt);
}

void Playback::setExpanded(bool expanded)
{
    assign(this, m_isExpanded, expanded, &Playback::isExpandedChanged);
}

void Playback::setEqualizer(const Equalizer &equalizer)
{
    assign(this, m_equalizer, equalizer, &Playback::equalizerChanged);
}

QCoro::Task<> Playback::sendTone(std::optional<QString> toast, Equalizer equalizer,
                                 std::function<QCoro::Task<>(const SonosController &)> send)
{
    setEqualizer(equalizer);
    QCoro::Task<> command = m_commands->perform(toast, SpeakerCommands::Target::Room, std::move(send));
    co_await command;
}

QCoro::Task<> Playback::adjustBass(int value)
{
    Equalizer equalizer = m_equalizer;
    equalizer.bass = std::clamp(value, -10, 10);
    const int bass = equalizer.bass;
    QCoro::Task<> command = sendTone(std::nullopt, equalizer, [bass](const SonosController &speaker) { return speaker.setBass(bass); });
    co_await command;
}

QCoro::Task<> Playback::adjustTreble(int value)
{
    Equalizer equalizer = m_equalizer;
    equalizer.treble = std::clamp(value, -10, 10);
    const int treble = equalizer.treble;
    QCoro::Task<> command = sendTone(std::nullopt, equalizer, [treble](const SonosController &speaker) { return speaker.setTreble(treble); });
    co_await command;
}

QCoro::Task<> Playback::toggleLoudness()
{
    Equalizer equalizer = m_equalizer;
    equalizer.loudness = !equalizer.loudness;
    const bool on = equalizer.loudness;
    QCoro::Task<> command = sendTone(std::nullopt, equalizer, [on](const SonosController &speaker) { return speaker.setLoudness(on); });
    co_await command;
}

namespace {
QCoro::Task<> flatten(const SonosController &speaker)
{
    co_await speaker.setBass(0);
    co_await speaker.setTreble(0);
}
} // namespace

QCoro::Task<> Playback::resetEqualizer()
{
    Equalizer equalizer = m_equalizer;
    equalizer.bass = 0;
    equalizer.treble = 0;
    QCoro::Task<> command = sendTone(QCoreApplication::translate("Playback", "Égalisation remise à plat"), equalizer, flatten);
    co_await command;
}

QCoro::Task<> Playback::changeSleepTimer(std::optional<int> minutes)
{
    assign(this, m_sleepMinutes, minutes, &Playback::sleepMinutesChanged);
    const QString toast = minutes ? QCoreApplication::translate("Playback", "Arrêt dans %1 min").arg(*minutes) : QCoreApplication::translate("Playback", "Minuterie annulée");

    QCoro::Task<> command = m_commands->perform(toast, SpeakerCommands::Target::Group,
                                                [minutes](const SonosController &speaker) { return speaker.setSleepTimer(minutes); });
    co_await command;
}

void Playback::sleepTimer(int minutes)
{
    changeSleepTimer(minutes > 0 ? std::optional(minutes) : std::nullopt);
}

} // namespace corvane
