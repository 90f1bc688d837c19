pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material

// A choice among names from the music service (countries, genres): its list shows them as text,
// never as markup.
ComboBox {
    id: chooser

    delegate: ItemDelegate {
        id: row

        required property var model
        required property var modelData
        required property int index

        width: ListView.view ? ListView.view.width : implicitWidth
        text: chooser.textRole ? (Array.isArray(chooser.model) ? row.modelData[chooser.textRole] : row.model[chooser.textRole]) : row.modelData
        highlighted: chooser.highlightedIndex === index
        hoverEnabled: chooser.hoverEnabled
        Material.foreground: chooser.currentIndex === index ? chooser.Material.accentColor : chooser.Material.foreground
        contentItem: PlainLabel {
            text: row.text
            font: row.font
            color: row.Material.foreground
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
        }
    }
}
