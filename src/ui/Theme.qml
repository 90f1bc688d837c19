pragma Singleton
import QtQuick

// Colours, spacing, type scale and corner radii of every screen. Dark only.
QtObject {
    readonly property color background: "#141218"
    readonly property color surface: "#1c1a22"
    readonly property color surfaceHigh: "#25222d"
    readonly property color hover: "#2d2a37"
    readonly property color selection: "#3a3450"
    readonly property color divider: "#34303e"
    readonly property color text: "#eeedf3"
    readonly property color textDim: "#aeabbb"
    readonly property color textFaint: "#8a8698"
    readonly property color accent: "#ff8a5c"
    readonly property color accentText: "#1a1208"
    readonly property color danger: "#ff7676"
    readonly property color success: "#6fd69a"

    readonly property int spacingXS: 4
    readonly property int spacingS: 8
    readonly property int spacingM: 12
    readonly property int spacingL: 16
    readonly property int spacingXL: 24

    readonly property int radiusS: 6
    readonly property int radiusM: 10
    readonly property int radiusL: 16

    readonly property int fontCaption: 11
    readonly property int fontBody: 13
    readonly property int fontSubtitle: 15
    readonly property int fontTitle: 20
    readonly property int fontDisplay: 28

    readonly property int rowHeight: 52
    readonly property int tileSize: 140
    readonly property int switchDuration: 220

    // "%d:%02d", minutes past 59 stay minutes (75 minutes read 75:00).
    function clock(seconds) {
        const s = Math.max(0, Math.floor(seconds))
        const rest = s % 60
        return Math.floor(s / 60) + ":" + (rest < 10 ? "0" : "") + rest
    }

    // A translated text's placeholders %1…%9 filled in one pass: a value that holds "%2" itself
    // (a station's name) is not taken for a placeholder, as chained .arg() would.
    function fill(text, values) {
        return text.replace(/%([1-9])/g, (match, index) => index <= values.length ? String(values[index - 1]) : match)
    }
}
