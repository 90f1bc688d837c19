pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// Each room of the group with its own volume and mute, sent to that room alone.
Popup {
    id: root

    padding: Theme.spacingL
    margins: Theme.spacingS
    width: 340
    modal: false
    focus: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutsideParent
    background: Rectangle {
        radius: Theme.radiusL
        color: Theme.surface
        border.width: 1
        border.color: Theme.divider
    }
    onOpened: {
        App.roomVolumes.refresh()
        list.itemAtIndex(0)?.focusSlider()
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: Theme.spacingS
        PlainLabel {
            text: qsTr("Volume des pièces")
            color: Theme.text
            font.pixelSize: Theme.fontBody + 1
            font.weight: Font.Bold
            Accessible.role: Accessible.Heading
        }
        PlainLabel {
            text: qsTr("Le curseur de la barre règle le groupe entier ; chaque pièce garde ici son propre volume.")
            color: Theme.textDim
            font.pixelSize: Theme.fontCaption + 1
            wrapMode: Text.Wrap
            Layout.fillWidth: true
        }
        ListView {
            id: list
            objectName: "roomVolumeList"
            model: App.roomVolumes
            interactive: false
            implicitHeight: contentHeight
            spacing: Theme.spacingXS
            Layout.fillWidth: true
            Layout.topMargin: Theme.spacingXS
            delegate: RowLayout {
                id: row

                required property int index
                required property string room
                required property int volume
                required property bool muted
                required property bool known

                width: ListView.view.width
                spacing: Theme.spacingXS

                function focusSlider() { slider.forceActiveFocus() }

                PlainLabel {
                    text: row.room
                    color: Theme.text
                    font.pixelSize: Theme.fontBody
                    elide: Text.ElideRight
                    Layout.preferredWidth: 96
                }
                IconButton {
                    symbol: row.muted ? "speaker.slash.fill" : "speaker.fill"
                    symbolSize: 16
                    //: %1 is a room's name
                    help: row.muted ? qsTr("Rétablir le son : %1").arg(row.room) : qsTr("Couper le son : %1").arg(row.room)
                    tint: row.muted ? Theme.accent : Theme.text
                    onClicked: App.roomVolumes.toggleRoomMute(row.index)
                    //: %1 is a room's name
                    Accessible.name: qsTr("Couper le son : %1").arg(row.room)
                    Accessible.checkable: true
                    Accessible.checked: row.muted
                }
                Slider {
                    id: slider
                    from: 0
                    to: 100
                    stepSize: 1
                    value: row.volume
                    enabled: row.known
                    focusPolicy: Qt.StrongFocus
                    Layout.fillWidth: true
                    onMoved: App.roomVolumes.setRoomVolume(row.index, value)
                    // A value set without a drag (a screen reader) reaches the speaker too.
                    onValueChanged: {
                        if (pressed || Math.round(value) === row.volume)
                            return
                        App.roomVolumes.setRoomVolume(row.index, value)
                        value = Qt.binding(() => row.volume)
                    }
                    //: %1 is a room's name
                    Accessible.name: qsTr("Volume : %1").arg(row.room)
                }
                PlainLabel {
                    text: row.known ? row.volume : "–"
                    color: Theme.textDim
                    font.pixelSize: Theme.fontCaption + 1
                    horizontalAlignment: Text.AlignRight
                    Layout.preferredWidth: 22
                }
            }
        }
    }
}
