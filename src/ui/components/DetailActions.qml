import QtQuick
import QtQuick.Layouts
import Corvane

// The main buttons under a detail page's header: play it all, then the queue.
RowLayout {
    id: root

    property string playText
    property bool enabled: true
    property bool canQueue: true

    signal play()
    signal playNext()
    signal enqueueAll()

    spacing: Theme.spacingS
    PillButton {
        text: root.playText
        symbol: "play.fill"
        primary: true
        enabled: root.enabled
        onClicked: root.play()
    }
    PillButton {
        visible: root.canQueue
        text: qsTr("Lire ensuite")
        symbol: "text.line.last.and.arrowtriangle.forward"
        enabled: root.enabled
        onClicked: root.playNext()
    }
    PillButton {
        visible: root.canQueue
        text: qsTr("Ajouter à la file")
        symbol: "list.triangle"
        enabled: root.enabled
        onClicked: root.enqueueAll()
    }
}
