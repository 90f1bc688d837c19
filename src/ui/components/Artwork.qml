import QtQuick
import Corvane

// Square artwork from the artwork cache, loaded off the UI thread; a note while there is none.
Rectangle {
    id: root

    property string url
    property int size: 48
    // Corner radius as a share of the side; 50 makes a disc.
    property int cornerPercent: 8
    property string placeholder: "music.note"

    implicitWidth: size
    implicitHeight: size
    radius: size * cornerPercent / 100
    color: Theme.surfaceHigh

    Icon {
        anchors.centerIn: parent
        visible: picture.status !== Image.Ready || picture.implicitWidth <= 1
        name: root.placeholder
        size: Math.max(14, root.size * 0.36)
        color: Theme.textFaint
    }
    Image {
        id: picture
        anchors.fill: parent
        asynchronous: true
        cache: true
        sourceSize.width: root.size * 2
        sourceSize.height: root.size * 2
        source: root.url.length > 0 ? "image://artwork/r" + root.cornerPercent + "/" + encodeURIComponent(root.url) : ""
        opacity: status === Image.Ready ? 1 : 0
        Behavior on opacity { NumberAnimation { duration: 160 } }
    }
    Accessible.ignored: true
}
