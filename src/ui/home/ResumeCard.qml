import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The last track played, to start again while nothing is loaded on the speaker.
Pane {
    id: root

    property var entry

    padding: Theme.spacingM
    background: Rectangle {
        radius: Theme.radiusL
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: Theme.selection }
            GradientStop { position: 1; color: Theme.surface }
        }
    }
    RowLayout {
        anchors.fill: parent
        spacing: Theme.spacingM
        Artwork {
            size: 64
            url: root.entry ? root.entry.artwork : ""
        }
        ColumnLayout {
            spacing: 2
            Layout.fillWidth: true
            PlainLabel {
                text: qsTr("Reprendre là où vous en étiez")
                color: Theme.textDim
                font.pixelSize: Theme.fontCaption + 1
            }
            PlainLabel {
                text: root.entry ? root.entry.title : ""
                color: Theme.text
                font.pixelSize: Theme.fontSubtitle
                font.weight: Font.DemiBold
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            PlainLabel {
                text: root.entry ? root.entry.artist : ""
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
        PillButton {
            text: qsTr("Reprendre")
            symbol: "play.circle.fill"
            primary: true
            onClicked: App.home.playEntry(root.entry)
        }
    }
}
