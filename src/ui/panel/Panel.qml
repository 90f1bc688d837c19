import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import QtQuick.Window
import Corvane

// The small panel of the notification area: what plays and the few controls a remote needs.
Window {
    id: panel

    signal openRequested()

    readonly property var now: App.playback.nowPlaying

    width: 320
    height: content.implicitHeight + 2 * Theme.spacingM
    flags: Qt.Tool | Qt.FramelessWindowHint | Qt.WindowStaysOnTopHint
    color: Theme.surface
    // Its own name for screen readers, which list it beside the main window.
    title: qsTr("Panneau de Corvane")
    Material.theme: Material.Dark
    Material.accent: Theme.accent
    Material.background: Theme.surface
    Material.foreground: Theme.text

    // The shared tooltip shows names from outside: text, never markup.
    Component.onCompleted: content.ToolTip.toolTip.contentItem.textFormat = Text.PlainText

    // It goes away as a popup does.
    onActiveChanged: if (!active && visible) hide()

    Shortcut {
        sequence: "Escape"
        onActivated: panel.hide()
    }
    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.width: 1
        border.color: Theme.divider
    }

    ColumnLayout {
        id: content
        x: Theme.spacingM
        y: Theme.spacingM
        width: panel.width - 2 * Theme.spacingM
        spacing: Theme.spacingS

        PanelNowPlaying {
            Layout.fillWidth: true
        }
        ProgressStrip {
            objectName: "panelScrub"
            visible: panel.now.duration >= 1
            big: true
            Layout.fillWidth: true
        }
        TransportControls {
            playSize: 36
            Layout.alignment: Qt.AlignHCenter
        }
        VolumeControl {
            sliderWidth: 200
            showsRooms: false
            Layout.alignment: Qt.AlignHCenter
        }
        PanelDivider {}
        PanelFavorites {
            objectName: "panelFavorites"
            visible: App.favorites.playable.length > 0
            Layout.fillWidth: true
        }
        PanelDivider { visible: App.favorites.playable.length > 0 }
        PanelRooms {
            objectName: "panelRooms"
            visible: App.household.speakers.length >= 2
            Layout.fillWidth: true
        }
        PanelDivider { visible: App.household.speakers.length >= 2 }
        PanelSleep {
            Layout.fillWidth: true
        }
        PanelDivider {}
        PanelRow {
            objectName: "openCorvane"
            title: qsTr("Ouvrir Corvane")
            symbol: "macwindow"
            Layout.fillWidth: true
            onClicked: panel.openRequested()
        }
    }
}
