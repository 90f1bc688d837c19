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
            text: qsTr("Arrêt programmé")
            color: Theme.text
            font.pixelSize: Theme.fontBody
            Layout.fillWidth: true
        }
        PlainLabel {
            objectName: "sleepState"
            //: %1 is the number of minutes left before the speaker stops
            text: root.running ? qsTr("dans %1 min").arg(root.minutes)
                //: No sleep timer is set
                : qsTr("Aucun")
            color: root.running ? Theme.accent : Theme.textDim
            font.pixelSize: Theme.fontBody
        }
        IconButton {
            visible: root.running
            symbol: "xmark.circle.fill"
            help: qsTr("Annuler la minuterie")
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
                //: %1 is a number of minutes
                text: qsTr("%1 min").arg(modelData)
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
