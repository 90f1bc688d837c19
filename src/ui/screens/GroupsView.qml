import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The rooms and how they play together. The cards come as they scroll into view: a home of
// thirty rooms builds two or three of them, not all.
ListView {
    id: root
    objectName: "groupsView"

    readonly property int speakers: App.household.speakers.length

    clip: true
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}
    spacing: Theme.spacingL
    bottomMargin: Theme.spacingXL
    model: root.speakers > 1 ? App.household.groupCards : []
    Component.onCompleted: App.roomVolumes.refreshHousehold()

    header: ColumnLayout {
        id: top
        readonly property int speakers: App.household.speakers.length
        readonly property int groups: App.household.groups.length

        x: Theme.spacingXL
        width: parent ? parent.width - 2 * Theme.spacingXL : 0
        spacing: Theme.spacingL

        RowLayout {
            spacing: Theme.spacingM
            Layout.fillWidth: true
            Layout.topMargin: Theme.spacingL
            ColumnLayout {
                spacing: 2
                Layout.fillWidth: true
                PlainLabel {
                    text: qsTr("Pièces et groupes")
                    color: Theme.text
                    font.pixelSize: Theme.fontTitle + 2
                    font.weight: Font.Bold
                    Accessible.role: Accessible.Heading
                }
                PlainLabel {
                    objectName: "groupCounts"
                    // No speaker: French says "0 enceintes", where its plural rule would say "0 enceinte".
                    text: top.speakers === 0 ? qsTr("0 enceintes · 0 groupes")
                                             : qsTr("%n enceinte(s)", "", top.speakers) + " · " + qsTr("%n groupe(s)", "", top.groups)
                    color: Theme.textDim
                    font.pixelSize: Theme.fontBody
                }
            }
            PillButton {
                //: Button: look for the speakers again
                text: qsTr("Rechercher")
                symbol: "arrow.clockwise"
                enabled: !App.household.isDiscovering
                onClicked: App.household.refreshSpeakers()
            }
        }

        EmptyState {
            visible: top.speakers === 0
            symbol: "hifispeaker"
            title: qsTr("Aucune enceinte")
            hint: qsTr("Corvane n'a trouvé aucun Sonos sur ce réseau.")
            Layout.fillWidth: true
            Layout.topMargin: Theme.spacingXL
        }
        PlainLabel {
            visible: top.speakers === 1
            text: qsTr("Avec une seule enceinte, il n'y a rien à grouper. Dès qu'une deuxième apparaît sur le réseau, il sera possible de les faire jouer ensemble depuis ici.")
            color: Theme.textDim
            font.pixelSize: Theme.fontBody
            wrapMode: Text.WordWrap
            Layout.fillWidth: true
        }
        Item { implicitHeight: 1 }
    }
    FocusInView {
        flickable: root
    }

    delegate: GroupCard {
        x: Theme.spacingXL
        width: ListView.view.width - 2 * Theme.spacingXL
    }
}
