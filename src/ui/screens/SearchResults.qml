import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The results of the search field, by section; songs are a virtualised list.
Item {
    id: root

    readonly property bool empty: App.browse.foundNothing

    // Searching needs Apple Music: the way to link it, or, without a developer token, what is
    // missing and where it goes; scrolls when the details are longer than the page.
    Flickable {
        anchors.fill: parent
        visible: App.household.needsAppleMusic
        contentWidth: width
        contentHeight: Math.max(height, linkInvitation.implicitHeight + 2 * Theme.spacingXL)
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        ColumnLayout {
            id: linkInvitation
            readonly property bool restricted: App.household.musicRestricted
            width: Math.min(parent.width - 2 * Theme.spacingXL, restricted ? 600 : 460)
            x: (parent.width - width) / 2
            y: Math.max(Theme.spacingXL, (parent.height - implicitHeight) / 2)
            spacing: Theme.spacingL

            EmptyState {
                symbol: "music.note.list"
                title: linkInvitation.restricted ? qsTr("Apple Music n'est pas configuré") : qsTr("Reliez Apple Music")
                hint: linkInvitation.restricted
                    ? qsTr("La recherche passe par votre abonnement Apple Music, et Corvane n'a pas encore de jeton de développeur MusicKit pour lui parler.")
                    : qsTr("La recherche utilise votre abonnement Apple Music. Autorisez l'accès pour chercher des morceaux, des albums et des artistes.")
                Layout.fillWidth: true
                PillButton {
                    visible: !linkInvitation.restricted
                    text: App.household.connectingMusic ? qsTr("Connexion… terminez dans le navigateur") : qsTr("Relier Apple Music")
                    primary: true
                    enabled: !App.household.connectingMusic
                    onClicked: App.household.connectMusic()
                }
            }
            MusicLinkButton {
                objectName: "searchMusicLink"
                visible: linkInvitation.restricted
                brief: true
                sentence: false
                Layout.fillWidth: true
                Layout.preferredWidth: linkInvitation.width
                Layout.alignment: Qt.AlignHCenter
            }
        }
    }

    EmptyState {
        // The public search has no catalogue playlists: that is said, not "nothing found".
        readonly property bool noPlaylists: App.household.publicSearch && App.browse.scope === Scope.Playlists
        anchors.centerIn: parent
        width: Math.min(parent.width - 2 * Theme.spacingXL, 460)
        visible: !App.household.needsAppleMusic && root.empty
        symbol: noPlaylists ? "music.note.list" : "magnifyingglass"
        title: noPlaylists ? qsTr("Pas de playlists sans jeton") : qsTr("Aucun résultat")
        hint: noPlaylists
            ? qsTr("La recherche publique d'Apple Music trouve les morceaux, les albums et les artistes, pas les playlists. Un jeton de développeur MusicKit les ajoute, avec votre bibliothèque.")
            : qsTr("Essayez une autre orthographe, ou ajoutez le nom de l'artiste.")
    }
    BusyIndicator {
        anchors.centerIn: parent
        running: App.browse.isSearching && App.browse.tracks.count === 0 && App.browse.albums.length === 0
        visible: running
    }

    ListView {
        id: songs
        objectName: "resultSongs"
        anchors.fill: parent
        anchors.leftMargin: Theme.spacingL
        anchors.rightMargin: Theme.spacingL
        visible: !App.household.needsAppleMusic && !root.empty
        clip: true
        model: App.browse.tracks
        reuseItems: true
        keyNavigationEnabled: true
        // The header is tall: following the current row would scroll it away on every new list.
        highlightFollowsCurrentItem: false
        onCurrentIndexChanged: if (activeFocus) positionViewAtIndex(currentIndex, ListView.Contain)
        activeFocusOnTab: true
        ScrollBar.vertical: ScrollBar {}
        // A new answer starts at its top, shelves included, also while the shelves grow to their
        // height; once the person scrolls, the view stays where they put it.
        property bool scrolledByHand: false
        readonly property real headerHeight: headerItem ? headerItem.height : 0
        onMovementStarted: scrolledByHand = true
        onHeaderHeightChanged: if (!scrolledByHand) positionViewAtBeginning()
        Connections {
            target: App.browse
            function onResultsChanged() {
                songs.scrolledByHand = false
                songs.positionViewAtBeginning()
            }
        }
        header: ColumnLayout {
            width: parent ? parent.width : 0
            spacing: Theme.spacingL
            Item { Layout.preferredHeight: Theme.spacingS }
            Shelf {
                title: qsTr("Artistes")
                items: App.browse.artists
                tile: ArtistTile {
                    onClicked: App.browse.openArtist(artist)
                }
                Layout.fillWidth: true
            }
            Shelf {
                title: qsTr("Albums")
                items: App.browse.albums
                tile: AlbumTile {
                    onClicked: App.browse.openAlbum(album)
                    onPlay: App.playback.playAlbum(album)
                }
                Layout.fillWidth: true
            }
            SectionLabel {
                objectName: "songsSection"
                visible: App.browse.tracks.count > 0
                text: qsTr("Morceaux")
                Layout.fillWidth: true
                Layout.leftMargin: Theme.spacingS
                PillButton {
                    text: qsTr("Tout lire")
                    symbol: "play.fill"
                    onClicked: App.browse.playAllSongs()
                }
            }
        }
        delegate: SongRow {
            required property var modelData
            width: ListView.view.width
            track: modelData
        }
        footer: ColumnLayout {
            width: parent ? parent.width : 0
            Shelf {
                title: qsTr("Playlists")
                items: App.browse.playlists
                tile: PlaylistRefTile {
                    onClicked: App.browse.openPlaylist(playlist)
                }
                Layout.fillWidth: true
                Layout.topMargin: Theme.spacingL
            }
            Item { Layout.preferredHeight: Theme.spacingXL }
        }
    }
}
