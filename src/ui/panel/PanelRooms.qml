import QtQuick
import QtQuick.Layouts
import Corvane

// The rooms, the one controlled marked; a click controls another.
ColumnLayout {
    spacing: 0

    Repeater {
        model: App.household.speakers
        PanelRow {
            required property var modelData
            title: modelData.roomName
            symbol: "hifispeaker.fill"
            chosen: modelData.uuid === App.household.selectedUUID
            Layout.fillWidth: true
            onClicked: App.household.selectSpeaker(modelData.uuid)
        }
    }
}
