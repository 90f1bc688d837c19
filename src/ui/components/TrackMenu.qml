import QtQuick
import QtQuick.Controls
import Corvane

// What can be done with one song; the row that opens it acts on the choice.
Menu {
    id: root

    property var track
    property bool isFavorite: false

    signal play()
    signal playNext()
    signal enqueue()
    signal toggleFavorite()
    signal showArtist()

    MenuItem {
        text: qsTr("Lire maintenant")
        onTriggered: root.play()
    }
    MenuItem {
        text: qsTr("Lire ensuite")
        onTriggered: root.playNext()
    }
    MenuItem {
        text: qsTr("Ajouter à la file d'attente")
        onTriggered: root.enqueue()
    }
    MenuSeparator {}
    MenuItem {
        text: root.isFavorite ? qsTr("Retirer des favoris Sonos") : qsTr("Ajouter aux favoris Sonos")
        onTriggered: root.toggleFavorite()
    }
    MenuItem {
        visible: root.track && root.track.artist.length > 0
        height: visible ? implicitHeight : 0
        text: qsTr("Voir la fiche de l'artiste")
        onTriggered: root.showArtist()
    }
}
