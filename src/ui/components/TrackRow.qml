import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// One song: artwork, title, artist, duration. The number (album lists) gives way to a speaker
// symbol on the song playing now. Hover shows play and add; double-click or Enter plays; the
// context menu (right click, Menu key) offers the rest. What the row does is its user's to say.
ItemDelegate {
    id: root

    required property var track
    property int number: 0
    property bool showArtwork: true
    // What the group plays now (a nowPlaying), to mark this song when it is the one.
    property var nowPlaying: null
    property bool isFavorite: false
    readonly property bool isCurrent: !!nowPlaying && nowPlaying.title.length > 0 && !!track
                                      && (nowPlaying.trackID === track.id
                                          || (nowPlaying.title === track.title && nowPlaying.artist === track.artist))
    readonly property bool showsButtons: hovered || activeFocus

    signal play()
    signal playNext()
    signal enqueue()
    signal toggleFavorite()
    signal showArtist()

    implicitHeight: Theme.rowHeight
    padding: 0
    leftPadding: Theme.spacingM
    rightPadding: Theme.spacingS
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    text: track ? track.title : ""
    highlighted: activeFocus
    background: Rectangle {
        radius: Theme.radiusS
        color: root.highlighted ? Theme.selection : (root.hovered ? Theme.hover : "transparent")
    }

    contentItem: RowLayout {
        spacing: Theme.spacingM

        Item {
            visible: root.number > 0 || root.isCurrent
            Layout.preferredWidth: 24
            Layout.fillHeight: true
            PlainLabel {
                anchors.centerIn: parent
                visible: !root.isCurrent
                text: root.number
                color: Theme.textFaint
                font.pixelSize: Theme.fontBody
            }
            Icon {
                anchors.centerIn: parent
                visible: root.isCurrent
                name: root.nowPlaying && root.nowPlaying.isPlaying ? "speaker.wave.2.fill" : "speaker.fill"
                color: Theme.accent
                size: 16
            }
        }
        Artwork {
            visible: root.showArtwork
            size: 38
            url: root.track ? root.track.artwork : ""
        }
        ColumnLayout {
            spacing: 1
            Layout.fillWidth: true
            PlainLabel {
                text: root.track ? root.track.title : ""
                color: root.isCurrent ? Theme.accent : Theme.text
                font.pixelSize: Theme.fontBody
                font.weight: Font.Medium
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            PlainLabel {
                text: root.track ? root.track.artist : ""
                color: Theme.textDim
                font.pixelSize: Theme.fontCaption + 1
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
        IconButton {
            focusPolicy: Qt.NoFocus
            visible: root.showsButtons
            symbol: "play.circle.fill"
            help: qsTr("Lire maintenant")
            tint: Theme.accent
            symbolSize: 22
            onClicked: root.play()
        }
        IconButton {
            focusPolicy: Qt.NoFocus
            visible: root.showsButtons
            symbol: "text.line.last.and.arrowtriangle.forward"
            help: qsTr("Ajouter à la file d'attente")
            onClicked: root.enqueue()
        }
        PlainLabel {
            text: root.track ? root.track.duration : ""
            color: Theme.textFaint
            font.pixelSize: Theme.fontCaption + 1
            Layout.preferredWidth: 40
            horizontalAlignment: Text.AlignRight
        }
    }

    onDoubleClicked: root.play()
    Keys.onReturnPressed: root.play()
    Keys.onEnterPressed: root.play()
    Keys.onMenuPressed: menu.popup(root, Theme.spacingXL, root.height / 2)
    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: (point) => menu.popup(root, point.position.x, point.position.y)
    }
    TrackMenu {
        id: menu
        track: root.track
        isFavorite: root.isFavorite
        onPlay: root.play()
        onPlayNext: root.playNext()
        onEnqueue: root.enqueue()
        onToggleFavorite: root.toggleFavorite()
        onShowArtist: root.showArtist()
    }

    Accessible.name: track ? track.title + ", " + track.artist : ""
    Accessible.role: Accessible.ListItem
    Accessible.onPressAction: root.play()
}
