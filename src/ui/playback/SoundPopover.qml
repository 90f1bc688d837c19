import QtQuick
import QtQuick.Controls
import Corvane

// The sound settings above the playback bar; scrolls when the window is short.
Popup {
    id: root

    readonly property real room: (parent && parent.Window.window ? parent.Window.window.height : 620) - 120

    padding: Theme.spacingL
    // Never past the window's edges.
    margins: Theme.spacingS
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
        id: content
        objectName: "soundSettingsFlick"
        anchors.fill: parent
        clip: true
        contentWidth: width
        contentHeight: settings.implicitHeight
        boundsBehavior: Flickable.StopAtBounds
        // Beside the settings rather than over their switches, and shown for good when they go
        // on below: a cut line alone does not say so.
        ScrollBar.vertical: ScrollBar {
            parent: content.parent
            anchors.top: content.top
            anchors.bottom: content.bottom
            anchors.left: content.right
            policy: content.contentHeight > content.height ? ScrollBar.AlwaysOn : ScrollBar.AsNeeded
        }
        SoundSettings {
            id: settings
            width: parent.width
        }
    }
    // Tab reaches the switches and the commands below the fold: they scroll into view.
    FocusInView {
        flickable: content
    }
}
