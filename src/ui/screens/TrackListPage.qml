import QtQuick
import QtQuick.Controls
import Corvane

// A detail page: its header, then the page's songs as one virtualised list.
ListView {
    id: root

    property bool numbered: false

    clip: true
    model: App.browse.detailTracks
    keyNavigationEnabled: true
    // The header is tall: following the current row would scroll it away on every new list.
    highlightFollowsCurrentItem: false
    onCurrentIndexChanged: if (activeFocus) positionViewAtIndex(currentIndex, ListView.Contain)
    activeFocusOnTab: true
    leftMargin: Theme.spacingL
    rightMargin: Theme.spacingL
    ScrollBar.vertical: ScrollBar {}
    delegate: SongRow {
        required property var modelData
        required property int index
        width: ListView.view.width - ListView.view.leftMargin - ListView.view.rightMargin
        track: modelData
        number: App.browse.route === Route.Album ? index + 1 : 0
        showArtwork: App.browse.route !== Route.Album
    }
    footer: Item {
        width: 1
        height: Theme.spacingXL
    }
    BusyIndicator {
        anchors.centerIn: parent
        running: App.browse.isLoadingDetail
        visible: running
    }
}
