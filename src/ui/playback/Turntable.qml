import QtQuick
import Corvane

// A record player: the artwork as a disc that turns while the music plays, and a tonearm that
// crosses the record from the outer to the inner groove as the song goes.
Item {
    id: root

    property string artwork
    property bool isPlaying
    property real progress
    property real degreesPerSecond: 12
    property real size: 380

    readonly property real disc: size * 0.78

    implicitWidth: size
    implicitHeight: size * 0.86
    Accessible.ignored: true

    // Nobody sees a record turn in a minimized, hidden or covered window: it stops there, and
    // goes on from the same angle when it shows again.
    WindowExposure {
        id: exposure
        window: root.Window.window
    }
    DiscRotation {
        id: spin
        objectName: "discRotation"
        isPlaying: root.isPlaying && root.visible && exposure.exposed
        degreesPerSecond: root.degreesPerSecond
    }
    // A slow turn (12° a second: under 2 pixels a step at the rim) looks smooth at 20 frames a second.
    Timer {
        interval: 50
        repeat: true
        running: spin.isPlaying
        onTriggered: spin.tick()
    }

    // The plinth
    Rectangle {
        anchors.fill: parent
        radius: root.size * 0.05
        gradient: Gradient {
            GradientStop { position: 0; color: "#2c2833" }
            GradientStop { position: 1; color: "#1d1a22" }
        }
        border.width: 1
        border.color: "#3b3645"
    }
    // The platter and the record
    Rectangle {
        id: platter
        x: root.size * 0.06
        anchors.verticalCenter: parent.verticalCenter
        width: root.disc
        height: root.disc
        radius: width / 2
        color: "#0c0b0e"
        border.width: root.size * 0.012
        border.color: "#3a3640"

        Item {
            id: record
            objectName: "record"
            anchors.fill: parent
            rotation: spin.angle
            // Drawn once into a texture, which each frame only turns: the cover, the grooves
            // and the label are not painted again 30 times a second.
            layer.enabled: true
            layer.smooth: true
            RoundArtwork {
                anchors.centerIn: parent
                size: root.disc * 0.94
                url: root.artwork
            }
            // Grooves catch the light.
            Repeater {
                model: 5
                Rectangle {
                    required property int index
                    anchors.centerIn: parent
                    width: parent.width * (0.92 - index * 0.12)
                    height: width
                    radius: width / 2
                    color: "transparent"
                    border.width: 1
                    border.color: "#18ffffff"
                }
            }
            // A mark so the turn shows even on a plain cover.
            Rectangle {
                x: parent.width / 2 - width / 2
                y: parent.height * 0.08
                width: 3
                height: parent.height * 0.12
                radius: 1.5
                color: "#40ffffff"
            }
            Rectangle {
                anchors.centerIn: parent
                width: root.disc * 0.1
                height: width
                radius: width / 2
                color: "#d9d6df"
                Rectangle {
                    anchors.centerIn: parent
                    width: parent.width * 0.3
                    height: width
                    radius: width / 2
                    color: "#1d1a22"
                }
            }
        }
    }
    Tonearm {
        objectName: "tonearm"
        size: root.size
        frame: platter
        armAngle: spin.tonearmAngle(root.progress, root.isPlaying)
    }
}
