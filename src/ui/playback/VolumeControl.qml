import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// Mute, the volume slider and its number. The model waits for the slider to rest before it
// tells the speaker. In a group of two rooms or more they set the whole group, and a button opens
// each room's own volume.
RowLayout {
    id: root

    property int sliderWidth: 100
    // Whether the rooms' volumes can be opened from here (not in the small tray panel).
    property bool showsRooms: true

    // Nothing to set without a speaker.
    enabled: App.household.selectedUUID.length > 0
    spacing: Theme.spacingXS

    IconButton {
        objectName: "muteButton"
        symbol: App.playback.isMuted ? "speaker.slash.fill" : "speaker.fill"
        help: App.playback.isMuted ? (App.playback.volumeIsGroup ? qsTr("Rétablir le son du groupe") : qsTr("Rétablir le son"))
                                   : (App.playback.volumeIsGroup ? qsTr("Couper le son du groupe") : qsTr("Couper le son"))
        tint: App.playback.isMuted ? Theme.accent : Theme.text
        onClicked: App.playback.mute()
    }
    Slider {
        id: slider
        objectName: "volumeSlider"
        from: 0
        to: 100
        stepSize: 1
        value: App.playback.volume
        focusPolicy: Qt.StrongFocus
        Layout.preferredWidth: root.sliderWidth
        onMoved: {
            App.playback.volume = value
            App.playback.commitVolume()
        }
        // A value set without a drag (a screen reader, voice control, through the accessibility
        // bus) reaches the speaker too; then the slider follows the speaker again.
        onValueChanged: {
            if (pressed || Math.round(value) === Math.round(App.playback.volume))
                return
            App.playback.volume = value
            App.playback.commitVolume()
            value = Qt.binding(() => App.playback.volume)
        }
        Accessible.name: qsTr("Volume")
    }
    PlainLabel {
        text: Math.round(App.playback.volume)
        color: Theme.textDim
        font.pixelSize: Theme.fontCaption + 1
        horizontalAlignment: Text.AlignRight
        Layout.preferredWidth: 22
    }
    IconButton {
        id: roomsButton
        objectName: "roomVolumesButton"
        visible: root.showsRooms && App.roomVolumes.isGroup
        symbol: "slider.vertical.3"
        help: qsTr("Volume des pièces")
        checkable: true
        checked: rooms.opened
        onClicked: rooms.opened ? rooms.close() : rooms.open()
    }
    RoomVolumePopover {
        id: rooms
        objectName: "roomVolumePopover"
        parent: roomsButton
        x: roomsButton.width - width
        y: -height - Theme.spacingS
    }
}
