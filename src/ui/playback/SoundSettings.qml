import QtQuick
import QtQuick.Layouts
import Corvane

// The speaker's own sound, the line-in, the sleep timer, the media keys and Apple Music.
ColumnLayout {
    id: root

    readonly property var eq: App.playback.equalizer
    readonly property var sleep: App.playback.sleepMinutes

    spacing: Theme.spacingS
    width: 340

    RowLayout {
        Layout.fillWidth: true
        PlainLabel {
            text: qsTr("Réglages sonores")
            color: Theme.text
            font.pixelSize: Theme.fontSubtitle + 1
            font.weight: Font.Bold
            Layout.fillWidth: true
            Accessible.role: Accessible.Heading
        }
        PillButton {
            text: qsTr("Remettre à plat")
            enabled: root.eq.bass !== 0 || root.eq.treble !== 0
            onClicked: App.playback.flattenEqualizer()
        }
    }
    SoundStepper {
        label: qsTr("Graves")
        symbol: "dial.low"
        value: root.eq.bass
        onChangeTo: value => App.playback.setBass(value)
        Layout.fillWidth: true
    }
    SoundStepper {
        label: qsTr("Aigus")
        symbol: "dial.high"
        value: root.eq.treble
        onChangeTo: value => App.playback.setTreble(value)
        Layout.fillWidth: true
    }
    SettingSwitch {
        text: qsTr("Loudness")
        explanation: qsTr("Renforce graves et aigus à faible volume")
        checked: root.eq.loudness
        onToggled: App.playback.loudness()
    }
    PlainLabel {
        text: qsTr("Ces réglages sont ceux de l'enceinte elle-même : ils restent actifs même depuis une autre app.")
        color: Theme.textFaint
        font.pixelSize: Theme.fontCaption + 1
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
    PillButton {
        visible: App.household.speakerHasLineIn
        text: qsTr("Entrée ligne")
        symbol: "cable.connector"
        onClicked: App.playback.lineIn()
    }
    Rectangle { color: Theme.divider; implicitHeight: 1; Layout.fillWidth: true }
    SleepTimerRow {
        Layout.fillWidth: true
    }
    Rectangle { color: Theme.divider; implicitHeight: 1; Layout.fillWidth: true }
    SettingSwitch {
        objectName: "mediaKeysSwitch"
        text: qsTr("Touches média du clavier")
        explanation: qsTr("Permet de piloter l'enceinte avec les touches lecture du clavier. Corvane apparaît alors dans les commandes multimédias du bureau — sans qu'aucun son ne sorte de l'ordinateur.")
        checked: App.playback.systemNowPlaying
        onToggled: on => App.playback.systemNowPlaying = on
    }
    SettingSwitch {
        objectName: "autostartSwitch"
        text: qsTr("Lancer Corvane à l'ouverture de session")
        explanation: qsTr("Corvane démarre dans la zone de notification, sans fenêtre, prêt à piloter l'enceinte.")
        checked: App.home.launchAtLogin
        onToggled: on => App.home.launchAtLogin = on
    }
    LiveUpdatesLine {
        Layout.fillWidth: true
        Layout.topMargin: Theme.spacingXS
    }
    Rectangle { color: Theme.divider; implicitHeight: 1; Layout.fillWidth: true }
    MusicAccountRow {
        Layout.fillWidth: true
    }
    UpdateLine {
        Layout.fillWidth: true
    }
    PillButton {
        text: qsTr("Revoir la présentation")
        symbol: "sparkles"
        onClicked: App.household.onboardingReplay = true
    }
}
