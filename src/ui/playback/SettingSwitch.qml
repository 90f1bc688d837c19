import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// A switch with its title and a line that says what it does.
RowLayout {
    id: root

    property string text
    property string explanation
    property bool checked
    signal toggled(bool checked)

    spacing: Theme.spacingM
    Layout.fillWidth: true

    ColumnLayout {
        spacing: 1
        Layout.fillWidth: true
        PlainLabel {
            text: root.text
            color: Theme.text
            font.pixelSize: Theme.fontBody
        }
        PlainLabel {
            text: root.explanation
            color: Theme.textDim
            font.pixelSize: Theme.fontCaption + 1
            wrapMode: Text.Wrap
            Layout.fillWidth: true
        }
    }
    Switch {
        id: toggle
        checked: root.checked
        focusPolicy: Qt.StrongFocus
        // Drawn here rather than by the style, whose knob is a shadowed layer that software
        // rendering leaves out: off must still read as a switch.
        indicator: Rectangle {
            implicitWidth: 40
            implicitHeight: 22
            x: toggle.leftPadding + toggle.availableWidth - width
            y: toggle.topPadding + (toggle.availableHeight - height) / 2
            radius: height / 2
            color: toggle.checked ? Theme.accent : Theme.surfaceHigh
            border.width: toggle.visualFocus ? 2 : 1
            border.color: toggle.visualFocus ? Theme.text : toggle.checked ? Theme.accent : Theme.textFaint
            Rectangle {
                width: 16
                height: 16
                radius: 8
                x: toggle.checked ? parent.width - width - 3 : 3
                anchors.verticalCenter: parent.verticalCenter
                color: toggle.checked ? Theme.accentText : Theme.textDim
                Behavior on x { NumberAnimation { duration: 120; easing.type: Easing.OutQuad } }
            }
        }
        // The setting decides: the switch follows it again after each click.
        onToggled: {
            root.toggled(checked)
            checked = Qt.binding(() => root.checked)
        }
        Accessible.name: root.text
        Layout.alignment: Qt.AlignTop
    }
}
