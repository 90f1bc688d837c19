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
            // Typing a space, or Space on the focused control (button, row, chooser), comes first.
            return !(item instanceof TextInput) && !(item instanceof TextEdit)
                    && !(item instanceof Control)
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
