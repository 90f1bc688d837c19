import QtQuick
import QtQuick.Layouts
import Corvane

TrackListPage {
    header: ColumnLayout {
        readonly property var playlist: App.browse.playlist
        readonly property int songs: App.browse.detailTracks.length

        width: parent ? parent.width : 0
        spacing: Theme.spacingM
        Item { Layout.preferredHeight: Theme.spacingM }
        DetailHeader {
            artwork: parent.playlist.artwork
            kind: qsTr("Playlist")
            title: parent.playlist.name
            placeholder: "music.note.list"
            Layout.fillWidth: true
            PlainLabel {
                visible: text.length > 0
                text: App.browse.playlist.curator
                color: Theme.textDim
                font.pixelSize: Theme.fontSubtitle
            }
            PlainLabel {
                visible: App.browse.detailTracks.length > 0
                text: qsTr("%n morceau(x)", "", App.browse.detailTracks.length)
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
            }
        }
        DetailActions {
            playText: qsTr("Lire la playlist")
            enabled: parent.songs > 0
            onPlay: App.browse.playPage()
            onPlayNext: App.browse.playPageNext()
            onEnqueueAll: App.browse.enqueuePage()
        }
        Item { Layout.preferredHeight: Theme.spacingS }
    }
}
