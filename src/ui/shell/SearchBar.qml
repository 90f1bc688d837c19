import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The search field, its clear and back buttons, and the scope.
RowLayout {
    id: root

    property alias field: field

    spacing: Theme.spacingS

    IconButton {
        visible: App.browse.canReturnToResults
        symbol: "chevron.backward"
        help: "Retour aux résultats"
        onClicked: App.browse.returnToResults()
    }
    TextField {
        id: field
        objectName: "searchField"
        placeholderText: "Rechercher un morceau, un album, un artiste, une playlist…"
        text: App.browse.query
        leftPadding: 36
        rightPadding: 32
        selectByMouse: true
        font.pixelSize: Theme.fontBody
        Layout.fillWidth: true
        onTextEdited: App.browse.query = text
        Keys.onReturnPressed: App.browse.playFirstResult()
        Keys.onEnterPressed: App.browse.playFirstResult()
        Accessible.name: "Rechercher"
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
            help: "Effacer la recherche"
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
