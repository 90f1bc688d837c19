import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// One queue entry. Double-click or Enter plays it; Delete or the minus removes it; the number
// is a handle to drag it elsewhere, and Alt+↑ / Alt+↓ move it from the keyboard.
ItemDelegate {
    id: root

    required property var modelData
    required property int index
    required property ListView list
    required property QueueDrag drag
    readonly property bool current: index + 1 === App.queue.currentPosition
    readonly property bool dragging: drag.from === index

    width: list.width
    implicitHeight: Theme.rowHeight
    leftPadding: Theme.spacingS
    rightPadding: Theme.spacingS
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    text: modelData.title
    highlighted: activeFocus
    opacity: dragging ? 0.5 : 1
    background: Rectangle {
        radius: Theme.radiusS
        color: root.highlighted ? Theme.selection : (root.hovered ? Theme.hover : "transparent")
        Rectangle {
            visible: root.drag.from >= 0 && root.drag.target === root.index && !root.dragging
            width: parent.width
            height: 2
            color: Theme.accent
            y: root.drag.target > root.drag.from ? parent.height - 2 : 0
        }
    }
    contentItem: RowLayout {
        spacing: Theme.spacingM
        Item {
            Layout.preferredWidth: 28
            Layout.fillHeight: true
            PlainLabel {
                anchors.centerIn: parent
                visible: !root.current
                text: root.modelData.id
                color: Theme.textFaint
                font.pixelSize: Theme.fontBody
            }
            Icon {
                anchors.centerIn: parent
                visible: root.current
                name: "waveform"
                color: Theme.accent
                size: 16
            }
        }
        Artwork {
            size: 38
            url: root.modelData.artwork
        }
        ColumnLayout {
            spacing: 1
            Layout.fillWidth: true
            PlainLabel {
                text: root.modelData.title
                color: root.current ? Theme.accent : Theme.text
                font.pixelSize: Theme.fontBody
                font.weight: Font.Medium
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            PlainLabel {
                text: root.modelData.artist
                color: Theme.textDim
                font.pixelSize: Theme.fontCaption + 1
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
        IconButton {
            focusPolicy: Qt.NoFocus
            visible: root.hovered || root.activeFocus
            symbol: "minus.circle"
            help: qsTr("Retirer de la file")
            onClicked: App.queue.remove(root.index)
        }
    }
    // The drag handle: the number column.
    MouseArea {
        x: root.leftPadding
        width: 36
        height: root.height
        cursorShape: root.dragging ? Qt.ClosedHandCursor : Qt.OpenHandCursor
        preventStealing: true
        onPressed: root.drag.from = root.index
        onPositionChanged: (mouse) => {
            const point = mapToItem(root.list.contentItem, mouse.x, mouse.y)
            root.drag.target = root.list.indexAt(root.width / 2, point.y)
        }
        onReleased: root.drag.drop()
        onCanceled: root.drag.cancel()
    }
    onDoubleClicked: App.queue.playEntry(index)
    Keys.onReturnPressed: App.queue.playEntry(index)
    Keys.onEnterPressed: App.queue.playEntry(index)
    Keys.onDeletePressed: App.queue.remove(index)
    Keys.onPressed: (event) => {
        if (!(event.modifiers & Qt.AltModifier))
            return
        if (event.key === Qt.Key_Up && index > 0) {
            App.queue.move(index, index - 1)
            list.currentIndex = index - 1
            event.accepted = true
        } else if (event.key === Qt.Key_Down && index < list.count - 1) {
            App.queue.move(index, index + 1)
            list.currentIndex = index + 1
            event.accepted = true
        }
    }
    Accessible.name: modelData.title + ", " + modelData.artist
    Accessible.role: Accessible.ListItem
    Accessible.onPressAction: App.queue.playEntry(index)
}
