import QtQuick
import Corvane

// A symbol of the screens, drawn from the vendored icon set and tinted.
Item {
    id: root

    property string name
    property color color: Theme.text
    property int size: 18

    implicitWidth: size
    implicitHeight: size
    Accessible.ignored: true

    Image {
        anchors.fill: parent
        sourceSize.width: root.size * 2
        sourceSize.height: root.size * 2
        fillMode: Image.PreserveAspectFit
        smooth: true
        source: root.name.length > 0 ? "image://icon/" + root.name + "?color=" + encodeURIComponent(root.color.toString()) : ""
    }
}
