import QtQuick
import QtQuick.Layouts
import Corvane

// A symbol, a title and a hint, centred: what a screen says when it has nothing to show.
ColumnLayout {
    id: root

    property string symbol
    property string title
    property string hint
    // The hint may hold inline symbols (<img src="image://icon/…">); only for a hint written
    // here, never one that quotes a name or a reply.
    property bool richHint: false
    default property alias actions: buttons.data

    spacing: Theme.spacingM
    Icon {
        name: root.symbol
        size: 44
        color: Theme.textFaint
        Layout.alignment: Qt.AlignHCenter
    }
    PlainLabel {
        text: root.title
        color: Theme.text
        font.pixelSize: Theme.fontTitle
        font.weight: Font.Bold
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        Layout.fillWidth: true
    }
    PlainLabel {
        visible: text.length > 0
        text: root.hint
        // own markup: a rich hint is a constant of the screen that uses it, never outside text.
        textFormat: root.richHint ? Text.StyledText : Text.PlainText
        color: Theme.textDim
        font.pixelSize: Theme.fontBody
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        Layout.fillWidth: true
        Layout.maximumWidth: 420
        Layout.alignment: Qt.AlignHCenter
    }
    Row {
        id: buttons
        spacing: Theme.spacingS
        Layout.alignment: Qt.AlignHCenter
        Layout.topMargin: Theme.spacingS
    }
}
