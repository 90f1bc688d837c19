import QtQuick
import Corvane

Tile {
    // A delegate of a list of records.
    required property var modelData
    readonly property var artist: modelData

    artwork: artist.artwork
    title: artist.name
    subtitle: artist.genre
    round: true
}
