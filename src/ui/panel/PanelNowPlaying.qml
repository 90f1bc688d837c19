import QtQuick
import QtQuick.Layouts
import Corvane

// The panel's head: the cover, the title and artist, the room.
RowLayout {
    id: root

    readonly property var now: App.playback.nowPlaying
    readonly property bool nothing: now.title.length === 0 && now.artist.length === 0

    spacing: Theme.spacingM

    Artwork {
        size: 56
        url: root.now.artwork
    }
    ColumnLayout {
        spacing: 1
        Layout.fillWidth: true
        PlainLabel {
            objectName: "panelTitle"
            text: root.nothing ? qsTr("Rien en lecture") : root.now.title
            color: root.nothing ? Theme.textDim : Theme.text
            font.pixelSize: Theme.fontBody + 1
            font.weight: Font.DemiBold
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
        PlainLabel {
            visible: text.length > 0
            text: root.now.artist
            color: Theme.textDim
            font.pixelSize: Theme.fontBody
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
        RowLayout {
            visible: App.household.selected !== undefined && App.household.selected !== null
            spacing: Theme.spacingXS
            Icon {
                name: "hifispeaker.fill"
                size: 12
                color: Theme.textFaint
            }
            PlainLabel {
                text: App.household.selected ? App.household.selected.roomName : ""
                color: Theme.textFaint
                font.pixelSize: Theme.fontCaption + 1
            }
        }
    }
}
