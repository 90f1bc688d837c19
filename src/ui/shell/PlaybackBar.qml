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
    RowLayout {
        anchors.fill: parent
        spacing: Theme.spacingM

        NowPlayingSummary {
            Layout.fillWidth: true
            Layout.minimumWidth: 150
        }
        ColumnLayout {
            spacing: 0
            Layout.fillWidth: true
            Layout.minimumWidth: 220
            Layout.preferredWidth: 260
            Layout.maximumWidth: 420
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
            spacing: 0
            VolumeControl {
                sliderWidth: 80
            }
            IconButton {
                id: soundButton
                objectName: "soundButton"
                symbol: "slider.horizontal.3"
                help: "Réglages sonores"
                checkable: true
                checked: sound.opened
                onClicked: sound.opened ? sound.close() : sound.open()
            }
            IconButton {
                symbol: "clock.arrow.circlepath"
                help: "Historique d'écoute"
                tint: App.browse.route === Route.History ? Theme.accent : Theme.text
                onClicked: App.browse.showPanel(Route.History)
            }
            IconButton {
                symbol: "list.bullet"
                help: "File d'attente"
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
