import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material

// A menu entry whose text may come from outside (a room's name): drawn as text, never as
// markup, with the style's place for the check mark kept.
MenuItem {
    id: control

    contentItem: PlainLabel {
        leftPadding: control.checkable && control.indicator ? control.indicator.width + control.spacing : 0
        text: control.text
        font: control.font
        color: control.enabled ? control.Material.foreground : control.Material.hintTextColor
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
    }
}
