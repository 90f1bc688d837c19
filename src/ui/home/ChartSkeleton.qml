import QtQuick
import QtQuick.Layouts
import Corvane

// Grey shapes where the charts will be, with a light sweeping across while they load.
Item {
    id: root

    property real brille

    implicitHeight: 300
    clip: true
    Accessible.name: qsTr("Chargement des classements")
    Accessible.role: Accessible.Indicator

    NumberAnimation on brille {
        running: root.visible
        from: -0.3
        to: 1.3
        duration: 1400
        loops: Animation.Infinite
    }
    Column {
        id: shapes
        width: parent.width
        spacing: Theme.spacingM
        Rectangle { width: 160; height: 20; radius: 4; color: Theme.surfaceHigh }
        Repeater {
            model: 3
            Row {
                spacing: Theme.spacingM
                Rectangle { width: 40; height: 40; radius: 4; color: Theme.surfaceHigh }
                Column {
                    spacing: 6
                    anchors.verticalCenter: parent.verticalCenter
                    Rectangle { width: 220; height: 12; radius: 3; color: Theme.surfaceHigh }
                    Rectangle { width: 140; height: 10; radius: 3; color: Theme.surfaceHigh }
                }
            }
        }
        Rectangle { width: 130; height: 20; radius: 4; color: Theme.surfaceHigh }
        Row {
            spacing: Theme.spacingM
            Repeater {
                model: Math.max(1, Math.floor(root.width / (Theme.tileSize + Theme.spacingM)))
                Rectangle { width: Theme.tileSize; height: Theme.tileSize; radius: Theme.radiusM; color: Theme.surfaceHigh }
            }
        }
    }
    Rectangle {
        width: root.width * 0.35
        height: root.height
        x: root.brille * root.width - width / 2
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: "#00ffffff" }
            GradientStop { position: 0.5; color: "#10ffffff" }
            GradientStop { position: 1; color: "#00ffffff" }
        }
    }
}
