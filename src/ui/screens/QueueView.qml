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
                text: qsTr("File d'attente")
                color: Theme.text
                font.pixelSize: Theme.fontTitle + 2
                font.weight: Font.Bold
                Accessible.role: Accessible.Heading
            }
            PlainLabel {
                objectName: "queueCounts"
                text: {
                    if (root.count === 0)
                        //: The queue has no songs
                        return qsTr("Vide")
                    const parts = [qsTr("%n morceau(x)", "", root.count)]
                    if (root.position > 0) {
                        const left = root.count - root.position
                        //: %1 is the song playing, %2 how many songs the queue has
                        parts.push(qsTr("%1 sur %2").arg(root.position).arg(root.count))
                        parts.push(left === 0 ? qsTr("dernier morceau") : qsTr("%n morceau(x) à suivre", "", left))
                    }
                    return parts.join(" · ")
                }
                color: Theme.textDim
                font.pixelSize: Theme.fontBody
            }
        }
        PillButton {
            visible: root.count > 0
            //: Button: empty the queue
            text: qsTr("Vider")
            symbol: "xmark"
            onClicked: App.queue.clear()
        }
    }

    EmptyState {
        visible: root.count === 0
        symbol: "list.triangle"
        title: qsTr("File vide")
        // The ⏭ of the words is the results' add button itself, drawn inline.
        //: %1 is the add-to-queue button's icon
        hint: qsTr("Ajoutez des morceaux avec le bouton %1 des résultats.")
              .arg("<img src=\"image://icon/text.line.last.and.arrowtriangle.forward?color=%23aeabbb\" width=\"15\" height=\"15\">")
        richHint: true
        Accessible.description: qsTr("Ajoutez des morceaux avec le bouton « Ajouter à la file d'attente » des résultats.")
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
