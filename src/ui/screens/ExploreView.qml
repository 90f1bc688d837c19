import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// Charts by country and genre, and the live radio stations.
Flickable {
    id: root

    clip: true
    contentWidth: width
    contentHeight: page.implicitHeight + Theme.spacingXL
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}

    ColumnLayout {
        id: page
        x: Theme.spacingL
        width: root.width - 2 * Theme.spacingL
        spacing: Theme.spacingL

        RowLayout {
            spacing: Theme.spacingM
            Layout.topMargin: Theme.spacingL
            Layout.leftMargin: Theme.spacingS
            PlainLabel {
                text: qsTr("Explorer")
                color: Theme.text
                font.pixelSize: Theme.fontTitle + 2
                font.weight: Font.Bold
                Layout.fillWidth: true
                Accessible.role: Accessible.Heading
            }
            Icon {
                name: "globe"
                color: Theme.textDim
            }
            PlainComboBox {
                id: country
                objectName: "countryChooser"
                textRole: "label"
                valueRole: "id"
                implicitWidth: 140
                model: App.home.countryChoices
                currentIndex: Math.max(0, indexOfValue(App.home.exploreStorefrontID))
                onActivated: App.home.pickStorefront(currentValue)
                Accessible.name: qsTr("Pays")
            }
            PlainComboBox {
                id: genre
                objectName: "genreChooser"
                textRole: "label"
                valueRole: "id"
                implicitWidth: 170
                model: App.home.genreChoices
                currentIndex: Math.max(0, indexOfValue(App.home.exploreGenreID))
                onActivated: App.home.pickGenre(currentValue)
                //: Music genre
                Accessible.name: qsTr("Genre")
            }
        }

        BusyIndicator {
            running: App.home.isLoadingExplore
            visible: running
            Layout.alignment: Qt.AlignHCenter
        }

        ColumnLayout {
            visible: App.home.exploreSongs.length > 0
            spacing: 0
            Layout.fillWidth: true
            SectionLabel {
                text: qsTr("Top titres")
                Layout.fillWidth: true
                Layout.leftMargin: Theme.spacingS
                Layout.bottomMargin: Theme.spacingS
                PillButton {
                    text: qsTr("Tout lire")
                    symbol: "play.fill"
                    onClicked: App.home.playExploreSongs()
                }
            }
            Repeater {
                model: App.home.exploreSongs
                delegate: SongRow {
                    required property var modelData
                    required property int index
                    track: modelData
                    number: index + 1
                    Layout.fillWidth: true
                }
            }
        }
        Shelf {
            title: qsTr("Top albums")
            items: App.home.exploreAlbums
            tile: AlbumTile {
                onClicked: App.browse.openAlbum(album)
                onPlay: App.playback.playAlbum(album)
            }
            Layout.fillWidth: true
        }
        Shelf {
            title: qsTr("Playlists")
            items: App.home.explorePlaylists
            tile: PlaylistRefTile {
                onClicked: App.browse.openPlaylist(playlist)
            }
            Layout.fillWidth: true
        }
        Shelf {
            title: qsTr("Radios")
            items: App.home.radios
            tile: RadioTile {
                hue: App.home.stationHue(station.name)
                onClicked: App.playback.playStation(station)
            }
            Layout.fillWidth: true
        }
        EmptyState {
            visible: App.home.exploreLoaded && !App.home.isLoadingExplore && App.home.exploreSongs.length === 0
                     && App.home.exploreAlbums.length === 0 && App.home.explorePlaylists.length === 0
            symbol: "chart.bar"
            title: qsTr("Pas de classement ici")
            hint: qsTr("Le catalogue n'a rien renvoyé pour ce pays et ce genre. Essayez un autre choix.")
            Layout.fillWidth: true
        }
    }
}
