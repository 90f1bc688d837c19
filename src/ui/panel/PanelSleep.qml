import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// "Arrêt programmé": the minutes left, a click cancels; otherwise "Régler" and its presets.
RowLayout {
    id: root

    readonly property var minutes: App.playback.sleepMinutes
    readonly property bool running: minutes !== undefined && minutes !== null

    // A timer belongs to a speaker: nothing to set without one.
    enabled: App.household.selectedUUID.length > 0
    spacing: Theme.spacingS

    Icon {
        name: "moon.zzz"
        size: 16
        color: root.running ? Theme.accent : Theme.textDim
        Layout.leftMargin: Theme.spacingS
    }
    PlainLabel {
        text: qsTr("Arrêt programmé")
        color: Theme.text
        font.pixelSize: Theme.fontBody
        Layout.fillWidth: true
    }
    PillButton {
        visible: root.running
        //: %1 is a number of minutes
        text: root.running ? qsTr("%1 min").arg(root.minutes) : ""
        symbol: "xmark"
        Accessible.description: qsTr("Annuler la minuterie")
        onClicked: App.playback.sleepTimer(0)
    }
    PillButton {
        id: set
        visible: !root.running
        //: Sets the sleep timer
        text: qsTr("Régler")
        onClicked: presets.open()
        Menu {
            id: presets
            y: set.height
            Repeater {
                model: [15, 30, 45, 60]
                MenuItem {
                    required property int modelData
                    //: %1 is a number of minutes
                    text: qsTr("%1 min").arg(modelData)
                    onTriggered: App.playback.sleepTimer(modelData)
                }
            }
        }
    }
}
