import QtQuick
import QtQuick.Layouts
import Corvane

// "Arrêt programmé": what remains, the presets and the cancel.
ColumnLayout {
    id: root

    readonly property var minutes: App.playback.sleepMinutes
    readonly property bool running: minutes !== undefined && minutes !== null

    spacing: Theme.spacingS

    RowLayout {
        spacing: Theme.spacingS
        Layout.fillWidth: true
        Icon {
            name: "moon.zzz"
            color: Theme.textDim
        }
        PlainLabel {
            text: "Arrêt programmé"
            color: Theme.text
            font.pixelSize: Theme.fontBody
            Layout.fillWidth: true
        }
        PlainLabel {
            objectName: "sleepState"
            text: root.running ? "dans " + root.minutes + " min" : "Aucun"
            color: root.running ? Theme.accent : Theme.textDim
            font.pixelSize: Theme.fontBody
        }
        IconButton {
            visible: root.running
            symbol: "xmark.circle.fill"
            help: "Annuler la minuterie"
            tint: Theme.textDim
            onClicked: App.playback.sleepTimer(0)
        }
    }
    RowLayout {
        spacing: Theme.spacingXS
        Layout.fillWidth: true
        Repeater {
            model: [15, 30, 45, 60]
            PillButton {
                required property int modelData
                text: modelData + " min"
                // Four equal shares of the row, never wider than it.
                leftPadding: Theme.spacingS
                rightPadding: Theme.spacingS
                Layout.fillWidth: true
                Layout.preferredWidth: 60
                Layout.minimumWidth: 0
                onClicked: App.playback.sleepTimer(modelData)
            }
        }
    }
}
