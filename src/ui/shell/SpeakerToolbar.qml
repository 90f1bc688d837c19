import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The speaker chooser and the way to the rooms, the charts and a new search.
RowLayout {
    id: root

    readonly property var selected: App.household.selected

    spacing: Theme.spacingS

    Button {
        id: chooser
        objectName: "speakerChooser"
        flat: true
        focusPolicy: Qt.StrongFocus
        text: root.selected ? root.selected.roomName : qsTr("Aucune enceinte")
        contentItem: RowLayout {
            spacing: Theme.spacingS
            Icon {
                name: root.selected ? root.selected.iconName : "hifispeaker"
                color: root.selected ? Theme.accent : Theme.textDim
            }
            PlainLabel {
                text: chooser.text
                color: Theme.text
                font.pixelSize: Theme.fontSubtitle
                font.weight: Font.DemiBold
            }
            Icon {
                name: "chevron.down"
                size: 12
                color: Theme.textDim
            }
        }
        onClicked: menu.open()
        //: %1 is the chosen room's name
        Accessible.name: qsTr("Enceinte : %1").arg(text)
        Accessible.onPressAction: clicked()

        Menu {
            id: menu
            objectName: "speakerMenu"
            y: chooser.height
            Repeater {
                model: App.household.speakers
                delegate: PlainMenuItem {
                    required property var modelData
                    text: modelData.chooserLabel
                    checkable: true
                    checked: modelData.uuid === App.household.selectedUUID
                    onTriggered: App.household.selectSpeaker(modelData.uuid)
                }
            }
            MenuItem {
                visible: App.household.speakers.length === 0
                height: visible ? implicitHeight : 0
                enabled: false
                text: qsTr("Aucune enceinte trouvée")
            }
            MenuSeparator {}
            MenuItem {
                text: qsTr("Pièces et groupes")
                icon.source: "image://icon/rectangle.3.group?color=%23eeedf3"
                onTriggered: App.browse.showPanel(Route.Groups)
            }
            MenuItem {
                text: qsTr("Réveils")
                icon.source: "image://icon/alarm?color=%23eeedf3"
                onTriggered: App.browse.showPanel(Route.Alarms)
            }
            MenuItem {
                text: qsTr("Explorer les classements")
                icon.source: "image://icon/chart.bar?color=%23eeedf3"
                onTriggered: App.browse.toggleExplore()
            }
            MenuItem {
                text: qsTr("Rechercher les enceintes")
                icon.source: "image://icon/arrow.clockwise?color=%23eeedf3"
                onTriggered: App.household.refreshSpeakers()
            }
        }
    }
    BusyIndicator {
        running: App.household.isDiscovering
        visible: running
        implicitWidth: 24
        implicitHeight: 24
        Accessible.name: qsTr("Recherche des enceintes")
    }
    PlainLabel {
        visible: App.playback.speakerUnreachable
        text: qsTr("Enceinte injoignable")
        color: Theme.danger
        font.pixelSize: Theme.fontCaption + 1
    }
    Item { Layout.fillWidth: true }
    IconButton {
        symbol: "chart.bar"
        help: qsTr("Explorer les classements")
        tint: App.browse.route === Route.Explore ? Theme.accent : Theme.text
        onClicked: App.browse.toggleExplore()
    }
    IconButton {
        symbol: "rectangle.3.group"
        help: qsTr("Pièces et groupes")
        tint: App.browse.route === Route.Groups ? Theme.accent : Theme.text
        onClicked: App.browse.showPanel(Route.Groups)
    }
    IconButton {
        objectName: "alarmsButton"
        symbol: "alarm"
        help: qsTr("Réveils")
        tint: App.browse.route === Route.Alarms ? Theme.accent : Theme.text
        onClicked: App.browse.showPanel(Route.Alarms)
    }
    IconButton {
        symbol: "clock.arrow.circlepath"
        help: qsTr("Historique d'écoute")
        tint: App.browse.route === Route.History ? Theme.accent : Theme.text
        onClicked: App.browse.showPanel(Route.History)
    }
    IconButton {
        symbol: "list.triangle"
        help: qsTr("File d'attente")
        tint: App.browse.route === Route.Queue ? Theme.accent : Theme.text
        onClicked: App.browse.toggleQueue()
    }
    PlaybackMenu {}
}
