import QtQuick
import Corvane

// The arm turns about its pivot at the top right of the plinth: aside when the music stops,
// on the record while it plays.
Item {
    id: root

    property real size
    property Item frame
    property real armAngle

    x: size * 0.88
    y: size * 0.1
    width: 1
    height: 1

    // The arm swings when it lands, lifts or jumps to a new song; the creep across the record as
    // a song goes (a fraction of a degree a second) is set without an animation, which would
    // otherwise redraw the player at full frame rate for most of every second.
    onArmAngleChanged: {
        if (Math.abs(armAngle - arm.rotation) > 1.5) {
            swing.to = armAngle
            swing.restart()
        } else if (!swing.running) {
            arm.rotation = armAngle
        }
    }
    Component.onCompleted: arm.rotation = armAngle
    NumberAnimation {
        id: swing
        target: arm
        property: "rotation"
        duration: 600
        easing.type: Easing.InOutQuad
    }

    Item {
        id: arm
        // The arm hangs down from the pivot.
        Rectangle {
            x: -width / 2
            width: root.size * 0.022
            height: root.size * 0.58
            radius: width / 2
            color: "#c9c5d1"
        }
        // The head
        Rectangle {
            x: -width / 2
            y: root.size * 0.56
            width: root.size * 0.06
            height: root.size * 0.09
            radius: 3
            color: "#e6e3ea"
        }
    }
    // The pivot
    Rectangle {
        x: -width / 2
        y: -height / 2
        width: root.size * 0.1
        height: width
        radius: width / 2
        color: "#4a4553"
        border.width: 2
        border.color: "#77717f"
    }
}
