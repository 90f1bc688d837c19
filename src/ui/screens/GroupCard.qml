import QtQuick
import QtQuick.Layouts
import Corvane

// One group: its rooms, then the rooms of the other groups that can join it.
Rectangle {
    id: root

    required property var modelData
    // In a large home every card would list twenty rooms or more to add: past a few, they wait
    // behind a button.
    readonly property bool manyOutsiders: modelData.outsiders.length > 6
    property bool showsOutsiders: !manyOutsiders

    implicitHeight: column.implicitHeight + 2 * Theme.spacingL
    radius: Theme.radiusL
    color: Theme.surface
    border.color: Theme.divider

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: Theme.spacingL
        spacing: Theme.spacingS

        RowLayout {
            spacing: Theme.spacingM
            Icon {
                name: root.modelData.symbol
                color: Theme.accent
                size: 22
            }
            ColumnLayout {
                spacing: 0
                Layout.fillWidth: true
                PlainLabel {
                    text: root.modelData.name
                    color: Theme.text
                    font.pixelSize: Theme.fontSubtitle
                    font.weight: Font.Bold
                    elide: Text.ElideRight
                    Layout.fillWidth: true
                    Accessible.role: Accessible.Heading
                }
                PlainLabel {
                    visible: root.modelData.roomCount > 1
                    //: Only shown for two rooms or more
                    text: qsTr("%n pièces en synchronisme", "", root.modelData.roomCount)
                    color: Theme.textDim
                    font.pixelSize: Theme.fontCaption + 1
                }
            }
        }
        Repeater {
            model: root.modelData.members
            delegate: MemberRow {
                Layout.fillWidth: true
            }
        }
        Rectangle {
            visible: root.modelData.outsiders.length > 0
            color: Theme.divider
            implicitHeight: 1
            Layout.fillWidth: true
            Layout.topMargin: Theme.spacingXS
        }
        PillButton {
            objectName: "showOutsiders"
            visible: root.manyOutsiders
            //: %1 is how many rooms could be added
            text: root.showsOutsiders ? qsTr("Masquer les autres pièces") : qsTr("Ajouter une pièce (%1)").arg(root.modelData.outsiders.length)
            symbol: root.showsOutsiders ? "minus" : "plus"
            onClicked: root.showsOutsiders = !root.showsOutsiders
        }
        Repeater {
            model: root.showsOutsiders ? root.modelData.outsiders : []
            delegate: MemberRow {
                isOutsider: true
                Layout.fillWidth: true
            }
        }
    }
}
