#pragma once

// What the QML module knows of the C++ side: the one model as the App singleton, its areas,
// the records and the enumerations. Registered here so the core library needs no QML.

#include "model/corvanemodel.h"
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

struct HouseholdFaceForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::HouseholdFace)
    QML_ANONYMOUS
};

struct PlaybackFaceForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::PlaybackFace)
    QML_ANONYMOUS
};

struct QueueFaceForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::QueueFace)
    QML_ANONYMOUS
};

struct BrowseFaceForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::BrowseFace)
    QML_ANONYMOUS
};

struct HomeFaceForeign
{
    Q_GADGET
    QML_FOREIGN(corvane::HomeFace)
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
