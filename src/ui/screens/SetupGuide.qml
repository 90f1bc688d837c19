import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// What stands between the person and a working set-up, and the way forward.
Rectangle {
    id: root

    color: Theme.background

    readonly property int setupState: App.household.setupState

    EmptyState {
        anchors.centerIn: parent
        width: Math.min(parent.width - 2 * Theme.spacingXL, 520)
        symbol: root.setupState === Setup.AppleMusicMissing ? "music.note" : (root.setupState === Setup.Searching ? "wifi" : "wifi.exclamationmark")
        title: {
            switch (root.setupState) {
            case Setup.Searching: return "Recherche des enceintes…"
            case Setup.LocalControlOff: return "Le contrôle local est désactivé"
            case Setup.AppleMusicMissing: return "Apple Music n'est pas relié à Sonos"
            default: return "Aucune enceinte trouvée"
            }
        }
        hint: {
            switch (root.setupState) {
            case Setup.Searching: return "Corvane explore le réseau local."
            case Setup.LocalControlOff: return App.household.setupRoom + " refuse d'être piloté. Dans l'app Sonos : Compte › Confidentialité et sécurité › UPnP, activez-le, puis réessayez."
            case Setup.AppleMusicMissing: return App.household.setupRoom + " ne connaît pas encore votre compte Apple Music. Ajoutez Apple Music dans l'app Sonos et jouez-y un morceau une fois."
            default: return "Vérifiez que cet ordinateur est sur le même réseau que vos enceintes, que le VPN est coupé et qu'aucun pare-feu ne bloque le réseau local."
            }
        }
        PillButton {
            text: "Continuer sans enceinte"
            onClicked: App.household.setupDismissed = true
        }
        PillButton {
            text: "Réessayer"
            primary: true
            enabled: !App.household.isDiscovering
            onClicked: App.household.refreshSpeakers()
        }
    }
}
