#pragma once

#include "sonos/records.h"

#include <QObject>
#include <QVariant>

namespace corvane {

class CorvaneModel;

// What plays, the transport, volume and sound, and everything that starts something playing.
class PlaybackFace : public QObject
{
    Q_OBJECT
    Q_PROPERTY(corvane::NowPlaying nowPlaying READ nowPlaying NOTIFY nowPlayingChanged)
    Q_PROPERTY(bool hasTrack READ hasTrack NOTIFY nowPlayingChanged)
    Q_PROPERTY(bool nowPlayingIsFavorite READ nowPlayingIsFavorite NOTIFY nowPlayingIsFavoriteChanged)
    Q_PROPERTY(double volume READ volume WRITE setVolume NOTIFY volumeChanged)
    Q_PROPERTY(bool isMuted READ isMuted NOTIFY isMutedChanged)
    Q_PROPERTY(bool isShuffled READ isShuffled NOTIFY playModeChanged)
    Q_PROPERTY(int repeatState READ repeatState NOTIFY playModeChanged)
    Q_PROPERTY(int playbackStarted READ playbackStarted NOTIFY playbackStartedChanged)
    Q_PROPERTY(QString preparing READ preparing NOTIFY preparingChanged)
    Q_PROPERTY(QVariant scrubbing READ scrubbing WRITE setScrubbing NOTIFY scrubbingChanged)
    Q_PROPERTY(QString quality READ quality NOTIFY qualityChanged)
    Q_PROPERTY(bool speakerUnreachable READ speakerUnreachable NOTIFY speakerUnreachableChanged)
    Q_PROPERTY(bool hasPolledOnce READ hasPolledOnce NOTIFY hasPolledOnceChanged)
    Q_PROPERTY(bool isExpanded READ isExpanded WRITE setExpanded NOTIFY isExpandedChanged)
    Q_PROPERTY(corvane::Equalizer equalizer READ equalizer NOTIFY equalizerChanged)
    Q_PROPERTY(QVariant sleepMinutes READ sleepMinutes NOTIFY sleepMinutesChanged)
    // Whether Corvane shows in the desktop's media controls and answers the media keys.
    Q_PROPERTY(bool systemNowPlaying READ systemNowPlaying WRITE setSystemNowPlaying NOTIFY systemNowPlayingChanged)

public:
    explicit PlaybackFace(CorvaneModel *model);

    NowPlaying nowPlaying() const;
    bool hasTrack() const;
    bool nowPlayingIsFavorite() const;
    double volume() const;
    void setVolume(double volume);
    bool isMuted() const;
    bool isShuffled() const;
    int repeatState() const;
    int playbackStarted() const;
    QString preparing() const;
    QVariant scrubbing() const;
    void setScrubbing(const QVariant &position);
    QString quality() const;
    bool speakerUnreachable() const;
    bool hasPolledOnce() const;
    bool isExpanded() const;
    void setExpanded(bool expanded);
    Equalizer equalizer() const;
    QVariant sleepMinutes() const;
    bool systemNowPlaying() const;

    // Starting something
    Q_INVOKABLE void play(const QVariant &track);
    Q_INVOKABLE void playTile(const QVariant &item);
    Q_INVOKABLE void playFavorite(const QVariant &favorite);
    Q_INVOKABLE void playStation(const QVariant &station);
    Q_INVOKABLE void artistRadio(const QVariant &artist);
    Q_INVOKABLE void lineIn();
    Q_INVOKABLE void toggleFavorite(const QVariant &track);
    // The star of the playback bar: what plays now becomes a Sonos favorite, or stops being one.
    Q_INVOKABLE void toggleNowPlayingFavorite();
    Q_INVOKABLE bool isFavorite(const QString &trackID) const;

    // Transport and sound
    Q_INVOKABLE void togglePlay();
    Q_INVOKABLE void next();
    Q_INVOKABLE void previous();
    Q_INVOKABLE void seek(double fraction);
    Q_INVOKABLE void commitVolume();
    Q_INVOKABLE void mute();
    Q_INVOKABLE void shuffle();
    Q_INVOKABLE void repeat();
    Q_INVOKABLE void toggleExpanded();
    Q_INVOKABLE void setBass(int value);
    Q_INVOKABLE void setTreble(int value);
    Q_INVOKABLE void loudness();
    Q_INVOKABLE void flattenEqualizer();
    Q_INVOKABLE void sleepTimer(int minutes); // 0 cancels
    Q_INVOKABLE void setSystemNowPlaying(bool on);

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
    void sleepMinutesChanged();
    void systemNowPlayingChanged();

private:
    CorvaneModel *m_model;
};

} // namespace corvane
