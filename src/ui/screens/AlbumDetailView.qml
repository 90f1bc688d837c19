import QtQuick
import QtQuick.Layouts
import Corvane

TrackListPage {
    header: ColumnLayout {
        readonly property var album: App.browse.album
        readonly property int songs: App.browse.detailTracks.length

        width: parent ? parent.width : 0
        spacing: Theme.spacingM
        Item { Layout.preferredHeight: Theme.spacingM }
        DetailHeader {
            artwork: parent.album.artwork
            kind: qsTr("Album")
            title: parent.album.title
            placeholder: "opticaldisc"
            Layout.fillWidth: true
            ArtistLink {
                name: App.browse.album.artist
                onClicked: App.browse.openAlbumArtist(App.browse.album)
            }
            PlainLabel {
                text: {
                    const album = App.browse.album
                    const parts = []
                    if (album && album.year.length > 0)
                        parts.push(album.year)
                    if (App.browse.detailTracks.length > 0)
                        parts.push(qsTr("%n morceau(x)", "", App.browse.detailTracks.length))
                    return parts.join(" · ")
                }
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
            }
        }
        DetailActions {
            playText: qsTr("Lire l'album")
            enabled: parent.songs > 0
            onPlay: App.browse.playPage()
            onPlayNext: App.browse.playPageNext()
            onEnqueueAll: App.browse.enqueuePage()
        }
        Item { Layout.preferredHeight: Theme.spacingS }
    }
}
