import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The twenty most played artists of the history, ranked; a click opens the artist.
ListView {
    id: root

    clip: true
    model: App.home.historyTopArtists
    keyNavigationEnabled: true
    activeFocusOnTab: true
    ScrollBar.vertical: ScrollBar {}
    Accessible.name: qsTr("Top artistes")
    Accessible.role: Accessible.List

    delegate: ItemDelegate {
        id: row
        required property var modelData
        required property int index
        width: ListView.view.width
        height: Theme.rowHeight
        focusPolicy: Qt.StrongFocus
        hoverEnabled: true
        highlighted: ListView.isCurrentItem && ListView.view.activeFocus
        background: Rectangle {
            radius: Theme.radiusS
            color: row.highlighted ? Theme.selection : (row.hovered ? Theme.hover : "transparent")
        }
        contentItem: RowLayout {
            spacing: Theme.spacingM
            PlainLabel {
                text: row.index + 1
                color: Theme.textDim
                font.pixelSize: Theme.fontSubtitle
                font.weight: Font.Bold
                horizontalAlignment: Text.AlignRight
                Layout.preferredWidth: 24
            }
            RoundArtwork {
                size: 36
                url: row.modelData.artwork
                placeholder: "mic.fill"
            }
            PlainLabel {
                text: row.modelData.name
                color: Theme.text
                font.pixelSize: Theme.fontBody
                font.weight: Font.Medium
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            PlainLabel {
                text: qsTr("%n écoute(s)", "", row.modelData.plays)
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
            }
        }
        onClicked: App.browse.openArtistNamed(modelData.name)
        Keys.onReturnPressed: clicked()
        Keys.onEnterPressed: clicked()
        //: %1 is an artist's name
        Accessible.name: qsTr("%1, %n écoute(s)", "", modelData.plays).arg(modelData.name)
        Accessible.onPressAction: clicked()
    }
}
