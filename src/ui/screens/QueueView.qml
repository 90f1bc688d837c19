import QtQuick
import QtQuick.Layouts
import Corvane

// The group's queue: counts, "Vider", and rows that play, leave or move (drag the number, or
// Alt+↑ / Alt+↓ on the focused row).
ColumnLayout {
    id: root

    readonly property int count: App.queue.count
    readonly property int position: App.queue.currentPosition

    spacing: Theme.spacingS

    RowLayout {
        Layout.fillWidth: true
        Layout.leftMargin: Theme.spacingXL
        Layout.rightMargin: Theme.spacingXL
        Layout.topMargin: Theme.spacingL
        spacing: Theme.spacingM
        ColumnLayout {
            spacing: 2
            Layout.fillWidth: true
            PlainLabel {
                text: "File d'attente"
                color: Theme.text
                font.pixelSize: Theme.fontTitle + 2
                font.weight: Font.Bold
                Accessible.role: Accessible.Heading
            }
            PlainLabel {
                objectName: "queueCounts"
                text: {
                    if (root.count === 0)
                        return "Vide"
                    const parts = [root.count + (root.count > 1 ? " morceaux" : " morceau")]
                    if (root.position > 0) {
                        const left = root.count - root.position
                        parts.push(root.position + " sur " + root.count)
                        parts.push(left === 0 ? "dernier morceau" : left + (left > 1 ? " morceaux à suivre" : " morceau à suivre"))
                    }
                    return parts.join(" · ")
                }
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
            }
        }
        PillButton {
            visible: root.count > 0
            text: "Vider"
            symbol: "xmark"
            onClicked: App.queue.clear()
        }
    }

    EmptyState {
        visible: root.count === 0
        symbol: "list.triangle"
        title: "File vide"
        // The ⏭ of the words is the results' add button itself, drawn inline.
        hint: "Ajoutez des morceaux avec le bouton <img src=\"image://icon/text.line.last.and.arrowtriangle.forward?color=%23aeabbb\" width=\"15\" height=\"15\"> des résultats."
        richHint: true
        Accessible.description: "Ajoutez des morceaux avec le bouton « Ajouter à la file d'attente » des résultats."
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: Theme.spacingXL
        Layout.rightMargin: Theme.spacingXL
    }

    QueueList {
        objectName: "queueList"
        visible: root.count > 0
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: Theme.spacingL
        Layout.rightMargin: Theme.spacingL
    }
}
