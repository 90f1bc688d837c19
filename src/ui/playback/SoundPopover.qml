import QtQuick
import QtQuick.Controls
import Corvane

// The sound settings above the playback bar; scrolls when the window is short.
Popup {
    id: root

    readonly property real room: (parent && parent.Window.window ? parent.Window.window.height : 620) - 120

    padding: Theme.spacingL
    width: 380
    height: Math.min(settings.implicitHeight + 2 * padding, room)
    modal: false
    focus: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutsideParent
    background: Rectangle {
        radius: Theme.radiusL
        color: Theme.surface
        border.width: 1
        border.color: Theme.divider
    }
    Flickable {
        anchors.fill: parent
        clip: true
        contentWidth: width
        contentHeight: settings.implicitHeight
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        SoundSettings {
            id: settings
            width: parent.width
        }
    }
}
