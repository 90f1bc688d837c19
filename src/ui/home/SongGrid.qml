pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// Songs in columns, four rows deep, numbered when `ranked`; a click plays the song.
ColumnLayout {
    id: root

    property string title
    property var songs: []
    property bool ranked: false
    property int shown: 12
    default property alias actions: label.trailing

    visible: songs.length > 0
    spacing: Theme.spacingS

    SectionLabel {
        id: label
        text: root.title
        Layout.fillWidth: true
        Layout.leftMargin: Theme.spacingS
    }
    GridLayout {
        id: grid
        columns: Math.max(1, Math.floor(width / 260))
        columnSpacing: Theme.spacingS
        rowSpacing: 0
        Layout.fillWidth: true
        Repeater {
            model: root.songs.slice(0, root.shown)
            delegate: ItemDelegate {
                id: row
                required property var modelData
                required property int index
                readonly property bool ranked: root.ranked
                focusPolicy: Qt.StrongFocus
                hoverEnabled: true
                padding: Theme.spacingXS
                Layout.fillWidth: true
                Layout.preferredWidth: 1
                background: Rectangle {
                    radius: Theme.radiusS
                    color: row.activeFocus ? Theme.selection : (row.hovered ? Theme.hover : "transparent")
                }
                contentItem: RowLayout {
                    spacing: Theme.spacingS
                    PlainLabel {
                        visible: row.ranked
                        text: row.index + 1
                        color: Theme.textDim
                        font.pixelSize: Theme.fontBody
                        font.weight: Font.DemiBold
                        horizontalAlignment: Text.AlignRight
                        Layout.preferredWidth: 20
                    }
                    Artwork {
                        size: 40
                        url: row.modelData.artwork
                        cornerPercent: 10
                        Icon {
                            anchors.centerIn: parent
                            visible: row.hovered
                            name: "play.fill"
                            size: 18
                            color: "white"
                        }
                    }
                    ColumnLayout {
                        spacing: 0
                        Layout.fillWidth: true
                        PlainLabel {
                            text: row.modelData.title
                            color: Theme.text
                            font.pixelSize: Theme.fontBody
                            elide: Text.ElideRight
                            Layout.fillWidth: true
                        }
                        PlainLabel {
                            text: row.modelData.artist
                            color: Theme.textDim
                            font.pixelSize: Theme.fontCaption + 1
                            elide: Text.ElideRight
                            Layout.fillWidth: true
                        }
                    }
                }
                onClicked: App.playback.play(modelData)
                Keys.onReturnPressed: clicked()
                Keys.onEnterPressed: clicked()
                Accessible.name: modelData.title + ", " + modelData.artist
                Accessible.role: Accessible.Button
                Accessible.onPressAction: clicked()
            }
        }
    }
}
