import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The invitation to sign in to Apple Music, in place of the library; without a developer token,
// what is missing and where it goes.
ItemDelegate {
    id: root

    readonly property bool restricted: App.household.musicRestricted
    readonly property bool connecting: App.household.connectingMusic
    // Without a developer token the catalogue is searched anyway: only the library is missing.
    readonly property string restrictedTitle: App.household.publicSearch ? qsTr("Votre bibliothèque Apple Music") : qsTr("Apple Music n'est pas configuré")
    readonly property string restrictedText: App.household.publicSearch
        ? qsTr("La recherche et l'écoute du catalogue marchent sans rien relier. Pour retrouver ici vos playlists et votre bibliothèque, Corvane a besoin d'un jeton de développeur MusicKit : le réglage « Apple Music » du son explique comment.")
        : App.household.developerTokenHelp

    padding: Theme.spacingL
    focusPolicy: Qt.StrongFocus
    hoverEnabled: !restricted
    enabled: !connecting
    background: Rectangle {
        radius: Theme.radiusL
        color: root.activeFocus ? Theme.selection : (root.hovered ? Theme.hover : Theme.surface)
        border.width: 1
        border.color: Theme.divider
    }
    contentItem: RowLayout {
        spacing: Theme.spacingL
        Rectangle {
            implicitWidth: 56
            implicitHeight: 56
            radius: Theme.radiusM
            color: Theme.surfaceHigh
            Layout.alignment: Qt.AlignTop
            Icon {
                anchors.centerIn: parent
                name: "music.note.list"
                size: 28
                color: Theme.accent
            }
        }
        ColumnLayout {
            spacing: Theme.spacingXS
            Layout.fillWidth: true
            PlainLabel {
                text: root.restricted ? root.restrictedTitle : qsTr("Relier Apple Music")
                color: Theme.text
                font.pixelSize: Theme.fontSubtitle + 1
                font.weight: Font.Bold
            }
            PlainLabel {
                text: root.restricted ? root.restrictedText
                    : root.connecting ? qsTr("Connexion en cours… terminez dans le navigateur.")
                    : qsTr("Pour retrouver vos playlists et votre bibliothèque")
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
                wrapMode: Text.Wrap
                Layout.fillWidth: true
            }
            PillButton {
                visible: root.restricted
                text: qsTr("Ouvrir le dossier des réglages")
                symbol: "arrow.up.forward.app"
                Layout.topMargin: Theme.spacingXS
                onClicked: App.household.openSettingsFolder()
            }
            PlainLabel {
                visible: !root.restricted && App.household.authorizationMessage.length > 0
                text: App.household.authorizationMessage
                color: Theme.danger
                font.pixelSize: Theme.fontBody
                wrapMode: Text.Wrap
                Layout.fillWidth: true
            }
        }
        BusyIndicator {
            visible: root.connecting
            running: visible
            implicitWidth: 32
            implicitHeight: 32
        }
        Icon {
            visible: !root.restricted && !root.connecting
            name: "chevron.forward"
            color: Theme.textDim
        }
    }
    onClicked: if (!restricted) App.household.connectMusic()
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: restricted ? restrictedTitle : qsTr("Relier Apple Music")
    Accessible.description: restricted ? restrictedText : qsTr("Pour retrouver vos playlists et votre bibliothèque")
    Accessible.role: Accessible.Button
    Accessible.onPressAction: clicked()
}
