import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Corvane

ApplicationWindow {
    id: window

    // Set by the shell to skip the first discovery (screenshots, tests that drive it themselves).
    property bool autoStart: true

    title: "Corvane"
    width: 860
    height: 620
    minimumWidth: 640
    minimumHeight: 460
    visible: true
    // A touch of the current cover's colour, as the large view has more of it.
    color: Qt.tint(Theme.background, tint.wash)
    Behavior on color { ColorAnimation { duration: 400 } }
    Material.theme: Material.Dark
    Material.accent: Theme.accent
    Material.primary: Theme.surface
    Material.background: Theme.background
    Material.foreground: Theme.text

    header: ToolBar {
        Material.background: Theme.surface
        Material.elevation: 0
        padding: Theme.spacingS
        ColumnLayout {
            anchors.fill: parent
            spacing: Theme.spacingS
            SpeakerToolbar {
                Layout.fillWidth: true
            }
            SearchBar {
                id: searchBar
                Layout.fillWidth: true
            }
        }
    }

    ArtworkTint {
        id: tint
        objectName: "windowTint"
        url: App.playback.nowPlaying.artwork
    }

    CenterArea {
        anchors.fill: parent
    }
    Toast {
        anchors.horizontalCenter: parent.horizontalCenter
        // Over the lists' last rows; at the top over the large view, whose titles and button
        // fill its bottom.
        y: App.playback.isExpanded ? Theme.spacingM : parent.height - height - Theme.spacingXL
    }

    TipCard {
        objectName: "tipCard"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: Theme.spacingL
    }

    footer: PlaybackBar {}

    PlaybackShortcuts {
        searchField: searchBar.field
    }

    Component.onCompleted: {
        // The one tooltip every control shares shows names from outside: text, never markup.
        searchBar.ToolTip.toolTip.contentItem.textFormat = Text.PlainText
        searchBar.field.forceActiveFocus()
        if (autoStart) {
            App.household.refreshSpeakers()
            App.home.chooseTip()
        }
    }
    onActiveChanged: {
        if (active)
            App.household.windowActivated()
    }
}
