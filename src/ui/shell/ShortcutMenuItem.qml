import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// A menu entry with its key shown on the right.
MenuItem {
    id: root

    property string shortcut

    contentItem: RowLayout {
        spacing: Theme.spacingXL
        PlainLabel {
            text: root.text
            color: root.enabled ? Theme.text : Theme.textFaint
            font.pixelSize: Theme.fontBody
            Layout.fillWidth: true
        }
        PlainLabel {
            text: root.shortcut
            color: Theme.textFaint
            font.pixelSize: Theme.fontCaption + 1
        }
    }
}
