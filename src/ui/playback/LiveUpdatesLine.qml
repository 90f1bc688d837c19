import QtQuick
import QtQuick.Layouts
import Corvane

// How the speakers' changes reach this window: instantly, or every few seconds because
// something (a firewall, usually) keeps their messages out, with the commands that let them in.
ColumnLayout {
    id: root

    readonly property bool blocked: App.live.ufwCommand !== ""

    // A command as it is typed in a terminal: selectable for copying, broken between words only.
    component Command: TextEdit {
        textFormat: TextEdit.PlainText
        readOnly: true
        selectByMouse: true
        selectByKeyboard: true
        activeFocusOnTab: true
        wrapMode: TextEdit.Wrap
        color: activeFocus ? Theme.accent : Theme.text
        selectionColor: Theme.accent
        selectedTextColor: Theme.accentText
        font.family: "monospace"
        font.pixelSize: Theme.fontCaption
        Layout.fillWidth: true
        Accessible.role: Accessible.StaticText
        Accessible.description: text
    }

    spacing: Theme.spacingXS
    visible: App.live.statusText !== ""

    PlainLabel {
        objectName: "liveUpdatesStatus"
        text: App.live.statusText
        color: root.blocked ? Theme.text : Theme.textFaint
        font.pixelSize: Theme.fontCaption + 1
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
    PlainLabel {
        visible: root.blocked
        text: qsTr("Pour les laisser passer, avec ufw :")
        color: Theme.textFaint
        font.pixelSize: Theme.fontCaption + 1
        Layout.fillWidth: true
    }
    Command {
        objectName: "ufwCommand"
        visible: root.blocked
        text: App.live.ufwCommand
        Accessible.name: qsTr("Commande ufw")
    }
    PlainLabel {
        visible: root.blocked
        text: qsTr("ou avec firewalld :")
        color: Theme.textFaint
        font.pixelSize: Theme.fontCaption + 1
        Layout.fillWidth: true
    }
    Command {
        objectName: "firewalldCommands"
        visible: root.blocked
        text: App.live.firewalldCommands
        Accessible.name: qsTr("Commandes firewalld")
    }
}
