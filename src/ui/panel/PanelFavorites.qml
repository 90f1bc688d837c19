import QtQuick
import QtQuick.Layouts
import Corvane

// "Favoris": the Sonos favorites that can be played, a click away.
ColumnLayout {
    spacing: Theme.spacingXS

    PlainLabel {
        text: qsTr("Favoris")
        color: Theme.textDim
        font.pixelSize: Theme.fontCaption + 1
        font.weight: Font.DemiBold
    }
    ListView {
        orientation: ListView.Horizontal
        model: App.favorites.playable
        spacing: Theme.spacingXS
        clip: true
        implicitHeight: 110
        keyNavigationEnabled: true
        activeFocusOnTab: true
        Layout.fillWidth: true
        Accessible.name: qsTr("Favoris")
        Accessible.role: Accessible.List
        delegate: Tile {
            required property var modelData
            artwork: modelData.artwork
            title: modelData.title
            side: 56
            titleLines: 2
            placeholder: "star.fill"
            onClicked: App.playback.playFavorite(modelData)
        }
    }
}
