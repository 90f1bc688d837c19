import QtQuick
import QtQuick.Layouts
import Corvane

// Large artwork beside the page's kind, title and details; the actions go below them.
RowLayout {
    id: root

    property string artwork
    property bool round: false
    property string kind
    property string title
    property string details
    property string placeholder: "music.note"
    default property alias extra: column.data

    spacing: Theme.spacingXL
    Artwork {
        size: 168
        url: root.artwork
        cornerPercent: root.round ? 50 : 4
        placeholder: root.placeholder
        Layout.alignment: Qt.AlignTop
    }
    ColumnLayout {
        id: column
        spacing: Theme.spacingXS
        Layout.fillWidth: true
        Layout.alignment: Qt.AlignBottom
        PlainLabel {
            text: root.kind.toUpperCase()
            color: Theme.textDim
            font.pixelSize: Theme.fontCaption
            font.weight: Font.DemiBold
            font.letterSpacing: 1
        }
        PlainLabel {
            text: root.title
            color: Theme.text
            font.pixelSize: Theme.fontDisplay
            font.weight: Font.Bold
            wrapMode: Text.WordWrap
            maximumLineCount: 2
            elide: Text.ElideRight
            Layout.fillWidth: true
            Accessible.role: Accessible.Heading
        }
    }
}
