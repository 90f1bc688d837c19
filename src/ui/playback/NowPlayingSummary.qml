import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The artwork that opens the large view, the title, the artist that opens their page, the star.
RowLayout {
    id: root

    readonly property var now: App.playback.nowPlaying
    readonly property bool nothing: now.title.length === 0 && now.artist.length === 0

    spacing: Theme.spacingM

    AbstractButton {
        id: cover
        objectName: "coverButton"
        implicitWidth: 48
        implicitHeight: 48
        focusPolicy: Qt.StrongFocus
        hoverEnabled: true
        contentItem: Artwork {
            size: 48
            url: root.now.artwork
            Rectangle {
                anchors.fill: parent
                radius: parent.radius
                visible: cover.hovered || cover.visualFocus
                color: "#99000000"
                Icon {
                    anchors.centerIn: parent
                    name: "arrow.up.left.and.arrow.down.right"
                    size: 20
                    color: "white"
                }
            }
        }
        onClicked: App.playback.isExpanded = true
        ToolTip.visible: hovered
        ToolTip.delay: 600
        ToolTip.text: qsTr("Afficher en grand")
        Accessible.name: qsTr("Afficher en grand")
        Accessible.role: Accessible.Button
        Accessible.onPressAction: clicked()
    }
    ColumnLayout {
        spacing: 0
        Layout.fillWidth: true
        PlainLabel {
            objectName: "barTitle"
            //: %1 is the album, playlist or song being readied on the speaker
            text: App.playback.preparing.length > 0 ? qsTr("Préparation de « %1 »…").arg(App.playback.preparing)
                : root.nothing ? qsTr("Rien en lecture") : root.now.title
            color: root.nothing ? Theme.textDim : Theme.text
            font.pixelSize: Theme.fontBody
            font.weight: Font.Medium
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
        ArtistLink {
            visible: root.now.artist.length > 0
            name: root.now.artist
            enabled: !root.now.isLive
            compact: true
            onClicked: App.browse.openArtistNamed(name)
            Layout.fillWidth: true
            Layout.maximumWidth: implicitWidth
        }
    }
    IconButton {
        objectName: "nowPlayingStar"
        symbol: App.playback.nowPlayingIsFavorite ? "star.fill" : "star"
        help: App.playback.nowPlayingIsFavorite ? qsTr("Retirer des favoris Sonos") : qsTr("Ajouter aux favoris Sonos")
        tint: App.playback.nowPlayingIsFavorite ? Theme.accent : Theme.textDim
        enabled: !root.nothing && root.now.trackID.length > 0
        onClicked: App.playback.toggleNowPlayingFavorite()
    }
}
