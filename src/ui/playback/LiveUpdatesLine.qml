import QtQuick
import QtQuick.Layouts
import Corvane

// How the speakers' changes reach this window: instantly, or every few seconds because
// something (a firewall, usually) keeps their messages out, with the commands that let them in.
ColumnLayout {
    id: root

    readonly property string help: App.live.firewallHelp

    spacing: Theme.spacingXS
    visible: App.live.statusText !== ""

    PlainLabel {
        objectName: "liveUpdatesStatus"
        text: App.live.statusText
        color: root.help === "" ? Theme.textFaint : Theme.text
        font.pixelSize: Theme.fontCaption + 1
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
    // Selectable, so the commands can be copied into a terminal.
    TextEdit {
        objectName: "firewallCommands"
        visible: root.help !== ""
        text: root.help
        textFormat: TextEdit.PlainText
        readOnly: true
        selectByMouse: true
        selectByKeyboard: true
        activeFocusOnTab: true
        wrapMode: TextEdit.WrapAnywhere
        color: Theme.text
        selectionColor: Theme.accent
        font.family: "monospace"
        font.pixelSize: Theme.fontCaption
        Layout.fillWidth: true
        Accessible.role: Accessible.StaticText
        Accessible.name: "Commandes pour laisser passer les messages des enceintes"
        Accessible.description: text
    }
}
