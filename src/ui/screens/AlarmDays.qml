pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts
import Corvane

// The days an alarm rings on, seven toggles from Monday, and what they make in words; none is
// a one-off alarm.
ColumnLayout {
    id: root

    // Days chosen, 0 = Sunday.
    property var days: []

    readonly property var dayNames: [
        { day: 1, short: qsTr("lun."), name: qsTr("Lundi") }, { day: 2, short: qsTr("mar."), name: qsTr("Mardi") },
        { day: 3, short: qsTr("mer."), name: qsTr("Mercredi") }, { day: 4, short: qsTr("jeu."), name: qsTr("Jeudi") },
        { day: 5, short: qsTr("ven."), name: qsTr("Vendredi") }, { day: 6, short: qsTr("sam."), name: qsTr("Samedi") },
        { day: 0, short: qsTr("dim."), name: qsTr("Dimanche") }
    ]

    spacing: Theme.spacingS

    function toggleDay(day) {
        const at = days.indexOf(day)
        const next = days.slice()
        if (at >= 0)
            next.splice(at, 1)
        else
            next.push(day)
        days = next
    }

    function describeDays() {
        const sorted = days.slice().sort()
        const key = sorted.join("")
        if (key === "")
            return qsTr("Une fois")
        if (key === "0123456")
            return qsTr("Tous les jours")
        if (key === "12345")
            return qsTr("En semaine")
        if (key === "06")
            return qsTr("Le week-end")
        return dayNames.filter(d => days.indexOf(d.day) >= 0).map(d => d.short).join(" ")
    }

    RowLayout {
        spacing: Theme.spacingXS
        Layout.fillWidth: true
        Repeater {
            model: root.dayNames
            delegate: PillButton {
                id: dayButton
                required property var modelData
                text: modelData.short
                checkable: true
                checked: root.days.indexOf(modelData.day) >= 0
                primary: checked
                leftPadding: Theme.spacingS
                rightPadding: Theme.spacingS
                onClicked: root.toggleDay(modelData.day)
                Accessible.name: modelData.name
                Accessible.checkable: true
                Accessible.checked: checked
            }
        }
    }
    PlainLabel {
        objectName: "alarmDaysSummary"
        //: %1 is the days of a one-off alarm ("Une fois")
        text: root.days.length === 0 ? qsTr("%1 : le réveil sonne à la prochaine heure dite, puis se désactive").arg(root.describeDays())
                                     : root.describeDays()
        color: Theme.textDim
        font.pixelSize: Theme.fontCaption + 1
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
}
