import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The large view's titles, room, transport, progress and volume.
ColumnLayout {
    id: root

    readonly property var now: App.playback.nowPlaying
    readonly property bool nothing: now.title.length === 0 && now.artist.length === 0
    readonly property var room: App.household.selected

    spacing: Theme.spacingS

    PlainLabel {
        objectName: "largeTitle"
        text: root.nothing ? qsTr("Rien en lecture") : root.now.title
        color: root.nothing ? Theme.textDim : Theme.text
        font.pixelSize: Theme.fontDisplay
        font.weight: Font.Bold
        wrapMode: Text.Wrap
        maximumLineCount: 2
        elide: Text.ElideRight
        Layout.fillWidth: true
    }
    // What a stream announces is no artist to open: plain text, whole.
    PlainLabel {
        visible: root.now.isLive && text.length > 0
        text: root.now.artist
        color: Theme.textDim
        font.pixelSize: Theme.fontSubtitle
        wrapMode: Text.Wrap
        maximumLineCount: 2
        elide: Text.ElideRight
        Layout.fillWidth: true
    }
    ArtistLink {
        visible: !root.now.isLive && root.now.artist.length > 0
        name: root.now.artist
        onClicked: {
            App.browse.openArtistNamed(name)
            App.playback.isExpanded = false
        }
        Layout.maximumWidth: parent.width
    }
    PlainLabel {
        visible: text.length > 0
        text: root.now.album
        color: Theme.textDim
        font.pixelSize: Theme.fontBody
        elide: Text.ElideRight
        Layout.fillWidth: true
    }
    RowLayout {
        visible: root.room !== undefined && root.room !== null
        spacing: Theme.spacingXS
        Layout.topMargin: Theme.spacingXS
        Icon {
            name: "hifispeaker.fill"
            size: 14
            color: Theme.textDim
        }
        PlainLabel {
            text: root.room ? root.room.roomName : ""
            color: Theme.textDim
            font.pixelSize: Theme.fontCaption + 1
        }
    }
    ProgressStrip {
        objectName: "bigProgress"
        big: true
        Layout.fillWidth: true
        Layout.topMargin: Theme.spacingM
    }
    TransportControls {
        playSize: 44
        Layout.alignment: Qt.AlignHCenter
    }
    VolumeControl {
        sliderWidth: 200
        Layout.alignment: Qt.AlignHCenter
    }
}
