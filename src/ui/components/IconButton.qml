import QtQuick
import QtQuick.Controls
import Corvane

// A button that shows only a symbol: its help is the tooltip and the accessible name.
ToolButton {
    id: root

    property string symbol
    property string help
    property color tint: Theme.text
    property int symbolSize: 18

    implicitWidth: symbolSize + 18
    implicitHeight: symbolSize + 18
    padding: 0
    focusPolicy: Qt.StrongFocus
    contentItem: Item {
        Icon {
            anchors.centerIn: parent
            name: root.symbol
            size: root.symbolSize
            color: root.enabled ? root.tint : Theme.textFaint
            // Faded as well as greyed: a dim tint alone reads like "off", not "unavailable".
            opacity: root.enabled ? 1 : 0.4
        }
    }
    ToolTip.visible: (hovered || visualFocus) && help.length > 0
    ToolTip.delay: 600
    ToolTip.text: help
    // Enter as well as Space, as on every other control here.
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: help
    Accessible.role: Accessible.Button
    Accessible.onPressAction: root.clicked()
}
