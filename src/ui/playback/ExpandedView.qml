import QtQuick
import QtQuick.Layouts
import Corvane

// What plays, large: the record player beside the titles and the controls, over a wash of the
// cover's colours.
Rectangle {
    id: root

    readonly property var now: App.playback.nowPlaying
    readonly property real progress: now.duration > 0 ? Math.min(1, now.elapsed / now.duration) : 0

    color: Theme.background

    // The ambient tint: the cover shrunk to a few pixels and spread over the whole view.
    Image {
        id: ambient
        anchors.fill: parent
        visible: root.now.artwork.toString().length > 0
        source: visible ? "image://artwork/r0/" + encodeURIComponent(root.now.artwork.toString()) : ""
        sourceSize.width: 6
        sourceSize.height: 6
        smooth: true
        asynchronous: true
        opacity: status === Image.Ready ? 0.45 : 0
        Behavior on opacity { NumberAnimation { duration: 400 } }
    }
    Rectangle {
        anchors.fill: parent
        gradient: Gradient {
            GradientStop { position: 0; color: "#66141218" }
            GradientStop { position: 1; color: "#ee141218" }
        }
    }
    RowLayout {
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: Theme.spacingM
        IconButton {
            objectName: "collapseButton"
            symbol: "chevron.down"
            help: qsTr("Réduire")
            onClicked: App.playback.isExpanded = false
        }
        Item { Layout.fillWidth: true }
        IconButton {
            objectName: "largeQueueButton"
            symbol: "list.bullet"
            help: qsTr("File d'attente")
            onClicked: App.browse.openQueue()
        }
    }
    GridLayout {
        id: layout
        readonly property bool wide: root.width > 700
        anchors.fill: parent
        anchors.margins: Theme.spacingXL
        anchors.topMargin: 56
        columns: wide ? 2 : 1
        columnSpacing: Theme.spacingXL * 1.5
        rowSpacing: Theme.spacingL
        Turntable {
            objectName: "turntable"
            size: Math.min(380, layout.wide ? (layout.width - Theme.spacingXL) / 2 : layout.width,
                           (layout.wide ? layout.height : layout.height * 0.5) / 0.86)
            artwork: root.now.artwork
            isPlaying: root.now.isPlaying
            progress: root.progress
            Layout.alignment: Qt.AlignCenter
        }
        TrackPanel {
            Layout.fillWidth: true
            Layout.maximumWidth: 420
            Layout.alignment: Qt.AlignVCenter
        }
    }
}
