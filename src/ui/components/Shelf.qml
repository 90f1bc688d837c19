import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// A titled row of tiles that scrolls sideways; arrows move between tiles.
ColumnLayout {
    id: root

    property string title
    property string subtitle
    property var items: []
    property Component tile
    default property alias actions: label.trailing

    visible: items.length > 0
    spacing: Theme.spacingS

    SectionLabel {
        id: label
        text: root.title
        Layout.fillWidth: true
        Layout.leftMargin: Theme.spacingS
    }
    PlainLabel {
        visible: root.subtitle.length > 0
        text: root.subtitle
        color: Theme.textDim
        font.pixelSize: Theme.fontBody
        Layout.leftMargin: Theme.spacingS
        Layout.topMargin: -Theme.spacingXS
    }
    ListView {
        id: list
        orientation: ListView.Horizontal
        model: root.items
        delegate: root.tile
        spacing: Theme.spacingXS
        clip: true
        keyNavigationEnabled: true
        activeFocusOnTab: true
        implicitHeight: contentItem.childrenRect.height > 0 ? contentItem.childrenRect.height : Theme.tileSize + 60
        Layout.fillWidth: true
        Layout.preferredHeight: implicitHeight
        ScrollBar.horizontal: ScrollBar { policy: ScrollBar.AsNeeded }
        Accessible.name: root.title
        Accessible.role: Accessible.List
    }
}
