import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// A live station: its logo on the plate its ink needs, or a gradient with its initials.
ItemDelegate {
    id: root

    // A delegate of a list of records.
    required property var modelData
    readonly property var station: modelData
    property int side: 112
    // The hue of its face when it has no logo.
    property real hue: 0
    property bool logoReady: false

    width: side + 2 * Theme.spacingS
    padding: Theme.spacingS
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    text: station.name
    background: Rectangle {
        radius: Theme.radiusM
        color: root.activeFocus ? Theme.selection : (root.hovered ? Theme.hover : "transparent")
    }
    contentItem: ColumnLayout {
        spacing: Theme.spacingXS
        Item {
            implicitWidth: root.side
            implicitHeight: root.side
            Layout.alignment: Qt.AlignHCenter
            Rectangle {
                anchors.fill: parent
                radius: root.side * 0.16
                visible: !root.logoReady
                gradient: Gradient {
                    orientation: Gradient.Vertical
                    GradientStop { position: 0; color: Qt.hsva(root.hue, 0.55, 0.62, 1) }
                    GradientStop { position: 1; color: Qt.hsva(root.hue, 0.7, 0.38, 1) }
                }
                PlainLabel {
                    anchors.centerIn: parent
                    text: root.station.initials
                    color: "white"
                    font.pixelSize: root.side * 0.34
                    font.bold: true
                }
            }
            Image {
                anchors.fill: parent
                onStatusChanged: root.logoReady = status === Image.Ready && implicitWidth > 1
                asynchronous: true
                sourceSize.width: root.side * 2
                sourceSize.height: root.side * 2
                source: root.station.logo.length > 0 ? "image://artwork/logo/" + encodeURIComponent(root.station.logo) : ""
            }
            IconButton {
                focusPolicy: Qt.NoFocus
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                anchors.margins: Theme.spacingXS
                visible: root.hovered || root.activeFocus
                symbol: "play.fill"
                //: %1 is a radio station's name
                help: qsTr("Écouter %1").arg(root.station.name)
                tint: Theme.accentText
                background: Rectangle { radius: width / 2; color: Theme.accent }
                onClicked: root.clicked()
            }
        }
        PlainLabel {
            text: root.station.name
            color: Theme.text
            font.pixelSize: Theme.fontBody
            font.weight: Font.Medium
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
        RowLayout {
            spacing: Theme.spacingXS
            Icon {
                name: "dot.radiowaves.left.and.right"
                size: 12
                color: Theme.textDim
            }
            PlainLabel {
                text: qsTr("Radio")
                color: Theme.textDim
                font.pixelSize: Theme.fontCaption + 1
            }
        }
    }
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    //: Spoken name of a radio tile; %1 is the station's name
    Accessible.name: qsTr("%1, Radio").arg(station.name)
    Accessible.role: Accessible.Button
    Accessible.onPressAction: clicked()
}
