import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// Numbered steps in a card.
Pane {
    id: root

    property var steps: []

    visible: steps.length > 0
    padding: Theme.spacingL
    background: Rectangle {
        radius: Theme.radiusL
        color: Theme.surface
    }
    ColumnLayout {
        anchors.fill: parent
        spacing: Theme.spacingS
        Repeater {
            model: root.steps
            RowLayout {
                id: step
                required property string modelData
                required property int index
                spacing: Theme.spacingM
                Layout.fillWidth: true
                Rectangle {
                    implicitWidth: 24
                    implicitHeight: 24
                    radius: 12
                    color: Theme.selection
                    Layout.alignment: Qt.AlignTop
                    PlainLabel {
                        anchors.centerIn: parent
                        text: step.index + 1
                        color: Theme.accent
                        font.pixelSize: Theme.fontCaption + 1
                        font.weight: Font.Bold
                    }
                }
                PlainLabel {
                    text: step.modelData
                    color: Theme.text
                    font.pixelSize: Theme.fontBody
                    wrapMode: Text.Wrap
                    Layout.fillWidth: true
                }
            }
        }
    }
}
