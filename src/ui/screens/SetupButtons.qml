import QtQuick
import QtQuick.Layouts
import Corvane

// The setup guide's ways forward, for each state.
Flow {
    id: root

    property int setupState

    spacing: Theme.spacingS

    PillButton {
        visible: root.setupState === Setup.NoSpeaker || root.setupState === Setup.LocalControlOff
        text: qsTr("Réessayer")
        symbol: "arrow.clockwise"
        primary: true
        enabled: !App.household.isDiscovering
        onClicked: App.household.refreshSpeakers()
    }
    PillButton {
        visible: root.setupState === Setup.NoSpeaker && App.household.hasNetworkSettings
        text: qsTr("Réglages réseau local")
        symbol: "wifi"
        onClicked: App.household.openNetworkSettings()
    }
    PillButton {
        visible: root.setupState === Setup.AppleMusicMissing || root.setupState === Setup.LocalControlOff
        text: qsTr("Ouvrir l'app Sonos")
        symbol: "arrow.up.forward.app"
        primary: root.setupState === Setup.AppleMusicMissing
        onClicked: App.household.openSonosApp()
    }
    PillButton {
        visible: root.setupState === Setup.AppleMusicMissing
        text: qsTr("J'ai fait ça, relancer la recherche")
        symbol: "arrow.clockwise"
        enabled: !App.household.isDiscovering
        onClicked: App.household.refreshSpeakers()
    }
    PillButton {
        visible: root.setupState === Setup.NoSpeaker || root.setupState === Setup.LocalControlOff
        text: qsTr("Continuer sans enceinte")
        onClicked: App.household.setupDismissed = true
    }
    PillButton {
        visible: root.setupState === Setup.AppleMusicMissing
        text: qsTr("Plus tard")
        onClicked: App.household.setupDismissed = true
    }
    PillButton {
        visible: root.setupState === Setup.Ready
        text: qsTr("Commencer")
        symbol: "play.fill"
        primary: true
        onClicked: App.household.setupDismissed = true
    }
}
