import QtQuick
import QtQuick.Controls
import Corvane

// What the search looks for: "Tout", "Morceaux", "Albums", "Artistes", "Playlists". Arrows move
// between them once one has the focus.
Rectangle {
    id: root
    objectName: "scopeChooser"

    implicitWidth: row.implicitWidth + 6
    implicitHeight: 34
    radius: height / 2
    color: Theme.surfaceHigh

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 2
        Repeater {
            //: What the search looks for: everything
            model: [qsTr("Tout"), qsTr("Morceaux"), qsTr("Albums"), qsTr("Artistes"), qsTr("Playlists")]
            delegate: AbstractButton {
                id: scope
                required property string modelData
                required property int index
                readonly property bool chosen: App.browse.scope === index

                text: modelData
                checkable: true
                checked: chosen
                focusPolicy: Qt.StrongFocus
                implicitWidth: contentItem.implicitWidth + 2 * Theme.spacingM
                implicitHeight: 28
                background: Rectangle {
                    radius: height / 2
                    color: scope.chosen ? Theme.accent : (scope.hovered ? Theme.hover : "transparent")
                    border.width: scope.visualFocus ? 2 : 0
                    border.color: Theme.text
                }
                contentItem: PlainLabel {
                    text: scope.text
                    color: scope.chosen ? Theme.accentText : Theme.text
                    font.pixelSize: Theme.fontBody
                    font.weight: scope.chosen ? Font.DemiBold : Font.Normal
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
                onClicked: App.browse.scope = index
                Keys.onLeftPressed: {
                    if (index > 0) {
                        App.browse.scope = index - 1
                        nextItemInFocusChain(false).forceActiveFocus()
                    }
                }
                Keys.onRightPressed: {
                    if (index < 4) {
                        App.browse.scope = index + 1
                        nextItemInFocusChain(true).forceActiveFocus()
                    }
                }
                Accessible.role: Accessible.RadioButton
                Accessible.checkable: true
                Accessible.checked: chosen
                Accessible.name: text
                Accessible.onPressAction: clicked()
            }
        }
    }
}
