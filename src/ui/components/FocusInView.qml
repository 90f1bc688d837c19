import QtQuick

// Keeps the control that has the keyboard in sight: when Tab moves the focus to a control of
// `flickable` out of view (or half out), the view scrolls to it.
Item {
    id: root

    required property Flickable flickable
    property real margin: 12

    Connections {
        target: root.Window.window
        function onActiveFocusItemChanged() {
            const item = root.Window.activeFocusItem
            const content = root.flickable.contentItem
            let parent = item ? item.parent : null
            while (parent && parent !== content)
                parent = parent.parent
            if (!parent)
                return
            const top = item.mapToItem(content, 0, 0).y
            const view = root.flickable
            const first = view.originY
            const last = Math.max(first, view.originY + view.contentHeight - view.height)
            if (top - root.margin < view.contentY)
                view.contentY = Math.max(first, top - root.margin)
            else if (top + item.height + root.margin > view.contentY + view.height)
                view.contentY = Math.min(last, top + item.height + root.margin - view.height)
        }
    }
}
