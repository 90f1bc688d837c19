import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// What greets the person: the speakers' favorites, the charts and the radio.
Flickable {
    id: root

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
        spacing: Theme.spacingL

        Label {
            text: {
                const hour = new Date().getHours()
                return hour >= 5 && hour < 12 ? "Bonjour" : (hour >= 12 && hour < 18 ? "Bon après-midi" : "Bonsoir")
            }
            color: Theme.text
            font.pixelSize: Theme.fontDisplay
            font.weight: Font.Bold
            Layout.topMargin: Theme.spacingL
            Layout.leftMargin: Theme.spacingS
            Accessible.role: Accessible.Heading
        }
        Shelf {
            title: "Favoris Sonos"
            items: App.household.playableFavorites
            tile: Tile {
                required property var modelData
                artwork: modelData.artwork
                title: modelData.title
                side: 112
                placeholder: "star.fill"
                onClicked: App.playback.playFavorite(modelData)
            }
            Layout.fillWidth: true
        }
        Shelf {
            title: "Top albums"
            items: App.home.chartAlbums
            tile: AlbumTile {}
            Layout.fillWidth: true
        }
        Shelf {
            title: "Nouveautés"
            items: App.home.newReleases
            tile: AlbumTile {}
            Layout.fillWidth: true
        }
        Shelf {
            title: "Vos playlists"
            items: App.home.playlists
            tile: Tile {
                required property var modelData
                artwork: modelData.artwork
                title: modelData.name
                subtitle: modelData.curator
                placeholder: "music.note.list"
                onClicked: App.browse.openItem(modelData)
            }
            Layout.fillWidth: true
        }
        Shelf {
            title: "Radios"
            items: App.home.radios
            tile: RadioTile {}
            Layout.fillWidth: true
        }
    }
}
