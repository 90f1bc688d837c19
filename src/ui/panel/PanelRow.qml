import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// A full-width row of the panel: a symbol and a title, lit while hovered or chosen.
ItemDelegate {
    id: root

    property string title
    property string symbol
    property bool chosen: false

    implicitHeight: 34
    padding: Theme.spacingS
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    text: title
    background: Rectangle {
        radius: Theme.radiusS
        color: root.chosen ? Theme.selection : (root.hovered || root.activeFocus ? Theme.hover : "transparent")
    }
    contentItem: RowLayout {
        spacing: Theme.spacingS
        Icon {
            name: root.symbol
            size: 16
            color: root.chosen ? Theme.accent : Theme.textDim
        }
        PlainLabel {
            text: root.title
            color: Theme.text
            font.pixelSize: Theme.fontBody
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
        Icon {
            visible: root.chosen
            name: "checkmark"
            size: 14
            color: Theme.accent
        }
    }
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: title
    Accessible.role: Accessible.Button
    Accessible.onPressAction: clicked()
}
