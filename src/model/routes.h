#pragma once

#include "applemusic/catalog.h"
#include "base/records.h"

#include <QObject>
#include <QString>

#include <variant>

namespace corvane {

namespace RouteKind {
Q_NAMESPACE
enum Value { Results, Album, Artist, Playlist, Queue, History, Groups, Explore, Alarms };
Q_ENUM_NS(Value)
} // namespace RouteKind

// What the centre of the main window shows. Compared by value, payload included.
struct Route
{
    RouteKind::Value kind = RouteKind::Results;
    std::variant<std::monostate, corvane::Album, corvane::Artist, PlaylistRef> payload;

    static Route results() { return {}; }
    static Route panel(RouteKind::Value kind) { return Route{kind, std::monostate()}; }
    static Route album(const corvane::Album &album) { return Route{RouteKind::Album, album}; }
    static Route artist(const corvane::Artist &artist) { return Route{RouteKind::Artist, artist}; }
    static Route playlist(const PlaylistRef &playlist) { return Route{RouteKind::Playlist, playlist}; }

    bool isPanel() const
    {
        return kind == RouteKind::Queue || kind == RouteKind::History || kind == RouteKind::Groups
            || kind == RouteKind::Alarms;
    }
    bool operator==(const Route &) const = default;
};

namespace SearchScope {
Q_NAMESPACE
enum Value { All, Tracks, Albums, Artists, Playlists };
Q_ENUM_NS(Value)
// "Tout", "Morceaux", "Albums", "Artistes", "Playlists"
QString text(Value scope);
} // namespace SearchScope

namespace SetupState {
Q_NAMESPACE
// LocalControlOff: a speaker answered but refuses to be controlled (UPnP turned off).
enum Value { Searching, NoSpeaker, LocalControlOff, AppleMusicMissing, Ready };
Q_ENUM_NS(Value)
} // namespace SetupState

// The repeat state and the library playlists' order, as the screens name them.
namespace Repeat {
Q_NAMESPACE
enum Value { Off = int(RepeatState::Off), All = int(RepeatState::All), One = int(RepeatState::One) };
Q_ENUM_NS(Value)
} // namespace Repeat

namespace PlaylistSort {
Q_NAMESPACE
enum Value {
    Name = int(PlaylistOrder::Name),
    NameDescending = int(PlaylistOrder::NameDescending),
    RecentlyPlayed = int(PlaylistOrder::RecentlyPlayed),
};
Q_ENUM_NS(Value)
} // namespace PlaylistSort

} // namespace corvane
