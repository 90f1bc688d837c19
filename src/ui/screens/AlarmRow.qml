import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// One alarm: its time large, its days, room, music and volume below, its switch, edit and delete.
ItemDelegate {
    id: root

    required property int index
    required property string alarmID
    required property string time
    required property string days
    required property string room
    required property string program
    required property int volume
    required property bool isOn

    signal editRequested(int row)
    signal deleteRequested(string alarmID)

    hoverEnabled: true
    focusPolicy: Qt.StrongFocus
    padding: Theme.spacingM
    leftPadding: Theme.spacingL
    background: Rectangle {
        radius: Theme.radiusM
        color: root.activeFocus ? Theme.selection : (root.hovered ? Theme.hover : Theme.surface)
    }
    TextMetrics {
        id: widestMetrics
        font.pixelSize: 30
        font.weight: Font.Light
        text: App.alarms.widestTime
    }
    contentItem: RowLayout {
        spacing: Theme.spacingL
        PlainLabel {
            text: root.time
            color: root.isOn ? Theme.text : Theme.textDim
            font.pixelSize: 30
            font.weight: Font.Light
            // As wide as the widest time of the language ("22:58", "10:58 PM"): the rows line up.
            Layout.preferredWidth: Math.ceil(widestMetrics.width) + 2
        }
        ColumnLayout {
            spacing: 2
            Layout.fillWidth: true
            PlainLabel {
                text: root.days + " · " + root.room
                color: root.isOn ? Theme.text : Theme.textDim
                font.pixelSize: Theme.fontBody
                font.weight: Font.Medium
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            PlainLabel {
                //: %1 is what the alarm plays, %2 its volume
                text: Theme.fill(qsTr("%1 · volume %2"), [root.program, root.volume])
                color: Theme.textDim
                font.pixelSize: Theme.fontCaption + 1
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
        IconButton {
            symbol: "pencil"
            //: %1 is the alarm's time
            help: qsTr("Modifier le réveil de %1").arg(root.time)
            onClicked: root.editRequested(root.index)
        }
        IconButton {
            symbol: "trash"
            //: %1 is the alarm's time
            help: qsTr("Supprimer le réveil de %1").arg(root.time)
            onClicked: root.deleteRequested(root.alarmID)
        }
        PlainSwitch {
            objectName: "alarmSwitch"
            checked: root.isOn
            onToggled: {
                App.alarms.setEnabled(root.alarmID, checked)
                checked = Qt.binding(() => root.isOn)
            }
            //: The switch of an alarm; %1 is its time
            Accessible.name: qsTr("Réveil de %1 activé").arg(root.time)
        }
    }
    onClicked: root.editRequested(root.index)
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Keys.onDeletePressed: root.deleteRequested(root.alarmID)
    //: %1 time, %2 days, %3 room, %4 what it plays, %5 volume
    Accessible.name: isOn ? Theme.fill(qsTr("Réveil de %1, %2, %3, %4, volume %5"), [time, days, room, program, volume])
                          //: %1 time, %2 days, %3 room, %4 what it plays, %5 volume
                          : Theme.fill(qsTr("Réveil de %1, %2, %3, %4, volume %5, désactivé"), [time, days, room, program, volume])
    Accessible.role: Accessible.Button
    Accessible.onPressAction: clicked()
}
