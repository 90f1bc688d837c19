import QtQuick
import QtQuick.Controls
import Corvane

// How "Vos playlists" is ordered.
PillButton {
    id: root

    readonly property var orders: [
        { label: "Ordre alphabétique", value: PlaylistSort.Name },
        { label: "Ordre alphabétique inversé", value: PlaylistSort.NameDescending },
        { label: "Récemment lues", value: PlaylistSort.RecentlyPlayed }
    ]

    text: "Ordre"
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
