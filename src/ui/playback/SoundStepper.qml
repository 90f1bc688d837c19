import QtQuick
import QtQuick.Layouts
import Corvane

// One setting of the equalizer, -10 to +10, a step at a time.
RowLayout {
    id: root

    property string label
    property string symbol
    property int value
    signal changeTo(int value)

    spacing: Theme.spacingS
    Icon {
        name: root.symbol
        color: Theme.textDim
    }
    PlainLabel {
        text: root.label
        color: Theme.text
        font.pixelSize: Theme.fontBody
        Layout.fillWidth: true
    }
    IconButton {
        symbol: "minus"
        //: %1 is an equalizer setting (bass, treble)
        help: qsTr("%1 : moins").arg(root.label)
        enabled: root.value > -10
        onClicked: root.changeTo(root.value - 1)
    }
    PlainLabel {
        text: (root.value > 0 ? "+" : "") + root.value
        color: Theme.text
        font.pixelSize: Theme.fontBody
        font.weight: Font.DemiBold
        horizontalAlignment: Text.AlignHCenter
        Layout.preferredWidth: 28
        Accessible.name: root.label + " " + text
    }
    IconButton {
        symbol: "plus"
        //: %1 is an equalizer setting (bass, treble)
        help: qsTr("%1 : plus").arg(root.label)
        enabled: root.value < 10
        onClicked: root.changeTo(root.value + 1)
    }
}
