import QtQuick
import Corvane

Tile {
    // A delegate of a list of records.
    required property var modelData
    readonly property var playlist: modelData

    artwork: playlist.artwork
    title: playlist.name
    subtitle: playlist.curator
    placeholder: "music.note.list"
}
