import QtQuick
import QtQuick.Layouts
import Corvane

// The greeting, what the speakers are doing, and the emblem that turns while Corvane looks for them.
RowLayout {
    id: root

    readonly property var selected: App.household.selected

    spacing: Theme.spacingL

    Image {
        id: emblem
        objectName: "emblem"
        source: "qrc:/corvane/corvane.svg"
        sourceSize.width: 112
        sourceSize.height: 112
        Layout.preferredWidth: 56
        Layout.preferredHeight: 56
        Accessible.ignored: true
        RotationAnimator on rotation {
            running: App.household.isDiscovering
            from: 0
            to: 360
            duration: 2400
            loops: Animation.Infinite
            onRunningChanged: if (!running) emblem.rotation = 0
        }
    }
    ColumnLayout {
        spacing: 2
        Layout.fillWidth: true
        PlainLabel {
            objectName: "greeting"
            text: App.home.greeting
            color: Theme.text
            font.pixelSize: Theme.fontDisplay
            font.weight: Font.Bold
            Accessible.role: Accessible.Heading
        }
        RowLayout {
            spacing: Theme.spacingS
            PlainLabel {
                objectName: "statusLine"
                //: %1 is the album, playlist or song being readied on the speaker
                text: App.playback.preparing.length > 0 ? qsTr("Préparation de « %1 »…").arg(App.playback.preparing)
                    : App.household.isDiscovering ? qsTr("Recherche d'enceintes…")
                    : !root.selected ? qsTr("Aucune enceinte trouvée")
                    : root.selected.roomName
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
                elide: Text.ElideRight
                Layout.maximumWidth: 360
            }
            PillButton {
                visible: App.playback.preparing.length === 0 && !App.household.isDiscovering
                text: root.selected ? qsTr("Pièces et groupes") : qsTr("Rechercher")
                symbol: root.selected ? "rectangle.3.group" : "arrow.clockwise"
                onClicked: root.selected ? App.browse.showPanel(Route.Groups) : App.household.refreshSpeakers()
            }
        }
    }
}
