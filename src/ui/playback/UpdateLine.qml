import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// A newer Corvane was published: said once, quietly, with where to get it.
ItemDelegate {
    id: root

    visible: App.home.updateVersion.length > 0
    padding: Theme.spacingS
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    background: Rectangle {
        radius: Theme.radiusM
        color: root.activeFocus || root.hovered ? Theme.hover : Theme.background
    }
    contentItem: RowLayout {
        spacing: Theme.spacingS
        Icon {
            name: "sparkles"
            color: Theme.accent
        }
        ColumnLayout {
            spacing: 0
            Layout.fillWidth: true
            Label {
                text: "Corvane " + App.home.updateVersion + " est disponible"
                color: Theme.text
                font.pixelSize: Theme.fontBody
                font.weight: Font.Medium
            }
            Label {
                visible: text.length > 0
                text: App.home.updateNotes
                color: Theme.textDim
                font.pixelSize: Theme.fontCaption + 1
                wrapMode: Text.Wrap
                maximumLineCount: 2
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
        Icon {
            name: "arrow.up.forward.app"
            color: Theme.textDim
        }
    }
    onClicked: Qt.openUrlExternally(App.home.updateUrl)
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: "Corvane " + App.home.updateVersion + " est disponible : ouvrir la page de téléchargement"
    Accessible.role: Accessible.Link
    Accessible.onPressAction: clicked()
}
