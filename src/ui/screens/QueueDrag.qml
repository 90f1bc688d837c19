import QtQml
import Corvane

// Where a dragged queue row comes from and where it would land.
QtObject {
    property int from: -1
    property int target: -1

    function drop() {
        const source = from
        const destination = target
        from = -1
        target = -1
        if (source >= 0 && destination >= 0 && destination !== source)
            App.queue.move(source, destination)
    }

    function cancel() {
        from = -1
        target = -1
    }
}
