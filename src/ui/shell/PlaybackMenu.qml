import QtQuick
import QtQuick.Controls
import Corvane

// The "Lecture" menu, with the shortcuts the window answers to.
ToolButton {
    id: root

    text: "Lecture"
    font.capitalization: Font.MixedCase
    font.pixelSize: Theme.fontBody
    focusPolicy: Qt.StrongFocus
    onClicked: menu.open()
    Accessible.onPressAction: clicked()

    Menu {
        id: menu
        y: root.height
        MenuItem {
            text: (App.playback.isExpanded ? "Réduire" : "Afficher en grand") + "\tCtrl+0"
            onTriggered: App.playback.toggleExpanded()
        }
        MenuSeparator {}
        MenuItem {
            text: "Lecture / Pause\tEspace"
            onTriggered: App.playback.togglePlay()
        }
        MenuItem {
            text: "Morceau suivant\tCtrl+→"
            onTriggered: App.playback.next()
        }
        MenuItem {
            text: "Morceau précédent\tCtrl+←"
            onTriggered: App.playback.previous()
        }
        MenuSeparator {}
        MenuItem {
            text: "Rechercher les enceintes\tCtrl+R"
            onTriggered: App.household.refreshSpeakers()
        }
    }
}
