import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The rooms and how they play together.
Flickable {
    id: root

    readonly property int speakers: App.household.speakers.length
    readonly property int groups: App.household.groups.length

    clip: true
    contentWidth: width
    contentHeight: page.implicitHeight + Theme.spacingXL
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}

    ColumnLayout {
        id: page
        x: Theme.spacingXL
        width: root.width - 2 * Theme.spacingXL
        spacing: Theme.spacingL

        RowLayout {
            spacing: Theme.spacingM
            Layout.fillWidth: true
            Layout.topMargin: Theme.spacingL
            ColumnLayout {
                spacing: 2
                Layout.fillWidth: true
                PlainLabel {
                    text: "Pièces et groupes"
                    color: Theme.text
                    font.pixelSize: Theme.fontTitle + 2
                    font.weight: Font.Bold
                    Accessible.role: Accessible.Heading
                }
                PlainLabel {
                    objectName: "groupCounts"
                    text: root.speakers + (root.speakers === 1 ? " enceinte" : " enceintes") + " · "
                          + root.groups + (root.groups === 1 ? " groupe" : " groupes")
                    color: Theme.textDim
                    font.pixelSize: Theme.fontBody
                }
            }
            PillButton {
                text: "Rechercher"
                symbol: "arrow.clockwise"
                enabled: !App.household.isDiscovering
                onClicked: App.household.refreshSpeakers()
            }
        }

        EmptyState {
            visible: root.speakers === 0
            symbol: "hifispeaker"
            title: "Aucune enceinte"
            hint: "Corvane n'a trouvé aucun Sonos sur ce réseau."
            Layout.fillWidth: true
            Layout.topMargin: Theme.spacingXL
        }
        PlainLabel {
            visible: root.speakers === 1
            text: "Avec une seule enceinte, il n'y a rien à grouper. Dès qu'une deuxième apparaît sur le réseau, il sera possible de les faire jouer ensemble depuis ici."
            color: Theme.textDim
            font.pixelSize: Theme.fontBody
            wrapMode: Text.WordWrap
            Layout.fillWidth: true
        }
        Repeater {
            model: root.speakers > 1 ? App.household.groupCards : []
            delegate: GroupCard {
                Layout.fillWidth: true
            }
        }
    }
}
