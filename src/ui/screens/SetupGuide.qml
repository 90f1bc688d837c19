import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// What stands between the person and a working set-up, step by step, and the way forward.
Rectangle {
    id: root

    readonly property int setupState: App.household.setupState
    readonly property string room: App.household.setupRoom
    readonly property var guide: {
        switch (setupState) {
        case Setup.Searching:
            return { symbol: "antenna.radiowaves.left.and.right", title: qsTr("Recherche des enceintes…"),
                     text: qsTr("Corvane interroge le réseau local. Cela prend quelques secondes."), steps: [], note: "" }
        case Setup.LocalControlOff:
            return { symbol: "exclamationmark.triangle.fill", title: qsTr("Le contrôle local est désactivé"),
                     //: %1 is a speaker's room
                     text: qsTr("« %1 » répond bien, mais refuse d'être piloté : le contrôle local (UPnP) est désactivé sur ce système Sonos.").arg(room),
                     steps: [qsTr("Ouvrez l'app Sonos officielle."), qsTr("Allez dans Compte › Confidentialité et sécurité."),
                             qsTr("Activez UPnP."), qsTr("Revenez ici et réessayez.")],
                     note: qsTr("Sans UPnP, aucune télécommande du réseau local ne peut piloter les enceintes.") }
        case Setup.AppleMusicMissing:
            return { symbol: "music.note", title: qsTr("Apple Music n'est pas encore relié"),
                     //: %1 is a speaker's room
                     text: qsTr("« %1 » répond bien, mais Apple Music n'est pas rattaché à ce système Sonos. Ce rattachement se fait une seule fois, depuis l'app Sonos officielle.").arg(room),
                     steps: [qsTr("Ouvrez l'app Sonos officielle."), qsTr("Allez dans Réglages, puis Services et Voix."),
                             qsTr("Ajoutez Apple Music et connectez votre compte."),
                             qsTr("Jouez n'importe quel morceau Apple Music une fois depuis l'app Sonos."),
                             qsTr("Revenez ici et relancez la recherche.")],
                     note: qsTr("Ce détour est obligatoire : seul Sonos peut rattacher un compte Apple Music à un système. Une fois fait, tout se passe dans Corvane.") }
        case Setup.Ready:
            return { symbol: "checkmark.circle.fill", title: qsTr("Tout est prêt"),
                     text: qsTr("Recherchez un morceau et lancez-le : le son partira d'Apple Music directement vers l'enceinte."), steps: [], note: "" }
        default:
            return { symbol: "wifi.exclamationmark", title: qsTr("Aucune enceinte Sonos trouvée"),
                     text: qsTr("Corvane n'a trouvé aucun Sonos sur ce réseau. L'enceinte doit être allumée et connectée au même réseau que cet ordinateur."),
                     steps: [qsTr("Vérifiez que l'enceinte est allumée."),
                             qsTr("Vérifiez que cet ordinateur et l'enceinte sont sur le même réseau (Wi-Fi ou câble)."),
                             qsTr("Si un VPN est actif, désactivez-le : il empêche d'atteindre le réseau local."),
                             qsTr("Si un pare-feu protège cet ordinateur, autorisez le réseau local (les enceintes répondent sur le port 1400).")],
                     note: qsTr("Les classements et la recherche restent accessibles — seule la lecture demande une enceinte.") }
        }
    }

    // A short window keeps the way forward in sight: a smaller illustration, tighter spacing.
    readonly property bool compact: height < 560

    color: Theme.background

    Flickable {
        anchors.fill: parent
        contentWidth: width
        contentHeight: Math.max(height, column.implicitHeight + 2 * Theme.spacingXL)
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        ColumnLayout {
            id: column
            width: Math.min(parent.width - 2 * Theme.spacingXL, 540)
            x: (parent.width - width) / 2
            y: Math.max(root.compact ? Theme.spacingL : Theme.spacingXL, (parent.height - implicitHeight) / 2)
            spacing: root.compact ? Theme.spacingS : Theme.spacingM

            Icon {
                id: illustration
                name: root.guide.symbol
                size: root.compact ? 36 : 52
                color: root.setupState === Setup.Ready ? Theme.success : Theme.accent
                Layout.alignment: Qt.AlignHCenter
                SequentialAnimation on opacity {
                    running: root.setupState === Setup.Searching
                    loops: Animation.Infinite
                    onRunningChanged: if (!running) illustration.opacity = 1
                    NumberAnimation { to: 0.35; duration: 700; easing.type: Easing.InOutQuad }
                    NumberAnimation { to: 1; duration: 700; easing.type: Easing.InOutQuad }
                }
            }
            PlainLabel {
                objectName: "setupTitle"
                text: root.guide.title
                color: Theme.text
                font.pixelSize: Theme.fontTitle + 2
                font.weight: Font.Bold
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                Layout.fillWidth: true
                Accessible.role: Accessible.Heading
            }
            PlainLabel {
                objectName: "setupText"
                text: root.guide.text
                color: Theme.textDim
                font.pixelSize: Theme.fontBody + 1
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                Layout.fillWidth: true
            }
            SetupSteps {
                steps: root.guide.steps
                Layout.fillWidth: true
            }
            SetupButtons {
                setupState: root.setupState
                Layout.alignment: Qt.AlignHCenter
                Layout.topMargin: Theme.spacingS
            }
            PlainLabel {
                visible: text.length > 0
                text: root.guide.note
                color: Theme.textFaint
                font.pixelSize: Theme.fontCaption + 1
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                Layout.fillWidth: true
            }
        }
    }
}
