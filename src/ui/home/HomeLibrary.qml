import QtQuick
import QtQuick.Layouts
import Corvane

// The library's playlists once Apple Music is connected; the invitation until then.
ColumnLayout {
    spacing: 0

    Shelf {
        visible: App.household.musicKitAuthorized && items.length > 0
        title: qsTr("Vos playlists")
        items: App.home.playlists
        tile: Tile {
            required property var modelData
            artwork: modelData.artwork
            title: modelData.name
            subtitle: modelData.curator
            placeholder: "music.note.list"
            playable: true
            onClicked: App.browse.openLibraryPlaylist(modelData)
            onPlay: App.playback.playLibraryPlaylist(modelData)
        }
        Layout.fillWidth: true
        PlaylistOrderMenu {}
    }
    ConnectMusicCard {
        objectName: "connectMusicCard"
        visible: !App.household.musicKitAuthorized
        Layout.fillWidth: true
    }
}
