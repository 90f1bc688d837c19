import QtQuick
import QtQuick.Controls
import Corvane

// The "Lecture" menu, with the shortcuts the window answers to.
ToolButton {
    id: root

    //: The menu of playback commands
    text: qsTr("Lecture")
    font.capitalization: Font.MixedCase
    font.pixelSize: Theme.fontBody
    focusPolicy: Qt.StrongFocus
    onClicked: menu.open()
    Accessible.onPressAction: clicked()

    Menu {
        id: menu
        y: root.height
        ShortcutMenuItem {
            text: (App.playback.isExpanded ? qsTr("Réduire") : qsTr("Afficher en grand"))
            //: A key as shown in the menu
            shortcut: qsTr("Ctrl+0")
            onTriggered: App.playback.toggleExpanded()
        }
        MenuSeparator {}
        ShortcutMenuItem {
            text: qsTr("Lecture / Pause")
            //: The space bar, as shown in the menu
            shortcut: qsTr("Espace")
            onTriggered: App.playback.togglePlay()
        }
        ShortcutMenuItem {
            text: qsTr("Morceau suivant")
            shortcut: qsTr("Ctrl+→")
            onTriggered: App.playback.next()
        }
        ShortcutMenuItem {
            text: qsTr("Morceau précédent")
            shortcut: qsTr("Ctrl+←")
            onTriggered: App.playback.previous()
        }
        MenuSeparator {}
        ShortcutMenuItem {
            text: qsTr("Rechercher les enceintes")
            shortcut: qsTr("Ctrl+R")
            onTriggered: App.household.refreshSpeakers()
        }
    }
}
