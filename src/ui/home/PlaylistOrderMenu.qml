import QtQuick
import QtQuick.Controls
import Corvane

// How "Vos playlists" is ordered.
PillButton {
    id: root

    readonly property var orders: [
        { label: qsTr("Ordre alphabétique"), value: PlaylistSort.Name },
        { label: qsTr("Ordre alphabétique inversé"), value: PlaylistSort.NameDescending },
        //: Playlists, the ones played last first
        { label: qsTr("Récemment lues"), value: PlaylistSort.RecentlyPlayed }
    ]

    //: Button that chooses how the playlists are sorted
    text: qsTr("Ordre")
    symbol: "arrow.up.arrow.down"
    onClicked: menu.open()
    Accessible.description: orders.find(o => o.value === App.home.playlistOrder)?.label ?? ""

    Menu {
        id: menu
        y: root.height
        Repeater {
            model: root.orders
            MenuItem {
                required property var modelData
                text: modelData.label
                checkable: true
                checked: App.home.playlistOrder === modelData.value
                onTriggered: App.home.playlistOrder = modelData.value
            }
        }
    }
}
