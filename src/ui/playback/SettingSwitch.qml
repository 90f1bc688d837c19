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
    PlainSwitch {
        checked: root.checked
        // The setting decides: the switch follows it again after each click.
        onToggled: {
            root.toggled(checked)
            checked = Qt.binding(() => root.checked)
        }
        Accessible.name: root.text
        Layout.alignment: Qt.AlignTop
    }
}
