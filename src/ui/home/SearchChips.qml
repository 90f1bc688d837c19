import QtQuick
import QtQuick.Layouts
import Corvane

// The last searches, each a chip that runs it again.
ColumnLayout {
    id: root

    visible: App.browse.recentSearches.length > 0
    spacing: Theme.spacingS

    SectionLabel {
        text: qsTr("Recherches récentes")
        Layout.fillWidth: true
        Layout.leftMargin: Theme.spacingS
        PillButton {
            text: qsTr("Effacer")
            symbol: "xmark"
            onClicked: App.browse.clearRecentSearches()
        }
    }
    Flow {
        spacing: Theme.spacingS
        Layout.fillWidth: true
        Layout.leftMargin: Theme.spacingS
        Repeater {
            model: App.browse.recentSearches
            PillButton {
                required property string modelData
                text: modelData
                symbol: "magnifyingglass"
                onClicked: App.browse.query = modelData
            }
        }
    }
}
