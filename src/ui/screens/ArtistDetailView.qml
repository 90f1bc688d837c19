import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// An artist: top songs (a few, or all of them), then the releases and neighbours.
Flickable {
    id: root

    readonly property var artist: App.browse.artist
    readonly property var songs: App.browse.detailTracks
    property bool showAllTracks: false
    readonly property int fewSongs: 5

    clip: true
    contentWidth: width
    contentHeight: page.implicitHeight + Theme.spacingXL
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}
    Connections {
        target: App.browse
        function onRouteChanged() { root.showAllTracks = false; root.contentY = 0 }
    }

    ColumnLayout {
        id: page
        x: Theme.spacingL
        width: root.width - 2 * Theme.spacingL
        spacing: Theme.spacingL

        Item { Layout.preferredHeight: Theme.spacingS }
        DetailHeader {
            artwork: root.artist.artwork
            round: true
            kind: qsTr("Artiste")
            title: root.artist.name
            Layout.fillWidth: true
            PlainLabel {
                visible: text.length > 0
                text: root.artist.genre
                color: Theme.textDim
                font.pixelSize: Theme.fontSubtitle
            }
            RowLayout {
                spacing: Theme.spacingS
                Layout.topMargin: Theme.spacingS
                PillButton {
                    //: Button: play the artist's songs
                    text: qsTr("Lire")
                    symbol: "play.fill"
                    primary: true
                    enabled: root.songs.length > 0
                    onClicked: App.browse.playPage()
                }
                PillButton {
                    text: qsTr("Radio")
                    symbol: "dot.radiowaves.left.and.right"
                    enabled: !!root.artist
                    onClicked: App.playback.artistRadio(root.artist)
                }
            }
        }

        BusyIndicator {
            running: App.browse.isLoadingDetail
            visible: running
            Layout.alignment: Qt.AlignHCenter
        }
        EmptyState {
            visible: App.browse.artistIsEmpty
            symbol: "music.note"
            title: qsTr("Rien trouvé pour cet artiste dans le catalogue.")
            Layout.fillWidth: true
            Layout.topMargin: Theme.spacingXL
        }

        Shelf {
            title: qsTr("Dernière sortie")
            items: App.browse.artistLatest ? [App.browse.artistLatest] : []
            tile: AlbumTile {
                onClicked: App.browse.openAlbum(album)
                onPlay: App.playback.playAlbum(album)
            }
            Layout.fillWidth: true
        }
        ColumnLayout {
            visible: root.songs.length > 0
            spacing: 0
            Layout.fillWidth: true
            SectionLabel {
                text: qsTr("Morceaux")
                Layout.fillWidth: true
                Layout.leftMargin: Theme.spacingS
                Layout.bottomMargin: Theme.spacingS
            }
            Repeater {
                model: root.showAllTracks ? root.songs : root.songs.slice(0, root.fewSongs)
                delegate: SongRow {
                    required property var modelData
                    track: modelData
                    Layout.fillWidth: true
                }
            }
            PillButton {
                visible: !root.showAllTracks && root.songs.length > root.fewSongs
                //: Only shown for more than five songs
                text: qsTr("Afficher les %n titres", "", root.songs.length)
                symbol: "chevron.down"
                Layout.topMargin: Theme.spacingS
                onClicked: root.showAllTracks = true
            }
        }
        Shelf {
            title: qsTr("Albums")
            items: App.browse.artistAlbums
            tile: AlbumTile {
                onClicked: App.browse.openAlbum(album)
                onPlay: App.playback.playAlbum(album)
            }
            Layout.fillWidth: true
        }
        Shelf {
            title: qsTr("Singles et EP")
            items: App.browse.artistSingles
            tile: AlbumTile {
                onClicked: App.browse.openAlbum(album)
                onPlay: App.playback.playAlbum(album)
            }
            Layout.fillWidth: true
        }
        Shelf {
            title: qsTr("Playlists")
            items: App.browse.artistPlaylists
            tile: PlaylistRefTile {
                onClicked: App.browse.openPlaylist(playlist)
            }
            Layout.fillWidth: true
        }
        Shelf {
            //: Albums of others the artist appears on
            title: qsTr("Apparitions")
            items: App.browse.artistAppearsOn
            tile: AlbumTile {
                onClicked: App.browse.openAlbum(album)
                onPlay: App.playback.playAlbum(album)
            }
            Layout.fillWidth: true
        }
        Shelf {
            title: qsTr("Artistes similaires")
            items: App.browse.artistSimilar
            tile: ArtistTile {
                onClicked: App.browse.openArtist(artist)
            }
            Layout.fillWidth: true
        }
    }
}
