import QtQuick
import QtQuick.Controls
import Corvane

// The queue's rows; remembers where a dragged row would land.
ListView {
    id: root

    readonly property QueueDrag drag: QueueDrag {}

    clip: true
    model: App.queue.items
    reuseItems: true
    keyNavigationEnabled: true
    activeFocusOnTab: true
    ScrollBar.vertical: ScrollBar {}
    delegate: QueueRow {
        list: ListView.view as ListView
        drag: (ListView.view as QueueList).drag
    }

}
