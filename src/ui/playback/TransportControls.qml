import QtQuick
import QtQuick.Layouts
import Corvane

// Shuffle, previous, play or pause, next and repeat, tinted by their state.
RowLayout {
    id: root

    property int playSize: 34

    readonly property bool playing: App.playback.nowPlaying.isPlaying
    // A stream or an input has no track before or after, and no order to shuffle or repeat.
    readonly property bool skippable: !App.playback.nowPlaying.isLive

    // Nothing to control without a speaker.
    enabled: App.household.selectedUUID.length > 0

    spacing: Theme.spacingXS

    IconButton {
        objectName: "shuffleButton"
        enabled: root.skippable
        symbol: "shuffle"
        help: qsTr("Lecture aléatoire")
        tint: App.playback.isShuffled ? Theme.accent : Theme.textDim
        checkable: true
        checked: App.playback.isShuffled
        onClicked: App.playback.shuffle()
    }
    IconButton {
        symbol: "backward.fill"
        enabled: root.skippable
        help: qsTr("Morceau précédent")
        onClicked: App.playback.previous()
    }
    IconButton {
        objectName: "playPauseButton"
        symbol: root.playing ? "pause.circle.fill" : "play.circle.fill"
        help: qsTr("Lecture / Pause")
        tint: Theme.accent
        symbolSize: root.playSize
        onClicked: App.playback.togglePlay()
    }
    IconButton {
        symbol: "forward.fill"
        enabled: root.skippable
        help: qsTr("Morceau suivant")
        onClicked: App.playback.next()
    }
    IconButton {
        objectName: "repeatButton"
        enabled: root.skippable
        symbol: App.playback.repeatState === Repeat.One ? "repeat.1" : "repeat"
        help: App.playback.repeatState === Repeat.One ? qsTr("Répéter le morceau")
            : App.playback.repeatState === Repeat.All ? qsTr("Répéter la file") : qsTr("Répéter")
        tint: App.playback.repeatState === Repeat.Off ? Theme.textDim : Theme.accent
        onClicked: App.playback.repeat()
    }
}
