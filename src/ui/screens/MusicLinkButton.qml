import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The onboarding's Apple Music button; without a developer token, what is missing instead.
ColumnLayout {
    spacing: Theme.spacingS

    PillButton {
        visible: !App.household.musicRestricted
        text: App.household.musicKitAuthorized ? "Apple Music est relié"
            : App.household.connectingMusic ? "Connexion… terminez dans le navigateur" : "Relier Apple Music"
        symbol: App.household.musicKitAuthorized ? "checkmark.circle.fill" : "music.note"
        enabled: !App.household.connectingMusic
        Layout.alignment: Qt.AlignHCenter
        onClicked: if (!App.household.musicKitAuthorized) App.household.connectMusic()
    }
    Label {
        visible: App.household.musicRestricted
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
}
