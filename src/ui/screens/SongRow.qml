import QtQuick
import Corvane

// A song of a list, played, queued and starred on the selected group.
TrackRow {
    nowPlaying: App.playback.nowPlaying
    isFavorite: !!track && App.favorites.songIDs.indexOf(track.id) >= 0
    onPlay: App.playback.play(track)
    onPlayNext: App.queue.playNext(track)
    onEnqueue: App.queue.enqueue(track)
    onToggleFavorite: App.playback.toggleFavorite(track)
    onShowArtist: App.browse.openArtistNamed(track.artist)
}
