import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The artist's name as a link to the artist's page.
Button {
    id: root

    property string name

    flat: true
    padding: 0
    leftPadding: 0
    rightPadding: 0
    text: name
    focusPolicy: Qt.StrongFocus
    contentItem: RowLayout {
        spacing: Theme.spacingXS
        Label {
            text: root.name
            color: Theme.accent
            font.pixelSize: Theme.fontSubtitle
            font.weight: Font.DemiBold
        }
        Icon {
            name: "chevron.right"
            size: 14
            color: Theme.accent
        }
    }
    ToolTip.visible: hovered
    ToolTip.delay: 600
    ToolTip.text: "Voir la fiche de l'artiste"
    Accessible.name: "Voir la fiche de l'artiste " + name
    Accessible.onPressAction: root.clicked()
}
