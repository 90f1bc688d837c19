// What the speakers' events say, merged into what plays the way a poll's readings are.

#include "playback.h"

#include "model/field.h"

namespace corvane {

void Playback::setEventsFlowing(bool flowing)
{
    m_eventsFlowing = flowing;
    m_lastPositionRead.reset();
}

void Playback::applyTransportEvent(NowPlaying now)
{
    // A drag holds the position; the next event or read brings the rest.
    if (isScrubbing())
        return;
    const bool sameTrack = now.trackID == m_nowPlaying.trackID && now.title == m_nowPlaying.title
        && now.queueIndex == m_nowPlaying.queueIndex;
    now.elapsed = sameTrack ? m_nowPlaying.elapsed : 0;
    applyNowPlaying(now, m_hasReadSpeakerState);
    // Where in the new song the speaker is, which no event says.
    if (!sameTrack && m_hasReadSpeakerState && !now.isLive && now.duration >= 1)
        readPosition();
}

void Playback::applyPlayMode(PlayMode mode)
{
    const bool shuffled = playModeShuffles(mode);
    const RepeatState repeat = playModeRepeat(mode);
    if (shuffled == m_isShuffled && repeat == m_repeatState)
        return;
    m_isShuffled = shuffled;
    m_repeatState = repeat;
    Q_EMIT playModeChanged();
}

void Playback::applyRendering(const RenderingChange &change)
{
    // A volume the person is still sending wins over what the speaker said a moment ago. In a
    // group the slider shows the group's volume, which its own events bring.
    if (change.volume && !m_volumeTask && !m_volumeIsGroup)
        assign(this, m_volume, double(*change.volume), &Playback::volumeChanged);
    if (change.muted && !m_volumeIsGroup)
        assign(this, m_isMuted, *change.muted, &Playback::isMutedChanged);
    if (change.bass || change.treble || change.loudness) {
        Equalizer equalizer = m_equalizer;
        equalizer.bass = change.bass.value_or(equalizer.bass);
        equalizer.treble = change.treble.value_or(equalizer.treble);
        equalizer.loudness = change.loudness.value_or(equalizer.loudness);
        setEqualizer(equalizer);
    }
}

void Playback::applyGroupRendering(const GroupRenderingChange &change)
{
    bool changed = false;
    if (change.volume && change.volume != m_groupVolume) {
        m_groupVolume = change.volume;
        changed = true;
    }
    if (change.muted && *change.muted != m_groupMuted) {
        m_groupMuted = *change.muted;
        changed = true;
    }
    if (changed)
        Q_EMIT groupVolumeChanged();
    if (!m_volumeIsGroup)
        return;
    if (change.volume && !m_volumeTask)
        assign(this, m_volume, double(*change.volume), &Playback::volumeChanged);
    if (change.muted)
        assign(this, m_isMuted, *change.muted, &Playback::isMutedChanged);
}

} // namespace corvane
