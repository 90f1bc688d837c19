import QtQuick
import QtQuick.Controls
import Corvane

// A switch drawn here rather than by the style, whose knob is a shadowed layer that software
// rendering leaves out: off must still read as a switch.
Switch {
    id: toggle

    focusPolicy: Qt.StrongFocus
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
    // Enter as well as Space, as on every other control here.
    Keys.onReturnPressed: flip()
    Keys.onEnterPressed: flip()

    function flip() {
        toggle.toggle()
        toggle.toggled()
    }
}
