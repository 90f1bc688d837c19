import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// A feature the person may not know, once, until "J'ai compris".
Pane {
    id: root

    readonly property var tips: ({
        menuBar: {
            symbol: "menubar.arrow.up.rectangle",
            title: qsTr("Corvane vit dans la zone de notification"),
            text: qsTr("L'icône de la zone de notification commande l'enceinte sans ouvrir la fenêtre : lecture, volume, morceau suivant, en un clic.")
        },
        siri: {
            symbol: "keyboard",
            title: qsTr("Pilotez Corvane sans sa fenêtre"),
            text: qsTr("Dans un terminal ou un raccourci clavier du bureau : « corvane play-pause », « corvane next » ou « corvane favorite ». Un clic droit sur Corvane dans le lanceur propose les mêmes actions.")
        },
        sleep: {
            symbol: "moon.zzz",
            title: qsTr("S'arrêter tout seul"),
            text: qsTr("Programmez un arrêt : la musique s'éteint toute seule après le délai choisi. La commande « corvane sleep 60 » le fait aussi.")
        }
    })
    readonly property var tip: tips[App.home.tip]

    visible: tip !== undefined
    width: 340
    padding: Theme.spacingL
    background: Rectangle {
        radius: Theme.radiusL
        color: Theme.surfaceHigh
        border.width: 1
        border.color: Theme.accent
    }
    Accessible.role: Accessible.Dialog
    Accessible.name: tip ? tip.title : ""

    ColumnLayout {
        anchors.fill: parent
        spacing: Theme.spacingS
        RowLayout {
            spacing: Theme.spacingM
            Rectangle {
                implicitWidth: 40
                implicitHeight: 40
                radius: 20
                color: Theme.selection
                Icon {
                    anchors.centerIn: parent
                    name: root.tip ? root.tip.symbol : ""
                    size: 20
                    color: Theme.accent
                }
            }
            PlainLabel {
                text: root.tip ? root.tip.title : ""
                color: Theme.text
                font.pixelSize: Theme.fontSubtitle
                font.weight: Font.Bold
                wrapMode: Text.Wrap
                Layout.fillWidth: true
            }
        }
        PlainLabel {
            text: root.tip ? root.tip.text : ""
            color: Theme.textDim
            font.pixelSize: Theme.fontBody
            wrapMode: Text.Wrap
            Layout.fillWidth: true
        }
        PillButton {
            text: qsTr("J'ai compris")
            primary: true
            Layout.alignment: Qt.AlignRight
            onClicked: App.home.dismissTip()
        }
    }
}
