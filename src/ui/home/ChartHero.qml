import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The first album of the charts, as a wide banner.
ItemDelegate {
    id: root

    property var album
    //: Caption above the first album of the charts
    property string legende: qsTr("N° 1 des albums")

    visible: album !== undefined && album !== null
    padding: Theme.spacingL
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    background: Rectangle {
        radius: Theme.radiusL
        color: root.activeFocus ? Theme.selection : (root.hovered ? Theme.hover : Theme.surface)
        border.width: 1
        border.color: Theme.divider
    }
    contentItem: RowLayout {
        spacing: Theme.spacingL
        Artwork {
            size: 168
            url: root.album ? root.album.artwork : ""
            cornerPercent: 4
            placeholder: "opticaldisc"
        }
        ColumnLayout {
            spacing: Theme.spacingXS
            Layout.fillWidth: true
            PlainLabel {
                text: root.legende.toUpperCase()
                color: Theme.accent
                font.pixelSize: Theme.fontCaption
                font.weight: Font.Bold
                font.letterSpacing: 1.2
            }
            PlainLabel {
                text: root.album ? root.album.title : ""
                color: Theme.text
                font.pixelSize: Theme.fontTitle + 4
                font.weight: Font.Bold
                wrapMode: Text.Wrap
                maximumLineCount: 2
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            PlainLabel {
                text: root.album ? root.album.artist : ""
                color: Theme.textDim
                font.pixelSize: Theme.fontSubtitle
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            PillButton {
                text: qsTr("Voir l'album")
                symbol: "opticaldisc"
                Layout.topMargin: Theme.spacingS
                onClicked: root.clicked()
            }
        }
    }
    onClicked: App.browse.openAlbum(album)
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    //: Spoken name of the banner: %1 is its caption, %2 the album's title and artist
    Accessible.name: album ? qsTr("%1 : %2").arg(legende).arg(album.title + ", " + album.artist) : ""
    Accessible.role: Accessible.Button
    Accessible.onPressAction: clicked()
}
