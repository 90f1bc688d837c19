import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// Along the bottom: what plays, the transport and the volume.
ToolBar {
    id: root

    readonly property var now: App.playback.nowPlaying

    padding: Theme.spacingS
    background: Rectangle {
        color: Theme.surface
        Rectangle {
            width: parent.width
            height: 1
            color: Theme.divider
        }
        // How far the song has gone.
        Rectangle {
            y: 1
            height: 2
            color: Theme.accent
            width: root.now.duration > 0 ? parent.width * Math.min(1, root.now.elapsed / root.now.duration) : 0
        }
    }
    RowLayout {
        anchors.fill: parent
        spacing: Theme.spacingM
        AbstractButton {
            implicitWidth: 44
            implicitHeight: 44
            focusPolicy: Qt.StrongFocus
            contentItem: Artwork {
                size: 44
                url: root.now.artwork
            }
            onClicked: App.playback.toggleExpanded()
            ToolTip.visible: hovered
            ToolTip.text: App.playback.isExpanded ? "Réduire" : "Afficher en grand"
            Accessible.name: ToolTip.text
            Accessible.role: Accessible.Button
            Accessible.onPressAction: clicked()
        }
        ColumnLayout {
            spacing: 1
            Layout.fillWidth: true
            Layout.preferredWidth: 200
            Label {
                objectName: "barTitle"
                text: App.playback.preparing.length > 0 ? App.playback.preparing
                                                        : (App.playback.hasTrack ? root.now.title : "Rien en lecture")
                color: App.playback.hasTrack ? Theme.text : Theme.textDim
                font.pixelSize: Theme.fontBody
                font.weight: Font.Medium
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            Label {
                visible: text.length > 0
                text: root.now.artist
                color: Theme.textDim
                font.pixelSize: Theme.fontCaption + 1
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
        IconButton {
            symbol: App.playback.nowPlayingIsFavorite ? "star.fill" : "star"
            help: App.playback.nowPlayingIsFavorite ? "Retirer des favoris Sonos" : "Ajouter aux favoris Sonos"
            tint: App.playback.nowPlayingIsFavorite ? Theme.accent : Theme.textDim
            enabled: App.playback.hasTrack && root.now.trackID.length > 0
            onClicked: App.playback.toggleNowPlayingFavorite()
        }
        IconButton {
            symbol: "backward.fill"
            help: "Morceau précédent"
            onClicked: App.playback.previous()
        }
        IconButton {
            symbol: root.now.isPlaying ? "pause.circle.fill" : "play.circle.fill"
            help: root.now.isPlaying ? "Pause" : "Lecture"
            tint: Theme.accent
            symbolSize: 34
            onClicked: App.playback.togglePlay()
        }
        IconButton {
            symbol: "forward.fill"
            help: "Morceau suivant"
            onClicked: App.playback.next()
        }
        Label {
            visible: root.now.duration > 0
            text: Theme.clock(root.now.elapsed) + " / " + Theme.clock(root.now.duration)
            color: Theme.textDim
            font.pixelSize: Theme.fontCaption + 1
        }
        IconButton {
            symbol: App.playback.isMuted ? "speaker.slash.fill" : "speaker.wave.2.fill"
            help: App.playback.isMuted ? "Réactiver le son" : "Couper le son"
            onClicked: App.playback.mute()
        }
        Slider {
            id: volume
            from: 0
            to: 100
            stepSize: 1
            value: App.playback.volume
            Layout.preferredWidth: 110
            // The model waits for the slider to rest before telling the speaker.
            onMoved: {
                App.playback.volume = value
                App.playback.commitVolume()
            }
            Accessible.name: "Volume"
        }
        Label {
            text: Math.round(App.playback.volume)
            color: Theme.textDim
            font.pixelSize: Theme.fontCaption + 1
            Layout.preferredWidth: 24
        }
    }
}
