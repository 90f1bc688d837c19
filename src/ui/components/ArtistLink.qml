import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The artist's name as a link to the artist's page; disabled, plain text (what a stream announces).
Button {
    id: root

    property string name
    // In the playback bar: small, quiet, without the chevron.
    property bool compact: false

    flat: true
    padding: 0
    leftPadding: 0
    rightPadding: 0
    text: name
    focusPolicy: Qt.StrongFocus
    contentItem: RowLayout {
        spacing: Theme.spacingXS
        PlainLabel {
            text: root.name
            color: !root.enabled ? Theme.textDim : root.compact ? (root.hovered ? Theme.text : Theme.textDim) : Theme.accent
            font.pixelSize: root.compact ? Theme.fontCaption + 1 : Theme.fontSubtitle
            font.weight: root.compact ? Font.Normal : Font.DemiBold
            font.underline: root.compact && root.hovered
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
        Icon {
            visible: !root.compact && root.enabled
            name: "chevron.right"
            size: 14
            color: Theme.accent
        }
    }
    ToolTip.visible: hovered && enabled
    ToolTip.delay: 600
    ToolTip.text: qsTr("Voir la fiche de l'artiste")
    //: %1 is the artist's name
    Accessible.name: qsTr("Voir la fiche de l'artiste %1").arg(name)
    Accessible.onPressAction: root.clicked()
}
