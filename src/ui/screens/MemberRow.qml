import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// A room of a group card: a click chooses it; "Détacher" or "Ajouter" changes the group.
ItemDelegate {
    id: root

    required property var modelData
    property bool isOutsider: false
    readonly property bool isSelected: modelData.uuid === App.household.selectedUUID

    text: modelData.room
    hoverEnabled: true
    focusPolicy: Qt.StrongFocus
    implicitHeight: 46
    leftPadding: Theme.spacingS
    rightPadding: Theme.spacingS
    background: Rectangle {
        radius: Theme.radiusS
        color: root.activeFocus ? Theme.selection : (root.hovered ? Theme.hover : "transparent")
    }
    contentItem: RowLayout {
        spacing: Theme.spacingM
        Icon {
            name: root.isSelected ? "checkmark" : "hifispeaker"
            color: root.isSelected ? Theme.accent : (root.isOutsider ? Theme.textFaint : Theme.textDim)
            size: 16
        }
        ColumnLayout {
            spacing: 0
            Layout.fillWidth: true
            PlainLabel {
                text: root.modelData.room
                color: root.isOutsider ? Theme.textDim : Theme.text
                font.pixelSize: Theme.fontBody
                font.weight: Font.Medium
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            PlainLabel {
                visible: text.length > 0
                text: root.modelData.detail
                color: Theme.textFaint
                font.pixelSize: Theme.fontCaption + 1
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
        // The room's own volume, read when the screen opens and kept up while it shows.
        RowLayout {
            readonly property var level: App.roomVolumes.householdVolumes[root.modelData.uuid]
            visible: !root.isOutsider && level !== undefined
            spacing: 2
            Icon {
                name: "speaker.wave.2.fill"
                color: Theme.textFaint
                size: 14
            }
            PlainLabel {
                text: parent.level !== undefined ? parent.level : ""
                color: Theme.textDim
                font.pixelSize: Theme.fontCaption + 1
                Layout.preferredWidth: 22
            }
            Accessible.role: Accessible.StaticText
            //: %1 is the room's volume
            Accessible.name: qsTr("Volume %1").arg(level !== undefined ? level : "")
        }
        PillButton {
            visible: root.isOutsider || !root.modelData.isCoordinator
            //: Button: add the room to the group, or take it out of it
            text: root.isOutsider ? qsTr("Ajouter") : qsTr("Détacher")
            symbol: root.isOutsider ? "plus" : "minus"
            //: %1 is a room's name
            Accessible.name: root.isOutsider ? qsTr("Ajouter %1").arg(root.modelData.room)
                                             //: %1 is a room's name
                                             : qsTr("Détacher %1").arg(root.modelData.room)
            onClicked: App.household.toggleRoom(root.modelData.uuid, root.modelData.group)
        }
    }
    onClicked: App.household.selectSpeaker(modelData.uuid)
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: modelData.room
    Accessible.description: App.roomVolumes.householdVolumes[modelData.uuid] !== undefined && !isOutsider
                            //: %1 is the room's volume
                            ? qsTr("Volume %1").arg(App.roomVolumes.householdVolumes[modelData.uuid]) : ""
    Accessible.role: Accessible.Button
    Accessible.onPressAction: clicked()
}
