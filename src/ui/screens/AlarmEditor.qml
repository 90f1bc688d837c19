pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// Creates an alarm or edits one: its time, days, room, music, volume, duration and whether the
// room's group joins in. Only what the person changes is sent; the rest stays as the speakers
// keep it.
Popup {
    id: root

    // What the editor showed when it opened (the model compares against it).
    property var shown: ({})
    readonly property bool isNew: !shown.id

    readonly property var durations: [15, 30, 45, 60, 90, 120, 180]

    component FieldLabel: PlainLabel {
        color: Theme.textDim
        font.pixelSize: Theme.fontCaption + 1
        font.weight: Font.DemiBold
        Layout.topMargin: Theme.spacingXS
    }

    // The choices, taken when the editor opens: a list that changed meanwhile (a discovery, a new
    // favorite) must not move what is chosen.
    property var roomList: []
    property var programList: []

    function openFor(row) {
        shown = App.alarms.editor(row)
        // A room the household does not show now (switched off, or gone) stays the alarm's unless
        // the person picks another; what it plays stays a choice even when it is no favorite (a
        // station set from another application).
        roomList = (!shown.roomUUID || App.alarms.rooms.some(r => r.uuid === shown.roomUUID)
                    ? [] : [{ uuid: shown.roomUUID, name: qsTr("Pièce introuvable") }]).concat(App.alarms.rooms)
        programList = (shown.program === "" ? [{ key: "", title: shown.programTitle }] : []).concat(App.alarms.programs)
        daysField.days = shown.days.slice()
        hour.value = shown.hour
        minute.value = shown.minute
        roomChoice.currentIndex = Math.max(0, roomChoice.model.findIndex(r => r.uuid === shown.roomUUID))
        programChoice.currentIndex = Math.max(0, programChoice.model.findIndex(p => p.key === shown.program))
        volume.value = shown.volume
        durationChoice.currentIndex = Math.max(0, durationChoice.model.findIndex(d => d.minutes === shown.duration))
        joinGroup.checked = shown.joinGroup
        open()
    }

    function save() {
        const room = roomChoice.model[roomChoice.currentIndex]
        const program = programChoice.model[programChoice.currentIndex]
        App.alarms.saveEditor(shown, {
            hour: hour.value,
            minute: minute.value,
            days: daysField.days,
            roomUUID: room ? room.uuid : shown.roomUUID,
            program: program ? program.key : shown.program,
            volume: Math.round(volume.value),
            duration: durationChoice.model[durationChoice.currentIndex].minutes,
            joinGroup: joinGroup.checked
        })
    }

    parent: Overlay.overlay
    x: (parent.width - width) / 2
    y: Math.max(Theme.spacingS, (parent.height - height) / 2)
    width: Math.min(480, parent.width - 2 * Theme.spacingXL)
    height: Math.min(implicitHeight, parent.height - 2 * Theme.spacingS)
    modal: true
    focus: true
    padding: Theme.spacingXL
    closePolicy: Popup.CloseOnEscape
    background: Rectangle {
        radius: Theme.radiusL
        color: Theme.surface
        border.width: 1
        border.color: Theme.divider
    }
    Overlay.modal: Rectangle { color: "#99000000" }
    onOpened: hour.forceActiveFocus()

    // An edit that reached the speakers closes the editor; a refused one leaves it open.
    readonly property int saves: App.alarms.saves
    onSavesChanged: close()

    ColumnLayout {
        anchors.fill: parent
        spacing: Theme.spacingM

        PlainLabel {
            text: root.isNew ? qsTr("Nouveau réveil") : qsTr("Modifier le réveil")
            color: Theme.text
            font.pixelSize: Theme.fontTitle
            font.weight: Font.Bold
            Accessible.role: Accessible.Heading
        }

        // The fields scroll in a short window; the title and the buttons stay.
        Flickable {
            id: flick
            clip: true
            contentWidth: width
            contentHeight: form.implicitHeight
            implicitHeight: form.implicitHeight
            boundsBehavior: Flickable.StopAtBounds
            Layout.fillWidth: true
            Layout.fillHeight: true
            ScrollBar.vertical: ScrollBar {
                id: scroll
                policy: flick.contentHeight > flick.height ? ScrollBar.AlwaysOn : ScrollBar.AsNeeded
            }

            ColumnLayout {
                id: form
                // Clear of the scroll bar.
                width: flick.width - (scroll.policy === ScrollBar.AlwaysOn ? scroll.width + Theme.spacingS : 0)
                spacing: Theme.spacingS

                // The time, as large as on the list.
                RowLayout {
                    spacing: Theme.spacingS
                    SpinBox {
                        id: hour
                        objectName: "alarmHour"
                        from: 0
                        to: 23
                        editable: true
                        textFromValue: value => String(value).padStart(2, "0")
                        valueFromText: text => parseInt(text, 10)
                        font.pixelSize: Theme.fontTitle
                        Accessible.name: qsTr("Heure")
                    }
                    PlainLabel {
                        text: ":"
                        color: Theme.text
                        font.pixelSize: Theme.fontTitle
                    }
                    SpinBox {
                        id: minute
                        objectName: "alarmMinute"
                        from: 0
                        to: 59
                        editable: true
                        wrap: true
                        textFromValue: value => String(value).padStart(2, "0")
                        valueFromText: text => parseInt(text, 10)
                        font.pixelSize: Theme.fontTitle
                        Accessible.name: qsTr("Minutes")
                    }
                }

                FieldLabel { text: qsTr("Jours") }
                AlarmDays {
                    id: daysField
                    Layout.fillWidth: true
                }

                FieldLabel { text: qsTr("Pièce") }
                PlainComboBox {
                    id: roomChoice
                    objectName: "alarmRoom"
                    model: root.roomList
                    textRole: "name"
                    Layout.fillWidth: true
                    Accessible.name: qsTr("Pièce")
                }

                FieldLabel { text: qsTr("Musique") }
                PlainComboBox {
                    id: programChoice
                    objectName: "alarmProgram"
                    model: root.programList
                    textRole: "title"
                    Layout.fillWidth: true
                    Accessible.name: qsTr("Musique")
                }

                FieldLabel { text: qsTr("Volume") }
                RowLayout {
                    spacing: Theme.spacingS
                    Layout.fillWidth: true
                    Slider {
                        id: volume
                        from: 0
                        to: 100
                        stepSize: 1
                        focusPolicy: Qt.StrongFocus
                        Layout.fillWidth: true
                        Accessible.name: qsTr("Volume du réveil")
                    }
                    PlainLabel {
                        text: Math.round(volume.value)
                        color: Theme.textDim
                        font.pixelSize: Theme.fontBody
                        horizontalAlignment: Text.AlignRight
                        Layout.preferredWidth: 28
                    }
                }

                FieldLabel { text: qsTr("Durée") }
                PlainComboBox {
                    id: durationChoice
                    objectName: "alarmDuration"
                    // Any other duration the alarm has is kept as a choice.
                    model: {
                        const list = root.durations.map(m => ({ minutes: m, label: root.durationLabel(m) }))
                        if (root.shown.duration !== undefined && root.durations.indexOf(root.shown.duration) < 0)
                            list.unshift({ minutes: root.shown.duration, label: root.durationLabel(root.shown.duration) })
                        return list
                    }
                    textRole: "label"
                    Layout.fillWidth: true
                    Accessible.name: qsTr("Durée")
                }

                SettingSwitch {
                    id: joinGroup
                    text: qsTr("Avec tout le groupe")
                    explanation: qsTr("Les pièces groupées avec celle-ci à l'heure du réveil jouent aussi")
                    onToggled: on => joinGroup.checked = on
                }
            }
            FocusInView {
                flickable: flick
            }
        }

        RowLayout {
            spacing: Theme.spacingS
            Layout.alignment: Qt.AlignRight
            Layout.topMargin: Theme.spacingS
            PillButton {
                text: qsTr("Annuler")
                onClicked: root.close()
            }
            PillButton {
                objectName: "saveAlarmButton"
                text: root.isNew ? qsTr("Créer le réveil") : qsTr("Enregistrer")
                primary: true
                enabled: !App.alarms.saving && root.roomList.length > 0
                onClicked: root.save()
            }
        }
    }

    function durationLabel(minutes) {
        if (minutes < 60)
            //: An alarm's duration in minutes
            return qsTr("%1 min").arg(minutes)
        const h = Math.floor(minutes / 60)
        const m = minutes % 60
        //: An alarm's duration in hours and minutes, as in "1 h 30"
        return m > 0 ? qsTr("%1 h %2").arg(h).arg(String(m).padStart(2, "0"))
                     //: An alarm's duration in whole hours, as in "2 h"
                     : qsTr("%1 h").arg(h)
    }
}
