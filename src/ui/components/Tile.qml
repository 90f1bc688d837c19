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
        }
        Label {
            text: root.title
            color: Theme.text
            font.pixelSize: Theme.fontBody
            font.weight: Font.Medium
            elide: Text.ElideRight
            horizontalAlignment: root.round ? Text.AlignHCenter : Text.AlignLeft
            Layout.fillWidth: true
        }
        Label {
            visible: text.length > 0
            text: root.subtitle
            color: Theme.textDim
            font.pixelSize: Theme.fontCaption + 1
            elide: Text.ElideRight
            horizontalAlignment: root.round ? Text.AlignHCenter : Text.AlignLeft
            Layout.fillWidth: true
        }
    }
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: subtitle.length > 0 ? title + ", " + subtitle : title
    Accessible.role: Accessible.Button
    Accessible.onPressAction: clicked()
}
