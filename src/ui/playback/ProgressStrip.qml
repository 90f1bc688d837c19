import QtQuick
import Corvane

// How far the song has gone; the times show while the pointer is over it, dragging scrubs and
// releasing seeks. `big` shows the times always, on either side.
Item {
    id: root

    property bool big: false

    readonly property var now: App.playback.nowPlaying
    readonly property real duration: now.duration
    readonly property bool scrubbing: area.pressed && duration > 0
    readonly property real shownElapsed: scrubbing ? area.fraction * duration : now.elapsed
    readonly property real progress: duration > 0 ? Math.min(1, shownElapsed / duration) : 0
    readonly property bool hovering: area.containsMouse || area.pressed

    implicitHeight: big ? 40 : 16
    implicitWidth: 200
    activeFocusOnTab: duration > 0
    Accessible.role: Accessible.Slider
    Accessible.name: qsTr("Position dans le morceau")
    Accessible.description: Theme.clock(shownElapsed) + " / " + Theme.clock(duration)
    Keys.onLeftPressed: App.playback.seek(Math.max(0, now.elapsed - 10) / Math.max(1, duration))
    Keys.onRightPressed: App.playback.seek(Math.min(duration, now.elapsed + 10) / Math.max(1, duration))

    Rectangle {
        id: track
        anchors.verticalCenter: root.big ? undefined : parent.verticalCenter
        y: root.big ? 4 : 0
        width: parent.width
        height: root.hovering || root.big ? 6 : 4
        radius: height / 2
        color: Theme.divider
        border.width: root.activeFocus ? 1 : 0
        border.color: Theme.text
        Rectangle {
            objectName: "progressFill"
            width: parent.width * root.progress
            height: parent.height
            radius: parent.radius
            color: root.hovering ? Theme.accent : Theme.text
        }
        Rectangle {
            visible: root.hovering && root.duration > 0
            x: parent.width * root.progress - width / 2
            anchors.verticalCenter: parent.verticalCenter
            width: 12
            height: 12
            radius: 6
            color: Theme.text
        }
    }
    PlainLabel {
        objectName: "progressTimes"
        visible: !root.big && root.hovering && root.duration > 0
        anchors.bottom: track.top
        anchors.bottomMargin: 2
        anchors.horizontalCenter: parent.horizontalCenter
        text: Theme.clock(root.shownElapsed) + " / " + Theme.clock(root.duration)
        color: Theme.textDim
        font.pixelSize: Theme.fontCaption
    }
    PlainLabel {
        visible: root.big && root.duration > 0
        anchors.left: parent.left
        anchors.top: track.bottom
        anchors.topMargin: Theme.spacingXS
        text: Theme.clock(root.shownElapsed)
        color: Theme.textDim
        font.pixelSize: Theme.fontCaption + 1
    }
    PlainLabel {
        visible: root.big && root.duration > 0
        anchors.right: parent.right
        anchors.top: track.bottom
        anchors.topMargin: Theme.spacingXS
        text: Theme.clock(root.duration)
        color: Theme.textDim
        font.pixelSize: Theme.fontCaption + 1
    }
    MouseArea {
        id: area
        property real fraction: 0
        anchors.fill: parent
        anchors.topMargin: root.big ? 0 : -4
        anchors.bottomMargin: root.big ? 20 : -4
        hoverEnabled: true
        enabled: root.duration > 0
        cursorShape: Qt.PointingHandCursor
        function follow(x) {
            fraction = Math.max(0, Math.min(1, x / width))
            App.playback.scrubbing = fraction * root.duration
        }
        onPressed: mouse => follow(mouse.x)
        onPositionChanged: mouse => { if (pressed) follow(mouse.x) }
        onReleased: {
            App.playback.seek(fraction)
            App.playback.scrubbing = undefined
        }
        onCanceled: App.playback.scrubbing = undefined
    }
}
