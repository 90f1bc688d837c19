import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// Along the bottom: what plays, the transport with the progress, the volume and the panels.
ToolBar {
    id: root

    readonly property var now: App.playback.nowPlaying
    readonly property bool nothing: now.title.length === 0 && now.artist.length === 0

    padding: Theme.spacingS
    leftPadding: Theme.spacingM
    rightPadding: Theme.spacingM
    background: Rectangle {
        color: Theme.surface
        Rectangle {
            width: parent.width
            height: 1
            color: Theme.divider
        }
    }
    // The transport stays at the bar's centre whatever the title's length; only a narrow window
    // moves it aside, never under the tools on the right.
    Item {
        id: row
        anchors.fill: parent
        implicitHeight: Math.max(summary.implicitHeight, middle.implicitHeight, tools.implicitHeight)

        readonly property real side: Math.max(tools.implicitWidth, 200)

        NowPlayingSummary {
            id: summary
            anchors.left: parent.left
            anchors.right: middle.left
            anchors.rightMargin: Theme.spacingM
            anchors.verticalCenter: parent.verticalCenter
        }
        ColumnLayout {
            id: middle
            spacing: 0
            width: Math.max(220, Math.min(420, row.width - 2 * (row.side + Theme.spacingM)))
            x: Math.min((row.width - width) / 2, row.width - tools.implicitWidth - Theme.spacingM - width)
            anchors.verticalCenter: parent.verticalCenter
            TransportControls {
                playSize: 32
                Layout.alignment: Qt.AlignHCenter
            }
            ProgressStrip {
                objectName: "progressStrip"
                Layout.fillWidth: true
            }
        }
        RowLayout {
            id: tools
            spacing: 0
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            VolumeControl {
                sliderWidth: 80
            }
            IconButton {
                id: soundButton
                objectName: "soundButton"
                symbol: "slider.horizontal.3"
                help: qsTr("Réglages sonores")
                checkable: true
                checked: sound.opened
                onClicked: sound.opened ? sound.close() : sound.open()
            }
            IconButton {
                symbol: "clock.arrow.circlepath"
                help: qsTr("Historique d'écoute")
                tint: App.browse.route === Route.History ? Theme.accent : Theme.text
                onClicked: App.browse.showPanel(Route.History)
            }
            IconButton {
                symbol: "list.bullet"
                help: qsTr("File d'attente")
                tint: App.browse.route === Route.Queue ? Theme.accent : Theme.text
                onClicked: App.browse.toggleQueue()
            }
        }
    }
    SoundPopover {
        id: sound
        objectName: "soundPopover"
        x: root.width - width - Theme.spacingS
        y: -height - Theme.spacingS
    }
}
