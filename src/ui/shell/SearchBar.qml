import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The search field, its clear and back buttons, and the scope.
RowLayout {
    id: root

    property alias field: field

    // Ctrl with → or ←, and nothing else: the window's skip keys.
    function skipKey(event) {
        return (event.key === Qt.Key_Right || event.key === Qt.Key_Left)
                && (event.modifiers & ~Qt.KeypadModifier) === Qt.ControlModifier
    }

    spacing: Theme.spacingS

    IconButton {
        visible: App.browse.canReturnToResults
        symbol: "chevron.backward"
        help: qsTr("Retour aux résultats")
        onClicked: App.browse.returnToResults()
    }
    TextField {
        id: field
        objectName: "searchField"
        placeholderText: qsTr("Rechercher un morceau, un album, un artiste, une playlist…")
        text: App.browse.query
        leftPadding: 36
        rightPadding: 32
        selectByMouse: true
        font.pixelSize: Theme.fontBody
        Layout.fillWidth: true
        onTextEdited: App.browse.query = text
        // Ctrl+→ and Ctrl+← skip tracks from anywhere, here too: the field gives up its word jumps.
        Keys.onShortcutOverride: (event) => { event.accepted = root.skipKey(event) }
        Keys.onPressed: (event) => {
            if (!root.skipKey(event))
                return
            if (event.key === Qt.Key_Right)
                App.playback.next()
            else
                App.playback.previous()
            event.accepted = true
        }
        Keys.onReturnPressed: App.browse.playFirstResult()
        Keys.onEnterPressed: App.browse.playFirstResult()
        Accessible.name: qsTr("Rechercher")
        Icon {
            anchors.left: parent.left
            anchors.leftMargin: Theme.spacingM
            anchors.verticalCenter: parent.verticalCenter
            name: "magnifyingglass"
            color: Theme.textDim
            size: 16
        }
        IconButton {
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: field.text.length > 0
            symbol: "xmark.circle.fill"
            help: qsTr("Effacer la recherche")
            tint: Theme.textDim
            symbolSize: 16
            onClicked: {
                App.browse.query = ""
                field.forceActiveFocus()
            }
        }
    }
    ScopeChooser {}
}
