import QtQuick
import QtQuick.Layouts
import Corvane

// The button that links Apple Music; without a developer token, what is missing instead. Where
// room is short (`brief`), that is one sentence, with the details on demand.
ColumnLayout {
    id: root

    property bool brief: false
    // In brief, the one sentence may already be said around it.
    property bool sentence: true
    property bool detailsShown: false
    readonly property bool restricted: App.household.musicRestricted

    spacing: Theme.spacingS

    PillButton {
        visible: !root.restricted
        text: App.household.musicKitAuthorized ? qsTr("Apple Music est relié")
            : App.household.connectingMusic ? qsTr("Connexion… terminez dans le navigateur") : qsTr("Relier Apple Music")
        symbol: App.household.musicKitAuthorized ? "checkmark.circle.fill" : "music.note"
        enabled: !App.household.connectingMusic
        Layout.alignment: Qt.AlignHCenter
        onClicked: if (!App.household.musicKitAuthorized) App.household.connectMusic()
    }
    PlainLabel {
        visible: root.restricted && root.brief && root.sentence
        text: App.household.publicSearch
            ? qsTr("Vous pouvez chercher et écouter tout le catalogue Apple Music : vos enceintes le jouent avec votre compte. Un jeton de développeur MusicKit ajouterait votre bibliothèque et vos playlists.")
            : qsTr("Apple Music n'est pas configuré : il manque à Corvane son jeton de développeur MusicKit. Les enceintes, les favoris, la radio et la file d'attente marchent sans lui.")
        color: Theme.textDim
        font.pixelSize: Theme.fontCaption + 1
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
    PillButton {
        visible: root.restricted && root.brief
        text: root.detailsShown ? qsTr("Masquer les explications") : App.household.publicSearch ? qsTr("Ajouter votre bibliothèque ?") : qsTr("Comment l'ajouter ?")
        symbol: root.detailsShown ? "" : "chevron.down"
        Layout.alignment: Qt.AlignHCenter
        onClicked: root.detailsShown = !root.detailsShown
    }
    PlainLabel {
        visible: root.restricted && (!root.brief || root.detailsShown)
        text: App.household.developerTokenHelp
        color: Theme.textDim
        font.pixelSize: Theme.fontCaption + 1
        wrapMode: Text.Wrap
        Layout.fillWidth: true
        background: Rectangle {
            radius: Theme.radiusM
            color: Theme.surface
        }
        padding: Theme.spacingM
    }
    PillButton {
        visible: root.restricted && (!root.brief || root.detailsShown)
        text: qsTr("Ouvrir le dossier des réglages")
        symbol: "arrow.up.forward.app"
        Layout.alignment: Qt.AlignHCenter
        onClicked: App.household.openSettingsFolder()
    }
}
