import QtQuick
import QtQuick.Controls
import Corvane

// One screen at a time. First match wins: onboarding, setup guide, the large now playing, then
// the screen of the route.
Item {
    id: root

    readonly property string screen: {
        if (App.household.showsOnboarding)
            return "onboarding"
        if (App.household.showsSetup)
            return "setup"
        if (App.playback.isExpanded)
            return "expanded"
        switch (App.browse.route) {
        case Route.Album: return "album"
        case Route.Artist: return "artist"
        case Route.Playlist: return "playlist"
        case Route.Queue: return "queue"
        case Route.History: return "history"
        case Route.Groups: return "groups"
        case Route.Alarms: return "alarms"
        case Route.Explore: return "explore"
        default: return App.browse.query.trim().length > 0 ? "results" : "home"
        }
    }
    // The page kind shown; a new album replaces an album page too.
    readonly property string page: screen + ":" + JSON.stringify(App.browse.routePayload ? App.browse.routePayload.id : "")

    onPageChanged: stack.replace(null, pageFor(screen))
    Component.onCompleted: stack.replace(null, pageFor(screen))

    // The home page is the one a person comes back to most, and the costliest to build (its
    // shelves): it is built once, kept while other screens show, and found where it was left.
    property Item homePage: null

    function pageFor(name) {
        switch (name) {
        case "onboarding": return onboarding
        case "setup": return setup
        case "expanded": return expanded
        case "album": return album
        case "artist": return artist
        case "playlist": return playlist
        case "queue": return queue
        case "explore": return explore
        case "results": return results
        case "groups": return groups
        case "history": return history
        case "alarms": return alarms
        default:
            if (!homePage)
                homePage = home.createObject(root, { visible: false })
            return homePage
        }
    }

    StackView {
        id: stack
        objectName: "centerStack"
        anchors.fill: parent
        replaceEnter: Transition {
            ParallelAnimation {
                NumberAnimation { property: "opacity"; from: 0; to: 1; duration: Theme.switchDuration; easing.type: Easing.OutCubic }
                NumberAnimation { property: "scale"; from: 0.97; to: 1; duration: Theme.switchDuration; easing.type: Easing.OutCubic }
                NumberAnimation { property: "y"; from: 16; to: 0; duration: Theme.switchDuration; easing.type: Easing.OutCubic }
            }
        }
        replaceExit: Transition {
            NumberAnimation { property: "opacity"; from: 1; to: 0; duration: Theme.switchDuration / 2 }
        }
    }

    Component { id: onboarding; OnboardingView {} }
    Component { id: setup; SetupGuide {} }
    Component { id: expanded; ExpandedView {} }
    Component { id: album; AlbumDetailView {} }
    Component { id: artist; ArtistDetailView {} }
    Component { id: playlist; PlaylistDetailView {} }
    Component { id: queue; QueueView {} }
    Component { id: explore; ExploreView {} }
    Component { id: results; SearchResults {} }
    Component { id: home; HomeView {} }
    Component { id: groups; GroupsView {} }
    Component { id: history; HistoryView {} }
    Component { id: alarms; AlarmsView {} }
}
