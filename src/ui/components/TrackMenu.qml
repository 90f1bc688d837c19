import QtQuick
import QtQuick.Controls
import Corvane

// What can be done with one song.
Menu {
    id: root

    property var track
    property bool isFavorite: false

    MenuItem {
        text: "Lire maintenant"
        onTriggered: App.playback.play(root.track)
    }
    MenuItem {
        text: "Lire ensuite"
        onTriggered: App.queue.playNext(root.track)
    }
    MenuItem {
        text: "Ajouter à la file d'attente"
        onTriggered: App.queue.enqueue(root.track)
    }
    MenuSeparator {}
    MenuItem {
        text: root.isFavorite ? "Retirer des favoris Sonos" : "Ajouter aux favoris Sonos"
        onTriggered: App.playback.toggleFavorite(root.track)
    }
    MenuItem {
        visible: root.track && root.track.artist.length > 0
        height: visible ? implicitHeight : 0
        text: "Voir la fiche de l'artiste"
        onTriggered: App.browse.openArtistNamed(root.track.artist)
    }
}
