import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The first words to a new person: what Corvane does, and the way to the speakers.
Rectangle {
    color: Theme.background

    EmptyState {
        anchors.centerIn: parent
        width: Math.min(parent.width - 2 * Theme.spacingXL, 520)
        symbol: "hifispeaker.fill"
        title: "Bienvenue dans Corvane"
        hint: "Corvane pilote vos enceintes Sonos et y joue Apple Music. Il explore le réseau local pour trouver les enceintes ; rien ne quitte la maison, et aucun son ne passe par cet ordinateur."
        PillButton {
            text: "Passer"
            onClicked: App.household.finishOnboarding()
        }
        PillButton {
            text: "Rechercher mes enceintes"
            primary: true
            onClicked: {
                App.household.finishOnboarding()
                App.household.refreshSpeakers()
            }
        }
    }
}
