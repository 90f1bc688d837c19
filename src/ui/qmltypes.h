#pragma once

// What the QML module knows of the C++ side: the one model as the App singleton, its areas,
// the records and the enumerations. Registered here so the core library needs no QML.

#include "model/browse.h"
#include "model/corvanemodel.h"
#include "model/favorites.h"
#include "model/home.h"
#include "model/household.h"
#include "model/liveupdates.h"
#include "model/notices.h"
#include "model/playback.h"
#include "model/queue.h"
#include "model/recordlistmodel.h"
#include "model/routes.h"

#include <QQmlEngine>

namespace corvane::ui {

// The model main() built; set before the first QML file loads.
void setAppInstance(CorvaneModel *model);
CorvaneModel *appInstance();

struct AppForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::CorvaneModel)
    QML_NAMED_ELEMENT(App)
    QML_SINGLETON
public:
    static CorvaneModel *create(QQmlEngine *, QJSEngine *engine);
};

struct NoticesForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::Notices)
    QML_ANONYMOUS
};

struct HouseholdForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::Household)
    QML_ANONYMOUS
};

struct FavoritesForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::Favorites)
    QML_ANONYMOUS
};

struct PlaybackForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::Playback)
    QML_ANONYMOUS
};

struct LiveUpdatesForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::LiveUpdates)
    QML_ANONYMOUS
};

struct RoomVolumesForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::RoomVolumes)
    QML_ANONYMOUS
};

struct AlarmClockForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::AlarmClock)
    QML_ANONYMOUS
};

struct QueueForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::Queue)
    QML_ANONYMOUS
};

struct BrowseForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::Browse)
    QML_ANONYMOUS
};

struct HomeForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::Home)
    QML_ANONYMOUS
};

struct RecordListModelForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::RecordListModel)
    QML_ANONYMOUS
};

struct NowPlayingForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::NowPlaying)
    QML_VALUE_TYPE(nowPlaying)
};

struct EqualizerForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::Equalizer)
    QML_VALUE_TYPE(equalizer)
};

namespace RouteEnum {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(corvane::RouteKind)
QML_NAMED_ELEMENT(Route)
} // namespace RouteEnum

namespace ScopeEnum {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(corvane::SearchScope)
QML_NAMED_ELEMENT(Scope)
} // namespace ScopeEnum

namespace SetupEnum {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(corvane::SetupState)
QML_NAMED_ELEMENT(Setup)
} // namespace SetupEnum

namespace RepeatEnum {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(corvane::Repeat)
QML_NAMED_ELEMENT(Repeat)
} // namespace RepeatEnum

namespace PlaylistSortEnum {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(corvane::PlaylistSort)
QML_NAMED_ELEMENT(PlaylistSort)
} // namespace PlaylistSortEnum

} // namespace corvane::ui
