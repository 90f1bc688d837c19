import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// What greets the person: their music, the charts, their favorites and what they played last.
Flickable {
    id: root
    objectName: "homeView"

    readonly property bool newcomer: App.home.recentTracks.length === 0
                                     && App.favorites.playable.length === 0
                                     && App.browse.recentSearches.length === 0

    clip: true
    contentWidth: width
    contentHeight: page.implicitHeight + Theme.spacingXL
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}
    Component.onCompleted: App.home.reload()

    ColumnLayout {
        id: page
        x: Theme.spacingL
        width: root.width - 2 * Theme.spacingL
        spacing: Theme.spacingXL

        HomeHeader {
            Layout.fillWidth: true
            Layout.topMargin: Theme.spacingL
            Layout.leftMargin: Theme.spacingS
        }
        ResumeCard {
            visible: App.playback.hasPolledOnce && !App.playback.hasTrack && App.home.recentTracks.length > 0
            entry: App.home.recentTracks[0]
            Layout.fillWidth: true
        }
        Repeater {
            model: App.home.recommendations
            Shelf {
                required property var modelData
                title: modelData.title
                items: modelData.items
                tile: Tile {
                    required property var modelData
                    artwork: modelData.artwork
                    title: modelData.title
                    subtitle: modelData.subtitle
                    placeholder: modelData.isAlbum ? "opticaldisc" : "music.note.list"
                    playable: true
                    onClicked: App.browse.openItem(modelData)
                    onPlay: App.playback.playItem(modelData)
                }
                Layout.fillWidth: true
            }
        }
        Shelf {
            title: qsTr("Ajouts récents")
            items: App.home.addedAlbums
            tile: AlbumTile {
                onClicked: App.browse.openAlbum(album)
                onPlay: App.playback.playAlbum(album)
            }
            Layout.fillWidth: true
        }
        SongGrid {
            title: qsTr("Morceaux ajoutés")
            songs: App.home.addedSongs
            Layout.fillWidth: true
        }
        Shelf {
            title: qsTr("En rotation")
            items: App.home.rotationAlbums
            tile: AlbumTile {
                onClicked: App.browse.openAlbum(album)
                onPlay: App.playback.playAlbum(album)
            }
            Layout.fillWidth: true
        }
        Shelf {
            //: Shelf of the albums played lately
            title: qsTr("Écoutés récemment")
            items: App.home.recentAlbums
            tile: AlbumTile {
                onClicked: App.browse.openAlbum(album)
                onPlay: App.playback.playAlbum(album)
            }
            Layout.fillWidth: true
        }
        Shelf {
            title: qsTr("Nouveautés")
            subtitle: qsTr("Sorties des 8 dernières semaines")
            items: App.home.newReleases
            tile: AlbumTile {
                onClicked: App.browse.openAlbum(album)
                onPlay: App.playback.playAlbum(album)
            }
            Layout.fillWidth: true
        }
        ChartSkeleton {
            objectName: "chartSkeleton"
            visible: App.home.isLoadingCharts && !App.home.chartsLoaded
            Layout.fillWidth: true
        }
        SongGrid {
            objectName: "chartSongs"
            title: qsTr("Top titres")
            songs: App.home.chartSongs
            ranked: true
            Layout.fillWidth: true
            PillButton {
                text: qsTr("Tout lire")
                symbol: "play.fill"
                onClicked: App.home.playChartSongs()
            }
        }
        ChartHero {
            album: App.home.chartAlbums[0]
            Layout.fillWidth: true
        }
        Shelf {
            title: qsTr("Top albums")
            items: Array.from(App.home.chartAlbums).slice(1)
            tile: AlbumTile {
                onClicked: App.browse.openAlbum(album)
                onPlay: App.playback.playAlbum(album)
            }
            Layout.fillWidth: true
        }
        HomeLibrary {
            Layout.fillWidth: true
        }
        Shelf {
            title: qsTr("Favoris Sonos")
            items: App.favorites.playable
            tile: Tile {
                required property var modelData
                artwork: modelData.artwork
                title: modelData.title
                placeholder: "star.fill"
                onClicked: App.playback.playFavorite(modelData)
            }
            Layout.fillWidth: true
        }
        Shelf {
            //: Shelf of the songs played lately
            title: qsTr("Écouté récemment")
            items: App.home.recentTracks
            tile: Tile {
                required property var modelData
                artwork: modelData.artwork
                title: modelData.title
                subtitle: modelData.artist
                onClicked: App.home.playEntry(modelData)
            }
            Layout.fillWidth: true
            PillButton {
                text: qsTr("Tout l'historique")
                symbol: "clock.arrow.circlepath"
                onClicked: App.browse.showPanel(Route.History)
            }
        }
        Shelf {
            title: qsTr("Vos artistes")
            items: App.home.topArtists
            tile: Tile {
                required property var modelData
                artwork: modelData.artwork
                title: modelData.name
                //: How many times the artist was played
                subtitle: qsTr("%n écoute(s)", "", modelData.plays)
                round: true
                placeholder: "mic.fill"
                onClicked: App.browse.openArtistNamed(modelData.name)
            }
            Layout.fillWidth: true
        }
        SearchChips {
            Layout.fillWidth: true
        }
        FirstRun {
            objectName: "firstRun"
            visible: root.newcomer
            Layout.fillWidth: true
        }
    }
}
