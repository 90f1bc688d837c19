import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// Every song started from Corvane, newest first, by day.
ColumnLayout {
    id: root
    objectName: "historyView"

    readonly property int count: App.home.history.count
    property bool showTopArtists: false

    spacing: Theme.spacingS
    Component.onCompleted: App.home.repairArtwork()

    RowLayout {
        spacing: Theme.spacingM
        Layout.fillWidth: true
        Layout.leftMargin: Theme.spacingXL
        Layout.rightMargin: Theme.spacingXL
        Layout.topMargin: Theme.spacingL
        ColumnLayout {
            spacing: 2
            Layout.fillWidth: true
            PlainLabel {
                text: qsTr("Historique d'écoute")
                color: Theme.text
                font.pixelSize: Theme.fontTitle + 2
                font.weight: Font.Bold
                Accessible.role: Accessible.Heading
            }
            PlainLabel {
                text: root.count === 0 ? qsTr("Rien encore")
                                       : qsTr("%n écoute(s) conservée(s)", "", root.count)
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
            }
        }
        PillButton {
            objectName: "topArtistsButton"
            visible: root.count > 0
            text: qsTr("Top artistes")
            symbol: "chart.bar"
            checkable: true
            checked: root.showTopArtists
            onClicked: root.showTopArtists = !root.showTopArtists
        }
        PillButton {
            visible: root.count > 0
            //: Button: clear the listening history
            text: qsTr("Effacer")
            symbol: "xmark"
            onClicked: confirmClear.open()
        }
    }

    // The history is shared by every computer of the person: one stray click must not wipe it.
    Popup {
        id: confirmClear
        objectName: "confirmClearHistory"
        parent: Overlay.overlay
        x: (parent.width - width) / 2
        y: (parent.height - height) / 2
        width: Math.min(440, parent.width - 2 * Theme.spacingXL)
        modal: true
        focus: true
        padding: Theme.spacingXL
        background: Rectangle {
            radius: Theme.radiusL
            color: Theme.surface
            border.width: 1
            border.color: Theme.divider
        }
        // A dark veil: the style's light one washes the dark screens out.
        Overlay.modal: Rectangle { color: "#99000000" }
        onOpened: keep.forceActiveFocus()

        ColumnLayout {
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: Theme.spacingM
            PlainLabel {
                text: qsTr("Effacer tout l'historique ?")
                color: Theme.text
                font.pixelSize: Theme.fontTitle
                font.weight: Font.Bold
                wrapMode: Text.Wrap
                Layout.fillWidth: true
                Accessible.role: Accessible.Heading
            }
            PlainLabel {
                text: root.count > 1 ? qsTr("Les %n écoutes conservées disparaîtront de tous vos ordinateurs. Cette action est définitive.", "", root.count)
                                     : qsTr("L'écoute conservée disparaîtra de tous vos ordinateurs. Cette action est définitive.")
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
                wrapMode: Text.Wrap
                Layout.fillWidth: true
            }
            RowLayout {
                spacing: Theme.spacingS
                Layout.alignment: Qt.AlignRight
                Layout.topMargin: Theme.spacingS
                PillButton {
                    id: keep
                    text: qsTr("Annuler")
                    onClicked: confirmClear.close()
                }
                PillButton {
                    text: qsTr("Effacer l'historique")
                    primary: true
                    onClicked: {
                        confirmClear.close()
                        App.home.clearHistory()
                    }
                }
            }
        }
    }

    EmptyState {
        visible: root.count === 0
        symbol: "clock.arrow.circlepath"
        title: qsTr("Historique vide")
        hint: qsTr("Chaque morceau lancé depuis Corvane s'inscrit ici, et y reste.")
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: Theme.spacingXL
        Layout.rightMargin: Theme.spacingXL
    }

    TopArtistsList {
        visible: root.count > 0 && root.showTopArtists
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: Theme.spacingL
        Layout.rightMargin: Theme.spacingL
    }

    ListView {
        objectName: "historyList"
        visible: root.count > 0 && !root.showTopArtists
        clip: true
        model: App.home.history
        reuseItems: true
        keyNavigationEnabled: true
        activeFocusOnTab: true
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: Theme.spacingL
        Layout.rightMargin: Theme.spacingL
        ScrollBar.vertical: ScrollBar {}
        section.property: "day"
        section.delegate: PlainLabel {
            required property string section
            text: section
            color: Theme.text
            font.pixelSize: Theme.fontSubtitle
            font.weight: Font.Bold
            topPadding: Theme.spacingM
            bottomPadding: Theme.spacingXS
            leftPadding: Theme.spacingS
            Accessible.role: Accessible.Heading
        }
        delegate: HistoryRow {
            width: ListView.view.width
        }
    }
}
