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
        ShortcutMenuItem {
            text: (App.playback.isExpanded ? "Réduire" : "Afficher en grand")
            shortcut: "Ctrl+0"
            onTriggered: App.playback.toggleExpanded()
        }
        MenuSeparator {}
        ShortcutMenuItem {
            text: "Lecture / Pause"
            shortcut: "Espace"
            onTriggered: App.playback.togglePlay()
        }
        ShortcutMenuItem {
            text: "Morceau suivant"
            shortcut: "Ctrl+→"
            onTriggered: App.playback.next()
        }
        ShortcutMenuItem {
            text: "Morceau précédent"
            shortcut: "Ctrl+←"
            onTriggered: App.playback.previous()
        }
        MenuSeparator {}
        ShortcutMenuItem {
            text: "Rechercher les enceintes"
            shortcut: "Ctrl+R"
            onTriggered: App.household.refreshSpeakers()
        }
    }
}
