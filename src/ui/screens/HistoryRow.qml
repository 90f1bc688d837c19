import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// One play: what, by whom, when and where. Double-click or Enter plays it again.
ItemDelegate {
    id: root

    required property var modelData
    required property int index

    text: modelData.title
    hoverEnabled: true
    focusPolicy: Qt.StrongFocus
    implicitHeight: Theme.rowHeight
    leftPadding: Theme.spacingS
    rightPadding: Theme.spacingS
    background: Rectangle {
        radius: Theme.radiusS
        color: root.activeFocus ? Theme.selection : (root.hovered ? Theme.hover : "transparent")
    }
    contentItem: RowLayout {
        spacing: Theme.spacingM
        Artwork {
            size: 38
            url: root.modelData.artwork
        }
        ColumnLayout {
            spacing: 1
            Layout.fillWidth: true
            PlainLabel {
                text: root.modelData.title
                color: Theme.text
                font.pixelSize: Theme.fontBody
                font.weight: Font.Medium
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            PlainLabel {
                text: root.modelData.album.length > 0 ? root.modelData.artist + " · " + root.modelData.album : root.modelData.artist
                color: Theme.textDim
                font.pixelSize: Theme.fontCaption + 1
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
        IconButton {
            focusPolicy: Qt.NoFocus
            visible: root.hovered || root.activeFocus
            symbol: "text.line.last.and.arrowtriangle.forward"
            help: qsTr("Ajouter à la file")
            onClicked: App.home.enqueueHistoryEntry(root.index)
        }
        IconButton {
            focusPolicy: Qt.NoFocus
            visible: root.hovered || root.activeFocus
            symbol: "play.circle.fill"
            help: qsTr("Lire maintenant")
            tint: Theme.accent
            symbolSize: 22
            onClicked: App.home.playHistoryEntry(root.index)
        }
        PlainLabel {
            text: root.modelData.room.length > 0 ? root.modelData.time + " · " + root.modelData.room : root.modelData.time
            color: Theme.textFaint
            font.pixelSize: Theme.fontCaption + 1
            horizontalAlignment: Text.AlignRight
        }
    }
    onDoubleClicked: App.home.playHistoryEntry(index)
    Keys.onReturnPressed: App.home.playHistoryEntry(index)
    Keys.onEnterPressed: App.home.playHistoryEntry(index)
    Accessible.name: modelData.title + ", " + modelData.artist
    Accessible.role: Accessible.ListItem
    Accessible.onPressAction: App.home.playHistoryEntry(index)
}
