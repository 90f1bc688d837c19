import QtQuick
import QtQuick.Layouts
import Corvane

// A section's title, with room for its buttons on the right.
RowLayout {
    id: root

    property string text
    default property alias trailing: tail.data

    spacing: Theme.spacingS
    PlainLabel {
        text: root.text
        color: Theme.text
        font.pixelSize: Theme.fontSubtitle + 2
        font.weight: Font.Bold
        Layout.fillWidth: true
        elide: Text.ElideRight
        Accessible.role: Accessible.Heading
    }
    Row {
        id: tail
        spacing: Theme.spacingS
    }
}
