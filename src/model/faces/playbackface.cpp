#include "playbackface.h"

#include "model/corvanemodel.h"

namespace corvane {

PlaybackFace::PlaybackFace(CorvaneModel *model)
    : QObject(model)
    , m_model(model)
{
    using M = CorvaneModel;
    using F = PlaybackFace;
    connect(model, &M::nowPlayingChanged, this, &F::nowPlayingChanged);
    connect(model, &M::nowPlayingChanged, this, &F::nowPlayingIsFavoriteChanged);
    connect(model, &M::favoritesChanged, this, &F::nowPlayingIsFavoriteChanged);
    connect(model, &M::volumeChanged, this, &F::volumeChanged);
    connect(model, &M::isMutedChanged, this, &F::isMutedChanged);
    connect(model, &M::playModeChanged, this, &F::playModeChanged);
    connect(model, &M::playbackStartedChanged, this, &F::playbackStartedChanged);
    connect(model, &M::preparingChanged, this, &F::preparingChanged);
    connect(model, &M::scrubbingChanged, this, &F::scrubbingChanged);
    connect(model, &M::nowPlayingQualityChanged, this, &F::qualityChanged);
    connect(model, &M::speakerUnreachableChanged, this, &F::speakerUnreachableChanged);
    connect(model, &M::hasPolledOnceChanged, this, &F::hasPolledOnceChanged);
    connect(model, &M::isExpandedChanged, this, &F::isExpandedChanged);
    connect(model, &M::equalizerChanged, this, &F::equalizerChanged);
    connect(model, &M::sleepMinutesChanged, this, &F::sleepMinutesChanged);
    connect(model, &M::systemNowPlayingChanged, this, &F::systemNowPlayingChanged);
}

NowPlaying PlaybackFace::nowPlaying() const { return m_model->nowPlaying(); }
bool PlaybackFace::hasTrack() const { return !m_model->nowPlaying().title.isEmpty(); }

bool PlaybackFace::nowPlayingIsFavorite() const
{
    const std::optional<QString> &id = m_model->nowPlaying().trackID;
    return id && m_model->isFavorite(*id);
}

double PlaybackFace::volume() const { return m_model->volume(); }
void PlaybackFace::setVolume(double volume) { m_model->setVolume(volume); }
bool PlaybackFace::isMuted() const { return m_model->isMuted(); }
bool PlaybackFace::isShuffled() const { return m_model->isShuffled(); }
int PlaybackFace::repeatState() const { return int(m_model->repeatState()); }
int PlaybackFace::playbackStarted() const { return m_model->playbackStarted(); }
QString PlaybackFace::preparing() const { return m_model->preparing().value_or(QString()); }

QVariant PlaybackFace::scrubbing() const
{
    return m_model->scrubbing() ? QVariant(*m_model->scrubbing()) : QVariant();
}

void PlaybackFace::setScrubbing(const QVariant &position)
{
    m_model->setScrubbing(position.isValid() && !position.isNull() ? std::optional(position.toDouble()) : std::nullopt);
}

QString PlaybackFace::quality() const { return m_model->nowPlayingQuality().value_or(QString()); }
bool PlaybackFace::speakerUnreachable() const { return m_model->speakerUnreachable(); }
bool PlaybackFace::hasPolledOnce() const { return m_model->hasPolledOnce(); }
bool PlaybackFace::isExpanded() const { return m_model->isExpanded(); }
void PlaybackFace::setExpanded(bool expanded) { m_model->setExpanded(expanded); }
Equalizer PlaybackFace::equalizer() const { return m_model->equalizer(); }

QVariant PlaybackFace::sleepMinutes() const
{
    return m_model->sleepMinutes() ? QVariant(*m_model->sleepMinutes()) : QVariant();
}

void PlaybackFace::play(const QVariant &track)
{
    if (track.canConvert<Track>())
        m_model->playSong(track.value<Track>());
}

void PlaybackFace::playTile(const QVariant &item)
{
    if (item.canConvert<LibraryPlaylist>()) {
        const LibraryPlaylist playlist = item.value<LibraryPlaylist>();
        m_model->playPlaylistNamed(playlist.id, playlist.name);
        return;
    }
    if (item.canConvert<Album>()) {
        // An album of a shelf or a result: played as the recommendations' albums are.
        const Album album = item.value<Album>();
        m_model->setPreparing(album.title);
        m_model->playCatalogItem(MusicItem{album.id, MusicItem::Kind::Album, album.title, album.artist, std::nullopt});
        return;
    }
    if (!item.canConvert<MusicItem>())
        return;
    const MusicItem tile = item.value<MusicItem>();
    m_model->setPreparing(tile.title);
    m_model->playCatalogItem(tile);
}

void PlaybackFace::playFavorite(const QVariant &favorite)
{
    if (favorite.canConvert<SonosFavorite>())
        m_model->startFavorite(favorite.value<SonosFavorite>());
}

void PlaybackFace::playStation(const QVariant &station)
{
    if (station.canConvert<RadioStation>())
        m_model->playStation(station.value<RadioStation>());
}

void PlaybackFace::artistRadio(const QVariant &artist)
{
    if (!artist.canConvert<Artist>())
        return;
    const Artist chosen = artist.value<Artist>();
    m_model->setPreparing(QStringLiteral("Radio ") + chosen.name);
    m_model->startRadio(chosen);
}

void PlaybackFace::lineIn() { m_model->startLineIn(); }

void PlaybackFace::toggleFavorite(const QVariant &track)
{
    if (track.canConvert<Track>())
        m_model->toggleFavorite(track.value<Track>());
}

void PlaybackFace::toggleNowPlayingFavorite()
{
    const NowPlaying &now = m_model->nowPlaying();
    if (!now.trackID || now.title.isEmpty())
        return;
    Track track;
    track.id = *now.trackID;
    track.title = now.title;
    track.artist = now.artist;
    track.album = now.album;
    if (now.artworkURL)
        track.artworkBase = now.artworkURL->toString();
    m_model->toggleFavorite(track);
}

bool PlaybackFace::isFavorite(const QString &trackID) const { return m_model->isFavorite(trackID); }

void PlaybackFace::togglePlay() { m_model->togglePlayPause(); }
void PlaybackFace::next() { m_model->skipToNext(); }
void PlaybackFace::previous() { m_model->skipToPrevious(); }
void PlaybackFace::seek(double fraction) { m_model->seekToFraction(fraction); }
void PlaybackFace::commitVolume() { m_model->commitVolume(); }
void PlaybackFace::mute() { m_model->toggleMute(); }
void PlaybackFace::shuffle() { m_model->toggleShuffle(); }
void PlaybackFace::repeat() { m_model->cycleRepeat(); }
void PlaybackFace::toggleExpanded() { m_model->setExpanded(!m_model->isExpanded()); }
void PlaybackFace::setBass(int value) { m_model->adjustBass(value); }
void PlaybackFace::setTreble(int value) { m_model->adjustTreble(value); }
void PlaybackFace::loudness() { m_model->toggleLoudness(); }
void PlaybackFace::flattenEqualizer() { m_model->resetEqualizer(); }

void PlaybackFace::sleepTimer(int minutes)
{
    m_model->changeSleepTimer(minutes > 0 ? std::optional(minutes) : std::nullopt);
}

void PlaybackFace::setSystemNowPlaying(bool on) { m_model->setSystemNowPlaying(on); }
bool PlaybackFace::systemNowPlaying() const { return m_model->systemNowPlaying(); }

} // namespace corvane
