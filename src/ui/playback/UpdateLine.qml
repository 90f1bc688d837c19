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
            PlainLabel {
                //: %1 is a version number
                text: qsTr("Corvane %1 est disponible").arg(App.home.updateVersion)
                color: Theme.text
                font.pixelSize: Theme.fontBody
                font.weight: Font.Medium
            }
            PlainLabel {
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
            visible: root.linked
            name: "arrow.up.forward.app"
            color: Theme.textDim
        }
    }
    // Without a page we trust, the notice only says that a version exists.
    readonly property bool linked: String(App.home.updateUrl).length > 0
    onClicked: if (linked) Qt.openUrlExternally(App.home.updateUrl)
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    //: %1 is a version number
    Accessible.name: linked ? qsTr("Corvane %1 est disponible : ouvrir la page de téléchargement").arg(App.home.updateVersion)
                            : qsTr("Corvane %1 est disponible").arg(App.home.updateVersion)
    Accessible.role: linked ? Accessible.Link : Accessible.StaticText
    Accessible.onPressAction: clicked()
}
