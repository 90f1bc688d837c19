pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// The household's alarms: each one's time, days, room and music, switched on or off here,
// created, edited and deleted (after a question).
ColumnLayout {
    id: root
    objectName: "alarmsView"

    readonly property int count: App.alarms.count

    spacing: Theme.spacingS
    Component.onCompleted: App.alarms.refresh()

    function edit(row) {
        editor.openFor(row)
    }

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
                text: qsTr("Réveils")
                color: Theme.text
                font.pixelSize: Theme.fontTitle + 2
                font.weight: Font.Bold
                Accessible.role: Accessible.Heading
            }
            PlainLabel {
                objectName: "alarmCount"
                text: root.count === 0 ? qsTr("Les enceintes réveillent la maison en musique")
                                       : qsTr("%n réveil(s) · réglés sur les enceintes, ils sonnent même ordinateur éteint", "", root.count)
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
        BusyIndicator {
            running: App.alarms.loading || App.alarms.saving
            visible: running
            implicitWidth: 24
            implicitHeight: 24
            Accessible.name: qsTr("Chargement des réveils")
        }
        PillButton {
            objectName: "newAlarmButton"
            text: qsTr("Nouveau réveil")
            symbol: "plus"
            primary: true
            enabled: App.household.speakers.length > 0
            onClicked: root.edit(-1)
        }
    }

    EmptyState {
        visible: root.count === 0 && App.alarms.loaded && App.alarms.failure.length === 0
        symbol: "alarm"
        title: qsTr("Aucun réveil")
        hint: qsTr("Un réveil lance un favori, une radio ou le carillon dans la pièce choisie, à l'heure dite.")
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: Theme.spacingXL
        Layout.rightMargin: Theme.spacingXL
    }
    EmptyState {
        visible: root.count === 0 && App.alarms.failure.length > 0 && !App.alarms.loading
        symbol: "exclamationmark.triangle.fill"
        title: qsTr("Réveils indisponibles")
        hint: App.alarms.failure
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: Theme.spacingXL
        Layout.rightMargin: Theme.spacingXL
        PillButton {
            text: qsTr("Réessayer")
            symbol: "arrow.clockwise"
            onClicked: App.alarms.refresh()
        }
    }
    Item {
        visible: root.count === 0 && !App.alarms.loaded && App.alarms.failure.length === 0
        Layout.fillWidth: true
        Layout.fillHeight: true
    }

    ListView {
        id: list
        objectName: "alarmList"
        visible: root.count > 0
        model: App.alarms
        clip: true
        spacing: Theme.spacingS
        boundsBehavior: Flickable.StopAtBounds
        keyNavigationEnabled: true
        ScrollBar.vertical: ScrollBar {}
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: Theme.spacingXL
        Layout.rightMargin: Theme.spacingXL
        Layout.topMargin: Theme.spacingS
        bottomMargin: Theme.spacingXL
        delegate: AlarmRow {
            width: ListView.view.width
            onEditRequested: row => root.edit(row)
            onDeleteRequested: alarmID => confirmDelete.ask(alarmID, time)
        }
    }

    AlarmEditor {
        id: editor
        objectName: "alarmEditor"
    }

    // An alarm wakes someone: one stray click must not remove it.
    Popup {
        id: confirmDelete
        objectName: "confirmDeleteAlarm"

        property string alarmID
        property string time

        function ask(alarmID, time) {
            confirmDelete.alarmID = alarmID
            confirmDelete.time = time
            open()
        }

        parent: Overlay.overlay
        x: (parent.width - width) / 2
        y: (parent.height - height) / 2
        width: Math.min(420, parent.width - 2 * Theme.spacingXL)
        modal: true
        focus: true
        padding: Theme.spacingXL
        background: Rectangle {
            radius: Theme.radiusL
            color: Theme.surface
            border.width: 1
            border.color: Theme.divider
        }
        Overlay.modal: Rectangle { color: "#99000000" }
        onOpened: keep.forceActiveFocus()

        ColumnLayout {
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: Theme.spacingM
            PlainLabel {
                //: %1 is the alarm's time
                text: qsTr("Supprimer le réveil de %1 ?").arg(confirmDelete.time)
                color: Theme.text
                font.pixelSize: Theme.fontTitle
                font.weight: Font.Bold
                wrapMode: Text.Wrap
                Layout.fillWidth: true
                Accessible.role: Accessible.Heading
            }
            PlainLabel {
                text: qsTr("Il disparaîtra des enceintes et de toutes les applications qui les commandent.")
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
                    onClicked: confirmDelete.close()
                }
                PillButton {
                    objectName: "confirmDeleteAlarmButton"
                    text: qsTr("Supprimer")
                    primary: true
                    onClicked: {
                        confirmDelete.close()
                        App.alarms.remove(confirmDelete.alarmID)
                    }
                }
            }
        }
    }
}
