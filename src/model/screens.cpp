// What the QML screens call: each starts the model's task and returns at once.

#include "corvanemodel.h"

namespace corvane {

namespace {
template<typename T>
QList<T> recordsOf(const QVariantList &values)
{
    QList<T> records;
    for (const QVariant &value : values) {
        if (value.canConvert<T>())
            records.append(value.value<T>());
    }
    return records;
}

std::optional<QString> nonEmpty(const QString &text)
{
    return text.isEmpty() ? std::nullopt : std::optional(text);
}
} // namespace

void CorvaneModel::play(const QVariant &track)
{
    if (track.canConvert<Track>())
        playSong(track.value<Track>());
}

void CorvaneModel::playList(const QVariantList &tracks, const QString &title, const QString &kind, const QString &id)
{
    playSongs(recordsOf<Track>(tracks), title, nonEmpty(kind), nonEmpty(id));
}

void CorvaneModel::enqueue(const QVariant &track)
{
    if (track.canConvert<Track>())
        addToQueue(track.value<Track>());
}

void CorvaneModel::togglePlay() { togglePlayPause(); }
void CorvaneModel::next() { skipToNext(); }
void CorvaneModel::previous() { skipToPrevious(); }
void CorvaneModel::seek(double fraction) { seekToFraction(fraction); }
void CorvaneModel::mute() { toggleMute(); }
void CorvaneModel::shuffle() { toggleShuffle(); }
void CorvaneModel::repeat() { cycleRepeat(); }
void CorvaneModel::clearQueue() { emptyQueue(); }

void CorvaneModel::removeFromQueue(int row)
{
    if (row >= 0 && row < m_queue.size())
        removeQueueItem(m_queue.at(row));
}

void CorvaneModel::moveInQueue(int from, int to) { moveQueueItems({from}, to); }

void CorvaneModel::showAlbum(const QVariant &album)
{
    if (album.canConvert<Album>())
        openAlbum(album.value<Album>());
}

void CorvaneModel::showPlaylist(const QVariant &playlist)
{
    if (playlist.canConvert<PlaylistRef>())
        openPlaylist(playlist.value<PlaylistRef>());
}

void CorvaneModel::showArtist(const QVariant &artist)
{
    if (artist.canConvert<Artist>())
        openArtist(artist.value<Artist>());
}

void CorvaneModel::showArtistNamed(const QString &name) { openArtistNamed(name); }
void CorvaneModel::togglePanel(int route) { showPanel(RouteKind::Value(route)); }

void CorvaneModel::playTile(const QVariant &item)
{
    if (!item.canConvert<MusicItem>())
        return;
    const MusicItem tile = item.value<MusicItem>();
    setPreparing(tile.title);
    playCatalogItem(tile);
}

void CorvaneModel::connectMusic() { connectAppleMusic(); }

void CorvaneModel::reloadHome()
{
    loadHome();
    loadHomeCharts();
}

void CorvaneModel::windowActivated() { loadPersonal(true); }

void CorvaneModel::playFavorite(const QVariant &favorite)
{
    if (favorite.canConvert<SonosFavorite>())
        startFavorite(favorite.value<SonosFavorite>());
}

void CorvaneModel::favorite(const QVariant &track)
{
    if (track.canConvert<Track>())
        toggleFavorite(track.value<Track>());
}

void CorvaneModel::playRadioStation(const QVariant &station)
{
    if (station.canConvert<RadioStation>())
        playStation(station.value<RadioStation>());
}

void CorvaneModel::artistRadio(const QVariant &artist)
{
    if (!artist.canConvert<Artist>())
        return;
    const Artist chosen = artist.value<Artist>();
    setPreparing(QStringLiteral("Radio ") + chosen.name);
    startRadio(chosen);
}

void CorvaneModel::lineIn() { startLineIn(); }

void CorvaneModel::toggleRoom(const QString &uuid)
{
    for (const Speaker &speaker : std::as_const(m_speakers)) {
        if (speaker.uuid == uuid) {
            toggleMembership(speaker);
            return;
        }
    }
}

void CorvaneModel::setBass(int value) { adjustBass(value); }
void CorvaneModel::setTreble(int value) { adjustTreble(value); }
void CorvaneModel::loudness() { toggleLoudness(); }
void CorvaneModel::flattenEqualizer() { resetEqualizer(); }

void CorvaneModel::sleepTimer(int minutes)
{
    changeSleepTimer(minutes > 0 ? std::optional(minutes) : std::nullopt);
}

} // namespace corvane
