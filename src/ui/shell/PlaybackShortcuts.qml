import QtQuick
import QtQuick.Controls
import Corvane

// The window's keys. Space plays or pauses only when no text field has the focus.
Item {
    id: root

    required property Item searchField

    Shortcut {
        sequence: "Ctrl+0"
        context: Qt.ApplicationShortcut
        onActivated: App.playback.toggleExpanded()
    }
    Shortcut {
        sequence: "Space"
        enabled: {
            const item = root.Window.activeFocusItem
            // Typing a space comes first, and so does Space on a button, a switch or a chooser,
            // which presses it. A focused row (a track, a room) or a slider leaves it to playback.
            if (item instanceof TextInput || item instanceof TextEdit)
                return false
            if (item instanceof ItemDelegate)
                return true
            return !(item instanceof AbstractButton) && !(item instanceof ComboBox)
        }
        onActivated: App.playback.togglePlay()
    }
    Shortcut {
        sequence: "Ctrl+Right"
        onActivated: App.playback.next()
    }
    Shortcut {
        sequence: "Ctrl+Left"
        onActivated: App.playback.previous()
    }
    Shortcut {
        sequence: "Ctrl+R"
        onActivated: App.household.refreshSpeakers()
    }
    Shortcut {
        sequence: "Ctrl+F"
        onActivated: root.searchField.forceActiveFocus()
    }
    Shortcut {
        sequence: "Escape"
        onActivated: {
            if (App.playback.isExpanded)
                App.playback.isExpanded = false
            root.searchField.forceActiveFocus()
        }
    }
}
