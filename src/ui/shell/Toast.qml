import QtQuick
import QtQuick.Layouts
import Corvane

// The line of confirmations and errors; the model clears them, this fades with them.
Rectangle {
    id: root
    objectName: "toast"

    // The setup guide says it already, larger: no banner over it.
    readonly property bool isError: App.notices.errorMessage.length > 0 && !App.household.showsSetup
    readonly property string message: isError ? App.notices.errorMessage : (App.household.showsSetup ? "" : App.notices.lastAction)
    // Kept while fading out, so the words do not vanish before the line does.
    property string shown

    onMessageChanged: if (message.length > 0) shown = message
    implicitWidth: Math.min(row.implicitWidth + 2 * Theme.spacingL, parent ? parent.width - 2 * Theme.spacingXL : 600)
    implicitHeight: row.implicitHeight + 2 * Theme.spacingM
    radius: height / 2
    color: isError ? "#4a2025" : Theme.surfaceHigh
    border.color: isError ? Theme.danger : Theme.divider
    opacity: message.length > 0 ? 1 : 0
    visible: opacity > 0
    Behavior on opacity { NumberAnimation { duration: 250 } }

    RowLayout {
        id: row
        anchors.centerIn: parent
        width: Math.min(implicitWidth, root.width - 2 * Theme.spacingL)
        spacing: Theme.spacingS
        Icon {
            name: root.isError ? "exclamationmark.triangle.fill" : "checkmark.circle.fill"
            color: root.isError ? Theme.danger : Theme.success
            size: 16
        }
        PlainLabel {
            text: root.shown
            color: Theme.text
            font.pixelSize: Theme.fontBody
            wrapMode: Text.WordWrap
            Layout.fillWidth: true
            Layout.maximumWidth: 560
        }
    }
    Accessible.role: Accessible.AlertMessage
    Accessible.name: shown
}
