import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane

// A text button with an optional symbol; `primary` fills it with the accent.
Button {
    id: root

    property string symbol
    property bool primary: false

    focusPolicy: Qt.StrongFocus
    font.pixelSize: Theme.fontBody
    font.weight: Font.DemiBold
    font.capitalization: Font.MixedCase
    leftPadding: Theme.spacingL
    rightPadding: Theme.spacingL
    topPadding: Theme.spacingS
    bottomPadding: Theme.spacingS
    opacity: enabled ? 1 : 0.45
    background: Rectangle {
        implicitHeight: 34
        radius: height / 2
        color: root.primary ? (root.down ? Qt.darker(Theme.accent, 1.15) : (root.hovered ? Qt.lighter(Theme.accent, 1.08) : Theme.accent))
                            : (root.down || root.checked ? Theme.selection : (root.hovered ? Theme.hover : Theme.surfaceHigh))
        border.width: root.visualFocus ? 2 : 0
        border.color: Theme.text
    }
    contentItem: RowLayout {
        spacing: Theme.spacingS
        Icon {
            visible: root.symbol.length > 0
            name: root.symbol
            size: 16
            color: root.primary ? Theme.accentText : Theme.text
        }
        PlainLabel {
            text: root.text
            font: root.font
            color: root.primary ? Theme.accentText : Theme.text
            elide: Text.ElideRight
            // A pill stretched wider than its text keeps the text in its middle.
            horizontalAlignment: root.symbol.length > 0 ? Text.AlignLeft : Text.AlignHCenter
            Layout.fillWidth: true
        }
    }
    // Enter as well as Space, as on every other control here.
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: text
    Accessible.onPressAction: root.clicked()
}
