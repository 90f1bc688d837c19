pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The first words to a new person, in four pages: what Corvane is, how the sound travels, what it
// needs, and how it finds the speakers.
Rectangle {
    id: root
    objectName: "onboardingView"

    property int page: 0
    readonly property var pages: [
        { symbol: "hifispeaker.2.fill", title: qsTr("Vos enceintes Sonos,\navec Apple Music"),
          body: qsTr("Corvane est une télécommande : elle cherche vos enceintes sur le réseau, puis leur dit quoi jouer. Votre bibliothèque Apple Music, vos playlists, vos favoris — tout est là.") },
        { symbol: "wave.3.right", title: qsTr("Sans passer\npar votre ordinateur"),
          body: qsTr("Pas d'AirPlay, pas de recompression. L'enceinte va chercher le morceau elle-même, directement chez Apple. Vous pouvez refermer votre ordinateur : la musique continue.") },
        { symbol: "music.note", title: qsTr("Apple Music\nest indispensable"),
          body: qsTr("Corvane ne fonctionne qu'avec Apple Music : c'est le seul service qu'elle sait piloter. Il vous faut un abonnement actif, et Apple Music déjà ajouté dans l'app Sonos : vos enceintes jouent avec ce compte. Ni Spotify, ni Deezer, ni fichiers locaux.") },
        { symbol: "wifi", title: qsTr("Tout se passe\nchez vous"),
          body: qsTr("Vos enceintes vivent sur votre réseau local : Corvane l'explore pour les trouver, c'est le seul moyen. Rien ne quitte votre domicile : ni compte, ni serveur, ni traqueur.") }
    ]
    readonly property bool last: page === pages.length - 1
    // In a short window the emblem shrinks so that the page seldom needs scrolling.
    readonly property bool compact: height < 520

    function finish() {
        App.household.finishOnboarding()
    }

    color: Theme.background
    focus: true
    Keys.onRightPressed: if (!last) page++
    Keys.onLeftPressed: if (page > 0) page--

    // Scrolls only when the window is shorter than the page.
    Flickable {
        id: scroller
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: footer.top
        contentWidth: width
        contentHeight: Math.max(height, content.implicitHeight + 2 * Theme.spacingL)
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        ColumnLayout {
            id: content
            width: Math.min(scroller.width - 2 * Theme.spacingXL, 520)
            x: (scroller.width - width) / 2
            y: Math.max(Theme.spacingL, (scroller.height - implicitHeight) / 2)
            spacing: root.compact ? Theme.spacingM : Theme.spacingL

            Rectangle {
                implicitWidth: root.compact ? 64 : 96
                implicitHeight: implicitWidth
                radius: implicitWidth / 2
                color: Theme.surfaceHigh
                Layout.alignment: Qt.AlignHCenter
                Icon {
                    anchors.centerIn: parent
                    name: root.pages[root.page].symbol
                    size: root.compact ? 32 : 46
                    color: Theme.accent
                }
            }
            PlainLabel {
                objectName: "onboardingTitle"
                text: root.pages[root.page].title
                color: Theme.text
                font.pixelSize: Theme.fontDisplay
                font.weight: Font.Bold
                horizontalAlignment: Text.AlignHCenter
                Layout.fillWidth: true
                Accessible.role: Accessible.Heading
            }
            PlainLabel {
                text: root.pages[root.page].body
                color: Theme.textDim
                font.pixelSize: Theme.fontSubtitle
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                lineHeight: 1.15
                Layout.fillWidth: true
            }
            MusicLinkButton {
                brief: true
                Layout.alignment: Qt.AlignHCenter
                Layout.fillWidth: true
            }
        }
    }

    // The way on stays in sight, however long the page.
    ColumnLayout {
        id: footer
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottomMargin: Theme.spacingL
        spacing: Theme.spacingM

        // Where we are among the pages.
        Row {
            spacing: Theme.spacingS
            Layout.alignment: Qt.AlignHCenter
            //: %1 is the page shown, %2 how many there are
            Accessible.name: qsTr("Page %1 sur %2").arg(root.page + 1).arg(root.pages.length)
            Repeater {
                model: root.pages.length
                Rectangle {
                    required property int index
                    width: index === root.page ? 20 : 8
                    height: 8
                    radius: 4
                    color: index === root.page ? Theme.accent : Theme.divider
                    Behavior on width { NumberAnimation { duration: 160 } }
                }
            }
        }
        RowLayout {
            spacing: Theme.spacingM
            Layout.alignment: Qt.AlignHCenter
            PillButton {
                //: Button: skip the introduction
                text: qsTr("Passer")
                visible: !root.last
                onClicked: root.finish()
            }
            PillButton {
                objectName: "onboardingNext"
                text: root.last ? qsTr("Rechercher mes enceintes") : qsTr("Continuer")
                symbol: root.last ? "magnifyingglass" : ""
                primary: true
                onClicked: root.last ? root.finish() : root.page++
            }
        }
    }
}
