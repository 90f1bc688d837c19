import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// What plays, large.
Rectangle {
    id: root

    color: Theme.background

    readonly property var now: App.playback.nowPlaying

    ColumnLayout {
        anchors.centerIn: parent
        width: Math.min(parent.width - 2 * Theme.spacingXL, 420)
        spacing: Theme.spacingM
        Artwork {
            // Room left for the titles and the button below it.
            size: Math.max(120, Math.min(320, root.width - 2 * Theme.spacingXL, root.height - 190))
            url: root.now.artwork
            cornerPercent: 4
            Layout.alignment: Qt.AlignHCenter
        }
        Label {
            text: App.playback.hasTrack ? root.now.title : "Rien en lecture"
            color: Theme.text
            font.pixelSize: Theme.fontTitle
            font.weight: Font.Bold
            elide: Text.ElideRight
            horizontalAlignment: Text.AlignHCenter
            Layout.fillWidth: true
        }
        Label {
            text: root.now.artist
            color: Theme.textDim
            font.pixelSize: Theme.fontSubtitle
            elide: Text.ElideRight
            horizontalAlignment: Text.AlignHCenter
            Layout.fillWidth: true
        }
        PillButton {
            text: "Réduire"
            symbol: "arrow.down.right.and.arrow.up.left"
            Layout.alignment: Qt.AlignHCenter
            onClicked: App.playback.isExpanded = false
        }
    }
}
