import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// What a new user sees below the charts: where to begin.
Pane {
    id: root

    readonly property var hints: [
        { icon: "magnifyingglass", text: qsTr("Saisissez un artiste, un album, un titre ou une playlist dans la barre du haut.") },
        { icon: "keyboard", text: qsTr("Entrée lance le premier résultat, un double-clic joue n'importe quelle ligne.") },
        { icon: "arrow.up.left.and.arrow.down.right", text: qsTr("Cliquez la pochette en bas à gauche pour la voir en grand (Ctrl+0).") },
        { icon: "hifispeaker.fill", text: qsTr("Le son part d'Apple Music vers l'enceinte — rien ne passe par cet ordinateur.") }
    ]

    padding: Theme.spacingL
    background: Rectangle {
        radius: Theme.radiusL
        color: Theme.surface
        border.width: 1
        border.color: Theme.divider
    }
    ColumnLayout {
        anchors.fill: parent
        spacing: Theme.spacingM
        PlainLabel {
            text: qsTr("Commencez par une recherche")
            color: Theme.text
            font.pixelSize: Theme.fontTitle
            font.weight: Font.Bold
            Accessible.role: Accessible.Heading
        }
        Repeater {
            model: root.hints
            RowLayout {
                id: hint
                required property var modelData
                spacing: Theme.spacingM
                Layout.fillWidth: true
                Rectangle {
                    implicitWidth: 32
                    implicitHeight: 32
                    radius: 16
                    color: Theme.surfaceHigh
                    Icon {
                        anchors.centerIn: parent
                        name: hint.modelData.icon
                        size: 16
                        color: Theme.accent
                    }
                }
                PlainLabel {
                    text: hint.modelData.text
                    color: Theme.textDim
                    font.pixelSize: Theme.fontBody
                    wrapMode: Text.Wrap
                    Layout.fillWidth: true
                }
            }
        }
    }
}
