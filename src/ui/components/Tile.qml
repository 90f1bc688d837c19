import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// Artwork above a title and a subtitle; a click or Enter opens what it shows.
ItemDelegate {
    id: root

    property string artwork
    property string title
    property string subtitle
    property bool round: false
    property int side: Theme.tileSize
    property string placeholder: "music.note"
    // Narrow tiles give their title a second line.
    property int titleLines: 1
    property bool titleCut: false
    // A play button over the artwork while the pointer is on the tile.
    property bool playable: false
    signal play()

    width: side + 2 * Theme.spacingS
    padding: Theme.spacingS
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    text: title
    background: Rectangle {
        radius: Theme.radiusM
        color: root.activeFocus ? Theme.selection : (root.hovered ? Theme.hover : "transparent")
    }
    contentItem: ColumnLayout {
        spacing: Theme.spacingXS
        Artwork {
            size: root.side
            url: root.artwork
            cornerPercent: root.round ? 50 : 6
            placeholder: root.placeholder
            Layout.alignment: Qt.AlignHCenter
            Layout.bottomMargin: Theme.spacingXS
            IconButton {
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                anchors.margins: Theme.spacingXS
                visible: root.playable && (root.hovered || root.activeFocus || hovered)
                symbol: "play.circle.fill"
                symbolSize: 30
                tint: Theme.accent
                help: qsTr("Lire")
                background: Rectangle { radius: width / 2; color: "#b0141218" }
                onClicked: root.play()
            }
        }
        PlainLabel {
            text: root.title
            color: Theme.text
            font.pixelSize: Theme.fontBody
            font.weight: Font.Medium
            wrapMode: root.titleLines > 1 ? Text.Wrap : Text.NoWrap
            maximumLineCount: root.titleLines
            elide: Text.ElideRight
            horizontalAlignment: root.round ? Text.AlignHCenter : Text.AlignLeft
            Layout.fillWidth: true
            onTruncatedChanged: root.titleCut = truncated
        }
        PlainLabel {
            visible: text.length > 0
            text: root.subtitle
            color: Theme.textDim
            font.pixelSize: Theme.fontCaption + 1
            elide: Text.ElideRight
            horizontalAlignment: root.round ? Text.AlignHCenter : Text.AlignLeft
            Layout.fillWidth: true
        }
    }
    // The whole title when it had to be cut.
    ToolTip.visible: hovered && titleCut
    ToolTip.delay: 600
    ToolTip.text: title
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: subtitle.length > 0 ? title + ", " + subtitle : title
    Accessible.role: Accessible.Button
    Accessible.onPressAction: clicked()
}
