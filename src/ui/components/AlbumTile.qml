import QtQuick
import Corvane

Tile {
    id: root

    // A delegate of a list of records.
    required property var modelData
    readonly property var album: modelData

    artwork: album.artwork
    title: album.title
    subtitle: album.year.length > 0 ? album.artist + " · " + album.year : album.artist
    placeholder: "opticaldisc"
    // Every album plays from its tile, as the recommendations do.
    playable: true
}
